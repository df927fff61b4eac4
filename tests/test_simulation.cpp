// The sign simulation without its window: which entry it starts with and
// which Next moves to, the pictures of every page of the first three shown
// graphic signs, the paging at the change time on a test clock, the sending
// in every pass, and what it puts back at its end.
#include <gtest/gtest.h>

#include "app/serialsend.h"
#include "app/simulation.h"
#include "data/charmap.h"
#include "data/destlist.h"
#include "data/ini.h"
#include "data/language.h"
#include "engine/dotlayers.h"
#include "platform/serial.h"
#include "support/fake_clock.h"
#include "support/markup_state.h"
#include "support/signs_state.h"
#include "support/testutil.h"

using namespace kv;
using testsigns::B;
using testsigns::Mark;
using testsigns::Sec;
using testsigns::Tag;

namespace {

class FakeView : public SimulationView {
public:
    void LayoutSignPictures() override {
        int16_t k = 0;
        for (int a = kFirstSignAddress; a <= kLastSignAddress; ++a) {
            SignInfo& s = SignInfoOf(a);
            if (s.Model != "K4000" || !s.Shown || k == 3) continue;
            s.GraphicIndex = k;
            ResizeGraphicLayer(k, s.Width + 5, s.Height + 5);
            ResizeUndoLayer(k, s.Width + 5, s.Height + 5);
            ++k;
        }
        ++layouts;
    }
    void LoadWindow() override { log.push_back("load"); }
    void ShowWindow(const std::string& caption) override { log.push_back("show " + caption); }
    void UnloadWindow() override { log.push_back("unload"); }
    void HideMainWindow() override { log.push_back("hide main"); }
    void AddPagePicture(int16_t index, int16_t group, int16_t address) override {
        pictures.push_back({index, group, address});
    }
    void RemovePagePictures() override { log.push_back("remove pictures"); }
    void BringToFront(int16_t index) override { front.push_back(index); }
    void ShowTextCursor(bool on) override { log.push_back(on ? "cursor on" : "cursor off"); }
    void ClearSignPicture(int16_t address) override { log.push_back("clear " + std::to_string(address)); }

    struct Picture {
        int16_t index, group, address;
        bool operator==(const Picture&) const = default;
    };
    std::vector<Picture> pictures;
    std::vector<int16_t> front;
    std::vector<std::string> log;
    int layouts = 0;
};

class CountingLine : public SerialLine {
public:
    CountingLine() { SetSerialLine(this); }
    ~CountingLine() override { SetSerialLine(nullptr); }
    bool Open(int16_t, const std::string&) override { return true; }
    void Write(const std::string&) override { ++writes; }
    int writes = 0;
};

std::string Page(char c) { return B({210, 0, 211, 7, 212, '1', c}); }

class SimulationTest : public ::testing::Test {
protected:
    void SetUp() override {
        testutil::StageDataFolder(dir.path());
        testmarkup::StartProjectOn(dir.path());
        gLanguageFile = dir.file("English.lng");
        gLanguage = "English";
        ResetSimulation();
        ResetSerialSend();
        for (const char* line : {"Front       K4000    112x16    2 ", "Side        K2000_1R 20        3 ",
                                 "Rear        K4000    84x8      5 ", "Top         K4000    40x8      6 ",
                                 "Back        K4000    40x8      7 "}) {
            testsigns::Sign(line);
        }
        // The fourth graphic sign is shown before the simulation; the second
        // is not.
        SignInfoOf(5).Shown = kFalse;
        SignInfoOf(7).Shown = kTrue;
        SignInfoOf(2).Shown = kTrue;
        gDestListActive = kTrue;
        // 1: three pages on Front, one on Rear; 2: one page on Front;
        // 3: only the text sign; 5: one page on Back (the fourth graphic sign).
        Entry(1, Tag("Front") + "# A# B# C" + Tag("Rear") + "# R",
              Sec(2) + Page('A') + Mark(3) + Page('B') + Mark(3) + Page('C') + Sec(5) + Page('R'), 3);
        Entry(2, Tag("Front") + "# D", Sec(2) + Page('D'), 2);
        Entry(3, Tag("Side") + "# S", Sec(3) + "S", 2);
        Entry(5, Tag("Back") + "# K", Sec(7) + Page('K'), 2);
        gCurrentSign = 6;
        gCurrentPage = 2;
    }
    void TearDown() override {
        ResetSimulation();
        ResetSerialSend();
        testmarkup::ResetAll();
        ResetIniState();
        gLanguageFile.clear();
    }
    static void Entry(int n, const std::string& text, const std::string& data, int changeTime) {
        DestRecord& r = gDestList[static_cast<size_t>(n)];
        r.Text = text;
        r.SignData = data;
        r.ChangeTime = static_cast<int16_t>(changeTime);
        AddListLine(static_cast<int16_t>(n), true);
    }

    testutil::TempDir dir;
    testmarkup::Head head;
    testmarkup::Ui ui;
    FakeView view;
    CountingLine line;
    FakeClock clock{100};
};

}  // namespace

TEST_F(SimulationTest, EntrySearch) {
    // The current entry when it has text, else the first one that has.
    gCurrentDest = 2;
    EXPECT_EQ(FirstSimulatedEntry(), 2);
    gCurrentDest = 4;
    EXPECT_EQ(FirstSimulatedEntry(), 1);

    // Next: upwards, from past the last used number back to 1, never the
    // entry itself.
    for (auto [from, next] : {std::pair{1, 2}, {2, 3}, {3, 5}, {5, 1}}) {
        gSimNumber = static_cast<int16_t>(from);
        EXPECT_EQ(NextSimulatedEntry(), next) << from;
    }

    // The extra texts when they are the active list; with one entry of text
    // Next finds none.
    gDestListActive = kFalse;
    gExtraList[7].Text = "#E";
    AddListLine(7, false);
    gCurrentExtra = 1;
    EXPECT_EQ(FirstSimulatedEntry(), 7);
    gSimNumber = 7;
    EXPECT_EQ(NextSimulatedEntry(), 0);

    // An empty list: nothing to simulate.
    kv::ExtraList.Clear();
    EXPECT_EQ(FirstSimulatedEntry(), 0);
}

TEST_F(SimulationTest, PagesTurnAtTheChangeTimeAndTheEndPutsBack) {
    const auto shownBefore = gSignInfo;
    ReadCharMap("3");
    InitSimulation();
    EXPECT_EQ(gSimCaption, "Sign simulation: Dest XXX");
    SignSimulation sim(view);
    ASSERT_TRUE(sim.Show(1));
    EXPECT_TRUE(sim.GoOn());

    // The first three graphic signs are shown (Rear too), the fourth not.
    EXPECT_TRUE(SignInfoOf(5).Shown);
    EXPECT_FALSE(SignInfoOf(7).Shown);
    EXPECT_EQ(view.layouts, 2);
    // Every page once: Front's three, Rear's one; Top has no section.
    EXPECT_EQ(view.pictures, (std::vector<FakeView::Picture>{{1, 0, 2}, {2, 0, 2}, {3, 0, 2}, {4, 1, 5}}));
    EXPECT_EQ(head.shown, 4);
    EXPECT_EQ(gSimGroupCount, 3);
    EXPECT_EQ(view.front, (std::vector<int16_t>{1, 4}));
    EXPECT_EQ(view.log, (std::vector<std::string>{"load", "hide main", "show Sign simulation: Dest 1", "cursor off"}));

    // Every pass sends; the pages turn once 3 seconds have passed, Front
    // only (Rear has one page), from the last back to the first.
    view.front.clear();
    for (double t : {100.5, 102.9, 103.0, 105.0, 106.0, 109.0, 112.5}) {
        clock.Set(t);
        sim.Tick();
    }
    EXPECT_EQ(view.front, (std::vector<int16_t>{2, 3, 1, 2}));
    EXPECT_EQ(line.writes, 7 * 2);

    // A destination with text but nothing committed is not sent, and its
    // refusal does not come up in every pass.
    const std::string data = gDestList[1].SignData;
    gDestList[1].SignData.clear();
    sim.Tick();
    EXPECT_EQ(line.writes, 7 * 2);
    EXPECT_TRUE(ui.messages.empty());
    gDestList[1].SignData = data;

    sim.Stop();
    EXPECT_FALSE(sim.GoOn());
    EXPECT_EQ(std::vector<std::string>(view.log.end() - 5, view.log.end()),
              (std::vector<std::string>{"cursor on", "clear 2", "clear 5", "clear 6", "unload"}));
    EXPECT_EQ(gCurrentFontCode, "1");  // the pages' font
    EXPECT_EQ(EndSimulation(), 2);
    EXPECT_EQ(gCurrentFontCode, "3");
    EXPECT_EQ(gCurrentSign, 6);
    EXPECT_EQ(gCurrentPage, 2);
    for (size_t i = 0; i < gSignInfo.size(); ++i) EXPECT_EQ(gSignInfo[i].Shown, shownBefore[i].Shown) << i;
}

TEST_F(SimulationTest, NextAndEntriesWithoutPictures) {
    InitSimulation();
    SignSimulation sim(view);
    ASSERT_TRUE(sim.Show(1));
    view.pictures.clear();
    ASSERT_TRUE(sim.ShowNext());
    EXPECT_EQ(gSimNumber, 2);
    EXPECT_EQ(view.pictures, (std::vector<FakeView::Picture>{{1, 0, 2}}));
    EXPECT_NE(std::find(view.log.begin(), view.log.end(), "remove pictures"), view.log.end());
    EXPECT_NE(std::find(view.log.begin(), view.log.end(), "show Sign simulation: Dest 2"), view.log.end());

    // Entry 3 has text for the text sign only: its run ends at once.
    view.log.clear();
    EXPECT_FALSE(sim.ShowNext());
    EXPECT_EQ(gSimNumber, 3);
    EXPECT_FALSE(sim.GoOn());
    EXPECT_EQ(view.log.back(), "unload");
}

TEST_F(SimulationTest, NothingIsSentWhenSwitchedOffOrForExtraTexts) {
    IniSetValue(gSettingsFile, "Generell", "StopSendDataToPortWhileSimulating", "1");
    InitSimulation();
    EXPECT_EQ(gSimStopSending, kTrue);
    SignSimulation sim(view);
    ASSERT_TRUE(sim.Show(2));
    sim.Tick();
    EXPECT_EQ(line.writes, 0);
    sim.Stop();

    IniSetValue(gSettingsFile, "Generell", "StopSendDataToPortWhileSimulating", "0");
    InitSimulation();
    gDestListActive = kFalse;
    gExtraPerSign = kTrue;
    gExtraList[4].Text = Tag("Front") + "# E";
    gExtraList[4].SignData = Sec(2) + Page('E');
    AddListLine(4, false);
    ASSERT_TRUE(sim.Show(4));
    sim.Tick();
    EXPECT_EQ(line.writes, 0);
}
