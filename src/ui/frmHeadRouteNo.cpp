// The route-number box and the route-number commands of the main window, the
// blackout and changing-texts check boxes, and the layout commands that
// spread the characters of a row.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>

#include "app/entrywindow.h"
#include "app/pagetimes.h"
#include "app/routenobox.h"
#include "app/textrows.h"
#include "data/records.h"
#include "engine/routenumber.h"
#include "ui/frmHead.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

void frmHead::LineNo_txt_Change() {
    if (LineNoBusy) return;
    LineNoBusy = true;
    if (const auto text = RouteNoBoxChanged(B(LineNo_txt->text()))) {
        const int caret = LineNo_txt->cursorPosition();
        LineNo_txt->setText(Q(*text));
        LineNo_txt->setCursorPosition(std::min(caret, static_cast<int>(LineNo_txt->text().size())));
    }
    LineNoBusy = false;
}

void frmHead::LineNo_txt_GotFocus() { LineNo_txt->setSelection(0, 999); }

void frmHead::LineNo_txt_KeyPress(int16_t keyAscii) {
    if (keyAscii == 13) RouteNoBoxEnter(B(LineNo_txt->text()));
}

void frmHead::LineNo_txt_LostFocus() {
    const RouteNoCodeCheck r = RouteNoBoxLeft(B(LineNo_txt->text()), static_cast<int16_t>(LineNo_txt->maxLength()));
    if (r.boxText) LineNo_txt->setText(Q(*r.boxText));
    if (r.refused) LineNo_txt->setFocus();
}

void frmHead::ShowLineNo_e_Click() {
    ToggleLineNumbers();
    // The item's tick is the route-number area's, whatever the click did.
    MenuItem("ShowLineNo_e")->setChecked(gShowLineNo != 0);
}

void frmHead::Insert_LineNo_e_Click() { InsertLineNoFieldCommand(LineNoInsertDialog); }

void frmHead::lblBlackOut_Click() {
    BlackOut_chk->setChecked(!BlackOut_chk->isChecked());
    BlackOut_chk_Click();
}

void frmHead::BlackOut_chk_Click() { FocusEditedSign(); }

void frmHead::Ch_Check_Click() {
    // The frame shows while the box is ticked, on the page the window shows.
    Ch_Frame->setVisible(Ch_Check->isChecked());
    if (!Ch_Frame->isHidden()) ChangingTextsOpened(gCurrentPage);
    FocusEditedSign();
}

void frmHead::ExpandLess_e_Click() { ExpandLess(); }

void frmHead::ExpandMore_e_Click() { ExpandMore(); }
