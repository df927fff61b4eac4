// The document commands and the list entries without their window: the save
// question, where Save writes, the Save As versions, the auto-save clock and
// file, the list extents, the numbers of list lines and of the current-number
// box, and auto-create.
#include <gtest/gtest.h>

#include "data/destcodes.h"
#include "data/destlist.h"
#include "data/fontlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "data/records.h"
#include "data/signtable.h"
#include "engine/dotlayers.h"
#include "engine/editstate.h"
#include "engine/fontlib.h"
#include "files/document.h"
#include "files/txlformat.h"
#include "app/docsettings.h"
#include "app/doccommands.h"
#include "app/headstate.h"
#include "app/listentries.h"
#include "app/signcontrols.h"
#include "platform/paths.h"
#include "platform/reset.h"
#include "platform/vb.h"
#include "support/fake_clock.h"
#include "support/fake_ui.h"
#include "support/testutil.h"
#include "support/unstored_edit.h"

using namespace kv;

namespace {

class DocCommands : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }
    static void Reset() {
        kv::ResetAllState();
        SetCurrentNumberTextSource(nullptr);
    }
    testutil::TempDir dir;
    FakeUi ui;
};

// A destination with a Text and one page of sign data, and its list line.
void Dest(int n, const std::string& text = "T") {
    gDestList[n].Text = "\xff" "S#" " " + text;
    gDestList[n].SignData = "\xff\x02" "x";
    AddListLine(static_cast<int16_t>(n), true);
}

}  // namespace

TEST_F(DocCommands, CaptionCarriesTheDocumentName) {
    gTextS38 = "Untitled";
    EXPECT_EQ(DocumentCaption(""), "Kivar32\xae <Untitled>");
    EXPECT_EQ(DocumentCaption("/p/a.txl"), "Kivar32\xae </p/a.txl>");
    EXPECT_EQ(DocumentNameFromCaption(DocumentCaption("/p/a.txl")), "/p/a.txl");
    EXPECT_EQ(DocumentNameFromCaption("Kivar32\xae"), "");
}

TEST_F(DocCommands, SaveQuestion) {
    gTextS97 = "Save changes to ";
    gTextS96 = "Changes lost!";
    int saves = 0;
    auto save = [&] {
        ++saves;
        gDocumentModified = kFalse;
    };
    // Nothing changed: no question.
    EXPECT_EQ(QuerySaveDocument("a", save), vbYes);
    EXPECT_TRUE(ui.messages.empty());

    struct Case {
        std::deque<int> answers;
        bool saveWorks;
        int16_t result;
        int saves;
        size_t messages;
    };
    const Case cases[] = {
        {{vbYes}, true, vbYes, 1, 1},          // saved
        {{vbYes}, false, vbCancel, 1, 1},      // the save did not happen (Save As cancelled)
        {{vbNo, vbOK}, true, vbYes, 0, 2},     // changes dropped
        {{vbNo, vbCancel}, true, vbCancel, 0, 2},
        {{vbCancel}, true, vbCancel, 0, 1},
    };
    for (const Case& c : cases) {
        ui.messages.clear();
        ui.answers = c.answers;
        saves = 0;
        gDocumentModified = kTrue;
        const int16_t r = QuerySaveDocument("/p/a.txl", c.saveWorks ? std::function<void()>(save) : [&] { ++saves; });
        EXPECT_EQ(r, c.result);
        EXPECT_EQ(saves, c.saves);
        ASSERT_EQ(ui.messages.size(), c.messages);
        EXPECT_EQ(ui.messages[0].text, "Save changes to /p/a.txl");
        EXPECT_EQ(ui.messages[0].style, vbYesNoCancel | vbQuestion);
        if (c.messages == 2) {
            EXPECT_EQ(ui.messages[1].text, "Changes lost!");
            EXPECT_EQ(ui.messages[1].style, vbOKCancel | vbExclamation);
        }
    }
}

TEST_F(DocCommands, WhereSaveWrites) {
    gTextS100 = "UNTITLED.TXL";
    const std::pair<const char*, bool> cases[] = {
        {"/p/lines.txl", true},    {"/p/LINES.TXL  ", true}, {"", false},         {"*.txl", false},
        {"/p/standard.ini", false}, {"untitled.txl", false}, {"/p/lines.txt", false}, {"/p/x.txl.bak", false},
    };
    for (auto [name, inPlace] : cases) EXPECT_EQ(SavesInPlace(name), inPlace) << name;
    EXPECT_EQ(FolderOfPath("/p/q/a.txl"), "/p/q");
    EXPECT_EQ(FolderOfPath("C:\\p\\a.txl"), "C:\\p");
    EXPECT_EQ(FolderOfPath("a.txl"), "");
    gOpenSavePath = "/docs";
    EXPECT_EQ(ProposedProjectName(), "/docs/*.txl");
    gDocumentPath = "/p/a.txl";
    EXPECT_EQ(ProposedProjectName(), "/p/a.txl");
}

TEST_F(DocCommands, SaveAsVersions) {
    // The entries of the version filter in order, then "All files".
    const int16_t expected[] = {5, 0, 1, 2, 3, 4};
    for (int i = 1; i <= 6; ++i) EXPECT_EQ(VersionOfFilterEntry(i, 7), expected[i - 1]);
    EXPECT_EQ(VersionOfFilterEntry(7, 6), 6);
    EXPECT_EQ(VersionOfFilterEntry(0, 5), 5);
    // Only the seven entries name a format; anything else writes nothing.
    for (int entry : {-1, 0, 8}) EXPECT_FALSE(IsVersionFilterEntry(entry)) << entry;
    for (int entry = 1; entry <= 7; ++entry) EXPECT_TRUE(IsVersionFilterEntry(entry)) << entry;
}

TEST_F(DocCommands, AutoSaveClockAndFile) {
    gAutoSaveEnabled = kTrue;
    gAutoSaveTime = 300;
    gLastAutoSaveTime = 1000;
    EXPECT_FALSE(AutoSaveDue(gLastAutoSaveTime + 300));  // strictly more than the interval
    EXPECT_TRUE(AutoSaveDue(gLastAutoSaveTime + 300.5));
    gAutoSaveEnabled = kFalse;
    EXPECT_FALSE(AutoSaveDue(gLastAutoSaveTime + 1000));
    const double a = MonotonicSeconds(), b = MonotonicSeconds();
    EXPECT_LE(a, b);
    {
        // The clock the core reads is the installed one.
        FakeClock clock(5000);
        EXPECT_EQ(MonotonicSeconds(), 5000);
        clock.Advance(300.5);
        EXPECT_EQ(MonotonicSeconds(), 5300.5);
    }
    EXPECT_GE(MonotonicSeconds(), b);

    // The file goes through the project writer; the name it holds is recorded.
    gSettingsFile = dir.file("kivar.lib");
    testutil::WriteFile(gSettingsFile, testutil::CrLf({"[AutoSave]", "Enabled=1", "Time=300", "FileName=\"\"", ""}));
    gAutoSaveFile = dir.file("kivar.txl");
    gTxlVersion = kTxlStandardVersion;
    Dest(1);
    gDocumentPath = "/p/lines.txl";
    ASSERT_TRUE(WriteAutoSaveFile());
    EXPECT_TRUE(FileExists(gAutoSaveFile));
    EXPECT_FALSE(FileExists(dir.file("kivar.BAK")));
    EXPECT_EQ(IniGetValue(gSettingsFile, "AutoSave", "FileName"), "/p/lines.txl");
    EXPECT_EQ(gAutoSaveName, "/p/lines.txl");
    DeleteAutoSaveFile();
    EXPECT_FALSE(FileExists(gAutoSaveFile));
    DeleteAutoSaveFile();  // absent: nothing happens

    // A folder that cannot be written: nothing is reported, nothing recorded.
    gAutoSaveFile = dir.file("missing/kivar.txl");
    gDocumentPath = "/p/other.txl";
    EXPECT_FALSE(WriteAutoSaveFile());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(gAutoSaveName, "/p/lines.txl");
}

TEST_F(DocCommands, CurrentNumbersAndFirstSignAfterALoad) {
    SetCurrentNumbersAfterLoad();
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(gCurrentExtra, 1);
    Dest(1);
    Dest(7);
    gExtraList[998].SignData = "x";
    AddListLine(998, false);
    SetCurrentNumbersAfterLoad();
    EXPECT_EQ(gCurrentDest, 8);
    EXPECT_EQ(gCurrentExtra, 999);
    kv::ResetAllState();
    gExtraList[999].SignData = "x";
    AddListLine(999, false);
    SetCurrentNumbersAfterLoad();
    EXPECT_EQ(gCurrentExtra, 1);

    EXPECT_EQ(FirstOpenedSign(), 0);
    SignInfoOf(3).Model = "K1000";
    EXPECT_EQ(FirstOpenedSign(), 3);  // no text or graphic sign: the first listed one
    SignInfoOf(9).Model = "K2000_1R";
    SignInfoOf(12).Model = "K4000";
    EXPECT_EQ(FirstOpenedSign(), 9);
}

TEST_F(DocCommands, ListExtents) {
    bool isDest = false;
    Dest(1, std::string(30, 'a'));
    EXPECT_EQ(AdjustListExtent(std::nullopt, false, false, isDest), std::nullopt);
    const int16_t len = kv::DestList.List(0).size();
    EXPECT_EQ(AdjustListExtent(std::nullopt, true, false, isDest), len * 9 + 20);
    EXPECT_TRUE(isDest);
    EXPECT_EQ(gDestListLongest, len);
    EXPECT_EQ(AdjustListExtent(len, true, false, isDest), std::nullopt);  // not longer
    EXPECT_EQ(AdjustListExtent(len + 1, true, false, isDest), (len + 1) * 9 + 20);
    EXPECT_EQ(AdjustListExtent(12, false, true, isDest), 12 * 9);
    EXPECT_FALSE(isDest);
    EXPECT_EQ(AdjustListExtent(-1, true, false, isDest), std::nullopt);
    EXPECT_EQ(gDestListLongest, 0);
    EXPECT_EQ(gExtraListLongest, 0);
}

TEST_F(DocCommands, NumbersOfLinesAndOfTheBox) {
    EXPECT_EQ(LeadingNumber("  42abc"), 42);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("99999999"), 32767);
    // Extra text 12 whose text begins with the digit 5: 12, never 125.
    EXPECT_EQ(ExtraNumberOfLine("  12   5 buses"), 12);
    EXPECT_EQ(ExtraNumberOfLine(" 999   x"), 999);
}

TEST_F(DocCommands, TheCurrentNumberBox) {
    gTextS98 = "Destination not found!";
    gTextS101 = "Bad extra text number!";
    gTextS133 = "Bad code!";
    gTextS134 = "Code exists!";
    std::string box;
    SetCurrentNumberTextSource([&] { return box; });
    gDestListActive = kTrue;
    gCurrentDest = 5;

    box = "  17";
    CurrentNumberCheck r = CheckCurrentNumber(box);
    EXPECT_FALSE(r.keepFocus);
    EXPECT_EQ(gCurrentDest, 17);
    box = "abc";
    r = CheckCurrentNumber(box);
    EXPECT_TRUE(r.keepFocus);
    EXPECT_EQ(gCurrentDest, 17);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gTextS98);
    EXPECT_EQ(ui.messages[0].style, vbExclamation);

    gDestListActive = kFalse;
    r = CheckCurrentNumber("0");
    EXPECT_TRUE(r.keepFocus);
    EXPECT_EQ(ui.messages.back().text, gTextS101);
    r = CheckCurrentNumber("12");
    EXPECT_FALSE(r.keepFocus);
    EXPECT_EQ(gCurrentExtra, 12);

    // Codes: the typed code is checked and normalised; one in use elsewhere
    // makes that destination current.
    gDestListActive = kTrue;
    gDestCodesOn = kTrue;
    gTxlVersion = 6;
    gAllowedCodeChars = {" 0123456789", " 0123456789AbCdEFHL", " 0123456789AbCdEFHL", " 0123456789"};
    gDestList[1].Code = "1b  ";
    gDestList[1].SignData = "x";
    gDestList[2].Code = "2   ";
    gDestList[2].SignData = "x";
    AddListLine(1, true);
    AddListLine(2, true);
    gCurrentDest = 2;
    ui.messages.clear();
    r = CheckCurrentNumber("1z");
    EXPECT_TRUE(r.keepFocus);
    EXPECT_EQ(ui.messages.back().text, "Bad code!");
    r = CheckCurrentNumber("1b");
    EXPECT_EQ(r.boxText, "1b  ");
    EXPECT_EQ(ui.messages.back().text, "Code exists!");
    EXPECT_EQ(gCurrentDest, 1);
    ui.messages.clear();
    r = CheckCurrentNumber("3");
    EXPECT_EQ(r.boxText, "3   ");
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(gCurrentDest, 3);  // the next free number
}

TEST_F(DocCommands, ChangeTimeAndBoxTextOfALoadedEntry) {
    gDestListActive = kTrue;
    gDefaultChangeTime = 3;
    gCurrentSign = 2;
    gCurrentDest = 4;
    gDestList[4].SignData = "\xff\x02" "ab\xb0\x07" "cd\xff\x03" "x";
    EXPECT_EQ(CurrentChangeTime(), 7);
    gCurrentSign = 3;
    EXPECT_EQ(CurrentChangeTime(), 3);
    gDestList[4].Code = std::string(4, '\0');
    EXPECT_EQ(CurrentNumberBoxText(4), "4");
    gDestList[4].Code = "4   ";
    EXPECT_EQ(CurrentNumberBoxText(4), "4   ");
}

TEST_F(DocCommands, UncommittedEditsAreAskedAbout) {
    gTextS105 = "A";
    gTextS106 = "B";
    gTextS107 = "C";
    EXPECT_TRUE(AskSaveChanges());
    EXPECT_TRUE(ui.messages.empty());
    testedit::HoldUnstoredEdit();
    ui.answers = {vbCancel};
    EXPECT_FALSE(AskSaveChanges());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "A\rB\rC");
    EXPECT_EQ(ui.messages[0].style, vbOKCancel | vbExclamation);
    ui.answers = {vbOK};
    EXPECT_TRUE(AskSaveChanges());
    // The flags a command leaves set are no edit by themselves.
    testedit::DropUnstoredEdit();
    gTextModified = gGraphicModified = kTrue;
    EXPECT_TRUE(AskSaveChanges());
    EXPECT_EQ(ui.messages.size(), 2u);
}

// ------------------------------------------------------------------ auto-create

namespace {

// A font list of the given ids, each entry ending in "1" unless listed in `other`.
void Fonts(const std::string& ids, const std::string& other = "") {
    gFontList.assign(1, "");
    for (char c : ids) gFontList.push_back(std::string(1, c) + " font " + (other.find(c) == std::string::npos ? "1" : "2"));
    gFontCount = static_cast<int16_t>(ids.size());
}

}  // namespace

TEST_F(DocCommands, AutoCreateTemplateTakesItsFontsFromTheList) {
    Fonts("gi7ab8cdx", "8");
    const std::string t = AutoCreateTemplate();
    ASSERT_EQ(t.substr(0, 2), "\xff\x06");
    EXPECT_EQ(t.substr(2, 6), std::string("\xd2\x00\xd3\x04\xd4w", 6));
    EXPECT_EQ(t.substr(8, 128), std::string(128, '!'));
    static const char kRuns[] =
        "\xd2\x00\xd3\x11\xd4i<DEST>"
        "\xd2\x26\xd3\x08\xd4g1\xd2\x26\xd3\x0f\xd4g2\xd2\x2d\xd3\x10\xd4" "73"
        "\xd2\x35\xd3\x10\xd4" "a4\xd2\x40\xd3\x10\xd4" "b5\xd2\x49\xd3\x0f\xd4" "c6"
        "\xd2\x54\xd3\x10\xd4" "b7\xd2\x5d\xd3\x10\xd4" "a8\xd2\x68\xd3\x10\xd4" "79"
        "\xd2\x70\xd3\x10\xd4g0";
    EXPECT_EQ(t.substr(136), std::string(kRuns, sizeof kRuns - 1));
    // Too few fonts: the markers stay and the command refuses.
    Fonts("i7a");
    const std::string few = AutoCreateTemplate();
    EXPECT_NE(few.find("<FONT4>"), std::string::npos);
    EXPECT_FALSE(AutoCreateFontsPresent(few));
}

TEST_F(DocCommands, AutoCreateRepeatsTheExistingDestinations) {
    Dest(1, "one");
    Dest(2, "two");
    Dest(3, "three");
    ASSERT_TRUE(AutoCreateCanRepeat());
    EXPECT_EQ(AutoCreateRepeat(3), 0);
    EXPECT_EQ(AutoCreateRepeat(10), 7);
    for (int n = 4; n <= 10; ++n) EXPECT_EQ(gDestList[n].Text, gDestList[(n - 1) % 3 + 1].Text) << n;
    EXPECT_TRUE(gDestList[11].Text.empty());
    EXPECT_EQ(kv::DestList.ListCount(), 10);
    EXPECT_EQ(AutoCreateRepeat(33), 23);
    EXPECT_EQ(gDestList[31].Text, gDestList[1].Text);
    EXPECT_EQ(gDestList[33].Text, gDestList[3].Text);
    // A gap among 1..N: no repeat question.
    gDestList[2].Text.clear();
    EXPECT_FALSE(AutoCreateCanRepeat());
}

TEST_F(DocCommands, AutoCreateNumberedRun) {
    const std::string templ = "\xff\x06" "<DEST>";
    EXPECT_EQ(AutoCreateNumbered(templ, 3, 12), 3);
    for (int n : {12, 13, 14}) {
        const std::string four = "00" + std::to_string(n);
        EXPECT_EQ(gDestList[n].Text, four + " auto...");
        EXPECT_EQ(gDestList[n].SignData, "\xff\x06" + four);
        EXPECT_EQ(gDestList[n].ChangeTime, 3);
        EXPECT_EQ(gDestList[n].Flag, kFalse);
    }
    EXPECT_EQ(kv::DestList.ListCount(), 3);
    // The default destination is never written; the table's end stops the run.
    EXPECT_EQ(AutoCreateNumbered(templ, 5, 0), 0);
    EXPECT_TRUE(gDestList[0].SignData.empty());
    EXPECT_EQ(AutoCreateNumbered(templ, 5, 9998), 2);
    EXPECT_EQ(AutoCreateNumbered(templ, 0, 1), 0);
    EXPECT_EQ(InputNumber(""), 0);
    EXPECT_EQ(InputNumber("abc"), 0);
    EXPECT_EQ(InputNumber(" 33 "), 33);
}
