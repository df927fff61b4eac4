// The page primitives of the printed listings: a text placed on the page, the
// fixed font kinds, the page break with its page number, the page header and
// the sign column headings, and the print zoom of the signs. Positions are
// twips of the print target's page.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Where PrintTextAt puts a text:
//   1: `count` empty rows (the text is ignored);
//   2: at x, right-aligned to x when align is 2, else starting there;
//   3: centred on the page;  4: starting at x 1000;
//   5: at (x, y) aligned as 2, then the page-break check when checkPage.
struct PrintPlacement {
    int16_t mode = 0;
    int16_t x = 0;  // mode 1: the count
    int16_t align = 0;
    int16_t y = 0;
    bool checkPage = false;
};
inline PrintPlacement EmptyRows(int16_t count) { return {1, count}; }
inline PrintPlacement Centred() { return {3}; }
inline PrintPlacement AtLeftMargin() { return {4}; }
inline PrintPlacement AtXY(int16_t x, int16_t align, int16_t y, bool checkPage) { return {5, x, align, y, checkPage}; }

// Prints the text with a line end where the placement says. The page breaks
// after empty rows that pass PrintableHeight, and after a mode-5 text with
// checkPage that passes it in the side-by-side text layout.
void PrintTextAt(const std::string& text, const PrintPlacement& placement);
// The page number (when on) 200 above the bottom, centred; the next page
// with its header.
void NewPrintPage();
// The header line of [Printer] Header (or three empty rows), then the
// column headings of a side-by-side table.
void PrintPageHeader();
// The heading of the one-sign layout's sign CurrentPrintSign, or the names
// of all print signs at their columns, underlined.
void PrintColumnHeadings();
// On: every sign at zoom 3 (dot size 2), the zooms remembered; off: back.
void SetPrintZoom(bool on);
// The user's text of the sign-text print options printed in its font:
// centred when ticked so, else from x 1000; nothing when it is empty.
// Returns whether it printed.
bool PrintEditedText();

// Starts a print job; no printer reached is reported (false).
bool BeginPrintJob(int16_t orientation);
// Ends the job; a job that went to a file says where.
void EndPrintJob();

// Printer runs: the page ready in the [Printer] orientation, PrintableHeight
// set and the first page header printed. False (reported) when no print job
// could be started.
bool StartPrinterRun();
// The end of a printer run: the job ended, and a job that went to a file
// told where. After a cancelled run the job is dropped.
void EndPrinterRun();

}  // namespace kv
