#include "app/entryload.h"

#include <algorithm>
#include <vector>

#include "app/entrywindow.h"
#include "app/listentries.h"
#include "app/pagetimes.h"
#include "app/signcontrols.h"
#include "data/charmap.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/fontlist.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/alignment.h"
#include "engine/dotlayers.h"
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/markup.h"
#include "engine/marking.h"
#include "engine/pageload.h"
#include "engine/routefield.h"
#include "engine/routenumber.h"
#include "engine/shownpages.h"
#include "engine/signcommands.h"
#include "engine/signpictures.h"
#include "engine/signview.h"
#include "engine/textedit.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

bool bSkipListClick = false;
bool SkipExtraListClick = false;
int16_t nPrevDest = 0;
bool bKeepCurrentNumber = false;
bool bCurrentSignOnly = false;
ListChoice gListChoiceAtPress;

namespace {
// The extra text loaded last.
int16_t gPreviousExtra = -1;
}  // namespace

namespace {

// The line the list's selection stands on; "" without one.
std::string SelectedLine(bool destinations) {
    const int row = ListPort().SelectedListRow(destinations);
    return row >= 0 ? (destinations ? DestList : ExtraList).List(row) : std::string();
}

// The highest address of a shown route-number sign; 0 without one.
int16_t LastShownK1000() {
    for (int16_t a = kLastSignAddress; a >= kFirstSignAddress; --a)
        if (SignInfoOf(a).Model == "K1000" && SignInfoOf(a).Shown) return a;
    return 0;
}

// The route-number box shows the current page of the last shown
// route-number sign.
void ShowRouteNumberOfPage() {
    const int16_t k1000 = LastShownK1000();
    if (k1000 == 0) return;
    int16_t page = gCurrentPage, multi = 0;
    const int16_t entry = gDestListActive ? gCurrentDest : gCurrentExtra;
    const std::string text = GetActiveRow(entry, k1000, page, multi);
    WindowPort().SetRouteNoBoxText(text);
    NoteShownPage(kRouteBoxEditor, k1000, page, text);
}

// The current page of the entry into the editor of the graphic sign in
// hand (made active by the caller), which then holds that page.
void LoadGraphicPage(int16_t entry, int16_t address, bool destination) {
    const int16_t k = SignInfoOf(address).GraphicIndex;
    int16_t page = gCurrentPage, multi = 0;
    const std::string text = GetActiveRow(entry, address, page, multi);
    // Destinations place the cursor behind a route number; extra texts
    // align their rows by command.
    LoadPageIntoEditor(text, k, NumberOfChangingTexts(address), destination, !destination);
    // A sign of a single page shows it on every page.
    NoteShownPage(k, address, page, GraphicEditorContent());
    ShowSign(false, false);
}

void LoadGraphicSign(int16_t entry, int16_t address, bool destination) {
    LoadGraphicPage(entry, address, destination);
    if (gK1000Shown) ShowRouteNumberOfPage();
}

// Every shown graphic sign (with currentOnly only the current one) gets the
// entry's current page. The sign that was current stays current; unless
// currentOnly, each sign is made active in turn and the current one again at
// the end.
void LoadIntoGraphicSigns(int16_t entry, bool currentOnly, bool destination) {
    SignWindowPort().SelectK4000Graphic(bCurrentSignOnly);
    const int16_t remembered = gCurrentSign;
    const std::vector<int16_t> signs = currentOnly ? std::vector<int16_t>{remembered} : ShownK4000Signs();
    for (int16_t address : signs) {
        const int16_t k = SignInfoOf(address).GraphicIndex;
        if (!OwnsPicture(address)) continue;
        if (!currentOnly) EntryPort().ChangeAddress(k, false, true);
        gCurrentSign = address;
        LoadGraphicSign(entry, address, destination);
    }
    gCurrentSign = remembered;
    if (!currentOnly && IsSignAddress(remembered))
        EntryPort().ChangeAddress(SignInfoOf(remembered).GraphicIndex, false, true);
}

// One text for the current sign: a text sign's strip, or the current graphic
// sign when extra texts have no sections per sign. The strip brings the
// route-number box along unless the caller shows it (withRouteBox false).
void LoadIntoCurrentSign(int16_t entry, bool destination, int16_t pages, bool withRouteBox = true) {
    int16_t page = gCurrentPage, multi = 0;
    std::string text = destination || gExtraPerSign ? GetActiveRow(entry, gCurrentSign, page, multi)
                                                    : GetExtraRow(entry, page, multi);
    if (gTextSignActive) {
        FitRowText(text);
        NoteShownPage(kStripEditor, gCurrentSign, page, StripEditorContent());
        if (gK1000Shown && withRouteBox) ShowRouteNumberOfPage();
    } else if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000") {
        SignWindowPort().SelectK4000Graphic(true);
        const int16_t k = SignInfoOf(gCurrentSign).GraphicIndex;
        LoadPageIntoEditor(text, k, pages, false, true);
        NoteShownPage(k, gCurrentSign, page, GraphicEditorContent());
    }
}

// The entry number of the list's chosen line; false (after the message) when
// a destination line names no destination.
bool TakeNumberOfLine(bool destinations) {
    if (!destinations) {
        const std::string line = SelectedLine(false);
        if (!line.empty()) gCurrentExtra = std::clamp<int16_t>(ExtraNumberOfLine(line), 0, kExtraCount - 1);
        return true;
    }
    gCurrentDest = GetDestIndex(PadCode(Left(SelectedLine(true), 4)));
    if (gCurrentDest > 0 && gCurrentDest < kDestCount) return true;
    gCurrentDest = 0;
    MsgBox(gTextS98, vbExclamation);
    if (DestList.ListCount() > 0) ListPort().SelectListRow(true, DestList.ListCount() - 1);
    RedrawEditor();
    return false;
}

// The page options after a load: every page a shown sign has and the page
// shown are offered. The changing texts show (box ticked, frame shown)
// when a shown sign has more than one page, and stay as they were for the
// entry already open.
void ShowPageOptions(int16_t n, bool otherEntry) {
    const bool shown = n > 1 || (EntryPort().ChangingTextsShown() && !otherEntry);
    UpdateNoOfTextsOption(std::max<int16_t>({n, gCurrentPage, 1}), gCurrentPage);
    SelectPageOption(gCurrentPage);
    WindowPort().SetChangingTextsChecked(shown);
}

}  // namespace

void ListClick(bool destinations) {
    EntryWindow& w = EntryPort();
    if (!destinations) {
        if (!SkipExtraListClick) {
            const std::string line = SelectedLine(false);
            if (!line.empty()) {
                gCurrentExtra = std::clamp<int16_t>(ExtraNumberOfLine(line), 0, kExtraCount - 1);
                w.SetCurrentNumberText(std::to_string(gCurrentExtra));
            }
        }
        SkipExtraListClick = false;
        return;
    }
    nPrevDest = gCurrentDest;
    if (bSkipListClick) {
        bSkipListClick = false;
        return;
    }
    const std::string head = Left(SelectedLine(true), 4);
    if (head.empty() || head == PadCode(std::to_string(gCurrentDest))) return;
    if (!CodeModeOn()) {
        gCurrentDest = std::clamp<int16_t>(ListLineNumber(head), 0, kDestCount - 1);
        w.SetCurrentNumberText(std::to_string(gCurrentDest));
    } else {
        gCurrentDest = GetDestIndex(head);
        w.SetCurrentNumberText(head);
    }
}

ListChoice CurrentListChoice(bool destinations) {
    ListChoice c;
    c.taken = true;
    c.number = destinations ? gCurrentDest : gCurrentExtra;
    c.numberText = EntryPort().CurrentNumberText();
    c.lines = EntryPort().ListSelectionOf(destinations);
    c.previousDest = nPrevDest;
    return c;
}

void LoadListEntry(bool destinations) {
    EntryWindow& entries = EntryPort();
    const std::string focused = ListPort().FocusedControl();
    if (focused != "K4000_pct" && focused != "picSign" && focused != (destinations ? "DestList" : "ExtraList") &&
        focused != "TNo_op") {
        if (gInsertMode) entries.SetCurrentNumberText(std::to_string(destinations ? gCurrentDest : gCurrentExtra));
        return;
    }
    // What the list named before this load's own click, or before the
    // double click's first one.
    const ListChoice before = gListChoiceAtPress.taken ? gListChoiceAtPress : CurrentListChoice(destinations);
    gListChoiceAtPress = ListChoice{};
    // A reload of the entry in hand (a page option's double click) takes no
    // number from the list.
    if (destinations && !bKeepCurrentNumber) {
        // The click's own bookkeeping of the previous number does not count here.
        const int16_t previous = nPrevDest;
        ListClick(true);
        nPrevDest = previous;
    }
    if (!AskSaveChanges()) {
        // The edits stay, and so does the entry they belong to.
        (destinations ? gCurrentDest : gCurrentExtra) = before.number;
        if (destinations) nPrevDest = before.previousDest;
        entries.SetCurrentNumberText(before.numberText);
        entries.RestoreListSelection(destinations, before.lines);
        bKeepCurrentNumber = false;
        FocusEditedSign();
        return;
    }

    gRealignPending = kFalse;
    EditorPicturePort().ClearEditorPicture();
    if (!bKeepCurrentNumber && !TakeNumberOfLine(destinations)) return;
    bKeepCurrentNumber = false;
    LoadCurrentEntry(destinations);
}

void LoadCurrentEntry(bool destinations) {
    EntryWindow& entries = EntryPort();
    const int16_t entry = destinations ? gCurrentDest : gCurrentExtra;
    const bool otherEntry = destinations ? nPrevDest != entry : gPreviousExtra != entry;

    gChangeTime = destinations ? CurrentChangeTime() : ExtraAt(entry).ChangeTime;
    entries.ShowChangeTime(gChangeTime);
    // The page shown stays, as far as a shown sign has it; another entry
    // starts on page 1.
    const int16_t n = PagesOfShownSigns();
    if (n == 0) gCurrentPage = 1;
    else if (n < gCurrentPage) gCurrentPage = n;
    if (destinations && otherEntry) gCurrentPage = 1;
    if (!destinations) InvertLoadBuffer();

    const bool perSign = destinations || gExtraPerSign;
    if (perSign && !gTextSignActive) LoadIntoGraphicSigns(entry, destinations && bCurrentSignOnly, destinations);
    else LoadIntoCurrentSign(entry, destinations, n);

    if (!destinations) entries.SetCurrentNumberText(std::to_string(entry));
    ShowPageOptions(n, otherEntry);
    if (destinations) {
        nPrevDest = entry;
        ListPort().SetBlackoutChecked(DestAt(entry).Flag != 0);
    } else {
        gPreviousExtra = entry;
    }

    if (gFontListIndex >= 0 && gFontListIndex < static_cast<int>(gFontList.size()))
        WindowPort().ShowFontLabel(gFontList[static_cast<size_t>(gFontListIndex)]);
    FocusEditedSign();
    if (!gTextSignActive) {
        CancelMarking();
        if (!destinations) ShowSign(false, false);
    }
    if (destinations) entries.SetCurrentNumberText(CurrentNumberBoxText(entry));
    gTextModified = kFalse;
}

void LoadOtherSigns() {
    const bool destination = gDestListActive != 0;
    const int16_t entry = destination ? gCurrentDest : gCurrentExtra;
    // While the text sign is edited the graphic signs beside it are not.
    if (!gTextSignActive && (destination || gExtraPerSign)) {
        const int16_t current = gCurrentSign;
        bool moved = false;
        for (int16_t address : ShownK4000Signs()) {
            const int16_t k = SignInfoOf(address).GraphicIndex;
            if (address == current || !OwnsPicture(address)) continue;
            EntryPort().ChangeAddress(k, false, true);
            moved = true;
            gCurrentSign = address;
            SignWindowPort().SelectK4000Graphic(true);
            LoadGraphicSign(entry, address, destination);
        }
        gCurrentSign = current;
        if (moved && IsSignAddress(current)) EntryPort().ChangeAddress(SignInfoOf(current).GraphicIndex, false, true);
    }
    if (gK1000Shown) ShowRouteNumberOfPage();
}

void ShowStoredPages() {
    const bool destination = gDestListActive != 0;
    const int16_t entry = destination ? gCurrentDest : gCurrentExtra;
    const int16_t page = gCurrentPage;
    auto hasPage = [&](int16_t address) { return RecordPageOf(destination, entry, address, page).has_value(); };
    if (!gTextSignActive && (destination || gExtraPerSign)) {
        const int16_t current = gCurrentSign;
        bool moved = false;
        for (int16_t address : ShownK4000Signs()) {
            const int16_t k = SignInfoOf(address).GraphicIndex;
            if (!OwnsPicture(address) || !hasPage(address)) continue;
            // The sign's own picture takes the page, also the current sign's
            // after another one was loaded.
            EntryPort().ChangeAddress(k, false, true);
            moved = moved || address != current;
            gCurrentSign = address;
            SignWindowPort().SelectK4000Graphic(true);
            LoadGraphicPage(entry, address, destination);
        }
        gCurrentSign = current;
        if (moved && IsSignAddress(current)) EntryPort().ChangeAddress(SignInfoOf(current).GraphicIndex, false, true);
    } else if (IsSignAddress(gCurrentSign) && hasPage(gCurrentSign)) {
        // The box takes the page below, where its sign has it.
        LoadIntoCurrentSign(entry, destination, NumberOfChangingTexts(-1), false);
    }
    const int16_t k1000 = LastShownK1000();
    if (k1000 != 0 && hasPage(k1000)) ShowRouteNumberOfPage();
}

void ShowEntryOnShownSigns() {
    const bool destination = gDestListActive != 0;
    const int16_t entry = destination ? gCurrentDest : gCurrentExtra;
    if (!gTextSignActive && (destination || gExtraPerSign)) LoadIntoGraphicSigns(entry, false, destination);
    else LoadIntoCurrentSign(entry, destination, NumberOfChangingTexts(-1));
    if (gK1000Shown) ShowRouteNumberOfPage();
    // The page options offer the pages the signs shown now have.
    ShowPagesOfShownSigns();
}

void LoadCurrentSign() {
    const bool destination = gDestListActive != 0;
    const int16_t entry = destination ? gCurrentDest : gCurrentExtra;
    if (!gTextSignActive && (destination || gExtraPerSign)) {
        if (!IsSignAddress(gCurrentSign) || SignInfoOf(gCurrentSign).Model != "K4000") return;
        SignWindowPort().SelectK4000Graphic(true);
        LoadGraphicSign(entry, gCurrentSign, destination);
    } else {
        LoadIntoCurrentSign(entry, destination, NumberOfChangingTexts(-1));
    }
}

void ReloadCurrentEntry() {
    gGraphicModified = kFalse;
    LoadCurrentEntry(gDestListActive != 0);
}

void ShowCurrentNumber() {
    EntryWindow& w = EntryPort();
    if (!gDestListActive) {
        w.SetCurrentNumberText(std::to_string(gCurrentExtra));
    } else if (gDestCodesOn) {
        std::string code = DestAt(gCurrentDest).Code;
        if (Trim(code).empty()) code = CheckDestCode("   0", gCurrentDest);
        w.SetCurrentNumberText(code);
    } else {
        w.SetCurrentNumberText(std::to_string(gCurrentDest));
    }
}

void LoadInvertedTextOfPage(const std::string& page) {
    // The store is read whether or not the page shows a graphic.
    const int16_t graphic = gHasGraphic;
    gHasGraphic = kFalse;
    InvertLoadBuffer();
    gHasGraphic = graphic;
    // Only a graphic shows an inverted text, and not one whose store holds
    // its own bytes (a picture).
    if (!gHasGraphic || gAltBuffer == page) gAltBuffer.clear();
    // What the invert command made belongs to the page that goes.
    gAltBufferChanged = kFalse;
    gInvertedText.clear();
}

void LoadPageIntoEditor(const std::string& page, int16_t pictureIndex, int16_t pages, bool placeCursor,
                        bool alignByCommand) {
    ParseSignMarkup(page);
    LoadInvertedTextOfPage(page);
    if (placeCursor && gCurrentRow == 1 && !gRouteNoLeft) {
        // A route number at the row's right end: the cursor goes in front of
        // it (a row of nothing but the field: before the row's first cell).
        int16_t width = 0, boundary = 0, flag = 0;
        std::string text;
        if (GetSelectionInfo(width, boundary, text, flag)) {
            if (flag) {
                const int16_t first = Row(1).FirstCell;
                if (IsUsedCell(first)) {
                    gCursorCell = first;
                    gCursorX = static_cast<int16_t>(Cell(first).X - 5);
                    gCursorBeforeCell = kTrue;
                    if (Row(1).Alignment == 0) Row(1).Alignment = 2;
                }
            } else if (boundary > 0) {
                gCursorX = static_cast<int16_t>(Cell(boundary).X + Cell(boundary).Width);
                const std::string font(1, Cell(boundary).FontCode);
                if (font != gCurrentFontCode) ReadCharMap(font);
            }
        }
    }
    const int16_t alignment = IsRowIndex(gCurrentRow) ? Row(gCurrentRow).Alignment : 0;
    if (alignment != gTextAlignment) {
        if (alignByCommand) {
            SetAlignment(alignment, false, true, false);
        } else {
            // The row's alignment alone shows pressed.
            gTextAlignment = alignment;
            ShowAlignmentKeys(alignment);
        }
    }
    // The picture's editor slot keeps the page with its font; the stored
    // changing-texts flag says whether the sign has two pages or more.
    StoreEditorPage(pictureIndex, true, pages);
}

void ResetEntryLoad() {
    bSkipListClick = false;
    SkipExtraListClick = false;
    nPrevDest = 0;
    bKeepCurrentNumber = false;
    bCurrentSignOnly = false;
    gListChoiceAtPress = ListChoice{};
    gPreviousExtra = -1;
}

namespace {
const ResetRegistrar kReset("entry load", StateLayer::App, ResetEntryLoad);
}  // namespace

}  // namespace kv
