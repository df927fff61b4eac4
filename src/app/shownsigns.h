// The shown signs and the editors that hold them: a graphic sign in its
// picture's editor slot, the current text sign in the character strip, a
// route-number sign in the route-number box. What each editor holds now is
// compared with what it held when its page was loaded or stored
// (engine/shownpages.h): the difference is what a Save would store, and what
// a load or a page change would drop.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// What holds the content of a shown sign while `current` is edited.
enum class Road { None, TextSign, Graphic, RouteNumber };
Road RoadOf(int16_t address, int16_t current);
// The editor that holds a sign's content on its road; -1 for none.
int16_t EditorOf(int16_t address, Road road);
// What the editor of the road holds now. A graphic editor is read from the
// edit state in hand, so the sign's picture must be the active one.
std::string ContentOf(Road road);

// A shown sign holds an edit that no Save stored. With page > 0 only the
// signs that have that page in the current entry count: the ones a change
// to that page would load anew.
bool UnstoredEdits(int16_t page = 0);

}  // namespace kv
