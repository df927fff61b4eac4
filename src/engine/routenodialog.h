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

void ResetRouteNoDialog();

}  // namespace kv
