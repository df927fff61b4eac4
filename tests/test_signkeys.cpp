// The keys of the sign pictures as plain events: typing, Backspace and Enter
// by the alignment rules, the cursor keys, the arrow keys on a selection,
// and the text signs' column cursor. Font "1": A..D 25 wide, rows 35 apart.
#include "data/charmap.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/dotstrips.h"
#include "engine/rowlookup.h"
#include "engine/textstrip.h"
#include "support/tools_state.h"

using namespace kv;
using testgfx::Art;
using testgfx::PutArt;
using testtext::RowTexts;

namespace {

class SignKeysTest : public testtools::ToolsTest {};

// The pointer over the toolbar stops the cursor; the next key starts it
// again and is typed, not dropped.
TEST_F(SignKeysTest, AKeyAfterTheCursorStoppedStartsItAndIsTyped) {
    Start(40, 16);
    head.timer = false;
    int16_t k = 'A';
    K4000_pct_KeyPress(k);
    EXPECT_TRUE(head.timer);
    EXPECT_EQ(testtext::ChainText(), "A");
    EXPECT_EQ(gTextModified, kTrue);
    EXPECT_TRUE(TextChanged);
}

TEST_F(SignKeysTest, RouteNumberPlaceholderCodesAreKeptApart) {
    // 187..191 are the editor's own codes: typed, they are dropped. Typed
    // 250..254 are kept under one of them each, and the markup writes them
    // back as typed. The shipped maps give a glyph only to 189 (typed 252),
    // so here every one of 187..191 draws the glyph of "A".
    const auto start = [this] {
        testtools::ResetAll();
        Start(40, 16);
        for (int code = 187; code <= 191; ++code) gCharMap[code - 32] = gCharMap['A' - 32];
    };
    for (int16_t code : {187, 188, 189, 190, 191}) {
        SCOPED_TRACE(code);
        start();
        Press(code);
        EXPECT_EQ(testtext::ChainText(), "");
        EXPECT_FALSE(IsUsedCell(1));
        EXPECT_EQ(EncodeSignObjects(false), "");
    }
    const std::pair<int16_t, int16_t> kept[] = {{250, 190}, {251, 187}, {252, 189}, {253, 188}, {254, 191}};
    for (const auto& [typed, code] : kept) {
        SCOPED_TRACE(typed);
        start();
        Press(typed);
        ASSERT_TRUE(IsUsedCell(1));
        EXPECT_EQ(Cell(1).CharCode, code);
        EXPECT_FALSE(IsUsedCell(Cell(1).Next));
        EXPECT_EQ(EncodeSignObjects(false), std::string(1, static_cast<char>(typed)));
    }
    // Nothing is typed in graphic mode.
    const std::string chain = testtext::ChainText();
    gEditorActive = 2;
    Type("A");
    EXPECT_EQ(testtext::ChainText(), chain);
}

TEST_F(SignKeysTest, RightAlignedTextGrowsAndShrinksAtItsLeftEnd) {
    Start(40, 16);
    SetAlignment(2, false, false, true);
    ASSERT_EQ(gCursorX, 205);
    Type("AB");
    EXPECT_EQ(Xs(), (std::vector<int16_t>{155, 180}));
    EXPECT_EQ(gCursorX, 205);
    Press(8);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{180}));
    EXPECT_EQ(gCursorX, 205);
    // Enter: the new row takes the row's alignment.
    Type("B\nC");
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AB", "C"}));
    EXPECT_EQ(Xs(), (std::vector<int16_t>{155, 180, 180}));
    EXPECT_EQ(Row(gCurrentRow).Alignment, 2);
    // Backspace at the start of a row joins it to the row above, aligned.
    Key(36);
    Press(8);
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"ABC"}));
    EXPECT_EQ(Xs(), (std::vector<int16_t>{130, 155, 180}));
    EXPECT_EQ(testtext::CheckInvariants(), "");
}

TEST_F(SignKeysTest, CentredRowsAreCentredAfterEveryKey) {
    // 40 dots: 200 units; a row of n characters is 25n - 5 wide.
    Start(40, 16);
    SetAlignment(3, false, false, true);
    EXPECT_EQ(gCursorX, 100);
    Type("A");
    EXPECT_EQ(Xs(), (std::vector<int16_t>{90}));
    // (200 - 45) / 2 from where the row stands: 13 units left, in whole dots 10.
    Type("B");
    EXPECT_EQ(Xs(), (std::vector<int16_t>{80, 105}));
    Type("\b");
    EXPECT_EQ(Xs(), (std::vector<int16_t>{90}));
    // A pending realignment centres once, through the alignment.
    gRealignPending = kTrue;
    SetAlignment(1, false, false, true);
    Type("C");
    EXPECT_EQ(gRealignPending, kFalse);
    EXPECT_EQ(gTextAlignment, 3);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{80, 105}));  // from 0: 77 right, rounded up to a whole dot as typed
}

TEST_F(SignKeysTest, CursorKeys) {
    // Row 1: A (cell 1) and B (2) at y 0; row 2: C (3) and D (4) at y 35.
    struct Case {
        const char* what;
        int16_t startCell;
        bool startBefore;
        int16_t key;
        int16_t cell;
        bool before;
        int16_t x, y, row;
    };
    const Case cases[] = {
        {"Home", 4, false, 36, 3, true, 0, 35, 2},
        {"End", 3, true, 35, 4, false, 50, 35, 2},
        {"Left", 4, false, 37, 3, false, 25, 35, 2},
        {"Left at the row's first cell", 3, false, 37, 3, true, 0, 35, 2},
        {"Left before the row: to the row above", 3, true, 37, 2, false, 50, 0, 1},
        {"Right before a cell", 3, true, 39, 3, false, 25, 35, 2},
        {"Right at the row's end: into the next row", 2, false, 39, 3, false, 25, 35, 2},
        {"Page Up: the nearest cell above", 4, false, 33, 2, false, 50, 0, 1},
        {"Page Down", 1, false, 34, 3, false, 25, 35, 2},
        {"Page Down on the last row", 4, false, 34, 4, false, 50, 35, 2},
        {"Up", 4, false, 38, 4, false, 50, 30, 2},
        {"Down", 4, false, 40, 4, false, 50, 40, 2},
        {"another key", 4, false, 65, 4, false, 50, 35, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testtools::ResetAll();
        Start(40, 16);
        Type("AB\nCD");
        const int16_t row = FindRowOfCell(c.startCell);
        if (c.startBefore) testtext::CursorBefore(c.startCell, row);
        else testtext::CursorAfter(c.startCell, row);
        Key(c.key);
        EXPECT_EQ(gCursorCell, c.cell);
        EXPECT_EQ(gCursorBeforeCell != 0, c.before);
        EXPECT_EQ(gCursorX, c.x);
        EXPECT_EQ(gCursorY, c.y);
        EXPECT_EQ(gCurrentRow == gStartRow ? 1 : 2, c.row);
    }
    // Up stops at the top; page up on the first row does nothing; graphic
    // mode without a selection ignores every key.
    testtext::CursorAfter(1, gStartRow);
    Key(38);
    EXPECT_EQ(gCursorY, 0);
    Key(33);
    EXPECT_EQ(gCurrentRow, gStartRow);
    gEditorActive = 2;
    Key(39);
    EXPECT_EQ(gCursorCell, 1);
}

TEST_F(SignKeysTest, TheCursorOnACellOfAnotherFontMakesItCurrent) {
    Start(40, 16);
    Type("A");
    ReadCharMap("4");
    Type("B");
    ReadCharMap("1");
    testtext::CursorAfter(1, gStartRow);
    Key(39);
    EXPECT_EQ(gCursorCell, 2);
    EXPECT_EQ(gCurrentFontCode, "4");
    Key(37);
    EXPECT_EQ(gCurrentFontCode, "1");
}

TEST_F(SignKeysTest, PageDownOntoAnEmptyRowKeepsTheRow) {
    Start(40, 24);
    Type("AB\nX\nC");
    testtext::CursorAfter(3, Row(gStartRow).NextRow);
    Press(8);
    ASSERT_EQ(RowTexts(), (std::vector<std::string>{"AB", "", "C"}));
    testtext::CursorAfter(1, gStartRow);
    Key(34);
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AB", "", "C"}));
    EXPECT_EQ(gCurrentRow, Row(gStartRow).NextRow);
    EXPECT_EQ(gCursorY, 35);
    Type("D");
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AB", "D", "C"}));
    EXPECT_EQ(testtext::CheckInvariants(), "");
}

TEST_F(SignKeysTest, ArrowKeysMoveMarkedCellsByOneDot) {
    Start(40, 16);
    Type("AB\nC");
    MarkCellsInRect(0, 0, 60, 30);
    UpdateMarkFrame();
    ASSERT_EQ(gAreaSelected, -1);
    ASSERT_EQ(gSelX1, 0);
    Key(37);  // refused at the left edge
    Key(38);  // and at the top
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 25, 0}));
    EXPECT_EQ(gTextAlignment, 1);
    Key(39);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{5, 30, 0}));
    EXPECT_EQ(gSelX1, 5);
    // A sideways move ends the row's alignment.
    EXPECT_EQ(gTextAlignment, 0);
    EXPECT_EQ(Row(gStartRow).Alignment, 0);
    Key(40);
    EXPECT_EQ(Cell(1).Y, 5);
    EXPECT_EQ(Cell(3).Y, 35);
    EXPECT_EQ(head.frames.back(), 0xFFFFFF);
}

TEST_F(SignKeysTest, ArrowKeysMoveSelectedDotsAndKeepThemOnTheSign) {
    Start(8, 4);
    gEditorActive = 2;
    PutArt(0, {"##", "#."});
    gSelX1 = 0, gSelY1 = 0, gSelX2 = 10, gSelY2 = 10;
    gAreaSelected = kTrue;
    Key(40);
    EXPECT_TRUE(SelectionTextTaken);
    EXPECT_EQ(gSelectionText, std::string("\xd2\x00\xd3\x04\xd4w#!", 8));
    Key(39);
    Key(40);
    EXPECT_EQ(Art(0, 8, 4, 0), "........\n........\n.##.....\n.#......\n");
    // The selection's lower edge is at the sign's: Down is refused and no
    // dot leaves the sign.
    Key(40);
    EXPECT_EQ(Art(0, 8, 4, 0), "........\n........\n.##.....\n.#......\n");
    EXPECT_EQ(gSelY2, 20);
    Key(38);
    EXPECT_EQ(Art(0, 8, 4, 0), "........\n.##.....\n.#......\n........\n");
}

// ------------------------------------------------------------------ text signs

class StripKeysTest : public testtools::ToolsTest {
protected:
    void StartStrip(const std::string& model, int w, int h) {
        testtext::LoadShippedFonts();
        testtext::StartStrip(model, w, h);
    }
    static void Strip(const std::string& text) {
        for (unsigned char c : text) {
            int16_t k = c == '\n' ? 13 : c == '\b' ? 8 : c;
            K2000_pct_KeyPress(k);
        }
    }
    static std::string Codes() {
        std::string s;
        for (int i = 1; i <= gCodeCount; ++i) s += static_cast<char>(gCodeTable[static_cast<size_t>(i)]);
        return s;
    }
};

TEST_F(StripKeysTest, TypingEnterAndBackspaceOnTwoRows) {
    StartStrip("K2000_2R", 4, 4);
    Strip("\bAB\n");
    EXPECT_EQ(Codes(), "AB  ");
    EXPECT_EQ(gTextColumn, 5);
    EXPECT_EQ(gCursorY, gSecondRowY);
    Strip("CDEF");
    EXPECT_EQ(Codes(), "AB  CDEF");
    Strip("G\n");  // full; Enter in row 2 only places the cursor
    EXPECT_EQ(Codes(), "AB  CDEF");
    Strip("\b");
    EXPECT_EQ(Codes(), "AB  CDE");
    // Enter in the middle of row 1 pushes the rest into row 2 when it fits.
    K2000_pct_KeyDown(36, 0);
    K2000_pct_KeyDown(39, 0);
    Strip("\n");
    EXPECT_EQ(Codes(), "AB  CDE");  // "B  CDE" does not fit a row of 4
    EXPECT_EQ(gTextColumn, 2);
    K2000_pct_KeyDown(35, 0);
    Strip("\b\b\b\b\b\bBC");
    K2000_pct_KeyDown(36, 0);
    K2000_pct_KeyDown(39, 0);
    Strip("\n");
    EXPECT_EQ(Codes(), "A   BC");
    EXPECT_EQ(gTextColumn, 5);
}

TEST_F(StripKeysTest, ColumnCursor) {
    StartStrip("K2000_2R", 4, 4);
    Strip("ABCDEFG");
    gTextColumn = 6;  // F, in row 2 under B
    K2000_pct_KeyDown(38, 0);
    EXPECT_EQ(gTextColumn, 2);
    K2000_pct_KeyDown(40, 0);
    EXPECT_EQ(gTextColumn, 6);
    K2000_pct_KeyDown(35, 0);
    EXPECT_EQ(gTextColumn, 8);
    K2000_pct_KeyDown(39, 0);
    EXPECT_EQ(gTextColumn, 8);
    K2000_pct_KeyDown(36, 0);
    K2000_pct_KeyDown(37, 0);
    EXPECT_EQ(gTextColumn, 1);
    EXPECT_EQ(gCursorX, gStripX[1]);
    // A click: the upper half is row 1, the lower half row 2, never past
    // the text's end.
    K2000_pct_MouseDown(1, 0, static_cast<float>(gStripX[3] + 5), 10, 79);
    EXPECT_EQ(gTextColumn, 3);
    K2000_pct_MouseDown(1, 0, 10 + 30.0f * 1, 60, 79);
    EXPECT_EQ(gTextColumn, 6);
    K2000_pct_MouseDown(1, 0, 10 + 30.0f * 3, 60, 79);
    EXPECT_EQ(gTextColumn, 8);
}

TEST_F(StripKeysTest, OneRowStripsTakeTheirWidth) {
    StartStrip("K2000_1R", 3, 0);
    Strip("ABCD\n");
    EXPECT_EQ(Codes(), "ABC");
    K2000_pct_KeyDown(40, 0);
    EXPECT_EQ(gTextColumn, 4);
}

}  // namespace

namespace {

// The x of every cell of the page, in order.
std::vector<int> CellXs() {
    std::vector<int> xs;
    int16_t c = PageFirstCell();
    for (int guard = 0; IsUsedCell(c) && guard < kCellPoolSize; ++guard, c = Cell(c).Next) xs.push_back(Cell(c).X);
    return xs;
}

}  // namespace

// A right-aligned or centred row stands where the same text typed afresh
// into an empty row of that alignment stands: after a Backspace, and after
// the first key typed into an empty row whose alignment the toolbar shows
// but that was never applied to it (an emptied or freshly loaded page).
TEST_F(SignKeysTest, AlignedRowsStandWhereTheSameTextTypedAfreshStands) {
    for (int16_t alignment : {int16_t{2}, int16_t{3}}) {
        SCOPED_TRACE(alignment);
        Start(112, 16);
        SetAlignment(alignment, false, true, true);
        Type("DA");
        const std::vector<int> fresh = CellXs();
        ASSERT_EQ(fresh.size(), 2u);

        Start(112, 16);
        SetAlignment(alignment, false, true, true);
        Type("DAB\b");
        EXPECT_EQ(CellXs(), fresh) << "after a Backspace";

        // The toolbar shows the alignment; the empty row never had it applied.
        Start(112, 16);
        gTextAlignment = alignment;
        Type("DA");
        EXPECT_EQ(CellXs(), fresh) << "typed into an empty row";
    }
}
