// Marking of cells in the graphic sign's text editor: by a rectangle dragged
// over the picture or row by row when a row overflows. Marked cells are
// framed on the picture and can be moved, deleted, copied into the cut
// buffer and pasted again, and given another font.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "engine/editstate.h"

namespace kv {

// The marked cells in the order of marking (reading order), index 1..256;
// the list ends at the first 0.
extern std::array<int16_t, kCellPoolSize + 1> gMarkedCells;
// The cut buffer, index 1..n: copies of the copied cells with Prev and Next
// renumbered to the buffer, then one empty record (Prev 0, Next 0). Index 0
// is unused; empty before the first copy.
extern std::vector<SignCell> gCutCells;

// The number of marked cells.
int16_t MarkedCount();
// Marks every cell whose centre lies strictly inside the rectangle (corners
// in any order); the row of the first marked cell becomes current.
void MarkCellsInRect(int16_t x1, int16_t y1, int16_t x2, int16_t y2);
// The cell's centre (X + Width \ 2, Y + Height \ 2) lies strictly inside.
bool CellInRect(int16_t cell, int16_t x1, int16_t y1, int16_t x2, int16_t y2);
// Marks the CellCount cells of a row and shows the frame.
void MarkRow(int16_t row);
// Moves every marked cell by (dx, dy); repaints the editor with repaint.
void MoveMarkedCells(int16_t dx, int16_t dy, bool repaint);
// The frame around the marked cells (gSelX1..gSelY2), drawn; gAreaSelected
// set. Nothing marked: the frame is only cleared.
void UpdateMarkFrame();
// Deletes the marked cells from the last to the first; the alignment of
// every row left behind is applied again.
void DeleteMarkedCells();
// Copies the marked cells into the cut buffer; a beep when nothing is marked
// or no area is framed.
void CutMarkedCells();
// Types the cells of the cut buffer at the cursor, each in its own font;
// the font in use comes back afterwards. A beep for an empty buffer.
void PasteCells();
// Gives the marked cells the font whose character map is loaded; False,
// with nothing changed, when a cell is of the symbol font, the font lacks a
// marked character or a row would overflow.
bool ApplyFontToMarkedCells(const std::string& font);
// At least two cells are marked, the gap between the first two is above 0
// and every following one has the same gap to its predecessor.
bool MarkedCellsSpread();
// The last cell of the marked run from cell: with spread cells the last
// cell of its row, else the last of the cells that abut one another.
int16_t LastCellOfMarkedRun(int16_t cell);
// Ends marking: no area, the frame cleared, the list emptied, the cut tools
// reset.
void CancelMarking();

// What a loaded character map does to the marked cells (the character
// maps' hook): nullopt when nothing is marked.
std::optional<bool> MarkedCellsFontHook(const std::string& font);
// Loads a font's character map without giving the font to marked cells.
void LoadFontMap(const std::string& font);

void ResetMarking();

}  // namespace kv
