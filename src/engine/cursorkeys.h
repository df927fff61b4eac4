// The cursor keys of the graphic sign's text editor: Page Up and Page Down
// step to the row above or below (to the cell nearest in x), End and Home go
// to the row's ends, Left and Right step over one cell (into the next row at
// a row's end), Up and Down nudge the cursor by one dot. The page keys of
// the route-number typing go through here too.
#pragma once

#include <cstdint>

namespace kv {

// One key (window-system key code 33..40) in text mode without a selection;
// other codes do nothing. The keys that land the cursor on a cell of
// another font make that font current.
void TextCursorKey(int16_t keyCode);

// When the cursor cell's font is not the current font, loads that font's
// character map and makes it current.
void FollowCursorFont();

// The page-up key (one step) and the page-down key followed by End, as the
// sign picture's key handler has them; only while a sign picture has the
// keyboard focus, in text mode and without a selection.
void K4000_PageUp();
void K4000_PageDown();

}  // namespace kv
