#include "ui/progress_qt.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/host.h"
#include "ui/qtbridge_qt.h"

ProgressWindow::ProgressWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("frmProgress");
    setWindowTitle(kv::Q(kv::kMsgTitle));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    lblProgress = new QLabel(this);
    lblProgress->setObjectName("lblProgress");
    pgbProgress = new QProgressBar(this);
    pgbProgress->setObjectName("pgbProgress");
    pgbProgress->setMinimumWidth(320);
    layout->addWidget(lblProgress);
    layout->addWidget(pgbProgress);
}

void ProgressWindow::Show(const QString& text, int done, int total) {
    pgbProgress->setRange(0, std::max(total, 1));
    pgbProgress->setValue(std::clamp(done, 0, std::max(total, 1)));
    lblProgress->setText(QString("%1: %2 of %3").arg(text).arg(done).arg(total));
    if (!isVisible()) show();
}

// Neither Escape nor the close box ends the window: the run ends it.
void ProgressWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) return;
    QDialog::keyPressEvent(e);
}

void ProgressWindow::closeEvent(QCloseEvent* e) { e->ignore(); }

namespace kv {

namespace {

QPointer<ProgressWindow>& Current() {
    static QPointer<ProgressWindow> window;
    return window;
}

// Holds back the user's input to every window but the dialogs the run
// opens: the modal one in front, a popup of it (a combo box's list).
class RunInputFilter : public QObject {
public:
    bool eventFilter(QObject* receiver, QEvent* e) override {
        switch (e->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::Close:
            return !Allowed(receiver);
        default:
            return false;
        }
    }

private:
    // The window system's events come to a window first, then to the
    // widget under them.
    static bool Allowed(QObject* receiver) {
        QWidget* allowed[] = {QApplication::activeModalWidget(), QApplication::activePopupWidget()};
        for (QWidget* w : allowed) {
            if (!w || w == Current()) continue;
            if (receiver->isWidgetType() ? static_cast<QWidget*>(receiver)->window() == w : receiver == static_cast<QObject*>(w->windowHandle()))
                return true;
        }
        return false;
    }
};

RunInputFilter*& Filter() {
    static RunInputFilter* filter = nullptr;
    return filter;
}

QElapsedTimer& SinceEvents() {
    static QElapsedTimer timer;
    return timer;
}

}  // namespace

bool RunEventsDue() {
    constexpr qint64 kEveryMs = 25;
    if (!Filter()) return true;
    QElapsedTimer& since = SinceEvents();
    if (since.isValid() && since.elapsed() < kEveryMs) return false;
    since.start();
    return true;
}

bool RunGoing() { return Filter() != nullptr; }

void StartRunInput() {
    SinceEvents().invalidate();
    if (Filter()) return;
    Filter() = new RunInputFilter;
    qApp->installEventFilter(Filter());
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void ShowRunProgress(const QString& text, int done, int total) {
    QPointer<ProgressWindow>& w = Current();
    if (!w) w = new ProgressWindow(QApplication::activeWindow());
    w->Show(text, done, total);
}

void EndRunProgress() {
    if (RunInputFilter* filter = Filter()) {
        qApp->removeEventFilter(filter);
        delete filter;
        Filter() = nullptr;
        while (QApplication::overrideCursor()) QApplication::restoreOverrideCursor();
    }
    QPointer<ProgressWindow>& w = Current();
    if (!w) return;
    w->hide();
    w->deleteLater();
    w = nullptr;
}

}  // namespace kv
