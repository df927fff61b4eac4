#include "data/inverted.h"

#include <algorithm>
#include <vector>

#include "data/records.h"
#include "data/signdata.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::string gAltBuffer;
int16_t gAltBufferChanged = kFalse;
int16_t gHasGraphic = kFalse;

namespace {
std::function<void(const std::string&)>& ReparseHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

bool HasSections() { return gDestListActive || gExtraPerSign; }

DestRecord& CurrentRecord() { return gDestListActive ? DestAt(gCurrentDest) : ExtraAt(gCurrentExtra); }

}  // namespace

void SetInvertReparseHook(std::function<void(const std::string&)> hook) { ReparseHook() = std::move(hook); }

std::string InvertGetSegment(int16_t index, int16_t address, int16_t& n, int16_t& multi) {
    if (gHasGraphic) return {};
    const DestRecord& r = ActiveAt(index);
    if (r.AltText.empty()) return {};
    return GetPageOfContent(GetSectionText(address, r.AltText), n, multi);
}

std::string InvertGetExtraSegment(int16_t index, int16_t& n, int16_t& multi) {
    multi = kFalse;
    const DestRecord& r = ExtraAt(index);
    if (r.AltText.empty()) return {};
    return GetPageOfContent(r.AltText, n, multi);
}

std::string InvertNthSegment(int16_t n, const std::string& content) { return GetRow(n, content); }

void InvertLoadBuffer() {
    // A local page number: an inverted store with fewer pages than SignData
    // must not move the editor to another page.
    int16_t n = gCurrentPage;
    int16_t multi = kFalse;
    if (CurrentRecord().AltText.empty()) {
        gAltBuffer.clear();
    } else if (gDestListActive) {
        gAltBuffer = InvertGetSegment(gCurrentDest, gCurrentSign, n, multi);
    } else if (gExtraPerSign) {
        gAltBuffer = InvertGetSegment(gCurrentExtra, gCurrentSign, n, multi);
    } else {
        gAltBuffer = InvertGetExtraSegment(gCurrentExtra, n, multi);
    }
}

void InvertStoreDest(int16_t index, int16_t address, int16_t n, const std::string& value) {
    SetSectionPageIn(DestAt(index).AltText, address, n, value, true);
}

void InvertStoreExtra(int16_t index, int16_t address, int16_t n, const std::string& value) {
    SetSectionPageIn(ExtraAt(index).AltText, address, n, value, true);
}

void InvertStoreExtraSimple(int16_t index, int16_t n, const std::string& value) {
    std::string v = value;
    if (!v.empty() && v[0] == kPageMark) v.erase(0, 2);
    SetContentPageIn(ExtraAt(index).AltText, n, v);
}

namespace {
void StoreCurrent(const std::string& value, int16_t page) {
    if (gDestListActive) InvertStoreDest(gCurrentDest, gCurrentSign, page, value);
    else if (gExtraPerSign) InvertStoreExtra(gCurrentExtra, gCurrentSign, page, value);
    else InvertStoreExtraSimple(gCurrentExtra, page, value);
}
}  // namespace

void InvertApply(const std::string& text, int16_t page) {
    if (page < 1) page = gCurrentPage;
    DestRecord& r = CurrentRecord();
    if (!r.AltText.empty() && HasSections()) {
        // A sign with page data but no section in the store gets an empty
        // section; one that has a section (even an empty one) keeps it.
        if (!GetSectionText(gCurrentSign, r.SignData).empty() &&
            r.AltText.find(SectionKey(gCurrentSign)) == std::string::npos)
            r.AltText += SectionKey(gCurrentSign);
    }
    if (r.AltText.empty()) r.AltText = r.SignData;
    // The inverted text the picture shows (the buffer stays: the invert
    // command turns it back from there); else the page's own bytes, a text
    // or a graphic that no text made. An emptied page empties it too.
    StoreCurrent(gHasGraphic && !gAltBuffer.empty() ? gAltBuffer : text, page);
    gAltBufferChanged = kFalse;
}

namespace {

// The pages of a content, page 1 first, each without its mark.
std::vector<std::string> PagesOf(const std::string& content) {
    std::vector<std::string> pages;
    const int16_t n = static_cast<int16_t>(1 + std::count(content.begin(), content.end(), kPageMark));
    for (int16_t i = 1; i <= n; ++i) pages.push_back(GetRow(i, content));
    return pages;
}

// `alt` with exactly the pages of `data`: its own where it has them, the
// others from `data`; every mark carries the time of data's mark.
std::string KeepPagesOf(const std::string& alt, const std::string& data) {
    const std::vector<std::string> own = PagesOf(alt), wanted = PagesOf(data);
    std::string out;
    size_t mark = std::string::npos;
    for (size_t i = 0; i < wanted.size(); ++i) {
        if (i > 0) {
            mark = data.find(kPageMark, mark == std::string::npos ? 0 : mark + 1);
            out += kPageMark;
            out += mark + 1 < data.size() ? data[mark + 1] : static_cast<char>(gChangeTime);
        }
        out += i < own.size() ? own[i] : wanted[i];
    }
    return out;
}

}  // namespace

void InvertKeepPages(bool destination, int16_t index, int16_t address, bool mirror) {
    DestRecord& r = destination ? DestAt(index) : ExtraAt(index);
    if (r.AltText.empty()) return;
    if (!destination && !gExtraPerSign) {
        r.AltText = mirror || r.SignData.empty() ? r.SignData : KeepPagesOf(r.AltText, r.SignData);
        return;
    }
    const std::string data = GetSignSection(r.SignData, address);
    const std::string alt = GetSignSection(r.AltText, address);
    if (data.empty()) {
        if (!alt.empty()) r.AltText = ReplaceSection(r.AltText, address, "");
        return;
    }
    const std::string dataContent = data.substr(2), altContent = alt.size() > 2 ? alt.substr(2) : std::string();
    const std::string kept = mirror || altContent.empty() ? dataContent : KeepPagesOf(altContent, dataContent);
    if (alt.empty()) r.AltText = InsertSection(r.AltText, address, kept);
    else if (kept != altContent) r.AltText = ReplaceSection(r.AltText, address, SectionKey(address) + kept);
}

void InvertRemoveDest(int16_t index, int16_t address, int16_t n) { DeleteSectionPageIn(DestAt(index).AltText, address, n); }

void InvertRemoveExtraPart(int16_t index, int16_t address, int16_t n) {
    DeleteSectionPageIn(ExtraAt(index).AltText, address, n);
}

void InvertRemoveExtra(int16_t index, int16_t n) { DeleteContentPageIn(ExtraAt(index).AltText, n); }

void InvertRemoveCurrent() {
    if (CurrentRecord().AltText.empty()) return;
    if (gDestListActive) InvertRemoveDest(gCurrentDest, gCurrentSign, gCurrentPage);
    else if (gExtraPerSign) InvertRemoveExtraPart(gCurrentExtra, gCurrentSign, gCurrentPage);
    else InvertRemoveExtra(gCurrentExtra, gCurrentPage);
}

void InvertResetBuffer() {
    gAltBufferChanged = kFalse;
    // The parser empties the editor, and with its graphic the buffer.
    const std::string data = gAltBuffer;
    if (ReparseHook()) ReparseHook()(data);
    gAltBuffer.clear();
}

void ResetInvertedStore() {
    gAltBuffer.clear();
    gAltBufferChanged = kFalse;
    gHasGraphic = kFalse;
    SetInvertReparseHook(nullptr);
}

namespace {
const ResetRegistrar kReset("inverted-text store", StateLayer::Data, ResetInvertedStore);
}  // namespace

}  // namespace kv
