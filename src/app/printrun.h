// The print runs on the printer: the whole project (page header, user block,
// destinations, extra texts, page numbers) as text or as sign pictures, and
// the pictures of the entry under edit.
#pragma once

#include <string>

namespace kv {

// The name the listing's file dialog proposes: "print.txt" without a
// project file, else the project's path ending in "txt".
std::string ProposedListingName();
// The PDF file a print job goes to without a printer: the project's path
// ending in "pdf", else "print.pdf" in the document folder.
std::string FallbackPrintPdf();

// The project in one print job. `graphical` prints sign pictures whatever
// [Printer] PrintGraphical says. The pages drawn through the editor leave
// the window and the entry under edit (unsaved edits too) as they were.
// False when nothing was printed (no printer, or the print options closed).
bool PrintSignPictures(bool graphical);
// The user and company information and the out-file name line, at the print
// position, as [Printer] PrintPreferences asks.
void PrintUserBlock();
// Every page of every shown sign of the entry under edit, side by side from
// (500, 300), a row further down when the page is full and a page further
// when a row would reach below it: each page as stored, but the page the
// window shows as the window shows it where a Save would store it (unsaved
// edits of the graphic pictures, the strip and the route-number box). The
// window and the entry under edit (unsaved edits too) are left as they
// were. False when no printer was there.
bool PrintSignGraphics();

}  // namespace kv
