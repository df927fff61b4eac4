// The route-number field of a graphic sign page: the run of cells in the
// first row that the route-number generator typed (cells with a FieldPos),
// or an untyped route number standing at the row's edge. The free-width
// rule, the alignment detection and the route-number typing read it.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Raised when a route-number field was found in or typed into the first row.
extern int16_t gRouteNoFieldTyped;

// Whether the first row carries a route-number field; width, the cell next
// to it (boundaryCell), its characters and, in flag, -1 when the row holds
// nothing but the field. Always False (text "") while the route-number area
// is shown or per-destination route numbers are on.
bool GetSelectionInfo(int16_t& width, int16_t& boundaryCell, std::string& text, int16_t& flag);
// True when ch, upper-cased, is one of the route-number characters
// (gRouteNumberSeq, upper-cased). position is not used.
bool IsCharInSet(const std::string& ch, int16_t position = 0);
// The number of cells of the pool whose GlyphCode is not 0.
int16_t CountUsedCells();

void ResetRouteField();

}  // namespace kv
