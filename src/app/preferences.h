// The program-wide preferences as the preferences dialog edits them: what it
// reads from the settings file and the globals when it opens, its captions,
// and what OK writes back. Only keys whose value changed are written, except
// PrintGraphical and the two print colours, which OK always writes.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// What the dialog starts from. Values the controls cannot hold are kept as
// the controls show them (see ReadPreferences), so that OK without a change
// writes nothing for them.
struct PreferencesStart {
    // [Generell] PrintTextFormat145 is not "1": the printing page is offered.
    bool printingOffered = true;
    // [Generell]
    std::string language;
    int16_t automatik = 0;
    int16_t showLineNo = 0;
    int16_t changeTime = 3;       // 1..20; a stored 0 shows 3
    int16_t saveWinPos = 0;
    int16_t insertMode = 0;       // as stored
    bool boundLnOffered = false;  // BoundLNActive = 1
    // [Printer]
    int16_t printPreferences = 0;
    int16_t header = 0;
    int16_t lineNoOption = 0;     // 0..2
    int16_t pageNumber = 0;
    int16_t paperWidth = 10;      // clamped to 10..999
    bool paperWidthClamped = false;  // the stored width had to be clamped (a beep)
    int16_t paperStartPos = 1;    // 1..paper width - 1
    int16_t paperEndPos = 8;
    int16_t orientation = 1;      // 1 portrait, 2 landscape; 0 and others read as 1
    bool printGraphical = false;
    int32_t foreColour = 0;       // 0xBBGGRR
    int32_t backColour = 0xFFFFFF;
    // The globals.
    int16_t autoSaveOn = 0;       // 1 or 0 from gAutoSaveEnabled
    int16_t autoSaveMinutes = 1;  // 1..60, what the bar shows
    int16_t insertBox = 0;        // the insert box: gInsertMode, or 0 while disabled
    bool insertBoxEnabled = true; // not for format 6, nor 7 with destination codes
    int16_t boundLnBox = 0;       // gLineNoTableOn while offered
    // language.ini, in the order offered.
    std::vector<std::string> languages;
};

// Reads [Generell] PrintTextFormat145, then Language, Automatik, ShowLineNO,
// ChangeTime, SaveWinPos, InsertMode, BoundLNActive in one pass, [Printer]
// PrintPreferences, Header, LineNoOption, PageNumber, PaperWidth,
// PaperStartPos, PaperEndPos, Orientation in one pass, PrintGraphical and
// the print colours (both 0: black on white), the auto-save globals and the
// languages of language.ini.
PreferencesStart ReadPreferences();

// The print-preference boxes in the order of their bits (1, 2, ..., 64):
// empty lines, compact (stored inverted), user information, out-file name,
// trim left, trim right, prompt for sign texts.
enum PrintFlag { kEmptyLines, kCompact, kUserInfo, kCodeName, kTrimLeft, kTrimRight, kPromptSignText, kPrintFlags };
using PrintFlags = std::array<bool, kPrintFlags>;
PrintFlags PrintFlagsOf(int16_t printPreferences);
int16_t PrintPreferencesOf(const PrintFlags& flags);
// Header: the header line (bit 1), and program title, date, time (2, 4, 8).
int16_t HeaderOf(bool header, bool title, bool date, bool time);

// The controls as OK finds them.
struct PreferencesChoice {
    std::string language;  // the selected entry; "" when none is selected
    int16_t automatik = 0, showLineNo = 0, changeTime = 3, saveWinPos = 0, insertMode = 0;
    int16_t boundLn = 0;
    int16_t pageNumber = 0;
    bool header = false, headerTitle = false, headerDate = false, headerTime = false;
    int16_t lineNoOption = 0;  // -1 when no option is selected
    PrintFlags printFlags{};
    double paperWidth = 10;
    int16_t paperStartPos = 1, paperEndPos = 8;
    int16_t orientation = 1;  // 1 or 2; 0 when neither option is selected
    bool printGraphical = false;
    int32_t foreColour = 0, backColour = 0xFFFFFF;
    int16_t autoSaveOn = 0;
    int16_t autoSaveMinutes = 1;
};

// OK: writes what changed against `start` (and always PrintGraphical and the
// colours), sets the globals that take effect at once (language, auto-save,
// bound route numbers, gSaveWinPos, gInsertMode) and reloads the language
// texts after a change of language. The auto-save time is written only when
// its bar was moved, so an interval that is no whole number of minutes stays
// as it is. Returns true when the language changed.
bool ApplyPreferences(const PreferencesStart& start, const PreferencesChoice& choice);

// A paper width kept within 10..999; true when it had to be changed.
bool ClampPaperWidth(int& width);
// The auto-save bar's minutes for an interval in seconds: 1 up to 60 s,
// else the nearest whole minute (halves to even), at most 60.
int16_t AutoSaveMinutesShown(float seconds);

// A caption of the dialog: control name, index (-1 for none) and text.
struct PreferencesCaption {
    std::string control;
    int index;
    std::string text;
};
// Every caption in the current language, the built-in English texts applied
// where a text reads "0". The language file's own texts are read in one
// pass in ascending key order; the printing page's only when it is offered.
std::vector<PreferencesCaption> PreferencesCaptions(bool printingOffered);
// The language label: with exactly one language on offer, its text, ":  "
// and the current language; otherwise the text itself.
std::string LanguageLabel(const std::string& text, size_t languages);

}  // namespace kv
