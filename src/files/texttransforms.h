// The transforms a sign's bytes pass before they go into an out-file
// sub-record: the section of the sign to show moves behind the others, the
// route-number header of a graphic sign's text becomes the record's own route
// number, blank runs at the end of runs are trimmed, and position and font
// commands that repeat the controller's current state are dropped.
//
// All work on byte strings of sign commands: 210 x and 211 y set the
// position, 212 f selects font f, 242 ends the route-number header, 176
// starts a page, 162 starts a destination sub-record's text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kv {

// The address of the sign to show: the number at the start of gSignToShow.
int SignToShowAddress();

// The section of `address` (Chr(255) Chr(address) and its bytes) moved
// behind all others. Unchanged when absent or already last.
std::string MoveSectionToEnd(int address, const std::string& data);

// Every route-number header 210 x 211 y 212 f 242 of the text replaced by
// 210 0 211 y 212 r and the route-number text of `recordNo` (left-padded
// with blanks to gLineNoFieldCount), where r is the default route-number
// font of the sign's height and y is the text's first y when the sign is
// the sign to show in layout 1.5, else 0. recordNo < 0 gives no route-number
// text. Texts without 242 are returned unchanged. Throws VbError(9) for an
// address outside 2..16, a sign height outside 7..48 or a record number above
// 999, and VbError(5) for a 242 within the first six bytes.
std::string ExpandRouteNumberPlaceholder(const std::string& text, int address, int32_t recordNo);

// Texts of 26 bytes or more lose, from the back, every run (the bytes after a
// font command 212 f up to the next one) that is blank or empty, together
// with its 212 f and a 211 y and 210 x right before it, and the trailing
// blanks of every other run. The font id after 212 is not part of a run.
// Shorter texts are returned unchanged.
std::string TrimBlankRuns(const std::string& text);

// 211 y and 212 f that repeat the current y or font are dropped; 162 and 176
// start again from y 255 and font " ". 210 x is always kept.
std::string DropRepeatedCommands(const std::string& text);
// The same, appended to out.
void AppendDropRepeatedCommands(std::string& out, std::string_view text);

}  // namespace kv
