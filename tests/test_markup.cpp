// The helpers of the sign markup: the fields of a sign's Text section, the
// route-number field tag, the names inside tags, the layout a page's markup
// announces and the route-number menu items.
#include <gtest/gtest.h>

#include "data/fieldtext.h"
#include "support/markup_state.h"

using namespace kv;

namespace {

TEST(FieldText, PagesRowsAndHashes) {
    const std::string t = "\xFF" "FRONT# AB\\C# D#";
    EXPECT_EQ(CountFieldRows(t, 1), 2);
    EXPECT_EQ(CountFieldRows(t, 2), 1);
    EXPECT_EQ(CountFieldRows(t, 3), 1);  // the empty last field
    EXPECT_EQ(CountFieldRows(t, 4), 0);  // no such page
    EXPECT_EQ(CountFieldRows("", 1), 0);
    EXPECT_EQ(GetFieldRow(t, 1, 1), " AB");  // row 1 keeps the blank after "#"
    EXPECT_EQ(GetFieldRow(t, 1, 2), "C");
    EXPECT_EQ(GetFieldRow(t, 1, 3), "");
    EXPECT_EQ(GetFieldRow(t, 2, 1), " D");
    EXPECT_EQ(GetPageField(t, 2), " D");
    EXPECT_EQ(GetPageField(t, 0), "");
    EXPECT_EQ(CountHashMarks(t), 3);
    EXPECT_EQ(CountHashMarks(""), 0);
}

TEST(MarkupTags, RouteNumberFieldTag) {
    struct Case {
        std::string text;
        bool has;
        std::string inner, removed, kept;
    };
    const Case cases[] = {
        {"AB<L/12>\\C", true, "12", "AB\\C", "AB12\\C"},
        {"<L/7>A<L/7>", true, "7", "A", "7A7"},
        {"AB<L/12", false, "", "AB<L/12", "AB<L/12"},  // no ">": no tag
        {"A>B<L/", false, "", "A>B<L/", "A>B<L/"},
        {"AB", false, "", "AB", "AB"},
        {"<L/>X", true, "", "X", "X"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(HasLineTag(c.text), c.has);
        EXPECT_EQ(GetLineTagText(c.text), c.inner);
        EXPECT_EQ(RemoveLineTag(c.text, false), c.removed);
        EXPECT_EQ(RemoveLineTag(c.text, true), c.kept);
    }
}

TEST(MarkupTags, LayoutOfAPageField) {
    struct Case {
        std::string field;
        std::vector<int16_t> rows;
        int16_t fieldFirst, fieldLength;
    };
    const Case cases[] = {
        {" AB", {2}, 0, 0},
        {" AB\\C", {2, 1}, 0, 0},
        {" A<L:2>\\C", {2, 1}, 0, 0},
        {" A <L:3> B", {5}, 0, 0},  // a placeholder is one cell, blanks stay cells
        {" A<L:2><L:1>", {3}, 0, 0},
        {" <L><G>AB", {2}, 0, 0},
        {" AB<Arrow>CD", {4}, 0, 0},  // a symbol mark anywhere holds no cell
        {" A<L:2>B<L/34>", {5}, 4, 2},
        {" AB<L/12>\\C", {4, 1}, 3, 2},
        {" <L/12>AB<L/34", {6}, 1, 2},  // a second field is not closed
        {" AB<L/12", {4}, 0, 0},        // an open field is no field
        {"", {0}, 0, 0},
        {" ", {0}, 0, 0},
        {"  A", {2}, 0, 0},  // one blank belongs to the field, the next is a cell
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        const MarkupLayout l = ReadMarkupLayout(c.field);
        EXPECT_EQ(l.rowCells, c.rows);
        EXPECT_EQ(l.fieldFirst, c.fieldFirst);
        EXPECT_EQ(l.fieldLength, c.fieldLength);
    }
}

class MarkupStateTest : public ::testing::Test {
protected:
    void SetUp() override {
        testmarkup::ResetAll();
        testgfx::MakeSign(40, 16);
    }
    void TearDown() override { testmarkup::ResetAll(); }
    void SetPage(int16_t page, const std::string& markup) {
        gDestListActive = kTrue;
        gCurrentDest = 5;
        gCurrentPage = page;
        SetDestSignField(5, 2, page, markup);
    }
    testmarkup::Head head;
};

TEST_F(MarkupStateTest, PictureAndSymbolNames) {
    struct Case {
        std::string markup;
        std::string picture;    // mode 1
        std::string symbolNew;  // mode 2 without a picture name
        std::string symbolOld;  // mode 2 after the picture name "X"
    };
    const Case cases[] = {
        {"<Bus>AB", "Bus", "Bus", ""},
        {"<Bus>A<Arrow>B", "Bus", "Bus", "Arrow"},
        {"<L><Bus>AB", "Bus", "Bus", ""},
        {"<42><Bus>AB", "Bus", "Bus", ""},         // a leading route-number text is skipped
        {"<12_01>", "12_01", "12_01", ""},         // a batch name alone stays a name
        {"<12_01>A<Arrow>", "12_01", "12_01", "Arrow"},
        {"A<L:2><Bus>", "Bus", "Bus", ""},         // placeholders are no names
        {"<L/12>A<Bus>", "Bus", "Bus", ""},        // neither is the field
        {"<G>A<Symbols>", "G", "G", ""},           // "Symbols" is in S30
        {"AB", "", "", ""},
        {"", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.markup);
        SetPage(1, c.markup);
        gPictureTagName.clear();
        EXPECT_EQ(PictureTagName(1), c.picture);
        EXPECT_EQ(PictureTagName(2), c.symbolNew);
        gPictureTagName = "X";
        EXPECT_EQ(PictureTagName(2), c.symbolOld);
    }
    // Every page takes the names of its own markup.
    SetPage(1, "<One>A");
    SetPage(2, "<Two>B");
    gPictureTagName.clear();
    EXPECT_EQ(PictureTagName(1), "Two");
    gCurrentPage = 1;
    EXPECT_EQ(PictureTagName(1), "One");
    // The destination's own route-number text leads the page while the
    // texts are on, letters and all.
    gShowLineNo = -1;
    gLineNoTableOn = -1;
    gLineNoTable[5] = "12A";
    SetPage(1, "<12A><Bus>A");
    EXPECT_EQ(PictureTagName(1), "Bus");
}

TEST_F(MarkupStateTest, RowCountsOfTheStoredPage) {
    SetPage(1, "AB\\C");
    EXPECT_EQ(RowCharCount(1), 2);
    EXPECT_EQ(RowCharCount(2), 1);
    EXPECT_EQ(RowCharCount(3), 0);
    SetPage(2, "A<L:2>\\C");
    EXPECT_EQ(RowCharCount(1), 2);
    EXPECT_EQ(RowCharCount(2), 1);
    SetPage(3, "<L><G>AB<L/12>\\CD");
    EXPECT_EQ(RowCharCount(1), 4);
    EXPECT_EQ(RowCharCount(2), 2);
    // An extra text without per-sign sections holds its fields alone.
    gDestListActive = kFalse;
    gExtraPerSign = kFalse;
    gCurrentExtra = 3;
    gCurrentPage = 2;
    gExtraList[3].Text = "# A# BC\\D";
    EXPECT_EQ(RowCharCount(1), 2);
    EXPECT_EQ(CurrentSignMarkup(), "# A# BC\\D");
}

TEST_F(MarkupStateTest, EditMenuStates) {
    struct Case {
        int16_t mode;
        bool show, insert;
    };
    for (const Case& c : {Case{0, true, true}, Case{1, true, false}, Case{2, false, true}, Case{3, false, true},
                          Case{5, false, false}, Case{-1, false, false}}) {
        SCOPED_TRACE(c.mode);
        SetEditMenuState(c.mode);
        EXPECT_EQ(head.enabled["ShowLineNo_e"], c.show);
        EXPECT_EQ(head.enabled["Insert_LineNo_e"], c.insert);
        EXPECT_EQ(head.enabled["mnuToolsGenerateMBL"], c.insert);
    }
}

}  // namespace
