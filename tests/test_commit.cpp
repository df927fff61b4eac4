// Committing the entry under edit: the roads by sign and list, the signs a
// commit visits, the route-number texts, the modes that move on, and insert
// mode.
#include <gtest/gtest.h>

#include "data/headmode.h"
#include "support/entry_state.h"

using namespace kv;
using testentry::DataOf;
using testentry::TextOf;
using testentry::TypeOn;

namespace {

class CommitTest : public ::testing::Test {
protected:
    void SetUp() override { testentry::ResetAll(); }
    void TearDown() override { testentry::ResetAll(); }

    // The graphic sign FRONT alone.
    void Front() {
        testentry::GraphicSign(2, "FRONT", 112, 16, 0);
        gCurrentSign = 2;
    }
    // Stored records 12..20 of the active list, one page "Nn" on FRONT each.
    void StoreRun(int from, int to) {
        for (int n = from; n <= to; ++n) {
            DestRecord& r = ActiveAt(n);
            r.Text = "\xff" "FRONT# N" + std::to_string(n);
            r.SignData = "\xff\x02" "n" + std::to_string(n);
            r.Code = PadCode(std::to_string(n));
            FormatListLine(r.Text, static_cast<int16_t>(n), gDestListActive ? DestList : ExtraList);
        }
    }
    std::vector<std::string> TextsOf(int from, int to) {
        std::vector<std::string> out;
        for (int n = from; n <= to; ++n) out.push_back(ActiveAt(n).Text);
        return out;
    }

    testentry::Window window;
    testmarkup::Ui ui;
};

TEST_F(CommitTest, EveryRoadWritesItsSectionsTimeFlagAndLine) {
    struct Case {
        const char* name;
        bool dest;
        int16_t model;  // 0 graphic, 1 text sign, 2 route-number sign
        std::string text, data;  // the sign's sections afterwards
        std::string line;
    };
    // Graphic pages are compared with what the editor encodes for the same text.
    testentry::GraphicSign(2, "FRONT", 112, 16, 0);
    ReadCharMap("1");
    testtext::Type("AB");
    const std::string markup = EncodeSignObjects(), bytes = BuildSignData(PageFirstCell());

    const Case cases[] = {
        {"destination, graphic sign", true, 0, "\xff" "FRONT# " + markup, "\xff\x02" + bytes, "  12   FRONT# " + markup},
        {"destination, text sign", true, 1, "\xff" "TXT# AB", "", "  12   TXT# AB"},
        {"destination, route-number sign", true, 2, "\xff" "LINE# 42", "\xff\x07" "42", "  12   LINE# 42"},
        {"extra text, graphic sign", false, 0, "\xff" "FRONT# " + markup, "\xff\x02" + bytes, "  12   FRONT# " + markup},
        {"extra text, text sign", false, 1, "\xff" "TXT# AB", "", "  12   TXT# AB"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testentry::ResetAll();
        window.active = -1;
        window.visited.clear();
        window.blackOut = true;
        window.number = "12";
        window.routeBox = "42";
        gDestListActive = VbBool(c.dest);
        gCurrentDest = gCurrentExtra = 12;
        gChangeTime = 7;
        if (!c.dest) ExtraList.AddItem("   5   X");  // not the first extra text
        if (c.model == 0) {
            testentry::GraphicSign(2, "FRONT", 112, 16, 0);
            TypeOn(window, 2, "1", "AB");
        } else if (c.model == 1) {
            testentry::TextSign(4, "TXT", 12);
            testentry::EditTextSign(4);
            testentry::TypeOnStrip("AB");
        } else {
            testentry::RouteNumberSign(7, "LINE");
            gCurrentSign = 7;
        }
        const int16_t address = c.model == 0 ? 2 : c.model == 1 ? 4 : 7;
        gTextModified = kTrue;
        Save(kCommitOnly);

        const DestRecord& r = ActiveAt(12);
        EXPECT_EQ(r.Text, c.text);
        if (c.model == 1) EXPECT_EQ(DataOf(r, address), "\xff\x04" + PadRowText(address));
        else EXPECT_EQ(DataOf(r, address), c.data);
        EXPECT_EQ(r.ChangeTime, 7);
        ListModel& list = c.dest ? DestList : ExtraList;
        const int line = FindListIndexByNumber(list, 12);
        ASSERT_GE(line, 0);
        EXPECT_EQ(list.List(line), c.line);
        EXPECT_EQ(list.ListIndex(), line);
        if (c.dest) {
            EXPECT_EQ(r.Flag, kTrue);
            EXPECT_EQ(r.Code, c.model == 1 ? "    " : "12  ");
        }
        EXPECT_EQ(r.Srad, "0000000000");
        EXPECT_EQ(gDocumentModified, kTrue);
        EXPECT_EQ(gTextModified, kFalse);
        EXPECT_EQ(gCurrentSign, address);
        EXPECT_TRUE(ui.messages.empty());
    }
}

TEST_F(CommitTest, EachGraphicSignFromItsOwnEditorVisitedFromTheTop) {
    testentry::GraphicSign(2, "FRONT", 112, 16, 0);
    testentry::GraphicSign(5, "REAR", 48, 8, 1);
    testentry::GraphicSign(9, "SIDE", 48, 8, 2);
    TypeOn(window, 9, "1", "S");
    TypeOn(window, 5, "1", "R");
    TypeOn(window, 2, "1", "F");
    gCurrentDest = 3;
    window.visited.clear();
    Save(kCommitOnly);

    EXPECT_EQ(window.visited, (std::vector<int16_t>{2, 1, 0}));  // 9, 5, 2: the active one last
    EXPECT_EQ(gCurrentSign, 2);
    const DestRecord& r = gDestList[3];
    // Text takes the sections in the order they are written.
    EXPECT_EQ(r.Text, "\xff" "SIDE# S" "\xff" "REAR# R" "\xff" "FRONT# F");
    // SignData keeps the sections in address order.
    EXPECT_EQ(r.SignData.find("\xff\x02"), 0u);
    EXPECT_LT(r.SignData.find("\xff\x05"), r.SignData.find("\xff\x09"));
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"   3   SIDE# SREAR# RFRONT# F"}));
    EXPECT_EQ(window.adjusted, static_cast<int>(r.Text.size()) + 4);
}

TEST_F(CommitTest, ASignNoEditorHoldsIsLeftAlone) {
    // The text sign is edited: the graphic sign's picture shows no page of
    // this entry and keeps its stored page.
    testentry::GraphicSign(2, "FRONT", 112, 16, 0);
    testentry::TextSign(4, "TXT", 12);
    gDestList[1].Text = "\xff" "FRONT# OLD";
    gDestList[1].SignData = "\xff\x02" "old";
    AddListLine(1, true);
    testentry::EditTextSign(4);
    testentry::TypeOnStrip("NEW");
    gCurrentDest = 1;
    Save(kCommitOnly);
    EXPECT_EQ(gDestList[1].Text, "\xff" "FRONT# OLD" "\xff" "TXT# NEW");
    EXPECT_EQ(DataOf(gDestList[1], 2), "\xff\x02" "old");
    EXPECT_TRUE(window.visited.empty());

    // A graphic sign edited: the shown text sign keeps its page.
    gTextSignActive = kFalse;
    gCurrentSign = 2;
    TypeOn(window, 2, "1", "G");
    Save(kCommitOnly);
    EXPECT_EQ(gDestList[1].Text, "\xff" "FRONT# G" "\xff" "TXT# NEW");
}

TEST_F(CommitTest, TheChangeTimeAndBlackoutAreStoredWithoutAnEditedPage) {
    // The entry is loaded and only its change time and blackout box change:
    // the Save stores them, the pages stay as they were.
    Front();
    gDestList[3].Text = "\xff" "FRONT# OLD";
    gDestList[3].SignData = "\xff\x02" "old";
    gDestList[3].ChangeTime = 5;
    AddListLine(3, true);
    gCurrentDest = 3;
    gChangeTime = 9;
    window.blackOut = true;
    Save(kCommitOnly);
    EXPECT_EQ(gDestList[3].Text, "\xff" "FRONT# OLD");
    EXPECT_EQ(DataOf(gDestList[3], 2), "\xff\x02" "old");
    EXPECT_EQ(gDestList[3].ChangeTime, 9);
    EXPECT_EQ(gDestList[3].Flag, kTrue);
    // A number without a record gets none from a Save that wrote no page.
    gCurrentDest = 4;
    Save(kCommitOnly);
    EXPECT_TRUE(gDestList[4].Text.empty());
}

TEST_F(CommitTest, NoShownSignStoresNothingButSaysSo) {
    Front();
    SignInfoOf(2).Shown = kFalse;
    gCurrentDest = 4;
    Save(kCommitOnly);
    EXPECT_TRUE(gDestList[4].Text.empty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gTextS99);
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    EXPECT_EQ(gDocumentModified, kTrue);
}

TEST_F(CommitTest, RouteNumberTextsPerDestination) {
    Front();
    testentry::RouteNumberSign(7, "LINE");
    SignInfoOf(7).Shown = kFalse;
    SignInfoOf(7).RouteNoShown = kTrue;
    gLineNoTableOn = kTrue;
    window.routeBox = "42";
    TypeOn(window, 2, "1", "A");

    gCurrentDest = 12;
    Save(kCommitOnly);
    EXPECT_EQ(gLineNoTable[12], "42");
    EXPECT_EQ(TextOf(gDestList[12], 7), "\xff" "LINE# <42>");
    EXPECT_EQ(ui.beeps, 0);

    // Above 999 the table has no entry: one beep, a plain route-number mark.
    gCurrentDest = 1234;
    Save(kCommitOnly);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(TextOf(gDestList[1234], 7), "\xff" "LINE# <L>");
    EXPECT_EQ(gDestList[1234].ChangeTime, gChangeTime);

    // With the extra texts active: three beeps, and the destination still
    // gets its route-number reference.
    gDestListActive = kFalse;
    ExtraList.AddItem("   1   X");
    gCurrentDest = 13;
    gCurrentExtra = 2;
    TypeOn(window, 2, "1", "B");  // what FRONT shows is stored where it was stored last, unless edited
    Save(kCommitOnly);
    EXPECT_EQ(ui.beeps, 4);
    EXPECT_EQ(TextOf(gDestList[13], 7), "\xff" "LINE# <>");
    EXPECT_FALSE(gExtraList[2].Text.empty());
}

TEST_F(CommitTest, ARouteNumberSignDropsItsFirstPageFirst) {
    testentry::RouteNumberSign(7, "LINE");
    gCurrentSign = 7;
    gDestList[2].Text = "\xff" "LINE# 11# 22";
    gDestList[2].SignData = "\xff\x07" "11\xb0\x03" "22";
    AddListLine(2, true);
    window.routeBox = "33";
    gCurrentDest = 2;
    gCurrentPage = 2;
    Save(kCommitOnly);
    EXPECT_EQ(gDestList[2].Text, "\xff" "LINE# 22# 33");
    EXPECT_EQ(gDestList[2].SignData, "\xff\x07" "22\xb0\x04" "33");
}

TEST_F(CommitTest, TheFirstExtraTextAsksFirst) {
    gLanguageFile = std::string(KIVAR_DATA_DIR) + "/English.lng";
    gLanguage = "English";
    Front();
    TypeOn(window, 2, "1", "E");
    gDestListActive = kFalse;
    gCurrentExtra = 1;
    ui.answers = {vbCancel};
    Save(kCommitOnly);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, LangText("S1004"));
    EXPECT_EQ(ui.messages[0].style, vbOKCancel | vbExclamation);
    EXPECT_EQ(gSaveCancelled, kTrue);
    EXPECT_TRUE(gExtraList[1].Text.empty());
    EXPECT_EQ(gDocumentModified, kTrue);

    gSaveCancelled = kFalse;
    gExtraPerSign = kFalse;
    ui.answers = {vbOK};
    Save(kCommitOnly);
    EXPECT_EQ(ui.messages[1].text, LangText("S1003"));
    EXPECT_EQ(gExtraList[1].Text, "# E");
    EXPECT_EQ(ExtraList.Lines(), (std::vector<std::string>{"   1   # E"}));
    gLanguageFile.clear();
    gLanguage.clear();
}

TEST_F(CommitTest, ANewLineGoesToItsPlaceInNumberOrder) {
    Front();
    StoreRun(1, 3);
    StoreRun(9, 10);
    TypeOn(window, 2, "1", "M");
    gCurrentDest = 5;
    Save(kCommitOnly);
    ASSERT_EQ(DestList.ListCount(), 6);
    EXPECT_EQ(DestList.List(3), "   5   FRONT# M");
    EXPECT_EQ(LastUsedNumber(DestList), 10);
}

TEST_F(CommitTest, ModeOneGoesOnToTheNextPageOrLine) {
    Front();
    TypeOn(window, 2, "1", "P");
    gCurrentDest = 8;

    // Changing texts shown: a new page is offered and chosen.
    window.frameShown = true;
    window.selected = 1;
    Save(kCommitNext);
    EXPECT_EQ(gCurrentPage, 2);
    EXPECT_EQ(window.selected, 2);
    EXPECT_TRUE(window.optionEnabled[2]);
    // Nothing edited on the new page: nothing is stored there, and no page
    // follows it yet.
    Save(kCommitNext);
    EXPECT_EQ(gCurrentPage, 2);
    EXPECT_EQ(TextOf(gDestList[8], 2), "\xff" "FRONT# P");
    // The editor keeps what it showed; typed on, it becomes page 2.
    TypeOn(window, 2, "1", "Q");
    Save(kCommitNext);
    EXPECT_EQ(gCurrentPage, 3);
    EXPECT_EQ(TextOf(gDestList[8], 2), "\xff" "FRONT# P# PQ");

    // A page that exists already: the next one becomes current.
    gCurrentPage = 1;
    window.selected = 1;
    Save(kCommitNext);
    EXPECT_EQ(gCurrentPage, 2);
    EXPECT_EQ(window.selected, 2);

    // Every offered page in use: a beep, the page stays.
    gNumberOfChangingTexts = 8;
    gCurrentPage = 3;
    window.selected = 8;
    TypeOn(window, 2, "1", "R");
    Save(kCommitNext);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_EQ(gCurrentPage, 3);

    // Changing texts hidden: the destination's line stays chosen, also with
    // codes on.
    window.frameShown = false;
    gCurrentPage = 1;
    StoreRun(9, 10);
    Save(kCommitNext);
    EXPECT_EQ(gCurrentDest, 8);
    EXPECT_EQ(DestList.ListIndex(), FindListIndexByNumber(DestList, 8));
    gDestCodesOn = kTrue;
    gDestList[8].Code = "AB  ";
    DestList.Clear();
    for (int n : {8, 9, 10}) AddListLine(static_cast<int16_t>(n), true);
    ExtraList.AddItem("   1   X");
    ExtraList.AddItem("   2   Y");
    ExtraList.SetListIndex(0);
    window.number = "AB";
    Save(kCommitNext);
    EXPECT_EQ(gCurrentDest, 8);
    EXPECT_EQ(DestList.ListIndex(), SelectListItemForRecord(true, 8));
    EXPECT_EQ(ExtraList.ListIndex(), 0);
    gDestCodesOn = kFalse;

    // Extra texts: the line after the committed one.
    gDestListActive = kFalse;
    ExtraList.Clear();
    StoreRun(1, 2);
    gCurrentExtra = 1;
    TypeOn(window, 2, "1", "S");
    Save(kCommitNext);
    EXPECT_EQ(gCurrentExtra, 2);
    EXPECT_EQ(ExtraList.ListIndex(), 1);
    // ... the line after the one stored, also when the list chose another
    // line last (Save and new moved on from extra text 1 to the free 5).
    StoreRun(6, 7);
    ExtraList.SetListIndex(FindListIndexByNumber(ExtraList, 1));
    gCurrentExtra = 5;
    TypeOn(window, 2, "1", "T");
    Save(kCommitNext);
    EXPECT_EQ(gCurrentExtra, 6);
    EXPECT_EQ(ExtraList.ListIndex(), FindListIndexByNumber(ExtraList, 6));
    // ... and from an extra text that has no line (Save and new moved on to
    // the free 3, and nothing was typed there), the first line after it.
    gCurrentExtra = 2;
    TypeOn(window, 2, "1", "U");
    SaveAndNew();
    ASSERT_EQ(gCurrentExtra, 3);
    Save(kCommitNext);
    EXPECT_TRUE(gExtraList[3].Text.empty());
    EXPECT_EQ(gCurrentExtra, 5);
    EXPECT_EQ(ExtraList.ListIndex(), FindListIndexByNumber(ExtraList, 5));
}

TEST_F(CommitTest, ModeTwoFindsTheNextNumberFreeForTheSign) {
    Front();
    TypeOn(window, 2, "1", "X");
    // 9999 goes on at 1; 1 holds only another sign's section, so it is free.
    gDestList[1].SignData = "\xff\x05" "r";
    gDestList[1].Text = "\xff" "REAR# r";
    gCurrentDest = 9999;
    Save(kCommitNextFree);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(window.number, "1");
    Save(kCommitNextFree);
    EXPECT_EQ(gCurrentDest, 2);

    // Extra texts: 999 goes on at 1, which is taken; 2 is free.
    gDestListActive = kFalse;
    ExtraList.AddItem("   9   X");
    gExtraList[1].SignData = "\xff\x02" "x";
    gCurrentExtra = 999;
    Save(kCommitNextFree);
    EXPECT_EQ(gCurrentExtra, 2);
    EXPECT_EQ(window.number, "2");

    // Without per-sign sections any page data takes the number; none free: S102.
    gExtraPerSign = kFalse;
    for (int n = 1; n < kExtraCount; ++n) gExtraList[n].SignData = "x";
    gCurrentExtra = 5;
    Save(kCommitNextFree);
    EXPECT_EQ(gCurrentExtra, 5);
    EXPECT_EQ(ui.messages.back().text, gTextS102);
}

TEST_F(CommitTest, SaveAndNewStartsAnEmptyPageOneForTheNextFreeNumber) {
    Front();
    gK1000Shown = kTrue;
    window.routeBox = "42";
    window.checkValue = true;
    window.frameShown = true;
    TypeOn(window, 2, "1", "AB");
    gCurrentDest = 3;
    gCurrentPage = 1;
    gChangeTime = 9;
    SaveAndNew();
    EXPECT_EQ(gDestList[3].Text, "\xff" "FRONT# AB");
    EXPECT_EQ(gDestList[3].ChangeTime, 9);
    EXPECT_EQ(gCurrentDest, 4);
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_EQ(gChangeTime, gDefaultChangeTime);
    EXPECT_EQ(window.timeBox, gDefaultChangeTime);
    EXPECT_EQ(window.routeBox, "");
    EXPECT_FALSE(window.checkValue);
    EXPECT_FALSE(window.frameShown);
    EXPECT_EQ(PageFirstCell(), 0);

    // A press between the buttons only ends the wave.
    gBlinkState = 3;
    SaveAndNew();
    EXPECT_EQ(gBlinkState, 0);
    EXPECT_EQ(gCurrentDest, 4);
}

TEST_F(CommitTest, InsertBeforeAndAfterMoveTheFollowingRecordsUp) {
    Front();
    StoreRun(12, 20);
    gInsertMode = kTrue;

    // Before 15: 15..20 move to 16..21 and take their new numbers as codes.
    TypeOn(window, 2, "1", "NEW");
    gCurrentDest = 15;
    window.number = "15";
    window.answer = 2;
    SaveDestOrExtra();
    EXPECT_EQ(window.choices, 1);
    EXPECT_EQ(gDestList[15].Text, "\xff" "FRONT# NEW");
    EXPECT_EQ(gDestList[15].Code, "15  ");
    EXPECT_EQ(TextsOf(16, 21), (std::vector<std::string>{"\xff" "FRONT# N15", "\xff" "FRONT# N16", "\xff" "FRONT# N17",
                                                         "\xff" "FRONT# N18", "\xff" "FRONT# N19", "\xff" "FRONT# N20"}));
    EXPECT_EQ(gDestList[21].Code, "21  ");
    EXPECT_EQ(gDestList[14].Text, "\xff" "FRONT# N14");
    ASSERT_EQ(DestList.ListCount(), 10);
    EXPECT_EQ(DestList.List(9), "  21   FRONT# N20");

    // Each store below writes what is typed for it: the editor shows the
    // entry stored last.
    auto retype = [&] {
        RefreshEditor(0, 0);
        TypeOn(window, 2, "1", "NEW");
    };

    // After 12: 13.. move up to the first free record (22), the new entry is 13.
    retype();
    gCurrentDest = 12;
    window.number = "12";
    window.answer = 3;
    SaveDestOrExtra();
    EXPECT_EQ(gCurrentDest, 13);
    EXPECT_EQ(gDestList[13].Text, "\xff" "FRONT# NEW");
    EXPECT_EQ(gDestList[13].Code, "13  ");
    EXPECT_EQ(gDestList[14].Text, "\xff" "FRONT# N13");
    EXPECT_EQ(gDestList[22].Text, "\xff" "FRONT# N20");
    EXPECT_EQ(DestList.ListCount(), 11);

    // Cancel stores nothing; replace stores over the record.
    window.answer = 0;
    SaveDestOrExtra();
    EXPECT_EQ(gDestList[14].Text, "\xff" "FRONT# N13");
    window.answer = 1;
    gCurrentDest = 14;
    retype();
    SaveDestOrExtra();
    EXPECT_EQ(gDestList[14].Text, "\xff" "FRONT# NEW");
    EXPECT_EQ(window.choices, 4);

    // A free page stores without asking.
    gCurrentDest = 40;
    retype();
    SaveDestOrExtra();
    EXPECT_EQ(window.choices, 4);
    EXPECT_EQ(gDestList[40].Text, "\xff" "FRONT# NEW");
}

TEST_F(CommitTest, InsertAfterIsOfferedBelowTheLastTwoNumbers) {
    for (auto [dest, number, offered] : {std::tuple{true, 9997, true}, {true, 9998, false}, {true, 9999, false},
                                        {false, 997, true}, {false, 998, false}}) {
        gDestListActive = VbBool(dest);
        (dest ? gCurrentDest : gCurrentExtra) = static_cast<int16_t>(number);
        EXPECT_EQ(InsertAfterOffered(), offered) << number;
    }
}

TEST_F(CommitTest, ExtraTextsMoveUpWithoutCodes) {
    gDestListActive = kFalse;
    StoreRun(1, 3);
    for (int n = 1; n <= 3; ++n) gExtraList[n].Code = "    ";
    AfterSaveRecord(2);
    EXPECT_EQ(TextsOf(1, 4), (std::vector<std::string>{"\xff" "FRONT# N1", "\xff" "FRONT# N2", "\xff" "FRONT# N2",
                                                       "\xff" "FRONT# N3"}));
    EXPECT_EQ(gExtraList[4].Code, "    ");
}

}  // namespace
