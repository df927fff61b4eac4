// The project option of route-number texts per destination, and the texts.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace kv {

// Route-number texts per destination are on (-1) or off (0).
extern int16_t gLineNoTableOn;
// The route-number text of each destination number; only 0..999 have one.
constexpr int kLineNoTableSize = 1000;
extern std::array<std::string, kLineNoTableSize> gLineNoTable;

// Switches the option and brings the main window's route-number controls in line.
void SetHeadModeControls(bool on);

// Option off and every text emptied (tests and a new document).
void ResetLineNoTable();

}  // namespace kv
