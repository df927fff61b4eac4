#include "app/doccommands.h"

#include <algorithm>

#include "data/destlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "files/document.h"
#include "files/txlwrite.h"
#include "app/docsettings.h"
#include "app/headstate.h"
#include "app/signcontrols.h"
#include "platform/error.h"
#include "platform/paths.h"
#include "platform/host.h"
#include "platform/ports.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

const char* const kProjectFilter = "Kivar Text (*.txl)|*.txl|Kivar INI(standard.ini)|standard.ini|All files (*.*)|*.*";
const char* const kVersionFilter =
    "Kivar 1.5.3 |*.txl|Kivar 1.5 |*.txl|Kivar 1.43 - 1.45 |*.txl|Kivar 1.42 |*.txl|Kivar 1.41|*.txl|"
    "Kivar 1.31 |*.txl|All files (*.*)|*.*";

int16_t gDestListLongest = 0;
int16_t gExtraListLongest = 0;

std::string DocumentCaption(const std::string& name) {
    return name.empty() ? MainWindowCaption() : kMsgTitle + " <" + name + ">";
}

std::string DocumentNameFromCaption(const std::string& caption) {
    const long open = InStr(caption, "<"), close = InStr(caption, ">");
    if (open == 0 || close <= open) return {};
    return Mid(caption, open + 1, close - open - 1);
}

int16_t QuerySaveDocument(const std::string& name, const std::function<void()>& save) {
    if (!gDocumentModified) return vbYes;
    switch (MsgBox(gTextS97 + name, vbYesNoCancel | vbQuestion)) {
        case vbYes:
            if (save) save();
            return gDocumentModified ? vbCancel : vbYes;
        case vbNo: return MsgBox(gTextS96, vbOKCancel | vbExclamation) == vbOK ? vbYes : vbCancel;
        default: return vbCancel;
    }
}

void DeleteAutoSaveFile() {
    if (!gAutoSaveFile.empty() && HoldAutoSaveFile() && FileExists(gAutoSaveFile)) RemoveFile(gAutoSaveFile);
}

bool MaySaveOver(const std::string& path) {
    if (!DocumentFileChanged(path)) return true;
    return MsgBox(FileMessage(path, "The file has changed on disk since this program opened or last saved it (another "
                                    "program may have saved it). Save over it?"),
                  vbYesNo | vbExclamation | vbDefaultButton2) == vbYes;
}

bool SavesInPlace(const std::string& name) {
    const std::string u = UCase(RTrim(name));
    if (u.empty() || u.size() < 3 || u.compare(u.size() - 3, 3, "TXL") != 0) return false;
    return UCase(name) != UCase(gTextS100) && UCase(name) != "*.TXL";
}

std::string FolderOfPath(const std::string& path) {
    const size_t p = path.find_last_of("\\/");
    return p == std::string::npos ? std::string() : path.substr(0, p);
}

std::string ProposedProjectName() {
    if (!gDocumentPath.empty()) return gDocumentPath;
    return JoinPath(gOpenSavePath, "*.txl");
}

int16_t VersionOfFilterEntry(int entry, int16_t current) {
    static constexpr int16_t kVersions[] = {5, 0, 1, 2, 3, 4};
    return entry >= 1 && entry <= 6 ? kVersions[entry - 1] : current;
}

bool IsVersionFilterEntry(int entry) { return entry >= 1 && entry <= 7; }

bool AutoSaveDue(double now) { return gAutoSaveEnabled && now - gLastAutoSaveTime > gAutoSaveTime; }

bool WriteAutoSaveFile() {
    if (!HoldAutoSaveFile() || !SaveTxlFile(gAutoSaveFile, false)) return false;
    // Without its settings file the program only writes the project.
    if (gDocumentPath != gAutoSaveName && FileExists(gSettingsFile)) {
        IniSetValue(gSettingsFile, "AutoSave", "FileName", gDocumentPath);
        gAutoSaveName = gDocumentPath;
    }
    return true;
}

void SetCurrentNumbersAfterLoad() {
    gCurrentDest = static_cast<int16_t>(LastUsedNumber(DestList) + 1);
    gCurrentExtra = static_cast<int16_t>(LastUsedNumber(ExtraList) + 1);
    if (gCurrentDest <= 0 || gCurrentDest >= kDestCount) gCurrentDest = 1;
    if (gCurrentExtra <= 0 || gCurrentExtra >= kExtraCount) gCurrentExtra = 1;
}

int16_t FirstOpenedSign() {
    const int16_t first = FirstSignOfModels({"K2000_1R", "K2000_2R", "K4000"});
    return first != 0 ? first : FirstListedSign();
}

void AdjustLists(std::optional<int> length) {
    bool isDest = true;
    ListWindow& lists = ListPort();
    if (const std::optional<int32_t> extent = AdjustListExtent(length, lists.ListShown(true), lists.ListShown(false), isDest))
        lists.SetListExtent(isDest, *extent);
}

std::optional<int32_t> AdjustListExtent(std::optional<int> length, bool destVisible, bool extraVisible,
                                        bool& isDest) {
    if (length && *length == -1) {
        gDestListLongest = gExtraListLongest = 0;
        return std::nullopt;
    }
    if (!destVisible && !extraVisible) return std::nullopt;
    isDest = destVisible;
    int16_t& stored = isDest ? gDestListLongest : gExtraListLongest;
    if (length) {
        if (*length <= stored) return std::nullopt;
        stored = static_cast<int16_t>(std::min(*length, 32767));
    } else {
        for (const std::string& line : (isDest ? DestList : ExtraList).Lines())
            stored = static_cast<int16_t>(std::max<size_t>(static_cast<size_t>(stored), std::min<size_t>(line.size(), 32767)));
    }
    return stored * 9 + (isDest ? 20 : 0);
}

void ResetDocumentCommands() {
    gDestListLongest = 0;
    gExtraListLongest = 0;
}

namespace {
const ResetRegistrar kReset("document commands", StateLayer::App, ResetDocumentCommands);
}  // namespace

}  // namespace kv
