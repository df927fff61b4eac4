// The text import: the rows of a file, the report of bad rows, and the
// import into the active list with the replace question.
#include <gtest/gtest.h>

#include <ctime>
#include <deque>
#include <functional>

#include "app/entryload.h"
#include "app/invert.h"
#include "app/picconvert.h"
#include "app/replace.h"
#include "app/textimport.h"
#include "data/language.h"
#include "engine/shownpages.h"
#include "files/txlread.h"
#include "platform/progress.h"
#include "support/editor_text.h"
#include "support/entry_state.h"
#include "support/fake_clock.h"
#include "support/testutil.h"

using namespace kv;

namespace {

TEST(TextImportRows, TheGrammarOfARow) {
    struct Case {
        const char* line;
        bool destinations;
        bool valid;
        int number, page;
        const char* text;
    };
    const Case cases[] = {
        {"12\tCentral", true, true, 12, 1, "Central"},
        {"12.3\tHarbour", true, true, 12, 3, "Harbour"},
        {" 12 .8\tx", true, true, 12, 8, "x"},
        {"12.9\tx", true, false, 0, 0, "12.9\tx"},  // beyond the 8 pages offered
        {"12.0\tx", true, false, 0, 0, "12.0\tx"},
        {"12\tA\tB", true, false, 0, 0, "12\tA\tB"},  // two tabs
        {"12 Central", true, false, 0, 0, "12 Central"},
        {"abc\tx", true, false, 0, 0, "abc\tx"},
        {"\tx", true, false, 0, 0, "\tx"},
        {"9999\tlast", true, true, 9999, 1, "last"},
        {"10000\tx", true, false, 0, 0, "10000\tx"},
        {"1000\tx", true, true, 1000, 1, "x"},
        {"1000\tx", false, false, 0, 0, "1000\tx"},
        {"999\tx", false, true, 999, 1, "x"},
        {"7x\tleading number", true, true, 7, 1, "leading number"},
        {"2.5\tx", true, true, 2, 5, "x"},
        {"99999999999\tx", true, false, 0, 0, "99999999999\tx"},
        {"3\t", true, true, 3, 1, ""},
    };
    for (const Case& c : cases) {
        const std::vector<ImportRow> rows = ParseImportRows(c.line, c.destinations, 8);
        ASSERT_EQ(rows.size(), 1u) << c.line;
        EXPECT_EQ(rows[0].valid, c.valid) << c.line;
        EXPECT_EQ(rows[0].number, c.number) << c.line;
        EXPECT_EQ(rows[0].page, c.page) << c.line;
        EXPECT_EQ(rows[0].text, c.text) << c.line;
    }
}

TEST(TextImportRows, CommentsAndEmptyLinesAreSkippedAndLinesEndInCrLfOrLf) {
    const std::vector<ImportRow> rows = ParseImportRows("; head\r\n\r\n1\tA\r\n\n2\tB\n;x\n3 bad\r\n4\tD", true, 8);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].text, "A");
    EXPECT_EQ(rows[1].text, "B");
    EXPECT_FALSE(rows[2].valid);
    EXPECT_EQ(rows[2].text, "3 bad");
    EXPECT_EQ(rows[3].text, "D");
    EXPECT_EQ(BadRowsReport(rows), "Bad rows i file:\r\n\r\n3 bad\r\n");
    EXPECT_EQ(BadRowsReport({}), "");
    EXPECT_TRUE(ParseImportRows("; only\n;comments\r\n", true, 8).empty());
}

// The replace question answered from a queue.
class ImportUi : public testmarkup::Ui {
public:
    int32_t ReplaceQuestion(const std::string& question) override {
        questions.push_back(question);
        if (replies.empty()) return -1;
        const int32_t r = replies.front();
        replies.pop_front();
        return r;
    }
    std::vector<std::string> questions;
    std::deque<int32_t> replies;

    // The run's window, as the steps are shown; a step of the run may move
    // the clock on.
    void StartRun() override { runs.push_back({}); }
    void ShowProgress(const std::string& text, int32_t done, int32_t total) override {
        runs.back().shown.push_back({done, total});
        runs.back().text = text;
    }
    void EndRun() override { runs.back().ended = true; }
    void DoEvents() override {
        FakeUi::DoEvents();
        if (onEvents) onEvents();
    }
    struct Run {
        std::vector<std::pair<int32_t, int32_t>> shown;
        std::string text;
        bool ended = false;
    };
    std::vector<Run> runs;
    std::function<void()> onEvents;
};

class TextImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        testentry::ResetAll();
        testentry::GraphicSign(2, "FRONT", 112, 16, 0);
        window.ChangeAddress(0, false, true);
        ReadCharMap("1");
        // The question texts come from the language file.
        gLanguageFile = std::string(KIVAR_DATA_DIR) + "/English.lng";
        gLanguage = "English";
    }
    void TearDown() override { testentry::ResetAll(); }

    std::string File(const std::string& content) {
        const std::string path = dir.file("list.txt");
        testutil::WriteFile(path, content);
        return path;
    }
    // A destination whose FRONT page 1 holds `text`.
    void Existing(int16_t n, const std::string& text) {
        gCurrentDest = n;
        int16_t sign = 0;
        SkrivTextISkylt(text, 0, sign);
    }
    static std::string Front(int16_t n) { return GetSignText(gDestList[static_cast<size_t>(n)].Text, 2); }

    testutil::TempDir dir;
    testentry::Window window;
    ImportUi ui;
};

TEST_F(TextImportTest, ValidRowsAreWrittenAfterTheReportOfTheBadOnes) {
    // Rows are Windows-1252 bytes: 14 holds ö and Å.
    ImportTextFile(File("; list\r\n12\tCentral\r\nbad line\r\n12.2\tHarbour\r\n\r\n13\tAirport\r\n14\tMalm\xF6 \xC5s\r\n"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Bad rows i file:\r\n\r\nbad line\r\n");
    EXPECT_EQ(ui.messages[0].style, vbOKCancel);
    EXPECT_EQ(Front(12), "\xff" "FRONT# Central# Harbour");
    EXPECT_EQ(Front(13), "\xff" "FRONT# Airport");
    EXPECT_EQ(Front(14), "\xff" "FRONT# Malm\xF6 \xC5s");
    // The code follows the entry's number.
    EXPECT_EQ(gDestList[12].Code, "12  ");
    EXPECT_EQ(gDestList[13].Code, "13  ");
    EXPECT_TRUE(ui.questions.empty());
}

TEST_F(TextImportTest, CancelAtTheReportWritesNothing) {
    ui.answers = {vbCancel};
    ImportTextFile(File("1\tA\n2 B\n"));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(gDestList[1].Text.empty());
}

TEST_F(TextImportTest, AMissingFileOrOneOfCommentsOnly) {
    const std::string missing = dir.file("none.txt");
    ImportTextFile(missing);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, missing + " not found!");
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    ui.messages.clear();
    ImportTextFile(File(";a\n\n;b\n"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(DestList.ListCount(), 0);
}

TEST_F(TextImportTest, ExtraTextsTakeNumbersUpTo999) {
    gDestListActive = kFalse;
    ui.answers = {vbOK, vbOK};  // the report, then the question before the first extra text
    ImportTextFile(File("1000\tX\n5\tFive\n"));
    EXPECT_EQ(ui.messages.at(0).text, "Bad rows i file:\r\n\r\n1000\tX\r\n");
    EXPECT_EQ(GetSignText(gExtraList[5].Text, 2), "\xff" "FRONT# Five");
}

TEST_F(TextImportTest, TheReplaceQuestionForPagesThatHoldText) {
    for (int16_t n = 1; n <= 4; ++n) Existing(n, "OLD" + std::to_string(n));
    const std::string file = File("1\tA\n2\tB\n5\tNEW\n3\tC\n4\tD\n");

    // Yes, No, then Yes to all: 4 is replaced without a question; 5 is new.
    ui.replies = {kReplaceYes, kReplaceNo, kReplaceYesToAll};
    ImportTextFile(file);
    ASSERT_EQ(ui.questions.size(), 3u);
    EXPECT_EQ(ui.questions[0], "Destination 1, text 1 already exists, replace ?");
    EXPECT_EQ(ui.questions[2], "Destination 3, text 1 already exists, replace ?");
    EXPECT_EQ(Front(1), "\xff" "FRONT# A");
    EXPECT_EQ(Front(2), "\xff" "FRONT# OLD2");
    EXPECT_EQ(Front(3), "\xff" "FRONT# C");
    EXPECT_EQ(Front(4), "\xff" "FRONT# D");
    EXPECT_EQ(Front(5), "\xff" "FRONT# NEW");

    // The next import asks again; No to all skips every existing page while
    // new entries are still written.
    ui.questions.clear();
    ui.replies = {kReplaceNoToAll};
    ImportTextFile(File("1\tX\n2\tX\n6\tSIX\n"));
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(Front(1), "\xff" "FRONT# A");
    EXPECT_EQ(Front(2), "\xff" "FRONT# OLD2");
    EXPECT_EQ(Front(6), "\xff" "FRONT# SIX");
}

TEST_F(TextImportTest, OnlyTheCurrentSignTakesTheRows) {
    // REAR is shown too, its editor still holding an entry opened before.
    testentry::GraphicSign(5, "REAR", 48, 8, 1);
    testentry::TypeOn(window, 2, "1", "OLD");
    testentry::TypeOn(window, 5, "1", "KEEP");
    gCurrentDest = 3;
    Save(kCommitOnly);
    const std::string rear = GetSignText(gDestList[3].Text, 5);
    ASSERT_EQ(rear, "\xff" "REAR# KEEP");
    window.ChangeAddress(0, false, true);
    RefreshEditor(0, 0);

    ui.replies = {kReplaceYes};
    ImportTextFile(File("3\tNEW\n4\tFOUR\n"));
    EXPECT_EQ(Front(3), "\xff" "FRONT# NEW");
    EXPECT_EQ(GetSignText(gDestList[3].Text, 5), rear);
    EXPECT_EQ(gDestList[4].Text, "\xff" "FRONT# FOUR");
    EXPECT_EQ(SignInfoOf(5).Shown, kTrue);
}

TEST_F(TextImportTest, TheSignEditedStartsEmpty) {
    // A text sign whose strip shows what was open before.
    testentry::TextSign(4, "TXT", 12);
    SignInfoOf(2).Shown = kFalse;
    testentry::EditTextSign(4);
    testentry::TypeOnStrip("OLD");
    ASSERT_TRUE(PrepareTextImport());
    ImportTextFile(File("7\tNEW\n"));
    EXPECT_EQ(GetSignText(gDestList[7].Text, 4), "\xff" "TXT# NEW");

    // The graphic sign's editor too; unsaved edits are asked about first.
    SignInfoOf(4).Shown = kFalse;
    SignInfoOf(2).Shown = kTrue;
    gTextSignActive = kFalse;
    gCurrentSign = 2;
    ReadCharMap("1");
    testtext::Type("OLD");
    gTextModified = kTrue;
    ui.answers = {vbCancel};
    EXPECT_FALSE(PrepareTextImport());
    EXPECT_NE(PageFirstCell(), 0);
    ui.answers = {vbOK};
    ASSERT_TRUE(PrepareTextImport());
    EXPECT_EQ(PageFirstCell(), 0);
    ImportTextFile(File("8\tEIGHT\n"));
    EXPECT_EQ(Front(8), "\xff" "FRONT# EIGHT");
}

TEST_F(TextImportTest, AnInvertedTextLetGoIsNotStoredWithTheFirstRow) {
    // A record that keeps an inverted-text store takes a row.
    Existing(5, "FIVE");
    gDestList[5].AltText = gDestList[5].SignData;
    // The page open shows an inverted text; the user lets it go.
    gCurrentDest = 2;
    testtext::Type("OLD");
    InvertTextToGraph();
    gTextModified = kTrue;
    ui.answers = {vbOK};
    ASSERT_TRUE(PrepareTextImport());
    ui.replies = {kReplaceYes};
    ImportTextFile(File("5\tNEW\n6\tSIX\n"));
    EXPECT_EQ(Front(5), "\xff" "FRONT# NEW");
    // Its store holds the row's own bytes, not the text inverted before.
    for (int16_t n : {5, 6}) {
        const DestRecord& r = gDestList[static_cast<size_t>(n)];
        if (!r.AltText.empty()) EXPECT_EQ(testentry::DataOf(r, 2), GetSignSection(r.AltText, 2)) << n;
    }
}

TEST_F(TextImportTest, TheOtherSignsShowTheEntryTheNumberBoxNamesAfterwards) {
    // Destination 7 holds REAR and LINE but no FRONT page; 3 is open.
    testentry::GraphicSign(5, "REAR", 48, 8, 1);
    testentry::RouteNumberSign(7, "LINE");
    SignInfoOf(2).Shown = kFalse;
    auto store = [&](int16_t n, const std::string& rear, const std::string& line) {
        gCurrentDest = n;
        window.number = std::to_string(n);
        window.routeBox = line;
        NoteContentToStore(kRouteBoxEditor);
        testentry::TypeOn(window, 5, "1", rear);
        Save(kCommitOnly);
        RefreshEditor(0, 0);
    };
    store(7, "KEEP", "66");
    store(3, "OLD", "12");
    SignInfoOf(2).Shown = kTrue;
    ASSERT_EQ(testentry::TextOf(gDestList[7], 5), "\xff" "REAR# KEEP");
    ASSERT_EQ(testentry::TextOf(gDestList[7], 7), "\xff" "LINE# 66");
    window.ChangeAddress(0, false, true);
    gCurrentSign = 2;
    gCurrentDest = 3;
    LoadCurrentEntry(true);
    ASSERT_EQ(testeditor::PictureText(1, window.active), "OLD");
    ASSERT_EQ(window.routeBox, "12");

    ASSERT_TRUE(PrepareTextImport());
    ImportTextFile(File("6\tSIX\n"));
    // Save and new went on to 7, the next number free for FRONT: every
    // shown sign shows what 7 holds.
    EXPECT_EQ(window.number, "7");
    EXPECT_EQ(testeditor::PictureText(1, window.active), "KEEP");
    EXPECT_EQ(window.routeBox, "66");
    // A Save there keeps 7's pages.
    Save(kCommitOnly);
    EXPECT_EQ(testentry::TextOf(gDestList[7], 5), "\xff" "REAR# KEEP");
    EXPECT_EQ(testentry::TextOf(gDestList[7], 7), "\xff" "LINE# 66");
    EXPECT_EQ(testentry::TextOf(gDestList[3], 5), "\xff" "REAR# OLD");
}

TEST_F(TextImportTest, ALastRowNotReplacedLeavesItsEntryShownAsItIs) {
    Existing(3, "OLD");
    RefreshEditor(0, 0);
    ASSERT_TRUE(PrepareTextImport());
    ui.replies = {kReplaceNo};
    ImportTextFile(File("3\tNEW\n"));
    EXPECT_EQ(std::stoi(window.number), 3);
    EXPECT_EQ(testeditor::PictureText(0, window.active), "OLD");
    Save(kCommitOnly);
    EXPECT_EQ(Front(3), "\xff" "FRONT# OLD");

    // On a later page, the changing texts show it.
    RefreshEditor(0, 0);
    gCurrentDest = 4;
    int16_t sign = 0;
    SkrivTextISkylt("P1", 0, sign);
    gCurrentDest = 4;
    window.number = "4";
    gCurrentPage = 2;
    SkrivTextISkylt("P2", 0, sign);
    ASSERT_EQ(Front(4), "\xff" "FRONT# P1# P2");
    ASSERT_TRUE(PrepareTextImport());
    ui.replies = {kReplaceNo};
    ImportTextFile(File("4.2\tNEW\n"));
    EXPECT_EQ(std::stoi(window.number), 4);
    EXPECT_EQ(gCurrentPage, 2);
    EXPECT_EQ(testeditor::PictureText(0, window.active), "P2");
    EXPECT_TRUE(window.frameShown);
    EXPECT_EQ(window.selected, 2);
}

TEST_F(TextImportTest, ASignOfOnePageHoldsNothingOnItsLaterPages) {
    Existing(3, "ONE");
    gCurrentDest = 3;
    gCurrentPage = 1;
    EXPECT_TRUE(CurrentEntryExists());
    gCurrentPage = 2;
    EXPECT_FALSE(CurrentEntryExists());
    gCurrentDest = 4;
    gCurrentPage = 1;
    EXPECT_FALSE(CurrentEntryExists());
}

TEST_F(TextImportTest, AFullListEndsTheImportWithOneMessage) {
    gTextS102 = "No free number left!";
    // Every destination 1..9999 holds a page of FRONT.
    Existing(1, "OLD");
    for (int n = 2; n < kDestCount; ++n) {
        gDestList[static_cast<size_t>(n)] = gDestList[1];
        gDestList[static_cast<size_t>(n)].Code = PadCode(std::to_string(n));
    }
    ui.messages.clear();
    ui.replies = {kReplaceYesToAll};
    ImportTextFile(File("7\tSEVEN\n8\tEIGHT\n9\tNINE\n10\tTEN\n11\tELEVEN\n"));
    // The first row is written and the commit says there is no number left,
    // once; the import ends there.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "No free number left!");
    EXPECT_EQ(ui.questions.size(), 1u);
    EXPECT_EQ(Front(7), "\xff" "FRONT# SEVEN");
    for (int16_t n : {8, 9, 10, 11}) EXPECT_EQ(Front(n), "\xff" "FRONT# OLD") << n;
    ASSERT_EQ(ui.runs.size(), 1u);
    EXPECT_TRUE(ui.runs[0].ended);

    // With one number free the rows go on, and that number takes no row
    // the file does not name.
    gDestList[500] = DestRecord{};
    ui.messages.clear();
    ui.replies = {kReplaceYesToAll};
    ImportTextFile(File("8\tEIGHT\n9\tNINE\n"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(Front(9), "\xff" "FRONT# NINE");
    EXPECT_TRUE(gDestList[500].Text.empty());
}

TEST_F(TextImportTest, RowsThatLostCharactersAreReportedAfterTheRun) {
    // The font has É but no Ø; the text sign holds 12 characters.
    ImportTextFile(File("13\tCAF\xC9 \xD8ST\n14\tPLAIN\n14.2\t\xD8\xD8\n"));
    EXPECT_EQ(Front(13), "\xff" "FRONT# CAF\xC9 ST");
    EXPECT_EQ(Front(14), "\xff" "FRONT# PLAIN# ");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Characters the sign could not take were left out of these rows:\r\n\r\n"
              "13\tCAF\xC9 \xD8ST\t(left out: \xD8)\r\n"
              "14.2\t\xD8\xD8\t(left out: \xD8\xD8)\r\n");
    EXPECT_EQ(ui.messages[0].style, vbExclamation);

    // A text sign that is full takes the first characters only.
    ui.messages.clear();
    testentry::TextSign(4, "TXT", 12);
    SignInfoOf(2).Shown = kFalse;
    testentry::EditTextSign(4);
    ImportTextFile(File("20\tABCDEFGHIJKLMNOP\n21\tSHORT\n"));
    EXPECT_EQ(GetSignText(gDestList[20].Text, 4), "\xff" "TXT# ABCDEFGHIJKL");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Characters the sign could not take were left out of these rows:\r\n\r\n"
              "20\tABCDEFGHIJKLMNOP\t(left out: MNOP)\r\n");
}

TEST(TextImportRows, ReportsCutVeryLongLines) {
    // A line of 2 MB without a tab: the report names it by its start.
    const std::string line = "no number " + std::string(2'000'000, 'x');
    const std::vector<ImportRow> rows = ParseImportRows("1\tA\r\n" + line + "\r\n2\tB\r\n", true, 8);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_FALSE(rows[1].valid);
    EXPECT_EQ(BadRowsReport(rows), "Bad rows i file:\r\n\r\n" + line.substr(0, kReportLineLength) + "...\r\n");
    EXPECT_EQ(LeftOutReport({{5, 1, std::string(150, 'y'), "z"}}),
              "Characters the sign could not take were left out of these rows:\r\n\r\n5\t" +
                  std::string(kReportLineLength - 2, 'y') + "...\t(left out: z)\r\n");
    EXPECT_EQ(LeftOutReport({}), "");
}

TEST_F(TextImportTest, ARunOfMoreThanASecondShowsItsProgress) {
    FakeClock clock;
    const int rows = 20;
    std::string file;
    for (int n = 1; n <= rows; ++n) file += std::to_string(n) + "\tROW" + std::to_string(n) + "\r\n";
    const std::string path = File(file);

    // A quick run shows nothing.
    ImportTextFile(path);
    ASSERT_EQ(ui.runs.size(), 1u);
    EXPECT_TRUE(ui.runs[0].shown.empty());
    EXPECT_TRUE(ui.runs[0].ended);

    // Every pass of the event loop takes a tenth of a second: the window
    // shows once a second has passed, then moves on with the rows.
    ui.runs.clear();
    ui.replies = {kReplaceYesToAll};
    int rowsWhenShown = -1;
    ui.onEvents = [&] {
        clock.Advance(0.1);
        if (rowsWhenShown < 0 && !ui.runs.back().shown.empty()) rowsWhenShown = ui.runs.back().shown[0].first;
    };
    ImportTextFile(path);
    ASSERT_EQ(ui.runs.size(), 1u);
    const ImportUi::Run& run = ui.runs[0];
    ASSERT_FALSE(run.shown.empty());
    EXPECT_EQ(run.text, "Importing rows");
    // Three passes a row: the first second has gone after four rows.
    EXPECT_EQ(run.shown.front(), (std::pair<int32_t, int32_t>{4, rows}));
    EXPECT_EQ(run.shown.back(), (std::pair<int32_t, int32_t>{rows, rows}));
    for (size_t i = 1; i < run.shown.size(); ++i) EXPECT_GT(run.shown[i].first, run.shown[i - 1].first);
    EXPECT_TRUE(run.ended);
    EXPECT_EQ(Front(rows), "\xff" "FRONT# ROW20");
}

// The work of an import grows with its rows: ten times the rows into a
// list that grows with them take about ten times as long, not a hundred.
// Each size is timed a few times, the quickest counts, and the bound is
// generous; a search through every line at every row made it 90.
TEST_F(TextImportTest, TheWorkGrowsLinearlyWithTheRows) {
    auto content = [](int rows) {
        std::string file;
        for (int n = 1; n <= rows; ++n) file += std::to_string(n) + "\tROW " + std::to_string(n) + "\r\n";
        return file;
    };
    const std::string small = File(content(400));
    const std::string large = dir.file("large.txt");
    testutil::WriteFile(large, content(4000));
    // The processor time of this process, not the wall clock: other work on
    // a busy machine does not count.
    auto cpu = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
    };
    auto time = [&](const std::string& path) {
        ClearLists();
        DestList.Clear();
        const double start = cpu();
        ImportTextFile(path);
        return cpu() - start;
    };
    double quickestSmall = 1e9, quickestLarge = 1e9;
    for (int i = 0; i < 3; ++i) {
        quickestSmall = std::min(quickestSmall, time(small));
        quickestLarge = std::min(quickestLarge, time(large));
    }
    ASSERT_EQ(DestList.ListCount(), 4000);
    EXPECT_LT(quickestLarge / quickestSmall, 25.0) << "ratio " << quickestLarge / quickestSmall << ": " << quickestSmall << " s for 400 rows, " << quickestLarge << " s for 4000";
}

}  // namespace
