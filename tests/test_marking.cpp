// Marking cells of the graphic sign's text editor and what is done with the
// marked cells. Fonts: "1" is 7 dots high with A-D 5 dots wide (25 x 35),
// "4" 10 high with A-D 6 wide (30 x 50); "g" the symbols.
#include <gtest/gtest.h>

#include "engine/graphictools.h"
#include "engine/rowlookup.h"
#include "support/markup_state.h"

using namespace kv;
using testtext::RowTexts;
using testtext::Type;

namespace {

class MarkingTest : public ::testing::Test {
protected:
    void SetUp() override {
        testmarkup::ResetAll();
        testmarkup::StartPage(112, 16, "1");
    }
    void TearDown() override { testmarkup::ResetAll(); }
    std::vector<int16_t> Marked() {
        std::vector<int16_t> out;
        for (int i = 1; i <= kCellPoolSize && gMarkedCells[static_cast<size_t>(i)] != 0; ++i)
            out.push_back(gMarkedCells[static_cast<size_t>(i)]);
        return out;
    }
    std::string MarkedText() {
        std::string s;
        for (int16_t c : Marked()) s += static_cast<char>(Cell(c).CharCode);
        return s;
    }
    testmarkup::Head head;
    testmarkup::Ui ui;
};

TEST_F(MarkingTest, RectanglesMarkCellsWhoseCentreLiesInside) {
    Type("ABCD\nAB");  // row 1 at y 0, cells 25 wide; row 2 at y 35
    struct Case {
        int16_t x1, y1, x2, y2;
        std::string marked;
        int16_t row;  // current row afterwards
    };
    const Case cases[] = {
        {0, 0, 60, 30, "AB", 1},    // centres 12 and 37 inside, C's 62 outside
        {0, 0, 62, 30, "AB", 1},    // a centre on the edge is outside
        {0, 0, 63, 30, "ABC", 1},
        {13, 0, 100, 30, "BCD", 1}, // half of A covered: its centre 12 stays outside
        {0, 40, 60, 60, "AB", 2},   // marking in row 2 makes it current
        {60, 30, 0, 0, "AB", 1},    // corners in any order
        {0, 0, 112, 80, "ABCDAB", 1},
        {0, 40, 60, 60, "AB", 2},
        {200, 0, 300, 30, "", 2},   // nothing marked: the row stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.marked);
        MarkCellsInRect(c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(MarkedText(), c.marked);
        EXPECT_EQ(gCurrentRow, c.row);
    }
}

TEST_F(MarkingTest, MarkRowFramesItsCells) {
    Type("ABCDA\nB");
    MarkRow(1);
    EXPECT_EQ(MarkedText(), "ABCDA");
    EXPECT_EQ(gMarkedCells[6], 0);
    EXPECT_EQ(gAreaSelected, -1);
    EXPECT_EQ(gSelX1, 0);
    EXPECT_EQ(gSelY1, 0);
    EXPECT_EQ(gSelX2, 120);  // right edge 125 less 5
    EXPECT_EQ(gSelY2, 35);
    EXPECT_EQ(head.frames, (std::vector<int32_t>{0, 0xFFFFFF}));

    // The frame follows moved cells; nothing marked only clears it.
    MoveMarkedCells(10, 5, true);
    UpdateMarkFrame();
    EXPECT_EQ(gSelX1, 10);
    EXPECT_EQ(gSelY2, 40);
    CancelMarking();
    EXPECT_EQ(gAreaSelected, 0);
    EXPECT_EQ(gSelX2, 0);
    EXPECT_EQ(Marked().size(), 0u);
    EXPECT_EQ(head.cutToolResets, 1);
    head.frames.clear();
    UpdateMarkFrame();
    EXPECT_EQ(head.frames, std::vector<int32_t>{0});
    EXPECT_EQ(gAreaSelected, 0);
}

TEST_F(MarkingTest, DeletingAcrossRowsRealignsTheRowLeft) {
    Type("ABC\nDAB");
    Row(2).Alignment = 2;
    MarkCellsInRect(30, 0, 112, 80);  // B C of row 1, A B of row 2
    ASSERT_EQ(MarkedText(), "BCAB");
    DeleteMarkedCells();
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"A", "D"}));
    EXPECT_EQ(testtext::CheckInvariants(), "");
    // Leaving row 2 for row 1 applied row 2's alignment: D stands at the
    // right end (560 units and the dot of spacing), A where it was.
    EXPECT_EQ(gTextAlignment, 2);
    EXPECT_EQ(Cell(Row(2).FirstCell).X, 565 - 25);
    EXPECT_EQ(Cell(Row(1).FirstCell).X, 0);
    EXPECT_EQ(gCurrentRow, 1);
    EXPECT_EQ(MarkedCount(), 0);
    // Nothing marked: only a repaint.
    DeleteMarkedCells();
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"A", "D"}));
}

TEST_F(MarkingTest, CopyAndPasteKeepFontsAndRows) {
    std::vector<std::string> loads;
    const auto measure = gFontHooks.measureChar;
    gFontHooks.measureChar = [&](const std::string& f, int16_t c) {
        loads.push_back(f);
        measure(f, c);
    };
    Type("A");
    ReadCharMap("4");
    Type("B");
    ReadCharMap("1");
    // Nothing marked: a beep, the buffer stays empty.
    CutMarkedCells();
    EXPECT_EQ(ui.beeps, 1);
    PasteCells();
    EXPECT_EQ(ui.beeps, 2);

    MarkRow(1);
    CutMarkedCells();
    ASSERT_EQ(gCutCells.size(), 4u);
    EXPECT_EQ(gCutCells[1].Prev, 0);
    EXPECT_EQ(gCutCells[1].Next, 2);
    EXPECT_EQ(gCutCells[2].Prev, 1);
    EXPECT_EQ(gCutCells[3].Prev, 0);
    EXPECT_EQ(gCutCells[3].Next, 0);
    CancelMarking();

    loads.clear();
    PasteCells();
    EXPECT_EQ(testtext::ChainText(), "ABAB");
    EXPECT_EQ(Cell(3).FontCode, '1');
    EXPECT_EQ(Cell(4).FontCode, '4');
    EXPECT_EQ(loads, (std::vector<std::string>{"4", "1"}));  // twice, back to "1"
    EXPECT_EQ(gCurrentFontCode, "1");

    // A copied row break starts a row of its own.
    Type("\nCD");
    MarkCellsInRect(0, 0, 200, 80);
    UpdateMarkFrame();
    CutMarkedCells();
    CancelMarking();
    testtext::CursorAfter(LastCellOfRow(Row(2).FirstCell), 2);
    PasteCells();
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"ABAB", "CDABAB", "CD"}));
    EXPECT_EQ(testtext::CheckInvariants(), "");
}

TEST_F(MarkingTest, SpreadCellsAndMarkedRuns) {
    Type("ABCD");
    MarkCellsInRect(0, 0, 30, 30);
    EXPECT_FALSE(MarkedCellsSpread());  // one cell
    EXPECT_EQ(LastCellOfMarkedRun(1), 4);  // abutting cells run to D
    EXPECT_EQ(LastCellOfMarkedRun(0), 0);
    MarkCellsInRect(0, 0, 200, 30);
    EXPECT_FALSE(MarkedCellsSpread());  // no gap
    // Spread out by 5 units each.
    Cell(2).X += 5;
    Cell(3).X += 10;
    Cell(4).X += 15;
    EXPECT_TRUE(MarkedCellsSpread());
    EXPECT_EQ(LastCellOfMarkedRun(1), 4);
    Cell(4).X += 1;
    EXPECT_FALSE(MarkedCellsSpread());  // an unequal gap
    EXPECT_EQ(LastCellOfMarkedRun(2), 2);  // C does not abut B
}

TEST_F(MarkingTest, NewFontForMarkedCells) {
    Type("ABCD");
    MarkCellsInRect(20, 0, 70, 30);  // B and C
    UpdateMarkFrame();
    ASSERT_EQ(MarkedText(), "BC");
    // Through the map: the cells take font "4" when it is loaded.
    EXPECT_EQ(ReadCharMap("4"), CharMapStatus::Taken);
    EXPECT_EQ(Cell(2).FontCode, '4');
    EXPECT_EQ(Cell(2).Width, 30);
    EXPECT_EQ(Cell(2).Height, 50);
    EXPECT_EQ(Cell(2).GlyphCode, gCharMap['B' - 32]);
    EXPECT_EQ(Cell(3).X, 55);  // the run closes up behind the wider B
    EXPECT_EQ(Cell(4).X, 85);
    EXPECT_EQ(Cell(1).FontCode, '1');
    EXPECT_EQ(Row(1).RowHeight, 50);
    EXPECT_EQ(Cell(2).Y, 0);  // a top row cell stays at the top

    // Symbol cells refuse a font, and nothing changes.
    CancelMarking();
    ReadCharMap("g");
    Type("L");
    ReadCharMap("1");
    MarkCellsInRect(110, 0, 200, 80);
    UpdateMarkFrame();
    ASSERT_EQ(MarkedText(), "L");
    const SignCell before = Cell(5);
    ReadCharMap("4");
    EXPECT_FALSE(ApplyFontToMarkedCells("4"));
    EXPECT_EQ(Cell(5).FontCode, before.FontCode);
    EXPECT_EQ(Cell(5).Width, before.Width);

    // A lower cell keeps its bottom row, but not below the sign's bottom.
    testmarkup::ResetAll();
    testmarkup::StartPage(112, 16, "1");
    Type("A\nB");
    MarkRow(2);
    ASSERT_EQ(Cell(2).Y, 35);
    ReadCharMap("4");
    EXPECT_EQ(Cell(2).Height, 50);
    EXPECT_EQ(Cell(2).Y, 30);  // bottom 80, the sign's
}

TEST_F(MarkingTest, NewFontMustFitTheRow) {
    testmarkup::ResetAll();
    testmarkup::StartPage(20, 16, "1");  // room for four cells of 25
    Type("ABCD");
    MarkCellsInRect(0, 0, 55, 30);
    UpdateMarkFrame();
    ASSERT_EQ(MarkedText(), "AB");
    ReadCharMap("4");
    EXPECT_FALSE(ApplyFontToMarkedCells("4"));  // A and B would need 10 more units
    EXPECT_EQ(Cell(1).FontCode, '1');
    EXPECT_EQ(ReadCharMap("4"), CharMapStatus::Refused);
    // Loading a map for typing leaves marked cells alone.
    LoadFontMap("4");
    EXPECT_EQ(Cell(1).FontCode, '1');
}

}  // namespace
