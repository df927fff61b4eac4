// One printed text row: the row of a sign page's markup as the listings print
// it, with its route-number markup resolved by the [Printer] LineNoOption and
// its blanks trimmed by the trim options.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// LineNoOption 0 leaves the route-number markup; 1 removes it ("<L>", the
// "<L/...>" tag keeping its characters, a leading "<...>" route-number text,
// the first "<L:n>" placeholder with one of two blanks that then meet); 2
// prints the route number in its place (the route-number characters, the
// first gLineNoFieldCount of gLineNoFields, and a blank for "<L>"; the
// route-number text and a blank for a leading "<...>"; the last n characters
// for "<L:n>"). Then TrimLeftSpaces and TrimRightSpaces apply.
std::string FormatPrintText(const std::string& row);
// Row r of page p of a sign's section, formatted.
std::string PrintFieldRow(const std::string& text, int16_t p, int16_t r);
// A printed row loses one leading blank (the one after the page's "#").
std::string WithoutLeadingBlank(const std::string& row);
// A sign's name in the 8 blank-padded characters of a print-sign entry.
std::string PrintSignName(const std::string& name);

}  // namespace kv
