// The printed project through a recording print target with fixed font
// metrics: the page header and page numbers, the side-by-side columns, the
// newspaper columns of the one-sign layout, the rows of sign pictures with
// their labels, the user block, and the pictures of the entry under edit.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/printlayout.h"
#include "app/printpage.h"
#include "app/printlisting.h"
#include "app/printrun.h"
#include "app/headstate.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/printdots.h"
#include "engine/render.h"
#include "engine/signpagedots.h"
#include "data/signdata.h"
#include "files/txlread.h"
#include "support/markup_state.h"
#include "support/print_state.h"

using namespace kv;
using testprint::PrintProject;
using testprint::RecordingPrinter;

namespace {

class PrintLayout : public PrintProject {
protected:
    void SetUp() override {
        PrintProject::SetUp();
        Printer("Header", 0);
        Printer("PrintPreferences", 0);
        Printer("PageNumber", 0);
    }
    // Expects a text at (x, y) on a page.
    void At(const std::string& text, double x, double y, int page = 1, int nth = 0) {
        const auto all = printer.All(text);
        ASSERT_GT(all.size(), static_cast<size_t>(nth)) << text;
        EXPECT_EQ(all[nth]->x, x) << text;
        EXPECT_EQ(all[nth]->y, y) << text;
        EXPECT_EQ(all[nth]->page, page) << text;
    }
    // A fixture project of tests/fixtures/projects read, printed without a
    // header, the preferences or page numbers.
    void ReadFixture(const std::string& name) {
        testmarkup::StartProjectOn(dir.path());
        UseDataFolder();
        Printer("Header", 0);
        Printer("PrintPreferences", 0);
        Printer("PageNumber", 0);
        std::string bytes = testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/projects/" + name);
        ClearRecordsAndLines();
        ASSERT_EQ(ReadTxlData(bytes, dir.file(name)), TxlReadResult::Read);
    }
    // The fixture project of three signs: SIDE (text sign, address 2), FRONT
    // (96 x 16, address 3) and REAR (84 x 16, address 4), destinations 1 and 2.
    void ThreeSigns() { ReadFixture("threesigns.txl"); }
    // The fixture project of a two-row text sign SIDE (12 + 12, address 2),
    // a graphic sign FRONT (96 x 16, address 3) and a route-number sign
    // ROUTE (4 digits, address 9): destinations 1 to 10, destination 1 with
    // a second FRONT page (a picture), 3, 6 and 9 with a second FRONT page
    // "VIA PARK"; extra texts without sections per sign, stored for FRONT:
    // 1 (one page) and 2 (two pages).
    void PrintSigns() {
        ReadFixture("printsigns.txl");
        gDestListActive = kTrue;
        gCurrentDest = 1;
    }
    // The picture frames printed: sign (by the frame's width), page, the
    // picture's corner.
    struct Frame {
        int16_t sign;
        int page;
        double x, y, w, h;
    };
    std::vector<Frame> Frames() const {
        std::vector<Frame> out;
        for (const auto& s : printer.shapes) {
            if (s.kind != 'b') continue;
            const double w = s.x2 - s.x1 - 3, h = s.y2 - s.y1 - 3;
            int16_t sign = 0;
            for (int16_t a : {2, 3, 9}) {
                int32_t columns = 0, rows = 0;  // 30 twips a dot at zoom 3
                SignDotExtent(a, columns, rows);
                if (columns * 30 == w && rows * 30 == h) sign = a;
            }
            out.push_back({sign, s.page, s.x1 + 1, s.y1 + 1, w, h});
        }
        return out;
    }
    // Black dots printed inside a frame.
    int DotsIn(const Frame& f) const {
        int n = 0;
        for (const auto& s : printer.shapes)
            if (s.kind == 'f' && s.colour == 0 && s.page == f.page && s.x1 >= f.x && s.x2 <= f.x + f.w &&
                s.y1 >= f.y && s.y2 <= f.y + f.h)
                ++n;
        return n;
    }
    // The labels printed with a text, by page.
    std::vector<int> LabelPages(const std::string& label) const {
        std::vector<int> pages;
        for (const auto* t : printer.All(label)) pages.push_back(t->page);
        return pages;
    }
    RecordingPrinter printer;
};

}  // namespace

TEST_F(PrintLayout, TextAndRouteNumberSignsPrintTheirDots) {
    PrintSigns();
    gCurrentSign = 2;  // the text sign current
    ASSERT_TRUE(PrintSignPictures(true));
    const std::vector<Frame> frames = Frames();
    ASSERT_GE(frames.size(), 4u);
    // Destination 1: SIDE "CENTRAL" / "STATION", FRONT, ROUTE "42", side by
    // side; the frames as large as the signs' dots at zoom 3 (30 twips).
    EXPECT_EQ(frames[0].sign, 2);
    EXPECT_EQ(frames[0].w, (6 * 12 - 1) * 30);
    EXPECT_EQ(frames[0].h, (7 + 8) * 30);
    EXPECT_EQ(frames[2].sign, 9);
    EXPECT_EQ(frames[2].w, (8 * 4 - 2) * 30);
    EXPECT_EQ(frames[2].h, 11 * 30);
    int16_t n = 1, multi = 0;
    EXPECT_EQ(DotsIn(frames[0]), TextSignDots(2, GetActiveRow(1, 2, n, multi)).LitCount());
    EXPECT_GT(DotsIn(frames[0]), 100);
    // "42": 4 lights b, c, f and g, 2 lights a, b, d, e and g; 4 dots each.
    EXPECT_EQ(DotsIn(frames[2]), (4 + 5) * 4);
}

TEST_F(PrintLayout, WholeExtraTextsPrintOnTheSignTheyAreStoredFor) {
    // The destinations end on the route-number sign, and the text sign is
    // current: the extra texts still print as the graphic sign's pages.
    PrintSigns();
    gCurrentSign = 2;
    ASSERT_TRUE(PrintSignPictures(true));
    const double extras = printer.Find("Extra texts")->y;
    int pictures = 0;
    for (const Frame& f : Frames()) {
        if (f.page == 1 && f.y < extras) continue;
        ++pictures;
        EXPECT_EQ(f.sign, 3);
        EXPECT_GT(DotsIn(f), 20) << f.page << " " << f.y;
    }
    EXPECT_EQ(pictures, 3);  // extra text 1, and both pages of 2
    EXPECT_EQ(gCurrentSign, 2);
}

TEST_F(PrintLayout, NextEntryStartsBelowTheLongestColumn) {
    // Destination 1's FRONT has two pages, SIDE and ROUTE one: destination
    // 2 starts 50 below FRONT's second picture, not over it.
    PrintSigns();
    ASSERT_TRUE(PrintSignPictures(true));
    const std::vector<Frame> frames = Frames();
    ASSERT_GE(frames.size(), 7u);
    const int32_t tallest = 480 + 15;
    EXPECT_EQ(frames[3].sign, 3);
    EXPECT_EQ(frames[3].y, frames[1].y + tallest);
    for (size_t i = 4; i < 7; ++i) EXPECT_EQ(frames[i].y, frames[3].y + tallest + 2 + 50) << i;
    // Every dot inside a frame: the picture page's dots in the row below
    // FRONT's 16 (where the imported picture reaches) stay off the paper.
    for (const auto& s : printer.shapes) {
        if (s.kind != 'f' || s.colour != 0) continue;
        EXPECT_TRUE(std::any_of(frames.begin(), frames.end(), [&](const Frame& f) {
            return s.page == f.page && s.x1 >= f.x && s.x2 <= f.x + f.w && s.y1 >= f.y && s.y2 <= f.y + f.h;
        })) << s.page << " " << s.x1 << " " << s.y1;
    }
}

TEST_F(PrintLayout, PicturesTooWideForThePageGoOnInABandBelow) {
    // A page of 6500 twips: SIDE and FRONT fit side by side, ROUTE does not
    // and stands below them at SIDE's place, in every entry; nothing is
    // drawn past the page's width. The headings take a line a band.
    PrintSigns();
    printer.width = 6500;
    ASSERT_TRUE(PrintSignPictures(true));
    std::map<int16_t, std::vector<Frame>> bySign;
    for (const Frame& f : Frames()) bySign[f.sign].push_back(f);
    ASSERT_EQ(bySign[9].size(), 10u);
    ASSERT_EQ(bySign[2].size(), 10u);
    for (size_t i = 0; i < 10; ++i) {
        const Frame &side = bySign[2][i], &route = bySign[9][i];
        EXPECT_EQ(route.x, side.x) << i;
        EXPECT_EQ(route.page, side.page) << i;
        double bottom = 0;  // of the band above: SIDE and FRONT's pictures of the entry
        for (const Frame& f : Frames())
            if (f.sign != 9 && f.page == side.page && f.y >= side.y && f.y < route.y) bottom = std::max(bottom, f.y + f.h);
        EXPECT_GT(route.y, bottom) << i;
    }
    for (const auto& s : printer.shapes) EXPECT_LE(std::max(s.x1, s.x2), printer.width) << s.kind;
    EXPECT_GT(printer.Find("ROUTE")->y, printer.Find("FRONT")->y);
    EXPECT_EQ(printer.Find("ROUTE")->x, printer.Find("SIDE")->x);
}

TEST_F(PrintLayout, AnEntryThatFitsOnAPageIsNotSplit) {
    PrintSigns();
    ASSERT_TRUE(PrintSignPictures(true));
    ASSERT_EQ(printer.pages, 1);
    // Destination 9: a row of three pictures and FRONT's second page below.
    const double top9 = printer.Find("9")->y;
    std::vector<Frame> nine;
    for (const Frame& f : Frames())
        if (f.y >= top9 && f.y < top9 + 2 * 495) nine.push_back(f);
    ASSERT_EQ(nine.size(), 4u);
    const double bottom = nine[3].y + 480 + 2;

    // The printable height ends between its two rows: the entry starts the
    // next page, label and all.
    printer.texts.clear();
    printer.shapes.clear();
    printer.height = bottom + 500 - 100;
    ASSERT_TRUE(PrintSignPictures(true));
    EXPECT_EQ(LabelPages("8"), std::vector<int>{1});
    EXPECT_EQ(LabelPages("9"), std::vector<int>{2});
    const double top10 = printer.Find("10")->y;
    int nineOnPage2 = 0;
    double pageTop = 1e9;
    for (const Frame& f : Frames()) {
        if (f.page == 2 && f.y < top10) ++nineOnPage2;
        if (f.page == 2) pageTop = std::min(pageTop, f.y);
        EXPECT_LE(f.y + f.h + 2, printer.height - 500) << f.page << " " << f.y;
    }
    EXPECT_EQ(nineOnPage2, 4);

    // Room for one row of pictures only: an entry of two page rows goes on
    // on the next page between them, its label in front of both parts.
    printer.texts.clear();
    printer.shapes.clear();
    printer.height = pageTop + 495 + 2 + 100 + 500;
    ASSERT_TRUE(PrintSignPictures(true));
    const std::vector<int> three = LabelPages("3");
    ASSERT_EQ(three.size(), 2u);
    EXPECT_EQ(three[1], three[0] + 1);
    for (const Frame& f : Frames()) EXPECT_LE(f.y + f.h + 2, printer.height - 500) << f.page << " " << f.y;
}

TEST_F(PrintLayout, SideBySideTextColumns) {
    Build();
    ASSERT_TRUE(PrintSignPictures(false));
    EXPECT_EQ(printer.begun, 1);
    EXPECT_EQ(printer.ended, 1);
    // Three empty rows of header (200 each), an empty row, the title (12 pt)
    // centred, an empty row, then the sign names (10 pt bold) underlined.
    At("Destinations", 6000 - 720, 800);
    // Number column: "2" (100) + 1000; FRONT at 1200, 1100 wide (its widest
    // row " CENTRUM" + 100); SIDE 600 further.
    At("FRONT", 1200, 1240);
    At("SIDE", 2900, 1240);
    const auto line = std::find_if(printer.shapes.begin(), printer.shapes.end(), [](const auto& s) { return s.kind == 'l'; });
    ASSERT_NE(line, printer.shapes.end());
    EXPECT_EQ(line->x1, 1200);
    EXPECT_EQ(line->x2, 2300);
    EXPECT_EQ(line->y1, 1445);
    // Rows from 20 below the line; labels right-aligned at the number column.
    At("CENTRUM", 1200, 1465, 1, 0);
    At("CENTRUM", 2900, 1465, 1, 1);
    At("1.1", 1100 - 300, 1465);
    EXPECT_TRUE(printer.Find("1.1")->font.bold);
    At("via TORGET", 1200, 1665);
    At("HAMN", 1200, 2065);
    At("1.2", 800, 2065);
    // A label without a page suffix moves left by the width of ".8".
    At("STATION", 1200, 2465, 1, 0);
    At("2", 1100 - 200 - 100, 2465);
    At("RESECENTRUM", 2900, 2665);
    // The extra texts whole, at the first sign's column.
    At("EXTRA ONE", 1200, printer.Find("Extra texts")->y + 240 + 200);
    EXPECT_EQ(PrintSignEntry.size(), 1u);
}

TEST_F(PrintLayout, PageHeaderAndPageNumbers) {
    Build();
    Printer("Header", 15);
    Printer("PageNumber", 1);
    ASSERT_TRUE(PrintSignPictures(false));
    const std::string header = "Orvalde, Kivar32\xAE, 2024-05-01, 12:34:56";
    At(header, 6000 - 39 * 80 / 2, 0);
    EXPECT_EQ(printer.Find(header)->font.size, 8);
    At("1", 6000 - 40, 16000 - 200);
}

TEST_F(PrintLayout, NewspaperColumnsOfOneSign) {
    testsigns::Sign(testsigns::SignLine("FRONT", "K4000", "112x16", "2"));
    for (int n = 1; n <= 32; ++n) Dest(n, "\xFF" "FRONT# TEXT " + std::to_string(n));
    Printer("PageNumber", 1);
    printer.height = 4000;  // printable down to 3500
    ASSERT_TRUE(PrintSignPictures(false));
    EXPECT_TRUE(dialogs.requests.empty());  // one sign: no dialog
    // Number column "32" + 1000 = 1200; the column 900 wide; six columns of
    // 1200 + 900 - 300 fit 12000 - 1000. Text at 1800, 3500, 5200 ...
    At("FRONT", 6000 - 200, 1240);
    At("TEXT 1", 1800, 1600);
    At("1", 1700 - 200 - 100, 1600);
    At("TEXT 5", 1800, 3200);
    At("TEXT 6", 3500, 1600);
    At("6", 3400 - 200 - 100, 1600);
    At("TEXT 26", 1800 + 5 * 1700, 1600);
    // The seventh column starts a new page, at the height of the first.
    At("TEXT 31", 1800, 1600, 2);
    // Page numbers 200 above the bottom of each page; the extra texts
    // (none here) would start on a page of their own.
    EXPECT_EQ(printer.pages, 3);
    for (int page : {1, 2, 3}) {
        const std::string n = std::to_string(page);
        EXPECT_TRUE(std::any_of(printer.texts.begin(), printer.texts.end(), [&](const auto& t) {
            return t.text == n && t.page == page && t.y == 4000 - 200 && t.x == 6000 - 40;
        })) << page;
    }
}

TEST_F(PrintLayout, UserBlockLabelsValuesAndWrapping) {
    Build();
    Printer("PrintPreferences", 4 + 8);
    gUserOthers = "one two three four five six seven eight nine ten eleven twelve thirteen fourteen fifteen sixteen";
    ASSERT_TRUE(PrintSignPictures(false));
    // Labels at 1000 without "&"; values at the widest label ("&Responsible:",
    // 1300) + 1100.
    const auto* company = printer.Find("Company:");
    ASSERT_NE(company, nullptr);
    EXPECT_EQ(company->x, 1000);
    At("Orvalde Trafik", 2400, company->y);
    // Room for "Others": 12000 - 2400 - 1000 = 8600, 86 characters.
    const auto* others = printer.Find("Others:");
    ASSERT_NE(others, nullptr);
    // Whole words as many as fit (adding "fifteen" would make 87).
    At("one two three four five six seven eight nine ten eleven twelve thirteen fourteen", 2400, others->y);
    At("fifteen sixteen", 2400, others->y + 200);
    // An empty row, then the code-name line centred.
    At("Out-file name: ORV2024", 6000 - 22 * 100 / 2, others->y + 600);
}

TEST_F(PrintLayout, PictureRowsAndLabels) {
    ThreeSigns();
    const int32_t zoomBefore = SignInfoOf(3).Zoom;
    dialogs.windowState = 2;
    ASSERT_TRUE(PrintSignPictures(true));
    // The pictures print at zoom 3: a dot is 3 units of 2 x 5 twips.
    const int32_t frontW = 2 * 5 * 96 * 3, frontH = 2 * 5 * 16 * 3;
    // Number column "2" + 1000 - 500; SIDE first at 700, FRONT after it.
    // SIDE, a text sign, spans its 20 character places 6 dots apart, 7 high.
    const int32_t sideW = 2 * 5 * (6 * 20 - 1) * 3, sideH = 2 * 5 * 7 * 3;
    const double sideX = 700, frontX = sideX + sideW + 10 + 200, rearX = frontX + frontW + 10 + 200;
    std::vector<RecordingPrinter::Shape> frames;
    for (const auto& s : printer.shapes)
        if (s.kind == 'b') frames.push_back(s);
    ASSERT_EQ(frames.size(), 6u);  // three signs, two destinations
    const double yRow = frames[0].y1 + 1;
    EXPECT_EQ(frames[0].x1, sideX - 1);
    EXPECT_EQ(frames[1].x1, frontX - 1);
    EXPECT_EQ(frames[1].x2, frontX + frontW + 2);
    EXPECT_EQ(frames[1].y2, yRow + frontH + 2);
    EXPECT_EQ(frames[2].x1, rearX - 1);
    EXPECT_EQ(frames[2].y1, yRow - 1);
    // The row begins 50 below the headings; the next entry 50 below the
    // previous row, every row as tall as the tallest picture.
    const int32_t tallest = std::max(frontH, sideH) + 15;
    EXPECT_EQ(frames[3].y1 + 1, yRow + 2 + tallest + 50);
    // Labels right-aligned at the number column less ".8", on the row.
    At("1", 600 - 200 - 100, yRow, 1, 0);
    // Dots black on a white background, inside FRONT's frame.
    int dots = 0;
    for (const auto& s : printer.shapes) {
        if (s.kind != 'f' || s.colour != 0) continue;
        ++dots;
        EXPECT_GE(s.x1, sideX);
        EXPECT_LE(s.x2, rearX + 2520);
    }
    EXPECT_GT(dots, 0);
    EXPECT_TRUE(std::any_of(printer.shapes.begin(), printer.shapes.end(),
                            [](const auto& s) { return s.kind == 'f' && s.colour == 0xFFFFFF; }));
    // The window was minimized and is maximized again; the zooms are back.
    EXPECT_EQ(dialogs.states, (std::vector<int16_t>{1, 2}));
    EXPECT_EQ(SignInfoOf(3).Zoom, zoomBefore);
    EXPECT_EQ(gPrintScale, 0);
}

TEST_F(PrintLayout, EachPictureRunMeasuresItsOwnTallestPicture) {
    // SIDE alone, then every sign (FRONT is taller), then SIDE alone again:
    // the last run lays its rows out as the first did.
    ThreeSigns();
    ASSERT_LT(7, SignInfoOf(3).Height);  // SIDE's character places are 7 dots high
    PrintOptionsAnswer sideOnly;
    sideOnly.order = {1};
    sideOnly.from = "1";
    sideOnly.to = "2";
    auto run = [&](bool onlySide) {
        if (onlySide) dialogs.options.push_back(sideOnly);
        printer.texts.clear();
        printer.shapes.clear();
        EXPECT_TRUE(PrintSignPictures(true));
        std::vector<double> rows;
        for (const auto& s : printer.shapes)
            if (s.kind == 'b') rows.push_back(s.y1);
        for (const auto& t : printer.texts) rows.push_back(t.y);
        return rows;
    };
    const std::vector<double> alone = run(true);
    ASSERT_EQ(std::count_if(printer.shapes.begin(), printer.shapes.end(), [](const auto& s) { return s.kind == 'b'; }), 2);
    run(false);
    EXPECT_GT(PrintSettings.TallestPicture, 2 * 5 * 7 * 3 + 15);
    EXPECT_EQ(run(true), alone);
}

TEST_F(PrintLayout, SignAsBitmapNeverPrintsBlackOnBlack) {
    ThreeSigns();
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Printer", "PrintGraphicalBC", IniValue("0")));
    ASSERT_TRUE(PrintSignPictures(true));
    for (const auto& s : printer.shapes) {
        if (s.kind == 'f' && s.x2 - s.x1 > 100) {
            EXPECT_EQ(s.colour, 0xFFFFFF);
        }
    }
}

TEST_F(PrintLayout, ClosedPrintOptionsDropTheJob) {
    Build();
    PrintOptionsAnswer closed;
    closed.closed = true;
    dialogs.options.push_back(closed);
    EXPECT_FALSE(PrintSignPictures(false));
    EXPECT_EQ(printer.aborted, 1);
    EXPECT_EQ(printer.ended, 0);
}

TEST_F(PrintLayout, TextRunsLeaveTheZoomsAlone) {
    Build();
    SignInfoOf(2).Zoom = 1;
    ASSERT_TRUE(PrintSignPictures(false));
    EXPECT_EQ(SignInfoOf(2).Zoom, 1);
}

TEST_F(PrintLayout, PrintOriginFrameAndBackground) {
    BeginPrintGraphic();
    SetPrintOrigin(0, 0);
    EXPECT_EQ(gPrintOriginX, 500);
    EXPECT_EQ(gPrintOriginY, 300);
    SetPrintOrigin(800, 299);
    EXPECT_EQ(gPrintOriginX, 800);
    EXPECT_EQ(gPrintOriginY, 300);
    SetPrintOrigin(500, 300);
    PrintSignFrame(100, 40);
    ASSERT_EQ(printer.shapes.size(), 1u);
    EXPECT_EQ(printer.shapes[0].x1, 499);
    EXPECT_EQ(printer.shapes[0].y1, 299);
    EXPECT_EQ(printer.shapes[0].x2, 602);
    EXPECT_EQ(printer.shapes[0].y2, 342);
    EXPECT_EQ(printer.CurrentX, 602);
    EXPECT_EQ(printer.CurrentY, 342);
    // A dot at zoom 3: 3 units of 2 x 5 twips, one unit inside the origin.
    PrintDot(1, 1, 3, -1);
    EXPECT_EQ(printer.shapes[1].x1, 510);
    EXPECT_EQ(printer.shapes[1].x2, 530);
    EXPECT_EQ(printer.shapes[1].colour, 0);
    EndPrintGraphic();
}

TEST_F(PrintLayout, CurrentSignPicturesOneBelowTheOther) {
    ThreeSigns();
    for (int a : {3, 4}) SignInfoOf(a).Shown = kTrue;
    SignInfoOf(3).GraphicIndex = 0;
    SignInfoOf(4).GraphicIndex = 1;
    for (int16_t k = 0; k < 2; ++k) {
        const SignInfo& s = SignInfoOf(3 + k);
        ResizeGraphicLayer(k, s.Width + 5, s.Height + 5);
        ResizeUndoLayer(k, s.Width + 5, s.Height + 5);
    }
    gDestListActive = kTrue;
    gCurrentDest = 1;
    gCurrentSign = 3;
    ASSERT_TRUE(PrintSignGraphics());
    EXPECT_EQ(printer.ended, 1);
    // FRONT from (500, 300); REAR its height + 50 lower. Zoom 1: 5 units a dot.
    const double frontH = 2 * 5 * 16 * DotPitch(SignInfoOf(3).Zoom);
    double frontTop = 1e9, rearTop = 1e9, minX = 1e9;
    for (const auto& s : printer.shapes) {
        minX = std::min(minX, s.x1);
        if (s.y1 < 300 + frontH) frontTop = std::min(frontTop, s.y1);
        else rearTop = std::min(rearTop, s.y1);
    }
    EXPECT_GE(minX, 500);
    EXPECT_GE(frontTop, 300);
    EXPECT_LT(frontTop, 300 + frontH);
    EXPECT_GE(rearTop, 300 + frontH + 50);
    EXPECT_EQ(gCurrentSign, 3);
}

TEST_F(PrintLayout, OlderLayoutOnThePrinter) {
    Build();
    for (int n = 3; n <= 60; ++n) Dest(n, "\xFF" "FRONT# D" + std::to_string(n));
    ASSERT_TRUE(PrintListing());
    // The header: bold, the title at 18 points and the user lines at 12,
    // each centred; the out-file name after S44.
    const auto* title = printer.Find("Project information");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->font.size, 18);
    EXPECT_TRUE(title->font.bold);
    EXPECT_EQ(title->x, 6000 - 19 * 180 / 2);
    const auto* company = printer.Find("Orvalde Trafik");
    ASSERT_NE(company, nullptr);
    EXPECT_EQ(company->font.size, 12);
    EXPECT_EQ(company->x, 6000 - 14 * 120 / 2);
    EXPECT_NE(printer.Find("Out-file name: ORV2024"), nullptr);
    // Rows at the left edge in 10 points, not bold; a full page goes on to
    // the next one.
    const auto* row = printer.Find("             1  FRONT# CENTRUM\\via TORGET# HAMN");
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->x, 0);
    EXPECT_EQ(row->font.size, 10);
    EXPECT_FALSE(row->font.bold);
    EXPECT_TRUE(printer.Find("          Extra texts")->font.bold);
    EXPECT_GE(printer.pages, 2);
    for (const auto& t : printer.texts) EXPECT_LE(t.y + 200, printer.height) << t.text;
    EXPECT_EQ(printer.ended, 1);
}
