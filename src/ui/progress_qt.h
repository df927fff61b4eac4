// The progress window of a long run (platform/progress.h): a text, a bar
// and nothing to press. The main window repaints while the run goes on but
// takes no clicks, and the window cannot be closed before the run ends.
#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;

class ProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit ProgressWindow(QWidget* parent = nullptr);
    void Show(const QString& text, int done, int total);

    QLabel* lblProgress = nullptr;
    QProgressBar* pgbProgress = nullptr;

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
};

namespace kv {
// A run starts: until it ends, the user's clicks, keys and close requests
// reach only the dialogs it opens (its questions and messages) and no
// other window.
void StartRunInput();
// The window of the run in hand, created at its first showing.
void ShowRunProgress(const QString& text, int done, int total);
// The run ends: its window closes and the windows take input again.
void EndRunProgress();
// Whether the window system's pending events are to run now: always
// outside a run; during one at most every few hundredths of a second, so
// that the windows repaint in step with the eye and not at every row.
bool RunEventsDue();
// A run is going.
bool RunGoing();
}  // namespace kv
