#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
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
    QElapsedTimer t;
    t.start();
    splash.exec();
    EXPECT_GE(t.elapsed(), 900);
    EXPECT_EQ(SplashActive, kFalse);
}

TEST_F(GuiStart, AKeyClosesTheSplashAtOnceAndLeavesTheFlag) {
    SplashActive = kTrue;
    frmSplash splash;
    QTimer::singleShot(50, &splash, [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
        QApplication::sendEvent(&splash, &press);
    });
    QElapsedTimer t;
    t.start();
    splash.exec();
    EXPECT_LT(t.elapsed(), 900);
    EXPECT_EQ(SplashActive, kTrue);
    EXPECT_FALSE(splash.isVisible());
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
    QTimer::singleShot(20, &cap, [&] { cap.Command1->click(); });
    cap.exec();
    EXPECT_EQ(cap.windowTitle(), "Caption");
    EXPECT_EQ(cap.Command1->text(), "OK");
    EXPECT_EQ(cap.Cap_txt->text(), "Proposal");
    frmShowStatus st;
    EXPECT_EQ(st.lblStatus[0]->text(), "Initierar....");
    EXPECT_EQ(static_cast<QLabel*>(FindControl(&st, "lblStatus", 1)), st.lblStatus[1]);
}
