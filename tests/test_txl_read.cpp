// Reading project files: hand-made files of every format version, the
// optional parts, the trailer, damaged files and the template fallback.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <sstream>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/records.h"
#include "data/charmap.h"
#include "data/signtable.h"
#include "engine/fontlib.h"
#include "files/txlbytes.h"
#include "files/txlread.h"
#include "files/txlsynth.h"
#include "files/txlwrite.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/txl_state.h"

using namespace kv;
using testsigns::SignLine;
using txltest::Bytes;

namespace {

const char* const kTags[8] = {"!TXL_ID:Kivar 1.5!",  "!TXL_ID:OutfileConfig_3!", "!TXL_ID:OutfileConfig_2!",
                              "!TXL_ID:OutfileConfig!", "",                     "!TXL_ID:Kivar 1.5.3!",
                              "!TXL_ID:Kivar 1.5.5!", "!TXL_ID:Kivar32!"};

// What the hand-made files vary besides the version.
struct FileSpec {
    int version = 5;
    std::string tag;        // replaces the version's tag when not empty
    std::string v7mark = "001";
    std::string v7flags = "1" + std::string(19, '0');  // codes on
    bool twoDirec = false;  // the refused block after the sign lines
    bool srad = false;      // records carry the ten-character field
    bool trailer = true;
    bool codes = false;     // records carry codes (set for 6, and 7 with codes on)
};

// Fields 1-8: route-number count 4, the user fields, the out-file name "NAME",
// sign FRONT (address left-aligned) and SIDE (address right-aligned).
void Head(Bytes& b) {
    b.I(4).S("2024-01-02").S("Resp").S("Oth").S("Comp").S("NAME");
    b.I(2).S(SignLine("FRONT", "K4000", "112x16", "2 ")).S(SignLine("SIDE", "K2000_1R", "16", " 5"));
}

// Fields 13-18 as the version holds them.
void Config(Bytes& b, int v) {
    b.S(" 2: \"FRONT\", K4000");            // 13 sign to show
    b.I(1).I(1).I(3).I(1);                  // 14 font section, command row, memories, control info
    if (v != 3) b.I(-1);                    // 15 route number on
    b.S("Desc (EnglskTD.kcm)").S(" 0123456789AB");  // 16
    b.I(3);                                 // 17 start index
    if (v == 1) b.I(-1);                    // 18a
    if (v == 0 || v >= 5) b.I(0).I(0).I(4).I(2).S("1234");  // 18a-e: right, 4 characters, 2 dots
}

const std::string kSD0 = "\xFF\x02" "A";
const std::string kSD12 = "\xFF\x02" "BB\xB0\x05" "C";

void Records(Bytes& b, const FileSpec& f) {
    const int v = f.version;
    b.I(2);
    // destination 0: flag 1 (true)
    b.I(0).I(5).I(1).S("\xFF" "FRONT## zero").S(kSD0);
    if (v >= 5) b.S("alt0");
    if (f.codes) b.S("A1  ");
    if (f.srad) b.S("1234567890");
    // destination 12: flag -1 (only 1 reads as true)
    b.I(12).I(3).I(-1).S("\xFF" "FRONT## twelve").S(kSD12);
    if (v >= 5) b.S("");
    if (f.codes) b.S("B2  ");
    if (f.srad) b.S("0987654321");
    // one extra text without per-sign sections
    b.I(1).I(7).I(4).S("# extra").S("E");
    if (v == 5) b.S("xalt");
}

std::string MakeFile(const FileSpec& f) {
    Bytes b;
    const int v = f.version;
    Head(b);
    if (f.twoDirec) b.S("!TXL_ID:TwoDirec!").I(1);
    if (v != 4) b.S(f.tag.empty() ? kTags[v] : f.tag);
    if (v == 7) b.R(f.v7mark).R(f.v7flags);
    if (v != 4) Config(b, v);
    Records(b, f);
    if (f.trailer) b.I(0).I(0).I(1).I(12).I(3).R("12A");
    return b.str();
}

class TxlReadTest : public ::testing::Test {
protected:
    void SetUp() override { Fresh(); }
    // A fresh project, with a route-number font whose "0" is 5 dots wide.
    void Fresh() {
        txltest::ResetProject();
        gDefaultRouteNoFont[16 - kMinFontHeight] = "r";
        SetRouteNoCharMeasure([](const std::string& font, int16_t ch, int16_t& w, int16_t& h) {
            if (font != "r" || ch != '0') return false;
            w = 27;  // 5 whole dots
            h = 35;
            return true;
        });
        head.pictureWidth = 600;
    }
    void TearDown() override { txltest::ResetProject(); }

    // The state of a previous project, to see what a reading keeps.
    void PreviousProject() {
        gCommandRowOn = 0;
        gFontSectionOn = 0;
        gComrowMems = 9;
        gControlInfoOn = 0;
        gLineNumberOn = 0;
        gCommandFile = "Old (old.kcm)";
        gRouteNumberSeq = "xyz";
        gRouteNumberStartIndex = 1;
        gSignToShow = "old";
        gExtraPerSign = 0;
        gLineNoFieldCount = 2;
        gRouteNoLeft = -1;
        gRouteNoPos = 33;
        gLineNoFields = "prev";
        gRouteNoX = 111;
        gRouteNoAreaWidth = 222;
        gRouteNoAreaHeight = 44;
        gPromName = "oldprom";
        gAsciiName = "99";
        gLineNoTable[500] = "from the previous project";
        gRouteNoFieldPlaced = kTrue;
    }

    TxlReadResult Read(const std::string& bytes, const std::string& path = "p.txl") {
        gDocumentPath = path;
        return ReadTxlData(bytes, path);
    }

    FakeUi ui;
    txltest::FakeHead head;
};

}  // namespace

// One hand-made file per version, each read as its version says.
TEST_F(TxlReadTest, EveryVersion) {
    for (int v = 0; v <= 7; ++v) {
        SCOPED_TRACE("version " + std::to_string(v));
        Fresh();
        ui.messages.clear();
        PreviousProject();
        FileSpec f;
        f.version = v;
        f.codes = v == 6 || v == 7;
        ASSERT_EQ(Read(MakeFile(f)), TxlReadResult::Read);
        EXPECT_TRUE(ui.messages.empty()) << ui.messages[0].text;
        EXPECT_EQ(gTxlVersion, v);
        EXPECT_EQ(gDocumentPath, "p.txl");
        EXPECT_EQ(gUserDate, "2024-01-02");
        EXPECT_EQ(gUserCompany, "Comp");

        // Signs: both address alignments.
        EXPECT_EQ(SignInfoOf(2).Model, "K4000");
        EXPECT_EQ(SignInfoOf(2).Width, 112);
        EXPECT_EQ(SignInfoOf(5).Name, "SIDE");
        EXPECT_TRUE(gSignEntry[0].Used && gSignEntry[3].Used);
        EXPECT_EQ(gCurrentSign, 2);

        const bool config = v != 4;
        EXPECT_EQ(gOutCfgLoaded, config ? kTrue : kFalse);
        EXPECT_EQ(gCommandRowOn, config ? 1 : 0);
        EXPECT_EQ(gComrowMems, config ? 3 : 9);
        EXPECT_EQ(gCommandFile, config ? "Desc (EnglskTD.kcm)" : "Old (old.kcm)");
        EXPECT_EQ(gSignToShow, config ? " 2: \"FRONT\", K4000" : "old");
        EXPECT_EQ(gLineNumberOn, config && v != 3 ? -1 : 0);
        // The font section follows the layout whatever the file says.
        EXPECT_EQ(gFontSectionOn, config ? kTrue : kFalse);
        // The out-file name goes to the layout-1.5 name, or in version 4 to the old one.
        EXPECT_EQ(gPromName, config ? "NAME" : "oldprom");
        EXPECT_EQ(gAsciiName, config ? "99" : "NAME");
        EXPECT_EQ(gDestCodesOn, (v == 6 || v == 7) ? kTrue : kFalse);

        // Route-number settings: read and placed (0, 5, 6, 7), the old
        // defaults (1, 2), untouched (3, 4; field 1 stays in 3 and 4).
        if (v == 0 || v >= 5) {
            EXPECT_EQ(gRouteNoLeft, 0);
            EXPECT_EQ(gLineNoFieldCount, 4);
            EXPECT_EQ(gRouteNoPos, 2);
            EXPECT_EQ(gLineNoFields, "1234");
            EXPECT_EQ(gRouteNoFont, "r");
            EXPECT_EQ(gRouteNoAreaWidth, 100);
            EXPECT_EQ(gRouteNoAreaHeight, 35);
            EXPECT_EQ(gRouteNoX, 600 - 100 - 10);
        } else if (v == 1 || v == 2) {
            EXPECT_EQ(gRouteNoLeft, -1);
            EXPECT_EQ(gLineNoFieldCount, 3);
            EXPECT_EQ(gLineNoFields, "4567890");
            EXPECT_EQ(gRouteNoAreaWidth, 135);
            EXPECT_EQ(gRouteNoAreaHeight, 65);
            EXPECT_EQ(gRouteNoX, 0);
            EXPECT_EQ(gRouteNoPos, 33);
        } else {
            EXPECT_EQ(gLineNoFieldCount, 4);
            EXPECT_EQ(gLineNoFields, "prev");
            EXPECT_EQ(gRouteNoX, 111);
            EXPECT_EQ(gRouteNoAreaWidth, 222);
        }
        EXPECT_EQ(gRouteNoFieldPlaced, kFalse);

        // Records.
        const DestRecord& d0 = gDestList[0];
        const DestRecord& d12 = gDestList[12];
        EXPECT_EQ(d0.ChangeTime, 5);
        EXPECT_EQ(d0.Flag, kTrue);
        EXPECT_EQ(d12.Flag, kFalse);
        EXPECT_EQ(d12.SignData, kSD12);
        EXPECT_EQ(d0.AltText, v >= 5 ? "alt0" : "");
        EXPECT_EQ(d0.Code, f.codes ? "A1  " : "0   ");
        EXPECT_EQ(d12.Code, f.codes ? "B2  " : "12  ");
        EXPECT_EQ(d12.Srad, "0000000000");
        EXPECT_EQ(gExtraList[7].Text, "# extra");
        EXPECT_EQ(gExtraList[7].ChangeTime, 4);
        EXPECT_EQ(gExtraList[7].AltText, v == 5 ? "xalt" : "");
        // The first extra text has no per-sign sections, whatever 18a said.
        EXPECT_EQ(gExtraPerSign, kFalse);
        // Destination 0 has no list line.
        EXPECT_EQ(DestList.ListCount(), 1);
        EXPECT_EQ(ExtraList.ListCount(), 1);

        // The trailer: one route-number text, the mode on; the previous
        // project's texts are gone.
        EXPECT_EQ(gLineNoTableOn, kTrue);
        EXPECT_EQ(gLineNoTable[12], "12A");
        EXPECT_EQ(gLineNoTable[500], "");
        EXPECT_EQ(gTenCharFieldOn, kFalse);
    }
}

TEST_F(TxlReadTest, SradSuffixAndVersion7Flags) {
    struct Case {
        const char* what;
        FileSpec f;
        bool srad;
    };
    FileSpec yes;
    yes.tag = std::string(kTags[5]) + "SRAD=Y";
    yes.srad = true;
    FileSpec other = yes;
    other.tag = std::string(kTags[5]) + "SRAD=YES";
    other.srad = false;
    FileSpec v7;
    v7.version = 7;
    v7.v7flags = "01" + std::string(18, '0');  // codes off, ten-character field on
    v7.srad = true;
    FileSpec v7srad = v7;
    v7srad.tag = std::string(kTags[7]) + "SRAD=N";
    const Case cases[] = {{"SRAD=Y", yes, true}, {"SRAD=YES", other, false}, {"v7 flag", v7, true}, {"v7 flag over SRAD=N", v7srad, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        ui.messages.clear();
        ASSERT_EQ(Read(MakeFile(c.f)), TxlReadResult::Read);
        EXPECT_EQ(gTxlVersion, c.f.version);
        EXPECT_EQ(gDestList[0].Srad, c.srad ? "1234567890" : "0000000000");
        EXPECT_EQ(gDestList[12].Srad, c.srad ? "0987654321" : "0000000000");
        // "Bad format!" once per file, not once per record.
        ASSERT_EQ(ui.messages.size(), c.srad ? 1u : 0u);
        if (c.srad) {
            EXPECT_EQ(ui.messages[0].text, "Bad format!");
        }
        EXPECT_EQ(gTenCharFieldOn, kFalse);
        if (c.f.version == 7) {
            EXPECT_EQ(gDestCodesOn, kFalse);
        }
    }
}

TEST_F(TxlReadTest, Version7MarkAndTwoDirectionBlockAreToldButRead) {
    FileSpec f;
    f.version = 7;
    f.v7mark = "002";
    f.twoDirec = true;
    f.codes = true;
    ASSERT_EQ(Read(MakeFile(f)), TxlReadResult::Read);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, "Dubbelriktad programmering\rst\xF6" "ds inte l\xE4ngre av KIVAR!");
    EXPECT_EQ(ui.messages[0].style, vbOKCancel | vbInformation);
    EXPECT_EQ(ui.messages[1].text, "TXL-version: 002\r\nUpdate Kivar32");
    EXPECT_EQ(ui.messages[1].style, vbInformation);
    EXPECT_EQ(gDestList[12].Code, "B2  ");
    EXPECT_EQ(gLineNoTable[12], "12A");
}

TEST_F(TxlReadTest, FileEndingAfterTheExtraTexts) {
    gLineNoTableOn = kTrue;
    FileSpec f;
    f.trailer = false;
    ASSERT_EQ(Read(MakeFile(f)), TxlReadResult::Read);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(gLineNoTableOn, kFalse);
    ASSERT_FALSE(head.routeControls.empty());
    EXPECT_FALSE(head.routeControls.back());
    EXPECT_FALSE(LastTxlReadInfo().trailerPresent);
}

TEST_F(TxlReadTest, ExtraTextsWithSectionsSwitchExtraPerSignOn) {
    FileSpec f;
    Bytes b;
    Head(b);
    b.S(kTags[5]);
    Config(b, 5);  // 18a says off
    b.I(0);
    b.I(2).I(3).I(3).S("\xFF" "FRONT## x").S("\xFF\x02" "x").S("").I(4).I(3).S("# y").S("y").S("");
    ASSERT_EQ(Read(b.str()), TxlReadResult::Read);
    EXPECT_EQ(gExtraPerSign, kTrue);

    // No extra texts: 18a decides.
    Fresh();
    Bytes c;
    Head(c);
    c.S(kTags[0]).S("").I(1).I(1).I(1).I(0).I(0).S("").S("").I(2).I(-1).I(-1).I(3).I(0).S("4567").I(0).I(0);
    ASSERT_EQ(Read(c.str()), TxlReadResult::Read);
    EXPECT_EQ(gExtraPerSign, kTrue);
}

// The trailer: old route-number tables, the text table and where it may end.
TEST_F(TxlReadTest, Trailer) {
    Bytes body;
    Head(body);
    body.S(kTags[5]);
    Config(body, 5);
    body.I(0).I(0);  // no records

    struct Case {
        const char* what;
        std::string trailer;
        int16_t mode;
        std::vector<std::pair<int, std::string>> texts;
    };
    std::string full;
    {
        Bytes t;
        t.I(0).I(0).I(1000);
        for (int i = 0; i < 1000; ++i) t.I(i).I(static_cast<int>(std::to_string(i).size())).R(std::to_string(i));
        full = t.str();
    }
    const Case cases[] = {
        {"old tables", Bytes().I(2).I(1).I(0).I(12).I(345).I(0).I(13).I(-7).I(1).I(2).I(0).str(), kTrue,
         {{12, "345"}, {13, "-7"}}},
        {"old and new", Bytes().I(1).I(0).I(0).I(3).I(9).I(1).I(4).I(2).R("R4").str(), kTrue, {{3, "9"}, {4, "R4"}}},
        {"a thousand texts", full, kTrue, {{0, "0"}, {999, "999"}}},
        {"more than a thousand", Bytes().I(0).I(0).I(1001).I(1).I(1).R("x").str(), kFalse, {{1, ""}}},
        {"ends inside a text", Bytes().I(0).I(0).I(2).I(1).I(1).R("a").I(2).I(5).R("ab").str(), kFalse, {{1, "a"}, {2, ""}}},
        {"ends inside a text, old table kept", Bytes().I(1).I(0).I(0).I(5).I(6).I(1).I(1).I(3).R("a").str(), kTrue,
         {{5, "6"}}},
        {"ends after the first count", Bytes().I(0).str(), kFalse, {}},
        {"ends inside the old table", Bytes().I(2).I(0).I(0).I(5).I(6).I(0).str(), kFalse, {{5, "6"}}},
        {"ends before the text count", Bytes().I(1).I(0).I(0).I(5).I(6).str(), kTrue, {{5, "6"}}},
        {"both old counts above 999", Bytes().I(1000).I(1000).I(1).I(8).I(1).R("8").str(), kTrue, {{8, "8"}}},
        {"no texts", Bytes().I(0).I(0).I(0).str(), kFalse, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        ui.messages.clear();
        gLineNoTable[700] = "old";
        ASSERT_EQ(Read(body.str() + c.trailer), TxlReadResult::Read);
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(gLineNoTableOn, c.mode);
        for (auto& [i, text] : c.texts) EXPECT_EQ(gLineNoTable[static_cast<size_t>(i)], text) << i;
        EXPECT_NE(gLineNoTable[700], "old");  // the previous project's text is gone
    }
}

// Damage: always a read error, said once, the part before it kept, untitled.
TEST_F(TxlReadTest, DamagedFiles) {
    FileSpec good;
    const std::string file = MakeFile(good);
    Bytes head5;
    Head(head5);
    head5.S(kTags[5]);
    Config(head5, 5);
    const std::string h = head5.str();
    const std::string rec0 = Bytes().I(0).I(3).I(0).S("t").S("s").S("").str();

    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"negative text length", Bytes().I(3).I(-2).str()},
        {"text longer than the file", Bytes().I(3).I(200).R("abc").str()},
        {"sixteen sign lines", Bytes().I(3).S("").S("").S("").S("").S("").I(16).str()},
        {"negative sign count", Bytes().I(3).S("").S("").S("").S("").S("").I(-1).str()},
        {"destination count above 10000", h + Bytes().I(10001).str()},
        {"negative destination count", h + Bytes().I(-1).str()},
        {"destination number 10000", h + Bytes().I(1).I(10000).str()},
        {"destination number -1", h + Bytes().I(1).I(-1).str()},
        {"extra-text count above 1000", h + Bytes().I(1).str() + rec0 + Bytes().I(1001).str()},
        {"extra-text number 1000", h + Bytes().I(1).str() + rec0 + Bytes().I(1).I(1000).str()},
        {"negative length in a record", h + Bytes().I(2).str() + rec0 + Bytes().I(5).I(3).I(0).I(-5).str()},
        {"ends after the destinations", h + Bytes().I(1).str() + rec0},
        {"route-number text number 1000", file.substr(0, file.size() - 13) + Bytes().I(0).I(0).I(1).I(1000).I(1).R("x").str()},
        {"negative route-number text length", file.substr(0, file.size() - 13) + Bytes().I(0).I(0).I(1).I(1).I(-1).str()},
        {"old route-number table number 1000", file.substr(0, file.size() - 13) + Bytes().I(1).I(0).I(0).I(1000).I(1).str()},
        {"empty file", ""},
        // What the writer never stores.
        {"an empty sign line", Bytes().I(3).S("").S("").S("").S("").S("").I(1).S("").str()},
        {"a destination without sign data", h + Bytes().I(1).I(4).I(3).I(0).S("t").S("").S("").str()},
        {"a destination number twice", h + Bytes().I(2).str() + rec0 + rec0},
        {"destination numbers going down", h + Bytes().I(2).I(5).I(3).I(0).S("t").S("s").S("").str() + rec0},
        {"an extra text without sign data", h + Bytes().I(1).str() + rec0 + Bytes().I(1).I(3).I(3).S("x").S("").S("").str()},
        {"extra-text numbers going down",
         h + Bytes().I(0).I(2).I(8).I(3).S("x").S("e").S("").I(7).I(3).S("y").S("f").S("").str()},
        {"bytes after the end", file + "x"},
        {"NUL bytes after the end", file + std::string(100, '\0')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Fresh();
        ui.messages.clear();
        head.captions.clear();
        EXPECT_EQ(Read(c.bytes, "/x/bad.txl"), TxlReadResult::ReadError);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Error while reading the project file /x/bad.txl !");
        EXPECT_EQ(ui.messages[0].style, vbExclamation);
        EXPECT_EQ(gDocumentPath, "");
        ASSERT_FALSE(head.captions.empty());
        EXPECT_EQ(head.captions.back(), "Kivar32\xAE <Untitled>");
    }

    // What was read before the damage stays.
    Fresh();
    Read(h + Bytes().I(2).str() + rec0 + Bytes().I(5).I(3).I(0).I(-5).str());
    EXPECT_EQ(gDestList[0].Text, "t");
    EXPECT_EQ(SignInfoOf(2).Name, "FRONT");

    // Every cut before the end of the extra texts is damage; a cut in the
    // trailer is not.
    const size_t extrasEnd = file.size() - 13;
    for (size_t cut = 0; cut < file.size(); ++cut) {
        Fresh();
        ui.messages.clear();
        const TxlReadResult r = Read(file.substr(0, cut));
        if (cut < extrasEnd) {
            EXPECT_EQ(r, TxlReadResult::ReadError) << cut;
            EXPECT_EQ(ui.messages.size(), 1u) << cut;
        } else {
            EXPECT_EQ(r, TxlReadResult::Read) << cut;
            EXPECT_TRUE(ui.messages.empty()) << cut;
        }
    }
}

// Zeros where a project stood, as a power loss leaves them: a file of NUL
// bytes, and a project of each format version whose end is NUL bytes up to
// its length, wherever they start (short of its last route-number text's
// own characters, which zeros leave a text of the same length). None reads
// as a project: each is damage, said once.
TEST_F(TxlReadTest, ZeroFilledAndZeroTailedFilesOfEveryVersion) {
    for (int v = 0; v <= 7; ++v) {
        FileSpec f;
        f.version = v;
        f.codes = v == 6 || v == 7;
        const std::string file = MakeFile(f);
        ASSERT_EQ(Read(file), TxlReadResult::Read) << v;
        std::vector<std::pair<std::string, std::string>> cases = {{"zero-filled", std::string(file.size(), '\0')},
                                                                  {"4096 NUL bytes", std::string(4096, '\0')}};
        for (size_t cut = 1; cut + 5 <= file.size(); ++cut)
            cases.push_back({"NUL bytes from " + std::to_string(cut), file.substr(0, cut) + std::string(file.size() - cut, '\0')});
        int failures = 0;
        for (const auto& [what, bytes] : cases) {
            SCOPED_TRACE("version " + std::to_string(v) + ", " + what);
            Fresh();
            ui.messages.clear();
            EXPECT_EQ(Read(bytes, "/x/kivar.txl"), TxlReadResult::ReadError);
            ASSERT_FALSE(ui.messages.empty());
            EXPECT_EQ(ui.messages.back().text, "Error while reading the project file /x/kivar.txl !");
            if (::testing::Test::HasFailure() && ++failures > 3) return;
        }
    }
}

TEST_F(TxlReadTest, CurrentSignFollowsTheConfiguration) {
    gCurrentSign = 9;
    ASSERT_EQ(Read(MakeFile(FileSpec{})), TxlReadResult::Read);
    EXPECT_EQ(gCurrentSign, 2);

    Fresh();
    gCurrentSign = 5;
    ASSERT_EQ(Read(MakeFile(FileSpec{})), TxlReadResult::Read);
    EXPECT_EQ(gCurrentSign, 5);
}

TEST_F(TxlReadTest, LeftPlacedRouteNumberArea) {
    Bytes b;
    Head(b);
    b.S(kTags[5]).S("").I(1).I(1).I(1).I(0).I(0).S("").S("").I(2).I(0);
    b.I(-1).I(3).I(7).S("4567");  // left, 3 characters, 7 dots in
    b.I(0).I(0);
    ASSERT_EQ(Read(b.str()), TxlReadResult::Read);
    EXPECT_EQ(gRouteNoX, 35);
    EXPECT_EQ(gRouteNoY, 0);
    EXPECT_EQ(gRouteNoAreaWidth, 75);
}

// Without a measure of its own the reader measures the "0" of the sign
// height's route-number font in the font library: font "e" (16 dots high)
// has a "0" of 9 x 16 dots.
TEST_F(TxlReadTest, RouteNumberAreaFromTheFontLibrary) {
    SetRouteNoCharMeasure(nullptr);
    gFontPath = std::string(KIVAR_DATA_DIR) + "/Fonts/";
    ASSERT_TRUE(LoadFontLibraryFile(std::string(KIVAR_GEN_DIR) + "/Fonts/kstndrd.bib"));
    BuildFontStartTable();
    BuildCharDeltaTable();
    gDefaultRouteNoFont[16 - kMinFontHeight] = "e";
    Bytes b;
    Head(b);
    b.S(kTags[5]).S("").I(1).I(1).I(1).I(0).I(0).S("").S("").I(2).I(0);
    b.I(-1).I(3).I(7).S("4567");
    b.I(0).I(0);
    const std::string file = b.str();
    ASSERT_EQ(Read(file), TxlReadResult::Read);
    EXPECT_EQ(gRouteNoFont, "e");
    EXPECT_EQ(gRouteNoAreaWidth, 3 * 45);
    EXPECT_EQ(gRouteNoAreaHeight, 80);
    EXPECT_EQ(gRouteNoX, 35);
    EXPECT_EQ(gCurrentFontCode, "");  // the current character map is left alone

    // A font without a map measures nothing.
    gDefaultRouteNoFont[16 - kMinFontHeight] = "Q";
    ASSERT_EQ(Read(file), TxlReadResult::Read);
    EXPECT_EQ(gRouteNoAreaWidth, 0);
    EXPECT_EQ(gRouteNoAreaHeight, 0);
    kv::ResetAllState();
}

// ---- Opening files: the template in place of a file that cannot be opened.

class TxlOpenTest : public TxlReadTest {
protected:
    void SetUp() override {
        Fresh();
        gDataPath = dir.path();
        saved = CurrentDir();
    }
    void TearDown() override {
        SetCurrentDir(saved);
        txltest::ResetProject();
    }
    void ShipTemplate() {
        testutil::WriteFile(dir.file("standard.ini"), testutil::ReadFile(std::string(KIVAR_GEN_DIR) + "/standard.ini"));
    }
    testutil::TempDir dir;
    std::string saved;
};

TEST_F(TxlOpenTest, TheShippedTemplate) {
    ShipTemplate();
    gDocumentPath = "";
    ASSERT_EQ(OpenTxlFile(dir.file("standard.ini")), TxlReadResult::Read);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(gTxlVersion, 5);
    EXPECT_EQ(SignInfoOf(2).Name, "FRONT");
    EXPECT_EQ(SignInfoOf(2).Model, "K4000");
    EXPECT_EQ(SignInfoOf(2).Width, 112);
    EXPECT_EQ(SignInfoOf(2).Height, 16);
    for (int a = 3; a <= 16; ++a) EXPECT_FALSE(gSignEntry[static_cast<size_t>(a - 2)].Used) << a;
    EXPECT_EQ(DestList.ListCount(), 0);
    EXPECT_EQ(ExtraList.ListCount(), 0);
    EXPECT_EQ(gCommandRowOn, 1);
    EXPECT_EQ(gFontSectionOn, kTrue);
    EXPECT_EQ(gComrowMems, 1);
    EXPECT_EQ(gControlInfoOn, 0);
    EXPECT_EQ(gRouteNumberSeq, " 0123456789ABCDEF");
    EXPECT_EQ(gRouteNumberStartIndex, 2);
    EXPECT_EQ(gCommandFile, "(EnglskTD.kcm)");
    EXPECT_EQ(gLineNoFieldCount, 3);
    EXPECT_EQ(gRouteNoLeft, kTrue);
    EXPECT_EQ(gLineNoTableOn, kFalse);
}

TEST_F(TxlOpenTest, MissingFileLoadsTheTemplateUntitled) {
    ShipTemplate();
    gDocumentPath = dir.file("gone.txl");
    EXPECT_EQ(OpenTxlFile(dir.file("gone.txl")), TxlReadResult::OpenFailed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, dir.file("gone.txl") + ":\rError # 53: File not found (No such file or directory)");
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    EXPECT_EQ(SignInfoOf(2).Name, "FRONT");
    EXPECT_EQ(gDocumentPath, "");
    EXPECT_EQ(head.captions.back(), "Kivar32\xAE <Untitled>");
    EXPECT_EQ(ResolvePath(CurrentDir()), ResolvePath(dir.path()));
}

TEST_F(TxlOpenTest, NoTemplateEitherLeavesAnEmptyProjectOnce) {
    ASSERT_EQ(Read(MakeFile(FileSpec{})), TxlReadResult::Read);  // a project was open
    ClearLists();
    EXPECT_EQ(OpenTxlFile(dir.file("gone.txl")), TxlReadResult::OpenFailed);
    EXPECT_EQ(ui.messages.size(), 2u);  // the file, then the template
    for (const auto& se : gSignEntry) EXPECT_FALSE(se.Used);
    EXPECT_EQ(DestList.ListCount(), 0);
    EXPECT_EQ(gDocumentPath, "");

    // The template itself missing: one message, no second try.
    ui.messages.clear();
    EXPECT_EQ(OpenTxlFile(dir.file("standard.ini")), TxlReadResult::OpenFailed);
    EXPECT_EQ(ui.messages.size(), 1u);

    ui.messages.clear();
    EXPECT_EQ(OpenTxlFile("*.txl"), TxlReadResult::Skipped);
    EXPECT_TRUE(ui.messages.empty());
}

// A file this user may not read (tried as a user other than root, who reads
// every file): the file and the system's reason, then the damaged template.
TEST_F(TxlOpenTest, UnreadableFileAndDamagedTemplate) {
    testutil::WriteFile(dir.file("standard.ini"), Bytes().I(3).I(-4).str());
    testutil::WriteFile(dir.file("locked.txl"), MakeFile(FileSpec{}));
    chmod(dir.file("locked.txl").c_str(), 0);
    dir.OpenToAll();
    const std::string told = dir.file("told.txt");
    const int code = testutil::RunAsOtherUser([&] {
        const TxlReadResult r = OpenTxlFile(dir.file("locked.txl"));
        std::string texts;
        for (const auto& m : ui.messages) texts += m.text + "\n";
        texts += "path=" + gDocumentPath + "\n";
        testutil::WriteFile(told, texts);
        return r == TxlReadResult::OpenFailed ? 0 : 1;
    });
    ASSERT_EQ(code, 0) << testutil::ReadFile(told);
    EXPECT_EQ(testutil::ReadFile(told), dir.file("locked.txl") + ":\rError # 75: Path/File access error (Permission denied)\n" +
                                            "Error while reading the project file " + JoinPath(dir.path(), "standard.ini") +
                                            " !\npath=\n");
}

// ---- Reading a file in pieces.

namespace {

// What a reading leaves: the messages, the tables as written in version 5,
// the fields version 5 does not write, and the list lines.
std::string ReadState(const FakeUi& ui) {
    std::string s;
    for (const auto& m : ui.messages) s += "message " + m.text + "\n";
    s += "version " + std::to_string(gTxlVersion) + " codes " + std::to_string(gDestCodesOn) + "\n";
    s += BuildTxlFile(5) + "\n";
    for (int16_t i : LastTxlReadInfo().destIndexes) {
        const DestRecord& d = gDestList[static_cast<size_t>(i)];
        s += std::to_string(i) + " " + d.Code + " " + d.Srad + "\n";
    }
    for (const std::string& line : DestList.Lines()) s += line + "\n";
    for (const std::string& line : ExtraList.Lines()) s += line + "\n";
    return s;
}

struct File {
    explicit File(const std::string& path) : f(std::fopen(path.c_str(), "rb")) {}
    ~File() {
        if (f) std::fclose(f);
    }
    FILE* f;
};

}  // namespace

// However small the pieces, and wherever the file ends, a file read in
// pieces reads as its bytes do in memory.
TEST_F(TxlOpenTest, FileReadInPiecesReadsAsInMemory) {
    FileSpec srad;
    srad.srad = true;
    FileSpec v4;
    v4.version = 4;
    FileSpec v7;
    v7.version = 7;
    v7.codes = true;
    v7.twoDirec = true;
    const std::string path = dir.file("p.txl");
    for (const FileSpec& spec : {srad, v4, v7}) {
        const std::string bytes = MakeFile(spec);
        testutil::WriteFile(path, bytes);
        for (size_t cut = 0; cut <= bytes.size(); ++cut) {
            Fresh();
            ui.messages.clear();
            const TxlReadResult expected = Read(bytes.substr(0, cut));
            const std::string expectedState = ReadState(ui);
            // Every end in pieces of three; the whole file in other sizes.
            const std::vector<size_t> pieces = cut < bytes.size() ? std::vector<size_t>{3} : std::vector<size_t>{1, 2, 3, 7, 4096};
            for (size_t piece : pieces) {
                SCOPED_TRACE("version " + std::to_string(spec.version) + " cut " + std::to_string(cut) + " piece " +
                             std::to_string(piece));
                Fresh();
                ui.messages.clear();
                gDocumentPath = "p.txl";
                File file(path);
                ASSERT_TRUE(file.f);
                TxlByteReader r(file.f, cut, piece);
                EXPECT_EQ(ReadTxlData(r, "p.txl"), expected);
                EXPECT_EQ(ReadState(ui), expectedState);
            }
        }
    }
}

// A file that ends before its stated length (it shrank while it was read)
// is a file error, told apart from damage.
TEST_F(TxlOpenTest, FileEndingBeforeItsLengthIsAFileError) {
    const std::string bytes = MakeFile(FileSpec{});
    testutil::WriteFile(dir.file("p.txl"), bytes.substr(0, bytes.size() / 2));
    for (size_t piece : {size_t{1}, size_t{7}, kTxlReadPiece}) {
        File file(dir.file("p.txl"));
        TxlByteReader r(file.f, bytes.size(), piece);
        EXPECT_THROW(ReadTxlData(r, "p.txl"), TxlFileError) << piece;
    }
}

// Opening such a file reports it as a file that cannot be read and loads the
// template, as when the file cannot be opened.
TEST_F(TxlOpenTest, FileShorterThanItsLengthLoadsTheTemplate) {
    // A kernel file states a length of a page and holds a few characters.
    const std::string path = "/sys/kernel/profiling";
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 || st.st_size <= static_cast<off_t>(testutil::ReadFile(path).size()))
        GTEST_SKIP() << "no file shorter than its stated length";
    ShipTemplate();
    EXPECT_EQ(OpenTxlFile(path), TxlReadResult::OpenFailed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, path + ":\rError # 75: Path/File access error (is not an ordinary file (a device, a "
                                          "pipe or a file of the system's kernel): it is neither read nor written.)");
    EXPECT_EQ(SignInfoOf(2).Name, "FRONT");
    EXPECT_EQ(gDocumentPath, "");
}

// A project of many pieces opens whole: the tables write back to the same
// bytes, and the lists hold the lines they had.
TEST_F(TxlOpenTest, ProjectOfManyPiecesOpensWhole) {
    SyntheticProjectShape shape;
    shape.dests = 150;
    shape.extras = 20;
    BuildSyntheticProject(shape);
    gBackupOn = kFalse;
    const std::string path = dir.file("big.txl");
    ASSERT_TRUE(SaveTxlFile(path));
    const std::string bytes = testutil::ReadFile(path);
    ASSERT_GT(bytes.size(), 3 * kTxlReadPiece);
    const std::vector<std::string> destLines = DestList.Lines();
    const std::vector<std::string> extraLines = ExtraList.Lines();

    ClearRecordsAndLines();
    ASSERT_EQ(OpenTxlFile(path), TxlReadResult::Read);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(BuildTxlFile(5), bytes);
    EXPECT_EQ(DestList.Lines(), destLines);
    EXPECT_EQ(ExtraList.Lines(), extraLines);
}

// A stored change time beyond 20 would reach the out-file as a page mark or
// section byte; records take it clamped.
TEST_F(TxlReadTest, ChangeTimesAreClampedOnReading) {
    SetSignConfig("FRONT       K4000    112x16   2 ");
    ParseSignDefinition("FRONT       K4000    112x16   2 ");
    struct { int stored, read; } cases[] = {{3, 3}, {20, 20}, {21, 20}, {176, 20}, {300, 20}, {-4, 0}};
    int n = 1;
    for (auto& c : cases) {
        gDestList[static_cast<size_t>(n)].Text = "\xFF" "FRONT# x";
        gDestList[static_cast<size_t>(n)].SignData = "\xFF\x02x";
        gDestList[static_cast<size_t>(n)].ChangeTime = static_cast<int16_t>(c.stored);
        gExtraList[static_cast<size_t>(n)].Text = "# e";
        gExtraList[static_cast<size_t>(n)].SignData = "e";
        gExtraList[static_cast<size_t>(n)].ChangeTime = static_cast<int16_t>(c.stored);
        AddListLine(static_cast<int16_t>(n), true);
        FormatListLine("# e", static_cast<int16_t>(n), ExtraList);
        ++n;
    }
    const std::string bytes = BuildTxlFile(5);
    Fresh();
    ASSERT_EQ(Read(bytes), TxlReadResult::Read);
    n = 1;
    for (auto& c : cases) {
        EXPECT_EQ(gDestList[static_cast<size_t>(n)].ChangeTime, c.read) << c.stored;
        EXPECT_EQ(gExtraList[static_cast<size_t>(n)].ChangeTime, c.read) << c.stored;
        ++n;
    }
}

// ---- Opening whole or not at all: the open project stays until the file
// has been read to its end.

namespace {

// Everything a reading may touch, written out: records, lines with their
// selection and current line, route-number texts, signs, user fields,
// options, route-number layout, and the file as the writer makes it.
std::string ProjectState() {
    std::string s;
    auto add = [&s](const std::string& name, const auto& v) {
        std::ostringstream o;
        o << name << "=" << v << "\n";
        s += o.str();
    };
    auto records = [&](const char* table, const auto& list) {
        for (size_t i = 0; i < list.size(); ++i) {
            const DestRecord& r = list[i];
            if (r.Text.empty() && r.SignData.empty() && r.AltText.empty()) continue;
            add(std::string(table) + std::to_string(i),
                r.Text + "|" + r.SignData + "|" + std::to_string(r.ChangeTime) + "|" + std::to_string(r.Flag) + "|" +
                    r.AltText + "|" + r.Code + "|" + r.Srad);
        }
    };
    records("dest", gDestList);
    records("extra", gExtraList);
    for (const ListModel* list : {&DestList, &ExtraList}) {
        add("index", list->ListIndex());
        for (int i = 0; i < list->ListCount(); ++i) add(list->List(i), list->Selected(i));
    }
    for (size_t i = 0; i < gLineNoTable.size(); ++i)
        if (!gLineNoTable[i].empty()) add("lineno" + std::to_string(i), gLineNoTable[i]);
    add("linenoOn", gLineNoTableOn);
    for (const SignInfo& si : gSignInfo)
        add("sign", si.Model + "|" + std::to_string(si.Width) + "|" + std::to_string(si.Height) + "|" + si.Name + "|" +
                        std::to_string(si.Shown) + "|" + std::to_string(si.RouteNoShown) + "|" +
                        std::to_string(si.Zoom) + "|" + std::to_string(si.DotSize) + "|" +
                        std::to_string(si.GraphicIndex));
    for (const SignEntry& se : gSignEntry) add("entry", se.Name + se.Model + se.Dimension + std::to_string(se.Used));
    add("current", gCurrentSign);
    add("user", gUserDate + "|" + gUserResponsible + "|" + gUserOthers + "|" + gUserCompany);
    add("version", gTxlVersion);
    add("codes", gDestCodesOn);
    add("insert", gInsertMode);
    add("ten", gTenCharFieldOn);
    add("extraPerSign", gExtraPerSign);
    add("out", std::to_string(gCommandRowOn) + "|" + std::to_string(gFontSectionOn) + "|" +
                   std::to_string(gComrowMems) + "|" + std::to_string(gControlInfoOn) + "|" + gRouteNumberSeq + "|" +
                   std::to_string(gRouteNumberStartIndex) + "|" + std::to_string(gLineNumberOn) + "|" +
                   gCommandFile + "|" + gSignToShow + "|" + gPromName + "|" + gAsciiName + "|" +
                   std::to_string(gOutCfgLoaded));
    add("route", std::to_string(gLineNoFieldCount) + "|" + std::to_string(gRouteNoLeft) + "|" +
                     std::to_string(gRouteNoPos) + "|" + gLineNoFields + "|" + gRouteNoFont + "|" +
                     std::to_string(gRouteNoX) + "|" + std::to_string(gRouteNoY) + "|" +
                     std::to_string(gRouteNoAreaWidth) + "|" + std::to_string(gRouteNoAreaHeight) + "|" +
                     std::to_string(gRouteNoFieldPlaced));
    for (int16_t v : {5, 7}) add("file" + std::to_string(v), BuildTxlFile(v));
    return s;
}

class TxlWholeTest : public TxlOpenTest {
protected:
    // The open project: a file read, then every value changed to one that no
    // file of these tests holds, and a view on each list.
    void OpenProject() {
        Fresh();
        ASSERT_EQ(Read(MakeFile(FileSpec{}), "open.txl"), TxlReadResult::Read);
        PreviousProject();
        gUserDate = "open date";
        gUserCompany = "open company";
        const std::string sign = SignLine("OPEN", "K1000", "4", "7");
        ParseSignDefinition(sign);
        SetSignConfig(sign);
        SignInfoOf(2).Shown = kTrue;
        SignInfoOf(2).GraphicIndex = 2;
        gCurrentSign = 7;
        gDestList[77].Text = "\xFF" "OPEN# seventy-seven";
        gDestList[77].SignData = "\xFF\x07" "77";
        AddListLine(77, true);
        DestList.SetListIndex(1);
        DestList.SetSelected(0, true);
        ExtraList.SetSelected(0, true);
        gLineNoTable[3] = "L3";
        SetHeadModeControls(true);
        gInsertMode = kTrue;
        gTxlVersion = 2;
        gExtraPerSign = kTrue;
        gRouteNoY = 9;
        gRouteNoFont = "open";
        gOutCfgLoaded = kFalse;
        told.clear();
        DestList.SetListener([this](ListModel::Change c, int) { told.push_back("dest " + std::to_string(int(c))); });
        ExtraList.SetListener([this](ListModel::Change c, int) { told.push_back("extra " + std::to_string(int(c))); });
        ui.messages.clear();
        head.captions.clear();
        head.routeControls.clear();
    }
    // The open project's state, as ProjectState sees it.
    std::string OpenState() {
        OpenProject();
        return ProjectState();
    }
    std::vector<std::string> told;
};

FileSpec Spec(int version, bool codes = false, bool srad = false, bool twoDirec = false) {
    FileSpec f;
    f.version = version;
    f.codes = codes;
    f.srad = srad;
    f.twoDirec = twoDirec;
    // The ten-character field on: by the version-7 flags, else by the tag.
    if (srad && version == 7) f.v7flags = std::string(codes ? "1" : "0") + "1" + std::string(18, '0');
    else if (srad) f.tag = std::string(kTags[version]) + "SRAD=Y";
    return f;
}

}  // namespace

// A file that cannot be opened, one that is cut anywhere before its records
// end, and a text file: each is reported, and the open project stays as it
// was, down to its lines' selection; the lists' views are told nothing.
TEST_F(TxlWholeTest, AFileThatCannotBeReadChangesNothing) {
    const std::string before = OpenState();
    const std::string path = dir.file("other.txl");
    struct Case {
        std::string what, bytes;
    };
    std::vector<Case> cases = {{"a text file", "Linje 5\tCentrum\r\n12\tStation\r\n"},
                               {"an empty file", ""}};
    // Cuts all through the file with most fields, fewer in the others.
    for (const FileSpec& f : {Spec(7, true, true, true), Spec(5), Spec(4), Spec(1), Spec(6, true)}) {
        const std::string bytes = MakeFile(f);
        const size_t step = f.version == 7 ? 2 : 7;
        for (size_t cut = 0; cut < bytes.size(); cut += step)
            cases.push_back({"version " + std::to_string(f.version) + " cut at " + std::to_string(cut), bytes.substr(0, cut)});
    }
    int failures = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testutil::WriteFile(path, c.bytes);
        ui.messages.clear();
        bool left = false;
        const TxlReadResult r = OpenTxlFileWhole(path, [&left] { left = true; });
        EXPECT_EQ(left, r == TxlReadResult::Read);
        if (r == TxlReadResult::Read) {
            // A cut in the trailer is no damage.
            OpenProject();
            continue;
        }
        EXPECT_EQ(r, TxlReadResult::ReadError);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text, "Error while reading the project file " + path + " !");
        EXPECT_EQ(ProjectState(), before);
        EXPECT_EQ(gDocumentPath, "open.txl");
        EXPECT_TRUE(head.captions.empty());
        EXPECT_EQ(told, std::vector<std::string>{});
        EXPECT_EQ(head.routeControls.back(), true);
        if (::testing::Test::HasFailure() && ++failures > 3) break;
    }

    // A file that is not there.
    ui.messages.clear();
    EXPECT_EQ(OpenTxlFileWhole(dir.file("gone.txl")), TxlReadResult::OpenFailed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, dir.file("gone.txl") + ":\rError # 53: File not found (No such file or directory)");
    EXPECT_EQ(ProjectState(), before);
    EXPECT_EQ(OpenTxlFileWhole("*.txl"), TxlReadResult::Skipped);
    EXPECT_EQ(ProjectState(), before);
}

// A gigabyte of NUL bytes (what is left of a large file) is damage like a
// short one: reported, and the open project stays as it was.
TEST_F(TxlWholeTest, AGigabyteOfNulBytesIsDamage) {
    const std::string before = OpenState();
    const std::string path = dir.file("zeros.txl");
    testutil::WriteFile(path, "");
    if (::truncate(path.c_str(), off_t{1} << 30) != 0) GTEST_SKIP() << "no room for a sparse file of a gigabyte";
    EXPECT_EQ(OpenTxlFileWhole(path), TxlReadResult::ReadError);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error while reading the project file " + path + " !");
    EXPECT_EQ(ProjectState(), before);
}

// A file read whole leaves the tables as the reading into emptied tables
// does (an old file without configuration keeps the open one's); the open
// project is left first, and the views are then told of the new lines.
TEST_F(TxlWholeTest, AFileReadWholeTakesThePlaceOfTheOpenProject) {
    const std::string path = dir.file("other.txl");
    for (const FileSpec& f : {Spec(5), Spec(7, true, true, true), Spec(4), Spec(1), Spec(3)}) {
        SCOPED_TRACE("version " + std::to_string(f.version));
        const std::string bytes = MakeFile(f);
        testutil::WriteFile(path, bytes);

        OpenProject();
        ClearRecordsAndLines();
        ASSERT_EQ(ReadTxlData(bytes, path), TxlReadResult::Read);
        const std::string expected = ProjectState();
        const std::vector<std::string> messages = [this] {
            std::vector<std::string> m;
            for (const auto& r : ui.messages) m.push_back(r.text);
            return m;
        }();

        OpenProject();
        std::string seenWhenLeft;
        const TxlReadResult r = OpenTxlFileWhole(path, [&] {
            seenWhenLeft = gDestList[77].Text + " " + std::to_string(DestList.ListCount()) + " " + gUserDate;
            told.push_back("left");
        });
        ASSERT_EQ(r, TxlReadResult::Read);
        EXPECT_EQ(seenWhenLeft, "\xFF" "OPEN# seventy-seven 2 open date");
        EXPECT_EQ(ProjectState(), expected);
        std::vector<std::string> texts;
        for (const auto& m : ui.messages) texts.push_back(m.text);
        EXPECT_EQ(texts, messages);
        // Told once of the new lines, after the open project left.
        ASSERT_FALSE(told.empty());
        EXPECT_EQ(told.front(), "left");
        EXPECT_EQ(told.back(), "extra " + std::to_string(int(ListModel::Change::Reset)));
        EXPECT_EQ(head.routeControls.back(), gLineNoTableOn != 0);
    }
}
