// Editing on the sign pictures as a user does it: keys typed on the picture,
// the mouse on it with every graphic tool, the toolbar's buttons, the edit
// menu, the font step buttons, the graphic files through the file dialog and
// the cut mode choice.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

#include "app/editcommands.h"
#include "app/signtools.h"
#include "data/fontlist.h"
#include "engine/dotstrips.h"
#include "engine/editorslots.h"
#include "engine/marking.h"
#include "engine/render.h"
#include "engine/signcommands.h"
#include "engine/textstrip.h"
#include "engine/signpictures.h"
#include "gui/wait_qt.h"
#include "gui/head_fixture.h"
#include "support/graphics_state.h"
#include "ui/frmCutPreferences.h"
#include "ui/headwidgets_qt.h"
#include "gui/wait_qt.h"

using namespace kv;

namespace {

class EditingGui : public HeadGui {
protected:
    // One graphic sign of w x h dots, the window shown and activated.
    frmHead& Start(int w, int h) {
        Sign(2, "K4000", w, h, true, 1, "FRONT");
        const auto signs = gSignInfo;
        Load();
        gSignInfo = signs;
        head->UpdateSignControls(2);
        head->resize(1024, 768);
        head->show();
        EXPECT_TRUE(waitqt::Shown(head.get()));
        head->EnsureActivated();
        head->activateWindow();
        QApplication::processEvents();
        ResetEditCommands();
        picture()->setFocus();
        QApplication::processEvents();
        return *head;
    }
    SignPicture* picture() { return head->picSign[0]; }
    int Pitch() { return SignInfoOf(2).DotSize + 1; }
    QPoint DotPoint(int x, int y) { return QPoint(x * Pitch() + Pitch() / 2, y * Pitch() + Pitch() / 2); }
    // A mouse event on the picture, as the window system sends it.
    void Mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint at) {
        QMouseEvent e(type, QPointF(at), picture()->mapToGlobal(QPointF(at)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(picture(), &e);
    }
    void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
        Mouse(QEvent::MouseButtonPress, button, button, from);
        Mouse(QEvent::MouseMove, Qt::NoButton, button, (from + to) / 2);
        Mouse(QEvent::MouseMove, Qt::NoButton, button, to);
        Mouse(QEvent::MouseButtonRelease, button, Qt::NoButton, to);
    }
    void DragDots(int x1, int y1, int x2, int y2, Qt::MouseButton b = Qt::LeftButton) {
        Drag(b, DotPoint(x1, y1), DotPoint(x2, y2));
    }
    // The toolbar button of that index, clicked.
    void Button(int index, Qt::MouseButton b = Qt::LeftButton) {
        QWidget* w = head->tbToolBar->widgetForAction(head->tbButtons[index]);
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, b);
        QApplication::processEvents();
    }
    void Keys(const QString& text) { QTest::keyClicks(picture(), text); }
    void Key(Qt::Key k) { QTest::keyClick(picture(), k); }
    // The lit dots of the sign, one line per row.
    std::string Dots(int w, int h) {
        std::string out;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) out += SignDotLit(0, x, y) ? '#' : '.';
            out += '\n';
        }
        return out;
    }
    std::vector<int16_t> Xs() {
        std::vector<int16_t> out;
        for (int16_t c = PageFirstCell(); IsUsedCell(c); c = Cell(c).Next) out.push_back(Cell(c).X);
        return out;
    }
    std::string Chain() {
        std::string s;
        for (int16_t c = PageFirstCell(); IsUsedCell(c); c = Cell(c).Next) s += static_cast<char>(Cell(c).CharCode);
        return s;
    }
};

TEST_F(EditingGui, TypedTextIsTheTextTheProbeTypes) {
    Start(112, 16);
    ASSERT_EQ(ReadCharMap("1"), CharMapStatus::Taken);
    ASSERT_EQ(QApplication::focusWidget(), picture());
    Keys("AB");
    EXPECT_EQ(Chain(), "AB");
    RenderTextLayer(kFalse);
    std::vector<std::string> args = {"type", "--data", dir.path(), "--sign", "K4000:112x16", "--font", "1", "--dots"};
    if (gAutoMode) args.push_back("--auto");
    args.push_back("AB");
    const testutil::ProbeResult r = testutil::RunProbe(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string dots = r.out.substr(r.out.find('\n') + 1);
    EXPECT_EQ(Dots(112, 16), dots);
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), testgfx::Hex(BuildSignData(PageFirstCell())));
    // What the picture shows is what the layers hold.
    EXPECT_NE(picture()->Surface().pixelColor(DotPoint(1, 0)), QColor(Qt::black));
    // Keys come as Windows-1252 characters: "ü" (252) is kept as the
    // editor's 189, a character the code page lacks types nothing.
    for (const QString& ch : {QString::fromUtf8("\u0105"), QString::fromUtf8("\u00fc")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, ch);
        QApplication::sendEvent(picture(), &press);
    }
    EXPECT_EQ(Chain(), "AB\xbd");
}

TEST_F(EditingGui, KeysFollowTheAlignment) {
    Start(40, 16);
    ReadCharMap("1");
    // Right-aligned: text grows to the left from the sign's end.
    Button(12);
    EXPECT_TRUE(head->tbButtons[12]->isChecked());
    Keys("AB");
    EXPECT_EQ(Xs(), (std::vector<int16_t>{155, 180}));
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{180}));
    Keys("B");
    Key(Qt::Key_Return);
    Keys("C");
    EXPECT_EQ(Xs(), (std::vector<int16_t>{155, 180, 180}));
    // The cursor keys: Page Up to the row above, Home, End, Left.
    Key(Qt::Key_PageUp);
    EXPECT_EQ(gCurrentRow, gStartRow);
    Key(Qt::Key_Home);
    EXPECT_EQ(gCursorX, 155);
    EXPECT_NE(gCursorBeforeCell, 0);
    Key(Qt::Key_End);
    EXPECT_EQ(gCursorX, 205);
    Key(Qt::Key_Left);
    EXPECT_EQ(gCursorCell, 1);
    // Left-aligned again by the toolbar.
    Button(10);
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 25, 180}));
    EXPECT_FALSE(head->tbButtons[12]->isChecked());
    // Delete (the edit menu) removes the marked cells; the row stays left.
    Drag(Qt::LeftButton, QPoint(1, 1), DotPoint(5, 6));
    ASSERT_EQ(MarkedCount(), 1);
    head->MenuItem("Del_e")->trigger();
    EXPECT_EQ(Chain(), "BC");
    EXPECT_EQ(Xs(), (std::vector<int16_t>{0, 180}));
    EXPECT_EQ(gTextModified, kTrue);
}

TEST_F(EditingGui, EachGraphicToolDrawsItsPattern) {
    frmHead& h = Start(8, 5);
    Button(6);  // graphic mode
    ASSERT_EQ(gEditorActive, 2);
    EXPECT_EQ(gCurrentTool, 3);  // the point tool from the start
    for (int i = 28; i <= 31; ++i) EXPECT_TRUE(h.tbButtons[i]->isEnabled()) << i;
    Button(30);  // pen 3 x 3
    Drag(Qt::LeftButton, DotPoint(3, 2), DotPoint(3, 2));
    EXPECT_EQ(Dots(8, 5), "........\n..###...\n..###...\n..###...\n........\n");
    Button(28);
    Drag(Qt::RightButton, DotPoint(3, 2), DotPoint(3, 2));
    EXPECT_EQ(Dots(8, 5), "........\n..###...\n..#.#...\n..###...\n........\n");
    Button(24);  // fill, from the hole
    Drag(Qt::LeftButton, DotPoint(3, 2), DotPoint(3, 2));
    EXPECT_EQ(Dots(8, 5), "........\n..###...\n..###...\n..###...\n........\n");
    Button(26);  // undo: the graphic as the fill tool was chosen
    EXPECT_EQ(Dots(8, 5), "........\n..###...\n..#.#...\n..###...\n........\n");
    Button(22);  // rectangle
    for (int i = 28; i <= 31; ++i) EXPECT_FALSE(h.tbButtons[i]->isEnabled()) << i;
    DragDots(0, 0, 7, 4);
    EXPECT_EQ(Dots(8, 5), "########\n#.###..#\n#.#.#..#\n#.###..#\n########\n");
    Button(21);  // line, erasing with the right button
    DragDots(0, 4, 7, 4, Qt::RightButton);
    EXPECT_EQ(Dots(8, 5), "########\n#.###..#\n#.#.#..#\n#.###..#\n........\n");
    EXPECT_EQ(gGraphicModified, kTrue);
}

TEST_F(EditingGui, SelectMoveCopyAndPasteARegion) {
    frmHead& h = Start(8, 5);
    Button(6);
    Button(22);
    DragDots(0, 0, 1, 1);  // a 2 x 2 block
    Button(23);  // selection
    EXPECT_FALSE(h.tbButtons[33]->isEnabled());
    Drag(Qt::LeftButton, QPoint(0, 0), DotPoint(2, 2) - QPoint(2, 2));
    ASSERT_EQ(gAreaSelected, kTrue);
    for (int i = 33; i <= 38; ++i) EXPECT_TRUE(h.tbButtons[i]->isEnabled()) << i;
    // Dragged two dots right and one down; the frame follows, the dots on release.
    Drag(Qt::LeftButton, DotPoint(1, 1), DotPoint(3, 2));
    EXPECT_EQ(Dots(8, 5), "........\n..##....\n..##....\n........\n........\n");
    // Copy, then paste at another selection's corner.
    h.MenuItem("Cut_e")->trigger();
    EXPECT_EQ(gGraphicClipboard, SelectionToText());
    Drag(Qt::LeftButton, DotPoint(5, 0) - QPoint(2, 2), DotPoint(7, 1));
    h.MenuItem("Paste_e")->trigger();
    EXPECT_EQ(Dots(8, 5), ".....##.\n..##.##.\n..##....\n........\n........\n");
    // The selection's own keys: mirror left to right, then delete.
    Drag(Qt::LeftButton, QPoint(0, 0), DotPoint(4, 4) - QPoint(2, 2));
    Button(33);
    EXPECT_EQ(Dots(8, 5), ".....##.\n##...##.\n##......\n........\n........\n");
    Button(38);
    EXPECT_EQ(Dots(8, 5), ".....##.\n.....##.\n........\n........\n........\n");
    // The right button ends the selection and its keys.
    Drag(Qt::RightButton, DotPoint(1, 1), DotPoint(1, 1));
    EXPECT_EQ(gAreaSelected, kFalse);
    EXPECT_FALSE(h.tbButtons[38]->isEnabled());
}

TEST_F(EditingGui, ToolbarModesAlignmentAndTheFontStep) {
    frmHead& h = Start(40, 16);
    gFontIds = {" ", "1", "4", " "};
    gFontIdCount = 2;
    ReadCharMap("1");
    Keys("AB");
    Button(6);
    EXPECT_FALSE(h.SizeFrame->isVisible());
    EXPECT_FALSE(h.tbButtons[10]->isEnabled());
    EXPECT_TRUE(h.tbButtons[22]->isEnabled());
    EXPECT_TRUE(h.MenuItem("Export_e")->isEnabled());
    Button(5);
    EXPECT_EQ(gEditorActive, 1);
    EXPECT_TRUE(h.SizeFrame->isVisible());
    EXPECT_TRUE(h.tbButtons[10]->isEnabled());
    EXPECT_FALSE(h.tbButtons[22]->isEnabled());
    EXPECT_TRUE(h.CursorTimer->isActive());
    // Marked by the mouse, the cells take the next font with "+".
    Drag(Qt::LeftButton, QPoint(1, 1), DotPoint(11, 7));
    ASSERT_EQ(MarkedCount(), 2);
    QTest::mouseClick(h.LibBigger, Qt::LeftButton);
    EXPECT_EQ(Cell(1).FontCode, '4');
    EXPECT_EQ(Cell(2).FontCode, '4');
    EXPECT_EQ(gCurrentFontCode, "4");
    EXPECT_EQ(QApplication::focusWidget(), picture());
    QTest::mouseClick(h.LibSmaller, Qt::LeftButton);  // one step, not two
    EXPECT_EQ(Cell(1).FontCode, '1');
    EXPECT_EQ(ui.beeps, 0);
    // The centre key presses its button and releases the others.
    Button(11);
    EXPECT_TRUE(h.tbButtons[11]->isChecked());
    EXPECT_FALSE(h.tbButtons[10]->isChecked());
    EXPECT_EQ(gTextAlignment, 3);
}

TEST_F(EditingGui, ARightAlignedRowEndsOnTheSignsLastColumnPaintedWhole) {
    // "Airport" on a sign of 160 x 16, right-aligned: its last lit column
    // is the sign's last, and every zoom paints its dots whole, with the
    // black gap after them that every other column has.
    frmHead& h = Start(160, 16);
    ASSERT_EQ(ReadCharMap("7"), CharMapStatus::Taken);
    Keys("Airport");
    Button(12);
    ASSERT_EQ(gTextAlignment, 2);
    for (int zoom : {1, 2, 3, 4}) {
        SCOPED_TRACE("zoom " + std::to_string(zoom));
        SignInfoOf(2).Zoom = zoom;
        SignInfoOf(2).DotSize = DotSizeOfZoom(zoom);
        h.ShowSign(false, false);
        int last = -1;
        std::vector<int> rows;
        for (int x = 0; x < 170; ++x)
            for (int y = 0; y < 16; ++y)
                if (SignDotLit(0, x, y)) last = std::max(last, x);
        ASSERT_EQ(last, 159);
        for (int y = 0; y < 16; ++y)
            if (SignDotLit(0, last, y)) rows.push_back(y);
        ASSERT_FALSE(rows.empty());
        const QImage& shown = picture()->Surface();
        const QColor fore = picture()->ForeColor();
        for (int y : rows) {
            const DotShape d = DotShapeAt(last + 1, y + 1, zoom);
            for (int i = 0; i < d.count; ++i) {
                const PixelRect& r = d.rects[i];
                for (int px = r.x1; px <= r.x2; ++px)
                    for (int py = r.y1; py <= r.y2; ++py) {
                        ASSERT_TRUE(shown.rect().contains(px, py)) << px << "," << py;
                        EXPECT_EQ(shown.pixelColor(px, py), fore) << px << "," << py;
                    }
                ASSERT_TRUE(shown.rect().contains(r.x2 + 1, r.y1)) << "no gap after the last column";
                EXPECT_EQ(shown.pixelColor(r.x2 + 1, r.y1), QColor(Qt::black));
            }
        }
        // The frame shows the whole picture.
        EXPECT_TRUE(QRect(QPoint(0, 0), h.PicSignFrame[0]->size()).contains(picture()->geometry()));
    }
}

TEST_F(EditingGui, GraphicFilesThroughTheFileDialog) {
    frmHead& h = Start(8, 5);
    h.ChooseFile = [&h](const frmHead::FileDialogRequest& r) { return h.ShowFileDialog(r); };
    Button(6);
    Drag(Qt::LeftButton, DotPoint(0, 0), DotPoint(0, 0));  // the point tool: the top-left dot
    Button(23);
    Drag(Qt::LeftButton, QPoint(0, 0), DotPoint(3, 2) - QPoint(2, 2));
    const std::string file = JoinPath(dir.path(), "dot.grf");
    // The dialog, once it is up: the name typed, Enter.
    auto answer = [](const std::string& path) {
        auto* timer = new QTimer(qApp);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, [timer, path] {
            auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible()) return;
            timer->stop();
            timer->deleteLater();
            auto* name = d->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(name, nullptr);
            // The name put in whole (typed, it opens the completion list,
            // which would take the Enter), then Enter.
            name->setText(QString::fromStdString(path));
            auto* buttons = d->findChild<QDialogButtonBox*>("buttonBox");
            QPushButton* accept = buttons->button(d->acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                                             : QDialogButtonBox::Save);
            EXPECT_TRUE(waitqt::WaitFor([accept] { return accept->isEnabled(); }));
            QTest::keyClick(name, Qt::Key_Return);
            EXPECT_TRUE(waitqt::WaitFor([d] { return !d->isVisible(); })) << "the file dialog stayed open";
            if (d->isVisible()) d->reject();
        });
        timer->start();
    };
    answer(file);
    h.MenuItem("Export_e")->trigger();
    EXPECT_EQ(testgfx::Hex(testutil::ReadFile(file)), "00 09 d2 00 d3 04 d4 77 21 20 20");
    // Imported at another selection's corner.
    Drag(Qt::LeftButton, DotPoint(4, 2) - QPoint(2, 2), DotPoint(6, 4));
    answer(file);
    h.MenuItem("Import_e")->trigger();
    EXPECT_EQ(Dots(8, 5), "#.......\n........\n....#...\n........\n........\n");
}

TEST_F(EditingGui, KeysAndClicksOnTheTextSignsStrip) {
    Sign(4, "K2000_2R", 4, 4, true, 1, "SIDE");
    frmHead& h = Start(40, 8);
    h.UpdateToolbarState();
    h.UpdateSignControls(4);
    ASSERT_TRUE(h.K2000_pct->isVisible());
    h.K2000_pct->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), h.K2000_pct);
    EXPECT_TRUE(h.CursorTimer->isActive());
    QTest::keyClicks(h.K2000_pct, "AB");
    QTest::keyClick(h.K2000_pct, Qt::Key_Return);
    QTest::keyClicks(h.K2000_pct, "CD");
    auto codes = [] {
        std::string t;
        for (int i = 1; i <= gCodeCount; ++i) t += static_cast<char>(gCodeTable[static_cast<size_t>(i)]);
        return t;
    };
    EXPECT_EQ(codes(), "AB  CD");
    EXPECT_EQ(gTextColumn, 7);
    QTest::keyClick(h.K2000_pct, Qt::Key_Up);
    EXPECT_EQ(gTextColumn, 3);
    // A click in the lower half puts the cursor in row 2.
    QTest::mouseClick(h.K2000_pct, Qt::LeftButton, {}, QPoint(10 + 30, 60));
    EXPECT_EQ(gTextColumn, 6);
    QTest::keyClick(h.K2000_pct, Qt::Key_Backspace);
    EXPECT_EQ(codes(), "AB  D");
    // The strip cursor blinks at the column.
    const bool shown = h.Curs_2000->isVisibleTo(h.K2000_pct);
    h.CursorTimer_Timer();
    EXPECT_NE(h.Curs_2000->isVisibleTo(h.K2000_pct), shown);
    EXPECT_EQ(h.Curs_2000->x(), gStripX[5]);
}

TEST_F(EditingGui, TheCutModeChoiceFromTheToolbarsRightButton) {
    Start(8, 5);
    auto* timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer] {
        auto* d = qobject_cast<frmCutPreferences*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        EXPECT_TRUE(frmCutPreferences::Marked(d->imgCutJustYellow));
        EXPECT_TRUE(frmCutPreferences::Marked(d->imgCutDeleteOld));
        QTest::mouseClick(d->imgCutAll, Qt::LeftButton);
        QTest::mouseClick(d->imgCutKeepOld, Qt::LeftButton);
        EXPECT_FALSE(frmCutPreferences::Marked(d->imgCutJustYellow));
        QTest::mouseClick(d->cmdDone, Qt::LeftButton);
    });
    timer->start();
    Button(23, Qt::RightButton);
    EXPECT_EQ(gCutMode, 3);
    EXPECT_EQ(IniGetValue(gSettingsFile, "Generell", "CutPreferences", kIniOpenClose), "3");
    EXPECT_EQ(gCurrentTool, 3);  // the right button chose no tool
}

}  // namespace
