// The start of a document and the File commands that replace the open
// project: New, Open and the document start they share with the program's
// start (the settings reread, the template or the recovered project, the
// first sign shown).
#pragma once

#include <functional>
#include <string>

namespace kv {

// The settings a document starts from (ReadDocumentSettings); in insert
// mode the record button says so.
void ReadLibFile();

// Out-file defaults, the document settings, then the project of an abnormal
// end (the auto-save file, at start only) or the template project; the sign
// of the first row of the shown-signs choice becomes current. An auto-save
// file that cannot be read is kept aside as kivar-damaged.txl (said in a
// message), and the project it was made of opens as last saved.
void InitDocument();

// File/New: after the save question and the question about uncommitted
// edits, the template's signs and out-file options with no records.
// `save` is the Save command, run when the user wants the project saved.
void NewDocument(const std::function<void()>& save);

// File/Open: the project at `path`, or (path null) the one the file dialog
// chooses. A file that cannot be read changes nothing: the open project
// stays with its name, lists and pictures.
void OpenDocument(const std::string* path, const std::function<void()>& save);

// The signs of a document that has just started or been opened: once the
// window has been activated, the pictures are laid out afresh, emptied, and
// the current sign becomes the active one (the first activation does this
// itself).
void ShowDocumentSigns();

}  // namespace kv
