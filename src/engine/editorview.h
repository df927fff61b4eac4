// The graphic sign's editor on screen: measuring glyphs and route-number
// placeholders, placing a typed cell, repainting and resetting the editor.
// Measuring is logical: a glyph of w x h dots measures 5w x 5h at every
// zoom. While gNoEditorPaint is set (always, in normal use) nothing is
// painted here; the lit dots come from the sign rendering, and the editor
// only places and measures cells.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// The size of the last glyph or placeholder measured (the scratch picture),
// in fifths of a dot.
extern int16_t gInPicWidth;
extern int16_t gInPicHeight;

// Measures character code of a font through the current character map; the
// placeholders 250..254 through DrawSpecialGlyph. An absent glyph measures
// 0 x 0.
void DrawGlyph(const std::string& fontId, int16_t code, int16_t& w, int16_t& h);
// Placeholder 250 + k: the last k + 1 of the first gLineNoFieldCount
// characters of gRouteNoText side by side (positions outside the route
// number are skipped); w the sum of their widths, h the tallest.
void DrawSpecialGlyph(const std::string& fontId, int16_t code, int16_t& w, int16_t& h);
// Places a typed cell at the cursor with the size measured last.
void ResizeCellsToFont(int16_t cell);
// Black over a rectangle of the editor picture.
void ClearCellRect(int32_t x, int32_t y, int32_t w, int32_t h);
// Shows everything again: the cells, the route number, the graphic, and
// recomputes the current row's free width (not during start-up).
void RedrawEditor();
// Resets the editor to an empty page with the sign's start font, clears the
// page's graphic and stores the empty page into the editor slot of the
// current sign (allSlots 0) or into all three (then, with reselect, the
// current graphic sign is selected again).
void RefreshEditor(int16_t allSlots, int16_t reselect);

// Fills the character-map hook that measures the first character of a
// loaded font, which sets gCharHeight.
void InstallEditorFontHooks();

}  // namespace kv
