#include "platform/printtarget.h"

namespace kv {

bool PrintTarget::BeginDoc(int16_t orientation) {
    if (inDoc_) AbortDoc();
    CurrentX = CurrentY = 0;
    if (!DoBegin(orientation)) return false;
    inDoc_ = true;
    page_ = 1;
    DoFont(font_);
    return true;
}

std::string PrintTarget::EndDoc() {
    if (!inDoc_) return "";
    inDoc_ = false;
    return DoEnd();
}

void PrintTarget::AbortDoc() {
    if (!inDoc_) return;
    inDoc_ = false;
    DoAbort();
}

void PrintTarget::NewPage() {
    if (inDoc_) DoNewPage();
    ++page_;
    CurrentX = CurrentY = 0;
}

void PrintTarget::SetFont(const PrintFont& font) {
    font_ = font;
    DoFont(font_);
}

void PrintTarget::Print(const std::string& text, bool lineEnd) {
    if (!text.empty()) DoText(CurrentX, CurrentY, text);
    if (lineEnd) {
        CurrentX = 0;
        CurrentY += TextHeight();
    } else {
        CurrentX += TextWidth(text);
    }
}

void PrintTarget::Line(double x1, double y1, double x2, double y2, int32_t colour) {
    DoLine(x1, y1, x2, y2, colour);
    CurrentX = x2;
    CurrentY = y2;
}

void PrintTarget::Box(double x1, double y1, double x2, double y2) {
    DoBox(x1, y1, x2, y2, false, 0);
    CurrentX = x2;
    CurrentY = y2;
}

void PrintTarget::FilledBox(double x1, double y1, double x2, double y2, int32_t colour) {
    DoBox(x1, y1, x2, y2, true, colour);
    CurrentX = x2;
    CurrentY = y2;
}

namespace {

// Prints nothing: an A4 portrait page with a 300-dpi pixel, and text
// measured as 0.6 of the font size per character.
class NoPrinter : public PrintTarget {
public:
    double PageWidth() const override { return 11906; }
    double PageHeight() const override { return 16838; }
    double TwipsPerPixelX() const override { return 4.8; }
    double TwipsPerPixelY() const override { return 4.8; }
    double TextWidth(const std::string& text) const override {
        return static_cast<double>(text.size()) * Font().size * 12;
    }
    double TextHeight() const override { return Font().size * 23; }

protected:
    bool DoBegin(int16_t) override { return true; }
    std::string DoEnd() override { return ""; }
    void DoAbort() override {}
    void DoNewPage() override {}
    void DoFont(const PrintFont&) override {}
    void DoText(double, double, const std::string&) override {}
    void DoLine(double, double, double, double, int32_t) override {}
    void DoBox(double, double, double, double, bool, int32_t) override {}
};

NoPrinter gNoPrinter;
PrintTarget* gPrinter = &gNoPrinter;
PrintDialogs gNoDialogs;
PrintDialogs* gDialogs = &gNoDialogs;

}  // namespace

PrintTarget& Printer() { return *gPrinter; }
void SetPrintTarget(PrintTarget* target) { gPrinter = target ? target : &gNoPrinter; }

PrintOptionsAnswer PrintDialogs::ShowPrintOptions(const PrintOptionsRequest& request) {
    PrintOptionsAnswer a;
    for (size_t i = 1; i <= request.signNames.size(); ++i) a.order.push_back(static_cast<int>(i));
    a.from = request.from;
    a.to = request.to;
    return a;
}

PrintDialogs& PrintDialogPort() { return *gDialogs; }
void SetPrintDialogs(PrintDialogs* dialogs) { gDialogs = dialogs ? dialogs : &gNoDialogs; }

}  // namespace kv
