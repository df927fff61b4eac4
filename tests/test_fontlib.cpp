#include <gtest/gtest.h>

#include <map>

#include "data/charmap.h"
#include "engine/fontlib.h"
#include "platform/reset.h"
#include "support/fake_ui.h"
#include "support/fontrecords.h"
#include "support/testutil.h"

using namespace kv;

namespace {

using G = testfonts::Glyph;
using testfonts::FontRecord;

std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts) {
    std::vector<uint8_t> out;
    for (auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

void Load(std::vector<uint8_t> bytes) {
    SetFontLibraryData(std::move(bytes));
    ASSERT_TRUE(BuildFontStartTable());
    ASSERT_TRUE(BuildCharDeltaTable());
}

// The unpacked glyph as rows of '#' and '.'.
std::vector<std::string> Rows() {
    std::vector<std::string> rows;
    for (int y = 0; y < GlyphHeight; ++y) {
        std::string r;
        for (int x = 0; x < GlyphWidth; ++x) r += GlyphBuffer(x, y) ? '#' : '.';
        rows.push_back(r);
    }
    return rows;
}

// An "L" of 5 x 3 dots: column 0 all lit, columns 1 and 2 only the bottom.
const G kL{65, 5, 3, {0x1F, 0x10, 0x10}};

class FontLib : public ::testing::Test {
protected:
    void SetUp() override { kv::ResetAllState(); }
    void TearDown() override { kv::ResetAllState(); }
    FakeUi ui;
};

}  // namespace

TEST_F(FontLib, MinimalOneGlyphLibrary) {
    Load(FontRecord('A', {kL}));
    EXPECT_EQ(StartAdressVektor['A' - 32], 0);
    EXPECT_EQ(TeckenDeltaVektor['A' - 32][65], kFontRecordHeader);
    ASSERT_TRUE(GetGlyph('A', 65));
    EXPECT_EQ(GlyphWidth, 3);
    EXPECT_EQ(GlyphHeight, 5);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"#..", "#..", "#..", "#..", "###"}));
    // Every other glyph and font is absent.
    EXPECT_FALSE(GetGlyph('A', 66));
    EXPECT_FALSE(GetGlyph('B', 65));
}

TEST_F(FontLib, LookupsOutsideTheCodesFailWithoutTouchingTheTables) {
    Load(FontRecord('A', {kL}));
    struct { int16_t font, glyph; } cases[] = {{31, 65}, {128, 65}, {'A', 128}, {'A', -1}, {-5, 65}};
    for (auto c : cases) {
        ASSERT_TRUE(GetGlyph('A', 65));
        EXPECT_FALSE(GetGlyph(c.font, c.glyph)) << c.font << " " << c.glyph;
        EXPECT_EQ(GlyphWidth, 0);
        EXPECT_EQ(GlyphHeight, 0);
        EXPECT_EQ(GlyphBuffer.cols, 1);
        EXPECT_EQ(GlyphBuffer(0, 0), 0);
    }
    EXPECT_EQ(StartAdressVektor['A' - 32], 0);
}

TEST_F(FontLib, FirstByteOutsideTheFontCodesHoldsNoFont) {
    for (uint8_t first : {uint8_t{0}, uint8_t{31}, uint8_t{128}, uint8_t{255}}) {
        std::vector<uint8_t> lib = FontRecord('A', {kL});
        lib[0] = first;
        Load(lib);
        for (int f = 0; f < kFontCodes; ++f) EXPECT_EQ(StartAdressVektor[f], -1);
        EXPECT_FALSE(GetGlyph('A', 65));
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FontLib, GlyphsUnderFourDotsHighCountAsAbsent) {
    Load(FontRecord('A', {{40, 3, 2, {7, 7}}, {41, 4, 2, {15, 9}}}));
    EXPECT_FALSE(GetGlyph('A', 40));
    EXPECT_EQ(GlyphHeight, 3);  // the size stays set
    EXPECT_EQ(GlyphWidth, 2);
    EXPECT_EQ(GlyphBuffer.cols, 1);  // the matrix stays a single dark dot
    EXPECT_EQ(GlyphBuffer(0, 0), 0);
    ASSERT_TRUE(GetGlyph('A', 41));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"##", "#.", "#.", "##"}));
}

TEST_F(FontLib, NineRowsUseTwoBytesPerColumnAndIgnoreTheSpareBits) {
    // Column 0: rows 0 and 8; the spare bits 1..7 of its second byte are set.
    // Column 1: row 7 only.
    Load(FontRecord('B', {{66, 9, 2, {0x01, 0xFF, 0x80, 0x00}}}));
    ASSERT_TRUE(GetGlyph('B', 66));
    EXPECT_EQ(Rows(), (std::vector<std::string>{"#.", "..", "..", "..", "..", "..", "..", ".#", "#."}));
}

TEST_F(FontLib, TheLaterOfTwoRecordsWithOneCodeWins) {
    G dot{65, 4, 1, {0x01}};
    Load(Cat({FontRecord('A', {kL}), FontRecord('C', {dot}), FontRecord('A', {dot})}));
    ASSERT_TRUE(GetGlyph('A', 65));
    EXPECT_EQ(GlyphWidth, 1);
    EXPECT_EQ(GlyphHeight, 4);
    EXPECT_TRUE(GetGlyph('C', 65));
}

TEST_F(FontLib, RepeatedAndFailedLookups) {
    Load(FontRecord('A', {kL}));
    ASSERT_TRUE(GetGlyph('A', 65));
    std::vector<std::string> first = Rows();
    ASSERT_TRUE(GetGlyph('A', 65));
    EXPECT_EQ(Rows(), first);
    EXPECT_FALSE(GetGlyph('A', 66));
    EXPECT_EQ(GlyphWidth, 0);
    EXPECT_EQ(GlyphHeight, 0);
}

// A damaged library keeps the fonts in front of the damage, never hangs and
// never reads outside the file.
TEST_F(FontLib, DamagedRecordsEndTheWalk) {
    std::vector<uint8_t> good = FontRecord('A', {kL});
    struct Case {
        const char* what;
        std::vector<uint8_t> tail;
    } cases[] = {
        {"record length 0", FontRecord('B', {kL}, 0)},
        {"record length below a bare record", FontRecord('B', {kL}, kFontRecordHeader - 1)},
        {"record running past the end", FontRecord('B', {kL}, 1000)},
        {"record length of 32768 or more", FontRecord('B', {kL}, 0x8000 + 300)},
        {"header cut off", [] {
             std::vector<uint8_t> r = FontRecord('B', {kL});
             r.resize(100);
             return r;
         }()},
        {"lone font code", std::vector<uint8_t>{'B'}},
    };
    for (const Case& c : cases) {
        Load(Cat({good, c.tail}));
        EXPECT_TRUE(GetGlyph('A', 65)) << c.what;
        EXPECT_EQ(StartAdressVektor['B' - 32], -1) << c.what;
        EXPECT_FALSE(GetGlyph('B', 65)) << c.what;
    }
}

TEST_F(FontLib, GlyphsOutsideTheirRecordAreAbsent) {
    auto withOffset = [](std::vector<uint8_t> rec, int glyph, int offset) {
        rec[1 + 2 * glyph] = static_cast<uint8_t>(offset & 0xFF);
        rec[2 + 2 * glyph] = static_cast<uint8_t>(offset >> 8);
        return rec;
    };
    std::vector<uint8_t> base = FontRecord('A', {kL, {66, 4, 1, {0x0F}}});
    int len = static_cast<int>(base.size());
    struct Case {
        const char* what;
        std::vector<uint8_t> rec;
    } cases[] = {
        {"offset inside the header", withOffset(base, 65, 10)},
        {"offset at the record's end", withOffset(base, 65, len)},
        {"offset beyond the record", withOffset(base, 65, 0x7FFF)},
        {"size bytes cut by the record's end", withOffset(base, 65, len - 1)},
        // Glyph 66 sits last: claim 200 columns for it.
        {"columns past the record's end", [&] {
             std::vector<uint8_t> r = base;
             r[len - 2] = 199;
             return r;
         }()},
    };
    for (const Case& c : cases) {
        // A second font behind the damaged one still loads.
        Load(Cat({c.rec, FontRecord('C', {kL})}));
        bool damaged65 = std::string(c.what) != "columns past the record's end";
        EXPECT_EQ(GetGlyph('A', 65), !damaged65) << c.what;
        EXPECT_EQ(GetGlyph('A', 66), damaged65) << c.what;
        EXPECT_TRUE(GetGlyph('C', 65)) << c.what;
    }
}

TEST_F(FontLib, LoadFontLibraryReadsFromTheFontFolder) {
    testutil::TempDir dir;
    std::vector<uint8_t> lib = FontRecord('A', {kL});
    testutil::WriteFile(dir.file("Fonts/KSTNDRD.BIB"), std::string(lib.begin(), lib.end()));
    gFontPath = dir.path() + "\\Fonts\\";
    LoadFontLibrary();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(FontLibraryLength, static_cast<int32_t>(lib.size()));
    EXPECT_TRUE(GetGlyph('A', 65));
}

TEST_F(FontLib, MissingOrEmptyLibraryIsReportedAndLeavesNoFonts) {
    testutil::TempDir dir;
    gFontPath = dir.path() + "/";
    LoadFontLibrary();
    testutil::WriteFile(dir.file("kstndrd.bib"), "");
    LoadFontLibrary();
    ASSERT_EQ(ui.messages.size(), 2u);
    for (auto& m : ui.messages) {
        EXPECT_EQ(m.text, "Kan inte hitta 'kstndrd.bib'-filen!");
        EXPECT_EQ(m.style, vbOKOnly);
    }
    EXPECT_FALSE(GetGlyph('A', 65));
}

TEST_F(FontLib, GlyphsMeasureFiveUnitsPerDot) {
    struct { int16_t w, h, fw, fh; } cases[] = {{1, 5, 5, 25}, {3, 7, 15, 35}, {16, 32, 80, 160}, {0, 0, 0, 0}};
    for (auto c : cases) {
        GlyphSize s = GlyphSizeInFifths(c.w, c.h);
        EXPECT_EQ(s.width, c.fw);
        EXPECT_EQ(s.height, c.fh);
    }
    Load(FontRecord('A', {kL}));
    GlyphSize s;
    ASSERT_TRUE(MeasureGlyph('A', 65, s));
    EXPECT_EQ(s.width, 15);
    EXPECT_EQ(s.height, 25);
    EXPECT_FALSE(MeasureGlyph('A', 66, s));
    EXPECT_EQ(s.width, 0);
    EXPECT_EQ(s.height, 0);
}
