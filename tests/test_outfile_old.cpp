#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "data/destlist.h"
#include "data/headmode.h"
#include "data/records.h"
#include "engine/routenumber.h"
#include "files/document.h"
#include "files/outbuild.h"
#include "files/outfile_old.h"
#include "files/outoptions.h"
#include "files/txlwrite.h"
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/outcheck.h"
#include "support/outcheck_old.h"
#include "support/outfixtures.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testsigns::B;
using testsigns::Mark;
using testsigns::Sec;
using testsigns::Sign;

namespace {

// Equal bytes, or the first place where they differ.
::testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected) {
    if (actual == expected) return ::testing::AssertionSuccess();
    size_t i = 0;
    while (i < actual.size() && i < expected.size() && actual[i] == expected[i]) ++i;
    return ::testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                         << ", first difference at byte " << i;
}

std::string Ptr(int32_t v) { return B({v % 4096 & 0xFF, v % 4096 >> 8, 0, v / 4096}); }

void Use(int n, const std::string& data, int16_t flag = 0) {
    DestRecord& r = gDestList[static_cast<size_t>(n)];
    r.Text = "\xFF" "T#";
    r.SignData = data;
    r.ChangeTime = 3;
    r.Flag = flag;
    if (n > 0) AddListLine(static_cast<int16_t>(n), true);
}

class OldLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        outfixtures::StageOutData(dir.path());
        outfixtures::LoadOutData(dir.path());
        gCommandRowOn = 0;
        gFontSectionOn = 0;
    }
    void TearDown() override {
        kv::ResetAllState();
        SetSafeWriteFault(nullptr);
    }
    // Through the entry point the transfer commands use.
    std::string Build() {
        ui.messages.clear();
        std::string image;
        EXPECT_TRUE(BuildOutImage(image));
        EXPECT_TRUE(ui.messages.empty()) << (ui.messages.empty() ? "" : ui.messages[0].text);
        return image;
    }
    std::string Refused(const std::string& message) {
        std::string image = "x";
        ui.messages.clear();
        EXPECT_FALSE(BuildOutImage(image));
        EXPECT_TRUE(image.empty());
        EXPECT_EQ(ui.messages.size(), 1u);
        return ui.messages.empty() ? std::string() : ui.messages[0].text;
    }
    // The image keeps every rule of the layout and equals the golden dump
    // (KIVAR_UPDATE_GOLDEN=1 rewrites the dump instead, and the test fails).
    outcheck::OldResult ExpectGolden(const std::string& name, const std::string& image) {
        outcheck::OldResult r = outcheck::CheckOld(image);
        for (const std::string& e : r.errors) ADD_FAILURE() << name << ": " << e;
        const std::string diff = outcheck::CompareWithGoldenDump(image, r.segments, "outfile_old/" + name + ".txt");
        if (!diff.empty()) ADD_FAILURE() << name << ": " << diff;
        return r;
    }
    testutil::TempDir dir;
    FakeUi ui;
};

}  // namespace

// One graphic sign 40x8 at 2, the sign to show; destination 0 has a section
// for it, so the build adds the empty destination 999 and takes it away
// again.
//
// - Header: a0; sign flags 00 (no text sign); 00 00; route-number width 03;
//   00 00 00; "4711" as 05 08 02 02 and four zero bytes.
// - The text-sign table is the count 00 at 84, so the destination table
//   starts at T = 85 (55 00 00 00 at 18); with 999 the last number, D = 1000
//   (e8 03 at 16). Extra texts 0 and 2: X = 3 (03 00 at 32), their table at
//   T + 4000 = 4085 (f5 0f 00 00 at 34), and the empty record E right after
//   it at 4097 (01 00 00 01: offset 1 in page 1).
// - 48 and 52 name the end records, 64 names the sign table (54 00 00 00),
//   68..83 stay zero.
// - Entries 3, 5..998 name E; the records follow E from 4098 in number
//   order, one sub-record each and so without links:
//   0: 84 03 02 a2 f0 d0 28 d1 08 (the size command of a 40x8 sign), then
//      its text d2 00 d3 00 d4 78 20 and ff;
//   1: f1 for the page mark; in this layout the repeated d3 07 d4 31 after
//      b0 04 stay: 84 03 02 a2 f1 d0 28 d1 08 d2 00 d3 07 d4 31 41 b0 04 d3
//      07 d4 31 42 ff;
//   2: the header d2 05 d3 07 d4 31 f2 becomes d2 00 d3 00 (y 0 in this
//      layout), d4 69 (the route-number font "i" of an 8-dot sign) and " 42"
//      (the route number right-aligned in three places), then "X";
//   4: 84 02 02 a2 f0 d0 28 d1 08 5a ff;
//   999: its empty page: 84 03 02 a2 f0 d0 28 d1 08 ff (the change time a
//      free record has).
// - Extra text 0 is the single byte 00; extra text 1 names E; extra text 2
//   is one whole sub-record 84 02 b0 f1 with its second d3 07 dropped.
// - Fill end record: 04 03 02 a2 f0 d0 28 d1 08 d2 00 d3 13 d4 78, twenty
//   22, d2 00 d3 1b d4 78, twenty 22, ff, then the zero link; the blank one
//   04 03 02 a2 f0 d0 28 d1 08 d2 00 d3 00 d4 78 20 ff and its zero link.
TEST_F(OldLayoutTest, GoldenWithTheAllNinesDestination) {
    outfixtures::MakeProjectOldNines();
    const std::string image = Build();
    const outcheck::OldResult r = ExpectGolden("nines", image);
    EXPECT_EQ(image.substr(0, 16), B({0xa0, 0, 0, 0, 3, 0, 0, 0, 5, 8, 2, 2, 0, 0, 0, 0}));
    EXPECT_EQ(r.destCount, 1000u);
    EXPECT_EQ(r.extraCount, 3u);
    EXPECT_EQ(r.destTable, 85u);
    EXPECT_EQ(r.emptyRecord, 4097u);
    EXPECT_EQ(image.substr(4097, 2), B({0xff, 0x84}));
    EXPECT_EQ(image.substr(85 + 4 * 3, 4), Ptr(4097));
    EXPECT_EQ(r.destRecords.count(998), 0u);
    EXPECT_EQ(r.destSubrecords.at(999).at(0), B({0x84, 3, 2, 0xa2, 0xf0, 0xd0, 40, 0xd1, 8, 0xff}));
    EXPECT_EQ(r.destSubrecords.at(2).at(0),
              B({0x84, 5, 2, 0xa2, 0xf0, 0xd0, 40, 0xd1, 8, 0xd2, 0, 0xd3, 0, 0xd4, 'i', ' ', '4', '2', 'X', 0xff}));
    EXPECT_EQ(r.extraSubrecords.at(2).at(0), B({0x84, 2, 0xb0, 0xf1, 0xd2, 0, 0xd3, 7, 0xd4, '1', 'E', 'F', 0xff}));
    EXPECT_EQ(r.extraRecords.count(1), 0u);
    EXPECT_EQ(r.fillRecords.size(), 1u);
    EXPECT_EQ(r.blankRecords.at(0), B({4, 3, 2, 0xa2, 0xf0, 0xd0, 40, 0xd1, 8, 0xd2, 0, 0xd3, 0, 0xd4, 'x', ' ', 0xff}));
    EXPECT_EQ(image.substr(image.size() - 4), std::string(4, '\0'));

    // The temporary destination is gone again: record, text and list line.
    EXPECT_TRUE(gDestList[999].SignData.empty());
    EXPECT_TRUE(gDestList[999].Text.empty());
    EXPECT_EQ(DestList.ListCount(), 3);
    EXPECT_EQ(LastUsedNumber(DestList), 4);
}

// Graphic signs 112x16 at 2 and 84x8 at 5 (the sign to show), the two-row
// text sign 16+12 at 3, the route-number sign at 4. Destination 0 has no
// section for sign 5, so no all-nines destination goes in.
//
// - Header: a0; sign flags 03 (a text sign, and a route-number sign with
//   it); route-number width 04; "90 1x" as 0a 01 00 02 01, then zeros.
// - Text-sign table 01 03 10 0c, so T = 88; the last destination is 6:
//   D = 7; extra texts up to 3: X = 4, their table at 88 + 28 = 116, E at
//   132.
// - Destination 0: sign 2's sub-record 04 03 02 a2 f0 d0 70 d1 10 (its size
//   112x16) d2 00 d3 00 d4 78 20 ff at 133, then the link 9a 00 00 00 to
//   154, the byte right after it, where the text sign's 84 03 03 a2 f0 20 ff
//   ends the record.
// - Destination 1: sign 5 is last already, so the order stays: sign 2, a
//   link, the route-number sign 04 01 04 ae 5b 06 00 00 ff (the digits of its
//   own "12", the last first), a link, sign 5 flagged 84 with d0 54 d1 08.
// - Destination 2 names E.
// - Destination 3 (Flag, a text-sign section only): sign 2's default text
//   at y 0 (d2 00 d3 00 d4 78 20), link, the route-number sign's blank
//   04 01 04 ae 00 00 00 00 ff, link, sign 5's default, link, then the text
//   sign's own 84 05 03 a2 f0 "TX" ff.
// - Destination 5 (Flag, a route-number section only): the defaults of 2,
//   the text sign's blank, the route-number sign's blank, the default of 5;
//   the route-number sign already has its sub-record, so the default of 5 is
//   the last one: flagged 84 and without a link.
// - Destination 6 only has a section of an unconfigured sign: no
//   sub-record, and its entry names E like a number without a record.
// - Extra texts: 0 the byte 00; 1 and 3 one whole sub-record each (84 02 b0
//   f1 d4 31 "E1" ff, 84 04 b0 f1 "E3" ff); 2 names E.
// - End records, each with a link to the next: sign 2, the text sign with
//   16 + 12 = 28 bytes 22, sign 5; the route-number sign has none. The last
//   link of each chain is 0.
TEST_F(OldLayoutTest, GoldenWithoutTheAllNinesDestination) {
    outfixtures::MakeProjectOldSigns();
    const std::string image = Build();
    const outcheck::OldResult r = ExpectGolden("signs", image);
    EXPECT_EQ(image.substr(0, 16), B({0xa0, 3, 0, 0, 4, 0, 0, 0, 10, 1, 0, 2, 1, 0, 0, 0}));
    EXPECT_EQ(image.substr(84, 4), B({1, 3, 16, 12}));
    EXPECT_EQ(r.destTable, 88u);
    EXPECT_EQ(r.destCount, 7u);
    EXPECT_EQ(r.extraCount, 4u);
    EXPECT_EQ(r.emptyRecord, 132u);
    EXPECT_EQ(image.substr(88 + 4 * 2, 4), Ptr(132));
    EXPECT_EQ(image.substr(88 + 4 * 6, 4), Ptr(132));
    EXPECT_EQ(r.destSubrecords.at(1).at(1), B({4, 1, 4, 0xae, 0x5b, 6, 0, 0, 0xff}));
    const auto& d5 = r.destSubrecords.at(5);
    ASSERT_EQ(d5.size(), 4u);
    EXPECT_EQ(d5[3], B({0x84, 6, 5, 0xa2, 0xf0, 0xd0, 84, 0xd1, 8, 0xd2, 0, 0xd3, 0, 0xd4, 'x', ' ', 0xff}));
    EXPECT_EQ(r.destSubrecords.at(3).size(), 4u);
    EXPECT_EQ(r.destSubrecords.at(3)[3], B({0x84, 5, 3, 0xa2, 0xf0, 'T', 'X', 0xff}));
    // A link names the position right after itself.
    const size_t link = r.destRecords.at(3) + r.destSubrecords.at(3)[0].size();
    EXPECT_EQ(image.substr(link, 4), Ptr(static_cast<int32_t>(link + 4)));
    EXPECT_EQ(r.fillRecords.size(), 3u);
    EXPECT_EQ(r.fillRecords[1], B({4, 3, 3, 0xa2, 0xf0}) + std::string(28, '\x22') + B({0xff}));
    EXPECT_EQ(r.extraSubrecords.at(3).at(0), B({0x84, 4, 0xb0, 0xf1, 'E', '3', 0xff}));
    EXPECT_EQ(DestList.ListCount(), 4);
}

// The same projects, stored as project files and built by the probe the way
// the transfer commands build them, give the same files; their Intel HEX
// decodes back to the same bytes with an independent tool.
TEST_F(OldLayoutTest, ProbeBuildsTheGoldenFilesAndTheirHex) {
    struct Fixture {
        const char* golden;
        void (*make)();
    } fixtures[] = {{"nines", outfixtures::MakeProjectOldNines}, {"signs", outfixtures::MakeProjectOldSigns}};
    const bool objcopy = std::system("objcopy --version >/dev/null 2>&1") == 0;
    for (const Fixture& f : fixtures) {
        kv::ResetAllState();
        outfixtures::LoadOutData(dir.path());
        f.make();
        gBackupOn = kFalse;
        const std::string base = dir.file(f.golden);
        ASSERT_TRUE(SaveTxlFile(base + ".txl")) << f.golden;
        const auto run = testutil::RunProbe({"out", "--data", dir.path(), base + ".txl", base + ".out"});
        ASSERT_EQ(run.exitCode, 0) << f.golden << ": " << run.err;
        std::string expected, err;
        ASSERT_TRUE(outcheck::ParseDump(
            testutil::ReadFile(testutil::GoldenPath("outfile_old/" + std::string(f.golden) + ".txt")), expected, &err))
            << err;
        EXPECT_TRUE(SameBytes(testutil::ReadFile(base + ".out"), expected)) << f.golden;

        ASSERT_EQ(testutil::RunProbe({"hex", base + ".out", base + ".hex"}).exitCode, 0);
        if (objcopy) {
            const std::string cmd = "objcopy -I ihex -O binary '" + base + ".hex' '" + base + ".bin'";
            ASSERT_EQ(std::system(cmd.c_str()), 0);
            EXPECT_TRUE(SameBytes(testutil::ReadFile(base + ".bin"), expected)) << f.golden;
        }
    }
}

// ---------------------------------------------------------------- header

TEST_F(OldLayoutTest, NameDigits) {
    struct Case {
        char c;
        int code;
    } cases[] = {{' ', 0}, {'0', 1}, {'4', 5}, {'9', 10}, {'x', 1}, {'-', 1}, {'\0', 1}};
    for (const Case& c : cases) EXPECT_EQ(AsciiDigitCode(c.c), c.code) << c.c;

    Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
    Use(1, Sec(2) + "A");
    gAsciiName = "12 4";
    EXPECT_EQ(Build().substr(8, 10), B({2, 3, 0, 5, 0, 0, 0, 0, 2, 0}));
    // Eight digits fill the field up to the destination count.
    gAsciiName = "12345678";
    EXPECT_EQ(Build().substr(8, 10), B({2, 3, 4, 5, 6, 7, 8, 9, 2, 0}));
    // A ninth would overwrite the count: refused.
    gAsciiName = "123456789";
    EXPECT_EQ(Refused(""), kAsciiNameTooLongText);
}

// Sign flags: bit 0 for a text sign, bit 1 for a route-number sign only
// together with it.
TEST_F(OldLayoutTest, SignFlags) {
    struct Case {
        std::vector<std::string> models;
        int flags;
    } cases[] = {{{"K4000"}, 0},
                 {{"K4000", "K1000"}, 0},
                 {{"K2000_1R"}, 1},
                 {{"K4000", "K2000_2R"}, 1},
                 {{"K2000_1R", "K1000"}, 3}};
    for (const Case& c : cases) {
        kv::ResetAllState();
        gCommandRowOn = 0;
        int a = 2;
        for (const std::string& m : c.models) {
            const char* dim = m == "K4000" ? "40x8" : m == "K1000" ? "4" : "20";
            Sign(testsigns::SignLine("S" + std::to_string(a), m, dim, std::to_string(a)));
            ++a;
        }
        const std::string image = Build();
        EXPECT_EQ(static_cast<int>(static_cast<unsigned char>(image[1])), c.flags) << c.models.size();
        EXPECT_TRUE(outcheck::CheckOld(image).ok());
    }
}

// ---------------------------------------------------------------- limits

// The destination table must stay below 32 KB: 8190 is the highest
// destination number. A refusal leaves the file on disk as it was.
TEST_F(OldLayoutTest, DestinationTableLimit) {
    Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
    Use(8190, Sec(2) + "A");
    std::string image = Build();
    const outcheck::OldResult r = outcheck::CheckOld(image);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.destCount, 8191u);
    EXPECT_EQ(outcheck::Le16(image, 16), 8191u);

    Use(8191, Sec(2) + "B");
    EXPECT_EQ(Refused(""), OldTableTooLargeText(8192));
    EXPECT_NE(OldTableTooLargeText(8192).find("8191"), std::string::npos);

    const std::string path = dir.file("trans.out");
    testutil::WriteFile(path, "old");
    EXPECT_FALSE(BuildOutFile(path));
    EXPECT_EQ(testutil::ReadFile(path), "old");

    // With the all-nines destination a last number of 1000 or more needs
    // 9999: refused, and the temporary destination is gone all the same.
    kv::ResetAllState();
    gCommandRowOn = 0;
    Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
    gSignToShow = " 2: \"Front\", K4000";
    Use(0, Sec(2) + "D");
    Use(1000, Sec(2) + "A");
    EXPECT_EQ(Refused(""), OldTableTooLargeText(10000));
    EXPECT_TRUE(gDestList[9999].SignData.empty());
    EXPECT_EQ(DestList.ListCount(), 1);
}

// Links must stay below 512 KB: a file whose records or end records need a
// link past it is refused; a file with nothing linked past it is not.
TEST_F(OldLayoutTest, LinkLimit) {
    auto signs = [](int count) {
        kv::ResetAllState();
        gCommandRowOn = 0;
        Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
        if (count > 1) Sign(testsigns::SignLine("Rear", "K4000", "40x8", "3"));
    };
    // Records of two sub-records: the link of a record past 512 KB.
    signs(2);
    for (int n = 1; n <= 300; ++n) Use(n, Sec(2) + std::string(900, 'A') + Sec(3) + std::string(900, 'B'));
    EXPECT_EQ(Refused(""), kOldLinkLimitText);

    // Records of one sub-record need no link, but the end records of two
    // signs come last and are linked past 512 KB.
    signs(2);
    for (int n = 1; n <= 300; ++n) Use(n, Sec(2) + std::string(1800, 'A'));
    EXPECT_EQ(Refused(""), kOldLinkLimitText);

    // With one sign the end records' only links are zero: the file may pass
    // 512 KB.
    signs(1);
    for (int n = 1; n <= 300; ++n) Use(n, Sec(2) + std::string(1800, 'A'));
    const std::string image = Build();
    EXPECT_GT(image.size(), 524288u);
    EXPECT_TRUE(outcheck::CheckOld(image).ok());
}

// No graphic or text sign: both end-record chains are empty and their
// pointers stay 0; the record before them keeps its bytes.
TEST_F(OldLayoutTest, EmptyEndRecordChains) {
    Sign(testsigns::SignLine("Route", "K1000", "4", "4"));
    Use(1, Sec(4) + "5");
    const std::string image = Build();
    const outcheck::OldResult r = outcheck::CheckOld(image);
    for (const std::string& e : r.errors) ADD_FAILURE() << e;
    EXPECT_EQ(image.substr(48, 8), std::string(8, '\0'));
    EXPECT_EQ(r.fillChain, 0u);
    // Destination table of 2 entries at 85, extra-text table of 1 at 93, E
    // at 97; destination 1's route-number sub-record from 98 (route-number
    // texts off: dark digits), then extra text 0.
    EXPECT_EQ(image.substr(97), B({0xff, 0x84, 1, 4, 0xae, 0, 0, 0, 0, 0xff, 0}));
}

// ---------------------------------------------------------------- all nines

TEST_F(OldLayoutTest, AllNinesDestination) {
    auto setup = [this](int last, bool showSection) {
        kv::ResetAllState();
        gCommandRowOn = 0;
        Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
        Sign(testsigns::SignLine("Side", "K2000_1R", "20", "3"));
        gSignToShow = " 2: \"Front\", K4000";
        Use(0, showSection ? Sec(2) + "D" : Sec(3) + "D");
        if (last > 0) Use(last, Sec(3) + "A");
    };
    struct Case {
        int last;
        bool showSection;
        int added;
    } cases[] = {{0, true, 999}, {42, true, 999}, {998, true, 999}, {999, true, 0},
                 {1000, true, 9999}, {1234, true, 9999}, {9999, true, 0}, {42, false, 0}};
    for (const Case& c : cases) {
        setup(c.last, c.showSection);
        const int lines = DestList.ListCount();
        const int16_t n = AddNinesDestination();
        EXPECT_EQ(n, c.added) << c.last;
        if (n == 0) {
            EXPECT_EQ(DestList.ListCount(), lines);
            continue;
        }
        EXPECT_EQ(gDestList[static_cast<size_t>(n)].SignData, Sec(2));
        EXPECT_EQ(gDestList[static_cast<size_t>(n)].Text, "\xFF" "Front# ");
        EXPECT_EQ(LastUsedNumber(DestList), n);
        RemoveNinesDestination(n);
        EXPECT_TRUE(gDestList[static_cast<size_t>(n)].SignData.empty());
        EXPECT_TRUE(gDestList[static_cast<size_t>(n)].Text.empty());
        EXPECT_EQ(DestList.ListCount(), lines);
        EXPECT_EQ(LastUsedNumber(DestList), c.last);
    }
    // No sign to show: nothing is added.
    setup(5, true);
    gSignToShow.clear();
    EXPECT_EQ(AddNinesDestination(), 0);
}

// A failed old-layout build still takes the temporary destination away.
TEST_F(OldLayoutTest, AllNinesDestinationGoesAfterAFailure) {
    outfixtures::MakeProjectOldNines();
    gAsciiName = "123456789";
    const std::vector<std::string> lines = DestList.Lines();
    Refused("");
    EXPECT_EQ(DestList.Lines(), lines);
    EXPECT_TRUE(gDestList[999].SignData.empty());
    EXPECT_TRUE(gDestList[999].Text.empty());

    // An error of the records: its own text, critical.
    gAsciiName.clear();
    gDestList[1].SignData += "\xFF\x11x";
    EXPECT_EQ(Refused(""), "Subscript out of range");
    EXPECT_EQ(ui.messages.back().style, vbCritical);
    EXPECT_EQ(DestList.Lines(), lines);
}

// With layout 1.5 chosen the entry point rebuilds the default destination
// and builds that layout.
TEST_F(OldLayoutTest, EntryPointFollowsTheLayoutOption) {
    outfixtures::MakeProjectA1();
    gCommandRowOn = 1;
    gFontSectionOn = 1;
    gDestList[0].SignData = Sec(2) + "stale";
    const std::string library = outfixtures::TinyLibrary();
    std::string image;
    ASSERT_TRUE(BuildOutImage(image));
    std::string expected, err;
    ASSERT_TRUE(outcheck::ParseDump(testutil::ReadFile(testutil::GoldenPath("outfile/a1_fonts.txt")), expected, &err));
    EXPECT_TRUE(SameBytes(image, expected));
    EXPECT_EQ(LastUsedNumber(DestList), 3);
}

// ---------------------------------------------------------------- a larger project

// Signs of every model, records of every kind over the number range, with
// and without the all-nines destination: the checker finds every rule kept,
// and each record in the file is the record the builder makes at its place.
TEST_F(OldLayoutTest, LargerGeneratedProjectsKeepTheLayout) {
    outfixtures::RandomSignData random(testutil::TestSeed(4711), 7);
    auto pick = [&](int n) { return random.Pick(n); };
    auto page = [&] { return random.Page(); };
    auto sections = [&] { return random.Sections(false); };
    for (int variant = 0; variant < 3; ++variant) {
        kv::ResetAllState();
        outfixtures::LoadOutData(dir.path());
        gCommandRowOn = 0;
        outfixtures::MakeEveryModelSigns();
        gSignToShow = variant == 1 ? " 5: \"Rear\", K4000" : " 2: \"Front\", K4000";
        gAsciiName = "1234";
        gLineNoTableOn = VbBool(variant != 2);
        gLineNoFieldCount = 3;
        for (int i = 0; i < kLineNoTableSize; ++i) gLineNoTable[static_cast<size_t>(i)] = std::to_string(i * 7 % 1000);
        // Variant 2 has no all-nines destination and numbers up to 5000.
        gDestList[0].SignData = variant == 2 ? Sec(3) + "D" : Sec(2) + page() + Sec(5) + page();
        const int maxDest = variant == 2 ? 5000 : 998;
        for (int n = 1; n <= maxDest; n += 1 + pick(variant == 2 ? 60 : 12)) {
            DestRecord& d = gDestList[static_cast<size_t>(n)];
            d.SignData = pick(20) == 0 ? Sec(9) + "none" : sections();
            if (d.SignData.empty()) d.SignData = Sec(2) + page();
            d.ChangeTime = static_cast<int16_t>(pick(21));
            d.Flag = VbBool(pick(5) == 0);
            AddListLine(static_cast<int16_t>(n), true);
        }
        for (int n = 0; n < 1000; n += 1 + pick(30)) {
            DestRecord& e = gExtraList[static_cast<size_t>(n)];
            e.SignData = page();
            e.ChangeTime = static_cast<int16_t>(pick(21));
            AddListLine(static_cast<int16_t>(n), false);
        }
        const int lines = DestList.ListCount();
        const int16_t nines = AddNinesDestination();
        EXPECT_EQ(nines, variant == 2 ? 0 : 999);
        std::string image;
        ASSERT_TRUE(BuildPromImageOld(image)) << (ui.messages.empty() ? "" : ui.messages[0].text);
        const outcheck::OldResult r = outcheck::CheckOld(image);
        for (const std::string& e : r.errors) ADD_FAILURE() << "variant " << variant << ": " << e;
        EXPECT_GT(r.destRecords.size(), 60u);
        for (int n = 0; n < static_cast<int>(r.destCount); ++n) {
            const DestRecord& d = gDestList[static_cast<size_t>(n)];
            const auto at = r.destRecords.find(n);
            if (at == r.destRecords.end()) {
                ASSERT_TRUE(d.SignData.empty() || WriteDestRecordOld(d.SignData, d.ChangeTime, d.Flag, n, 0).empty())
                    << "variant " << variant << " destination " << n;
                continue;
            }
            const std::string rec =
                WriteDestRecordOld(d.SignData, d.ChangeTime, d.Flag, n, static_cast<int32_t>(at->second));
            ASSERT_EQ(image.compare(at->second, rec.size(), rec), 0) << "variant " << variant << " destination " << n;
        }
        for (int n = 1; n < static_cast<int>(r.extraCount); ++n)
            EXPECT_EQ(r.extraRecords.count(n) == 1, !gExtraList[static_cast<size_t>(n)].SignData.empty()) << n;
        RemoveNinesDestination(nines);
        EXPECT_EQ(DestList.ListCount(), lines);
    }
}

// The checker itself: damage to any part of a good file is found.
TEST_F(OldLayoutTest, CheckerFindsDamage) {
    outfixtures::MakeProjectOldSigns();
    const std::string good = Build();
    const outcheck::OldResult r = outcheck::CheckOld(good);
    ASSERT_TRUE(r.ok());
    const size_t link = r.destRecords.at(3) + r.destSubrecords.at(3)[0].size();
    const size_t extra0 = outcheck::Le16(good, r.extraTable) + 4096 * static_cast<unsigned char>(good[r.extraTable + 3]);
    struct Case {
        const char* what;
        size_t pos;
        char value;
    } cases[] = {
        {"format byte", 0, '\xA1'},
        {"sign flags", 1, 0x02},
        {"a zero of the header", 40, 0x01},
        {"a name code", 9, 0x0b},
        {"destination count", 16, 0x08},
        {"extra-text table pointer", 34, 0x75},
        {"the sign-table pointer", 64, 0x55},
        {"the empty record", r.emptyRecord, 0x00},
        {"an entry", r.destTable + 4 * 2, '\x85'},
        {"a link", link, static_cast<char>(good[link] + 1)},
        {"the size command", r.destRecords.at(1) + 5, 0x00},
        {"a sub-record's address", r.destRecords.at(1) + 2, 0x11},
        {"extra text 0", extra0, 0x05},
        {"a chain link", good.size() - 1, 0x01},
    };
    for (const Case& c : cases) {
        std::string bad = good;
        ASSERT_NE(bad[c.pos], c.value) << c.what;
        bad[c.pos] = c.value;
        EXPECT_FALSE(outcheck::CheckOld(bad).ok()) << c.what;
    }
    EXPECT_FALSE(outcheck::CheckOld(good.substr(0, good.size() - 1)).ok());
    EXPECT_FALSE(outcheck::CheckOld(good + '\0').ok());
}
