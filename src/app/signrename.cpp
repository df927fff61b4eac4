#include "app/signrename.h"

#include "data/destlist.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "platform/host.h"
#include "platform/vb.h"

namespace kv {

namespace {

// Applies fn to every record that may hold per-sign sections.
template <typename Fn>
void ForEachSectionedRecord(Fn fn) {
    for (DestRecord& r : gDestList) fn(r);
    if (!gExtraPerSign) return;
    for (int i = 1; i < kExtraCount; ++i) fn(gExtraList[static_cast<size_t>(i)]);
}

void RetagName(const std::string& oldName, const std::string& newName) {
    const std::string from = kSectionMark + oldName + "#";
    const std::string to = kSectionMark + newName + "#";
    ForEachSectionedRecord([&](DestRecord& r) {
        if (!r.Text.empty() && r.Text.find(from) != std::string::npos) r.Text = ReplaceString(r.Text, from, to);
    });
}

void RetagAddress(int16_t oldAddress, int16_t newAddress) {
    ForEachSectionedRecord([&](DestRecord& r) {
        r.SignData = ReaddressSection(r.SignData, oldAddress, newAddress);
        r.AltText = ReaddressSection(r.AltText, oldAddress, newAddress);
    });
}

bool IsTagName(const std::string& name) {
    return !name.empty() && name.find('#') == std::string::npos && name.find(kSectionMark) == std::string::npos;
}

// A tag no sign has: longer than any sign name.
std::string PassingName(size_t k) { return "\x01\x02moving" + std::to_string(k); }
// An address byte no sign has.
int16_t PassingAddress(size_t k) { return static_cast<int16_t>(100 + k); }

}  // namespace

std::string ReaddressSection(const std::string& field, int16_t oldAddress, int16_t newAddress) {
    for (size_t i = 0; i + 1 < field.size();) {
        if (field[i] == kPageMark) {
            i += 2;  // the mark and its time character
        } else if (field[i] == kSectionMark) {
            if (static_cast<unsigned char>(field[i + 1]) == static_cast<unsigned char>(oldAddress)) {
                std::string out = field;
                out[i + 1] = static_cast<char>(newAddress);
                return out;
            }
            i += 2;  // the mark and the address
        } else {
            ++i;
        }
    }
    return field;
}

void RebuildRecordLists() {
    {
        const int16_t last = LastUsedNumber(DestList);
        ListModel::Batch batch(DestList);
        DestList.Clear();
        for (int16_t i = 1; i <= last && i < kDestCount; ++i)
            if (!gDestList[static_cast<size_t>(i)].Text.empty()) AddListLine(i, true);
    }
    if (!gExtraPerSign) return;
    const int16_t last = LastUsedNumber(ExtraList);
    ListModel::Batch batch(ExtraList);
    ExtraList.Clear();
    for (int16_t i = 1; i <= last && i < kExtraCount; ++i) {
        const DestRecord& e = gExtraList[static_cast<size_t>(i)];
        if (!e.Text.empty()) FormatListLine(e.Text, i, ExtraList);
    }
}

void ChangeSignName(const std::string& oldName, const std::string& newName) {
    const std::string from = RTrim(oldName), to = UCase(Trim(newName));
    if (from.empty() || !IsTagName(to)) {
        Beep();
        return;
    }
    RetagName(from, to);
    RebuildRecordLists();
}

void ChangeSignAddress(int16_t oldAddress, int16_t newAddress) {
    if (!IsSignAddress(oldAddress) || !IsSignAddress(newAddress)) {
        Beep();
        return;
    }
    RetagAddress(oldAddress, newAddress);
}

void MoveSigns(const std::vector<SignMove>& moves) {
    auto renames = [](const SignMove& m) { return m.oldName != m.newName && !m.oldName.empty() && IsTagName(m.newName); };
    auto readdresses = [](const SignMove& m) {
        return m.oldAddress != m.newAddress && IsSignAddress(m.oldAddress) && IsSignAddress(m.newAddress);
    };
    bool renamed = false;
    for (size_t k = 0; k < moves.size(); ++k) {
        if (renames(moves[k])) {
            RetagName(moves[k].oldName, PassingName(k));
            renamed = true;
        }
        if (readdresses(moves[k])) RetagAddress(moves[k].oldAddress, PassingAddress(k));
    }
    for (size_t k = 0; k < moves.size(); ++k) {
        if (renames(moves[k])) RetagName(PassingName(k), moves[k].newName);
        if (readdresses(moves[k])) RetagAddress(PassingAddress(k), moves[k].newAddress);
    }
    if (renamed) RebuildRecordLists();
}

}  // namespace kv
