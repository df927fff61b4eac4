// Writing project files: every version reads back to the same tables and
// writes again to the same bytes; counts, backups, failures.
#include <gtest/gtest.h>

#include <cstdio>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/records.h"
#include "data/signtable.h"
#include "files/txlbytes.h"
#include "files/txlformat.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "platform/paths.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/txl_state.h"

using namespace kv;
using testsigns::Sec;
using testsigns::SignLine;
using testsigns::Tag;

namespace {

// Offset, 16 bytes in hex, the printable ones as text.
std::string HexDump(const std::string& bytes) {
    std::string out;
    char buf[32];
    for (size_t row = 0; row < bytes.size(); row += 16) {
        std::snprintf(buf, sizeof buf, "%06zx ", row);
        out += buf;
        std::string text;
        for (size_t i = row; i < row + 16; ++i) {
            if (i < bytes.size()) {
                const auto c = static_cast<unsigned char>(bytes[i]);
                std::snprintf(buf, sizeof buf, " %02x", c);
                out += buf;
                text += c >= 32 && c < 127 ? static_cast<char>(c) : '.';
            } else {
                out += "   ";
            }
        }
        out += "  " + text + "\n";
    }
    return out;
}

void SetRecord(DestRecord& r, const std::string& text, const std::string& data, int16_t time, int16_t flag,
               const std::string& alt, const std::string& code) {
    r.Text = text;
    r.SignData = data;
    r.ChangeTime = time;
    r.Flag = flag;
    r.AltText = alt;
    r.Code = code;
}

// A small project that uses every field.
void SmallProject(int16_t version) {
    testsigns::Sign(SignLine("FRONT", "K4000", "112x16", "2"));
    testsigns::Sign(SignLine("REAR", "K2000_1R", "16", "5"));
    gUserDate = "2024-05-06";
    gUserResponsible = "R";
    gUserOthers = "O";
    gUserCompany = "C";
    gPromName = "PROM";
    gAsciiName = "1234";
    gSignToShow = " 2: \"FRONT\", K4000";
    gCommandRowOn = 1;
    gFontSectionOn = 1;
    gComrowMems = 2;
    gControlInfoOn = 1;
    gLineNumberOn = kTrue;
    gRouteNumberSeq = " 0123456789AB";
    gRouteNumberStartIndex = 3;
    gCommandFile = "";
    gExtraPerSign = kTrue;
    gRouteNoLeft = kFalse;
    gLineNoFieldCount = 4;
    gRouteNoPos = 2;
    gLineNoFields = "1234";
    gTxlVersion = version;
    gDestCodesOn = VbBool(version == 6 || version == 7);

    SetRecord(gDestList[0], Tag("FRONT") + "## default", Sec(2) + "D" + Sec(5) + " ", 3, kFalse, "", "    ");
    SetRecord(gDestList[1], Tag("FRONT") + "## one", Sec(2) + std::string("\xD2\x00\xD3\x01" "one", 7), 3, kTrue, Sec(2) + "inv", "A1  ");
    SetRecord(gDestList[2], Tag("REAR") + "## two", Sec(5) + "two" + testsigns::Mark(4) + "2b", 8, kFalse, "", "B2  ");
    SetRecord(gDestList[9999], Tag("FRONT") + "## last", Sec(2) + std::string(20, '\xB0'), 20, kFalse, "",
              "Z9  ");
    for (int i : {1, 2, 9999}) AddListLine(static_cast<int16_t>(i), true);
    SetRecord(gExtraList[0], Tag("FRONT") + "## x0", Sec(2) + "x0", 3, 0, Sec(2) + "a", "");
    SetRecord(gExtraList[999], Tag("REAR") + "## x999", Sec(5) + "x999", 4, 0, "", "");
    for (int i : {0, 999}) FormatListLine(gExtraList[static_cast<size_t>(i)].Text, static_cast<int16_t>(i), ExtraList);

    gLineNoTableOn = kTrue;
    gLineNoTable[1] = "1A";
    gLineNoTable[999] = std::string("\xFF\x00Z", 3);
}

void ExpectSameRecords(int16_t v, const std::array<DestRecord, kDestCount>& dests,
                       const std::array<DestRecord, kExtraCount>& extras) {
    for (int i = 0; i < kDestCount; ++i) {
        const DestRecord& a = dests[static_cast<size_t>(i)];
        const DestRecord& b = gDestList[static_cast<size_t>(i)];
        if (a.SignData.empty()) {
            EXPECT_TRUE(b.SignData.empty()) << i;
            continue;
        }
        EXPECT_EQ(b.Text, a.Text) << i;
        EXPECT_EQ(b.SignData, a.SignData) << i;
        EXPECT_EQ(b.ChangeTime, a.ChangeTime) << i;
        EXPECT_EQ(b.Flag, a.Flag) << i;
        EXPECT_EQ(b.AltText, v >= 5 ? a.AltText : "") << i;
        EXPECT_EQ(b.Code, TxlDestHasCode(v, gDestCodesOn) ? a.Code : PadCode(std::to_string(i))) << i;
    }
    for (int i = 0; i < kExtraCount; ++i) {
        const DestRecord& a = extras[static_cast<size_t>(i)];
        const DestRecord& b = gExtraList[static_cast<size_t>(i)];
        EXPECT_EQ(b.SignData, a.SignData) << i;
        if (a.SignData.empty()) continue;
        EXPECT_EQ(b.Text, a.Text) << i;
        EXPECT_EQ(b.ChangeTime, a.ChangeTime) << i;
        EXPECT_EQ(b.AltText, v == 5 ? a.AltText : "") << i;
    }
}

class TxlWriteTest : public ::testing::Test {
protected:
    void SetUp() override { txltest::ResetProject(); }
    void TearDown() override { txltest::ResetProject(); }
    FakeUi ui;
    txltest::FakeHead head;
    testutil::TempDir dir;
};

}  // namespace

// Every version: the file reads back to the same tables, writing it again
// gives the same bytes, and the bytes are those of the golden file.
TEST_F(TxlWriteTest, EveryVersionRoundTrips) {
    for (int16_t v = 0; v <= 7; ++v) {
        SCOPED_TRACE("version " + std::to_string(v));
        txltest::ResetProject();
        SmallProject(v);
        const auto dests = gDestList;
        const auto extras = gExtraList;
        const auto signs = gSignEntry;
        const std::string first = BuildTxlFile(v);
        std::string diff;
        EXPECT_TRUE(testutil::MatchesGolden("txl/v" + std::to_string(v) + ".hex", HexDump(first), &diff)) << diff;

        txltest::ResetProject();
        ASSERT_EQ(ReadTxlData(first, "x.txl"), TxlReadResult::Read);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(gTxlVersion, v);
        ExpectSameRecords(v, dests, extras);
        for (size_t k = 0; k < signs.size(); ++k) {
            EXPECT_EQ(gSignEntry[k].Used, signs[k].Used) << k;
            EXPECT_EQ(gSignEntry[k].Name, signs[k].Name) << k;
            EXPECT_EQ(gSignEntry[k].Dimension, signs[k].Dimension) << k;
        }
        EXPECT_EQ(gUserOthers, "O");
        EXPECT_EQ(gLineNoTable[999], std::string("\xFF\x00Z", 3));
        EXPECT_EQ(gLineNoTableOn, kTrue);
        EXPECT_EQ(DestList.ListCount(), 3);
        EXPECT_EQ(ExtraList.ListCount(), 2);
        if (v != 4) {
            EXPECT_EQ(gCommandFile, "(EnglskTD.kcm)");
        }
        EXPECT_EQ(v == 4 ? gAsciiName : gPromName, v == 4 ? "1234" : "PROM");

        EXPECT_EQ(BuildTxlFile(v), first);
    }
}

// The counts written are the records written: a listed destination without
// page data is reported and left out, and the file still reads.
TEST_F(TxlWriteTest, CountsAreTheRecordsWritten) {
    SmallProject(5);
    gDestList[2].SignData.clear();  // listed, but nothing to save
    gExtraList[999].SignData.clear();
    const std::string bytes = BuildTxlFile(5);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Kivar lost a destination.Reopen the current file.");
    EXPECT_EQ(ui.messages[0].style, vbCritical);

    txltest::ResetProject();
    ui.messages.clear();
    ASSERT_EQ(ReadTxlData(bytes, "x.txl"), TxlReadResult::Read);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(LastTxlReadInfo().destIndexes, (std::vector<int16_t>{0, 1, 9999}));
    EXPECT_EQ(LastTxlReadInfo().extraIndexes, (std::vector<int16_t>{0}));

    // A project without the default destination (the template has none)
    // loses nothing and says nothing.
    txltest::ResetProject();
    ui.messages.clear();
    SmallProject(5);
    gDestList[0].SignData.clear();
    ReadTxlData(BuildTxlFile(5), "x.txl");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(LastTxlReadInfo().destIndexes, (std::vector<int16_t>{1, 2, 9999}));
}

TEST_F(TxlWriteTest, BackupNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"/p/Proj.txl", "/p/Proj.BAK"},
        {"/p/Proj.TXL", "/p/Proj.BAK"},
        {"/p/a.txl.d/b.Txl", "/p/a.txl.d/b.BAK"},
        {"/data/standard.ini", "/data/standard.BAK"},
        {"C:\\Kivar\\x.Ini", "C:\\Kivar\\x.BAK"},
        {"/p/proj.txt", ""},
        {"/p/projtxl", ""},
        {"/p/.txl", ""},
        {"", ""},
    };
    for (auto [path, backup] : cases) EXPECT_EQ(TxlBackupPath(path), backup) << path;
}

TEST_F(TxlWriteTest, SaveKeepsTheOldFileAsBackup) {
    const std::string path = dir.file("proj.txl");
    const std::string bak = dir.file("proj.BAK");
    testutil::WriteFile(path, "old");
    testutil::WriteFile(bak, "older");
    SmallProject(5);
    ASSERT_TRUE(SaveTxlFile(path));
    EXPECT_EQ(testutil::ReadFile(path), BuildTxlFile(5));
    EXPECT_EQ(testutil::ReadFile(bak), "old");

    // NoBackup: the old file goes, the backup stays as it was.
    gBackupOn = kFalse;
    testutil::WriteFile(path, "old2");
    ASSERT_TRUE(SaveTxlFile(path));
    EXPECT_EQ(testutil::ReadFile(bak), "old");

    // The auto-save file never gets a backup.
    gBackupOn = kTrue;
    gAutoSaveFile = dir.file("kivar.txl");
    testutil::WriteFile(gAutoSaveFile, "auto");
    ASSERT_TRUE(SaveTxlFile(gAutoSaveFile));
    EXPECT_FALSE(FileExists(dir.file("kivar.BAK")));

    // A name with neither extension: no backup, the file is replaced.
    testutil::WriteFile(dir.file("proj.dat"), "x");
    ASSERT_TRUE(SaveTxlFile(dir.file("proj.dat")));
    EXPECT_EQ(ListDir(dir.path(), "proj.*").size(), 3u);  // proj.txl, proj.BAK, proj.dat
    EXPECT_TRUE(ui.messages.empty());
}

// A failure at any step leaves the old file in place and is reported
// (unless the caller asked for quiet, as the auto-save does).
TEST_F(TxlWriteTest, FailedSaveKeepsTheOldFile) {
    const std::string path = dir.file("proj.txl");
    SmallProject(5);
    for (SafeWriteStage stage : {SafeWriteStage::Create, SafeWriteStage::Write, SafeWriteStage::Flush,
                                 SafeWriteStage::Backup, SafeWriteStage::Rename}) {
        SCOPED_TRACE(static_cast<int>(stage));
        testutil::WriteFile(path, "old");
        RemoveFile(dir.file("proj.BAK"));
        ui.messages.clear();
        SetSafeWriteFault([stage](SafeWriteStage s, const std::string&) { return s == stage; });
        EXPECT_FALSE(SaveTxlFile(path));
        EXPECT_EQ(testutil::ReadFile(path), "old");
        EXPECT_FALSE(FileExists(dir.file("proj.BAK")));
        ASSERT_EQ(ui.messages.size(), 1u);
        // The path, then the reason.
        EXPECT_EQ(ui.messages[0].text.rfind(path + ":\r", 0), 0u) << ui.messages[0].text;
        EXPECT_GT(ui.messages[0].text.size(), path.size() + 2);
        EXPECT_EQ(ui.messages[0].style, vbCritical);
        EXPECT_EQ(ListDir(dir.path()).size(), 1u);  // nothing left behind

        ui.messages.clear();
        EXPECT_FALSE(SaveTxlFile(path, false));
        EXPECT_TRUE(ui.messages.empty());
    }
    SetSafeWriteFault(nullptr);
}

TEST_F(TxlWriteTest, RefusedSaves) {
    SmallProject(5);
    // A name with a wildcard (the literal "*.txl", or "x.*" from the type
    // "All files"): S36 and nothing written.
    for (const std::string& name : {std::string("*.txl"), dir.file("x.*"), dir.file("a?.txl")}) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        EXPECT_FALSE(SaveTxlFile(name));
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Please enter a file name!");
        EXPECT_EQ(ui.messages[0].style, vbExclamation);
    }
    EXPECT_TRUE(ListDir(dir.path()).empty());

    // A text a counted string cannot hold: nothing written, the old file kept.
    const std::string path = dir.file("proj.txl");
    testutil::WriteFile(path, "old");
    gDestList[1].Text.assign(kMaxCountedString + 1, 'x');
    ui.messages.clear();
    EXPECT_FALSE(SaveTxlFile(path));
    EXPECT_EQ(testutil::ReadFile(path), "old");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Error # 6: \r", 0), 0u);

    // The same when the text comes late, after the first pieces of the file
    // have gone to the disk: no temporary file stays either.
    gDestList[1].Text.assign(kMaxCountedString, 'x');
    for (int i : {1, 2}) {
        gDestList[static_cast<size_t>(i)].SignData.assign(kMaxCountedString, 'd');
        gDestList[static_cast<size_t>(i)].AltText.assign(kMaxCountedString, 'a');
    }
    gDestList[9999].AltText.assign(kMaxCountedString + 1, 'x');
    ui.messages.clear();
    EXPECT_FALSE(SaveTxlFile(path));
    EXPECT_EQ(testutil::ReadFile(path), "old");
    EXPECT_EQ(ListDir(dir.path()), (std::vector<std::string>{"proj.txl"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text.rfind("Error # 6: \r", 0), 0u);
    gDestList[9999].AltText.clear();

    gDestList[1].Text.assign(kMaxCountedString, 'x');  // the longest that fits
    ui.messages.clear();
    EXPECT_TRUE(SaveTxlFile(path));
    txltest::ResetProject();
    EXPECT_EQ(OpenTxlFile(path), TxlReadResult::Read);
    EXPECT_EQ(gDestList[1].Text.size(), kMaxCountedString);
}

TEST_F(TxlWriteTest, CodesOnPutsTheTableInCodeOrder) {
    SmallProject(6);
    gDestList[1].Code = "ZZ  ";
    gDestList[2].Code = "AA  ";
    gDestList[9999].SignData.clear();
    gDestList[9999].Text.clear();
    DestList.Clear();
    AddListLine(1, true);
    AddListLine(2, true);
    const std::string path = dir.file("codes.txl");
    ASSERT_TRUE(SaveTxlFile(path));
    txltest::ResetProject();
    ASSERT_EQ(OpenTxlFile(path), TxlReadResult::Read);
    EXPECT_EQ(gDestList[1].Code, "AA  ");
    EXPECT_EQ(gDestList[2].Code, "ZZ  ");
}

// The template written at build time is the golden one.
TEST_F(TxlWriteTest, TemplateProject) {
    const std::string bytes = testutil::ReadFile(std::string(KIVAR_GEN_DIR) + "/standard.ini");
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("txl/standard_ini.hex", HexDump(bytes), &diff)) << diff;
    ASSERT_EQ(ReadTxlData(bytes, "standard.ini"), TxlReadResult::Read);
    EXPECT_EQ(BuildTxlFile(5), bytes);
}
