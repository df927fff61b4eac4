// The start font and the route-number font of every sign height 7 to 32 as
// the font dialog edits them: working copies that the font lists change, and
// OK, which takes the changed heights into the tables and rewrites [Signs].
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

constexpr int kFontDialogFirstHeight = 7;
constexpr int kFontDialogLastHeight = 32;
constexpr int kFontDialogHeights = kFontDialogLastHeight - kFontDialogFirstHeight + 1;

// One font code per height; index height - 7.
struct DefaultFontsWork {
    std::array<std::string, kFontDialogHeights> start, route;
    std::string& Start(int height);
    std::string& Route(int height);
};
// The working copies as the tables hold them.
DefaultFontsWork LoadDefaultFontsWork();
// The heights as the height list shows them: "07" to "32".
std::vector<std::string> FontDialogHeights();
// The entry of gFontList (1..gFontCount) that starts with the code; 0 when
// none does (the list then keeps what it showed).
int16_t FontListEntryOf(const std::string& code);
// OK: every height whose pair differs from the tables takes both codes of the
// working copies; when any did, [Signs] is rewritten. True when written.
bool SaveDefaultFonts(const DefaultFontsWork& work);
// The dialog's hint, when the language file has none: "Select " + the height
// label in lower case + " to change font, save the changes by clicking '" +
// the OK button's caption + "'".
std::string DefaultFontsHint(const std::string& heightLabel, const std::string& okCaption);

}  // namespace kv
