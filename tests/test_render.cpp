#include <gtest/gtest.h>

#include <vector>

#include "data/charmap.h"
#include "data/inverted.h"
#include "engine/centring.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "engine/render.h"
#include "engine/routenumber.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/fontrecords.h"
#include "support/graphics_state.h"
#include "support/testutil.h"

using namespace kv;
using testgfx::Art;
using testgfx::Layer;

namespace {

using testfonts::FontRecord;

// Font "A": glyphs 5 dots high.
constexpr int kRing = 10;   // 3 wide: ###/#.#/#.#/#.#/###
constexpr int kBar = 11;    // 1 wide, all lit
constexpr int kDark = 12;   // 2 wide, all dark
constexpr int kWide = 13;   // 6 wide, top and bottom rows lit
constexpr int kDigit4 = 20, kDigit5 = 21, kDigit6 = 22;
// Font "B": one glyph 7 dots high.
constexpr int kTall = 30;

void LoadTestFonts() {
    std::vector<uint8_t> lib = FontRecord('A', {
                                                   {kRing, 5, 3, {0x1F, 0x11, 0x1F}},
                                                   {kBar, 5, 1, {0x1F}},
                                                   {kDark, 5, 2, {0x00, 0x00}},
                                                   {kWide, 5, 6, {0x11, 0x11, 0x11, 0x11, 0x11, 0x11}},
                                                   {kDigit4, 5, 3, {0x07, 0x04, 0x1F}},
                                                   {kDigit5, 5, 3, {0x17, 0x15, 0x1D}},
                                                   {kDigit6, 5, 3, {0x1F, 0x15, 0x1D}},
                                               });
    std::vector<uint8_t> b = FontRecord('B', {{kTall, 7, 2, {0x7F, 0x41}}});
    lib.insert(lib.end(), b.begin(), b.end());
    SetFontLibraryData(std::move(lib));
    BuildFontStartTable();
    BuildCharDeltaTable();
    for (auto& m : gCharMap) m = 0;
    gCharMap['4' - 32] = kDigit4;
    gCharMap['5' - 32] = kDigit5;
    gCharMap['6' - 32] = kDigit6;
}

struct CellSpec {
    int x, y;  // fifths of a dot
    char font;
    int glyph;
};

// Rows of cells chained in reading order, as the editor keeps them.
void MakeRows(const std::vector<std::vector<CellSpec>>& rows) {
    ResetEditState();
    int16_t cell = 0, prevCell = 0, prevRow = 0;
    for (size_t r = 0; r < rows.size(); ++r) {
        const int16_t row = static_cast<int16_t>(r + 1);
        gRows[row] = EditRow{};
        gRows[row].PrevRow = prevRow;
        if (prevRow) gRows[prevRow].NextRow = row;
        for (size_t i = 0; i < rows[r].size(); ++i) {
            ++cell;
            SignCell& c = gCells[cell];
            c = SignCell{};
            c.X = static_cast<int16_t>(rows[r][i].x);
            c.Y = static_cast<int16_t>(rows[r][i].y);
            c.FontCode = rows[r][i].font;
            c.GlyphCode = static_cast<int16_t>(rows[r][i].glyph);
            c.CharCode = static_cast<int16_t>(rows[r][i].glyph);
            c.Prev = prevCell;
            if (prevCell) gCells[prevCell].Next = cell;
            if (i == 0) gRows[row].FirstCell = cell;
            ++gRows[row].CellCount;
            prevCell = cell;
        }
        if (r + 1 < rows.size() && prevCell) gCells[prevCell].RowEnd = -1;
        prevRow = row;
    }
    gStartRow = rows.empty() ? 0 : 1;
    gCellFreeHead = static_cast<int16_t>(cell + 1);
    gRowFreeHead = static_cast<int16_t>(rows.size() + 1);
}

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        LoadTestFonts();
        testgfx::MakeSign(W, H);
    }
    void TearDown() override {
        kv::ResetAllState();
    }
    static constexpr int W = 14, H = 7;
    FakeUi ui;
    testgfx::FakeHead head;
};

TEST_F(RenderTest, RowsMatchGolden) {
    struct Case {
        const char* name;
        std::vector<std::vector<CellSpec>> rows;
    } cases[] = {
        {"three glyphs side by side", {{{0, 0, 'A', kRing}, {20, 0, 'A', kBar}, {30, 0, 'A', kRing}}}},
        {"a later glyph's dark dots erase the earlier one under its box",
         {{{0, 0, 'A', kWide}, {5, 0, 'A', kDark}, {25, 5, 'A', kRing}}}},
        {"a glyph past the last column and row is cut at column W + 1 and row H + 1",
         {{{70, 0, 'A', kRing}, {55, 20, 'B', kTall}}}},
        {"positions round to the nearest dot; negatives to 0",
         {{{-10, -10, 'A', kBar}, {12, 0, 'A', kBar}, {38, 0, 'A', kBar}, {47, 12, 'A', kBar}}}},
        {"two rows; a missing font and a missing glyph draw nothing",
         {{{0, 0, 'A', kRing}, {20, 0, 'Z', kRing}}, {{0, 5 * 3, 'A', 99}, {25, 15, 'B', kTall}}}},
        {"placeholder 252 with three route-number characters of 4567890: 4, 5, 6 side by side",
         {{{5, 5, 'A', 252}}}},
        {"placeholder 254 asks for five characters of three: only the three there",
         {{{0, 0, 'A', 254}, {50, 5, 'A', kBar}}}},
    };
    gRouteNoText = "4567890";
    gLineNoFieldCount = 3;
    std::string out;
    for (const auto& c : cases) {
        MakeRows(c.rows);
        RenderTextLayer(0);
        out += "## " + std::string(c.name) + "\n" + Art(0, W, H, 2, Layer::Text) + "\n";
    }
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("graphics/render.txt", out, &diff)) << diff;

    // Worked out by hand from the rendering rules (row y of the text layer,
    // columns 0..13):
    // - the ring (3 wide), the bar at X 20 (column 4) and the ring at X 30
    //   (column 6) side by side;
    // - X 12 renders at column 2 and X 38 at column 8 (7.6 to the nearest),
    //   (47, 12) at column 9 from row 2 (9.4 and 2.4), so rows 5 and 6 show
    //   that bar alone;
    // - placeholder 252 stands for characters 1..3 of "4567890": the digits
    //   4, 5 and 6 (3 columns each) from column 1, row 1; their middle row
    //   (row 3) is lit in all nine columns.
    auto rowOf = [](int y) {
        std::string r;
        for (int x = 0; x < W; ++x) r += GetTextPixel(0, x, y) ? '#' : '.';
        return r;
    };
    MakeRows(cases[0].rows);
    RenderTextLayer(0);
    EXPECT_EQ(rowOf(0), "###.#.###.....");
    EXPECT_EQ(rowOf(1), "#.#.#.#.#.....");
    MakeRows(cases[3].rows);
    RenderTextLayer(0);
    EXPECT_EQ(rowOf(1), "#.#.....#.....");
    EXPECT_EQ(rowOf(5), ".........#....");
    MakeRows(cases[5].rows);
    RenderTextLayer(0);
    EXPECT_EQ(rowOf(3), ".#########....");
}

TEST_F(RenderTest, TheWalkTakesOneCellOfTheNextRow) {
    MakeRows({{{0, 0, 'A', kBar}}, {{25, 10, 'A', kRing}}});
    PrepareTextLayer();
    RenderRow(1, 0);
    EXPECT_EQ(GetTextPixel(0, 0, 0), -1);
    EXPECT_EQ(GetTextPixel(0, 5, 2), -1);  // the next row's first cell
    // A row's CellCount limits the walk.
    gRows[1].CellCount = 0;
    PrepareTextLayer();
    RenderRow(1, 0);
    EXPECT_EQ(GetTextPixel(0, 0, 0), -1);
    EXPECT_EQ(GetTextPixel(0, 5, 2), 0);
}

TEST_F(RenderTest, EmptyRowsAreSkippedAndAKeptLayerIsNotRendered) {
    MakeRows({{{0, 0, 'A', kBar}}, {{25, 0, 'A', kBar}}});
    gRows[2].CellCount = 0;  // skipped by the layer rendering
    RenderTextLayer(0);
    EXPECT_EQ(GetTextPixel(0, 0, 0), -1);
    EXPECT_EQ(GetTextPixel(0, 5, 0), -1);  // row 1's walk reaches it
    gRows[1].FirstCell = 0;
    RenderTextLayer(0);
    EXPECT_EQ(GetTextPixel(0, 0, 0), 0);
    EXPECT_EQ(GetTextPixel(0, 5, 0), 0);
    // keepTextLayer: the dots stay, the rows are not read.
    SetTextPixel(0, 9, 3, -1);
    gRows[1].FirstCell = 1;
    RenderTextLayer(-1);
    EXPECT_EQ(GetTextPixel(0, 9, 3), -1);
    EXPECT_EQ(GetTextPixel(0, 0, 0), 0);
    // keepTextLayer on a layer never dimensioned prepares it.
    testgfx::MakeSign(W, H, 1, 3);
    EXPECT_EQ(TextLayerBound(1, 1), 0);
    RenderTextLayer(-1);
    EXPECT_EQ(TextLayerBound(1, 1), W + 1);
}

TEST_F(RenderTest, TextToGraphicReplacesTheGraphicAndMarksIt) {
    MakeRows({{{0, 0, 'A', kRing}}});
    testgfx::PutArt(0, {"", "", "", "", "", "", "##############"});
    SetGraphicPixel(0, W + 3, 0, -1);
    gGraphicModified = 0;
    TextToGraphic();
    EXPECT_EQ(Art(0, W, H, 0),
              "###...........\n"
              "#.#...........\n"
              "#.#...........\n"
              "#.#...........\n"
              "###...........\n"
              "..............\n"
              "..............\n");
    EXPECT_EQ(GetGraphicPixel(0, W + 3, 0), -1);  // beyond the cleared margin
    EXPECT_EQ(GetTextPixel(0, 0, 0), 0);
    EXPECT_EQ(gGraphicModified, -1);
    EXPECT_EQ(gHasGraphic, -1);
    EXPECT_TRUE(head.painted.empty());
}

TEST_F(RenderTest, DrawCharToGraphicWritesTheTextLayerOfAnyGraphic) {
    testgfx::MakeSign(4, 5, 2, 4);
    testgfx::MakeSign(W, H);  // the current sign stays graphic 0
    ResizeTextLayer(2, 5, 6);
    DrawCharToGraphic("A", kRing, 3, 0, 2);
    std::string art;
    for (int y = 0; y <= 6; ++y) {
        for (int x = 0; x <= 5; ++x) art += GetTextPixel(2, x, y) ? '#' : '.';
        art += '\n';
    }
    EXPECT_EQ(art,
              "...###\n"
              "...#.#\n"
              "...#.#\n"
              "...#.#\n"
              "...###\n"
              "......\n"
              "......\n");
    EXPECT_EQ(GetTextPixel(0, 3, 0), 0);
    DrawCharToGraphic("A", kRing, 0, 0, 3);
    EXPECT_EQ(ui.messages.size(), 1u);  // S150
    DrawCharToGraphic("Q", kRing, 0, 0, 2);  // no such font
    DrawCharToGraphic("A", 300, 0, 0, 2);
    EXPECT_EQ(GetTextPixel(2, 0, 0), 0);
}

TEST_F(RenderTest, SignDotsAreLitInEitherLayer) {
    PrepareTextLayer();
    SetTextPixel(0, 1, 1, -1);
    SetGraphicPixel(0, 2, 2, -1);
    EXPECT_TRUE(SignDotLit(0, 1, 1));
    EXPECT_TRUE(SignDotLit(0, 2, 2));
    EXPECT_FALSE(SignDotLit(0, 3, 3));
}

// ---- dot geometry

std::string Pixels(const DotShape& d, int w, int h) {
    std::string out;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool on = false;
            for (int i = 0; i < d.count; ++i)
                on = on || (x >= d.rects[i].x1 && x <= d.rects[i].x2 && y >= d.rects[i].y1 && y <= d.rects[i].y2);
            out += on ? '#' : '.';
        }
        out += '\n';
    }
    return out;
}

TEST(DotGeometry, SizesAndPitchPerZoom) {
    const int sizes[] = {5, 4, 3, 2, 1};
    for (int z = 0; z <= 4; ++z) {
        EXPECT_EQ(DotSizeFromZoom(z), sizes[z]);
        EXPECT_EQ(DotPitch(z), sizes[z] + 1);
    }
    EXPECT_EQ(DotSizeFromZoom(5), 4);
    EXPECT_EQ(DotSizeFromZoom(-1), 4);
}

TEST(DotGeometry, ShapeOfALitDotPerZoom) {
    EXPECT_EQ(Pixels(DotShapeAt(1, 1, 0), 7, 7),
              ".......\n"
              "..###..\n"
              ".#####.\n"
              ".#####.\n"
              ".#####.\n"
              "..###..\n"
              ".......\n");
    EXPECT_EQ(Pixels(DotShapeAt(2, 1, 1), 11, 6),
              "...........\n"
              ".......##..\n"
              "......####.\n"
              "......####.\n"
              ".......##..\n"
              "...........\n");
    EXPECT_EQ(Pixels(DotShapeAt(1, 2, 2), 5, 9),
              ".....\n.....\n.....\n.....\n.....\n.###.\n.###.\n.###.\n.....\n");
    EXPECT_EQ(Pixels(DotShapeAt(2, 2, 3), 7, 7), ".......\n.......\n.......\n.......\n....##.\n....##.\n.......\n");
    // Zoom 4: dot (3, 1) is the single pixel (5, 1).
    const DotShape z4 = DotShapeAt(3, 1, 4);
    ASSERT_EQ(z4.count, 1);
    EXPECT_EQ(z4.rects[0], (PixelRect{5, 1, 5, 1}));
    // Any other zoom: a single pixel on the zoom-1 grid.
    const DotShape z9 = DotShapeAt(2, 2, 9);
    ASSERT_EQ(z9.count, 1);
    EXPECT_EQ(z9.rects[0], (PixelRect{6, 6, 6, 6}));
}

TEST(DotGeometry, PrintedDot) {
    const PrintDotShape a = PrintDotAt(2, 1, 2, 2.0, 3.0, 500, 300);  // pitch 4: x 5..8, y 1..4
    ASSERT_EQ(a.count, 1);
    EXPECT_FALSE(a.line);
    EXPECT_DOUBLE_EQ(a.rects[0].x1, 510);
    EXPECT_DOUBLE_EQ(a.rects[0].x2, 516);
    EXPECT_DOUBLE_EQ(a.rects[0].y1, 303);
    EXPECT_DOUBLE_EQ(a.rects[0].y2, 312);
    const PrintDotShape b = PrintDotAt(1, 1, 0, 2.0, 2.0, 0, 0);  // pitch 6: 1..6
    ASSERT_EQ(b.count, 2);
    EXPECT_DOUBLE_EQ(b.rects[0].x1, 4);
    EXPECT_DOUBLE_EQ(b.rects[0].x2, 10);
    EXPECT_DOUBLE_EQ(b.rects[1].y1, 4);
    EXPECT_DOUBLE_EQ(b.rects[1].y2, 10);
    const PrintDotShape c = PrintDotAt(1, 1, 4, 1.5, 1.5, 0, 0);
    EXPECT_TRUE(c.line);
    EXPECT_DOUBLE_EQ(c.rects[0].x1, 2);  // 1.5 rounds to even
    EXPECT_DOUBLE_EQ(c.rects[0].x2, 3.5);
}

TEST(DotGeometry, GlyphPreviewArea) {
    struct Case {
        int columns, rows, zoom, dotSize, width, height;
    } cases[] = {
        {3, 5, 1, 4, 16 + 2, 28 + 2},   // 15 -> 16, 25 -> 28
        {4, 5, 1, 4, 20 + 3, 28 + 2},
        {8, 12, 1, 4, 40 + 3, 60 + 3},
        {9, 11, 1, 4, 48 + 2, 56 + 2},  // 45 -> 48, 55 -> 56
        {13, 7, 1, 4, 68 + 2, 36 + 2},
        {14, 7, 1, 2, 70 + 3, 36 + 2},
        {5, 7, 0, 5, 30 + 3, 45 + 2},   // 42 -> 45
    };
    for (const auto& c : cases) {
        const AreaSize a = CharAreaFromZoom(c.columns, c.rows, c.zoom, c.dotSize);
        EXPECT_EQ(a.width, c.width) << c.columns << "x" << c.rows;
        EXPECT_EQ(a.height, c.height) << c.columns << "x" << c.rows;
    }
}

// ---- vertical centring

class CentringTest : public RenderTest {};

TEST_F(CentringTest, AnEmptyPageCentresTheCursor) {
    testgfx::MakeSign(96, 48);  // editor 240 high
    MakeRows({{}});
    gCharHeight = 35;
    CenterRowVertically();
    EXPECT_EQ(gCursorY, 100);
}

TEST_F(CentringTest, TheWholeBlockMovesByOneDelta) {
    testgfx::MakeSign(40, 9);  // free height 45 outside the automatic layout: target 20
    MakeRows({{{0, 0, 'A', kBar}, {5, 5, 'A', kBar}}, {{0, 25, 'A', kBar}}});
    gCursorY = 30;
    CenterRowVertically();
    EXPECT_EQ(gCells[1].Y, 20);
    EXPECT_EQ(gCells[2].Y, 25);
    EXPECT_EQ(gCells[3].Y, 45);
    EXPECT_EQ(gCursorY, 50);
    CenterRowVertically();  // already centred: nothing moves
    EXPECT_EQ(gCells[3].Y, 45);
    EXPECT_EQ(gCursorY, 50);
}

TEST_F(CentringTest, AutomaticLayoutCentresInTheFreeHeight) {
    testgfx::MakeSign(40, 40);  // editor 200 high
    MakeRows({{{0, 0, 'A', kBar}}, {{0, 35, 'A', kBar}}});
    gRows[1].RowHeight = 35;
    gRows[2].RowHeight = 35;
    gAutoMode = -1;
    EXPECT_EQ(CalcRowCount(), 130);
    CenterRowVertically();
    EXPECT_EQ(gCells[1].Y, 65);  // 130 \ 2 = 65
    EXPECT_EQ(gCells[2].Y, 100);
}

}  // namespace
