#include "app/signconfig.h"

#include "app/signrename.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/outsettings.h"
#include "data/records.h"
#include "data/signdims.h"
#include "data/signtable.h"
#include "engine/defaultdest.h"
#include "engine/routenodialog.h"
#include "files/document.h"
#include "platform/host.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gSignConfigCancelled = kFalse;

namespace {

constexpr int kModelColumn = 13, kModelWidth = 8;
constexpr int kDimColumn = 22, kDimWidth = 6;
constexpr int kAddressColumn = 32;

void Place(std::string& line, int column, const std::string& text, size_t width) {
    line.replace(static_cast<size_t>(column - 1), std::min(width, text.size()), text.substr(0, width));
}

// Names compare in upper case without surrounding blanks.
std::string NameKey(const std::string& line) { return UCase(Trim(Mid(line, 1, kSignNameLength))); }

}  // namespace

std::string BuildSignLine(const SignFields& f) {
    std::string line(kSignLineLength, ' ');
    Place(line, 1, UCase(LTrim(f.name)), kSignNameLength);
    Place(line, kModelColumn, f.model, kModelWidth);
    Place(line, kDimColumn, f.dimension, kDimWidth);
    Place(line, kAddressColumn, LTrim(f.address), 2);
    return line;
}

std::string SignLineName(const std::string& line) { return RTrim(Mid(line, 1, kSignNameLength)); }
std::string SignLineModel(const std::string& line) { return Trim(Mid(line, kModelColumn, kModelWidth)); }
std::string SignLineDimension(const std::string& line) { return Trim(Mid(line, kDimColumn, kDimWidth)); }
int16_t SignLineAddress(const std::string& line) { return CIntClamp(Val(Mid(line, kAddressColumn, 2))); }

bool IsValidSignName(const std::string& name) {
    const std::string n = Trim(name);
    return !n.empty() && n.size() <= static_cast<size_t>(kSignNameLength) && n.find('#') == std::string::npos &&
           n.find(kSectionMark) == std::string::npos;
}

bool SignHasTexts(int16_t address) {
    return FindRecordByKey(address, 0) || (gExtraPerSign && FindRecordByKey(address, 2));
}

int16_t DimDefaultAddress(const std::string& dimension) {
    const std::string key = "K4000:" + dimension;
    int16_t address = 7;
    for (const DimEntry& e : gDimTable)
        if (e.Key == key) address = e.Value;
    return IsSignAddress(address) ? address : 7;
}

void SignConfig::Load() {
    lines_.clear();
    asLoaded_.assign(kSignCount, std::string());
    for (int16_t a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        if (!gSignEntry[static_cast<size_t>(a - kFirstSignAddress)].Used) continue;
        lines_.push_back(ComposeSignLine(a));
        asLoaded_[lines_.size() - 1] = lines_.back();
    }
    emptyList_ = LangText("S1611");
    nameInList_ = LangText("S1612");
    savedModified_ = gDocumentModified;
}

std::string SignConfig::AsLoaded(int index) const {
    return index >= 0 && index < static_cast<int>(asLoaded_.size()) ? asLoaded_[static_cast<size_t>(index)] : std::string();
}

bool SignConfig::LoadedSign(int index) const {
    const std::string line = AsLoaded(index);
    const int16_t address = SignLineAddress(line);
    if (Trim(line).empty() || !IsSignAddress(address)) return false;
    const std::string& name = SignInfoOf(address).Name;
    return !name.empty() && name == SignLineName(line);
}

bool SignConfig::HasTexts(int index) const {
    return LoadedSign(index) && SignHasTexts(SignLineAddress(AsLoaded(index)));
}

bool SignConfig::Refuse(const SignFields& f, std::string& line) const {
    const std::string dimension = Trim(f.dimension);
    if (!IsValidSignName(f.name) || !IsSignModel(f.model) || dimension.empty() ||
        dimension.size() > static_cast<size_t>(kDimWidth) || !IsSignAddress(CIntClamp(Val(f.address))))
        return true;
    line = BuildSignLine({Trim(f.name), f.model, dimension, f.address});
    return false;
}

SignConfig::Outcome SignConfig::Add(const SignFields& fields) {
    std::string line;
    if (Refuse(fields, line)) {
        Beep();
        return {};
    }
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (NameKey(lines_[i]) == NameKey(line)) {
            MsgBox(nameInList_, vbExclamation);
            return {false, static_cast<int>(i)};
        }
        if (SignLineAddress(lines_[i]) == SignLineAddress(line)) {
            MsgBox(gTextS27, vbExclamation);
            return {false, static_cast<int>(i)};
        }
    }
    lines_.push_back(line);
    asLoaded_[lines_.size() - 1] = line;
    gDocumentModified = kTrue;
    return {true, static_cast<int>(lines_.size()) - 1};
}

SignConfig::Outcome SignConfig::Change(int index, const SignFields& fields) {
    if (index < 0 || index >= static_cast<int>(lines_.size())) return {};
    std::string line;
    if (Refuse(fields, line) || line == lines_[static_cast<size_t>(index)]) {
        Beep();
        return {false, index};
    }
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
        if (i == index) continue;
        const std::string& other = lines_[static_cast<size_t>(i)];
        if (SignLineAddress(other) == SignLineAddress(line)) {
            MsgBox(gTextS27, vbExclamation);
            return {false, i};
        }
        if (NameKey(other) == NameKey(line)) {
            MsgBox(nameInList_, vbExclamation);
            return {false, i};
        }
    }
    if (HasTexts(index) && SignLineModel(line) != SignLineModel(AsLoaded(index))) {
        MsgBox(LangText("S1686"), vbExclamation);
        return {false, index};
    }
    lines_[static_cast<size_t>(index)] = line;
    gDocumentModified = kTrue;
    return {true, -1};
}

SignConfig::Outcome SignConfig::Remove(int index) {
    const bool selected = index >= 0 && index < static_cast<int>(lines_.size());
    if (selected && HasTexts(index)) {
        MsgBox(LangText("S1686"), vbExclamation);
        return {false, index};
    }
    if (selected) {
        lines_.erase(lines_.begin() + index);
        asLoaded_.erase(asLoaded_.begin() + index);
        asLoaded_.emplace_back();
    }
    gDocumentModified = kTrue;
    return {selected, -1};
}

SignConfig::OkResult SignConfig::Ok() {
    if (lines_.empty()) {
        MsgBox(emptyList_, vbExclamation);
        return OkResult::EmptyList;
    }
    for (int k = 0; k < static_cast<int>(lines_.size()); ++k) {
        const std::string& line = lines_[static_cast<size_t>(k)];
        const std::string old = AsLoaded(k);
        const bool moved = SignLineName(line) != SignLineName(old) || SignLineAddress(line) != SignLineAddress(old);
        if (!moved || !HasTexts(k)) continue;
        if (MsgBox(LangText("S1687") + "\r" + LangText("S1688"), vbYesNo + vbQuestion) != vbYes)
            return OkResult::NotConfirmed;
        break;
    }
    Apply();
    return OkResult::Done;
}

void SignConfig::Apply() {
    // The signs of the sign table that the list keeps, from their old name
    // and address to the new ones; the sign to show and the current sign
    // follow theirs.
    std::vector<SignMove> moves;
    const int16_t shownAddress = static_cast<int16_t>(Val(gSignToShow));
    std::string signToShow = gSignToShow;
    int16_t current = gCurrentSign;
    bool currentFollowed = false;
    for (int k = 0; k < static_cast<int>(lines_.size()); ++k) {
        if (!LoadedSign(k)) continue;
        const std::string old = AsLoaded(k), line = lines_[static_cast<size_t>(k)];
        SignMove m{SignLineName(old), SignLineName(line), SignLineAddress(old), SignLineAddress(line)};
        if (m.oldAddress == shownAddress && (m.oldAddress != m.newAddress || m.oldName != m.newName))
            signToShow = " " + std::to_string(m.newAddress) + ": \"" + m.newName + "\", " + SignLineModel(line);
        if (m.oldAddress == gCurrentSign && !currentFollowed) {
            current = m.newAddress;
            currentFollowed = true;
        }
        moves.push_back(m);
    }
    if (!currentFollowed) {
        bool listed = false;
        for (const std::string& line : lines_) listed = listed || SignLineAddress(line) == current;
        if (!listed) current = 0;
    }
    ClearSignConfigFlags();
    ClearSignTable();
    MoveSigns(moves);
    gSignToShow = signToShow;
    gCurrentSign = current;
    for (const std::string& line : lines_) {
        SetSignConfig(line);
        ParseSignDefinition(line);
    }
    gMBLFontHeight = 0;
    InitDefaultDestination();
}

void SignConfig::Cancel() {
    gDocumentModified = savedModified_;
    gSignConfigCancelled = kTrue;
}

void ResetSignConfig() { gSignConfigCancelled = kFalse; }

namespace {
const ResetRegistrar kReset("sign configuration", StateLayer::App, ResetSignConfig);
}  // namespace

}  // namespace kv
