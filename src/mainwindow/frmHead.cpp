#include "mainwindow/frmHead.h"

#include <QCloseEvent>
#include <QEvent>
#include <QIcon>
#include <QTimer>

#include "data/ini.h"
#include "data/language.h"
#include "data/startup.h"
#include "mainwindow/settings.h"
#include "platform/qtbridge_qt.h"
#include "platform/vb.h"

using namespace kv;

frmHead* gfrmHead = nullptr;

frmHead::frmHead(QWidget* parent) : QMainWindow(parent) {
    setObjectName("frmHead");
    resize(1024, 740);
    gfrmHead = this;
}

frmHead::~frmHead() {
    if (gfrmHead == this) gfrmHead = nullptr;
}

void frmHead::Form_Load() {
    std::string icon = FindIconFile("Kivar32.ico");
    if (!icon.empty()) {
        SetMainWindowIcon(Q(icon));
        setWindowIcon(QIcon(Q(icon)));
    }
    gSaveWinPos = static_cast<int16_t>(Val(IniGetValue(gSettingsFile, "Generell", "SaveWinPos", kIniOpenClose)) != 0 ? -1 : 0);
    RestoreFormPlacement(this);
    LoadLanguageTexts();
    setWindowTitle(Q(MainWindowCaption()));
}

void frmHead::Form_Activate() { setWindowTitle(Q(MainWindowCaption())); }

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
