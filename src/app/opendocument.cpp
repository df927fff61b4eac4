#include "app/opendocument.h"

#include <utility>

#include "app/copybuffer.h"
#include "app/docsettings.h"
#include "app/doccommands.h"
#include "app/entryload.h"
#include "app/entrywindow.h"
#include "app/headstate.h"
#include "app/listswitch.h"
#include "app/pagetimes.h"
#include "app/signcontrols.h"
#include "app/signsel.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/outsettings.h"
#include "data/records.h"
#include "data/signtable.h"
#include "data/startup.h"
#include "engine/alignment.h"
#include "engine/defaultdest.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/routenolayout.h"
#include "engine/signpictures.h"
#include "engine/signview.h"
#include "engine/textedit.h"
#include "files/document.h"
#include "files/recentfiles.h"
#include "files/txlread.h"
#include "platform/error.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

namespace {

// A document starts on page 1 with the changing texts hidden.
void StartOnFirstPage() {
    gCurrentPage = 1;
    WindowPort().SetChangingTextsChecked(false);
    UpdateNoOfTextsOption(1, 1);
}

// The records of the project, the list lines and the dots of the pictures
// go; the text-sign line mode ends first.
void EmptyProject() {
    if (gTextSignActive) SignWindowPort().UpdateToolbarState2();
    ResetAllState(ResetScope::Project);
}

// The save question with the name the caption carries.
bool MayReplaceProject(const std::function<void()>& save) {
    if (QuerySaveDocument(DocumentNameFromCaption(WindowPort().MainCaption()), save) == vbCancel) return false;
    return AskSaveChanges();
}

// A name beside the auto-save file that no file has yet, for keeping a
// damaged one: kivar-damaged.txl, kivar-damaged-2.txl, ...
std::string AsideName(const std::string& autoSave) {
    const std::string folder = DirName(autoSave);
    std::string name = JoinPath(folder, "kivar-damaged.txl");
    for (int n = 2; FileExists(name); ++n) name = JoinPath(folder, "kivar-damaged-" + std::to_string(n) + ".txl");
    return name;
}

// The auto-save file could not be read (the reading said why): it is kept
// under another name, so that it is not lost and not read at every start.
void SetAsideAutoSave() {
    const std::string aside = AsideName(gAutoSaveFile);
    std::string error;
    const std::string next =
        gAutoSaveName.empty() ? "a new project is opened." : "the project is opened as it was last saved: " + gAutoSaveName;
    if (RenameFile(gAutoSaveFile, aside, &error)) {
        MsgBox(FileMessage(gAutoSaveFile, "The auto-save file could not be read. It is kept as " + aside + ", and " + next),
               vbExclamation);
    } else {
        MsgBox(FileMessage(gAutoSaveFile, "The auto-save file could not be read, nor kept under another name (" + error +
                                              "). It stays as it is, and " + next),
               vbExclamation);
    }
}

// A project file read whole into fresh tables while the window is busy.
bool ReadWhole(const std::string& file) {
    SetBusy(true);
    const bool read = OpenTxlFileWhole(file) == TxlReadResult::Read;
    SetBusy(false);
    return read;
}

// The project just read becomes the document under the name of the project
// the auto-save file was made of (as that file is named on disk).
void TakeAsAutoSaveProject(int16_t modified) {
    AdjustLists();
    gDocumentModified = modified;
    gDocumentPath = FileExists(gAutoSaveName) ? ResolvePath(gAutoSaveName) : gAutoSaveName;
    WindowPort().SetMainCaption(DocumentCaption(gDocumentPath));
    SetCurrentNumbersAfterLoad();
    SwitchList(true);
}

// The project of the auto-save file, as the project named in the settings,
// changed since its last save. False (and the file set aside) when the file
// cannot be read whole.
bool RecoverAutoSave() {
    if (!ReadWhole(gAutoSaveFile)) {
        SetAsideAutoSave();
        return false;
    }
    gRestoredFromAutoSave = kTrue;
    TakeAsAutoSaveProject(kTrue);
    NoteRecoveredDocumentFile(gDocumentPath, gAutoSaveFile);
    gAutoSaveNoticePending = kTrue;
    return true;
}

// The project the auto-save file was made of, as it was last saved. False
// for an untitled project and for a file that cannot be read whole.
bool OpenLastSavedProject() {
    if (gAutoSaveName.empty() || !ReadWhole(gAutoSaveName)) return false;
    CheckCopyBuffer();
    AdjustLists(-1);
    TakeAsAutoSaveProject(kFalse);
    NoteDocumentFile(gDocumentPath);
    return true;
}

}  // namespace

void ReadLibFile() {
    ReadDocumentSettings();
    if (gInsertMode) WindowPort().SetSaveButtonCaption(gTextS6 + "...");
}

void InitDocument() {
    InitOutFileDefaults();
    ReadLibFile();
    ReadDefaultRouteNoFonts();

    gCurrentPage = 1;
    gDestListActive = kTrue;
    ListPort().ShowList(true);
    gChangeTime = gDefaultChangeTime;

    // At start, the project of an abnormal end from the auto-save file; when
    // that cannot be read, the project as it was last saved. The auto-save
    // file of another program running from this folder is left alone.
    const bool ours = HoldAutoSaveFile(gStartUp != 0);
    const bool started =
        ours && FileExists(gAutoSaveFile) && gStartUp && (RecoverAutoSave() || OpenLastSavedProject());
    if (!started) {
        if (ours && FileExists(gAutoSaveFile)) RemoveFile(gAutoSaveFile);
        ForgetDocumentFile();
        OpenTxlFile(JoinPath(gDataPath, "standard.ini"));
        CheckCopyBuffer();
        AdjustLists(-1);
        AdjustLists();
        gDocumentPath.clear();
        gDocumentModified = kFalse;
        gCurrentDest = 1;
        gCurrentExtra = 1;
    }
    gLineNoTable[0].clear();
    bKeepCurrentNumber = false;

    // Row 1 of the shown-signs choice becomes the current, shown sign.
    const int16_t first = SignSelFirstRow();
    if (first != 0) {
        gCurrentSign = first;
        SignInfoOf(first).Shown = kTrue;
    }
    gK1000Shown = VbBool(AnyK1000Shown());
    SignWindowPort().UpdateSignControls(gCurrentSign);
    RecalcRouteNoArea();

    // The number box names the document's current entry.
    ShowCurrentNumber();
    gTxlVersion = gDestCodesOn ? 6 : 5;
    gAltBuffer.clear();
    gTextModified = kFalse;
    gTextAlignment = 1;
    ShowAlignmentKeys(gTextAlignment);
    StartOnFirstPage();
}

void NewDocument(const std::function<void()>& save) {
    if (!MayReplaceProject(save)) return;
    SetBusy(true);
    ClearSignConfigFlags();
    if (gTextSignActive) SignWindowPort().UpdateToolbarState2();

    DeleteAutoSaveFile();
    InitDocument();
    // The template's signs and out-file options stay; its records go.
    EmptyProject();
    InitDefaultDestination();
    gCurrentDest = 1;
    gCurrentExtra = 1;
    SwitchList(true);

    WindowPort().SetMainCaption(DocumentCaption(""));
    gDocumentModified = kFalse;
    ShowDocumentSigns();
    SetBusy(false);
}

void OpenDocument(const std::string* path, const std::function<void()>& save) {
    if (!MayReplaceProject(save)) return;
    std::string file = path ? *path : std::string();
    if (!path) {
        const std::string title = RemoveString(CommandPort().MenuItemCaption("mnu\xC3\x96ppna"), "&");
        const FileDialogChoice c = WindowPort().FileDialog({false, title, kProjectFilter, ProposedProjectName(), 1});
        if (c.cancelled) return;
        file = c.path;
        gOpenSavePath = FolderOfPath(file);
    }
    // The file is read into fresh tables; the open project is given up only
    // once the file has been read whole. A file that cannot be read was
    // reported and changes nothing.
    SetBusy(true);
    const std::string promName = std::exchange(gPromName, Left(file, 14));
    if (OpenTxlFileWhole(file, EmptyProject) != TxlReadResult::Read) {
        gPromName = promName;
        SetBusy(false);
        return;
    }
    gDocumentModified = kFalse;
    DeleteAutoSaveFile();
    // The name as the file has it on disk: a Save writes that very file.
    gDocumentPath = ResolvePath(file);
    NoteDocumentFile(gDocumentPath);
    AddRecentFile(gDocumentPath);
    WindowPort().SetMainCaption(DocumentCaption(gDocumentPath));
    CheckCopyBuffer();
    AdjustLists(-1);

    SetCurrentNumbersAfterLoad();
    SwitchList(true);
    // The number box names the new current entry (the switch above leaves
    // an already active list as it is).
    ShowCurrentNumber();

    ShowOnlySign(FirstOpenedSign());
    gK1000Shown = VbBool(AnyK1000Shown());
    SignWindow& signs = SignWindowPort();
    signs.UpdateSignControls(gCurrentSign);
    signs.SelectSign(gCurrentSign);
    ShowDocumentSigns();

    SetBusy(false);
    gAltBuffer.clear();
    gTextModified = kFalse;
    StartOnFirstPage();
}

void ShowDocumentSigns() {
    if (gStartUp) return;
    SignWindow& signs = SignWindowPort();
    signs.LayoutSignPictures(true, false);
    signs.SelectK4000Graphic(false);
    signs.ResetActivePicture();
    if (IsSignAddress(gCurrentSign) && SignInfoOf(gCurrentSign).Model == "K4000") {
        EntryPort().ChangeAddress(SignInfoOf(gCurrentSign).GraphicIndex, true, true);
        ShowSign(false, false);
    }
    SignPicturePort().FocusSignPicture();
}

}  // namespace kv
