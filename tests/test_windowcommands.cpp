// The steps around the windows that the main window's menus open.
#include <gtest/gtest.h>

#include "app/headstate.h"
#include "app/routetools.h"
#include "app/windowcommands.h"
#include "data/charmap.h"
#include "data/language.h"
#include "support/entry_state.h"
#include "support/unstored_edit.h"

using namespace kv;

namespace {

class WindowCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        gTextS110 = "Symbols";
        gCurrentDest = 12;
    }
    void TearDown() override { testentry::ResetAll(); }

    testentry::Window window;
    testmarkup::Ui ui;
};

TEST_F(WindowCommandsTest, TheCopyToolRunsInCopyModeAndGivesTheDestinationBack) {
    int16_t modeSeen = 0;
    RunRouteNumberTool(true, [&] {
        modeSeen = gSuperCopyMode;
        gCurrentDest = 40;  // the tool went through the destinations
    });
    EXPECT_EQ(modeSeen, kTrue);
    EXPECT_EQ(gSuperCopyMode, kFalse);
    EXPECT_EQ(gCurrentDest, 12);
    EXPECT_EQ(window.pictureFocus, 1);

    // Also when the tool fails.
    EXPECT_THROW(RunRouteNumberTool(true, [] {
                     gCurrentDest = 41;
                     throw std::runtime_error("failed");
                 }),
                 std::runtime_error);
    EXPECT_EQ(gSuperCopyMode, kFalse);
    EXPECT_EQ(gCurrentDest, 12);

    // The generator itself runs without copy mode.
    RunRouteNumberTool(false, [&] { modeSeen = gSuperCopyMode; });
    EXPECT_EQ(modeSeen, kFalse);
    EXPECT_EQ(window.pictureFocus, 2);
}

TEST_F(WindowCommandsTest, UnsavedEditsKeptOnCancelOpenNoTool) {
    testedit::HoldUnstoredEdit();
    ui.answers = {vbCancel, vbOK};
    int shown = 0;
    RunRouteNumberTool(true, [&] { ++shown; });
    EXPECT_EQ(shown, 0);
    EXPECT_EQ(window.pictureFocus, 0);
    EXPECT_EQ(ui.messages.size(), 1u);
    RunRouteNumberTool(false, [&] { ++shown; });
    EXPECT_EQ(shown, 1);
}

TEST_F(WindowCommandsTest, TheSymbolsShowInTheGraphicFontAndTheFontComesBack) {
    ReadCharMap("1");
    std::string fontSeen, caption;
    ShowSymbols([&](const std::string& c) {
        fontSeen = gCurrentFontCode;
        caption = c;
    });
    EXPECT_EQ(fontSeen, "g");
    EXPECT_EQ(caption, "Symbols");
    EXPECT_EQ(gCurrentFontCode, "1");
    EXPECT_NE(gCharMap['A' - 32], 0);

    EXPECT_THROW(ShowSymbols([](const std::string&) { throw std::runtime_error("failed"); }), std::runtime_error);
    EXPECT_EQ(gCurrentFontCode, "1");
}

}  // namespace
