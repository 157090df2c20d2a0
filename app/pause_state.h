#pragma once

#include <chrono>

namespace app {

// The monotonic clock as the paused device sees it: every paused stretch is taken out, so
// the device's time line neither runs while paused nor sees the pause as a gap afterwards.
class PausableClock {
public:
    using Nanos = std::chrono::nanoseconds;

    // The device's reading at the real monotonic reading `real`: frozen while paused.
    Nanos deviceTime(Nanos real) const { return (paused_ ? pausedAt_ : real) - away_; }
    // The real monotonic time at which the device's reading is `device` (not while paused).
    Nanos realTime(Nanos device) const { return device + away_; }

    void pause(Nanos real);
    void resume(Nanos real);
    bool paused() const { return paused_; }

private:
    bool paused_ = false;
    Nanos pausedAt_{0};
    Nanos away_{0};
};

} // namespace app
