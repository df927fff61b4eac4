// The sign area of the main window at the window sizes users have: the
// frames of the shown signs in rows, whole and apart, clear of every other
// control, also after a resize; the tool images above them working like the
// toolbar's buttons; the font step buttons; the message boxes' width.
#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolBar>

#include "data/charmap.h"
#include "engine/signpictures.h"
#include "platform/host.h"
#include "gui/gui_helpers.h"
#include "gui/head_fixture.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"
#include "gui/wait_qt.h"

using namespace kv;

namespace {

struct SignSpec {
    int address;
    const char* model;
    int width, height;
};

class SignAreaGui : public HeadGui {
protected:
    // Loads with these signs shown, at that window size, activated (which
    // lays the pictures out).
    frmHead& Start(const std::vector<SignSpec>& signs, QSize size) {
        for (const SignSpec& s : signs) Sign(s.address, s.model, s.width, s.height, true, 1);
        const auto configured = gSignInfo;
        Load();
        gSignInfo = configured;
        const std::vector<int16_t> graphic = ShownK4000Signs();
        head->UpdateSignControls(graphic.empty() ? FirstListedSign() : graphic.front());
        head->resize(size);
        head->show();
        EXPECT_TRUE(waitqt::Shown(head.get()));
        head->EnsureActivated();
        QApplication::processEvents();
        return *head;
    }
    QRect InClient(const QWidget* w) const { return QRect(w->mapTo(head->ClientArea, QPoint(0, 0)), w->size()); }
    void Resize(QSize size) {
        head->resize(size);
        QApplication::processEvents();
    }
    // The sign pictures shown: the frames and a text sign's strip.
    std::vector<const QWidget*> Pictures() const {
        std::vector<const QWidget*> out;
        for (const SignFrame* f : head->PicSignFrame)
            if (f->isVisible()) out.push_back(f);
        if (head->K2000_pct->isVisible()) out.push_back(head->K2000_pct);
        return out;
    }
    // Every frame whole in the client area (in the area's content when the
    // area scrolls), no two frames over each other, none over another
    // visible control of the window.
    void ExpectLaidOut(const std::string& what) {
        SCOPED_TRACE(what);
        QApplication::processEvents();
        frmHead& h = *head;
        const QRect client = h.ClientArea->rect();
        const QRect area = h.SignArea->geometry();
        const QRect view(h.SignArea->viewport()->mapTo(h.ClientArea, QPoint(0, 0)), h.SignArea->viewport()->size());
        const bool scrolls = h.SignArea->verticalScrollBar()->isVisible() || h.SignArea->horizontalScrollBar()->isVisible();
        EXPECT_TRUE(client.contains(area));
        const std::vector<const QWidget*> pictures = Pictures();
        EXPECT_FALSE(pictures.empty());
        for (size_t i = 0; i < pictures.size(); ++i) {
            const QWidget* p = pictures[i];
            const std::string name = p->objectName().toStdString() + std::to_string(p->property("Index").toInt());
            EXPECT_TRUE(h.SignAreaContent->rect().contains(p->geometry())) << name;
            if (!scrolls) {
                EXPECT_TRUE(view.contains(InClient(p))) << name;
                EXPECT_TRUE(client.contains(InClient(p))) << name;
            }
            for (size_t j = 0; j < i; ++j)
                EXPECT_FALSE(p->geometry().intersects(pictures[j]->geometry()))
                    << name << " over " << pictures[j]->objectName().toStdString();
        }
        // What the frames can show of themselves is the view of the area:
        // no other control of the window lies in it.
        for (QObject* o : h.ClientArea->children()) {
            auto* w = qobject_cast<QWidget*>(o);
            if (!w || w == h.SignArea || !w->isVisible()) continue;
            EXPECT_FALSE(w->geometry().intersects(area)) << w->objectName().toStdString();
            for (const QWidget* p : pictures)
                EXPECT_FALSE(w->geometry().intersects(InClient(p).intersected(view)))
                    << w->objectName().toStdString() << " under " << p->objectName().toStdString();
        }
        // The lists below keep their least height and end inside the window.
        EXPECT_GE(h.DestList->height(), 100);
        EXPECT_LE(h.DestList->geometry().bottom(), client.bottom());
        // The content scrolls exactly when it needs more than the area has.
        EXPECT_EQ(h.SignArea->verticalScrollBar()->isVisible(), h.SignAreaContent->height() > view.height());
    }
};

const QSize kSmall(1024, 740), kLarge(1600, 1000);

}  // namespace

TEST_F(SignAreaGui, FramesStandWholeApartAndClearOfTheControlsAtEverySize) {
    struct Case {
        const char* what;
        std::vector<SignSpec> signs;
        // A zoom the user chooses afterwards for one sign (address, zoom).
        std::pair<int, int> zoom;
    };
    const Case cases[] = {
        {"one", {{2, "K4000", 175, 32}}, {0, 0}},
        {"two", {{2, "K4000", 112, 16}, {3, "K4000", 160, 16}}, {3, 2}},
        {"three", {{2, "K4000", 112, 16}, {3, "K4000", 112, 16}, {4, "K4000", 112, 16}}, {4, 4}},
        {"three tall", {{2, "K4000", 175, 32}, {5, "K4000", 160, 32}, {9, "K4000", 175, 32}}, {0, 0}},
        {"fifteen",
         {{2, "K2000_1R", 24, 1}, {3, "K4000", 112, 16}, {4, "K4000", 160, 19}, {5, "K1000", 3, 1},
          {6, "K2000_2R", 20, 20}, {7, "K4000", 84, 8}, {8, "K4000", 144, 16}, {9, "K1000", 3, 1},
          {10, "K2000_1R", 12, 1}, {11, "K4000", 96, 8}, {12, "K1000", 3, 1}, {13, "K2000_2R", 16, 16},
          {14, "K1000", 3, 1}, {15, "K2000_1R", 16, 1}, {16, "K1000", 3, 1}},
         {7, 3}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        for (QSize first : {kSmall, kLarge}) {
            SCOPED_TRACE(first.width());
            head.reset();
            Restart();
            frmHead& h = Start(c.signs, first);
            ExpectLaidOut("as started");
            // Large pictures, as after the shown-signs dialog, and a zoom of
            // the user's.
            h.LayoutSignPictures(true, true);
            ExpectLaidOut("large");
            if (std::string(c.what) == "three tall" && first == kSmall) {
                // Too tall for the window: the area scrolls; keys typed on
                // a picture are the editor's and do not scroll it.
                ASSERT_TRUE(h.SignArea->verticalScrollBar()->isVisible());
                h.picSign[0]->setFocus();
                QTest::keyClick(h.picSign[0], Qt::Key_PageDown);
                QTest::keyClick(h.picSign[0], Qt::Key_Down);
                EXPECT_EQ(h.SignArea->verticalScrollBar()->value(), 0);
            }
            if (c.zoom.first != 0) {
                SignInfo& s = SignInfoOf(c.zoom.first);
                s.Zoom = c.zoom.second;
                s.DotSize = DotSizeOfZoom(s.Zoom);
                h.SelectSign(static_cast<int16_t>(c.zoom.first));
                ExpectLaidOut("zoomed");
            }
            // The layout runs again at every size.
            const QSize other = first == kSmall ? kLarge : kSmall;
            Resize(other);
            ExpectLaidOut("resized");
            Resize(first);
            ExpectLaidOut("resized back");
        }
        // A current text sign's strip stands below the frames.
        if (std::string(c.what) == "fifteen") {
            head->UpdateToolbarState();
            head->UpdateSignControls(2);
            ASSERT_TRUE(head->K2000_pct->isVisible());
            ExpectLaidOut("with the strip");
            Resize(kSmall);
            ExpectLaidOut("with the strip, small");
        }
    }
}

TEST_F(SignAreaGui, TwoSignsOfTheIssueSideBySideOnceTheWindowIsLarge) {
    // 112 x 16 and 160 x 16 at zoom 1: one to a row in 1024, side by side
    // in 1600; the controls follow the rows up and down.
    frmHead& h = Start({{2, "K4000", 112, 16}, {3, "K4000", 160, 16}}, kSmall);
    h.LayoutSignPictures(true, true);
    const QRect f0 = InClient(h.PicSignFrame[0]), f1 = InClient(h.PicSignFrame[1]);
    EXPECT_GT(f1.top(), f0.bottom());
    const int lowButtons = h.SaveAndNew->y();
    EXPECT_GT(lowButtons, f1.bottom());
    Resize(kLarge);
    EXPECT_EQ(InClient(h.PicSignFrame[1]).top(), InClient(h.PicSignFrame[0]).top());
    EXPECT_LT(h.SaveAndNew->y(), lowButtons);
    EXPECT_GT(h.SaveAndNew->y(), InClient(h.PicSignFrame[1]).bottom());
}

TEST_F(SignAreaGui, ToolImagesStandAboveTheFramesAndWorkLikeTheToolbar) {
    frmHead& h = Start({{2, "K4000", 112, 16}, {3, "K4000", 96, 16}}, kSmall);
    const auto row = h.ToolImageRow();
    ASSERT_EQ(row.size(), 17u);
    int right = 0;
    for (const auto& [image, button] : row) {
        SCOPED_TRACE(image->objectName().toStdString());
        EXPECT_TRUE(image->isVisible());
        // In one row, in the toolbar's order, above the sign area.
        EXPECT_EQ(image->y(), row.front().first->y());
        EXPECT_GT(image->x(), right);
        right = image->geometry().right();
        EXPECT_LT(image->geometry().bottom(), h.SignArea->y());
        EXPECT_EQ(image->toolTip(), h.tbButtons[button]->toolTip());
    }
    EXPECT_LT(right, h.ClientArea->width());

    // Text mode: the tools are the graphic mode's, not usable, as on the toolbar.
    h.tbButtons[5]->trigger();
    for (ImageControl* image : {h.imgBox, h.imgLine, h.imgFill, h.imgCut}) EXPECT_FALSE(image->isEnabled());
    QTest::mouseClick(h.imgBox, Qt::LeftButton);
    EXPECT_NE(gCurrentTool, 1);

    // Graphic mode: a click on an image presses its toolbar button and
    // chooses the tool; only the chosen tool's image carries the border.
    h.tbButtons[6]->trigger();
    QTest::mouseClick(h.imgBox, Qt::LeftButton);
    EXPECT_EQ(gCurrentTool, 1);
    EXPECT_TRUE(h.tbButtons[22]->isChecked());
    h.tbButtons[21]->trigger();  // the toolbar's line
    EXPECT_EQ(gCurrentTool, 2);
    EXPECT_EQ(h.imgLine->BorderStyle(), 1);
    EXPECT_EQ(h.imgBox->BorderStyle(), 0);
    // The pen sizes follow the point tool, as the toolbar's do.
    EXPECT_FALSE(h.imgSelectPointSize[2]->isEnabled());
    QTest::mouseClick(h.imgPoint, Qt::LeftButton);
    EXPECT_TRUE(h.tbButtons[20]->isChecked());
    ASSERT_TRUE(h.imgSelectPointSize[2]->isEnabled());
    QTest::mouseClick(h.imgSelectPointSize[2], Qt::LeftButton);
    EXPECT_EQ(gPenSize, 2);
    EXPECT_TRUE(h.tbButtons[30]->isChecked());
    for (int i = 0; i < 4; ++i) EXPECT_EQ(h.imgSelectPointSize[i]->BorderStyle(), i == 2 ? 1 : 0) << i;
    h.tbButtons[28]->trigger();
    EXPECT_EQ(gPenSize, 0);
    EXPECT_EQ(h.imgSelectPointSize[0]->BorderStyle(), 1);
    EXPECT_EQ(h.imgSelectPointSize[2]->BorderStyle(), 0);
    // The selection's operations wait for a selection, like their keys.
    EXPECT_FALSE(h.imgMirrorHorizontally->isEnabled());
    EXPECT_FALSE(h.imgTrash->isEnabled());

    // No frame can be dragged over them: the frames stay in the area.
    SignFrame* frame = h.PicSignFrame[0];
    h.PicSignFrame_MouseDown(0, 2, 0, 5, 5);
    h.PicSignFrame_MouseMove(0, 2, 0, 5, -200);
    h.PicSignFrame_MouseUp(0, 2, 0, 5, -200);
    EXPECT_EQ(frame->y(), 0);
    EXPECT_GE(InClient(frame).top(), h.imgBox->geometry().bottom());

    // With no graphic sign shown the row goes.
    SignInfoOf(2).Shown = kFalse;
    SignInfoOf(3).Shown = kFalse;
    h.LayoutSignPictures(true, true);
    for (const auto& [image, button] : row) EXPECT_FALSE(image->isVisible()) << image->objectName().toStdString();
}

TEST_F(SignAreaGui, FontStepButtonsShowNoAccessKeyMarkAndAltStepsAllTheSame) {
    frmHead& h = Start({{2, "K4000", 112, 16}}, kSmall);
    EXPECT_EQ(h.LibBigger->text(), "+");
    EXPECT_EQ(h.LibSmaller->text(), "-");
    ASSERT_EQ(ReadCharMap("4"), CharMapStatus::Taken);
    h.activateWindow();
    QApplication::processEvents();
    h.picSign[0]->setFocus();
    ASSERT_TRUE(h.LibBigger->isVisible());
    QSignalSpy bigger(h.LibBigger, &QPushButton::clicked), smaller(h.LibSmaller, &QPushButton::clicked);
    QTest::keyClick(h.picSign[0], Qt::Key_Plus, Qt::AltModifier);
    EXPECT_EQ(bigger.count(), 1);
    EXPECT_EQ(gCurrentFontCode, "5");
    QTest::keyClick(h.picSign[0], Qt::Key_Minus, Qt::AltModifier);
    EXPECT_EQ(smaller.count(), 1);
    EXPECT_EQ(gCurrentFontCode, "4");
}

TEST_F(SignAreaGui, AMessageBoxIsWideEnoughForItsTitle) {
    Start({{2, "K4000", 112, 16}}, kSmall);
    InstallQtUiHost();
    int width = 0, needed = 0;
    WhenShown<QMessageBox> answer([&](QMessageBox& box) {
        width = box.width();
        needed = TitleRoomWidth(box, box.windowTitle());
        EXPECT_EQ(box.windowTitle(), QString::fromUtf8("Kivar32\u00ae"));
        QTest::keyClick(&box, Qt::Key_Return);
    });
    MsgBox("Conversion ready!", vbOKOnly);
    SetUiHost(&ui);
    ASSERT_TRUE(answer.seen);
    EXPECT_GE(width, needed);
    EXPECT_GT(needed, QFontMetrics(head->font()).horizontalAdvance("Conversion ready!"));
}

// ------------------------------------------------------------------ through the window system
// These run under a real X server with a window manager, the pointer driven
// by xdotool (tests/x11/frame_drag.sh starts them); elsewhere they are
// skipped.

namespace {

bool UnderTheWindowSystem() {
    return qgetenv("KIVAR_X11_TESTS") == "1" && QGuiApplication::platformName() == QLatin1String("xcb");
}

// One xdotool command; true when it ran and succeeded.
::testing::AssertionResult Xdotool(const QStringList& args) {
    QProcess p;
    p.start("xdotool", args);
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return ::testing::AssertionFailure() << "xdotool " << args.join(' ').toStdString() << ": "
                                             << p.readAllStandardError().toStdString();
    return ::testing::AssertionSuccess();
}

// The pointer to a point of a widget, through the X window of its window.
::testing::AssertionResult PointerTo(const QWidget* w, QPoint at) {
    const QPoint inWindow = w->mapTo(w->window(), at);
    return Xdotool({"mousemove", "--window", QString::number(w->window()->winId()), QString::number(inWindow.x()),
                    QString::number(inWindow.y())});
}

// Waits, events running, until `done` holds; the cap only bounds a hang.
template <class F>
bool Until(F done) {
    return waitqt::WaitFor(done);
}

}  // namespace

TEST_F(SignAreaGui, WindowSystemRightDragOnTheStatusBarOrTheBorderMovesTheFrame) {
    if (!UnderTheWindowSystem()) GTEST_SKIP() << "runs under tests/x11/frame_drag.sh";
    frmHead& h = Start({{2, "K4000", 112, 16}, {3, "K4000", 160, 16}}, kSmall);
    h.LayoutSignPictures(true, true);
    h.activateWindow();
    ASSERT_TRUE(waitqt::Active(&h));
    SignFrame* frame = h.PicSignFrame[0];
    // A right-drag from `widget` at `at` by `by`: pressed, moved, released,
    // each step waited for in the window.
    auto drag = [&](QWidget* widget, QPoint at, QPoint by, bool afterAClick = false) {
        const QPoint start = frame->pos();
        ASSERT_TRUE(PointerTo(widget, at));
        // Right after a click the press is the second of a double click.
        ASSERT_TRUE(Xdotool(afterAClick ? QStringList{"click", "3", "mousedown", "3"} : QStringList{"mousedown", "3"}));
        ASSERT_TRUE(Until([&] { return h.timSign[0]->isActive(); })) << "the press did not reach the frame";
        EXPECT_EQ(frmHead::ScreenMousePointer(), 15);
        ASSERT_TRUE(PointerTo(widget, at + by));
        ASSERT_TRUE(Until([&] { return frame->pos() == start + by; }))
            << "the frame stands at " << frame->x() << "," << frame->y();
        ASSERT_TRUE(Xdotool({"mouseup", "3"}));
        ASSERT_TRUE(Until([&] { return !h.timSign[0]->isActive(); })) << "the release did not reach the frame";
        EXPECT_EQ(frame->pos(), start + by);
        EXPECT_EQ(frame->BackColor(), SignFrame::ButtonFace());
        EXPECT_EQ(frmHead::ScreenMousePointer(), 0);
    };
    // While another window is active, the first press is the one that
    // activates the window: it drags all the same.
    QWidget other(&h, Qt::Window);
    other.setWindowTitle("other");
    other.setGeometry(h.geometry().right() - 200, h.geometry().bottom() - 150, 180, 120);
    other.show();
    ASSERT_TRUE(waitqt::Shown(&other));
    other.activateWindow();
    ASSERT_TRUE(waitqt::Active(&other));
    drag(h.SignSB[0], QPoint(h.SignSB[0]->width() / 2, 8), QPoint(30, 10));
    other.close();
    // On the status bar: on its spare panel and on the sign's name.
    drag(h.SignSB[0], QPoint(h.SignSB[0]->width() / 2, 8), QPoint(60, 30));
    drag(h.SignSB[0], QPoint(h.SignSB[0]->PanelLeft(1) + 5, 8), QPoint(-40, -20));
    // On the border above the picture.
    drag(frame, QPoint(frame->width() / 2, 1), QPoint(25, 10));
    // Started right after a click on the status bar.
    drag(h.SignSB[0], QPoint(h.SignSB[0]->width() / 2, 8), QPoint(-15, 5), true);
    // The status bar and the border show where to grab; the picture keeps
    // its own pointer.
    EXPECT_EQ(h.SignSB[0]->cursor().shape(), Qt::SizeAllCursor);
    EXPECT_EQ(frame->cursor().shape(), Qt::SizeAllCursor);
    EXPECT_NE(h.picSign[0]->cursor().shape(), Qt::SizeAllCursor);
}

TEST_F(SignAreaGui, WindowSystemMaximisedTheFramesAreLaidAgain) {
    if (!UnderTheWindowSystem()) GTEST_SKIP() << "runs under tests/x11/frame_drag.sh";
    frmHead& h = Start({{2, "K4000", 112, 16}, {3, "K4000", 160, 16}}, kSmall);
    h.LayoutSignPictures(true, true);
    ASSERT_GT(InClient(h.PicSignFrame[1]).top(), InClient(h.PicSignFrame[0]).bottom());
    ExpectLaidOut("one to a row");
    const int width = h.ClientArea->width();
    h.showMaximized();
    ASSERT_TRUE(Until([&] { return h.ClientArea->width() > width + 500; })) << "not maximised";
    // Side by side once there is room, and clear of every control.
    ASSERT_TRUE(Until([&] { return InClient(h.PicSignFrame[1]).top() == InClient(h.PicSignFrame[0]).top(); }));
    ExpectLaidOut("maximised");
    h.showNormal();
    ASSERT_TRUE(Until([&] { return h.ClientArea->width() == width; })) << "not restored";
    ASSERT_TRUE(Until([&] { return InClient(h.PicSignFrame[1]).top() > InClient(h.PicSignFrame[0]).bottom(); }));
    ExpectLaidOut("restored");
}
