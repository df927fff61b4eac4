// The route-number tools and the zoom dialog on a real main window, driven
// through their menus, buttons and dialogs: the route-number layout with the
// area shown, a placeholder, a route number typed as a field, generation
// into a route-number sign, super copy, the zoom of a sign picture and the
// fonts per sign height. What they did is read back from the saved project
// and from the out-file of Transfer > To file.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <map>
#include <QTimer>
#include <QToolButton>

#include <functional>

#include "app/signscale.h"
#include "data/signdata.h"
#include "engine/render.h"
#include "engine/routenolayout.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/head_fixture.h"
#include "gui/project_build.h"
#include "support/markup_state.h"
#include "support/outcheck.h"
#include "support/signs_state.h"
#include "support/txldump.h"
#include "ui/frmDefaultRouteNoFonts.h"
#include "ui/frmLineNo.h"
#include "ui/frmLineNoInsert.h"
#include "ui/frmMBL.h"
#include "ui/frmPreferences.h"
#include "ui/frmReplace.h"
#include "ui/frmSignScale.h"
#include "ui/frmSignSel.h"
#include "ui/frmToolsGenerateLineNo.h"
#include "ui/headwidgets_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;
using namespace testproject;

namespace {

// A graphic sign's page typed and committed: `field` is typed as the
// route-number field after `text`.
void GraphicPageWithField(int16_t dest, int16_t address, const std::string& text, const std::string& field) {
    StartGraphicPage(address, "7");
    if (!field.empty()) testtext::Type(field, 1);
    testtext::Type(text);
    testmarkup::Commit(dest, 1);
}

// The project: FRONT (112 x 16, address 2), REAR (84 x 16, 3) and the
// route-number sign LINE (3 places, 9). With route numbers, FRONT of
// destinations 1 and 3 starts with a route-number field ("12" and "7");
// destination 2 has none. REAR shows "R1" in destination 1. With `back`, an
// empty graphic sign BACK (112 x 16, 10) too.
void BuildProject(const std::string& dataDir, const std::string& path, bool routeNumbers, bool back) {
    testmarkup::StartProjectOn(dataDir);
    SignLine("FRONT", "K4000", "112x16", 2);
    SignLine("REAR", "K4000", "84x16", 3);
    SignLine("LINE", "K1000", "3", 9);
    if (back) SignLine("BACK", "K4000", "112x16", 10);
    StartLists();
    gRouteNoLeft = kTrue;
    gLineNoFieldCount = 3;
    gRouteNoPos = 0;
    gLineNoFields = "4567";
    struct Entry {
        int16_t dest;
        const char *field, *front;
    };
    for (const Entry& e : {Entry{1, "12", " CENTRUM"}, Entry{2, "", "HAMN"}, Entry{3, "7", " SKOLA"}}) {
        GraphicPageWithField(e.dest, 2, e.front, routeNumbers ? e.field : "");
        if (e.dest == 1) GraphicPage(1, 3, "R1");
        gDestList[e.dest].Code = PadCode(std::to_string(e.dest));
        AddListLine(e.dest, true);
    }
    SaveProjectFile(path);
}

// The test's user: messages recorded, the route-number dialog the real one.
class RouteUi : public FakeUi {
public:
    void RouteNumberDialog() override { ShowRouteNumberDialog(); }
};

class RouteToolsGui : public HeadGui {
protected:
    // Installed after the fixture's own, so that it is the one in use.
    RouteUi host;

    // The project opened and shown; the Signs dialog lists its signs as
    // rows 1 FRONT, 2 REAR, 3 LINE.
    frmHead& Start(bool routeNumbers = true, bool back = false) {
        project = dir.file("routes.txl");
        BuildProject(dir.path(), project, routeNumbers, back);
        return ShowOpenedOnCommandLine(project);
    }
    // Runs `act` on the first modal dialog of type T once it is open.
    template <typename T>
    void WhenOpen(std::function<void(T&)> act, bool* seen) {
        auto* poll = new QTimer(head.get());
        poll->setInterval(5);
        QObject::connect(poll, &QTimer::timeout, [poll, act, seen] {
            auto* dlg = qobject_cast<T*>(QApplication::activeModalWidget());
            if (!dlg || !dlg->isVisible()) return;
            poll->stop();
            poll->deleteLater();
            *seen = true;
            act(*dlg);
        });
        poll->start();
    }
    // Triggers the menu item and works its dialog of type T.
    template <typename T>
    void Through(const char* item, std::function<void(T&)> act) {
        bool seen = false;
        WhenOpen<T>(act, &seen);
        head->MenuItem(item)->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(seen) << item;
    }
    // Transfer > To file, then the out-file checked by the layout's rules.
    outcheck::Result OutFile() {
        const std::string out = dir.file("routes.out");
        head->ChooseFile = [out](const frmHead::FileDialogRequest&) { return frmHead::FileDialogChoice{false, out, 1}; };
        head->MenuItem("mnuTransferToFile")->trigger();
        const outcheck::Result r = outcheck::Check(testutil::ReadFile(out), {});
        EXPECT_TRUE(r.ok()) << (r.errors.empty() ? "" : r.errors[0]);
        return r;
    }
    // The out-file's sub-record of a sign in a destination; "" when none.
    static std::string SubrecordOf(const outcheck::Result& r, int dest, int address) {
        auto it = r.destSubrecords.find(dest);
        if (it == r.destSubrecords.end()) return {};
        for (const std::string& sub : it->second)
            if (sub.size() > 3 && static_cast<unsigned char>(sub[2]) == address) return sub;
        return {};
    }
    // The generation or super copy dialog opened by `item`: the master of
    // line `master`, the targets of the listed lines selected, OK; each
    // replace question answered by the next button of `answers`.
    void RunTool(const char* item, int master, std::vector<int> targets, std::vector<const char*> answers,
                 std::string* caption = nullptr) {
        auto pending = std::make_shared<std::vector<const char*>>(answers);
        std::function<void()> answerNext;
        answerNext = [this, pending, caption, &answerNext] {
            if (pending->empty()) return;
            auto seen = std::make_shared<bool>(false);
            WhenOpen<frmReplace>(
                [this, pending, caption, &answerNext, seen](frmReplace& q) {
                    if (caption) *caption = B(q.windowTitle()) + " / " + B(q.lblQuestion->text());
                    QPushButton* b = q.findChild<QPushButton*>(pending->front());
                    pending->erase(pending->begin());
                    answerNext();
                    QTest::mouseClick(b, Qt::LeftButton);
                },
                seen.get());
        };
        Through<frmToolsGenerateLineNo>(item, [&](frmToolsGenerateLineNo& d) {
            // No master sign chosen: no OK.
            d.cboMasterSign->setCurrentIndex(-1);
            EXPECT_FALSE(d.cmdOK->isEnabled());
            d.cboMasterSign->setCurrentIndex(master);
            EXPECT_TRUE(d.cmdOK->isEnabled());
            for (int row = 0; row < d.lstSigns->count(); ++row) {
                QListWidgetItem* line = d.lstSigns->item(row);
                const bool on = std::find(targets.begin(), targets.end(), row) != targets.end();
                if (line->isSelected() != on)
                    QTest::mouseClick(d.lstSigns->viewport(), Qt::LeftButton, {}, d.lstSigns->visualItemRect(line).center());
            }
            answerNext();
            QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        });
        EXPECT_TRUE(pending->empty());
    }

    std::string project;
};

}  // namespace

TEST_F(RouteToolsGui, TheLayoutWithTheAreaShownPutsTheHeaderInACommittedPage) {
    frmHead& h = Start(false);
    ShowSignRows({1});
    OpenDest(2);
    Through<frmLineNo>("Ln_e", [](frmLineNo& d) {
        EXPECT_TRUE(d.LineLeft_op->isChecked());
        EXPECT_TRUE(d.LineRight_op->isEnabled());
        EXPECT_EQ(d.LineNoToShow_txt->text(), "456");
        ClickWidget(d.LineRight_op);
        EXPECT_FALSE(d.txtStartPos->isEnabled());
        d.txtEndPos->setFocus();
        d.txtEndPos->selectAll();
        // Only digits, three at most.
        QTest::keyClicks(d.txtEndPos, "2x");
        EXPECT_EQ(d.txtEndPos->text(), "2");
        d.NoOfLineNos->setFocus();
        QTest::keyClick(d.NoOfLineNos, Qt::Key_Up);
        EXPECT_EQ(d.NoOfLineNos->currentText(), "2");
        EXPECT_EQ(d.LineNoToShow_txt->text(), "45");
        d.LineNoToShow_txt->selectAll();
        QTest::keyClicks(d.LineNoToShow_txt, "12");
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    EXPECT_EQ(gRouteNoLeft, kFalse);
    EXPECT_EQ(gLineNoFieldCount, 2);
    EXPECT_EQ(gLineNoFields, "1245");
    EXPECT_EQ(gRouteNoFont, DefaultRouteNoFontOfHeight(16));
    const int16_t x = gRouteNoX;
    EXPECT_EQ(x, 112 * 5 - gRouteNoAreaWidth - 10);
    // The loaded entry stays in the editor and on the picture, and nothing
    // counts as changed.
    EXPECT_NE(PageFirstCell(), 0);
    EXPECT_EQ(gTextModified, kFalse);
    const QImage picture = h.picSign[SignInfoOf(2).GraphicIndex]->Surface();
    int lit = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int px = 0; px < picture.width(); ++px) lit += picture.pixelColor(px, y) == h.picSign[0]->ForeColor();
    EXPECT_GT(lit, 0);

    // The entry again, the area shown, stored.
    OpenDest(2);
    h.MenuItem("ShowLineNo_e")->trigger();
    ASSERT_EQ(gShowLineNo, kTrue);
    ClickWidget(h.SaveDestOrExtra);
    auto saved = SaveAndReadBack(project);
    const std::string page = GetSignSection(saved[2].data, 2);
    ASSERT_GE(page.size(), 9u);
    EXPECT_EQ(page.substr(2, 7), std::string("\xd2") + static_cast<char>(x / 5) + "\xd3" + page[5] + "\xd4" +
                                     gRouteNoFont + "\xf2");
    EXPECT_EQ(GetSignText(saved[2].text, 2), "\xff" "FRONT# <L>HAMN");
    // The out-file's page of FRONT carries the header too.
    const outcheck::Result out = OutFile();
    EXPECT_NE(SubrecordOf(out, 2, 2).find(page.substr(2, 7)), std::string::npos);

    // Texts with route-number fields lock the end and the distance.
    Through<frmLineNo>("Ln_e", [](frmLineNo& d) {
        EXPECT_FALSE(d.LineLeft_op->isEnabled());
        EXPECT_FALSE(d.txtEndPos->isEnabled());
        EXPECT_TRUE(d.NoOfLineNos->isEnabled());
        QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
    });
}

TEST_F(RouteToolsGui, APlaceholderAndARouteNumberTypedAsAField) {
    frmHead& h = Start(false);
    ShowSignRows({1});
    OpenDest(2);
    // The placeholder for the last two route-number characters.
    Through<frmLineNoInsert>("Insert_LineNo_e", [](frmLineNoInsert& d) {
        EXPECT_EQ(d.NoLineToInsNos->currentText(), "3");
        // A count above the route number's length is refused.
        d.NoLineToInsNos->lineEdit()->selectAll();
        QTest::keyClicks(d.NoLineToInsNos->lineEdit(), "4");
        QTest::mouseClick(d.OK_btn, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.NoLineToInsNos->currentText(), " 3");
        // Enter in the box is OK.
        d.NoLineToInsNos->lineEdit()->selectAll();
        QTest::keyClicks(d.NoLineToInsNos->lineEdit(), "2");
        QTest::keyClick(d.NoLineToInsNos->lineEdit(), Qt::Key_Return);
        EXPECT_FALSE(d.isVisible());
    });
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, Key("S1202") + " 3" + Key("S1203"));
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(GetSignText(gDestList[2].Text, 2), "\xff" "FRONT# HAMN<L:2>");

    // The route number "1c" typed as a field through Tools > Programmed
    // route numbers.
    OpenDest(3);
    Through<frmMBL>("mnuToolsGenerateMBL", [](frmMBL& d) {
        EXPECT_EQ(d.size_lbl->text().toStdString().substr(0, 1), DefaultRouteNoFontOfHeight(16));
        d.txtMBL->setFocus();
        QTest::keyClicks(d.txtMBL, "1x");
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        d.txtMBL->selectAll();
        QTest::keyClicks(d.txtMBL, "1c");
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
    });
    EXPECT_EQ(gMBLRouteNo, "1C");
    ClickWidget(h.SaveDestOrExtra);
    auto saved = SaveAndReadBack(project);
    EXPECT_EQ(GetSignText(saved[2].text, 2), "\xff" "FRONT# HAMN<L:2>");
    EXPECT_EQ(GetSignText(saved[3].text, 2), "\xff" "FRONT# <L/1C> SKOLA");
}

TEST_F(RouteToolsGui, GenerationIntoARouteNumberSign) {
    frmHead& h = Start();
    ShowSignRows({1, 2});
    const auto before = gDestList;
    // No to all: the question comes once and nothing is written.
    std::string asked;
    RunTool("mnuToolsGenerateLineNo", 0, {0}, {"cmdNoNone"}, &asked);
    EXPECT_EQ(asked, "Sign 9, LINE / Destination 1 already exists, replace ?");
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(gDestList[n].Text, before[n].Text) << n;
    // The window shows its signs as before.
    EXPECT_EQ(SignInfoOf(2).Shown, kTrue);
    EXPECT_EQ(SignInfoOf(3).Shown, kTrue);
    EXPECT_EQ(SignInfoOf(9).Shown, kFalse);
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_TRUE(h.menuBar()->isEnabled());

    // Yes to all: the route numbers of destinations 1 and 3 go to LINE.
    RunTool("mnuToolsGenerateLineNo", 0, {0}, {"cmdYesAll"});
    EXPECT_EQ(gDocumentModified, kTrue);
    auto saved = SaveAndReadBack(project);
    EXPECT_EQ(GetSignText(saved[1].text, 9), "\xff" "LINE# 12");
    EXPECT_EQ(GetSignText(saved[2].text, 9), "");
    EXPECT_EQ(GetSignText(saved[3].text, 9), "\xff" "LINE# 7");
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(GetSignText(saved[n].text, 2), GetSignText(before[n].Text, 2)) << n;
    // LINE's section comes last in each record: the sub-record still carries
    // its seven-segment digits, the last one first ("12": 2 = 91, 1 = 6;
    // "7": 7 = 7), blanks dark.
    const outcheck::Result out = OutFile();
    const std::map<int, std::string> digits = {{1, std::string("\x5b\x06\x00\x00", 4)},
                                               {3, std::string("\x07\x00\x00\x00", 4)}};
    for (const auto& [n, codes] : digits) {
        const std::string sub = SubrecordOf(out, n, 9);
        ASSERT_GE(sub.size(), 8u) << n;
        EXPECT_EQ(static_cast<unsigned char>(sub[3]), 174) << n;
        EXPECT_EQ(sub.substr(4, 4), codes) << n;
    }
    EXPECT_EQ(SubrecordOf(out, 2, 9), "");

    // While the extra texts are the active list there is no generation.
    h.MenuItem("mnuTextExtratext")->trigger();
    EXPECT_FALSE(h.MenuItem("mnuToolsGenerateLineNo")->isEnabled());
    h.MenuItem("mnuTextDesttext")->trigger();
    EXPECT_TRUE(h.MenuItem("mnuToolsGenerateLineNo")->isEnabled());
}

TEST_F(RouteToolsGui, GenerationIntoAGraphicSignLeavesTheCurrentSignAloneMarkedActive) {
    frmHead& h = Start(true, true);
    ShowSignRows({1, 2});
    // Targets: LINE (9), BACK (10); BACK alone.
    RunTool("mnuToolsGenerateLineNo", 0, {1}, {"cmdYesAll"});
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_EQ(SignInfoOf(10).Shown, kFalse);
    EXPECT_TRUE(OnlyTheActiveSignIsMarked());
    EXPECT_EQ(h.ActivePictureIndex, SignInfoOf(2).GraphicIndex);
    auto saved = SaveAndReadBack(project);
    EXPECT_NE(GetSignText(saved[1].text, 10), "");
    EXPECT_EQ(GetSignText(saved[2].text, 10), "");
    EXPECT_NE(GetSignText(saved[3].text, 10), "");
}

TEST_F(RouteToolsGui, SuperCopyCopiesTheMastersPagesAndSkipsItself) {
    Start();
    ShowSignRows({1, 2});
    OpenDest(2);
    // FRONT to REAR and to FRONT itself; REAR of destination 1 already has a
    // text: the question, answered Yes.
    std::string asked;
    RunTool("mnuToolsSuperCopy", 0, {0, 1}, {"cmdYes"}, &asked);
    EXPECT_EQ(asked, "Sign 3, REAR / Destination 1 already exists, replace ?");
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].text, "Same address!");
    // The open destination is the one opened before, on the sign current
    // before, and only that sign's status bar marks it active.
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(gCurrentSign, 2);
    EXPECT_TRUE(OnlyTheActiveSignIsMarked());
    EXPECT_EQ(gDocumentModified, kTrue);
    auto saved = SaveAndReadBack(project);
    for (int n = 1; n <= 3; ++n) {
        const std::string front = GetSignText(saved[n].text, 2);
        EXPECT_EQ(GetSignText(saved[n].text, 3), "\xff" "REAR" + front.substr(6)) << n;
        const std::string rear = GetSignSection(saved[n].data, 3), frontData = GetSignSection(saved[n].data, 2);
        ASSERT_FALSE(rear.empty()) << n;
        EXPECT_EQ(rear.substr(2), frontData.substr(2)) << n;
    }
    const outcheck::Result out = OutFile();
    EXPECT_NE(SubrecordOf(out, 3, 3), "");
}

TEST_F(RouteToolsGui, TheZoomDialogShowsSamplesAndEachZoomSizesThePicture) {
    frmHead& h = Start();
    ShowSignRows({1});
    OpenDest(1);
    const int k = SignInfoOf(2).GraphicIndex;
    for (int16_t zoom : {2, 4, 1, 3}) {
        bool seen = false;
        WhenOpen<frmSignScale>(
            [zoom](frmSignScale& d) {
                // Every sample is the sign drawn by the engine at its zoom.
                for (int i = 1; i <= 4; ++i) {
                    const QImage sample = d.picUnSelected[i]->pixmap().toImage();
                    QImage expected(sample.size(), QImage::Format_RGB32);
                    expected.fill(Qt::black);
                    ForEachSampleRect(static_cast<int16_t>(i), [&](int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
                        for (int y = y1; y <= y2; ++y)
                            for (int x = x1; x <= x2; ++x)
                                if (expected.rect().contains(x + 3, y + 3)) expected.setPixelColor(x + 3, y + 3, Qt::yellow);
                    });
                    int lit = 0, differing = 0;
                    // Inside the frame the sample is the sign's dots.
                    for (int y = 3; y < sample.height() - 3; ++y)
                        for (int x = 3; x < sample.width() - 3; ++x) {
                            const bool on = sample.pixelColor(x, y) == QColor(255, 255, 0);
                            lit += on;
                            differing += on != (expected.pixelColor(x, y) == QColor(Qt::yellow));
                        }
                    EXPECT_GT(lit, 0) << i;
                    EXPECT_EQ(differing, 0) << i;
                }
                QTest::mouseClick(d.cmdScale[zoom], Qt::LeftButton);
                for (int i = 1; i <= 4; ++i) EXPECT_EQ(d.cmdScale[i]->property("Chosen").toBool(), i == zoom);
                QTest::mouseClick(d.cmdOK, Qt::LeftButton);
            },
            &seen);
        QTest::mouseClick(h.cmdScale[k], Qt::LeftButton);
        QApplication::processEvents();
        ASSERT_TRUE(seen);
        const SignInfo& s = SignInfoOf(2);
        EXPECT_EQ(s.Zoom, zoom);
        EXPECT_EQ(s.DotSize, DotSizeOfZoom(zoom));
        // The dot grid and the gap that closes it.
        EXPECT_EQ(h.picSign[k]->width(), (s.DotSize + 1) * 112 + 1) << zoom;
        EXPECT_EQ(h.picSign[k]->height(), (s.DotSize + 1) * 16 + 1) << zoom;
    }
    // Cancel keeps the zoom, whatever sample was clicked.
    bool seen = false;
    WhenOpen<frmSignScale>(
        [](frmSignScale& d) {
            EXPECT_EQ(d.ChosenZoom, 3);
            QTest::mouseClick(d.cmdScale[1], Qt::LeftButton);
            QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
        },
        &seen);
    QTest::mouseClick(h.cmdScale[k], Qt::LeftButton);
    ASSERT_TRUE(seen);
    EXPECT_EQ(SignInfoOf(2).Zoom, 3);
}

TEST_F(RouteToolsGui, FontsPerSignHeightAreSavedByOk) {
    ShowActivated();
    const std::string settings = dir.file("kivar.lib");
    const std::string before = testutil::ReadFile(settings);
    // Options > Preferences, its third page, the default fonts' button.
    head->MenuItem("mnuInst\xC3\xA4llningar")->trigger();
    QApplication::processEvents();
    frmPreferences* prefs = head->findChild<frmPreferences*>();
    ASSERT_NE(prefs, nullptr);
    QTest::mouseClick(prefs->lblTag[2], Qt::LeftButton);
    ASSERT_TRUE(prefs->cmdDefaultFont->isVisible());
    bool seen = false;
    WhenOpen<frmDefaultRouteNoFonts>(
        [&](frmDefaultRouteNoFonts& d) {
            EXPECT_EQ(d.cboFontHeght->currentText(), "07");
            EXPECT_EQ(d.cboFontHeght->count(), 26);
            // OK without changes writes nothing.
            QTest::mouseClick(d.cmdOK, Qt::LeftButton);
            EXPECT_EQ(testutil::ReadFile(settings), before);

            // Height 16: the route-number font becomes the list's first font.
            d.cboFontHeght->setCurrentIndex(d.cboFontHeght->findText("16"));
            EXPECT_EQ(B(d.cboDefaultRouteNoFont->currentText()).substr(0, 1), DefaultRouteNoFontOfHeight(16));
            d.cboDefaultRouteNoFont->setFocus();
            QTest::keyClick(d.cboDefaultRouteNoFont, Qt::Key_Home);
            const std::string first = B(d.cboDefaultRouteNoFont->currentText()).substr(0, 1);
            QTest::mouseClick(d.cmdOK, Qt::LeftButton);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(DefaultRouteNoFontOfHeight(16), first);
            const std::string after = testutil::ReadFile(settings);
            EXPECT_NE(after.find("Start- and routenumber font for 16-height sign\r\n" + DefaultStartFontOfHeight(16) +
                                 "," + first + "\r\n"),
                      std::string::npos);
            QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
            EXPECT_FALSE(d.isVisible());
        },
        &seen);
    QTest::mouseClick(prefs->cmdDefaultFont, Qt::LeftButton);
    EXPECT_TRUE(seen);
    prefs->close();
}
