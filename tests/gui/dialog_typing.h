// Typing into the program's real file dialog as a user does: the keys go to
// its name box (or to the name completion open over it), a name is typed
// key by key and taken with Enter once the dialog's button takes it, a file
// type is chosen from the type list with the keys.
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

#include "gui/wait_qt.h"

namespace dialogtyping {

// Where the keyboard of a real user goes while `w` has the focus: to an
// open popup (the name completion) before it.
inline QWidget* KeyTarget(QWidget* w) {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    return w;
}

// A character without a key of its own (outside ASCII: "\u0141") comes
// as a keyboard layout sends it, as the text of a key.
inline void Type(QWidget* w, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80) QTest::keyClicks(KeyTarget(w), QString(c));
        else QTest::sendKeyEvent(QTest::Click, KeyTarget(w), Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

inline void Press(QWidget* w, Qt::Key key) { QTest::keyClick(KeyTarget(w), key); }

inline QLineEdit* NameBox(QFileDialog* d) { return d->findChild<QLineEdit*>("fileNameEdit"); }

// The next modal file dialog, once it is open: `answer` runs on it. A dialog
// that the answer leaves open is a failure and is cancelled, so that the
// test goes on.
inline void OnFileDialog(std::function<void(QFileDialog*)> answer) {
    auto* poll = new QTimer;
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [poll, answer] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d || !d->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        // A question the answer did not expect (the dialog's own "replace?")
        // fails the test instead of holding it.
        QTimer unexpected;
        unexpected.setInterval(50);
        QObject::connect(&unexpected, &QTimer::timeout, [] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                ADD_FAILURE() << "unexpected question: " << box->text().toStdString();
                box->reject();
            }
        });
        unexpected.start();
        answer(d);
        const bool closed = waitqt::WaitFor([d] { return !d->isVisible(); });
        unexpected.stop();
        if (!closed) {
            ADD_FAILURE() << "the file dialog stayed open with " << NameBox(d)->text().toStdString();
            d->reject();
        }
    });
    poll->start();
}

inline QPushButton* AcceptButton(QFileDialog* d) {
    auto* buttons = d->findChild<QDialogButtonBox*>("buttonBox");
    QPushButton* accept = buttons->button(QDialogButtonBox::Open);
    if (!accept || !accept->isVisible()) accept = buttons->button(QDialogButtonBox::Save);
    return accept;
}

// Types a name into the dialog's name box as a user does, a key at a time,
// whether or not the dialog has read its folder yet: the box then holds the
// name typed, and the dialog takes it.
inline void TypeName(QFileDialog* d, const QString& name) {
    QLineEdit* box = NameBox(d);
    QTest::mouseClick(box, Qt::LeftButton);
    box->selectAll();
    Type(box, name);
    const QString path = QFileInfo(QDir(d->directory()), name).absoluteFilePath();
    // A name with quotes is one name, which the dialog's own list of chosen
    // files does not tell.
    const bool quoted = name.contains('"');
    EXPECT_TRUE(waitqt::WaitFor([&] { return box->text() == name && (quoted || d->selectedFiles().value(0) == path); }))
        << box->text().toStdString() << " / " << d->selectedFiles().value(0).toStdString();
}

// Waits until the dialog's Open or Save button takes Enter.
inline void WaitForAccept(QFileDialog* d) {
    QPushButton* accept = AcceptButton(d);
    EXPECT_TRUE(waitqt::WaitFor([accept] { return accept && accept->isEnabled(); }))
        << NameBox(d)->text().toStdString() << " / " << d->selectedFiles().join(", ").toStdString() << " / "
        << d->selectedNameFilter().toStdString();
}

// Enter in the name box, once the dialog's Open or Save button takes it.
inline void Enter(QFileDialog* d) {
    WaitForAccept(d);
    Press(NameBox(d), Qt::Key_Return);
}

inline void EnterName(QFileDialog* d) {
    QTest::mouseClick(NameBox(d), Qt::LeftButton);
    Enter(d);
}

// The name typed once the dialog has read its folder, then Enter; the name
// typed is the one the dialog keeps.
inline void TypeNameAndEnter(QFileDialog* d, const QString& name) {
    TypeName(d, name);
    Enter(d);
}

// Chooses entry `row` (0-based) of the dialog's file types: the list opens
// with a click and the entry is chosen with the keys.
inline void ChooseType(QFileDialog* d, int row) {
    auto* types = d->findChild<QComboBox*>("fileTypeCombo");
    QTest::mouseClick(types, Qt::LeftButton);
    QAbstractItemView* list = types->view();
    ASSERT_TRUE(waitqt::WaitFor([list] { return list->isVisible(); }));
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < row; ++i) QTest::keyClick(list, Qt::Key_Down);
    QTest::keyClick(list, Qt::Key_Return);
    ASSERT_TRUE(waitqt::WaitFor([list] { return !list->isVisible(); }));
    ASSERT_EQ(types->currentIndex(), row);
}

}  // namespace dialogtyping
