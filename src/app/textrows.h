// The rows of the sign being edited as a whole, without a control of their
// own: centring the row under the cursor, the wave of the text that a press
// between the two store buttons starts, and the screen timer that hides the
// text cursor when nothing moved.
#pragma once

#include <cstdint>

namespace kv {

// Centres the row being edited: the graphic sign's current row in its free
// span, or, in the text-sign line mode, the text sign's row in its width.
void RedrawTextSigns();

// The layout commands that narrow and widen the gaps between the characters
// of the row under the cursor by one dot (a marking ends first); the cursor
// goes after its cell, the row's alignment is applied again and the sign is
// painted again.
void ExpandLess();
void ExpandMore();

// One tick of the wave of the text, while `state` is 3 (gBlinkState): the
// cells of the page bob up and down in whole dots and the sign is painted
// again. Returns the cursor timer's next interval in milliseconds; at the
// end of the wave (its last step, or `state` no longer 3) every cell has its
// place back, `state` is 0 and the interval is the blink's 200 again.
int CursorBlink(int16_t& state);
// The wave is running (cells stand off their places).
bool TextWaveRunning();
// Ends a running wave at once: every cell gets its place back.
void StopTextWave();

// One tick of the screen timer: true when the open destination, the open
// extra text and the cursor x are the ones of the previous tick (the text
// cursor is then hidden). The values are kept for the next tick.
bool ScreenTimerTick();

void ResetTextRows();

}  // namespace kv
