// Vertical centring of the text block of a graphic sign page in the
// automatic layout: the whole block moves, all rows by the same amount; an
// empty page centres the cursor instead.
#pragma once

namespace kv {

// Works on gStartRow, the cell chain, gCursorY and gCharHeight; every
// result is a multiple of five.
void CenterRowVertically();

}  // namespace kv
