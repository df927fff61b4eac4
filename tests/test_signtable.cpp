#include <gtest/gtest.h>

#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testsigns::SignLine;

namespace {

class SignTableTest : public ::testing::Test {
protected:
    void SetUp() override { kv::ResetAllState(); }
    void TearDown() override { kv::ResetAllState(); }
    FakeUi ui;
};

TEST_F(SignTableTest, ParseSignDefinitionByModel) {
    struct Case {
        std::string line;
        int address;
        const char* model;
        const char* name;
        int width, height;
    } cases[] = {
        {SignLine("FRONT", "K4000", "112x16", "2 "), 2, "K4000", "FRONT", 112, 16},
        {SignLine("SIDE", "K4000", "28x8", " 9"), 9, "K4000", "SIDE", 28, 8},   // right-aligned address
        {SignLine("REAR", "K2000_2R", "12+12", "12"), 12, "K2000_2R", "REAR", 12, 12},
        {SignLine("INNER", "K2000_2R", "16+8", "3 "), 3, "K2000_2R", "INNER", 16, 8},
        {SignLine("ROW", "K2000_1R", "16", "4 "), 4, "K2000_1R", "ROW", 16, 0},    // height left as it was
        {SignLine("LINE", "K1000", "4", "6 "), 6, "K1000", "LINE", 4, 0},          // no "x": height unchanged
        {SignLine("ABCDEFGH", "K4000", "160x48", "16"), 16, "K4000", "ABCDEFGH", 160, 48},
    };
    for (const auto& c : cases) {
        ClearSignTable();
        ASSERT_TRUE(ParseSignDefinition(c.line)) << c.line;
        const SignInfo& si = SignInfoOf(c.address);
        EXPECT_EQ(si.Model, c.model) << c.line;
        EXPECT_EQ(si.Name, c.name) << c.line;
        EXPECT_EQ(si.Width, c.width) << c.line;
        EXPECT_EQ(si.Height, c.height) << c.line;
        EXPECT_EQ(si.Zoom, 1);
        EXPECT_EQ(si.DotSize, 4);
    }
    EXPECT_TRUE(ui.messages.empty());

    // Height stays as it was when the dimension has none.
    SignInfoOf(4).Height = 7;
    ParseSignDefinition(SignLine("ROW", "K2000_1R", "20", "4 "));
    EXPECT_EQ(SignInfoOf(4).Width, 20);
    EXPECT_EQ(SignInfoOf(4).Height, 7);
}

TEST_F(SignTableTest, LinesWithBadAddressTouchNothing) {
    for (const std::string addr : {"1 ", "17", "  ", "0 ", "-2"}) {
        const std::string line = SignLine("FRONT", "K4000", "112x16", addr);
        EXPECT_FALSE(ParseSignDefinition(line)) << addr;
        EXPECT_FALSE(SetSignConfig(line)) << addr;
    }
    EXPECT_FALSE(ParseSignDefinition(""));
    EXPECT_FALSE(SetSignConfig("FRONT"));
    for (const auto& si : gSignInfo) EXPECT_TRUE(si.Model.empty());
    for (const auto& se : gSignEntry) EXPECT_EQ(se.Used, 0);
    EXPECT_EQ(gCurrentSign, 0);
}

TEST_F(SignTableTest, SignLineRoundTrip) {
    struct Case {
        std::string line;
        int address;
    } cases[] = {
        {SignLine("FRONT", "K4000", "112x16", "2 "), 2},
        {SignLine("REAR", "K2000_2R", "12+12", "5 "), 5},
        {SignLine("LINE", "K1000", "4", "16"), 16},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(SetSignConfig(c.line));
        const std::string back = ComposeSignLine(static_cast<int16_t>(c.address));
        EXPECT_EQ(back, c.line);
        EXPECT_EQ(back.size(), 33u);
    }
    EXPECT_EQ(ComposeSignLine(5).substr(31), "5 ");
    EXPECT_EQ(ComposeSignLine(16).substr(31), "16");
    // A right-aligned address is read and written back left-aligned.
    SetSignConfig(SignLine("SIDE", "K4000", "28x8", " 7"));
    EXPECT_EQ(ComposeSignLine(7), SignLine("SIDE", "K4000", "28x8", "7 "));
    const SignEntry& se = gSignEntry[0];
    EXPECT_EQ(se.Name, "FRONT   ");
    EXPECT_EQ(se.Model, "K4000   ");
    EXPECT_EQ(se.Dimension, "112x16");
    EXPECT_EQ(se.Used, kTrue);
}

TEST_F(SignTableTest, FirstConfiguredSignBecomesCurrent) {
    SetSignConfig(SignLine("A", "K4000", "112x16", "5 "));
    SetSignConfig(SignLine("B", "K4000", "112x16", "3 "));
    EXPECT_EQ(gCurrentSign, 5);
    gCurrentSign = 9;
    SetSignConfig(SignLine("C", "K4000", "112x16", "4 "));
    EXPECT_EQ(gCurrentSign, 9);
}

TEST_F(SignTableTest, ClearingKeepsDisplayState) {
    ParseSignDefinition(SignLine("FRONT", "K4000", "112x16", "2 "));
    SetSignConfig(SignLine("FRONT", "K4000", "112x16", "2 "));
    SignInfo& si = SignInfoOf(2);
    si.Shown = kTrue;
    si.Zoom = 3;
    si.DotSize = 2;
    si.GraphicIndex = 1;
    si.RouteNoShown = kTrue;
    ClearSignTable();
    EXPECT_EQ(si.Model, "");
    EXPECT_EQ(si.Name, "");
    EXPECT_EQ(si.Width, 0);
    EXPECT_EQ(si.Height, 0);
    EXPECT_EQ(si.Shown, 0);
    EXPECT_EQ(si.Zoom, 3);
    EXPECT_EQ(si.DotSize, 2);
    EXPECT_EQ(si.GraphicIndex, 1);
    EXPECT_EQ(si.RouteNoShown, kTrue);
    EXPECT_EQ(gSignEntry[0].Used, kTrue);
    ClearSignConfigFlags();
    EXPECT_EQ(gSignEntry[0].Used, 0);
    EXPECT_EQ(gSignEntry[0].Name, "FRONT   ");
}

TEST_F(SignTableTest, FindSignByPrefix) {
    EXPECT_FALSE(FindSignByPrefix("K2000"));
    ParseSignDefinition(SignLine("A", "K2000_2R", "12+12", "3 "));
    EXPECT_TRUE(FindSignByPrefix("K2000"));
    EXPECT_FALSE(FindSignByPrefix("K1000"));
    ClearSignTable();
    ParseSignDefinition(SignLine("A", "K2000_1R", "16", "9 "));
    EXPECT_TRUE(FindSignByPrefix("K2000"));
    ParseSignDefinition(SignLine("B", "K1000", "4", "10"));
    EXPECT_TRUE(FindSignByPrefix("K1000"));
}

TEST_F(SignTableTest, DotSizeOfZoom) {
    const int expected[] = {5, 4, 3, 2, 1};
    for (int z = 0; z <= 4; ++z) EXPECT_EQ(DotSizeOfZoom(z), expected[z]);
    EXPECT_EQ(DotSizeOfZoom(5), 4);
    EXPECT_EQ(DotSizeOfZoom(-1), 4);
}

// A graphic sign wider than 175 dots would write the page mark 176 (or the
// separator 255) as a size or position byte.
TEST_F(SignTableTest, WideGraphicSignIsLimitedWithWarning) {
    ParseSignDefinition(SignLine("BIG", "K4000", "176x16", "2 "));
    EXPECT_EQ(SignInfoOf(2).Width, 175);
    EXPECT_EQ(SignInfoOf(2).Height, 16);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    EXPECT_NE(ui.messages[0].text.find("175"), std::string::npos);

    ParseSignDefinition(SignLine("TALL", "K4000", "255x200", "3 "));
    EXPECT_EQ(SignInfoOf(3).Width, 175);
    EXPECT_EQ(SignInfoOf(3).Height, 48);
    EXPECT_EQ(ui.messages.size(), 2u);

    ParseSignDefinition(SignLine("OK", "K4000", "175x48", "4 "));
    EXPECT_EQ(SignInfoOf(4).Width, 175);
    EXPECT_EQ(ui.messages.size(), 2u);
    // Text signs count places, not dots: not limited here.
    ParseSignDefinition(SignLine("ROW", "K2000_1R", "200", "5 "));
    EXPECT_EQ(SignInfoOf(5).Width, 200);
    EXPECT_EQ(ui.messages.size(), 2u);
}

// ---- [Signs] section

std::string SignsBody(int maxHeight, int pairs, const std::string& fontBase = "A") {
    std::string s = "MAXHEIGHT=" + std::to_string(maxHeight) + "\r\n";
    for (int h = 7; h < 7 + pairs; ++h) {
        s += "Start- and routenumber font for " + std::to_string(h) + "-height sign\r\n";
        s += std::string(1, static_cast<char>(fontBase[0] + (h - 7) % 26)) + "," +
             std::string(1, static_cast<char>('a' + (h - 7) % 26)) + "\r\n";
    }
    return s;
}

std::string ToLf(std::string s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i)
        if (!(s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n')) r += s[i];
    return r;
}

class SignFontSectionTest : public SignTableTest {
protected:
    void SetUp() override {
        SignTableTest::SetUp();
        gSettingsFile = dir.file("kivar.lib");
        gTextS25 = " not found!";
    }
    void TearDown() override {
        gSettingsFile.clear();
        gTextS25.clear();
        SignTableTest::TearDown();
    }
    void FillFonts() {
        for (int h = 7; h <= 48; ++h) {
            gDefaultStartFont[h - 7] = std::string(1, static_cast<char>('A' + (h - 7) % 26));
            gDefaultRouteNoFont[h - 7] = std::string(1, static_cast<char>('a' + (h - 7) % 26));
        }
    }
    testutil::TempDir dir;
};

TEST_F(SignFontSectionTest, SaveRewritesBodyAndKeepsWhatFollows) {
    const std::string head = "[Generell]\r\nLanguage=\"English\"\r\n\r\n[Signs]\r\n";
    struct Case {
        const char* what;
        std::string after;     // what follows the old body
        std::string expected;  // what follows the new body
    } cases[] = {
        {"blank line", "\r\n[AutoSave]\r\nEnabled=1\r\n", "\r\n[AutoSave]\r\nEnabled=1\r\n"},
        {"next header", "[AutoSave]\r\nEnabled=1\r\n", "[AutoSave]\r\nEnabled=1\r\n"},
        {"end of file", "", ""},
    };
    FillFonts();
    for (const auto& c : cases) {
        for (int oldPairs : {18, 26, 42}) {
            // The old bodies hold the pair line "[,q" (font "[" at height 23),
            // which must not be taken for the next header.
            testutil::WriteFile(gSettingsFile, head + SignsBody(oldPairs + 6, oldPairs, "K") + c.after);
            ASSERT_TRUE(SaveSignFontSection()) << c.what;
            const std::string out = testutil::ReadFile(gSettingsFile);
            ASSERT_EQ(out.substr(0, head.size()), head) << c.what;
            std::string rest = out.substr(head.size());
            // 53 lines after the header, then exactly what followed the old body.
            size_t p = 0;
            for (int i = 0; i < 53; ++i) p = rest.find("\r\n", p) + 2;
            EXPECT_EQ(rest.substr(p), c.expected) << c.what << " " << oldPairs;
            std::string diff;
            EXPECT_TRUE(testutil::MatchesGolden("signs/signs_section.txt", ToLf(rest.substr(0, p)), &diff)) << diff;
        }
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SignFontSectionTest, SaveFailuresLeaveFileAlone) {
    FillFonts();
    // Missing file.
    EXPECT_FALSE(SaveSignFontSection());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gSettingsFile + " not found!");
    EXPECT_EQ(ui.messages[0].style, vbCritical);

    // No [Signs] section (a header differing in case does not count).
    const std::string noSection = "[Generell]\r\nA=1\r\n[signs]\r\nMAXHEIGHT=24\r\n";
    testutil::WriteFile(gSettingsFile, noSection);
    EXPECT_FALSE(SaveSignFontSection());
    EXPECT_EQ(testutil::ReadFile(gSettingsFile), noSection);
    // Both say how to repair the file.
    const std::string advice = "\rThe settings file is damaged. The settings file kivar.lib shipped with the program "
                               "can be put in its place (the program's own settings then start anew).";
    EXPECT_EQ(ui.messages.back().text, gSettingsFile + ":\r[Signs] not found!" + advice);

    // Header as the last line.
    const std::string lastLine = "[Generell]\r\nA=1\r\n[Signs]\r\n";
    testutil::WriteFile(gSettingsFile, lastLine);
    EXPECT_FALSE(SaveSignFontSection());
    EXPECT_EQ(testutil::ReadFile(gSettingsFile), lastLine);
    EXPECT_EQ(ui.messages.back().text, gSettingsFile + ":\r[Signs] found!\r not found!" + advice);
    EXPECT_EQ(ui.messages.size(), 3u);
}

TEST_F(SignFontSectionTest, ReadTakesPairsUpToMaxHeight) {
    struct Case {
        int maxHeight;
        int pairsInFile;
        int lastRead;  // heights 7..lastRead come from the file
    } cases[] = {
        {32, 26, 32},
        {16, 18, 24},  // below 24 is read as 24
        {24, 18, 24},
        {48, 42, 48},
        {60, 42, 48},  // beyond the table: 48
    };
    for (const auto& c : cases) {
        ResetSignTable();
        testutil::WriteFile(gSettingsFile, "[Generell]\r\nX=1\r\n[Signs]\r\n" + SignsBody(c.maxHeight, c.pairsInFile) +
                                               "\r\n[Other]\r\nY=2\r\n");
        ReadSignFontSection();
        for (int h = 7; h <= 48; ++h) {
            const int from = h <= c.lastRead ? h : 24;
            EXPECT_EQ(DefaultStartFontOfHeight(h), std::string(1, static_cast<char>('A' + (from - 7) % 26)))
                << c.maxHeight << " h " << h;
            EXPECT_EQ(DefaultRouteNoFontOfHeight(h), std::string(1, static_cast<char>('a' + (from - 7) % 26)))
                << c.maxHeight << " h " << h;
        }
    }
    // Heights outside 7..48 take the nearest end.
    EXPECT_EQ(DefaultRouteNoFontOfHeight(3), DefaultRouteNoFontOfHeight(7));
    EXPECT_EQ(DefaultStartFontOfHeight(90), DefaultStartFontOfHeight(48));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SignFontSectionTest, SavedSectionReadsBack) {
    FillFonts();
    testutil::WriteFile(gSettingsFile, "[Signs]\r\nMAXHEIGHT=16\r\n\r\n[AutoSave]\r\nEnabled=1\r\n");
    ASSERT_TRUE(SaveSignFontSection());
    auto start = gDefaultStartFont;
    auto route = gDefaultRouteNoFont;
    gDefaultStartFont.fill("");
    gDefaultRouteNoFont.fill("");
    ReadSignFontSection();
    for (int h = 7; h <= 48; ++h) {
        const int from = h <= 32 ? h : 24;
        EXPECT_EQ(gDefaultStartFont[h - 7], start[from - 7]) << h;
        EXPECT_EQ(gDefaultRouteNoFont[h - 7], route[from - 7]) << h;
    }
}

TEST_F(SignFontSectionTest, ReadCopesWithShortOrOddSections) {
    // The file ends after three pairs: the rest keep their fonts; items may
    // carry blanks or quotes; the description line is not looked at.
    gDefaultStartFont.fill("z");
    gDefaultRouteNoFont.fill("y");
    testutil::WriteFile(gSettingsFile,
                        "[Signs]\r\nMAXHEIGHT=24\r\nd\r\nA,B\r\nd\r\n \"C\" , D\r\nd\r\nE\r\n");
    ReadSignFontSection();
    EXPECT_EQ(DefaultStartFontOfHeight(7), "A");
    EXPECT_EQ(DefaultRouteNoFontOfHeight(7), "B");
    EXPECT_EQ(DefaultStartFontOfHeight(8), "C");
    EXPECT_EQ(DefaultRouteNoFontOfHeight(8), "D");
    EXPECT_EQ(DefaultStartFontOfHeight(9), "E");
    EXPECT_EQ(DefaultRouteNoFontOfHeight(9), "y");  // no second field
    EXPECT_EQ(DefaultStartFontOfHeight(10), "z");
    EXPECT_EQ(DefaultStartFontOfHeight(40), "z");

    // Without MAXHEIGHT nothing is read from another section.
    gDefaultStartFont.fill("z");
    testutil::WriteFile(gSettingsFile, "[Signs]\r\n[Next]\r\nd\r\nQ,Q\r\n");
    ReadSignFontSection();
    EXPECT_EQ(DefaultStartFontOfHeight(7), "z");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(SignFontSectionTest, ReadWithoutSettingsFileIsAnError) {
    testutil::Raised e = testutil::RaisedError([] { ReadSignFontSection(); });
    EXPECT_EQ(e.text, gSettingsFile + " not found!");
    EXPECT_EQ(e.style, vbCritical);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
