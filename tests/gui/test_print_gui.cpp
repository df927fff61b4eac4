// The print dialogs on the screen, and the print commands of the main window
// printing a project to a PDF file: pages, header, labels and page numbers
// read back with pdfinfo and pdftotext, the dots of a printed sign looked at
// with pdftoppm; the listing written through the file dialog.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "app/userinfo.h"
#include "app/windowcommands.h"
#include "data/printprefs.h"
#include "data/userfields.h"
#include "engine/render.h"
#include "gui/wait_qt.h"
#include "gui/elapse_qt.h"
#include "gui/print_fixture.h"
#include "ui/frmPrintOptions.h"
#include "ui/frmPrintSignText.h"
#include "ui/frmSignSel.h"
#include "ui/frmUser.h"
#include "ui/qtbridge_qt.h"
#include "gui/wait_qt.h"

using namespace kv;

namespace {

using pdfpictures::PdfPages;
using pdfpictures::Shell;

std::string PdfText(const std::string& pdf, int page) {
    const std::string n = std::to_string(page);
    return Shell("pdftotext -layout -f " + n + " -l " + n + " '" + pdf + "' -");
}

// A page rendered in grey at a resolution: width, height, pixels.
struct Grey {
    int w = 0, h = 0;
    std::string px;
    int at(int x, int y) const { return static_cast<unsigned char>(px[static_cast<size_t>(y * w + x)]); }
};
Grey Render(const std::string& pdf, int dpi, const std::string& out) {
    Shell("pdftoppm -gray -r " + std::to_string(dpi) + " -f 1 -l 1 '" + pdf + "' '" + out + "'");
    std::string bytes = testutil::ReadFile(out + "-1.pgm");
    Grey g;
    int maxval = 0, consumed = 0;
    if (std::sscanf(bytes.c_str(), "P5 %d %d %d%n", &g.w, &g.h, &maxval, &consumed) == 3)
        g.px = bytes.substr(static_cast<size_t>(consumed) + 1);
    return g;
}

// Runs `act` on the modal dialog of type D once it is open; a dialog left
// open is closed by its close box.
template <class D>
void WhenOpen(const std::function<void(D&)>& act, bool* seen) {
    QTimer::singleShot(0, [act, seen] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        if (!d) {
            WhenOpen<D>(act, seen);
            return;
        }
        *seen = true;
        act(*d);
        if (d->isVisible()) d->close();
    });
}

class PrintGui : public PdfPrintGui {
protected:
    void TearDown() override {
        PdfPrintGui::TearDown();
        ResetPrintState();
        ResetUserFields();
    }
    // The main window on the fixture project of three signs (SIDE, a text
    // sign, FRONT 96 x 16 and REAR 84 x 16; destinations 1 and 2).
    frmHead& StartWithProject() {
        project = dir.file("threesigns.txl");
        testutil::WriteFile(project, testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/projects/threesigns.txl"));
        commandLine = {project};
        return ShowActivated();
    }
    void PrinterKey(const std::string& key, int value) {
        ASSERT_TRUE(IniSetValue(gSettingsFile, "Printer", key, IniValue(value)));
    }
};

PrintOptionsRequest ThreeSigns(bool range) {
    PrintOptionsRequest r;
    r.caption = "Print options";
    r.signNames = {"SIDE", "FRONT", "REAR"};
    r.rangeShown = range;
    r.from = r.lowest = "1";
    r.to = r.highest = "9999";
    return r;
}

}  // namespace

TEST_F(PrintGui, PrintOptionsRefuseSameOrderAndBadRangesWithABeep) {
    frmPrintOptions d;
    d.ShowPrintOptions(ThreeSigns(true));
    d.show();
    ASSERT_TRUE(waitqt::Shown(&d));
    ClickWidget(d.optWhat[1]);
    EXPECT_TRUE(d.picOrder->isVisible());
    EXPECT_FALSE(d.picSigns->isVisible());

    // FRONT moved up to order 1, as SIDE has: refused.
    d.cboSignOrder[2]->setFocus();
    QTest::keyClick(d.cboSignOrder[2], Qt::Key_Up);
    ASSERT_EQ(d.cboSignOrder[2]->currentText(), "1");
    ClickWidget(d.cmdDone);
    EXPECT_EQ(ui.beeps, 1);
    EXPECT_TRUE(d.isVisible());
    QTest::keyClick(d.cboSignOrder[1], Qt::Key_Down);  // SIDE second
    ASSERT_EQ(d.cboSignOrder[1]->currentText(), "2");

    const struct {
        const char *from, *to;
        QLineEdit* focus;
    } bad[] = {{"0", "5", d.txtFrom}, {"10", "5", d.txtFrom}, {"1", "10000", d.txtTom}};
    for (const auto& b : bad) {
        for (auto [box, text] : {std::pair{d.txtFrom, b.from}, std::pair{d.txtTom, b.to}}) {
            box->setFocus();
            box->selectAll();
            QTest::keyClicks(box, text);
        }
        const int beeps = ui.beeps;
        ClickWidget(d.cmdDone);
        EXPECT_EQ(ui.beeps, beeps + 1) << b.from << "-" << b.to;
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(QApplication::focusWidget(), b.focus) << b.from << "-" << b.to;
    }
    d.txtTom->selectAll();
    QTest::keyClicks(d.txtTom, "20");

    // The second layout, then Done: FRONT, SIDE, REAR.
    ClickWidget(d.optWhat[2]);
    const int frameX = d.lineSelect[0]->x();
    // The blinking frame stands 60 twips (4 pixels) outside the chosen
    // sketch on every side.
    auto frame = [&d] {
        QRect r;
        for (const QWidget* line : d.lineSelect) r |= line->geometry();
        return r;
    };
    EXPECT_EQ(frame(), d.picMode1->geometry().adjusted(-4, -4, 4, 4));
    ClickWidget(d.picMode2);
    EXPECT_EQ(frame(), d.picMode2->geometry().adjusted(-4, -4, 4, 4));
    // The page shows the sketches and the frame whole, above the button.
    EXPECT_TRUE(d.picResult->rect().contains(frame()));
    EXPECT_LT(d.picResult->geometry().bottom(), d.cmdDone->y());
    EXPECT_EQ(d.lineSelect[0]->x(), frameX + d.picMode2->x() - d.picMode1->x());
    ClickWidget(d.picMode2);  // already chosen: nothing moves
    EXPECT_EQ(d.lineSelect[0]->x(), frameX + d.picMode2->x() - d.picMode1->x());
    const int beeps = ui.beeps;
    ClickWidget(d.cmdDone);
    EXPECT_EQ(ui.beeps, beeps);
    EXPECT_FALSE(d.isVisible());
    EXPECT_FALSE(d.Answer.closed);
    EXPECT_EQ(d.Answer.order, (std::vector<int>{2, 1, 3}));
    EXPECT_TRUE(d.Answer.oneSignLayout);
    EXPECT_EQ(d.Answer.to, "20");
}

TEST_F(PrintGui, PrintOptionsRenumberTickedSignsAndCloseBoxCancels) {
    frmPrintOptions d;
    d.ShowPrintOptions(ThreeSigns(false));
    d.show();
    ASSERT_TRUE(waitqt::Shown(&d));
    ClickWidget(d.chkSignWanted[2]);  // FRONT unticked
    EXPECT_EQ(d.cboSignOrder[1]->currentText(), "1");
    EXPECT_EQ(d.cboSignOrder[3]->currentText(), "2");
    EXPECT_EQ(d.cboSignOrder[2]->count(), 0);
    EXPECT_FALSE(d.cboSignOrder[2]->isEnabled());
    EXPECT_EQ(d.cboSignOrder[3]->count(), 2);
    // The frame blinks at every tick of its timer.
    EXPECT_EQ(d.timSelctedMode->interval(), 250);
    const bool hidden = d.lineSelect[0]->isHidden();
    Elapse(d.timSelctedMode);
    EXPECT_NE(d.lineSelect[0]->isHidden(), hidden);
    Elapse(d.timSelctedMode);
    EXPECT_EQ(d.lineSelect[0]->isHidden(), hidden);
    d.close();
    EXPECT_TRUE(d.Answer.closed);
}

TEST_F(PrintGui, SignTextOptionsShowTheFontOnlyForThePrinter) {
    frmPrintSignText d;
    PrintTextFields f;
    f.text = "Destinations";
    f.sizeText = "14";
    d.SetFields(f, false);
    d.show();
    ASSERT_TRUE(waitqt::Shown(&d));
    EXPECT_FALSE(d.fraSignText->isVisible());
    EXPECT_EQ(d.cboFontSize->currentIndex(), 5);
    d.txtSignText->selectAll();
    QTest::keyClicks(d.txtSignText, "All");
    ClickWidget(d.cmdDone);
    EXPECT_FALSE(d.isVisible());
    d.TakeFields(f);
    EXPECT_EQ(f.text, "All");
    EXPECT_EQ(f.sizeText, "14");  // kept while hidden

    d.SetFields(f, true);
    d.show();
    ASSERT_TRUE(waitqt::Shown(&d));
    EXPECT_TRUE(d.fraSignText->isVisible());
    EXPECT_GT(d.cmdDone->y(), d.fraSignText->geometry().bottom());
    ClickWidget(d.chkSignTextBold);
    d.TakeFields(f);
    EXPECT_EQ(f.bold, 1);
    QStringList sizes;
    for (int i = 0; i < d.cboFontSize->count(); ++i) sizes << d.cboFontSize->itemText(i);
    EXPECT_EQ(sizes.join(","), "8,9,10,11,12,14,16,18,24");
}

TEST_F(PrintGui, UserInformationMarksTheProjectOnlyWhenAFieldChanged) {
    frmHead& h = ShowActivated();
    gUserCompany = "Orvalde";
    gUserOthers = "x";
    gDocumentModified = kFalse;
    auto run = [&](const std::function<void(frmUser&)>& act) {
        bool seen = false;
        WhenOpen<frmUser>(act, &seen);
        h.MenuItem("User_e")->trigger();
        EXPECT_TRUE(seen);
    };
    // Cancel: today's date stays, nothing is marked.
    run([](frmUser& d) {
        EXPECT_EQ(d.txtCompany->text(), "Orvalde");
        EXPECT_EQ(d.txtDate->text().toStdString(), PrintDateText());
        ClickWidget(d.cmdCancel);
    });
    EXPECT_EQ(gUserDate, PrintDateText());
    EXPECT_EQ(gDocumentModified, kFalse);
    // OK without a change.
    run([](frmUser& d) { ClickWidget(d.cmdOK); });
    EXPECT_EQ(gDocumentModified, kFalse);
    // Only the letter case of one field: marked, and stored.
    run([](frmUser& d) {
        d.txtCompany->setFocus();
        d.txtCompany->selectAll();
        QTest::keyClicks(d.txtCompany, "ORVALDE");
        ClickWidget(d.cmdOK);
    });
    EXPECT_EQ(gDocumentModified, kTrue);
    EXPECT_EQ(gUserCompany, "ORVALDE");
}

TEST_F(PrintGui, ProjectToPdfOneSignAfterAnother) {
    frmHead& h = StartWithProject();
    PrinterKey("Header", 1);
    PrinterKey("PageNumber", 1);
    PrinterKey("PrintPreferences", 0);
    bool seen = false;
    int16_t printing = kFalse;
    WhenOpen<frmPrintOptions>([&printing](frmPrintOptions& d) {
        printing = gPrinting;
        ClickWidget(d.optWhat[2]);
        ClickWidget(d.picMode2);
        ClickWidget(d.cmdDone);
    }, &seen);
    h.MenuItem("mnuSkrivutTillskrivare")->trigger();
    ASSERT_TRUE(seen);
    // Marked while the print command runs, and only then.
    EXPECT_EQ(printing, kTrue);
    EXPECT_EQ(gPrinting, kFalse);
    // Told where the printout went.
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_NE(ui.messages.back().text.find(pdf), std::string::npos);
    // A page per sign, and the extra texts on a page of their own.
    ASSERT_EQ(PdfPages(pdf), 4);
    for (int page = 1; page <= 4; ++page) {
        const std::string text = PdfText(pdf, page);
        EXPECT_NE(text.find("Orvalde"), std::string::npos) << page;
        // The page number closes the page.
        const size_t last = text.find_last_not_of(" \n\f");
        ASSERT_NE(last, std::string::npos);
        EXPECT_EQ(text.substr(text.find_last_of(" \n", last) + 1, last - text.find_last_of(" \n", last)), std::to_string(page)) << text;
    }
    const std::string first = PdfText(pdf, 1);
    for (const char* t : {"Destinations", "SIDE", "CENTRUM", "HAMN"}) EXPECT_NE(first.find(t), std::string::npos) << t;
    EXPECT_NE(PdfText(pdf, 2).find("FRONT"), std::string::npos);
}

TEST_F(PrintGui, SignAsBitmapAndCurrentSignToPdf) {
    frmHead& h = StartWithProject();
    PrinterKey("Header", 1);
    PrinterKey("PrintPreferences", 0);
    bool seen = false;
    WhenOpen<frmPrintOptions>([](frmPrintOptions& d) { ClickWidget(d.cmdDone); }, &seen);
    h.MenuItem("mnuSkrivutTillskrivareBilder")->trigger();
    ASSERT_TRUE(seen);
    ASSERT_EQ(PdfPages(pdf), 1);
    EXPECT_NE(PdfText(pdf, 1).find("Orvalde"), std::string::npos);
    Grey g = Render(pdf, 72, dir.file("bitmap"));
    ASSERT_GT(g.w, 0);
    int black = 0;
    for (char c : g.px) black += static_cast<unsigned char>(c) < 64 ? 1 : 0;
    EXPECT_GT(black, 100);
    EXPECT_FALSE(h.isMinimized());

    // The current sign alone: FRONT shown (the text sign not), destination
    // 1 opened, its dots from (500, 300) twips on, within the quarter-inch
    // margin of the page.
    bool signs = false;
    WhenOpen<frmSignSel>([](frmSignSel& d) {
        ASSERT_EQ(d.Sign_cbx.at(1)->text(), "&1 -- FRONT");
        ASSERT_EQ(d.Sign_cbx.at(3)->text(), "&3 -- SIDE");
        if (!d.Sign_cbx.at(1)->isChecked()) ClickWidget(d.Sign_cbx.at(1));
        if (d.Sign_cbx.at(3)->isChecked()) ClickWidget(d.Sign_cbx.at(3));
        ClickWidget(d.Ok_cmd);
    }, &signs);
    h.MenuItem("Signs_e")->trigger();
    ASSERT_TRUE(signs);
    ASSERT_EQ(SignInfoOf(3).Shown, kTrue);
    ASSERT_EQ(SignInfoOf(2).Shown, kFalse);
    h.DestList->setFocus();
    QApplication::processEvents();
    QTest::keyClick(h.DestList, Qt::Key_Home);
    QTest::keyClick(h.DestList, Qt::Key_Return);
    ASSERT_EQ(gCurrentDest, 1);
    std::remove(pdf.c_str());
    h.MenuItem("mnuSkrivutAktuellSkylt")->trigger();
    ASSERT_EQ(PdfPages(pdf), 1);
    g = Render(pdf, 144, dir.file("current"));  // 10 pixels a 100 twips
    ASSERT_GT(g.w, 0);
    int minX = g.w, minY = g.h, maxX = 0, maxY = 0, dots = 0;
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x)
            if (g.at(x, y) < 64) {
                ++dots;
                minX = std::min(minX, x);
                minY = std::min(minY, y);
                maxX = std::max(maxX, x);
                maxY = std::max(maxY, y);
            }
    // 144 pixels an inch: 10 a 100 twips; a dot 9.6 twips a unit.
    const int left = 36 + 50, top = 36 + 30;
    const double dot = DotPitch(SignInfoOf(3).Zoom) * 9.6 / 10;
    EXPECT_GT(dots, 50);
    EXPECT_GE(minX, left);
    EXPECT_GE(minY, top);
    EXPECT_LE(maxX, left + 96 * dot + 1);
    EXPECT_LE(maxY, top + 16 * dot + 1);
    // Black dots on white: the sign's first letter begins in its first columns.
    EXPECT_LT(minX, left + 3 * dot);
    // The entry is shown again from its record.
    EXPECT_EQ(gCurrentDest, 1);

    // On page 2 of the one-page entry (its page 1 stored again), the current
    // sign printed: Save then adds no page to FRONT, whose editor still
    // shows page 1.
    if (h.Ch_Frame->isHidden()) ClickWidget(h.Ch_Check);
    ClickWidget(h.SaveDestOrExtra);
    ASSERT_EQ(gCurrentPage, 2);
    const std::string front = GetSignText(gDestList[1].Text, 3);
    h.MenuItem("mnuSkrivutAktuellSkylt")->trigger();
    ClickWidget(h.SaveDestOrExtra);
    EXPECT_EQ(GetSignText(gDestList[1].Text, 3), front);
}

TEST_F(PrintGui, ListingThroughTheFileDialog) {
    frmHead& h = StartWithProject();
    const std::string out = dir.file("listing.txt");
    bool seen = false;
    WhenOpen<QFileDialog>([&](QFileDialog& d) {
        EXPECT_TRUE(waitqt::Shown(&d));
        auto* name = d.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->selectAll();
        QTest::keyClicks(name, Q(out));
        auto* buttons = d.findChild<QDialogButtonBox*>("buttonBox");
        ASSERT_NE(buttons, nullptr);
        QPushButton* save = buttons->button(QDialogButtonBox::Save);
        EXPECT_TRUE(waitqt::WaitFor([&] { return name->text() == Q(out) && save->isEnabled(); }));
        QTest::mouseClick(save, Qt::LeftButton);
        EXPECT_TRUE(waitqt::WaitFor([&] { return !d.isVisible(); })) << "the file dialog stayed open";
        if (d.isVisible()) d.reject();
    }, &seen);
    bool options = false;
    WhenOpen<frmPrintOptions>([](frmPrintOptions& d) { ClickWidget(d.cmdDone); }, &options);
    h.MenuItem("mnuSkrivutTillfil")->trigger();
    ASSERT_TRUE(seen);
    EXPECT_TRUE(options);
    const std::string text = testutil::ReadFile(out);
    EXPECT_NE(text.find("\tSIDE\tFRONT\tREAR\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("1\tCENTRUM\t1 CENTRUM\t1\r\n"), std::string::npos) << text;
}
