// The one reset: every layer's state back to its start from one call, the
// resets run upper layers first, and the project scope drops only the open
// project's records, list lines and dots.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/doccommands.h"
#include "app/docsettings.h"
#include "app/headstate.h"
#include "app/signcontrols.h"
#include "data/charmap.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/records.h"
#include "data/settings.h"
#include "data/signtable.h"
#include "data/startup.h"
#include "engine/dotlayers.h"
#include "engine/editorslots.h"
#include "engine/editorview.h"
#include "engine/graphictools.h"
#include "files/document.h"
#include "files/infoblock.h"
#include "files/recentfiles.h"
#include "files/txlread.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "platform/vbfile.h"
#include "support/testutil.h"

using namespace kv;

namespace {

class ResetTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAllState(); }
    void TearDown() override { ResetAllState(); }
    testutil::TempDir dir;
};

TEST_F(ResetTest, EveryLayerComesBackToItsStart) {
    // platform
    SetProgramFolder("/nowhere");
    SetSafeWriteFault([](SafeWriteStage, const std::string&) { return true; });
    ASSERT_GT(FileOpen(dir.file("open.txt"), FileMode::Output), 0);
    // data
    gDestList[5].Text = "x";
    gCurrentDest = 7;
    SignInfoOf(3).Model = "K4000";
    gSettingsFile = "/s/kivar.lib";
    gTextS38 = "Untitled";
    gFontPath = "/f/";
    gFontHooks.measureChar = [](const std::string&, int16_t) {};
    gStartUp = kTrue;
    gCutMode = 1;
    DestList.SetListener([](ListModel::Change, int) {});
    // engine
    gRealignPending = kTrue;
    gInPicWidth = 9;
    gCurrentTool = 3;
    ResizeGraphicLayer(0, 10, 10);
    // files
    gDocumentPath = "/p/a.txl";
    gRecentFileCount = 2;
    gCommandFileNo = 4;
    // app
    gDestListLongest = 40;
    gAutoSaveEnabled = kTrue;
    gTextSignActive = kTrue;
    gEditorActive = 2;

    ResetAllState();

    EXPECT_NE(ProgramFolder(), "/nowhere");
    EXPECT_EQ(FileOpenCount(), 0);
    EXPECT_TRUE(SafeWriteFile(dir.file("w.txt"), "w"));
    EXPECT_EQ(gDestList[5].Text, "");
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(SignInfoOf(3).Model, "");
    EXPECT_EQ(gSettingsFile, "");
    EXPECT_EQ(gTextS38, "");
    EXPECT_EQ(gFontPath, "");
    EXPECT_FALSE(gFontHooks.measureChar);
    EXPECT_EQ(gStartUp, kFalse);
    EXPECT_EQ(gCutMode, 0);
    DestList.AddItem("a");  // no listener left to call
    EXPECT_EQ(gRealignPending, kFalse);
    EXPECT_EQ(gInPicWidth, 0);
    EXPECT_EQ(gCurrentTool, 0);
    EXPECT_EQ(GraphicLayerBound(0, 1), 0);
    EXPECT_EQ(gDocumentPath, "");
    EXPECT_EQ(gRecentFileCount, 0);
    EXPECT_EQ(gCommandFileNo, 0);
    EXPECT_EQ(gDestListLongest, 0);
    EXPECT_EQ(gAutoSaveEnabled, kFalse);
    EXPECT_EQ(gTextSignActive, kFalse);
    EXPECT_EQ(gEditorActive, 1);
}

TEST_F(ResetTest, UpperLayersResetFirst) {
    const std::vector<std::string> all = RegisteredResets();
    const std::vector<std::string> layers = {"app", "files", "engine", "data", "platform"};
    auto rank = [&](const std::string& entry) {
        return std::find(layers.begin(), layers.end(), entry.substr(0, entry.find('/'))) - layers.begin();
    };
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end(), [&](auto& a, auto& b) { return rank(a) < rank(b); }));
    for (const char* name : {"app/main-window state", "files/document", "engine/editor slots", "data/records",
                             "platform/numbered files"})
        EXPECT_NE(std::find(all.begin(), all.end(), name), all.end()) << name;
    EXPECT_EQ(RegisteredResets(ResetScope::Project),
              (std::vector<std::string>{"files/records and list lines", "engine/dot layers", "engine/shown pages"}));
}

TEST_F(ResetTest, TheProjectScopeDropsRecordsLinesAndDotsOnly) {
    SignInfoOf(2).Model = "K4000";
    gSettingsFile = "/s/kivar.lib";
    gDefaultChangeTime = 5;
    gDestList[3].Text = "x";
    gExtraList[2].SignData = "y";
    DestList.AddItem("  3 x");
    ResizeGraphicLayer(1, 20, 8);
    ResizeTextLayer(1, 17, 4);
    SetGraphicPixel(1, 2, 2, -1);
    SetTextPixel(1, 3, 3, -1);
    gGraphicModified = kTrue;

    ResetAllState(ResetScope::Project);

    EXPECT_EQ(gDestList[3].Text, "");
    EXPECT_EQ(gDestList[3].ChangeTime, 5);
    EXPECT_EQ(gExtraList[2].SignData, "");
    EXPECT_EQ(DestList.ListCount(), 0);
    EXPECT_EQ(GraphicLayerBound(1, 1), 20);
    EXPECT_EQ(TextLayerBound(1, 2), 4);
    EXPECT_EQ(GetGraphicPixel(1, 2, 2), 0);
    EXPECT_EQ(GetTextPixel(1, 3, 3), 0);
    EXPECT_EQ(gGraphicModified, kFalse);
    // The sign configuration and the settings stay.
    EXPECT_EQ(SignInfoOf(2).Model, "K4000");
    EXPECT_EQ(gSettingsFile, "/s/kivar.lib");
}

}  // namespace
