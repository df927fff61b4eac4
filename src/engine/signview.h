// What the editor asks of the current sign as a whole: render and paint it,
// set the cursor row's alignment, and the page keys of the graphic sign.
#pragma once

#include <cstdint>

namespace kv {

// Renders the current graphic sign's text layer (unless keepTextLayer) and
// paints its lit dots on its picture, or with toPrinter on the print target
// at the print origin. Nothing for a sign without dot layers.
void ShowSign(bool keepTextLayer, bool toPrinter);

// Moves the cells of the cursor row to the alignment (1 left, 2 right,
// 3 centred); unless noToolbar presses the matching toolbar button; stores
// it in gTextAlignment and the row's Alignment; repaints the sign with redraw.
void SetAlignment(int16_t alignment, bool noToolbar, bool redraw, bool flag4);

// The page-up (one step) and page-down (two steps) keys of the graphic sign.
void K4000_PageUp();
void K4000_PageDown();

}  // namespace kv
