// Work on whole rows of a page: the tidying before a page is encoded, the
// ten-character row string a committed record keeps, centring the row under
// the cursor across the sign (the graphic sign's editor and the text sign's
// character strip), and widening or narrowing the gaps between a row's
// characters.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// An empty last row that a split left behind: the row before it loses the
// row-end mark of its last cell, so that no empty row is encoded. Any other
// state is left as it is.
void TidyRowsForCommit();

// "0000000000", or, while records carry the ten-character field
// (gTenCharFieldOn), with character r the alignment digit of editor row r
// for every row reached from row 1 along the row links.
std::string BuildTimeString();

// The free span of the graphic sign in fifths of a dot: the sign's width,
// less the route-number area while it is shown at the right end, plus it
// while it is shown at the left end (the row's coordinates then include the
// area, so the span runs from the area's end to the sign's end).
int32_t CentringSpan();
// Centres the current row of the graphic sign's editor in the free span, in
// whole dots; an empty row only puts the cursor in the middle. The cursor
// follows its cell, a selected rectangle moves with the row (its frame drawn
// again in white), the editor is redrawn and the sign's picture gets the
// keyboard focus.
void CentreCurrentRow();
// Centres the characters of the text sign's row in the sign's width: the
// blanks before the first and after the last character are shared out
// evenly (rounded down in front). A row that moves loses its trailing
// blanks, so that it stays inside the width; the cursor follows the shift
// and goes to the row's start, and the strip is drawn again.
void CentreStripRow();

// The gaps between neighbouring cells of the current row shrink (Less) or
// grow (More) by one dot each; the first cell stays. Less needs every gap to
// be a dot or more; More needs two cells and free width for the growth.
// False when nothing moved (also for a row without cells).
bool SpreadRowLess();
bool SpreadRowMore();

}  // namespace kv
