#include "app/printpage.h"

#include <array>

#include "data/language.h"
#include "data/printfonts.h"
#include "data/printprefs.h"
#include "data/signtable.h"
#include "engine/render.h"
#include "files/printtext.h"
#include "platform/host.h"
#include "platform/printtarget.h"
#include "platform/reset.h"
#include "platform/vb.h"

namespace kv {

namespace {

std::array<int32_t, kSignCount> gSavedZooms{};

int16_t Int16(double v) { return CIntClamp(v); }

double PrintableHeight() { return PrintSettings.PrintableHeight; }

void PrintAt(const std::string& text, int16_t x, int16_t align) {
    PrintTarget& p = Printer();
    p.CurrentX = align == 2 ? x - p.TextWidth(text) : x;
    p.Print(text);
}


}  // namespace

void PrintTextAt(const std::string& text, const PrintPlacement& pl) {
    PrintTarget& p = Printer();
    switch (pl.mode) {
        case 1: {
            SetPrintFontKind(6);
            for (int i = 0; i < pl.x && p.CurrentY <= PrintableHeight(); ++i) p.Print("");
            if (p.CurrentY > PrintableHeight()) NewPrintPage();
            break;
        }
        case 2: PrintAt(text, pl.x, pl.align); break;
        case 3:
            p.CurrentX = p.PageWidth() / 2 - RoundHalfEven(p.TextWidth(text) / 2);
            p.Print(text);
            break;
        case 4:
            p.CurrentX = 1000;
            p.Print(text);
            break;
        case 5:
            p.CurrentY = pl.y;
            PrintAt(text, pl.x, pl.align);
            if (pl.checkPage && p.CurrentY > PrintableHeight() && !PrintSettings.OneSignLayout &&
                !PrintSettings.PrintGraphical)
                NewPrintPage();
            break;
        default: break;
    }
}

void NewPrintPage() {
    PrintTarget& p = Printer();
    if (PrintSettings.PageNumber) {
        SetPrintFontKind(2);
        const std::string page = std::to_string(p.Page());
        p.CurrentX = p.PageWidth() / 2 - p.TextWidth(page) / 2;
        p.CurrentY = p.PageHeight() - 200;
        p.Print(page, false);
    }
    p.NewPage();
    PrintPageHeader();
}

void PrintPageHeader() {
    const std::string line = PrintHeaderLine(PrintSettings.Header);
    if (line.empty()) {
        PrintTextAt("", EmptyRows(3));
    } else {
        SetPrintFontKind(1);
        PrintTextAt(line, Centred());
        PrintTextAt("", EmptyRows(2));
    }
    if ((PrintSettings.PrintKind == 2 || PrintSettings.PrintKind == 4) && !PrintSettings.OneSignLayout)
        PrintColumnHeadings();
}

bool PrintEditedText() {
    const std::string t = PrintSignTextTrimmed();
    if (t.empty()) return false;
    SetPrintFontKind(10);
    PrintTextAt(t, gPrintSignText.centred == 1 ? Centred() : AtLeftMargin());
    return true;
}

void PrintColumnHeadings() {
    PrintSettingsRec& s = PrintSettings;
    PrintTarget& p = Printer();
    if (s.OneSignLayout) {
        if (s.CurrentPrintSign < 1 || s.CurrentPrintSign >= static_cast<int16_t>(PrintSignEntry.size())) return;
        PrintSignEntryRec& e = PrintSignEntry[static_cast<size_t>(s.CurrentPrintSign)];
        const std::string name = Trim(e.Name);
        if (s.PromptSignText) {
            e.Name = PrintSignName(name);
            gPrintSignText.text = name;
            SetPrintFont(3);
            PrintEditedText();
        } else {
            SetPrintFontKind(9);
            PrintTextAt(name, Centred());
        }
        PrintTextAt("", EmptyRows(1));
        return;
    }
    // One heading line for each band of pictures (text columns stand in one).
    SetPrintFontKind(3);
    for (int first = 1; first <= s.PrintSignCount;) {
        const int16_t band = PrintSignEntry[static_cast<size_t>(first)].Band;
        int last = first;
        while (last < s.PrintSignCount && PrintSignEntry[static_cast<size_t>(last + 1)].Band == band) ++last;
        const int16_t y = Int16(RoundHalfEven(p.CurrentY));
        for (int i = first; i <= last; ++i) {
            PrintSignEntryRec& e = PrintSignEntry[static_cast<size_t>(i)];
            const std::string name = Trim(e.Name);
            e.Name = PrintSignName(name);
            PrintTextAt(name, AtXY(e.ColumnX, 0, y, i == s.PrintSignCount));
        }
        const double y2 = RoundHalfEven(p.CurrentY + 5);
        for (int i = first; i <= last; ++i) {
            const PrintSignEntryRec& e = PrintSignEntry[static_cast<size_t>(i)];
            p.Line(e.ColumnX, y2, e.ColumnX + e.ColumnWidth, y2);
        }
        p.CurrentY += 20;
        first = last + 1;
    }
}

void SetPrintZoom(bool on) {
    for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
        SignInfo& s = SignInfoOf(a);
        int32_t& saved = gSavedZooms[static_cast<size_t>(a - kFirstSignAddress)];
        if (on) {
            saved = s.Zoom;
            s.Zoom = 3;
        } else {
            s.Zoom = saved;
        }
        s.DotSize = DotSizeFromZoom(s.Zoom);
    }
}

bool BeginPrintJob(int16_t orientation) {
    if (Printer().BeginDoc(orientation)) return true;
    MsgBox(LangText("S2408", "No printer could be reached."), vbExclamation);
    return false;
}

void EndPrintJob() {
    const std::string file = Printer().EndDoc();
    if (!file.empty()) MsgBox(LangText("S2407", "The printout went to the file ") + file, vbInformation);
}

bool StartPrinterRun() {
    PrintSettingsRec& s = PrintSettings;
    if (s.Orientation == 0) s.Orientation = 1;
    PrintTarget& p = Printer();
    if (!BeginPrintJob(s.Orientation)) return false;
    s.PrintableHeight = Int16(RoundHalfEven(p.PageHeight() - 500));
    PrintPageHeader();
    return true;
}

void EndPrinterRun() {
    if (PrintSettings.Cancelled) Printer().AbortDoc();
    else EndPrintJob();
}

namespace {
const ResetRegistrar kReset("print zoom", StateLayer::App, [] { gSavedZooms.fill(0); });
}  // namespace

}  // namespace kv
