// The recent-files list: kfiles.txt beside the program and the File menu.
#include <gtest/gtest.h>

#include "files/recentfiles.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/txl_state.h"

using namespace kv;

namespace {

class RecentFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        SetProgramFolder(dir.path());
    }
    void TearDown() override { kv::ResetAllState(); }
    std::vector<std::string> Menu() const {
        std::vector<std::string> m;
        for (const auto& c : head.menu)
            if (!c.empty()) m.push_back(c);
        return m;
    }
    testutil::TempDir dir;
    FakeUi ui;
    txltest::FakeHead head;
};

}  // namespace

TEST_F(RecentFilesTest, MissingFileHidesTheEntries) {
    InitRecentFiles();
    EXPECT_EQ(gRecentFileCount, 0);
    EXPECT_FALSE(head.separator);
    EXPECT_TRUE(Menu().empty());
}

TEST_F(RecentFilesTest, LoadTakesTheFirstFourNonBlankLines) {
    testutil::WriteFile(dir.file("kfiles.txt"), "\r\n  /a/one.txl  \r\n\r\n/b/two.txl\n   \n/c/three.txl\r\n/d/four.txl\r\n/e/five.txl\r\n");
    InitRecentFiles();
    EXPECT_TRUE(head.separator);
    EXPECT_EQ(Menu(), (std::vector<std::string>{"&1  /a/one.txl", "&2  /b/two.txl", "&3  /c/three.txl", "&4  /d/four.txl"}));
    EXPECT_EQ(gRecentFiles[3].Order, 4);
}

TEST_F(RecentFilesTest, AddingPaths) {
    AddRecentFile("/p/a.txl");
    EXPECT_EQ(Menu(), (std::vector<std::string>{"&1  /p/a.txl"}));
    AddRecentFile("/p/b.txl");
    AddRecentFile("/p/c.txl");
    EXPECT_EQ(Menu(), (std::vector<std::string>{"&1  /p/c.txl", "&2  /p/b.txl", "&3  /p/a.txl"}));

    // Listed again in another letter case: that entry moves up as it is written.
    AddRecentFile("/P/B.TXL");
    EXPECT_EQ(Menu(), (std::vector<std::string>{"&1  /p/b.txl", "&2  /p/c.txl", "&3  /p/a.txl"}));
    // The newest again: nothing changes.
    AddRecentFile("/p/b.txl");
    EXPECT_EQ(Menu(), (std::vector<std::string>{"&1  /p/b.txl", "&2  /p/c.txl", "&3  /p/a.txl"}));
    // The last one moves up; the ones above it go down one place.
    AddRecentFile("/p/a.txl");
    EXPECT_EQ(Menu(), (std::vector<std::string>{"&1  /p/a.txl", "&2  /p/b.txl", "&3  /p/c.txl"}));

    // A fifth path drops the oldest; the file holds exactly the four shown.
    AddRecentFile("/p/d.txl");
    AddRecentFile("/p/e.txl");
    EXPECT_EQ(Menu(), (std::vector<std::string>{"&1  /p/e.txl", "&2  /p/d.txl", "&3  /p/a.txl", "&4  /p/b.txl"}));
    EXPECT_EQ(testutil::ReadFile(dir.file("kfiles.txt")), "/p/e.txl\r\n/p/d.txl\r\n/p/a.txl\r\n/p/b.txl\r\n");
    for (int i = 0; i < 4; ++i) EXPECT_EQ(gRecentFiles[static_cast<size_t>(i)].Order, i + 1);

    // And a new start reads them back.
    kv::ResetAllState();
    SetProgramFolder(dir.path());
    InitRecentFiles();
    EXPECT_EQ(Menu(), (std::vector<std::string>{"&1  /p/e.txl", "&2  /p/d.txl", "&3  /p/a.txl", "&4  /p/b.txl"}));
}

// Two files whose names differ only in letter case are two entries; a name
// with characters outside the code page is kept as the program holds it and
// read back unchanged.
TEST_F(RecentFilesTest, FilesOfTheirOwnAndNamesOutsideTheCodePage) {
    testutil::WriteFile(dir.file("route.txl"), "a");
    testutil::WriteFile(dir.file("Route.TXL"), "b");
    const std::string lodz = dir.file("\x81" "141;\xF3" "d\x81" "17A;.txl");
    AddRecentFile(dir.file("route.txl"));
    AddRecentFile(dir.file("Route.TXL"));
    AddRecentFile(lodz);
    AddRecentFile(dir.file("route.txl"));
    const std::vector<std::string> menu = {"&1  " + dir.file("route.txl"), "&2  " + lodz, "&3  " + dir.file("Route.TXL")};
    EXPECT_EQ(Menu(), menu);
    kv::ResetAllState();
    SetProgramFolder(dir.path());
    InitRecentFiles();
    EXPECT_EQ(Menu(), menu);
}

TEST_F(RecentFilesTest, ShortListIsSavedWithEmptyLines) {
    AddRecentFile("/p/only.txl");
    EXPECT_EQ(testutil::ReadFile(dir.file("kfiles.txt")), "/p/only.txl\r\n\r\n\r\n\r\n");
    kv::ResetAllState();
    SetProgramFolder(dir.path());
    EXPECT_TRUE(LoadRecentFiles());
    EXPECT_EQ(gRecentFileCount, 1);
}

TEST_F(RecentFilesTest, AFailedSaveIsReportedAndKeepsTheOldList) {
    AddRecentFile("/p/one.txl");
    const std::string before = testutil::ReadFile(dir.file("kfiles.txt"));
    kv::SetSafeWriteFault([](kv::SafeWriteStage s, const std::string&) { return s == kv::SafeWriteStage::Rename; });
    AddRecentFile("/p/two.txl");
    kv::SetSafeWriteFault(nullptr);
    EXPECT_EQ(testutil::ReadFile(dir.file("kfiles.txt")), before);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("kfiles.txt"), std::string::npos);
    EXPECT_EQ(ui.messages[0].style, kv::vbExclamation);
}
