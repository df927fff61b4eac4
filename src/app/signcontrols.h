// The main window's state by the model of the current sign: the text-sign
// line mode (a group of menu items and controls switched while a text sign
// is edited and restored afterwards), the captions listing the shown signs,
// the size of a text sign's character strip, and the number of changing
// texts (pages) a sign has in the current record.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

namespace kv {

// The items the text-sign line mode saves, sets and restores, in this order.
struct TextSignModeItem {
    const char* name;
    enum Kind { MenuItem, Label, TextBox } kind;
    bool visibleProperty;  // the item's Visible is switched, else its Enabled
    bool valueWhileOn;
};
constexpr int kTextSignModeItems = 15;
const std::array<TextSignModeItem, kTextSignModeItems>& TextSignModeItems();
// The two toolbar buttons the mode disables: the graphic mode and the text
// inversion, which a text sign cannot use.
constexpr std::array<int, 2> kTextSignModeToolbarButtons{6, 18};

// -1 while the text-sign line mode is on.
extern int16_t gTextSignActive;
// The items' state when the mode was entered (-1/0), in the order above.
extern std::array<int16_t, kTextSignModeItems> gSavedControlState;
// The text cursor's scale height when the mode was entered.
extern int16_t gSavedCursorScale;
// The graphic editor's font when the mode was entered; leaving it, the
// editor takes it back (the strip has a font of its own).
extern std::string gSavedEditorFont;
// The font the graphic editor takes when the text-sign line mode ends: the
// one it had, else the start font of the current sign's height, else the
// font in hand.
std::string EditorFontAfterStrip();
// -1 while a route-number sign (K1000) is shown.
extern int16_t gK1000Shown;
// Any shown sign is a route-number sign.
bool AnyK1000Shown();

// Before the entry under edit is replaced or left: when a shown sign holds
// an edit that no Save stored, asks S105, S106 and S107 (OK/Cancel); true
// when nothing would be lost or the user chose OK. With page > 0 only the
// signs that have that page in the current entry count (a change to that
// page shows it on them).
bool AskSaveChanges(int16_t page = 0);

// Names of the signs joined with ", " in address order: the shown signs, or
// those whose route number is shown.
std::string ShownSignNames(bool routeNumberShown);

// The strip picture of a text sign of that model and size: 30N - 3 pixels
// wide (N = W for one row, H for two rows), 37 or 79 high. Zero for other
// models.
struct StripSize {
    int32_t width = 0;
    int32_t height = 0;
};
StripSize TextStripSize(const std::string& model, int16_t w, int16_t h);

// The number of "#" fields of a sign's text in the current record: the
// destination's section of the sign, or the extra text's (its whole text
// when extra texts carry no sections). address -1 is the current sign.
int16_t CountSignPages(int16_t address);

// The sign in the first row of the shown-signs choice: the lowest-addressed
// graphic sign, else the first text sign, else (unless route-number texts
// per destination are on) the first route-number sign; 0 when no sign is
// configured. A document starts with it as its current, shown sign.
int16_t FirstListedSign();

// The first address 2..16 whose sign has one of the models; 0 when none has.
int16_t FirstSignOfModels(std::initializer_list<const char*> models);

// Every sign's shown flag cleared; then the sign at `address` (none for 0)
// becomes current and the only one shown, the text-sign line mode entered
// for a text sign ("K2..." models) and left for any other.
void ShowOnlySign(int16_t address);

void ResetSignControls();

}  // namespace kv
