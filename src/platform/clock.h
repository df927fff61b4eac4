// The monotonic clock the core reads, in seconds (the auto-save interval is
// measured on it). The program runs on the system's steady clock; tests
// install a clock of their own and move it by hand instead of waiting.
#pragma once

namespace kv {

class Clock {
public:
    virtual ~Clock() = default;
    // Seconds since an arbitrary start; never decreases.
    virtual double Seconds() = 0;
};

// Seconds of the clock in use.
double MonotonicSeconds();
void SetClock(Clock* clock);  // nullptr restores the system's steady clock

}  // namespace kv
