// Small helpers of the GUI tests: answering a modal dialog while the
// command that opened it waits, clicking a list's row, typing into a box.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Runs `act` on the modal dialog of type D once it shows (while a command
// waits in its event loop). Stops looking when destroyed.
template <typename D>
class WhenShown {
public:
    explicit WhenShown(std::function<void(D&)> act) : act_(std::move(act)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
            if (!d || !d->isVisible()) return;
            timer_.stop();
            seen = true;
            act_(*d);
            if (d->isVisible()) d->close();
        });
        timer_.start(5);
    }
    bool seen = false;

private:
    std::function<void(D&)> act_;
    QTimer timer_;
};

// A left click near the widget's left edge (where a check box has its box).
inline void ClickWidget(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    QApplication::processEvents();
}

// A check box brought to `on` by a click on its box, when it is not so yet.
inline void SetChecked(QCheckBox* box, bool on) {
    if (box->isChecked() != on) QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

inline void ClickRow(QListWidget* list, int row) {
    ASSERT_GE(row, 0);
    ASSERT_LT(row, list->count());
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

inline void DoubleClickRow(QListWidget* list, int row) {
    ClickRow(list, row);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

inline void TypeInto(QLineEdit* box, const QString& text) {
    box->setFocus();
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
}

// Whole lines of a CR LF text replaced: each line must be there once.
using Lines = std::vector<std::pair<std::string, std::string>>;
inline std::string WithLines(std::string text, const Lines& changes) {
    for (const auto& [from, to] : changes) {
        const size_t at = text.find("\r\n" + from + "\r\n");
        EXPECT_NE(at, std::string::npos) << from;
        EXPECT_EQ(text.find("\r\n" + from + "\r\n", at + 1), std::string::npos) << from;
        if (at != std::string::npos) text.replace(at + 2, from.size(), to);
    }
    return text;
}
