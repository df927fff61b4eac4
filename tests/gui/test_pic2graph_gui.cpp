// The bitmap import on the main window, driven through its widgets: the
// File menu's import items, the toolbar's open button, the real file dialog
// answered by typing the picture's name, the colour buttons, OK, Go, Skip
// and the replace question's buttons; the project is then saved with
// File > Save and read back with kivar-probe txl-dump.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <sstream>

#include "app/picconvert.h"
#include "data/signdata.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/wait_qt.h"
#include "gui/head_fixture.h"
#include "support/markup_state.h"
#include "support/signs_state.h"
#include "ui/frmPic2Graph.h"
#include "ui/frmReplace.h"
#include "ui/frmSignSel.h"
#include "ui/picload_qt.h"
#include "ui/qtbridge_qt.h"

using namespace kv;
namespace fs = std::filesystem;

namespace {

// Messages recorded as the fake does; the replace question is the real
// dialog.
class ImportUi : public FakeUi {
public:
    int32_t ReplaceQuestion(const std::string& question) override {
        questions.push_back(question);
        return ShowReplaceQuestion(question);
    }
    std::vector<std::string> questions;
};

// Steps run one after the other from the event loop, each once its
// condition holds: they go on inside the dialogs' own loops.
class Script {
public:
    void When(std::function<bool()> ready, std::function<void()> act) { steps_.push_back({ready, act}); }
    void Start() {
        started_.start();
        QTimer::singleShot(10, &context_, [this] { Poll(); });
    }
    bool Done() const { return next_ == steps_.size(); }
    size_t StepsRun() const { return next_; }
    std::string stuck;

private:
    void Poll() {
        if (Done()) return;
        if (started_.isValid() && started_.elapsed() > waitqt::kHangCap) {
            // Stuck: the open dialogs are closed so that the test ends and fails.
            if (QWidget* m = QApplication::activeModalWidget()) {
                stuck = m->metaObject()->className();
                if (auto* fd = qobject_cast<QFileDialog*>(m))
                    stuck += " " + fd->findChild<QLineEdit*>("fileNameEdit")->text().toStdString() + " | " +
                             fd->directory().absolutePath().toStdString();
            }
            while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            return;
        }
        QTimer::singleShot(10, &context_, [this] { Poll(); });
        if (!steps_[next_].ready()) return;
        const auto act = steps_[next_++].act;
        act();
    }
    struct Step {
        std::function<bool()> ready;
        std::function<void()> act;
    };
    std::vector<Step> steps_;
    QObject context_;  // pending polls end with the script
    size_t next_ = 0;
    QElapsedTimer started_;  // a stuck script ends at the hang cap
};

// A picture file: `rows` of characters, '.' white, '#' black, any other
// letter a colour of its own.
void WritePicture(const std::string& path, const std::vector<std::string>& rows) {
    QImage image(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const char c = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            image.setPixel(x, y, c == '.' ? qRgb(255, 255, 255) : c == '#' ? qRgb(0, 0, 0) : qRgb(c, 255 - c, c / 2));
        }
    const char* format = path.size() > 4 && path.substr(path.size() - 4) == ".jpg" ? "JPG" : "BMP";
    ASSERT_TRUE(image.save(QString::fromStdString(path), format)) << path;
}

std::string FromHex(const std::string& hex) {
    std::istringstream in(hex);
    std::string out;
    for (std::string byte; in >> byte;) out += static_cast<char>(std::stoi(byte, nullptr, 16));
    return out;
}

// The Text and SignData of every record of a saved project, by "d3" or "x7".
struct Stored {
    std::string text, data;
};
std::map<std::string, Stored> ReadBack(const std::string& path) {
    const testutil::ProbeResult r = testutil::RunProbe({"txl-dump", path});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    std::map<std::string, Stored> out;
    std::istringstream in(r.out);
    Stored* current = nullptr;
    for (std::string line; std::getline(in, line);) {
        int n = 0;
        if (std::sscanf(line.c_str(), "destination %d:", &n) == 1) current = &out["d" + std::to_string(n)];
        else if (std::sscanf(line.c_str(), "extra text %d:", &n) == 1) current = &out["x" + std::to_string(n)];
        else if (current && line.rfind("  Text:", 0) == 0) current->text = FromHex(line.substr(7));
        else if (current && line.rfind("  SignData:", 0) == 0) current->data = FromHex(line.substr(11));
    }
    return out;
}

// The project: FRONT, a graphic sign of 32 x 8 at address 2; destination 3
// "OLD" and destination 12 "P1" on page 1; extra texts per sign. With rear,
// also REAR, a graphic sign of 24 x 8 at address 4, and destination 1 with
// "F1" on FRONT and "R1" on REAR.
void BuildProject(const std::string& dataDir, const std::string& path, bool rear = false) {
    testmarkup::StartProjectOn(dataDir);
    testsigns::Sign(testsigns::SignLine("FRONT", "K4000", "32x8", "2"));
    if (rear) testsigns::Sign(testsigns::SignLine("REAR", "K4000", "24x8", "4"));
    ClearLists();
    kv::DestList.Clear();
    kv::ExtraList.Clear();
    InitOutFileDefaults();
    gTxlVersion = 5;
    gExtraPerSign = kTrue;
    gDestListActive = kTrue;
    gChangeTime = 3;
    SignInfo& s = SignInfoOf(2);
    s.GraphicIndex = 0;
    gCurrentSign = 2;
    ResizeGraphicLayer(0, s.Width + 5, s.Height + 5);
    ResizeUndoLayer(0, s.Width + 5, s.Height + 5);
    for (const auto& [dest, text] : {std::pair<int16_t, std::string>{3, "OLD"}, {12, "P1"}}) {
        RefreshEditor(0, 0);
        ReadCharMap("7");
        testtext::Type(text);
        testmarkup::Commit(dest, 1);
        gDestList[static_cast<size_t>(dest)].Code = PadCode(std::to_string(dest));
        AddListLine(dest, true);
    }
    if (rear) {
        for (const auto& [address, text] : {std::pair<int16_t, std::string>{2, "F1"}, {4, "R1"}}) {
            SignInfo& r = SignInfoOf(address);
            r.GraphicIndex = 0;
            gCurrentSign = address;
            ResizeGraphicLayer(0, r.Width + 5, r.Height + 5);
            RefreshEditor(0, 0);
            ReadCharMap("7");
            testtext::Type(text);
            testmarkup::Commit(1, 1);
        }
        gDestList[1].Code = PadCode("1");
        AddListLine(1, true);
    }
    gBackupOn = kFalse;
    ASSERT_TRUE(SaveTxlFile(path));
}

class Pic2GraphGui : public HeadGui {
protected:
    frmHead& Start(bool rear = false) {
        project = dir.file("import.txl");
        BuildProject(dir.path(), project, rear);
        before = ReadBack(project);
        ShowOpenedOnCommandLine(project);
        EXPECT_EQ(gCurrentSign, 2);
        EXPECT_TRUE(SignInfoOf(2).Shown);
        fs::create_directories(pics());
        return *head;
    }
    std::string pics() const { return dir.file("pics"); }
    std::string pic(const std::string& name) const { return pics() + "/" + name; }

    static frmPic2Graph* Dialog() { return qobject_cast<frmPic2Graph*>(QApplication::activeModalWidget()); }
    // The import dialog's file dialog while it is open.
    static QFileDialog* FileDialog() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* d = qobject_cast<frmPic2Graph*>(w); d && d->CommonDialog1->isVisible()) return d->CommonDialog1;
        return nullptr;
    }
    static void Click(QWidget* w) {
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(w->width() / 2, w->height() / 2));
    }
    // The dialog's open button, then the picture's name typed into the
    // real file dialog.
    void OpenPicture(const std::string& path) {
        // Once the dialog is shown and its toolbar laid out.
        script.When(
            [] {
                QWidget* open = Dialog() ? Dialog()->Toolbar1->widgetForAction(Dialog()->tbOpen) : nullptr;
                return open && open->isVisible() && open->width() > 4 && QApplication::activePopupWidget() == nullptr;
            },
            [] { Click(Dialog()->Toolbar1->widgetForAction(Dialog()->tbOpen)); });
        // The name typed into the file dialog's name box key by key, as a
        // user types it, then Return; once the dialog has closed nothing of
        // it is left to take the next click (its name completion).
        script.When(
            [] {
                QFileDialog* fd = FileDialog();
                return fd && fd->windowHandle() && fd->windowHandle()->isExposed();
            },
            [path] {
                QFileDialog* fd = FileDialog();
                auto* edit = fd->findChild<QLineEdit*>("fileNameEdit");
                auto keys = [edit] { return QApplication::activePopupWidget() ? QApplication::activePopupWidget() : edit; };
                QTest::mouseClick(edit, Qt::LeftButton);
                edit->selectAll();
                for (const QChar c : QString::fromStdString(path)) QTest::keyClicks(keys(), QString(c));
                EXPECT_TRUE(waitqt::WaitFor([&] { return edit->text() == QString::fromStdString(path); }))
                    << edit->text().toStdString();
                auto* open = fd->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Open);
                EXPECT_TRUE(waitqt::WaitFor([open] { return open->isEnabled(); }));
                QTest::keyClick(keys(), Qt::Key_Return);
                EXPECT_TRUE(waitqt::WaitFor([fd] { return !fd->isVisible(); })) << "the file dialog stayed open";
                if (fd->isVisible()) fd->reject();
            });
        // Back in the import window.
        script.When([] { return Dialog() != nullptr && FileDialog() == nullptr; },
                    [] { EXPECT_EQ(QApplication::activePopupWidget(), nullptr); });
    }
    // Runs the script over the menu item's dialog; every step must run.
    void Run(const char* menu) {
        script.Start();
        head->MenuItem(menu)->trigger();
        QApplication::processEvents();
        EXPECT_TRUE(script.Done()) << "stopped before step " << script.StepsRun() + 1 << " in " << script.stuck;
    }
    void CloseDialog() {
        script.When([] { return Dialog() != nullptr; }, [] { Dialog()->close(); });
    }
    std::map<std::string, Stored> SaveProject() {
        head->MenuItem("mnuSpara")->trigger();
        EXPECT_EQ(gDocumentModified, kFalse);
        return ReadBack(project);
    }
    // The dots of graphic 0 lit over the sign and its margin.
    static std::set<std::pair<int, int>> Lit() {
        std::set<std::pair<int, int>> lit;
        for (int x = 0; x <= GraphicLayerBound(0, 1); ++x)
            for (int y = 0; y <= GraphicLayerBound(0, 2); ++y)
                if (GetGraphicPixel(0, x, y)) lit.insert({x, y});
        return lit;
    }
    void OpenDestination(int number) {
        QListWidget* list = head->DestList;
        const int row = FindListIndexByNumber(kv::DestList, static_cast<int16_t>(number));
        ASSERT_GE(row, 0) << number;
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        QApplication::processEvents();
        ASSERT_EQ(gCurrentDest, number);
    }

    ImportUi pui;
    Script script;
    std::string project;
    std::map<std::string, Stored> before;
};

}  // namespace

TEST_F(Pic2GraphGui, SingleImportCentredIntoTheOpenDestination) {
    Start();
    OpenDestination(12);
    WritePicture(pic("Sign_12.bmp"), {"........", ".#......", ".##.....", "........"});
    OpenPicture(pic("Sign_12.bmp"));
    script.When([] { return Dialog() && Dialog()->Tag == "XXX"; }, [] {
        frmPic2Graph* d = Dialog();
        ASSERT_NE(d->cmdColor[2], nullptr);  // white and black
        EXPECT_EQ(d->cmdColor[3], nullptr);
        EXPECT_TRUE(d->tbHAC->isChecked());
        EXPECT_TRUE(d->tbVAC->isChecked());
        Click(d->cmdColor[1]);  // white, the top-left pixel's, as the background
    });
    script.When([] { return Dialog() && Dialog()->cmdOK->isEnabled(); }, [] {
        frmPic2Graph* d = Dialog();
        EXPECT_EQ(d->txtDisplayText->text(), "Sign_12");
        EXPECT_EQ(d->txtDisplayText->selectedText(), "Sign_12");
        Click(d->cmdOK);
    });
    // Page 1 of destination 12 holds "P1": the question, answered Yes.
    script.When([] { return qobject_cast<frmReplace*>(QApplication::activeModalWidget()) != nullptr; },
                [] { Click(qobject_cast<frmReplace*>(QApplication::activeModalWidget())->cmdYes); });
    script.When([] { return Dialog() && !Dialog()->cmdOK->isEnabled(); }, [] {
        frmPic2Graph* d = Dialog();
        EXPECT_FALSE(d->cmdColor[1]->isEnabled());
        Click(d->cmdOK);  // a second OK commits nothing
        Click(d->cmdCancel);
    });
    Run("mnuArkivImportEnBild");
    EXPECT_EQ(pui.questions, (std::vector<std::string>{"Destination 12, text 1 already exists, replace ?"}));

    // Columns 1..2 of a 32 wide sign: offset 1 / 2 + 1 = 1.5 -> 2; column x - 2 + 16 - 1.
    // Rows 1..2 of 8: offset 2 / 2 + 1 = 2; row y - 2 + 4.
    const std::set<std::pair<int, int>> dots{{14, 3}, {14, 4}, {15, 4}};
    // The commit moved on to the next free number: the sign shows that
    // entry, which holds nothing on it.
    EXPECT_NE(gCurrentDest, 12);
    EXPECT_EQ(head->CurrNoTxt->text().toStdString(), std::to_string(gCurrentDest));
    EXPECT_TRUE(Lit().empty());
    const auto saved = SaveProject();
    EXPECT_EQ(saved.at("d12").text, "\xff" "FRONT# <Sign_12>");
    EXPECT_EQ(saved.at("d3").text, before.at("d3").text);
    // Opened again, the page shows the picture's dots.
    OpenDestination(12);
    EXPECT_EQ(Lit(), dots);
}

TEST_F(Pic2GraphGui, BatchFillsDestinationsAndExtraTextsAndIgnoresTheRest) {
    Start();
    const std::vector<std::string> blank{"....", "...."};
    WritePicture(pic("K0000_01.bmp"), blank);
    WritePicture(pic("K3.bmp"), {"#...", "...."});
    WritePicture(pic("k12_02.bmp"), {"....", "..#."});
    WritePicture(pic("KX7.bmp"), {".#..", "...."});
    for (const char* ignored : {"K5_00.bmp", "K10000.bmp", "KX1000.bmp", "README.bmp"}) WritePicture(pic(ignored), {"#"});
    WritePicture(pic("K4.jpg"), {"#..."});
    OpenPicture(pic("K3.bmp"));
    script.When([] { return Dialog() && Dialog()->cmdGo->isEnabled(); }, [] {
        frmPic2Graph* d = Dialog();
        Click(d->Toolbar1->widgetForAction(d->tbHAL));
        Click(d->Toolbar1->widgetForAction(d->tbVAT));
        Click(d->cmdGo);
    });
    // Destination 3 holds "OLD"; page 2 of destination 12 does not exist yet.
    script.When([] { return qobject_cast<frmReplace*>(QApplication::activeModalWidget()) != nullptr; },
                [] { Click(qobject_cast<frmReplace*>(QApplication::activeModalWidget())->cmdYes); });
    script.When([] { return Dialog() && Dialog()->StatusPanel1->text() == "Done"; }, [] { Dialog()->close(); });
    Run("mnuArkivImportBilder");
    EXPECT_TRUE(pui.messages.empty()) << pui.messages[0].text;
    EXPECT_EQ(pui.questions, (std::vector<std::string>{"Destination 3, text 1 already exists, replace ?"}));
    // The destination list is active and its number box shows its entry.
    EXPECT_TRUE(gDestListActive);
    EXPECT_EQ(head->CurrNoTxt->text().toStdString(), std::to_string(gCurrentDest));

    const auto saved = SaveProject();
    EXPECT_EQ(saved.at("d3").text, "\xff" "FRONT# <3_01>");
    EXPECT_EQ(saved.at("d12").text, "\xff" "FRONT# P1# <12_02>");
    EXPECT_EQ(GetRow(1, GetSectionText(2, saved.at("d12").data)), GetRow(1, GetSectionText(2, before.at("d12").data)));
    EXPECT_FALSE(GetRow(2, GetSectionText(2, saved.at("d12").data)).empty());
    EXPECT_EQ(saved.at("x7").text, "\xff" "FRONT# <7_01>");
    // Beside them only the default destination, which the reference picture
    // does not fill.
    EXPECT_EQ(saved.size(), 4u);
    EXPECT_EQ(saved.at("d0").text, "Default destination");
    EXPECT_TRUE(gDestListActive);
}

// A batch into FRONT while REAR is shown: the picture goes into FRONT's page
// of destination 1 and REAR keeps its page there, though REAR's editor
// shows another entry.
TEST_F(Pic2GraphGui, BatchIntoOneSignLeavesTheOtherShownSignsPages) {
    Start(true);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<frmSignSel*>(QApplication::activeModalWidget());
        ASSERT_NE(d, nullptr);
        seen = true;
        for (int i = 1; i <= d->Total(); ++i)
            if (!d->Sign_cbx.at(i)->isChecked()) QTest::mouseClick(d->Sign_cbx.at(i), Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseClick(d->Ok_cmd, Qt::LeftButton);
    });
    head->MenuItem("Signs_e")->trigger();
    ASSERT_TRUE(seen);
    ASSERT_TRUE(SignInfoOf(4).Shown);
    OpenDestination(3);
    ASSERT_EQ(gCurrentSign, 2);

    WritePicture(pic("K0000_01.bmp"), {"....", "...."});
    WritePicture(pic("K1.bmp"), {"#...", "...."});
    OpenPicture(pic("K1.bmp"));
    script.When([] { return Dialog() && Dialog()->cmdGo->isEnabled(); }, [] { Click(Dialog()->cmdGo); });
    script.When([] { return qobject_cast<frmReplace*>(QApplication::activeModalWidget()) != nullptr; },
                [] { Click(qobject_cast<frmReplace*>(QApplication::activeModalWidget())->cmdYes); });
    script.When([] { return Dialog() && Dialog()->StatusPanel1->text() == "Done"; }, [] { Dialog()->close(); });
    Run("mnuArkivImportBilder");
    EXPECT_EQ(pui.questions, (std::vector<std::string>{"Destination 1, text 1 already exists, replace ?"}));

    const auto saved = SaveProject();
    EXPECT_EQ(GetSignText(saved.at("d1").text, 2), "\xff" "FRONT# <1_01>");
    EXPECT_EQ(GetSignText(saved.at("d1").text, 4), GetSignText(before.at("d1").text, 4));
    EXPECT_EQ(GetSignSection(saved.at("d1").data, 4), GetSignSection(before.at("d1").data, 4));
    EXPECT_EQ(saved.at("d3").text, before.at("d3").text);
    // The signs show the entry the number box names.
    EXPECT_EQ(head->CurrNoTxt->text().toStdString(), std::to_string(gCurrentDest));
}

TEST_F(Pic2GraphGui, BatchWithoutTheReferencePictureNamesItAndKeepsGoDisabled) {
    Start();
    WritePicture(pic("k12.bmp"), {"#."});
    WritePicture(pic("KX7.bmp"), {"#."});  // extra texts alone need it too
    OpenPicture(pic("k12.bmp"));
    script.When([this] { return Dialog() && !pui.messages.empty(); }, [this] {
        EXPECT_FALSE(Dialog()->cmdGo->isEnabled());
        EXPECT_NE(pui.messages[0].text.find("K0000_01.bmp"), std::string::npos) << pui.messages[0].text;
        fs::remove(pic("k12.bmp"));
    });
    OpenPicture(pic("KX7.bmp"));
    script.When([this] { return Dialog() && pui.messages.size() == 2; }, [this] {
        EXPECT_FALSE(Dialog()->cmdGo->isEnabled());
        EXPECT_NE(pui.messages[1].text.find("K0000_01.bmp"), std::string::npos) << pui.messages[1].text;
    });
    CloseDialog();
    Run("mnuToolsPics2Graph");
    EXPECT_EQ(pui.messages.size(), 2u);
    EXPECT_FALSE(gDocumentModified);
}

TEST_F(Pic2GraphGui, SeventeenColoursImportNothing) {
    Start();
    OpenDestination(12);
    std::string row;
    for (char c = 'a'; c < 'a' + 17; ++c) row += c;
    WritePicture(pic("many.bmp"), {row});
    OpenPicture(pic("many.bmp"));
    script.When([this] { return Dialog() && !pui.messages.empty(); }, [this] {
        frmPic2Graph* d = Dialog();
        EXPECT_EQ(pui.messages[0].text, "More than 16 colors!");
        EXPECT_EQ(d->cmdColor[1], nullptr);
        EXPECT_FALSE(d->cmdOK->isEnabled());
        EXPECT_TRUE(d->fraSelectColor->isHidden());
        Click(d->cmdCancel);
    });
    Run("mnuToolsOnePic2Graph");
    EXPECT_EQ(pui.messages.size(), 1u);
    EXPECT_FALSE(gDocumentModified);
    EXPECT_TRUE(pui.questions.empty());
}

TEST_F(Pic2GraphGui, SkipLeavesTheRecordAsItWas) {
    Start();
    WritePicture(pic("K0000_01.bmp"), {"..", ".."});
    WritePicture(pic("K3.bmp"), {"#.", ".."});
    WritePicture(pic("KX7.bmp"), {".#", ".."});
    OpenPicture(pic("K3.bmp"));
    script.When([] { return Dialog() && Dialog()->cmdGo->isEnabled(); }, [] {
        frmPic2Graph* d = Dialog();
        Click(d->chkSetDisplayText);
        Click(d->cmdGo);
    });
    // Destination 3 exists: Yes to the question, then Skip at its name.
    script.When([] { return qobject_cast<frmReplace*>(QApplication::activeModalWidget()) != nullptr; },
                [] { Click(qobject_cast<frmReplace*>(QApplication::activeModalWidget())->cmdYes); });
    script.When([] { return Dialog() && Dialog()->Tag == "ChoiceFlag"; }, [] {
        frmPic2Graph* d = Dialog();
        EXPECT_EQ(d->txtDisplayText->text(), "<3_01>");
        EXPECT_EQ(d->txtDisplayText->selectedText(), "3_01");
        Click(d->cmdSkip);
    });
    // The extra text: its name typed over the proposal, then OK.
    script.When([] { return Dialog() && Dialog()->Tag == "ChoiceFlag"; }, [] {
        frmPic2Graph* d = Dialog();
        EXPECT_EQ(d->txtDisplayText->text(), "<7_01>");
        QTest::keyClicks(d->txtDisplayText, "Quay");
        Click(d->cmdOK);
    });
    script.When([] { return Dialog() && Dialog()->StatusPanel1->text() == "Done"; }, [] { Dialog()->close(); });
    Run("mnuArkivImportBilder");
    EXPECT_TRUE(pui.messages.empty()) << pui.messages[0].text;

    const auto saved = SaveProject();
    EXPECT_EQ(saved.at("d3").text, before.at("d3").text);
    EXPECT_EQ(saved.at("d3").data, before.at("d3").data);
    EXPECT_EQ(saved.at("x7").text, "\xff" "FRONT# <Quay>");
}

TEST_F(Pic2GraphGui, ClosingTheDialogEndsTheWaitForAColour) {
    Start();
    WritePicture(pic("two.bmp"), {".#"});
    OpenPicture(pic("two.bmp"));
    script.When([] { return Dialog() && Dialog()->Tag == "XXX"; }, [] { Dialog()->close(); });
    Run("mnuArkivImportEnBild");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(gDocumentModified);
}

// Whether the control shows inside the dialog, whole.
::testing::AssertionResult InsideTheDialog(QWidget* dialog, QWidget* w) {
    const QRect at(w->mapTo(dialog, QPoint(0, 0)), w->size());
    if (w->isVisible() && dialog->rect().contains(at)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << w->objectName().toStdString() << " at " << at.x() << "," << at.y() << " "
                                         << at.width() << "x" << at.height() << " in " << dialog->width() << "x"
                                         << dialog->height();
}

TEST_F(Pic2GraphGui, TheDialogFitsTheScreenWithAPictureOfAnySizeAndEscapeCancels) {
    Start();
    // A picture much larger than the screen, black on white.
    QImage large(2000, 2000, QImage::Format_RGB32);
    large.fill(Qt::white);
    for (int y = 100; y < 1900; ++y)
        for (int x = 100; x < 1900; ++x) large.setPixel(x, y, qRgb(0, 0, 0));
    ASSERT_TRUE(large.save(QString::fromStdString(pic("large.bmp")), "BMP"));
    const QRect screen = head->screen()->availableGeometry();
    ASSERT_LT(screen.width(), 2000);

    auto fits = [screen](frmPic2Graph* d) {
        EXPECT_TRUE(screen.contains(d->frameGeometry())) << d->width() << "x" << d->height();
        for (QWidget* w : std::initializer_list<QWidget*>{d->scrPicture, d->fraSelectColor, d->txtDisplayText, d->cmdOK,
                                                         d->cmdCancel, d->cmdColor[1], d->cmdColor[2]})
            EXPECT_TRUE(InsideTheDialog(d, w));
    };
    OpenPicture(pic("large.bmp"));
    script.When([] { return Dialog() && Dialog()->Tag == "XXX"; }, [fits] {
        frmPic2Graph* d = Dialog();
        fits(d);
        // The picture scrolls.
        EXPECT_EQ(d->picSelected->size(), QSize(2000, 2000));
        EXPECT_TRUE(d->scrPicture->horizontalScrollBar()->isVisible());
        EXPECT_TRUE(d->scrPicture->verticalScrollBar()->isVisible());
        QTest::keyClick(d, Qt::Key_Escape);
    });
    Run("mnuArkivImportEnBild");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(gDocumentModified);

    // Opened again (in the place kept from the large picture) with a small
    // one: all of it shows, and Cancel is in reach.
    WritePicture(pic("small.bmp"), {"......", ".##...", "......"});
    OpenPicture(pic("small.bmp"));
    script.When([] { return Dialog() && Dialog()->Tag == "XXX"; }, [fits] {
        frmPic2Graph* d = Dialog();
        fits(d);
        EXPECT_EQ(d->scrPicture->size(), d->picSelected->size());
        Click(d->cmdCancel);
    });
    Run("mnuArkivImportEnBild");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(PictureFiles, FormatsTransparencyFirstFrameAndUnreadableFiles) {
    ImportUi ui;
    CheckPictureFormats();  // BMP, GIF and JPEG are there: no message
    EXPECT_TRUE(ui.messages.empty());

    testutil::TempDir dir;
    // An animated GIF of one red pixel, then one blue: the first frame counts.
    const unsigned char gif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0x00, 0x00,
        0x00, 0x00, 0xFF, 0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00,
        0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x21, 0xF9, 0x04, 0x00, 0x0A, 0x00,
        0x00, 0x00, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x4C, 0x01,
        0x00, 0x3B};
    testutil::WriteFile(dir.file("two.gif"), std::string(reinterpret_cast<const char*>(gif), sizeof gif));
    const PixelPicture first = LoadPictureFile(dir.file("TWO.GIF"));  // found without regard to case
    ASSERT_EQ(first.width, 1);
    EXPECT_EQ(first.Point(0, 0), 0x0000FF);

    // Transparency over white.
    QImage alpha(2, 1, QImage::Format_ARGB32);
    alpha.setPixel(0, 0, qRgba(0, 0, 0, 0));
    alpha.setPixel(1, 0, qRgba(0, 0, 255, 255));
    ASSERT_TRUE(alpha.save(QString::fromStdString(dir.file("alpha.png"))));
    const PixelPicture flat = LoadPictureFile(dir.file("alpha.png"));
    EXPECT_EQ(flat.Point(0, 0), 0xFFFFFF);
    EXPECT_EQ(flat.Point(1, 0), 0xFF0000);

    WritePicture(dir.file("k.jpg"), {"....", "...."});
    EXPECT_EQ(LoadPictureFile(dir.file("k.jpg")).width, 4);

    testutil::WriteFile(dir.file("bad.bmp"), "not a picture");
    try {
        LoadPictureFile(dir.file("bad.bmp"));
        ADD_FAILURE() << "no error";
    } catch (const PictureLoadError& e) {
        EXPECT_NE(std::string(e.what()).find(dir.file("bad.bmp")), std::string::npos) << e.what();
    }
}
