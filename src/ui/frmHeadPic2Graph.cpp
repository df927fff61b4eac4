// The bitmap import commands of the main window.
#include <memory>

#include "app/entryload.h"
#include "app/picimport.h"
#include "platform/vb.h"
#include "app/signcontrols.h"
#include "ui/frmHead.h"
#include "ui/frmPic2Graph.h"

using namespace kv;

void frmHead::ShowPic2Graph(bool single) {
    // The import moves the signs on to other entries: uncommitted edits may
    // be dropped only when the user agrees, as before a load.
    if (!AskSaveChanges()) return;
    gSinglePictureMode = VbBool(single);
    {
        auto dlg = std::make_unique<frmPic2Graph>(this);
        dlg->exec();
    }
    activateWindow();
    // A batch leaves the destination list active, its number in the box.
    if (!single) {
        mnuTextDesttext_Click();
        kv::ShowCurrentNumber();
    }
    ShowSign(true, false);
}

void frmHead::mnuArkivImportEnBild_Click() { ShowPic2Graph(true); }
void frmHead::mnuToolsOnePic2Graph_Click() { ShowPic2Graph(true); }
void frmHead::mnuArkivImportBilder_Click() { ShowPic2Graph(false); }
void frmHead::mnuToolsPics2Graph_Click() { ShowPic2Graph(false); }
