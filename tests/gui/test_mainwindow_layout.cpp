// The main window's layout for a given size, the fit of a sign picture's
// frame, and the routing of the window background's mouse presses.
#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "gui/elapse_qt.h"
#include "gui/head_fixture.h"
#include "ui/headwidgets_qt.h"
#include "gui/wait_qt.h"

using namespace kv;

namespace {

void ShowAt(frmHead& h, int w, int hgt) {
    h.resize(w, hgt);
    h.show();
    ASSERT_TRUE(waitqt::Shown(&h));
    QApplication::processEvents();
}

}  // namespace

TEST_F(HeadGui, LayoutFollowsTheClientSize) {
    frmHead& h = LoadAndActivate();
    for (QSize size : {QSize(1024, 768), QSize(1280, 900), QSize(600, 420)}) {
        ShowAt(h, size.width(), size.height());
        const int w = h.ClientArea->width(), ch = h.ClientArea->height();
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(ch));
        // Everything below the sign area stands as far below its designed
        // place as the area reaches past it.
        const int extra = h.Remove->y() - 192;
        EXPECT_GE(extra, 0);
        EXPECT_EQ(h.SignArea->geometry().bottom() + 1, std::max(180, 180 + extra));
        const QRect list(8, 288 + extra, w > 641 ? w - 16 : 625, ch - extra > 398 ? ch - 298 - extra : 100);
        EXPECT_EQ(h.DestList->geometry(), list);
        EXPECT_EQ(h.ExtraList->geometry(), list);
        EXPECT_EQ(h.SizeFrame->x(), w - 160);
        EXPECT_EQ(h.Remove->x() + h.Remove->width(), h.SizeFrame->x() + h.SizeFrame->width());
        EXPECT_EQ(h.SaveDestOrExtra->x(), h.Remove->x() - h.SaveDestOrExtra->width() - 8);
        EXPECT_EQ(h.SaveAndNew->x(), h.SaveDestOrExtra->x() - h.SaveAndNew->width() - 8);
        EXPECT_EQ(h.Ch_Frame->x(), h.SaveAndNew->x() - h.Ch_Frame->width() - 16);
        EXPECT_EQ(h.CurrNoTxt->x(), w - 100 + h.CurrNoTxt->width());
        EXPECT_EQ(h.LineNo_txt->x(), h.CurrNoTxt->x());
        EXPECT_EQ(h.Ch_Check->y(), 188 + extra);
        EXPECT_EQ(h.Label2->y(), 270 + extra);
        EXPECT_EQ(h.tbToolBar->width(), w);
    }
}

TEST_F(HeadGui, EverythingFitsAt1024By768) {
    frmHead& h = LoadAndActivate();
    ShowAt(h, 1024, 768);
    const QRect client = h.ClientArea->rect();
    for (QObject* o : h.ClientArea->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (!w || w->isHidden()) continue;
        EXPECT_TRUE(client.contains(w->geometry())) << w->objectName().toStdString();
    }
    EXPECT_GE(h.DestList->height(), 100);
    // The changing-text options stand inside their frame, clear of the time box.
    for (int i = 1; i <= 20; ++i) {
        const QRect r = h.TNo_op[i]->geometry();
        EXPECT_TRUE(h.Ch_Frame->rect().contains(r)) << i;
        EXPECT_FALSE(r.intersects(h.lblChTime->geometry())) << i;
        EXPECT_FALSE(r.intersects(h.txtCurrChTime->geometry())) << i;
    }
    // The sign frames start below the font frame and end above the buttons.
    const QRect frame(h.PicSignFrame[0]->mapTo(h.ClientArea, QPoint(0, 0)), h.PicSignFrame[0]->size());
    EXPECT_GE(frame.top(), h.SizeFrame->y() + h.SizeFrame->height());
    EXPECT_LE(frame.bottom(), h.SaveAndNew->y());
}

TEST_F(HeadGui, ResizeArmsTheOneShotTimer) {
    frmHead& h = LoadAndActivate();
    ShowAt(h, 900, 700);
    // On a busy machine the 100 ms may be over before the events of the
    // resize have all run: then the timer has fired already, once.
    QSignalSpy fired(h.timFixGUI, &QTimer::timeout);
    h.resize(950, 720);
    QApplication::processEvents();
    EXPECT_EQ(h.timFixGUI->interval(), 100);
    EXPECT_TRUE(h.timFixGUI->isActive() || fired.count() == 1) << fired.count();
    if (h.timFixGUI->isActive()) Elapse(h.timFixGUI);
    EXPECT_FALSE(h.timFixGUI->isActive());
    EXPECT_EQ(h.ClientArea->children().last(), static_cast<QObject*>(h.SizeFrame));
}

TEST_F(HeadGui, SignFrameFitsAroundItsPicture) {
    frmHead& h = LoadAndActivate();
    ShowAt(h, 1024, 768);
    // The third set shows no sign and keeps the designed 315 x 71 picture.
    EXPECT_EQ(h.PicSignFrame[2]->size(), QSize(321, 96));
    EXPECT_EQ(h.SignSB[2]->geometry(), QRect(2, 73, 317, 19));
    EXPECT_EQ(h.cmdScale[2]->geometry(), QRect(321 - 23 - 4, 75, 23, 17));

    h.PicSignFrame[1]->show();
    h.picSign[1]->resize(480, 80);
    QApplication::processEvents();
    EXPECT_EQ(h.PicSignFrame[1]->size(), QSize(486, 105));
    EXPECT_EQ(h.picSign[1]->pos(), QPoint(2, 2));
    PanelStatusBar* bar = h.SignSB[1];
    EXPECT_EQ(bar->geometry(), QRect(2, 105 - 19 - 4, 482, 19));
    EXPECT_EQ(h.cmdScale[1]->geometry(), QRect(486 - 23 - 4, 84, 23, 17));
    EXPECT_EQ(bar->PanelWidth(4), 15);
    int sum = 0;
    for (int p = 1; p <= 5; ++p) sum += bar->PanelWidth(p);
    EXPECT_EQ(sum + 23 + 7, 482);
    EXPECT_FALSE(bar->PanelPicture(4).isNull());
    EXPECT_EQ(h.picSign[1]->Surface().size(), QSize(480, 80));
}

TEST_F(HeadGui, TheCurrentSignFillsTheStatusBarAndSizesTheTextStrip) {
    frmHead& h = LoadAndActivate();
    ShowAt(h, 1024, 768);
    gSignInfo[3] = SignInfo{"K4000", 128, 16, "FRONT", kTrue, 0, 1, 4, 0};
    gCurrentSign = 5;
    h.picSign[0]->SetSize(512, 80);
    QApplication::processEvents();
    PanelStatusBar* bar = h.SignSB[0];
    EXPECT_EQ(bar->PanelText(1), "FRONT");
    EXPECT_EQ(bar->PanelText(2), "128x16 ");
    EXPECT_EQ(bar->PanelText(3), "5  ");
    EXPECT_EQ(bar->PanelWidth(1), QFontMetrics(h.PicSignFrame[0]->font()).horizontalAdvance("FRONT"));

    // A one-row text sign of 16 places: the strip is 477 pixels wide.
    gSignInfo[4] = SignInfo{"K2000_1R", 16, 1, "SIDE", kTrue, 0, 1, 4, 0};
    gCurrentSign = 6;
    h.resize(1000, 760);
    QApplication::processEvents();
    EXPECT_EQ(h.K2000_pct->width(), 477);
}

TEST_F(HeadGui, PressInTheGapBetweenTheSaveButtonsStartsTheBlink) {
    frmHead& h = LoadAndActivate();
    ShowAt(h, 1024, 768);
    const QRect a = h.SaveAndNew->geometry(), b = h.SaveDestOrExtra->geometry();
    ASSERT_GT(b.x() - (a.x() + a.width()), 2);
    const QPoint gap(a.x() + a.width() + 2, a.y() + a.height() / 2);

    QTest::mousePress(h.ClientArea, Qt::LeftButton, {}, gap);
    EXPECT_EQ(gBlinkState, 3);
    QTest::mouseRelease(h.ClientArea, Qt::LeftButton, {}, gap);
    QTest::mousePress(h.ClientArea, Qt::LeftButton, {}, gap);
    EXPECT_EQ(gBlinkState, 0);

    // The right edge of the first button is not in the gap.
    h.Form_MouseDown(1, 0, static_cast<float>(a.x() + a.width()), static_cast<float>(gap.y()));
    EXPECT_EQ(gBlinkState, 0);

    h.Form_MouseDown(1, 0, static_cast<float>(gap.x()), static_cast<float>(gap.y()));
    ASSERT_EQ(gBlinkState, 3);
    h.Form_MouseMove(0, 0, static_cast<float>(gap.x() + 1), static_cast<float>(gap.y()));
    EXPECT_EQ(gBlinkState, 3);
    h.Form_MouseMove(0, 0, static_cast<float>(b.x()), static_cast<float>(gap.y()));
    EXPECT_EQ(gBlinkState, 0);

    // Moving over the background puts back the pointer of a frame drag.
    frmHead::SetScreenMousePointer(15);
    h.Form_MouseMove(0, 0, 5, 5);
    EXPECT_EQ(frmHead::ScreenMousePointer(), 0);
}
