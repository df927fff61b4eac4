// The edit commands on the sign pictures, the graphic export and import and
// the cursor timer's blink.
#include "app/cutprefs.h"
#include "app/signcontrols.h"
#include "app/textrows.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/settings.h"
#include "engine/dotlayers.h"
#include "engine/graphicfile.h"
#include "engine/textstrip.h"
#include "files/document.h"
#include "support/testutil.h"
#include "support/tools_state.h"

using namespace kv;
using testgfx::Art;
using testgfx::Hex;
using testgfx::PutArt;
using testtext::RowTexts;

namespace {

class EditCommandsTest : public testtools::ToolsTest {
protected:
    void SetUp() override {
        ToolsTest::SetUp();
        Start(8, 4);
    }
    void TearDown() override {
        gDocumentPath.clear();
        gOpenSavePath.clear();
        gSettingsFile.clear();
        ToolsTest::TearDown();
    }
    static void Select(int16_t x1, int16_t y1, int16_t x2, int16_t y2) {
        gSelX1 = x1, gSelY1 = y1, gSelX2 = x2, gSelY2 = y2;
        gAreaSelected = kTrue;
    }
};

TEST_F(EditCommandsTest, CopyAndPasteAGraphic) {
    gEditorActive = 2;
    PutArt(0, {"#.", "##"});
    Select(0, 0, 10, 10);
    CopyOnSignPicture();
    EXPECT_EQ(gGraphicClipboard, SelectionToText());
    EXPECT_EQ(gGraphicModified, kTrue);
    EXPECT_EQ(Art(0, 8, 4, 0), "#.......\n##......\n........\n........\n");  // copying keeps the dots
    Select(25, 10, 35, 20);
    PasteOnSignPicture();
    EXPECT_EQ(Art(0, 8, 4, 0), "#.......\n##......\n.....#..\n.....##.\n");
    EXPECT_EQ(head.focusCalls, 2);
}

TEST_F(EditCommandsTest, CopyAndPasteCells) {
    testtools::ResetAll();
    Start(40, 16);
    Type("AB");
    MarkCellsInRect(0, 0, 60, 40);
    UpdateMarkFrame();
    CopyOnSignPicture();
    CancelMarking();
    gTextModified = kFalse;
    PasteOnSignPicture();
    EXPECT_EQ(RowTexts(), std::vector<std::string>{"ABAB"});
    EXPECT_EQ(gTextModified, kTrue);
    EXPECT_EQ(head.shown, 1);
}

TEST_F(EditCommandsTest, DeleteOnThePicture) {
    gEditorActive = 2;
    PutArt(0, {"##", "##"});
    DeleteOnSignPicture();  // nothing selected
    EXPECT_EQ(Art(0, 8, 4, 0), "##......\n##......\n........\n........\n");
    Select(5, 0, 10, 10);
    DeleteOnSignPicture();
    EXPECT_EQ(Art(0, 8, 4, 0), "#.......\n#.......\n........\n........\n");
    EXPECT_EQ(head.frames.back(), 0xFFFFFF);
    EXPECT_EQ(gGraphicModified, kTrue);

    // Text mode: the marked cells go, the row is aligned again.
    testtools::ResetAll();
    Start(40, 16);
    Type("ABC");
    SetAlignment(2, true, false, true);
    MarkCellsInRect(120, 0, 180, 40);  // A and B
    UpdateMarkFrame();
    DeleteOnSignPicture();
    EXPECT_EQ(RowTexts(), std::vector<std::string>{"C"});
    EXPECT_EQ(Xs(), std::vector<int16_t>{180});
    EXPECT_EQ(gAreaSelected, 0);
}

TEST_F(EditCommandsTest, DeleteAllEmptiesThePageOrTheStrip) {
    Type("AB");
    PutArt(0, {"#"});
    gTextModified = kTrue;
    gRealignPending = kTrue;
    DeleteAllOnSign();
    EXPECT_EQ(testtext::ChainText(), "");
    EXPECT_EQ(GetGraphicPixel(0, 0, 0), 0);
    EXPECT_EQ(gTextModified, kFalse);
    EXPECT_EQ(gRealignPending, kFalse);
    EXPECT_TRUE(head.enabled["ShowLineNo_e"]);  // menu state 0
    // A text sign: only its strip.
    PutArt(0, {"#"});
    gTextSignActive = kTrue;
    gCodeCount = 3;
    DeleteAllOnSign();
    EXPECT_EQ(gCodeCount, 0);
    EXPECT_NE(GetGraphicPixel(0, 0, 0), 0);
    gTextSignActive = kFalse;
}

TEST_F(EditCommandsTest, AutomaticLayoutAsksAboutUnsavedEdits) {
    Type("A");
    gTextModified = kTrue;
    ui.answers = {vbCancel};
    ToggleAutomaticLayout();
    EXPECT_EQ(gAutoMode, 0);
    EXPECT_EQ(testtext::ChainText(), "A");
    ui.answers = {vbOK};
    ToggleAutomaticLayout();
    EXPECT_EQ(gAutoMode, kTrue);
    EXPECT_TRUE(head.checked["auto_e"]);
    EXPECT_FALSE(head.enabled["Font_e"]);
    EXPECT_EQ(testtext::ChainText(), "");
}

TEST_F(EditCommandsTest, GraphicFilesOutAndIn) {
    testutil::TempDir dir;
    gEditorActive = 2;
    // The proposals: beside the project, or in the document folder.
    gDocumentPath = "C:\\a\\b.txl";
    EXPECT_EQ(GraphicFileProposal(), "C:\\a\\b.grf");
    gDocumentPath.clear();
    gOpenSavePath = dir.path();
    EXPECT_EQ(GraphicFileProposal(), JoinPath(dir.path(), "*.grf"));

    // No selection: a beep and S123.
    gLanguageFile = JoinPath(dir.path(), "English.lng");
    gLanguage = "English";
    testutil::WriteFile(gLanguageFile, "[English]\r\nS123=\"Select first\"\r\n");
    EXPECT_FALSE(CanExportGraphic());
    EXPECT_EQ(ui.beeps, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Select first");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    gLanguageFile.clear();
    gLanguage.clear();

    // Only the top-left dot of a selection of 3 x 2 dots: its length (9) in
    // two bytes, high first, then one run at (0, 4) of the strip font "w"
    // with three slices: bit 0 for the strip's top row, then the two blank
    // columns of the selection.
    PutArt(0, {"#"});
    Select(0, 0, 15, 10);
    ASSERT_TRUE(CanExportGraphic());
    const std::string file = JoinPath(dir.path(), "dot.grf");
    ASSERT_TRUE(ExportGraphic(file));
    EXPECT_EQ(Hex(testutil::ReadFile(file)), "00 09 d2 00 d3 04 d4 77 21 20 20");

    // An empty selection: S39 and no file.
    gTextS39 = "Nothing to save";
    Select(20, 10, 30, 20);
    EXPECT_FALSE(ExportGraphic(JoinPath(dir.path(), "none.grf")));
    EXPECT_EQ(ui.messages.back().text, "Nothing to save");
    EXPECT_FALSE(FileExists(JoinPath(dir.path(), "none.grf")));
    gTextS39.clear();

    // Imported into a selection it is drawn from the selection's corner.
    ClearGraphicLayer();
    gGraphicModified = kFalse;
    Select(15, 5, 25, 15);
    EXPECT_TRUE(ImportGraphic(file));
    EXPECT_EQ(Art(0, 8, 4, 0), "........\n...#....\n........\n........\n");
    EXPECT_EQ(gGraphicModified, kTrue);
    // A file that is not there, or holds no graphic: a beep, nothing else.
    testutil::WriteFile(JoinPath(dir.path(), "bad.grf"), "xyz");
    gGraphicModified = kFalse;
    const int beeps = ui.beeps;
    EXPECT_FALSE(ImportGraphic(JoinPath(dir.path(), "missing.grf")));
    EXPECT_FALSE(ImportGraphic(JoinPath(dir.path(), "bad.grf")));
    EXPECT_EQ(ui.beeps, beeps + 2);
    EXPECT_EQ(gGraphicModified, kFalse);
    EXPECT_EQ(Art(0, 8, 4, 0), "........\n...#....\n........\n........\n");
}

TEST_F(EditCommandsTest, TheCursorBlinksWhereTheCursorStands) {
    testtools::ResetAll();
    Start(112, 16);
    struct Case {
        int16_t dotSize, cursorX;
        bool before;
        std::tuple<int32_t, int32_t, int32_t, int32_t> place;  // left, top, width, height
    };
    const Case cases[] = {
        {4, 600, false, {555, 10, 5, 35}},  // past the right edge: on the last dot column
        {4, 50, false, {45, 10, 5, 35}},
        {4, 50, true, {50, 10, 5, 35}},
        {1, 50, false, {18, 4, 3, 14}},  // 0.4 pixels a unit: 3 pixels wide
        {2, 50, false, {27, 6, 3, 21}},  // 0.6: 3 x 0.6 = 1.8 ... rounds to 3
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dotSize * 1000 + c.cursorX);
        SignInfoOf(gCurrentSign).DotSize = c.dotSize;
        gCursorX = c.cursorX;
        gCursorY = 10;
        gCursorBeforeCell = VbBool(c.before);
        const bool shown = head.cursorShown;
        CursorTimerTick();
        EXPECT_EQ(head.cursorShown, !shown);
        EXPECT_EQ(head.cursorPlace, c.place);
    }
}

TEST_F(EditCommandsTest, TheWaveOfTheTextAndTheStripCursor) {
    Type("AB");
    head.cursorShown = true;
    gBlinkState = 3;
    CursorTimerTick();
    EXPECT_FALSE(head.cursorShown);  // hidden while the text waves
    EXPECT_TRUE(TextWaveRunning());
    EXPECT_NE(head.interval, 200);
    // The wave ends when the state goes back; the blink's interval returns.
    gBlinkState = 0;
    CursorTimerTick();
    EXPECT_FALSE(TextWaveRunning());
    EXPECT_EQ(head.interval, 200);
    EXPECT_EQ(Cell(1).Y, 0);
    CursorTimerTick();
    EXPECT_TRUE(head.cursorShown);

    gTextSignActive = kTrue;
    gCursorX = 61;
    gCursorY = 1;
    gCharHeight = 35;
    CursorTimerTick();
    EXPECT_TRUE(head.stripCursorShown);
    EXPECT_EQ(head.stripCursorPlace, std::make_tuple(61, 1, 5, 35));
    CursorTimerTick();
    EXPECT_FALSE(head.stripCursorShown);
    gTextSignActive = kFalse;
}

TEST(CutPreferences, WrittenOnlyWhenChanged) {
    testutil::TempDir dir;
    gSettingsFile = JoinPath(dir.path(), "kivar.lib");
    testutil::WriteFile(gSettingsFile, "[Generell]\r\nLanguage=\"English\"\r\n");
    EXPECT_EQ(LoadCutMode(), 0);
    StoreCutMode(false, false);
    EXPECT_EQ(testutil::ReadFile(gSettingsFile), "[Generell]\r\nLanguage=\"English\"\r\n");
    StoreCutMode(true, true);
    EXPECT_EQ(gCutMode, 3);
    EXPECT_EQ(IniGetValue(gSettingsFile, "Generell", "CutPreferences", kIniOpenClose), "3");
    gCutMode = 0;
    EXPECT_EQ(LoadCutMode(), 3);
    gCutMode = 0;
    gSettingsFile.clear();
}

}  // namespace
