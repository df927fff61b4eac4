// The menus of the main window driven through its widgets: whole entries
// copied and pasted in the lists (the number asked for in the real input
// box), the text import through the real file dialog with the replace
// question frmReplace answered by its buttons, the zoom buttons, and a walk
// over every menu item. Projects are read back with kivar-probe txl-dump.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCompleter>
#include <QAbstractItemView>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <QToolButton>

#include <algorithm>
#include <deque>
#include <map>
#include <sstream>

#include "app/copybuffer.h"
#include "app/replace.h"
#include "data/signdata.h"
#include "files/txlread.h"
#include "files/txlwrite.h"
#include "gui/wait_qt.h"
#include "gui/head_fixture.h"
#include "support/fake_clock.h"
#include "support/markup_state.h"
#include "support/signs_state.h"
#include "support/txldump.h"
#include "ui/frmFontShow.h"
#include "ui/frmPrefOUTFile.h"
#include "ui/frmReplace.h"
#include "ui/headwidgets_qt.h"
#include "ui/progress_qt.h"
#include "ui/qtbridge_qt.h"
#include "gui/wait_qt.h"

using namespace kv;

namespace {

// The message boxes recorded and answered as by FakeUi; the replace
// question is the real window.
class ReplaceUi : public FakeUi {
public:
    int32_t ReplaceQuestion(const std::string& question) override { return ShowReplaceQuestion(question); }
};

// One graphic page typed on the sign at `address` (its editor state).
void TypePage(int16_t address, const std::string& text) {
    SignInfo& s = SignInfoOf(address);
    s.GraphicIndex = 0;
    gCurrentSign = address;
    ResizeGraphicLayer(0, s.Width + 5, s.Height + 5);
    ResizeUndoLayer(0, s.Width + 5, s.Height + 5);
    gShowLineNo = 0;
    RefreshEditor(0, 0);
    ReadCharMap("7");
    testtext::Type(text);
}

// A project of the graphic sign FRONT (96 x 16, address 3): destinations
// `dests` with FRONT "D<n>", extra text 1 with "E1" (kept per sign or not).
void BuildProject(const std::string& dataDir, const std::string& path, std::initializer_list<int> dests,
                  bool extraPerSign = true, bool withExtra = true) {
    testmarkup::StartProjectOn(dataDir);
    testsigns::Sign(testsigns::SignLine("FRONT", "K4000", "96x16", "3"));
    ClearLists();
    kv::DestList.Clear();
    kv::ExtraList.Clear();
    InitOutFileDefaults();
    gTxlVersion = 5;
    gDestCodesOn = kFalse;
    gDestListActive = kTrue;
    gChangeTime = 3;
    for (int n : dests) {
        TypePage(3, "D" + std::to_string(n));
        testmarkup::Commit(static_cast<int16_t>(n), 1);
        gDestList[n].ChangeTime = 3;
        gDestList[n].Code = PadCode(std::to_string(n));
        AddListLine(static_cast<int16_t>(n), true);
    }
    gExtraPerSign = VbBool(extraPerSign);
    gBackupOn = kFalse;
    if (!withExtra) {
        ASSERT_TRUE(SaveTxlFile(path));
        return;
    }
    TypePage(3, "E1");
    const std::string markup = EncodeSignObjects(false), data = BuildSignData(PageFirstCell());
    gDestListActive = kFalse;
    if (extraPerSign) {
        SetExtraSignField(1, 3, 1, markup);
        SetActiveSection(1, 3, 1, data);
    } else {
        SetExtraField(1, 3, 1, markup);
        SetExtraSection(1, 1, data);
    }
    FormatListLine(gExtraList[1].Text, 1, kv::ExtraList);
    gDestListActive = kTrue;
    gBackupOn = kFalse;
    ASSERT_TRUE(SaveTxlFile(path));
}

using testtxl::ReadBack;
using testtxl::Stored;

class MenusGui : public HeadGui {
protected:
    frmHead& Start(const std::string& path) {
        project = path;
        return ShowOpenedOnCommandLine(path);
    }
    // File/Open of another project, chosen without the dialog.
    void OpenProject(const std::string& path) {
        head->ChooseFile = [path](const frmHead::FileDialogRequest&) { return frmHead::FileDialogChoice{false, path, 1}; };
        Menu({"mnuArkiv", "mnuÖppna"});
        head->ChooseFile = [this](const frmHead::FileDialogRequest& r) { return head->ShowFileDialog(r); };
        project = path;
        ASSERT_EQ(gDocumentPath, path);
    }
    // Chooses a menu item as a user does: a click on its menu in the menu
    // bar, then on the item in each menu that opens.
    void Menu(std::initializer_list<const char*> path) {
        QWidget* previous = nullptr;
        std::vector<const char*> names(path);
        QMenuBar* bar = head->menuBar();
        QAction* top = head->MenuItem(QString::fromUtf8(names[0]));
        ASSERT_NE(top, nullptr) << names[0];
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(top).center());
        QMenu* menu = head->SubMenu(QString::fromUtf8(names[0]));
        for (size_t i = 1; i < names.size(); ++i) {
            ASSERT_TRUE(waitqt::WaitFor([&] { return menu->isVisible(); })) << names[i - 1];
            QAction* a = head->MenuItem(QString::fromUtf8(names[i]));
            ASSERT_NE(a, nullptr) << names[i];
            ASSERT_TRUE(a->isEnabled()) << names[i];
            previous = menu;
            QMenu* sub = a->menu();
            if (sub) {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
                menu = sub;
            } else {
                QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
            }
        }
        (void)previous;
        QApplication::processEvents();
    }
    // A click on the line of an entry (its own selection).
    void ClickLine(QListWidget* list, int row) {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        QApplication::processEvents();
    }
    int Row(const ListModel& list, int n) { return FindListIndexByNumber(list, static_cast<int16_t>(n)); }
    // Answers the input boxes as they come, each with its answer typed and
    // Return; records their prompt, title and proposal.
    void AnswerInputBoxes(std::deque<std::string> answers) {
        auto* timer = new QTimer(head.get());
        timer->setInterval(10);
        auto queue = std::make_shared<std::deque<std::string>>(std::move(answers));
        QObject::connect(timer, &QTimer::timeout, head.get(), [this, timer, queue] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible() || box->property("Answered").toBool()) return;
            box->setProperty("Answered", true);
            asked.push_back(B(box->labelText()) + "|" + B(box->windowTitle()) + "|" + B(box->textValue()));
            auto* edit = box->findChild<QLineEdit*>();
            edit->selectAll();
            QTest::keyClick(edit, Qt::Key_Backspace);
            QTest::keyClicks(edit, Q(queue->front()));
            queue->pop_front();
            if (queue->empty()) {
                timer->stop();
                timer->deleteLater();
            }
            QTest::keyClick(edit, Qt::Key_Return);
        });
        timer->start();
    }
    // Answers the next file dialog with `name` typed key by key into its
    // name box and Return once its Open or Save button takes it; a dialog
    // that stays open fails the test.
    void AnswerFileDialog(const std::string& name) {
        QFileDialog* dialog = head->CommonDialog1;
        auto* timer = new QTimer(dialog);
        timer->setInterval(10);
        QObject::connect(timer, &QTimer::timeout, dialog, [dialog, timer, name] {
            if (!dialog->isVisible() || !dialog->windowHandle() || !dialog->windowHandle()->isExposed()) return;
            timer->stop();
            timer->deleteLater();
            auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(edit, nullptr);
            auto keys = [edit] { return QApplication::activePopupWidget() ? QApplication::activePopupWidget() : edit; };
            QTest::mouseClick(edit, Qt::LeftButton);
            edit->selectAll();
            for (const QChar c : Q(name)) QTest::keyClicks(keys(), QString(c));
            EXPECT_TRUE(waitqt::WaitFor([edit, name] { return B(edit->text()) == name; })) << edit->text().toStdString();
            auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
            QPushButton* accept = buttons->button(dialog->acceptMode() == QFileDialog::AcceptOpen ? QDialogButtonBox::Open
                                                                                                  : QDialogButtonBox::Save);
            EXPECT_TRUE(waitqt::WaitFor([accept] { return accept->isEnabled(); }));
            QTest::keyClick(keys(), Qt::Key_Return);
            if (!waitqt::WaitFor([dialog] { return !dialog->isVisible(); })) {
                ADD_FAILURE() << "the file dialog stayed open";
                dialog->reject();
            }
        });
        timer->start();
    }
    // Clicks the buttons of the replace questions as they come, recording
    // each question.
    void AnswerReplaceQuestions(std::deque<const char*> buttons) {
        auto* timer = new QTimer(head.get());
        timer->setInterval(10);
        auto queue = std::make_shared<std::deque<const char*>>(std::move(buttons));
        QObject::connect(timer, &QTimer::timeout, head.get(), [this, timer, queue] {
            auto* d = qobject_cast<frmReplace*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible()) return;
            questions.push_back(B(d->lblQuestion->text()));
            if (queue->empty()) {
                d->reject();
                return;
            }
            auto* button = d->findChild<QPushButton*>(queue->front());
            queue->pop_front();
            QTest::mouseClick(button, Qt::LeftButton);
            if (queue->empty()) {
                timer->stop();
                timer->deleteLater();
            }
        });
        timer->start();
    }
    std::map<int, Stored> SaveProject() {
        Menu({"mnuArkiv", "mnuSpara"});
        EXPECT_EQ(gDocumentModified, kFalse);
        return ReadBack(project);
    }
    static std::string Front(const Stored& s) { return GetSignText(s.text, 3); }

    std::string project;
    std::vector<std::string> asked, questions;
};

TEST_F(MenusGui, ADestinationCopiedAndPastedUnderAnAskedNumberAndInAnotherProject) {
    const std::string first = dir.file("first.txl"), second = dir.file("second.txl");
    BuildProject(dir.path(), second, {1, 2, 3});
    BuildProject(dir.path(), first, {1, 2, 3, 4, 5, 6, 7});
    frmHead& h = Start(first);

    // Destination 5 selected in its list and copied with Edit/Copy.
    ClickLine(h.DestList, Row(kv::DestList, 5));
    ASSERT_EQ(QApplication::focusWidget(), h.DestList);
    Menu({"mnuRedigera", "Cut_e"});
    ASSERT_TRUE(DestBufferFilled());

    // Pasted with 5 taken: the number is asked for, 8 proposed; letters and
    // a taken number are asked for again; an empty answer pastes nothing.
    AnswerInputBoxes({"x", "3", ""});
    Menu({"mnuRedigera", "Paste_e"});
    EXPECT_EQ(asked, std::vector<std::string>(3, "Enter new destnumber|Kivar32|8"));
    EXPECT_EQ(h.DestList->count(), 7);

    // The buffer stays: pasted again under 17.
    asked.clear();
    AnswerInputBoxes({"17"});
    h.DestList->setFocus();
    Menu({"mnuRedigera", "Paste_e"});
    EXPECT_EQ(asked.size(), 1u);
    EXPECT_EQ(h.DestList->count(), 8);
    EXPECT_EQ(B(h.DestList->item(7)->text()).substr(0, 7), "  17   ");
    EXPECT_EQ(gDocumentModified, kTrue);

    std::map<int, Stored> saved = SaveProject();
    ASSERT_TRUE(saved.count(17));
    EXPECT_EQ(Front(saved[17]), "\xff" "FRONT# D5");
    EXPECT_EQ(saved[17].text, saved[5].text);
    EXPECT_EQ(saved[17].data, saved[5].data);
    EXPECT_EQ(saved[17].code, "17  ");
    EXPECT_EQ(saved[5].code, "5   ");
    const Stored original = saved[5];

    // In a project where 5 is free it goes to 5 without a question.
    OpenProject(second);
    ASSERT_EQ(h.DestList->count(), 3);
    asked.clear();
    ClickLine(h.DestList, 0);
    Menu({"mnuRedigera", "Paste_e"});
    EXPECT_TRUE(asked.empty());
    EXPECT_EQ(h.DestList->count(), 4);
    saved = SaveProject();
    ASSERT_TRUE(saved.count(5));
    EXPECT_EQ(saved[5].text, original.text);
    EXPECT_EQ(saved[5].data, original.data);
    EXPECT_EQ(saved[5].code, "5   ");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(MenusGui, AnExtraTextBufferIsDroppedWithItsMessageWhenThePerSignModeChanges) {
    const std::string perSign = dir.file("persign.txl"), plain = dir.file("plain.txl"), empty = dir.file("empty.txl");
    BuildProject(dir.path(), empty, {1}, true, false);
    BuildProject(dir.path(), plain, {1}, false);
    BuildProject(dir.path(), perSign, {1}, true);
    frmHead& h = Start(perSign);
    Menu({"tx_e", "mnuTextExtratext"});
    ASSERT_TRUE(h.ExtraList->isVisible());
    ClickLine(h.ExtraList, 0);
    Menu({"mnuRedigera", "Cut_e"});
    ASSERT_TRUE(ExtraBufferFilled());

    // A project of the same mode keeps the buffer.
    OpenProject(perSign);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(ExtraBufferFilled());
    // One whose extra texts are not kept per sign drops it, with S145.
    OpenProject(plain);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Key("S145"));
    EXPECT_EQ(ui.messages[0].style, vbInformation);
    EXPECT_FALSE(ExtraBufferFilled());

    // After the out-file options: copied under one mode, the mode changed in
    // the dialog (offered while the project has no extra texts), the buffer
    // dropped when the dialog closes.
    ui.messages.clear();
    OpenProject(perSign);
    Menu({"tx_e", "mnuTextExtratext"});
    ClickLine(h.ExtraList, 0);
    Menu({"mnuRedigera", "Cut_e"});
    ASSERT_TRUE(ExtraBufferFilled());
    OpenProject(empty);
    EXPECT_TRUE(ui.messages.empty());
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<frmPrefOUTFile*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        seen = true;
        ASSERT_TRUE(dlg->chkExtra142->isEnabled());
        QTest::mouseClick(dlg->chkExtra142, Qt::LeftButton, {}, QPoint(8, dlg->chkExtra142->height() / 2));
        QTest::mouseClick(dlg->cmdOK, Qt::LeftButton);
    });
    const int16_t before = gExtraPerSign;
    Menu({"ö_e", "Transferfile_e"});
    ASSERT_TRUE(seen);
    ASSERT_NE(gExtraPerSign, before);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, Key("S145"));
    EXPECT_FALSE(ExtraBufferFilled());
}

TEST_F(MenusGui, TextImportWritesTheGoodRowsAndAsksBeforeReplacing) {
    const std::string path = dir.file("north.txl");
    BuildProject(dir.path(), path, {1, 2, 3, 4, 5, 6});
    frmHead& h = Start(path);
    ReplaceUi replaceUi;
    const std::string list = dir.file("north.txt");
    testutil::WriteFile(list, testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/textimport/north.txt"));

    // Yes, No, Yes to all: 4 follows the answer to all without a question.
    AnswerFileDialog(list);
    AnswerReplaceQuestions({"cmdYes", "cmdNo", "cmdYesAll"});
    Menu({"mnuArkiv", "mnuArkivImport", "mnuArkivImportFil2Dest"});
    ASSERT_EQ(replaceUi.messages.size(), 1u);
    EXPECT_EQ(replaceUi.messages[0].text,
              "Bad rows i file:\r\n\r\nthis line has no tab\r\n20.9\tpage nine is not offered\r\n"
              "21\tone\ttab too many\r\n");
    EXPECT_EQ(replaceUi.messages[0].style, vbOKCancel);
    EXPECT_EQ(questions, (std::vector<std::string>{"Destination 1, text 1 already exists, replace ?",
                                                   "Destination 2, text 1 already exists, replace ?",
                                                   "Destination 3, text 1 already exists, replace ?"}));
    EXPECT_EQ(h.CommonDialog1->windowTitle(), "Import destination list");

    // No to all in a second import skips every page that holds text; new
    // entries are still written.
    questions.clear();
    const std::string more = dir.file("more.txt");
    testutil::WriteFile(more, "5\tFIVE\r\n6\tSIX\r\n14\tFOURTEEN\r\n");
    AnswerFileDialog(more);
    AnswerReplaceQuestions({"cmdNoNone"});
    Menu({"mnuTools", "mnuToolsFile2Dest"});
    EXPECT_EQ(questions, (std::vector<std::string>{"Destination 5, text 1 already exists, replace ?"}));

    std::map<int, Stored> saved = SaveProject();
    EXPECT_EQ(Front(saved[1]), "\xff" "FRONT# NORTH");
    EXPECT_EQ(Front(saved[2]), "\xff" "FRONT# D2");
    EXPECT_EQ(Front(saved[3]), "\xff" "FRONT# CENTRAL");
    EXPECT_EQ(Front(saved[4]), "\xff" "FRONT# HARBOUR");
    EXPECT_EQ(Front(saved[5]), "\xff" "FRONT# D5");
    EXPECT_EQ(Front(saved[6]), "\xff" "FRONT# D6");
    EXPECT_EQ(Front(saved[12]), "\xff" "FRONT# AIRPORT# TERMINAL 2");
    EXPECT_EQ(Front(saved[14]), "\xff" "FRONT# FOURTEEN");
    EXPECT_EQ(saved[12].code, "12  ");
    EXPECT_EQ(saved.count(20), 0u);
    EXPECT_EQ(saved.count(21), 0u);
    // Page 2 of 12 is stored as its second page.
    const std::string section = GetSectionText(3, saved[12].data);
    EXPECT_EQ(std::count(section.begin(), section.end(), '\xb0'), 1);
}

TEST_F(MenusGui, CancelAtTheReportOfBadRowsImportsNothing) {
    const std::string path = dir.file("north.txl");
    BuildProject(dir.path(), path, {1});
    frmHead& h = Start(path);
    const std::string list = dir.file("bad.txt");
    testutil::WriteFile(list, "7\tSEVEN\nno tab\n");
    ui.answers = {vbCancel};
    AnswerFileDialog(list);
    Menu({"mnuArkiv", "mnuArkivImport", "mnuArkivImportFil2Dest"});
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(h.DestList->count(), 1);
    EXPECT_TRUE(gDestList[7].Text.empty());
}

// A clock on which every reading takes a twentieth of a second: a run of
// a few dozen rows lasts seconds on it.
class TickingClock : public FakeClock {
public:
    double Seconds() override {
        Advance(0.05);
        return FakeClock::Seconds();
    }
};

// Messages recorded; the run's window, its hold on input and the event
// loop are the program's own.
class RunUi : public FakeUi {
public:
    void DoEvents() override { QApplication::processEvents(); }
    void StartRun() override { StartRunInput(); }
    void ShowProgress(const std::string& text, int32_t done, int32_t total) override {
        ShowRunProgress(Q(text), done, total);
    }
    void EndRun() override { EndRunProgress(); }
    int32_t ReplaceQuestion(const std::string& question) override { return ShowReplaceQuestion(question); }
};

TEST_F(MenusGui, ALongImportShowsItsProgressTakesNoClicksAndReportsLostCharacters) {
    const std::string path = dir.file("north.txl");
    BuildProject(dir.path(), path, {1});
    frmHead& h = Start(path);
    RunUi runUi;
    const int rows = 61;
    std::string content = "13\tCAF\xC9 \xD8ST\r\n";
    for (int n = 20; n < 20 + rows - 2; ++n) {
        content += std::to_string(n) + "\tROW " + std::to_string(n) + "\r\n";
        // Destination 1 holds text: the question comes in the middle of the run.
        if (n == 50) content += "1\tNEW ONE\r\n";
    }
    const std::string list = dir.file("long.txt");
    testutil::WriteFile(list, content);

    // What the window shows while the rows go in; the list box's changes.
    std::vector<int> values;
    int total = 0;
    bool menuOpened = false, clicked = false;
    int listChanges = 0;
    QAbstractItemModel* model = h.DestList->model();
    for (auto signal : {&QAbstractItemModel::rowsInserted, &QAbstractItemModel::rowsRemoved})
        QObject::connect(model, signal, head.get(), [&] { ++listChanges; });
    QTimer probe;
    probe.setInterval(0);
    bool answered = false;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        // The question takes a click that comes as the window system's do,
        // to its window.
        if (auto* q = qobject_cast<frmReplace*>(QApplication::activeModalWidget()); q && q->isVisible()) {
            if (answered) {
                ADD_FAILURE() << "the click on Yes did not reach the question";
                q->reject();
                return;
            }
            answered = true;
            QTest::mouseClick(q->windowHandle(), Qt::LeftButton, {}, q->cmdYes->mapTo(q, q->cmdYes->rect().center()));
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* p = qobject_cast<ProgressWindow*>(w);
            if (!p || !p->isVisible()) continue;
            if (values.empty() || values.back() != p->pgbProgress->value()) values.push_back(p->pgbProgress->value());
            total = p->pgbProgress->maximum();
            if (!clicked) {
                // A click on the File menu while the rows go in opens nothing.
                clicked = true;
                QMenuBar* bar = h.menuBar();
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(h.MenuItem("mnuArkiv")).center());
                menuOpened = QApplication::activePopupWidget() != nullptr;
            }
        }
    });
    AnswerFileDialog(list);
    {
        TickingClock clock;
        listChanges = 0;
        probe.start();
        Menu({"mnuTools", "mnuToolsFile2Dest"});
        probe.stop();
    }
    ASSERT_FALSE(values.empty());
    EXPECT_EQ(total, rows);
    EXPECT_EQ(values.back(), rows);
    EXPECT_TRUE(std::is_sorted(values.begin(), values.end()));
    EXPECT_TRUE(clicked);
    EXPECT_FALSE(menuOpened);
    for (QWidget* w : QApplication::topLevelWidgets()) EXPECT_FALSE(qobject_cast<ProgressWindow*>(w) && w->isVisible());
    // The list box showed the list again once, not line by line.
    EXPECT_LE(listChanges, 2);
    EXPECT_EQ(h.DestList->count(), rows);
    EXPECT_EQ(h.DestList->count(), kv::DestList.ListCount());
    // The line of the last row written is the current one, in view.
    const int last = kv::DestList.ListIndex();
    ASSERT_EQ(ListLineNumber(kv::DestList.List(last)), 20 + rows - 3);
    EXPECT_EQ(h.DestList->currentRow(), last);
    EXPECT_TRUE(h.DestList->viewport()->rect().intersects(h.DestList->visualItemRect(h.DestList->item(last))));

    // Nothing is dropped without a word.
    ASSERT_EQ(runUi.messages.size(), 1u);
    EXPECT_EQ(runUi.messages[0].text,
              "Characters the sign could not take were left out of these rows:\r\n\r\n"
              "13\tCAF\xC9 \xD8ST\t(left out: \xD8)\r\n");
    std::map<int, Stored> saved = SaveProject();
    EXPECT_EQ(Front(saved[13]), "\xff" "FRONT# CAF\xC9 ST");
    EXPECT_EQ(Front(saved[20 + rows - 3]), "\xff" "FRONT# ROW " + std::to_string(20 + rows - 3));
    EXPECT_TRUE(answered);
    EXPECT_EQ(Front(saved[1]), "\xff" "FRONT# NEW ONE");
}

// The walk over the menu bar: every item is wired to its command, or it is
// held disabled as one of the items not built yet.
// QObject::receivers is protected: reached through a pointer to it (no
// object is cast to a class it is not).
struct ReceiversAccess : QObject {
    static auto Receivers() { return &ReceiversAccess::receivers; }
};
// A menu connects itself to each of its items; a command connects too.
bool Wired(QAction* a) {
    const int menus = static_cast<int>(a->associatedObjects().size());
    return (a->*ReceiversAccess::Receivers())(SIGNAL(triggered(bool))) > menus;
}

void WalkMenu(QMenu* menu, std::vector<QAction*>& items) {
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        items.push_back(a);
        if (a->menu()) WalkMenu(a->menu(), items);
    }
}

TEST_F(MenusGui, EveryMenuItemIsWiredOrHeldDisabled) {
    const std::string path = dir.file("walk.txl");
    BuildProject(dir.path(), path, {1, 2});
    frmHead& h = Start(path);
    std::vector<QAction*> items;
    for (QAction* top : h.menuBar()->actions()) {
        items.push_back(top);
        ASSERT_NE(top->menu(), nullptr);
        WalkMenu(top->menu(), items);
    }
    ASSERT_GT(items.size(), 60u);

    std::set<std::string> named;
    const auto check = [&](const char* when) {
        for (QAction* a : items) {
            const std::string name = a->objectName().toStdString();
            if (a->menu()) continue;  // a menu opens its items
            if (Unbuilt(name)) {
                EXPECT_FALSE(a->isEnabled()) << name << " " << when;
            } else {
                EXPECT_TRUE(Wired(a)) << name << " is neither wired nor listed as not built";
            }
        }
    };
    for (QAction* a : items) named.insert(a->objectName().toStdString());
    for (const UnbuiltMenuItem& item : UnbuiltMenuItems()) EXPECT_TRUE(named.count(item.name)) << item.name;
    check("at start");

    // What enables menu items does not enable those.
    for (const UnbuiltMenuItem& item : UnbuiltMenuItems()) h.MenuItem(QString::fromUtf8(item.name))->setEnabled(true);
    h.UpdateToolbarState();
    h.UpdateToolbarState2();
    Menu({"tx_e", "mnuTextExtratext"});
    Menu({"tx_e", "mnuTextDesttext"});
    h.Form_Activate();
    check("after the state changed");
}

TEST_F(MenusGui, TheSymbolsShowInTheFontBrowserWithTheGraphicFont) {
    const std::string path = dir.file("symbols.txl");
    BuildProject(dir.path(), path, {1});
    Start(path);
    const std::string before = gCurrentFontCode;
    ASSERT_NE(before, "g");
    std::string caption, font;
    auto* timer = new QTimer(head.get());
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [&, timer] {
        auto* browser = qobject_cast<frmFontShow*>(QApplication::activeModalWidget());
        if (!browser || !browser->isVisible()) return;
        timer->stop();
        caption = B(browser->windowTitle());
        font = gCurrentFontCode;
        QTest::mouseClick(browser->Ok_cmd, Qt::LeftButton);
    });
    timer->start();
    Menu({"mnuRedigera", "Im_e", "Std_grf"});
    EXPECT_EQ(caption, Key("S110"));
    EXPECT_EQ(font, "g");
    EXPECT_EQ(gCurrentFontCode, before);
}

TEST_F(MenusGui, TheZoomButtonOfAnotherPictureFlashesTheFrames) {
    const std::string path = dir.file("zoom.txl");
    testmarkup::StartProjectOn(dir.path());
    testsigns::Sign(testsigns::SignLine("FRONT", "K4000", "96x16", "3"));
    testsigns::Sign(testsigns::SignLine("REAR", "K4000", "48x8", "4"));
    ClearLists();
    InitOutFileDefaults();
    gBackupOn = kFalse;
    ASSERT_TRUE(SaveTxlFile(path));
    frmHead& h = Start(path);
    SignInfoOf(4).Shown = kTrue;
    h.LayoutSignPictures(true, false);
    h.ChangeAddress(SignInfoOf(3).GraphicIndex, true, true);
    const int active = h.ActivePictureIndex, other = SignInfoOf(4).GraphicIndex;
    ASSERT_GE(active, 0);
    ASSERT_NE(other, active);
    ASSERT_TRUE(h.cmdScale[other]->isVisible());

    int zooms = 0;
    h.Windows.SignScale = [&] { ++zooms; };
    QColor pressed, shown;
    QTimer::singleShot(60, [&] {
        pressed = h.PicSignFrame[other]->BackColor();
        shown = h.PicSignFrame[active]->BackColor();
    });
    QTest::mouseClick(h.cmdScale[other], Qt::LeftButton);
    EXPECT_EQ(pressed, QColor(255, 0, 0));
    EXPECT_EQ(shown, QColor(0, 255, 0));
    EXPECT_EQ(h.PicSignFrame[other]->BackColor(), SignFrame::ButtonFace());
    EXPECT_EQ(h.PicSignFrame[active]->BackColor(), SignFrame::ButtonFace());
    EXPECT_EQ(zooms, 0);

    // The active picture's button opens the zoom for the current sign.
    QTest::mouseClick(h.cmdScale[active], Qt::LeftButton);
    EXPECT_EQ(zooms, 1);
    EXPECT_EQ(QApplication::focusWidget(), gEditPicture);
}

}  // namespace
