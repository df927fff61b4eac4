// Feeding a text into a sign as if it were typed, then committing it as the
// Save-and-new button does: the text import and the route-number generator
// fill many records in a row this way.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// 2 while characters are fed, else 0; the editor's character insertion reads it.
extern int16_t gFeedMode;

// A route-number sign (`sign` its address) gets the text in the route-number
// box; any other sign (also sign 0: the active one) gets it key by key
// through the main window's key handler. Then Save-and-new commits. Pending
// window events run before and after; a feed asked for while one runs is
// ignored. `unused` is not read.
void SkrivTextISkylt(const std::string& text, int16_t unused, int16_t& sign);
// True while the text is being handed over (before the commit starts).
bool FeedingText();

// One fed character through the key handler of the active sign: the text
// sign's strip in the text-sign line mode, else the graphic sign's picture.
// A character the sign did not take (its font has no such character, the
// sign is full, the editor is not in text mode) is noted.
void TypeFedCharacter(int16_t code);
// The characters of the last feed that the sign did not take, in the order
// they were fed.
const std::string& FedCharactersLeftOut();

void ResetFeedText();

}  // namespace kv
