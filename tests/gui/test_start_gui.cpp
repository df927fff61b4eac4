#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "data/ini.h"
#include "data/language.h"
#include "data/startup.h"
#include "platform/reset.h"
#include "ui/frmCaption.h"
#include "ui/frmInitLanguage.h"
#include "ui/frmShowStatus.h"
#include "ui/frmSplash.h"
#include "ui/frmHead.h"
#include "platform/paths.h"
#include "ui/qtbridge_qt.h"
#include "platform/vb.h"
#include "gui/elapse_qt.h"
#include "support/fake_ui.h"
#include "support/testutil.h"

using namespace kv;
using testutil::CrLf;

namespace {
class GuiStart : public ::testing::Test {
protected:
    void SetUp() override {
        kv::ResetAllState();
        SetProgramFolder(dir.path());
        testutil::WriteFile(dir.file("kivar.lib"), CrLf({"[Generell]", "KivarPath=\"\"", "Language=\"\"",
                                                         "LanguageFile=\"\"", "Automatik=0", "ShowLineNO=0",
                                                         "ChangeTime=3", "SaveWinPos=1", "", "[Windows]", ""}));
        testutil::WriteFile(dir.file("language.ini"),
                            CrLf({"[Languages]", "NoOfLanguages=2", "Language1=English", "Language2=Deutsch", "",
                                  "[English]", "FileName=English.lng", "", "[Deutsch]", "FileName=Deutsch.lng", ""}));
        std::vector<std::string> lng = {"[English]"};
#define KV_LINE(n) lng.push_back("S" #n "=" + std::string(n == 1 ? "OK" : n == 38 ? "untitled" : n == 45 ? "Caption" : "T" #n));
        KV_SHARED_TEXT_KEYS(KV_LINE)
#undef KV_LINE
        testutil::WriteFile(dir.file("English.lng"), CrLf(lng));
    }
    void TearDown() override { kv::ResetAllState(); }
    testutil::TempDir dir;
    FakeUi ui;
};
}  // namespace

TEST_F(GuiStart, FirstStartChoosesTheLanguage) {
    ReadStartSettings([] {
        frmInitLanguage dlg;
        EXPECT_EQ(dlg.windowTitle(), "Language / Sprache");
        ASSERT_EQ(dlg.cboLanguage->count(), 2);
        EXPECT_EQ(dlg.cboLanguage->currentText(), "English");
        EXPECT_EQ(dlg.findChild<QPushButton*>("cmdOK"), dlg.cmdOK);
        dlg.cmdOK->click();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    });
    EXPECT_EQ(gLanguage, "English");
    EXPECT_EQ(gLanguageFile, dir.path() + "/English.lng");
    EXPECT_EQ(IniGetValue(gSettingsFile, "Generell", "Language"), "English");
}

TEST_F(GuiStart, SplashShowsTheVersionAndClosesAfterASecond) {
    SplashActive = kTrue;
    frmSplash splash;
    EXPECT_EQ(splash.lblVersion->text(), QString("Version %1.%2.%3").arg(KIVAR_VERSION_MAJOR).arg(KIVAR_VERSION_MINOR).arg(KIVAR_VERSION_PATCH));
    EXPECT_EQ(splash.Timer1->interval(), 1000);
    splash.show();
    QApplication::processEvents();
    EXPECT_EQ(SplashActive, kTrue);
    // Its second is over: it closes as accepted and clears the flag.
    Elapse(splash.Timer1);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.result(), QDialog::Accepted);
    EXPECT_EQ(SplashActive, kFalse);
    EXPECT_FALSE(splash.Timer1->isActive());
}

TEST_F(GuiStart, AKeyClosesTheSplashAtOnceAndLeavesTheFlag) {
    SplashActive = kTrue;
    frmSplash splash;
    splash.show();
    QApplication::processEvents();
    EXPECT_TRUE(splash.Timer1->isActive());
    QTest::keyClick(&splash, Qt::Key_Space);
    EXPECT_FALSE(splash.isVisible());
    EXPECT_EQ(splash.result(), QDialog::Accepted);
    // Closed before its second was over: the timer's work was not done.
    EXPECT_EQ(SplashActive, kTrue);
}

TEST_F(GuiStart, MainWindowCaptionAndPlacement) {
    ReadStartSettings([] { StoreLanguageChoice("English"); });
    {
        frmHead head;
        head.Form_Load();
        EXPECT_EQ(head.windowTitle(), QString::fromUtf8("Kivar32\u00ae <untitled>"));
        head.setGeometry(40, 50, 800, 600);
        head.show();
        head.EnsureActivated();
        head.close();
    }
    std::string stored = IniGetValue(gSettingsFile, "Windows", "frmHead");
    Placement p = ParsePlacement(stored);
    ASSERT_EQ(p.kind, Placement::Set) << stored;
    EXPECT_EQ(p.width, 800 * 15);
    EXPECT_EQ(p.height, 600 * 15);
    frmHead again;
    again.Form_Load();
    EXPECT_EQ(again.width(), 800);
    EXPECT_EQ(again.height(), 600);
}

TEST_F(GuiStart, CaptionAndStatusWindows) {
    ReadStartSettings([] { StoreLanguageChoice("English"); });
    LoadLanguageTexts();
    frmCaption cap;
    cap.Cap_txt->setText("Proposal");
    cap.show();
    QApplication::processEvents();
    cap.Command1->click();
    EXPECT_FALSE(cap.isVisible());
    EXPECT_EQ(cap.windowTitle(), "Caption");
    EXPECT_EQ(cap.Command1->text(), "OK");
    EXPECT_EQ(cap.Cap_txt->text(), "Proposal");
    frmShowStatus st;
    EXPECT_EQ(st.lblStatus[0]->text(), "Initierar....");
    EXPECT_EQ(static_cast<QLabel*>(FindControl(&st, "lblStatus", 1)), st.lblStatus[1]);
}
