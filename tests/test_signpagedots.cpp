// The dot pictures of the signs that have no dot layers, as printed
// pictures draw them: a text sign's character places in the text-sign font,
// a route-number sign's seven-segment digits; and the dots every model's
// picture spans.
#include <gtest/gtest.h>

#include "data/charmap.h"
#include "data/signtable.h"
#include "engine/fontlib.h"
#include "engine/signpagedots.h"
#include "files/outrecords.h"
#include "platform/reset.h"
#include "support/signs_state.h"
#include "support/text_state.h"

using namespace kv;

namespace {

class SignPageDots : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAllState();
        testtext::LoadShippedFonts();
        ParseSignDefinition(testsigns::SignLine("Front", "K4000", "112x16", "2"));
        ParseSignDefinition(testsigns::SignLine("Line", "K2000_1R", "3", "3"));
        ParseSignDefinition(testsigns::SignLine("Side", "K2000_2R", "3+4", "4"));
        ParseSignDefinition(testsigns::SignLine("Route", "K1000", "2", "5"));
        ParseSignDefinition(testsigns::SignLine("Route", "K1000", "", "6"));
    }
    void TearDown() override { ResetAllState(); }
    // The text-sign font's glyph of a character, as rows of "#" and ".".
    static std::vector<std::string> Glyph(char c) {
        int16_t map[kCharMapSize], reverse[kCharMapSize];
        EXPECT_TRUE(ReadCharMapTables("2", map, reverse));
        EXPECT_TRUE(GetGlyph('2', map[static_cast<unsigned char>(c) - 32])) << c;
        std::vector<std::string> rows(7, std::string(5, '.'));
        for (int x = 0; x < 5; ++x)
            for (int y = 0; y < 7; ++y)
                if (GlyphBuffer(x, y)) rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = '#';
        return rows;
    }
    static std::vector<std::string> Cut(const SignDots& d, int x0, int y0, int w, int h) {
        std::vector<std::string> rows;
        for (int y = y0; y < y0 + h; ++y) {
            std::string r;
            for (int x = x0; x < x0 + w; ++x) r += d.At(x, y) ? '#' : '.';
            rows.push_back(r);
        }
        return rows;
    }
    // A row of characters stored as the text sign's glyph codes.
    static std::string Stored(const std::string& chars) {
        int16_t map[kCharMapSize], reverse[kCharMapSize];
        ReadCharMapTables("2", map, reverse);
        std::string out;
        for (unsigned char c : chars) out += c == ' ' ? ' ' : static_cast<char>(map[c - 32]);
        return out;
    }
};

}  // namespace

TEST_F(SignPageDots, EveryModelSpansItsDots) {
    const struct {
        int16_t address;
        int32_t columns, rows;
    } cases[] = {
        {2, 112, 16},          // graphic: its dots
        {3, 3 * 6 - 1, 7},     // one row of three places
        {4, 4 * 6 - 1, 7 + 8}, // rows of three and four places
        {5, 2 * 8 - 2, 11},    // two digits
        {6, 4 * 8 - 2, 11},    // no width: four digits
        {7, 0, 0},             // no sign
    };
    for (const auto& c : cases) {
        int32_t columns = -1, rows = -1;
        SignDotExtent(c.address, columns, rows);
        EXPECT_EQ(columns, c.columns) << c.address;
        EXPECT_EQ(rows, c.rows) << c.address;
        EXPECT_EQ(DrawnFromStoredPage(c.address), c.address >= 3 && c.address <= 6) << c.address;
    }
}

TEST_F(SignPageDots, TextSignPlacesShowTheTextSignFontRowByRow) {
    // Two rows: "AB " on the first, "CD" on the second; every place 6 dots
    // from the last, the second row 8 dots down.
    const SignDots two = TextSignDots(4, Stored("AB ") + std::string(13, ' ') + Stored("CD"));
    ASSERT_EQ(two.width, 23);
    EXPECT_EQ(Cut(two, 0, 0, 5, 7), Glyph('A'));
    EXPECT_EQ(Cut(two, 6, 0, 5, 7), Glyph('B'));
    EXPECT_EQ(Cut(two, 0, 8, 5, 7), Glyph('C'));
    EXPECT_EQ(Cut(two, 6, 8, 5, 7), Glyph('D'));
    int lit = 0;
    for (char c : std::string("ABCD"))
        for (const std::string& r : Glyph(c)) lit += static_cast<int>(std::count(r.begin(), r.end(), '#'));
    EXPECT_EQ(two.LitCount(), lit);  // nothing else: the gaps and blanks stay dark

    // One row of three places: a longer row shows its first three only.
    const SignDots one = TextSignDots(3, Stored("XYZ") + std::string(13, ' ') + Stored("Q"));
    EXPECT_EQ(Cut(one, 12, 0, 5, 7), Glyph('Z'));
    EXPECT_EQ(one.height, 7);
    // An empty row and a graphic sign light nothing.
    EXPECT_EQ(TextSignDots(3, " ").LitCount(), 0);
    EXPECT_EQ(TextSignDots(2, Stored("A")).LitCount(), 0);
}

TEST_F(SignPageDots, RouteNumberDigitsLightTheirSegments) {
    // "1": segments b and c of the rightmost digit, 4 dots each.
    const SignDots one = RouteNumberSignDots(5, DigitCodes("1"));
    EXPECT_EQ(Cut(one, 8, 0, 6, 11), (std::vector<std::string>{"......", ".....#", ".....#", ".....#", ".....#", "......",
                                                                 ".....#", ".....#", ".....#", ".....#", "......"}));
    EXPECT_EQ(one.LitCount(), 8);
    // "28" on two digits: 2 lights a, b, g, e, d; 8 all seven.
    const SignDots two = RouteNumberSignDots(5, DigitCodes("28"));
    EXPECT_EQ(Cut(two, 0, 0, 6, 11), (std::vector<std::string>{".####.", ".....#", ".....#", ".....#", ".....#", ".####.",
                                                                  "#.....", "#.....", "#.....", "#.....", ".####."}));
    EXPECT_EQ(two.LitCount(), 5 * 4 + 7 * 4);
    // A route number longer than the sign shows its last digits; a character
    // the sign cannot show is dark.
    EXPECT_EQ(RouteNumberSignDots(5, DigitCodes("128")).LitCount(), two.LitCount());
    EXPECT_EQ(RouteNumberSignDots(5, DigitCodes("a")).LitCount(), 0);
}
