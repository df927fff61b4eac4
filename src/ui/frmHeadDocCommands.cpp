// The File commands of the main window: New, Open, Save, Save As, the
// recent files, Exit and closing the window, with the save question, the
// auto-save timer and the horizontal extent of the lists.
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
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
#include "app/opendocument.h"
#include "ui/application_qt.h"
#include "ui/frmHead.h"
#include "app/headstate.h"
#include "ui/file_dialog_qt.h"
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
        const QString desc = parts[i].trimmed(), pattern = parts[i + 1];
        const QString tail = "(" + pattern + ")";
        out << (desc.endsWith(tail) ? desc : desc + " " + tail);
    }
    return out;
}

}  // namespace

// ------------------------------------------------------------------ dialogs

frmHead::FileDialogChoice frmHead::ShowFileDialog(const FileDialogRequest& request) {
    FileDialogAsk ask;
    ask.save = request.save;
    ask.title = Q(request.title);
    ask.filters = NameFilters(request.filter);
    ask.filterIndex = request.filterIndex;
    const std::string folder = FolderOfPath(request.fileName);
    const std::string name = request.fileName.substr(folder.empty() ? 0 : folder.size() + 1);
    if (!folder.empty()) ask.folder = Q(NativePath(folder));
    // An untitled project proposes no name.
    if (name.find('*') == std::string::npos) ask.name = Q(name);
    const FileDialogAnswer answer = RunFileDialog(CommonDialog1, this, ask);
    FileDialogChoice choice;
    if (!answer.accepted) return choice;
    choice.cancelled = false;
    choice.path = BPath(answer.path);
    choice.filterIndex = answer.filterIndex;
    return choice;
}

frmHead::FileDialogChoice frmHead::FileDialog(const FileDialogRequest& request) { return ChooseFile(request); }

std::string frmHead::ShowInputBox(const std::string& prompt, const std::string& title, const std::string& value) {
    bool ok = false;
    const QString text = QInputDialog::getText(this, Q(title), Q(prompt), QLineEdit::Normal, Q(value), &ok);
    activateWindow();
    return ok ? B(text) : std::string();
}

bool frmHead::ActiveFormIsMain() const {
    // A modal dialog of the program is the active form while it is open,
    // another shown window of the program while it is the active one.
    if (QWidget* modal = QApplication::activeModalWidget(); modal && modal != this) return false;
    if (QWidget* active = QApplication::activeWindow(); active && active != this && active->isVisible()) return false;
    // Otherwise the main window is the program's active form, also while no
    // window of the program is reported active (another program in front, a
    // dialog just closed, no window manager).
    return isVisible();
}

// ------------------------------------------------------------------ the save question

int16_t frmHead::QuerySaveDocument() {
    return kv::QuerySaveDocument(DocumentNameFromCaption(MainCaption()), [this] { mnuSpara_Click(); });
}

// ------------------------------------------------------------------ New

void frmHead::mnuNytt_Click() { NewDocument([this] { mnuSpara_Click(); }); }

// ------------------------------------------------------------------ Open

void frmHead::mnuÖppna_Click() {
    const bool withoutDialog = bOpenWithoutDialog;
    const std::string pending = OpenWithoutDialogPath;
    bOpenWithoutDialog = false;
    OpenWithoutDialogPath.clear();
    OpenDocument(withoutDialog ? &pending : nullptr, [this] { mnuSpara_Click(); });
}

void frmHead::mnuArkivFile_Click(int n) {
    if (n < 1 || n > gRecentFileCount) return;
    bOpenWithoutDialog = true;
    OpenWithoutDialogPath = Trim(gRecentFiles[static_cast<size_t>(n - 1)].Path);
    mnuÖppna_Click();
}

// ------------------------------------------------------------------ Save, Save As

void frmHead::mnuSpara_Click() {
    if (!SavesInPlace(gDocumentPath)) {
        mnuSparasom_Click();
        return;
    }
    // A file another program saved since it was read is not overwritten
    // unasked; without a save the project stays modified.
    if (!MaySaveOver(gDocumentPath)) return;
    ChangeDirectory(gOpenSavePath);
    const bool saved = SaveTxlFile(gDocumentPath);
    ChangeDirectory(gDataPath);
    // A failed save was reported; the project stays modified and the
    // auto-save file stays.
    if (!saved) return;
    NoteDocumentFile(gDocumentPath);
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

    if (ChooseFormat && !IsVersionFilterEntry(c.filterIndex)) {
        // The dialog could not tell the format chosen: nothing is written
        // rather than a file in another format.
        Beep();
        return;
    }
    if (!MaySaveOver(c.path)) return;
    const int16_t oldVersion = gTxlVersion;
    const std::string oldCaption = MainCaption();
    if (ChooseFormat) gTxlVersion = VersionOfFilterEntry(c.filterIndex, gTxlVersion);
    SetMainCaption(DocumentCaption(c.path));
    if (!SaveTxlFile(c.path)) {
        // Nothing was written: the project keeps its name, version and
        // modified state.
        gTxlVersion = oldVersion;
        SetMainCaption(oldCaption);
        return;
    }
    NoteDocumentFile(c.path);
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

void frmHead::AdjustLists(std::optional<int> length) { kv::AdjustLists(length); }
