// The File commands of the main window: New, Open, Save, Save As, the
// recent files, Exit and closing the window, with the save question, the
// auto-save timer and the horizontal extent of the lists.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QInputDialog>
#include <QListWidget>

#include "engine/defaultdest.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/ini.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "files/document.h"
#include "files/outoptions.h"
#include "files/recentfiles.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "app/docsettings.h"
#include "app/doccommands.h"
#include "ui/application_qt.h"
#include "ui/frmHead.h"
#include "app/headstate.h"
#include "ui/headwidgets_qt.h"
#include "data/settings.h"
#include "app/signcontrols.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "ui/qtbridge_qt.h"
#include "platform/host.h"
#include "platform/vb.h"

using namespace kv;

namespace {

// The filter of a file dialog as description|pattern pairs, turned into
// Qt's "description (patterns)" entries.
QStringList NameFilters(const std::string& filter) {
    QStringList parts = Q(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString desc = parts[i], pattern = parts[i + 1];
        const QString tail = "(" + pattern + ")";
        out << (desc.trimmed().endsWith(tail) ? desc : desc + " " + tail);
    }
    return out;
}

}  // namespace

// ------------------------------------------------------------------ dialogs

frmHead::FileDialogChoice frmHead::ShowFileDialog(const FileDialogRequest& request) {
    FileDialogChoice choice;
    QFileDialog* d = CommonDialog1;
    d->setOption(QFileDialog::DontUseNativeDialog, true);
    d->setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    d->setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    // A save asks before it overwrites; the read-only box is never offered.
    d->setOption(QFileDialog::DontConfirmOverwrite, !request.save);
    d->setOption(QFileDialog::ReadOnly, false);
    d->setWindowTitle(Q(request.title));
    const QStringList filters = NameFilters(request.filter);
    d->setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        d->selectNameFilter(filters[request.filterIndex - 1]);
    const std::string folder = FolderOfPath(request.fileName);
    const std::string name = request.fileName.substr(folder.empty() ? 0 : folder.size() + 1);
    if (!folder.empty()) d->setDirectory(Q(NativePath(folder)));
    d->selectFile(name.find('*') == std::string::npos ? Q(name) : QString());
    const int result = d->exec();
    activateWindow();
    if (result != QDialog::Accepted || d->selectedFiles().isEmpty()) return choice;
    choice.cancelled = false;
    choice.path = B(d->selectedFiles().first());
    choice.filterIndex = static_cast<int>(filters.indexOf(d->selectedNameFilter())) + 1;
    if (choice.filterIndex < 1) choice.filterIndex = 1;
    return choice;
}

std::string frmHead::ShowInputBox(const std::string& prompt, const std::string& title, const std::string& value) {
    bool ok = false;
    const QString text = QInputDialog::getText(this, Q(title), Q(prompt), QLineEdit::Normal, Q(value), &ok);
    activateWindow();
    return ok ? B(text) : std::string();
}

bool frmHead::ActiveFormIsMain() const {
    // A modal dialog of the program is the active form while it is open.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) return false;
    if (QWidget* active = QApplication::activeWindow()) return active == this;
    // No window of the program is reported active (another program is in
    // front, or no window manager reports activation): the main window
    // stays the active form.
    return isVisible();
}

// ------------------------------------------------------------------ the save question

int16_t frmHead::QuerySaveDocument() {
    return kv::QuerySaveDocument(DocumentNameFromCaption(B(windowTitle())), [this] { mnuSpara_Click(); });
}

// ------------------------------------------------------------------ New

void frmHead::mnuNytt_Click() {
    if (QuerySaveDocument() == vbCancel) return;
    if (!AskSaveChanges()) return;
    SetScreenMousePointer(11);
    ClearSignConfigFlags();
    if (gTextSignActive) UpdateToolbarState2();

    DeleteAutoSaveFile();
    InitDocument();
    // The template's signs and out-file options stay; its records, the
    // list lines and the pictures' dots go.
    ResetAllState(ResetScope::Project);
    kv::InitDefaultDestination();
    gCurrentDest = 1;
    gCurrentExtra = 1;
    mnuTextDesttext_Click();

    SetMainCaption(DocumentCaption(""));
    gDocumentModified = kFalse;
    ShowDocumentSigns();
    SetScreenMousePointer(0);
}

// ------------------------------------------------------------------ Open

void frmHead::mnuÖppna_Click() {
    const bool withoutDialog = bOpenWithoutDialog;
    const std::string pending = OpenWithoutDialogPath;
    bOpenWithoutDialog = false;
    OpenWithoutDialogPath.clear();

    if (QuerySaveDocument() == vbCancel) return;
    if (!AskSaveChanges()) return;
    std::string path = pending;
    if (!withoutDialog) {
        const FileDialogChoice c = ChooseFile({false, B(MenuItem("mnuÖppna")->text().remove('&')), kProjectFilter,
                                               ProposedProjectName(), 1});
        if (c.cancelled) return;
        path = c.path;
        gOpenSavePath = FolderOfPath(path);
    }
    // From here the open project is given up.
    gDocumentModified = kFalse;
    DeleteAutoSaveFile();

    SetScreenMousePointer(11);
    gPromName = Left(path, 14);
    if (gTextSignActive) UpdateToolbarState2();
    ResetAllState(ResetScope::Project);

    // The project takes the file's name only once the file is read; a file
    // that cannot be read leaves an untitled project (what was read of it,
    // or the template).
    if (OpenTxlFile(path) == TxlReadResult::Read) {
        gDocumentPath = path;
        AddRecentFile(path);
    } else {
        gDocumentPath.clear();
    }
    SetMainCaption(DocumentCaption(gDocumentPath));
    // The copy buffer is checked against the new project (CheckCopyBuffer)
    // once pasting is linked in.
    AdjustLists(-1);

    SetCurrentNumbersAfterLoad();
    mnuTextDesttext_Click();
    // The number box names the new current entry (the switch above leaves
    // an already active list as it is).
    ShowCurrentNumber();

    for (SignInfo& s : gSignInfo) s.Shown = kFalse;
    const int16_t first = FirstOpenedSign();
    if (first != 0) {
        gCurrentSign = first;
        SignInfoOf(first).Shown = kTrue;
        if (Left(SignInfoOf(first).Model, 2) == "K2") UpdateToolbarState();
        else UpdateToolbarState2();
    }
    gK1000Shown = VbBool(AnyK1000Shown());
    UpdateSignControls(gCurrentSign);
    SelectSign(gCurrentSign);
    ShowDocumentSigns();

    SetScreenMousePointer(0);
    gAltBuffer.clear();
    gTextModified = kFalse;
}

void frmHead::mnuArkivFile_Click(int n) {
    if (n < 1 || n > gRecentFileCount) return;
    bOpenWithoutDialog = true;
    OpenWithoutDialogPath = Trim(gRecentFiles[static_cast<size_t>(n - 1)].Path);
    mnuÖppna_Click();
}

// The signs of a document that has just started or been opened: once the
// window has been activated, the pictures are laid out afresh, emptied, and
// the current sign becomes the active one (the first activation does this
// itself).
void frmHead::ShowDocumentSigns() {
    if (gStartUp) return;
    LayoutSignPictures(true, false);
    SelectK4000Graphic(false);
    ActivePictureIndex = -1;
    if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000") {
        ChangeAddress(SignInfoOf(gCurrentSign).GraphicIndex, true, true);
        ShowSign(false, false);
    }
    RefreshCurrentSignPicture();
    sb->SetPanelText(1, Label4->text() + " " + SignCaption_lbl->text());
}

// ------------------------------------------------------------------ Save, Save As

void frmHead::mnuSpara_Click() {
    if (!SavesInPlace(gDocumentPath)) {
        mnuSparasom_Click();
        return;
    }
    ChangeDirectory(gOpenSavePath);
    const bool saved = SaveTxlFile(gDocumentPath);
    ChangeDirectory(gDataPath);
    // A failed save was reported; the project stays modified and the
    // auto-save file stays.
    if (!saved) return;
    AddRecentFile(gDocumentPath);
    gDocumentModified = kFalse;
    DeleteAutoSaveFile();
    gOpenSavePath = FolderOfPath(gDocumentPath);
}

void frmHead::mnuSparasom_Click() {
    ChooseFormat = IniGetValue(gSettingsFile, "Generell", "ChooseFormat") == "1";
    std::string filter = kProjectFilter;
    if (ChooseFormat && gDestCodesOn) {
        MsgBox("Fixed format!\r\n'Choose Format'-option disabled!");
        ChooseFormat = false;
    } else if (ChooseFormat) {
        filter = kVersionFilter;
    }
    const FileDialogChoice c =
        ChooseFile({true, B(MenuItem("mnuSparasom")->text().remove('&')), filter, ProposedProjectName(), 1});
    if (c.cancelled) return;

    const int16_t oldVersion = gTxlVersion;
    const std::string oldCaption = B(windowTitle());
    if (ChooseFormat) gTxlVersion = VersionOfFilterEntry(c.filterIndex, gTxlVersion);
    SetMainCaption(DocumentCaption(c.path));
    if (!SaveTxlFile(c.path)) {
        // Nothing was written: the project keeps its name, version and
        // modified state.
        gTxlVersion = oldVersion;
        SetMainCaption(oldCaption);
        return;
    }
    gDocumentPath = c.path;
    AddRecentFile(c.path);
    gDocumentModified = kFalse;
    DeleteAutoSaveFile();
    gOpenSavePath = FolderOfPath(c.path);
}

// ------------------------------------------------------------------ Exit, closing

void frmHead::EndDocumentSession() {
    ChangeDirectory(gDataPath);
    DeleteAutoSaveFile();
    if (gSaveWinPos) SaveFormPlacement(this);
    IniSetValue(gSettingsFile, "Generell", "OpenSavePath", gOpenSavePath);
}

void frmHead::mnuAvsluta_Click() {
    if (!AskSaveChanges()) return;
    if (QuerySaveDocument() != vbYes) return;
    EndDocumentSession();
    EndProgram(0);
}

bool frmHead::Form_QueryUnload() {
    // Closing the window asks about the entry under edit as Exit does.
    return AskSaveChanges() && QuerySaveDocument() == vbYes;
}

void frmHead::closeEvent(QCloseEvent* e) {
    if (!Form_QueryUnload()) {
        e->ignore();
        return;
    }
    EndDocumentSession();
    e->accept();
}

// ------------------------------------------------------------------ auto-save

void frmHead::timAutoSave_Timer() {
    if (!gAutoSaveEnabled || !ActiveFormIsMain()) return;
    const double now = MonotonicSeconds();
    if (!AutoSaveDue(now)) return;
    if (gDocumentModified) {
        if (gEditPicture) gEditPicture->unsetCursor();
        SetScreenMousePointer(11);
        WriteAutoSaveFile();
        SetScreenMousePointer(0);
    }
    gLastAutoSaveTime = now;
}

// ------------------------------------------------------------------ list widths

void frmHead::AdjustLists(std::optional<int> length) {
    bool isDest = true;
    const std::optional<int32_t> extent = AdjustListExtent(length, !DestList->isHidden(), !ExtraList->isHidden(), isDest);
    if (!extent) return;
    QListWidget* list = isDest ? DestList : ExtraList;
    // How far the list scrolls sideways; the list box itself scrolls to its
    // longest line.
    list->setProperty("HorizontalExtent", *extent);
    list->setFocus();
}
