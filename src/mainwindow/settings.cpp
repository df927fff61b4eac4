#include "mainwindow/settings.h"

namespace kv {

int16_t gSaveWinPos = 0;

void ResetMainSettings() { gSaveWinPos = 0; }

}  // namespace kv
