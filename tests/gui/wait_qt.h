// Waits for the event a test needs, never for a time. The cap only ends a
// test that would otherwise hang for good (a window that never shows, a
// dialog that never reads its folder); on a busy machine, under the
// sanitizers or on two cores every wait ends as soon as its event comes, so
// no verdict depends on the machine's speed.
#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

namespace waitqt {

// Long enough that only a hang reaches it.
inline constexpr int kHangCap = 180000;

// Runs the event loop until `done` holds; false only at the hang cap.
template <class Pred>
[[nodiscard]] bool WaitFor(Pred done) {
    return QTest::qWaitFor(done, kHangCap);
}

// A window shown and exposed by the window system.
[[nodiscard]] inline bool Shown(QWidget* w) { return QTest::qWaitForWindowExposed(w, kHangCap); }
[[nodiscard]] inline bool Active(QWidget* w) { return QTest::qWaitForWindowActive(w, kHangCap); }

// The file dialog has read the folder it shows: its model's own signal, or,
// for a folder the model had read before the wait began (it does not read it
// again), the folder's rows already there.
[[nodiscard]] inline bool FolderRead(QFileDialog* d) {
    auto* model = d->findChild<QFileSystemModel*>();
    if (!model) return false;
    QSignalSpy spy(model, &QFileSystemModel::directoryLoaded);
    const QString folder = d->directory().absolutePath();
    return WaitFor([&] { return !spy.isEmpty() || model->rowCount(model->index(folder)) > 0; });
}

}  // namespace waitqt
