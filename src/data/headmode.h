// The project option of route-number texts per destination.
#pragma once

#include <cstdint>

namespace kv {

// Route-number texts per destination are on (-1) or off (0).
extern int16_t gLineNoTableOn;

// Switches the option and brings the main window's route-number controls in line.
void SetHeadModeControls(bool on);

}  // namespace kv
