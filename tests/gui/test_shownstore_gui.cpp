// What the window shows is what a Save stores: the page under the marker on
// every shown sign, the entry the number box and the list name, every key
// typed. Two graphic signs, FRONT (112 x 16, 2) and SIDE (96 x 16, 3), both
// shown; destination 1 ONE / SONE, 2 two pages on both signs (TWO, TWOB /
// STWO, STWOB), 3 THREE / STHREE. Each case drives the real widgets and
// reads the saved project back.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include "gui/head_fixture.h"
#include "gui/project_build.h"
#include "gui/sign_pages.h"
#include "support/editor_text.h"
#include "ui/qtbridge_qt.h"

using namespace kv;
using namespace testproject;
using namespace testpages;
using testtxl::Stored;

namespace {

constexpr int16_t kFront = 2, kSide = 3;

void BuildProject(const std::string& dataDir, const std::string& path) {
    testmarkup::StartProjectOn(dataDir);
    SignLine("FRONT", "K4000", "112x16", kFront);
    SignLine("SIDE", "K4000", "96x16", kSide);
    StartLists();
    const std::vector<std::pair<int16_t, std::vector<std::string>>> front = {{1, {"ONE"}}, {2, {"TWO", "TWOB"}}, {3, {"THREE"}}};
    const std::vector<std::pair<int16_t, std::vector<std::string>>> side = {{1, {"SONE"}}, {2, {"STWO", "STWOB"}}, {3, {"STHREE"}}};
    for (const auto& [signs, address] : {std::pair{&front, kFront}, std::pair{&side, kSide}})
        for (const auto& [n, pages] : *signs)
            for (size_t p = 0; p < pages.size(); ++p) GraphicPage(n, address, pages[p], "7", static_cast<int16_t>(p + 1));
    for (int16_t n : {1, 2, 3}) {
        DestRecord& r = gDestList[static_cast<size_t>(n)];
        r.AltText = r.SignData;
        r.Code = PadCode(std::to_string(n));
        AddListLine(n, true);
    }
    SaveProjectFile(path);
}

class ShownStoreGui : public HeadGui {
protected:
    frmHead& Start() {
        project = dir.file("shown.txl");
        BuildProject(dir.path(), project);
        ShowOpenedOnCommandLine(project);
        ShowSignRows({1, 2});
        return *head;
    }
    void ClickSign(int k) {
        QTest::mouseClick(head->picSign[k], Qt::LeftButton, {}, QPoint(3, 3));
        QApplication::processEvents();
        ASSERT_EQ(head->ActivePictureIndex, k);
    }
    // Keys go where the window system sends them: to the widget that has the
    // keyboard focus.
    void Type(const QString& text) {
        for (QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            ASSERT_NE(target, nullptr) << "no widget takes the keys";
            QTest::keyClicks(target, QString(c));
            QApplication::processEvents();
        }
    }
    void Key(Qt::Key key) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr) << "no widget takes the keys";
        QTest::keyClick(target, key);
        QApplication::processEvents();
    }
    void ClickTool(int index) {
        auto* button = qobject_cast<QToolButton*>(head->tbToolBar->widgetForAction(head->tbButtons[index]));
        ASSERT_NE(button, nullptr);
        // The pointer goes there first, over the toolbar.
        QTest::mouseMove(button);
        QApplication::processEvents();
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
    }
    // What the two pictures show, FRONT then SIDE.
    std::pair<std::string, std::string> Shown() {
        return {testeditor::PictureText(0, head->ActivePictureIndex), testeditor::PictureText(1, head->ActivePictureIndex)};
    }
    int RowOf(int number) { return FindListIndexByNumber(kv::DestList, static_cast<int16_t>(number)); }

    std::string project;
};

using ShownPair = std::pair<std::string, std::string>;

}  // namespace

// Save on page 1 goes on to page 2, which both signs have: both show it,
// and what is typed there is stored on page 2 after what it held.
TEST_F(ShownStoreGui, SaveGoesOnToAPageEverySignShows) {
    frmHead& h = Start();
    OpenDest(2);
    ASSERT_FALSE(h.Ch_Frame->isHidden());
    EXPECT_EQ(Shown(), (ShownPair{"TWO", "STWO"}));
    ClickWidget(h.SaveDestOrExtra);
    ASSERT_TRUE(h.TNo_op[2]->isChecked());
    EXPECT_EQ(Shown(), (ShownPair{"TWOB", "STWOB"}));
    ClickSign(0);
    Key(Qt::Key_End);
    Type("X");
    ClickWidget(h.SaveDestOrExtra);
    const Stored two = SaveAndReadBack(project)[2];
    EXPECT_EQ(PagesOf(two, kFront).fields, (Fields{"TWO", "TWOBX"}));
    EXPECT_EQ(PagesOf(two, kSide).fields, (Fields{"STWO", "STWOB"}));
    for (int16_t s : {kFront, kSide}) {
        EXPECT_EQ(PagesOf(two, s).data, 2) << s;
        EXPECT_EQ(PagesOf(two, s).alt, 2) << s;
    }
}

// A click on a page option shows that page on every sign; Remove then takes
// off exactly the pages on screen.
TEST_F(ShownStoreGui, APageOptionShowsItsPageOnEverySign) {
    frmHead& h = Start();
    OpenDest(2);
    ClickWidget(h.TNo_op[2]);
    EXPECT_EQ(gCurrentPage, 2);
    EXPECT_EQ(Shown(), (ShownPair{"TWOB", "STWOB"}));
    ClickWidget(h.TNo_op[1]);
    EXPECT_EQ(Shown(), (ShownPair{"TWO", "STWO"}));
    // A double click (its first click, then the double click) loads the
    // page on both signs too.
    ClickWidget(h.TNo_op[2]);
    QTest::mouseDClick(h.TNo_op[2], Qt::LeftButton, {}, QPoint(6, h.TNo_op[2]->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(Shown(), (ShownPair{"TWOB", "STWOB"}));
    ClickWidget(h.Remove);
    const Stored two = SaveAndReadBack(project)[2];
    EXPECT_EQ(PagesOf(two, kFront).fields, (Fields{"TWO"}));
    EXPECT_EQ(PagesOf(two, kSide).fields, (Fields{"STWO"}));
}

// A page option chosen while a sign holds an edit that its page there would
// replace asks first; Cancel keeps the page and the edit.
TEST_F(ShownStoreGui, APageOptionAsksBeforeAnEditGoes) {
    frmHead& h = Start();
    OpenDest(2);
    ClickSign(1);
    Key(Qt::Key_End);
    Type("Q");
    ui.answers = {vbCancel};
    ClickWidget(h.TNo_op[2]);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_TRUE(h.TNo_op[1]->isChecked());
    EXPECT_EQ(Shown(), (ShownPair{"TWO", "STWOQ"}));
    ClickWidget(h.SaveDestOrExtra);
    const Stored two = SaveAndReadBack(project)[2];
    EXPECT_EQ(PagesOf(two, kSide).fields, (Fields{"STWOQ", "STWOB"}));
    EXPECT_EQ(PagesOf(two, kFront).fields, (Fields{"TWO", "TWOB"}));
}

// Cancel at the question before another entry is loaded leaves the number
// box, the list and the pictures on the entry being edited.
TEST_F(ShownStoreGui, CancelAtTheQuestionStaysOnTheEntryEdited) {
    frmHead& h = Start();
    OpenDest(1);
    ClickSign(0);
    Key(Qt::Key_End);
    Type("Z");
    InstallQtUiHost();
    WhenShown<QMessageBox> cancel([](QMessageBox& box) { QTest::mouseClick(box.button(QMessageBox::Cancel), Qt::LeftButton); });
    DoubleClickRow(h.DestList, RowOf(3));
    QApplication::processEvents();
    SetUiHost(&ui);
    ASSERT_TRUE(cancel.seen);
    EXPECT_EQ(Shown(), (ShownPair{"ONEZ", "SONE"}));
    EXPECT_EQ(B(h.CurrNoTxt->text()).substr(0, 1), "1");
    EXPECT_EQ(h.DestList->currentRow(), RowOf(1));
    EXPECT_EQ(gCurrentDest, 1);
    ClickWidget(h.SaveDestOrExtra);
    std::map<int, Stored> saved = SaveAndReadBack(project);
    EXPECT_EQ(PagesOf(saved[1], kFront).fields, (Fields{"ONEZ"}));
    EXPECT_EQ(PagesOf(saved[3], kFront).fields, (Fields{"THREE"}));
    EXPECT_EQ(PagesOf(saved[3], kSide).fields, (Fields{"STHREE"}));
}

// After a toolbar command the keys go to the active sign again, the first
// one too.
TEST_F(ShownStoreGui, NoKeyIsDroppedAfterAToolbarCommand) {
    frmHead& h = Start();
    OpenDest(1);
    ClickWidget(h.SaveAndNew);
    const int16_t fresh = gCurrentDest;
    ClickSign(0);
    ClickTool(12);  // right
    EXPECT_EQ(QApplication::focusWidget(), h.picSign[0]);
    Type("RST");
    ClickTool(10);  // left
    Type("U");
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(PagesOf(SaveAndReadBack(project)[fresh], kFront).fields, (Fields{"RSTU"}));
}

// A Save that stored everything shown leaves nothing to ask about.
TEST_F(ShownStoreGui, NoQuestionAfterASaveThatStoredEverything) {
    frmHead& h = Start();
    OpenDest(3);
    ClickWidget(h.SaveAndNew);
    const int16_t fresh = gCurrentDest;
    ClickWidget(h.Ch_Check);
    ASSERT_FALSE(h.Ch_Frame->isHidden());
    ClickSign(0);
    Type("P1");
    TypeInto(h.txtCurrChTime, "5");
    ClickWidget(h.SaveDestOrExtra);
    ClickSign(0);
    h.MenuItem("cutALL_E")->trigger();
    QApplication::processEvents();
    Type("P2");
    TypeInto(h.txtCurrChTime, "9");
    ClickWidget(h.SaveDestOrExtra);
    ui.messages.clear();
    OpenDest(1);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    const Stored saved = SaveAndReadBack(project)[fresh];
    EXPECT_EQ(PagesOf(saved, kFront).fields, (Fields{"P1", "P2"}));
}

// Delete all is an edit like any other: loading another entry asks first.
TEST_F(ShownStoreGui, DeleteAllWithoutASaveIsAskedAbout) {
    frmHead& h = Start();
    OpenDest(1);
    ClickSign(1);
    h.MenuItem("cutALL_E")->trigger();
    QApplication::processEvents();
    ui.messages.clear();
    ui.answers = {vbCancel};
    DoubleClickRow(h.DestList, RowOf(2));
    QApplication::processEvents();
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(Shown(), (ShownPair{"ONE", ""}));
}

// A command that changes nothing shown (a copy in graphic mode) leaves
// nothing to ask about.
TEST_F(ShownStoreGui, ACopyChangesNothingToAskAbout) {
    frmHead& h = Start();
    OpenDest(1);
    ClickSign(0);
    ClickTool(6);  // graphic mode
    h.MenuItem("Cut_e")->trigger();
    ClickTool(5);  // text mode
    ui.messages.clear();
    OpenDest(2);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front().text;
    EXPECT_EQ(Shown(), (ShownPair{"TWO", "STWO"}));
}
