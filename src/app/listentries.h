// The two lists of the main window without their window: the number a list
// line or the current-number box stands for, the checks of the typed
// number or destination code, and the auto-create command that fills the
// destination table with numbered test entries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kv {

// The number formed by the leading digits of text after leading blanks; 0
// when there are none (kept to 32767).
int16_t LeadingNumber(const std::string& text);
// The number of an extra-text line: the value of its first four characters.
int16_t ExtraNumberOfLine(const std::string& line);

// The change time of the first page of the current sign in the current
// record's SignData: the code of the character after the first page mark;
// gDefaultChangeTime when the section has no page mark.
int16_t CurrentChangeTime();
// The box text of a loaded destination: its Code, or its number when the
// Code holds nothing but blanks and zero characters.
std::string CurrentNumberBoxText(int16_t dest);

// What leaving the current-number box with `typed` does to the current entry
// of the active list (typed is upper-cased first). Messages: S101 and S98
// for a zero number, S133 for a code with characters not allowed, S134 for
// a code that another destination already has.
struct CurrentNumberCheck {
    bool keepFocus = false;              // the box keeps the focus (after a message)
    std::optional<std::string> boxText;  // the box shows this (the normalised code)
};
CurrentNumberCheck CheckCurrentNumber(const std::string& typed);

// Auto-create. The one-section SignData of the test entries for sign 6: a
// dot-strip run and the digits 0..9 in up to six fonts; "<DEST>" stands for
// the entry's number. Font 1 is "i"; fonts 2..6 are the first font-list
// entries ending in "1" (besides "i"). Markers without a font stay.
std::string AutoCreateTemplate();
// Every marker has its font and every font is in the library.
bool AutoCreateFontsPresent(const std::string& templ);
// The question and prompts of the command (Windows-1252).
std::string AutoCreateRepeatQuestion();
extern const char* const kAutoCreateTitle;
extern const char* const kAutoCreateTotalPrompt;
extern const char* const kAutoCreateCountPrompt;
extern const char* const kAutoCreateStartPrompt;
// Destinations 1..LastUsedNumber all hold a Text (and there is at least one).
bool AutoCreateCanRepeat();
// Copies destinations 1..N (N = LastUsedNumber) again and again into
// N + 1 .. total, adding their list lines. Returns the number of records made.
int AutoCreateRepeat(int total);
// Makes `count` records from `start` on: Text "0012 auto...", SignData the
// template with the four-digit number, ChangeTime 3, Flag off. Numbers
// outside 1..9999 are skipped. Returns the number of records made.
int AutoCreateNumbered(const std::string& templ, int count, int start);
// The integer an input box answer stands for (rounded, kept to 16 bits); 0
// for an empty or non-numeric one.
int InputNumber(const std::string& answer);

}  // namespace kv
