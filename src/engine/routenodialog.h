// The results of the route-number dialog frmMBL, kept for the whole run:
// they also preset the dialog at its next opening. The editor's route-number
// command offers gMBLRouteNo, shows the dialog and types the accepted route
// number in the font gMBLFont.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

extern std::string gMBLRouteNo;   // the accepted route number (trimmed)
extern std::string gMBLFont;      // one-character font code of its characters
extern int16_t gMBLFontIndex;     // position of that font in gFontList, 1 = first
extern int16_t gMBLFontHeight;    // height in dots of the sign the font was chosen for
extern int16_t gMBLAccepted;      // -1 when the dialog closed with a valid OK

// Presets the dialog to open on `font` for a sign `height` dots high, as if
// it had been chosen there: gMBLFont, its place in gFontList (0 when the
// list has no entry of it) and the height.
void PresetRouteNoDialogFont(const std::string& font, int16_t height);

// What the dialog works with while it is open, window-free.
//
// The route number as the dialog accepts it: blanks around it dropped and
// every character respelled as the project's route-number sequence spells it,
// compared without regard to case (with " 0123456789AbCdEFHL" a typed B
// becomes b). False when it is empty or holds a character the sequence
// lacks; the text is respelled as far as it goes either way.
bool RespellRouteNo(std::string& text);

// The font the dialog shows: its code, its place in gFontList (1 = first) and
// the entry the dialog's label shows.
struct RouteNoDialogFont {
    std::string code;
    int16_t index = 0;
    std::string caption;
};
// Mode 0: the code of the entry at the index; any other mode: the index of
// the first entry that starts with the code (the last entry when none does).
// Either way the caption becomes the entry.
void FindFontIndex(RouteNoDialogFont& font, int16_t mode);
// Direction 1: the next entry of gFontList, any other: the previous one.
// False at either end of the list (nothing changes then).
bool StepRouteNoFont(RouteNoDialogFont& font, int16_t direction);
// The font the dialog opens on: the one chosen last when the current sign is
// as high as the sign it was chosen for, else the sign's route-number font.
// The current sign's height is remembered for the next opening.
RouteNoDialogFont OpenRouteNoDialog();
// OK. A route number that RespellRouteNo refuses leaves everything as it was
// and returns false (`text` respelled). Otherwise, while the end can be
// chosen (placementEnabled), the area goes to the left or the right end of
// the current sign and is placed there as the layout dialog places it (the
// right end also aligns the text right); then gMBLRouteNo, gMBLFont,
// gMBLFontIndex and gMBLAccepted take the answer.
bool AcceptRouteNoDialog(std::string& text, bool placementEnabled, bool left, const RouteNoDialogFont& font);

void ResetRouteNoDialog();

}  // namespace kv
