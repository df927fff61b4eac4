// The main window's start options: folders, limits and the values written
// back to the settings file.
#include <gtest/gtest.h>

#include "data/ini.h"
#include "data/language.h"
#include "data/startup.h"
#include "app/headstate.h"
#include "data/settings.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;
using testutil::CrLf;

namespace {

class MainSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        oldCwd = CurrentDir();
        SetProgramFolder(prog.path());
        testutil::WriteFile(prog.file("language.ini"),
                            CrLf({"[Languages]", "NoOfLanguages=1", "Language1=English", "", "[English]",
                                  "FileName=\"English.lng\"", ""}));
        testutil::WriteFile(prog.file("English.lng"), CrLf({"[English]", "S1=OK", ""}));
    }
    void TearDown() override {
        SetCurrentDir(oldCwd);
        kv::ResetAllState();
    }
    // A settings file beside the program with these [Generell] lines.
    void Settings(std::vector<std::string> generell, std::vector<std::string> more = {}) {
        std::vector<std::string> lines = {"[Generell]", "KivarPath=\"" + prog.path() + "\"", "Language=\"English\"",
                                          "LanguageFile=\"English.lng\""};
        lines.insert(lines.end(), generell.begin(), generell.end());
        lines.push_back("");
        lines.insert(lines.end(), more.begin(), more.end());
        testutil::WriteFile(prog.file("kivar.lib"), CrLf(lines));
    }
    std::string Stored(const std::string& section, const std::string& key) {
        return IniGetValue(prog.file("KIVAR.LIB"), section, key, kIniOpenClose);
    }
    testutil::TempDir prog, other;
    std::string oldCwd;
    FakeUi ui;
};

}  // namespace

TEST_F(MainSettingsTest, NumericLimits) {
    struct Case {
        std::vector<std::string> lines;
        int16_t changingTexts, lineNumbers, cut;
    };
    const Case cases[] = {
        {{}, 8, 3, 0},
        {{"MaxNoOfChangingTexts=5", "MaxLineNumbers=4", "CutPreferences=2"}, 8, 4, 2},
        {{"MaxNoOfChangingTexts=25", "MaxLineNumbers=5"}, 20, 3, 0},
        {{"MaxNoOfChangingTexts=12", "MaxLineNumbers=0"}, 12, 3, 0},
        {{"MaxNoOfChangingTexts=abc", "MaxLineNumbers=3"}, 8, 3, 0},
        {{"MaxNoOfChangingTexts=99999"}, 20, 3, 0},
    };
    for (const Case& c : cases) {
        Settings(c.lines, {"[Kivar-t]", "PORTINDEX=-1", ""});
        ReadMainSettings();
        EXPECT_EQ(gNumberOfChangingTexts, c.changingTexts) << c.lines.size();
        EXPECT_EQ(gMaxLineNumbers, c.lineNumbers);
        EXPECT_EQ(gCutMode, c.cut);
        EXPECT_EQ(gPortIndex, 0);
    }
    Settings({}, {"[Kivar-t]", "PORTINDEX=7", ""});
    ReadMainSettings();
    EXPECT_EQ(gPortIndex, 3);
    Settings({}, {"[Kivar-t]", "PORTINDEX=2", ""});
    ReadMainSettings();
    EXPECT_EQ(gPortIndex, 2);
}

TEST_F(MainSettingsTest, FlagsAndCodeCharacters) {
    Settings({"NoBackup=1", "UseStandardMousePointer=\"Y\"", "AutoCreateTextButtonVisible=1"},
             {"[DestNoCharachters]", "DestPos3=0", "DestPos4=\"\"", "DestPos1=\"AB\"", ""});
    MainFormSettings f = ReadMainSettings();
    EXPECT_EQ(gBackupOn, kFalse);
    EXPECT_TRUE(f.useStandardMousePointer);
    EXPECT_TRUE(f.autoCreateButtonVisible);
    EXPECT_EQ(f.allowedCodeChars[0], "AB");
    EXPECT_EQ(f.allowedCodeChars[1], " 0123456789AbCdEFHL");  // absent
    EXPECT_EQ(f.allowedCodeChars[2], " 0123456789AbCdEFHL");  // "0" reads as absent
    EXPECT_EQ(f.allowedCodeChars[3], "");                     // empty stays empty

    for (const char* noBackup : {"NoBackup=0", "NoBackup=\"Y\""}) {
        Settings({noBackup});
        f = ReadMainSettings();
        EXPECT_EQ(gBackupOn, kTrue) << noBackup;
        EXPECT_FALSE(f.useStandardMousePointer);
        EXPECT_FALSE(f.autoCreateButtonVisible);
        EXPECT_EQ(f.allowedCodeChars[0], " 0123456789");
        // An absent or unknown pointer choice is written as "N".
        EXPECT_EQ(Stored("Generell", "UseStandardMousePointer"), "N");
    }
}

TEST_F(MainSettingsTest, FoldersFallBackAndAreWrittenBack) {
    // Empty folders: the program folder, its Fonts folder and the data folder.
    testutil::WriteFile(prog.file("kivar.lib"),
                        CrLf({"[Generell]", "KivarPath=\"\"", "Language=\"English\"", "LanguageFile=\"English.lng\"",
                              "OpenSavePath=\"\"", "", "[Fonts]", "FontsPath=\"\"", ""}));
    std::string fontsSeen;
    ReadMainSettings([&] { fontsSeen = gFontPath; });
    EXPECT_EQ(gDataPath, prog.path());
    EXPECT_EQ(gSettingsFile, prog.path() + "/kivar.lib");
    EXPECT_EQ(Stored("Generell", "KivarPath"), "");  // stays empty: the program folder wherever it is
    EXPECT_EQ(gFontPath, prog.path() + "/Fonts/");
    EXPECT_EQ(fontsSeen, gFontPath);
    EXPECT_EQ(Stored("Fonts", "FontsPath"), gFontPath);
    EXPECT_EQ(gOpenSavePath, prog.path());
    EXPECT_EQ(Stored("Generell", "OpenSavePath"), prog.path());
    EXPECT_EQ(CurrentDir(), prog.path());

    // Folders that exist are used as they are; the data folder ends current.
    testutil::WriteFile(prog.file("kivar.lib"),
                        CrLf({"[Generell]", "KivarPath=\"" + prog.path() + "\"", "Language=\"English\"",
                              "LanguageFile=\"English.lng\"", "OpenSavePath=\"" + other.path() + "\"", "", "[Fonts]",
                              "FontsPath=\"" + other.path() + "\"", ""}));
    std::string cwdAtFonts;
    ReadMainSettings([&] { cwdAtFonts = CurrentDir(); });
    EXPECT_EQ(gFontPath, other.path() + "/");  // a stored folder without its separator gets one
    EXPECT_EQ(Stored("Fonts", "FontsPath"), other.path());
    EXPECT_EQ(cwdAtFonts, other.path());
    EXPECT_EQ(gOpenSavePath, other.path());
    EXPECT_EQ(CurrentDir(), prog.path());

    // Folders that do not exist fall back like empty ones.
    testutil::WriteFile(prog.file("kivar.lib"),
                        CrLf({"[Generell]", "KivarPath=\"" + prog.path() + "/gone\"", "Language=\"English\"",
                              "LanguageFile=\"English.lng\"", "OpenSavePath=\"/no/such/folder\"", "", "[Fonts]",
                              "FontsPath=\"/no/such/fonts\"", ""}));
    ReadMainSettings();
    EXPECT_EQ(gDataPath, prog.path());
    EXPECT_EQ(gFontPath, prog.path() + "/Fonts/");
    EXPECT_EQ(gOpenSavePath, prog.path());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MainSettingsTest, LanguageFile) {
    // A stored name gets the data folder in front.
    Settings({});
    ReadMainSettings();
    EXPECT_EQ(gLanguage, "English");
    EXPECT_EQ(gLanguageFile, prog.path() + "/English.lng");

    // A full path under the data folder is used unchanged.
    testutil::WriteFile(prog.file("kivar.lib"),
                        CrLf({"[Generell]", "KivarPath=\"" + prog.path() + "\"", "Language=\"English\"",
                              "LanguageFile=\"" + prog.path() + "/English.lng\"", ""}));
    ReadMainSettings();
    EXPECT_EQ(gLanguageFile, prog.path() + "/English.lng");

    // A file that does not exist is looked up in language.ini and stored.
    testutil::WriteFile(prog.file("kivar.lib"), CrLf({"[Generell]", "KivarPath=\"" + prog.path() + "\"",
                                                      "Language=\"English\"", "LanguageFile=\"Old.lng\"", ""}));
    ReadMainSettings();
    EXPECT_EQ(gLanguageFile, prog.path() + "/English.lng");
    EXPECT_EQ(Stored("Generell", "LanguageFile"), "English.lng");

    // language.ini names a file that is not there either: the bare name stays.
    testutil::WriteFile(prog.file("language.ini"), CrLf({"[English]", "FileName=\"Missing.lng\"", ""}));
    testutil::WriteFile(prog.file("kivar.lib"), CrLf({"[Generell]", "KivarPath=\"" + prog.path() + "\"",
                                                      "Language=\"English\"", "LanguageFile=\"Old.lng\"", ""}));
    ReadMainSettings();
    EXPECT_EQ(gLanguageFile, "Missing.lng");
    EXPECT_EQ(Stored("Generell", "LanguageFile"), "Old.lng");
}

TEST(HeadState, ProjectOnTheCommandLine) {
    struct Case {
        std::vector<std::string> args;
        std::string project;
    };
    const Case cases[] = {
        {{"C:\\PROJ\\A.txl"}, "C:\\PROJ\\A.txl"},
        {{"-style", "fusion", " \"/home/u/My Project.TXL\" "}, "/home/u/My Project.TXL"},
        {{"/data/city.Txl", "/data/other.txl"}, "/data/city.Txl"},
        {{"/txlfolder/readme.doc"}, "/txlfolder/readme.doc"},
        {{"/data/city.out"}, ""},
        {{}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(ProjectFromCommandLine(c.args), c.project);
    EXPECT_EQ(AutoSaveFileOf("/opt/kivar"), "/opt/kivar/kivar.txl");
    EXPECT_EQ(AutoSaveFileOf("/opt/kivar/"), "/opt/kivar/kivar.txl");
    float s = SecondsSinceMidnight();
    EXPECT_GE(s, 0.0f);
    EXPECT_LT(s, 86400.0f);
}
