// The document's changed state. Its file names live with the main window
// (mainwindow/headstate.h: gDocumentPath, gAutoSaveFile) and its folder and
// backup option with the main window's settings (mainwindow/settings.h:
// gOpenSavePath, gBackupOn).
#pragma once

#include <cstdint>

#include "mainwindow/headstate.h"
#include "mainwindow/settings.h"

namespace kv {

// -1 while the project holds changes not yet saved to a file.
extern int16_t gDocumentModified;

// gDocumentModified off, and the file names, the folder and the backup
// option back to their start values.
void ResetDocumentState();

}  // namespace kv
