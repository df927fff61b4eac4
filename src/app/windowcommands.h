// What the main window's commands that open another window do before and
// after it: the window itself is passed in, so the steps around it run the
// same whichever window (or test) stands behind.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kv {

// True while the print command runs.
extern int16_t gPrinting;

// The route-number generator (copy = false) or the copy tool: only when the
// open entry's unsaved edits may go; the copy tool runs with gSuperCopyMode set
// and leaves the current destination as it found it. The keyboard then goes
// to the sign picture.
void RunRouteNumberTool(bool copy, const std::function<void()>& window);

// The font browser on the graphic symbols: the pseudo-font "g" is current
// while `window` shows with the caption S110; the font before comes back.
void ShowSymbols(const std::function<void(const std::string& caption)>& window);

void ResetWindowCommands();

}  // namespace kv
