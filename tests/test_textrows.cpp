// Rows as a whole: the tidying before a commit, centring on the graphic
// sign and on the text sign's strip, spreading the characters, the wave of
// the text and the screen timer. Font "1": A..D and digits are 5 dots wide
// (25 units) and stand a dot apart (30 units a character).
#include <gtest/gtest.h>

#include <cstring>

#include "engine/rowtidy.h"
#include "support/entry_state.h"

using namespace kv;

namespace {

class TextRowsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        testentry::GraphicSign(2, "FRONT", 48, 16, 0);
        window.ChangeAddress(0, false, true);
        window.ForgetPainting();
        ReadCharMap("1");
    }
    void TearDown() override { testentry::ResetAll(); }

    std::vector<int16_t> Xs() {
        std::vector<int16_t> out;
        for (int16_t c = PageFirstCell(); IsUsedCell(c); c = Cell(c).Next) out.push_back(Cell(c).X);
        return out;
    }

    testentry::Window window;
    testmarkup::Ui ui;
};

TEST_F(TextRowsTest, AnEmptyLastRowLeavesNoRowEndBehind) {
    testtext::Type("AB\n");
    const int16_t last = LastCellOfRow(Row(gStartRow).FirstCell);
    ASSERT_EQ(Cell(last).RowEnd, kTrue);
    const std::string before = EncodeSignObjects();
    TidyRowsForCommit();
    EXPECT_EQ(Cell(last).RowEnd, kFalse);
    EXPECT_EQ(EncodeSignObjects() + "\\", before);
    // A row that holds cells, or the only row, is left alone.
    testtext::Type("C");
    const auto cells = gCells;
    TidyRowsForCommit();
    EXPECT_EQ(0, std::memcmp(&cells, &gCells, sizeof cells));
}

TEST_F(TextRowsTest, CentringUsesTheFreeSpanInWholeDots) {
    // "AB": two cells 25 wide at 0 and 25, 45 units of text without the
    // spacing after it, on a sign of 240 units.
    testtext::Type("AB");
    struct Case {
        int16_t showLineNo, left;
        std::vector<int16_t> xs;
    };
    // The route-number area is 40 wide (45 with its spacing): at the right
    // end the span is 0..195, at the left end 45..240.
    for (const Case& c : {Case{0, 0, {100, 125}}, Case{-1, 0, {75, 100}}, Case{-1, -1, {120, 145}}}) {
        gRouteNoAreaWidth = 40;
        gShowLineNo = c.showLineNo;
        gRouteNoLeft = c.left;
        CentreCurrentRow();
        EXPECT_EQ(Xs(), c.xs) << c.showLineNo << c.left;
        EXPECT_EQ(gCursorX, c.xs.back() + 25);
    }
    EXPECT_EQ(window.pictureFocus, 3);

    // Whichever way the row moves, its place is rounded up to a whole dot:
    // the text stands half a dot right of the middle. Centred already:
    // nothing moves; a selection moves with the row.
    gShowLineNo = kFalse;
    CentreCurrentRow();
    EXPECT_EQ(Xs(), (std::vector<int16_t>{100, 125}));
    gAreaSelected = kTrue;
    gSelX1 = 100;
    gSelX2 = 150;
    CentreCurrentRow();
    EXPECT_EQ(Xs(), (std::vector<int16_t>{100, 125}));
    EXPECT_EQ(gSelX1, 100);
    EXPECT_TRUE(window.frames.empty());
    gRouteNoAreaWidth = 40;
    gShowLineNo = kTrue;
    gRouteNoLeft = kFalse;
    CentreCurrentRow();
    EXPECT_EQ(gSelX1, 75);
    EXPECT_EQ(gSelX2, 125);
    EXPECT_EQ(window.frames, (std::vector<int32_t>{kWhite}));
}

TEST_F(TextRowsTest, AnEmptyRowOnlyPutsTheCursorInTheMiddle) {
    CentreCurrentRow();
    EXPECT_EQ(gCursorX, 120);
    EXPECT_EQ(PageFirstCell(), 0);
}

TEST_F(TextRowsTest, TheTextSignsRowIsCentredInItsWidth) {
    testentry::TextSign(4, "TXT", 12);
    testentry::EditTextSign(4);
    struct Case {
        const char* typed;
        const char* centred;
    };
    for (const Case& c : {Case{"AB", "     AB"}, Case{"ABC", "    ABC"}, Case{"  AB   ", "     AB"},
                          Case{"ABCDEFGHIJKL", "ABCDEFGHIJKL"}, Case{"     AB", "     AB"}, Case{"", ""}}) {
        InitEditor();
        testentry::TypeOnStrip(c.typed);
        CentreStripRow();
        EXPECT_EQ(CharArrayToString(), c.centred) << c.typed;
        EXPECT_LE(gTextColumn, gCodeCount + 1);
    }
    // RedrawTextSigns takes the strip in the text-sign line mode.
    InitEditor();
    testentry::TypeOnStrip("A");
    RedrawTextSigns();
    EXPECT_EQ(CharArrayToString(), "     A");
}

TEST_F(TextRowsTest, TwoRowsOfATextSignAreSplitInTheMarkup) {
    testentry::TextSign(4, "TXT", 3);
    testentry::EditTextSign(4);
    SignInfoOf(4).Model = "K2000_2R";
    SignInfoOf(4).Height = 3;
    testentry::TypeOnStrip("ABCDE");
    EXPECT_EQ(CharArrayToString(), "ABC\\DE");
}

TEST_F(TextRowsTest, SpreadingGrowsAndShrinksEveryGapByADot) {
    testtext::Type("ABC");  // cells 25 wide, touching
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 25, 50}));
    ExpandMore();
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 30, 60}));
    ExpandMore();
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 35, 70}));
    ExpandLess();
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 30, 60}));
    EXPECT_EQ(gCursorX, Cell(gCursorCell).X + Cell(gCursorCell).Width);
    ExpandLess();
    // Touching characters do not come closer.
    ExpandLess();
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 25, 50}));
    EXPECT_EQ(window.shown, 5);
    // No room for more: nothing moves, the sign is still painted.
    Row(gCurrentRow).FreeWidth = 10;
    ExpandMore();
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 25, 50}));
    EXPECT_EQ(window.shown, 6);
    // A row without cells: nothing at all.
    testtext::Type("\n");
    ExpandLess();
    EXPECT_EQ(window.shown, 6);
}

TEST_F(TextRowsTest, TheWaveGivesEveryCellItsPlaceBack) {
    testtext::Type("AB\nCD");
    std::vector<int16_t> ys;
    for (int16_t c = PageFirstCell(); IsUsedCell(c); c = Cell(c).Next) ys.push_back(Cell(c).Y);
    const auto yOf = [] {
        std::vector<int16_t> out;
        for (int16_t c = PageFirstCell(); IsUsedCell(c); c = Cell(c).Next) out.push_back(Cell(c).Y);
        return out;
    };
    int16_t state = 3;
    bool moved = false;
    int previous = 1000, ticks = 0;
    for (; state == 3 && ticks < 1000; ++ticks) {
        const int interval = CursorBlink(state);
        if (state == 3) {
            EXPECT_LE(interval, previous);
            previous = interval;
            moved = moved || yOf() != ys;
            for (size_t i = 0; i < ys.size(); ++i) EXPECT_EQ((yOf()[i] - ys[i]) % 5, 0);
        } else {
            EXPECT_EQ(interval, 200);
        }
    }
    EXPECT_TRUE(moved);
    EXPECT_EQ(state, 0);
    EXPECT_EQ(yOf(), ys);
    EXPECT_FALSE(TextWaveRunning());

    // Stopped half way (the pointer left, or the entry is committed).
    state = 3;
    CursorBlink(state);
    CursorBlink(state);
    EXPECT_TRUE(TextWaveRunning());
    state = 0;
    EXPECT_EQ(CursorBlink(state), 200);
    EXPECT_EQ(yOf(), ys);
    state = 3;
    CursorBlink(state);
    gCurrentDest = 1;
    Save(kCommitOnly);
    EXPECT_EQ(yOf(), ys);
}

TEST_F(TextRowsTest, TheScreenTimerHidesTheCursorAfterTwoQuietTicks) {
    EXPECT_FALSE(ScreenTimerTick());
    EXPECT_TRUE(ScreenTimerTick());
    gCursorX = 5;
    EXPECT_FALSE(ScreenTimerTick());
    gCurrentExtra = 9;
    EXPECT_FALSE(ScreenTimerTick());
    gCurrentDest = 9;
    EXPECT_FALSE(ScreenTimerTick());
    EXPECT_TRUE(ScreenTimerTick());
}

}  // namespace
