// The edit state of a graphic sign page: pools and free lists, row walks,
// the free-width and free-height rules, vertical centring and the lookups of
// rows and cells.
#include <gtest/gtest.h>

#include "engine/routenumber.h"
#include "engine/rowlookup.h"
#include "support/fake_ui.h"
#include "support/text_state.h"

using namespace kv;
using testtext::Type;

namespace {

class EditStateTest : public ::testing::Test {
protected:
    void SetUp() override { testtext::ResetAll(); }
    void TearDown() override { testtext::ResetAll(); }
    FakeUi ui;
    testgfx::FakeHead head;
};

TEST_F(EditStateTest, CellsComeInIndexOrderUntilThePoolIsExhausted) {
    testgfx::MakeSign(96, 16);
    RefreshEditor(0, 0);
    for (int i = 1; i <= 256; ++i) ASSERT_EQ(AllocCell(), i);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(AllocCell(), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "S31");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    EXPECT_EQ(ui.messages[0].title, kMsgTitle);

    ClearCell(17);
    EXPECT_EQ(AllocCell(), 17);  // last freed, first reused
}

TEST_F(EditStateTest, FreeingTheStartRowMakesTheNextRowTheStart) {
    testtext::StartPage(96, 16, "1");
    Type("A\nB");
    ASSERT_EQ(gStartRow, 1);
    const int16_t second = Row(1).NextRow;
    InitRow(1);
    EXPECT_EQ(gStartRow, second);
    EXPECT_EQ(gRowFreeHead, 1);
    EXPECT_EQ(Row(1).FreeWidth, 480);
    gShowLineNo = -1;
    gRouteNoAreaWidth = 60;
    InitRow(2);
    EXPECT_EQ(Row(2).FreeWidth, 420);  // the area alone, without the gap
}

TEST_F(EditStateTest, RowWalksFindTheEndsOfTheirRow) {
    testtext::StartPage(96, 16, "1");
    Type("AB");
    Type("12", 1);  // a route-number field after the text
    Type("\nCD");
    // cells: A1 B2 (1)3 (2)4 | C5 D6
    EXPECT_EQ(LastCellOfRow(1), 4);
    EXPECT_EQ(LastCellOfRow(6), 6);  // the chain's last cell is its own row's end
    EXPECT_EQ(LastCellOfRow(0), 0);
    EXPECT_EQ(FirstCellOfRow(6, false), 5);
    EXPECT_EQ(FirstCellOfRow(4, false), 1);

    testtext::ResetAll();
    testtext::StartPage(96, 16, "1");
    Type("12", 1);  // the field first
    Type("AB");
    EXPECT_EQ(FirstCellOfRow(4, false), 1);
    EXPECT_EQ(FirstCellOfRow(4, true), 3);  // the first cell after the leading field
}

struct WidthCase {
    const char* name;
    int16_t alignment;
    int16_t showLineNo;
    int16_t routeLeft;
    const char* fieldFirst;  // typed as a route-number field before the text
    const char* text;
    const char* fieldAfter;  // typed as a field after the text
    int16_t firstX;          // where the row starts
    int expected;
};

TEST_F(EditStateTest, FreeWidthOfTheCurrentRowFollowsAlignmentAreaAndField) {
    // 96 dots: W5 = 480. Font "1": letters and digits 5 dots (25) wide.
    const WidthCase cases[] = {
        {"empty row", 1, 0, 0, "", "", "", 0, 480},
        {"empty row beside the area", 1, -1, 0, "", "", "", 0, 415},
        {"left", 1, 0, 0, "", "AB", "", 0, 435},
        {"alignment 0 as left", 0, 0, 0, "", "AB", "", 0, 435},
        {"left, area right", 1, -1, 0, "", "AB", "", 0, 370},
        {"left, field right", 1, 0, 0, "", "AB", "12", 0, 380},
        {"left, nothing but the field", 1, 0, 0, "", "", "12", 0, 430},
        {"right: space before the text", 2, 0, 0, "", "AB", "", 100, 105},
        {"right, area left", 2, -1, -1, "", "AB", "", 100, 40},
        {"right, field left: unchanged", 2, 0, -1, "12", "AB", "", 0, -1},
        {"right, nothing but a field left", 2, 0, -1, "12", "", "", 0, 435},
        {"centred", 3, 0, 0, "", "AB", "", 40, 435},
        {"centred beside the area", 3, -1, 0, "", "AB", "", 40, 370},
        {"unknown alignment: unchanged", 7, 0, 0, "", "AB", "", 0, -1},
    };
    for (const WidthCase& c : cases) {
        SCOPED_TRACE(c.name);
        testtext::ResetAll();
        testtext::StartPage(96, 16, "1");
        gRouteNoLeft = c.routeLeft;
        gRouteNoAreaWidth = 60;
        gCursorX = c.firstX;
        Type(c.fieldFirst, 1);
        Type(c.text);
        Type(c.fieldAfter, 1);
        gShowLineNo = c.showLineNo;
        gTextAlignment = c.alignment;
        const int16_t before = Row(gCurrentRow).FreeWidth;
        RecalcRowWidths();
        EXPECT_EQ(Row(gCurrentRow).FreeWidth, c.expected == -1 ? before : c.expected);
    }
}

TEST_F(EditStateTest, FreeHeightCountsTheRowsOnlyInAutomaticLayout) {
    testtext::StartPage(96, 40, "1");  // inner height 200
    Type("A\nB");
    EXPECT_EQ(CalcRowCount(), 200);
    gAutoMode = -1;
    EXPECT_EQ(CalcRowCount(), 130);  // two rows of 35
}

TEST_F(EditStateTest, CentringMovesTheWholeBlockOrTheCursorOfAnEmptyPage) {
    testtext::StartPage(96, 48, "1");  // inner height 240
    gAutoMode = -1;
    gCharHeight = 35;
    CenterRowVertically();
    EXPECT_EQ(gCursorY, 100);  // (240 - 35) \ 2 \ 5 x 5

    Type("AB\nC");  // rows pitched 40 apart: text block 70 high
    const int16_t y1 = Cell(1).Y, y3 = Cell(3).Y;
    EXPECT_EQ(y3 - y1, 40);
    EXPECT_EQ(y1, 85);  // free height 170: 85
    CenterRowVertically();
    EXPECT_EQ(Cell(1).Y, y1);  // already centred: no move
    EXPECT_EQ(Cell(3).Y, y3);

    for (int16_t c : {1, 2, 3}) Cell(c).Y = static_cast<int16_t>(Cell(c).Y - 40);
    CenterRowVertically();
    EXPECT_EQ(Cell(1).Y, 85);  // both rows move by the same delta
    EXPECT_EQ(Cell(3).Y, 125);
}

TEST_F(EditStateTest, RowAndCellLookups) {
    testgfx::MakeSign(96, 16);
    RefreshEditor(0, 0);
    EXPECT_EQ(HitTestRow(3, 3), 0);  // an editor without cells
    gStartRow = 0;
    EXPECT_EQ(HitTestRow(3, 3), 0);  // without rows

    testtext::ResetAll();
    testtext::StartPage(96, 16, "1");
    Type("AB\nCD");
    // A 0..25 x 0..35, B 25..50, C 0..25 x 35..70, D 25..50
    EXPECT_EQ(FindRowOfCell(2), 1);
    EXPECT_EQ(FindRowOfCell(4), Row(1).NextRow);
    EXPECT_EQ(FindRowOfCell(200), 0);
    EXPECT_TRUE(CellWithinLimits(0, 999, 999));
    EXPECT_TRUE(CellWithinLimits(1, 25, 35));  // right and bottom edges are inside
    EXPECT_FALSE(CellWithinLimits(1, 26, 10));
    EXPECT_EQ(HitTestRow(10, 10), 1);
    EXPECT_EQ(HitTestRow(25, 10), 1);  // the shared edge: the first cell in reading order
    EXPECT_EQ(HitTestRow(40, 50), 4);
    EXPECT_EQ(HitTestRow(60, 50), 0);
}

}  // namespace

namespace {

TEST_F(EditStateTest, RefreshEditorStartsAnEmptyPage) {
    struct SlotHead : testgfx::FakeHead {
        void SelectK4000Graphic(int16_t k) override { selected.push_back(k); }
        std::vector<int16_t> selected;
    } slotHead;
    std::vector<int16_t> slots;
    testtext::StartPage(112, 16, "1");
    gEditorHooks.storeEditorPage = [&](int16_t slot) { slots.push_back(slot); };
    Type("AB\nCD");
    gDefaultStartFont[16 - 7] = "7";
    gDefaultRouteNoFont[16 - 7] = "h";
    SignInfoOf(2).GraphicIndex = 1;
    gHasGraphic = -1;
    gGraphicText = "strips";
    gShowLineNo = -1;
    gRouteNoLeft = -1;
    gRouteNoX = 5;
    gRouteNoAreaWidth = 60;

    RefreshEditor(0, -1);
    EXPECT_EQ(slots, std::vector<int16_t>{1});  // only the current sign's slot
    EXPECT_TRUE(slotHead.selected.empty());
    EXPECT_EQ(gStartRow, 1);
    EXPECT_EQ(gCurrentRow, 1);
    EXPECT_EQ(gRowFreeHead, 2);
    EXPECT_EQ(gCellFreeHead, 1);
    EXPECT_EQ(gCursorCell, 0);
    EXPECT_EQ(Row(1).FirstCell, 0);
    EXPECT_EQ(Row(2).FreeWidth, 500);  // the area's width kept free
    EXPECT_EQ(gCursorX, 70);           // beside the route number at the left end
    EXPECT_EQ(gCursorY, 0);
    EXPECT_EQ(gRouteNoFont, "h");
    EXPECT_EQ(gCurrentFontCode, "1");  // the start font only in automatic layout
    EXPECT_EQ(gHasGraphic, 0);
    EXPECT_EQ(gGraphicText, "");
    // The route-number header alone; the redraw measured the area in "h",
    // 7 dots high, so its bottom row is 6.
    EXPECT_EQ(gRouteNoAreaHeight, 35);
    EXPECT_EQ(testtext::Bytes(), "d2 01 d3 06 d4 68 f2");

    gShowLineNo = 0;
    gAutoMode = -1;
    slots.clear();
    RefreshEditor(-1, -1);
    EXPECT_EQ(slots, (std::vector<int16_t>{0, 1, 2}));
    EXPECT_EQ(slotHead.selected, std::vector<int16_t>{1});
    EXPECT_EQ(gCurrentFontCode, "7");
    EXPECT_EQ(gCharHeight, 80);
    EXPECT_EQ(gCursorY, 0);  // (80 - 80) \ 10 x 5
    Type("A");
    EXPECT_EQ(Row(gStartRow).FirstCell, 1);
}

}  // namespace
