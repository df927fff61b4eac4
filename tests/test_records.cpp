#include <gtest/gtest.h>

#include "data/inverted.h"
#include "data/records.h"
#include "data/signdata.h"
#include "data/signtable.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_ui.h"
#include "support/signs_state.h"

using namespace kv;
using testsigns::Mark;
using testsigns::Sec;
using testsigns::SignLine;
using testsigns::Tag;

namespace {

class RecordsTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        ParseSignDefinition(SignLine("FRONT", "K4000", "112x16", "2 "));
        ParseSignDefinition(SignLine("FRONT2", "K4000", "28x8", "3 "));
        ParseSignDefinition(SignLine("", "K4000", "28x8", "4 "));  // a sign without a name
        ParseSignDefinition(SignLine("REAR", "K2000_1R", "16", "5 "));
    }
    void TearDown() override { kv::ResetAllState(); }
    FakeUi ui;
};

// ---- Text sections

TEST_F(RecordsTest, TextFieldsSetAndRemove) {
    const std::string F = Tag("FRONT"), F2 = Tag("FRONT2"), R = Tag("REAR");
    enum Op { Set, Remove };
    struct Case {
        const char* what;
        std::string before;
        Op op;
        int address, n;
        const char* value;
        std::string after;
    } cases[] = {
        {"first field of a new section", "", Set, 2, 1, "abc", F + "# abc"},
        {"any page number starts the section", "", Set, 2, 3, "abc", F + "# abc"},
        {"append field 2", F + "# a", Set, 2, 2, "b", F + "# a# b"},
        {"field beyond the last becomes the next", F + "# a", Set, 2, 5, "b", F + "# a# b"},
        {"replace field 1, name kept", F + "# a# b", Set, 2, 1, "x", F + "# x# b"},
        {"replace field 2", F + "# a# b# c", Set, 2, 2, "x", F + "# a# x# c"},
        {"new section appended after others", R + "# r", Set, 2, 1, "f", R + "# r" + F + "# f"},
        {"section in the middle", F + "# a" + R + "# r", Set, 2, 2, "b", F + "# a# b" + R + "# r"},
        {"prefix name: FRONT2 first", F2 + "# z" + F + "# a", Set, 2, 1, "x", F2 + "# z" + F + "# x"},
        {"prefix name: FRONT first", F + "# a" + F2 + "# z", Set, 3, 1, "x", F + "# a" + F2 + "# x"},
        {"prefix name: new FRONT2", F + "# a", Set, 3, 1, "z", F + "# a" + F2 + "# z"},
        {"empty value", "", Set, 5, 1, "", R + "# "},
        {"nameless sign is left out", F + "# a", Set, 4, 1, "x", F + "# a"},
        {"remove only field drops section", F + "# a" + R + "# r", Remove, 2, 1, "", R + "# r"},
        {"remove field 1 of two", F + "# a# b", Remove, 2, 1, "", F + "# b"},
        {"remove field 2 of two", F + "# a# b", Remove, 2, 2, "", F + "# a"},
        {"remove middle field", F + "# a# b# c", Remove, 2, 2, "", F + "# a# c"},
        {"remove beyond the last", F + "# a# b", Remove, 2, 3, "", F + "# a# b"},
        {"remove from absent section", R + "# r", Remove, 2, 1, "", R + "# r"},
        {"remove keeps FRONT2", F2 + "# z" + F + "# a", Remove, 2, 1, "", F2 + "# z"},
        {"remove keeps FRONT", F + "# a" + F2 + "# z", Remove, 3, 1, "", F + "# a"},
        {"remove last field of last section", F + "# a" + R + "# r# s", Remove, 5, 2, "", F + "# a" + R + "# r"},
    };
    for (const auto& c : cases) {
        gDestList[7].Text = c.before;
        gExtraList[7].Text = c.before;
        if (c.op == Set) {
            SetDestSignField(7, c.address, c.n, c.value);
            SetExtraSignField(7, c.address, c.n, c.value);
        } else {
            RemoveDestSignField(7, c.address, c.n);
            RemoveExtraSignField(7, c.address, c.n);
        }
        EXPECT_EQ(gDestList[7].Text, c.after) << c.what;
        EXPECT_EQ(gExtraList[7].Text, c.after) << c.what;
    }
}

TEST_F(RecordsTest, GetAndRemoveSignText) {
    const std::string text = Tag("FRONT2") + "# z" + Tag("FRONT") + "# a# b" + Tag("REAR") + "# r";
    EXPECT_EQ(GetSignText(text, 2), Tag("FRONT") + "# a# b");
    EXPECT_EQ(GetSignText(text, 3), Tag("FRONT2") + "# z");
    EXPECT_EQ(GetSignText(text, 5), Tag("REAR") + "# r");
    EXPECT_EQ(GetSignText(text, 4), "");   // no name
    EXPECT_EQ(GetSignText(text, 6), "");   // not configured
    EXPECT_EQ(GetSignText(text, 99), "");  // no such address
    EXPECT_EQ(RemoveSignText(text, 2), Tag("FRONT2") + "# z" + Tag("REAR") + "# r");
    EXPECT_EQ(RemoveSignText(text, 6), text);
    EXPECT_EQ(RemoveSeparators(text), "FRONT2# zFRONT# a# bREAR# r");
    EXPECT_EQ(RemoveSeparators(std::string(3, '\xFF')), "");
}

TEST_F(RecordsTest, ExtraFieldsWithoutSections) {
    struct Case {
        std::string before;
        bool set;
        int n;
        std::string after;
    } cases[] = {
        {"", true, 1, "# v"},
        {"", true, 2, "# v"},
        {"# a", true, 1, "# v"},
        {"# a", true, 2, "# a# v"},
        {"# a# b", true, 1, "# v# b"},
        {"# a", false, 1, ""},  // the record becomes free
        {"# a# b", false, 1, "# b"},
        {"# a# b", false, 2, "# a"},
        {"# a# b", false, 3, "# a# b"},
        {"", false, 1, ""},
    };
    for (const auto& c : cases) {
        gExtraList[3].Text = c.before;
        if (c.set) SetExtraField(3, 9, static_cast<int16_t>(c.n), "v");
        else RemoveExtraField(3, static_cast<int16_t>(c.n));
        EXPECT_EQ(gExtraList[3].Text, c.after) << c.before << " " << c.n;
    }
}

TEST_F(RecordsTest, TableBoundsAndChangeTimeClamp) {
    EXPECT_THROW(SetDestSignField(10000, 2, 1, "x"), VbError);
    EXPECT_THROW(SetExtraField(1000, 2, 1, "x"), VbError);
    EXPECT_THROW(DestAt(-1), VbError);
    EXPECT_NO_THROW(DestAt(9999));
    EXPECT_NO_THROW(ExtraAt(999));
    EXPECT_EQ(ClampChangeTime(-3), 0);
    EXPECT_EQ(ClampChangeTime(7), 7);
    EXPECT_EQ(ClampChangeTime(176), 20);
    EXPECT_EQ(ClampChangeTime(255), 20);
    const DestRecord fresh;
    EXPECT_EQ(fresh.Code, "    ");
    EXPECT_EQ(fresh.Srad, "0000000000");
}

// ---- SignData pages

TEST_F(RecordsTest, GetRowOfContent) {
    const std::string two = "A" + Mark(3) + "BC";
    const std::string three = "A" + Mark(3) + "BC" + Mark(4) + "D";
    struct Case {
        std::string content;
        int n;
        std::string page;
    } cases[] = {
        {"", 1, ""},
        {"A", 1, "A"},
        {"A", 2, ""},
        {two, 1, "A"},
        {two, 2, "BC"},
        {two, 3, ""},
        {three, 3, "D"},
        {three, 0, ""},
        {three, -1, ""},
        // An empty page before further pages stays empty.
        {Mark(3) + "BC", 1, ""},
        {Mark(3) + "BC", 2, "BC"},
        {"A" + Mark(3) + Mark(4) + "D", 2, ""},
        {"A" + Mark(3) + Mark(4) + "D", 3, "D"},
        {"A" + Mark(3), 2, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(GetRow(static_cast<int16_t>(c.n), c.content), c.page) << c.n;
    EXPECT_EQ(InvertNthSegment(2, two), "BC");
}

TEST_F(RecordsTest, SectionsLookupAndInsertOrder) {
    std::string s;
    for (int a : {5, 3, 9, 16, 2, 4}) s = InsertSection(s, static_cast<int16_t>(a), std::string(1, static_cast<char>('a' + a)));
    EXPECT_EQ(s, Sec(2) + "c" + Sec(3) + "d" + Sec(4) + "e" + Sec(5) + "f" + Sec(9) + "j" + Sec(16) + "q");
    EXPECT_EQ(GetSignSection(s, 5), Sec(5) + "f");
    EXPECT_EQ(GetSignSection(s, 16), Sec(16) + "q");
    EXPECT_EQ(GetSignSection(s, 7), "");
    EXPECT_EQ(GetSectionText(9, s), "j");
    EXPECT_EQ(GetSectionText(7, s), "");
    EXPECT_EQ(ReplaceSection(s, 4, Sec(4) + "E"), Sec(2) + "c" + Sec(3) + "d" + Sec(4) + "E" + Sec(5) + "f" + Sec(9) + "j" + Sec(16) + "q");
    EXPECT_EQ(ReplaceSection(s, 2, ""), Sec(3) + "d" + Sec(4) + "e" + Sec(5) + "f" + Sec(9) + "j" + Sec(16) + "q");
    EXPECT_EQ(ReplaceSection(Sec(2) + "c", 7, Sec(7) + "x"), Sec(2) + "c" + Sec(7) + "x");
    // The default destination's order (6 last) reads correctly.
    const std::string odd = Sec(7) + "x" + Sec(6) + "y";
    EXPECT_EQ(GetSectionText(6, odd), "y");
    EXPECT_EQ(InsertSection(odd, 3, "z"), Sec(3) + "z" + odd);
}

TEST_F(RecordsTest, DestSectionSetAndDelete) {
    enum Op { Set, Del };
    struct Case {
        const char* what;
        std::string before;
        Op op;
        int address, n, time;
        std::string value, after;
    } cases[] = {
        {"new section, page 1", "", Set, 5, 1, 3, "v", Sec(5) + "v"},
        {"new section, any page is the only page", "", Set, 5, 4, 3, "v", Sec(5) + "v"},
        {"page 2 of single page", Sec(5) + "A", Set, 5, 2, 5, "v", Sec(5) + "A" + Mark(5) + "v"},
        {"page 5 of single page appends", Sec(5) + "A", Set, 5, 5, 5, "v", Sec(5) + "A" + Mark(5) + "v"},
        {"replace page 1, marks take the time", Sec(5) + "A" + Mark(3) + "B", Set, 5, 1, 7, "v", Sec(5) + "v" + Mark(7) + "B"},
        {"replace page 2", Sec(5) + "A" + Mark(3) + "B" + Mark(4) + "C", Set, 5, 2, 9, "v",
         Sec(5) + "A" + Mark(9) + "v" + Mark(9) + "C"},
        {"other signs keep their times", Sec(2) + "X" + Mark(1) + "Y" + Sec(5) + "A", Set, 5, 2, 6, "v",
         Sec(2) + "X" + Mark(1) + "Y" + Sec(5) + "A" + Mark(6) + "v"},
        {"inserted between", Sec(2) + "X" + Sec(9) + "Z", Set, 5, 1, 3, "v", Sec(2) + "X" + Sec(5) + "v" + Sec(9) + "Z"},
        {"empty page 1 ahead of page 2", Sec(5) + Mark(3) + "B", Set, 5, 1, 3, "v", Sec(5) + "v" + Mark(3) + "B"},
        {"time kept away from the marks", Sec(5) + "A", Set, 5, 2, 176, "v", Sec(5) + "A" + Mark(20) + "v"},
        {"delete page 1 of two", Sec(5) + "A" + Mark(3) + "B", Del, 5, 1, 3, "", Sec(5) + "B"},
        {"delete page 2 of two", Sec(5) + "A" + Mark(3) + "B", Del, 5, 2, 3, "", Sec(5) + "A"},
        {"delete middle page", Sec(5) + "A" + Mark(3) + "B" + Mark(4) + "C", Del, 5, 2, 3, "", Sec(5) + "A" + Mark(4) + "C"},
        {"delete only page drops section", Sec(2) + "X" + Sec(5) + "A" + Sec(9) + "Z", Del, 5, 1, 3, "", Sec(2) + "X" + Sec(9) + "Z"},
        {"delete beyond the last", Sec(5) + "A" + Mark(3) + "B", Del, 5, 3, 3, "", Sec(5) + "A" + Mark(3) + "B"},
        {"delete in absent section", Sec(2) + "X", Del, 5, 1, 3, "", Sec(2) + "X"},
        {"delete keeps other signs", Sec(2) + "X" + Mark(1) + "Y" + Sec(5) + "A" + Mark(3) + "B", Del, 5, 1, 3, "",
         Sec(2) + "X" + Mark(1) + "Y" + Sec(5) + "B"},
    };
    for (const auto& c : cases) {
        gChangeTime = static_cast<int16_t>(c.time);
        gDestList[4].SignData = c.before;
        if (c.op == Set) SetDestSection(4, static_cast<int16_t>(c.address), static_cast<int16_t>(c.n), c.value);
        else DeleteDestRow(4, static_cast<int16_t>(c.address), static_cast<int16_t>(c.n));
        EXPECT_EQ(gDestList[4].SignData, c.after) << c.what;
    }
}

TEST_F(RecordsTest, ExtraSectionsAndContents) {
    gChangeTime = 4;
    // Extra text without sections: the content alone.
    gExtraList[2].SignData = "";
    SetExtraSection(2, 1, "A");
    EXPECT_EQ(gExtraList[2].SignData, "A");
    SetExtraSection(2, 2, "B");
    EXPECT_EQ(gExtraList[2].SignData, "A" + Mark(4) + "B");
    gChangeTime = 2;
    SetExtraSection(2, 1, "X");
    EXPECT_EQ(gExtraList[2].SignData, "X" + Mark(2) + "B");
    DeleteExtraRow(2, 1);
    EXPECT_EQ(gExtraList[2].SignData, "B");
    DeleteExtraRow(2, 1);
    EXPECT_EQ(gExtraList[2].SignData, "");
    // A content whose page 1 is empty keeps page 2 when page 1 is set.
    gExtraList[2].SignData = Mark(3) + "B";
    SetExtraSection(2, 1, "A");
    EXPECT_EQ(gExtraList[2].SignData, "A" + Mark(2) + "B");

    // Extra text with sections: one sign's page goes, the others stay.
    gExtraList[3].SignData = Sec(2) + "X" + Mark(1) + "Y" + Sec(5) + "A" + Mark(3) + "B";
    DeleteExtraSectionRow(3, 5, 2);
    EXPECT_EQ(gExtraList[3].SignData, Sec(2) + "X" + Mark(1) + "Y" + Sec(5) + "A");
    DeleteExtraSectionRow(3, 2, 1);
    EXPECT_EQ(gExtraList[3].SignData, Sec(2) + "Y" + Sec(5) + "A");
}

TEST_F(RecordsTest, SetRowAndPageTimesDirectly) {
    gChangeTime = 8;
    std::string v = "v";
    EXPECT_EQ(SetRow(Sec(5) + "A", v, 2), Sec(5) + "A" + Mark(8) + "v");
    EXPECT_EQ(v, Mark(8) + "v");  // the caller's value receives the mark
    v = "v";
    EXPECT_EQ(SetRow("A" + Mark(1) + "B", v, 1), "v" + Mark(1) + "B");
    EXPECT_EQ(v, "v");
    EXPECT_EQ(SetPageTimes("A" + Mark(1) + "B" + Mark(2) + "C"), "A" + Mark(8) + "B" + Mark(8) + "C");
    EXPECT_EQ(SetPageTimes("ABC"), "ABC");
    EXPECT_EQ(DeleteRow(Sec(5) + "A", 1), "");
    EXPECT_EQ(DeleteRow("A", 1), "");
}

TEST_F(RecordsTest, ActiveAndExtraRows) {
    gDestList[6].SignData = Sec(2) + "P1" + Mark(3) + "P2" + Sec(5) + "Only";
    gDestListActive = kTrue;
    int16_t n = 2, multi = 0;
    EXPECT_EQ(GetActiveRow(6, 2, n, multi), "P2");
    EXPECT_EQ(multi, kTrue);
    EXPECT_EQ(n, 2);
    n = 3;
    EXPECT_EQ(GetActiveRow(6, 2, n, multi), "");
    n = 4;
    EXPECT_EQ(GetActiveRow(6, 5, n, multi), "Only");  // one page: n back to 1
    EXPECT_EQ(multi, kFalse);
    EXPECT_EQ(n, 1);
    n = 3;
    multi = 77;
    EXPECT_EQ(GetActiveRow(7, 5, n, multi), "");  // empty SignData: n and multi untouched
    EXPECT_EQ(n, 3);
    EXPECT_EQ(multi, 77);

    gExtraList[6].SignData = Sec(2) + "E1";
    gDestListActive = kFalse;
    n = 2;
    EXPECT_EQ(GetActiveRow(6, 2, n, multi), "E1");
    EXPECT_EQ(n, 1);
    SetActiveSection(6, 2, 2, "E2");
    EXPECT_EQ(gExtraList[6].SignData, Sec(2) + "E1" + Mark(3) + "E2");

    gExtraList[8].SignData = "A" + Mark(3) + "B";
    n = 2;
    multi = 0;
    EXPECT_EQ(GetExtraRow(8, n, multi), "B");
    EXPECT_EQ(multi, kTrue);
    gExtraList[8].SignData = "A";
    EXPECT_EQ(GetExtraRow(8, n, multi), "A");
    EXPECT_EQ(n, 1);
    EXPECT_EQ(multi, kFalse);
}

// ---- inverted-text store

class InvertedTest : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        gDestListActive = kTrue;
        gCurrentDest = 10;
        gCurrentExtra = 10;
        gCurrentSign = 5;
        gCurrentPage = 1;
        gChangeTime = 3;
    }
};

TEST_F(InvertedTest, FirstCommitCopiesSignData) {
    DestRecord& r = gDestList[10];
    r.SignData = Sec(2) + "X" + Sec(5) + "A";
    gAltBuffer = "INV";
    gAltBufferChanged = kTrue;
    gHasGraphic = kTrue;  // the picture shows the inverted text
    InvertApply("A");
    EXPECT_EQ(r.AltText, Sec(2) + "X" + Sec(5) + "INV");
    // The picture still shows it: the buffer stays, stored.
    EXPECT_EQ(gAltBuffer, "INV");
    EXPECT_EQ(gAltBufferChanged, kFalse);

    // A page that shows its text stores the page's own bytes.
    gHasGraphic = kFalse;
    gCurrentPage = 2;
    r.SignData = Sec(2) + "X" + Sec(5) + "A" + Mark(3) + "B";
    InvertApply("B");
    EXPECT_EQ(r.AltText, Sec(2) + "X" + Sec(5) + "INV" + Mark(3) + "B");
}

TEST_F(InvertedTest, ApplyCases) {
    struct Case {
        const char* what;
        std::string signData, altBefore, buffer;
        int16_t changed, graphic;
        std::string text, altAfter;
    } cases[] = {
        // A graphic that no text made (a picture) is its own inverted version.
        {"graphic page and empty buffer: its own bytes", Sec(5) + "A", Sec(5) + "Q", "", 0, kTrue, "A", Sec(5) + "A"},
        // A graphic that shows an inverted text (loaded so, or stored before).
        {"graphic page showing an inverted text, first commit", Sec(5) + "A", "", "G", 0, kTrue, "A", Sec(5) + "G"},
        {"unchanged buffer: text stored", Sec(5) + "A", Sec(5) + "Q", "OLD", 0, 0, "A", Sec(5) + "A"},
        {"value with a leading mark loses it", Sec(5) + "A", Sec(5) + "Q", Mark(3) + "M", kTrue, kTrue, "", Sec(5) + "M"},
        // An inversion the picture no longer shows (its graphic went) is not stored.
        {"changed buffer, page shows text: text stored", Sec(5) + "A", Sec(5) + "Q", "OLD", kTrue, 0, "A", Sec(5) + "A"},
        {"sign missing in store gets a section", Sec(2) + "X" + Sec(5) + "A", Sec(2) + "Y", "", 0, 0, "A",
         Sec(2) + "Y" + Sec(5) + "A"},
        // A sign whose section exists with no content gets no second header.
        {"empty section kept", Sec(2) + "X" + Sec(5) + "A", Sec(2) + "Y" + Sec(5), "", 0, 0, "A",
         Sec(2) + "Y" + Sec(5) + "A"},
        {"empty text, first commit: copied, then the page emptied", Sec(5) + "A", "", "", 0, 0, "", Sec(5)},
        // A page the user emptied: its inverted text goes too.
        {"emptied page", Sec(5), Sec(5) + "Q", "", 0, 0, "", Sec(5)},
    };
    for (const auto& c : cases) {
        DestRecord& r = gDestList[10];
        r.SignData = c.signData;
        r.AltText = c.altBefore;
        gAltBuffer = c.buffer;
        gAltBufferChanged = c.changed;
        gHasGraphic = c.graphic;
        InvertApply(c.text);
        EXPECT_EQ(r.AltText, c.altAfter) << c.what;
        size_t signHeaders = 0;
        for (size_t i = 0; i + 1 < r.AltText.size(); ++i) signHeaders += r.AltText[i] == '\xFF' && r.AltText[i + 1] == 5;
        EXPECT_LE(signHeaders, 1u) << c.what;
    }
}

TEST_F(InvertedTest, ExtraTextsWithAndWithoutSections) {
    gDestListActive = kFalse;
    gExtraPerSign = kTrue;
    DestRecord& r = gExtraList[10];
    r.SignData = Sec(2) + "X" + Mark(3) + "Y" + Sec(5) + "A" + Mark(3) + "B";
    r.AltText = r.SignData;
    gCurrentPage = 2;
    InvertRemoveCurrent();
    EXPECT_EQ(r.AltText, Sec(2) + "X" + Mark(3) + "Y" + Sec(5) + "A");
    InvertRemoveExtraPart(10, 2, 1);
    EXPECT_EQ(r.AltText, Sec(2) + "Y" + Sec(5) + "A");

    gExtraPerSign = kFalse;
    DestRecord& s = gExtraList[11];
    gCurrentExtra = 11;
    s.SignData = "A" + Mark(3) + "B";
    gAltBuffer = "IB";
    gAltBufferChanged = kTrue;
    gHasGraphic = kTrue;
    InvertApply("B");
    EXPECT_EQ(s.AltText, "A" + Mark(3) + "IB");
    gCurrentPage = 1;
    InvertRemoveCurrent();
    EXPECT_EQ(s.AltText, "IB");
    InvertStoreExtraSimple(11, 2, Mark(9) + "Z");
    EXPECT_EQ(s.AltText, "IB" + Mark(3) + "Z");
    InvertRemoveExtra(11, 2);
    EXPECT_EQ(s.AltText, "IB");
    // An empty store is not touched by a remove.
    s.AltText.clear();
    InvertRemoveCurrent();
    EXPECT_EQ(s.AltText, "");
}

TEST_F(InvertedTest, LoadBufferReadsCurrentPage) {
    DestRecord& r = gDestList[10];
    r.AltText = Sec(5) + "I1" + Mark(3) + "I2";
    gCurrentPage = 2;
    InvertLoadBuffer();
    EXPECT_EQ(gAltBuffer, "I2");
    // A store with fewer pages does not move the editor's page.
    r.AltText = Sec(5) + "I1";
    InvertLoadBuffer();
    EXPECT_EQ(gAltBuffer, "I1");
    EXPECT_EQ(gCurrentPage, 2);
    gHasGraphic = kTrue;
    InvertLoadBuffer();
    EXPECT_EQ(gAltBuffer, "");
    gHasGraphic = kFalse;
    r.AltText.clear();
    InvertLoadBuffer();
    EXPECT_EQ(gAltBuffer, "");

    gDestListActive = kFalse;
    gExtraList[10].AltText = "E1" + Mark(3) + "E2";
    InvertLoadBuffer();
    EXPECT_EQ(gAltBuffer, "E2");

    std::string parsed = "none";
    SetInvertReparseHook([&](const std::string& s) { parsed = s; });
    gAltBufferChanged = kTrue;
    InvertResetBuffer();
    EXPECT_EQ(parsed, "E2");
    EXPECT_EQ(gAltBuffer, "");
    EXPECT_EQ(gAltBufferChanged, kFalse);
}

}  // namespace
