#include "app/remove.h"

#include <algorithm>
#include <string>

#include "app/commit.h"
#include "app/entryload.h"
#include "app/entrywindow.h"
#include "app/pagetimes.h"
#include "app/signcontrols.h"
#include "app/textrows.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editorview.h"
#include "engine/editstate.h"
#include "engine/pageload.h"
#include "engine/signcommands.h"
#include "engine/signview.h"
#include "engine/textstrip.h"
#include "files/document.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/vb.h"

namespace kv {

namespace {

constexpr int16_t kDestTop = kDestCount - 1;
constexpr int16_t kExtraTop = kExtraCount - 1;

ListModel& ActiveList() { return gDestListActive ? DestList : ExtraList; }

int LineOf(int16_t number) {
    return gDestListActive ? SelectListItemForRecord(true, number) : FindListIndexByNumber(ExtraList, number);
}

// Page gCurrentPage of one sign out of the record's Text and SignData.
void DeletePage(int16_t number, int16_t address) {
    const int16_t page = gCurrentPage;
    if (gDestListActive) {
        DeleteDestRow(number, address, page);
        RemoveDestSignField(number, address, page);
    } else if (gExtraPerSign) {
        DeleteExtraSectionRow(number, address, page);
        RemoveExtraSignField(number, address, page);
    } else {
        DeleteExtraRow(number, page);
        RemoveExtraField(number, page);
    }
}

// The record lost its last page: the editor starts empty. The entry shown
// has no line any more, so no line is chosen; the line that took the
// removed one's place becomes the list's current line, where the arrow keys
// go on from.
void ShowEmptiedRecord(int oldLine) {
    if (gTextSignActive) {
        InitEditor();
        StripPort().FocusStrip();
    } else {
        RefreshEditor(0, 0);
        if (gDestListActive) {
            PrepareTextLayer();
            ClearGraphicLayer();
        }
        SignPicturePort().FocusSignPicture();
    }
    const ListModel& list = ActiveList();
    const int next = list.ListCount() == 0 ? -1 : std::min(std::max(oldLine, 0), list.ListCount() - 1);
    EntryPort().RestoreListSelection(gDestListActive != 0, ListSelection{next, {}});
}

// The current page of the current sign goes into its editor again.
void ReloadCurrentPage() {
    // The page shown stays: a sign of a single page shows it on every page.
    int16_t page = gCurrentPage, multi = 0;
    std::string text = gDestListActive || gExtraPerSign
                           ? GetActiveRow(gDestListActive ? gCurrentDest : gCurrentExtra, gCurrentSign, page, multi)
                           : GetExtraRow(gCurrentExtra, page, multi);
    if (gTextSignActive) {
        FitRowText(text);
    } else if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000") {
        ParseSignMarkup(text);
        LoadInvertedTextOfPage(text);
        ShowSign(false, false);
    }
}

// In insert mode: the gap an emptied record left closes and the list is
// filled again.
void CloseGap(int16_t emptied) {
    const int16_t n = emptied > 0 ? emptied : (gDestListActive ? gCurrentDest : int16_t{0});
    if (n <= 0) return;
    if (!ActiveAt(n).Text.empty()) {
        if (gDestListActive) RefreshDestList();
        return;
    }
    AfterRemoveRecord(n);
    RebuildActiveList(LastUsedNumber(ActiveList()));
}

}  // namespace

void RemoveEntry() {
    const bool dest = gDestListActive != 0;
    const int16_t number = dest ? gCurrentDest : gCurrentExtra;
    DestRecord& r = ActiveAt(number);
    if (r.Text.empty()) {
        MsgBox(gTextS99, vbExclamation);
        // The keys go on to the sign, not to the button.
        FocusEditedSign();
        return;
    }
    gDocumentModified = kTrue;
    StopTextWave();
    const int16_t current = gCurrentSign;
    int16_t emptied = 0;
    for (int16_t address = kFirstSignAddress; address <= kLastSignAddress; ++address) {
        if (!SignInfoOf(address).Shown) continue;
        const bool held = !r.Text.empty();
        const int oldLine = LineOf(number);
        DeletePage(number, address);
        if (oldLine > -1) ActiveList().RemoveItem(oldLine);
        if (dest) {
            // What is left of a record without text goes; a sign's empty
            // page is a page and stays while its text does.
            if (r.SignData.size() < 3 && r.Text.empty()) r.SignData.clear();
            if (r.SignData.empty()) r.Code = "    ";
        }
        if (!r.Text.empty()) {
            PlaceListLine(r.Text, number, ActiveList());
            ChooseListLine(dest, LineOf(number));
        } else if (held) {
            emptied = number;
            ShowEmptiedRecord(oldLine);
        }
        // The sign's own part of the inverted-text store goes too.
        gCurrentSign = address;
        InvertRemoveCurrent();
        gCurrentSign = current;
    }

    const int16_t pages = NumberOfChangingTexts(-1);
    if (EntryPort().ChangingTextsShown()) {
        if (pages > 0) UpdateNoOfTextsOption(pages, 1);
        else EntryPort().SetChangingTextsValue(false);
    } else {
        gChangeTime = gDefaultChangeTime;
        EntryPort().ShowChangeTime(gChangeTime);
    }
    ReloadCurrentPage();
    if (gInsertMode) CloseGap(emptied);
    // Every shown sign shows what the record holds now.
    ReloadCurrentEntry();
}

void AfterRemoveRecord(int16_t n) {
    const bool dest = gDestListActive != 0;
    const int16_t top = dest ? kDestTop : kExtraTop;
    if (n < 0 || n >= top) return;
    const int last = ActiveList().ListCount() - 1;
    FindListItemByRecordNo(-1, false);
    int16_t k = static_cast<int16_t>(n + 1);
    while (k < top && !ActiveAt(k).Text.empty() && FindListItemByRecordNo(k, true) < last) ++k;
    for (int16_t j = n; j < k; ++j) {
        ActiveAt(j) = ActiveAt(j + 1);
        ActiveAt(j).Code = PadCode(std::to_string(j));
    }
    DestRecord& freed = ActiveAt(k);
    freed = DestRecord{};
    freed.ChangeTime = gChangeTime;
    freed.Code = PadCode(std::to_string(k));
}

}  // namespace kv
