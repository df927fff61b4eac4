// The main window driven as a user drives it: the real file dialog answered by
// typing into it, mouse clicks on the list's viewport, drags on a sign's
// frame, the page options and the access keys as they are laid out.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <functional>

#include "gui/head_fixture.h"
#include "ui/headwidgets_qt.h"

using namespace kv;

namespace {

// Where the keyboard of a real user goes: the open popup, else the widget
// with the focus.
QWidget* KeyTarget() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    return QApplication::focusWidget();
}

void Type(const QString& text) {
    for (const QChar c : text) QTest::keyClicks(KeyTarget(), QString(c));
}

void Press(Qt::Key key) { QTest::keyClick(KeyTarget(), key); }

// The next modal file dialog, once it is open: `answer` runs on it.
void OnFileDialog(std::function<void(QFileDialog*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        answer(d);
    });
    poll->start();
}

QLineEdit* NameBox(QFileDialog* d) { return d->findChild<QLineEdit*>("fileNameEdit"); }

// Types a name into the dialog's name box as a user does (letting the
// completion catch up) and presses Enter.
void TypeNameAndEnter(QFileDialog* d, const QString& name) {
    QLineEdit* box = NameBox(d);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    Type(name);
    QTest::qWait(300);
    Press(Qt::Key_Return);
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
    // Lit pixels of picture k.
    int LitPixels(int k) {
        const QImage& img = head->picSign[k]->Surface();
        const QColor fore = head->picSign[k]->ForeColor();
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) n += img.pixelColor(x, y) == fore;
        return n;
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
    OnFileDialog([&](QFileDialog* d) { TypeNameAndEnter(d, QString::fromStdString(project)); });
    h.MenuItem("mnuÖppna")->trigger();
    ASSERT_EQ(gDocumentPath, project);
    QTest::qWait(300);
    EXPECT_EQ(OtherVisibleWindows(), QStringList());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    ASSERT_EQ(h.DestList->count(), 2);
    EXPECT_EQ(LitPixels(0), 0);

    DoubleClickLine(h.DestList, 1);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(h.CurrNoTxt->text(), "2   ");
    EXPECT_GT(LitPixels(0), 0);
}

TEST_F(UseGui, AClickOnALineMakesItCurrent) {
    const std::string project = Fixture("lines.txl");
    frmHead& h = ShowActivated();
    h.ChooseFile = [&](const frmHead::FileDialogRequest&) { return frmHead::FileDialogChoice{false, project, 1}; };
    h.mnuÖppna_Click();
    ASSERT_EQ(h.DestList->count(), 2);
    EXPECT_EQ(h.CurrNoTxt->text(), "3");
    ClickLine(h.DestList, 1);
    EXPECT_EQ(gCurrentDest, 2);
    EXPECT_EQ(h.CurrNoTxt->text(), "2");
    ClickLine(h.DestList, 0);
    EXPECT_EQ(gCurrentDest, 1);
    EXPECT_EQ(h.CurrNoTxt->text(), "1");
}
