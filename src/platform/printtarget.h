// The printer as the core sees it: one print job of pages measured in twips,
// with a print position, fonts with metrics, text, lines, boxes, filled boxes
// (the dots of sign pictures), new page and end of the job. The Qt layer
// installs a target on a real printer or a PDF file for each run; tests
// install a recording target with fixed font metrics; without one, printing
// goes nowhere.
//
// Also the two small dialogs the print runs ask through (and the main
// window's state, which a run of sign pictures minimizes): the sign-text print
// options (a text with its font) and the print options (which signs, in which
// order, which range, which layout).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kv {

struct PrintFont {
    double size = 12;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool operator==(const PrintFont&) const = default;
};

class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // Starts a job in the orientation (1 portrait, 2 landscape): page 1, the
    // print position at the top left. False when no job could be started.
    bool BeginDoc(int16_t orientation);
    // Ends the job; returns the file the job went to ("" for a printer).
    std::string EndDoc();
    // Drops the job: nothing of it is printed or written.
    void AbortDoc();
    bool InDoc() const { return inDoc_; }
    // Finishes the page and starts the next one; the print position goes to
    // the top left.
    void NewPage();
    int16_t Page() const { return page_; }

    // The drawable area of the page, in twips.
    virtual double PageWidth() const = 0;
    virtual double PageHeight() const = 0;
    // The size of one printer pixel in twips (the dot painter's unit).
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;

    void SetFont(const PrintFont& font);
    const PrintFont& Font() const { return font_; }
    // Measured in the current font, in twips.
    virtual double TextWidth(const std::string& text) const = 0;
    virtual double TextHeight() const = 0;

    // The print position.
    double CurrentX = 0;
    double CurrentY = 0;
    // Prints the text at the print position. With lineEnd the position goes
    // to the start of the next line, else to the end of the text.
    void Print(const std::string& text, bool lineEnd = true);
    // A line in an RGB colour (0xBBGGRR); the print position goes to its end.
    void Line(double x1, double y1, double x2, double y2, int32_t colour = 0);
    // An unfilled black rectangle; the print position goes to (x2, y2).
    void Box(double x1, double y1, double x2, double y2);
    // A filled rectangle in an RGB colour; the print position goes to (x2, y2).
    void FilledBox(double x1, double y1, double x2, double y2, int32_t colour);

protected:
    virtual bool DoBegin(int16_t orientation) = 0;
    virtual std::string DoEnd() = 0;
    virtual void DoAbort() = 0;
    virtual void DoNewPage() = 0;
    virtual void DoFont(const PrintFont& font) = 0;
    // Text with its top left at (x, y), in the current font.
    virtual void DoText(double x, double y, const std::string& text) = 0;
    virtual void DoLine(double x1, double y1, double x2, double y2, int32_t colour) = 0;
    virtual void DoBox(double x1, double y1, double x2, double y2, bool filled, int32_t colour) = 0;

private:
    PrintFont font_;
    int16_t page_ = 0;
    bool inDoc_ = false;
};

// The target in use; one that prints nothing (an A4 page, rough metrics)
// until another is installed.
PrintTarget& Printer();
void SetPrintTarget(PrintTarget* target);  // nullptr restores the default

// The sign-text print options: the text to print and its font. The print
// runs keep these fields while the dialog is loaded; readers use them whether
// or not it was shown.
struct PrintTextFields {
    std::string caption = "Text";
    std::string frameText = " Text - preferences ";
    std::string underlinedText = "Underlined";
    std::string boldText = "Bold";
    std::string italicText = "Italic";
    std::string sizeLabel = "Fontsize";
    std::string centerText = "Text centered";
    std::string doneText = "Done";
    std::string text;
    std::string sizeText;  // the size list's text
    int16_t bold = 0, italic = 0, underlined = 0, centred = 0;  // check box values 0 or 1
};

// What the print options dialog is filled with: one row per sign (its
// trimmed name) and, when the range is offered, the range and its bounds.
struct PrintOptionsRequest {
    std::string caption;
    std::string options[3];       // the three page choices
    std::string explanations[3];  // the explanation label of each page
    std::string doneText;
    std::vector<std::string> signNames;  // rows 1..n
    bool rangeShown = false;
    std::string from, to, lowest, highest;
};
// What Done leaves: the rows to print in print order (1-based row numbers),
// the layout and the range texts. `closed`: the window was closed by its
// close box, which cancels the listing.
struct PrintOptionsAnswer {
    bool closed = false;
    std::vector<int> order;
    bool oneSignLayout = false;
    std::string from, to;
};

class PrintDialogs {
public:
    virtual ~PrintDialogs() = default;
    // Shows the sign-text print options modally; the size and style are
    // offered only for printer output. Done leaves the fields changed.
    virtual void ShowSignText(PrintTextFields& fields, bool printerOutput) {}
    // Shows the print options modally. Without a window: Done at once, every
    // row in its order, the first layout.
    virtual PrintOptionsAnswer ShowPrintOptions(const PrintOptionsRequest& request);
    // The main window's state while sign pictures print: 0 normal,
    // 1 minimized, 2 maximized.
    virtual int16_t MainWindowState() { return 0; }
    virtual void SetMainWindowState(int16_t state) {}
};

PrintDialogs& PrintDialogPort();
void SetPrintDialogs(PrintDialogs* dialogs);  // nullptr restores the default

}  // namespace kv
