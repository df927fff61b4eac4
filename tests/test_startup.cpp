#include <gtest/gtest.h>

#include "data/ini.h"
#include "data/language.h"
#include "data/startup.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;
using testutil::CrLf;

namespace {

class StartTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        oldCwd = CurrentDir();
        testutil::WriteFile(prog.file("placeholder"), "");
        SetProgramFolder(prog.path());
        SetCurrentDir(cwd.path());
    }
    void TearDown() override {
        SetCurrentDir(oldCwd);
        kv::ResetAllState();
    }
    testutil::TempDir prog, cwd, data;
    std::string oldCwd;
    FakeUi ui;
};

}  // namespace

TEST_F(StartTest, SettingsBesideTheProgramAndAnEmptyDataPath) {
    testutil::WriteFile(prog.file("kivar.lib"),
                        CrLf({"[Generell]", "KivarPath=\"\"", "Language=\"English\"", "LanguageFile=\"e.lng\"", ""}));
    bool asked = false;
    ReadStartSettings([&] { asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_EQ(gDataPath, prog.path());
    EXPECT_EQ(gSettingsFile, prog.path() + "/kivar.lib");
    EXPECT_EQ(gLanguage, "English");
    EXPECT_EQ(gLanguageFile, "e.lng");
}

TEST_F(StartTest, TheCurrentFolderWinsAndNamesTheDataFolder) {
    testutil::WriteFile(cwd.file("Kivar.Lib"), CrLf({"[Generell]", "KivarPath=\"" + data.path() + "\""}));
    testutil::WriteFile(data.file("kivar.lib"), CrLf({"[Generell]", "Language=", "LanguageFile="}));
    bool asked = false;
    ReadStartSettings([&] { asked = true; });
    EXPECT_EQ(gDataPath, data.path());
    EXPECT_TRUE(asked);  // both keys present and empty
    // Messages name each settings file as it is on disk.
    EXPECT_EQ(FirstSettingsFile(), cwd.path() + "/Kivar.Lib");
    EXPECT_EQ(gSettingsFile, data.path() + "/kivar.lib");
}

TEST_F(StartTest, AbsentLanguageKeysDoNotAsk) {
    testutil::WriteFile(prog.file("kivar.lib"), CrLf({"[Generell]", "KivarPath=0"}));
    bool asked = false;
    ReadStartSettings([&] { asked = true; });
    EXPECT_FALSE(asked);
    EXPECT_EQ(gLanguage, "0");
}

// The start raises the error; the window layer shows it and ends.
TEST_F(StartTest, MissingSettingsAreAnError) {
    testutil::Raised e = testutil::RaisedError([] { ReadStartSettings(nullptr); });
    EXPECT_EQ(e.text, prog.path() + "/kivar.lib not found!");
    EXPECT_EQ(e.style, vbCritical);

    testutil::WriteFile(prog.file("kivar.lib"), CrLf({"[Generell]", "KivarPath=\"" + data.path() + "\""}));
    EXPECT_EQ(testutil::RaisedError([] { ReadStartSettings(nullptr); }).text, data.path() + "/kivar.lib not found!");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(StartTest, LanguageChoiceStoresNameAndFile) {
    testutil::WriteFile(prog.file("kivar.lib"),
                        CrLf({"[Generell]", "KivarPath=\"\"", "Language=\"\"", "LanguageFile=\"\"", "SaveWinPos=1", ""}));
    testutil::WriteFile(prog.file("language.ini"),
                        CrLf({"[Languages]", "NoOfLanguages=3", "Language1=\"English\"", "Language2=Svenska",
                              "Language3=Other", "", "[English]", "FileName=\"English.lng\"", "", "[Svenska]",
                              "FileName=" + prog.path() + "/sv/svenska.lng", "", "[Other]",
                              "FileName=" + testutil::TempDir().path() + "x/o.lng", ""}));
    ReadStartSettings([&] {
        auto list = LoadLanguageList();
        ASSERT_EQ(list, (std::vector<std::string>{"English", "Svenska", "Other"}));
        StoreLanguageChoice(list[0]);
    });
    EXPECT_EQ(gLanguage, "English");
    EXPECT_EQ(gLanguageFile, prog.path() + "/English.lng");
    EXPECT_EQ(IniGetValue(gSettingsFile, "Generell", "Language"), "English");
    EXPECT_EQ(IniGetValue(gSettingsFile, "Generell", "LanguageFile"), prog.path() + "/English.lng");
    EXPECT_EQ(IniGetValue(gSettingsFile, "Generell", "SaveWinPos"), "1");
    // A name that already holds the data folder is kept as it is.
    EXPECT_EQ(LanguageFileOf("Svenska"), prog.path() + "/sv/svenska.lng");
}

TEST(StartHelpers, GetNumberPart) {
    struct { const char* text; bool fromStart; const char* out; } cases[] = {
        {"12A", true, "12"}, {"A12", false, "12"}, {"A12", true, ""}, {"", true, ""}, {"123", false, "123"},
        {"4B56", false, "56"},
    };
    for (auto& c : cases) EXPECT_EQ(GetNumberPart(c.text, c.fromStart), c.out) << c.text;
}

TEST(StartHelpers, StringHelpers) {
    EXPECT_EQ(ReplaceStringNext("XXX and XXX", "XXX", "12"), "12 and 12");
    EXPECT_EQ(ReplaceStringNext("a", "a", "aa"), "aa");
    EXPECT_EQ(ReplaceStringNext("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceStringNext("abcb", "b", ""), "ac");
    // A replacement that holds the searched text ends.
    EXPECT_EQ(ReplaceString("a-a", "a", "aa"), "aa-aa");
    EXPECT_EQ(ReplaceString("abc", "b", ""), "");
    EXPECT_EQ(RemoveString("a b c", " "), "abc");
    EXPECT_EQ(RemoveString("aaa", "aa"), "a");
    EXPECT_EQ(RemoveString("abc", ""), "");
}

TEST(StartHelpers, PlacementValues) {
    struct { const char* value; Placement::Kind kind; int16_t l, t, w, h; } cases[] = {
        {"120 90 960 720", Placement::Set, 120, 90, 960, 720},
        {"0 90 960 720", Placement::Maximize, 0, 90, 960, 720},
        {"-60 -60 -1 -1", Placement::Maximize, -60, -60, -1, -1},
        {"120 90 -1 -1", Placement::Maximize, 120, 90, -1, -1},
        {"120 90 960", Placement::Keep, 0, 0, 0, 0},
        {"120 90  960 720", Placement::Keep, 0, 0, 0, 0},
        {"0", Placement::Keep, 0, 0, 0, 0},
        {"   ", Placement::Keep, 0, 0, 0, 0},
        {"99999 90 960 720", Placement::Set, 32767, 90, 960, 720},
    };
    for (auto& c : cases) {
        Placement p = ParsePlacement(c.value);
        EXPECT_EQ(p.kind, c.kind) << c.value;
        if (p.kind != Placement::Keep) {
            EXPECT_EQ(p.left, c.l);
            EXPECT_EQ(p.width, c.w);
        }
    }
}

TEST_F(StartTest, PlacementIsWrittenOnlyWhenChanged) {
    gSettingsFile = prog.file("kivar.lib");
    testutil::WriteFile(gSettingsFile, CrLf({"[Windows]", "frmOther=\"1 2 3 4\"", "", "[X]"}));
    WriteFormPlacement("frmHead", 120, 90, 960, 720, false);
    EXPECT_EQ(testutil::ReadFile(gSettingsFile),
              CrLf({"[Windows]", "frmHead=\"120 90 960 720\"", "frmOther=\"1 2 3 4\"", "", "[X]"}));
    auto before = std::filesystem::last_write_time(gSettingsFile);
    testutil::WriteFile(prog.file("marker"), "");
    WriteFormPlacement("frmHead", 120, 90, 960, 720, false);
    EXPECT_EQ(std::filesystem::last_write_time(gSettingsFile), before);
    WriteFormPlacement("frmHead", -60, -60, 0, 0, true);
    EXPECT_EQ(IniGetValue(gSettingsFile, "Windows", "frmHead"), "-60 -60 -1 -1");
    EXPECT_EQ(ReadFormPlacement("frmHead").kind, Placement::Maximize);
}

TEST_F(StartTest, LanguageTextsAndTheirBuiltInDefaults) {
    // S25 is missing: the continuing run misses every later key in a
    // one-section file; S150 and S155 have their own reads.
    std::vector<std::string> lines = {"[English]"};
#define KV_LINE(n) if (n != 25 && n != 155) lines.push_back("S" #n "=Text " #n);
    KV_SHARED_TEXT_KEYS(KV_LINE)
#undef KV_LINE
    gLanguageFile = prog.file("e.lng");
    gLanguage = "English";
    testutil::WriteFile(gLanguageFile, CrLf(lines));
    int hookRuns = 0;
    AddLanguageTextsHook([&] { ++hookRuns; });
    LoadLanguageTexts();
    EXPECT_EQ(gTextS1, "Text 1");
    EXPECT_EQ(gTextS24, "Text 24");
    EXPECT_EQ(gTextS25, "0");
    EXPECT_EQ(gTextS38, "0");
    EXPECT_EQ(gTextS133, "Bad destinationnumber!");
    EXPECT_EQ(gTextS134, "Destinationnumber exists!");
    EXPECT_EQ(gTextS135, "Index not found!");
    EXPECT_EQ(gTextS150, "Text 150");
    EXPECT_EQ(gTextS155, "Insertmode disabled!");
    EXPECT_EQ(hookRuns, 1);
    EXPECT_EQ(gIniState.FileNo, 0);

    lines.insert(lines.begin() + 14, "S25=Text 25");
    testutil::WriteFile(gLanguageFile, CrLf(lines));
    LoadLanguageTexts();
    EXPECT_EQ(gTextS25, "Text 25");
    EXPECT_EQ(gTextS38, "Text 38");
    EXPECT_EQ(gTextS135, "Text 135");
    EXPECT_EQ(MainWindowCaption(), "Kivar32\xAE <Text 38>");
}
