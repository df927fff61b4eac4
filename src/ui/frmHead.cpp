#include "ui/frmHead.h"

#include "engine/alignment.h"
#include "engine/signview.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QTimer>
#include <QToolBar>

#include "data/charmap.h"
#include "engine/defaultdest.h"
#include "data/destcodes.h"
#include "data/ini.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "engine/graphictools.h"
#include "engine/routenumber.h"
#include "data/language.h"
#include "app/editcommands.h"
#include "app/headstate.h"
#include "app/signconfig.h"
#include "app/toolbar.h"
#include "ui/headwidgets_qt.h"
#include "data/settings.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"
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
    ConnectEntryControls();
    ConnectDialogCommands();
    ConnectRouteTools();
    ConnectEditingControls();
    ConnectMenuCommands();
    for (int i = 0; i < 3; ++i) picSign_Resize(i);

    resize(1024, 740);
    ChooseFile = [this](const FileDialogRequest& r) { return ShowFileDialog(r); };
    InputPrompt = [this](const std::string& prompt, const std::string& title, const std::string& value) {
        return ShowInputBox(prompt, title, value);
    };
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) CommandLineArgs.push_back(BPath(args[i]));
    SetCurrentNumberTextSource([this] { return B(CurrNoTxt->text()); });
    gfrmHead = this;
    kv::InstallPorts(this);
    InstallTransferPorts();
    MirrorListModels(true);
    keyPreview_ = new KeyPreview(this);
    qApp->installEventFilter(keyPreview_);
}

frmHead::~frmHead() {
    qApp->removeEventFilter(keyPreview_);
    const QStringList args = QCoreApplication::arguments();
    for (int i = 1; i < args.size(); ++i) CommandLineArgs.push_back(BPath(args[i]));
    SetCurrentNumberTextSource(nullptr);
    MirrorListModels(false);
    kv::RemovePorts(this);
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


// ------------------------------------------------------------------ services

void frmHead::ShowRouteNumberControls(bool on) {
    LineNo_txt->setVisible(on);
    LineNo_lbl->setVisible(on);
    if (on) LineNo_lbl->setText(Q(gTextS57));
    AutoSign_lbl->setVisible(on);
    AutoSign_lbl2->setVisible(on);
}

void frmHead::EnableMenuItem(const std::string& name, bool enabled) {
    if (QAction* a = MenuItem(Q(name))) a->setEnabled(enabled);
}

void frmHead::CheckMenuItem(const std::string& name, bool checked) {
    if (QAction* a = MenuItem(Q(name))) {
        // The tick is the window's own: a click on the item does not move it.
        a->setProperty("Ticked", checked);
        a->setChecked(checked);
    }
}

bool frmHead::MenuItemChecked(const std::string& name) {
    const QAction* a = MenuItem(QString::fromUtf8(name));
    return a && (a->property("Ticked").isValid() ? a->property("Ticked").toBool() : a->isChecked());
}

std::string frmHead::MenuItemCaption(const std::string& name) {
    const QAction* a = MenuItem(QString::fromUtf8(name));
    return a ? B(a->text()) : std::string();
}

void frmHead::ResetActivePicture() {
    ActivePictureIndex = -1;
    KeepActiveMarkerOnActiveSign();
}

int16_t frmHead::ToolbarButtonValue(int16_t index) {
    return index >= 1 && index <= 38 && tbButtons[index]->isChecked() ? 1 : 0;
}

void frmHead::SetToolbarButtonValue(int16_t index, int16_t value) {
    if (index >= 1 && index <= 38 && tbButtons[index]->isCheckable()) tbButtons[index]->setChecked(value == 1);
}

void frmHead::ResetCutTools() {
    if (tbButtons[33]->isEnabled()) kv::fraCutSub(false);
}

bool frmHead::ChangingTextsChecked() { return Ch_Check->isChecked(); }
void frmHead::SetChangingTextsChecked(bool checked) {
    // The box and its frame always agree.
    Ch_Check->setChecked(checked);
    Ch_Frame->setVisible(checked);
}
void frmHead::SetWindowPage(int16_t page) { WindowPage = page; }
void frmHead::SetRouteNoBoxText(const std::string& text) { LineNo_txt->setText(Q(text)); }

// ------------------------------------------------------------------ state owned by the data core

bool frmHead::DestListActiveNow() const { return gDestListActive != 0; }
bool frmHead::InsertModeOn() const { return gInsertMode != 0; }
int frmHead::TxlVersionNow() const { return gTxlVersion; }
bool frmHead::AutoModeOn() const { return gAutoMode != 0; }
bool frmHead::ShowLineNoOn() const { return gShowLineNo != 0; }
bool frmHead::AreaSelectedNow() const { return gAreaSelected != 0; }

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
    gSignConfigCancelled = kFalse;
}
void frmHead::InitDefaultDestination() { kv::InitDefaultDestination(); }
void frmHead::SetAlignment(int16_t alignment, bool noToolbar, bool redraw, bool flag4) {
    kv::SetAlignment(alignment, noToolbar, redraw, flag4);
}
void frmHead::ShowAlignment() { ShowAlignmentKeys(gTextAlignment); }
void frmHead::CursorTimer_Timer() {
    // Once after a start from the auto-save file: the notice about it.
    if (isVisible() && !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized)) && gAutoSaveNoticePending) {
        gAutoSaveNoticePending = kFalse;
        const std::string a = IniGetValue(gLanguageFile, gLanguage, "S124", kIniOpenKeep);
        const std::string b = IniGetValue(gLanguageFile, gLanguage, "S125", kIniContinue);
        const std::string c = IniGetValue(gLanguageFile, gLanguage, "S126", kIniContinueClose);
        MsgBox(a + "\r" + b + "\r" + c, vbCritical);
        return;
    }
    // The cursor blinks, or a press between the two store buttons sets the
    // text waving.
    CursorTimerTick();
}
