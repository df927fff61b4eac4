// The progress of a run that may take long, such as an import of many rows.
// After each step the window system processes its pending events, so the
// windows repaint; meanwhile they take no input but that of the run's own
// questions. Once the run has lasted a second the progress window shows
// how far it is, moved on at most every tenth of a second and at the last
// step. It closes when the run ends, however it ends. The times are read
// from the clock of platform/clock.h.
#pragma once

#include <cstdint>
#include <string>

namespace kv {

class RunProgress {
public:
    // Wait this long before the window shows, and this long between its moves.
    static constexpr double kShowAfter = 1.0;
    static constexpr double kMoveEvery = 0.1;

    RunProgress(std::string text, int32_t total);
    ~RunProgress();
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    // `done` of the total steps are done.
    void Step(int32_t done);
    // Ends the run now (its last message comes after it).
    void End();
    bool Shown() const { return shown_; }

private:
    std::string text_;
    int32_t total_;
    double start_;
    double lastShown_ = 0;
    bool running_ = true;
    bool shown_ = false;
};

}  // namespace kv
