// The byte commands of pages: the runs of a graphic sign page built from
// cells placed by hand, the route-number header, and the stored rows of the
// text signs with their character strip.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>

#include "engine/dotstrips.h"
#include "engine/routenumber.h"
#include "support/fake_ui.h"
#include "support/text_state.h"

using namespace kv;
using testgfx::Hex;

namespace {

struct C {
    int16_t x, y, w, h;
    char font;
    int16_t glyph;
};

// Cells 1..n linked in this order.
void Chain(std::initializer_list<C> cells) {
    int16_t i = 0;
    for (const C& c : cells) {
        ++i;
        SignCell& s = Cell(i);
        s = SignCell{};
        s.X = c.x;
        s.Y = c.y;
        s.Width = c.w;
        s.Height = c.h;
        s.FontCode = c.font;
        s.GlyphCode = c.glyph;
        s.CharCode = c.glyph;
        s.Prev = static_cast<int16_t>(i - 1);
        s.Next = static_cast<int16_t>(i < static_cast<int16_t>(cells.size()) ? i + 1 : 0);
    }
    gCellFreeHead = static_cast<int16_t>(i + 1);
}

class PageBytesTest : public ::testing::Test {
protected:
    void SetUp() override {
        testtext::ResetAll();
        testgfx::MakeSign(112, 16);
    }
    void TearDown() override { testtext::ResetAll(); }
    FakeUi ui;
    testgfx::FakeHead head;
};

TEST_F(PageBytesTest, RunsBreakAtEveryGapOverlapLineAndFontChange) {
    struct Case {
        const char* name;
        std::initializer_list<C> cells;
        const char* bytes;
    } cases[] = {
        {"abutting cells of one font", {{10, 0, 25, 35, '1', 65}, {35, 0, 25, 35, '1', 66}},
         "d2 02 d3 06 d4 31 41 42"},
        {"a gap of one dot", {{10, 0, 25, 35, '1', 65}, {40, 0, 25, 35, '1', 66}},
         "d2 02 d3 06 d4 31 41 d2 08 d3 06 d4 31 42"},
        {"an overlap of one dot", {{10, 0, 25, 35, '1', 65}, {30, 0, 25, 35, '1', 66}},
         "d2 02 d3 06 d4 31 41 d2 06 d3 06 d4 31 42"},
        {"another line", {{10, 0, 25, 35, '1', 65}, {35, 5, 25, 35, '1', 66}},
         "d2 02 d3 06 d4 31 41 d2 07 d3 07 d4 31 42"},
        {"another font and height", {{10, 0, 25, 35, '1', 65}, {35, 0, 30, 50, '4', 66}},
         "d2 02 d3 06 d4 31 41 d2 07 d3 09 d4 34 42"},
        {"the next row", {{0, 0, 25, 35, '1', 65}, {0, 35, 25, 35, '1', 66}},
         "d2 00 d3 06 d4 31 41 d2 00 d3 0d d4 31 42"},
        {"negative positions are written as 0", {{-10, -50, 25, 35, '1', 65}}, "d2 00 d3 00 d4 31 41"},
        {"placeholders travel as their code", {{0, 0, 25, 35, '1', 65}, {25, 0, 75, 35, '1', 252}},
         "d2 00 d3 06 d4 31 41 fc"},
        {"beyond the last column: never a mark byte", {{1000, 0, 25, 35, '1', 65}}, "d2 af d3 06 d4 31 41"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Chain(c.cells);
        EXPECT_EQ(Hex(BuildSignData(1)), c.bytes);
    }
    EXPECT_EQ(BuildSignData(0), "");  // an empty page
}

TEST_F(PageBytesTest, CellsToStringMovesOnToTheNextRun) {
    Chain({{0, 0, 25, 35, '1', 65}, {25, 0, 25, 35, '1', 66}, {0, 35, 25, 35, '1', 67}});
    int16_t c = 1;
    EXPECT_EQ(CellsToString(c), "AB");
    EXPECT_EQ(c, 3);
    EXPECT_EQ(CellsToString(c), "C");
    EXPECT_EQ(c, 0);
}

TEST_F(PageBytesTest, HeaderAndGraphicComeBeforeTheText) {
    gShowLineNo = -1;
    gRouteNoX = 0;
    gRouteNoY = 5;
    gRouteNoAreaHeight = 65;
    gRouteNoFont = "h";
    EXPECT_EQ(Hex(BuildTextHeader()), "d2 00 d3 0d d4 68 f2");
    EXPECT_EQ(Hex(BuildSignData(0)), "d2 00 d3 0d d4 68 f2");  // a page of the route number alone

    Chain({{70, 0, 25, 35, '1', 65}});
    gHasGraphic = -1;
    gGraphicModified = 0;
    gGraphicText = std::string("\xD2\x00\xD3\x04\xD4w?", 7);
    EXPECT_EQ(Hex(BuildSignData(1)), "d2 00 d3 0d d4 68 f2 d2 00 d3 04 d4 77 3f d2 0e d3 06 d4 31 41");

    gShowLineNo = 0;
    EXPECT_EQ(BuildTextHeader(), "");
    gRouteNoX = 20;
    gShowLineNo = -1;
    gRouteNoY = 0;
    gRouteNoAreaHeight = 35;
    EXPECT_EQ(Hex(BuildTextHeader()), "d2 04 d3 06 d4 68 f2");
}

// ---------------------------------------------------------------- text signs

class TextSignTest : public ::testing::Test {
protected:
    void SetUp() override {
        testtext::ResetAll();
        testtext::LoadShippedFonts();
    }
    void TearDown() override { testtext::ResetAll(); }
    void Sign(const std::string& model, int w, int h) { testtext::StartStrip(model, w, h); }
    void Codes(const std::string& text) {
        for (size_t i = 0; i < text.size(); ++i) gCodeTable[i + 1] = static_cast<unsigned char>(text[i]);
        gCodeCount = static_cast<int16_t>(text.size());
    }
    FakeUi ui;
};

TEST_F(TextSignTest, StoredRowsFillASixteenPlaceBlock) {
    Sign("K2000_2R", 12, 12);
    EXPECT_EQ(PadRowText(2), " ");  // empty row
    Codes("HELLO");
    EXPECT_EQ(Hex(PadRowText(2)), "48 45 4c 4c 4f");
    Codes("ABCDEFGHIJKLMN");
    const std::string stored = PadRowText(2);
    EXPECT_EQ(stored, "ABCDEFGHIJKL    MN");  // font "2" draws letters with their own codes

    std::string text = stored;
    FitRowText(text);
    EXPECT_EQ(text, "ABCDEFGHIJKLMN");
    EXPECT_EQ(gCodeCount, 14);
    EXPECT_EQ(gTextColumn, 15);
    EXPECT_EQ(gCodeTable[13], 'M');

    text = "AB  ";
    FitRowText(text);  // trailing blanks drop out
    EXPECT_EQ(text, "AB");
    EXPECT_EQ(gCodeCount, 2);
}

TEST_F(TextSignTest, WideSignsAndUnknownCodesKeepTheirPlaces) {
    Sign("K2000_1R", 20, 0);
    Codes("ABCDEFGHIJKLMNOPQR");  // 18 on a row of 20: no filling blanks
    EXPECT_EQ(PadRowText(2), "ABCDEFGHIJKLMNOPQR");
    std::string text = "ABCDEFGHIJKLMNOPQR";
    FitRowText(text);
    EXPECT_EQ(text, "ABCDEFGHIJKLMNOPQR");

    Codes("A");
    gCodeTable[2] = 0;  // an entry never typed
    gCodeCount = 3;
    gCodeTable[3] = 'B';
    EXPECT_EQ(PadRowText(2), "A B");
    text = std::string("A\x90" "B", 3);  // a glyph the map does not know
    FitRowText(text);
    EXPECT_EQ(text, "A B");
}

TEST_F(TextSignTest, StripPositionsOfTheLayouts) {
    auto xs = [](int from, int to) {
        std::vector<int16_t> v;
        for (int i = from; i <= to; ++i) v.push_back(gStripX[static_cast<size_t>(i)]);
        return v;
    };
    auto steps = [](int n, int step, int last) {
        std::vector<int16_t> v;
        for (int i = 0; i < n; ++i) v.push_back(static_cast<int16_t>(i * step));
        v.push_back(static_cast<int16_t>(last));
        return v;
    };

    Sign("K2000_1R", 12, 0);
    StripLayout l = LayoutTextStrip("K2000_1R", 12, 0);
    EXPECT_EQ(l.pictureWidth, 357);
    EXPECT_EQ(l.pictureHeight, 37);
    EXPECT_EQ(xs(1, 13), steps(12, 30, 352));
    ASSERT_EQ(l.separators.size(), 11u);
    EXPECT_EQ(l.separators.front().x1, 28);
    EXPECT_EQ(l.separators.back().x1, 328);
    EXPECT_EQ(gTwoRowText, 0);

    Sign("K2000_2R", 12, 12);
    l = LayoutTextStrip("K2000_2R", 12, 12);
    EXPECT_EQ(l.pictureHeight, 79);
    std::vector<int16_t> row = steps(12, 30, 0);
    row.pop_back();
    EXPECT_EQ(xs(1, 12), row);
    EXPECT_EQ(xs(13, 25), steps(12, 30, 352));
    EXPECT_EQ(gTwoRowText, -1);

    Sign("K2000_2R", 3, 3);
    LayoutTextStrip("K2000_2R", 3, 3);
    EXPECT_EQ(xs(1, 7), (std::vector<int16_t>{0, 30, 60, 0, 30, 62, 82}));

    Sign("K2000_2R", 10, 12);
    l = LayoutTextStrip("K2000_2R", 10, 12);
    EXPECT_EQ(xs(1, 10), (std::vector<int16_t>{0, 39, 75, 111, 147, 183, 219, 255, 291, 327}));
    EXPECT_EQ(xs(11, 23), steps(12, 30, 352));
    const auto bars = std::count_if(l.separators.begin(), l.separators.end(),
                                    [](const StripShape& s) { return s.kind == StripShape::Bar; });
    EXPECT_EQ(bars, 9);
    EXPECT_EQ(l.separators.front().x1, 34);
    EXPECT_EQ(l.separators.front().width, 9);

    EXPECT_TRUE(LayoutTextStrip("K4000", 112, 16).separators.empty());
}

TEST_F(TextSignTest, TheStripRedrawsOnlyChangedPlaces) {
    struct StripHead : StripCanvas {
        StripHead() { InstallPorts(this); }
        ~StripHead() override { RemovePorts(this); }
        void ClearStripPlace(int32_t x, int32_t y) override { cleared.push_back({x, y}); }
        void DrawStripChar(int32_t x, int32_t y, int16_t code) override { drawn.push_back({x, y, code}); }
        std::vector<std::vector<int32_t>> cleared, drawn;
    } strip;
    Sign("K2000_2R", 3, 3);
    EXPECT_EQ(strip.cleared.size(), 6u);  // InitEditor clears every place
    EXPECT_EQ(strip.cleared.back(), (std::vector<int32_t>{62, 42}));

    Codes("ABCD");
    DrawStripChars(0);
    ASSERT_EQ(strip.drawn.size(), 4u);
    EXPECT_EQ(strip.drawn[0], (std::vector<int32_t>{0, 1, 'A'}));
    EXPECT_EQ(strip.drawn[3], (std::vector<int32_t>{0, 42, 'D'}));  // place 4 opens the second row
    gCodeTable[2] = 'X';
    DrawStripChars(1);
    ASSERT_EQ(strip.drawn.size(), 5u);
    EXPECT_EQ(strip.drawn[4], (std::vector<int32_t>{30, 1, 'X'}));

    gTextColumn = 5;
    CursorHome();
    EXPECT_EQ(gCursorX, 30);
    EXPECT_EQ(gCursorY, 42);
    gTextColumn = 2;
    CursorHome();
    EXPECT_EQ(gCursorY, 1);
}

TEST_F(TextSignTest, ShiftTableEntriesOpensAndClosesGaps) {
    Sign("K2000_1R", 12, 0);
    Codes("ABCDE");
    ShiftTableEntries(3, 2);
    EXPECT_EQ(gCodeCount, 7);
    std::string s;
    for (int i = 1; i <= 7; ++i) s += static_cast<char>(gCodeTable[static_cast<size_t>(i)]);
    EXPECT_EQ(s, "ABCDCDE");  // places 3 and 4 keep their codes until written
    ShiftTableEntries(3, -2);  // the two entries before place 3 go
    s.clear();
    for (int i = 1; i <= 5; ++i) s += static_cast<char>(gCodeTable[static_cast<size_t>(i)]);
    EXPECT_EQ(s, "CDCDE");
    EXPECT_EQ(gCodeCount, 5);
}

}  // namespace
