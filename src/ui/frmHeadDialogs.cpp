// The main window's commands that open the preferences, the font selection,
// the font browser and the About window, and the right press on the
// font-step buttons.
#include <QAction>
#include <QEvent>
#include <QMouseEvent>
#include <QPushButton>

#include "engine/editorview.h"
#include "engine/graphictools.h"
#include "engine/marking.h"
#include "ui/frmAbout1.h"
#include "ui/frmFontSel.h"
#include "ui/frmFontShow.h"
#include "ui/frmHead.h"
#include "ui/frmPreferences.h"

using namespace kv;

namespace {

// Presses on the font-step buttons with any button but the left one.
class FontStepPress : public QObject {
public:
    explicit FontStepPress(frmHead* head) : QObject(head), head_(head) {}
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (e->type() != QEvent::MouseButtonPress) return false;
        auto* m = static_cast<QMouseEvent*>(e);
        if (m->button() == Qt::LeftButton) return false;
        const int16_t button = m->button() == Qt::RightButton ? 2 : 4;
        if (watched == head_->LibBigger) head_->LibBigger_MouseDown(button);
        else head_->LibSmaller_MouseDown(button);
        return true;
    }

private:
    frmHead* head_;
};

}  // namespace

void frmHead::ConnectDialogCommands() {
    const std::pair<const char*, void (frmHead::*)()> items[] = {
        {"mnuInst\xC3\xA4llningar", &frmHead::mnuInställningar_Click},
        {"Font_e", &frmHead::Font_e_Click},
        {"Show_e", &frmHead::Show_e_Click},
        {"About_e", &frmHead::About_e_Click},
        {"mnuAbout", &frmHead::mnuAbout_Click},
    };
    for (const auto& [name, handler] : items)
        connect(MenuItem(QString::fromUtf8(name)), &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    auto* press = new FontStepPress(this);
    LibBigger->installEventFilter(press);
    LibSmaller->installEventFilter(press);
}

void frmHead::mnuInställningar_Click() {
    // One window at a time: a second command brings it to the front.
    for (frmPreferences* open : findChildren<frmPreferences*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!open->isVisible()) continue;
        open->raise();
        open->activateWindow();
        return;
    }
    auto* preferences = new frmPreferences(this);
    preferences->setAttribute(Qt::WA_DeleteOnClose);
    preferences->show();
}

void frmHead::PickFontDialog() {
    {
        frmFontSel dialog(this);
        dialog.exec();
    }
    activateWindow();
    // The marked cells may have taken the font.
    RedrawEditor();
    ShowSign(false, false);
    if (gAreaSelected) UpdateMarkFrame();
    RefreshCurrentSignPicture();
}

void frmHead::Font_e_Click() { PickFontDialog(); }

void frmHead::LibBigger_MouseDown(int16_t button) {
    if (button != 1) PickFontDialog();
}

void frmHead::LibSmaller_MouseDown(int16_t button) {
    if (button != 1) PickFontDialog();
}

void frmHead::Show_e_Click() {
    {
        frmFontShow dialog(this);
        dialog.exec();
    }
    activateWindow();
    RefreshCurrentSignPicture();
}

void frmHead::About_e_Click() {
    auto* about = new frmAbout1(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->show();
}

void frmHead::mnuAbout_Click() {
    frmAbout1 dialog(this);
    dialog.exec();
}
