// The character strip of the text signs (K2000_1R, K2000_2R): a row of up to
// 37 character places on the main window's strip picture K2000_pct, each a
// box of 25 x 35 pixels. Places 1..W (W = the sign's Width) form the first
// row at y = 1; on a two-row sign places W + 1..W + H form the second row
// at y = gSecondRowY. The characters are drawn in font "2".
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

constexpr int kStripPlaces = 37;
constexpr int kStripPlaceWidth = 25;
constexpr int kStripPlaceHeight = 35;

// Index 1..37; element 0 unused.
extern std::array<int16_t, kStripPlaces + 1> gCodeTable;   // character codes, 32 = blank
extern std::array<int16_t, kStripPlaces + 1> gShownCodes;  // codes drawn at each place
extern std::array<int16_t, kStripPlaces + 1> gStripX;      // left edge of each place
extern int16_t gCodeCount;    // places in use
extern int16_t gTextColumn;   // cursor place, 1-based
extern int16_t gSecondRowY;   // y of the second row, 42
extern int16_t gTwoRowText;   // the sign has a second text row

// Resets the strip: cursor, character height 35, all codes blank, every
// place of the sign cleared.
void InitEditor();
// Draws the places from `from` (below 1 counts as 1) to the sign's last
// whose code changed since they were drawn.
void DrawStripChars(int16_t from);
// The cursor to place gTextColumn.
void CursorHome();
// Black over the box of place i.
void ClearStripCell(int16_t i);
// Opens (n > 0) or closes (n < 0) a gap of n entries at position;
// gCodeCount += n. Indices stay within 1..37.
void ShiftTableEntries(int16_t position, int16_t n);
// The row as the markup of a text sign page: the characters of places
// 1..gCodeCount, with "\" before place W + 1 (W the current sign's Width),
// the break of a two-row sign.
std::string CharArrayToString();

// The strip picture of a text sign and its separators, laid out for the
// model ("K2000_1R" or "K2000_2R") with W and H places.
struct StripShape {
    enum Kind { Line, Bar } kind = Line;  // a bar is a rectangle of `width` pixels
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    int16_t width = 3;  // line width in pixels
};
struct StripLayout {
    int16_t pictureWidth = 0;   // 30N - 3, N = W (one row) or H (two rows)
    int16_t pictureHeight = 0;  // 37 or 79
    std::vector<StripShape> separators;
};
// Fills gStripX (and gTwoRowText = False for one row, True for two; the
// strip is reset with InitEditor) and returns the picture's size and
// separators. Other models change nothing and return an empty layout.
StripLayout LayoutTextStrip(const std::string& model, int16_t w, int16_t h);

void ResetTextStrip();

}  // namespace kv
