// Feeding a text into a sign and the route-number box with its commands.
#include <gtest/gtest.h>

#include "app/routenobox.h"
#include "data/headmode.h"
#include "engine/routenolayout.h"
#include "support/entry_state.h"

using namespace kv;

namespace {

class FeedTest : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        testentry::GraphicSign(2, "FRONT", 112, 16, 0);
        window.ChangeAddress(0, false, true);
        ReadCharMap("1");
    }
    void TearDown() override { testentry::ResetAll(); }

    testentry::Window window;
    testmarkup::Ui ui;
};

TEST_F(FeedTest, AFedTextIsTypedCommittedAndTheNextNumberFollows) {
    std::vector<std::pair<int16_t, bool>> seen;
    window.onKey = [&] { seen.emplace_back(gFeedMode, FeedingText()); };
    gCurrentDest = 5;
    int16_t sign = 0;
    SkrivTextISkylt("AB\rC", 0, sign);
    EXPECT_EQ(window.keys, (std::vector<int16_t>{'A', 'B', 13, 'C'}));
    EXPECT_EQ(seen, (std::vector<std::pair<int16_t, bool>>(4, {2, true})));
    EXPECT_EQ(gDestList[5].Text, "\xff" "FRONT# AB\\C");
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"   5   FRONT# AB\\C"}));
    EXPECT_EQ(gCurrentDest, 6);
    EXPECT_EQ(PageFirstCell(), 0);
    EXPECT_EQ(gFeedMode, 0);
    EXPECT_FALSE(FeedingText());
    EXPECT_EQ(ui.events, 2);

    // An empty text commits what the editor shows.
    testtext::Type("X");
    SkrivTextISkylt("", 0, sign);
    EXPECT_EQ(gDestList[6].Text, "\xff" "FRONT# X");
}

TEST_F(FeedTest, ARouteNumberSignGetsTheTextInItsBox) {
    testentry::RouteNumberSign(7, "LINE");
    testtext::Type("Q");
    gCurrentDest = 2;
    int16_t sign = 7;
    SkrivTextISkylt("42", 0, sign);
    EXPECT_TRUE(window.keys.empty());
    EXPECT_EQ(gDestList[2].Text, "\xff" "LINE# 42" "\xff" "FRONT# Q");
    EXPECT_EQ(window.routeBox, "");  // Save and new empties the box
}

TEST_F(FeedTest, AFeedWhileOneRunsIsIgnored) {
    int16_t sign = 0;
    window.onKey = [&] {
        int16_t inner = 0;
        SkrivTextISkylt("ZZ", 0, inner);
    };
    gCurrentDest = 1;
    SkrivTextISkylt("A", 0, sign);
    EXPECT_EQ(window.keys, (std::vector<int16_t>{'A'}));
    EXPECT_EQ(gDestList[1].Text, "\xff" "FRONT# A");
    EXPECT_TRUE(gDestList[2].Text.empty());
}

TEST_F(FeedTest, TheRouteNumberBoxKeepsToTheRouteNumberCharacters) {
    struct Case {
        const char* typed;
        std::optional<std::string> shown;
        int beeps;
    };
    gK1000Shown = kTrue;
    for (const Case& c : {Case{"12", std::nullopt, 0}, Case{"1x", "1", 1}, Case{"1xy2", "12", 2},
                          Case{"B", "b", 0}, Case{"b", std::nullopt, 0}, Case{"e", "E", 0}, Case{"a1d", "A1d", 0}}) {
        ui.beeps = 0;
        EXPECT_EQ(RouteNoBoxChanged(c.typed), c.shown) << c.typed;
        EXPECT_EQ(ui.beeps, c.beeps) << c.typed;
    }
    // Codes on, or no route-number sign: the box takes any text.
    gDestCodesOn = kTrue;
    EXPECT_EQ(RouteNoBoxChanged("xy"), std::nullopt);
    gDestCodesOn = kFalse;
    gK1000Shown = kFalse;
    EXPECT_EQ(RouteNoBoxChanged("xy"), std::nullopt);
}

TEST_F(FeedTest, EnterStoresTheRouteNumberOfDestinationsUpTo999) {
    gCurrentDest = 12;
    RouteNoBoxEnter("42");
    EXPECT_EQ(gLineNoTable[12], "42");
    EXPECT_EQ(window.pictureFocus, 1);
    gCurrentDest = 1000;
    RouteNoBoxEnter("43");
    EXPECT_EQ(ui.beeps, 1);
    gDestListActive = kFalse;
    gCurrentDest = 12;
    RouteNoBoxEnter("44");
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(gLineNoTable[12], "42");
}

TEST_F(FeedTest, LeavingTheBoxChecksACode) {
    gK1000Shown = kTrue;
    gDestCodesOn = kTrue;
    gAllowedCodeChars = {"AB", "AB", " 1", " 1"};
    const RouteNoCodeCheck ok = RouteNoBoxLeft("ab", 4);
    EXPECT_FALSE(ok.refused);
    EXPECT_EQ(ok.boxText, "AB  ");
    const RouteNoCodeCheck bad = RouteNoBoxLeft("ac", 4);
    EXPECT_TRUE(bad.refused);
    EXPECT_FALSE(bad.boxText);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gTextS133.size() < 2 ? "Bad destinationnumber!" : gTextS133);
    gDestCodesOn = kFalse;
    EXPECT_FALSE(RouteNoBoxLeft("ac", 4).refused);
}

TEST_F(FeedTest, TheRouteNumberAreaNeedsRoomInTheRow) {
    gLineNoFieldCount = 2;
    gRouteNoAreaWidth = 60;
    SetDisplayLineNumberHook([] {});
    // An empty row: not on the editor's terms.
    EXPECT_FALSE(ShowLineNumbers());
    testtext::Type("AB");
    EXPECT_TRUE(ShowLineNumbers());
    EXPECT_EQ(gShowLineNo, kTrue);
    EXPECT_TRUE(window.checked["ShowLineNo_e"]);
    EXPECT_TRUE(ShowLineNumbers());
    EXPECT_EQ(gShowLineNo, kFalse);
    // A full row has no room.
    testtext::Type("ABCDEFGHIJKLMNOPQRS");
    gRouteNoAreaWidth = 500;
    EXPECT_FALSE(ShowLineNumbers());
    EXPECT_EQ(gShowLineNo, kFalse);
    // The menu command switches anyway once the user agrees to lose the
    // typed row, with an empty editor.
    ui.answers = {vbOK};
    ToggleLineNumbers();
    EXPECT_EQ(gShowLineNo, kTrue);
    EXPECT_EQ(PageFirstCell(), 0);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_FALSE(window.enabled["Insert_LineNo_e"]);  // edit-menu state 1
    // Graphic mode: the question again; Cancel keeps the area.
    testtext::Type("X");
    gEditorActive = 2;
    ui.answers = {vbCancel};
    ToggleLineNumbers();
    EXPECT_EQ(gShowLineNo, kTrue);
}

TEST_F(FeedTest, TheFieldDialogPaintsOnlyWhenItInserted) {
    const int shown = window.shown;
    InsertLineNoFieldCommand([] {});
    EXPECT_EQ(gLineNoInsertPending, kFalse);
    EXPECT_EQ(window.shown, shown);
    InsertLineNoFieldCommand([] { gLineNoInsertPending = kFalse; });
    EXPECT_EQ(window.shown, shown + 1);
    InsertLineNoFieldCommand(nullptr);
    EXPECT_EQ(gLineNoInsertPending, kFalse);
}

}  // namespace
