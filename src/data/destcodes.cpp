#include "data/destcodes.h"

#include <algorithm>

#include "data/destlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "platform/cp1252.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gDestCodesOn = kFalse;
int16_t gTxlVersion = 0;
int16_t gInsertMode = kFalse;
std::array<std::string, 4> gAllowedCodeChars = {" 0123456789", " 0123456789AbCdEFHL", " 0123456789AbCdEFHL",
                                                " 0123456789"};

namespace {
std::function<std::string()>& CurrentNumberSource() {
    static std::function<std::string()> source;
    return source;
}
}  // namespace

void SetCurrentNumberTextSource(std::function<std::string()> source) { CurrentNumberSource() = std::move(source); }
void ShowSaveButtonCaption(const std::string& caption) { WindowPort().SetSaveButtonCaption(caption); }

std::string DefaultAllowedCodeChars(int position) {
    return position == 2 || position == 3 ? " 0123456789AbCdEFHL" : " 0123456789";
}

bool CodeModeOn() { return gTxlVersion == 6 || (gTxlVersion == 7 && gDestCodesOn); }

std::string PadCode(const std::string& code) {
    std::string c = code;
    c.resize(4, ' ');
    return c;
}

void SetDestCode(int16_t index, const std::string& code) {
    if (gDestListActive) DestAt(index).Code = PadCode(code);
}

bool FindDestByCode(const std::string& code, int16_t& index) {
    const std::string wanted = PadCode(code);
    const int16_t last = LastUsedNumber(DestList);
    for (int16_t i = 1; i <= last && i < kDestCount; ++i) {
        if (gDestList[static_cast<size_t>(i)].Code == wanted) {
            index = i;
            return true;
        }
    }
    index = 0;
    return false;
}

namespace {
// 0-based place of c in the allowed characters of a position, ignoring case.
size_t AllowedPlace(int position, char c) {
    return UCase(gAllowedCodeChars[static_cast<size_t>(position)]).find(UCase(std::string(1, c)));
}
}  // namespace

bool CheckCodeChars(std::string& code, int n) {
    n = std::clamp(n, 0, 4);
    if (static_cast<int>(code.size()) > n) return false;
    std::string padded = code;
    padded.resize(static_cast<size_t>(n), ' ');
    code = padded;
    std::string result;
    for (int i = 0; i < n; ++i) {
        const size_t j = AllowedPlace(i, padded[static_cast<size_t>(i)]);
        if (j == std::string::npos) return false;
        result += gAllowedCodeChars[static_cast<size_t>(i)][j];
    }
    code = result;
    return true;
}

std::string CheckDestCode(const std::string& code, int16_t number) {
    std::string c = PadCode(code);
    // No more distinct codes than the allowed characters can form, and never
    // more than there are destinations: one of those must be free.
    long limit = 1;
    for (const auto& a : gAllowedCodeChars) limit = std::min(limit * std::max<long>(1, a.size()), long{kDestCount});
    for (long tries = 0; tries <= limit; ++tries) {
        const std::string before = c;
        for (int i = 3; i >= 0; --i) {
            const std::string& allowed = gAllowedCodeChars[static_cast<size_t>(i)];
            const size_t j = AllowedPlace(i, c[static_cast<size_t>(i)]);
            if (j == std::string::npos) break;
            if (j + 1 == allowed.size()) {
                c[static_cast<size_t>(i)] = allowed[0];  // carry to the left
                continue;
            }
            c[static_cast<size_t>(i)] = allowed[j + 1];
            break;
        }
        if (c == "    ") break;
        int16_t index = 0;
        if (!FindDestByCode(c, index)) return c;
        if (c == before) break;  // a character that is not allowed stops the count
    }
    return std::to_string(number);
}

int16_t GetDestIndex(const std::string& text) {
    if (gDestCodesOn) {
        const int16_t last = LastUsedNumber(DestList);
        for (int16_t i = 1; i <= last && i < kDestCount; ++i)
            if (gDestList[static_cast<size_t>(i)].Code == text) return i;
        MsgBox(gTextS135.size() < 2 ? std::string("Index not found!") : gTextS135, vbOKOnly);
        return gCurrentDest;
    }
    const std::string box = CurrentNumberSource() ? CurrentNumberSource()() : text;
    return CIntClamp(Val(box));
}

namespace {
// The typed text as a plain whole number 1..top (no sign, no leading zero,
// no fraction, no blanks inside), else 0.
int TypedNumber(const std::string& typed, int top) {
    const std::string t = Trim(typed);
    if (t.empty() || t.size() > 5 || t[0] == '0') return 0;
    for (char c : t)
        if (c < '0' || c > '9') return 0;
    const int v = std::stoi(t);
    return v <= 32767 && v <= top ? v : 0;
}
}  // namespace

int16_t GetFreeListNo(int16_t list, const std::string& typed) {
    const bool dest = list != 0;
    const int last = LastUsedNumber(dest ? DestList : ExtraList);
    const int top = dest ? kDestCount - 1 : kExtraCount - 1;
    auto table = [&](int k) -> const DestRecord& {
        return dest ? gDestList[static_cast<size_t>(k)] : gExtraList[static_cast<size_t>(k)];
    };
    const int upper = std::min(dest ? last : last - 1, top);
    for (int k = 1; k <= upper; ++k)
        if (table(k).SignData.empty()) return static_cast<int16_t>(k);
    const int t = TypedNumber(typed, top);
    if (t >= 1 && table(t).SignData.empty()) return static_cast<int16_t>(t);
    if (last < top - 1) return static_cast<int16_t>(last + 1);
    MsgBox(gTextS102, vbExclamation);
    return -1;
}

void DisableInsertMode() {
    if (!CodeModeOn() || !gInsertMode) return;
    MsgBox(gTextS155.size() < 2 ? std::string("Insertmode disabled!") : gTextS155, vbOKOnly);
    gInsertMode = kFalse;
    IniSetValue(gSettingsFile, "Generell", "InsertMode", 0);
    ShowSaveButtonCaption(gTextS6);
}

namespace {
// Keys compare character by character by their code (as Unicode), then by length.
bool KeyLess(const std::string& a, const std::string& b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        const char32_t x = UnicodeOf1252(static_cast<unsigned char>(a[i]));
        const char32_t y = UnicodeOf1252(static_cast<unsigned char>(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}
}  // namespace

void SortIndexByKey(std::vector<SortItem>& items) {
    if (items.size() < 2) return;
    for (size_t i = 0; i < items.size(); ++i) items[i].Index = static_cast<int32_t>(i + 1);
    std::stable_sort(items.begin(), items.end(), [](const SortItem& a, const SortItem& b) { return KeyLess(a.Key, b.Key); });
}

void SortDestList() {
    if (!gDestCodesOn) return;
    int last = LastUsedNumber(DestList);
    if (last < 2) return;
    const int lines = DestList.ListCount();
    // Compaction: records far beyond the list's length move into free records.
    for (int guard = 0; guard < kDestCount && last - lines >= 101; ++guard) {
        DestRecord& tail = gDestList[static_cast<size_t>(last)];
        if (tail.Text.empty()) break;
        int free = 0;
        for (int k = 1; k <= lines && k < kDestCount; ++k) {
            if (gDestList[static_cast<size_t>(k)].Text.empty()) {
                free = k;
                break;
            }
        }
        if (free == 0) break;
        gDestList[static_cast<size_t>(free)] = tail;
        tail = DestRecord{};
        last = LastUsedNumber(DestList);
    }
    if (last < 1) return;
    if (last == lines) {
        bool ascending = true;
        for (int i = 1; i < last && ascending; ++i)
            ascending = KeyLess(PadCode(gDestList[static_cast<size_t>(i)].Code), PadCode(gDestList[static_cast<size_t>(i + 1)].Code));
        if (ascending) return;
    }
    std::vector<SortItem> items(static_cast<size_t>(last));
    int empty = 0;
    for (int i = 1; i <= last; ++i) {
        const DestRecord& r = gDestList[static_cast<size_t>(i)];
        if (r.SignData.empty()) {
            items[static_cast<size_t>(i - 1)].Key = "\xF6\xF6\xF6\xF6";
            ++empty;
        } else {
            items[static_cast<size_t>(i - 1)].Key = PadCode(r.Code);
        }
    }
    SortIndexByKey(items);
    std::vector<DestRecord> copy(gDestList.begin() + 1, gDestList.begin() + 1 + last);
    for (int k = 0; k < last; ++k) {
        const int from = items.size() < 2 ? k + 1 : items[static_cast<size_t>(k)].Index;
        gDestList[static_cast<size_t>(k + 1)] = copy[static_cast<size_t>(from - 1)];
    }
    for (int k = last - empty + 1; k <= last; ++k) gDestList[static_cast<size_t>(k)] = DestRecord{};
}

void ResetDestCodes() {
    gDestCodesOn = kFalse;
    gTxlVersion = 0;
    gInsertMode = kFalse;
    for (int i = 0; i < 4; ++i) gAllowedCodeChars[static_cast<size_t>(i)] = DefaultAllowedCodeChars(i + 1);
    SetCurrentNumberTextSource(nullptr);
}

namespace {
const ResetRegistrar kReset("destination codes", StateLayer::Data, ResetDestCodes);
}  // namespace

}  // namespace kv
