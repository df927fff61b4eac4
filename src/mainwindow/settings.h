// Program-wide options of the main window, read from [Generell] at start.
#pragma once

#include <cstdint>

namespace kv {

// Window placements are saved when windows close.
extern int16_t gSaveWinPos;

void ResetMainSettings();

}  // namespace kv
