// The main window's commands that open the route-number tools and the zoom
// dialog: the route-number layout, route-number generation and super copy,
// the route number typed as a field, the placeholder dialog, the zoom
// button of each sign picture, and the preferences' dialog of the fonts per
// sign height.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QToolButton>

#include "app/signcontrols.h"
#include "app/signsel.h"
#include "app/routetools.h"
#include "data/headmode.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/editorslots.h"
#include "engine/signpictures.h"
#include "engine/signview.h"
#include "ui/frmDefaultRouteNoFonts.h"
#include "ui/frmHead.h"
#include "ui/frmLineNo.h"
#include "ui/frmLineNoInsert.h"
#include "ui/frmPreferences.h"
#include "ui/frmSignScale.h"
#include "ui/frmToolsGenerateLineNo.h"
#include "ui/headwidgets_qt.h"
#include "platform/vb.h"

using namespace kv;

void frmHead::ConnectRouteTools() {
    const std::pair<const char*, void (frmHead::*)()> items[] = {
        {"Ln_e", &frmHead::Ln_e_Click},
        {"mnuToolsGenerateLineNo", &frmHead::mnuToolsGenerateLineNo_Click},
        {"mnuToolsSuperCopy", &frmHead::mnuToolsSuperCopy_Click},
        {"mnuToolsGenerateMBL", &frmHead::mnuToolsGenerateMBL_Click},
    };
    for (const auto& [name, handler] : items)
        connect(MenuItem(QString::fromLatin1(name)), &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    frmPreferences::DefaultFontsDialog = [](QWidget* owner) {
        frmDefaultRouteNoFonts dialog(owner);
        dialog.setModal(true);
        dialog.exec();
    };
    LineNoInsertDialog = [this] {
        ShowLineNoInsertDialog(this);
        // The window takes the keyboard back (without a window manager
        // nobody else hands it over).
        activateWindow();
    };
}

void frmHead::Ln_e_Click() {
    frmLineNo dialog(this);
    dialog.exec();
    activateWindow();
}

void frmHead::mnuToolsGenerateLineNo_Click() {
    if (!AskSaveChanges()) return;
    gSuperCopyMode = kFalse;
    {
        frmToolsGenerateLineNo dialog(this);
        dialog.exec();
    }
    activateWindow();
    RefreshCurrentSignPicture();
}

void frmHead::mnuToolsSuperCopy_Click() {
    if (!AskSaveChanges()) return;
    const int16_t dest = gCurrentDest;
    gSuperCopyMode = kTrue;
    {
        frmToolsGenerateLineNo dialog(this);
        dialog.exec();
    }
    activateWindow();
    RefreshCurrentSignPicture();
    gSuperCopyMode = kFalse;
    gCurrentDest = dest;
}

void frmHead::mnuToolsGenerateMBL_Click() {
    GenerateRouteNo();
    ShowSign(false, false);
    RefreshCurrentSignPicture();
}

void frmHead::ShowSignsAgain() {
    if (IsSignAddress(gCurrentSign) && Left(SignInfoOf(gCurrentSign).Model, 2) == "K2") UpdateToolbarState();
    else UpdateToolbarState2();
    UpdateSignControls(gCurrentSign);
    const SignSelOutcome box = RouteNoBoxOfShownSigns();
    if (box.routeNoBoxShown) LineNo_txt->setMaxLength(box.routeNoBoxLength > 0 ? box.routeNoBoxLength : 32767);
    SelectK4000Graphic(false);
    ActivePictureIndex = -1;
    if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000") {
        ChangeAddress(SignInfoOf(gCurrentSign).GraphicIndex, true, true);
        ShowSign(false, false);
    }
    EnableK4000Controls();
}

void frmHead::cmdScale_Click(int index) {
    if (index < 0 || index >= kMaxSignPictures) return;
    if (index != ActivePictureIndex && ActivePictureIndex >= 0) {
        // The zoom belongs to the active picture: the pressed frame and the
        // active one flash.
        SignFrame* pressed = PicSignFrame[index];
        SignFrame* active = PicSignFrame[ActivePictureIndex];
        pressed->SetBackColor(QColor(255, 0, 0));
        active->SetBackColor(QColor(0, 255, 0));
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 250) QApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        pressed->SetBackColor(SignFrame::ButtonFace());
        active->SetBackColor(SignFrame::ButtonFace());
        return;
    }
    if (gCursorPicture) gCursorPicture->hide();
    {
        frmSignScale dialog(this);
        dialog.exec();
    }
    activateWindow();
    SizeSignPicture(gCurrentSign, false, false);
    if (gEditPicture) gEditPicture->setFocus();
}
