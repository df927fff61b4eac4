#include "data/records.h"

#include <algorithm>

#include "data/language.h"
#include "data/signtable.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::array<DestRecord, kDestCount> gDestList;
std::array<DestRecord, kExtraCount> gExtraList;
std::string gSeparator(1, kSectionMark);

int16_t gDestListActive = kTrue;
int16_t gCurrentDest = 1;
int16_t gCurrentExtra = 1;
int16_t gCurrentSign = 0;
int16_t gCurrentPage = 1;
int16_t gExtraPerSign = kFalse;
int16_t gChangeTime = 3;
int16_t gDefaultChangeTime = 3;
int16_t gTenCharFieldOn = kFalse;

DestRecord& DestAt(int index) {
    if (index < 0 || index >= kDestCount) throw VbError(9, "Subscript out of range");
    return gDestList[static_cast<size_t>(index)];
}

DestRecord& ExtraAt(int index) {
    if (index < 0 || index >= kExtraCount) throw VbError(9, "Subscript out of range");
    return gExtraList[static_cast<size_t>(index)];
}

DestRecord& ActiveAt(int index) { return gDestListActive ? DestAt(index) : ExtraAt(index); }

int16_t ClampChangeTime(int value) { return static_cast<int16_t>(std::clamp(value, 0, int{kMaxChangeTime})); }

namespace {

std::string NameOf(int16_t address) { return IsSignAddress(address) ? SignInfoOf(address).Name : std::string(); }

// Start (0-based) and length of the sign's section, or npos.
size_t FindSection(const std::string& text, const std::string& name, size_t* length) {
    if (name.empty()) return std::string::npos;
    const std::string key = kSectionMark + name + "#";
    const size_t p = text.find(key);
    if (p == std::string::npos) return p;
    const size_t e = text.find(kSectionMark, p + 1);
    *length = (e == std::string::npos ? text.size() : e) - p;
    return p;
}

// 0-based position of the n-th "#" (n >= 1), or npos.
size_t NthHash(const std::string& s, int n) {
    size_t p = std::string::npos;
    for (int k = 0; k < n; ++k) {
        p = s.find('#', p == std::string::npos ? 0 : p + 1);
        if (p == std::string::npos) return p;
    }
    return p;
}

}  // namespace

std::string GetSignText(const std::string& text, int16_t address) {
    size_t len = 0;
    const size_t p = FindSection(text, NameOf(address), &len);
    return p == std::string::npos ? std::string() : text.substr(p, len);
}

std::string SetSignText(int16_t address, const std::string& text, const std::string& section) {
    const std::string name = NameOf(address);
    if (name.empty()) return text;
    size_t len = 0;
    const size_t p = FindSection(text, name, &len);
    if (p == std::string::npos) return text + kSectionMark + name + section;
    std::string r = text;
    r.replace(p, len, section);
    return r;
}

std::string RemoveSignText(const std::string& text, int16_t address) {
    size_t len = 0;
    const size_t p = FindSection(text, NameOf(address), &len);
    if (p == std::string::npos) return text;
    std::string r = text;
    r.erase(p, len);
    return r;
}

std::string SetHashField(const std::string& section, int16_t n, const std::string& value) {
    const std::string field = "# " + value;
    const size_t p = n >= 1 ? NthHash(section, n) : std::string::npos;
    if (p == std::string::npos) return section + field;
    const size_t q = section.find('#', p + 1);
    return section.substr(0, p) + field + (q == std::string::npos ? std::string() : section.substr(q));
}

std::string RemoveHashField(const std::string& section, int16_t n) {
    if (n == 1) {
        const size_t p = section.find('#');
        const size_t q = p == std::string::npos ? p : section.find('#', p + 1);
        if (q == std::string::npos) return {};
        return section.substr(0, p) + section.substr(q);
    }
    if (n < 1) return section;
    const size_t p = NthHash(section, n);
    if (p == std::string::npos) return section;
    const size_t q = section.find('#', p + 1);
    return section.substr(0, p) + (q == std::string::npos ? std::string() : section.substr(q));
}

namespace {
void SetSignField(DestRecord& r, int16_t address, int16_t n, const std::string& value) {
    r.Text = SetSignText(address, r.Text, SetHashField(GetSignText(r.Text, address), n, value));
}

void RemoveSignField(DestRecord& r, int16_t address, int16_t n) {
    const std::string s = RemoveHashField(GetSignText(r.Text, address), n);
    r.Text = s.empty() ? RemoveSignText(r.Text, address) : SetSignText(address, r.Text, s);
}
}  // namespace

void SetDestSignField(int16_t index, int16_t address, int16_t n, const std::string& value) {
    SetSignField(DestAt(index), address, n, value);
}

void SetExtraSignField(int16_t index, int16_t address, int16_t n, const std::string& value) {
    SetSignField(ExtraAt(index), address, n, value);
}

void SetExtraField(int16_t index, int16_t, int16_t n, const std::string& value) {
    DestRecord& r = ExtraAt(index);
    r.Text = SetHashField(r.Text, n, value);
}

void RemoveDestSignField(int16_t index, int16_t address, int16_t n) { RemoveSignField(DestAt(index), address, n); }

void RemoveExtraSignField(int16_t index, int16_t address, int16_t n) { RemoveSignField(ExtraAt(index), address, n); }

void RemoveExtraField(int16_t index, int16_t n) {
    DestRecord& r = ExtraAt(index);
    r.Text = RemoveHashField(r.Text, n);
}

std::string RemoveSeparators(const std::string& text) { return RemoveString(text, std::string(1, kSectionMark)); }

void ResetRecords() {
    gDestList.fill(DestRecord{});
    gExtraList.fill(DestRecord{});
    gSeparator.assign(1, kSectionMark);
    gDestListActive = kTrue;
    gCurrentDest = 1;
    gCurrentExtra = 1;
    gCurrentSign = 0;
    gCurrentPage = 1;
    gExtraPerSign = kFalse;
    gChangeTime = 3;
    gDefaultChangeTime = 3;
    gTenCharFieldOn = kFalse;
}

namespace {
const ResetRegistrar kReset("records", StateLayer::Data, ResetRecords);
}  // namespace

}  // namespace kv
