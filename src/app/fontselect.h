// The font selection dialog's work on the font list, in its two modes:
// choosing which library fonts the editor offers (list mode: gFontList in
// the marked form "* c name", which SaveFontList(2) makes), and picking the
// current font (pick mode: "c name").
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// gFontList is in the marked form: entry 1 starts with "*" or a blank.
bool FontListInListMode();
// The list line of entry i (1-based): the entry itself; the graphic font
// "g" with the language's name of it (S30 without "<" and ">").
std::string FontSelLine(int i);

// List mode, a double click on entry i: the mark flips. False (nothing
// changed) for the graphic font, which cannot be ticked off.
bool ToggleFontMark(int i);
// List mode, OK: false when no font is marked (S2501 has been shown).
// Otherwise the marks go into gFontFiles, the project font list is rebuilt,
// every [Fonts] key whose stored value differs is rewritten, a marking of
// the text ends and the last marked font becomes current.
bool AcceptFontMarks();
// Pick mode: entry i becomes the current font (its map loaded, the marked
// cells given it where they can take it). Nothing for an entry starting
// with a blank.
void PickFont(int i);

// The font list as the dialog found it; Cancel puts it back, so that marks
// flipped before a Cancel are gone.
struct FontListSnapshot {
    std::vector<std::string> list;
    int16_t index = 0;
};
FontListSnapshot TakeFontListSnapshot();
void RestoreFontList(const FontListSnapshot& snapshot);

}  // namespace kv
