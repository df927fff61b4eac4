// The print selection of a table listing (the destinations, or the extra
// texts per sign): which signs are listed and in which order, the range of
// entry numbers, the layout (side by side or one sign after another), and the
// column widths and positions, for a text file (characters) or the printer
// (twips). With two signs or more the user confirms the choice in the print
// options dialog.
#pragma once

#include <cstdint>

namespace kv {

// Fills the print-selection fields of PrintSettings and the print-sign
// table for PrintKind 2 or 4. A print options dialog closed by its close box
// sets PrintSettings.Cancelled and lists no sign.
void PreparePrintSigns();
// The widest formatted text row of print sign `entry` over the records 1 to
// RangeLast of the current table: printed width in the printer's current
// font, or characters for a file; 0 without text.
int32_t MaxSignTextWidth(int16_t entry);

}  // namespace kv
