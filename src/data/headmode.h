// The project option of route-number texts per destination.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

// Route-number texts per destination are on (-1) or off (0).
extern int16_t gLineNoTableOn;
// The route-number text of each destination 0..999 while the option is on.
constexpr int kLineNoTableSize = 1000;
extern std::array<std::string, kLineNoTableSize> gLineNoTable;
// The route-number text of a destination; "" outside the table.
std::string LineNoTableText(int index);

// Switches the option and brings the main window's route-number controls in line.
void SetHeadModeControls(bool on);

// Option off (without touching the window) and every text emptied.
void ResetHeadMode();

}  // namespace kv
