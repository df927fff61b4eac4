// The document commands without their window: the caption and the name it
// carries, the save question, where Save writes, the file dialogs' filters
// and proposed names, the version a Save As filter entry chooses, the
// auto-save clock and file, the current entries after a project is read,
// and the longest list lines that the list boxes scroll to.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/clock.h"

namespace kv {

// "Kivar32® <" & name & ">"; an empty name is the untitled project (S38).
std::string DocumentCaption(const std::string& name);
// The text between the first "<" and the first ">" of a caption; "" when
// either is missing.
std::string DocumentNameFromCaption(const std::string& caption);

// Asks whether to save a modified project (S97 and the name, Yes/No/Cancel;
// No asks S96 again with OK/Cancel). 6 = go on, 2 = stop. Yes runs `save`
// and goes on only when the project is no longer modified afterwards.
int16_t QuerySaveDocument(const std::string& name, const std::function<void()>& save);

// Deletes the auto-save file (gAutoSaveFile) when it exists and is this
// program's (HoldAutoSaveFile, files/document.h).
void DeleteAutoSaveFile();
// A Save may write the project to `path`: true unless the file there has
// changed on disk since this program read or wrote it and the user, asked
// with the file named, says No.
bool MaySaveOver(const std::string& path);
// Save writes the project under its name (else Save As runs): the name,
// upper-cased and right-trimmed, ends in "TXL", is neither S100 nor "*.TXL"
// (upper-cased) and is not empty.
bool SavesInPlace(const std::string& name);
// The folder of a path: everything before its last "\" or "/"; "" without one.
std::string FolderOfPath(const std::string& path);

// File dialog filters: description|pattern pairs.
extern const char* const kProjectFilter;
extern const char* const kVersionFilter;
// The name a project dialog proposes: the document's path, else "*.txl" in
// the document folder.
std::string ProposedProjectName();
// The format version of an entry (1-based) of kVersionFilter; `current` for
// "All files" and anything else.
int16_t VersionOfFilterEntry(int entry, int16_t current);
// The entry is one of kVersionFilter's (1..7).
bool IsVersionFilterEntry(int entry);

// The auto-save is due: on ([AutoSave] Enabled) and more than [AutoSave]
// Time seconds since the last due tick (gLastAutoSaveTime), both on
// MonotonicSeconds (platform/clock.h).
bool AutoSaveDue(double now);
// Writes the project into the auto-save file through the safe writer
// without reporting failures; when the document's name differs from the
// recorded one, [AutoSave] FileName takes it (when the settings file is
// there). False when nothing was written, also while another program
// holds the auto-save file.
bool WriteAutoSaveFile();

// After a project is read: the entry after the last used one of each list
// becomes current; 0 or a number past the table gives 1.
void SetCurrentNumbersAfterLoad();
// The sign a project shows after it is opened: the first address 2..16 of a
// text or graphic sign; without one the first sign of the shown-signs
// choice (0 when no sign is configured).
int16_t FirstOpenedSign();

// The longest line seen in the destination and the extra-text list box.
extern int16_t gDestListLongest;
extern int16_t gExtraListLongest;
// The horizontal extent the visible list must scroll to, in pixels: the
// longest line's length x 9, plus 20 for the destination list. length -1
// forgets both lengths; no length takes the longest of the list's lines; a
// length counts when it is longer than the one stored. nullopt when the
// list's extent does not change (or no list is visible); isDest tells
// which list it is.
std::optional<int32_t> AdjustListExtent(std::optional<int> length, bool destVisible, bool extraVisible,
                                        bool& isDest);

// The visible list scrolls sideways to its longest line (see
// AdjustListExtent); it takes the focus when its extent changes.
void AdjustLists(std::optional<int> length = std::nullopt);

void ResetDocumentCommands();

}  // namespace kv
