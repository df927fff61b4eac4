// The sign configuration without its window: renaming and readdressing signs
// in the records (checked on the saved project file), and the rules of the
// dialog's list and of its OK and Cancel.
#include <gtest/gtest.h>

#include "app/signconfig.h"
#include "app/signrename.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/outsettings.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/defaultdest.h"
#include "engine/routenodialog.h"
#include "files/document.h"
#include "files/txlwrite.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/txl_state.h"

using namespace kv;
using testsigns::B;
using testsigns::Mark;
using testsigns::Sec;
using testsigns::SignLine;
using testsigns::Tag;

namespace {

// Where the records put the sections of the two graphic signs: their tags in
// Text and their addresses in SignData and the inverted-text store.
struct Tags {
    std::string front = "FRONT", side = "SIDE";
    int frontAt = 2, sideAt = 3;
};

// The project: FRONT (K4000 112x16, address 2), SIDE (K4000 84x16, 3),
// SIDE2 (one-row text sign, 4), LINE (route numbers, 6).
void Signs() {
    testsigns::Sign(SignLine("FRONT", "K4000", "112x16", "2"));
    testsigns::Sign(SignLine("SIDE", "K4000", "84x16", "3"));
    testsigns::Sign(SignLine("SIDE2", "K2000_1R", "20", "4"));
    testsigns::Sign(SignLine("LINE", "K1000", "3", "6"));
}

void Records(const Tags& t) {
    auto set = [](DestRecord& r, const std::string& text, const std::string& data, const std::string& alt = "") {
        r.Text = text;
        r.SignData = data;
        r.AltText = alt;
        r.ChangeTime = 3;
    };
    set(gDestList[0], "Default destination", Sec(t.frontAt) + "d" + Sec(t.sideAt) + "d");
    // Sign FRONT's first page ends in a page mark whose time is 255 and a
    // page byte that equals SIDE's address.
    set(gDestList[1],
        Tag(t.front) + "## 1 CENTRUM" + Tag(t.side) + "## CENTRUM#2" + Tag("SIDE2") + "## CENTRUM",
        Sec(t.frontAt) + "A" + Mark(255) + B({3}) + "B" + Sec(t.sideAt) + "C" + Mark(3) + "D" + Sec(4) + "E",
        Sec(t.sideAt) + "inv" + Sec(t.frontAt) + "inv2");
    set(gDestList[2], Tag(t.side) + "## HAMN" + Tag(t.front) + "## HAMN", Sec(t.sideAt) + "H" + Sec(t.frontAt) + "H");
    set(gDestList[4], Tag(t.front) + "## TO SIDE", Sec(t.frontAt) + "x");
    for (int16_t i : {1, 2, 4}) AddListLine(i, true);
    set(gExtraList[1], Tag(t.side) + "## EXTRA", Sec(t.sideAt) + "X", Sec(t.sideAt) + "y");
    FormatListLine(gExtraList[1].Text, 1, ExtraList);
}

class SignConfigTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { ResetAllState(); }
    // An empty project with the English texts.
    static void Reset() {
        txltest::ResetProject();
        gLanguageFile = KIVAR_DATA_DIR "/English.lng";
        gLanguage = "English";
        LoadLanguageTexts();
    }
    // The project in the tables: signs, records, lists, options.
    static void Project(const Tags& t = {}) {
        Signs();
        gTxlVersion = 5;
        gExtraPerSign = kTrue;
        gSignToShow = " 3: \"SIDE\", K4000";
        Records(t);
    }
    std::string Saved() {
        const std::string path = dir.file("p.txl");
        EXPECT_TRUE(SaveTxlFile(path));
        return testutil::ReadFile(path);
    }
    static std::vector<std::string> Lines(const ListModel& l) { return l.Lines(); }
    testutil::TempDir dir;
    FakeUi ui;
};

}  // namespace

// A rename changes exactly the section names of the sign: the saved project
// is the one whose records were made with the new name. The lists show it.
TEST_F(SignConfigTest, ARenameChangesExactlyTheSectionNames) {
    Project({"FRONT", "REAR"});
    const std::string expected = Saved();
    Reset();
    Project();
    ChangeSignName("SIDE", " rear ");
    EXPECT_EQ(Saved(), expected);
    EXPECT_EQ(Lines(DestList), (std::vector<std::string>{"   1   FRONT## 1 CENTRUMREAR## CENTRUM#2SIDE2## CENTRUM",
                                                         "   2   REAR## HAMNFRONT## HAMN", "   4   FRONT## TO SIDE"}));
    EXPECT_EQ(Lines(ExtraList), (std::vector<std::string>{"   1   REAR## EXTRA"}));
    // Empty names and names that would break a section are refused.
    for (const char* bad : {"", "  ", "RE#AR"}) ChangeSignName("FRONT", bad);
    ChangeSignName("", "X");
    EXPECT_EQ(ui.beeps, 4);
    EXPECT_EQ(Saved(), expected);
}

// A readdress changes exactly the section starts of the sign; the page bytes
// 255, 3 inside FRONT's section stay.
TEST_F(SignConfigTest, AReaddressChangesExactlyTheSectionStarts) {
    Project({"FRONT", "SIDE", 2, 5});
    const std::string expected = Saved();
    Reset();
    Project();
    ChangeSignAddress(3, 5);
    EXPECT_EQ(Saved(), expected);
    EXPECT_EQ(gDestList[1].SignData.substr(0, 6), Sec(2) + "A" + Mark(255) + B({3}));
    ChangeSignAddress(0, 7);
    ChangeSignAddress(5, 17);
    EXPECT_EQ(ui.beeps, 2);
    EXPECT_EQ(Saved(), expected);
}

TEST_F(SignConfigTest, ReaddressWalksSectionsFromTheirStarts) {
    // Only the first section of the address changes.
    EXPECT_EQ(ReaddressSection(Sec(3) + "a" + Sec(3) + "b", 3, 5), Sec(5) + "a" + Sec(3) + "b");
    // A time character 255 of a page mark is no section start.
    EXPECT_EQ(ReaddressSection(Sec(2) + Mark(255) + B({3}) + Sec(3), 3, 9), Sec(2) + Mark(255) + B({3}) + Sec(9));
    EXPECT_EQ(ReaddressSection("", 3, 5), "");
    EXPECT_EQ(ReaddressSection(Sec(2) + "a", 3, 5), Sec(2) + "a");
}

TEST_F(SignConfigTest, ExtraTextsWithoutSignSectionsAreLeftAlone) {
    Project();
    gExtraPerSign = kFalse;
    gExtraList[1] = DestRecord{};
    gExtraList[1].Text = "## EXTRA";
    gExtraList[1].SignData = std::string("\xFF\x03", 2) + "X";
    const DestRecord extra = gExtraList[1];
    ChangeSignName("SIDE", "REAR");
    ChangeSignAddress(3, 5);
    EXPECT_EQ(gExtraList[1].Text, extra.Text);
    EXPECT_EQ(gExtraList[1].SignData, extra.SignData);
    EXPECT_EQ(gDestList[2].SignData, Sec(5) + "H" + Sec(2) + "H");
}

// With destination codes on the rebuilt list still shows the codes.
TEST_F(SignConfigTest, TheRebuiltListKeepsTheDestinationCodes) {
    Project();
    gTxlVersion = 7;
    gDestCodesOn = kTrue;
    gDestList[1].Code = "A1  ";
    gDestList[2].Code = "B2  ";
    gDestList[4].Code = "C4  ";
    ChangeSignName("FRONT", "FACE");
    EXPECT_EQ(Lines(DestList), (std::vector<std::string>{"A1   FACE## 1 CENTRUMSIDE## CENTRUM#2SIDE2## CENTRUM",
                                                         "B2   SIDE## HAMNFACE## HAMN", "C4   FACE## TO SIDE"}));
}

namespace {

// The configuration dialog's list on the project.
class SignConfigDialog : public SignConfigTest {
protected:
    void SetUp() override {
        SignConfigTest::SetUp();
        Project();
        gDocumentModified = kFalse;
        cfg.Load();
    }
    // The saved project whose signs and sections stand where `t` says: the
    // sign of the 112x16 sections is named t.front at t.frontAt, the other
    // t.side at t.sideAt.
    std::string Expected(const Tags& t, const std::string& signToShow) {
        Reset();
        testsigns::Sign(SignLine(t.front, "K4000", "112x16", std::to_string(t.frontAt)));
        testsigns::Sign(SignLine(t.side, "K4000", "84x16", std::to_string(t.sideAt)));
        testsigns::Sign(SignLine("SIDE2", "K2000_1R", "20", "4"));
        testsigns::Sign(SignLine("LINE", "K1000", "3", "6"));
        gTxlVersion = 5;
        gExtraPerSign = kTrue;
        gSignToShow = signToShow;
        Records(t);
        InitDefaultDestination();
        return Saved();
    }
    static SignFields Fields(const std::string& line) {
        return {Mid(line, 1, 8), SignLineModel(line), SignLineDimension(line), Mid(line, 32, 2)};
    }
    static SignFields Fields(const char* name, const char* model, const char* dim, const char* address) {
        return {name, model, dim, address};
    }
    SignConfig cfg;
};

}  // namespace

TEST_F(SignConfigDialog, LoadsTheConfiguredSignsInAddressOrder) {
    ASSERT_EQ(cfg.Lines().size(), 4u);
    EXPECT_EQ(cfg.Lines()[0], "FRONT       K4000    112x16    2 ");
    EXPECT_EQ(cfg.Lines()[3], "LINE        K1000    3         6 ");
    EXPECT_EQ(cfg.AsLoaded(3), cfg.Lines()[3]);
    EXPECT_EQ(cfg.AsLoaded(4), "");
    // FRONT and SIDE have destinations, SIDE2 only in destination 1, LINE none.
    EXPECT_TRUE(cfg.HasTexts(0));
    EXPECT_TRUE(cfg.HasTexts(1));
    EXPECT_TRUE(cfg.HasTexts(2));
    EXPECT_FALSE(cfg.HasTexts(3));
    // A sign with texts in the extra texts only has texts while extra texts
    // carry per-sign sections.
    gDestList[4].Text = Tag("LINE") + "## 12";
    EXPECT_TRUE(cfg.HasTexts(3));
    gDestList[4].Text = Tag("FRONT") + "## TO SIDE";
    gExtraList[1].Text = Tag("LINE") + "## 12";
    EXPECT_TRUE(cfg.HasTexts(3));
    gExtraPerSign = kFalse;
    EXPECT_FALSE(cfg.HasTexts(3));
}

TEST_F(SignConfigDialog, AddRefusesBadNamesAndSignsAlreadyListed) {
    struct Case {
        SignFields fields;
        const char* message;  // key, "" for a beep
        int select;
    };
    const Case refused[] = {
        {Fields("", "K4000", "96x16", " 7"), "", -1},
        {Fields("   ", "K4000", "96x16", " 7"), "", -1},
        {Fields("NINECHARS", "K4000", "96x16", " 7"), "", -1},
        {Fields("A#B", "K4000", "96x16", " 7"), "", -1},
        {Fields("A\xFF", "K4000", "96x16", " 7"), "", -1},
        {Fields("NEW", "K4000", "", " 7"), "", -1},
        {Fields("NEW", "K4000", "96x16", " 17"), "", -1},
        {Fields("NEW", "K5000", "96x16", " 7"), "", -1},
        // Names compare in upper case without surrounding blanks; the name
        // is tested before the address, line by line.
        {Fields(" side2 ", "K4000", "96x16", " 7"), "S1612", 2},
        {Fields("NEW", "K4000", "96x16", " 4"), "S27", 2},
        {Fields("side", "K4000", "96x16", " 4"), "S1612", 1},
    };
    for (const Case& c : refused) {
        ui.messages.clear();
        ui.beeps = 0;
        const SignConfig::Outcome o = cfg.Add(c.fields);
        EXPECT_FALSE(o.changed) << c.fields.name;
        EXPECT_EQ(o.select, c.select) << c.fields.name;
        if (*c.message) {
            ASSERT_EQ(ui.messages.size(), 1u) << c.fields.name;
            EXPECT_EQ(ui.messages[0].text, LangText(c.message));
            EXPECT_EQ(ui.messages[0].style, vbExclamation);
        } else {
            EXPECT_EQ(ui.beeps, 1) << c.fields.name;
        }
    }
    EXPECT_EQ(cfg.Lines().size(), 4u);
    EXPECT_EQ(gDocumentModified, kFalse);

    const SignConfig::Outcome o = cfg.Add(Fields(" rear", "K4000", "96x16", " 7"));
    EXPECT_TRUE(o.changed);
    EXPECT_EQ(o.select, 4);
    EXPECT_EQ(cfg.Lines()[4], "REAR        K4000    96x16     7 ");
    EXPECT_EQ(cfg.AsLoaded(4), cfg.Lines()[4]);
    EXPECT_FALSE(cfg.HasTexts(4));
    EXPECT_EQ(gDocumentModified, kTrue);
}

TEST_F(SignConfigDialog, ChangeAndRemoveKeepSignsWithTextsAndTheirModel) {
    // Nothing changed: a beep.
    EXPECT_FALSE(cfg.Change(0, Fields(cfg.Lines()[0])).changed);
    EXPECT_EQ(ui.beeps, 1);
    // Another line's address first, then its name.
    EXPECT_EQ(cfg.Change(0, Fields("SIDE", "K4000", "112x16", "3")).select, 1);
    EXPECT_EQ(ui.messages.back().text, gTextS27);
    EXPECT_EQ(cfg.Change(0, Fields("SIDE", "K4000", "112x16", "9")).select, 1);
    EXPECT_EQ(ui.messages.back().text, LangText("S1612"));
    // A sign with texts keeps its model and stays in the list.
    EXPECT_FALSE(cfg.Change(0, Fields("FRONT", "K2000_1R", "20", "2")).changed);
    EXPECT_EQ(ui.messages.back().text, LangText("S1686"));
    EXPECT_FALSE(cfg.Remove(0).changed);
    EXPECT_EQ(ui.messages.back().text, LangText("S1686"));
    EXPECT_EQ(gDocumentModified, kFalse);
    // ... but it may get another name, dimension and address.
    EXPECT_TRUE(cfg.Change(0, Fields("face", "K4000", "96x16", "9")).changed);
    EXPECT_EQ(cfg.Lines()[0], "FACE        K4000    96x16     9 ");
    EXPECT_EQ(cfg.AsLoaded(0), "FRONT       K4000    112x16    2 ");
    EXPECT_EQ(gDocumentModified, kTrue);
    // The route-number sign has no texts: it may change its model, and go.
    EXPECT_TRUE(cfg.Change(3, Fields("LINE", "K4000", "96x16", "6")).changed);
    const std::string side2 = cfg.AsLoaded(2);
    EXPECT_TRUE(cfg.Remove(3).changed);
    EXPECT_EQ(cfg.Lines().size(), 3u);
    EXPECT_EQ(cfg.AsLoaded(2), side2);
    EXPECT_EQ(cfg.AsLoaded(3), "");
    // No line selected: nothing goes.
    EXPECT_FALSE(cfg.Remove(-1).changed);
    EXPECT_EQ(cfg.Lines().size(), 3u);
}

TEST_F(SignConfigDialog, AListOfFifteenLosesOne) {
    Reset();
    for (int a = 2; a <= 16; ++a) testsigns::Sign(SignLine("S" + std::to_string(a), "K4000", "96x16", std::to_string(a)));
    cfg.Load();
    ASSERT_EQ(cfg.Lines().size(), 15u);
    EXPECT_FALSE(cfg.Add(Fields("S17", "K4000", "96x16", "2")).changed);
    EXPECT_TRUE(cfg.Remove(14).changed);
    EXPECT_EQ(cfg.Lines().size(), 14u);
    EXPECT_EQ(cfg.AsLoaded(14), "");
}

TEST_F(SignConfigDialog, OkAsksBeforeMovingTheTextsOfASign) {
    // An empty list is refused.
    SignConfig empty;
    Reset();
    empty.Load();
    EXPECT_EQ(empty.Ok(), SignConfig::OkResult::EmptyList);
    EXPECT_EQ(ui.messages.back().text, LangText("S1611"));
    Project();
    cfg.Load();

    // A new name for a sign without texts asks nothing.
    ui.messages.clear();
    ASSERT_TRUE(cfg.Change(3, Fields("ROUTE", "K1000", "3", "6")).changed);
    ASSERT_TRUE(cfg.Change(1, Fields("REAR", "K4000", "84x16", "5")).changed);
    ui.answers = {vbNo};
    const auto records = gDestList;
    EXPECT_EQ(cfg.Ok(), SignConfig::OkResult::NotConfirmed);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, LangText("S1687") + "\r" + LangText("S1688"));
    EXPECT_EQ(ui.messages[0].style, vbYesNo + vbQuestion);
    EXPECT_EQ(gDestList[1].Text, records[1].Text);
    EXPECT_EQ(SignInfoOf(3).Name, "SIDE");

    gMBLFontHeight = 16;
    gCurrentSign = 3;
    EXPECT_EQ(cfg.Ok(), SignConfig::OkResult::Done);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(SignInfoOf(5).Name, "REAR");
    EXPECT_EQ(SignInfoOf(5).Width, 84);
    EXPECT_EQ(SignInfoOf(3).Model, "");
    EXPECT_EQ(gSignEntry[1].Used, kFalse);
    EXPECT_EQ(SignInfoOf(6).Name, "ROUTE");
    EXPECT_EQ(GetSignText(gDestList[2].Text, 5), Tag("REAR") + "## HAMN");
    EXPECT_EQ(gDestList[2].SignData, Sec(5) + "H" + Sec(2) + "H");
    // The sign to show and the current sign follow the sign; the default
    // destination is made for the new signs.
    EXPECT_EQ(gSignToShow, " 5: \"REAR\", K4000");
    EXPECT_EQ(gCurrentSign, 5);
    EXPECT_EQ(gMBLFontHeight, 0);
    EXPECT_EQ(gDestList[0].Text, gTextS28);
    EXPECT_NE(gDestList[0].SignData.find(Sec(5)), std::string::npos);
}

// Two signs swap names, then addresses, in one OK each: every text stays
// with its sign.
TEST_F(SignConfigDialog, SwappedNamesAndAddressesKeepEachTextWithItsSign) {
    ASSERT_TRUE(cfg.Change(0, Fields("TEMP", "K4000", "112x16", "2")).changed);
    ASSERT_TRUE(cfg.Change(1, Fields("FRONT", "K4000", "84x16", "3")).changed);
    ASSERT_TRUE(cfg.Change(0, Fields("SIDE", "K4000", "112x16", "2")).changed);
    ASSERT_EQ(cfg.Ok(), SignConfig::OkResult::Done);
    const std::string swappedNames = Saved();

    cfg.Load();
    ASSERT_TRUE(cfg.Change(0, Fields("SIDE", "K4000", "112x16", "9")).changed);
    ASSERT_TRUE(cfg.Change(1, Fields("FRONT", "K4000", "84x16", "2")).changed);
    ASSERT_TRUE(cfg.Change(0, Fields("SIDE", "K4000", "112x16", "3")).changed);
    ASSERT_EQ(cfg.Ok(), SignConfig::OkResult::Done);
    const std::string swappedBoth = Saved();

    // The projects made with the signs and sections where they should be.
    EXPECT_EQ(Expected({"SIDE", "FRONT", 2, 3}, " 3: \"FRONT\", K4000"), swappedNames);
    EXPECT_EQ(Expected({"SIDE", "FRONT", 3, 2}, " 2: \"FRONT\", K4000"), swappedBoth);
}

TEST_F(SignConfigDialog, CancelPutsTheModifiedFlagBack) {
    ASSERT_TRUE(cfg.Add(Fields("NEW", "K4000", "96x16", "7")).changed);
    EXPECT_EQ(gDocumentModified, kTrue);
    const auto records = gDestList;
    cfg.Cancel();
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(gSignConfigCancelled, kTrue);
    EXPECT_EQ(SignInfoOf(7).Model, "");
    EXPECT_EQ(gDestList[1].Text, records[1].Text);
}
