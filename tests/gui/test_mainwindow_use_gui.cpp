// The main window driven as a user drives it: the real file dialog answered by
// typing into it, mouse clicks on the list's viewport, drags on a sign's
// frame, the page options and the access keys as they are laid out.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>
#include <sys/stat.h>
#include <map>

#include "gui/dialog_typing.h"
#include "gui/head_fixture.h"
#include "gui/wait_qt.h"
#include "app/entryload.h"
#include "engine/defaultdest.h"
#include "files/txlwrite.h"
#include "ui/headwidgets_qt.h"
#include "gui/wait_qt.h"

using namespace kv;
using namespace dialogtyping;

namespace {

// The access key of a caption ("Tr&ansfer": 'A'); a null character for none.
QChar AccessKey(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

// The point in the middle of line `row` of a list, in its viewport.
QPoint LinePoint(QListWidget* list, int row) { return list->visualItemRect(list->item(row)).center(); }

void ClickLine(QListWidget* list, int row) { QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, LinePoint(list, row)); }

void DoubleClickLine(QListWidget* list, int row) {
    const QPoint p = LinePoint(list, row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(list->viewport(), Qt::LeftButton, {}, p);
}

class UseGui : public HeadGui {
protected:
    std::string Fixture(const std::string& name) {
        const std::string path = dir.file(name);
        testutil::WriteFile(path, testutil::ReadFile(std::string(KIVAR_FIXTURE_DIR) + "/projects/" + name));
        return path;
    }
    // Shown with the fixture project opened as a recent file opens it,
    // without the dialog.
    frmHead& ShowWithProject(const std::string& name) {
        const std::string project = Fixture(name);
        frmHead& h = ShowActivated();
        h.bOpenWithoutDialog = true;
        h.OpenWithoutDialogPath = project;
        h.mnuÖppna_Click();
        return h;
    }
    // Lit pixels of picture k.
    int LitPixels(int k) {
        const QImage& img = head->picSign[k]->Surface();
        const QColor fore = head->picSign[k]->ForeColor();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y) == fore;
        return n;
    }
    // The format version of a project file, as the reader sees it.
    std::string VersionOf(const std::string& path) {
        const testutil::ProbeResult r = testutil::RunProbe({"txl-dump", path});
        EXPECT_EQ(r.exitCode, 0) << r.err;
        const size_t at = r.out.find("version: ");
        return at == std::string::npos ? std::string() : r.out.substr(at + 9, r.out.find('\n', at) - at - 9);
    }
    // The windows of the program on screen besides the main window.
    QStringList OtherVisibleWindows() {
        QStringList out;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w != head.get() && w->isVisible()) out << QString::fromLatin1(w->metaObject()->className());
        return out;
    }
};

}  // namespace

TEST_F(UseGui, AProjectOpenedByATypedNameLoadsALineOnDoubleClick) {
    const std::string project = Fixture("lines.txl");
    frmHead& h = ShowActivated();
    gOpenSavePath = dir.path();
    OnFileDialog([&](QFileDialog* d) {
        EXPECT_EQ(d->windowTitle().toStdString(), "Open...");
        TypeNameAndEnter(d, "lines.txl");
    });
    h.MenuItem("mnuÖppna")->trigger();
    ASSERT_EQ(gDocumentPath, project);
    EXPECT_TRUE(waitqt::WaitFor([&] { return OtherVisibleWindows().isEmpty(); })) << OtherVisibleWindows().join(", ").toStdString();
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_EQ(h.DestList->count(), 2);
    EXPECT_EQ(LitPixels(0), 0);

    DoubleClickLine(h.DestList, 1);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(h.CurrNoTxt->text().toStdString(), "2   ");
    EXPECT_GT(LitPixels(0), 0);
}

TEST_F(UseGui, AClickOnALineMakesItCurrent) {
    frmHead& h = ShowWithProject("lines.txl");
    ASSERT_EQ(h.DestList->count(), 2);
    EXPECT_EQ(h.CurrNoTxt->text().toStdString(), "3");
    ClickLine(h.DestList, 1);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(h.CurrNoTxt->text().toStdString(), "2");
    EXPECT_EQ(nPrevDest, 3);
    ClickLine(h.DestList, 0);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(h.CurrNoTxt->text().toStdString(), "1");
    // The double click that follows a click loads another entry from its
    // first page.
    gCurrentPage = 2;
    DoubleClickLine(h.DestList, 1);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(gCurrentPage, 1);
    EXPECT_EQ(nPrevDest, 2);
    // The extra-text list the same way.
    h.MenuItem("mnuTextExtratext")->trigger();
    ClickLine(h.ExtraList, 0);
    EXPECT_EQ(gCurrentExtra, 1);
    EXPECT_EQ(h.CurrNoTxt->text().toStdString(), "1");
}

TEST_F(UseGui, SaveAsWritesTheVersionOfEachTypeChosenInTheDialog) {
    Option("ChooseFormat", 1);
    frmHead& h = ShowWithProject("lines.txl");
    // "Kivar 1.5.3 ", "Kivar 1.5 ", "Kivar 1.43 - 1.45 ", "Kivar 1.42 ",
    // "Kivar 1.41", "Kivar 1.31 ", then "All files (*.*)" keeps the last.
    const char* versions[] = {"5", "0", "1", "2", "3", "4", "4"};
    for (int row = 0; row < 7; ++row) {
        SCOPED_TRACE(row);
        const std::string name = "v" + std::to_string(row + 1) + ".txl";
        OnFileDialog([&](QFileDialog* d) {
            ChooseType(d, row);
            TypeNameAndEnter(d, QString::fromStdString(name));
        });
        h.MenuItem("mnuSparasom")->trigger();
        ASSERT_TRUE(FileExists(dir.file(name))) << gDocumentPath;
        EXPECT_EQ(VersionOf(dir.file(name)), versions[row]);
        EXPECT_EQ(gDocumentPath, dir.file(name));
    }
}

TEST_F(UseGui, ANameWithDoubleQuotesIsSavedAndOpenedAsTyped) {
    frmHead& h = ShowWithProject("lines.txl");
    const QString name = "Linje 5 \"x\".txl";
    const std::string path = dir.file(name.toStdString());
    OnFileDialog([&](QFileDialog* d) { TypeNameAndEnter(d, name); });
    h.MenuItem("mnuSparasom")->trigger();
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(dir.file("x")));
    EXPECT_EQ(gDocumentPath, path);
    EXPECT_TRUE(h.windowTitle().contains(name)) << h.windowTitle().toStdString();

    h.MenuItem("mnuNytt")->trigger();
    ASSERT_EQ(gDocumentPath, "");
    OnFileDialog([&](QFileDialog* d) { TypeNameAndEnter(d, name); });
    h.MenuItem("mnuÖppna")->trigger();
    EXPECT_EQ(gDocumentPath, path);
    EXPECT_EQ(h.DestList->count(), 2);
}

// The dialog shows a file's type from its name: a file without a known
// extension is not opened to learn it (a kernel file such as /proc/kmsg
// would hold the dialog's reader, and the program, for good).
TEST_F(UseGui, TheFileDialogTellsTypesFromTheNamesAlone) {
    testutil::WriteFile(dir.file("picture.txl"), std::string("\x89PNG\r\n\x1a\n", 8) + std::string(64, '\0'));
    frmHead& h = ShowActivated();
    gOpenSavePath = dir.path();
    QString type = "?";
    OnFileDialog([&](QFileDialog* d) {
        ASSERT_TRUE(waitqt::FolderRead(d));
        auto* model = d->findChild<QFileSystemModel*>();
        const QModelIndex file = model->index(d->directory().absoluteFilePath("picture.txl"));
        ASSERT_TRUE(waitqt::WaitFor([&] { return !model->type(file).isEmpty(); }));
        type = model->type(file);
        d->reject();
    });
    h.MenuItem("mnuÖppna")->trigger();
    EXPECT_FALSE(type.contains("PNG", Qt::CaseInsensitive)) << type.toStdString();
}

// A pipe, a device or a kernel file typed as the name is refused with its
// name before anything opens it; the open project stays.
TEST_F(UseGui, APipeOrAKernelFileTypedIsRefusedByName) {
    const std::string fifo = dir.file("pipe.txl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    frmHead& h = ShowWithProject("lines.txl");
    const std::string project = gDocumentPath;
    struct Case {
        const char* item;
        std::string typed;
    };
    for (const Case& c : {Case{"mnuÖppna", "pipe.txl"}, Case{"mnuÖppna", "/proc/kmsg"}, Case{"mnuSparasom", "/proc/kmsg"},
                          Case{"mnuÖppna", "/dev/zero"}}) {
        SCOPED_TRACE(c.typed + " " + c.item);
        ui.messages.clear();
        OnFileDialog([&](QFileDialog* d) {
            TypeName(d, QString::fromStdString(c.typed));
            Enter(d);
            // The dialog stays with the name refused.
            EXPECT_TRUE(d->isVisible());
            d->reject();
        });
        h.MenuItem(c.item)->trigger();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_NE(ui.messages[0].text.find(c.typed), std::string::npos) << ui.messages[0].text;
        EXPECT_EQ(gDocumentPath, project);
        EXPECT_EQ(h.DestList->count(), 2);
    }
    // Named without the dialog, as a recent file, it is refused the same way.
    ui.messages.clear();
    h.bOpenWithoutDialog = true;
    h.OpenWithoutDialogPath = fifo;
    h.mnuÖppna_Click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].text.find(fifo), std::string::npos) << ui.messages[0].text;
    EXPECT_EQ(gDocumentPath, project);
}

TEST_F(UseGui, SaveAsWritesNothingWhenTheTypeChosenIsUnknown) {
    Option("ChooseFormat", 1);
    frmHead& h = ShowWithProject("lines.txl");
    const int16_t version = gTxlVersion;
    const int beeps = ui.beeps;
    // A dialog that cannot tell which entry of its type list was chosen.
    const std::string target = dir.file("unknown.txl");
    h.ChooseFile = [target](const frmHead::FileDialogRequest&) { return frmHead::FileDialogChoice{false, target, 0}; };
    h.MenuItem("mnuSparasom")->trigger();
    EXPECT_FALSE(FileExists(target));
    EXPECT_EQ(ui.beeps, beeps + 1);
    EXPECT_EQ(gTxlVersion, version);
    EXPECT_EQ(gDocumentPath, dir.file("lines.txl"));
}

TEST_F(UseGui, TheMainWindowIsTheActiveFormOnceItsDialogClosed) {
    frmHead& h = ShowActivated();
    gOpenSavePath = dir.path();
    OnFileDialog([&](QFileDialog* d) { TypeNameAndEnter(d, "a.txl"); });
    h.MenuItem("mnuSparasom")->trigger();
    ASSERT_TRUE(FileExists(dir.file("a.txl")));
    // Auto-save and the number box's check count the main window as the
    // active form once the dialog is gone ...
    EXPECT_TRUE(h.ActiveFormIsMain());
    // ... but not while another window of the program is in front of it.
    QWidget other;
    other.resize(200, 100);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitqt::Active(&other));
    EXPECT_FALSE(h.ActiveFormIsMain());
    other.close();
    QApplication::processEvents();
    EXPECT_TRUE(h.ActiveFormIsMain());
}

TEST_F(UseGui, ANameTypedBeforeChoosingAllFilesIsTheNameSaved) {
    frmHead& h = ShowActivated();
    gOpenSavePath = dir.path();
    OnFileDialog([&](QFileDialog* d) {
        TypeName(d, "x.txl");
        ChooseType(d, 2);  // "All files (*.*)"
        EXPECT_EQ(NameBox(d)->text().toStdString(), "x.txl");
        EnterName(d);
    });
    h.MenuItem("mnuSparasom")->trigger();
    EXPECT_TRUE(FileExists(dir.file("x.txl")));
    for (const QString& f : QDir(QString::fromStdString(dir.path())).entryList(QDir::Files))
        EXPECT_FALSE(f.contains('*') || f.contains('?')) << f.toStdString();
}

TEST_F(UseGui, AnUntitledProjectIsOfferedNoNameOfAnEarlierSave) {
    frmHead& h = ShowActivated();
    gOpenSavePath = dir.path();
    OnFileDialog([&](QFileDialog* d) { TypeNameAndEnter(d, "first.txl"); });
    h.MenuItem("mnuSparasom")->trigger();
    ASSERT_TRUE(FileExists(dir.file("first.txl")));
    h.MenuItem("mnuNytt")->trigger();
    for (const char* item : {"mnuSparasom", "mnuÖppna"}) {
        SCOPED_TRACE(item);
        QString offered = "?";
        OnFileDialog([&](QFileDialog* d) {
            offered = NameBox(d)->text();
            d->reject();
        });
        h.MenuItem(item)->trigger();
        EXPECT_EQ(offered.toStdString(), "");
    }
}

TEST_F(UseGui, TheFileDialogShowsTheColumnsOfTheFilesWhole) {
    Fixture("lines.txl");
    Fixture("threesigns.txl");
    frmHead& h = ShowActivated();
    gOpenSavePath = dir.path();
    bool checked = false;
    OnFileDialog([&](QFileDialog* d) {
        auto* tree = d->findChild<QTreeView*>("treeView");
        auto* model = d->findChild<QFileSystemModel*>();
        ASSERT_TRUE(tree && model);
        EXPECT_TRUE(tree->isVisible());  // the detail view
        ASSERT_TRUE(waitqt::FolderRead(d));
        const QHeaderView* header = tree->header();
        const QAbstractItemView* view = tree;
        // The columns are sized once the folder is read.
        EXPECT_TRUE(waitqt::WaitFor([&] {
            for (int c = 0; c < header->count(); ++c)
                if (!header->isSectionHidden(c) && header->sectionSize(c) < view->sizeHintForColumn(c)) return false;
            return true;
        }));
        int total = 0;
        for (int c = 0; c < header->count(); ++c) {
            if (header->isSectionHidden(c)) continue;
            EXPECT_GE(header->sectionSize(c), view->sizeHintForColumn(c)) << "column " << c;
            EXPECT_GE(header->sectionSize(c), header->sectionSizeHint(c)) << "column " << c;
            total += header->sectionSize(c);
        }
        EXPECT_LE(total, tree->viewport()->width());
        checked = true;
        d->reject();
    });
    h.MenuItem("mnuÖppna")->trigger();
    EXPECT_TRUE(checked);
}

TEST_F(UseGui, EveryPageOptionAndTheChangeTimeReadWhole) {
    // All twenty options offered.
    Option("MaxNoOfChangingTexts", 20);
    frmHead& h = ShowActivated();
    h.Ch_Frame->show();
    ASSERT_TRUE(h.TNo_op[20]->isVisible());
    const QGroupBox* frame = h.Ch_Frame;
    const QFontMetrics titleFont(frame->font());
    const QRect inside(2, titleFont.height(), frame->width() - 4, frame->height() - titleFont.height() - 2);
    std::vector<QWidget*> parts(h.TNo_op.begin() + 1, h.TNo_op.end());
    parts.push_back(h.lblChTime);
    parts.push_back(h.txtCurrChTime);
    for (size_t i = 0; i < parts.size(); ++i) {
        QWidget* w = parts[i];
        SCOPED_TRACE(w->objectName().toStdString() + " " + w->property("Index").toString().toStdString());
        EXPECT_TRUE(inside.contains(w->geometry()));
        // The box needs room for two digits, not for its default width.
        const QSize needed = w == h.txtCurrChTime ? QSize(w->minimumSizeHint().width(), w->sizeHint().height()) : w->sizeHint();
        EXPECT_GE(w->width(), needed.width());
        EXPECT_GE(w->height(), needed.height());
        for (size_t j = i + 1; j < parts.size(); ++j) EXPECT_FALSE(w->geometry().intersects(parts[j]->geometry())) << j;
    }
    // The caption of the change time stands on one line.
    const QFontMetrics fm(h.lblChTime->font());
    EXPECT_GE(h.lblChTime->width(), fm.horizontalAdvance(h.lblChTime->text()));
    EXPECT_LT(h.lblChTime->height(), 2 * fm.height());
    // The options read in order, row by row.
    for (int n = 2; n <= 20; ++n) {
        const QRect a = h.TNo_op[n - 1]->geometry(), b = h.TNo_op[n]->geometry();
        EXPECT_TRUE(b.top() > a.top() || (b.top() == a.top() && b.left() > a.left())) << n;
    }
}

TEST_F(UseGui, EveryAccessKeyOfTheMainWindowIsItsOwn) {
    frmHead& h = ShowActivated();
    // The menu titles and the window's buttons and boxes share one set of
    // keys.
    std::map<QChar, QStringList> owners;
    for (QAction* a : h.menuBar()->actions())
        if (a->isVisible() && !AccessKey(a->text()).isNull()) owners[AccessKey(a->text())] << a->text();
    for (QAbstractButton* b : h.ClientArea->findChildren<QAbstractButton*>())
        if (!AccessKey(b->text()).isNull()) owners[AccessKey(b->text())] << b->text();
    for (const auto& [key, captions] : owners)
        EXPECT_EQ(captions.size(), 1) << QString(key).toStdString() << ": " << captions.join(", ").toStdString();
    // Each menu's items have keys of their own.
    for (QMenu* m : h.findChildren<QMenu*>()) {
        std::map<QChar, QStringList> items;
        for (QAction* a : m->actions())
            if (a->isVisible() && !AccessKey(a->text()).isNull()) items[AccessKey(a->text())] << a->text();
        for (const auto& [key, captions] : items)
            EXPECT_EQ(captions.size(), 1) << m->title().toStdString() << " " << QString(key).toStdString() << ": "
                                          << captions.join(", ").toStdString();
    }
    // Alt and the Remove button's key press it; Alt and the Transfer
    // menu's key open the menu.
    QSignalSpy removed(h.Remove, &QPushButton::clicked);
    QTest::keyClick(&h, AccessKey(h.Remove->text()).toLatin1(), Qt::AltModifier);
    EXPECT_TRUE(waitqt::WaitFor([&] { return removed.count() == 1; }));
    QMenu* transfer = h.SubMenu(QString::fromUtf8("\u00f6_e"));
    ASSERT_NE(transfer, nullptr);
    QTest::keyClick(&h, AccessKey(transfer->title()).toLatin1(), Qt::AltModifier);
    EXPECT_TRUE(waitqt::WaitFor([&] { return transfer->isVisible(); }));
    transfer->close();
}

// Open of a damaged project and of a text file, typed into the real dialog,
// over an open project with changes: each is reported and changes nothing
// (name, lists, current entry, pictures, the project's tables, its changes
// and their auto-save file); a good project opens after them.
TEST_F(UseGui, AFailedOpenLeavesTheOpenProjectAsItWas) {
    const std::string good = Fixture("threesigns.txl");
    testutil::WriteFile(dir.file("broken.txl"), testutil::ReadFile(good).substr(0, 200));
    testutil::WriteFile(dir.file("notes.txt"), "Linje 5\tCentrum\r\n12\tStation\r\n");
    frmHead& h = ShowWithProject("lines.txl");
    const std::string project = dir.file("lines.txl");
    gOpenSavePath = dir.path();
    DoubleClickLine(h.DestList, 1);
    ASSERT_EQ(gCurrentDest, 2);
    QTest::mouseClick(h.SaveDestOrExtra, Qt::LeftButton);
    ASSERT_EQ(gDocumentModified, kTrue);
    ASSERT_TRUE(WriteAutoSaveFile());

    auto state = [&h] {
        QStringList s;
        s << h.windowTitle() << QString::number(h.DestList->currentRow()) << h.CurrNoTxt->text();
        for (QListWidget* list : {h.DestList, h.ExtraList})
            for (int i = 0; i < list->count(); ++i) s << list->item(i)->text();
        s << QString::number(gCurrentDest) << QString::number(gCurrentSign) << QString::fromStdString(gDocumentPath);
        return s.join("\n").toStdString();
    };
    const std::string before = state();
    // Destination 0 is made anew at every activation of the window (the
    // closing dialog's may come or not); it is made here as it would be.
    kv::InitDefaultDestination();
    const std::string tables = BuildTxlFile(5);
    const QImage picture = h.picSign[0]->Surface();
    const int lit = LitPixels(0);
    ASSERT_GT(lit, 0);

    for (const char* name : {"broken.txl", "notes.txt"}) {
        SCOPED_TRACE(name);
        ui.messages.clear();
        ui.answers = {vbNo, vbOK};  // the changes not saved, and dropped
        OnFileDialog([&](QFileDialog* d) {
            if (QString(name).endsWith(".txt")) ChooseType(d, 2);  // "All files (*.*)"
            TypeNameAndEnter(d, name);
        });
        h.MenuItem("mnuÖppna")->trigger();
        ASSERT_EQ(ui.messages.size(), 3u);
        EXPECT_EQ(ui.messages[2].text, Key("S35") + dir.file(name) + " !");
        EXPECT_EQ(state(), before);
        kv::InitDefaultDestination();
        EXPECT_EQ(BuildTxlFile(5), tables);
        EXPECT_EQ(h.picSign[0]->Surface(), picture);
        EXPECT_EQ(gDocumentModified, kTrue);
        EXPECT_TRUE(FileExists(gAutoSaveFile));
        EXPECT_EQ(gRecentFiles[0].Path, project);
    }

    ui.answers = {vbNo, vbOK};
    OnFileDialog([&](QFileDialog* d) { TypeNameAndEnter(d, "threesigns.txl"); });
    h.MenuItem("mnuÖppna")->trigger();
    EXPECT_EQ(gDocumentPath, good);
    EXPECT_EQ(gDocumentModified, kFalse);
    EXPECT_FALSE(FileExists(gAutoSaveFile));
    EXPECT_NE(state(), before);
    EXPECT_EQ(gRecentFiles[0].Path, good);
}
