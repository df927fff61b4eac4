#include "mainwindow/frmHead.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include "data/destcodes.h"
#include "data/ini.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/fontlib.h"
#include "data/language.h"
#include "mainwindow/headstate.h"
#include "mainwindow/headwidgets_qt.h"
#include "mainwindow/settings.h"
#include "platform/qtbridge_qt.h"
#include "platform/vb.h"

using namespace kv;

frmHead* gfrmHead = nullptr;

class frmHead::KeyPreview : public QObject {
public:
    explicit KeyPreview(frmHead* head) : QObject(head), head_(head) {}
    bool eventFilter(QObject* watched, QEvent* e) override { return head_->PreviewKey(watched, e); }

private:
    frmHead* head_;
};
SignPicture* gEditPicture = nullptr;
QWidget* gCursorPicture = nullptr;

frmHead::frmHead(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmHead");
    // The designed pixel geometry assumes a small dialog font.
    QFont f = font();
    f.setPointSize(8);
    setFont(f);

    ClientArea = new QWidget(this);
    ClientArea->setObjectName("ClientArea");
    ClientArea->setMouseTracking(true);
    ClientArea->installEventFilter(this);
    setCentralWidget(ClientArea);

    BuildMenus();
    BuildToolbar();
    BuildClientControls();
    BuildSignPictureSets();
    BuildHiddenPictures();
    BuildTimers();
    for (int i = 0; i < 3; ++i) picSign_Resize(i);

    resize(1024, 740);
    gfrmHead = this;
    SetHead(this);
    keyPreview_ = new KeyPreview(this);
    qApp->installEventFilter(keyPreview_);
}

frmHead::~frmHead() {
    qApp->removeEventFilter(keyPreview_);
    SetHead(nullptr);
    if (gfrmHead == this) gfrmHead = nullptr;
    if (gEditPicture && gEditPicture->window() == this) gEditPicture = nullptr;
    if (gCursorPicture && gCursorPicture->window() == this) gCursorPicture = nullptr;
}

void frmHead::EnsureActivated() {
    if (!activatedOnce_) {
        activatedOnce_ = true;
        Form_Activate();
    }
}

bool frmHead::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate) {
        activatedOnce_ = true;
        Form_Activate();
    }
    return QMainWindow::event(e);
}

void frmHead::closeEvent(QCloseEvent* e) {
    if (gSaveWinPos) SaveFormPlacement(this);
    e->accept();
}

// ------------------------------------------------------------------ services

void frmHead::ShowRouteNumberControls(bool on) {
    LineNo_txt->setVisible(on);
    LineNo_lbl->setVisible(on);
    if (on) LineNo_lbl->setText(Q(gTextS57));
    AutoSign_lbl->setVisible(on);
    AutoSign_lbl2->setVisible(on);
}

// ------------------------------------------------------------------ state owned by the data core
// Automatic layout, the route-number area and the graphic selection belong
// to the editing state; until it is linked in they read as off.

bool frmHead::DestListActiveNow() const { return gDestListActive != 0; }
bool frmHead::InsertModeOn() const { return gInsertMode != 0; }
int frmHead::TxlVersionNow() const { return gTxlVersion; }
bool frmHead::AutoModeOn() const { return false; }
bool frmHead::ShowLineNoOn() const { return false; }
bool frmHead::AreaSelectedNow() const { return false; }

frmHead::SignForLayout frmHead::CurrentSignForLayout() const {
    if (gCurrentSign < 2 || gCurrentSign > 16) return {};
    const SignInfo& s = gSignInfo[gCurrentSign - 2];
    return {gCurrentSign, s.Model, s.Name, s.Width, s.Height};
}

// ------------------------------------------------------------------ procedures of later steps

void frmHead::LoadFontLibraryStep() { LoadFontLibrary(); }
void frmHead::SetDataStartValues() {
    gSeparator = Chr(255);
    gAllowedCodeChars = AllowedCodeChars;
    gExtraPerSign = kTrue;
}
void frmHead::InitDocument() {
    // ReadLibFile reads SaveWinPos with the rest of the document settings;
    // until it does, the option is read on its own.
    gSaveWinPos = VbBool(Val(IniGetValue(gSettingsFile, "Generell", "SaveWinPos", kIniOpenClose)) != 0);
}
void frmHead::ReadLibFile() {}
void frmHead::InitRecentFiles() {}
void frmHead::InitDefaultDestination() {}
void frmHead::RecalcRowWidths() {}
void frmHead::LayoutSignPictures(bool, bool) {}
void frmHead::RefreshCurrentSignPicture() {}
void frmHead::ChangeAddress(int16_t index, bool, bool) {
    ActivePictureIndex = index;
    gCurrentPictureIndex = index;
}
void frmHead::SetAlignment(int16_t, bool, bool, bool) {}
void frmHead::ShowAlignment() {}
void frmHead::AdjustLists() {}
void frmHead::ShowSign(bool, bool) {}
void frmHead::ClearSignPictureColor(int, int, int) {}
void frmHead::mnuÖppna_Click() { bOpenWithoutDialog = false; }
void frmHead::K4000_pct_KeyDown(int16_t, int16_t) {}
void frmHead::K4000_pct_KeyPress(int16_t&) {}
void frmHead::picSign_Click(int) {}
void frmHead::picSign_GotFocus(int) {}
void frmHead::picSign_LostFocus(int) {}
void frmHead::picSign_MouseDown(int, int16_t, int16_t, float, float) {}
void frmHead::picSign_MouseMove(int, int16_t, int16_t, float, float) {}
void frmHead::picSign_MouseUp(int, int16_t, int16_t, float, float) {}
void frmHead::PicSignFrame_Click(int) {}
void frmHead::PicSignFrame_GotFocus(int) {}
void frmHead::PicSignFrame_MouseDown(int, int16_t, int16_t, float, float) {}
void frmHead::PicSignFrame_MouseMove(int, int16_t, int16_t, float, float) {}
void frmHead::PicSignFrame_MouseUp(int, int16_t, int16_t, float, float) {}
void frmHead::SignSB_PanelClick(int, int) {}
void frmHead::cmdScale_Click(int) {}
void frmHead::timSign_Timer(int) {}
void frmHead::CursorTimer_Timer() {}
void frmHead::ScreenTimer_Timer() {}
void frmHead::timAutoSave_Timer() {}
void frmHead::tbToolBar_ButtonClick(QAction*) {}
