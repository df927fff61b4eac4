// The Transfer commands of the main window and what goes with them: the
// out-file to a file, to Intel HEX and to the transfer program, an out-file
// to the transfer program, the out-file options dialog, sending the current
// destination to the signs and the sign simulation.
#include <QApplication>
#include <QListWidget>
#include <QRadioButton>

#include "app/serialsend.h"
#include "app/simulation.h"
#include "app/transfer.h"
#include "data/destlist.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/signpictures.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "platform/host.h"
#include "ui/devices_qt.h"
#include "ui/frmHead.h"
#include "ui/frmPrefOUTFile.h"
#include "ui/frmShowTime.h"

using namespace kv;

namespace {

// The transfer commands' file dialogs through the window's file chooser.
TransferFileChooser Chooser(frmHead* head) {
    return [head](const TransferFileRequest& r) -> std::optional<std::string> {
        frmHead::FileDialogRequest request;
        request.save = r.save;
        request.filter = r.filter;
        request.fileName = r.fileName;
        const frmHead::FileDialogChoice choice = head->ChooseFile(request);
        if (choice.cancelled) return std::nullopt;
        return choice.path;
    };
}

}  // namespace

void frmHead::InstallTransferPorts() {
    new QtProgramStarter(this);
    new QtSerialLine(ComCtrl, this);
}

void frmHead::mnuTransferToFile_Click() { TransferToFile(Chooser(this)); }

void frmHead::mnuTransferIntelHex_Click() { TransferIntelHex(Chooser(this)); }

void frmHead::mnuTransferToTDOrLoader_Click() { TransferToLoader(); }

void frmHead::mnuTransferFileToTDOrLoader_Click() { TransferFileToLoader(Chooser(this)); }

void frmHead::Transferfile_e_Click() {
    if (!PrefOUTFile) PrefOUTFile = new frmPrefOUTFile(this);
    PrefOUTFile->InitOutFilePrefs(CurrentOutFilePrefsInput(gDocumentModified));
    PrefOUTFile->exec();
    activateWindow();
    CheckCopyBuffer();
}

void frmHead::cmdMatrix16_Click() {
    SendDestToSign(gCurrentDest);
    RefreshCurrentSignPicture();
}

// ------------------------------------------------------------------ the sign simulation

void frmHead::mnuToolsShowtime_Click() {
    if (ShowTime) return;
    const int16_t n = FirstSimulatedEntry();
    if (n == 0) {
        Beep();
        return;
    }
    int16_t& current = gDestListActive ? gCurrentDest : gCurrentExtra;
    if (n != current) {
        current = n;
        OpenEntryAsDoubleClick(n);
    }
    InitSimulation();
    ShowTime = new frmShowTime(this);
    ShowTime->Run(n);
}

void frmHead::EndShowtime() {
    ShowTime = nullptr;
    show();
    activateWindow();
    const int16_t page = EndSimulation();
    // The shown signs as they were, each at the zoom it had.
    LayoutSignPictures(false, false);
    for (int16_t address : ShownK4000Signs()) SizeSignPicture(address, false, false);
    SelectK4000Graphic(false);
    ActivePictureIndex = -1;
    // The sign's editor slot kept the pages the simulation rendered; the
    // page is the one before the simulation.
    if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000")
        ChangeAddress(SignInfoOf(gCurrentSign).GraphicIndex, true, true);
    gCurrentPage = page;
    if (page > 1 && page <= 20) TNo_op[static_cast<size_t>(page)]->setChecked(true);
    OpenEntryAsDoubleClick(gDestListActive ? gCurrentDest : gCurrentExtra);
}

void frmHead::OpenEntryAsDoubleClick(int16_t n) {
    const bool dest = gDestListActive != 0;
    QListWidget* box = dest ? DestList : ExtraList;
    const int row = SelectListItemForRecord(dest, n);
    if (row < 0 || row >= box->count()) return;
    box->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    box->setFocus();
    QApplication::processEvents();
    if (dest) DestList_DblClick();
    else ExtraList_DblClick();
}
