// Character maps: which glyph of a font draws which text character. A font's
// map is the text file <font folder><id>\<id>map.txt, one character a line:
// the character in column 1, a blank, the glyph code in decimal, then free
// text after a blank; a line starting with two blanks is a comment (so the
// blank itself is written " 32").
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kv {

// The font folder, with a trailing separator.
extern std::string gFontPath;

constexpr int kCharMapSize = 224;  // codes 32..255
// Glyph code per character code (index code - 32); 0 = no glyph.
extern int16_t gCharMap[kCharMapSize];
// Character code per glyph code (index glyph code - 32); 0 = none.
extern int16_t gCharMapReverse[kCharMapSize];
// The font whose map is loaded (one character).
extern std::string gCurrentFontCode;

// Character codes 250..254 stand for the last one to five characters of the
// route number; they always map to themselves.
constexpr int kFirstPlaceholder = 250;
constexpr int kLastPlaceholder = 254;

// What the font code needs of the editor and the main window; they fill these
// when they start. Empty hooks are skipped.
struct FontHooks {
    // Draws a character of a font as the editor measures glyphs, which sets
    // the editor's character height.
    std::function<void(const std::string& fontId, int16_t charCode)> measureChar;
    // When the graphic sign's text editor is active with cells marked: gives
    // them the font, recomputes the row widths and answers whether they took
    // it. nullopt when nothing is marked.
    std::function<std::optional<bool>(const std::string& fontId)> applyToMarkedCells;
};
extern FontHooks gFontHooks;

enum class CharMapStatus {
    Missing,  // no map file: both tables stay empty
    Refused,  // the marked cells could not take the font
    Taken,    // loaded and, where cells were marked, applied
};

// Loads the map of a font and makes it the current font. Lines whose
// character or glyph code lies outside 32..255 are skipped.
CharMapStatus ReadCharMap(const std::string& fontId);
// The map file of a font.
std::string CharMapPath(const std::string& fontId);
// Fills both tables (emptied first) from a font's map file without making
// the font current; false when it has none.
bool ReadCharMapTables(const std::string& fontId, int16_t (&map)[kCharMapSize], int16_t (&reverse)[kCharMapSize]);
// The glyph code of a character in a font's map, read without making the
// font current; 0 when the font has no map or the character no glyph.
int16_t MapGlyphOfChar(const std::string& fontId, int16_t charCode);

// The next code above `code` that has a glyph, or 0 (the search ends before
// the placeholders at 250).
int16_t NextMappedChar(int16_t code);
// The next code below `code` that has a glyph, or 0 below 32.
int16_t PrevMappedChar(int16_t code);

// Empties both tables and the current font.
void ResetCharMaps();

}  // namespace kv
