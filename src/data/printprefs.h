// The print state of a run: the [Printer] settings of kivar.lib, the fields
// the caller sets for the run, the print selection's results and the signs
// chosen for printing. Every print run (to the printer, to a text file, the
// destination-list export) starts by reading the settings afresh.
//
// [Printer] keys (absent keys read as 0): PrintPreferences (bits below),
// Header (1 header line, 2 ", Kivar32®", 4 date, 8 time), LineNoOption (0..2),
// PageNumber (1 = on), PaperWidth, PaperStartPos, PaperEndPos (characters of a
// file line; 0 means 77, 7 and 75), Orientation (1 portrait, 2 landscape),
// PrintGraphical (1 = sign pictures), PrintGraphicalFC and PrintGraphicalBC
// (colours of printed dots and background), and size and style of four kinds
// of printed text: SignText..., DestText..., TitelText..., CodeText...
#pragma once

#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

namespace kv {

// One sign of a print run, in printed order.
struct PrintSignEntryRec {
    int16_t Address = 0;
    std::string Name = std::string(8, ' ');  // the first 8 columns of the sign line
    int16_t ColumnWidth = 0;  // characters (file) or twips (printer)
    int16_t ColumnX = 0;      // printer: x of the sign's column or picture
    int32_t PictureWidth = 0;   // printed picture width + 10
    int32_t PictureHeight = 0;  // printed picture height + 15
    // Graphical printing: the band of pictures the sign stands in, 0 for the
    // first; the columns that do not fit across the page go on in the next
    // band below.
    int16_t Band = 0;
};

struct PrintSettingsRec {
    // [Printer]
    int16_t PaperWidth = 0;
    int16_t PaperStartPos = 0;
    int16_t PaperEndPos = 0;
    int16_t Header = 0;
    int16_t LineNoOption = 0;
    int16_t Orientation = 0;
    bool PageNumber = false;
    bool PrintEmptyLines = false;  // PrintPreferences bit 1
    bool PrintCompact = false;     // bit 2: no empty line after each page
    bool PrintUserInfo = false;    // bit 4: the user block
    bool PrintCodeName = false;    // bit 8: the out-file name line
    bool TrimLeftSpaces = false;   // bit 16
    bool TrimRightSpaces = false;  // bit 32
    bool PromptSignText = false;   // bit 64: titles and headings offered for editing
    bool PrintGraphical = false;
    int16_t SignTextSize = 0, SignTextPreferences = 0;  // text kind 3
    int16_t DestTextSize = 0, DestTextPreferences = 0;  // text kind 4
    int16_t TitelTextSize = 0, TitelTextPreferences = 0;  // text kind 7
    int16_t CodeTextSize = 0, CodeTextPreferences = 0;  // text kind 11
    // Printer runs: the page height less 500, the lowest position before a
    // page break.
    int16_t PrintableHeight = 0;

    // Set by the caller of a run.
    bool PrinterOutput = false;
    int16_t PrintKind = 0;  // 0 none, 2 destinations, 3 extra texts whole, 4 extra texts per sign
    int16_t FileNo = 0;
    bool RawLines = false;   // file lines written as built
    bool ExportMode = false;  // the destination-list export: headings are ";" comments
    bool CommentLine = false;  // while a comment line is written

    // The print selection.
    int16_t PrintSignCount = 0;
    bool OneSignLayout = false;
    int16_t RangeFirst = 0;
    int16_t RangeLast = 0;
    int16_t NumberColumnWidth = 0;
    std::string ColumnHeadingLine;
    std::string ColumnUnderline;
    int32_t TallestPicture = 0;
    int16_t CurrentPrintSign = 0;
    // The print options were closed by their close box: the run stops.
    bool Cancelled = false;
};

extern PrintSettingsRec PrintSettings;
// Entry 0 stays empty; 1..PrintSettings.PrintSignCount are the printed signs.
extern std::vector<PrintSignEntryRec> PrintSignEntry;
// Colours (0xBBGGRR) of printed dots and of the printed sign background.
extern int32_t gPrintGraphicalFC;
extern int32_t gPrintGraphicalBC;

// The start of every run, after the caller set PrinterOutput (and for file
// runs FileNo, RawLines, ExportMode): the [Printer] keys (the first eight in
// one pass, so they are found only in their order in the section),
// PrintPreferences split into its flags, the print colours, the file
// defaults of the paper keys for file output, and the print-sign table sized
// to the number of used signs with PrintSignCount 0.
void ReadPrintPreferences();
// The eight size and style keys, in one pass.
void ReadPrintTextKinds();
// gPrintGraphicalFC and BC from [Printer]; with graphical printing on and
// both 0, black dots on white.
void SetPrintColours();
// After a run: the table back to its one empty entry.
void ClearPrintSignEntries();

// The header line of Header's bits: "Orvalde", then ", Kivar32®" (bit 2),
// ", " and the date (bit 4), ", " and the time (bit 8); "" when bit 1 is clear.
std::string PrintHeaderLine(int16_t header);

// The clock of printed dates and times; tests set a fixed one (empty
// function: the system clock).
void SetPrintClock(std::function<std::tm()> clock);
std::tm PrintNow();
std::string PrintDateText();  // "yyyy-mm-dd"
std::string PrintTimeText();  // "hh:mm:ss"

// The language texts of the keys read in one pass over the section.
std::vector<std::string> LangTextsInOneRun(const std::vector<std::string>& keys);

// The whole print state back to its start.
void ResetPrintState();

}  // namespace kv
