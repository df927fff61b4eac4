// The editor slots of the graphic sign pictures, the alignment a row shows,
// the route-number font of a sign and the route-number command. Fonts: "1"
// is 7 dots high with A-D and digits 5 dots wide (25); the route-number font
// "h" has digits 6 dots wide (30), 7 high.
#include <gtest/gtest.h>

#include <cstring>

#include "data/fontlist.h"
#include "engine/dotstrips.h"
#include "engine/routefield.h"
#include "files/outoptions.h"
#include "support/markup_state.h"

using namespace kv;
using testmarkup::Commit;
using testmarkup::Load;
using testmarkup::StoredBytes;
using testtext::RowTexts;
using testtext::Type;

namespace {

bool SameBytes(const void* a, const void* b, size_t n) { return std::memcmp(a, b, n) == 0; }

std::vector<int16_t> FieldPositions() {
    std::vector<int16_t> out;
    for (int16_t c = PageFirstCell(); IsUsedCell(c); c = Cell(c).Next) out.push_back(Cell(c).FieldPos);
    return out;
}

class SlotsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testmarkup::ResetAll();
    }
    void TearDown() override {
        testmarkup::ResetAll();
    }
    testmarkup::Head head;
    testmarkup::Ui ui;
};

TEST_F(SlotsTest, StoreAndRestoreAreExactCopies) {
    testmarkup::StartPage(112, 16, "1");
    Type("AB\nCD");
    gTextAlignment = 3;
    gCurrentPage = 2;
    gHasGraphic = -1;
    gGraphicText = "runs";
    gPictureTagName = "Bus";
    gRouteNoAreaDots = 7;
    const auto cells = gCells;
    const auto rows = gRows;
    const int16_t cursorX = gCursorX, cursorCell = gCursorCell, row = gCurrentRow;
    StoreEditorPage(1, true, 2);

    // Slot 3 does not exist: nothing changes.
    const auto slots = gEditorSlots;
    StoreEditorPage(3, true, -1);
    RestoreEditorPage(3);
    EXPECT_TRUE(SameBytes(&slots[0].cells, &gEditorSlots[0].cells, sizeof slots[0].cells));

    RefreshEditor(0, 0);  // stores the empty page into slot 0, the sign's
    ReadCharMap("4");
    Type("X");
    gTextAlignment = 1;
    gCurrentPage = 1;
    gHasGraphic = 0;
    gGraphicText.clear();
    gPictureTagName.clear();
    gShowLineNo = -1;

    RestoreEditorPage(1);
    EXPECT_TRUE(SameBytes(&cells, &gCells, sizeof cells));
    EXPECT_TRUE(SameBytes(&rows, &gRows, sizeof rows));
    EXPECT_EQ(gCursorX, cursorX);
    EXPECT_EQ(gCursorCell, cursorCell);
    EXPECT_EQ(gCurrentRow, row);
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AB", "CD"}));
    // The page and the changing-texts box are the window's: every sign
    // edits the page shown.
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_EQ(head.windowPage, 1);
    EXPECT_FALSE(head.changingTexts);
    EXPECT_TRUE(gEditorSlots[1].changingTexts);  // stored as 2 changing texts
    EXPECT_EQ(gCurrentFontCode, "1");
    EXPECT_EQ(gTextAlignment, 3);
    EXPECT_EQ(head.buttons[11], 1);  // the centre button pressed
    EXPECT_EQ(gShowLineNo, 0);
    EXPECT_FALSE(head.checked["ShowLineNo_e"]);
    EXPECT_EQ(gRouteNoAreaDots, 7);
    EXPECT_EQ(gHasGraphic, -1);
    EXPECT_EQ(gGraphicText, "runs");
    EXPECT_EQ(gPictureTagName, "Bus");

    // Without the font, the slot keeps what it last took; the check box is
    // read from the window.
    head.changingTexts = false;
    StoreEditorPage(1, false, -1);
    EXPECT_FALSE(gEditorSlots[1].changingTexts);
    EXPECT_EQ(gEditorSlots[1].fontCode, "1");
}

TEST_F(SlotsTest, TwoGraphicSignsKeepTheirOwnGraphics) {
    testtext::LoadShippedFonts();
    InstallEditorFontHooks();
    testgfx::MakeSign(40, 8, 1, 3);  // sign 3 in picture 1
    SignInfoOf(3).Name = "REAR";
    testgfx::MakeSign(40, 8, 0, 2);  // sign 2 in picture 0, current
    gDestListActive = kTrue;

    // Two pages, each with its own picture and caption.
    struct Page {
        int16_t address, k;
        std::vector<std::string> art;
        std::string caption;
        std::string markup, bytes;
    };
    std::vector<Page> pages = {
        {2, 0, {"####", "#..#", "####"}, "<Front>A", "", ""},
        {3, 1, {"#...#", ".#.#.", "..#.."}, "<Rear>B", "", ""},
    };
    for (Page& p : pages) {
        gCurrentSign = p.address;
        RefreshEditor(0, 0);
        ReadCharMap("1");
        testgfx::PutArt(p.k, p.art, 30, 1);
        MarkGraphicChanged();
        Type(p.address == 2 ? "A" : "B");
        ui.caption = &p.caption;
        p.markup = Commit(1);
        p.bytes = StoredBytes(1);
    }
    ui.caption = nullptr;
    ASSERT_NE(pages[0].bytes, pages[1].bytes);

    // Opening the entry loads every sign into its slot ...
    for (const Page& p : pages) {
        gCurrentSign = p.address;
        Load(1);
        StoreEditorPage(p.k, true, 1);
    }
    // ... and committing it unchanged gives every sign its own page back.
    for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
        SCOPED_TRACE(it->address);
        gCurrentSign = it->address;
        RestoreEditorPage(it->k);
        EXPECT_EQ(BuildSignData(PageFirstCell()), it->bytes);
        EXPECT_EQ(EncodeSignObjects(false), it->markup);
    }
}

// Each sign's page keeps its own route-number font while the user moves
// between the signs: the header of the restored page is written in it.
TEST_F(SlotsTest, EverySignKeepsTheRouteNumberFontOfItsPage) {
    testtext::LoadShippedFonts();
    InstallEditorFontHooks();
    testgfx::MakeSign(112, 16, 1, 3);
    SignInfoOf(3).Name = "REAR";
    testgfx::MakeSign(112, 16, 0, 2);
    gDestListActive = kTrue;
    gRouteNoLeft = -1;
    gLineNoFieldCount = 2;
    gRouteNoText = "12";
    std::string& byHeight = gDefaultRouteNoFont[16 - kMinFontHeight];
    struct Page {
        int16_t address, k;
        std::string font, bytes;
    };
    std::vector<Page> pages = {{2, 0, "i", ""}, {3, 1, "e", ""}};
    for (Page& p : pages) {
        gCurrentSign = p.address;
        byHeight = p.font;
        gShowLineNo = -1;
        RecalcRouteNoArea();
        RefreshEditor(0, 0);
        ReadCharMap("1");
        Type("AB");
        Commit(1);
        p.bytes = StoredBytes(1);
        ASSERT_EQ(p.bytes[5], p.font[0]);
    }
    // Opened with "e" as the default of both.
    for (const Page& p : pages) {
        gCurrentSign = p.address;
        Load(1);
        StoreEditorPage(p.k, true, 1);
    }
    for (const Page& p : pages) {
        SCOPED_TRACE(p.address);
        gCurrentSign = p.address;
        RestoreEditorPage(p.k);
        EXPECT_EQ(gRouteNoFont, p.font);
        EXPECT_EQ(BuildSignData(PageFirstCell()), p.bytes);
    }
}

TEST_F(SlotsTest, RowAlignmentOfALoadedRow) {
    struct Case {
        int w;      // sign width in dots
        int16_t x;  // X of the row's first cell; the row is A B, 50 wide
        int16_t alignment;
    };
    const Case cases[] = {
        {20, 0, 1},   // from the left edge
        {16, 10, 3},  // 10 on the left, 20 on the right
        {17, 30, 0},  // 30 and 5
        {16, 35, 2},  // beyond the right edge
        {20, 45, 0},  // 45 and 5, and the right edge not passed
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.w) + " " + std::to_string(c.x));
        testmarkup::ResetAll();
        testmarkup::StartPage(c.w, 16, "1");
        Type("AB");
        Cell(1).X = c.x;
        Cell(2).X = static_cast<int16_t>(c.x + 25);
        EXPECT_EQ(DetectRowAlignment(), c.alignment);
        EXPECT_EQ(CurrentRowAlignment(), DetectRowAlignment());
    }
    // With the route-number area at the left the row starts beside it.
    testmarkup::ResetAll();
    testmarkup::StartPage(112, 16, "1");
    Type("AB");
    gShowLineNo = -1;
    gRouteNoLeft = -1;
    gRouteNoAreaWidth = 60;
    Cell(1).X = 65;
    Cell(2).X = 90;
    EXPECT_EQ(DetectRowAlignment(), 1);
    // An empty row shows none.
    RefreshEditor(0, 0);
    EXPECT_EQ(DetectRowAlignment(), 0);
}

TEST_F(SlotsTest, RouteNumberFontOfASign) {
    testgfx::MakeSign(112, 16);
    gDefaultRouteNoFont[16 - kMinFontHeight] = "e";
    EXPECT_EQ(RouteNoFontOfSign(2), "e");
    gSignRouteNoFont[0] = " h ";
    EXPECT_EQ(RouteNoFontOfSign(2), "h");
    gSignRouteNoFont[0] = "hh";
    EXPECT_EQ(RouteNoFontOfSign(2), "e");
    gDefaultRouteNoFont[16 - kMinFontHeight] = "";
    EXPECT_EQ(RouteNoFontOfSign(2), "i");
    EXPECT_EQ(RouteNoFontOfSign(1), "i");
    EXPECT_EQ(RouteNoFontOfSign(17), "i");
    EXPECT_TRUE(IsCharInSet("a"));
    EXPECT_FALSE(IsCharInSet("G"));
}

TEST_F(SlotsTest, MarkRowStartFindsRowsInIndexOrder) {
    testmarkup::StartPage(112, 16, "1");
    Type("ABC\nDA");
    // Row 2 taken apart as a re-layout leaves it.
    Row(1).CellCount = 5;
    Row(2).FirstCell = 0;
    Row(2).CellCount = 0;
    Cell(3).RowEnd = 0;
    MarkRowStart(2);
    EXPECT_EQ(Row(2).FirstCell, 4);
    EXPECT_EQ(Row(2).CellCount, 2);
    EXPECT_EQ(Row(1).CellCount, 3);
    EXPECT_EQ(Cell(3).RowEnd, -1);
    EXPECT_EQ(gCursorCell, 3);
    EXPECT_EQ(testtext::CheckInvariants(), "");
}

// The route-number command, with a dialog that answers as told.
class RouteNoTest : public SlotsTest {
protected:
    void Start(int w, const std::string& text) {
        testmarkup::StartPage(w, 16, "1");
        Type(text);
        if (!text.empty()) testtext::CursorAfter(LastCellOfRow(Row(gStartRow).FirstCell), gStartRow);
    }
    void Answer(const std::string& route, const std::string& font = "h", bool ok = true) {
        ui.dialog = [=] {
            gMBLRouteNo = route;
            gMBLFont = font;
            gMBLAccepted = ok ? -1 : 0;
        };
    }
};

TEST_F(RouteNoTest, OnlyFromTheFirstRow) {
    Start(112, "AB\nC");
    testtext::CursorAfter(3, Row(gStartRow).NextRow);
    Answer("12");
    GenerateRouteNo();
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(ui.dialogs, 0);
    EXPECT_EQ(RowTexts(), (std::vector<std::string>{"AB", "C"}));
}

TEST_F(RouteNoTest, TypesAtMostFourCharactersAsAField) {
    Start(112, "");
    gRouteNoLeft = -1;
    Answer("12345");
    GenerateRouteNo();
    EXPECT_EQ(testtext::ChainText(), "1234");
    EXPECT_EQ(FieldPositions(), (std::vector<int16_t>{1, 2, 3, 4}));
    EXPECT_EQ(Cell(1).FontCode, 'h');
    EXPECT_EQ(gCurrentFontCode, "1");  // the font in use comes back
    EXPECT_EQ(gTextModified, -1);
    EXPECT_EQ(gRouteNoFieldTyped, -1);
    EXPECT_EQ(gRouteNoFieldPlaced, -1);
    EXPECT_EQ(head.enabled["Insert_LineNo_e"], true);  // menu state 3
    EXPECT_EQ(head.shown, 1);
    EXPECT_EQ(gMBLRouteNo, "12345");
    EXPECT_EQ(EncodeSignObjects(false), "<L/1234>");
}

TEST_F(RouteNoTest, RightEndWithLeftButtonMovesOnlyTheField) {
    Start(112, "AB");
    head.buttons[10] = 1;
    Answer("12");
    const int16_t alignment = gTextAlignment;
    GenerateRouteNo();
    EXPECT_EQ(testtext::ChainText(), "AB12");
    EXPECT_EQ(Cell(1).X, 0);  // the text stays
    EXPECT_EQ(Cell(2).X, 25);
    EXPECT_EQ(Cell(4).X + Cell(4).Width, 5 * 112 + 5);
    EXPECT_EQ(Cell(3).X, 5 * 112 + 5 - 60);
    EXPECT_EQ(FieldPositions(), (std::vector<int16_t>{0, 0, 1, 2}));
    EXPECT_EQ(gCursorCell, 2);  // back behind the text
    EXPECT_EQ(gTextAlignment, alignment);  // no alignment applied
}

TEST_F(RouteNoTest, LeftEndAloneCentresTheCursor) {
    // (5 x width + 30) / 2, halves to the even neighbour.
    for (const auto& [w, x] : {std::pair{129, 338}, std::pair{127, 332}}) {
        SCOPED_TRACE(w);
        testmarkup::ResetAll();
        Start(w, "");
        gRouteNoLeft = -1;
        Answer("1");
        const int16_t alignment = gTextAlignment;
        GenerateRouteNo();
        EXPECT_EQ(gCursorX, x);
        EXPECT_EQ(gTextAlignment, alignment);  // nothing but the field: no alignment applied
    }
}

TEST_F(RouteNoTest, RightEndAloneMovesTheFieldToTheEdge) {
    Start(18, "");  // 90 units; "12" is 60 wide and ends at 95
    Answer("12");
    GenerateRouteNo();
    EXPECT_EQ(Cell(1).X, 35);
    EXPECT_EQ(gCursorX, 15);
    EXPECT_EQ(gCursorCell, 1);
}

TEST_F(RouteNoTest, TypingBeforeOtherRowsKeepsTheRowsInIndexOrder) {
    for (bool left : {false, true}) {
        SCOPED_TRACE(left);
        testmarkup::ResetAll();
        Start(112, "AB\nC");
        testtext::CursorAfter(2, gStartRow);
        Row(gStartRow).Alignment = 1;
        Row(Row(gStartRow).NextRow).Alignment = 3;
        gRouteNoLeft = left ? -1 : 0;
        head.buttons[10] = 1;
        Answer("12");
        GenerateRouteNo();
        EXPECT_EQ(testtext::CheckInvariants(), "");
        EXPECT_EQ(RowTexts(), (std::vector<std::string>{left ? "12AB" : "AB12", "C"}));
        // Cells run in index order again, the field keeps its places.
        for (int16_t c = PageFirstCell(); IsUsedCell(Cell(c).Next); c = Cell(c).Next) EXPECT_EQ(Cell(c).Next, c + 1);
        EXPECT_EQ(FieldPositions(), (left ? std::vector<int16_t>{1, 2, 0, 0, 0} : std::vector<int16_t>{0, 0, 1, 2, 0}));
        EXPECT_EQ(Row(gStartRow).Alignment, 1);
        EXPECT_EQ(Row(Row(gStartRow).NextRow).Alignment, 3);
        EXPECT_EQ(gCurrentRow, gStartRow);
        EXPECT_EQ(EncodeSignObjects(false), left ? "<L/12>AB\\C" : "AB<L/12>\\C");
    }
}

TEST_F(RouteNoTest, ANewRouteNumberReplacesTheField) {
    Start(112, "AB");
    head.buttons[10] = 1;
    Answer("12");
    GenerateRouteNo();
    std::string offered;
    ui.dialog = [&] {
        offered = gMBLRouteNo;
        gMBLRouteNo = "7";
        gMBLFont = "h";
        gMBLAccepted = -1;
    };
    GenerateRouteNo();
    EXPECT_EQ(offered, "12");  // the field is offered
    EXPECT_EQ(testtext::ChainText(), "AB7");
    EXPECT_EQ(FieldPositions(), (std::vector<int16_t>{0, 0, 1}));
}

// A route number typed in a font of its own and loaded again keeps that font
// when it is typed anew, unless the dialog chooses another; its row is laid
// out again in index order with the fonts of its cells.
TEST_F(RouteNoTest, ALoadedFieldKeepsItsFont) {
    gFontList = {"", "1 Normal 07", "h Route no. 07", "i Route no. 08", "e Route no. 16"};
    gFontCount = 4;
    gDefaultRouteNoFont[16 - kMinFontHeight] = "e";
    Start(112, "AB\nC");
    testtext::CursorAfter(2, gStartRow);
    head.buttons[10] = 1;
    Answer("12", "i");
    GenerateRouteNo();
    const std::string markup = Commit(1);
    ASSERT_EQ(markup, "AB<L/12>\\C");
    const std::string stored = StoredBytes(1);

    // The session's last choice was another font; the page is opened again.
    gMBLFont = "e";
    gMBLFontIndex = 4;
    RefreshEditor(0, 0);
    ReadCharMap("1");
    Load(1);
    EXPECT_EQ(BuildSignData(PageFirstCell()), stored);
    EXPECT_EQ(EncodeSignObjects(false), markup);

    // The dialog opens on the field's font and is confirmed as it stands.
    std::string shownFont;
    int16_t shownIndex = 0, shownHeight = 0;
    ui.dialog = [&] {
        shownFont = gMBLFont;
        shownIndex = gMBLFontIndex;
        shownHeight = gMBLFontHeight;
        gMBLRouteNo = "34";
        gMBLAccepted = -1;
    };
    testtext::CursorAfter(2, gStartRow);
    ReadCharMap("1");
    GenerateRouteNo();
    EXPECT_EQ(shownFont, "i");
    EXPECT_EQ(shownIndex, 3);
    EXPECT_EQ(shownHeight, 16);
    EXPECT_EQ(testtext::CheckInvariants(), "");
    EXPECT_EQ(EncodeSignObjects(false), "AB<L/34>\\C");
    std::string fonts;
    for (int16_t c = PageFirstCell(); IsUsedCell(c); c = Cell(c).Next) {
        fonts += Cell(c).FontCode;
        if (IsUsedCell(Cell(c).Next)) {
            EXPECT_EQ(Cell(c).Next, c + 1);
        }
    }
    EXPECT_EQ(fonts, "11ii1");
    EXPECT_EQ(FieldPositions(), (std::vector<int16_t>{0, 0, 1, 2, 0}));
    EXPECT_EQ(gCurrentFontCode, "1");

    // Committed and loaded again, it encodes as stored.
    const std::string retyped = Commit(1);
    const std::string retypedBytes = StoredBytes(1);
    RefreshEditor(0, 0);
    Load(1);
    EXPECT_EQ(BuildSignData(PageFirstCell()), retypedBytes);
    EXPECT_EQ(EncodeSignObjects(false), retyped);

    // Cancelled, the dialog's font is as it was before the command.
    gMBLFont = "e";
    gMBLFontIndex = 4;
    gMBLFontHeight = 19;
    testtext::CursorAfter(2, gStartRow);
    ui.dialog = [] { gMBLAccepted = 0; };
    GenerateRouteNo();
    EXPECT_EQ(gMBLFont, "e");
    EXPECT_EQ(gMBLFontIndex, 4);
    EXPECT_EQ(gMBLFontHeight, 19);
    EXPECT_EQ(BuildSignData(PageFirstCell()), retypedBytes);

    // A font the dialog chooses replaces the field's.
    Answer("5", "h");
    testtext::CursorAfter(2, gStartRow);
    GenerateRouteNo();
    EXPECT_EQ(EncodeSignObjects(false), "AB<L/5>\\C");
    EXPECT_EQ(Cell(3).FontCode, 'h');
}

TEST_F(RouteNoTest, CancelAndRefusalChangeNothing) {
    Start(112, "AB");
    gRouteNoLeft = -1;
    Answer("7");
    GenerateRouteNo();
    ASSERT_EQ(testtext::ChainText(), "7AB");
    const std::string bytes = BuildSignData(PageFirstCell());
    gMBLRouteNo = "before";
    Answer("99", "h", false);
    ui.dialog = [] { gMBLAccepted = 0; };
    GenerateRouteNo();
    EXPECT_EQ(gMBLRouteNo, "before");  // the field's 7 is taken back
    EXPECT_EQ(BuildSignData(PageFirstCell()), bytes);

    // "h" has no glyph for "G": refused before the old field goes.
    Answer("1G");
    const int beeps = ui.beeps;
    GenerateRouteNo();
    EXPECT_EQ(ui.beeps, beeps + 1);
    EXPECT_EQ(BuildSignData(PageFirstCell()), bytes);
}

TEST_F(RouteNoTest, AlignmentByTheToolbar) {
    // "AB" (25 wide each) and the field "12" (30 wide each) on 112 dots (560
    // units, the right end at 565 with the last dot's spacing).
    struct Case {
        bool left;
        int16_t button;  // 0 none
        std::vector<int16_t> alignments;  // applied in this order
        int16_t centreButton;
        std::vector<int16_t> xs;  // X of the cells in reading order
    };
    const Case cases[] = {
        {false, 10, {}, 0, {0, 25, 505, 535}},  // the field alone goes to the right end
        {true, 10, {1}, 0, {0, 30, 60, 85}},     // the text right after the field
        {true, 12, {1, 2}, 0, {0, 30, 515, 540}},
        {false, 12, {3, 2}, 0, {455, 480, 505, 535}},  // the text up to the field at the right end
        // Centred as a whole, field and text (105 wide), in whole dots.
        {true, 0, {3}, 1, {230, 260, 290, 315}},
        {false, 11, {3}, 1, {230, 255, 280, 310}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + " " + std::to_string(c.button));
        testmarkup::ResetAll();
        head.buttons.clear();
        Start(112, "AB");
        gRouteNoLeft = c.left ? -1 : 0;
        if (c.button) head.buttons[c.button] = 1;
        Answer("12");
        const int16_t before = gTextAlignment;
        GenerateRouteNo();
        // The last alignment applied is the one that stays.
        EXPECT_EQ(gTextAlignment, c.alignments.empty() ? before : c.alignments.back());
        EXPECT_EQ(head.buttons[11], c.centreButton);
        std::vector<int16_t> xs;
        for (int16_t cell = PageFirstCell(); IsUsedCell(cell); cell = Cell(cell).Next) xs.push_back(Cell(cell).X);
        EXPECT_EQ(xs, c.xs);
    }
}

}  // namespace
