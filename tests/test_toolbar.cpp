// The toolbar's editing keys and the tool state: the mode switch and what
// each mode offers, the graphic tools with their pointer, undo copy and pen
// keys, the operations on a selection, alignment and insert mode, and the
// font step of the marked cells.
#include "data/destcodes.h"
#include "data/fontlist.h"
#include "data/language.h"
#include "data/startup.h"
#include "engine/dotlayers.h"
#include "engine/transforms.h"
#include "support/fake_window.h"
#include "support/tools_state.h"

using namespace kv;
using testgfx::Art;
using testgfx::PutArt;

namespace {

class ToolbarTest : public testtools::ToolsTest {
protected:
    void SetUp() override {
        ToolsTest::SetUp();
        Start(8, 4);
    }
    bool Enabled(int16_t b) { return head.ToolbarButtonEnabled(b); }
};

TEST_F(ToolbarTest, TheModeSwitchOffersEachModesControls) {
    gCurrentTool = 3;
    ToolbarKey("GraphMode", false);
    EXPECT_EQ(gEditorActive, 2);
    for (int16_t b = 9; b <= 18; ++b) EXPECT_FALSE(Enabled(b)) << b;
    for (int16_t b = 19; b <= 26; ++b) EXPECT_TRUE(Enabled(b)) << b;
    EXPECT_TRUE(head.enabled["Import_e"]);
    EXPECT_TRUE(head.enabled["Export_e"]);
    EXPECT_FALSE(head.enabled["auto_e"]);
    EXPECT_FALSE(head.enabled["T_e"]);
    EXPECT_FALSE(head.timer);
    EXPECT_FALSE(head.cursorShown);
    EXPECT_FALSE(head.fontStepShown);
    EXPECT_EQ(head.toolImage, 3);  // the last tool chosen again
    EXPECT_EQ(head.pointer, 1);
    EXPECT_EQ(head.shown, 1);
    EXPECT_EQ(head.focusCalls, 1);

    // The selection tool stays chosen through text mode; its selection ends.
    ToolbarKey("Sax", false);
    gAreaSelected = kTrue;
    ToolbarKey("TextMode", true);  // while a project opens: no repaint
    EXPECT_EQ(gEditorActive, 1);
    EXPECT_EQ(gAreaSelected, 0);
    EXPECT_EQ(gCurrentTool, 20);
    EXPECT_EQ(head.shown, 1);
    EXPECT_EQ(head.pointer, 0);
    EXPECT_EQ(head.drawStyle, 3);
    EXPECT_TRUE(head.timer);
    EXPECT_TRUE(head.fontStepShown);
    for (int16_t b = 9; b <= 18; ++b) EXPECT_TRUE(Enabled(b)) << b;
    for (int16_t b = 22; b <= 26; ++b) EXPECT_FALSE(Enabled(b)) << b;
    head.toolImage = -1;
    ToolbarKey("GraphMode", false);
    EXPECT_EQ(head.toolImage, 20);
    EXPECT_EQ(head.drawStyle, 3);
}

TEST_F(ToolbarTest, PenKeysFollowThePointTool) {
    ToolbarKey("GraphMode", false);
    head.buttons[20] = 1;  // the group's pressed button
    ToolbarKey("Point", false);
    for (int16_t b = 28; b <= 31; ++b) EXPECT_TRUE(Enabled(b)) << b;
    ToolbarKey("Dot3", false);
    EXPECT_EQ(gPenSize, 2);
    EXPECT_EQ(head.penImage, 2);
    EXPECT_EQ(head.pointerPen, 2);
    head.buttons[20] = 0;
    ToolbarKey("Line", false);
    EXPECT_EQ(gCurrentTool, 2);
    EXPECT_EQ(head.pointer, 2);
    EXPECT_EQ(head.drawStyle, 0);
    for (int16_t b = 28; b <= 31; ++b) EXPECT_FALSE(Enabled(b)) << b;
    // In text mode the point button is disabled, and so are the pens.
    head.buttons[20] = 1;
    ToolbarKey("TextMode", false);
    for (int16_t b = 28; b <= 31; ++b) EXPECT_FALSE(Enabled(b)) << b;
    // The graphic mode starts with the point tool.
    gCurrentTool = 0;
    StartToolState();
    EXPECT_EQ(gCurrentTool, 3);
    EXPECT_EQ(head.buttons[20], 1);
}

TEST_F(ToolbarTest, UndoBringsBackTheCopyTakenWhenTheToolWasChosen) {
    gEditorActive = 2;
    PutArt(0, {"#"});
    ToolbarKey("Rect", false);
    EXPECT_EQ(head.undoEnabled, std::vector<bool>{true});
    Drag(1, 1, 1, 4, 3);
    ASSERT_NE(Art(0, 8, 4, 0), "#.......\n........\n........\n........\n");
    gGraphicModified = kFalse;
    ToolbarKey("Undo", false);
    EXPECT_EQ(Art(0, 8, 4, 0), "#.......\n........\n........\n........\n");
    EXPECT_EQ(gGraphicModified, kFalse);
    // An empty graphic takes no copy.
    ClearGraphicLayer();
    head.undoEnabled.clear();
    ToolbarKey("Line", false);
    EXPECT_TRUE(head.undoEnabled.empty());
}

TEST_F(ToolbarTest, SelectionKeysNeedASelection) {
    gEditorActive = 2;
    PutArt(0, {"##", "#."});
    const std::string art = Art(0, 8, 4, 0);
    for (const char* key : {"MirrorHor", "MirrorVer", "InvGraph", "RotCW", "RotCCW", "DeleteGraph"}) {
        SCOPED_TRACE(key);
        ToolbarKey(key, false);
        EXPECT_EQ(Art(0, 8, 4, 0), art);
    }
    EXPECT_EQ(ui.beeps, 1);  // the delete key says so
    EXPECT_EQ(gGraphicModified, 0);
    gSelX1 = 0, gSelY1 = 0, gSelX2 = 10, gSelY2 = 10;
    gAreaSelected = kTrue;
    ToolbarKey("MirrorHor", false);
    EXPECT_EQ(Art(0, 8, 4, 0), "##......\n.#......\n........\n........\n");
    EXPECT_EQ(gGraphicModified, kTrue);
    head.frames.clear();
    ToolbarKey("DeleteGraph", false);
    EXPECT_EQ(Art(0, 8, 4, 0), "........\n........\n........\n........\n");
    EXPECT_EQ(head.frames, std::vector<int32_t>{0xFFFFFF});
    EXPECT_EQ(gAreaSelected, kTrue);
}

TEST_F(ToolbarTest, AlignmentAndInsertModeKeys) {
    Type("AB");
    ToolbarKey("Right", false);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{-5, 20}));  // "AB" on 8 dots: flush with the end
    EXPECT_EQ(head.buttons[12], 1);
    ToolbarKey("Left", false);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 25}));
    EXPECT_EQ(head.buttons[12], 0);
    EXPECT_EQ(head.buttons[10], 1);

    std::string caption;
    testutil::CaptionWindow window(caption);
    gTextS6 = "Store";
    head.buttons[14] = 1;
    ToolbarKey("Automatik", false);
    EXPECT_EQ(gInsertMode, kTrue);
    EXPECT_EQ(caption, "Store...");
    head.buttons[14] = 0;
    ToolbarKey("Automatik", false);
    EXPECT_EQ(gInsertMode, kFalse);
    EXPECT_EQ(caption, "Store");
    gTextS6.clear();
    // The window's own keys are left to it.
    EXPECT_FALSE(ToolbarKey("Save", false));
    EXPECT_TRUE(ToolbarKey("Left", false));
}

TEST_F(ToolbarTest, TheFontStepWalksTheProjectsFonts) {
    testtools::ResetAll();
    Start(40, 16);
    gFontIds = {" ", "1", "4", "7", " "};
    gFontIdCount = 3;
    Type("AB");
    Type("C");
    MarkCellsInRect(0, 0, 60, 40);
    UpdateMarkFrame();
    ASSERT_EQ(MarkedCount(), 2);
    RefreshFromText(1);
    EXPECT_EQ(Cell(1).FontCode, '4');
    EXPECT_EQ(Cell(2).FontCode, '4');
    EXPECT_EQ(Cell(3).FontCode, '1');
    EXPECT_EQ(Cell(3).X, 60);  // the row closes up behind the wider marked cells
    EXPECT_EQ(gCurrentFontCode, "4");
    EXPECT_EQ(head.focusCalls, 1);
    RefreshFromText(2);
    RefreshFromText(2);  // at the list's start: a beep, no wrap
    EXPECT_EQ(Cell(1).FontCode, '1');
    EXPECT_EQ(ui.beeps, 1);
    // In the automatic layout the end of the list is a message.
    gAutoMode = kTrue;
    gTextS95 = "No smaller font";
    RefreshFromText(2);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No smaller font");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    gTextS95.clear();
    // Nothing marked: the font of the typing steps.
    CancelMarking();
    gAutoMode = kFalse;
    RefreshFromText(1);
    EXPECT_EQ(gCurrentFontCode, "4");
    EXPECT_EQ(Cell(1).FontCode, '1');
}

TEST_F(ToolbarTest, ThePointerOverTheToolbarPausesTheCursor) {
    ToolbarMouseMove();
    EXPECT_FALSE(head.timer);
    EXPECT_TRUE(CursorTimerOff);
    ResumeCursorTimer();
    EXPECT_TRUE(head.timer);
    EXPECT_FALSE(CursorTimerOff);
    // In graphic mode the cursor stays off.
    gEditorActive = 2;
    head.timer = false;
    ToolbarMouseMove();
    AfterSignPictureMouseMove();
    EXPECT_FALSE(head.timer);
    EXPECT_FALSE(CursorTimerOff);
}

}  // namespace
