// Inserting a route-number placeholder at the text cursor through its
// dialog: how many of the route number's last characters the placeholder
// shows, from 1 up to the route number's length, the dialog preselecting the
// count used last.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// The count the dialog's OK read last (also a refused one); 0 before the
// first OK of the run.
extern int16_t gLineNoInsertCount;

// The count the dialog preselects: the one used last, the largest at the
// first opening, and the largest for one the list no longer offers.
int16_t LineNoInsertSelection();

// OK with the text of the count box. A count above the route number's length
// is refused with S1202 + " <length>" + S1203, and the box is to show
// " <length>"; otherwise a count of 1 or more inserts its placeholder at the
// text cursor (0, less or no number inserts nothing) and the dialog closes.
struct LineNoInsertAnswer {
    bool refused = false;
    std::string boxText;  // the box's new text when refused
};
LineNoInsertAnswer AcceptLineNoInsert(const std::string& boxText);

void ResetRouteNoInsert();

}  // namespace kv
