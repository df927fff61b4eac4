#include "app/printlayout.h"

#include <algorithm>
#include <vector>

#include "app/listswitch.h"
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
#include "engine/signpagedots.h"
#include "engine/signview.h"
#include "engine/textedit.h"
#include "files/outrecords.h"
#include "files/printselect.h"
#include "files/printtext.h"
#include "platform/host.h"
#include "platform/ports.h"
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

// One sign's pictures of an entry: its column, its band, its pages and its
// printed size; the pages of a whole extra text come from the text as a
// whole.
struct PictureColumn {
    int16_t x = 0, address = 0, pages = 0, band = 0;
    int32_t width = 0, height = 0;
    bool wholeExtra = false;
};

// One row of an entry's pictures: page `page` of the signs of a band, as
// tall as the tallest of them (its frame included).
struct PageRow {
    int16_t band = 0, page = 0;
    int32_t height = 0;
};

// The rows of an entry's pictures top to bottom: the pages of the first
// band's signs one below the other, then those of the next band below them.
std::vector<PageRow> PictureRows(const std::vector<PictureColumn>& columns) {
    std::vector<PageRow> rows;
    int16_t lastBand = 0;
    for (const PictureColumn& c : columns) lastBand = std::max(lastBand, c.band);
    for (int16_t band = 0; band <= lastBand; ++band) {
        int16_t pages = 0;
        for (const PictureColumn& c : columns)
            if (c.band == band) pages = std::max(pages, c.pages);
        for (int16_t pg = 1; pg <= pages; ++pg) {
            PageRow row{band, pg, 0};
            for (const PictureColumn& c : columns)
                if (c.band == band && c.pages >= pg) row.height = std::max(row.height, c.height + 2);
            rows.push_back(row);
        }
    }
    return rows;
}

// The pictures of entry n, a row of columns with each sign's pages one below
// the other, TallestPicture apart, the label in front of the first row; the
// signs of a further band below those of the band before. An entry that
// fits on a page is never split: an entry that would reach below
// PrintableHeight starts on the next page. Only an entry taller than a
// whole page goes on on the next page between two of its rows, its label
// again in front. The next entry starts 50 below the entry's last row.
void PicturePages(int n, const std::vector<PictureColumn>& columns) {
    PrintTarget& p = Printer();
    const int32_t pitch = S().TallestPicture;
    const std::vector<PageRow> rows = PictureRows(columns);
    if (rows.empty()) return;
    int32_t entryHeight = 0;
    for (size_t i = 0; i < rows.size(); ++i)
        entryHeight = std::max(entryHeight, static_cast<int32_t>(i) * pitch + rows[i].height);
    int32_t yRow = static_cast<int32_t>(RoundHalfEven(p.CurrentY + 50));
    if (yRow + entryHeight > S().PrintableHeight) {
        NewPrintPage();
        yRow = static_cast<int32_t>(RoundHalfEven(p.CurrentY + 50));
    }
    size_t first = 0;  // the entry's first row on this printed page
    bool labelled = false;
    for (size_t i = 0; i < rows.size(); ++i) {
        int32_t rowTop = yRow + static_cast<int32_t>(i - first) * pitch;
        if (i > first && rowTop + rows[i].height > S().PrintableHeight) {
            p.CurrentY = rowTop;
            NewPrintPage();
            yRow = rowTop = static_cast<int32_t>(RoundHalfEven(p.CurrentY + 50));
            first = i;
            labelled = false;
        }
        bool printed = false;
        for (const PictureColumn& c : columns) {
            if (c.band != rows[i].band || c.pages < rows[i].page) continue;
            DoEvents();
            SetPrintOrigin(c.x, rowTop);
            printed |= !PrintSignPage(static_cast<int16_t>(n), c.address, rows[i].page, c.width, c.height,
                                      c.wholeExtra).empty();
        }
        if (printed && !labelled) {
            PrintLabel(EntryLabel(n), 1, 1, S().NumberColumnWidth, yRow);
            labelled = true;
        }
    }
    // Below the last row, each row as tall as the tallest sign.
    p.CurrentY = yRow + static_cast<int32_t>(rows.size() - first) * pitch + 2;
}

void PictureRow(int n, const std::string& text) {
    std::vector<PictureColumn> columns;
    for (int16_t e = 1; e <= S().PrintSignCount; ++e) {
        const PrintSignEntryRec& entry = PrintSignEntry[static_cast<size_t>(e)];
        PictureColumn c;
        c.x = entry.ColumnX;
        c.address = entry.Address;
        c.band = entry.Band;
        c.pages = CountHashMarks(GetSignText(text, entry.Address));
        GetPrintedSignSize(entry.Address, c.width, c.height);
        columns.push_back(c);
    }
    PicturePages(n, columns);
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

QuietWindow::QuietWindow()
    : sign_(SignPicturePort()), editor_(EditorPicturePort()), commands_(CommandPort()), window_(WindowPort()),
      rowFullWarning_(gSuppressRowFullWarning) {
    SetSignCanvas(nullptr);
    SetEditorCanvas(nullptr);
    SetCommandState(nullptr);
    SetDocumentWindow(nullptr);
    gSuppressRowFullWarning = kTrue;
}

QuietWindow::~QuietWindow() {
    SetSignCanvas(&sign_);
    SetEditorCanvas(&editor_);
    SetCommandState(&commands_);
    SetDocumentWindow(&window_);
    gSuppressRowFullWarning = rowFullWarning_;
}

std::string DrawSignPage(int16_t n, int16_t address, int16_t page, bool wholeExtra) {
    int16_t pg = page, multi = 0;
    const std::string data = wholeExtra ? GetExtraRow(n, pg, multi) : GetActiveRow(n, address, pg, multi);
    if (!IsSignAddress(address)) return data;
    const SignInfo& s = SignInfoOf(address);
    if (DrawnFromStoredPage(address)) {
        // A text or route-number sign is drawn from the page as stored; the
        // editor and the strip are not touched.
        const SignDots dots = s.Model == "K1000" ? RouteNumberSignDots(address, DigitCodes(data))
                                                 : TextSignDots(address, data);
        PrintDotGrid(dots, s.Zoom);
        return data;
    }
    if (s.Model != "K4000") return data;
    // The page goes through the editor for the printer only: the sign
    // pictures, the editor picture, the menus and the window's boxes are
    // left as they are.
    const QuietWindow quiet;
    gCurrentSign = address;
    gCurrentPage = page;
    if (gDestListActive) gCurrentDest = n;
    else gCurrentExtra = n;
    ReadyLayers(address);
    LoadPrintedPage(data);
    ShowSign(false, true);
    return data;
}

std::string PrintSignPage(int16_t n, int16_t address, int16_t page, int32_t width, int32_t height, bool wholeExtra) {
    PrintPoint(width, height);
    const std::string data = DrawSignPage(n, address, page, wholeExtra);
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
        // The pictures of the sign the extra texts are stored for, whichever
        // sign the destinations left current; each page row at least as tall
        // as that sign.
        PictureColumn column;
        column.x = x;
        column.address = WholeExtraTextSign();
        column.wholeExtra = true;
        if (S().PrintGraphical) {
            GetPrintedSignSize(column.address, column.width, column.height);
            S().TallestPicture = std::max(S().TallestPicture, column.height + 15);
        }
        for (int n = 1; n <= S().RangeLast; ++n) {
            const std::string& text = gExtraList[static_cast<size_t>(n)].Text;
            if (text.empty()) continue;
            const int16_t pages = CountHashMarks(text);
            if (S().PrintGraphical) {
                column.pages = pages;
                PicturePages(n, {column});
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
