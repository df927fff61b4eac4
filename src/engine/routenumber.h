// The route-number area of a graphic sign: the route number drawn at the left
// or right end of the sign, beside the text. The values here say where it
// stands and what it shows; the text layer and the renderer read them.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/editstate.h"
#include "engine/routenolayout.h"

namespace kv {

extern int16_t gShowLineNo;        // -1: the route-number area of the graphic sign is shown
extern int16_t gRouteNoLeft;       // -1: the area is at the left end, 0: at the right end
extern int16_t gRouteNoX;          // left edge of the route number, fifths of a dot
extern int16_t gRouteNoY;          // top edge, fifths of a dot
// The route number when per-destination texts are off: the layout's sample
// route number gLineNoFields, under the name the editor reads it by.
extern std::string& gRouteNoText;
extern int16_t gLineNoFieldCount;  // number of route-number characters
// The font and the size of the area (gRouteNoFont, gRouteNoAreaWidth,
// gRouteNoAreaHeight) belong to the route-number layout settings.

// The route-number font that the route-number header of the page in the
// editor names, when that is not the default of the sign's height; empty
// for the default. The loader sets it from every page it loads, so that the
// route number is drawn and written again in the font the page was stored
// with.
extern std::string gPageRouteNoFont;
// The route-number font of the page in the editor: gPageRouteNoFont, else
// the default of the current sign's height.
std::string PageRouteNoFont();
// Makes the page's route-number font current and measures the area from it
// as DisplayLineNumber does, without drawing.
void TakePageRouteNoFont();

// The drawn route-number characters, index 1..4 (at most four are drawn):
// X, Y (top-left corner) and Width, Height (cut to whole dots) in fifths of a
// dot, and CharCode; the last drawn one has Next 0.
constexpr int kDrawnRouteNoChars = 4;
extern std::array<SignCell, kDrawnRouteNoChars + 1> gRouteNoCells;

// Draws the current route number into the text layer of the current sign
// graphic, from (gRouteNoX, gRouteNoY): the destination's route-number text
// while per-destination texts are on (the box LineNo_txt shows it and
// gLineNoFieldCount becomes its length), else gRouteNoText. The route-number
// font becomes the page's (PageRouteNoFont). Records the characters in
// gRouteNoCells, sets gRouteNoAreaDots after the last one and measures the
// area from the font's "0". A drawer installed with SetDisplayLineNumberHook
// replaces all of this (tests).
void DisplayLineNumber();
void SetDisplayLineNumberHook(std::function<void()> hook);
// The route-number characters that placeholder 250 + k stands for: the last
// k + 1 of the first gLineNoFieldCount characters of gRouteNoText, positions
// outside the route number left out.
std::string PlaceholderChars(int16_t code);

// Records character i (1..4) drawn with its top-left at (x, y) and the size
// w x h (fifths of a dot) and moves x past it.
void PasteLineNoPicture(int16_t i, int16_t& x, int16_t y, int16_t w, int16_t h);

void ResetRouteNumberArea();

}  // namespace kv
