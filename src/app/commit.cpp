#include "app/commit.h"

#include <algorithm>
#include <string>

#include "app/entryload.h"
#include "app/entrywindow.h"
#include "app/headstate.h"
#include "app/pagetimes.h"
#include "app/shownsigns.h"
#include "app/signcontrols.h"
#include "app/textrows.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/markup.h"
#include "engine/marking.h"
#include "engine/rowtidy.h"
#include "engine/routenumber.h"
#include "engine/signcommands.h"
#include "engine/shownpages.h"
#include "engine/signpictures.h"
#include "engine/alignment.h"
#include "engine/signview.h"
#include "engine/textstrip.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

int16_t gSaveChoice = 0;
int16_t gSaveCancelled = kFalse;

namespace {

constexpr int16_t kDestTop = kDestCount - 1;
constexpr int16_t kExtraTop = kExtraCount - 1;

// The hourglass while the commit runs, the normal pointer on every way out.
struct BusyPointer {
    BusyPointer() { SetBusy(true); }
    ~BusyPointer() { SetBusy(false); }
};

// The pages a sign has in a record of the active list.
int16_t PagesInRecord(bool destination, int16_t number, int16_t address) {
    int16_t n = 0;
    while (RecordPageOf(destination, number, address, static_cast<int16_t>(n + 1))) ++n;
    return n;
}

// After the sign's page was written: the store of inverted texts keeps its
// pages in step, and the editor now holds the page it was written to (a
// sign with fewer pages took it as its next one).
void AfterSignWritten(int16_t address, Road road) {
    const bool dest = gDestListActive != 0;
    const int16_t number = dest ? gCurrentDest : gCurrentExtra;
    InvertKeepPages(dest, number, address, road != Road::Graphic);
    const int16_t pages = PagesInRecord(dest, number, address);
    NoteShownPage(EditorOf(address, road), address, std::min(gCurrentPage, pages), ContentOf(road));
}

// The destination's list line replaced by its new one. When the list refuses
// it, the page just written is taken out again and false is returned.
bool ReplaceDestLine(int16_t dest, int16_t address, bool wasUsed, bool takeOutOnFailure = true) {
    DestRecord& r = DestAt(dest);
    r.ChangeTime = gChangeTime;
    r.Flag = VbBool(EntryPort().BlackOutChecked());
    if (wasUsed) {
        const int old = SelectListItemForRecord(true, dest);
        if (old > -1) DestList.RemoveItem(old);
    }
    bool error = false;
    PlaceListLine(r.Text, dest, DestList, &error);
    if (error) {
        if (takeOutOnFailure) {
            DeleteDestRow(dest, address, gCurrentPage);
            RemoveDestSignField(dest, address, gCurrentPage);
        }
        return false;
    }
    ChooseListLine(true, SelectListItemForRecord(true, dest));
    return true;
}

void ReplaceExtraLine(int16_t extra, bool wasUsed) {
    DestRecord& r = ExtraAt(extra);
    r.ChangeTime = gChangeTime;
    if (wasUsed) {
        const int old = FindListIndexByNumber(ExtraList, extra);
        if (old > -1) ExtraList.RemoveItem(old);
    }
    PlaceListLine(r.Text, extra, ExtraList);
    ChooseListLine(false, FindListIndexByNumber(ExtraList, extra));
}

// The inverted-text store takes the page written: an imported picture is no
// inverted text, whatever the editor showed before it came.
void StoreInvertedPage(const std::string& data, int16_t page) {
    if (gPictureImportActive) gAltBuffer.clear();
    InvertApply(data, page);
}

// The page of the graphic sign's editor: its markup and its bytes.
struct GraphicPage {
    std::string markup, data;
};
GraphicPage EncodeGraphicPage() {
    TidyRowsForCommit();
    GraphicPage p;
    p.markup = EncodeSignObjects();
    p.data = BuildSignData(PageFirstCell());
    return p;
}

// A destination's page of one shown sign. False ends the commit.
bool CommitDestSign(int16_t address, Road road) {
    const int16_t dest = gCurrentDest, page = gCurrentPage;
    DestRecord& r = DestAt(dest);
    const bool wasUsed = !r.Text.empty();
    switch (road) {
        case Road::TextSign:
            SetDestSignField(dest, address, page, CharArrayToString());
            SetDestSection(dest, address, page, PadRowText(address));
            break;
        case Road::Graphic: {
            const GraphicPage p = EncodeGraphicPage();
            SetDestSignField(dest, address, page, p.markup);
            SetDestSection(dest, address, page, p.data);
            // The store of inverted texts takes the page where SignData put it
            // (a sign with fewer pages took it as its next one).
            StoreInvertedPage(p.data, std::min(page, PagesInRecord(true, dest, address)));
            SetDestCode(dest, PadCode(EntryPort().CurrentNumberText()));
            r.Srad = BuildTimeString();
            break;
        }
        case Road::RouteNumber: {
            if (!r.SignData.empty() && !GetSignSection(r.SignData, address).empty()) {
                DeleteDestRow(dest, address, 1);
                RemoveDestSignField(dest, address, 1);
            }
            const std::string text = EntryPort().RouteNoBoxText();
            SetDestSignField(dest, address, page, text);
            SetDestSection(dest, address, page, text);
            SetDestCode(dest, PadCode(EntryPort().CurrentNumberText()));
            break;
        }
        case Road::None: return true;
    }
    if (!ReplaceDestLine(dest, address, wasUsed)) return false;
    AfterSignWritten(address, road);
    return true;
}

// An extra text's page of one shown sign. False ends the commit.
bool CommitExtraSign(int16_t address, Road road) {
    if (road != Road::Graphic && road != Road::TextSign) return true;
    if (!gPictureImportActive && LastUsedNumber(ExtraList) <= 0) {
        const std::string question = LangText(gExtraPerSign ? "S1004" : "S1003");
        if (MsgBox(question, vbOKCancel | vbExclamation) == vbCancel) {
            gSaveCancelled = kTrue;
            return false;
        }
    }
    const int16_t extra = gCurrentExtra, page = gCurrentPage;
    DestRecord& r = ExtraAt(extra);
    const bool wasUsed = !r.Text.empty();
    std::string markup, data;
    if (road == Road::Graphic) {
        const GraphicPage p = EncodeGraphicPage();
        markup = p.markup;
        data = p.data;
    } else {
        markup = CharArrayToString();
        data = PadRowText(address);
    }
    if (gExtraPerSign) {
        SetExtraSignField(extra, address, page, markup);
        SetActiveSection(extra, address, page, data);
    } else {
        SetExtraField(extra, address, page, markup);
        SetExtraSection(extra, page, data);
    }
    if (road == Road::Graphic) {
        StoreInvertedPage(data, std::min(page, PagesInRecord(false, extra, address)));
        r.Srad = BuildTimeString();
    }
    ReplaceExtraLine(extra, wasUsed);
    AfterSignWritten(address, road);
    return true;
}

// A page the sign shows as it was loaded stays as it is: its bytes and its
// text are not encoded again; its page marks take the change time, and the
// record its time, blackout, code and list line, as a written page does.
bool KeepShownPage(int16_t address, Road road) {
    const int16_t page = gCurrentPage;
    const std::string bytes = ShownRecordPage(EditorOf(address, road));
    if (gDestListActive) {
        const int16_t dest = gCurrentDest;
        const bool wasUsed = !DestAt(dest).Text.empty();
        SetDestSection(dest, address, page, bytes);
        if (road != Road::TextSign) SetDestCode(dest, PadCode(EntryPort().CurrentNumberText()));
        if (!ReplaceDestLine(dest, address, wasUsed, false)) return false;
    } else {
        const int16_t extra = gCurrentExtra;
        const bool wasUsed = !ExtraAt(extra).Text.empty();
        if (gExtraPerSign) SetActiveSection(extra, address, page, bytes);
        else SetExtraSection(extra, page, bytes);
        ReplaceExtraLine(extra, wasUsed);
    }
    AfterSignWritten(address, road);
    return true;
}

// The route-number reference of a sign that shows the destination's route
// number by itself: "<" route-number text ">" while the texts per
// destination are on (a destination without a table entry gets "<L>").
bool CommitRouteNoReference(int16_t address) {
    const int16_t dest = gCurrentDest;
    std::string mark = "<L>";
    if (gLineNoTableOn && dest >= 0 && dest < kLineNoTableSize) mark = "<" + gLineNoTable[static_cast<size_t>(dest)] + ">";
    const bool wasUsed = !DestAt(dest).Text.empty();
    SetDestSignField(dest, address, gCurrentPage, mark);
    SetDestSection(dest, address, gCurrentPage, BuildTextHeader());
    return ReplaceDestLine(dest, address, wasUsed);
}

// Every sign, address 16 down to 2. False when the commit ended early.
bool CommitSigns(int16_t current, bool& anyShown) {
    for (int16_t address = kLastSignAddress; address >= kFirstSignAddress; --address) {
        const SignInfo& s = SignInfoOf(address);
        // A picture import writes the sign it imports into and no other.
        if (gPictureImportActive && address != current) {
            anyShown = anyShown || s.Shown != 0;
            continue;
        }
        if (s.Shown) {
            anyShown = true;
            const Road road = RoadOf(address, current);
            if (road == Road::Graphic) EntryPort().ChangeAddress(s.GraphicIndex, false, true);
            gCurrentSign = address;
            // What the user edited is written; the page the sign shows as it
            // was loaded stays; any other sign keeps its pages.
            const ShownWrite what =
                road == Road::None ? ShownWrite::None : ShownPageWrite(EditorOf(address, road), address, ContentOf(road));
            bool goOn = true;
            if (what == ShownWrite::Write) goOn = gDestListActive ? CommitDestSign(address, road) : CommitExtraSign(address, road);
            else if (what == ShownWrite::Keep) goOn = KeepShownPage(address, road);
            if (!goOn) return false;
        }
        if (s.RouteNoShown && !CommitRouteNoReference(address)) return false;
    }
    return true;
}

// The sign that was active before the commit becomes active again.
void RestoreActiveSign(int16_t current) {
    if (gCurrentSign == current) return;
    if (IsSignAddress(current) && RoadOf(current, current) == Road::Graphic)
        EntryPort().ChangeAddress(SignInfoOf(current).GraphicIndex, false, true);
    gCurrentSign = current;
}

// Selects the line while the open entry counts as unchanged.
void ReselectLine(bool dest, int index) {
    const int16_t text = gTextModified, graphic = gGraphicModified;
    gTextModified = gGraphicModified = kFalse;
    ChooseListLine(dest, index);
    gTextModified = text;
    gGraphicModified = graphic;
}

// Mode 1: the next page while the changing texts are shown, else the line.
void MoveToNext() {
    // The pages of every shown sign: the page shown is theirs.
    const int16_t pages = PagesOfShownSigns();
    if (EntryPort().ChangingTextsShown()) {
        // Nothing stands on the page shown: no page after it yet.
        if (gCurrentPage > pages) return;
        if (gCurrentPage == pages) {
            UpdateNoOfTextsOption(-1, 1);
        } else if (gCurrentPage < gNumberOfChangingTexts) {
            ++gCurrentPage;
            ReselectLine(gDestListActive, gDestListActive ? SelectListItemForRecord(true, gCurrentDest)
                                                          : FindListIndexByNumber(ExtraList, gCurrentExtra));
            SelectPageOption(gCurrentPage);
        }
        // Every sign that has the next page shows it.
        ShowStoredPages();
        return;
    }
    if (gDestListActive) {
        const int i = SelectListItemForRecord(true, gCurrentDest);
        if (i < 0 || i >= DestList.ListCount()) return;
        // With codes the line shows the code of the current destination.
        if (!gDestCodesOn) gCurrentDest = ListLineNumber(DestList.List(i));
        ReselectLine(true, i);
    } else {
        // The line after the extra text shown (it has one once stored); one
        // that has none yet stands before the first line of a higher number.
        const int shown = FindListIndexByNumber(ExtraList, gCurrentExtra);
        int i = shown + 1;
        if (shown < 0) {
            i = 0;
            while (i < ExtraList.ListCount() && ListLineNumber(ExtraList.List(i)) < gCurrentExtra) ++i;
        }
        if (i >= ExtraList.ListCount()) return;
        gCurrentExtra = ListLineNumber(ExtraList.List(i));
        ReselectLine(false, i);
        // The signs show the extra text the number box names.
        ReloadCurrentEntry();
    }
}

bool FreeForCurrentSign(int16_t n) {
    const DestRecord& r = gDestListActive ? DestAt(n) : ExtraAt(n);
    if (!gDestListActive && !gExtraPerSign) return r.SignData.empty();
    return r.SignData.find(SectionKey(gCurrentSign)) == std::string::npos;
}

// Mode 2: on to the next number that is free for the current sign.
void MoveToNextFree() {
    const bool dest = gDestListActive != 0;
    const int16_t top = dest ? kDestTop : kExtraTop;
    const int16_t start = dest ? gCurrentDest : gCurrentExtra;
    int16_t n = start, found = 0;
    for (int step = 0; step < top; ++step) {
        n = static_cast<int16_t>(n >= top ? 1 : n + 1);
        if (n == start) break;
        if (FreeForCurrentSign(n)) {
            found = n;
            break;
        }
    }
    if (found == 0) {
        MsgBox(gTextS102, vbExclamation);
    } else {
        ListModel& list = dest ? DestList : ExtraList;
        if (list.ListIndex() >= 0) list.SetSelected(list.ListIndex(), false);
        // The list chooses the line of the number found (a number free for
        // this sign may hold other signs' pages), or none.
        const int line = dest ? SelectListItemForRecord(true, found) : FindListIndexByNumber(ExtraList, found);
        if (line >= 0) ChooseListLine(dest, line);
        else EntryPort().RestoreListSelection(dest, ListSelection{EntryPort().ListSelectionOf(dest).current, {}});
        if (dest) {
            gCurrentDest = found;
            EntryPort().SetCurrentNumberText(gDestCodesOn ? CheckDestCode(EntryPort().CurrentNumberText(), found)
                                                          : std::to_string(found));
        } else {
            gCurrentExtra = found;
            EntryPort().SetCurrentNumberText(std::to_string(found));
        }
    }
    SetEditMenuState(gShowLineNo ? 1 : 0);
}

int16_t CurrentNumber() { return gDestListActive ? gCurrentDest : gCurrentExtra; }

// What the current page of the current sign holds already.
std::string CurrentPageContent() {
    int16_t page = gCurrentPage, multi = 0;
    if (gDestListActive || gExtraPerSign) return GetActiveRow(CurrentNumber(), gCurrentSign, page, multi);
    return GetExtraRow(gCurrentExtra, page, multi);
}

// The store buttons give the focus back to the sign.
void FocusAfterStore() {
    FocusEditedSign();
    if (!gTextSignActive) CancelMarking();
}

}  // namespace

void Save(int16_t mode) {
    BusyPointer busy;
    gDocumentModified = kTrue;
    StopTextWave();

    if (gLineNoTableOn) {
        if (!gDestListActive) {
            for (int i = 0; i < 3; ++i) Beep();
        } else if (gCurrentDest >= 0 && gCurrentDest < kLineNoTableSize) {
            gLineNoTable[static_cast<size_t>(gCurrentDest)] = EntryPort().RouteNoBoxText();
        } else {
            Beep();  // the table has no entry above 999
        }
    }

    const int16_t current = gCurrentSign;
    bool anyShown = false;
    const bool done = CommitSigns(current, anyShown);
    RestoreActiveSign(current);
    if (!done) return;
    // The change time and the blackout box belong to the destination, not to
    // a page: a Save stores them even where no page had to be written.
    if (gDestListActive && !gPictureImportActive && gCurrentDest >= 0 && gCurrentDest < kDestTop) {
        DestRecord& r = DestAt(gCurrentDest);
        if (!r.Text.empty()) {
            r.ChangeTime = gChangeTime;
            r.Flag = VbBool(EntryPort().BlackOutChecked());
        }
    }

    if (!anyShown) MsgBox(gTextS99, vbExclamation);
    if (!gPictureImportActive) EntryPort().AdjustLists(static_cast<int>(ActiveAt(CurrentNumber()).Text.size()) + 4);

    if (mode == kCommitNext) MoveToNext();
    else if (mode == kCommitNextFree) MoveToNextFree();
    if (!gPictureImportActive) FocusEditedSign();
    gTextModified = kFalse;
}

void SaveDestOrExtra() {
    if (gBlinkState != 0) {
        gBlinkState = 0;
        SignPicturePort().FocusSignPicture();
        return;
    }
    if (EntryPort().ChangingTextsShown() || !gInsertMode || CurrentPageContent().empty()) {
        Save(kCommitNext);
    } else {
        gSaveChoice = 0;
        EntryPort().ShowSaveChoice();
        const int16_t choice = gSaveChoice;
        if (choice == 1) {
            Save(kCommitNext);
        } else if (choice == 2 || choice == 3) {
            int16_t& number = gDestListActive ? gCurrentDest : gCurrentExtra;
            if (choice == 3) {
                number = static_cast<int16_t>(std::min<int>(number + 1, gDestListActive ? kDestTop : kExtraTop));
                EntryPort().SetCurrentNumberText(std::to_string(number));
            }
            // The new entry holds what the user typed and nothing of the
            // entry that moves on.
            if (AfterSaveRecord(number)) EmptyRecord(number);
            Save(kCommitNext);
            RebuildActiveList(static_cast<int16_t>(LastUsedNumber(gDestListActive ? DestList : ExtraList) + 1));
            ReloadCurrentEntry();
        }
    }
    FocusAfterStore();
    gSaveCancelled = kFalse;
}

void SaveAndNew() {
    if (gBlinkState != 0) {
        gBlinkState = 0;
        SignPicturePort().FocusSignPicture();
        return;
    }
    Save(kCommitNextFree);
    gChangeTime = gDefaultChangeTime;
    EntryPort().ShowChangeTime(gChangeTime);
    if (gK1000Shown) {
        WindowPort().SetRouteNoBoxText("");
        ForgetShownPage(kRouteBoxEditor, "");
    }
    gCurrentPage = 1;
    EntryPort().SetChangingTextsValue(false);
    const int16_t alignment = gTextAlignment;
    if (gSaveCancelled) {
        FocusAfterStore();
    } else {
        if (gTextSignActive) {
            InitEditor();
        } else {
            RefreshEditor(0, 0);
            if (IsSignAddress(gCurrentSign)) SignPicturePort().SelectK4000Graphic(SignInfoOf(gCurrentSign).GraphicIndex);
        }
        // The other signs show the entry the number box names now, and the
        // page options its pages.
        LoadOtherSigns();
        ShowPagesOfShownSigns();
        if (gTextSignActive) StripPort().FocusStrip();
        else FocusAfterStore();
    }
    gSaveCancelled = kFalse;
    SetAlignment(alignment, false, true, true);
}

void EmptyRecord(int16_t n) {
    DestRecord& r = ActiveAt(n);
    r = DestRecord{};
    r.ChangeTime = gChangeTime;
    if (gDestListActive) r.Code = PadCode(std::to_string(n));
}

bool AfterSaveRecord(int16_t n) {
    const bool dest = gDestListActive != 0;
    const int16_t top = dest ? kDestTop : kExtraTop;
    if (n < 0 || n >= top) return false;
    const int last = (dest ? DestList : ExtraList).ListCount() - 1;
    // The first number whose record is free, or whose line is the list's last.
    FindListItemByRecordNo(-1, false);
    int16_t from = n;
    for (int16_t k = n;; ++k) {
        if (k >= top) {
            from = static_cast<int16_t>(top - 1);
            break;
        }
        if (ActiveAt(k).Text.empty()) {
            from = static_cast<int16_t>(k - 1);
            break;
        }
        if (FindListItemByRecordNo(k, true) >= last) {
            from = k;
            break;
        }
    }
    for (int16_t j = from; j >= n; --j) {
        DestRecord& moved = ActiveAt(j + 1);
        moved = ActiveAt(j);
        if (dest) moved.Code = PadCode(std::to_string(j + 1));
    }
    return true;
}

void RebuildActiveList(int16_t last) {
    const bool dest = gDestListActive != 0;
    ListModel& list = dest ? DestList : ExtraList;
    const int16_t end = std::min(last, dest ? kDestTop : kExtraTop);
    const int listIndex = list.ListIndex(), topIndex = EntryPort().ListTopIndex(dest);
    {
        ListModel::Batch batch(list);
        list.Clear();
        for (int16_t i = 1; i <= end; ++i) {
            const DestRecord& r = ActiveAt(i);
            if (!r.Text.empty()) FormatListLine(r.Text, i, list);
        }
    }
    if (!dest) return;
    if (listIndex >= 0 && listIndex < list.ListCount()) list.SetListIndex(listIndex);
    if (topIndex > 0) EntryPort().SetListTopIndex(true, topIndex);
}

bool InsertAfterOffered() { return gDestListActive ? gCurrentDest < kDestTop - 1 : gCurrentExtra < kExtraTop - 1; }

void ResetCommit() {
    gSaveChoice = 0;
    gSaveCancelled = kFalse;
}

namespace {
const ResetRegistrar kReset("commit", StateLayer::App, ResetCommit);
}  // namespace

}  // namespace kv
