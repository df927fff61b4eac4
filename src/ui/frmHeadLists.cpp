// The destination and extra-text lists of the main window: switching between
// them, the click that makes an entry current, the double click (and Enter)
// that loads it into the sign pictures, the current-number box, and the
// auto-create button.
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>

#include "app/entryload.h"
#include "app/headstate.h"
#include "app/listentries.h"
#include "app/listswitch.h"
#include "data/language.h"
#include "ui/frmHead.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"

using namespace kv;

// ------------------------------------------------------------------ switching, clicks, loading

void frmHead::mnuTextDesttext_Click() { SwitchList(true); }
void frmHead::mnuTextExtratext_Click() { SwitchList(false); }
void frmHead::DestList_Click() { ListClick(true); }
void frmHead::ExtraList_Click() { ListClick(false); }
void frmHead::DestList_DblClick() { LoadListEntry(true); }
void frmHead::ExtraList_DblClick() { LoadListEntry(false); }

void frmHead::DestList_KeyPress(int16_t keyAscii) {
    if (keyAscii == 13) DestList_DblClick();
    DestList->setFocus();
}

void frmHead::ExtraList_KeyPress(int16_t keyAscii) {
    if (keyAscii == 13) ExtraList_DblClick();
    ExtraList->setFocus();
}

// ------------------------------------------------------------------ the lists and boxes for the core

namespace {

QListWidget* ListOf(const frmHead* h, bool destinations) { return destinations ? h->DestList : h->ExtraList; }

}  // namespace

std::string frmHead::FocusedControl() {
    // The window's own focus: it stays with the window while no window of
    // the program is active (another program in front, a closed dialog).
    const QWidget* w = focusWidget();
    return w ? B(w->objectName()) : std::string();
}

int frmHead::SelectedListRow(bool destinations) { return ListOf(this, destinations)->currentRow(); }

void frmHead::SelectListRow(bool destinations, int row) { ListOf(this, destinations)->setCurrentRow(row); }

void frmHead::ShowList(bool destinations) {
    ListOf(this, destinations)->show();
    ListOf(this, !destinations)->hide();
}

bool frmHead::ListShown(bool destinations) { return !ListOf(this, destinations)->isHidden(); }

void frmHead::SetListExtent(bool destinations, int32_t extent) {
    QListWidget* list = ListOf(this, destinations);
    // How far the list scrolls sideways; the list box itself scrolls to its
    // longest line.
    list->setProperty("HorizontalExtent", extent);
    list->setFocus();
}

void frmHead::SetListCaptions(const std::string& numberCaption, const std::string& listCaption) {
    Label3->setText(Q(numberCaption));
    Label2->setText(Q(listCaption));
}

void frmHead::SetNumberBoxMaxLength(int length) { CurrNoTxt->setMaxLength(length); }

void frmHead::ShowBlackoutBox(bool shown) {
    BlackOut_chk->setVisible(shown);
    lblBlackOut->setVisible(shown);
}

void frmHead::SetBlackoutChecked(bool checked) { BlackOut_chk->setChecked(checked); }

void frmHead::ShowRouteNumberBox(bool shown) {
    LineNo_txt->setVisible(shown);
    LineNo_lbl->setVisible(shown);
}

void frmHead::ShowPageFrame() { SetChangingTextsChecked(true); }

// ------------------------------------------------------------------ the current-number box

void frmHead::CurrNoTxt_GotFocus() {
    CurrNoTxt->setText(CurrNoTxt->text().trimmed());
    CurrNoTxt->setSelection(0, 999);
}

void frmHead::CurrNoTxt_LostFocus() {
    // Only a move of the focus inside the main window counts; a dialog that
    // opens meanwhile does not.
    if (!ActiveFormIsMain() || CheckingCurrentNumber) return;
    CheckingCurrentNumber = true;
    const CurrentNumberCheck r = CheckCurrentNumber(B(CurrNoTxt->text()));
    if (r.boxText) CurrNoTxt->setText(Q(*r.boxText));
    if (r.keepFocus) CurrNoTxt->setFocus();
    CheckingCurrentNumber = false;
}

// ------------------------------------------------------------------ auto-create

void frmHead::cmdX_Click() {
    const std::string templ = AutoCreateTemplate();
    if (!AutoCreateFontsPresent(templ)) {
        // Test entries in fonts the library lacks would be stored unreadable.
        MsgBox("Auto-create needs the fonts i and five fonts ending in 1.", vbExclamation);
        return;
    }
    bool repeat = false;
    if (AutoCreateCanRepeat())
        repeat = MsgBox(AutoCreateRepeatQuestion(), vbYesNo | vbQuestion, kAutoCreateTitle) == vbYes;
    if (repeat) {
        const int total = InputNumber(InputPrompt(kAutoCreateTotalPrompt, kAutoCreateTitle, "99"));
        SetScreenMousePointer(11);
        AutoCreateRepeat(total);
    } else {
        const int count = InputNumber(InputPrompt(kAutoCreateCountPrompt, kAutoCreateTitle, "99"));
        if (count >= 1) {
            const int start = InputNumber(InputPrompt(kAutoCreateStartPrompt, kAutoCreateTitle, "1"));
            SetScreenMousePointer(11);
            // Destination 0 is the default destination: a start outside
            // 1..9999 creates nothing.
            if (AutoCreateNumbered(templ, count, start) == 0) Beep();
        }
    }
    SetScreenMousePointer(0);
}
