// The path a Save takes to the disk (the question about a file changed on
// disk since it was read, then the project file written): a name that
// differs from another file's only in letter case, a symbolic link, a
// write-protected file (also for a user other than root, whom no permission
// stops), names of up to 255 bytes, and a file another program saved since
// this one read it. The files are read back after each.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>

#include "app/doccommands.h"
#include "data/destlist.h"
#include "data/records.h"
#include "files/document.h"
#include "files/listing.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "platform/host.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/print_state.h"
#include "support/signs_state.h"
#include "support/testutil.h"
#include "support/txl_state.h"

using namespace kv;

namespace {

// What a file holds after the save: the new project, other bytes, or a
// symbolic link to a name.
struct After {
    std::string name;
    std::string bytes;  // kNew: the project saved
    std::string linkTo;
};
const std::string kNew = "<the project saved>";

struct Case {
    const char* what;
    std::function<void(const testutil::TempDir&)> before;  // the folder as the save finds it
    std::string saveAs;       // the name saved to
    bool otherUser = false;   // saved by a user other than root
    bool noteRead = false;    // the file was read before `changeOnDisk`
    std::string changeOnDisk; // another program's save after the reading
    int answer = vbYes;       // to a question about a changed file
    bool saved = true;
    std::string says;         // in the message (none when empty)
    std::vector<After> after;
};

// Save as the main window does it: the question about a file changed on
// disk, the file written, its state noted.
bool Save(const std::string& path) {
    if (!MaySaveOver(path)) return false;
    if (!SaveTxlFile(path)) return false;
    NoteDocumentFile(path);
    return true;
}

class SavePathTest : public ::testing::Test {
protected:
    void SetUp() override {
        txltest::ResetProject();
        testsigns::Sign(testsigns::SignLine("FRONT", "K4000", "112x16", "2"));
        gDestList[1].Text = "\xFF" "FRONT## one";
        gDestList[1].SignData = "\xFF\x02" "one";
        AddListLine(1, true);
        gTxlVersion = 5;
    }
    void TearDown() override { txltest::ResetProject(); }

    FakeUi ui;
    txltest::FakeHead head;
};

void Symlink(const std::string& target, const std::string& link) { ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0); }

}  // namespace

TEST_F(SavePathTest, EachTargetAsTheUserMeantIt) {
    const std::string project = BuildTxlFile(5);
    const std::string name250 = std::string(246, 'a') + ".txl", name255 = std::string(251, 'b') + ".txl";
    const bool root = ::geteuid() == 0;
    const std::string protectedText = "The file is write-protected; it was left as it is.";
    const Case cases[] = {
        {"a name that differs from a file's only in letter case",
         [](const testutil::TempDir& d) { testutil::WriteFile(d.file("route.txl"), "the other project"); },
         "Route.TXL", false, false, "", vbYes, true, "",
         {{"route.txl", "the other project", ""}, {"Route.TXL", kNew, ""}}},
        {"a symbolic link into another folder",
         [](const testutil::TempDir& d) {
             std::filesystem::create_directory(d.file("real"));
             testutil::WriteFile(d.file("real/proj.txl"), "old");
             Symlink("real/proj.txl", d.file("proj.txl"));
         },
         "proj.txl", false, false, "", vbYes, true, "",
         {{"proj.txl", "", "real/proj.txl"}, {"real/proj.txl", kNew, ""}, {"proj.BAK", "old", ""}}},
        {"a write-protected file",
         [](const testutil::TempDir& d) {
             testutil::WriteFile(d.file("ro.txl"), "protected");
             ::chmod(d.file("ro.txl").c_str(), 0444);
         },
         "ro.txl", false, false, "", vbYes, false, protectedText, {{"ro.txl", "protected", ""}}},
        {"a write-protected file, saved by another user",
         [](const testutil::TempDir& d) {
             testutil::WriteFile(d.file("ro.txl"), "protected");
             ::chmod(d.file("ro.txl").c_str(), 0444);
         },
         "ro.txl", true, false, "", vbYes, false, protectedText, {{"ro.txl", "protected", ""}}},
        {"a link to a write-protected file",
         [](const testutil::TempDir& d) {
             testutil::WriteFile(d.file("ro.txl"), "protected");
             ::chmod(d.file("ro.txl").c_str(), 0444);
             Symlink("ro.txl", d.file("link.txl"));
         },
         "link.txl", false, false, "", vbYes, false, protectedText,
         {{"ro.txl", "protected", ""}, {"link.txl", "", "ro.txl"}}},
        {"a name of 250 bytes, saved over",
         [&](const testutil::TempDir& d) { testutil::WriteFile(d.file(name250), "old"); },
         name250, false, false, "", vbYes, true, "",
         {{name250, kNew, ""}, {std::string(246, 'a') + ".BAK", "old", ""}}},
        {"a name of 255 bytes", [](const testutil::TempDir&) {}, name255, false, false, "", vbYes, true, "",
         {{name255, kNew, ""}}},
        {"a file saved by another program since it was read: No",
         [](const testutil::TempDir& d) { testutil::WriteFile(d.file("shared.txl"), "as read"); },
         "shared.txl", false, true, "the other program's save", vbNo, false,
         "has changed on disk since this program opened or last saved it",
         {{"shared.txl", "the other program's save", ""}}},
        {"a file saved by another program since it was read: Yes",
         [](const testutil::TempDir& d) { testutil::WriteFile(d.file("shared.txl"), "as read"); },
         "shared.txl", false, true, "as read, saved again", vbYes, true,
         "has changed on disk since this program opened or last saved it",
         {{"shared.txl", kNew, ""}, {"shared.BAK", "as read, saved again", ""}}},
        {"a file unchanged since it was read",
         [](const testutil::TempDir& d) { testutil::WriteFile(d.file("mine.txl"), "as read"); },
         "mine.txl", false, true, "", vbYes, true, "", {{"mine.txl", kNew, ""}, {"mine.BAK", "as read", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testutil::TempDir dir;
        c.before(dir);
        const std::string path = dir.file(c.saveAs);
        ForgetDocumentFile();
        if (c.noteRead) NoteDocumentFile(path);
        if (!c.changeOnDisk.empty()) {
            // Another program's save: a new file takes the name.
            testutil::WriteFile(path + ".new", c.changeOnDisk);
            ASSERT_EQ(::rename((path + ".new").c_str(), path.c_str()), 0);
        }
        ui.messages.clear();
        ui.answers = {c.answer};
        bool saved = false;
        std::string told;
        if (c.otherUser) {
            // Root writes any file: a user without that right saves here.
            if (!root) GTEST_SKIP() << "needs root to start a user without its rights";
            dir.OpenToAll();
            const std::string result = dir.file("told");
            const int code = testutil::RunAsOtherUser([&] {
                const bool ok = Save(path);
                std::string texts;
                for (const auto& m : ui.messages) texts += m.text;
                testutil::WriteFile(result, texts);
                return ok ? 1 : 0;
            });
            ASSERT_GE(code, 0);
            saved = code == 1;
            told = testutil::ReadFile(result);
            std::filesystem::remove(result);
        } else {
            saved = Save(path);
            for (const auto& m : ui.messages) told += m.text;
        }
        EXPECT_EQ(saved, c.saved);
        if (c.says.empty()) {
            EXPECT_EQ(told, "");
        } else {
            EXPECT_NE(told.find(c.says), std::string::npos) << told;
            // Every message names the file.
            EXPECT_NE(told.find(path), std::string::npos) << told;
        }
        for (const After& a : c.after) {
            SCOPED_TRACE(a.name.substr(0, 40));
            const std::string file = dir.file(a.name);
            if (!a.linkTo.empty()) {
                std::error_code ec;
                EXPECT_EQ(std::filesystem::read_symlink(file, ec).string(), a.linkTo) << "not a link";
                continue;
            }
            EXPECT_EQ(std::filesystem::exists(file) ? testutil::ReadFile(file) : "<no file>",
                      a.bytes == kNew ? project : a.bytes);
        }
        // Nothing else is left in the folder: no temporary file, no backup
        // but those named.
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path()))
            if (!e.is_directory()) names.push_back(e.path().lexically_relative(dir.path()).string());
        std::sort(names.begin(), names.end());
        std::vector<std::string> expected;
        for (const After& a : c.after) expected.push_back(a.name);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(names, expected);
    }
}

// The state of the file is the one last written here: a second Save asks
// nothing, and a Save after another program's asks again.
TEST_F(SavePathTest, TheFileAsLastSavedHereIsNoChange) {
    testutil::TempDir dir;
    const std::string path = dir.file("p.txl");
    ASSERT_TRUE(Save(path));
    ASSERT_TRUE(Save(path));
    EXPECT_TRUE(ui.messages.empty());
    testutil::WriteFile(path, "another program's");
    ui.answers = {vbNo};
    EXPECT_FALSE(Save(path));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].style, vbYesNo | vbExclamation | vbDefaultButton2);
    EXPECT_EQ(testutil::ReadFile(path), "another program's");
    // Save As under another name asks nothing about this file.
    EXPECT_TRUE(Save(dir.file("q.txl")));
    EXPECT_EQ(ui.messages.size(), 1u);
}

namespace {
class ExportPathTest : public testprint::PrintProject {};
}  // namespace

// A listing or export goes to the name chosen for it, exactly, and never
// over a write-protected file.
TEST_F(ExportPathTest, AnExportIsWrittenAsNamedAndNeverOverAProtectedFile) {
    Build();
    testutil::WriteFile(dir.file("list.txt"), "another listing");
    ASSERT_TRUE(WriteListingFile(dir.file("List.TXT"), true));
    EXPECT_EQ(testutil::ReadFile(dir.file("list.txt")), "another listing");
    const std::string written = testutil::ReadFile(dir.file("List.TXT"));
    EXPECT_NE(written.find("\t"), std::string::npos);

    ASSERT_EQ(::chmod(dir.file("List.TXT").c_str(), 0444), 0);
    ui.messages.clear();
    EXPECT_FALSE(WriteListingFile(dir.file("List.TXT"), false));
    EXPECT_EQ(testutil::ReadFile(dir.file("List.TXT")), written);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, dir.file("List.TXT") + ":\rThe file is write-protected; it was left as it is.");
}
