// Pages committed from the editor into a record and loaded back: the markup
// and the bytes come out as they went in, for every form of markup; and the
// loader's own rules (header, rows, fields, unknown bytes, raised symbols).
// Fonts: "1" is 7 dots high with A-D and digits 5 dots wide; "g" the
// symbols.
#include <gtest/gtest.h>

#include "engine/alignment.h"
#include "engine/dotstrips.h"
#include "engine/rowlookup.h"
#include "support/markup_state.h"

using namespace kv;
using testmarkup::Commit;
using testmarkup::Load;
using testmarkup::StoredBytes;
using testtext::Type;

namespace {

class PageLoadTest : public ::testing::Test {
protected:
    void SetUp() override { testmarkup::ResetAll(); }
    void TearDown() override { testmarkup::ResetAll(); }
    void Start(int w = 112, int h = 16) {
        testmarkup::StartPage(w, h, "1");
        gRouteNoText = "4567";
        gLineNoFieldCount = 4;
    }
    // The page committed, emptied and loaded again: its markup and bytes
    // encode as they were stored.
    void ExpectRoundTrip(const std::string& markup) {
        const std::string bytes = BuildSignData(PageFirstCell());
        const std::vector<std::string> rows = testtext::RowTexts();
        EXPECT_EQ(Commit(1), markup);
        RefreshEditor(0, 0);
        Load(1);
        EXPECT_EQ(testtext::CheckInvariants(), "");
        EXPECT_EQ(testtext::RowTexts(), rows);
        EXPECT_EQ(testtext::Bytes(), testgfx::Hex(bytes));
        EXPECT_EQ(EncodeSignObjects(false), markup);
    }
    // The page "AB" beside the route-number area at the left end, committed
    // into `dest` while `font` is the default route-number font of the
    // sign's height; returns its markup.
    std::string CommitAreaPage(int16_t dest, const std::string& font) {
        gDefaultRouteNoFont[16 - kMinFontHeight] = font;
        gShowLineNo = -1;
        gRouteNoLeft = -1;
        RecalcRouteNoArea();
        RefreshEditor(0, 0);
        ReadCharMap("1");
        Type("AB");
        return Commit(dest);
    }
    testmarkup::Head head;
    testmarkup::Ui ui;
};

void Placeholder(int16_t n) { InsertLineNoField(n); }

TEST_F(PageLoadTest, TextRowsPlaceholdersAndFieldsRoundTrip) {
    struct Case {
        const char* name;
        std::function<void()> type;
        std::string markup;
    };
    const Case cases[] = {
        {"one row", [] { Type("AB"); }, "AB"},
        {"two rows", [] { Type("AB\nC"); }, "AB\\C"},
        {"three rows", [] { Type("AB\nCD\nA B"); }, "AB\\CD\\A B"},
        {"a blank first", [] { Type(" A"); }, " A"},
        {"placeholder", [] { Type("A"); Placeholder(2); Type("\nC"); }, "A<L:2>\\C"},
        {"placeholder between blanks", [] { Type("A "); Placeholder(3); Type(" B"); }, "A <L:3> B"},
        {"field at the end", [] { Type("AB"); Type("12", 1); }, "AB<L/12>"},
        {"field closes before the row break", [] { Type("AB"); Type("12", 1); Type("\nC"); }, "AB<L/12>\\C"},
        {"field first", [] { Type("12", 1); Type("AB"); }, "<L/12>AB"},
        {"placeholder before a field", [] { Type("A"); Placeholder(2); Type("B"); Type("34", 1); },
         "A<L:2>B<L/34>"},
        // A typed 252 is kept as 189, since 252 is a placeholder.
        {"typed 252", [] { Type("\xBD" "A"); }, std::string("\xFC") + "A"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testmarkup::ResetAll();
        Start();
        c.type();
        ExpectRoundTrip(c.markup);
    }
}

TEST_F(PageLoadTest, FieldPositionsCountCellsNotMarkup) {
    Start();
    Type("A");
    Placeholder(2);
    Type("B");
    Type("34", 1);
    Commit(1);
    RefreshEditor(0, 0);
    Load(1);
    std::vector<int16_t> positions;
    for (int16_t c = PageFirstCell(); IsUsedCell(c); c = Cell(c).Next) positions.push_back(Cell(c).FieldPos);
    EXPECT_EQ(positions, (std::vector<int16_t>{0, 0, 0, 1, 2}));
    EXPECT_EQ(head.enabled["Insert_LineNo_e"], true);  // "<L:" gives menu state 2
    EXPECT_EQ(head.enabled["ShowLineNo_e"], false);
}

TEST_F(PageLoadTest, GraphicWithCaptionRoundTrips) {
    Start(40, 16);
    testgfx::PutArt(0, {"#...#", ".#.#.", "..#.."}, 20, 2);
    MarkGraphicChanged();
    Type("AB");
    const std::string caption = "<Bus>AB";
    ui.caption = &caption;
    EXPECT_EQ(Commit(1), caption);
    ASSERT_EQ(ui.proposals, std::vector<std::string>{"<G>AB"});
    EXPECT_EQ(gPictureTagName, "");
    ui.caption = nullptr;
    const std::string stored = StoredBytes(1);
    RefreshEditor(0, 0);
    Load(1);
    EXPECT_EQ(gPictureTagName, "Bus");
    EXPECT_EQ(gHasGraphic, -1);
    EXPECT_EQ(gGraphicModified, 0);
    EXPECT_EQ(testgfx::Art(0, 40, 16, 0).substr(41 * 2, 41), "....................#...#...............\n");
    EXPECT_EQ(BuildSignData(PageFirstCell()), stored);
    EXPECT_EQ(EncodeSignObjects(false), caption);
    EXPECT_EQ(ui.proposals.back(), caption);
}

TEST_F(PageLoadTest, SymbolMarkRoundTrips) {
    Start();
    Type("A");
    ReadCharMap("g");
    Type("L");
    ReadCharMap("1");
    Type("B");
    EXPECT_EQ(Commit(1), "A<Symbols>B");  // the caption as proposed
    const std::string stored = StoredBytes(1);
    RefreshEditor(0, 0);
    Load(1);
    EXPECT_EQ(gSymbolTagName, "");  // the language's own mark is no name
    EXPECT_EQ(testtext::RowTexts(), std::vector<std::string>{"ALB"});
    EXPECT_EQ(BuildSignData(PageFirstCell()), stored);
    EXPECT_EQ(EncodeSignObjects(false), "A<Symbols>B");

    // A named symbol mark keeps its name; the row count ignores the mark.
    SetDestSignField(1, gCurrentSign, 1, "A<Arrow>B\\C");
    EXPECT_EQ(RowCharCount(1), 2);
    EXPECT_EQ(RowCharCount(2), 1);
    Load(1);
    EXPECT_EQ(gSymbolTagName, "Arrow");
}

TEST_F(PageLoadTest, RouteNumberHeaderSwitchesTheAreaOn) {
    Start();
    const std::string markup = CommitAreaPage(1, "e");
    EXPECT_EQ(markup, "<L>AB");
    const std::string stored = StoredBytes(1);
    ASSERT_GE(stored.size(), 7u);
    EXPECT_EQ(static_cast<unsigned char>(stored[6]), 242);

    gShowLineNo = 0;
    gRouteNoX = gRouteNoY = 99;
    RefreshEditor(0, 0);
    Load(1);
    EXPECT_EQ(gShowLineNo, -1);
    EXPECT_TRUE(head.checked["ShowLineNo_e"]);
    EXPECT_EQ(gRouteNoX, 0);
    EXPECT_EQ(gRouteNoY, 0);
    EXPECT_EQ(head.enabled["ShowLineNo_e"], true);  // menu state 1
    EXPECT_EQ(head.enabled["mnuToolsGenerateMBL"], false);
    EXPECT_EQ(BuildSignData(PageFirstCell()), stored);
    EXPECT_EQ(EncodeSignObjects(false), markup);

    // Per-destination route-number texts write the destination's text.
    gLineNoTableOn = -1;
    gLineNoTable[1] = "42";
    EXPECT_EQ(EncodeSignObjects(false), "<42>AB");

    // Bytes without the header switch the area off.
    ParseSignMarkup(std::string("\xD2\x00\xD3\x06\xD4\x31\x21", 7));
    EXPECT_EQ(gShowLineNo, 0);
    EXPECT_FALSE(head.checked["ShowLineNo_e"]);
}

// A page stored with a route-number font other than the default of the
// sign's height (the default changed since) keeps that font: the area is
// drawn and the header written in it, through later repaints too.
TEST_F(PageLoadTest, ThePageKeepsTheFontOfItsRouteNumberHeader) {
    Start();
    const std::string markup = CommitAreaPage(1, "i");
    const std::string stored = StoredBytes(1);
    EXPECT_EQ(stored.substr(5, 2), "i\xF2");
    CommitAreaPage(2, "e");
    const std::string storedDefault = StoredBytes(2);
    EXPECT_EQ(storedDefault.substr(5, 2), "e\xF2");
    int16_t w = 0, h = 0;
    ASSERT_TRUE(MeasureRouteNoChar("i", '0', w, h));
    int16_t we = 0, he = 0;
    ASSERT_TRUE(MeasureRouteNoChar("e", '0', we, he));
    ASSERT_NE(h, he);  // the header's row tells the fonts apart

    // The default is now "e", as after the settings changed.
    RecalcRouteNoArea();
    RefreshEditor(0, 0);
    Load(1);
    EXPECT_EQ(gPageRouteNoFont, "i");
    EXPECT_EQ(gRouteNoFont, "i");
    EXPECT_EQ(gRouteNoAreaHeight, h);
    EXPECT_EQ(gRouteNoAreaWidth, w / 5 * 5 * gLineNoFieldCount);
    EXPECT_EQ(testtext::CheckInvariants(), "");
    EXPECT_EQ(BuildSignData(PageFirstCell()), stored);
    EXPECT_EQ(EncodeSignObjects(false), markup);
    RedrawEditor();
    EXPECT_EQ(BuildSignData(PageFirstCell()), stored);

    // A page in the default font, and one without the header, keep none.
    Load(2);
    EXPECT_EQ(gPageRouteNoFont, "");
    EXPECT_EQ(gRouteNoFont, "e");
    EXPECT_EQ(BuildSignData(PageFirstCell()), storedDefault);
    Load(1);
    ParseSignMarkup(std::string("\xD2\x00\xD3\x06\xD4\x31\x41", 7));
    EXPECT_EQ(gPageRouteNoFont, "");

    // A font the library lacks gives way to the default, as before.
    std::string unknown = stored;
    unknown[5] = 'Z';
    ASSERT_FALSE(MeasureRouteNoChar("Z", '0', w, h));
    SetDestSection(1, gCurrentSign, 1, unknown);
    Load(1);
    EXPECT_EQ(gPageRouteNoFont, "");
    EXPECT_EQ(gRouteNoFont, "e");
}

TEST_F(PageLoadTest, HeaderPlacesTheRouteNumberFromItsBottomRow) {
    Start();
    int16_t w = 0, h = 0;
    ASSERT_TRUE(MeasureRouteNoChar("i", '0', w, h));
    ParseSignMarkup(std::string("\xD2\x00\xD3\x0D\xD4i\xF2", 7));
    EXPECT_EQ(gRouteNoX, 0);
    EXPECT_EQ(gRouteNoY, (13 - h / 5) * 5 + 5);
}

TEST_F(PageLoadTest, RowsFollowTheMarkupCounts) {
    Start();
    Type("ABCD");  // one run of four cells
    Commit(1);
    struct Case {
        const char* markup;
        std::vector<std::string> rows;
    };
    const Case cases[] = {
        {"ABCD", {"ABCD"}},
        {"AB\\CD", {"AB", "CD"}},
        {"A\\B\\CD", {"A", "B", "CD"}},
        {"ABC", {"ABCD"}},           // more cells than announced stay in the last row
        {"A\\BCDE\\F", {"A", "BCD"}},  // fewer leave the row unfinished
        {"<G>A\\BCD", {"A", "BCD"}},   // marks hold no cells
        {"<L/AB>\\CD", {"AB", "CD"}},
        {"A<L:3>\\CD", {"AB", "CD"}},  // a placeholder is one cell
        {"", {"ABCD"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.markup);
        SetDestSignField(1, gCurrentSign, 1, c.markup);
        Load(1);
        EXPECT_EQ(testtext::RowTexts(), c.rows);
        EXPECT_EQ(testtext::CheckInvariants(), "");
    }
}

// A sign of a single page shows it on every page: shown on a later page it
// comes with its own rows and their alignment, as on its first page; a
// sign of several pages takes the markup of the page shown.
TEST_F(PageLoadTest, ASinglePageShownOnALaterPageKeepsItsRows) {
    Start();
    Type("AB");
    SetAlignment(2, false, false, true);
    Type("\nC");
    Commit(1);
    const std::vector<std::string> rows = testtext::RowTexts();
    ASSERT_EQ(rows, (std::vector<std::string>{"AB", "C"}));
    for (int16_t page : {1, 2, 3}) {
        SCOPED_TRACE(page);
        RefreshEditor(0, 0);
        Row(gCurrentRow).Alignment = 1;
        Load(1, page);
        EXPECT_EQ(testtext::RowTexts(), rows);
        EXPECT_EQ(Row(gStartRow).Alignment, 2);
        EXPECT_EQ(testtext::CheckInvariants(), "");
    }
    // With a second page stored, page 2 has rows of its own.
    RefreshEditor(0, 0);
    Type("D\nEF");
    Commit(1, 2);
    Load(1, 2);
    EXPECT_EQ(testtext::RowTexts(), (std::vector<std::string>{"D", "EF"}));
}

TEST_F(PageLoadTest, BytesWithoutCharactersAreSkipped) {
    Start();
    // Glyph 0x41 is A; 0x90 and 0x05 have no character in the map of "1".
    const std::string data("\x01\x02\xD2\x00\xD3\x06\xD4\x31\x41\x90\x05\x41", 12);
    SetDestSignField(1, gCurrentSign, 1, "AA");
    gDestListActive = kTrue;
    gCurrentDest = 1;
    gCurrentPage = 1;
    ParseSignMarkup(data);
    EXPECT_EQ(testtext::ChainText(), "AA");
    EXPECT_EQ(testtext::CheckInvariants(), "");
    // A run cut short after its commands loads nothing more.
    ParseSignMarkup(std::string("\xD2\x00\xD3", 3));
    EXPECT_EQ(PageFirstCell(), 0);
}

// A placeholder whose characters the route number no longer holds has no
// width; loaded first in its run it still stands on the run's bottom row,
// so loading and storing the page again never moves the run.
TEST_F(PageLoadTest, AnEmptyPlaceholderKeepsItsRunInPlace) {
    Start();
    Placeholder(2);
    Type("AB");
    Commit(1);
    const std::string stored = testgfx::Hex(StoredBytes(1));
    EXPECT_EQ(stored, "d2 00 d3 06 d4 31 fb 41 42");
    gRouteNoText = "";
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        RefreshEditor(0, 0);
        Load(1);
        EXPECT_EQ(Cell(PageFirstCell()).Width, 0);
        EXPECT_EQ(testtext::Bytes(), stored);
        Commit(1);
    }
}

TEST_F(PageLoadTest, RaisedTextLiftsTheSymbolsThatFollow) {
    Start();
    // "1" is 35 high: a run whose bottom row is 4 has its top at -10.
    std::string data("\xD2\x00\xD3\x04\xD4\x31\x41", 7);
    ReadCharMap("g");
    const int16_t gHeight = gCharHeight;
    const int16_t bottom = static_cast<int16_t>((20 + gHeight) / 5 - 1);  // top 20 in font "g"
    data += std::string("\xD2\x28\xD3", 3) + static_cast<char>(bottom) + std::string("\xD4gUD", 4);
    ReadCharMap("1");
    SetDestSignField(1, gCurrentSign, 1, "A<Symbols>");
    gCurrentDest = 1;
    ParseSignMarkup(data);
    const int16_t a = PageFirstCell();
    ASSERT_TRUE(IsUsedCell(a));
    EXPECT_EQ(Cell(a).Y, 0);
    const int16_t u = Cell(a).Next, d = Cell(u).Next;
    EXPECT_EQ(Cell(u).CharCode, 'U');
    EXPECT_EQ(Cell(u).Y, 20 - 10 + 15);  // U is one of the raised symbols
    EXPECT_EQ(Cell(d).CharCode, 'D');
    EXPECT_EQ(Cell(d).Y, 20);
}

TEST_F(PageLoadTest, EmptyPagesAndPlainText) {
    Start();
    EXPECT_EQ(EncodeSignObjects(false), "");
    // Text in a lower row only still makes a page.
    Type("X\nAB");
    testtext::CursorAfter(PageFirstCell(), gStartRow);
    DeleteCharAtCursor();
    ASSERT_EQ(Row(gStartRow).FirstCell, 0);
    EXPECT_EQ(EncodeSignObjects(false), "AB");

    testmarkup::ResetAll();
    Start();
    Type("A");
    Placeholder(2);
    ReadCharMap("g");
    Type("L");
    ReadCharMap("1");
    Type("12", 1);
    EXPECT_EQ(EncodeSignObjects(true), "A<L/12>");
    EXPECT_TRUE(ui.proposals.empty());
}

TEST_F(PageLoadTest, InvertedTextAndBitmapImportsNameThePage) {
    Start();
    MarkGraphicChanged();
    Type("A");
    gAltBufferChanged = -1;
    gInvertedText = "HELLO";
    EXPECT_EQ(EncodeSignObjects(false), "<HELLO>");
    EXPECT_EQ(ui.proposals.back(), "<HELLO>");
    gAltBufferChanged = 0;

    // A bitmap import gives the caption; nobody is asked.
    gPictureImportActive = -1;
    gPictureImportCaption = "<Harbour>";
    EXPECT_EQ(EncodeSignObjects(false), "<Harbour>");
    EXPECT_EQ(ui.proposals.size(), 1u);
}

}  // namespace
