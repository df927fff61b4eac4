// The program's QApplication and the one place where the Qt layer meets an
// error the core raised inside a handler: every event is delivered inside a
// catch; the error is shown, the project stays open as it is, and a modified
// project is written to the auto-save file before the message appears.
// Only here does the program decide to end on an error: when its settings
// file or its language file cannot be found (as at the start).
#pragma once

#include <QApplication>

#include <exception>
#include <functional>

namespace kv {

class KivarApplication : public QApplication {
public:
    KivarApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// Handles an error that stopped a handler (or the start, when `atStart`):
// secures a modified project, shows the error and ends the program when the
// error calls for it (a missing settings or language file, or any error of
// the start).
void HandleError(const std::exception& e, bool atStart = false);

// Ends the program at once. Tests replace the end with one that throws.
[[noreturn]] void EndProgram(int code);
void SetProgramEnd(std::function<void(int)> end);  // nullptr: the real end

}  // namespace kv
