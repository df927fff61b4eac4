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
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/marking.h"
#include "engine/pageload.h"
#include "engine/routefield.h"
#include "engine/routenumber.h"
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
    WindowPort().SetRouteNoBoxText(GetActiveRow(entry, k1000, page, multi));
}

// The current page of the current sign's section is its only one.
bool CurrentSectionSinglePage(int16_t entry) {
    int16_t page = gCurrentPage, multi = 0;
    GetActiveRow(entry, gCurrentSign, page, multi);
    return multi == 0;
}

// The toolbar button of an alignment (1 left, 3 centre, 2 right); 0 for none.
int16_t AlignmentButton(int16_t alignment) {
    return alignment == 1 ? 10 : alignment == 3 ? 11 : alignment == 2 ? 12 : 0;
}

// Every shown graphic sign (with currentOnly only the current one) gets the
// entry's current page. The sign that was current stays current; unless
// currentOnly, each sign is made active in turn and the current one again at
// the end. Returns whether the current sign's section is single-page.
bool LoadIntoGraphicSigns(int16_t entry, bool currentOnly, bool destination) {
    SignWindowPort().SelectK4000Graphic(bCurrentSignOnly);
    const bool singlePage = CurrentSectionSinglePage(entry);
    const int16_t remembered = gCurrentSign;
    const std::vector<int16_t> signs = currentOnly ? std::vector<int16_t>{remembered} : ShownK4000Signs();
    for (int16_t address : signs) {
        const int16_t k = SignInfoOf(address).GraphicIndex;
        if (k < 0 || k >= kMaxSignPictures) continue;
        if (!currentOnly) EntryPort().ChangeAddress(k, false, true);
        gCurrentSign = address;
        int16_t page = gCurrentPage, multi = 0;
        const std::string text = GetActiveRow(entry, gCurrentSign, page, multi);
        InvertLoadBuffer();
        // Destinations place the cursor behind a route number; extra texts
        // align their rows by command.
        LoadPageIntoEditor(text, k, NumberOfChangingTexts(address), destination, !destination);
        ShowSign(false, false);
        if (gK1000Shown) ShowRouteNumberOfPage();
    }
    gCurrentSign = remembered;
    if (!currentOnly && IsSignAddress(remembered))
        EntryPort().ChangeAddress(SignInfoOf(remembered).GraphicIndex, false, true);
    return singlePage;
}

// One text for the current sign: a text sign's strip, or the current graphic
// sign when extra texts have no sections per sign. Returns whether it is
// single-page.
bool LoadIntoCurrentSign(int16_t entry, bool destination, int16_t pages) {
    int16_t page = gCurrentPage, multi = 0;
    std::string text = destination || gExtraPerSign ? GetActiveRow(entry, gCurrentSign, page, multi)
                                                    : GetExtraRow(entry, page, multi);
    if (gTextSignActive) {
        FitRowText(text);
    } else if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000") {
        SignWindowPort().SelectK4000Graphic(true);
        LoadPageIntoEditor(text, SignInfoOf(gCurrentSign).GraphicIndex, pages, false, true);
    }
    return multi == 0;
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

// The page options after a load: offered up to the entry's page count (or
// the current page), the changing-texts box showing whether the current
// sign has one page.
void ShowPageOptions(bool destinations, int16_t entry, int16_t n, bool singlePage) {
    const bool frameShown = EntryPort().ChangingTextsShown();
    const bool otherEntry = nPrevDest != entry;
    if ((n > 0 && !frameShown) || otherEntry) {
        if (destinations || gCurrentPage > n) {
            UpdateNoOfTextsOption(std::max(n, gCurrentPage), gCurrentPage);
        } else {
            UpdateNoOfTextsOption(n, gCurrentPage);
            SelectPageOption(gCurrentPage);
        }
        WindowPort().SetChangingTextsChecked(singlePage);
    } else if (destinations && !singlePage && frameShown) {
        UpdateNoOfTextsOption(n, gCurrentPage);
        WindowPort().SetChangingTextsChecked(false);
    } else if (destinations && gCurrentPage > n) {
        UpdateNoOfTextsOption(n, gCurrentPage);
    }
    if (destinations && n > 1 && !frameShown) ListPort().ShowPageFrame();
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

void LoadListEntry(bool destinations) {
    EntryWindow& entries = EntryPort();
    const std::string focused = ListPort().FocusedControl();
    if (focused != "K4000_pct" && focused != "picSign" && focused != (destinations ? "DestList" : "ExtraList") &&
        focused != "TNo_op") {
        if (gInsertMode) entries.SetCurrentNumberText(std::to_string(destinations ? gCurrentDest : gCurrentExtra));
        return;
    }
    if (destinations) {
        // The click's own bookkeeping of the previous number does not count here.
        const int16_t previous = nPrevDest;
        ListClick(true);
        nPrevDest = previous;
    }
    if (!AskSaveChanges()) return;

    gRealignPending = kFalse;
    EditorPicturePort().ClearEditorPicture();
    if (!bKeepCurrentNumber && !TakeNumberOfLine(destinations)) return;
    bKeepCurrentNumber = false;
    const int16_t entry = destinations ? gCurrentDest : gCurrentExtra;

    gChangeTime = destinations ? CurrentChangeTime() : ExtraAt(entry).ChangeTime;
    entries.ShowChangeTime(gChangeTime);
    const int16_t n = NumberOfChangingTexts(-1);
    if (n == 0) gCurrentPage = 1;
    else if (n < gCurrentPage) gCurrentPage = n;
    if (destinations && nPrevDest != entry) gCurrentPage = 1;
    if (!destinations) InvertLoadBuffer();

    const bool perSign = destinations || gExtraPerSign;
    const bool singlePage = perSign && !gTextSignActive
                                ? LoadIntoGraphicSigns(entry, destinations && bCurrentSignOnly, destinations)
                                : LoadIntoCurrentSign(entry, destinations, n);

    if (!destinations) entries.SetCurrentNumberText(std::to_string(entry));
    ShowPageOptions(destinations, entry, n, singlePage);
    if (destinations) {
        nPrevDest = entry;
        ListPort().SetBlackoutChecked(DestAt(entry).Flag != 0);
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

void LoadPageIntoEditor(const std::string& page, int16_t pictureIndex, int16_t pages, bool placeCursor,
                        bool alignByCommand) {
    ParseSignMarkup(page);
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
            CommandPort().ShowAlignment();
            if (const int16_t button = AlignmentButton(alignment)) CommandPort().SetToolbarButtonValue(button, 1);
            gTextAlignment = alignment;
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
}

namespace {
const ResetRegistrar kReset("entry load", StateLayer::App, ResetEntryLoad);
}  // namespace

}  // namespace kv
