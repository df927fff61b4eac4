#include "platform/clock.h"

#include <chrono>

namespace kv {

namespace {

class SteadyClock : public Clock {
public:
    double Seconds() override {
        using namespace std::chrono;
        return duration<double>(steady_clock::now().time_since_epoch()).count();
    }
};

SteadyClock gSteadyClock;
Clock* gClock = &gSteadyClock;

}  // namespace

double MonotonicSeconds() { return gClock->Seconds(); }

void SetClock(Clock* clock) { gClock = clock ? clock : &gSteadyClock; }

}  // namespace kv
