// The route-number layout dialog's arithmetic, the placement lock, the
// route-number entry dialog (respelling, fonts, the end chosen) and the
// placeholder dialog.
#include <gtest/gtest.h>

#include "app/routenoinsert.h"
#include "data/destlist.h"
#include "data/fontlist.h"
#include "data/outsettings.h"
#include "data/settings.h"
#include "engine/routenodialog.h"
#include "files/txlread.h"
#include "engine/routenolayout.h"
#include "support/markup_state.h"

using namespace kv;

namespace {

class RouteNoLayout : public ::testing::Test {
protected:
    void SetUp() override {
        testmarkup::ResetAll();
        testgfx::MakeSign(112, 16);
        gDefaultRouteNoFont[16 - kMinFontHeight] = "e";
        gDefaultRouteNoFont[8 - kMinFontHeight] = "i";
        // A "0" five dots wide and a little more, 12 dots high, in every font.
        SetRouteNoCharMeasure([this](const std::string& font, int16_t code, int16_t& w, int16_t& h) {
            measured.push_back(font);
            w = code == '0' ? 27 : 0;
            h = 60;
            return true;
        });
    }
    void TearDown() override { testmarkup::ResetAll(); }

    std::vector<std::string> measured;
    testmarkup::Head head;
    testmarkup::Ui ui;
};

TEST_F(RouteNoLayout, OkPlacesTheAreaAtEitherEnd) {
    struct Case {
        const char* what;
        int16_t maxLineNumbers, count;
        bool left;
        const char *start, *end, *sample;
        int16_t fieldCount, routeNoLeft, pos, x, width;
        const char* fields;
    };
    const Case cases[] = {
        {"right: the area ends the distance before the edge", 3, 3, false, "9", "2", "12", 3, 0, 2, 475, 75, "1245"},
        {"left: the start position", 3, 2, true, "4", "7", "", 2, -1, 4, 20, 50, "4567"},
        {"left ignores the end field, right the start field", 4, 4, true, "0", "99", "1234", 4, -1, 0, 0, 100, "1234"},
        {"an empty end field is 0", 4, 1, false, "5", "", "7", 1, 0, 0, 535, 25, "7456"},
        // The sample is kept as typed whatever the count: the placeholders
        // show its last characters.
        {"a sample of four at count 2 stays whole", 3, 2, true, "1", "", "1234", 2, -1, 1, 5, 50, "1234"},
        {"a sample of three at count 1 is filled to four", 3, 1, true, "1", "", "123", 1, -1, 1, 5, 25, "1234"},
        {"a sample longer than four is cut to four", 3, 2, true, "1", "", "98765", 2, -1, 1, 5, 50, "9876"},
        {"a longer sample at count 4 keeps four", 4, 4, true, "1", "", "98765", 4, -1, 1, 5, 100, "9876"},
        {"a count beyond the list is its last entry", 3, 4, true, "1", "", "", 3, -1, 1, 5, 75, "4567"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gMaxLineNumbers = c.maxLineNumbers;
        measured.clear();
        ApplyRouteNoLayout({c.count, c.left, c.start, c.end, c.sample});
        EXPECT_EQ(gLineNoFieldCount, c.fieldCount);
        EXPECT_EQ(gRouteNoLeft, c.routeNoLeft);
        EXPECT_EQ(gRouteNoPos, c.pos);
        EXPECT_EQ(gRouteNoX, c.x);
        EXPECT_EQ(gRouteNoY, 0);
        EXPECT_EQ(gRouteNoAreaWidth, c.width);
        EXPECT_EQ(gRouteNoAreaHeight, 60);
        EXPECT_EQ(gLineNoFields, c.fields);
        // The font is the route-number font of the sign's height.
        EXPECT_EQ(gRouteNoFont, "e");
        EXPECT_EQ(measured, (std::vector<std::string>{"e"}));
    }
}

TEST_F(RouteNoLayout, CountsSamplesAndTheListShown) {
    gMaxLineNumbers = 3;
    EXPECT_EQ(OfferedLineNoCounts(), 3);
    // A project saved with four characters shows the list's last count.
    for (auto [count, shown] : {std::pair<int16_t, int16_t>{4, 3}, {0, 1}, {-2, 1}, {2, 2}})
        EXPECT_EQ(ClampLineNoCount(count), shown) << count;
    gMaxLineNumbers = 4;
    EXPECT_EQ(ClampLineNoCount(4), 4);
    for (auto [sample, stored] : {std::pair<const char*, const char*>{"12", "1245"},
                                  {"", "4567"},
                                  {"1234", "1234"},
                                  {"12345", "1234"},
                                  {"A", "A456"}})
        EXPECT_EQ(StoredRouteNoSample(sample), stored) << sample;
    gLineNoFields = "1245";
    EXPECT_EQ(ShownRouteNoSample(3), "124");
    EXPECT_EQ(ShownRouteNoSample(0), "");
}

TEST_F(RouteNoLayout, ThePlacementLocksWhileTextsHoldRouteNumberFields) {
    struct Case {
        const char* what;
        std::vector<std::pair<int16_t, std::string>> texts;
        bool placed, locked;
    };
    const Case cases[] = {
        {"no destinations, even with a field placed", {}, true, false},
        {"plain texts", {{1, "FRONT# AB"}, {2, "FRONT# C"}}, false, false},
        {"a field placed since the project was read", {{1, "FRONT# AB"}}, true, true},
        {"a route-number field", {{1, "FRONT# A"}, {2, "FRONT# <L/12>B"}}, false, true},
        {"a placeholder", {{1, "FRONT# <L:2>"}}, false, true},
        {"a route-number reference", {{3, "FRONT# <L>"}}, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ClearLists();
        DestList.Clear();
        for (const auto& [n, text] : c.texts) {
            gDestList[n].Text = "\xff" + text;
            AddListLine(n, true);
        }
        gRouteNoFieldPlaced = VbBool(c.placed);
        EXPECT_EQ(RouteNoPlacementLocked(), c.locked);
    }
}

class RouteNoEntry : public RouteNoLayout {
protected:
    void SetUp() override {
        RouteNoLayout::SetUp();
        gFontCount = 4;
        gFontList = {"", "1 Normal 07", "7 Normal 16", "e Route no. 16", "i Route no. 08"};
    }
};

TEST_F(RouteNoEntry, TheRouteNumberIsRespelledByTheSequence) {
    struct Case {
        const char* seq;
        const char* typed;
        bool valid;
        const char* result;
    };
    const Case cases[] = {
        {" 0123456789ABCDEF", "1c", true, "1C"},
        {" 0123456789ABCDEF", "  12 ", true, "12"},
        {" 0123456789AbCdEFHL", "Bc1e", true, "bC1E"},
        {" 0123456789AbCdEFHL", "1 2", true, "1 2"},
        {"0123456789", "1 2", false, "1 2"},
        {" 0123456789ABCDEF", "1x", false, "1x"},
        {" 0123456789ABCDEF", "   ", false, ""},
    };
    for (const Case& c : cases) {
        gRouteNumberSeq = c.seq;
        std::string text = c.typed;
        EXPECT_EQ(RespellRouteNo(text), c.valid) << c.typed;
        EXPECT_EQ(text, c.result) << c.typed;
    }
}

TEST_F(RouteNoEntry, OkKeepsTheAnswerAndPlacesTheAreaAtTheEndChosen) {
    gRouteNumberSeq = " 0123456789ABCDEF";
    gLineNoFieldCount = 3;
    gRouteNoPos = 2;
    gRouteNoLeft = kTrue;
    gRouteNoX = 10;
    gTextAlignment = 1;
    RouteNoDialogFont font{"e", 3, "e Route no. 16"};

    // Refused: nothing changes.
    std::string text = "1x";
    EXPECT_FALSE(AcceptRouteNoDialog(text, true, false, font));
    EXPECT_EQ(gMBLAccepted, 0);
    EXPECT_EQ(gRouteNoLeft, kTrue);
    EXPECT_EQ(gRouteNoX, 10);

    // The right end: the text aligns right and the area ends 2 dots before
    // the edge.
    text = " 1c ";
    ASSERT_TRUE(AcceptRouteNoDialog(text, true, false, font));
    EXPECT_EQ(gMBLRouteNo, "1C");
    EXPECT_EQ(gMBLFont, "e");
    EXPECT_EQ(gMBLFontIndex, 3);
    EXPECT_EQ(gMBLAccepted, kTrue);
    EXPECT_EQ(gRouteNoLeft, kFalse);
    EXPECT_EQ(gTextAlignment, 2);
    EXPECT_EQ(gRouteNoX, 560 - 75 - 10);

    // The left end places the area from the left edge again, as the layout
    // dialog does, so that the editor and the out-file agree.
    text = "7";
    ASSERT_TRUE(AcceptRouteNoDialog(text, true, true, font));
    EXPECT_EQ(gRouteNoLeft, kTrue);
    EXPECT_EQ(gRouteNoX, 10);

    // With the ends locked the area stays.
    gRouteNoX = 33;
    text = "8";
    ASSERT_TRUE(AcceptRouteNoDialog(text, false, false, font));
    EXPECT_EQ(gRouteNoLeft, kTrue);
    EXPECT_EQ(gRouteNoX, 33);
    EXPECT_EQ(gMBLRouteNo, "8");
}

TEST_F(RouteNoEntry, FontsStepThroughTheListAndTheLastChoiceIsKeptPerHeight) {
    RouteNoDialogFont f{"7", 0, ""};
    FindFontIndex(f, -1);
    EXPECT_EQ(f.index, 2);
    EXPECT_EQ(f.caption, "7 Normal 16");
    ASSERT_TRUE(StepRouteNoFont(f, 1));
    EXPECT_EQ(f.code, "e");
    EXPECT_EQ(f.index, 3);
    ASSERT_TRUE(StepRouteNoFont(f, 1));
    EXPECT_FALSE(StepRouteNoFont(f, 1));
    EXPECT_EQ(f.code, "i");
    ASSERT_TRUE(StepRouteNoFont(f, 2));
    ASSERT_TRUE(StepRouteNoFont(f, 2));
    ASSERT_TRUE(StepRouteNoFont(f, 2));
    EXPECT_FALSE(StepRouteNoFont(f, 2));
    EXPECT_EQ(f.index, 1);
    // A code no entry starts with finds the last entry.
    f.code = "z";
    FindFontIndex(f, -1);
    EXPECT_EQ(f.index, 4);
    f.index = 2;
    FindFontIndex(f, 0);
    EXPECT_EQ(f.code, "7");

    // The sign's route-number font, then the one chosen on a sign of the
    // same height, then again the sign's on another height or after the
    // sign configuration forgot the height.
    EXPECT_EQ(OpenRouteNoDialog().code, "e");
    EXPECT_EQ(gMBLFontHeight, 16);
    gMBLFontIndex = 4;
    EXPECT_EQ(OpenRouteNoDialog().code, "i");
    gMBLFontIndex = 9;  // the list grew shorter since
    EXPECT_EQ(OpenRouteNoDialog().index, 4);
    testgfx::MakeSign(48, 8, 0, 3);
    EXPECT_EQ(OpenRouteNoDialog().code, "i");
    EXPECT_EQ(gMBLFontHeight, 8);
    gMBLFontIndex = 2;
    gMBLFontHeight = 0;
    EXPECT_EQ(OpenRouteNoDialog().code, "i");
}

TEST_F(RouteNoLayout, ThePlaceholderDialogInsertsAndRefusesCounts) {
    testtext::LoadShippedFonts();
    InstallEditorFontHooks();
    SetRouteNoCharMeasure(nullptr);
    gLineNoFields = "4567";
    RefreshEditor(0, 0);
    ReadCharMap("7");
    gLanguage = "English";
    gLanguageFile = std::string(KIVAR_DATA_DIR) + "/English.lng";
    gLineNoFieldCount = 3;
    EXPECT_EQ(LineNoInsertSelection(), 3);

    struct Case {
        const char* typed;
        bool refused;
        const char* box;
        int16_t inserted;  // placeholder code, 0 for none
        int16_t selection;  // what the next opening preselects
    };
    const Case cases[] = {
        {"4", true, " 3", 0, 3}, {"0", false, "", 0, 3}, {"-1", false, "", 0, 3},
        {"ab", false, "", 0, 3}, {"2", false, "", 251, 2}, {"1.4", false, "", 250, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        ui.messages.clear();
        RefreshEditor(0, 0);
        const LineNoInsertAnswer a = AcceptLineNoInsert(c.typed);

        EXPECT_EQ(a.refused, c.refused);
        EXPECT_EQ(a.boxText, c.box);
        if (c.refused) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, LangText("S1202") + " 3" + LangText("S1203"));
            EXPECT_EQ(ui.messages[0].style, vbExclamation);
        }
        const int16_t first = PageFirstCell();
        EXPECT_EQ(IsUsedCell(first) ? Cell(first).CharCode : 0, c.inserted);
        EXPECT_EQ(LineNoInsertSelection(), c.selection);
    }
    // A shorter route number preselects its largest count.
    gLineNoFieldCount = 1;
    EXPECT_EQ(LineNoInsertSelection(), 1);
}

}  // namespace
