// State of the main window that other modules read: the start-up flag, the
// document's file names, the active sign picture and the pointer states.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/startup.h"
#include "engine/editorslots.h"
#include "files/document.h"

namespace kv {

// When the auto-save interval last started, in seconds of the monotonic
// clock (MonotonicSeconds, platform/clock.h).
extern double gLastAutoSaveTime;
// Picture index 0..2 of the active sign picture.
extern int16_t gCurrentPictureIndex;
// 0 normally; 3 while the pointer is pressed in the gap between the two
// save buttons (the cursor timer blinks then).
extern int16_t gBlinkState;
// Set while the route-number generator types into the editor: keys then
// reach the sign editor whatever has the focus.
extern int16_t gGeneratingRouteNumbers;
// Index 0..2 of the active sign picture set (a copy of the window's own).
extern int16_t gActivePicture;
// The page last shown on each of the three sign pictures.
// The document was restored from the auto-save file at start; the notice
// about it is still to be shown.
extern int16_t gRestoredFromAutoSave;
extern int16_t gAutoSaveNoticePending;
// Mouse mode of the text editor on the sign picture: 20 marking a
// rectangle, 21 dragging the marked cells, 0 idle.
extern int16_t gMarkMode;
// The selected dots as dot-strip text, taken when the selection first moves.
extern std::string gSelectionText;

// The project file named on the command line: the first argument that
// contains "txl" in any letter case, with surrounding blanks and quotes
// removed; "" when there is none. `args` holds the arguments without the
// program's own name.
std::string ProjectFromCommandLine(const std::vector<std::string>& args);

// The auto-save file of a program folder.
std::string AutoSaveFileOf(const std::string& programFolder);

// Seconds since midnight of the local clock.
float SecondsSinceMidnight();

void ResetHeadState();

}  // namespace kv
