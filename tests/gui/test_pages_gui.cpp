// Editing one entry on several shown signs with more than one page, as a
// user does it on the main window: clicks on the sign pictures, keys typed
// on them, the changing-texts box and the page options, the store buttons,
// the store-or-insert dialog, the route-number layout dialog, the shown
// signs dialog and File > New. Each case reads the saved project back with
// kivar-probe txl-dump: every page as typed, none the user did not type,
// and the inverted-text store page for page with SignData.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <map>

#include "data/signdata.h"
#include "engine/alignment.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/head_fixture.h"
#include "gui/project_build.h"
#include "gui/sign_pages.h"
#include "support/markup_state.h"
#include "support/signs_state.h"
#include "support/txldump.h"
#include "ui/frmLineNo.h"
#include "ui/frmSave.h"
#include "ui/frmSignSel.h"
#include "ui/qtbridge_qt.h"

using namespace kv;
using namespace testproject;
using testtxl::Stored;
using namespace testpages;

namespace {

constexpr int16_t kSide = 2, kFront = 3, kRear = 4;

// A graphic sign's pages typed into the editor and stored as the commit does.
void GraphicPages(int16_t dest, int16_t address, const std::vector<std::string>& pages) {
    for (size_t p = 0; p < pages.size(); ++p) GraphicPage(dest, address, pages[p], "7", static_cast<int16_t>(p + 1));
}

// The project: SIDE (text sign of 12 places, 2), FRONT (96 x 16, 3) and
// REAR (84 x 16, 4). Destination 1: SIDE "CENTRUM", FRONT "CITY"; 2: FRONT
// "TWO" and "TWOB"; 5: FRONT "F5", REAR "R5A" and "R5B"; 6: FRONT "F6"; 7:
// FRONT "ONE", centred. Every record keeps an inverted-text store, as one
// does once a graphic page of it was stored.
void BuildProject(const std::string& dataDir, const std::string& path) {
    testmarkup::StartProjectOn(dataDir);
    SignLine("SIDE", "K2000_1R", "12", kSide);
    SignLine("FRONT", "K4000", "96x16", kFront);
    SignLine("REAR", "K4000", "84x16", kRear);
    StartLists();
    TextPage(1, kSide, "CENTRUM");
    GraphicPages(1, kFront, {"CITY"});
    GraphicPages(2, kFront, {"TWO", "TWOB"});
    GraphicPages(5, kFront, {"F5"});
    GraphicPages(5, kRear, {"R5A", "R5B"});
    GraphicPages(6, kFront, {"F6"});
    // A row of 24 dots centred on 96.
    StartGraphicPage(kFront, "7");
    testtext::Type("ONE");
    SetAlignment(3, true, false, true);
    testmarkup::Commit(7, 1);
    for (int16_t n : {1, 2, 5, 6, 7}) {
        DestRecord& r = gDestList[static_cast<size_t>(n)];
        r.AltText = r.SignData;
        r.Code = PadCode(std::to_string(n));
        AddListLine(n, true);
    }
    SaveProjectFile(path);
}


class PagesGui : public HeadGui {
protected:
    // The project opened and shown; the Signs dialog lists its signs as
    // rows 1 FRONT, 2 REAR, 3 SIDE.
    frmHead& Start() {
        project = dir.file("pages.txl");
        BuildProject(dir.path(), project);
        return ShowOpenedOnCommandLine(project);
    }
    // A click on the picture of sign set k, then keys typed on it.
    void ClickSign(int k) {
        QTest::mouseClick(head->picSign[k], Qt::LeftButton, {}, QPoint(3, 3));
        QApplication::processEvents();
        ASSERT_EQ(head->ActivePictureIndex, k);
    }
    void Keys(int k, const QString& text) {
        QTest::keyClicks(head->picSign[k], text);
        QApplication::processEvents();
    }
    // The page the window shows: its option chosen and offered.
    void ExpectPageShown(int16_t page) {
        EXPECT_EQ(gCurrentPage, page);
        EXPECT_TRUE(head->TNo_op[page]->isChecked()) << page;
        EXPECT_TRUE(head->TNo_op[page]->isEnabled()) << page;
    }
    // The changing-texts box and its frame agree; `shown` says how.
    ::testing::AssertionResult ChangingTexts(bool shown) {
        const bool ticked = head->Ch_Check->isChecked(), visible = !head->Ch_Frame->isHidden();
        if (ticked == shown && visible == shown) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "box " << ticked << ", frame " << visible;
    }
    // Clicks the changing-texts box until its frame is shown (or hidden).
    void SetChangingTexts(bool shown) {
        for (int i = 0; i < 2 && head->Ch_Frame->isHidden() == shown; ++i) ClickWidget(head->Ch_Check);
        ASSERT_EQ(head->Ch_Frame->isHidden(), !shown);
    }
    // The alignment buttons: which of left, centre and right are pressed.
    std::string AlignmentKeys() {
        std::string s;
        for (int b : {10, 11, 12}) s += head->tbButtons[b]->isChecked() ? '1' : '0';
        return s;
    }

    std::string project;
};

}  // namespace

// Clicking another sign keeps the page the window shows: what is typed then
// goes to that page, and no sign's first page is overwritten.
TEST_F(PagesGui, AnotherSignClickedKeepsThePageShown) {
    frmHead& h = Start();
    ShowSignRows({1, 2});
    OpenDest(6);
    ClickSign(1);
    SetChangingTexts(true);
    EXPECT_TRUE(ChangingTexts(true));
    Keys(1, "R");
    ClickSign(0);
    Keys(0, "X");
    ClickWidget(h.SaveDestOrExtra);
    ExpectPageShown(2);

    ClickSign(1);
    ExpectPageShown(2);
    EXPECT_TRUE(ChangingTexts(true));
    Keys(1, "S");
    ClickSign(0);
    ExpectPageShown(2);
    Keys(0, "Y");
    ClickWidget(h.SaveDestOrExtra);
    ExpectPageShown(3);

    const Stored six = SaveAndReadBack(project)[6];
    EXPECT_EQ(PagesOf(six, kFront).fields, (Fields{"F6X", "F6XY"}));
    EXPECT_EQ(PagesOf(six, kRear).fields, (Fields{"R", "RS"}));
    for (int16_t s : {kFront, kRear}) {
        EXPECT_EQ(PagesOf(six, s).data, 2) << s;
        EXPECT_EQ(PagesOf(six, s).alt, 2) << s;
    }
}

// Save on a one-page entry with the changing texts shown, then Save and
// new: no sign gets a second page it was not given.
TEST_F(PagesGui, SaveThenSaveAndNewAddsNoPageNobodyTyped) {
    frmHead& h = Start();
    ShowSignRows({1, 3});
    ASSERT_EQ(gCurrentSign, kSide);
    OpenDest(1);
    SetChangingTexts(true);
    EXPECT_TRUE(ChangingTexts(true));
    ClickWidget(h.SaveDestOrExtra);
    ExpectPageShown(2);
    ClickWidget(h.SaveAndNew);
    EXPECT_NE(gCurrentDest, 1);
    ExpectPageShown(1);
    EXPECT_TRUE(ChangingTexts(false));

    const Stored one = SaveAndReadBack(project)[1];
    EXPECT_EQ(PagesOf(one, kSide).fields, (Fields{"CENTRUM"}));
    EXPECT_EQ(PagesOf(one, kFront).fields, (Fields{"CITY"}));
    for (int16_t s : {kSide, kFront}) {
        EXPECT_EQ(PagesOf(one, s).data, 1) << s;
        EXPECT_EQ(PagesOf(one, s).alt, 1) << s;
    }
}

// Insert before: the new entry holds what was typed for it; the entry that
// was there moves up whole, both pages of its REAR included.
TEST_F(PagesGui, InsertBeforeStoresOnlyWhatWasTyped) {
    Option("InsertMode", 1);
    frmHead& h = Start();
    ShowSignRows({1, 2});
    OpenDest(5);
    EXPECT_TRUE(ChangingTexts(true));  // REAR has two pages
    SetChangingTexts(false);
    EXPECT_TRUE(ChangingTexts(false));
    ClickSign(0);
    Keys(0, "N");
    bool asked = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmSave*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        asked = true;
        QTest::mouseClick(d->cmdInsertBefore, Qt::LeftButton);
    });
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_TRUE(asked);

    std::map<int, Stored> saved = SaveAndReadBack(project);
    EXPECT_EQ(PagesOf(saved[5], kFront).fields, (Fields{"F5N"}));
    EXPECT_EQ(PagesOf(saved[5], kRear).fields, Fields{});
    EXPECT_EQ(PagesOf(saved[5], kRear).data, 0);
    EXPECT_EQ(PagesOf(saved[6], kFront).fields, (Fields{"F5"}));
    EXPECT_EQ(PagesOf(saved[6], kRear).fields, (Fields{"R5A", "R5B"}));
    EXPECT_EQ(PagesOf(saved[7], kFront).fields, (Fields{"F6"}));
    EXPECT_EQ(saved[6].code, "6   ");
}

// The route-number layout's OK on an entry shown with the route-number
// area: the entry stays on the picture as it would be loaded now, drawn
// once, and counts as unchanged.
TEST_F(PagesGui, RouteNumberLayoutOkKeepsTheEntryShown) {
    frmHead& h = Start();
    ShowSignRows({1});
    // The layout placed for FRONT as it stands, then a page with the area.
    auto layout = [&](const QString& sample) {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* d = qobject_cast<frmLineNo*>(QApplication::activeModalWidget());
            ASSERT_NE(d, nullptr);
            seen = true;
            if (!sample.isEmpty()) {
                d->LineNoToShow_txt->setFocus();
                d->LineNoToShow_txt->selectAll();
                QTest::keyClicks(d->LineNoToShow_txt, sample);
            }
            QTest::mouseClick(d->cmdOK, Qt::LeftButton);
        });
        h.MenuItem("Ln_e")->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(seen);
    };
    layout("");
    OpenDest(6);
    h.MenuItem("ShowLineNo_e")->trigger();
    ASSERT_EQ(gShowLineNo, kTrue);
    ClickWidget(h.SaveDestOrExtra);
    OpenDest(6);
    ASSERT_EQ(gTextModified, kFalse);

    layout("124");
    const QImage afterOk = h.picSign[0]->Surface().copy();
    EXPECT_EQ(gTextModified, kFalse);
    EXPECT_EQ(gGraphicModified, kFalse);

    // Loading the entry again shows the same picture, and asks nothing.
    OpenDest(6);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(h.picSign[0]->Surface(), afterOk);
    EXPECT_EQ(PagesOf(SaveAndReadBack(project)[6], kFront).fields, (Fields{"<L>F6"}));
}

// Each indicator shows the state it names after the command.
TEST_F(PagesGui, IndicatorsFollowTheirState) {
    frmHead& h = Start();
    ShowSignRows({1, 2});
    EXPECT_TRUE(OnlyTheActiveSignIsMarked());
    // The changing texts show for an entry with pages, and go with another.
    OpenDest(2);
    EXPECT_TRUE(ChangingTexts(true));
    OpenDest(6);
    EXPECT_TRUE(ChangingTexts(false));
    OpenDest(5);
    EXPECT_TRUE(ChangingTexts(true));
    // A centred row presses the centre button alone.
    OpenDest(7);
    EXPECT_EQ(AlignmentKeys(), "010");
    // The project opened again from the File menu's recent files: page 1,
    // the changing texts hidden.
    OpenDest(2);
    ASSERT_TRUE(ChangingTexts(true));
    h.MenuItem("mnuArkivFile1")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(ChangingTexts(false));
    ExpectPageShown(1);
    // File > New: the changing texts hidden, the left button alone pressed.
    ShowSignRows({1, 2});
    OpenDest(2);
    h.MenuItem("mnuNytt")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(ChangingTexts(false));
    EXPECT_EQ(AlignmentKeys(), "100");
}

// From the text sign to a graphic sign: the font box names the graphic
// editor's font, and one frame carries the active marker.
TEST_F(PagesGui, TheFontBoxAndTheMarkerAfterTheShownSignsChanged) {
    frmHead& h = Start();
    ShowSignRows({1, 3});
    ASSERT_EQ(gCurrentSign, kSide);
    EXPECT_EQ(B(h.size_lbl->text()).substr(0, 1), "2");
    ShowSignRows({1, 2});
    ASSERT_EQ(gCurrentSign, kFront);
    EXPECT_EQ(B(h.size_lbl->text()).substr(0, 1), gCurrentFontCode);
    EXPECT_NE(gCurrentFontCode, "2");
    EXPECT_TRUE(OnlyTheActiveSignIsMarked());
}

// Right after loading an entry with two pages the box and the frame agree;
// Save on page 1 writes page 1 only, and Save on page 2 leaves it as it is.
TEST_F(PagesGui, SaveOnTheFirstPageLeavesTheSecondAsItWas) {
    frmHead& h = Start();
    ShowSignRows({1});
    OpenDest(2);
    EXPECT_TRUE(ChangingTexts(true));
    ExpectPageShown(1);
    ClickWidget(h.SaveDestOrExtra);
    ExpectPageShown(2);
    ClickWidget(h.SaveDestOrExtra);
    const Stored two = SaveAndReadBack(project)[2];
    EXPECT_EQ(PagesOf(two, kFront).fields, (Fields{"TWO", "TWOB"}));
    EXPECT_EQ(PagesOf(two, kFront).data, 2);
    EXPECT_EQ(PagesOf(two, kFront).alt, 2);
}
