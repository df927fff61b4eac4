// The print commands of the main window: the project to the printer (as
// text or as sign pictures), the current sign's pictures, the listing to a
// text file, the destination-list export, and the user information.
#include <QAction>

#include "app/printlisting.h"
#include "app/printrun.h"
#include "app/userinfo.h"
#include "app/windowcommands.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "files/listing.h"
#include "ui/frmHead.h"
#include "ui/frmUser.h"
#include "ui/print_qt.h"
#include "ui/qtbridge_qt.h"
#include "platform/vb.h"

using namespace kv;

namespace {

constexpr const char* kListingFilter = "Text (*.txt)|*.txt|All files (*.*)|*.*";

bool PrintTextFormat145() { return IniGetValue(gSettingsFile, "Generell", "PrintTextFormat145") == "1"; }

}  // namespace

void frmHead::mnuSkrivutTillskrivare_Click() {
    PrintSession session(this, FallbackPrintPdf());
    SetScreenMousePointer(11);
    struct Printing {
        Printing() { gPrinting = kTrue; }
        ~Printing() { gPrinting = kFalse; }
    } printing;
    if (PrintTextFormat145()) PrintListing();
    else PrintSignPictures(false);
    SetScreenMousePointer(0);
}

void frmHead::mnuSkrivutTillskrivareBilder_Click() {
    PrintSession session(this, FallbackPrintPdf());
    SetScreenMousePointer(11);
    PrintSignPictures(true);
    SetScreenMousePointer(0);
}

void frmHead::mnuSkrivutAktuellSkylt_Click() {
    PrintSession session(this, FallbackPrintPdf());
    PrintSignGraphics();
}

void frmHead::mnuSkrivutTillfil_Click() {
    const FileDialogChoice c =
        ChooseFile({true, B(MenuItem("mnuSkrivutTillfil")->text().remove('&')), kListingFilter, ProposedListingName(), 1});
    if (c.cancelled) return;
    PrintSession session(this, FallbackPrintPdf());
    WriteListingFile(c.path, false);
}

void frmHead::mnuArkivExportDest2Fil_Click() {
    const FileDialogChoice c =
        ChooseFile({true, LangText("S144", "Export destination list"), kListingFilter, ProposedListingName(), 1});
    if (c.cancelled) return;
    PrintSession session(this, FallbackPrintPdf());
    WriteListingFile(c.path, true);
}

void frmHead::User_e_Click() {
    SetUserDateToday();
    frmUser dlg(this);
    dlg.exec();
}
