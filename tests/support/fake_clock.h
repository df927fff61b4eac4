// A clock the test moves by hand instead of waiting, installed for the
// lifetime of the object.
#pragma once

#include "platform/clock.h"

class FakeClock : public kv::Clock {
public:
    explicit FakeClock(double start = 1000) : now_(start) { kv::SetClock(this); }
    ~FakeClock() override { kv::SetClock(nullptr); }
    FakeClock(const FakeClock&) = delete;
    FakeClock& operator=(const FakeClock&) = delete;
    double Seconds() override { return now_; }
    void Advance(double seconds) { now_ += seconds; }
    void Set(double seconds) { now_ = seconds; }

private:
    double now_;
};
