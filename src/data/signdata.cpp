#include "data/signdata.h"

#include "data/records.h"
#include "data/signtable.h"
#include "platform/vb.h"

namespace kv {

namespace {

constexpr size_t npos = std::string::npos;

bool IsSectionText(const std::string& t) { return t.size() >= 2 && t[0] == kSectionMark; }

// Page marks are two characters (mark and time), so the search for the next
// mark goes on after the time character: a stored time that happens to be
// 176 is never taken for a mark.
size_t NextMark(const std::string& t, size_t from) { return from >= t.size() ? npos : t.find(kPageMark, from); }

// The k-th page mark (k >= 1) at or after `from`, or npos.
size_t NthMark(const std::string& t, int k, size_t from) {
    size_t p = npos;
    for (int i = 0; i < k; ++i) {
        p = NextMark(t, from);
        if (p == npos) return p;
        from = p + 2;
    }
    return p;
}

std::string TimeMark() { return std::string{kPageMark, static_cast<char>(ClampChangeTime(gChangeTime))}; }

// First content position of a section text or a content.
size_t ContentStart(bool sectionText) { return sectionText ? 2 : 0; }

std::string SetRowIn(const std::string& text, std::string& value, int16_t n, bool sectionText) {
    const size_t cs = ContentStart(sectionText);
    if (n >= 2) {
        value = TimeMark() + value;
        const size_t p = NthMark(text, n - 1, cs);
        if (p == npos) return text + value;
        const size_t q = NextMark(text, p + 2);
        return text.substr(0, p) + value + (q == npos ? std::string() : text.substr(q));
    }
    if (n != 1) return text;
    // Page 1 runs from the first content character, so an empty page 1 ahead
    // of further pages is found as such.
    const size_t e = NextMark(text, cs);
    return text.substr(0, cs) + value + (e == npos ? std::string() : text.substr(e));
}

std::string DeleteRowIn(const std::string& text, int16_t n, bool sectionText) {
    const size_t cs = ContentStart(sectionText);
    if (n >= 2) {
        const size_t p = NthMark(text, n - 1, cs);
        if (p == npos) return text;
        const size_t q = NextMark(text, p + 2);
        return text.substr(0, p) + (q == npos ? std::string() : text.substr(q));
    }
    if (n != 1) return text;
    const size_t p = NextMark(text, cs);
    if (p == npos) return {};
    const std::string rest = p + 2 <= text.size() ? text.substr(p + 2) : std::string();
    return sectionText ? text.substr(0, 2) + rest : rest;
}

}  // namespace

std::string SectionKey(int16_t address) { return std::string{kSectionMark, static_cast<char>(address)}; }

std::string GetSignSection(const std::string& text, int16_t address) {
    if (!IsSignAddress(address)) return {};
    const size_t p = text.find(SectionKey(address));
    if (p == npos) return {};
    const size_t e = text.find(kSectionMark, p + 1);
    return text.substr(p, (e == npos ? text.size() : e) - p);
}

std::string GetSectionText(int16_t address, const std::string& text) {
    const std::string s = GetSignSection(text, address);
    return s.size() > 2 ? s.substr(2) : std::string();
}

std::string GetRow(int16_t n, const std::string& content) {
    if (content.empty() || n < 1) return {};
    size_t s = 0;
    if (n >= 2) {
        const size_t p = NthMark(content, n - 1, 0);
        if (p == npos) return {};
        s = p + 2;
        if (s >= content.size()) return {};
    }
    const size_t e = NextMark(content, s);
    return content.substr(s, (e == npos ? content.size() : e) - s);
}

std::string GetPageOfContent(const std::string& content, int16_t& n, int16_t& multi) {
    multi = VbBool(content.find(kPageMark) != npos);
    if (!multi) n = 1;
    return GetRow(n, content);
}

std::string GetActiveRow(int16_t index, int16_t address, int16_t& n, int16_t& multi) {
    const DestRecord& r = ActiveAt(index);
    if (r.SignData.empty()) return {};
    return GetPageOfContent(GetSectionText(address, r.SignData), n, multi);
}

std::string GetExtraRow(int16_t index, int16_t& n, int16_t& multi) {
    multi = kFalse;
    const std::string& content = ExtraAt(index).SignData;
    if (content.empty()) return {};
    return GetPageOfContent(content, n, multi);
}

std::string SetRow(const std::string& text, std::string& value, int16_t n) {
    return SetRowIn(text, value, n, IsSectionText(text));
}

std::string SetPageTimes(const std::string& text) {
    std::string r = text;
    const char t = static_cast<char>(ClampChangeTime(gChangeTime));
    for (size_t p = NextMark(r, 0); p != npos; p = NextMark(r, p + 2))
        if (p + 1 < r.size()) r[p + 1] = t;
    return r;
}

std::string InsertSection(const std::string& s, int16_t address, const std::string& value) {
    if (!IsSignAddress(address)) return s;
    const std::string added = SectionKey(address) + value;
    if (s.empty()) return added;
    const auto addr = static_cast<unsigned char>(address);
    if (s.size() >= 2 && static_cast<unsigned char>(s[1]) > addr) return added + s;
    size_t p = 0;
    do {
        p = s.find(kSectionMark, p + 1);
    } while (p != npos && p + 1 < s.size() && static_cast<unsigned char>(s[p + 1]) < addr);
    if (p == npos) return s + added;
    return s.substr(0, p) + added + s.substr(p);
}

std::string ReplaceSection(const std::string& text, int16_t address, const std::string& section) {
    if (!IsSignAddress(address)) return text;
    const size_t p = text.find(SectionKey(address));
    if (p == npos) return text + section;
    const size_t e = text.find(kSectionMark, p + 1);
    return text.substr(0, p) + section + (e == npos ? std::string() : text.substr(e));
}

std::string DeleteRow(const std::string& text, int16_t n) { return DeleteRowIn(text, n, IsSectionText(text)); }

void SetSectionPageIn(std::string& field, int16_t address, int16_t n, const std::string& value, bool dropLeadingMark) {
    if (!IsSignAddress(address)) return;
    if (field.find(SectionKey(address)) == npos) {
        field = InsertSection(field, address, value);
        return;
    }
    std::string v = value;
    if (dropLeadingMark && !v.empty() && v[0] == kPageMark) v.erase(0, 2);
    const std::string section = SetPageTimes(SetRowIn(GetSignSection(field, address), v, n, true));
    field = ReplaceSection(field, address, section);
}

void DeleteSectionPageIn(std::string& field, int16_t address, int16_t n) {
    if (!IsSignAddress(address)) return;
    const std::string section = GetSignSection(field, address);
    if (section.empty()) return;
    field = ReplaceSection(field, address, DeleteRowIn(section, n, true));
}

void SetContentPageIn(std::string& field, int16_t n, const std::string& value) {
    std::string v = value;
    field = SetPageTimes(SetRowIn(field, v, n, false));
}

void DeleteContentPageIn(std::string& field, int16_t n) { field = DeleteRowIn(field, n, false); }

void SetDestSection(int16_t index, int16_t address, int16_t n, const std::string& value) {
    SetSectionPageIn(DestAt(index).SignData, address, n, value);
}

void SetActiveSection(int16_t index, int16_t address, int16_t n, const std::string& value) {
    SetSectionPageIn(ActiveAt(index).SignData, address, n, value);
}

void SetExtraSection(int16_t index, int16_t n, const std::string& value) {
    SetContentPageIn(ExtraAt(index).SignData, n, value);
}

void DeleteDestRow(int16_t index, int16_t address, int16_t n) { DeleteSectionPageIn(DestAt(index).SignData, address, n); }

void DeleteExtraSectionRow(int16_t index, int16_t address, int16_t n) {
    DeleteSectionPageIn(ExtraAt(index).SignData, address, n);
}

void DeleteExtraRow(int16_t index, int16_t n) { DeleteContentPageIn(ExtraAt(index).SignData, n); }

}  // namespace kv
