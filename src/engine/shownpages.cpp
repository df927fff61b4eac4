#include "engine/shownpages.h"

#include <algorithm>

#include "data/inverted.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/markup.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "engine/textstrip.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::array<ShownPage, kShownEditors> gShownPages;

namespace {

bool IsEditor(int16_t editor) { return editor >= 0 && editor < kShownEditors; }

int16_t CurrentEntry() { return gDestListActive ? gCurrentDest : gCurrentExtra; }

bool ValidEntry(bool destination, int16_t entry) {
    return entry >= 0 && entry < (destination ? kDestCount : kExtraCount);
}

}  // namespace

std::string GraphicEditorContent() {
    std::string data = BuildSignData(PageFirstCell());
    // The header follows the route-number settings, not the page.
    const std::string header = BuildTextHeader();
    if (!header.empty() && data.compare(0, header.size(), header) == 0) data.erase(0, header.size());
    const std::string structure = PageStructureMarkup();
    // The inverted text the picture shows (made by the invert command or
    // loaded with the page).
    const std::string inverted = gHasGraphic ? gAltBuffer : std::string();
    if (data.empty() && structure.empty() && inverted.empty()) return "";
    // Showing the route-number area on a page is an edit of it.
    return data + '\x1f' + structure + '\x1f' + inverted + (gShowLineNo ? "\x1f" "area" : "");
}

std::string StripEditorContent() {
    std::string out;
    for (int i = 1; i <= std::min<int>(gCodeCount, kStripPlaces); ++i) out += static_cast<char>(gCodeTable[static_cast<size_t>(i)]);
    while (!out.empty() && out.back() == ' ') out.pop_back();
    return out;
}

std::optional<std::string> RecordPageOf(bool destination, int16_t entry, int16_t address, int16_t n) {
    if (!ValidEntry(destination, entry) || n < 1) return std::nullopt;
    const DestRecord& r = destination ? gDestList[static_cast<size_t>(entry)] : gExtraList[static_cast<size_t>(entry)];
    std::string content;
    if (destination || gExtraPerSign) {
        if (GetSignSection(r.SignData, address).empty()) return std::nullopt;
        content = GetSectionText(address, r.SignData);
    } else {
        if (r.SignData.empty()) return std::nullopt;
        content = r.SignData;
    }
    const int16_t pages = static_cast<int16_t>(1 + std::count(content.begin(), content.end(), '\xb0'));
    if (n > pages) return std::nullopt;
    return GetRow(n, content);
}

void NoteShownPage(int16_t editor, int16_t sign, int16_t page, const std::string& content) {
    if (!IsEditor(editor)) return;
    ShownPage& p = gShownPages[static_cast<size_t>(editor)];
    p.sign = sign;
    p.destination = gDestListActive != 0;
    p.entry = CurrentEntry();
    p.page = page;
    const std::optional<std::string> stored = RecordPageOf(p.destination, p.entry, sign, page);
    p.fromEntry = stored.has_value();
    p.recordPage = stored.value_or(std::string());
    p.content = content;
    p.held = content;
    p.emptiedByUser = false;
    p.toStore = false;
}

void ForgetShownPage(int16_t editor, const std::string& content) {
    if (!IsEditor(editor)) return;
    ShownPage& p = gShownPages[static_cast<size_t>(editor)];
    p = ShownPage{};
    p.content = content;
    p.held = content;
}

void NoteEmptiedByUser(int16_t editor, const ShownPage& held) {
    if (!IsEditor(editor)) return;
    ShownPage& p = gShownPages[static_cast<size_t>(editor)];
    // Only a page under the marker that held something is emptied as an
    // edit; emptying what another page left, or an empty page, stores
    // nothing.
    if (!held.fromEntry || held.page != gCurrentPage || held.content.empty()) {
        ForgetShownPage(editor, "");
        return;
    }
    // The content it was loaded with stays: typing it anew is no edit.
    p = held;
    p.held.clear();
    p.emptiedByUser = true;
}

void NoteContentToStore(int16_t editor) {
    if (IsEditor(editor)) gShownPages[static_cast<size_t>(editor)].toStore = true;
}

void NoteEditorLeavesHand(int16_t editor) {
    // Only the edit state of the current sign's picture is in hand.
    if (!IsEditor(editor) || editor != CurrentGraphicEditor()) return;
    gShownPages[static_cast<size_t>(editor)].held = GraphicEditorContent();
}

const std::string& HeldContent(int16_t editor) {
    static const std::string none;
    return IsEditor(editor) ? gShownPages[static_cast<size_t>(editor)].held : none;
}

int16_t CurrentGraphicEditor() {
    if (!IsSignAddress(gCurrentSign)) return -1;
    const int16_t k = SignInfoOf(gCurrentSign).GraphicIndex;
    return k >= 0 && k < static_cast<int16_t>(kGraphicCount) ? k : int16_t{-1};
}

void ForgetGraphicEditors(bool all) {
    const std::string content = GraphicEditorContent();
    if (all) {
        for (int16_t k = 0; k < static_cast<int16_t>(kGraphicCount); ++k) ForgetShownPage(k, content);
    } else if (IsSignAddress(gCurrentSign)) {
        ForgetShownPage(SignInfoOf(gCurrentSign).GraphicIndex, content);
    }
}

namespace {

// The editor holds (or held, before the user emptied it) page gCurrentPage
// of the current entry.
bool HoldsPageShown(const ShownPage& p) {
    return p.fromEntry && p.destination == (gDestListActive != 0) && p.entry == CurrentEntry() &&
           p.page == gCurrentPage;
}

}  // namespace

ShownWrite ShownPageWrite(int16_t editor, int16_t sign, const std::string& content) {
    if (!IsEditor(editor)) return ShownWrite::None;
    const ShownPage& p = gShownPages[static_cast<size_t>(editor)];
    // What another sign left in the editor is not this sign's.
    if (p.sign != 0 && p.sign != sign) return ShownWrite::None;
    if (p.toStore) return ShownWrite::Write;
    // Emptied by the user: an edit like any other, stored at the page shown
    // (the page it emptied, or the page it was carried on to).
    if (p.emptiedByUser && content.empty()) return ShownWrite::Write;
    if (content != p.content) return ShownWrite::Write;
    if (!HoldsPageShown(p)) return ShownWrite::None;
    const std::optional<std::string> now = RecordPageOf(p.destination, p.entry, sign, p.page);
    return now && *now == p.recordPage ? ShownWrite::Keep : ShownWrite::None;
}

bool ShownPageUnstored(int16_t editor, int16_t sign, const std::string& content) {
    if (!IsEditor(editor)) return false;
    const ShownPage& p = gShownPages[static_cast<size_t>(editor)];
    if (p.sign != 0 && p.sign != sign) return false;
    if (p.toStore) return true;
    if (p.emptiedByUser && content.empty()) return true;
    return content != p.content;
}

const std::string& ShownRecordPage(int16_t editor) {
    static const std::string none;
    return IsEditor(editor) ? gShownPages[static_cast<size_t>(editor)].recordPage : none;
}

void ResetShownPages() { gShownPages.fill(ShownPage{}); }

namespace {
const ResetRegistrar kReset("shown pages", StateLayer::Engine, ResetShownPages);
const ResetRegistrar kProjectReset("shown pages", StateLayer::Engine, ResetShownPages, ResetScope::Project);
}  // namespace

}  // namespace kv
