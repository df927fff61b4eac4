// A damaged settings file at the program's start, through the start routine
// the program runs (the message port faked): every message names the
// settings file and the section or key that is missing or unreadable, and
// says that the shipped settings file can be put back; the program ends only
// when the settings name no language.
#include <gtest/gtest.h>

#include <QApplication>

#include <memory>

#include "gui/head_fixture.h"
#include "ui/startup_qt.h"

using namespace kv;

namespace {

class SettingsDamageGui : public HeadGui {
protected:
    // The start as main() runs it, on the staged folder with `settings` as
    // its kivar.lib. True when the program ended.
    bool StartWith(const std::string& settings) {
        started.reset();
        kv::ResetAllState();
        kv::SetProgramEnd([](int code) { throw ProgramEnded(code); });
        testutil::WriteFile(dir.file("kivar.lib"), settings);
        kv::SetProgramFolder(dir.path());
        ui.messages.clear();
        try {
            started.reset(LoadProgram([] { StoreLanguageChoice("English"); }));
        } catch (const ProgramEnded&) {
            return true;
        }
        return false;
    }
    void TearDown() override {
        started.reset();
        HeadGui::TearDown();
    }
    std::unique_ptr<frmHead> started;
};

// The shipped settings with a section left out.
std::string Without(const std::string& text, const std::string& section) {
    const size_t a = text.find("[" + section + "]");
    const size_t b = text.find("\r\n[", a + 1);
    return text.substr(0, a) + (b == std::string::npos ? "" : text.substr(b + 2));
}

std::string WithNuls(std::string text, const std::string& after, size_t count) {
    text.insert(text.find(after) + after.size(), std::string(count, '\0'));
    return text;
}

}  // namespace

TEST_F(SettingsDamageGui, EveryMessageNamesTheFileAndWhatIsMissing) {
    // The settings as a program in use has them: the shipped file with the
    // language chosen at the first start.
    const std::string good = testutil::ReadFile(dir.file("kivar.lib"));
    ASSERT_NE(good.find("Language=\"English\"\r\n"), std::string::npos);
    ASSERT_FALSE(StartWith(good));
    ASSERT_TRUE(ui.messages.empty());

    const std::string settings = JoinPath(dir.path(), "kivar.lib");
    auto cutAt = [&](const std::string& marker) { return good.substr(0, good.find(marker)); };
    std::string random;
    unsigned x = 12345;  // the same bytes every run
    for (int i = 0; i < 3000; ++i) {
        x = x * 1103515245u + 12345u;
        random += static_cast<char>(x >> 16);
    }
    const std::string noLanguage = "[Generell] names no language: its keys Language and LanguageFile are missing or "
                                   "cannot be read.";
    const std::string noFonts = "[Fonts] not found!";
    auto gone = [](const std::string& sections) {
        return sections + " not found! The program goes on with " +
               (sections.find(',') == std::string::npos ? "its" : "their") + " defaults.";
    };
    const std::string fromSigns = "[Signs], [DestNoCharachters], [Printer], [Windows], [K4000], [K1000], [K2000_1R], [K2000_2R]";
    struct Case {
        const char* what;
        std::string bytes;
        bool ends;
        std::vector<std::string> says;  // what each message names, in order
    };
    const Case cases[] = {
        {"empty", "", true, {noFonts, noLanguage}},
        {"random bytes", random, true, {noFonts, noLanguage}},
        {"cut inside [Generell]", good.substr(0, 40), true, {noFonts, noLanguage}},
        {"without [Generell]", Without(good, "Generell"), true, {noLanguage}},
        {"NUL bytes from KivarPath on", cutAt("KivarPath") + std::string(600, '\0'), true, {noFonts, noLanguage}},
        {"cut before [Fonts]", cutAt("[Fonts]"), false, {noFonts, gone(fromSigns)}},
        {"without [Fonts]", Without(good, "Fonts"), false, {noFonts}},
        {"cut inside [Fonts]", cutAt("Font05"), false, {gone(fromSigns)}},
        {"cut inside [Signs]", cutAt("Start- and routenumber font for 12"), false,
         {gone("[DestNoCharachters], [Printer], [Windows], [K4000], [K1000], [K2000_1R], [K2000_2R]")}},
        {"half of it", good.substr(0, good.size() / 2), false, {gone("[DestNoCharachters], [Printer], [Windows], [K4000], [K1000], [K2000_1R], [K2000_2R]")}},
        {"without [Signs]", Without(good, "Signs"), false, {gone("[Signs]")}},
        {"without [AutoSave]", Without(good, "AutoSave"), false, {gone("[AutoSave]")}},
        {"without [Printer] and [K4000]", Without(Without(good, "Printer"), "K4000"), false, {gone("[Printer], [K4000]")}},
        {"NUL bytes after KivarPath=", WithNuls(good, "KivarPath=", 3), false, {}},
        {"NUL bytes after Language=", WithNuls(good, "Language=", 5), false, {}},
        {"NUL bytes in LanguageFile", WithNuls(good, "English.l", 5), false, {}},
        {"NUL bytes after NoOfFonts=", WithNuls(good, "NoOfFonts=", 3), false, {}},
        {"NUL bytes after MAXHEIGHT=", WithNuls(good, "MAXHEIGHT=", 3), false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const bool ended = StartWith(c.bytes);
        EXPECT_EQ(ended, c.ends);
        ASSERT_EQ(ui.messages.size(), c.says.size()) << ui.messages[0].text;
        for (size_t i = 0; i < c.says.size(); ++i) {
            EXPECT_EQ(ui.messages[i].text, settings + ":\r" + c.says[i] +
                                               "\rThe settings file is damaged. The settings file kivar.lib shipped "
                                               "with the program can be put in its place (the program's own "
                                               "settings then start anew).");
            EXPECT_EQ(ui.messages[i].style, vbCritical);
        }
        if (!ended) {
            // The window speaks its language.
            ASSERT_NE(started, nullptr);
            EXPECT_EQ(gTextS38, "Untitled");
            EXPECT_EQ(gLanguage, "English");
        }
    }
}

// A language the language file has no texts for is taken from language.ini
// by the file's name; a file that belongs to no language there ends the
// start with a message that says so.
TEST_F(SettingsDamageGui, TheLanguageOfTheLanguageFile) {
    std::string good = testutil::ReadFile(dir.file("kivar.lib"));
    good.replace(good.find("Language=\"English\""), 18, "Language=\"Englisch\"");
    EXPECT_FALSE(StartWith(good));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(gLanguage, "English");
    EXPECT_EQ(gTextS38, "Untitled");

    testutil::WriteFile(dir.file("Other.lng"), testutil::ReadFile(dir.file("English.lng")));
    std::string other = good;
    other.replace(other.find("English.lng\""), 11, "Other.lng");
    EXPECT_TRUE(StartWith(other));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, JoinPath(dir.path(), "kivar.lib") + ":\r[Generell] Language \"Englisch\" is no "
                                       "language of " + JoinPath(dir.path(), "Other.lng") +
                                       ".\rThe settings file is damaged. The settings file kivar.lib shipped with "
                                       "the program can be put in its place (the program's own settings then "
                                       "start anew).");
}
