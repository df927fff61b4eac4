// Switching the main window between its destination list and its extra-text
// list (the Text menu's two commands): the list, its captions and the number
// box follow, the page state starts afresh, and extra texts without sections
// per sign are edited on one sign.
#pragma once

#include <cstdint>

namespace kv {

// The sign on which extra texts without sections per sign are edited (and
// whose model their pages are stored for): the first graphic sign, else the
// first text or graphic sign, else address 16.
int16_t WholeExtraTextSign();

// Makes the destination list (destinations) or the extra-text list the
// active one. A list that is already active keeps its state; either way the
// route-number box follows and the keyboard focus goes back to the sign.
void SwitchList(bool destinations);

}  // namespace kv
