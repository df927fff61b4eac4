// Alignment of the cursor row: where the cells and the cursor go, the room
// kept for the route-number area and the first row's route-number field, the
// toolbar's alignment buttons, and the page keys of the route-number typing.
// Font "1": A, B and digits 25 wide (five dots with the spacing), 35 high.
#include "support/tools_state.h"

using namespace kv;
using testtext::Type;

namespace {

class AlignmentTest : public testtools::ToolsTest {};

TEST_F(AlignmentTest, RowsWithCellsMoveAsOneAndTheCursorFollows) {
    // 40 dots: 200 units; "AB" spans 50 units (its last dot of spacing included).
    struct Case {
        int16_t alignment;
        bool areaShown, areaLeft;
        int16_t firstX;  // X of A afterwards
    };
    const Case cases[] = {
        {1, false, false, 0},
        {2, false, false, 155},      // B's right edge at 200 + 5
        {1, true, true, 35},         // after the area of 30 and its dot
        {2, true, false, 200 - 35 - 50},
        {2, true, true, 155},        // the area on the left leaves the right end free
        {0, false, false, 60},       // no alignment: nothing moves
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment * 100 + c.areaShown * 10 + c.areaLeft);
        testtools::ResetAll();
        Start(40, 8);
        Type("AB");
        ShiftCells(PageFirstCell(), 60, -1, false);
        gCursorX = 110;
        gShowLineNo = VbBool(c.areaShown);
        gRouteNoLeft = VbBool(c.areaLeft);
        gRouteNoAreaWidth = 30;
        head.buttons = {{10, 1}, {11, 1}, {12, 1}};
        SetAlignment(c.alignment, false, false, true);
        EXPECT_EQ(Xs(), (std::vector<int16_t>{c.firstX, static_cast<int16_t>(c.firstX + 25)}));
        EXPECT_EQ(gCursorX, c.firstX + 50);  // after B
        EXPECT_EQ(gTextAlignment, c.alignment);
        EXPECT_EQ(Row(gCurrentRow).Alignment, c.alignment);
        // Its button is pressed, the others released.
        for (int16_t b : {10, 11, 12})
            EXPECT_EQ(head.buttons[b], (c.alignment == 1 && b == 10) || (c.alignment == 2 && b == 12) ? 1 : 0) << b;
    }
}

TEST_F(AlignmentTest, EmptyRowsPlaceTheCursor) {
    struct Case {
        int16_t alignment;
        int sign;  // dots wide
        bool areaShown, areaLeft;
        int16_t cursorX;
    };
    const Case cases[] = {
        {1, 40, false, false, 0},   {1, 40, true, true, 35},   {1, 40, true, false, 0},
        {2, 40, false, false, 205}, {2, 40, true, false, 165}, {2, 40, true, true, 205},
        {3, 40, false, false, 100}, {3, 41, false, false, 102},  // 102.5 to the even neighbour
        {3, 40, true, true, 118},   {3, 40, true, false, 82},    // (200 + 35) / 2 and (200 - 35) / 2
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment * 1000 + c.sign * 10 + c.areaShown);
        testtools::ResetAll();
        Start(c.sign, 8);
        gShowLineNo = VbBool(c.areaShown);
        gRouteNoLeft = VbBool(c.areaLeft);
        gRouteNoAreaWidth = 30;
        SetAlignment(c.alignment, true, false, true);
        EXPECT_EQ(gCursorX, c.cursorX);
        EXPECT_TRUE(head.buttons.empty() || head.buttons[11] == 0);  // keepKeys: no button pressed
    }
}

TEST_F(AlignmentTest, ASelectionMovesWithTheRowAndRedrawPaints) {
    Start(40, 8);
    Type("AB");
    gAreaSelected = kTrue;
    gSelX1 = 5;
    gSelX2 = 40;
    head.frames.clear();
    SetAlignment(2, false, true, true);
    EXPECT_EQ(gSelX1, 160);
    EXPECT_EQ(gSelX2, 195);
    EXPECT_EQ(head.frames, (std::vector<int32_t>{0, 0xFFFFFF}));
    EXPECT_EQ(head.shown, 1);
}

TEST_F(AlignmentTest, TheFirstRowsRouteNumberFieldGoesToItsEnd) {
    // "AB" and a field "12" of two cells, moved off their places: the field
    // goes to its end of the sign, the text to the other end or beside it.
    for (bool left : {false, true}) {
        SCOPED_TRACE(left);
        testtools::ResetAll();
        Start(40, 8);
        gRouteNoLeft = VbBool(left);
        if (left) {
            testtext::Type("12", 1);
            Type("AB");
        } else {
            Type("AB");
            testtext::Type("12", 1);
        }
        ShiftCells(PageFirstCell(), 20, -1, true);
        SetAlignment(1, false, false, true);
        EXPECT_EQ(testtext::ChainText(), left ? "12AB" : "AB12");
        EXPECT_EQ(Xs(), left ? (std::vector<int16_t>{0, 25, 50, 75}) : (std::vector<int16_t>{0, 25, 155, 180}));
        ShiftCells(PageFirstCell(), 10, -1, true);
        SetAlignment(2, false, false, true);
        EXPECT_EQ(Xs(), left ? (std::vector<int16_t>{0, 25, 155, 180}) : (std::vector<int16_t>{105, 130, 155, 180}));
    }
}

TEST_F(AlignmentTest, CentringARowInWholeDots) {
    // "AB" is 45 units wide without its last dot of spacing: (200 - 45) / 2
    // is 77, rounded up to a whole dot, 80, where "AB" typed into a centred
    // row stands too.
    Start(40, 8);
    Type("AB");
    SetAlignment(3, false, false, true);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{80, 105}));
    EXPECT_EQ(gCursorX, 130);
    EXPECT_EQ(head.buttons[11], 1);
    EXPECT_EQ(gTextAlignment, 3);
}

TEST_F(AlignmentTest, PageKeysActOnlyWhileASignPictureHasTheFocus) {
    Start(40, 16);
    Type("AB\nCD");
    ASSERT_EQ(gCurrentRow, 2);
    head.focusOnSign = false;
    K4000_PageUp();
    EXPECT_EQ(gCurrentRow, 2);
    head.focusOnSign = true;
    K4000_PageUp();
    EXPECT_EQ(gCurrentRow, 1);
    EXPECT_EQ(gCursorCell, 2);  // after B, nearest to D
    // Page Down ends at the end of the next row.
    testtext::CursorAfter(1, 1);
    K4000_PageDown();
    EXPECT_EQ(gCurrentRow, 2);
    EXPECT_EQ(gCursorCell, 4);
    EXPECT_EQ(gCursorX, 50);
    // Not with a selection, not in graphic mode.
    gAreaSelected = kTrue;
    K4000_PageUp();
    EXPECT_EQ(gCurrentRow, 2);
    gAreaSelected = kFalse;
    gEditorActive = 2;
    K4000_PageUp();
    EXPECT_EQ(gCurrentRow, 2);
}

}  // namespace
