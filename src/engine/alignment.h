// Alignment of the cursor row of the graphic sign's editor: left, right or
// centred between the sign's edges, leaving room for the route-number area
// or the route-number field of the first row.
#pragma once

#include <cstdint>

namespace kv {

// Releases the three alignment buttons of the toolbar (10 left, 11 centre,
// 12 right).
void ReleaseAlignmentKeys();
// The toolbar's alignment buttons show an alignment: its button pressed
// (10 left, 11 centre, 12 right), the two others released; 0 shows none.
void ShowAlignmentKeys(int16_t alignment);

// Moves the cells of the cursor row to the alignment (1 left, 2 right,
// 3 centred; 0 and other values move nothing) and the cursor with them; a
// selected rectangle moves with the row. Unless keepKeys presses the
// matching toolbar button; stores the alignment in gTextAlignment and the
// row's Alignment; repaints the sign with redraw. flag4 is accepted for the
// callers and changes nothing.
void SetAlignment(int16_t alignment, bool keepKeys, bool redraw, bool flag4);

// The room the alignment keeps at the sign's edge: the route-number area
// (its width + 5) while it is shown, else the width of the first row's
// route-number field while the cursor is in that row, else 0.
int32_t AlignmentMargin();

}  // namespace kv
