// kivar-probe type: texts typed key by key into empty pages of graphic and
// text signs, with the byte commands they become.
#include <gtest/gtest.h>

#include "support/testutil.h"

namespace {

struct TypeCase {
    const char* sign;
    const char* font;
    std::vector<std::string> options;
    const char* keys;
    const char* bytes;
};

TEST(ProbeType, TypedPagesGiveTheirByteCommands) {
    testutil::TempDir dir;
    testutil::StageDataFolder(dir.path());
    const std::string blanks14 = " 20 20 20 20 20 20 20 20 20 20 20 20 20 20";
    const std::string twoRows = "41 42" + blanks14 + " 43 44";
    const TypeCase cases[] = {
        {"K4000:112x16", "1", {}, "AB\\nCD", "d2 00 d3 06 d4 31 41 42 d2 00 d3 0d d4 31 43 44"},
        {"K4000:112x16", "1", {"--auto"}, "AB\\nCD", "d2 00 d3 07 d4 31 41 42 d2 00 d3 0f d4 31 43 44"},
        {"K4000:96x24", "4", {}, "AI\\nB", "d2 00 d3 09 d4 34 41 49 d2 00 d3 13 d4 34 42"},
        {"K4000:48x16", "7", {}, "AB\\bC", "d2 00 d3 0f d4 37 41 43"},
        {"K4000:112x16", "1", {"--route", "4567890"}, "A\\3B", "d2 00 d3 06 d4 31 41 fc 42"},
        {"K4000:112x16", "1", {}, "A\\[12\\]", "d2 00 d3 06 d4 31 41 31 32"},
        {"K4000:112x16", "1", {}, "A\\[12\\]\\b", "d2 00 d3 06 d4 31 41"},
        {"K4000:112x16", "1", {}, "", ""},
        {"K2000_1R:12", "2", {}, "HELLO", "48 45 4c 4c 4f"},
        {"K2000_1R:12", "2", {}, "HELLO\\bP", "48 45 4c 4c 50"},
        {"K2000_1R:12", "2", {}, "", "20"},
        {"K2000_2R:12+12", "2", {}, "AB\\nCD", twoRows.c_str()},
        {"K2000_2R:12+12", "2", {}, "ABCDEFGHIJKLMN", "41 42 43 44 45 46 47 48 49 4a 4b 4c 20 20 20 20 4d 4e"},
    };
    for (const TypeCase& c : cases) {
        SCOPED_TRACE(std::string(c.sign) + " " + c.keys);
        std::vector<std::string> args = {"type", "--data", dir.path(), "--sign", c.sign, "--font", c.font};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(c.keys);
        testutil::ProbeResult r = testutil::RunProbe(args);
        EXPECT_EQ(r.exitCode, 0) << r.err;
        EXPECT_EQ(r.out, std::string(c.bytes) + "\n");
    }
}

// The dots come from the sign's rendering of the typed page (font "1": A and
// B five dots wide, seven high, one dot of spacing).
TEST(ProbeType, DotsOfTheTypedPage) {
    testutil::TempDir dir;
    testutil::StageDataFolder(dir.path());
    testutil::ProbeResult r = testutil::RunProbe(
        {"type", "--data", dir.path(), "--sign", "K4000:12x8", "--font", "1", "--dots", "AB\\bB"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "d2 00 d3 06 d4 31 41 42\n"
              ".##..###....\n"
              "#..#.#..#...\n"
              "#..#.###....\n"
              "####.#..#...\n"
              "#..#.#..#...\n"
              "#..#.###....\n"
              "............\n"
              "............\n");
}

TEST(ProbeType, RefusesWhatItCannotType) {
    testutil::TempDir dir;
    testutil::StageDataFolder(dir.path());
    EXPECT_EQ(testutil::RunProbe({"type", "--data", dir.path(), "--font", "1", "AB"}).exitCode, 2);
    EXPECT_EQ(testutil::RunProbe({"type", "--data", dir.path(), "--sign", "K1000:3", "--font", "1", "AB"}).exitCode,
              2);
    EXPECT_EQ(testutil::RunProbe({"type", "--data", dir.path(), "--sign", "K4000:112x16", "--font", "1", "A\\q"})
                  .exitCode,
              2);
    testutil::ProbeResult r =
        testutil::RunProbe({"type", "--data", dir.path(), "--sign", "K4000:112x16", "--font", "Q", "AB"});
    EXPECT_EQ(r.exitCode, 1);
}

}  // namespace
