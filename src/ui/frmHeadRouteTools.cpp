// The windows of the route-number tools handed to the main window's
// commands that open them: the route-number layout, generation and super
// copy, the placeholder dialog, the zoom of a sign picture and the
// preferences' dialog of the fonts per sign height; and the window set up
// again after generation.
#include <QLineEdit>

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
    // Each window gives the keyboard back to the main window when it closes
    // (without a window manager nobody else hands it over).
    Windows.LineNoLayout = [this] {
        {
            frmLineNo dialog(this);
            dialog.exec();
        }
        activateWindow();
    };
    Windows.GenerateLineNo = [this] {
        {
            frmToolsGenerateLineNo dialog(this);
            dialog.exec();
        }
        activateWindow();
    };
    Windows.SignScale = [this] {
        {
            frmSignScale dialog(this);
            dialog.exec();
        }
        activateWindow();
    };
    frmPreferences::DefaultFontsDialog = [](QWidget* owner) {
        frmDefaultRouteNoFonts dialog(owner);
        dialog.setModal(true);
        dialog.exec();
    };
    LineNoInsertDialog = [this] {
        ShowLineNoInsertDialog(this);
        activateWindow();
    };
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
    KeepActiveMarkerOnActiveSign();
    EnableK4000Controls();
}
