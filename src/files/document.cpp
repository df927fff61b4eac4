#include "files/document.h"

#include "platform/vb.h"

namespace kv {

int16_t gDocumentModified = kFalse;

void ResetDocumentState() {
    gDocumentModified = kFalse;
    gDocumentPath.clear();
    gAutoSaveFile.clear();
    gOpenSavePath.clear();
    gBackupOn = kTrue;
}

}  // namespace kv
