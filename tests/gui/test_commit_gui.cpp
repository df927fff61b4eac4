// Committing and removing entries on the main window, driven through its
// widgets: the shown signs chosen in the Signs dialog, entries loaded by a
// double click on their line, changes made in the boxes and through the
// feed of typed characters, the store buttons, Remove and the page options
// clicked, and the project saved with File > Save and read back with
// kivar-probe txl-dump.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <map>
#include <sstream>

#include "app/commit.h"
#include "app/entrywindow.h"
#include "app/feedtext.h"
#include "data/signdata.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/head_fixture.h"
#include "gui/project_build.h"
#include "support/markup_state.h"
#include "support/signs_state.h"
#include "support/txldump.h"
#include "ui/frmSave.h"
#include "ui/frmSignSel.h"
#include "ui/qtbridge_qt.h"

using namespace kv;
using namespace testproject;

namespace {

// The project: SIDE (text sign of 12 places, 2), FRONT (96 x 16, 3), REAR
// (84 x 16, 4) and LINE (route numbers, 7). Destination 1: SIDE "CENTRUM",
// FRONT "1 CENTRUM", REAR "1", LINE "12"; destination 2: "HAMN" on SIDE,
// FRONT and REAR, LINE "5"; destinations from `runFrom` to `runTo`: FRONT
// "Nn" alone.
void BuildProject(const std::string& dataDir, const std::string& path, int runFrom = 0, int runTo = -1) {
    testmarkup::StartProjectOn(dataDir);
    SignLine("SIDE", "K2000_1R", "12", 2);
    SignLine("FRONT", "K4000", "96x16", 3);
    SignLine("REAR", "K4000", "84x16", 4);
    SignLine("LINE", "K1000", "3", 7);
    StartLists();
    struct Entry {
        int16_t dest;
        const char *side, *front, *rear, *line;
    };
    for (const Entry& e : {Entry{1, "CENTRUM", "1 CENTRUM", "1", "12"}, Entry{2, "HAMN", "HAMN", "HAMN", "5"}}) {
        TextPage(e.dest, 2, e.side);
        GraphicPage(e.dest, 3, e.front);
        GraphicPage(e.dest, 4, e.rear);
        SetDestSignField(e.dest, 7, 1, e.line);
        SetDestSection(e.dest, 7, 1, e.line);
        gDestList[e.dest].Code = PadCode(std::to_string(e.dest));
        AddListLine(e.dest, true);
    }
    for (int n = runFrom; n <= runTo; ++n) {
        GraphicPage(static_cast<int16_t>(n), 3, "N" + std::to_string(n));
        gDestList[n].Code = PadCode(std::to_string(n));
        AddListLine(static_cast<int16_t>(n), true);
    }
    SaveProjectFile(path);
}

using testtxl::Stored;

// The pages of a sign's section of SignData.
int PagesOf(const Stored& s, int16_t address) {
    const std::string section = GetSectionText(address, s.data);
    if (section.empty()) return 0;
    return 1 + static_cast<int>(std::count(section.begin(), section.end(), '\xb0'));
}

class CommitGui : public HeadGui {
protected:
    // The project opened and shown; the Signs dialog lists its signs as
    // rows 1 FRONT, 2 REAR, 3 SIDE, 4 LINE.
    frmHead& Start(int runFrom = 0, int runTo = -1) {
        project = dir.file("commit.txl");
        BuildProject(dir.path(), project, runFrom, runTo);
        return ShowOpenedOnCommandLine(project);
    }
    // Characters typed into the sign being edited, through the key path of
    // a feed (the sign pictures' own keys come with the editing tools).
    void Type(const std::string& text) {
        for (unsigned char c : text) {
            int16_t key = c;
            EntryPort().FeedKey(key);
        }
    }
    // The changing texts shown by the check box (a load may have left the
    // box ticked with the frame hidden: then the first click unticks it).
    void ShowChangingTexts() {
        for (int i = 0; i < 2 && head->Ch_Frame->isHidden(); ++i) ClickWidget(head->Ch_Check);
        ASSERT_TRUE(head->Ch_Frame->isVisible());
        ASSERT_TRUE(head->Ch_Check->isChecked());
    }
    std::string Line(int number) {
        const int row = FindListIndexByNumber(kv::DestList, static_cast<int16_t>(number));
        return row < 0 ? std::string() : kv::B(head->DestList->item(row)->text());
    }

    std::string project;
};

}  // namespace

TEST_F(CommitGui, OneGraphicSignSaveSaveAndNewAndRemove) {
    frmHead& h = Start();
    ShowSignRows({1});
    ASSERT_EQ(gCurrentSign, 3);
    OpenDest(1);

    // The text, the blackout box and a change time of 7, then Save.
    Type(" X");
    ClickWidget(h.BlackOut_chk);
    EXPECT_TRUE(h.BlackOut_chk->isChecked());
    ShowChangingTexts();
    h.txtCurrChTime->setFocus();
    h.txtCurrChTime->selectAll();
    QTest::keyClicks(h.txtCurrChTime, "7a");
    EXPECT_EQ(h.txtCurrChTime->text(), "7");
    ClickWidget(h.Ch_Check);  // the frame goes again; the page stays
    EXPECT_TRUE(h.Ch_Frame->isHidden());
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(gChangeTime, 7);
    EXPECT_EQ(Line(1), "   1   SIDE# CENTRUMFRONT# 1 CENTRUM XREAR# 1LINE# 12");
    EXPECT_EQ(h.DestList->currentRow(), 0);

    // Save and new: on to 3, the first number without a FRONT page, with an
    // empty editor; a feed fills it and commits it the same way.
    ClickWidget(h.SaveAndNew);
    EXPECT_EQ(gCurrentDest, 3);
    EXPECT_EQ(h.CurrNoTxt->text(), "3");
    EXPECT_EQ(PageFirstCell(), 0);
    int16_t sign = 0;
    h.SkrivTextISkylt("NEU", 0, sign);
    EXPECT_EQ(gCurrentDest, 4);
    EXPECT_EQ(Line(3), "   3   FRONT# NEU");

    // Remove takes the FRONT page of destination 2; its other signs stay.
    OpenDest(2);
    ClickWidget(h.Remove);
    EXPECT_EQ(Line(2), "   2   SIDE# HAMNREAR# HAMNLINE# 5");

    std::map<int, Stored> saved = SaveAndReadBack(project);
    EXPECT_EQ(saved.count(4), 0u);
    const Stored& one = saved[1];
    EXPECT_EQ(GetSignText(one.text, 3), "\xff" "FRONT# 1 CENTRUM X");
    EXPECT_EQ(GetSignText(one.text, 2), "\xff" "SIDE# CENTRUM");
    EXPECT_EQ(PagesOf(one, 3), 1);
    EXPECT_EQ(one.time, 7);
    EXPECT_EQ(one.flag, -1);
    EXPECT_EQ(one.code, "1   ");
    EXPECT_EQ(GetSectionText(3, one.data).substr(0, 7), std::string("\xd2\x00\xd3\x0f\xd4" "71", 7));
    const Stored& two = saved[2];
    EXPECT_EQ(GetSignText(two.text, 3), "");
    EXPECT_EQ(GetSignSection(two.data, 3), "");
    EXPECT_EQ(GetSignText(two.text, 4), "\xff" "REAR# HAMN");
    EXPECT_EQ(PagesOf(two, 4), 1);
    const Stored& three = saved[3];
    EXPECT_EQ(three.text, "\xff" "FRONT# NEU");
    EXPECT_EQ(PagesOf(three, 3), 1);
    EXPECT_EQ(three.time, 3);  // Save and new took the default time again
    EXPECT_EQ(three.flag, -1);
}

TEST_F(CommitGui, AGraphicAndARouteNumberSignWithThreePages) {
    frmHead& h = Start();
    ShowSignRows({1, 4});
    OpenDest(1);
    EXPECT_EQ(h.LineNo_txt->text(), "12");
    ClickWidget(h.LineNo_txt);
    h.LineNo_txt->selectAll();
    QTest::keyClicks(h.LineNo_txt, "3x4");
    EXPECT_EQ(h.LineNo_txt->text(), "34");

    // With the changing texts shown each Save adds the next page.
    ShowChangingTexts();
    Type("A");
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(gCurrentPage, 2);
    EXPECT_TRUE(h.TNo_op[2]->isChecked());
    Type("B");
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(gCurrentPage, 3);
    Type("C");
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(gCurrentPage, 4);

    // The options follow the pages of the entry loaded.
    OpenDest(2);
    EXPECT_TRUE(h.TNo_op[1]->isEnabled());
    EXPECT_FALSE(h.TNo_op[2]->isEnabled());
    OpenDest(1);
    EXPECT_TRUE(h.TNo_op[3]->isEnabled());
    EXPECT_FALSE(h.TNo_op[4]->isEnabled());

    std::map<int, Stored> saved = SaveAndReadBack(project);
    const Stored& one = saved[1];
    EXPECT_EQ(GetSignText(one.text, 3), "\xff" "FRONT# 1 CENTRUMA# 1 CENTRUMAB# 1 CENTRUMABC");
    EXPECT_EQ(PagesOf(one, 3), 3);
    // Each page after the first carries its change time.
    const std::string front = GetSectionText(3, one.data);
    EXPECT_EQ(front[front.find('\xb0') + 1], '\x03');
    // The route-number sign takes the box's text.
    EXPECT_EQ(GetSignText(one.text, 7), "\xff" "LINE# 34");
    EXPECT_EQ(GetSectionText(7, one.data), "34");
    EXPECT_EQ(GetSignText(saved[2].text, 3), "\xff" "FRONT# HAMN");
}

TEST_F(CommitGui, TheTextSignEditedBesideAGraphicAndARouteNumberSign) {
    frmHead& h = Start();
    ShowSignRows({1, 3, 4});
    ASSERT_EQ(gCurrentSign, 2);
    ASSERT_EQ(gTextSignActive, kTrue);
    OpenDest(2);
    EXPECT_EQ(CharArrayToString(), "HAMN");
    gTextColumn = static_cast<int16_t>(gCodeCount + 1);
    Type("EN");
    ClickWidget(h.LineNo_txt);
    h.LineNo_txt->selectAll();
    QTest::keyClicks(h.LineNo_txt, "7");
    ClickWidget(h.SaveDestOrExtra);

    std::map<int, Stored> saved = SaveAndReadBack(project);
    const Stored& two = saved[2];
    EXPECT_EQ(GetSignText(two.text, 2), "\xff" "SIDE# HAMNEN");
    EXPECT_EQ(GetSectionText(2, two.data).size(), 6u);
    EXPECT_EQ(GetSignText(two.text, 7), "\xff" "LINE# 7");
    // The graphic sign shown beside it was not being edited: it keeps its page.
    EXPECT_EQ(GetSignText(two.text, 3), "\xff" "FRONT# HAMN");
    EXPECT_EQ(Line(2), "   2   SIDE# HAMNENFRONT# HAMNREAR# HAMNLINE# 7");
}

TEST_F(CommitGui, InsertModeAsksAndMovesTheFollowingEntries) {
    Option("InsertMode", 1);
    frmHead& h = Start(12, 20);
    ASSERT_EQ(gInsertMode, kTrue);
    ShowSignRows({1});
    OpenDest(15);
    Type("I");

    // Save asks; "Insert before" makes room at 15.
    std::string caption;
    bool afterEnabled = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmSave*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        caption = kv::B(d->windowTitle());
        afterEnabled = d->cmdInsertAfter->isEnabled();
        QTest::mouseClick(d->cmdInsertBefore, Qt::LeftButton);
    });
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(caption, "Save");
    EXPECT_TRUE(afterEnabled);

    // Removing 12, FRONT's only page there, closes the gap.
    OpenDest(12);
    ClickWidget(h.Remove);

    std::map<int, Stored> saved = SaveAndReadBack(project);
    for (int n = 12; n <= 13; ++n) EXPECT_EQ(saved[n].text, "\xff" "FRONT# N" + std::to_string(n + 1)) << n;
    EXPECT_EQ(saved[14].text, "\xff" "FRONT# N15I");
    EXPECT_EQ(saved[14].code, "14  ");
    for (int n = 15; n <= 20; ++n) {
        EXPECT_EQ(saved[n].text, "\xff" "FRONT# N" + std::to_string(n)) << n;
        EXPECT_EQ(saved[n].code, PadCode(std::to_string(n))) << n;
    }
    EXPECT_EQ(saved.count(21), 0u);
    EXPECT_EQ(h.DestList->count(), 11);
}

TEST_F(CommitGui, TheInvertCommandOfTheLayoutMenu) {
    frmHead& h = Start();
    ShowSignRows({1});
    OpenDest(1);
    h.MenuItem("mnuLayoutInvertera")->trigger();
    EXPECT_EQ(gHasGraphic, kTrue);
    EXPECT_EQ(PageFirstCell(), 0);
    h.MenuItem("mnuLayoutInvertera")->trigger();
    EXPECT_EQ(gHasGraphic, kFalse);
    EXPECT_NE(PageFirstCell(), 0);
    EXPECT_TRUE(ui.messages.empty());
}
