// The project's font list: the [Fonts] entries of the settings file, the
// display list built from them and the ids of the project's fonts in list
// order (what the font-step buttons walk).
//
// An entry of [Fonts] ("Font01", "Font02", ... up to "NoOfFonts"): column 1
// "*" for a font of the project, else a blank; column 3 the font id; from
// column 5 the display name. The graphic entry "g" has a name without blanks
// ("<...>"), stands first in the list and never counts as a project font.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// Entries 1..gFontCount; element 0 unused.
extern std::vector<std::string> gFontFiles;
// Display list 1..gFontCount; element 0 unused. After SaveFontList(1) each
// element starts with its font id.
extern std::vector<std::string> gFontList;
// Element 0 and gFontIdCount + 1 hold a blank, 1..gFontIdCount the ids of the
// project's fonts in list order.
extern std::vector<std::string> gFontIds;
extern int16_t gFontCount;
extern int16_t gFontIdCount;
// Position in gFontList of the main window's current font.
extern int16_t gFontListIndex;

// "Font" and the position with at least two digits: Font01, Font10, Font100.
std::string FontKey(int position);
// Reads [Fonts] NoOfFonts and the entries into gFontFiles, then
// SaveFontList(1).
void ReadFontSection(const std::string& settingsFile);
// Rebuilds the display list from gFontFiles. Mode 1 also rebuilds gFontIds;
// mode 2 keeps the marks, for the font selection dialog.
void SaveFontList(int16_t mode);
// Selects the font in the main window: the first entry starting with the id,
// else the last entry.
void FindFontByChar(const std::string& fontId);
// 1-based position of the id in gFontIds, 0 when it is not a project font.
int16_t FindFontIdIndex(const std::string& fontId);
// After the language texts are (re)loaded: the first entry of the graphic
// font "g" takes the language's name of it (S30 without "<" and ">").
void RenameGraphicFontEntry();

void ResetFontList();

}  // namespace kv
