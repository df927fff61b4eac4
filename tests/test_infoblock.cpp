#include <gtest/gtest.h>

#include <filesystem>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/headmode.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "files/infoblock.h"
#include "files/outbytes.h"
#include "files/outoptions.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "platform/vbfile.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;

namespace {

std::string Bytes(std::initializer_list<int> b) {
    std::string s;
    for (int v : b) s += static_cast<char>(v);
    return s;
}

class InfoBlockTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        testutil::StageDataFolder(dir.path());
        for (const char* f : {"Test.kcm", "Empty.kcm"})
            testutil::WriteFile(dir.file(f), testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR "/kcm/") + f));
        gDataPath = dir.path();
        gLanguageFile = dir.file("English.lng");
        gLanguage = "English";
    }
    void TearDown() override {
        CloseCommandFile();
        kv::ResetAllState();
    }
    // The block of the empty command file and a new project.
    InfoBlockInput EmptyProject() {
        gCommandFile = "(Empty.kcm)";
        InfoBlockInput in;
        in.DestGroupTable = 10;
        in.ExtraGroupTable = 410;
        in.LineNoFieldCount = 3;
        return in;
    }
    // Payload of one tag, empty when the block lacks it.
    static std::string Payload(const std::string& block, const std::string& tag) {
        size_t p = 0;
        while (p + 4 <= block.size()) {
            size_t len = static_cast<unsigned char>(block[p + 2]) | static_cast<unsigned char>(block[p + 3]) << 8;
            if (block.compare(p, 2, tag) == 0) return block.substr(p + 4, len);
            p += 4 + len;
        }
        return "<none>";
    }
    testutil::TempDir dir;
    FakeUi ui;
};

}  // namespace

TEST(OutBytes, PointersOffsetsAndChecksums) {
    EXPECT_EQ(PointerBytes(0), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(PointerBytes(4095), Bytes({0xff, 0x0f, 0, 0}));
    EXPECT_EQ(PointerBytes(4096), Bytes({0, 0, 0, 1}));
    EXPECT_EQ(PointerBytes(1048575), Bytes({0xff, 0x0f, 0, 0xff}));
    EXPECT_THROW(PointerBytes(1048576), VbError);
    EXPECT_THROW(PointerBytes(-1), VbError);
    EXPECT_EQ(Le16(0x1234), Bytes({0x34, 0x12}));
    EXPECT_THROW(BlockLength(32768), VbError);
    EXPECT_EQ(BlockLength(32767), Bytes({0xff, 0x7f}));
    EXPECT_THROW(CountedText(std::string(256, 'a')), VbError);
    EXPECT_EQ(CountedText(std::string(255, 'a')).size(), 256u);

    // The first character is never counted.
    EXPECT_EQ(MakeChecksum(Bytes({0xff, 253})), Bytes({253}));
    EXPECT_EQ(MakeChecksum(Bytes({0xff, 254})), Bytes({254, 0}));
    EXPECT_EQ(MakeChecksum(Bytes({0, 200, 55})), Bytes({254, 1}));
    EXPECT_EQ(MakeChecksum(Bytes({7, 255, 255})), Bytes({254, 0}));  // 510
    EXPECT_EQ(MakeChecksum(Bytes({7, 128, 128})), Bytes({0}));
    EXPECT_EQ(MakeChecksum(""), Bytes({0}));

    std::string image = "ab";
    PutAt(image, 4, "xy");
    EXPECT_EQ(image, std::string("ab\0\0xy", 6));
    PutAt(image, 1, "Q");
    EXPECT_EQ(image, std::string("aQ\0\0xy", 6));
}

TEST_F(InfoBlockTest, EmptyCommandFileAndNewProject) {
    std::string block = BuildInfoBlock(810, EmptyProject());
    EXPECT_EQ(block.size(), 173u);
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("infoblock/empty_kcm.txt", DumpInfoBlock(block), &diff)) << diff;
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(gCommandFileNo, 0);
    EXPECT_EQ(FileOpenCount(), 0);
}

TEST_F(InfoBlockTest, FullProject) {
    gCommandFile = "Test set (Test.kcm)";
    gComrowMems = 9;
    gLineNumberOn = kTrue;
    gControlInfoOn = 1;
    gRouteNumberSeq = "-0123456789";
    gRouteNumberStartIndex = 2;
    gPromName = "North";
    InfoBlockInput in;
    in.DestGroupTable = 13;
    in.ExtraGroupTable = 413;
    in.RouteTable = 5000;
    in.Signs[0] = {"K4000", 112, 16, "FRONT"};
    in.Signs[1] = {"K2000_2R", 16, 16, "SIDE"};
    in.Signs[2] = {"K1000", 3, 1, "ROUTE"};
    in.Signs[3] = {"K4000", 160, 22, "REAR"};
    in.DestLastUsed = 1234;
    in.ExtraLastUsed = 5;
    in.DestCodesOn = true;
    in.ExtraPerSign = true;
    in.LineNoFieldCount = 3;
    in.AllowedCodeChars = {" 0123456789", " 0123456789AbCdEFHL", "ABC", "0123456789"};
    in.AllSignsTextA = "AB";

    std::string image(70000, 'x');
    int32_t pos = 70000;
    WriteInfoBlock(image, pos, in);
    EXPECT_EQ(pos, 70253);
    EXPECT_EQ(image.size(), 70253u);
    std::string block = image.substr(70000);
    std::string diff;
    EXPECT_TRUE(testutil::MatchesGolden("infoblock/full.txt", DumpInfoBlock(block), &diff)) << diff;
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(FileOpenCount(), 0);
}

TEST_F(InfoBlockTest, EdgesOfTheProjectValues) {
    // Command-row memories are kept to 1..6.
    for (auto [mems, written] : {std::pair{0, 1}, {-5, 1}, {1, 1}, {6, 6}, {9, 6}}) {
        InfoBlockInput in = EmptyProject();
        gComrowMems = static_cast<int16_t>(mems);
        EXPECT_EQ(static_cast<int>(Payload(BuildInfoBlock(0, in), "KR")[1]), written) << mems;
    }
    gComrowMems = 1;

    // The destination range follows the highest destination in use.
    for (auto [last, dn] : {std::pair{999, Bytes({0xe7, 0x03, 3})}, {1000, Bytes({0x0f, 0x27, 4})}}) {
        InfoBlockInput in = EmptyProject();
        in.DestLastUsed = static_cast<int16_t>(last);
        EXPECT_EQ(Payload(BuildInfoBlock(0, in), "DN").substr(6), dn) << last;
    }

    // Extra texts in use add the extra-text command; a route-number command
    // is offered only without the no-route-number option and its table.
    InfoBlockInput in = EmptyProject();
    in.ExtraLastUsed = 1;
    EXPECT_EQ(Payload(BuildInfoBlock(0, in), "KR"), Bytes({0, 1, 0, 3, 0, 1, 2, 3, 1, '0', 1, '0', 1, '0'}));
    in.ExtraLastUsed = 0;
    in.LineNoTableOn = true;
    EXPECT_EQ(Payload(BuildInfoBlock(0, in), "KR"), Bytes({0, 1, 0, 1, 1, 1, 1, '0'}));
    in.LineNoTableOn = false;
    gLineNumberOn = kTrue;
    EXPECT_EQ(Payload(BuildInfoBlock(0, in), "KR"), Bytes({0, 1, 0, 1, 1, 1, 1, '0'}));
    gLineNumberOn = 0;

    // Own characters only when the option is exactly 1.
    gRouteNumberSeq = "XYZ";
    gRouteNumberStartIndex = 3;
    gControlInfoOn = -1;
    EXPECT_EQ(Payload(BuildInfoBlock(0, in), "LN"), Bytes({3, 0, 1, 17}) + kDefaultRouteNumberSeq);
    gControlInfoOn = 1;
    EXPECT_EQ(Payload(BuildInfoBlock(0, in), "LN"), Bytes({3, 0, 2, 3}) + "XYZ");

    // Text-sign flags: route-number signs count only beside a text sign.
    in.Signs[5].Model = "K1000";
    EXPECT_EQ(Payload(BuildInfoBlock(0, in), "TF"), Bytes({0, 0}));
    in.Signs[14].Model = "K2000_1R";
    EXPECT_EQ(Payload(BuildInfoBlock(0, in), "TF"), Bytes({3, 0}));
    in.Signs[5].Model.clear();
    EXPECT_EQ(Payload(BuildInfoBlock(0, in), "TF"), Bytes({1, 0}));

    // Without codes there is no CI; the name is empty.
    std::string block = BuildInfoBlock(0, in);
    EXPECT_EQ(Payload(block, "CI"), "<none>");
    EXPECT_EQ(Payload(block, "PN"), "");
    EXPECT_EQ(block.substr(block.size() - 14), std::string("PN\0\0UO\x02\0\0\0LE\0\0", 14));
}

TEST_F(InfoBlockTest, CodesWithARouteNumberCommandAreCorrected) {
    InfoBlockInput in = EmptyProject();
    in.DestCodesOn = true;
    std::string block = BuildInfoBlock(0, in);
    EXPECT_EQ(ui.beeps, 1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].style, vbOKOnly);
    EXPECT_EQ(ui.messages[0].text.rfind("Alfanumeriska destinationsnummer", 0), 0u);
    // The route-number command is left out; the build goes on.
    EXPECT_EQ(Payload(block, "KR"), Bytes({0, 1, 0, 1, 1, 1, 1, '0'}));
    EXPECT_EQ(Payload(block, "CI"), Bytes({0, 0, 0, 0, 0, 0, 4, 0}));
}

TEST_F(InfoBlockTest, CustomerInfoDigitRuns) {
    InfoBlockInput in;
    in.DestLastUsed = 300;
    // A run of digits is taken out wherever it stands; digits that do not
    // form the whole run do not set the bit.
    in.AllowedCodeChars = {"A0123456789B0123456789", "012345678", "", "0123456789"};
    EXPECT_EQ(BuildCustomerInfo(in), Bytes({0x2c, 0x01, 4, 0x09, 2, 'A', 'B'}));
}

TEST_F(InfoBlockTest, FailuresEndTheBuildAndCloseTheFile) {
    auto errorOf = [&](const InfoBlockInput& in) {
        try {
            BuildInfoBlock(0, in);
        } catch (const VbError& e) {
            EXPECT_EQ(FileOpenCount(), 0);
            EXPECT_EQ(gCommandFileNo, 0);
            return e.number;
        }
        return 0;
    };
    // A missing command file: the message, then the build fails.
    InfoBlockInput in = EmptyProject();
    gCommandFile = "Gone (Missing.kcm)";
    EXPECT_EQ(errorOf(in), 52);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Cannot open the command file " + dir.file("Missing.kcm") + "!");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);

    const std::string cases[][2] = {
        {"[SkyltTest]\r\nNEDRAKNINGSTID=256\r\n", "6"},
        {"[SkyltTest]\r\nPAUSTID=-1\r\n", "6"},
        {"[IntroTexter]\r\nPAUSTID=ten\r\n", "13"},
        {"[IntroTexter]\r\nPAUSTID=\r\n", "13"},
        {"[IntroTexter]\r\nPAUSTID=12abc\r\n", "13"},
        {"[FlashFel]\r\nTANKANYTT=\"" + std::string(256, 'x') + "\"\r\n", "5"},
    };
    for (const auto& c : cases) {
        testutil::WriteFile(dir.file("Bad.kcm"), c[0]);
        in = EmptyProject();
        gCommandFile = "(Bad.kcm)";
        EXPECT_EQ(errorOf(in), std::stoi(c[1])) << c[0];
    }
    // 255 characters still fit.
    testutil::WriteFile(dir.file("Bad.kcm"), "[FlashFel]\r\nTANKANYTT=\"" + std::string(255, 'x') + "\"\r\n");
    EXPECT_EQ(errorOf(in), 0);

    in = EmptyProject();
    in.Signs[4] = {"K4000", 300, 16, "WIDE"};
    EXPECT_EQ(errorOf(in), 5);
    in = EmptyProject();
    in.DestGroupTable = 1048576;
    EXPECT_EQ(errorOf(in), 6);
    in = EmptyProject();
    in.AllSignsTextA = std::string(32768, 'a');
    EXPECT_EQ(errorOf(in), 6);
    in = EmptyProject();
    gControlInfoOn = 1;
    gRouteNumberStartIndex = 0;
    EXPECT_EQ(errorOf(in), 5);
    gControlInfoOn = 0;
    gPromName = std::string(251, 'n');  // "Prg: " and the name no longer fit a counted text
    EXPECT_EQ(errorOf(in), 5);
    gPromName.clear();
    // The block itself must end below 1 MiB.
    EXPECT_EQ([&] {
        try {
            BuildInfoBlock(1048500, EmptyProject());
        } catch (const VbError& e) {
            return e.number;
        }
        return 0;
    }(), 6);
}

TEST_F(InfoBlockTest, NumberKeys) {
    struct Case {
        const char* value;
        int number;  // -1: type mismatch, -2: out of range
    } cases[] = {
        {"12", 12}, {" 12 ", 12}, {"\"7\"", 7}, {"12.5", 12}, {"13.5", 14}, {"&H10", 16}, {"&hff", 255},
        {"2e2", 200}, {"+3", 3}, {"255", 255}, {"0", 0},
        {"256", -2}, {"-1", -2}, {"1e9", -2},
        {"abc", -1}, {"", -1}, {"1 2", -1}, {"&H", -1}, {"&Hxyz", -1}, {"1e", -1}, {".", -1},
    };
    for (const Case& c : cases) {
        testutil::WriteFile(dir.file("N.kcm"), "[S]\r\nK=" + std::string(c.value) + "\r\n");
        int16_t fn = OpenCommandFile(dir.file("N.kcm"));
        ASSERT_GT(fn, 0);
        try {
            EXPECT_EQ(CommandNumber(fn, "S", "K"), c.number) << c.value;
        } catch (const VbError& e) {
            EXPECT_EQ(e.number, c.number == -1 ? 13 : 6) << c.value;
        }
        EXPECT_EQ(CommandNumber(fn, "S", "Absent"), 0);
        EXPECT_EQ(CommandText(fn, "Other", "K"), "0");
        CloseCommandFile();
    }
}

TEST_F(InfoBlockTest, CommandFilePaths) {
    struct Case {
        const char* entry;
        const char* name;
    } cases[] = {
        {"(EnglskTD.kcm)", "EnglskTD.kcm"},
        {"English (EnglskTD.kcm)", "EnglskTD.kcm"},
        {"A (b) (c.kcm)", "c.kcm"},
        {"x.kcm)", "x.kcm"},
        {"", ""},
        {"(", ""},
        {"()", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(PathFromParenthesis(c.entry), dir.path() + "/" + c.name) << c.entry;

    // No choice (a data folder without command files when the options were
    // stored) reads the shipped file.
    InfoBlockInput in = EmptyProject();
    gCommandFile.clear();
    EXPECT_NE(BuildInfoBlock(0, in).find("Loading done"), std::string::npos);
    std::filesystem::remove(dir.file("EnglskTD.kcm"));
    EXPECT_THROW(BuildInfoBlock(0, in), VbError);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Cannot open the command file " + dir.file("EnglskTD.kcm") + "!");
}

TEST_F(InfoBlockTest, ListsTheCommandFilesOfTheDataFolder) {
    int selected = -2;
    std::vector<std::string> items = ListCommandFiles("Test set (Test.kcm)", selected);
    ASSERT_EQ(items, (std::vector<std::string>{"0 (Empty.kcm)", "English (EnglskTD.kcm)", "Test set (Test.kcm)"}));
    EXPECT_EQ(selected, 2);
    ListCommandFiles("English (EnglskTD.kcm)", selected);
    EXPECT_EQ(selected, 1);
    // The stored default names no item: the last one is chosen.
    ListCommandFiles(kDefaultCommandFile, selected);
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(FileOpenCount(), 0);

    // A name that cannot be read is reported and left out.
    std::filesystem::create_directory(dir.file("Folder.kcm"));
    items = ListCommandFiles("", selected);
    EXPECT_EQ(items.size(), 3u);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find("Folder.kcm"), std::string::npos);

    gDataPath = dir.file("nothing-here");
    EXPECT_TRUE(ListCommandFiles("", selected).empty());
    EXPECT_EQ(selected, -1);
}

TEST_F(InfoBlockTest, ShippedCommandFileHasEveryKey) {
    const std::string path = std::string(KIVAR_DATA_DIR) + "/EnglskTD.kcm";
    const std::string bytes = testutil::ReadFile(path);
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare line feed at " << i;
        }
        if (bytes[i] == '\r') {
            EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "bare CR at " << i;
        }
    }
    const std::pair<const char*, std::vector<const char*>> texts[] = {
        {"Generell", {"SPRAAKBESKRIVNING"}},
        {"KommandoRad", {"LINJENUMMER", "DESTNUMMER", "EXTRANUMMER"}},
        {"SkyltTest", {"HOLDBUTTONS", "RELEASEBUTTONS", "SELFTEST"}},
        {"IntroTexter", {"VERSIONTEXT"}},
        {"TankningFlash", {"TANKNING1", "TANKNING2", "TANKNINGKLAR", "TANKNINGSFEL"}},
        {"FlashFel", {"FEL", "INGATEXTER", "INGATYPSNITT", "INGAKONTROLLDATA", "TANKANYTT"}},
    };
    int16_t fn = OpenCommandFile(path);
    ASSERT_GT(fn, 0);
    for (auto& [section, keys] : texts) {
        for (const char* key : keys) {
            std::string v = CommandText(fn, section, key);
            EXPECT_NE(v, "0") << section << "/" << key;
            EXPECT_TRUE(v.size() >= 2 && v.size() <= 40) << key;
        }
    }
    EXPECT_GT(CommandNumber(fn, "SkyltTest", "NEDRAKNINGSTID"), 0);
    EXPECT_GT(CommandNumber(fn, "SkyltTest", "PAUSTID"), 0);
    EXPECT_GT(CommandNumber(fn, "IntroTexter", "PAUSTID"), 0);
    CloseCommandFile();

    // A new project builds its block from it.
    InitOutFileDefaults();
    InfoBlockInput in;
    in.ExtraLastUsed = 2;
    std::string block = BuildInfoBlock(0, in);
    EXPECT_NE(block.find("\x0c" "Destination?"), std::string::npos);
    EXPECT_NE(block.find("Loading failed"), std::string::npos);
    EXPECT_TRUE(ui.messages.empty());
}

TEST(InfoBlockInput, TakenFromTheProject) {
    kv::ResetAllState();
    gSignInfo[0].Model = "K4000";
    gSignInfo[0].Width = 112;
    gSignInfo[0].Height = 16;
    gSignInfo[0].Name = "FRONT";
    gSignInfo[14].Model = "K1000";
    DestList.AddItem("  12   x");
    ExtraList.AddItem("   3   y");
    gLineNoTableOn = kTrue;
    gExtraPerSign = kTrue;
    gAllowedCodeChars = {"a", "b", "c", "d"};

    InfoBlockInput in = CurrentInfoBlockInput();
    EXPECT_EQ(in.Signs[0].Model, "K4000");
    EXPECT_EQ(in.Signs[0].Width, 112);
    EXPECT_EQ(in.Signs[0].Name, "FRONT");
    EXPECT_EQ(in.Signs[14].Model, "K1000");
    EXPECT_EQ(in.DestLastUsed, 12);
    EXPECT_EQ(in.ExtraLastUsed, 3);
    EXPECT_FALSE(in.DestCodesOn);
    EXPECT_TRUE(in.LineNoTableOn);
    EXPECT_TRUE(in.ExtraPerSign);
    EXPECT_EQ(in.AllowedCodeChars[3], "d");

    OutFilePrefsInput p = CurrentOutFilePrefsInput(kTrue);
    EXPECT_EQ(p.DestLastUsed, 12);
    EXPECT_EQ(p.Project.DocumentModified, kTrue);
    EXPECT_EQ(p.Project.ExtraPerSign, kTrue);
    p.Project.TxlVersion = 6;
    p.Project.DestCodesOn = kTrue;
    p.Project.ExtraPerSign = 0;
    StoreProjectState(p.Project);
    EXPECT_EQ(gTxlVersion, 6);
    EXPECT_EQ(gDestCodesOn, kTrue);
    EXPECT_EQ(gExtraPerSign, 0);

    gLineNoTableOn = 0;
    kv::ResetAllState();
}
