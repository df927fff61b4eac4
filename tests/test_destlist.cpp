#include <gtest/gtest.h>

#include <random>

#include "engine/defaultdest.h"
#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/language.h"
#include "data/records.h"
#include "engine/signcommands.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_window.h"
#include "support/fake_ui.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testsigns::Sec;
using testsigns::SignLine;
using testsigns::Tag;

namespace {

class DestListTest : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        ParseSignDefinition(SignLine("FRONT", "K4000", "112x16", "2 "));
        ParseSignDefinition(SignLine("REAR", "K2000_1R", "16", "5 "));
    }
    void TearDown() override {
        kv::ResetAllState();
        gTextS102.clear();
        gTextS135.clear();
        gTextS155.clear();
        gTextS6.clear();
        gTextS28.clear();
        gSettingsFile.clear();
    }
    // A used destination: Text and page data for sign 2, and optionally a code.
    void UseDest(int n, const std::string& code = "    ") {
        DestRecord& r = gDestList[static_cast<size_t>(n)];
        r.Text = Tag("FRONT") + "# d" + std::to_string(n);
        r.SignData = Sec(2) + "p" + std::to_string(n);
        r.Code = code;
    }
    void UseExtra(int n) {
        gExtraList[static_cast<size_t>(n)].Text = "# e" + std::to_string(n);
        gExtraList[static_cast<size_t>(n)].SignData = "x";
    }
    FakeUi ui;
};

TEST_F(DestListTest, ListLinesWithAndWithoutCodes) {
    gDestList[7].Text = Tag("FRONT") + "# a# b" + Tag("REAR") + "# r";
    gDestList[7].Code = "AB1 ";
    gDestList[1234].Text = Tag("FRONT") + "# x";
    gExtraList[12].Text = "# e";
    AddListLine(7, true);
    AddListLine(1234, true);
    AddListLine(12, false);
    AddListLine(13, false);  // a free record still gets its line
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"   7   FRONT# a# bREAR# r", "1234   FRONT# x"}));
    EXPECT_EQ(ExtraList.Lines(), (std::vector<std::string>{"  12   # e", "  13   "}));

    gDestCodesOn = kTrue;
    AddListLine(7, true);
    gExtraList[12].Code = "XY  ";
    AddListLine(12, false);  // codes on: either table shows its code
    EXPECT_EQ(DestList.List(2), "AB1  FRONT# a# bREAR# r");
    EXPECT_EQ(ExtraList.List(2), "XY   # e");

    // FormatListLine: the code and one blank, as AddListLine, for the destination list only.
    gDestListActive = kTrue;
    FormatListLine(gDestList[7].Text, 7, DestList);
    EXPECT_EQ(DestList.List(3), "AB1  FRONT# a# bREAR# r");
    FormatListLine("# e", 12, ExtraList);
    EXPECT_EQ(ExtraList.List(3), "  12   # e");
    gDestListActive = kFalse;
    FormatListLine(gDestList[7].Text, 7, DestList);
    EXPECT_EQ(DestList.List(4), "   7   FRONT# a# bREAR# r");
    gDestCodesOn = kFalse;
    gDestListActive = kTrue;
    FormatListLine("\xFFN# t", 9, DestList);
    EXPECT_EQ(DestList.List(5), "   9   N# t");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DestListTest, RefusedLineIsReported) {
    std::vector<std::pair<ListModel::Change, int>> seen;
    DestList.SetListener([&](ListModel::Change c, int i) { seen.emplace_back(c, i); });
    DestList.SetCapacity(1);
    bool error = true;
    AddListLine(1, true, &error);
    EXPECT_FALSE(error);
    AddListLine(2, true, &error);
    EXPECT_TRUE(error);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Error # 7\rOut of memory");
    error = false;
    FormatListLine("x", 3, DestList, &error);
    EXPECT_TRUE(error);
    EXPECT_EQ(DestList.ListCount(), 1);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, ListModel::Change::Added);
    EXPECT_EQ(seen[0].second, 0);
}

TEST_F(DestListTest, PlacedLinesKeepTheirOrder) {
    gDestListActive = kTrue;
    for (int n : {2, 10, 30}) FormatListLine("x", static_cast<int16_t>(n), DestList);
    PlaceListLine("y", 9, DestList);
    PlaceListLine("z", 40, DestList);
    PlaceListLine("w", 1, DestList);
    PlaceListLine("v", 10, DestList);  // after the line of the same number
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"   1   w", "   2   x", "   9   y", "  10   x", "  10   v",
                                                          "  30   x", "  40   z"}));
    EXPECT_EQ(LastUsedNumber(DestList), 40);

    // In the code form the codes give the order.
    DestList.Clear();
    gDestCodesOn = kTrue;
    gDestList[1].Code = "B1  ";
    gDestList[2].Code = "A7  ";
    gDestList[3].Code = "C   ";
    PlaceListLine("b", 1, DestList);
    PlaceListLine("c", 3, DestList);
    PlaceListLine("a", 2, DestList);
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"A7   a", "B1   b", "C    c"}));
}

// The searches halve a list whose lines stand in order and read every line
// of one that does not: seeded random changes, some keeping the order and
// some breaking it, each followed by every search checked against a plain
// walk over the lines.
TEST_F(DestListTest, SearchesOfOrderedAndUnorderedListsFindWhatAWalkFinds) {
    // Heads that collide: numbers, codes with blanks and without, short
    // lines, heads that Val reads its own way.
    const std::vector<std::string> heads = {"   1", "   2", "  10", "  12", " 1 2", "1", "12", "1   ", "12  ", "1 A ",
                                            "A7  ", "B1  ", "B1", "&H1 ", "\t2  ", "",  "  3x", "9999", "0012"};
    const std::vector<std::string> codes = {"1", "12", "1 A", "A7", "B1", "B", "", "9999", "1   "};
    auto walkNumber = [](const ListModel& list, int16_t n) {
        for (int i = 0; i < list.ListCount(); ++i)
            if (CIntClamp(Val(Left(list.List(i), 4))) == n) return i;
        return -1;
    };
    auto walkCode = [](const ListModel& list, const std::string& code) {
        const std::string wanted = RTrim(code);
        for (int i = 0; i < list.ListCount(); ++i)
            if (RTrim(Left(list.List(i), 4)) == wanted) return i;
        return -1;
    };
    for (unsigned seed : testutil::TestSeeds(1, 40)) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 rng(seed);
        auto pick = [&](size_t n) { return static_cast<size_t>(rng() % n); };
        DestList.Clear();
        for (int step = 0; step < 120; ++step) {
            const int count = DestList.ListCount();
            const std::string line = heads[pick(heads.size())] + (rng() % 2 ? " x" : "");
            const unsigned op = rng() % 50;
            if (op < 6) {
                if (count > 0) DestList.RemoveItem(static_cast<int>(pick(static_cast<size_t>(count))));
            } else if (op < 9) {
                if (count > 0) DestList.SetList(static_cast<int>(pick(static_cast<size_t>(count))), line);
            } else if (op < 12) {
                DestList.AddItem(line, static_cast<int>(pick(static_cast<size_t>(count) + 1)));
            } else if (op < 14) {
                DestList.Clear();
            } else {
                // A line placed in number or code order, as the commit does.
                gDestCodesOn = VbBool(seed % 2);
                gDestListActive = kTrue;
                const int16_t n = static_cast<int16_t>(1 + pick(40));
                gDestList[static_cast<size_t>(n)].Code = PadCode(codes[pick(codes.size())]);
                std::vector<std::string> expected = DestList.Lines();
                const std::string placed =
                    (gDestCodesOn ? PadCode(gDestList[static_cast<size_t>(n)].Code) + " " : "") + "t";
                const bool byCode = gDestCodesOn != 0;
                std::string full = byCode ? placed : (n < 10 ? "   " : "  ") + std::to_string(n) + "   t";
                size_t at = expected.size();
                for (size_t i = 0; i < expected.size(); ++i)
                    if (byCode ? Left(expected[i], 4) > Left(full, 4)
                               : CIntClamp(Val(Left(expected[i], 4))) > CIntClamp(Val(Left(full, 4)))) {
                        at = i;
                        break;
                    }
                expected.insert(expected.begin() + static_cast<long>(at), full);
                PlaceListLine("t", n, DestList);
                ASSERT_EQ(DestList.Lines(), expected) << step;
            }
            for (int16_t n = -1; n <= 20; ++n) ASSERT_EQ(FindListIndexByNumber(DestList, n), walkNumber(DestList, n)) << step << " " << n;
            ASSERT_EQ(FindListIndexByNumber(DestList, 9999), walkNumber(DestList, 9999)) << step;
            gDestCodesOn = kTrue;
            for (const std::string& code : codes) {
                gDestList[41].Code = code;
                ASSERT_EQ(SelectListItemForRecord(true, 41), walkCode(DestList, code)) << step << " " << code;
            }
            gDestCodesOn = kFalse;
        }
    }
}

TEST_F(DestListTest, ListModelKeepsSelectionInStep) {
    for (const char* s : {"a", "b", "c"}) DestList.AddItem(s);
    DestList.SetListIndex(1);
    DestList.AddItem("z", 0);
    EXPECT_EQ(DestList.ListIndex(), 2);
    EXPECT_EQ(DestList.List(2), "b");
    DestList.RemoveItem(0);
    EXPECT_EQ(DestList.ListIndex(), 1);
    DestList.RemoveItem(1);
    EXPECT_EQ(DestList.ListIndex(), -1);
    EXPECT_THROW(DestList.RemoveItem(5), VbError);
    EXPECT_THROW(DestList.AddItem("q", 9), VbError);
    EXPECT_THROW(DestList.SetListIndex(2), VbError);
    DestList.SetSelected(1, true);
    EXPECT_TRUE(DestList.Selected(1));
    EXPECT_FALSE(DestList.Selected(0));
    EXPECT_EQ(DestList.List(7), "");
    DestList.Clear();
    EXPECT_EQ(DestList.ListCount(), 0);
    EXPECT_EQ(DestList.ListIndex(), -1);
}

// Changes within batches are told once, as a Reset when the outermost batch
// ends, and only when there was a change.
TEST_F(DestListTest, BatchTellsItsChangesOnceAtTheEnd) {
    std::vector<std::pair<ListModel::Change, int>> seen;
    DestList.SetListener([&](ListModel::Change c, int i) { seen.emplace_back(c, i); });
    {
        ListModel::Batch outer(DestList);
        {
            ListModel::Batch inner(DestList);
            DestList.AddItem("a");
            DestList.AddItem("b");
        }
        DestList.SetListIndex(1);
        EXPECT_TRUE(seen.empty());
    }
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, ListModel::Change::Reset);
    EXPECT_EQ(seen[0].second, -1);
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(DestList.ListIndex(), 1);

    seen.clear();
    { ListModel::Batch nothing(DestList); }
    EXPECT_TRUE(seen.empty());
    DestList.RemoveItem(0);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].first, ListModel::Change::Removed);
}

TEST_F(DestListTest, LastUsedNumber) {
    EXPECT_EQ(LastUsedNumber(DestList), 0);
    for (int n : {1, 5, 12}) {
        UseDest(n);
        AddListLine(static_cast<int16_t>(n), true);
    }
    EXPECT_EQ(LastUsedNumber(DestList), 12);
    // Codes on: count destinations with page data up to the number of lines.
    gDestCodesOn = kTrue;
    EXPECT_EQ(LastUsedNumber(DestList), 12);
    gDestList[5].SignData.clear();  // one fewer with page data than lines
    UseDest(40);
    EXPECT_EQ(LastUsedNumber(DestList), 40);
    DestList.RemoveItem(2);
    EXPECT_EQ(LastUsedNumber(DestList), 12);

    // Extra texts with codes on: the highest with page data, also beyond the
    // number of lines (none may be left out of the out-file).
    for (int n : {1, 2, 3}) AddListLine(static_cast<int16_t>(n), false);
    UseExtra(2);
    EXPECT_EQ(LastUsedNumber(ExtraList), 2);
    UseExtra(9);
    EXPECT_EQ(LastUsedNumber(ExtraList), 9);
    gDestCodesOn = kFalse;
    ExtraList.Clear();
    for (int n : {1, 2, 3}) AddListLine(static_cast<int16_t>(n), false);
    EXPECT_EQ(LastUsedNumber(ExtraList), 3);
}

TEST_F(DestListTest, ListAndRecordLookups) {
    for (int n : {1, 5, 12}) {
        UseDest(n, "C" + std::to_string(n) + "  ");
        AddListLine(static_cast<int16_t>(n), true);
    }
    struct {
        int n, index;
    } byNumber[] = {{1, 0}, {5, 1}, {12, 2}, {7, -1}, {0, -1}};
    for (auto c : byNumber) {
        EXPECT_EQ(FindListIndexByNumber(DestList, static_cast<int16_t>(c.n)), c.index) << c.n;
        EXPECT_EQ(SelectListItemForRecord(true, static_cast<int16_t>(c.n)), c.index) << c.n;
    }
    // An empty list has no line, not even for 0.
    EXPECT_EQ(FindListIndexByNumber(ExtraList, 0), -1);
    EXPECT_EQ(SelectListItemForRecord(false, 0), -1);

    // Codes on: found by code, even when the number is not in the line.
    gDestCodesOn = kTrue;
    DestList.Clear();
    for (int n : {1, 5, 12}) AddListLine(static_cast<int16_t>(n), true);
    EXPECT_EQ(SelectListItemForRecord(true, 12), 2);
    EXPECT_EQ(SelectListItemForRecord(true, 7), -1);
    gDestCodesOn = kFalse;

    // The continued search starts at the last match.
    DestList.Clear();
    for (int n : {3, 4, 4, 9, 9, 9}) DestList.AddItem("   " + std::to_string(n) + "   x");
    EXPECT_EQ(FindListItemByRecordNo(9, false), 3);
    EXPECT_EQ(FindListItemByRecordNo(9, true), 3);
    EXPECT_EQ(FindListItemByRecordNo(4, true), -1);  // searched from index 3 on
    EXPECT_EQ(FindListItemByRecordNo(4, true), 1);   // the failure reset the start
    EXPECT_EQ(FindListItemByRecordNo(-1, true), 0);
    EXPECT_EQ(FindListItemByRecordNo(3, true), 0);
    gDestListActive = kFalse;
    EXPECT_EQ(FindListItemByRecordNo(3, false), -1);
}

TEST_F(DestListTest, FindRecordByKey) {
    UseDest(1);
    gDestList[2].Text = Tag("REAR") + "# r";
    gDestList[2].SignData = Sec(5) + "r";
    for (int n : {1, 2}) AddListLine(static_cast<int16_t>(n), true);
    EXPECT_TRUE(FindRecordByKey(2, 0));
    EXPECT_TRUE(FindRecordByKey(5, 1));
    EXPECT_FALSE(FindRecordByKey(3, 0));
    EXPECT_FALSE(FindRecordByKey(2, 3));
    EXPECT_FALSE(FindRecordByKey(2, -1));
    gExtraList[1].Text = Tag("REAR") + "# e";
    AddListLine(1, false);
    EXPECT_TRUE(FindRecordByKey(5, 2));
    EXPECT_FALSE(FindRecordByKey(2, 2));
    // Records beyond the last line are not looked at.
    gDestList[3].Text = Tag("FRONT") + "# late";
    gDestList[1].Text.clear();
    EXPECT_FALSE(FindRecordByKey(2, 0));
}

TEST_F(DestListTest, RefreshDestList) {
    for (int n : {2, 4}) {
        UseDest(n);
        AddListLine(static_cast<int16_t>(n), true);
    }
    RefreshDestList();
    EXPECT_EQ(DestList.Lines(), (std::vector<std::string>{"   1   ", "   2   FRONT# d2", "   3   ", "   4   FRONT# d4"}));
}

// ---- codes

TEST_F(DestListTest, CheckCodeChars) {
    gAllowedCodeChars = {"ABC", "ABC", " ", " "};
    struct Case {
        const char* in;
        bool ok;
        const char* out;
    } cases[] = {
        {"ab", true, "AB  "}, {"AB  ", true, "AB  "}, {"a", false, ""}, {"abc", false, ""},
        {"abcde", false, ""}, {"", false, ""},  // position 1 allows no blank
        {"ad", false, ""},
    };
    for (const auto& c : cases) {
        std::string code = c.in;
        EXPECT_EQ(CheckCodeChars(code), c.ok) << c.in;
        if (c.ok) {
            EXPECT_EQ(code, c.out) << c.in;
        }
    }
    gAllowedCodeChars = {" 0123456789", " 0123456789AbCdEFHL", " 0123456789AbCdEFHL", " 0123456789"};
    std::string code = "1bb";
    EXPECT_TRUE(CheckCodeChars(code));
    EXPECT_EQ(code, "1bb ");
    code = "1BB";
    EXPECT_TRUE(CheckCodeChars(code));
    EXPECT_EQ(code, "1bb ");  // the case written in the allowed characters
    code = "1ff";
    EXPECT_TRUE(CheckCodeChars(code));
    EXPECT_EQ(code, "1FF ");
}

TEST_F(DestListTest, CheckDestCodeSteps) {
    gAllowedCodeChars = {" A", " A", "AB", "0123456789"};
    auto used = [&](std::initializer_list<const char*> codes) {
        for (int n = 1; n < 20; ++n) gDestList[static_cast<size_t>(n)] = DestRecord{};
        DestList.Clear();
        int n = 1;
        for (const char* c : codes) {
            UseDest(n, c);
            AddListLine(static_cast<int16_t>(n++), true);
        }
    };
    struct Case {
        std::initializer_list<const char*> taken;
        const char* from;
        const char* next;
    } cases[] = {
        {{}, "  A9", "  B0"},
        {{"  B0", "  B1"}, "  A9", "  B2"},
        {{}, "  A3", "  A4"},
        {{}, "  B9", " AA0"},          // carry over two positions
        {{}, "AAB9", "  A0"},          // position 3 has no blank: it wraps to its first character
        {{"  A1"}, "  A0", "  A2"},
        {{}, "  A", "  A "},           // blank not allowed in position 4: no step, and the code is free
    };
    for (const auto& c : cases) {
        used(c.taken);
        EXPECT_EQ(CheckDestCode(c.from, 12), c.next) << c.from;
    }
    // Wrapping to all blanks gives the number.
    gAllowedCodeChars = {" A", " A", " A", " 9"};
    used({});
    EXPECT_EQ(CheckDestCode("AAA9", 12), "12");
    // Every code taken: the search ends with the number.
    gAllowedCodeChars = {" ", " ", "A", "01"};
    used({"  A0", "  A1"});
    EXPECT_EQ(CheckDestCode("  A0", 7), "7");
    // A code whose last character is not allowed cannot step: it is kept
    // when free, the number when taken.
    gAllowedCodeChars = {" A", " A", "AB", "0123456789"};
    used({"  Ax"});
    EXPECT_EQ(CheckDestCode("  Ax", 5), "5");
    used({});
    EXPECT_EQ(CheckDestCode("  Ax", 5), "  Ax");
}

TEST_F(DestListTest, CodeLookupsAndDestIndex) {
    UseDest(1, "AB  ");
    UseDest(2, "ab  ");
    for (int n : {1, 2}) AddListLine(static_cast<int16_t>(n), true);
    int16_t index = 99;
    EXPECT_TRUE(FindDestByCode("ab  ", index));
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(FindDestByCode("AB", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(FindDestByCode("CD  ", index));
    EXPECT_EQ(index, 0);

    gDestCodesOn = kTrue;
    gCurrentDest = 44;
    EXPECT_EQ(GetDestIndex("ab  "), 2);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(GetDestIndex("ZZ  "), 44);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Index not found!");
    gTextS135 = "Nicht gefunden";
    GetDestIndex("ZZ  ");
    EXPECT_EQ(ui.messages[1].text, "Nicht gefunden");

    gDestCodesOn = kFalse;
    EXPECT_EQ(GetDestIndex("17"), 17);
    SetCurrentNumberTextSource([] { return std::string(" 23"); });
    EXPECT_EQ(GetDestIndex("17"), 23);

    EXPECT_EQ(PadCode("A"), "A   ");
    EXPECT_EQ(PadCode("ABCDE"), "ABCD");
    gDestListActive = kTrue;
    SetDestCode(3, "xy");
    EXPECT_EQ(gDestList[3].Code, "xy  ");
    gDestListActive = kFalse;
    SetDestCode(3, "zz");
    EXPECT_EQ(gDestList[3].Code, "xy  ");
}

TEST_F(DestListTest, GetFreeListNo) {
    for (int n = 1; n <= 5; ++n) {
        UseDest(n);
        AddListLine(static_cast<int16_t>(n), true);
    }
    struct Case {
        const char* typed;
        int result;
    } cases[] = {{"7", 7}, {" 7 ", 7}, {"07", 6}, {"3", 6}, {"+7", 6}, {"7.0", 6}, {"", 6}, {"abc", 6},
                 {"99999", 6}, {"9999", 9999}, {"10000", 6}, {"0", 6}};
    for (const auto& c : cases) EXPECT_EQ(GetFreeListNo(1, c.typed), c.result) << c.typed;
    // A gap is used first.
    gDestList[3].SignData.clear();
    EXPECT_EQ(GetFreeListNo(1, "7"), 3);

    // Extra texts look at 1..last - 1 only.
    for (int n = 1; n <= 3; ++n) {
        UseExtra(n);
        AddListLine(static_cast<int16_t>(n), false);
    }
    gExtraList[3].SignData.clear();
    EXPECT_EQ(GetFreeListNo(0, ""), 4);
    gExtraList[2].SignData.clear();
    EXPECT_EQ(GetFreeListNo(0, ""), 2);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(DestListTest, GetFreeListNoWhenFull) {
    gTextS102 = "List is full!";
    for (int n = 1; n <= 998; ++n) {
        UseExtra(n);
        AddListLine(static_cast<int16_t>(n), false);
    }
    EXPECT_EQ(GetFreeListNo(0, "999"), 999);
    EXPECT_EQ(GetFreeListNo(0, "5"), -1);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "List is full!");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);
    EXPECT_EQ(ui.messages[0].title, kMsgTitle);
}

TEST_F(DestListTest, DisableInsertMode) {
    testutil::TempDir dir;
    gSettingsFile = dir.file("kivar.lib");
    const std::string settings = "[Generell]\r\nChangeTime=3\r\nInsertMode=-1\r\nSaveWinPos=0\r\n\r\n[Fonts]\r\n";
    testutil::WriteFile(gSettingsFile, settings);
    gTextS150 = "Max 3 signs!";
    gTextS6 = "Store";
    std::string caption = "unchanged";
    testutil::CaptionWindow window(caption);
    struct Case {
        int version;
        int16_t codes;
        bool disables;
    } cases[] = {{5, kTrue, false}, {6, kFalse, true}, {7, kTrue, true}, {7, kFalse, false}};
    for (const auto& c : cases) {
        ui.messages.clear();
        caption = "unchanged";
        testutil::WriteFile(gSettingsFile, settings);
        gTxlVersion = static_cast<int16_t>(c.version);
        gDestCodesOn = c.codes;
        gInsertMode = kTrue;
        DisableInsertMode();
        EXPECT_EQ(gInsertMode, c.disables ? kFalse : kTrue) << c.version;
        if (c.disables) {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, "Insertmode disabled!");
            EXPECT_EQ(caption, "Store");
            EXPECT_NE(testutil::ReadFile(gSettingsFile).find("InsertMode=0\r\n"), std::string::npos);
        } else {
            EXPECT_TRUE(ui.messages.empty());
            EXPECT_EQ(caption, "unchanged");
            EXPECT_EQ(testutil::ReadFile(gSettingsFile), settings);
        }
    }
    // Already off: nothing.
    ui.messages.clear();
    gTxlVersion = 6;
    gInsertMode = kFalse;
    DisableInsertMode();
    EXPECT_TRUE(ui.messages.empty());
    // The language's own text.
    gTextS155 = "Einfuegen aus!";
    gInsertMode = kTrue;
    DisableInsertMode();
    EXPECT_EQ(ui.messages.at(0).text, "Einfuegen aus!");
}

// ---- sorting

TEST_F(DestListTest, SortIndexByKeyIsStable) {
    std::vector<SortItem> items;
    for (const char* k : {"b", "a", "B", "a", "\xF6\xF6", "ab", "b"}) items.push_back({0, k});
    SortIndexByKey(items);
    std::vector<int> order;
    for (const auto& i : items) order.push_back(i.Index);
    EXPECT_EQ(order, (std::vector<int>{3, 2, 4, 6, 1, 7, 5}));
    std::vector<SortItem> one{{42, "x"}};
    SortIndexByKey(one);
    EXPECT_EQ(one[0].Index, 42);
}

TEST_F(DestListTest, SortDestListByCode) {
    gDestCodesOn = kTrue;
    UseDest(1, "C   ");
    UseDest(2, "A   ");
    UseDest(3, "B  1");
    gDestList[3].Text += "first";
    gDestList[4].Text = "no page data";  // goes to the end, cleared
    UseDest(5, "B  1");
    gDestList[5].Text += "second";
    UseDest(6, "AA  ");
    for (int n = 1; n <= 6; ++n) AddListLine(static_cast<int16_t>(n), true);
    ASSERT_EQ(LastUsedNumber(DestList), 6);
    SortDestList();
    const char* codes[] = {"A   ", "AA  ", "B  1", "B  1", "C   "};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(gDestList[static_cast<size_t>(i + 1)].Code, codes[i]) << i;
    EXPECT_EQ(gDestList[3].Text, Tag("FRONT") + "# d3first");  // equal codes keep their order
    EXPECT_EQ(gDestList[4].Text, Tag("FRONT") + "# d5second");
    EXPECT_EQ(gDestList[6].Text, "");
    EXPECT_EQ(gDestList[6].Code, "    ");

    // Already in order: nothing changes.
    const auto before = gDestList[2].Text;
    DestList.RemoveItem(5);
    SortDestList();
    EXPECT_EQ(gDestList[2].Text, before);

    // Codes off: nothing at all.
    gDestCodesOn = kFalse;
    std::swap(gDestList[1], gDestList[2]);
    SortDestList();
    EXPECT_EQ(gDestList[1].Code, "AA  ");
}

TEST_F(DestListTest, SortDestListCompactsFarRecords) {
    gDestCodesOn = kTrue;
    // Three lines; records 1 and 3 used, record 300 far beyond them.
    UseDest(1, "B   ");
    UseDest(3, "C   ");
    UseDest(300, "A   ");
    for (int n = 1; n <= 3; ++n) AddListLine(static_cast<int16_t>(n), true);
    ASSERT_EQ(LastUsedNumber(DestList), 300);
    SortDestList();
    EXPECT_EQ(gDestList[1].Code, "A   ");
    EXPECT_EQ(gDestList[2].Code, "B   ");
    EXPECT_EQ(gDestList[3].Code, "C   ");
    EXPECT_TRUE(gDestList[300].Text.empty());
    EXPECT_TRUE(gDestList[300].SignData.empty());
}

// ---- default destination and the commands it uses

TEST_F(DestListTest, SignCommands) {
    int16_t x = -3, y = 6;
    EXPECT_EQ(PositionCommand(x, y), std::string("\xD2\x00\xD3\x06", 4));
    EXPECT_EQ(x, 0);
    x = 2;
    y = -1;
    EXPECT_EQ(PositionCommand(x, y), std::string("\xD2\x02\xD3\x00", 4));
    EXPECT_EQ(y, 0);
    EXPECT_EQ(SizeCommand(112, 16), "\xD0\x70\xD1\x10");
    EXPECT_EQ(SizeCommand(300, 255), "\xD0\xAF\xD1\xAF");  // never a page or section mark
    EXPECT_EQ(FontCommand("x"), "\xD4x");
    EXPECT_EQ(FontCommand("AB"), "\xD4" "A");
}

TEST_F(DestListTest, DefaultDestination) {
    gTextS28 = "Default";
    const std::string k4000_2 = Sec(2) + std::string("\xD2\x00\xD3\x00\xD4x \xD0\x70\xD1\x10", 11);
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::string data;
    } cases[] = {
        {"no signs", {}, ""},
        {"K4000 at 2, K1000 at 6", {SignLine("FRONT", "K4000", "112x16", "2 "), SignLine("LINE", "K1000", "4", "6 ")},
         k4000_2 + Sec(6) + std::string(4, '\0')},
        {"6 comes after 7", {SignLine("A", "K1000", "4", "6 "), SignLine("B", "K2000_1R", "16", "7 ")},
         Sec(7) + " " + Sec(6) + std::string(4, '\0')},
        {"text signs and order", {SignLine("C", "K2000_2R", "12+12", "16"), SignLine("D", "K2000_1R", "16", "3 "),
                                  SignLine("E", "K4000", "28x8", "5 ")},
         Sec(3) + " " + Sec(5) + std::string("\xD2\x00\xD3\x00\xD4x \xD0\x1C\xD1\x08", 11) + Sec(16) + " "},
        {"unknown model left out", {SignLine("F", "K9000", "10x7", "4 ")}, ""},
    };
    for (const auto& c : cases) {
        ClearSignTable();
        for (const auto& l : c.lines) ParseSignDefinition(l);
        gDestList[0].ChangeTime = 9;
        gDestList[0].Code = "ZZ  ";
        InitDefaultDestination();
        EXPECT_EQ(gDestList[0].SignData, c.data) << c.what;
        EXPECT_EQ(gDestList[0].Text, "Default") << c.what;
        EXPECT_EQ(gDestList[0].ChangeTime, 9);
        EXPECT_EQ(gDestList[0].Code, "ZZ  ");
        const DestRecord once = gDestList[0];
        InitDefaultDestination();
        EXPECT_EQ(gDestList[0].SignData, once.SignData) << c.what;
    }
    // Page data of the default destination never holds a mark byte.
    ClearSignTable();
    ParseSignDefinition(SignLine("W", "K4000", "240x48", "2 "));
    InitDefaultDestination();
    EXPECT_EQ(gDestList[0].SignData.substr(2).find('\xB0'), std::string::npos);
    EXPECT_EQ(gDestList[0].SignData.substr(2).find('\xFF'), std::string::npos);
}

}  // namespace
