// Loading a graphic sign page into the editor: the page's bytes (SignData)
// give the cells, their fonts and places and the graphic; the page's markup
// in the record's Text gives the rows, the route-number field and the names
// of the picture and the symbols.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Rebuilds the edit state, the graphic layer of the current sign graphic and
// the route-number settings from one page of sign bytes; the markup is page
// gCurrentPage of sign gCurrentSign of the current record (page 1 of a sign
// of a single page, whose page shows on every page). Only the current
// sign's editor slot takes the emptied page on the way. Bytes that the
// current character map has no character for are skipped.
void ParseSignMarkup(const std::string& data);
// The same with the markup taken from the given section text (a sign's
// section of a record's Text) instead of the current record's.
void ParseSignMarkupFrom(const std::string& data, const std::string& section);
// The same with the page's markup field given (one leading blank, as stored).
void ParseSignPage(const std::string& data, const std::string& markupField);
// An inverted text back into the editor from its bytes: its rows are those
// of the text the invert command took (gInvertedText), or, for a page loaded
// inverted, the lines of its runs.
void ParseInvertedText(const std::string& data);
// The number of cells that row `row` of the current page holds by its markup.
int16_t RowCharCount(int16_t row);

// Installs the loader, the marking and the editor slots where the editor,
// the character maps and the inverted-text store call them.
void InstallPageEditorHooks();

}  // namespace kv
