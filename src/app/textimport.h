// Text import into the destination or the extra-text list: many entries of
// the active list filled at once from a text file. Each line names an entry
// number, optionally a page, and after one tab the text that the current
// sign shows on that page:
//
//     12<tab>Central          page 1 of entry 12
//     12.3<tab>Harbour        page 3 of entry 12
//     ; a comment             (empty lines are skipped too)
//
// Lines that do not fit are listed first; entries whose page already holds
// something are replaced only after the replace question.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

// One line of the file that is not a comment.
struct ImportRow {
    int16_t number = 0;
    int16_t page = 0;
    std::string text;  // the text after the tab; the whole line when invalid
    bool valid = false;
};

// The rows of a file's content (Windows-1252 bytes, lines ending in CR LF or
// LF). A row is valid with exactly one tab, a number in 1..9999 (1..999 for
// extra texts) and a page in 1..maxPage.
std::vector<ImportRow> ParseImportRows(const std::string& content, bool destinations, int16_t maxPage);

// A line of a report longer than this is cut, followed by "...".
constexpr size_t kReportLineLength = 100;

// "Bad rows i file:", an empty line, then every invalid row's line; "" when
// every row is valid.
std::string BadRowsReport(const std::vector<ImportRow>& rows);

// A row that was written without some of its characters.
struct RowLeftOut {
    int16_t number = 0, page = 1;
    std::string text;      // the row's text
    std::string leftOut;   // the characters the sign did not take
};
// The report after an import that left characters out: every such row
// with its number (and page), its text and the characters left out; "" when
// there is none.
std::string LeftOutReport(const std::vector<RowLeftOut>& rows);

// Imports the file into the active list for the current sign: each valid
// row's text is written into the row's entry and page through the feed of
// typed characters and Save and new. The other shown signs' pages are left
// as they are. Messages: "<path> not found!" when the file cannot be read;
// the bad-rows report (OK goes on with the valid rows, Cancel writes
// nothing); the replace question for a page that holds something; when a
// row's commit finds no free number left for the next one, its message
// once, and the import ends there (the rows written stay); after the run,
// the report of the rows written without some of their characters. A run
// of more than a second shows its progress.
void ImportTextFile(const std::string& path);

// Before the file is chosen: only when the open entry's unsaved edits may
// go (else false); then the sign being edited starts empty, so that the
// first row does not add to what it showed (the text sign's strip in the
// text-sign line mode, else the graphic sign's editor with its alignment).
bool PrepareTextImport();

}  // namespace kv
