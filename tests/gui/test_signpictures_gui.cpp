// The graphic sign pictures of the main window: their sizes per zoom, the
// frame layout, the painted dots, the active sign and its switching, the
// frame drag, the graphic tools on the mouse, and the window arranged by the
// current sign's model.
#include <QAction>
#include <QCheckBox>
#include <QApplication>
#include <QGuiApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "data/destlist.h"
#include "engine/editorslots.h"
#include "engine/render.h"
#include "files/document.h"
#include "files/txlformat.h"
#include "files/txlwrite.h"
#include "engine/signpictures.h"
#include "engine/textstrip.h"
#include "gui/head_fixture.h"
#include "ui/headwidgets_qt.h"
#include "gui/wait_qt.h"

using namespace kv;

namespace {

class SignPicturesGui : public HeadGui {
protected:
    // Loads (which reads the template project), puts back the signs the
    // test configured, shows the window at a size and activates it the
    // first time.
    frmHead& Start(int w = 1024, int h = 768) {
        const auto signs = gSignInfo;
        Load();
        if (std::any_of(signs.begin(), signs.end(), [](const SignInfo& s) { return !s.Model.empty(); })) {
            gSignInfo = signs;
            const std::vector<int16_t> graphic = ShownK4000Signs();
            head->UpdateSignControls(graphic.empty() ? FirstListedSign() : graphic.front());
        }
        head->resize(w, h);
        head->show();
        EXPECT_TRUE(waitqt::Shown(head.get()));
        QApplication::processEvents();
        head->EnsureActivated();
        QApplication::processEvents();
        return *head;
    }
    // The sign area starts below the font frame and the row of tool images;
    // the frames stand in it.
    int AreaTop() const { return head->SignArea->y(); }
    QRect InClient(const QWidget* w) const { return QRect(w->mapTo(head->ClientArea, QPoint(0, 0)), w->size()); }
};

// What a sign's picture must show: every dot lit in the text or the graphic
// layer of graphic k painted in its shape at the zoom, the rest black.
QImage ExpectedPicture(int16_t k, QSize size, int zoom, QColor fore) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::black);
    const int W = TextLayerBound(k, 1), H = TextLayerBound(k, 2);
    for (int x = 0; x <= W; ++x)
        for (int y = 0; y <= H; ++y) {
            if (!SignDotLit(k, x, y)) continue;
            const DotShape d = DotShapeAt(x + 1, y + 1, zoom);
            for (int i = 0; i < d.count; ++i)
                for (int px = d.rects[i].x1; px <= d.rects[i].x2; ++px)
                    for (int py = d.rects[i].y1; py <= d.rects[i].y2; ++py)
                        if (img.rect().contains(px, py)) img.setPixelColor(px, py, fore);
        }
    return img;
}

int CountPixels(const QImage& img, QColor c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y) == c;
    return n;
}

}  // namespace

TEST_F(SignPicturesGui, TheOnlyGraphicSignIsCentredAtZoomOne) {
    Sign(2, "K4000", 112, 16, true, 3, "FRONT");
    frmHead& h = Start();
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_EQ(SignInfoOf(2).Zoom, 1);
    EXPECT_EQ(SignInfoOf(2).DotSize, 4);
    EXPECT_EQ(SignInfoOf(2).GraphicIndex, 0);
    // 112 x 16 dots at pitch 5 and the gap that closes the grid.
    EXPECT_EQ(h.picSign[0]->size(), QSize(561, 81));
    EXPECT_EQ(h.PicSignFrame[0]->size(), QSize(567, 106));
    EXPECT_TRUE(h.PicSignFrame[0]->isVisible());
    EXPECT_FALSE(h.PicSignFrame[1]->isVisible());
    EXPECT_FALSE(h.K4000_pct->isVisible());
    EXPECT_EQ(InClient(h.PicSignFrame[0]).topLeft(), QPoint((h.ClientArea->width() - 567) / 2, AreaTop()));
    EXPECT_EQ(AreaTop(), h.imgPoint->y() + h.imgPoint->height() + 4);
    EXPECT_EQ(h.imgPoint->y(), h.SizeFrame->y() + h.SizeFrame->height() + 5);
    EXPECT_EQ(h.SignSB[0]->PanelText(1), "FRONT");
    EXPECT_EQ(h.SignSB[0]->PanelText(2), "112x16 ");
    EXPECT_EQ(h.SignSB[0]->PanelText(3), "2  ");
    EXPECT_EQ(h.SignSB[0]->PanelPicture(4).toImage(), h.picActive->pixmap().toImage());
    EXPECT_EQ(h.SignCaption_lbl->text(), " FRONT");
    EXPECT_EQ(h.ActivePictureIndex, 0);
    EXPECT_EQ(gEditPicture, h.picSign[0]);
    EXPECT_EQ(gCursorPicture, h.Cursor[0]);
    // The frame, its picture and its status bar fit the window at 1024 x 768.
    const QRect client = h.ClientArea->rect();
    EXPECT_TRUE(client.contains(InClient(h.PicSignFrame[0])));
    EXPECT_LT(InClient(h.PicSignFrame[0]).bottom(), h.Ch_Frame->y());
    // The graphic and undo layers span the sign and its margin.
    EXPECT_EQ(GraphicLayerBound(0, 1), 117);
    EXPECT_EQ(GraphicLayerBound(0, 2), 21);
}

TEST_F(SignPicturesGui, SeveralSignsStandSideBySideAndWrap) {
    Sign(3, "K4000", 112, 16, true, 1, "FRONT");
    Sign(5, "K2000_1R", 16, 1, true, 1, "SIDE");
    Sign(7, "K4000", 112, 16, true, 1, "REAR");
    Sign(9, "K4000", 112, 16, true, 1, "LINE");
    frmHead& h = Start();
    EXPECT_EQ(SignInfoOf(3).GraphicIndex, 0);
    EXPECT_EQ(SignInfoOf(7).GraphicIndex, 1);
    EXPECT_EQ(SignInfoOf(9).GraphicIndex, 2);
    for (int a : {3, 7, 9}) EXPECT_EQ(SignInfoOf(a).Zoom, 3) << a;
    // 112 x 16 at pitch 3: pictures of 337 x 49 and frames of 343 x 74.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(h.picSign[i]->size(), QSize(337, 49));
        EXPECT_EQ(h.PicSignFrame[i]->size(), QSize(343, 74));
        EXPECT_TRUE(h.PicSignFrame[i]->isVisible());
    }
    EXPECT_EQ(InClient(h.PicSignFrame[0]).topLeft(), QPoint(5, AreaTop()));
    EXPECT_EQ(InClient(h.PicSignFrame[1]).topLeft(), QPoint(353, AreaTop()));
    // The third would end at 5 + 3 x 348 - 5 = 1044, past the client width.
    ASSERT_LT(h.ClientArea->width(), 1044);
    EXPECT_EQ(InClient(h.PicSignFrame[2]).topLeft(), QPoint(5, AreaTop() + 74 + 5));
    EXPECT_EQ(h.SignSB[1]->PanelText(1), "REAR");
    EXPECT_EQ(h.SignCaption_lbl->text(), " FRONT, SIDE, REAR, LINE");

    // Large pictures put every sign at zoom 1; a fourth shown graphic sign
    // gets no picture and its message.
    Sign(11, "K4000", 40, 8, true, 1, "FOURTH");
    ui.messages.clear();
    h.LayoutSignPictures(true, true);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gTextS150);
    EXPECT_EQ(SignInfoOf(7).Zoom, 1);
    EXPECT_EQ(h.picSign[1]->size(), QSize(561, 81));
    EXPECT_EQ(InClient(h.PicSignFrame[1]).topLeft(), QPoint(5, AreaTop() + h.PicSignFrame[0]->height() + 5));
}

TEST_F(SignPicturesGui, ThreeSignsTooWideForOneRowNeverCoverEachOther) {
    for (int a : {2, 3, 4}) Sign(a, "K4000", 112, 16, true, 1, "S" + std::to_string(a));
    frmHead& h = Start(1024, 768);
    for (bool large : {false, true}) {
        SCOPED_TRACE(large);
        h.LayoutSignPictures(true, large);
        for (int i = 0; i < 3; ++i)
            for (int j = i + 1; j < 3; ++j)
                EXPECT_FALSE(h.PicSignFrame[i]->geometry().intersects(h.PicSignFrame[j]->geometry())) << i << " " << j;
    }
    // At zoom 1 (frames of 567) two do not fit side by side: one to a row,
    // each whole in the window (the third used to start at x 577 on the
    // second row and run past the right edge).
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(InClient(h.PicSignFrame[i]).topLeft(), QPoint(5, AreaTop() + i * (106 + 5))) << i;
        EXPECT_TRUE(h.ClientArea->rect().contains(InClient(h.PicSignFrame[i]))) << i;
    }
}

TEST_F(SignPicturesGui, ARightDragStartedOnTheStatusBarOrTheBorderKeepsTheGrabPoint) {
    Sign(2, "K4000", 40, 8, true, 1, "FRONT");
    frmHead& h = Start();
    SignFrame* frame = h.PicSignFrame[0];
    // A button an earlier test left held in the simulated mouse is let go
    // on the window's background first.
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton})
        if (QGuiApplication::mouseButtons() & b) QTest::mouseRelease(h.ClientArea, b, {}, QPoint(2, 2));
    // Pressed at `from` on the widget, moved by `by` in four steps, released.
    auto drag = [](QWidget* w, QPoint from, QPoint by) {
        const QPoint global = w->mapToGlobal(from);
        QTest::mousePress(w, Qt::RightButton, {}, from);
        for (int step = 1; step <= 4; ++step) QTest::mouseMove(w, w->mapFromGlobal(global + by * step / 4));
        QTest::mouseRelease(w, Qt::RightButton, {}, w->mapFromGlobal(global + by));
    };
    QPoint start = frame->pos();
    drag(h.SignSB[0], QPoint(5, 5), QPoint(40, 12));
    EXPECT_EQ(frame->pos(), start + QPoint(40, 12));
    EXPECT_FALSE(h.timSign[0]->isActive());
    EXPECT_EQ(frame->BackColor(), SignFrame::ButtonFace());
    start = frame->pos();
    drag(frame, QPoint(1, 1), QPoint(-25, -10));
    EXPECT_EQ(frame->pos(), start + QPoint(-25, -10));
    // A drag started right after a click (its press comes as the second of
    // a double click) moves the frame too.
    auto send = [&h](QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint at) {
        QWidget* bar = h.SignSB[0];
        QMouseEvent e(type, QPointF(at), bar->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(bar, &e);
    };
    start = frame->pos();
    send(QEvent::MouseButtonPress, Qt::RightButton, Qt::RightButton, QPoint(5, 5));
    send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, QPoint(5, 5));
    send(QEvent::MouseButtonDblClick, Qt::RightButton, Qt::RightButton, QPoint(5, 5));
    EXPECT_TRUE(h.timSign[0]->isActive());
    EXPECT_EQ(frmHead::ScreenMousePointer(), 15);
    send(QEvent::MouseMove, Qt::NoButton, Qt::RightButton, QPoint(25, 13));
    send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::NoButton, QPoint(25, 13));
    EXPECT_EQ(frame->pos(), start + QPoint(20, 8));
    // The frame stays whole in the sign area: dragged far up and left it
    // stops at the area's corner.
    drag(h.SignSB[0], QPoint(5, 5), QPoint(-2000, -300));
    EXPECT_EQ(frame->pos(), QPoint(0, 0));
    // A right-drag on the picture is the tools': the frame stays.
    start = frame->pos();
    drag(h.picSign[0], QPoint(10, 10), QPoint(30, 0));
    EXPECT_EQ(frame->pos(), start);
}

TEST_F(SignPicturesGui, PaintedDotsAreTheLitDotsOfBothLayersAtEveryZoom) {
    Sign(2, "K4000", 40, 16, true, 1, "FRONT");
    frmHead& h = Start();
    // A row of two characters of the 16-dot font, and graphic dots, one of
    // them under the text's box and one on its own.
    ASSERT_EQ(ReadCharMap("7"), CharMapStatus::Taken);
    const int16_t glyphA = gCharMap['A' - 32], glyphB = gCharMap['B' - 32];
    ASSERT_TRUE(GetGlyph('7', glyphA));
    const int16_t widthA = GlyphWidth;
    gStartRow = 1;
    gRows[1].FirstCell = 1;
    gRows[1].CellCount = 2;
    gCells[1] = SignCell{0, 0, 0, 0, 0, '7', 2, 0, glyphA, 'A', 0, 0};
    gCells[2] = SignCell{static_cast<int16_t>(5 * (widthA + 1)), 0, 0, 0, 0, '7', 0, 1, glyphB, 'B', 0, 0};
    SetGraphicPixel(0, 35, 3, -1);
    SetGraphicPixel(0, 39, 15, -1);
    SetGraphicPixel(0, 0, 15, -1);

    const QColor fore = h.picSign[0]->ForeColor();
    for (int zoom : {0, 1, 2, 3, 4}) {
        SCOPED_TRACE("zoom " + std::to_string(zoom));
        SignInfoOf(2).Zoom = zoom;
        SignInfoOf(2).DotSize = DotSizeOfZoom(zoom);
        h.ShowSign(false, false);
        const int pitch = DotSizeOfZoom(zoom) + 1;
        ASSERT_EQ(h.picSign[0]->size(), QSize(40 * pitch + 1, 16 * pitch + 1));
        const QImage& shown = h.picSign[0]->Surface();
        EXPECT_EQ(shown, ExpectedPicture(0, shown.size(), zoom, fore));
        // The glyph's first column is lit somewhere; the lone graphic dot at
        // the bottom right is painted from its top-left pixel on.
        int litInColumn0 = 0;
        for (int y = 0; y <= 16; ++y) litInColumn0 += GetTextPixel(0, 0, y) != 0;
        EXPECT_GT(litInColumn0, 0);
        const QPoint corner(39 * pitch + 1, 15 * pitch + 1);
        const bool cornerCut = zoom <= 1;
        EXPECT_EQ(shown.pixelColor(corner), cornerCut ? QColor(Qt::black) : fore);
        if (zoom < 4) {
            EXPECT_EQ(shown.pixelColor(corner + QPoint(1, 1)), fore);
        }
    }
    // At zoom 4 every lit dot is one pixel.
    int lit = 0;
    ForEachLitSignDot(0, [&](int32_t, int32_t) { ++lit; });
    EXPECT_EQ(CountPixels(h.picSign[0]->Surface(), fore), lit);

    // Painting at the same zoom again does not fit the picture again;
    // keeping the text layer paints the dots already rendered.
    std::vector<int16_t> before;
    for (int x = 0; x <= 41; ++x)
        for (int y = 0; y <= 17; ++y) before.push_back(GetTextPixel(0, x, y));
    h.picSign[0]->SetSize(100, 40);
    gCells[1].X = 100;
    h.ShowSign(true, false);
    EXPECT_EQ(h.picSign[0]->size(), QSize(100, 40));
    std::vector<int16_t> after;
    for (int x = 0; x <= 41; ++x)
        for (int y = 0; y <= 17; ++y) after.push_back(GetTextPixel(0, x, y));
    EXPECT_EQ(after, before);
    EXPECT_EQ(h.picSign[0]->Surface(), ExpectedPicture(0, QSize(100, 40), 4, fore));
}

TEST_F(SignPicturesGui, SingleDotsAndOutlinesOfTheTools) {
    Sign(2, "K4000", 40, 16, true, 1, "FRONT");
    frmHead& h = Start();
    const QColor fore = h.picSign[0]->ForeColor();
    QImage& img = h.picSign[0]->Surface();
    // Fifths 12, 7: dot column 3, row 2 at pitch 5 starts at pixel (11, 6).
    h.SetSignPixel(12, 7);
    EXPECT_EQ(img.pixelColor(12, 7), fore);
    EXPECT_EQ(img.pixelColor(11, 6), QColor(Qt::black));  // the cut corner
    h.ClearSignPixel(12, 7);
    EXPECT_EQ(img.pixelColor(12, 7), QColor(Qt::black));

    // A selection frame in white from fifths (27, 27) to (52, 42): pixels
    // 26..51 x 26..41; drawn again in black it is gone.
    gSelX1 = 27, gSelY1 = 27, gSelX2 = 52, gSelY2 = 42;
    h.ClearSignPictureColor(kWhite);
    EXPECT_EQ(img.pixelColor(26, 26), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(51, 41), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(40, 26), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(40, 30), QColor(Qt::black));
    h.ClearSignPictureBlack();
    EXPECT_EQ(CountPixels(img, QColor(Qt::white)), 0);
    h.ClearSignPictureRed();
    EXPECT_EQ(img.pixelColor(26, 26), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(51, 41), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(51, 26), QColor(Qt::black));  // a line, not a box
}

TEST_F(SignPicturesGui, ChangeAddressSwitchesTheActiveSign) {
    Sign(3, "K4000", 112, 16, true, 1, "FRONT");
    Sign(7, "K4000", 96, 8, true, 1, "REAR");
    frmHead& h = Start();
    ASSERT_EQ(h.ActivePictureIndex, 0);
    ASSERT_EQ(gCurrentSign, 3);

    // A click on the second picture makes its sign active.
    QTest::mouseClick(h.picSign[1], Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(h.ActivePictureIndex, 1);
    EXPECT_EQ(gCurrentSign, 7);
    EXPECT_EQ(gCurrentPictureIndex, 1);
    EXPECT_EQ(gActivePicture, 1);
    EXPECT_EQ(gEditPicture, h.picSign[1]);
    EXPECT_EQ(gCursorPicture, h.Cursor[1]);
    EXPECT_EQ(h.SignSB[1]->PanelPicture(4).toImage(), h.picActive->pixmap().toImage());
    EXPECT_EQ(h.SignSB[0]->PanelPicture(4).toImage(), h.picInactive->pixmap().toImage());
    EXPECT_TRUE(h.CursorTimer->isActive());

    // The active-marker panel of the first status bar switches back.
    h.SignSB_PanelClick(0, 4);
    EXPECT_EQ(h.ActivePictureIndex, 0);
    EXPECT_EQ(gCurrentSign, 3);
    h.SignSB_PanelClick(1, 3);
    EXPECT_EQ(h.ActivePictureIndex, 0);

    // The same picture again changes nothing but the cursor timer.
    gEditorActive = 2;
    h.ChangeAddress(0, true, true);
    EXPECT_EQ(gCurrentSign, 3);
    EXPECT_FALSE(h.CursorTimer->isActive());
    gEditorActive = 1;

    // A set that shows no sign becomes active but keeps the current sign.
    h.ChangeAddress(2, true, true);
    EXPECT_EQ(h.ActivePictureIndex, 2);
    EXPECT_EQ(gCurrentSign, 3);
    EXPECT_EQ(gEditPicture, h.picSign[0]);

    // The page the window shows is the page every sign edits: it stays, and
    // a page the sign's slot kept does not come back. The options offer the
    // pages of the shown signs.
    gDestListActive = kTrue;
    gCurrentDest = 4;
    gDestList[4].Text = "\xff" "REAR# A# B";
    gCurrentPage = 1;
    h.ChangeAddress(1, true, true);
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_TRUE(h.TNo_op[1]->isChecked());
    EXPECT_TRUE(h.TNo_op[2]->isEnabled());
    EXPECT_FALSE(h.TNo_op[3]->isEnabled());
    // A page beyond every sign's pages stays chosen and offered.
    gCurrentPage = 4;
    h.ChangeAddress(2, true, true);
    h.ChangeAddress(0, true, true);
    EXPECT_EQ(gCurrentPage, 4);
    EXPECT_TRUE(h.TNo_op[4]->isChecked());
    EXPECT_TRUE(h.TNo_op[4]->isEnabled());
    EXPECT_FALSE(h.TNo_op[5]->isEnabled());

    // Mouse events of a picture other than the active one do nothing.
    gEditorActive = 2;
    gCurrentTool = 3;
    QTest::mousePress(h.picSign[1], Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(GetGraphicPixel(1, 0, 0), 0);
    QTest::mouseRelease(h.picSign[1], Qt::LeftButton, {}, QPoint(2, 2));
}

TEST_F(SignPicturesGui, RightButtonDragsAFrameWhileItBlinks) {
    Sign(2, "K4000", 40, 8, true, 1, "FRONT");
    frmHead& h = Start();
    SignFrame* frame = h.PicSignFrame[0];
    const QPoint start = frame->pos();
    h.PicSignFrame_MouseDown(0, 2, 0, 1, 1);
    EXPECT_TRUE(h.timSign[0]->isActive());
    EXPECT_EQ(h.timSign[0]->interval(), 250);
    EXPECT_EQ(frmHead::ScreenMousePointer(), 15);
    h.PicSignFrame_MouseMove(0, 2, 0, 31, 11);
    EXPECT_EQ(frame->pos(), start + QPoint(30, 10));
    // The grab point stays under the pointer: the next event comes in the
    // moved frame's coordinates.
    h.PicSignFrame_MouseMove(0, 2, 0, 1, 1);
    EXPECT_EQ(frame->pos(), start + QPoint(30, 10));

    h.BlinkOn = true;
    h.timSign_Timer(0);
    EXPECT_EQ(frame->BackColor(), QColor(255, 255, 0));
    h.timSign_Timer(0);
    EXPECT_EQ(frame->BackColor(), QColor(Qt::black));

    h.PicSignFrame_MouseUp(0, 2, 0, 1, 1);
    EXPECT_EQ(frame->BackColor(), SignFrame::ButtonFace());
    EXPECT_FALSE(h.timSign[0]->isActive());
    EXPECT_EQ(frmHead::ScreenMousePointer(), 0);
    // Releasing without a drag restores the colour too.
    frame->SetBackColor(Qt::black);
    h.PicSignFrame_MouseUp(0, 1, 0, 0, 0);
    EXPECT_EQ(frame->BackColor(), SignFrame::ButtonFace());
}

TEST_F(SignPicturesGui, GraphicToolsOnTheMouse) {
    Sign(2, "K4000", 40, 8, true, 1, "FRONT");
    frmHead& h = Start();
    gEditorActive = 2;
    const QColor fore = h.picSign[0]->ForeColor();

    // Point: a click in the middle of dot (3, 1) lights it and paints it.
    gCurrentTool = 3;
    QTest::mouseClick(h.picSign[0], Qt::LeftButton, {}, QPoint(3 * 5 + 3, 1 * 5 + 3));
    EXPECT_NE(GetGraphicPixel(0, 3, 1), 0);
    EXPECT_EQ(h.picSign[0]->Surface().pixelColor(3 * 5 + 2, 1 * 5 + 2), fore);
    EXPECT_EQ(gGraphicModified, kTrue);
    // The right button erases it.
    QTest::mouseClick(h.picSign[0], Qt::RightButton, {}, QPoint(3 * 5 + 3, 1 * 5 + 3));
    EXPECT_EQ(GetGraphicPixel(0, 3, 1), 0);

    // Line from dot (1, 1) to (6, 1): start and end on the dots' centres.
    gCurrentTool = 2;
    h.picSign_MouseDown(0, 1, 0, 1 * 5 + 2, 1 * 5 + 2);
    h.picSign_MouseMove(0, 1, 0, 6 * 5 + 2, 1 * 5 + 2);
    EXPECT_EQ(gSelX1, 7);
    EXPECT_EQ(gSelX2, 32);
    h.picSign_MouseUp(0, 1, 0, 6 * 5 + 2, 1 * 5 + 2);
    for (int x = 1; x <= 6; ++x) EXPECT_NE(GetGraphicPixel(0, x, 1), 0) << x;

    // A selection drawn over the line enables the selection tools; the
    // arrow key moves its dots one dot down.
    gCurrentTool = 20;
    EXPECT_FALSE(h.tbButtons[33]->isEnabled());
    h.picSign_MouseDown(0, 1, 0, 0, 0);
    h.picSign_MouseMove(0, 1, 0, 8 * 5, 3 * 5);
    h.picSign_MouseUp(0, 1, 0, 8 * 5, 3 * 5);
    EXPECT_EQ(gAreaSelected, kTrue);
    EXPECT_EQ(gSelX2, 40);
    EXPECT_EQ(gSelY2, 15);
    for (int i = 33; i <= 38; ++i) EXPECT_TRUE(h.tbButtons[i]->isEnabled()) << i;
    h.picSign[0]->setFocus();
    QTest::keyClick(h.picSign[0], Qt::Key_Down);
    EXPECT_EQ(GetGraphicPixel(0, 3, 1), 0);
    EXPECT_NE(GetGraphicPixel(0, 3, 2), 0);
    EXPECT_EQ(gSelY1, 5);
    // Left at the left edge is refused.
    QTest::keyClick(h.picSign[0], Qt::Key_Left);
    EXPECT_EQ(gSelX1, 0);

    // A click without a drag selects nothing.
    h.picSign_MouseDown(0, 1, 0, 30, 30);
    h.picSign_MouseUp(0, 1, 0, 30, 30);
    EXPECT_EQ(gAreaSelected, kFalse);
    EXPECT_FALSE(h.tbButtons[33]->isEnabled());
}

TEST_F(SignPicturesGui, TheWindowFollowsTheModelOfTheCurrentSign) {
    Sign(2, "K4000", 112, 16, true, 1, "FRONT");
    Sign(4, "K2000_1R", 12, 1, true, 1, "SIDE");
    Sign(5, "K2000_2R", 10, 12, false, 1, "REAR");
    frmHead& h = Start();
    ASSERT_EQ(gCurrentSign, 2);
    EXPECT_EQ(h.sb->PanelText(1), h.Label4->text() + "  FRONT, SIDE");

    // A one-row text sign: the strip, below the shown graphic sign's frame,
    // which keeps its picture; clear of the check boxes and the buttons.
    h.UpdateToolbarState();
    h.UpdateSignControls(4);
    EXPECT_EQ(gCurrentSign, 4);
    EXPECT_EQ(h.K2000_pct->size(), QSize(357, 37));
    EXPECT_TRUE(h.K2000_pct->isVisible());
    EXPECT_TRUE(h.picSign[0]->isVisible());
    const QRect frame = InClient(h.PicSignFrame[0]);
    EXPECT_EQ(InClient(h.K2000_pct).y(), frame.y() + frame.height() + 5);
    for (const QWidget* w : {static_cast<QWidget*>(h.PicSignFrame[0]), static_cast<QWidget*>(h.SaveAndNew),
                             static_cast<QWidget*>(h.Ch_Check)})
        EXPECT_FALSE(InClient(h.K2000_pct).intersects(InClient(w))) << w->objectName().toStdString();
    // The sign area holds the strip; the controls stand below it.
    EXPECT_LE(InClient(h.K2000_pct).bottom(), h.SignArea->geometry().bottom());
    EXPECT_GT(h.Ch_Check->y(), h.SignArea->geometry().bottom());
    EXPECT_TRUE(h.CursorTimer->isActive());
    h.UpdateSignControls(5);
    EXPECT_EQ(h.K2000_pct->size(), QSize(357, 79));

    // Back to the graphic sign: the strip goes, the picture keeps its grid.
    h.UpdateToolbarState2();
    h.UpdateSignControls(2);
    EXPECT_FALSE(h.K2000_pct->isVisible());
    EXPECT_TRUE(h.picSign[0]->isVisible());
    EXPECT_EQ(h.picSign[0]->size(), QSize(561, 81));
    EXPECT_EQ(h.picSign[0]->pos(), QPoint(2, 2));
}

TEST_F(SignPicturesGui, TextSignLineModeSavesAndRestoresTheControls) {
    Sign(2, "K4000", 112, 16, true, 1, "FRONT");
    frmHead& h = Start();
    h.MenuItem("cutALL_E")->setEnabled(false);
    h.MenuItem("Paste_e")->setEnabled(true);
    h.LineNo_txt->show();
    ASSERT_TRUE(h.SizeFrame->isVisible());
    gCursorPicture->setProperty("ScaleHeight", 80);

    h.UpdateToolbarState();
    EXPECT_EQ(gTextSignActive, kTrue);
    EXPECT_TRUE(h.MenuItem("cutALL_E")->isEnabled());
    EXPECT_FALSE(h.MenuItem("Paste_e")->isEnabled());
    EXPECT_FALSE(h.MenuItem("Ln_e")->isEnabled());
    EXPECT_TRUE(h.LineNo_txt->isHidden());
    EXPECT_FALSE(h.SizeFrame->isVisible());
    EXPECT_FALSE(h.tbButtons[6]->isEnabled());
    EXPECT_FALSE(h.tbButtons[18]->isEnabled());
    EXPECT_EQ(gCursorPicture->property("ScaleHeight").toInt(), 25);
    EXPECT_EQ(gCurrentFontCode, "2");
    EXPECT_TRUE(ui.messages.empty());
    // Entering again keeps the state saved the first time.
    h.UpdateToolbarState();

    h.UpdateToolbarState2();
    EXPECT_EQ(gTextSignActive, kFalse);
    EXPECT_FALSE(h.MenuItem("cutALL_E")->isEnabled());
    EXPECT_TRUE(h.MenuItem("Paste_e")->isEnabled());
    EXPECT_FALSE(h.LineNo_txt->isHidden());
    EXPECT_TRUE(h.SizeFrame->isVisible());
    EXPECT_TRUE(h.tbButtons[6]->isEnabled());
    EXPECT_EQ(gCursorPicture->property("ScaleHeight").toInt(), 80);
    h.UpdateToolbarState2();
    EXPECT_TRUE(h.MenuItem("Paste_e")->isEnabled());
}

TEST_F(SignPicturesGui, TheDocumentStartsWithTheFirstListedSignShown) {
    // A template project with a text sign at 4 and a graphic sign at 9.
    ClearSignConfigFlags();
    ClearSignTable();
    for (const char* line : {"SIDE        K2000_1R 16x1      4 ", "REAR        K4000    96x8      9 "}) {
        ASSERT_EQ(std::string(line).size(), 33u);
        ASSERT_TRUE(ParseSignDefinition(line));
        ASSERT_TRUE(SetSignConfig(line));
    }
    gTxlVersion = kTxlStandardVersion;
    gBackupOn = kFalse;
    ASSERT_TRUE(SaveTxlFile(JoinPath(gDataPath, "standard.ini")));
    Restart();
    Option("InsertMode", 1);
    Load();
    head->resize(1024, 768);
    head->show();
    head->EnsureActivated();
    frmHead& h = *head;
    EXPECT_EQ(gCurrentSign, 9);
    EXPECT_EQ(SignInfoOf(9).Shown, kTrue);
    EXPECT_EQ(SignInfoOf(4).Shown, kFalse);
    EXPECT_TRUE(h.PicSignFrame[0]->isVisible());
    EXPECT_EQ(h.SignCaption_lbl->text(), " REAR");
    // The settings of the document and the out-file defaults.
    EXPECT_EQ(gInsertMode, kTrue);
    EXPECT_EQ(gDefaultChangeTime, 3);
    EXPECT_EQ(gChangeTime, 3);
    EXPECT_EQ(gAutoSaveEnabled, kTrue);
    EXPECT_FLOAT_EQ(gAutoSaveTime, 300);
    EXPECT_EQ(gDefaultRouteNoFonts, std::string(15, 'h'));
    EXPECT_NE(IniGetValue(gSettingsFile, "DefaultRouteNoFonts", "DefaultFonts", kIniOpenClose), "0");
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_EQ(gDestListActive, kTrue);
    EXPECT_TRUE(h.DestList->isVisible());
    EXPECT_EQ(gTxlVersion, 5);
    EXPECT_EQ(gDocumentPath, "");
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_EQ(h.SaveDestOrExtra->text(), QString::fromStdString(gTextS6 + "..."));
    EXPECT_EQ(h.windowTitle(), QString::fromUtf8("Kivar32\u00ae <") + QString::fromStdString(gTextS38) + ">");
}

TEST_F(SignPicturesGui, AStartAfterAnAbnormalEndRecoversTheAutoSaveFile) {
    // An auto-save file beside the program holding a project with records.
    ClearSignConfigFlags();
    ClearSignTable();
    const char* line = "FRONT       K4000    112x16    2 ";
    ASSERT_TRUE(ParseSignDefinition(line));
    ASSERT_TRUE(SetSignConfig(line));
    kv::DestList.Clear();
    gDestList[1].Text = "\xff" "FRONT# HELLO";
    gDestList[1].SignData = "\xff\x02" "x";
    gDestList[2].Text = "\xff" "FRONT# WORLD";
    gDestList[2].SignData = "\xff\x02" "y";
    AddListLine(1, true);
    AddListLine(2, true);
    gTxlVersion = kTxlStandardVersion;
    gBackupOn = kFalse;
    ASSERT_TRUE(SaveTxlFile(JoinPath(dir.path(), "kivar.txl")));
    Restart();
    IniSetValue(gSettingsFile, "AutoSave", "FileName", "C:\\p\\lines.txl");
    frmHead& h = Load();
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_EQ(gDocumentPath, "C:\\p\\lines.txl");
    EXPECT_EQ(h.windowTitle(), QString::fromUtf8("Kivar32\u00ae <C:\\p\\lines.txl>"));
    EXPECT_EQ(gCurrentDest, 3);
    EXPECT_EQ(gCurrentExtra, 1);
    ASSERT_EQ(h.DestList->count(), 2);
    EXPECT_TRUE(h.DestList->item(1)->text().contains("WORLD"));
    EXPECT_TRUE(FileExists(JoinPath(dir.path(), "kivar.txl")));
    // The notice comes with the first tick of the cursor timer once the
    // window shows.
    EXPECT_EQ(gAutoSaveNoticePending, kTrue);
    h.show();
    ASSERT_TRUE(waitqt::Shown(&h));
    ui.messages.clear();
    h.CursorTimer_Timer();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].style, vbCritical);
    EXPECT_EQ(ui.messages[0].text, Key("S124") + "\r" + Key("S125") + "\r" + Key("S126"));
    EXPECT_EQ(gAutoSaveNoticePending, kFalse);
    h.CursorTimer_Timer();
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(SignPicturesGui, TheTextSignStripShowsItsPlacesAndCharacters) {
    Sign(2, "K4000", 112, 16, true, 1, "FRONT");
    Sign(4, "K2000_1R", 12, 1, true, 1, "SIDE");
    frmHead& h = Start();
    // The graphic sign's editor starts an empty page in its start font,
    // which the font label and the status bar name.
    EXPECT_EQ(gStartRow, 1);
    EXPECT_EQ(gCurrentRow, 1);
    EXPECT_EQ(gCurrentFontCode, DefaultStartFontOfHeight(16));
    EXPECT_TRUE(h.size_lbl->text().startsWith(QString::fromStdString(gCurrentFontCode)));
    EXPECT_TRUE(h.sb->PanelText(2).contains(h.size_lbl->text()));

    h.UpdateToolbarState();
    h.UpdateSignControls(4);
    // Places at 0, 30, ..., 330 and the cursor place behind them at 352.
    for (int i = 1; i <= 12; ++i) EXPECT_EQ(gStripX[i], 30 * (i - 1)) << i;
    EXPECT_EQ(gStripX[13], 352);
    EXPECT_EQ(gTwoRowText, kFalse);
    const QImage& strip = h.K2000_pct->Surface();
    const QColor grey = h.K2000_pct->ForeColor();
    // Eleven separators three pixels wide at 28, 58, ..., 328; the places
    // between them black.
    for (int x : {27, 28, 29, 58, 328}) EXPECT_EQ(strip.pixelColor(x, 10), grey) << x;
    EXPECT_EQ(strip.pixelColor(358 - 3, 10), QColor(Qt::black));
    for (int x : {0, 12, 24, 30, 54}) EXPECT_EQ(strip.pixelColor(x, 10), QColor(Qt::black)) << x;

    // A character in place 2 is drawn in font "2" as dots at zoom 1 inside
    // its 25 x 35 place.
    gCodeTable[2] = 'H';
    gCodeCount = 2;
    DrawStripChars(1);
    int lit = 0;
    for (int x = 0; x < strip.width(); ++x)
        for (int y = 0; y < strip.height(); ++y)
            if (strip.pixelColor(x, y) == h.StripTextColour) {
                ++lit;
                EXPECT_TRUE(QRect(30, 1, 25, 35).contains(x, y)) << x << "," << y;
            }
    EXPECT_GT(lit, 0);
    h.UpdateToolbarState2();
}

TEST_F(SignPicturesGui, RightClickPutsTheTextCursorBehindTheCell) {
    Sign(2, "K4000", 40, 16, true, 1, "FRONT");
    frmHead& h = Start();
    ASSERT_EQ(gEditorActive, 1);
    const int16_t row = gStartRow;
    gRows[row].FirstCell = 1;
    gRows[row].CellCount = 2;
    gCells[1] = SignCell{0, 0, 30, 80, 0, '7', 2, 0, gCharMap['A' - 32], 'A', 0, 0};
    gCells[2] = SignCell{35, 0, 30, 80, 0, '7', 0, 1, gCharMap['B' - 32], 'B', 0, 0};
    // Dot (8, 3) lies in the second cell (fifths 40, 15).
    h.picSign_MouseDown(0, 2, 0, 8 * 5 + 2, 3 * 5 + 2);
    EXPECT_EQ(gCursorCell, 2);
    EXPECT_EQ(gCursorX, 65);
    EXPECT_EQ(gCursorY, 0);
    EXPECT_EQ(gCursorBeforeCell, kFalse);
    EXPECT_EQ(gCurrentRow, row);
    EXPECT_EQ(gCurrentFontCode, "7");

    // The left button starts a marking rectangle, drawn white while dragged.
    h.picSign_MouseDown(0, 1, 0, 0, 0);
    EXPECT_EQ(gMarkMode, 20);
    h.picSign_MouseMove(0, 1, 0, 10 * 5, 4 * 5);
    EXPECT_EQ(gSelX2, 50);
    EXPECT_EQ(h.picSign[0]->Surface().pixelColor(OutlinePixel(50, 4), OutlinePixel(20, 4)), QColor(Qt::white));
}
