#include "files/document.h"

#include "platform/vb.h"

namespace kv {

std::string gDocumentPath;
int16_t gDocumentModified = kFalse;
std::string gOpenSavePath;
std::string gAutoSaveFile;
int16_t gBackupOn = kTrue;

void ResetDocumentState() {
    gDocumentPath.clear();
    gDocumentModified = kFalse;
    gOpenSavePath.clear();
    gAutoSaveFile.clear();
    gBackupOn = kTrue;
}

}  // namespace kv
