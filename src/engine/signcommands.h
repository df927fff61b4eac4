// Sign byte commands: the two-byte commands that carry size, position and
// font inside a page's bytes.
//
//   208 w 209 h   size of a text sign
//   210 x 211 y   position: left dot column and bottom dot row of the next run
//   212 f         font of the next run (the font's one-character id)
//   242           end of the route-number header
#pragma once

#include <cstdint>
#include <string>

#include "data/charmap.h"

namespace kv {

constexpr unsigned char kCmdSizeWidth = 208;
constexpr unsigned char kCmdSizeHeight = 209;
constexpr unsigned char kCmdPosX = 210;
constexpr unsigned char kCmdPosY = 211;
constexpr unsigned char kCmdFont = 212;
constexpr unsigned char kCmdHeaderEnd = 242;

// The largest value a command byte carries: 176 would split a page and 255 a
// section, so values are kept below them.
constexpr int kMaxCommandValue = 175;

// 208 a 209 b.
std::string SizeCommand(int16_t a, int16_t b);
// 210 x 211 y; a negative coordinate is written as 0 and the caller's
// variable becomes 0 too.
std::string PositionCommand(int16_t& x, int16_t& y);
// 212 f (the first character of f).
std::string FontCommand(const std::string& f);

// The route-number header of a graphic sign page while the route-number
// area is shown: 210 x 211 y 212 f 242, x the route number's left dot
// column, y the bottom dot row of the area, f its font; else "".
std::string BuildTextHeader();
// The page data of the graphic sign page in the edit state: the header, the
// graphic's dot strips (while the page holds a graphic), then one run per
// stretch of cells that stand side by side on one line in one font:
// 210 x 211 y 212 f and a glyph byte per cell (x the first cell's dot
// column, y its bottom dot row). startCell is the page's first cell
// (PageFirstCell(): the top row may be empty while rows below hold text).
std::string BuildSignData(int16_t startCell);
// The glyph bytes of the run that starts at cell; cell moves on to the
// first cell of the next run (0 at the end of the chain).
std::string CellsToString(int16_t& cell);

// The stored row of the text sign at an address from gCodeTable and
// gCodeCount: " " when empty; up to W characters as their glyph codes; a
// longer row as W glyph codes, 16 - W blanks and the rest, so that the
// visible part fills a 16-place block (signs of up to 16 places).
std::string PadRowText(int16_t signAddress);
// The characters of a stored row of a text sign of `width` places: the
// filling blanks of the 16-place block dropped, each glyph code turned into
// its character by a font's reverse map (a blank where it has none),
// trailing blanks removed.
std::string StoredRowChars(std::string text, int width, const int16_t (&reverse)[kCharMapSize]);
// Loads a stored row of the current text sign into the character strip:
// text becomes the row's character codes; gCodeTable, gCodeCount and
// gTextColumn are filled and the strip drawn.
void FitRowText(std::string& text);
// The string unchanged.
std::string CopyString(const std::string& s);

}  // namespace kv
