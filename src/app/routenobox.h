// The route-number box LineNo_txt of the main window and the route-number
// commands around it: the box's character filter, Enter and leaving the
// box, switching the route-number area of the graphic sign on and off, and
// inserting a route-number field through its dialog.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace kv {

// The characters a route-number sign shows, in their own letter case.
extern const char* const kRouteNoCharacters;  // "0123456789AbCdEFHL"
// True from the opening of the route-number field dialog until its OK.
extern int16_t gLineNoInsertPending;

// The box's text after a change, while a route-number sign is shown and
// destination codes are off: characters of the set take the set's letter
// case, every other character goes (one beep for each kind). nullopt when
// the text stays as it is.
std::optional<std::string> RouteNoBoxChanged(const std::string& text);
// Enter in the box: the destination's route-number text (destinations 0 to
// 999 only; a beep for the others and while the extra texts are active),
// drawn again on the graphic sign; the focus goes back to the sign.
void RouteNoBoxEnter(const std::string& text);
// Leaving the box while a route-number sign is shown and codes are on: the
// code, padded to `length`, must fit the allowed characters. Accepted: the
// box's new text. Refused: S133 ("Bad destinationnumber!") and nullopt (the
// box keeps its text and the focus).
struct RouteNoCodeCheck {
    bool refused = false;
    std::optional<std::string> boxText;
};
RouteNoCodeCheck RouteNoBoxLeft(const std::string& text, int16_t length);

// Switches the route-number area of the graphic sign on the editor's own
// terms: only in text mode with cells in the current row; on only when the
// row has room for the area. True when it switched.
bool ShowLineNumbers();
// The menu command: ShowLineNumbers, or, when that did not switch and the
// user agrees to lose the open entry's edits, the switch with an editor
// started afresh.
void ToggleLineNumbers();
// After the route-number layout changed (its dialog's OK): every shown
// graphic sign shows what its editor holds, a page with the route-number
// area with the area at its new place. What each sign holds counts as
// edited exactly as before.
void ShowSignsWithNewRouteNoLayout();
// The route-number field command: `dialog` inserts the field and clears
// gLineNoInsertPending on its OK; the sign is painted again then.
void InsertLineNoFieldCommand(const std::function<void()>& dialog);

}  // namespace kv
