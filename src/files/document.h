// The document: its file names and changed state. Its folder and backup
// option are program settings (data/settings.h: gOpenSavePath, gBackupOn).
#pragma once

#include <cstdint>
#include <string>

#include "data/settings.h"

namespace kv {

// Path of the open project file; "" for a project without a file.
extern std::string gDocumentPath;
// The auto-save file: "kivar.txl" in the program folder.
extern std::string gAutoSaveFile;

// -1 while the project holds changes not yet saved to a file.
extern int16_t gDocumentModified;

// gDocumentModified off, and the file names, the folder and the backup
// option back to their start values.
void ResetDocumentState();

}  // namespace kv
