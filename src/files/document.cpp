#include "files/document.h"

#include "platform/filelock.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::string gDocumentPath;
std::string gAutoSaveFile;
int16_t gDocumentModified = kFalse;

namespace {

FileLock gAutoSaveLock;
// The auto-save file of a folder where no lock can be made.
bool gAutoSaveUnlocked = false;

struct DocumentFile {
    std::string path;  // "" when no state is known
    FileStamp stamp;
};
DocumentFile gDocumentFile;

}  // namespace

void ResetDocumentState() {
    gDocumentModified = kFalse;
    gDocumentPath.clear();
    gAutoSaveFile.clear();
    gOpenSavePath.clear();
    gBackupOn = kTrue;
    ReleaseAutoSaveFile();
    ForgetDocumentFile();
}

bool HoldAutoSaveFile(bool recovering) {
    if (gAutoSaveLock.Held() || gAutoSaveUnlocked) return true;
    if (gAutoSaveFile.empty()) return false;
    switch (gAutoSaveLock.Take(gAutoSaveFile + ".lock")) {
        case FileLock::Taken::Elsewhere: return false;
        case FileLock::Taken::NoLock: gAutoSaveUnlocked = true; return true;
        case FileLock::Taken::Yes: break;
    }
    if (!recovering && FileExists(gAutoSaveFile)) {
        gAutoSaveLock.Release();
        return false;
    }
    return true;
}

void ReleaseAutoSaveFile() {
    gAutoSaveLock.Release();
    gAutoSaveUnlocked = false;
}

void NoteDocumentFile(const std::string& path) {
    gDocumentFile = {};
    if (!path.empty() && StampOfFile(path, gDocumentFile.stamp)) gDocumentFile.path = path;
}

void NoteRecoveredDocumentFile(const std::string& path, const std::string& autoSaveFile) {
    NoteDocumentFile(path);
    FileStamp autoSave;
    if (!gDocumentFile.path.empty() && StampOfFile(autoSaveFile, autoSave) &&
        gDocumentFile.stamp.changed > autoSave.changed)
        gDocumentFile.stamp = FileStamp{};  // matches no file
}

void ForgetDocumentFile() { gDocumentFile = {}; }

bool DocumentFileChanged(const std::string& path) {
    if (gDocumentFile.path.empty() || path != gDocumentFile.path) return false;
    FileStamp now;
    return StampOfFile(path, now) && !(now == gDocumentFile.stamp);
}

namespace {
const ResetRegistrar kReset("document", StateLayer::Files, ResetDocumentState);
}  // namespace

}  // namespace kv
