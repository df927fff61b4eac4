// The preferences window opened from the Options menu and worked through its
// controls; the settings file is compared byte for byte: OK writes exactly
// the keys that changed, and always PrintGraphical and the print colours.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <functional>

#include "app/docsettings.h"
#include "gui/gui_helpers.h"
#include "gui/head_fixture.h"
#include "app/fontselect.h"
#include "data/charmap.h"
#include "data/fontlist.h"
#include "ui/frmAbout1.h"
#include "ui/frmFontSel.h"
#include "ui/frmPreferences.h"
#include "ui/qtbridge_qt.h"
#include "gui/wait_qt.h"

using namespace kv;

namespace {

// One step to the right: a click on the bar's right arrow.
void StepRight(QScrollBar* bar) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() - 4, bar->height() / 2));
    QApplication::processEvents();
}

class PrefsGui : public HeadGui {
protected:
    void SetUp() override {
        HeadGui::SetUp();
        // No window placement is written on OK unless a test asks for it.
        Option("SaveWinPos", 0);
    }
    std::string Lib() { return testutil::ReadFile(ResolvePath(gSettingsFile)); }
    frmPreferences* Find() {
        for (auto* p : head->findChildren<frmPreferences*>())
            if (p->isVisible()) return p;
        return nullptr;
    }
    frmPreferences& Open() {
        head->MenuItem("mnuInst\xC3\xA4llningar")->trigger();
        frmPreferences* p = Find();
        EXPECT_NE(p, nullptr);
        EXPECT_TRUE(waitqt::Shown(p));
        return *p;
    }
    void Tab(frmPreferences& p, int index) { QTest::mouseClick(p.lblTag[static_cast<size_t>(index)], Qt::LeftButton); }
    void Close(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(Find(), nullptr);
    }
    // Opens the window, works it, presses OK and compares the settings file.
    void Expect(const char* what, const std::function<void(frmPreferences&)>& act, const Lines& changes) {
        const std::string before = Lib();
        frmPreferences& p = Open();
        act(p);
        Close(p.cmdOK);
        EXPECT_EQ(Lib(), WithLines(before, changes)) << what;
    }
    // The font-list button of the preferences, `act` working the font selection.
    void FontList(const std::function<void(frmFontSel&)>& act) {
        frmPreferences& p = Open();
        Tab(p, 2);
        WhenShown<frmFontSel> sel(act);
        ClickWidget(p.cmdChangeLibLadder);
        EXPECT_TRUE(sel.seen);
        Close(p.cmdCancel);
    }
};

int RowOf(QListWidget* list, const char* text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? -1 : list->row(found.front());
}

}  // namespace

TEST_F(PrefsGui, OkWithoutChangesWritesOnlyTheKeysOkAlwaysWrites) {
    // A colour stored without quotes shows that OK writes it again.
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Printer", "PrintGraphicalFC", 0));
    ShowActivated();
    frmPreferences& p = Open();
    EXPECT_EQ(p.windowTitle().toStdString(), Key("S2200"));
    EXPECT_EQ(p.lblFokus->text().toStdString(), Key("S2201"));
    EXPECT_TRUE(p.fraSpråk->isVisible());
    // One language on offer: no list, the label names it.
    EXPECT_FALSE(p.cboLanguage->isVisible());
    EXPECT_EQ(p.lblLanguage->text().toStdString(), Key("S2203") + ":  English");
    EXPECT_EQ(p.lblChangeTime->text(), "3");
    EXPECT_EQ(p.lblAutoSaveTimeValue->text(), "5");
    EXPECT_FALSE(p.chkBoundLn->isVisibleTo(&p));
    EXPECT_TRUE(p.cmdDefaultFont->isEnabled());
    Tab(p, 3);
    EXPECT_TRUE(p.fraUtskrift->isVisible());
    EXPECT_FALSE(p.fraSpråk->isVisible());
    EXPECT_EQ(p.picFokus->x(), frmPreferences::TabLeft(3));
    EXPECT_EQ(p.lblFokus->text().toStdString(), Key("S2209"));
    EXPECT_EQ(p.chkHeaderInfo[1]->text().toStdString(), "&Date");
    EXPECT_EQ(p.lblPrintEndPosMax->text(), "77");
    EXPECT_EQ(p.lblPrintStartPosMax->text(), "74");
    EXPECT_EQ(p.lblPrintEndPosMin->text(), "8");

    const std::string before = Lib();
    Close(p.cmdOK);
    EXPECT_EQ(Lib(), WithLines(before, {{"PrintGraphicalFC=0", "PrintGraphicalFC=\"0\""}}));
    EXPECT_EQ(gSaveWinPos, kFalse);
    EXPECT_EQ(gInsertMode, kFalse);

    // A global that differs from the stored key is written without a click.
    gInsertMode = kTrue;
    Expect("insert mode", [](frmPreferences& p) { EXPECT_TRUE(p.chkInsertEnabled->isChecked()); },
           {{"InsertMode=0", "InsertMode=1"}});
    EXPECT_EQ(gInsertMode, kTrue);
}

TEST_F(PrefsGui, EachChangeWritesExactlyItsKeys) {
    ShowActivated();
    Expect("change time", [&](frmPreferences& p) {
        Tab(p, 1);
        StepRight(p.hsbChangeTime);
        EXPECT_EQ(p.lblChangeTime->text(), "4");
    }, {{"ChangeTime=3", "ChangeTime=4"}});

    Expect("auto-save time", [&](frmPreferences& p) {
        Tab(p, 2);
        StepRight(p.hsbAutoSaveTime);
        EXPECT_EQ(p.lblAutoSaveTimeValue->text(), "6");
    }, {{"Time=300", "Time=360"}});
    EXPECT_EQ(gAutoSaveTime, 360.0f);

    Expect("auto-save off, start-up defaults, window placement", [&](frmPreferences& p) {
        Tab(p, 1);
        ClickWidget(p.chkAutomatik);
        ClickWidget(p.chkShowLineNo);
        Tab(p, 2);
        ClickWidget(p.chkAutoSaveEnabled);
        ClickWidget(p.chkInsertEnabled);
    }, {{"Automatik=0", "Automatik=1"}, {"ShowLineNO=0", "ShowLineNO=1"}, {"InsertMode=0", "InsertMode=1"},
        {"Enabled=True", "Enabled=False"}});
    EXPECT_EQ(gAutoSaveEnabled, kFalse);
    EXPECT_EQ(gInsertMode, kTrue);

    Expect("printing options", [&](frmPreferences& p) {
        Tab(p, 3);
        ClickWidget(p.chkPrintUserInfo);
        ClickWidget(p.chkPrintEmptyLines);
        ClickWidget(p.optLineNo[2]);
        ClickWidget(p.optOrientation[1]);
        ClickWidget(p.chkPrintPageNumber);
    }, {{"PrintPreferences=4", "PrintPreferences=1"}, {"LineNoOption=0", "LineNoOption=2"},
        {"PageNumber=1", "PageNumber=0"}, {"Orientation=1", "Orientation=2"}});

    Expect("header", [&](frmPreferences& p) {
        Tab(p, 3);
        EXPECT_TRUE(p.chkHeaderInfo[0]->isEnabled());
        ClickWidget(p.chkPrintHeader);
        for (QCheckBox* box : p.chkHeaderInfo) EXPECT_FALSE(box->isEnabled());
    }, {{"Header=7", "Header=6"}});

    // Cancel and the close box write nothing.
    const std::string before = Lib();
    frmPreferences& p = Open();
    Tab(p, 1);
    StepRight(p.hsbChangeTime);
    Close(p.cmdCancel);
    frmPreferences& q = Open();
    ClickWidget(q.chkSaveWinPos);
    q.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Lib(), before);
    EXPECT_EQ(gInsertMode, kTrue);
}

TEST_F(PrefsGui, AnAutoSaveTimeOfNinetySecondsStaysWhenTheBarIsNotMoved) {
    ASSERT_TRUE(IniSetValue(gSettingsFile, "AutoSave", "Time", 90));
    ShowActivated();
    ASSERT_EQ(gAutoSaveTime, 90.0f);
    Expect("unmoved", [](frmPreferences& p) { EXPECT_EQ(p.hsbAutoSaveTime->value(), 2); }, {});
    EXPECT_EQ(gAutoSaveTime, 90.0f);
    // Moved and moved back is not moved either.
    Expect("moved back", [&](frmPreferences& p) {
        Tab(p, 2);
        StepRight(p.hsbAutoSaveTime);
        QTest::mouseClick(p.hsbAutoSaveTime, Qt::LeftButton, {}, QPoint(4, p.hsbAutoSaveTime->height() / 2));
        EXPECT_EQ(p.hsbAutoSaveTime->value(), 2);
    }, {});
    Expect("moved", [&](frmPreferences& p) {
        Tab(p, 2);
        StepRight(p.hsbAutoSaveTime);
    }, {{"Time=90", "Time=180"}});
    EXPECT_EQ(gAutoSaveTime, 180.0f);
}

TEST_F(PrefsGui, PaperWidthAndPrintPositionsKeepEachOtherInRange) {
    ShowActivated();
    Expect("positions", [&](frmPreferences& p) {
        Tab(p, 3);
        TypeInto(p.txtPrintPaperWidth, "5");
        p.chkPrintGraphical->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(ui.beeps, 1);
        EXPECT_EQ(p.txtPrintPaperWidth->text(), "10");
        EXPECT_EQ(p.hsbPrintEndPos->maximum(), 10);
        EXPECT_EQ(p.hsbPrintStartPos->maximum(), 9);

        TypeInto(p.txtPrintPaperWidth, "80");
        p.chkPrintGraphical->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(ui.beeps, 1);
        EXPECT_EQ(p.hsbPrintEndPos->maximum(), 80);
        EXPECT_EQ(p.lblPrintEndPosMax->text(), "80");
        EXPECT_EQ(p.hsbPrintStartPos->maximum(), 79);
        p.hsbPrintStartPos->setValue(30);
        EXPECT_EQ(p.hsbPrintEndPos->minimum(), 31);
        EXPECT_EQ(p.lblPrintEndPosMin->text(), "31");
        p.hsbPrintEndPos->setValue(60);
        EXPECT_EQ(p.hsbPrintStartPos->maximum(), 59);
        EXPECT_EQ(p.lblPrintStartPosValue->text(), "30");
        EXPECT_EQ(p.lblPrintEndPosValue->text(), "60");
    }, {{"PaperWidth=77", "PaperWidth=80"}, {"PaperStartPos=7", "PaperStartPos=30"}, {"PaperEndPos=75", "PaperEndPos=60"}});
}

TEST_F(PrefsGui, PrintColoursAndTheHiddenPrintingPage) {
    ASSERT_TRUE(IniSetValue(gSettingsFile, "Generell", "PrintTextFormat145", "1"));
    ShowActivated();
    Expect("colour", [&](frmPreferences& p) {
        EXPECT_FALSE(p.lblTag[3]->isVisible());
        // The colour dialog opens with the colour of the box; cancelling it
        // keeps the colour, choosing one takes it.
        WhenShown<QColorDialog> cancel([](QColorDialog& d) {
            EXPECT_EQ(d.currentColor(), QColor(Qt::black));
            d.setCurrentColor(Qt::green);
            d.reject();
        });
        p.cmdPrintColor[0]->click();
        EXPECT_TRUE(cancel.seen);
        WhenShown<QColorDialog> choose([](QColorDialog& d) {
            EXPECT_EQ(d.currentColor(), QColor(Qt::white));
            d.setCurrentColor(QColor(255, 0, 0));
            d.accept();
        });
        p.cmdPrintColor[1]->click();
        EXPECT_TRUE(choose.seen);
        EXPECT_EQ(p.picPrintColor[1]->palette().color(QPalette::Window), QColor(255, 0, 0));
        ClickWidget(p.chkPrintGraphical);
    }, {{"PrintGraphical=0", "PrintGraphical=1"}, {"PrintGraphicalBC=\"16777215\"", "PrintGraphicalBC=\"255\""}});
}

TEST_F(PrefsGui, ChangingTheLanguageWritesBothKeysAndReloadsTheOpenWindows) {
    const std::string folder = dir.path();
    testutil::WriteFile(dir.file("language.ini"),
                        testutil::CrLf({"[Languages]", "NoOfLanguages=2", "Language1=\"English\"", "Language2=\"Svenska\"",
                                        "", "[English]", "FileName=\"English.lng\"", "", "[Svenska]",
                                        "FileName=\"Svenska.lng\"", ""}));
    std::string swedish = testutil::ReadFile(dir.file("English.lng"));
    swedish = WithLines("\r\n" + swedish, {{"[English]", "[Svenska]"}, {"S15=\"&Preferences...\"", "S15=\"&Inst\xE4llningar...\""},
                                           {"S1100=\"Destination sign editor\"", "S1100=\"Skyltredigerare\""}})
                  .substr(2);
    testutil::WriteFile(dir.file("Svenska.lng"), swedish);
    ShowActivated();
    head->MenuItem("About_e")->trigger();
    auto* about = head->findChild<frmAbout1*>();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(about->isModal());
    EXPECT_NE(about->lblDescription->text().indexOf("Destination sign editor"), -1);

    const std::string oldFile = gLanguageFile;
    Expect("language", [&](frmPreferences& p) {
        EXPECT_TRUE(p.cboLanguage->isVisibleTo(&p));
        EXPECT_EQ(p.cboLanguage->currentText(), "English");
        p.cboLanguage->setFocus();
        QTest::keyClick(p.cboLanguage, Qt::Key_Down);
        EXPECT_EQ(p.cboLanguage->currentText(), "Svenska");
    }, {{"Language=\"English\"", "Language=\"Svenska\""},
        {"LanguageFile=\"" + oldFile + "\"", "LanguageFile=\"" + JoinPath(folder, "Svenska.lng") + "\""}});
    EXPECT_EQ(gLanguage, "Svenska");
    // At once, without another activation.
    EXPECT_EQ(head->MenuItem("mnuInst\xC3\xA4llningar")->text(), Q("&Inst\xE4llningar..."));
    EXPECT_NE(about->lblDescription->text().indexOf("Skyltredigerare"), -1);

    // The language in use, in other letter case, is no change.
    testutil::WriteFile(dir.file("language.ini"),
                        testutil::CrLf({"[Languages]", "NoOfLanguages=2", "Language1=\"English\"", "Language2=\"SVENSKA\"",
                                        "", "[SVENSKA]", "FileName=\"Other.lng\"", ""}));
    Expect("same language", [&](frmPreferences& p) {
        // Only the exact name is selected.
        EXPECT_EQ(p.cboLanguage->currentIndex(), -1);
        p.cboLanguage->setCurrentIndex(1);
    }, {});
    EXPECT_EQ(gLanguageFile, JoinPath(folder, "Svenska.lng"));
}

TEST_F(PrefsGui, OkSavesThePlacementOnlyWithWindowPositionsOn) {
    ShowActivated();
    frmPreferences& p = Open();
    Tab(p, 2);
    ClickWidget(p.chkSaveWinPos);
    Close(p.cmdOK);
    EXPECT_EQ(gSaveWinPos, kTrue);
    const std::string after = Lib();
    EXPECT_NE(after.find("\r\nfrmPreferences=\""), std::string::npos);
    EXPECT_NE(after.find("\r\nSaveWinPos=1\r\n"), std::string::npos);
    // A second command while the window is open brings the same window up.
    frmPreferences& again = Open();
    head->MenuItem("mnuInst\xC3\xA4llningar")->trigger();
    EXPECT_EQ(head->findChildren<frmPreferences*>().size(), 1u);
    Close(again.cmdCancel);
}

TEST_F(PrefsGui, UntickingAFontRewritesItsLineOnly) {
    ShowActivated();
    const std::string before = Lib();
    ASSERT_NE(FindFontIdIndex("1"), 0);
    FontList([&](frmFontSel& d) {
        EXPECT_TRUE(d.ListMode);
        EXPECT_EQ(d.windowTitle().toStdString(), Key("S2234"));
        EXPECT_EQ(d.lblFontLadder->text().toStdString(), Key("S2500"));
        EXPECT_EQ(d.FontPick_lst->item(0)->text(), "  g Symbols");
        const int row = RowOf(d.FontPick_lst, "* 1 Normal 07");
        DoubleClickRow(d.FontPick_lst, row);
        EXPECT_EQ(d.FontPick_lst->item(row)->text(), "  1 Normal 07");
        EXPECT_EQ(d.FontPick_lst->currentRow(), row);
        QTest::mouseClick(d.OKFontPick_cmd, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(Lib(), WithLines(before, {{"Font02=\"* 1 Normal 07\"", "Font02=\"  1 Normal 07\""}}));
    EXPECT_FALSE(FontListInListMode());
    EXPECT_EQ(FindFontIdIndex("1"), 0);
    EXPECT_NE(FindFontIdIndex("3"), 0);
    // The last marked font is the current one.
    EXPECT_EQ(gCurrentFontCode, "a");
}

TEST_F(PrefsGui, TheGraphicFontStaysAndNoChoiceOrCancelWritesNothing) {
    ShowActivated();
    const std::string before = Lib();
    const std::vector<std::string> list = gFontList, ids = gFontIds;
    const int16_t index = gFontListIndex;
    FontList([&](frmFontSel& d) {
        DoubleClickRow(d.FontPick_lst, 0);
        EXPECT_EQ(ui.beeps, 1);
        EXPECT_EQ(d.FontPick_lst->item(0)->text(), "  g Symbols");
        for (int row = 0; row < d.FontPick_lst->count(); ++row)
            if (d.FontPick_lst->item(row)->text().startsWith('*')) DoubleClickRow(d.FontPick_lst, row);
        QTest::mouseClick(d.OKFontPick_cmd, Qt::LeftButton);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, Key("S2501"));
        EXPECT_EQ(ui.messages[0].style, vbExclamation);
        EXPECT_EQ(ui.beeps, 2);
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(d.CancelFontPick_cmd, Qt::LeftButton);
    });
    // A font unticked and then cancelled is back as it was.
    FontList([&](frmFontSel& d) {
        DoubleClickRow(d.FontPick_lst, RowOf(d.FontPick_lst, "* 3 Normal 08"));
        d.close();
    });
    EXPECT_EQ(Lib(), before);
    EXPECT_EQ(gFontList, list);
    EXPECT_EQ(gFontIds, ids);
    EXPECT_EQ(gFontListIndex, index);
}
