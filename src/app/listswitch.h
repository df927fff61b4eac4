// Switching the main window between its destination list and its extra-text
// list (the Text menu's two commands): the list, its captions and the number
// box follow, the page state starts afresh, and extra texts without sections
// per sign are edited on one sign.
#pragma once

namespace kv {

// Makes the destination list (destinations) or the extra-text list the
// active one. A list that is already active keeps its state; either way the
// route-number box follows and the keyboard focus goes back to the sign.
void SwitchList(bool destinations);

}  // namespace kv
