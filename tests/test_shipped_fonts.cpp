// The font library we build and the character maps and settings we ship keep
// the rules the rest of the program relies on.
#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <set>
#include <sstream>

#include "data/charmap.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "engine/fontlib.h"
#include "fontsource.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;

namespace {

const std::string kSettings = std::string(KIVAR_DATA_DIR) + "/kivar.lib";
const std::string kFontFolder = std::string(KIVAR_DATA_DIR) + "/Fonts/";
const std::string kLibrary = std::string(KIVAR_GEN_DIR) + "/Fonts/kstndrd.bib";

const std::string kTextFonts = "13456789a2";
const std::string kRouteChars = " 0123456789ABCDEFHLbd";  // " 0123456789ABCDEF" and "AbCdEFHL"

struct Glyph {
    int width = 0, height = 0;
    std::vector<std::string> rows;
};

bool Fetch(char font, int code, Glyph& g) {
    if (!GetGlyph(static_cast<unsigned char>(font), static_cast<int16_t>(code))) return false;
    g.width = GlyphWidth;
    g.height = GlyphHeight;
    g.rows.clear();
    for (int y = 0; y < GlyphHeight; ++y) {
        std::string r;
        for (int x = 0; x < GlyphWidth; ++x) r += GlyphBuffer(x, y) ? '#' : '.';
        g.rows.push_back(r);
    }
    return true;
}

bool ColumnBlank(const Glyph& g, int x) {
    for (auto& r : g.rows)
        if (r[static_cast<size_t>(x)] == '#') return false;
    return true;
}

using fontc::SplitLines;

// The widths of the digits 0..9 of the font: one when they share it.
std::set<int> DigitWidths(char id) {
    std::set<int> widths;
    for (char d = '0'; d <= '9'; ++d) {
        Glyph g;
        Fetch(id, d, g);
        widths.insert(g.width);
    }
    return widths;
}

class ShippedFonts : public ::testing::Test {
protected:
    // The library is read once; every case starts from it.
    static void SetUpTestSuite() {
        kv::ResetAllState();
        ASSERT_TRUE(LoadFontLibraryFile(kLibrary)) << kLibrary;
        Library() = FontLibraryData;
    }
    static std::vector<uint8_t>& Library() {
        static std::vector<uint8_t> bytes;
        return bytes;
    }
    void SetUp() override {
        kv::ResetAllState();
        gFontPath = kFontFolder;
        SetFontLibraryData(Library());
        BuildFontStartTable();
        BuildCharDeltaTable();
    }
    void TearDown() override { kv::ResetAllState(); }

    static std::vector<char> LibraryFonts() {
        std::vector<char> ids;
        for (int f = kFirstFontCode; f <= kLastFontCode; ++f)
            if (StartAdressVektor[f - kFirstFontCode] != -1) ids.push_back(static_cast<char>(f));
        return ids;
    }
    static int FontHeight(char font) {
        Glyph g;
        return Fetch(font, 32, g) ? g.height : -1;
    }
    // [Signs]: start and route-number font per height 7..MAXHEIGHT.
    static std::map<int, std::pair<char, char>> SignFonts(int& maxHeight) {
        std::vector<std::string> lines = SplitLines(testutil::ReadFile(kSettings));
        std::map<int, std::pair<char, char>> fonts;
        size_t i = 0;
        while (i < lines.size() && lines[i] != "[Signs]") ++i;
        EXPECT_LT(i + 1, lines.size());
        maxHeight = static_cast<int>(Val(Mid(lines[i + 1], 11)));
        EXPECT_EQ(Left(lines[i + 1], 10), "MAXHEIGHT=");
        i += 2;
        for (int h = 7; h <= maxHeight && i + 1 < lines.size(); ++h, i += 2) {
            EXPECT_EQ(lines[i], "Start- and routenumber font for " + std::to_string(h) + "-height sign");
            const std::string& pair = lines[i + 1];
            EXPECT_EQ(pair.size(), 3u) << pair;
            EXPECT_EQ(pair[1], ',') << pair;
            fonts[h] = {pair[0], pair[2]};
        }
        return fonts;
    }
    FakeUi ui;
};

}  // namespace

TEST_F(ShippedFonts, FontIdsAreDistinctWithoutRegardToCase) {
    std::set<char> folded;
    for (char id : LibraryFonts()) {
        bool ok = std::isdigit(static_cast<unsigned char>(id)) || std::islower(static_cast<unsigned char>(id)) ||
                  (std::isupper(static_cast<unsigned char>(id)) && id != 'W');
        EXPECT_TRUE(ok) << id;
        EXPECT_TRUE(folded.insert(static_cast<char>(std::tolower(static_cast<unsigned char>(id)))).second) << id;
    }
    for (char needed : std::string("wx2hig13456789abcdefjk"))
        EXPECT_NE(StartAdressVektor[needed - kFirstFontCode], -1) << needed;
}

TEST_F(ShippedFonts, EachFontHasOneHeightAFullHeightBlankAndSpacedGlyphs) {
    for (char id : LibraryFonts()) {
        Glyph blank;
        ASSERT_TRUE(Fetch(id, 32, blank)) << id;
        for (auto& r : blank.rows) EXPECT_EQ(r.find('#'), std::string::npos) << id;
        for (int code = 0; code < kGlyphCodes; ++code) {
            Glyph g;
            if (TeckenDeltaVektor[id - kFirstFontCode][code] == 0) continue;
            ASSERT_TRUE(Fetch(id, code, g)) << id << " " << code;
            EXPECT_EQ(g.height, blank.height) << id << " " << code;
            // The dot strips are one column each and the fill block is solid;
            // every other glyph carries its own spacing column.
            if (id == 'w' || (id == 'x' && code == 34) || code == 32) continue;
            EXPECT_TRUE(ColumnBlank(g, 0) || ColumnBlank(g, g.width - 1)) << id << " " << code;
        }
    }
}

TEST_F(ShippedFonts, DotStripsAndFill) {
    for (int code = 32; code <= 63; ++code) {
        Glyph g;
        ASSERT_TRUE(Fetch('w', code, g)) << code;
        EXPECT_EQ(g.width, 1);
        EXPECT_EQ(g.height, 5);
        for (int row = 0; row < 5; ++row) EXPECT_EQ(g.rows[static_cast<size_t>(row)] == "#", (((code - 32) >> row) & 1) == 1);
    }
    Glyph g;
    EXPECT_FALSE(Fetch('w', 64, g));
    ASSERT_TRUE(Fetch('x', 34, g));
    for (auto& r : g.rows) EXPECT_EQ(r, std::string(static_cast<size_t>(g.width), '#'));
    // The fill text sets two runs of twenty blocks at bottom rows 19 and 27:
    // 20 dots high, the blocks cover rows 0 to 27 and the widest sign.
    EXPECT_EQ(g.height, 20);
    EXPECT_GE(20 * g.width, 256);
    EXPECT_TRUE(Fetch('x', 32, g));
}

TEST_F(ShippedFonts, TheTextSignFontFitsItsCells) {
    for (int code = 0; code < kGlyphCodes; ++code) {
        Glyph g;
        if (!Fetch('2', code, g)) continue;
        EXPECT_LE(g.width, 5) << code;
        EXPECT_EQ(g.height, 7) << code;
    }
}

TEST_F(ShippedFonts, RouteNumberFontsDrawEachCharacterUnderItsCode) {
    int maxHeight = 0;
    std::set<char> routeFonts = {'h', 'i'};
    for (auto& [h, pair] : SignFonts(maxHeight)) routeFonts.insert(pair.second);
    for (char id : routeFonts) {
        for (char c : kRouteChars) {
            Glyph g;
            EXPECT_TRUE(Fetch(id, static_cast<unsigned char>(c), g)) << id << " '" << c << "'";
        }
        EXPECT_EQ(DigitWidths(id).size(), 1u) << id;
        // The map leads every route character to its own code.
        ASSERT_EQ(ReadCharMap(std::string(1, id)), CharMapStatus::Taken) << id;
        for (char c : kRouteChars) EXPECT_EQ(gCharMap[static_cast<unsigned char>(c) - 32], static_cast<unsigned char>(c));
    }
}

TEST_F(ShippedFonts, SettingsNameFontsThatFitTheirSigns) {
    int maxHeight = 0;
    auto fonts = SignFonts(maxHeight);
    EXPECT_EQ(maxHeight, 32);
    ASSERT_EQ(fonts.size(), 26u);
    for (auto& [h, pair] : fonts) {
        int start = FontHeight(pair.first), route = FontHeight(pair.second);
        EXPECT_GE(start, 4) << h;
        EXPECT_GE(route, 4) << h;
        EXPECT_LE(start, h) << h;
        EXPECT_LE(route, h) << h;
    }
    // Heights above MAXHEIGHT take the fonts of height 24.
    EXPECT_LE(FontHeight(fonts[24].first), 33);

    // The per-address default route-number fonts fit every sign.
    std::string defaults = IniGetValue(kSettings, "DefaultRouteNoFonts", "DefaultFonts", kIniOpenClose);
    ASSERT_EQ(defaults.size(), 15u);
    for (char id : defaults) {
        EXPECT_GE(FontHeight(id), 4) << id;
        EXPECT_LE(FontHeight(id), 7) << id;
    }
}

TEST_F(ShippedFonts, FontListNamesLibraryFonts) {
    ReadFontSection(kSettings);
    ASSERT_GT(gFontCount, 0);
    int graphic = 0;
    for (int i = 1; i <= gFontCount; ++i) {
        const std::string& e = gFontFiles[static_cast<size_t>(i)];
        ASSERT_GE(e.size(), 6u) << e;
        EXPECT_TRUE(e[0] == '*' || e[0] == ' ') << e;
        EXPECT_EQ(e[1], ' ') << e;
        EXPECT_EQ(e[3], ' ') << e;
        EXPECT_GE(FontHeight(e[2]), 4) << e;
        bool blankInName = Mid(e, 5).find(' ') != std::string::npos;
        if (e[2] == 'g') {
            ++graphic;
            EXPECT_FALSE(blankInName) << e;
            EXPECT_EQ(e[0], ' ') << e;
        } else {
            EXPECT_TRUE(blankInName) << e;
        }
    }
    EXPECT_EQ(graphic, 1);
    // The project fonts stand in ascending height, so the font-step buttons
    // walk from small to large.
    ASSERT_GE(gFontIdCount, 2);
    for (int i = 1; i < gFontIdCount; ++i)
        EXPECT_LT(FontHeight(gFontIds[static_cast<size_t>(i)][0]), FontHeight(gFontIds[static_cast<size_t>(i) + 1][0]));
    EXPECT_EQ(gFontList[1][0], 'g');
}

// Every font of the settings has a map whose characters all have glyphs and
// that keeps the markup and placeholder codes free.
TEST_F(ShippedFonts, EveryMapIsWellFormedAndFullyDrawn) {
    ReadFontSection(kSettings);
    int maxHeight = 0;
    std::set<char> ids = {'x'};
    for (int i = 1; i <= gFontCount; ++i) ids.insert(gFontFiles[static_cast<size_t>(i)][2]);
    for (auto& [h, pair] : SignFonts(maxHeight)) {
        ids.insert(pair.first);
        ids.insert(pair.second);
    }
    for (char id : ids) {
        std::string font(1, id);
        std::string raw = testutil::ReadFile(kFontFolder + font + "/" + font + "map.txt");
        for (const std::string& line : SplitLines(raw)) {
            if (line.compare(0, 2, "  ") == 0) continue;
            ASSERT_FALSE(line.empty()) << id;
            unsigned char c = static_cast<unsigned char>(line[0]);
            if (c == ' ') EXPECT_EQ(Left(line, 3), " 32") << id;
            else EXPECT_EQ(line[1], ' ') << id << ": " << line;
            EXPECT_TRUE(c < 250 || c > 254) << id << ": " << line;
            EXPECT_EQ(std::string("#\\<>\xFF").find(static_cast<char>(c)), std::string::npos) << id << ": " << line;
        }
        ASSERT_EQ(ReadCharMap(font), CharMapStatus::Taken) << id;
        int mapped = 0;
        for (int c = NextMappedChar(31); c != 0; c = NextMappedChar(static_cast<int16_t>(c))) {
            ++mapped;
            Glyph g;
            EXPECT_TRUE(Fetch(id, gCharMap[c - 32], g)) << id << " char " << c;
        }
        EXPECT_GT(mapped, 0) << id;
        EXPECT_EQ(gCharMap[0], 32) << id;  // the blank
    }
}

TEST_F(ShippedFonts, TextFontsCarryAsciiAndWesternEuropeanLetters) {
    // The letters by their Windows-1252 codes; u-diaeresis is held as 189.
    const std::string letters = "\xC5\xC4\xD6\xDC\xC9\xE5\xE4\xF6\xE9\xBD\xDF";
    for (char id : kTextFonts) {
        ASSERT_EQ(ReadCharMap(std::string(1, id)), CharMapStatus::Taken) << id;
        for (int c = 32; c < 127; ++c) {
            if (std::string("#\\<>^`{|}~").find(static_cast<char>(c)) != std::string::npos) continue;
            EXPECT_EQ(gCharMap[c - 32], c) << id << " '" << static_cast<char>(c) << "'";
        }
        for (char l : letters) EXPECT_NE(gCharMap[static_cast<unsigned char>(l) - 32], 0) << id << " " << int(static_cast<unsigned char>(l));
        EXPECT_EQ(DigitWidths(id).size(), 1u) << id;
    }
}

TEST_F(ShippedFonts, ProbeListsTheFontsAndDrawsAGlyph) {
    auto r = testutil::RunProbe({"fonts", kLibrary});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("fonts/probe-fonts.txt", r.out, &diff)) << diff;
    r = testutil::RunProbe({"glyph", kLibrary, "1", "35"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(testutil::MatchesGolden("fonts/probe-glyph-1-35.txt", r.out, &diff)) << diff;
    r = testutil::RunProbe({"glyph", kLibrary, "1", "200"});
    EXPECT_EQ(r.exitCode, 1);
}
