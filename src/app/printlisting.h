// The listing in the 1.45 text layout on the printer: the header with the
// user information centred in bold, then the destination and extra-text rows
// as the file variant writes them, a new page whenever a page is full.
#pragma once

namespace kv {

// False when no printer could be reached.
bool PrintListing();

}  // namespace kv
