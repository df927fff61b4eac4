#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/routenumber.h"
#include "files/fontsection.h"
#include "files/outbytes.h"
#include "files/outfile.h"
#include "files/outoptions.h"
#include "files/outrecords.h"
#include "platform/paths.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/outcheck.h"
#include "support/outfixtures.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testsigns::Mark;
using testsigns::Sec;

namespace {

std::string B(std::initializer_list<int> b) {
    std::string s;
    for (int v : b) s += static_cast<char>(v);
    return s;
}

size_t Le16At(const std::string& s, size_t p) {
    return static_cast<unsigned char>(s[p]) | static_cast<unsigned char>(s[p + 1]) << 8;
}

class OutFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        outfixtures::ResetProject();
        outfixtures::StageOutData(dir.path());
        outfixtures::LoadOutData(dir.path());
        library = outfixtures::TinyLibrary();
    }
    void TearDown() override {
        outfixtures::ResetProject();
        SetSafeWriteFault(nullptr);
    }
    std::string Build() {
        std::string image;
        EXPECT_TRUE(BuildPromImageVer1_5(image));
        EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
        return image;
    }
    // The image keeps every rule of the layout and equals the golden dump
    // (KIVAR_UPDATE_GOLDEN=1 rewrites the dump instead).
    outcheck::Result ExpectGolden(const std::string& name, const std::string& image) {
        outcheck::Result r = outcheck::Check(image, library);
        for (const std::string& e : r.errors) ADD_FAILURE() << name << ": " << e;
        const std::string path = testutil::GoldenPath("outfile/" + name + ".txt");
        const char* upd = std::getenv("KIVAR_UPDATE_GOLDEN");
        if (upd && std::string(upd) == "1") {
            testutil::WriteFile(path, outcheck::Dump(image, r));
            return r;
        }
        std::string expected, err;
        EXPECT_TRUE(outcheck::ParseDump(testutil::ReadFile(path), expected, &err)) << path << ": " << err;
        if (expected != image) {
            size_t i = 0;
            while (i < expected.size() && i < image.size() && expected[i] == image[i]) ++i;
            ADD_FAILURE() << name << ": first difference at byte " << i << " (0x" << std::hex << i << ")\n"
                          << outcheck::Dump(image, r);
        }
        return r;
    }
    testutil::TempDir dir;
    FakeUi ui;
    std::string library;
};

}  // namespace

// One graphic sign 40x8 at address 2, no text signs, codes and per-sign
// extra texts off, fonts on.
//
// - format A1; the text-sign table is the single count byte 0 at 9, so the
//   destination group table is at P = 10 and the extra-text one at 410.
// - Group 0 begins at P + 800 = 810 with its pad byte; its block is at 811
//   (pointer 2b 03 00 00 in the table's first entry); the first record
//   (destination 0) starts at 1011, offset 200 (c8 00).
// - Destination 0, the default destination: one section, so it is the last
//   one: 84 (last), 00 (change time), 02 (address), a2, f0 (no page mark),
//   then d2 00 d3 00 d4 "x" 20 d0 28 d1 08 and ff: 17 bytes, so destination 1
//   follows at offset 217 (d9 00).
// - Destination 1: the second d3 07 and d4 "1" repeat the state and go:
//   84 03 02 a2 f0 d2 00 d3 07 d4 31 41 d2 14 42 ff (16 bytes, offset 233).
// - Destination 2: a page mark, so f1; after b0 04 the commands stay:
//   84 04 02 a2 f1 d2 00 d3 07 d4 31 43 b0 04 d2 00 d3 07 d4 65 44 ff.
// - Destination 3: 84 03 02 a2 f0 d4 57 51 ff.
// - The information block follows (pointer at 5); KR offers route numbers,
//   destinations (no extra texts): 00 01 00 02 00 01 02 "L?" "D?"; LN: width
//   3, 00, start 1, the 17 characters " 0123456789ABCDEF"; DN: pointer 10,
//   00 00, 999, 3; EN: pointer 410; TF 00 00; TG and TS the sub-records of
//   the graphic sign; SI one entry ff 02 a2 d0 28 d1 08 checksum ff.
// - Fonts: "1" is used three times, "W", "e" and "x" once each; "W" never
//   goes in, so the section is the records of "1", "e", "x" as the library
//   has them. The end pointer is the file length.
TEST_F(OutFileTest, GoldenLayoutA1WithFonts) {
    outfixtures::MakeProjectA1();
    const std::string image = Build();
    const outcheck::Result r = ExpectGolden("a1_fonts", image);
    EXPECT_EQ(r.format, 0xA1);
    EXPECT_EQ(r.groupTables, 10u);
    EXPECT_EQ(image.substr(10, 4), B({0x2b, 0x03, 0, 0}));
    EXPECT_EQ(Le16At(image, 811), 200u);
    EXPECT_EQ(Le16At(image, 813), 217u);
    EXPECT_EQ(Le16At(image, 815), 233u);
    EXPECT_EQ(r.destSubrecords.at(1)[0], B({0x84, 3, 2, 0xa2, 0xf0, 0xd2, 0, 0xd3, 7, 0xd4, '1', 'A', 0xd2, 20, 'B', 0xff}));
    EXPECT_EQ(r.fontIds, "1ex");
}

// Graphic sign 112x16 at 2 (the sign to show), two-row text sign 16+12 at 3,
// route-number sign at 4; per-sign extra texts, no fonts.
//
// - format A2; text-sign table 01 03 10 0c, so P = 13.
// - Destination 0 (default) with 2 moved last: the text sign's blank
//   (04 00 03 a2 f0 20 ff), the route-number sign's own four zero bytes as
//   dark digits (04 01 04 ae 00 00 00 00 ff), the graphic sign last (84 ...).
// - Destination 99 only has a section for address 7, which has no sign: no
//   record, its offset stays 0.
// - Destination 100 (Flag, a text-sign section only) starts group 1: the
//   graphic sign's default text at y 19 (04 05 02 a2 f0 d2 00 d3 13 d4 78 20
//   ff), the route-number sign's blank, then the text sign 84 05 03 a2 f0 "TX" ff.
// - Destination 250 (group 2): the route-number sign first, its digits
//   from its own "12" (5b 06 00 00), then the graphic sign flagged 84.
// - Destination 300 yields nothing; group 3 stays out (its table entry 0).
// - Extra text 1: the text sign with 162 (04 02 03 a2 f0 "ET" ff), then the
//   graphic sign, moved last, with 176 241: 84 02 02 b0 f1 d4 31 "E " ff.
//   Extra text 12: 84 02 03 a2 f1 "E" b0 03 "F" ff.
// - KR offers route number, destination and extra-text number; DN 999 and
//   3 (the last destination line is 300); TF 01 00 plus bit 2 for the
//   route-number sign (03); UO 01 00.
TEST_F(OutFileTest, GoldenLayoutA2GroupsAndPerSignExtraTexts) {
    outfixtures::MakeProjectA2();
    const std::string image = Build();
    const outcheck::Result r = ExpectGolden("a2_groups_extras", image);
    EXPECT_EQ(r.format, 0xA2);
    EXPECT_EQ(image.substr(9, 4), B({1, 3, 16, 12}));
    EXPECT_EQ(r.groupTables, 13u);
    EXPECT_EQ(r.destRecords.count(99), 0u);
    EXPECT_EQ(r.destRecords.count(300), 0u);
    EXPECT_EQ(image.substr(13 + 4 * 3, 4), std::string(4, '\0'));
    EXPECT_EQ(r.destSubrecords.at(250)[0], B({4, 1, 4, 0xae, 0x5b, 6, 0, 0, 0xff}));
    EXPECT_EQ(r.destSubrecords.at(100).size(), 3u);
    EXPECT_EQ(r.extraSubrecords.at(1)[1], B({0x84, 2, 2, 0xb0, 0xf1, 0xd4, '1', 'E', ' ', 0xff}));
    EXPECT_EQ(r.infoPayloads.at("TF"), B({3, 0}));
    EXPECT_EQ(r.infoPayloads.at("UO"), B({1, 0}));
    EXPECT_TRUE(r.fontIds.empty());
}

// Destination codes and route-number texts: graphic sign 84x16 at 2 (the
// sign to show), route-number sign at 4; extra texts without sections.
//
// - format A3; no text signs, P = 10.
// - With route-number texts on, every destination gets the route-number
//   sign's digits from the table before its last section: destination 1
//   "7" gives 07 00 00 00, 3 "E12" gives 5b 06 79 00 (the last character
//   first). Destination 0 has its own (zero) section before the graphic
//   sign: dark digits.
// - Destination 2's route-number header d2 00 d3 0f d4 65 f2 becomes
//   d2 00 d3 0f d4 65 " 42": the font of a 16-dot sign "e", y 15 from the
//   text since sign 2 is the sign to show, "42" right-aligned in three
//   places; the repeated d3 0f after it is dropped.
// - Destination 3 has 30 bytes; its last run (d2 3c d3 0f d4 78 and four
//   blanks) is blank and goes.
// - Extra text 5 stands on one list line, yet it is the highest in use
//   and goes in: 84 02 b0 f1 and the text with its repeated d3 0f d4 31
//   dropped.
// - Route-number table after the records: "AB1 " 01 00, "AB2 " 02 00,
//   "X9  " 03 00. KR offers destination and extra-text numbers only; CI:
//   pointer to the table, 03 00, 04, digit mask 0e (positions 2..4), then
//   for positions 4, 3, 2 the other characters: " " and "B".
TEST_F(OutFileTest, GoldenLayoutA3CodesAndRouteNumbers) {
    outfixtures::MakeProjectA3();
    const std::string image = Build();
    const outcheck::Result r = ExpectGolden("a3_codes_routes", image);
    EXPECT_EQ(r.format, 0xA3);
    EXPECT_EQ(r.destSubrecords.at(1)[0], B({4, 1, 4, 0xae, 7, 0, 0, 0, 0xff}));
    EXPECT_EQ(r.destSubrecords.at(3)[0], B({4, 1, 4, 0xae, 0x5b, 6, 0x79, 0, 0xff}));
    EXPECT_EQ(r.destSubrecords.at(2)[1], B({0x84, 3, 2, 0xa2, 0xf0, 0xd2, 0, 0xd3, 15, 0xd4, 'e', ' ', '4', '2', 0xd2,
                                            20, 0xd4, '1', 'B', 0xff}));
    EXPECT_EQ(r.destSubrecords.at(3)[1], B({0x84, 3, 2, 0xa2, 0xf0, 0xd2, 0, 0xd3, 15, 0xd4, '1'}) + "ROUTE-E12-TEXT\xFF");
    EXPECT_EQ(r.extraSubrecords.at(5)[0], B({0x84, 2, 0xb0, 0xf1, 0xd2, 0, 0xd3, 15, 0xd4, '1', 'X', 'Y', 0xff}));
    EXPECT_EQ(image.substr(r.routeTable, 18), "AB1 " + B({1, 0}) + "AB2 " + B({2, 0}) + "X9  " + B({3, 0}));
    EXPECT_EQ(r.infoPayloads.at("CI").substr(4), B({3, 0, 4, 0x0e, 1, ' ', 1, 'B'}));
}
