// The route-number area of a graphic sign: the route number drawn at the left
// or right end of the sign, beside the text. The values here say where it
// stands and what it shows; the text layer and the renderer read them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace kv {

extern int16_t gShowLineNo;        // -1: the route-number area of the graphic sign is shown
extern int16_t gRouteNoLeft;       // -1: the area is at the left end, 0: at the right end
extern int16_t gRouteNoX;          // left edge of the route number, fifths of a dot
extern int16_t gRouteNoY;          // top edge, fifths of a dot
extern std::string gRouteNoText;   // the route number when per-destination texts are off
extern int16_t gLineNoFieldCount;  // number of route-number characters

// Draws the current route number into the text layer of the current sign
// graphic. Runs the drawer installed with SetDisplayLineNumberHook; without
// one nothing is drawn.
void DisplayLineNumber();
void SetDisplayLineNumberHook(std::function<void()> hook);

void ResetRouteNumberArea();

}  // namespace kv
