#include <gtest/gtest.h>

#include "data/charmap.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/fake_window.h"
#include "support/testutil.h"

using namespace kv;
using testutil::CrLf;

namespace {

class CharMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        gFontPath = dir.path() + "\\";
    }
    void TearDown() override { kv::ResetAllState(); }
    void WriteMap(const std::string& id, const std::string& bytes) {
        testutil::WriteFile(dir.path() + "/" + id + "/" + id + "map.txt", bytes);
    }
    int16_t Map(int c) const { return gCharMap[c - 32]; }
    int16_t Reverse(int g) const { return gCharMapReverse[g - 32]; }

    testutil::TempDir dir;
    FakeUi ui;
};

}  // namespace

TEST_F(CharMapTest, ReadsTheLinesOfAMap) {
    WriteMap("A", CrLf({
                      "  comment: a line that starts with two blanks",
                      " 32",
                      "A 65 the letter A",
                      "a 97",
                      "\xC4 35 A-diaeresis",
                      "\xBD 126 u-diaeresis, typed 252",
                      "B 7",          // below 32 even from column 2: skipped
                      "C 300",        // beyond the tables: skipped
                      "D -40",
                      "\t 66",        // character below 32: skipped
                      "",
                      "x",
                      "Z 90",
                      "Z 91",         // a later line overwrites
                  }));
    EXPECT_EQ(ReadCharMap("A"), CharMapStatus::Taken);
    EXPECT_EQ(gCurrentFontCode, "A");
    EXPECT_EQ(Map(' '), 32);
    EXPECT_EQ(Map('A'), 65);
    EXPECT_EQ(Reverse(65), 'A');
    EXPECT_EQ(Map('a'), 97);
    EXPECT_EQ(Map(0xC4), 35);
    EXPECT_EQ(Reverse(35), 0xC4);
    EXPECT_EQ(Map(0xBD), 126);
    EXPECT_EQ(Map('B'), 0);
    EXPECT_EQ(Map('C'), 0);
    EXPECT_EQ(Map('D'), 0);
    EXPECT_EQ(Map('x'), 0);
    EXPECT_EQ(Map('Z'), 91);
    EXPECT_EQ(Reverse(91), 'Z');
    EXPECT_EQ(Reverse(90), 'Z');  // the earlier glyph keeps its character
    int mapped = 0;
    for (int c = 32; c < 250; ++c) mapped += Map(c) != 0;
    EXPECT_EQ(mapped, 6);
}

TEST_F(CharMapTest, TheBlankLineReadsFromColumnTwo) {
    // " 32": column 3 holds "2", below 32, so the number is read from column 2.
    WriteMap("b", CrLf({" 32 blank", "1 49"}));
    ReadCharMap("b");
    EXPECT_EQ(Map(' '), 32);
    EXPECT_EQ(Map('1'), 49);
}

TEST_F(CharMapTest, PlaceholdersAlwaysMapToThemselves) {
    WriteMap("A", CrLf({"\xFA 65", "\xFC 66", "A 254"}));
    ReadCharMap("A");
    for (int c = 250; c <= 254; ++c) {
        EXPECT_EQ(Map(c), c);
        EXPECT_EQ(Reverse(c), c);
    }
    EXPECT_EQ(Map('A'), 254);
}

TEST_F(CharMapTest, MissingMapLeavesEmptyTables) {
    WriteMap("A", CrLf({"A 65"}));
    ReadCharMap("A");
    int calls = 0;
    gFontHooks.measureChar = [&](const std::string&, int16_t) { ++calls; };
    testutil::FontWindow window;
    window.label = [&](const std::string&) { ++calls; };
    EXPECT_EQ(ReadCharMap("Q"), CharMapStatus::Missing);
    EXPECT_EQ(gCurrentFontCode, "Q");
    for (int c = 32; c < 256; ++c) EXPECT_EQ(Map(c), 0) << c;
    EXPECT_EQ(calls, 0);
}

TEST_F(CharMapTest, StepsThroughTheMappedCharacters) {
    WriteMap("A", CrLf({"! 33", "A 65", "\xF9 66", "\xFF 67"}));
    ReadCharMap("A");
    struct { int16_t from, next, prev; } cases[] = {
        {31, 33, 0},  {32, 33, 0},  {33, 65, 0},   {65, 249, 33}, {248, 249, 65},
        {249, 0, 65}, {250, 0, 249}, {255, 0, 254}, {0, 33, 0},   {-100, 33, 0},
    };
    for (auto c : cases) {
        EXPECT_EQ(NextMappedChar(c.from), c.next) << c.from;
        EXPECT_EQ(PrevMappedChar(c.from), c.prev) << c.from;
    }
    // Character 255 is mapped in this file, yet the upward search stops at 250.
    EXPECT_EQ(Map(255), 67);
}

TEST_F(CharMapTest, EmptyMapHasNoFirstCharacterToMeasure) {
    WriteMap("A", CrLf({"  nothing but a comment"}));
    int measured = 0;
    gFontHooks.measureChar = [&](const std::string&, int16_t) { ++measured; };
    EXPECT_EQ(ReadCharMap("A"), CharMapStatus::Taken);
    EXPECT_EQ(NextMappedChar(31), 0);
    EXPECT_EQ(measured, 0);
}

TEST_F(CharMapTest, HooksForTheEditorAndTheMainWindow) {
    WriteMap("A", CrLf({"B 66", "A 65"}));
    gFontFiles = {"", "* A Alpha font", "* C Gamma font"};
    gFontCount = 2;
    SaveFontList(1);

    std::vector<std::string> log;
    gFontHooks.measureChar = [&](const std::string& f, int16_t c) { log.push_back("measure " + f + std::to_string(c)); };
    testutil::FontWindow window;
    window.label = [&](const std::string& e) { log.push_back("label " + e); };
    window.status = [&](const std::string& e) { log.push_back("status " + e); };

    struct {
        std::optional<bool> marked;
        CharMapStatus status;
        bool selects;
    } cases[] = {
        {std::nullopt, CharMapStatus::Taken, true},
        {true, CharMapStatus::Taken, true},
        {false, CharMapStatus::Refused, false},
    };
    for (auto& c : cases) {
        log.clear();
        gFontListIndex = 0;
        gFontHooks.applyToMarkedCells = [&](const std::string& f) {
            log.push_back("apply " + f);
            return c.marked;
        };
        EXPECT_EQ(ReadCharMap("A"), c.status);
        std::vector<std::string> expected = {"measure A65", "apply A"};
        if (c.selects) {
            expected.push_back("label A Alpha font");
            expected.push_back("status A Alpha font");
        }
        EXPECT_EQ(log, expected);
        EXPECT_EQ(gFontListIndex, c.selects ? 1 : 0);
    }
}

TEST_F(CharMapTest, FontKeysHaveAtLeastTwoDigits) {
    EXPECT_EQ(FontKey(1), "Font01");
    EXPECT_EQ(FontKey(10), "Font10");
    EXPECT_EQ(FontKey(100), "Font100");
}

TEST_F(CharMapTest, SaveFontListSortsByNameAndPutsTheGraphicEntryFirst) {
    gTextS30 = "<Graphics>";
    gFontFiles = {"", "* 5 Normal 12", "  h Route no. 07", "* 1 Normal 07", "  g <Symbols>", "* Z Bold 10",
                  "* a bold 08"};
    gFontCount = 6;
    SaveFontList(1);
    EXPECT_EQ(gFontList, (std::vector<std::string>{"", "g Graphics", "Z Bold 10", "1 Normal 07", "5 Normal 12",
                                                   "h Route no. 07", "a bold 08"}));
    EXPECT_EQ(gFontIdCount, 4);
    EXPECT_EQ(gFontIds, (std::vector<std::string>{" ", "Z", "1", "5", "a", " "}));
    struct { const char* id; int16_t index; } cases[] = {{"Z", 1}, {"1", 2}, {"a", 4}, {"h", 0}, {"g", 0}, {"q", 0}};
    for (auto c : cases) EXPECT_EQ(FindFontIdIndex(c.id), c.index) << c.id;

    SaveFontList(2);
    EXPECT_EQ(gFontList, (std::vector<std::string>{"", "  g Graphics", "* Z Bold 10", "* 1 Normal 07",
                                                   "* 5 Normal 12", "  h Route no. 07", "* a bold 08"}));
    EXPECT_EQ(gFontIdCount, 4);  // mode 2 leaves the ids alone
}

TEST_F(CharMapTest, EntriesWithoutBlankGoInFrontInReverseOrder) {
    gFontFiles = {"", "* 1 Normal 07", "  x <x>", "  y <y>", "* 2 Normal 05"};
    gFontCount = 4;
    SaveFontList(1);
    EXPECT_EQ(gFontList, (std::vector<std::string>{"", "y <y>", "x <x>", "2 Normal 05", "1 Normal 07"}));
}

TEST_F(CharMapTest, AMarkedGraphicEntryIsUnmarkedInTheSettings) {
    gSettingsFile = dir.file("kivar.lib");
    testutil::WriteFile(gSettingsFile, CrLf({"[Fonts]", "NoOfFonts=2", "Font01=\"* 1 Normal 07\"",
                                             "Font02=\"* g <Graph>\"", "", "[Signs]"}));
    ReadFontSection(gSettingsFile);
    EXPECT_EQ(gFontCount, 2);
    EXPECT_EQ(gFontFiles[2], "  g <Graph>");
    EXPECT_EQ(gFontIdCount, 1);
    EXPECT_EQ(gFontIds, (std::vector<std::string>{" ", "1", " "}));
    EXPECT_EQ(IniGetValue(gSettingsFile, "Fonts", "Font02", kIniOpenClose), "  g <Graph>");
    EXPECT_NE(testutil::ReadFile(gSettingsFile).find("Font02=\"  g <Graph>\"\r\n"), std::string::npos);
}

TEST_F(CharMapTest, FindFontByCharSelectsTheEntryOrTheLast) {
    gFontFiles = {"", "* 1 Normal 07", "* 3 Normal 08", "  h Route no. 07"};
    gFontCount = 3;
    SaveFontList(1);
    std::vector<std::string> shown;
    testutil::FontWindow window;
    window.label = [&](const std::string& e) { shown.push_back(e); };
    FindFontByChar("3");
    EXPECT_EQ(gFontListIndex, 2);
    FindFontByChar("q");
    EXPECT_EQ(gFontListIndex, 3);
    EXPECT_EQ(shown, (std::vector<std::string>{"3 Normal 08", "h Route no. 07"}));
    kv::ResetAllState();
    FindFontByChar("1");  // no fonts at all
    EXPECT_EQ(gFontListIndex, 0);
}

TEST_F(CharMapTest, LanguageTextsRenameTheGraphicEntry) {
    gLanguageFile = dir.file("English.lng");
    gLanguage = "English";
    // The shared texts are read in one run, so the keys before S30 stand in
    // the file in their order.
    auto languageFile = [](const std::string& s30) {
        std::vector<std::string> lines = {"[English]"};
        for (int n : {1, 2, 6, 13, 15, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29})
            lines.push_back("S" + std::to_string(n) + "=text");
        lines.push_back("S30=" + s30);
        return CrLf(lines);
    };
    testutil::WriteFile(gLanguageFile, languageFile("<Graphic font>"));
    gFontFiles = {"", "  g <Symbols>", "* 1 Normal 07"};
    gFontCount = 2;
    SaveFontList(1);
    std::vector<std::string> status;
    testutil::FontWindow window;
    window.status = [&](const std::string& e) { status.push_back(e); };

    gFontListIndex = 2;
    LoadLanguageTexts();
    EXPECT_EQ(gFontList[1], "g Graphic font");
    EXPECT_TRUE(status.empty());

    testutil::WriteFile(gLanguageFile, languageFile("Grafik"));
    gFontListIndex = 1;
    LoadLanguageTexts();
    EXPECT_EQ(gFontList[1], "g Grafik");
    EXPECT_EQ(status, (std::vector<std::string>{"g Grafik"}));
    EXPECT_EQ(gFontList[2], "1 Normal 07");
}
