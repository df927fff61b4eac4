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
// option back to their start values; the auto-save file's lock released
// and the document file's state forgotten.
void ResetDocumentState();

// The auto-save file belongs to the program that holds its lock
// (gAutoSaveFile & ".lock"): only that program recovers, writes or deletes
// it, so that a second program started from the same folder leaves the
// first one's auto-save alone and keeps none of its own there. True while
// this program holds the lock; it is taken when it is free. Taken later
// than at the start (`recovering` false), while an auto-save file is there,
// the lock is given back: that file was left by a program that ended
// abnormally, and the next start recovers it. Where no lock can be made
// (a folder that cannot be written) the auto-save file is this program's.
bool HoldAutoSaveFile(bool recovering = false);
void ReleaseAutoSaveFile();

// The project's file as this program last read or wrote it: a Save over a
// file that has changed on disk since (another program saved it) asks
// first. NoteDocumentFile records the file's state now (nothing for an
// empty path); ForgetDocumentFile forgets it. NoteRecoveredDocumentFile
// does the same for the project that an auto-save file was made of: a file
// changed after that auto-save counts as changed.
void NoteDocumentFile(const std::string& path);
void NoteRecoveredDocumentFile(const std::string& path, const std::string& autoSaveFile);
void ForgetDocumentFile();
// `path` is the file last read or written and has changed on disk since
// (a file that is gone has not: writing it loses nothing).
bool DocumentFileChanged(const std::string& path);

}  // namespace kv
