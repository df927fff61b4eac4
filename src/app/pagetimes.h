// Changing texts: the pages a sign shows in turn, offered as the page options
// TNo_op(1..20) of the main window, the change time of a record in the
// change-time box, and what the changing-texts check box does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kv {

// The pages of a sign (-1: the current sign) in the current record. More
// pages than offered make the options up to them visible and raise
// gNumberOfChangingTexts, to 20 at most: pages above 20 stay in the record
// without an option.
int16_t NumberOfChangingTexts(int16_t sign);
// The most pages any shown sign has in the current record, raising the
// options offered as NumberOfChangingTexts does.
int16_t PagesOfShownSigns();
// The page options offer every page a shown sign has and the page shown,
// which stays chosen.
void ShowPagesOfShownSigns();
// count 1..: options 1..count enabled, the others up to
// gNumberOfChangingTexts disabled, option `selected` chosen (more than 20
// counts as 20). count -1: the option after the chosen one becomes enabled
// and chosen, and the sign's picture remembers the page; a beep when every
// offered option is in use. 0, or more than offered: nothing.
void UpdateNoOfTextsOption(int16_t count, int16_t selected);
// Chooses option n as setting its value from code does: when it was not
// chosen yet, its click makes n the current page.
void SelectPageOption(int16_t n);
// A click on option n: n becomes the current page, and every shown sign
// that has page n shows it (after the question, when one of them holds an
// edit no Save stored; Cancel keeps the page shown and the option). The
// keyboard focus goes back to the sign.
void PageOptionClicked(int16_t n);
// The changing-texts frame was just shown: the option of the page shown (1
// when none) is chosen, the change-time box shows gChangeTime, and the
// options offer the shown signs' pages and the page shown (one at least).
void ChangingTextsOpened(int16_t editorPage);

// The change-time box after a change: only its digits stay; `beeps` counts
// the characters of other kinds that went.
std::string ChangeTimeDigits(const std::string& text, int& beeps);
// Leaving the change-time box: a time of 0..20 seconds (an empty box is 0)
// becomes gChangeTime. Anything else shows S108 and gives the text the box
// shows again (gChangeTime).
std::optional<std::string> ChangeTimeLeft(const std::string& text);

}  // namespace kv
