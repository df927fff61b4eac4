// Transforms of the selected block of the graphic layer: delete, move or
// copy (opaque or transparent), mirror top to bottom and left to right,
// invert, and a quarter turn either way. Each one changes the graphic layer
// of the current sign graphic, paints the dots it touches at once, and sets
// gGraphicModified and gHasGraphic when it changes the layer.
//
// The selected block is columns gSelX1 \ 5 .. gSelX2 \ 5 - 1 and rows
// gSelY1 \ 5 .. gSelY2 \ 5 - 1; an empty block leaves the layer alone.
#pragma once

#include <cstdint>

namespace kv {

// Erases the lit dots of the selected block (corners normalised first).
void ClearSelectionArea();
// Moves the block by (dx, dy) fifths of a dot (dots moved by dx \ 5, dy \ 5;
// the selection by dx, dy). Opaque carries the block's unlit dots along;
// copy leaves the block where it was as well. Targets beyond columns 0..W+1
// or rows 0..H+1 are lost.
void MoveSelectedDots(int16_t dx, int16_t dy, int16_t opaque, int16_t copy);
// Top to bottom; a block one row high only beeps.
void MirrorVertically();
// Left to right; a block one column wide only beeps.
void MirrorHorizontally();
// Lit dots of the block become unlit and unlit ones lit.
void InvertGraphic();
// A quarter turn of the block about its top-left corner: 90 clockwise on
// the screen, 270 counter-clockwise. The part that would pass column W or
// row H is lost; the selection takes the turned block's shape.
void RotateGraphic(int16_t angle);

}  // namespace kv
