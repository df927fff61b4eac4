#include "files/document.h"

#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

std::string gDocumentPath;
std::string gAutoSaveFile;
int16_t gDocumentModified = kFalse;

void ResetDocumentState() {
    gDocumentModified = kFalse;
    gDocumentPath.clear();
    gAutoSaveFile.clear();
    gOpenSavePath.clear();
    gBackupOn = kTrue;
}

namespace {
const ResetRegistrar kReset("document", StateLayer::Files, ResetDocumentState);
}  // namespace

}  // namespace kv
