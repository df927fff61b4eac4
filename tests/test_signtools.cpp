// The mouse on the graphic sign picture as plain events (button, x and y in
// fifths of a dot): the graphic tools and their known dot patterns, the
// selection and its move in the four cut modes, and in text mode marking
// cells and dragging them.
#include "data/settings.h"
#include "engine/dotlayers.h"
#include "engine/marking.h"
#include "support/tools_state.h"

using namespace kv;
using testgfx::Art;
using testgfx::PutArt;

namespace {

class SignToolsTest : public testtools::ToolsTest {
protected:
    void SetUp() override {
        ToolsTest::SetUp();
        Start(8, 5);
        gEditorActive = 2;
    }
    std::string Dots() { return Art(0, 8, 5, 0); }
};

TEST_F(SignToolsTest, EachToolDrawsItsPattern) {
    struct Case {
        int16_t tool, pen;
        int x1, y1, x2, y2;
        const char* dots;
    };
    const Case cases[] = {
        {3, 0, 2, 1, 2, 1, "........\n..#.....\n........\n........\n........\n"},
        {3, 1, 3, 2, 3, 2, "........\n..##....\n..##....\n........\n........\n"},
        {3, 2, 3, 2, 3, 2, "........\n..###...\n..###...\n..###...\n........\n"},
        {3, 3, 3, 2, 3, 2, ".####...\n.####...\n.####...\n.####...\n........\n"},
        {3, 0, 1, 1, 5, 3, "........\n.#......\n........\n.....#..\n........\n"},  // freehand: the dots passed
        // y = x / 2 + 1 / 2 to the nearest dot, halves to even.
        {2, 0, 1, 1, 5, 3, "........\n.#......\n..###...\n.....#..\n........\n"},
        {1, 0, 1, 1, 5, 3, "........\n.#####..\n.#...#..\n.#####..\n........\n"},
        {4, 0, 0, 0, 0, 0, "########\n########\n########\n########\n########\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.tool) + "/" + std::to_string(c.pen));
        ClearGraphicLayer();
        gCurrentTool = c.tool;
        gPenSize = c.pen;
        gGraphicModified = kFalse;
        Drag(1, c.x1, c.y1, c.x2, c.y2);
        EXPECT_EQ(Dots(), c.dots);
        EXPECT_EQ(gGraphicModified, kTrue);
    }
    // The right button erases with the same tools.
    gCurrentTool = 1;
    Drag(2, 0, 0, 7, 4);
    EXPECT_EQ(Dots(), "........\n.######.\n.######.\n.######.\n........\n");
    gCurrentTool = 4;
    Click(2, 3, 2);
    EXPECT_EQ(Dots(), "........\n........\n........\n........\n........\n");
    EXPECT_EQ(ui.beeps, 0);
}

TEST_F(SignToolsTest, LineAndRectanglePreviewsFollowThePointer) {
    gCurrentTool = 2;
    K4000_pct_MouseDown(1, 0, 7, 7);
    K4000_pct_MouseMove(1, 0, 22, 12);
    K4000_pct_MouseMove(1, 0, 27, 12);
    // Dot centres: the preview line erased in black and drawn again in red.
    using testtools::Outline;
    EXPECT_EQ(head.outlines, (std::vector<Outline>{{0, 7, 7, 7, 7, false},
                                                   {255, 7, 7, 22, 12, false},
                                                   {0, 7, 7, 22, 12, false},
                                                   {255, 7, 7, 27, 12, false}}));
    EXPECT_FALSE(RubberBandShown);
}

TEST_F(SignToolsTest, ASelectionIsMadeByDraggingOnly) {
    gCurrentTool = 20;
    Click(1, 2, 2);
    EXPECT_EQ(gAreaSelected, kFalse);
    Drag(1, 5, 3, 1, 1);
    EXPECT_EQ(gAreaSelected, kTrue);
    EXPECT_EQ((std::vector<int16_t>{gSelX1, gSelY1, gSelX2, gSelY2}), (std::vector<int16_t>{5, 5, 25, 15}));
    for (int16_t b = 33; b <= 38; ++b) EXPECT_TRUE(head.enabledButtons[b]) << b;
    // The pointer shows where a press would move the selection.
    K4000_pct_MouseMove(0, 0, 12, 12);
    EXPECT_EQ(head.pointer, 5);
    K4000_pct_MouseMove(0, 0, 32, 12);
    EXPECT_EQ(head.pointer, 2);
    // The right button ends it; a rubber band stays on the sign.
    K4000_pct_MouseDown(2, 0, 12, 12);
    EXPECT_EQ(gAreaSelected, kFalse);
    EXPECT_FALSE(head.enabledButtons[33]);
    K4000_pct_MouseDown(1, 0, 12, 12);
    K4000_pct_MouseMove(1, 0, 200, -30);
    EXPECT_EQ(gSelX2, 40);
    EXPECT_EQ(gSelY2, 0);
    EXPECT_TRUE(RubberBandShown);
}

TEST_F(SignToolsTest, MovingTheSelectionFollowsTheCutMode) {
    // The block: a lit L with one unlit dot, moved two dots right onto a
    // lit dot of the target.
    struct Case {
        int16_t mode;
        const char* dots;
    };
    const Case cases[] = {
        {0, "........\n..###...\n..#.....\n........\n........\n"},  // just the lit dots, the old place emptied
        {1, "........\n..##....\n..#.....\n........\n........\n"},  // cut all: the unlit dot covers
        {2, "........\n#####...\n#.#.....\n........\n........\n"},  // keep old
        {3, "........\n####....\n#.#.....\n........\n........\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ClearGraphicLayer();
        CancelMarking();
        PutArt(0, {"", "##..#", "#."});
        gCutMode = c.mode;
        gCurrentTool = 20;
        Drag(1, 0, 0, 3, 3);  // dots 0..2
        ASSERT_EQ(gAreaSelected, kTrue);
        ASSERT_EQ(gSelX2, 15);
        K4000_pct_MouseDown(1, 0, 7, 7);
        EXPECT_EQ(gCurrentTool, 21);
        EXPECT_EQ(gSelectionText, SelectionToText());
        K4000_pct_MouseMove(1, 0, 12, 7);
        K4000_pct_MouseMove(1, 0, 17, 7);
        // The dots stay until the button is released.
        EXPECT_EQ(GetGraphicPixel(0, 1, 1), kTrue);
        K4000_pct_MouseUp(1, 0, 17, 7);
        EXPECT_EQ(Dots(), c.dots);
        EXPECT_EQ(gCurrentTool, 20);
        EXPECT_EQ(gSelX1, 10);
        EXPECT_EQ(gAreaSelected, kTrue);
    }
}

TEST_F(SignToolsTest, ASelectionIsNotDraggedOffTheSign) {
    PutArt(0, {"", "", "", "##"});
    gCurrentTool = 20;
    Drag(1, 0, 3, 2, 5);
    ASSERT_EQ(gSelY2, 25);
    // Down by one dot would carry the block's lower edge past the sign: the
    // block goes only sideways.
    K4000_pct_MouseDown(1, 0, 5, 20);
    K4000_pct_MouseMove(1, 0, 15, 25);
    K4000_pct_MouseUp(1, 0, 15, 25);
    EXPECT_EQ(Dots(), "........\n........\n........\n..##....\n........\n");
    EXPECT_EQ(gSelY2, 25);
}

// ------------------------------------------------------------------ text mode

class MarkingMouseTest : public testtools::ToolsTest {};

TEST_F(MarkingMouseTest, ARectangleMarksCellsAndADragMovesThem) {
    Start(40, 16);
    Type("AB\nC");
    Drag(1, 0, 0, 12, 6);
    EXPECT_EQ(gAreaSelected, -1);
    EXPECT_EQ(MarkedCount(), 2);
    EXPECT_EQ((std::vector<int16_t>{gSelX1, gSelY1, gSelX2, gSelY2}), (std::vector<int16_t>{0, 0, 45, 35}));
    // A press inside drags the cells; the sign is painted when it ends.
    const int shown = head.shown;
    K4000_pct_MouseDown(1, 0, 12, 12);
    EXPECT_EQ(gMarkMode, 21);
    K4000_pct_MouseMove(1, 0, 22, 12);
    AfterSignPictureMouseMove();
    EXPECT_EQ(head.shown, shown + 1);  // the alignment ended, the row shown once
    K4000_pct_MouseMove(1, 0, 32, 22);
    AfterSignPictureMouseMove();
    EXPECT_EQ(Xs(), (std::vector<int16_t>{20, 45, 0}));
    EXPECT_EQ(Cell(1).Y, 10);
    EXPECT_EQ(gTextAlignment, 0);
    K4000_pct_MouseUp(1, 0, 32, 22);
    EXPECT_EQ(gMarkMode, 20);
    EXPECT_EQ(head.frames.back(), 0xFFFFFF);
    // Dragged left past the edge they stop there.
    K4000_pct_MouseDown(1, 0, 32, 22);
    K4000_pct_MouseMove(1, 0, 2, 22);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{20, 45, 0}));
    K4000_pct_MouseUp(1, 0, 2, 22);
    // A rectangle over nothing ends the marking.
    Drag(1, 30, 10, 39, 15);
    EXPECT_EQ(gAreaSelected, 0);
    EXPECT_EQ(MarkedCount(), 0);
}

TEST_F(MarkingMouseTest, ADragFromTheSignsEdgeBeeps) {
    Start(10, 16);
    Type("AB");
    MarkCellsInRect(0, 0, 60, 30);
    UpdateMarkFrame();
    gSelX2 = 60;  // the marking reaches past the sign's 50 units
    K4000_pct_MouseDown(1, 0, 52, 12);
    ASSERT_EQ(gMarkMode, 21);
    K4000_pct_MouseMove(1, 0, 57, 12);
    EXPECT_EQ(gMarkMode, 0);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 25}));
}

}  // namespace
