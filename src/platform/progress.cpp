#include "platform/progress.h"

#include <utility>

#include "platform/clock.h"
#include "platform/host.h"

namespace kv {

RunProgress::RunProgress(std::string text, int32_t total)
    : text_(std::move(text)), total_(total), start_(MonotonicSeconds()) {
    Ui().StartRun();
}

RunProgress::~RunProgress() { End(); }

void RunProgress::Step(int32_t done) {
    if (!running_) return;
    const double now = MonotonicSeconds();
    const bool due = shown_ ? now - lastShown_ >= kMoveEvery || done >= total_ : now - start_ >= kShowAfter;
    if (due) {
        shown_ = true;
        lastShown_ = now;
        Ui().ShowProgress(text_, done, total_);
    }
    DoEvents();
}

void RunProgress::End() {
    if (!running_) return;
    running_ = shown_ = false;
    Ui().EndRun();
}

}  // namespace kv
