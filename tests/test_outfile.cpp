#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "data/charmap.h"
#include "engine/defaultdest.h"
#include "files/document.h"
#include "files/txlwrite.h"

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
#include "platform/reset.h"
#include "platform/safefile.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/outcheck.h"
#include "support/outfixtures.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testsigns::B;
using testsigns::Mark;
using testsigns::Sec;
using testsigns::Sign;

namespace {

class OutFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        outfixtures::StageOutData(dir.path());
        outfixtures::LoadOutData(dir.path());
        library = outfixtures::TinyLibrary();
    }
    void TearDown() override {
        kv::ResetAllState();
        SetSafeWriteFault(nullptr);
    }
    std::string Build() {
        std::string image;
        EXPECT_TRUE(BuildPromImageVer1_5(image));
        EXPECT_TRUE(ui.messages.empty()) << (ui.messages.empty() ? "" : ui.messages[0].text);
        return image;
    }
    // The image keeps every rule of the layout and equals the golden dump
    // (KIVAR_UPDATE_GOLDEN=1 rewrites the dump instead, and the test fails).
    outcheck::Result ExpectGolden(const std::string& name, const std::string& image) {
        outcheck::Result r = outcheck::Check(image, library);
        for (const std::string& e : r.errors) ADD_FAILURE() << name << ": " << e;
        const std::string diff = outcheck::CompareWithGoldenDump(image, r.segments, "outfile/" + name + ".txt");
        if (!diff.empty()) ADD_FAILURE() << name << ": " << diff;
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
    EXPECT_EQ(outcheck::Le16(image, 811), 200u);
    EXPECT_EQ(outcheck::Le16(image, 813), 217u);
    EXPECT_EQ(outcheck::Le16(image, 815), 233u);
    EXPECT_EQ(r.destSubrecords.at(1)[0], B({0x84, 3, 2, 0xa2, 0xf0, 0xd2, 0, 0xd3, 7, 0xd4, '1', 'A', 0xd2, 20, 'B', 0xff}));
    EXPECT_EQ(r.fontIds, "1ex");
}

// Graphic sign 112x16 at 2 (the sign to show), two-row text sign 16+12 at 3,
// route-number sign at 4; per-sign extra texts.
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
// - Fonts: "1" twice (destination 250, extra text 1), "x" once (destination 0).
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
    EXPECT_EQ(r.fontIds, "1x");
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
//   pointer to the table, 03 00, 04, digit mask 0f (every position allows
//   the digits), then for positions 4, 3, 2, 1 the other characters: " ",
//   " AbCdEFHL", " AbCdEFHL", " ".
// - Fonts: "1" five times, "x" twice, "e" once.
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
    EXPECT_EQ(r.infoPayloads.at("CI").substr(4),
              B({3, 0, 4, 0x0f, 1, ' ', 9}) + " AbCdEFHL" + B({9}) + " AbCdEFHL" + B({1, ' '}));
    EXPECT_EQ(r.fontIds, "1xe");
}

// The same projects stored as project files and built by the probe, the way
// the transfer commands build them (the default destination rebuilt first),
// give the same files.
TEST_F(OutFileTest, ProbeBuildsTheGoldenFilesFromProjectFiles) {
    struct Fixture {
        const char* golden;
        void (*make)();
    } fixtures[] = {{"a1_fonts", outfixtures::MakeProjectA1},
                    {"a2_groups_extras", outfixtures::MakeProjectA2},
                    {"a3_codes_routes", outfixtures::MakeProjectA3}};
    for (const Fixture& f : fixtures) {
        kv::ResetAllState();
        outfixtures::LoadOutData(dir.path());
        f.make();
        gBackupOn = kFalse;
        const std::string txl = dir.file(std::string(f.golden) + ".txl"), out = dir.file(std::string(f.golden) + ".out");
        ASSERT_TRUE(SaveTxlFile(txl)) << f.golden;
        const auto run = testutil::RunProbe({"out", "--data", dir.path(), txl, out});
        ASSERT_EQ(run.exitCode, 0) << f.golden << ": " << run.err;
        std::string expected, err;
        ASSERT_TRUE(outcheck::ParseDump(testutil::ReadFile(testutil::GoldenPath("outfile/" + std::string(f.golden) + ".txt")),
                                        expected, &err))
            << err;
        EXPECT_EQ(testutil::ReadFile(out), expected) << f.golden;
    }
}

TEST_F(OutFileTest, ProbeTelegrams) {
    outfixtures::MakeProjectA2();
    gBackupOn = kFalse;
    ASSERT_TRUE(SaveTxlFile(dir.file("p.txl")));
    // Destination 250: the route-number sign's sub-record, then the graphic
    // sign's; each body from the address on, its checksum and 255.
    // 04+ae+5b+06 = 0x113 -> 13; 02+a2+f0+d2+00+d3+0f+d4+31+47 = 0x494 -> 94.
    auto run = testutil::RunProbe({"telegram", "--data", dir.path(), dir.file("p.txl"), "250"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "ff 04 ae 5b 06 00 00 13 ff\nff 02 a2 f0 d2 00 d3 0f d4 31 47 94 ff\n");
    run = testutil::RunProbe({"telegram", "--data", dir.path(), dir.file("p.txl"), "5"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("Nothing to send, text must be saved before it can be sent!"), std::string::npos);
}

// ---------------------------------------------------------------- failures

TEST_F(OutFileTest, FailuresLeaveNoFileAndKeepTheOldOne) {
    const std::string path = dir.file("trans.out");
    struct Case {
        const char* what;
        std::function<void()> spoil;
        std::string message;
    } cases[] = {
        {"a font the library lacks", [] { gDestList[1].SignData += "\xD4q"; },
         "The font q is missing in the font library 'kstndrd.bib'."},
        {"no font library", [this] { RemoveFile(dir.path() + "/Fonts/kstndrd.bib"); },
         "Cannot find the file kstndrd.bib (font 1) in the folder " + gFontPath + "!"},
        {"no command file", [] { gCommandFile = "Gone (Gone.kcm)"; }, "BuildPromFileVer1_5: 52"},
        {"a change time above 255", [] { gDestList[2].ChangeTime = 256; }, "BuildPromFileVer1_5: 5"},
        {"a section for address 17", [] { gDestList[3].SignData += "\xFF\x11x"; }, "BuildPromFileVer1_5: 9"},
        {"an extra text and no sign to show it",
         [] {
             gExtraList[4].SignData = "A";
             AddListLine(4, false);
             gSignInfo[0].Model = "K1000";
         },
         "BuildPromFileVer1_5: 9"},
        {"the disk refuses the file", [] { SetSafeWriteFault([](SafeWriteStage s, const std::string&) { return s == SafeWriteStage::Rename; }); },
         ""},
    };
    for (const Case& c : cases) {
        kv::ResetAllState();
        outfixtures::StageOutData(dir.path());
        outfixtures::LoadOutData(dir.path());
        outfixtures::MakeProjectA1();
        testutil::WriteFile(path, "old");
        ui.messages.clear();
        c.spoil();
        EXPECT_FALSE(BuildPromFileVer1_5(path)) << c.what;
        SetSafeWriteFault(nullptr);
        EXPECT_EQ(testutil::ReadFile(path), "old") << c.what;
        ASSERT_FALSE(ui.messages.empty()) << c.what;
        if (!c.message.empty()) {
            EXPECT_EQ(ui.messages.back().text, c.message) << c.what;
        }
        EXPECT_EQ(ui.messages.back().title, kMsgTitle) << c.what;
    }
    kv::ResetAllState();
    outfixtures::StageOutData(dir.path());
    outfixtures::LoadOutData(dir.path());
    outfixtures::MakeProjectA1();
    EXPECT_TRUE(BuildPromFileVer1_5(path));
    EXPECT_TRUE(outcheck::Check(testutil::ReadFile(path), library).ok());
}

TEST_F(OutFileTest, OneMegabyteIsRefused) {
    // 100 records of 640 bytes fit a group (64000 from its block); 17 such
    // groups make 1088000 bytes, past what a pointer can name.
    Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
    auto fill = [](int groups) {
        for (int n = 1; n < 100 * groups; ++n) {
            gDestList[static_cast<size_t>(n)].SignData = Sec(2) + std::string(634, 'A');
            AddListLine(static_cast<int16_t>(n), true);
        }
    };
    fill(17);
    std::string image;
    EXPECT_FALSE(BuildPromImageVer1_5(image));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, kOutFileTooLargeText);
    EXPECT_TRUE(image.empty());

    // 16 groups fit, and every pointer names its place.
    kv::ResetAllState();
    outfixtures::LoadOutData(dir.path());
    Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
    gFontSectionOn = 0;
    ui.messages.clear();
    fill(16);
    EXPECT_TRUE(BuildPromImageVer1_5(image));
    EXPECT_GT(image.size(), 1000000u);
    EXPECT_TRUE(outcheck::Check(image, "").ok());

    // A group whose last record starts 65536 bytes or more after its block.
    gDestList[50].SignData = Sec(2) + std::string(4000, 'A');
    EXPECT_FALSE(BuildPromImageVer1_5(image));
    EXPECT_EQ(ui.messages.back().text, "BuildPromFileVer1_5: 6");
}

// ---------------------------------------------------------------- fonts

TEST_F(OutFileTest, FontSectionOrderAndLibraryWalk) {
    Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
    auto use = [](int n, const std::string& fonts) {
        std::string d = Sec(2);
        for (char f : fonts) d += std::string("\xD4") + f + "A";
        gDestList[static_cast<size_t>(n)].SignData = d;
        AddListLine(static_cast<int16_t>(n), true);
    };
    // Counts: e 3, x 2, 1 2, W 4, "!" 1; equal counts go by code ("1" before "x").
    use(1, "eexW");
    use(2, "x1WW!");
    use(3, "e1W");
    gDestList[4].SignData = Sec(2) + "AB\xD4";  // a 212 at the very end is not counted
    AddListLine(4, true);
    EXPECT_EQ(CollectUsedFonts(), "e1x");
    gExtraList[9].SignData = "\xD4" "a\xD4" "a\xD4" "a\xD4" "a";
    AddListLine(9, false);
    EXPECT_EQ(CollectUsedFonts(), "ae1x");

    const std::string lib = library;
    EXPECT_EQ(FindFontRecord('x', lib), 0);
    const int32_t one = FontRecordLength(0, lib);
    EXPECT_EQ(FindFontRecord('1', lib), one);
    EXPECT_EQ(FindFontRecord('q', lib), -1);
    EXPECT_EQ(FindFontRecord('x', ""), -1);

    // A record cut short by the library's end: only the bytes that exist.
    std::string image = "IMG";
    const std::string cut = lib.substr(0, 300);
    int32_t length = FontRecordLength(one, cut);
    EXPECT_EQ(length, 0);  // its length field lies past the end
    length = 1000;
    EXPECT_EQ(CopyFileBytes(one, length, cut, image, 3), 3 + 300 - one);
    EXPECT_EQ(length, 300 - one);
    EXPECT_EQ(image, "IMG" + cut.substr(static_cast<size_t>(one)));
    length = 5;
    EXPECT_EQ(CopyFileBytes(400, length, cut, image, 7), 7);  // beyond the end: nothing
    EXPECT_EQ(length, 0);

    // No font command anywhere: an empty section.
    kv::ResetAllState();
    outfixtures::LoadOutData(dir.path());
    Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
    gDestList[1].SignData = Sec(2) + "A";
    AddListLine(1, true);
    std::string out = "X";
    int32_t pos = 1;
    EXPECT_TRUE(WriteFonts(out, pos));
    EXPECT_EQ(pos, 1);
    EXPECT_EQ(out, "X");
}

// ---------------------------------------------------------------- a larger project

// Signs of every model, every kind of record, random texts with route-number
// headers, page marks, blank runs and repeated commands, spread over the
// whole number range: the checker finds every rule kept, and each record in
// the file is the record the record builder makes.
TEST_F(OutFileTest, LargerGeneratedProjectsKeepTheLayout) {
    outfixtures::RandomSignData random(testutil::TestSeed(12345), 15);
    auto pick = [&](int n) { return random.Pick(n); };
    auto page = [&] { return random.Page(); };
    auto sections = [&](bool allSigns) { return random.Sections(allSigns); };
    for (int variant = 0; variant < 4; ++variant) {
        kv::ResetAllState();
        outfixtures::LoadOutData(dir.path());
        outfixtures::MakeEveryModelSigns();
        gCommandFile = "Short (Short.kcm)";
        gSignToShow = variant % 2 ? " 5: \"Rear\", K4000" : " 2: \"Front\", K4000";
        gExtraPerSign = VbBool(variant >= 2);
        gDestCodesOn = VbBool(variant == 1 || variant == 3);
        gTxlVersion = gDestCodesOn ? 6 : 5;
        gLineNumberOn = gDestCodesOn;  // codes leave out the route-number command
        gLineNoTableOn = VbBool(variant == 1);
        gLineNoFieldCount = 3;
        for (int i = 0; i < kLineNoTableSize; ++i) gLineNoTable[static_cast<size_t>(i)] = std::to_string(i * 7 % 1000);
        InitDefaultDestination();
        const int maxDest = gLineNoTableOn ? 999 : 9999;
        for (int n = 1; n <= maxDest; n += 1 + pick(40)) {
            DestRecord& r = gDestList[static_cast<size_t>(n)];
            r.SignData = pick(20) == 0 ? Sec(9) + "none" : sections(false);
            if (r.SignData.empty()) r.SignData = Sec(2) + page();
            r.ChangeTime = static_cast<int16_t>(pick(21));
            r.Flag = VbBool(pick(5) == 0);
            r.Code = PadCode(std::to_string(n));
            AddListLine(static_cast<int16_t>(n), true);
        }
        for (int n = 0; n < 1000; n += 1 + pick(30)) {
            DestRecord& r = gExtraList[static_cast<size_t>(n)];
            r.SignData = gExtraPerSign ? sections(true) : page();
            r.ChangeTime = static_cast<int16_t>(pick(21));
            AddListLine(static_cast<int16_t>(n), false);
        }
        const std::string image = Build();
        const outcheck::Result r = outcheck::Check(image, library);
        for (const std::string& e : r.errors) ADD_FAILURE() << "variant " << variant << ": " << e;
        EXPECT_GT(r.destRecords.size(), gLineNoTableOn ? 40u : 200u);
        for (const auto& [n, pos] : r.destRecords) {
            const DestRecord& d = gDestList[static_cast<size_t>(n)];
            const std::string rec = WriteDestRecordVer1_5(d.SignData, d.ChangeTime, d.Flag, n);
            ASSERT_EQ(image.compare(pos, rec.size(), rec), 0) << "variant " << variant << " destination " << n;
        }
        for (int n = 1; n <= LastUsedNumber(DestList); ++n) {
            const DestRecord& d = gDestList[static_cast<size_t>(n)];
            const bool expected = !d.SignData.empty() && !WriteDestRecordVer1_5(d.SignData, d.ChangeTime, d.Flag, n).empty();
            ASSERT_EQ(r.destRecords.count(n) == 1, expected) << "variant " << variant << " destination " << n;
        }
        size_t extras = 0;
        for (int n = 0; n < 1000; ++n) extras += gExtraList[static_cast<size_t>(n)].SignData.empty() ? 0 : 1;
        EXPECT_EQ(r.extraRecords.size(), extras) << "variant " << variant;
        EXPECT_EQ(r.fontIds, CollectUsedFonts());
    }
}

// The checker itself: damage to any part of a good file is found.
TEST_F(OutFileTest, CheckerFindsDamage) {
    outfixtures::MakeProjectA2();
    const std::string good = Build();
    ASSERT_TRUE(outcheck::Check(good, library).ok());
    const outcheck::Result r = outcheck::Check(good, library);
    struct Case {
        const char* what;
        size_t pos;
        char value;
    } cases[] = {
        {"end pointer", 1, 0x07},
        {"format byte", 0, '\xA4'},
        {"group pointer", r.groupTables + 4, 0x19},
        {"a record's offset", r.destRecords.at(100) - 200 + 0, 0x02},
        {"a flag byte", r.destRecords.at(250), 0x05},
        {"a sub-record's address", r.destRecords.at(250) + 2, 0x11},
        {"an information block tag", r.infoBlock + 2 * 0 + 4 + 12, 'Q'},
        {"a font record", r.fontSection + 300, 0x55},
    };
    for (const Case& c : cases) {
        std::string bad = good;
        ASSERT_NE(bad[c.pos], c.value) << c.what;
        bad[c.pos] = c.value;
        EXPECT_FALSE(outcheck::Check(bad, library).ok()) << c.what;
    }
    EXPECT_FALSE(outcheck::Check(good.substr(0, good.size() - 1), library).ok());
}

// Nothing in use: both group tables stay zero, the information block follows
// them at P + 800, and with codes on the route-number table is empty (CI
// points at the information block itself). Codes win over per-sign extra
// texts in the format byte.
TEST_F(OutFileTest, EmptyProject) {
    Sign(testsigns::SignLine("Front", "K4000", "40x8", "2"));
    gCommandFile = "Short (Short.kcm)";
    gDestCodesOn = kTrue;
    gTxlVersion = 6;
    gLineNumberOn = kTrue;
    gExtraPerSign = kTrue;
    const std::string image = Build();
    const outcheck::Result r = outcheck::Check(image, library);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.format, 0xA3);
    EXPECT_EQ(image.substr(10, 800), std::string(800, '\0'));
    EXPECT_EQ(r.infoBlock, 810u);
    EXPECT_EQ(r.routeTable, 810u);
    EXPECT_EQ(r.infoPayloads.at("CI").substr(0, 6), B({0x2a, 0x03, 0, 0, 0, 0}));
    EXPECT_TRUE(r.fontIds.empty());
    EXPECT_EQ(r.fontSection, image.size());
}
