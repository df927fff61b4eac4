// The page options, the change-time box and the row string of a record.
#include <gtest/gtest.h>

#include "data/fieldtext.h"
#include "app/entryload.h"
#include "app/invert.h"
#include "app/signkeys.h"
#include "data/signdata.h"
#include "engine/alignment.h"
#include "engine/render.h"
#include "engine/rowtidy.h"
#include "engine/shownpages.h"
#include "support/entry_state.h"

using namespace kv;

namespace {

class PageTimesTest : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        testentry::GraphicSign(2, "FRONT", 112, 16, 0);
    }
    void TearDown() override { testentry::ResetAll(); }

    // Destination 1 with `pages` pages on FRONT.
    void Pages(int pages) {
        std::string text = "\xff" "FRONT";
        for (int i = 1; i <= pages; ++i) text += "# p" + std::to_string(i);
        gDestList[1].Text = text;
        gCurrentDest = 1;
    }

    testentry::Window window;
    testmarkup::Ui ui;
};

TEST_F(PageTimesTest, OptionsFollowThePageCountUpToTwenty) {
    Pages(3);
    EXPECT_EQ(NumberOfChangingTexts(-1), 3);
    EXPECT_TRUE(window.optionVisible.empty());  // within the 8 offered
    UpdateNoOfTextsOption(3, 2);
    for (int16_t n = 1; n <= 8; ++n) EXPECT_EQ(window.optionEnabled[n], n <= 3) << n;
    EXPECT_EQ(window.selected, 2);
    EXPECT_EQ(gCurrentPage, 2);

    // 12 pages raise the options offered to 12.
    Pages(12);
    EXPECT_EQ(NumberOfChangingTexts(-1), 12);
    EXPECT_EQ(gNumberOfChangingTexts, 12);
    for (int16_t n = 8; n <= 12; ++n) EXPECT_TRUE(window.optionVisible[n]) << n;

    // 23 pages: options 1..20 only; the record keeps its pages.
    Pages(23);
    EXPECT_EQ(NumberOfChangingTexts(-1), 23);
    EXPECT_EQ(gNumberOfChangingTexts, 20);
    EXPECT_FALSE(window.optionVisible.count(21));
    UpdateNoOfTextsOption(23, 1);
    EXPECT_TRUE(window.optionEnabled[20]);
    EXPECT_FALSE(window.optionEnabled.count(21));
    EXPECT_EQ(CountHashMarks(gDestList[1].Text), 23);

    // Adding one option after the last offered only beeps.
    window.selected = 20;
    UpdateNoOfTextsOption(-1, 1);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(window.selected, 20);

    // 0, or more than offered, changes nothing.
    gNumberOfChangingTexts = 8;
    window.optionEnabled.clear();
    UpdateNoOfTextsOption(0, 1);
    UpdateNoOfTextsOption(9, 1);
    EXPECT_TRUE(window.optionEnabled.empty());
}

TEST_F(PageTimesTest, AddingAnOptionChoosesIt) {
    window.selected = 3;
    gCurrentPage = 3;
    UpdateNoOfTextsOption(-1, 1);
    EXPECT_TRUE(window.optionEnabled[4]);
    EXPECT_EQ(window.selected, 4);
    EXPECT_EQ(gCurrentPage, 4);

    // Choosing an option that is chosen already does not count as a click.
    gCurrentPage = 7;
    SelectPageOption(4);
    EXPECT_EQ(gCurrentPage, 7);
    PageOptionClicked(2);
    EXPECT_EQ(gCurrentPage, 2);
    EXPECT_EQ(window.pictureFocus, 1);
}

TEST_F(PageTimesTest, ARouteNumberEditStaysWhereItsSignHasNoSuchPage) {
    // Destination 1: two pages of the text sign, route number 5.
    SignInfoOf(2).Shown = kFalse;
    testentry::TextSign(4, "TXT", 12);
    testentry::RouteNumberSign(7, "LINE");
    testentry::EditTextSign(4);
    gCurrentDest = 1;
    window.number = "1";
    testentry::TypeOnStrip("AB");
    window.routeBox = "5";
    NoteContentToStore(kRouteBoxEditor);
    Save(kCommitOnly);
    gCurrentPage = 2;
    InitEditor();
    testentry::TypeOnStrip("CD");
    Save(kCommitOnly);
    ASSERT_TRUE(RecordPageOf(true, 1, 4, 2).has_value());
    ASSERT_FALSE(RecordPageOf(true, 1, 7, 2).has_value());

    gCurrentPage = 1;
    LoadCurrentEntry(true);
    ASSERT_EQ(window.routeBox, "5");
    // The box edited; page 2, which only the text sign has.
    window.routeBox = "57";
    NoteContentToStore(kRouteBoxEditor);
    PageOptionClicked(2);
    EXPECT_EQ(gCurrentPage, 2);
    EXPECT_EQ(StripEditorContent(), "CD");
    EXPECT_EQ(window.routeBox, "57");
    // A Save stores it as the route number.
    Save(kCommitOnly);
    EXPECT_EQ(testentry::TextOf(gDestList[1], 7), "\xff" "LINE# 57");
}

TEST_F(PageTimesTest, ASignOfOnePageIsTheSameOnEveryPage) {
    // Destination 1: FRONT one page of two rows, centred and right-aligned;
    // REAR two pages, left-aligned. FRONT shows its page on page 2 too.
    testentry::GraphicSign(5, "REAR", 48, 8, 1);
    auto store = [](int16_t address, int16_t page) {
        SetDestSignField(1, address, page, EncodeSignObjects());
        SetSectionPageIn(gDestList[1].SignData, address, page, BuildSignData(PageFirstCell()));
    };
    testentry::TypeOn(window, 2, "1", "AB");
    SetAlignment(3, false, false, true);
    testtext::Type("\nC");
    SetAlignment(2, false, false, true);
    store(2, 1);
    for (int16_t page : {int16_t{1}, int16_t{2}}) {
        testentry::TypeOn(window, 5, "1", "");
        RefreshEditor(0, 0);
        SetAlignment(1, false, false, true);
        testtext::Type(page == 1 ? "D" : "E");
        store(5, page);
    }
    gDestList[1].Code = PadCode("1");
    ASSERT_EQ(GetPageField(GetSignText(gDestList[1].Text, 2), 1), " AB\\C");

    // What FRONT shows with page p under the marker (loaded on page 1, the
    // option of page p clicked, the entry loaded again there), and what a
    // key and the invert command make of it.
    struct Seen {
        std::string markup, typed;
        std::vector<int16_t> alignments;
        std::vector<bool> inverted;
    };
    auto see = [&](int16_t page, bool invert) {
        gCurrentDest = 1;
        gCurrentPage = 1;
        LoadCurrentEntry(true);
        PageOptionClicked(page);
        LoadCurrentEntry(true);
        EXPECT_EQ(gCurrentPage, page);
        window.ChangeAddress(0, true, true);
        Seen s;
        s.markup = EncodeSignObjects();
        for (int16_t r = gStartRow, guard = 0; IsRowIndex(r) && guard < 8; r = Row(r).NextRow, ++guard)
            s.alignments.push_back(Row(r).Alignment);
        if (invert) {
            InvertTextToGraph();
            for (int32_t y = 0; y < 16; ++y)
                for (int32_t x = 0; x < 112; ++x) s.inverted.push_back(GetGraphicPixel(0, x, y) != 0);
        } else {
            K4000_pct_KeyDown(35, 0);
            int16_t key = 'F';
            K4000_pct_KeyPress(key);
            s.typed = BuildSignData(PageFirstCell());
        }
        return s;
    };
    for (bool invert : {false, true}) {
        SCOPED_TRACE(invert);
        const Seen one = see(1, invert), two = see(2, invert);
        EXPECT_EQ(one.alignments, (std::vector<int16_t>{3, 2}));
        EXPECT_EQ(two.markup, one.markup);
        EXPECT_EQ(two.alignments, one.alignments);
        EXPECT_EQ(two.typed, one.typed);
        EXPECT_EQ(two.inverted, one.inverted);
    }
}

TEST_F(PageTimesTest, OpeningTheChangingTextsOffersOnePageForAnEmptySign) {
    gChangeTime = 6;
    window.selected = 0;
    ChangingTextsOpened(-1);
    EXPECT_EQ(window.selected, 1);
    EXPECT_EQ(window.timeBox, 6);
    EXPECT_TRUE(window.optionEnabled[1]);
    EXPECT_FALSE(window.optionEnabled[2]);
}

TEST_F(PageTimesTest, TheChangeTimeBoxTakesDigitsFromZeroToTwenty) {
    struct Typed {
        const char* text;
        const char* digits;
        int beeps;
    };
    for (const Typed& t : {Typed{"1a", "1", 1}, Typed{"12", "12", 0}, Typed{"x1y2x", "12", 2}, Typed{"-5", "5", 1}}) {
        int beeps = -1;
        EXPECT_EQ(ChangeTimeDigits(t.text, beeps), t.digits) << t.text;
        EXPECT_EQ(beeps, t.beeps) << t.text;
    }

    struct Left {
        const char* text;
        bool accepted;
        int16_t time;
    };
    gChangeTime = 5;
    for (const Left& l : {Left{"20", true, 20}, Left{"21", false, 20}, Left{"", true, 0}, Left{"0", true, 0},
                          Left{"1e1", false, 0}, Left{"007", true, 7}, Left{"99999999999", false, 7}}) {
        const auto restored = ChangeTimeLeft(l.text);
        EXPECT_EQ(!restored.has_value(), l.accepted) << l.text;
        EXPECT_EQ(gChangeTime, l.time) << l.text;
        if (restored) {
            EXPECT_EQ(*restored, std::to_string(l.time)) << l.text;
        }
    }
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].text, gTextS108);
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
}

TEST_F(PageTimesTest, TheRowStringFollowsTheRowsAlignments) {
    ReadCharMap("1");
    testtext::Type("A\nB\nC");
    int16_t r = gStartRow;
    for (int16_t a : {5, 0, 7}) {
        Row(r).Alignment = a;
        r = Row(r).NextRow;
    }
    EXPECT_EQ(BuildTimeString(), "0000000000");
    gTenCharFieldOn = kTrue;
    EXPECT_EQ(BuildTimeString(), "5070000000");
    gTenCharFieldOn = kFalse;
}

}  // namespace
