#include "app/printlayout.h"

#include <algorithm>
#include <vector>

#include "app/printpage.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/fieldtext.h"
#include "data/inverted.h"
#include "data/language.h"
#include "data/printfonts.h"
#include "data/printprefs.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "data/charmap.h"
#include "engine/dotlayers.h"
#include "engine/marking.h"
#include "engine/pageload.h"
#include "engine/printdots.h"
#include "engine/signview.h"
#include "files/printselect.h"
#include "files/printtext.h"
#include "platform/host.h"
#include "platform/printtarget.h"
#include "platform/vb.h"

namespace kv {

namespace {

PrintSettingsRec& S() { return PrintSettings; }

int16_t Int16(double v) { return CIntClamp(v); }

const std::string& TableText(int n) {
    return S().PrintKind == 2 ? gDestList[static_cast<size_t>(n)].Text : gExtraList[static_cast<size_t>(n)].Text;
}

std::string EntryLabel(int n) {
    if (S().PrintKind == 2 && gDestCodesOn) return gDestList[static_cast<size_t>(n)].Code;
    return std::to_string(n);
}


bool Printed(const std::string& row) { return !Trim(row).empty() || S().PrintEmptyLines; }

// The label in front of an entry's page block, right-aligned at x: with more
// than one page ".p" follows it; a label without one moves left by the width
// of ".8" so that the numbers stay aligned. Ends in the text font.
void PrintLabel(const std::string& id, int16_t pages, int16_t page, double x, double y) {
    SetPrintFontKind(5);
    if (pages > 1) PrintTextAt(id + "." + std::to_string(page), AtXY(Int16(x), 2, Int16(y), true));
    else PrintTextAt(id, AtXY(Int16(x - Printer().TextWidth(".8")), 2, Int16(y), true));
    SetPrintFontKind(4);
}

void TableHeading(const std::string& text) {
    if (S().PromptSignText) {
        gPrintSignText.text = text;
        SetPrintFont(4);
        if (PrintEditedText()) PrintTextAt("", EmptyRows(1));
    } else {
        SetPrintFontKind(7);
        PrintTextAt(text, Centred());
        PrintTextAt("", EmptyRows(1));
    }
}

// The layers of a graphic sign ready for one of its pages: its graphic and
// undo layers sized to it (the picture of another sign may have used them).
void ReadyLayers(int16_t address) {
    const SignInfo& s = SignInfoOf(address);
    const int16_t k = s.GraphicIndex;
    if (k < 0 || k >= kGraphicCount) return;
    if (GraphicLayerBound(k, 1) != s.Width + 5 || GraphicLayerBound(k, 2) != s.Height + 5) {
        ResizeGraphicLayer(k, s.Width + 5, s.Height + 5);
        ResizeUndoLayer(k, s.Width + 5, s.Height + 5);
    }
}

// The one-sign layout: each sign under its heading, its entries flowing
// down the page in columns.
void OneSignColumns() {
    PrintTarget& p = Printer();
    for (int16_t e = 1; e <= S().PrintSignCount; ++e) {
        S().CurrentPrintSign = e;
        PrintColumnHeadings();
        const double y0 = RoundHalfEven(p.CurrentY);
        const PrintSignEntryRec& entry = PrintSignEntry[static_cast<size_t>(e)];
        const int pitch = S().NumberColumnWidth + entry.ColumnWidth - 300;
        const int16_t columnCount = pitch > 0 ? Int16((p.PageWidth() - 1000) / pitch) : 0;
        int16_t column = 0, textX = 0, numberX = 0;
        NextTextColumn(column, columnCount, e, textX, numberX);
        auto columnCheck = [&] {
            if (p.CurrentY > S().PrintableHeight) {
                NextTextColumn(column, columnCount, e, textX, numberX);
                p.CurrentY = y0;
            }
        };
        SetPrintFontKind(4);
        for (int n = S().RangeFirst; n <= S().RangeLast; ++n) {
            if (n < 0) continue;
            const std::string s = GetSignText(TableText(n), entry.Address);
            if (s.empty()) continue;
            const int16_t pages = CountHashMarks(s);
            for (int16_t pg = 1; pg <= pages; ++pg) {
                const int16_t rows = CountFieldRows(s, pg);
                bool lastBlank = true;
                for (int16_t r = 1; r <= rows; ++r) {
                    const double y = p.CurrentY;
                    const std::string t = PrintFieldRow(s, pg, r);
                    lastBlank = Trim(t).empty();
                    if (!Printed(t)) continue;
                    PrintTextAt(WithoutLeadingBlank(t), AtXY(textX, 0, Int16(y), true));
                    if (r == 1) PrintLabel(EntryLabel(n), pages, pg, numberX, y);
                    columnCheck();
                }
                if (!S().PrintCompact && (!lastBlank || S().PrintEmptyLines)) {
                    // The empty row stays in the column: past the bottom the
                    // text goes on in the next column, not on a new page.
                    SetPrintFontKind(6);
                    p.Print("");
                    SetPrintFontKind(4);
                    columnCheck();
                }
            }
        }
        if (e < S().PrintSignCount) NewPrintPage();
    }
}

void PictureRow(int n, const std::string& text) {
    PrintTarget& p = Printer();
    int32_t yRow = static_cast<int32_t>(p.CurrentY + 50);
    for (int16_t e = 1; e <= S().PrintSignCount; ++e) {
        const PrintSignEntryRec& entry = PrintSignEntry[static_cast<size_t>(e)];
        SetPrintOrigin(entry.ColumnX, yRow);
        int32_t w = 0, h = 0;
        GetPrintedSignSize(entry.Address, w, h);
        DoEvents();
        if (p.CurrentY + h > S().PrintableHeight) {
            NewPrintPage();
            yRow = static_cast<int32_t>(p.CurrentY + 50);
            SetPrintOrigin(entry.ColumnX, yRow);
        }
        const int16_t pages = CountHashMarks(GetSignText(text, entry.Address));
        std::string last;
        for (int16_t pg = 1; pg <= pages; ++pg) {
            if (pg > 1) MovePrintOrigin(0, S().TallestPicture);
            last = PrintSignPage(static_cast<int16_t>(n), entry.Address, pg, w, h, false);
        }
        if (!last.empty()) {
            const double y = p.CurrentY;
            PrintLabel(EntryLabel(n), 1, 1, S().NumberColumnWidth, yRow);
            p.CurrentY = y;
        }
    }
}

void TextRows(int n, const std::string& text) {
    PrintTarget& p = Printer();
    const int count = S().PrintSignCount;
    std::vector<std::string> s(static_cast<size_t>(count) + 1);
    std::vector<int16_t> c(static_cast<size_t>(count) + 1);
    int16_t maxPages = 0;
    for (int e = 1; e <= count; ++e) {
        s[e] = GetSignText(text, PrintSignEntry[static_cast<size_t>(e)].Address);
        c[e] = CountHashMarks(s[e]);
        maxPages = std::max(maxPages, c[e]);
    }
    for (int16_t pg = 1; pg <= maxPages; ++pg) {
        int16_t maxRows = 0;
        for (int e = 1; e <= count; ++e) maxRows = std::max(maxRows, CountFieldRows(s[e], pg));
        bool lastPrinted = false;
        for (int16_t r = 1; r <= maxRows; ++r) {
            const double y = p.CurrentY;
            bool printed = false;
            SetPrintFontKind(4);
            for (int e = 1; e <= count; ++e) {
                if (c[e] < pg || CountFieldRows(s[e], pg) < r) continue;
                const std::string t = PrintFieldRow(s[e], pg, r);
                if (!Printed(t)) continue;
                PrintTextAt(WithoutLeadingBlank(t), AtXY(PrintSignEntry[static_cast<size_t>(e)].ColumnX, 0, Int16(y), false));
                printed = true;
            }
            if (r == 1 && (printed || S().PrintEmptyLines)) PrintLabel(EntryLabel(n), maxPages, pg, S().NumberColumnWidth, y);
            lastPrinted = printed;
        }
        if ((lastPrinted || S().PrintEmptyLines) && !S().PrintCompact) PrintTextAt("", EmptyRows(1));
    }
}

}  // namespace

std::string PrintSignPage(int16_t n, int16_t address, int16_t page, int32_t width, int32_t height, bool wholeExtra) {
    gCurrentSign = address;
    gCurrentPage = page;
    if (gDestListActive) gCurrentDest = n;
    else gCurrentExtra = n;
    int16_t pg = page, multi = 0;
    const std::string data = wholeExtra ? GetExtraRow(n, pg, multi) : GetActiveRow(n, address, pg, multi);
    const bool graphic = IsSignAddress(address) && SignInfoOf(address).Model == "K4000";
    if (graphic) {
        ReadyLayers(address);
        LoadPrintedPage(data);
    }
    PrintPoint(width, height);
    if (graphic) ShowSign(false, true);
    PrintSignFrame(width, height);
    if (height != S().TallestPicture) Printer().CurrentY += S().TallestPicture - height;
    return data;
}

void LoadPrintedPage(const std::string& data) {
    if (!gCurrentFontCode.empty()) LoadFontMap(gCurrentFontCode);
    InvertLoadBuffer();
    ParseSignMarkup(data);
}

void NextTextColumn(int16_t& column, int16_t columnCount, int16_t entry, int16_t& textX, int16_t& numberX) {
    column = static_cast<int16_t>(column + 1);
    if (column > columnCount) {
        NewPrintPage();
        column = 1;
    }
    const int32_t ncw = S().NumberColumnWidth;
    const int32_t cw = PrintSignEntry[static_cast<size_t>(entry)].ColumnWidth;
    textX = Int16(ncw + 600.0 * column + static_cast<double>(cw + ncw - 1000) * (column - 1));
    numberX = Int16(textX - 100);
}

void PrintTableEntries() {
    PreparePrintSigns();
    if (!S().Cancelled && S().PrintSignCount != 0 && S().RangeLast != 0) {
        PrintTextAt("", EmptyRows(1));
        TableHeading(S().PrintKind == 2 ? gTextS40 : gTextS41);
        if (S().PrintGraphical) SetPrintOrigin(0, 0);
        if (S().OneSignLayout && !S().PrintGraphical) {
            OneSignColumns();
        } else {
            PrintColumnHeadings();
            for (int n = std::max<int>(0, S().RangeFirst); n <= S().RangeLast; ++n) {
                const std::string& text = TableText(n);
                if (text.empty()) continue;
                if (S().PrintGraphical) PictureRow(n, text);
                else TextRows(n, text);
            }
        }
    }
    S().PrintKind = 0;
}

void PrintWholeExtraTexts() {
    PrintTarget& p = Printer();
    S().RangeLast = LastUsedNumber(ExtraList);
    if (S().RangeLast != 0) {
        PrintTextAt("", EmptyRows(1));
        TableHeading(gTextS41);
        if (S().NumberColumnWidth == 0)
            S().NumberColumnWidth = Int16(p.TextWidth(std::to_string(S().RangeLast)) + 1000);
        SetPrintFontKind(4);
        // Rows and pictures stand at the column of the first print sign;
        // without one, just right of the number column.
        const bool hasSign = S().PrintSignCount >= 1;
        const int16_t x = hasSign ? PrintSignEntry[1].ColumnX : Int16(S().NumberColumnWidth + 100);
        int32_t maxW = 0, maxH = 0;
        if (S().PrintGraphical) {
            for (int e = 1; e <= S().PrintSignCount; ++e) {
                int32_t w = 0, h = 0;
                GetPrintedSignSize(PrintSignEntry[static_cast<size_t>(e)].Address, w, h);
                maxW = std::max(maxW, w);
                maxH = std::max(maxH, h);
            }
            if (!hasSign) GetPrintedSignSize(gCurrentSign, maxW, maxH);
        }
        for (int n = 1; n <= S().RangeLast; ++n) {
            const std::string& text = gExtraList[static_cast<size_t>(n)].Text;
            if (text.empty()) continue;
            const int16_t pages = CountHashMarks(text);
            if (S().PrintGraphical) {
                int32_t yRow = static_cast<int32_t>(RoundHalfEven(p.CurrentY + 50));
                SetPrintOrigin(x, yRow);
                DoEvents();
                if (p.CurrentY + maxH > S().PrintableHeight) {
                    NewPrintPage();
                    yRow = static_cast<int32_t>(RoundHalfEven(p.CurrentY + 50));
                    SetPrintOrigin(x, yRow);
                }
                const int16_t sign = gCurrentSign;
                std::string last;
                for (int16_t pg = 1; pg <= pages; ++pg) {
                    if (pg > 1) MovePrintOrigin(0, S().TallestPicture);
                    last = PrintSignPage(static_cast<int16_t>(n), sign, pg, maxW, maxH, true);
                }
                if (!last.empty()) {
                    const double y = p.CurrentY;
                    PrintLabel(std::to_string(n), 1, 1, S().NumberColumnWidth, yRow);
                    p.CurrentY = y;
                }
                continue;
            }
            for (int16_t pg = 1; pg <= pages; ++pg) {
                const int16_t rows = CountFieldRows(text, pg);
                bool printed = false;
                for (int16_t r = 1; r <= rows; ++r) {
                    const double y = RoundHalfEven(p.CurrentY);
                    const std::string t = PrintFieldRow(text, pg, r);
                    if (Printed(t)) {
                        PrintTextAt(WithoutLeadingBlank(t), AtXY(x, 0, Int16(y), false));
                        printed = true;
                    }
                    if (r == 1) {
                        PrintLabel(std::to_string(n), pages, pg, S().NumberColumnWidth, y);
                        printed = true;
                    }
                }
                if ((printed || S().PrintEmptyLines) && !S().PrintCompact) PrintTextAt("", EmptyRows(1));
            }
        }
    }
    S().PrintKind = 0;
}

}  // namespace kv
