// The keys on the sign pictures. The graphic sign (K4000): in text mode the
// cursor keys move the text cursor and typed characters, Backspace and
// Enter edit the rows; with a selection the arrow keys move it by one dot
// (the marked cells in text mode, the selected dots in graphic mode). The
// text signs (K2000): a column cursor over the strip's character codes.
//
// Key codes are the window system's (33 Page Up .. 40 Down), characters
// Windows-1252 codes (8 Backspace, 13 Enter); the window converts its keys.
#pragma once

#include <cstdint>

namespace kv {

void K4000_pct_KeyDown(int16_t keyCode, int16_t shift);
// keyAscii is set to 0 when the key is dropped.
void K4000_pct_KeyPress(int16_t& keyAscii);
// The picture got or lost the keyboard focus; focusStaysOnSigns: the focus
// went to another sign picture or its frame.
void K4000_pct_GotFocus();
void K4000_pct_LostFocus(bool focusStaysOnSigns);

void K2000_pct_KeyDown(int16_t keyCode, int16_t shift);
void K2000_pct_KeyPress(int16_t& keyAscii);
// A click on the strip at (x, y) of its picture pixels; scaleHeight is the
// picture's height.
void K2000_pct_MouseDown(int16_t button, int16_t shift, float x, float y, float scaleHeight);
void K2000_pct_GotFocus();
void K2000_pct_LostFocus();

// A character the program types (a fed text): what the key handlers do
// with it, without the cursor timer's first-key rule.
void TypeOnSignPicture(int16_t& keyAscii);
void TypeOnStrip(int16_t& keyAscii);

}  // namespace kv
