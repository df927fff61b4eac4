// The mouse on the graphic sign picture: in graphic mode the tools (point,
// line, rectangle, fill, the selection rectangle and dragging the selected
// dots), in text mode marking cells with a rectangle, dragging the marked
// cells and placing the text cursor. The window converts its mouse events
// into plain ones: button (0 none, 1 left, 2 right), shift, and x, y in
// fifths of a dot from the sign's top-left corner.
#pragma once

#include <cstdint>

namespace kv {

// Where a drag started or was last followed; the last step of a drag of
// marked cells; the offset (start minus current point) of a dragged
// selection.
extern int16_t DragStartX, DragStartY;
extern int16_t MoveDX, MoveDY;
extern int16_t MoveOffsetX, MoveOffsetY;
// gSelectionText holds the text of the current selection.
extern bool SelectionTextTaken;
// The last mouse move drew a frame; the last key or move changed the text.
extern bool RubberBandShown;
extern bool TextChanged;
// The cursor timer is paused while the pointer is over the toolbar.
extern bool CursorTimerOff;

// A position snapped to its dot: (round(v) \ 5) x 5.
int16_t SnapToDot(float v);
// The point lies strictly inside the selection or marking rectangle.
bool InsideSelection(int16_t x, int16_t y);

void K4000_pct_MouseDown(int16_t button, int16_t shift, float x, float y);
void K4000_pct_MouseMove(int16_t button, int16_t shift, float x, float y);
void K4000_pct_MouseUp(int16_t button, int16_t shift, float x, float y);
// What follows every mouse move on the picture: the sign is painted again
// when the text changed without a frame being drawn, and a cursor timer the
// toolbar paused runs again.
void AfterSignPictureMouseMove();
// The pointer left the toolbar for the window or the picture: a cursor
// timer paused by the toolbar runs again (text mode).
void ResumeCursorTimer();

void ResetSignTools();

}  // namespace kv
