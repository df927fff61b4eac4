// The shown-signs dialog: its rows and controls, the route-number boxes, its
// refusals, and a project of three signs shown side by side through it.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>

#include "data/headmode.h"
#include "engine/editorslots.h"
#include "engine/render.h"
#include "engine/signcommands.h"
#include "engine/signpictures.h"
#include "engine/textstrip.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/head_fixture.h"
#include "gui/project_build.h"
#include "ui/headwidgets_qt.h"
#include "ui/frmSignSel.h"
#include "support/markup_state.h"
#include "gui/wait_qt.h"

using namespace kv;
using namespace testproject;

namespace {

// The fixture project: SIDE, a one-row text sign of 20 places (address 2),
// FRONT (96 x 16, address 3) and REAR (84 x 16, address 4). Destination 1:
// SIDE "CENTRUM", FRONT "1 CENTRUM", REAR "1"; destination 2: "HAMN" on all.
void BuildProject(const std::string& dataDir, const std::string& path) {
    testmarkup::StartProjectOn(dataDir);
    SignLine("SIDE", "K2000_1R", "20", 2);
    SignLine("FRONT", "K4000", "96x16", 3);
    SignLine("REAR", "K4000", "84x16", 4);
    StartLists();
    struct Entry {
        int16_t dest;
        const char *side, *front, *rear;
    };
    for (const Entry& e : {Entry{1, "CENTRUM", "1 CENTRUM", "1"}, Entry{2, "HAMN", "HAMN", "HAMN"}}) {
        TextPage(e.dest, 2, e.side);
        GraphicPage(e.dest, 3, e.front);
        GraphicPage(e.dest, 4, e.rear);
        AddListLine(e.dest, true);
    }
    SaveProjectFile(path);
}

class SignSelGui : public HeadGui {
protected:
    // The main window at 1024 x 768, activated, with the fixture project
    // named on the command line.
    frmHead& StartWithProject() {
        const std::string fixture = std::string(KIVAR_FIXTURE_DIR) + "/projects/threesigns.txl";
        if (testutil::UpdatingGoldens()) {
            BuildProject(dir.path(), dir.file("made.txl"));
            testutil::RewriteGolden(fixture, testutil::ReadFile(dir.file("made.txl")));
            Restart();
        }
        const std::string project = dir.file("threesigns.txl");
        testutil::WriteFile(project, testutil::ReadFile(fixture));
        commandLine = {project};
        return Show();
    }
    frmHead& Show() { return ShowLoaded(); }
    // Runs the Signs command; `act` works the dialog while it is open, and
    // the dialog is closed by its close box when `act` left it open.
    void RunSignsCommand(const std::function<void(frmSignSel&)>& act) {
        WhenShown<frmSignSel> dialog(act);
        head->MenuItem("Signs_e")->trigger();
        EXPECT_TRUE(dialog.seen);
    }
    // The Signs command on the fixture project: FRONT, REAR and SIDE (rows
    // 1 to 3) ticked as given, then OK.
    void ShowSigns(bool front, bool rear, bool side) {
        RunSignsCommand([=](frmSignSel& d) {
            Tick(d, d.Sign_cbx, 1, front);
            Tick(d, d.Sign_cbx, 2, rear);
            Tick(d, d.Sign_cbx, 3, side);
            QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        });
    }
    static void Tick(frmSignSel& d, const std::map<int, QCheckBox*>& boxes, int index, bool on) {
        QCheckBox* box = boxes.at(index);
        SetChecked(box, on);
        ASSERT_EQ(box->isChecked(), on) << index;
    }
    static QRect InClient(const frmHead& h, const QWidget* w) {
        return QRect(w->mapTo(h.ClientArea, QPoint(0, 0)), w->size());
    }
};

}  // namespace

TEST_F(SignSelGui, ThreeSignsOfAProjectStandSideBySideAndOnTheStrip) {
    frmHead& h = StartWithProject();
    ASSERT_EQ(h.DestList->count(), 2);
    RunSignsCommand([](frmSignSel& d) {
        ASSERT_EQ(d.Total(), 3);
        EXPECT_EQ(d.Sign_cbx.at(1)->text(), "&1 -- FRONT");
        EXPECT_EQ(d.Sign_cbx.at(2)->text(), "&2 -- REAR");
        EXPECT_EQ(d.Sign_cbx.at(3)->text(), "&3 -- SIDE");
        for (int i = 1; i <= 3; ++i) Tick(d, d.Sign_cbx, i, true);
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    for (int16_t a : {2, 3, 4}) EXPECT_EQ(SignInfoOf(a).Shown, kTrue) << a;
    // The lowest-addressed sign, the text sign, is current: its strip shows.
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_EQ(gTextSignActive, kTrue);
    EXPECT_EQ(h.SignCaption_lbl->text(), " SIDE, FRONT, REAR");
    ASSERT_TRUE(h.K2000_pct->isVisible());
    EXPECT_EQ(h.K2000_pct->width(), 30 * 20 - 3);
    QApplication::processEvents();
    EXPECT_EQ(h.focusWidget(), h.K2000_pct) << (h.focusWidget() ? h.focusWidget()->objectName().toStdString() : "none");
    // The two graphic signs side by side at zoom 1, in one row.
    ASSERT_TRUE(h.PicSignFrame[0]->isVisible());
    ASSERT_TRUE(h.PicSignFrame[1]->isVisible());
    EXPECT_FALSE(h.PicSignFrame[2]->isVisible());
    EXPECT_EQ(SignInfoOf(3).GraphicIndex, 0);
    EXPECT_EQ(SignInfoOf(4).GraphicIndex, 1);
    EXPECT_EQ(SignInfoOf(3).Zoom, 1);
    EXPECT_EQ(h.picSign[0]->width(), 5 * 96 + 1);
    EXPECT_EQ(h.picSign[1]->width(), 5 * 84 + 1);
    const QRect f0 = InClient(h, h.PicSignFrame[0]), f1 = InClient(h, h.PicSignFrame[1]);
    const QRect strip = InClient(h, h.K2000_pct);
    EXPECT_EQ(f0.top(), f1.top());
    EXPECT_GT(f1.left(), f0.right());
    // Everything inside the window of 1024 x 768, the strip clear of the frames.
    EXPECT_LE(h.width(), 1024);
    EXPECT_LE(h.height(), 768);
    const QRect client = h.ClientArea->rect();
    for (const QRect& r : {f0, f1, strip}) EXPECT_TRUE(client.contains(r)) << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
    EXPECT_FALSE(strip.intersects(f0));
    EXPECT_FALSE(strip.intersects(f1));
}

TEST_F(SignSelGui, AfterTheDialogOnlyTheActiveSignsFrameCarriesTheMarker) {
    // The pictures laid out again are each marked as they are sized; the
    // dialog's OK leaves the mark on the active sign's frame alone.
    frmHead& h = StartWithProject();
    ShowSigns(true, true, false);
    ASSERT_EQ(gCurrentSign, 3);
    ASSERT_TRUE(h.PicSignFrame[1]->isVisible());
    EXPECT_EQ(h.ActivePictureIndex, 0);
    EXPECT_TRUE(OnlyTheActiveSignIsMarked());
}

namespace {

int CountColour(const QImage& img, QColor c) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y) == c;
    return n;
}

}  // namespace

TEST_F(SignSelGui, AddingASignEmptiesThePicturesItLaysOutAgain) {
    frmHead& h = StartWithProject();
    // The two graphic signs, then destination 1 loaded into both.
    ShowSigns(true, true, false);
    EXPECT_EQ(gCurrentSign, 3);
    EXPECT_EQ(gTextSignActive, kFalse);
    EXPECT_FALSE(h.K2000_pct->isVisible());
    EXPECT_EQ(h.ActivePictureIndex, 0);
    h.DestList->setFocus();
    QApplication::processEvents();
    QTest::keyClick(h.DestList, Qt::Key_Down);
    QTest::keyClick(h.DestList, Qt::Key_Return);
    ASSERT_EQ(gCurrentDest, 1);
    for (int k : {0, 1}) EXPECT_GT(CountColour(h.picSign[k]->Surface(), h.picSign[k]->ForeColor()), 20) << k;

    // With the text sign added the pictures start empty, as their layers do;
    // the entry then loads into the current sign, the text sign's strip.
    RunSignsCommand([](frmSignSel& d) {
        Tick(d, d.Sign_cbx, 3, true);
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
    });
    EXPECT_EQ(gCurrentSign, 2);
    for (int k : {0, 1}) {
        EXPECT_TRUE(h.picSign[k]->isVisible()) << k;
        EXPECT_EQ(CountColour(h.picSign[k]->Surface(), h.picSign[k]->ForeColor()), 0) << k;
    }
    h.DestList->setFocus();
    QApplication::processEvents();
    QTest::keyClick(h.DestList, Qt::Key_Return);
    EXPECT_EQ(gCodeCount, 7);  // CENTRUM
    EXPECT_GT(CountColour(h.K2000_pct->Surface(), h.StripTextColour), 20);
}

namespace {

class SignSelDialogGui : public SignSelGui {
protected:
    // The main window on the template project with the signs the test
    // configured put back, the first shown graphic sign current.
    frmHead& StartWithSigns() {
        const auto signs = gSignInfo;
        Load();
        gSignInfo = signs;
        const std::vector<int16_t> graphic = ShownK4000Signs();
        head->UpdateSignControls(graphic.empty() ? FirstListedSign() : graphic.front());
        head->resize(1024, 768);
        head->show();
        EXPECT_TRUE(waitqt::Shown(head.get()));
        head->EnsureActivated();
        QApplication::processEvents();
        return *head;
    }
};

}  // namespace

TEST_F(SignSelDialogGui, RowsRouteNumberBoxesColoursAndPlacement) {
    Sign(2, "K4000", 96, 16, true, 1, "FRONT");
    Sign(3, "K4000", 84, 16, false, 1, "REAR");
    Sign(4, "K2000_1R", 16, 1, false, 1, "SIDE");
    Sign(5, "K1000", 3, 1, false, 1, "LINE");
    frmHead& h = StartWithSigns();
    gLineNoTableOn = kTrue;
    SignInfoOf(3).RouteNoShown = kTrue;
    RunSignsCommand([this](frmSignSel& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), Key("S1800"));
        EXPECT_EQ(d.Label1->text().toStdString(), Key("S1802"));
        EXPECT_EQ(d.AutoLine_lbl->text().toStdString(), Key("S1801"));
        EXPECT_TRUE(d.AutoLine_lbl->isVisible());
        EXPECT_EQ(d.Ok_cmd->text().toStdString(), gTextS1);
        EXPECT_EQ(d.Ok_cmd->objectName(), "Ok_cmd");
        // No route-number sign while each destination has its own route number.
        ASSERT_EQ(d.Total(), 3);
        EXPECT_EQ(d.Sign_cbx.count(4), 0u);
        for (auto [index, box] : d.Sign_cbx) {
            EXPECT_EQ(box->objectName(), "Sign_cbx");
            EXPECT_EQ(box->property("Index").toInt(), index);
        }
        EXPECT_FALSE(d.Sign_cbx.at(0)->isVisible());
        EXPECT_EQ(d.Sign_cbx.at(3)->text(), "&3 -- SIDE");
        EXPECT_EQ(d.Sign_cbx.at(3)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        EXPECT_EQ(d.Sign_cbx.at(3)->property("Tag").toString(), "4");
        ASSERT_EQ(d.Line_cbx.size(), 2u);
        EXPECT_EQ(d.Line_cbx.at(101)->text(), "&A");
        EXPECT_EQ(d.Line_cbx.at(102)->text(), "&B");
        EXPECT_EQ(d.Line_cbx.at(102)->objectName(), "Line_cbx");
        EXPECT_EQ(d.Line_cbx.at(102)->property("Index").toInt(), 102);
        EXPECT_FALSE(d.Line_cbx.at(101)->isChecked());
        EXPECT_TRUE(d.Line_cbx.at(102)->isChecked());
        EXPECT_EQ(d.Line_cbx.at(101)->y(), d.Sign_cbx.at(1)->y());
        EXPECT_LT(d.Line_cbx.at(101)->x(), d.Sign_cbx.at(1)->x());
        EXPECT_GE(d.height(), frmSignSel::kMinHeight);

        // A ticked route-number box unticks its row's sign; ticking the
        // sign again keeps both.
        Tick(d, d.Sign_cbx, 1, true);
        Tick(d, d.Line_cbx, 101, true);
        EXPECT_FALSE(d.Sign_cbx.at(1)->isChecked());
        Tick(d, d.Sign_cbx, 1, true);
        Tick(d, d.Line_cbx, 102, false);
        EXPECT_FALSE(d.Sign_cbx.at(2)->isChecked());
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(SignInfoOf(2).Shown, kTrue);
    EXPECT_EQ(SignInfoOf(2).RouteNoShown, kTrue);
    EXPECT_EQ(SignInfoOf(3).RouteNoShown, kFalse);
    EXPECT_EQ(h.AutoSign_lbl->text(), " FRONT");
    EXPECT_TRUE(h.MenuItem("mnuLayoutInvertera")->isVisible());
    EXPECT_EQ(h.ActivePictureIndex, 0);
    // The placement is kept for the next opening.
    EXPECT_NE(IniGetValue(gSettingsFile, "Windows", "frmSignSel", kIniOpenClose), "0");
}

// Fifteen signs ticked, six graphic signs more than there are pictures:
// one message for the choice. The list of shown signs beside "Shown signs:"
// is whole where the window has room, and never runs under the font frame.
TEST_F(SignSelDialogGui, FifteenSignsGiveOneMessageAndTheirWholeList) {
    auto name = [](int a) { return std::string("SIGN") + (a < 10 ? "0" : "") + std::to_string(a); };
    for (int a = 2; a <= 16; ++a) {
        const std::string model = a <= 10 ? "K4000" : a <= 13 ? "K2000_1R" : "K1000";
        Sign(a, model, model == "K4000" ? 40 : 8, model == "K4000" ? 8 : 1, a == 2, 1, name(a));
    }
    frmHead& h = StartWithSigns();
    gLineNoTableOn = kFalse;
    ui.messages.clear();
    RunSignsCommand([](frmSignSel& d) {
        ASSERT_EQ(d.Total(), 15);
        for (auto& [i, box] : d.Sign_cbx)
            if (i > 0) SetChecked(box, true);
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, gTextS150);
    for (int a = 2; a <= 16; ++a) EXPECT_EQ(SignInfoOf(a).Shown, kTrue) << a;

    for (int width : {1800, 1400, 700}) {
        SCOPED_TRACE(width);
        h.resize(width, 700);
        QApplication::processEvents();
        const QLabel* list = h.SignCaption_lbl;
        EXPECT_LT(list->geometry().right(), h.SizeFrame->x());
        if (width < 1400) continue;
        for (int a = 2; a <= 16; ++a) EXPECT_TRUE(list->text().contains(QString::fromStdString(name(a)))) << a;
        EXPECT_GE(list->width(), list->fontMetrics().horizontalAdvance(list->text()));
    }
}

TEST_F(SignSelDialogGui, ARefusedChoiceStaysOpenAndTheCloseBoxPutsTheSignsBack) {
    Sign(2, "K4000", 96, 16, true, 1, "FRONT");
    Sign(5, "K1000", 3, 1, false, 1, "LINE");
    Sign(6, "K1000", 4, 1, false, 1, "LINE2");
    frmHead& h = StartWithSigns();
    gLineNoTableOn = kFalse;
    RunSignsCommand([&](frmSignSel& d) {
        ASSERT_EQ(d.Total(), 3);
        EXPECT_EQ(d.Sign_cbx.at(2)->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        EXPECT_FALSE(d.AutoLine_lbl->isVisible());
        // Nothing ticked.
        Tick(d, d.Sign_cbx, 1, false);
        ui.messages.clear();
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, Key("S1803"));
        EXPECT_EQ(ui.messages[0].style, vbExclamation);
        EXPECT_TRUE(d.isVisible());
        // Only route-number signs: refused, and nothing is written; the
        // route-number box stays hidden.
        Tick(d, d.Sign_cbx, 2, true);
        Tick(d, d.Sign_cbx, 3, true);
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[1].text, Key("S1804"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(gK1000Shown, kFalse);
        EXPECT_TRUE(h.LineNo_txt->isHidden());
        for (int16_t a : {5, 6}) EXPECT_EQ(SignInfoOf(a).Shown, kFalse) << a;
        EXPECT_EQ(SignInfoOf(2).Shown, kTrue);
        // The close box leaves the signs as they were.
    });
    EXPECT_EQ(SignInfoOf(2).Shown, kTrue);
    EXPECT_EQ(SignInfoOf(5).Shown, kFalse);
    EXPECT_EQ(SignInfoOf(6).Shown, kFalse);
    EXPECT_EQ(gK1000Shown, kFalse);
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_TRUE(h.LineNo_txt->isHidden());
    EXPECT_TRUE(h.LineNo_lbl->isHidden());
    EXPECT_EQ(h.LineNo_lbl->text().toStdString(), gTextS57);
    EXPECT_TRUE(h.PicSignFrame[0]->isVisible());
    // Nothing was chosen: no placement stored.
    EXPECT_EQ(IniGetValue(gSettingsFile, "Windows", "frmSignSel", kIniOpenClose), "0");

    // A route-number sign shown with a graphic one is accepted.
    RunSignsCommand([](frmSignSel& d) {
        Tick(d, d.Sign_cbx, 2, true);
        QTest::mouseClick(d.Ok_cmd, Qt::LeftButton);
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(SignInfoOf(5).Shown, kTrue);
    EXPECT_EQ(gK1000Shown, kTrue);
    EXPECT_EQ(h.LineNo_txt->maxLength(), 3);
    EXPECT_EQ(h.SignCaption_lbl->text(), " FRONT, LINE");
}

TEST_F(SignSelGui, HidingTheTextSignKeepsTheGraphicSignsText) {
    frmHead& h = StartWithProject();
    auto load = [&h] {
        h.DestList->setFocus();
        QApplication::processEvents();
        QTest::keyClick(h.DestList, Qt::Key_Home);
        QTest::keyClick(h.DestList, Qt::Key_Return);
        QApplication::processEvents();
        ASSERT_EQ(gCurrentDest, 1);
    };
    ShowSigns(true, true, false);
    load();
    const QImage front = h.picSign[0]->Surface().copy(), rear = h.picSign[1]->Surface().copy();
    ASSERT_GT(CountColour(front, h.picSign[0]->ForeColor()), 20);

    // The text sign shown with them; a click on FRONT's picture, the entry
    // loaded while the text sign is edited, then the text sign hidden.
    ShowSigns(true, true, true);
    ASSERT_EQ(gCurrentSign, 2);
    QTest::mouseClick(h.picSign[0], Qt::LeftButton, {}, QPoint(20, 20));
    QApplication::processEvents();
    load();
    ShowSigns(true, true, false);
    // The entry loaded again shows the graphic signs as before, not shifted
    // by the strip's character height.
    load();
    EXPECT_TRUE(h.picSign[0]->Surface() == front);
    EXPECT_TRUE(h.picSign[1]->Surface() == rear);
}

TEST_F(SignSelGui, TheStripKeepsTheTextSignWhenAGraphicPictureIsClicked) {
    frmHead& h = StartWithProject();
    auto load = [&h](int row) {
        h.DestList->setFocus();
        QApplication::processEvents();
        QTest::keyClick(h.DestList, Qt::Key_Home);
        for (int i = 0; i < row; ++i) QTest::keyClick(h.DestList, Qt::Key_Down);
        QTest::keyClick(h.DestList, Qt::Key_Return);
        QApplication::processEvents();
    };
    auto strip = [] {
        std::string s;
        for (int i = 1; i <= gCodeCount; ++i) s += static_cast<char>(gCodeTable[static_cast<size_t>(i)]);
        return s;
    };
    ShowSigns(true, true, true);
    ASSERT_EQ(gCurrentSign, 2);
    ASSERT_EQ(gTextSignActive, kTrue);
    load(0);
    ASSERT_EQ(strip(), "CENTRUM");
    // Clicks on the graphic pictures and their frames while the strip is
    // edited: the text sign stays current and the strip keeps the keys.
    QTest::mouseClick(h.picSign[0], Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseClick(h.PicSignFrame[1], Qt::LeftButton, {}, QPoint(2, 2));
    QApplication::processEvents();
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_EQ(h.focusWidget(), h.K2000_pct);
    // The next entry and the first again: the strip shows the text sign's own
    // text, not FRONT's "1 CENTRUM".
    load(1);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(strip(), "HAMN");
    QTest::mouseClick(h.picSign[1], Qt::LeftButton, {}, QPoint(10, 10));
    load(0);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_EQ(strip(), "CENTRUM");
}
