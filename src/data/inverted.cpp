#include "data/inverted.h"

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
void StoreCurrent(const std::string& value) {
    if (gDestListActive) InvertStoreDest(gCurrentDest, gCurrentSign, gCurrentPage, value);
    else if (gExtraPerSign) InvertStoreExtra(gCurrentExtra, gCurrentSign, gCurrentPage, value);
    else InvertStoreExtraSimple(gCurrentExtra, gCurrentPage, value);
}
}  // namespace

void InvertApply(const std::string& text) {
    if (gAltBuffer.empty() && gHasGraphic) return;
    DestRecord& r = CurrentRecord();
    if (!r.AltText.empty() && HasSections()) {
        // A sign with page data but no section in the store gets an empty
        // section; one that has a section (even an empty one) keeps it.
        if (!GetSectionText(gCurrentSign, r.SignData).empty() &&
            r.AltText.find(SectionKey(gCurrentSign)) == std::string::npos)
            r.AltText += SectionKey(gCurrentSign);
    }
    if (r.AltText.empty()) r.AltText = r.SignData;
    if (!gAltBuffer.empty() && gAltBufferChanged) {
        StoreCurrent(gAltBuffer);
        gAltBuffer.clear();
    } else if (!text.empty() && !gHasGraphic) {
        StoreCurrent(text);
    }
    gAltBufferChanged = kFalse;
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
    if (ReparseHook()) ReparseHook()(gAltBuffer);
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
