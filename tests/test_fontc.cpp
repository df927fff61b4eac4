#include <gtest/gtest.h>

#include "fontsource.h"
#include "support/testutil.h"

namespace {

std::string Hex(const std::string& bytes) {
    static const char* d = "0123456789abcdef";
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        unsigned char b = static_cast<unsigned char>(bytes[i]);
        out += d[b >> 4];
        out += d[b & 15];
        out += (i % 16 == 15 || i + 1 == bytes.size()) ? '\n' : ' ';
    }
    return out;
}

}  // namespace

TEST(FontCompiler, BuildsTheRecordOfASource) {
    std::string src = testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/fonts/tiny.txt");
    std::string lib = fontc::BuildLibrary({{"tiny.txt", src}});
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("fonts/tiny-bib.hex", Hex(lib), &diff)) << diff;
}

TEST(FontCompiler, RejectsBadSources) {
    const std::string head = "font A\nheight 4\n";
    struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"too few rows", head + "glyph 65\n#\n#\n#\n"},
        {"too many rows", head + "glyph 65\n#\n#\n#\n#\n#\n"},
        {"ragged rows", head + "glyph 65\n#\n##\n#\n#\n"},
        {"glyph twice", head + "glyph 65\n#\n#\n#\n#\nglyph 65\n#\n#\n#\n#\n"},
        {"code above 127", head + "glyph 128\n#\n#\n#\n#\n"},
        {"id W", "font W\nheight 4\nglyph 65\n#\n#\n#\n#\n"},
        {"id of two characters", "font AB\nheight 4\nglyph 65\n#\n#\n#\n#\n"},
        {"rows before the glyph line", head + "#\n"},
        {"no glyphs", head},
        {"unknown line", head + "glyph 65\n#\n#\n#\n#\nwidth 3\n"},
    };
    for (auto& c : cases) EXPECT_THROW(fontc::ParseFontSource(c.text, "t"), std::runtime_error) << c.what;
}

TEST(FontCompiler, IdsMayNotDifferOnlyInCase) {
    std::string a = "font a\nheight 4\nglyph 65\n#\n#\n#\n#\n";
    std::string b = "font A\nheight 4\nglyph 65\n#\n#\n#\n#\n";
    EXPECT_NO_THROW(fontc::BuildLibrary({{"a", a}}));
    EXPECT_THROW(fontc::BuildLibrary({{"a", a}, {"b", b}}), std::runtime_error);
}

TEST(FontCompiler, RecordsStayBelow32768Bytes) {
    // 128 glyphs of 256 x 32 dots: far more than a record can hold.
    std::string src = "font A\nheight 32\n";
    for (int g = 0; g < 128; ++g) {
        src += "glyph " + std::to_string(g) + "\n";
        for (int y = 0; y < 32; ++y) src += std::string(256, '#') + "\n";
    }
    EXPECT_THROW(fontc::BuildLibrary({{"big", src}}), std::runtime_error);
}
