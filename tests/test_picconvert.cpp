// Pictures into sign graphics without windows: pictures are built in the
// test from rows of characters, one character a pixel.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "app/picconvert.h"
#include "data/records.h"
#include "engine/dotlayers.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/graphics_state.h"
#include "support/signs_state.h"

using namespace kv;

namespace {

constexpr int32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000;

// '.' white, 'R' red, 'B' blue; any other character a grey of its code.
PixelPicture Picture(const std::vector<std::string>& rows) {
    PixelPicture p(static_cast<int32_t>(rows.empty() ? 0 : rows[0].size()), static_cast<int32_t>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x) {
            const char c = rows[y][x];
            const int32_t colour = c == '.' ? kWhite : c == 'R' ? kRed : c == 'B' ? kBlue : c * 0x010101;
            p.PSet(static_cast<int32_t>(x), static_cast<int32_t>(y), colour);
        }
    return p;
}

class View : public PictureImportView {
public:
    void ShowProgress(bool visible) override { progressShown = visible; }
    void SetProgressRange(int32_t min, int32_t max) override { progressMax = max; }
    int32_t ProgressMax() override { return progressMax; }
    void SetProgressValue(int32_t v) override { values.push_back(v); }
    void ShowPicture(const PixelPicture&, bool) override { ++repaints; }
    Alignment AlignmentToggles() override { return toggles; }
    PixelPicture LoadPicture(const std::string&) override { return {}; }

    Alignment toggles;
    bool progressShown = false;
    int32_t progressMax = 0;
    std::vector<int32_t> values;
    int repaints = 0;
};

std::set<std::pair<int, int>> LitDots(int16_t k, int W, int H) {
    std::set<std::pair<int, int>> lit;
    for (int x = 0; x <= W + 5; ++x)
        for (int y = 0; y <= H + 5; ++y)
            if (GetGraphicPixel(k, x, y)) lit.insert({x, y});
    return lit;
}

class PicConvertTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }
    FakeUi ui;
    testgfx::FakeHead head;
};

TEST_F(PicConvertTest, ColoursInOrderOfFirstAppearanceRowByRow) {
    // Blue stands further right in row 0 than red in row 1: row order wins.
    const PixelPicture p = Picture({"...B", "R..B", "RRRR"});
    std::vector<int32_t> colours;
    int16_t overflow = kTrue;
    int32_t fx = 0, fy = 0;
    EXPECT_EQ(CollectColors(p, colours, 16, overflow, nullptr, fx, fy), 3);
    EXPECT_EQ(colours, (std::vector<int32_t>{kWhite, kBlue, kRed}));
    EXPECT_EQ(overflow, kFalse);
    EXPECT_EQ(fx, -1);
    EXPECT_EQ(fy, -1);
}

TEST_F(PicConvertTest, SixteenColoursLoadTheSeventeenthOverflows) {
    std::string sixteen, seventeen;
    for (char c = 'a'; c < 'a' + 16; ++c) sixteen += c;
    seventeen = sixteen + "qz";  // 'q' is the 17th, 'z' is never reached
    std::vector<int32_t> colours;
    int16_t overflow = kFalse;
    int32_t fx = 0, fy = 0;
    EXPECT_EQ(CollectColors(Picture({sixteen, sixteen}), colours, 16, overflow, nullptr, fx, fy), 16);
    EXPECT_EQ(overflow, kFalse);
    EXPECT_EQ(CollectColors(Picture({seventeen}), colours, 16, overflow, nullptr, fx, fy), 17);
    EXPECT_EQ(overflow, kTrue);
    EXPECT_EQ(colours.back(), 'q' * 0x010101);
    // No limit.
    EXPECT_EQ(CollectColors(Picture({seventeen}), colours, 0, overflow, nullptr, fx, fy), 18);
    EXPECT_EQ(overflow, kFalse);
}

TEST_F(PicConvertTest, ShownScanReportsEveryHundredPixels) {
    std::vector<std::pair<int32_t, std::string>> reports;
    std::vector<int32_t> colours;
    int16_t overflow = 0;
    int32_t fx = 0, fy = 0;
    CollectColors(PixelPicture(25, 12), colours, 16, overflow,
                  [&](int32_t n, const std::string& text) { reports.push_back({n, text}); }, fx, fy);
    const std::vector<std::pair<int32_t, std::string>> expected{
        {100, "33.33 %"}, {200, "66.67 %"}, {300, "100. %"}, {300, "100 %"}};
    EXPECT_EQ(reports, expected);
}

TEST_F(PicConvertTest, BoundsOfTheForeground) {
    m_lBackColor = kWhite;
    int32_t l, t, r, b;
    GetPictureBounds(Picture({"......", "...R..", "....RR", "......"}), l, t, r, b);
    EXPECT_EQ((std::vector<int32_t>{l, t, r, b}), (std::vector<int32_t>{3, 1, 5, 2}));
    GetPictureBounds(Picture({"...", "..."}), l, t, r, b);
    EXPECT_EQ((std::vector<int32_t>{l, t, r, b}), (std::vector<int32_t>{0, 0, 0, 0}));
    // Red as the background: white is the foreground.
    m_lBackColor = kRed;
    GetPictureBounds(Picture({"RRR", "RR."}), l, t, r, b);
    EXPECT_EQ((std::vector<int32_t>{l, t, r, b}), (std::vector<int32_t>{2, 1, 2, 1}));
}

// The shape of the box of columns 2..5 and rows 1..4 of a 10 x 8 picture: an
// "L" so that a mirrored or shifted placement shows.
const std::vector<std::string> kShape{
    "..........",
    "..R.......",
    "..R.......",
    "..R.......",
    "..RRRR....",
    "..........",
    "..........",
    "..........",
};

TEST_F(PicConvertTest, NineAlignmentsAndNoneOnASixteenSquareSign) {
    struct Case {
        const char* name;
        Alignment a;
        int dx, dy;  // where picture pixel (2, 1), the box's top left, lands
    };
    const Case cases[] = {
        {"none", {}, 2, 1},
        {"left top", {.HAL = true, .VAT = true}, 0, 0},
        {"left centre", {.HAL = true, .VAC = true}, 0, 6},
        {"left bottom", {.HAL = true, .VAB = true}, 0, 12},
        // Columns 2..5: offset 3 / 2 = 1.5 -> 2, + left = 4; column 2 - 4 + 8 - 1.
        {"centre top", {.HAC = true, .VAT = true}, 5, 0},
        // Rows 1..4: offset 4 / 2 + 1 = 3; row 1 - 3 + 8, no "- 1".
        {"centre centre", {.HAC = true, .VAC = true}, 5, 6},
        {"centre bottom", {.HAC = true, .VAB = true}, 5, 12},
        {"right top", {.HAR = true, .VAT = true}, 12, 0},
        {"right centre", {.HAR = true, .VAC = true}, 12, 6},
        {"right bottom", {.HAR = true, .VAB = true}, 12, 12},
        // Left wins over right and centre, top over bottom and centre.
        {"all pressed", {true, true, true, true, true, true}, 0 + 8 - 1, 0 + 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ResetAllState();
        testgfx::MakeSign(16, 16);
        m_lBackColor = kWhite;
        View view;
        view.toggles = c.a;
        PixelPicture p = Picture(kShape);
        ASSERT_TRUE(ConvertPicture(view, p));
        std::set<std::pair<int, int>> expected;
        for (int y = 1; y <= 4; ++y)
            for (int x = 2; x <= 5; ++x)
                if (kShape[static_cast<size_t>(y)][static_cast<size_t>(x)] == 'R')
                    expected.insert({x - 2 + c.dx, y - 1 + c.dy});
        EXPECT_EQ(LitDots(0, 16, 16), expected);
    }
}

// Centring rounds the box's middle as a whole: half the box plus its
// start, a half going to the even neighbour. Rounding the half first and
// adding the start after put a box with an odd start one dot off.
TEST(PicturePlacement, CentringRoundsTheMiddleOfTheBoxAsAWhole) {
    struct Case {
        int32_t first, last;  // the box's columns (across) or rows (down)
        int32_t offX, column;  // centre across: offset, the dot of the first column
        int32_t offY, row;     // centre down: offset, the dot of the first row
    };
    // A sign of 16 x 16: cx = cy = 8; a column lands at x - offX + 7, a row
    // at y - offY + 8.
    const Case cases[] = {
        // across: (last - first) / 2 + first; down: (last - first + 1) / 2 + first
        {0, 3, 2, 5, 2, 6},   // 1.5 -> 2; 2
        {1, 4, 2, 6, 3, 6},   // 2.5 -> 2; 3
        {2, 5, 4, 5, 4, 6},   // 3.5 -> 4; 4
        {3, 6, 4, 6, 5, 6},   // 4.5 -> 4; 5
        {1, 3, 2, 6, 2, 7},   // 2; 2.5 -> 2
        {1, 1, 1, 7, 2, 7},   // 1; 1.5 -> 2
        {0, 0, 0, 7, 0, 8},   // 0; 0.5 -> 0
        {3, 5, 4, 6, 4, 7},   // 4; 4.5 -> 4
        {5, 10, 8, 4, 8, 5},  // 7.5 -> 8; 8
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
        const PicturePlacement across = PlacePicture({.HAC = true}, 16, 16, c.first, 0, c.last, 0);
        EXPECT_EQ(across.offX, c.offX);
        EXPECT_EQ(across.DotColumn(c.first), c.column);
        const PicturePlacement down = PlacePicture({.VAC = true}, 16, 16, 0, c.first, 0, c.last);
        EXPECT_EQ(down.offY, c.offY);
        EXPECT_EQ(down.DotRow(c.first), c.row);
    }
}

TEST_F(PicConvertTest, ClippingAtTheSignsEdgesIsInclusive) {
    testgfx::MakeSign(8, 4);
    m_lBackColor = kWhite;
    View view;
    // Column 8 and row 4 are one past the sign and still written; column 9
    // and row 5 are dropped.
    PixelPicture p = Picture({
        "R.........",
        "..........",
        "..........",
        "..........",
        "........RR",
        "R.........",
    });
    ASSERT_TRUE(ConvertPicture(view, p));
    EXPECT_EQ(LitDots(0, 8, 4), (std::set<std::pair<int, int>>{{0, 0}, {8, 4}}));

    // A box that starts at or beyond the sign's width is not moved, so
    // nothing of it reaches the sign.
    PixelPicture far = Picture({"..........RR"});
    view.toggles = {.HAL = true};
    ASSERT_TRUE(ConvertPicture(view, far));
    EXPECT_TRUE(LitDots(0, 8, 4).empty());

    // Right alignment of a picture wider than the sign drops its left part.
    PixelPicture wide = Picture({"RRRRRRRRRRRR"});
    view.toggles = {.HAR = true};
    ASSERT_TRUE(ConvertPicture(view, wide));
    std::set<std::pair<int, int>> row0;
    for (int x = 0; x < 8; ++x) row0.insert({x, 0});
    EXPECT_EQ(LitDots(0, 8, 4), row0);
}

TEST_F(PicConvertTest, ConversionClearsTheLayerMarksThePreviewAndRunsTheBar) {
    testgfx::MakeSign(8, 4);
    ResizeTextLayer(0, 9, 5);
    SetTextPixel(0, 7, 3, -1);
    SetGraphicPixel(0, 7, 3, -1);
    m_lBackColor = kWhite;
    View view;
    PixelPicture p = Picture({"....", ".RB.", "...."});
    ASSERT_TRUE(ConvertPicture(view, p));
    EXPECT_EQ(LitDots(0, 8, 4), (std::set<std::pair<int, int>>{{1, 1}, {2, 1}}));
    EXPECT_NE(GetTextPixel(0, 7, 3), 0);  // the text layer is not touched
    EXPECT_EQ(p.Point(1, 1), kPreviewLit);
    EXPECT_EQ(p.Point(2, 1), kPreviewLit);
    EXPECT_EQ(p.Point(0, 0), kWhite);  // outside the box: as loaded
    EXPECT_EQ(view.progressMax, 32);
    EXPECT_EQ(view.values.back(), 32);
    EXPECT_FALSE(view.progressShown);

    // A picture of the background alone clears the layer and lights nothing.
    PixelPicture blank = Picture({"...", "..."});
    ASSERT_TRUE(ConvertPicture(view, blank));
    EXPECT_TRUE(LitDots(0, 8, 4).empty());
    EXPECT_EQ(blank.Point(0, 0), kPreviewUnlit);

    // Without a current graphic sign nothing happens.
    gCurrentSign = 0;
    EXPECT_FALSE(ConvertPicture(view, p));
}

TEST_F(PicConvertTest, CurrentEntryExistsOnlyForAPageThatHoldsSomething) {
    using testsigns::Mark;
    using testsigns::Sec;
    testgfx::MakeSign(8, 4);
    gDestList[1].SignData = Sec(2) + "A";
    gDestList[2].SignData = Sec(2) + "A" + Mark(3) + "B";
    gDestList[3].SignData = Sec(3) + "A";
    gExtraList[4].SignData = "X" + Mark(3) + "Y";
    struct Case {
        bool dest;
        bool perSign;
        int16_t number, page;
        bool exists;
    };
    const Case cases[] = {
        {true, false, 1, 1, true},   {true, false, 1, 2, false},  // one page: no page 2
        {true, false, 2, 2, true},   {true, false, 2, 3, false},  // page 2 of two exists
        {true, false, 3, 1, false},  {true, false, 5, 1, false},  // another sign; an empty record
        {false, false, 4, 2, true},  {false, false, 4, 3, false}, // extra text without sections
        {false, true, 4, 1, false},                               // ... read per sign: no section
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.number) + "/" + std::to_string(c.page));
        gDestListActive = VbBool(c.dest);
        gExtraPerSign = VbBool(c.perSign);
        (c.dest ? gCurrentDest : gCurrentExtra) = c.number;
        gCurrentPage = c.page;
        EXPECT_EQ(CurrentEntryExists(), c.exists);
        EXPECT_EQ(gCurrentPage, c.page);
    }
}

}  // namespace
