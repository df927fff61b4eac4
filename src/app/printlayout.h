// The entries of the project laid on the printed page: the destination table
// or the extra-text table per sign over the chosen range, and the extra-text
// table whole. Each entry prints as text (its sign pages' rows with the entry
// number in front) in the side-by-side layout or, one sign after another, in
// newspaper columns; or, with graphical printing, as a row of sign pictures.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

class SignCanvas;
class EditorCanvas;
class CommandState;
class DocumentWindow;

// While it lives, what the editor tells the window goes nowhere, and a
// row too full for a loaded page is not reported: pages drawn for the
// printer leave the window as it is.
class QuietWindow {
public:
    QuietWindow();
    ~QuietWindow();
    QuietWindow(const QuietWindow&) = delete;
    QuietWindow& operator=(const QuietWindow&) = delete;

private:
    SignCanvas& sign_;
    EditorCanvas& editor_;
    CommandState& commands_;
    DocumentWindow& window_;
    int16_t rowFullWarning_;
};

// PrintKind 2 (destinations) or 4 (extra texts per sign).
void PrintTableEntries();
// PrintKind 3.
void PrintWholeExtraTexts();
// The one-sign layout's next column: column + 1, a new page after the last
// column of a page; textX and numberX of the column (16-bit).
void NextTextColumn(int16_t& column, int16_t columnCount, int16_t entry, int16_t& textX, int16_t& numberX);

// One page's sign bytes parsed into the editor of the current sign, as
// opening the entry does; the current font's measures are taken afresh
// first, since a text sign may have left others behind.
void LoadPrintedPage(const std::string& data);

// The dots of one page of a sign of entry n at the print origin, whatever
// the sign's model; the page's sign bytes, "" when the entry has none. A
// graphic sign's page goes through its editor (the sign becomes the current
// sign for it); a text or route-number sign's is drawn as stored. wholeExtra:
// the page of an extra text without sections per sign.
std::string DrawSignPage(int16_t n, int16_t address, int16_t page, bool wholeExtra);
// The same with the sign's background box before and its frame after.
std::string PrintSignPage(int16_t n, int16_t address, int16_t page, int32_t width, int32_t height, bool wholeExtra);

}  // namespace kv
