// The cut mode of the graphic selection move ([Generell] CutPreferences,
// gCutMode): bit 0 "cut all", the moved block carries its unlit dots along
// and covers the target; bit 1 "keep old", the block stays where it was as
// well (a copy).
#pragma once

#include <cstdint>

namespace kv {

constexpr int16_t kCutAll = 1;
constexpr int16_t kKeepOld = 2;

// gCutMode from the settings file (absent reads 0).
int16_t LoadCutMode();
// The mode of the two choices; written to the settings file and taken into
// gCutMode only when it differs from gCutMode.
void StoreCutMode(bool cutAll, bool keepOld);

}  // namespace kv
