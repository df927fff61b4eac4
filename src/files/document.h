// The document: which project file is open, whether it changed since it was
// last saved, where the auto-save file lives and whether saving keeps a
// backup of the file it replaces.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Full path of the open project; "" for an untitled project.
extern std::string gDocumentPath;
// -1 while the project holds changes not yet saved to a file.
extern int16_t gDocumentModified;
// The folder of the last opened or saved project, without a trailing separator.
extern std::string gOpenSavePath;
// The auto-save file ("kivar.txl" in the program folder); saving to it makes
// no backup.
extern std::string gAutoSaveFile;
// -1 unless [Generell] NoBackup is "1": saving over a project keeps the old
// file as its backup.
extern int16_t gBackupOn;

void ResetDocumentState();

}  // namespace kv
