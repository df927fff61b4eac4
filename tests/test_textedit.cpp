// Typing, deleting, splitting and joining rows on graphic sign pages, with
// the byte commands each page becomes. Fonts: "1" is 7 dots high (35) with
// A-D and digits 5 dots wide (25) and I 4 (20); "4" is 10 high (50), A-D 6
// wide (30), I 4 (20); "7" is 16 high (80), A-D 8 wide (40).
#include <gtest/gtest.h>

#include <algorithm>

#include "engine/editorview.h"
#include "engine/routenumber.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/text_state.h"

using namespace kv;
using testtext::Bytes;
using testtext::ChainText;
using testtext::CheckInvariants;
using testtext::CursorAfter;
using testtext::CursorBefore;
using testtext::RowTexts;
using testtext::Type;

namespace {

class TextEditTest : public ::testing::Test {
protected:
    void SetUp() override { testtext::ResetAll(); }
    void TearDown() override { testtext::ResetAll(); }
    // An empty page, with the marking and menu hooks recording.
    void Start(int w, int h, const std::string& font, bool autoMode = false) {
        testtext::StartPage(w, h, font, autoMode);
        gEditorHooks.markRow = [this](int16_t row) { marked.push_back(row); };
        gEditorHooks.setEditMenuState = [this](int16_t mode) { menuStates.push_back(mode); };
    }
    FakeUi ui;
    testgfx::FakeHead head;
    std::vector<int16_t> marked;
    std::vector<int16_t> menuStates;
};

struct PageCase {
    const char* name;
    int w, h;
    const char* font;
    bool autoMode;
    const char* keys;
    const char* bytes;
};

TEST_F(TextEditTest, TypedPagesBecomeTheirByteCommands) {
    const PageCase cases[] = {
        {"one row", 112, 16, "1", false, "AB", "d2 00 d3 06 d4 31 41 42"},
        {"two rows", 112, 16, "1", false, "AB\nCD", "d2 00 d3 06 d4 31 41 42 d2 00 d3 0d d4 31 43 44"},
        {"taller font, narrow glyph", 96, 24, "4", false, "AI\nB",
         "d2 00 d3 09 d4 34 41 49 d2 00 d3 13 d4 34 42"},
        {"16-dot font", 48, 16, "7", false, "AB", "d2 00 d3 0f d4 37 41 42"},
        // Automatic layout: the block stands centred, rows 8 dots apart.
        {"centred rows", 112, 16, "1", true, "AB\nCD", "d2 00 d3 07 d4 31 41 42 d2 00 d3 0f d4 31 43 44"},
        {"centred one row", 112, 16, "1", true, "AB", "d2 00 d3 0a d4 31 41 42"},
        {"backspace", 112, 16, "1", false, "ABC\b\bD", "d2 00 d3 06 d4 31 41 44"},
        {"row emptied and joined", 112, 16, "1", false, "AB\nCD\b\b\bE", "d2 00 d3 06 d4 31 41 42 45"},
        {"empty page", 112, 16, "1", false, "", ""},
        {"everything deleted", 112, 16, "1", false, "AB\b\b", ""},
        {"deleted and typed again", 112, 16, "1", false, "A\bB", "d2 00 d3 06 d4 31 42"},
        {"markup characters refused", 112, 16, "1", false, "A#\\<>B", "d2 00 d3 06 d4 31 41 42"},
    };
    for (const PageCase& c : cases) {
        SCOPED_TRACE(c.name);
        testtext::ResetAll();
        Start(c.w, c.h, c.font, c.autoMode);
        Type(c.keys);
        EXPECT_EQ(Bytes(), c.bytes);
        EXPECT_EQ(CheckInvariants(), "");
    }
}

TEST_F(TextEditTest, FontChangeInsideARowStartsANewRun) {
    Start(112, 16, "1");
    Type("A");
    ReadCharMap("7");
    Type("B");
    // B: font 7, 16 dots high from the top: bottom row 15.
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 d2 05 d3 0f d4 37 42");
    EXPECT_EQ(Row(1).RowHeight, 80);
}

TEST_F(TextEditTest, FirstCharacterOfAnEmptyPageGoesToTheCursor) {
    Start(112, 16, "1");
    gCursorX = 35;
    gCursorY = 10;
    Type("A");
    EXPECT_EQ(Row(1).FirstCell, 1);
    EXPECT_EQ(Cell(1).X, 35);
    EXPECT_EQ(Cell(1).Y, 10);
    EXPECT_EQ(gCursorX, 60);
    EXPECT_EQ(Row(1).FreeWidth, 560 - 25);
    EXPECT_EQ(Bytes(), "d2 07 d3 08 d4 31 41");
}

TEST_F(TextEditTest, EnterSplitsTheRowAndBackspaceJoinsItAgain) {
    Start(112, 16, "1");
    Type("ABCD");
    CursorAfter(2, 1);
    Type("\n");
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AB", "CD"}));
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 42 d2 00 d3 0d d4 31 43 44");
    EXPECT_EQ(gCursorCell, 3);
    EXPECT_EQ(gCursorBeforeCell, -1);
    EXPECT_EQ(gCursorX, 0);
    EXPECT_EQ(gCursorY, 35);  // on the moved cells' line
    EXPECT_EQ(Row(gCurrentRow).Alignment, Row(1).Alignment);

    Type("X");  // at the start of the new row
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AB", "XCD"}));
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 42 d2 00 d3 0d d4 31 58 43 44");

    CursorBefore(Row(gCurrentRow).FirstCell, gCurrentRow);
    Type("\b");
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"ABXCD"}));
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 42 58 43 44");
    EXPECT_EQ(gCurrentRow, 1);
    EXPECT_EQ(gRowFreeHead, 2);  // the row went back to the free list
    EXPECT_EQ(CheckInvariants(), "");
}

TEST_F(TextEditTest, EnterInAutomaticLayoutKeepsTheRowPitch) {
    Start(112, 16, "1", true);
    Type("ABCD");
    CursorAfter(2, 1);
    Type("\n");
    EXPECT_EQ(Bytes(), "d2 00 d3 07 d4 31 41 42 d2 00 d3 0f d4 31 43 44");
    EXPECT_EQ(gCursorY, Cell(3).Y);
}

TEST_F(TextEditTest, JoiningMovesTheRowsBelowUp) {
    Start(112, 32, "1");
    Type("A\nB\nC");
    CursorBefore(2, Row(1).NextRow);
    Type("\b");
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AB", "C"}));
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 42 d2 00 d3 0d d4 31 43");
    EXPECT_EQ(CheckInvariants(), "");
}

TEST_F(TextEditTest, WrappingStopsAtTheFirstCellNotNarrowerThanTheRoom) {
    Start(48, 32, "7");  // 240 wide
    Type("AAAA\nBC");    // row 1 has 80 left
    CursorBefore(5, Row(1).NextRow);
    Type("\b");
    // B (40 < 80) joins row 1; C (40, not < 40) stays and moves to the row start.
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AAAAB", "C"}));
    EXPECT_EQ(Bytes(), "d2 00 d3 0f d4 37 41 41 41 41 42 d2 00 d3 1f d4 37 43");
    EXPECT_EQ(gCurrentRow, 1);
    EXPECT_EQ(gCursorCell, 5);
    EXPECT_EQ(gCursorX, 200);
    EXPECT_EQ(CheckInvariants(), "");

    // Nothing fits at all: the page and the cursor stay as they were.
    CursorBefore(6, Row(1).NextRow);
    const std::string before = Bytes();
    Type("\b");
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(gCurrentRow, Row(1).NextRow);
    EXPECT_EQ(gCursorCell, 6);
    EXPECT_EQ(gCursorBeforeCell, -1);
}

TEST_F(TextEditTest, EnterRefusals) {
    Start(112, 48, "1");
    Type("A\nA\nA\nA\nA\nA\nA\nA\nA\nA");
    EXPECT_EQ(RowTexts().size(), 10u);
    Type("\n");  // all ten rows in use
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(RowTexts().size(), 10u);

    testtext::ResetAll();
    Start(48, 16, "7", true);  // automatic layout: no height left
    Type("A\n");
    EXPECT_EQ(ui.beeps, 2);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "S34");
    EXPECT_EQ(marked, std::vector<int16_t>{1});
    SplitRowAtCursor(true);  // silent
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(RowTexts().size(), 1u);

    Type("\b\n");  // Enter on an empty row does nothing
    EXPECT_EQ(RowTexts().size(), 1u);
}

TEST_F(TextEditTest, DeletingAcrossRowEnds) {
    Start(112, 32, "1");
    Type("AB\nC");
    CursorAfter(2, 1);
    Type("\b");  // the last cell of row 1: A ends the row now
    EXPECT_EQ(ChainText(), "A|C");

    testtext::ResetAll();
    Start(112, 32, "1");
    Type("A\nB\nC");
    CursorAfter(2, Row(1).NextRow);
    Type("\b");  // row 2 empty while the chain runs on into row 3
    EXPECT_EQ(gRelinkEmptyRow, -1);
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"A", "", "C"}));
    Type("X");
    EXPECT_EQ(gRelinkEmptyRow, 0);
    EXPECT_EQ(ChainText(), "A|X|C");
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 d2 00 d3 0d d4 31 58 d2 00 d3 14 d4 31 43");
    EXPECT_EQ(CheckInvariants(), "");
}

TEST_F(TextEditTest, EmptiedTopRowKeepsTheRowsBelow) {
    Start(112, 32, "1");
    Type("A\nB");
    CursorAfter(1, 1);
    Type("\b");
    EXPECT_EQ(gCursorCell, 0);
    EXPECT_EQ(Bytes(), "d2 00 d3 0d d4 31 42");  // row 1 is empty, row 2 is still stored
    Type("X");
    EXPECT_EQ(ChainText(), "X|B");
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 58 d2 00 d3 0d d4 31 42");
    EXPECT_EQ(CheckInvariants(), "");
}

TEST_F(TextEditTest, BackspaceBelowAnEmptyRowTakesTheEmptyRowOut) {
    Start(112, 32, "1");
    Type("A\nB\nC");
    CursorAfter(2, Row(1).NextRow);
    Type("\b");  // row 2 empty
    const int16_t third = Row(Row(1).NextRow).NextRow;
    CursorBefore(3, third);
    Type("\b");
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"A", "C"}));
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 d2 00 d3 0d d4 31 43");
    EXPECT_EQ(gCurrentRow, third);
    EXPECT_EQ(CheckInvariants(), "");
}

TEST_F(TextEditTest, RemovingAnEmptyLastRowEndsTheChainCleanly) {
    Start(112, 32, "1");
    Type("AB\n");
    EXPECT_EQ(ChainText(), "AB|");  // an empty row follows
    Type("\b");
    EXPECT_EQ(ChainText(), "AB");
    EXPECT_EQ(RowTexts(), std::vector<std::string>{"AB"});
    Type("C");
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 42 43");
}

TEST_F(TextEditTest, OverfullRowsAreWarnedAboutAsTheSettingAllows) {
    struct Case {
        int16_t warning;
        int16_t suppress;
        size_t messages;
        int16_t warningAfter;
    } cases[] = {{0, 0, 3, 0}, {1, 0, 1, 2}, {2, 0, 0, 2}, {0, -1, 0, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.warning);
        testtext::ResetAll();
        Start(112, 16, "7");  // 14 A fill the 560 of the row
        gRowFullWarning = c.warning;
        gSuppressRowFullWarning = c.suppress;
        ui.messages.clear();
        marked.clear();
        Type(std::string(14, 'A'));
        EXPECT_TRUE(ui.messages.empty());
        Type("AAA");  // three overfills: inserted all the same
        EXPECT_EQ(Row(1).CellCount, 17);
        EXPECT_EQ(marked.size(), 3u);
        EXPECT_EQ(ui.messages.size(), c.messages);
        if (!ui.messages.empty()) {
            EXPECT_EQ(ui.messages[0].text, "S32\r\nS33");
        }
        EXPECT_EQ(gRowFullWarning, c.warningAfter);
    }
}

TEST_F(TextEditTest, NoCharacterReachesDotColumn176) {
    Start(112, 16, "7");
    gRowFullWarning = 2;
    Type(std::string(25, 'A'));  // 8 dots each: columns 0, 8, ..., 168
    EXPECT_EQ(Row(1).CellCount, 22);
    EXPECT_EQ(ui.beeps, 3);
    EXPECT_EQ(Bytes(), "d2 00 d3 0f d4 37 " + testgfx::Hex(std::string(22, 'A')));
    EXPECT_EQ(CheckInvariants(), "");

    // Inserting in front pushes the row's end: refused as well.
    CursorBefore(1, 1);
    Type("B");
    EXPECT_EQ(Row(1).CellCount, 22);
    EXPECT_EQ(Cell(1).X, 0);
}

TEST_F(TextEditTest, ThePoolHolds256Cells) {
    Start(175, 48, "1");  // I is 4 dots: 40 to a row of 175
    std::string keys;
    for (int r = 0; r < 7; ++r) keys += std::string(40, 'I') + "\n";
    Type(keys);
    EXPECT_EQ(CountUsedCells(), 256);
    ASSERT_EQ(ui.messages.size(), 24u);  // the rest of row 7 found no cell
    EXPECT_EQ(ui.messages[0].text, "S31");
    const std::string bytes = BuildSignData(PageFirstCell());
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), 'I'), 256);
    EXPECT_EQ(bytes.substr(bytes.size() - 22, 7), std::string("\xD2\x00\xD3\x30\xD4" "1I", 7));
    EXPECT_EQ(CheckInvariants(), "");
}

TEST_F(TextEditTest, CharCodeOfRefusesMarkupCharactersWhateverTheMap) {
    Start(112, 16, "1");
    EXPECT_TRUE(CharCodeOf('A'));
    EXPECT_FALSE(CharCodeOf(31));
    EXPECT_FALSE(CharCodeOf(256));
    for (int code : {35, 92, 60, 62, 255}) {
        gCharMap[code - 32] = 65;
        EXPECT_FALSE(CharCodeOf(static_cast<int16_t>(code))) << code;
    }
    gCharMap['A' - 32] = 128;  // no glyph code of the library
    EXPECT_FALSE(CharCodeOf('A'));
    gCharMap['A' - 32] = 0;
    EXPECT_FALSE(CharCodeOf('A'));
}

// ---------------------------------------------------------------- route numbers

TEST_F(TextEditTest, PlaceholdersShowTheLastCharactersOfTheRouteNumber) {
    Start(112, 16, "1");
    gRouteNoText = "4567890";
    gLineNoFieldCount = 3;
    int16_t w, h;
    DrawSpecialGlyph("1", 252, w, h);  // "456"
    EXPECT_EQ(w, 75);
    EXPECT_EQ(h, 35);
    DrawGlyph("1", 250, w, h);  // "6"
    EXPECT_EQ(w, 25);
    EXPECT_TRUE(CharCodeOf(252));
    EXPECT_FALSE(CharCodeOf(253));  // 4 characters of the first 3
    gRouteNoText = "45";
    EXPECT_FALSE(CharCodeOf(250));  // the third character is missing
    gRouteNoText = "4567890";

    Type("A");
    InsertLineNoField(3);
    Type("B");
    EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 fc 42");
    EXPECT_EQ(Cell(2).Width, 75);
    EXPECT_EQ(Cell(2).GlyphCode, 252);
    InsertLineNoField(4);  // not available: nothing happens
    EXPECT_EQ(Row(1).CellCount, 3);
}

TEST_F(TextEditTest, PlaceholderWithoutRoomIsRefused) {
    Start(48, 16, "7");
    gRouteNoText = "12";
    gLineNoFieldCount = 2;
    Type("AAAAAA");  // the row is full
    const int16_t head0 = gCellFreeHead;
    InsertLineNoField(1);
    EXPECT_EQ(Row(1).CellCount, 6);
    EXPECT_EQ(gCellFreeHead, head0);
    EXPECT_EQ(ui.beeps, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "S32\r\nS33");
    EXPECT_EQ(marked, std::vector<int16_t>{1});
}

TEST_F(TextEditTest, DeletingTheLastPlaceholderStartsThePageAfresh) {
    Start(112, 16, "1");
    gRouteNoText = "42";
    gLineNoFieldCount = 2;
    Type("A");
    InsertLineNoField(2);  // cell 2
    CursorAfter(1, 1);
    Type("\b");           // A goes: the free list is 1, 3, 4, ...
    EXPECT_EQ(menuStates, std::vector<int16_t>{});
    EXPECT_EQ(Row(1).FirstCell, 2);
    gTextModified = -1;
    CursorAfter(2, 1);
    Type("\b");           // the placeholder goes: the list would be 2, 1, 3, ...
    EXPECT_EQ(menuStates, std::vector<int16_t>{0});
    EXPECT_EQ(Bytes(), "");
    EXPECT_EQ(gTextModified, 0);
    EXPECT_EQ(gCellFreeHead, 1);  // cells are handed out in index order again
    Type("C");
    EXPECT_EQ(Row(gStartRow).FirstCell, 1);
}

TEST_F(TextEditTest, DeletingAPlaceholderKeepsTheTextOfOtherRows) {
    Start(112, 32, "1");
    gRouteNoText = "42";
    gLineNoFieldCount = 2;
    InsertLineNoField(2);
    Type("\nAB");
    CursorAfter(1, 1);
    Type("\b");
    EXPECT_EQ(Bytes(), "d2 00 d3 0d d4 31 41 42");
    EXPECT_EQ(CheckInvariants(), "");
}

TEST_F(TextEditTest, RouteNumberFieldsMoveAndGoAsAWhole) {
    Start(112, 16, "1");
    Type("A");
    Type("123", 1);
    Type("B");
    // cells: A1 (1)2 (2)3 (3)4 B5; the field 75 wide from 25
    std::string text;
    int16_t other = 0, flag = 0;
    EXPECT_EQ(GetSelectedText(text, other, flag), 75);
    EXPECT_EQ(text, "123");
    EXPECT_EQ(other, 1);  // route number at the right: the cell before the field
    EXPECT_EQ(flag, 0);

    // Typing between two field cells is refused.
    CursorAfter(2, 1);
    const int16_t head0 = gCellFreeHead;
    Type("X");
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(gCellFreeHead, head0);
    EXPECT_EQ(Row(1).CellCount, 5);

    for (int16_t at : {2, 3, 4}) {
        for (int16_t left : {0, -1}) {
            SCOPED_TRACE(std::to_string(at) + " " + std::to_string(left));
            testtext::ResetAll();
            Start(112, 16, "1");
            menuStates.clear();
            Type("A");
            Type("123", 1);
            Type("B");
            gRouteNoLeft = left;
            CursorAfter(at, 1);
            DeleteCharAtCursor();
            EXPECT_EQ(RowTexts(), std::vector<std::string>{"AB"});
            EXPECT_EQ(Cell(5).X, 25);  // moved left by the field's width
            EXPECT_EQ(Bytes(), "d2 00 d3 06 d4 31 41 42");
            EXPECT_EQ(menuStates, std::vector<int16_t>{0});
            EXPECT_EQ(CheckInvariants(), "");
        }
    }
}

TEST_F(TextEditTest, DeleteSelectedRunFindsTheFieldOfTheRow) {
    Start(112, 16, "1");
    Type("AB");
    Type("12", 1);
    CursorBefore(1, 1);
    DeleteSelectedRun();
    EXPECT_EQ(RowTexts(), std::vector<std::string>{"AB"});

    testtext::ResetAll();
    Start(112, 16, "1");
    Type("12", 1);
    std::string text;
    int16_t other = 5, flag = 0;
    EXPECT_EQ(GetSelectedText(text, other, flag), 50);
    EXPECT_EQ(flag, -1);  // nothing but the field
    EXPECT_EQ(other, 0);
    gRouteNoLeft = -1;
    Type("AB");
    flag = 0;
    GetSelectedText(text, other, flag);
    EXPECT_EQ(other, 3);  // route number at the left: the first cell after it
}

TEST_F(TextEditTest, ShiftingLeavesRouteNumberFieldsInPlace) {
    struct Case {
        const char* name;
        bool fieldFirst;
        int16_t left;
        int16_t dx;
        bool moveFields;
        std::vector<int16_t> xs;  // X of cells 1..4 afterwards
    } cases[] = {
        // text A B (cells 1, 2) then the field 1 2 (cells 3, 4)
        {"right: the text moves, the field stays", false, 0, 10, false, {10, 35, 50, 75}},
        {"moving fields too", false, 0, 10, true, {10, 35, 60, 85}},
        {"route number left: nothing moves", false, -1, 10, false, {0, 25, 50, 75}},
        // the field 1 2 (cells 1, 2) then the text A B (cells 3, 4)
        {"left shift starts after the field", true, 0, -10, false, {0, 25, 40, 65}},
        {"left shift, route number left", true, -1, -10, false, {0, 25, 50, 75}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testtext::ResetAll();
        Start(112, 16, "1");
        if (c.fieldFirst) {
            Type("12", 1);
            Type("AB");
        } else {
            Type("AB");
            Type("12", 1);
        }
        gRouteNoLeft = c.left;
        ShiftCells(1, c.dx, -1, c.moveFields);
        for (int16_t i = 1; i <= 4; ++i) EXPECT_EQ(Cell(i).X, c.xs[static_cast<size_t>(i - 1)]) << i;
    }
}

TEST_F(TextEditTest, TheEditorPaintsOnlyWhenAskedTo) {
    struct PaintHead : testgfx::FakeHead, EditorCanvas {
        PaintHead() { InstallPorts(this); }
        ~PaintHead() override { RemovePorts(this); }
        void PaintEditorGlyph(const std::string&, int16_t code, int32_t x, int32_t y) override {
            glyphs.push_back({code, x, y});
        }
        void CopyEditorRect(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) override { ++copies; }
        std::vector<std::vector<int32_t>> glyphs;
        int copies = 0;
    } paint;
    Start(112, 16, "1");
    Type("AB");
    CursorBefore(1, 1);
    Type("C");
    EXPECT_TRUE(paint.glyphs.empty());  // gNoEditorPaint is set from the start
    EXPECT_EQ(paint.copies, 0);

    gNoEditorPaint = 0;
    CursorBefore(3, 1);
    Type("D");
    EXPECT_EQ(paint.copies, 3);  // C, A and B move right
    ASSERT_EQ(paint.glyphs.size(), 1u);
    EXPECT_EQ(paint.glyphs[0], (std::vector<int32_t>{'D', 0, 0}));
    RedrawEditor();
    EXPECT_EQ(paint.glyphs.size(), 5u);
}

}  // namespace

namespace {

// Random editing never breaks the chain, the rows or the pool, and every
// page still becomes bytes without a position beyond column 175.
TEST_F(TextEditTest, RandomEditingKeepsTheStateConsistent) {
    for (unsigned seed : testutil::TestSeeds(1, 80)) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        testtext::ResetAll();
        const bool autoMode = seed % 3 == 0;
        const char* font = seed % 5 == 0 ? "4" : seed % 7 == 0 ? "7" : "1";
        Start(seed % 2 ? 112 : 48, seed % 4 < 2 ? 16 : 48, font, autoMode);
        gRowFullWarning = 2;
        gRouteNoText = "123";
        gLineNoFieldCount = 3;
        gRouteNoLeft = seed % 2 ? 0 : -1;
        unsigned state = seed;
        auto next = [&state](unsigned n) {
            state = state * 1103515245u + 12345u;
            return (state >> 16) % n;
        };
        for (int step = 0; step < 600; ++step) {
            const unsigned op = next(20);
            if (op < 10) {
                Type(std::string(1, static_cast<char>('A' + next(4))));
            } else if (op < 12) {
                Type("\n");
            } else if (op < 15) {
                Type("\b");
            } else if (op < 16) {
                InsertLineNoField(static_cast<int16_t>(1 + next(3)));
            } else if (op < 17) {
                Type("9", static_cast<int16_t>(1 + next(2)));
            } else {
                // The cursor to a random place of a random row.
                std::vector<int16_t> rows;
                for (int16_t r = gStartRow; IsRowIndex(r); r = Row(r).NextRow) rows.push_back(r);
                const int16_t r = rows[next(static_cast<unsigned>(rows.size()))];
                const int16_t first = Row(r).FirstCell;
                if (first == 0) {
                    // An empty row: the cursor follows the last cell above it.
                    gCurrentRow = r;
                    gCursorCell = 0;
                    gCursorBeforeCell = -1;
                    for (int16_t a = Row(r).PrevRow; IsRowIndex(a) && gCursorCell == 0; a = Row(a).PrevRow)
                        if (Row(a).FirstCell) gCursorCell = LastCellOfRow(Row(a).FirstCell);
                } else {
                    int16_t c = first;
                    for (unsigned k = next(static_cast<unsigned>(Row(r).CellCount) + 1); k > 1; --k) c = Cell(c).Next;
                    if (next(4) == 0) CursorBefore(first, r);
                    else CursorAfter(c, r);
                }
            }
            const std::string problem = CheckInvariants();
            ASSERT_EQ(problem, "") << "step " << step << " op " << op;
            const std::string bytes = BuildSignData(PageFirstCell());
            for (size_t i = 0; i + 1 < bytes.size(); ++i) {
                const unsigned char b = static_cast<unsigned char>(bytes[i]);
                if (b == 0xD2 || b == 0xD3) {
                    ASSERT_LE(static_cast<unsigned char>(bytes[i + 1]), 175);
                }
            }
        }
    }
}

}  // namespace
