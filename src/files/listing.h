// The project listed to a text file, and the destination-list export: the
// header line, the user block, the destinations and the extra texts, each
// line through PrintLine. Lines end in CR LF. After the header line the
// lines are written as built (raw): columns separated by single tabs. In the
// export the header, the user block, the titles and the headings are comment
// lines beginning with ";".
#pragma once

#include <cstdint>
#include <string>

namespace kv {

// Writes one logical line to the open file PrintSettings.FileNo. Prefixes:
// "EmptyRows" followed by a digit n writes n empty lines; "CenterTxt"
// centres the rest between PaperStartPos and PaperEndPos (a text wider than
// the line: its first part plain, the rest centred again). A plain line is
// indented by PaperStartPos blanks and cut every PaperEndPos - PaperStartPos
// characters. With RawLines every line is written as it is; with CommentLine
// it begins with ";".
void PrintLine(const std::string& text);
// The header line of [Printer] Header, centred (a comment line in the export).
void PrintFileHeader();

// The whole listing: header, user block, destinations, extra texts. False
// when the user closed the print options, which cancels the listing.
bool PrintToFile(int16_t fileNo);
// The export: header, user block, destinations.
bool ExportDestList(int16_t fileNo);

// Parts of a listing, written to PrintSettings.FileNo.
void PrintUserBlockToFile();
// The destinations (PrintKind 2) or the extra texts per sign (PrintKind 4).
void PrintDestTexts();
// The extra texts whole (PrintKind 3).
void PrintExtraTexts();

// The listing (or with exportList the export) written to a file: in the 1.45
// layout when [Generell] PrintTextFormat145 is "1". Nothing is written when
// the listing is cancelled; a file that cannot be written is reported.
// Returns true when the file was written.
bool WriteListingFile(const std::string& path, bool exportList);

}  // namespace kv
