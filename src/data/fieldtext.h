// The "#"-fields of a sign's section of a record's Text: one field per page,
// each "#", a blank and the page's markup; the rows of a page's markup are
// separated by "\". The page loader and the printed listings read them.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// The field of page n (1 = the field after the first "#"), from the blank
// after its "#" up to the next "#" or the end; "" when there is no page n.
std::string GetPageField(const std::string& text, int16_t n);
// 1 + the number of "\" in page n's field; 0 for an empty text or a page
// that is not there.
int16_t CountFieldRows(const std::string& text, int16_t n);
// The row-th "\"-separated part of page n's field (row 1 begins with the
// blank that follows "#"); "" when there is no such row.
std::string GetFieldRow(const std::string& text, int16_t n, int16_t row);
// The number of "#" in s.
int16_t CountHashMarks(const std::string& s);

}  // namespace kv
