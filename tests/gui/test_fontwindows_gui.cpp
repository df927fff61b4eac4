// The font selection in pick mode (the Font command and a right press on a
// font-step button), the font browser inserting characters into the sign
// being edited, checked in the committed record, and the About window.
#include <QAction>
#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSysInfo>
#include <QTest>

#include "data/charmap.h"
#include "data/fontlist.h"
#include "data/records.h"
#include "data/signdata.h"
#include "engine/editstate.h"
#include "gui/gui_helpers.h"
#include "gui/head_fixture.h"
#include "ui/frmAbout1.h"
#include "ui/frmFontSel.h"
#include "ui/frmFontShow.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;

namespace {

int RowOf(QListWidget* list, const char* text) {
    const auto found = list->findItems(text, Qt::MatchExactly);
    return found.isEmpty() ? -1 : list->row(found.front());
}

// The element of the browser's row that shows a character, once it is in
// sight (scrolled to with the right button).
QLabel* ElementOf(frmFontShow& d, int code) {
    for (int clicks = 0; clicks < 300; ++clicks) {
        for (const auto& [index, pic] : d.SubPic)
            if (pic->isVisible() && pic->property("Tag").toInt() == code) return pic;
        QTest::mouseClick(d.Right_cmd, Qt::LeftButton);
    }
    return nullptr;
}

class FontWindowsGui : public HeadGui {
protected:
    void SetUp() override {
        HeadGui::SetUp();
        Option("SaveWinPos", 0);
    }
};

}  // namespace

TEST_F(FontWindowsGui, TheFontCommandAndARightPressPickTheCurrentFont) {
    frmHead& h = ShowActivated();
    ASSERT_EQ(gCurrentFontCode, "7");
    WhenShown<frmFontSel> byCommand([&](frmFontSel& d) {
        EXPECT_FALSE(d.ListMode);
        EXPECT_FALSE(d.lblFontLadder->isVisible());
        EXPECT_EQ(d.FontPick_lst->item(0)->text(), "g Symbols");
        EXPECT_EQ(d.FontPick_lst->currentItem()->text(), "7 Normal 16");
        // A double click picks at once.
        DoubleClickRow(d.FontPick_lst, RowOf(d.FontPick_lst, "9 Normal 24"));
        EXPECT_FALSE(d.isVisible());
    });
    h.MenuItem("Font_e")->trigger();
    EXPECT_TRUE(byCommand.seen);
    EXPECT_EQ(gCurrentFontCode, "9");
    EXPECT_EQ(h.size_lbl->text(), "9 Normal 24");

    // The right press opens the same choice and does not step the font; OK
    // takes the selected line, and the sign's picture has the keyboard.
    WhenShown<frmFontSel> byPress([&](frmFontSel& d) {
        EXPECT_EQ(d.FontPick_lst->currentItem()->text(), "9 Normal 24");
        ClickRow(d.FontPick_lst, RowOf(d.FontPick_lst, "5 Normal 12"));
        QTest::mouseClick(d.OKFontPick_cmd, Qt::LeftButton);
    });
    QTest::mouseClick(h.LibSmaller, Qt::RightButton);
    QApplication::processEvents();
    EXPECT_TRUE(byPress.seen);
    EXPECT_EQ(gCurrentFontCode, "5");
    EXPECT_EQ(h.size_lbl->text(), "5 Normal 12");
    EXPECT_EQ(QApplication::focusWidget(), h.CurrentSignPicture());

    // Cancel keeps the font.
    WhenShown<frmFontSel> cancelled([&](frmFontSel& d) {
        ClickRow(d.FontPick_lst, 0);
        QTest::mouseClick(d.CancelFontPick_cmd, Qt::LeftButton);
    });
    QTest::mouseClick(h.LibBigger, Qt::RightButton);
    EXPECT_TRUE(cancelled.seen);
    EXPECT_EQ(gCurrentFontCode, "5");
}

TEST_F(FontWindowsGui, ADoubleClickedCharacterGoesIntoTheCommittedEntry) {
    frmHead& h = ShowActivated();
    const int16_t sign = gCurrentSign;
    ASSERT_EQ(SignInfoOf(sign).Model, "K4000");
    WhenShown<frmFontShow> browser([&](frmFontShow& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), Key("S1500"));
        EXPECT_EQ(d.Label1->text(), h.size_lbl->text());
        EXPECT_EQ(d.Row().First(), 1);
        // "A", then a character no keyboard of the sign's country has to hand.
        for (int code : {int{'A'}, 0xE5}) {
            QLabel* element = ElementOf(d, code);
            ASSERT_NE(element, nullptr) << code;
            QTest::mouseDClick(element, Qt::LeftButton);
        }
        // Scrolling back stops at the first character of the font.
        for (int i = 0; i < 300 && d.Row().First() > 1; ++i) QTest::mouseClick(d.Left_cmd, Qt::LeftButton);
        QTest::mouseClick(d.Left_cmd, Qt::LeftButton);
        EXPECT_EQ(d.Row().First(), 1);
        EXPECT_EQ(d.SubPic.at(1)->x(), 0);
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
    });
    h.MenuItem("Show_e")->trigger();
    ASSERT_TRUE(browser.seen);
    EXPECT_EQ(gTextModified, kTrue);
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(GetSignText(gDestList[gCurrentDest].Text, sign), "\xff" + SignInfoOf(sign).Name + "# A\xe5");
}

TEST_F(FontWindowsGui, TheBrowserOfATallFontGrowsItsRow) {
    frmHead& h = ShowActivated();
    ReadCharMap("a");
    WhenShown<frmFontShow> browser([&](frmFontShow& d) {
        int tallest = 0;
        for (const auto& [index, pic] : d.SubPic) tallest = std::max(tallest, pic->height());
        EXPECT_EQ(d.Display_pct->height(), tallest + 3);
    });
    h.MenuItem("Show_e")->trigger();
    EXPECT_TRUE(browser.seen);
}

TEST_F(FontWindowsGui, AboutShortAndWithARepresentativeKeysAndSystemInformation) {
    frmHead& h = ShowActivated();
    WhenShown<frmAbout1> about([&](frmAbout1& d) {
        EXPECT_TRUE(d.isModal());
        EXPECT_EQ(d.height(), frmAbout1::kShortHeight);
        EXPECT_FALSE(d.lblRepAddress->isVisible());
        EXPECT_FALSE(d.Line1[2]->isVisible());
        EXPECT_EQ(d.windowTitle().toStdString(), "Kivar32\xc2\xae");
        EXPECT_TRUE(d.lblVersion->text().startsWith("Version "));
        EXPECT_TRUE(d.lblDisclaimer->text().startsWith(QString::fromUtf8("Kivar\xc2\xae is")));
        const QStringList lines = d.lblDescription->text().split("\r\n");
        EXPECT_EQ(lines.size(), 5);  // S1103 is "REPLACE"
        // Keys count only with Shift, Ctrl and Alt held.
        for (Qt::Key k : {Qt::Key_T, Qt::Key_O, Qt::Key_W, Qt::Key_E, Qt::Key_L}) QTest::keyClick(&d, k, Qt::ControlModifier);
        EXPECT_TRUE(ui.messages.empty());
        for (Qt::Key k : {Qt::Key_T, Qt::Key_O, Qt::Key_W, Qt::Key_E, Qt::Key_L})
            QTest::keyClick(&d, k, Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        EXPECT_EQ(ui.messages.size(), 1u);
        QTest::mouseClick(d.cmdSysInfo, Qt::LeftButton);
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_NE(ui.messages[1].text.find(B(QSysInfo::kernelType())), std::string::npos);
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    h.MenuItem("mnuAbout")->trigger();
    EXPECT_TRUE(about.seen);

    // A language file with a representative: the taller window.
    std::string lng = testutil::ReadFile(dir.file("English.lng"));
    lng = WithLines("\r\n" + lng, {{"S1107=\"REPLACE\"", "S1107=\"Main street 1\""},
                                   {"S1112=\"REPLACE\"", "S1112=\"Sign dealer\""}}).substr(2);
    testutil::WriteFile(dir.file("English.lng"), lng);
    h.MenuItem("About_e")->trigger();
    auto* d = h.findChild<frmAbout1*>();
    ASSERT_NE(d, nullptr);
    EXPECT_FALSE(d->isModal());
    EXPECT_EQ(d->height(), frmAbout1::kTallHeight);
    EXPECT_TRUE(d->lblRepAddress->isVisibleTo(d));
    EXPECT_TRUE(d->Line1[3]->isVisibleTo(d));
    EXPECT_TRUE(d->lblRepAddress->text().startsWith("Sign dealer\r\nREPLACE\r\nMain street 1"));
    d->close();
}
