// The listing in the 1.45 text layout: a header with the project's user
// information, then every destination text sign by sign, then every extra
// text, one text per line in its sign markup. It uses none of the [Printer]
// settings.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

// The addresses of the configured signs (Width not 0) in address order,
// from slot 1, ended by 0.
extern std::array<int16_t, 31> ListingColumns;
void ListActiveSigns();

// The lines of the destination rows: ten blanks, the number right-aligned in
// 4 columns (extra texts: 3), two blanks, the text without section marks.
std::string ListingRow(int number, int width, const std::string& text);

// Writes the listing into a file open for output under that number.
void WriteListingToFile(int16_t fileNumber);

}  // namespace kv
