// Removing the page under edit: every shown sign's page goes, the list line
// and the editors follow, and in insert mode the numbers close up.
#include <gtest/gtest.h>

#include "engine/shownpages.h"
#include "support/entry_state.h"

using namespace kv;
using testentry::TypeOn;

namespace {

class RemoveTest : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        testentry::GraphicSign(5, "REAR", 48, 8, 1);
        testentry::GraphicSign(2, "FRONT", 112, 16, 0);
    }
    void TearDown() override { testentry::ResetAll(); }

    // The Text of record n of StoreRun.
    static std::string TextOfRun(int n) {
        const std::string s = std::to_string(n);
        return "\xff" "FRONT# F" + s + "# f" + s + "\xff" "REAR# R" + s + "# r" + s;
    }
    // Destinations `from`..`to` with two pages on FRONT and REAR each.
    void StoreRun(int from, int to) {
        for (int n = from; n <= to; ++n) {
            const std::string s = std::to_string(n);
            DestRecord& r = ActiveAt(n);
            r.Text = TextOfRun(n);
            r.SignData = "\xff\x02" "F" + s + "\xb0\x03" "f" + s + "\xff\x05" "R" + s + "\xb0\x03" "r" + s;
            r.AltText = r.SignData;
            r.Code = PadCode(s);
            FormatListLine(r.Text, static_cast<int16_t>(n), gDestListActive ? DestList : ExtraList);
        }
    }

    testentry::Window window;
    testmarkup::Ui ui;
};

TEST_F(RemoveTest, ThePageOfEveryShownSignGoes) {
    StoreRun(1, 3);
    gCurrentDest = 2;
    gCurrentPage = 2;
    window.frameShown = true;
    RemoveEntry();
    const DestRecord& r = gDestList[2];
    EXPECT_EQ(r.Text, "\xff" "FRONT# F2" "\xff" "REAR# R2");
    EXPECT_EQ(r.SignData, "\xff\x02" "F2" "\xff\x05" "R2");
    EXPECT_EQ(r.AltText, "\xff\x02" "F2" "\xff\x05" "R2");
    EXPECT_EQ(r.Code, "2   ");
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"   1   FRONT# F1# f1REAR# R1# r1", "   2   FRONT# F2REAR# R2",
                                                          "   3   FRONT# F3# f3REAR# R3# r3"}));
    EXPECT_EQ(DestList.ListIndex(), 1);
    EXPECT_EQ(window.top, 1);
    // One page is left: the options offer it, page 1 is chosen and loaded.
    EXPECT_TRUE(window.optionEnabled[1]);
    EXPECT_FALSE(window.optionEnabled[2]);
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_EQ(gDocumentModified, kTrue);
    // Every shown sign shows the record's page again.
    for (int16_t k : {0, 1}) {
        EXPECT_TRUE(gShownPages[static_cast<size_t>(k)].fromEntry) << k;
        EXPECT_EQ(gShownPages[static_cast<size_t>(k)].entry, 2) << k;
        EXPECT_EQ(gShownPages[static_cast<size_t>(k)].page, 1) << k;
    }
}

TEST_F(RemoveTest, TheLastPageTakesSignDataAndCodeAlong) {
    gDestList[4].Text = "\xff" "FRONT# only";
    gDestList[4].SignData = "\xff\x02" "o";
    gDestList[4].Code = "4   ";
    AddListLine(4, true);
    gDestList[7].Text = "\xff" "FRONT# seven";
    AddListLine(7, true);
    gCurrentDest = 4;
    gChangeTime = 9;
    RemoveEntry();
    EXPECT_TRUE(gDestList[4].Text.empty());
    EXPECT_TRUE(gDestList[4].SignData.empty());
    EXPECT_EQ(gDestList[4].Code, "    ");
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"   7   FRONT# seven"}));
    // The only line left had index 0 before: no line is chosen.
    EXPECT_EQ(DestList.ListIndex(), -1);
    // Changing texts hidden: the change time goes back to the default.
    EXPECT_EQ(gChangeTime, gDefaultChangeTime);
    EXPECT_EQ(window.timeBox, gDefaultChangeTime);
    EXPECT_EQ(PageFirstCell(), 0);
}

TEST_F(RemoveTest, NothingToRemoveSaysSoAndChangesNothing) {
    gCurrentDest = 9;
    RemoveEntry();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gTextS99);
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_FALSE(gShownPages[0].fromEntry);
}

TEST_F(RemoveTest, InsertModeClosesTheGap) {
    StoreRun(12, 20);
    gInsertMode = kTrue;
    gCurrentDest = 12;
    // FRONT held the record's only pages: the record empties at the first
    // sign, and the second sign's page still goes, before the gap closes.
    gDestList[12].Text = "\xff" "FRONT# gone";
    gDestList[12].SignData = "\xff\x02" "g";
    gDestList[12].AltText = "\xff\x02" "g";
    RemoveEntry();
    for (int n = 12; n <= 19; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(gDestList[n].Text, TextOfRun(n + 1));
        EXPECT_EQ(gDestList[n].Code, PadCode(std::to_string(n)));
    }
    EXPECT_TRUE(gDestList[20].Text.empty());
    EXPECT_TRUE(gDestList[20].AltText.empty());
    EXPECT_EQ(gDestList[20].Code, "20  ");
    ASSERT_EQ(DestList.ListCount(), 8);
    EXPECT_EQ(ListLineNumber(DestList.List(0)), 12);
    EXPECT_EQ(ListLineNumber(DestList.List(7)), 19);
}

TEST_F(RemoveTest, InsertModeStopsAtTheFirstFreeRecord) {
    StoreRun(12, 14);
    StoreRun(30, 30);
    gInsertMode = kTrue;
    gDestList[12].Text = "\xff" "FRONT# gone";
    gDestList[12].SignData = "\xff\x02" "g";
    gCurrentDest = 12;
    RemoveEntry();
    EXPECT_EQ(gDestList[13].Text, TextOfRun(14));
    EXPECT_TRUE(gDestList[14].Text.empty());
    EXPECT_EQ(gDestList[30].Code, "30  ");
    EXPECT_EQ(DestList.ListCount(), 3);
}

TEST_F(RemoveTest, ExtraTextsWithAndWithoutSections) {
    gDestListActive = kFalse;
    StoreRun(1, 2);
    gCurrentExtra = 1;
    gCurrentPage = 1;
    RemoveEntry();
    EXPECT_EQ(gExtraList[1].Text, "\xff" "FRONT# f1" "\xff" "REAR# r1");
    EXPECT_EQ(gExtraList[1].Code, "1   ");  // no code step for extra texts
    EXPECT_EQ(ExtraList.ListIndex(), 0);

    // Without sections the page goes from the whole Text and SignData.
    gExtraPerSign = kFalse;
    gExtraList[5].Text = "# a# b";
    gExtraList[5].SignData = "A\xb0\x03" "B";
    FormatListLine(gExtraList[5].Text, 5, ExtraList);
    gCurrentExtra = 5;
    gCurrentPage = 2;
    SignInfoOf(5).Shown = kFalse;
    RemoveEntry();
    EXPECT_EQ(gExtraList[5].Text, "# a");
    EXPECT_EQ(gExtraList[5].SignData, "A");

    // In insert mode an emptied extra text closes up too.
    gInsertMode = kTrue;
    gExtraList[6].Text = "# six";
    gExtraList[6].SignData = "S";
    FormatListLine(gExtraList[6].Text, 6, ExtraList);
    gCurrentPage = 1;
    RemoveEntry();
    EXPECT_EQ(gExtraList[5].Text, "# six");
    EXPECT_EQ(gExtraList[5].Code, "5   ");
    EXPECT_TRUE(gExtraList[6].Text.empty());
}

TEST_F(RemoveTest, TheTextSignsRowIsLoadedAgain) {
    testentry::TextSign(4, "TXT", 12);
    for (int16_t a : {2, 5}) SignInfoOf(a).Shown = kFalse;
    testentry::EditTextSign(4);
    gDestList[3].Text = "\xff" "TXT# AB# CD";
    testentry::TypeOnStrip("CD");
    gDestList[3].SignData = "\xff\x04" + PadRowText(4);
    InitEditor();
    testentry::TypeOnStrip("AB");
    gDestList[3].SignData = "\xff\x04" + PadRowText(4) + "\xb0\x03" + gDestList[3].SignData.substr(2);
    AddListLine(3, true);
    gCurrentDest = 3;
    RemoveEntry();
    EXPECT_EQ(gDestList[3].Text, "\xff" "TXT# CD");
    EXPECT_EQ(CharArrayToString(), "CD");
}

}  // namespace
