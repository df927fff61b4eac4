// Lookups on the graphic sign's editor rows: which row holds a cell, and
// which cell lies under a point of the editor (fifths of a dot).
#pragma once

#include <cstdint>

namespace kv {

// The row (1..10) whose cells include cell, or 0.
int16_t FindRowOfCell(int16_t cell);
// The first cell in reading order that contains the point, or 0.
int16_t HitTestRow(int16_t x, int16_t y);
// True when the point lies in the cell, edges included; True for cell 0.
bool CellWithinLimits(int16_t cell, int16_t x, int16_t y);

}  // namespace kv
