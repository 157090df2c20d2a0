#pragma once

#include <chrono>
#include <optional>

#include "device/device_timers.h"

namespace session {

using Nanos = std::chrono::nanoseconds;

// Maps the monotonic clock onto the device's time line: core time is real time since
// start-up, so a late wake-up delays one firing but never shifts the ones after it.
class CoreTimeline {
public:
    // A wake-up this much after a pending deadline means the process was stopped or the
    // machine slept.
    static constexpr device::Millis kGapMs = 1000;

    explicit CoreTimeline(Nanos origin) : origin_(origin) {}

    // The core time at the monotonic reading `now`. After a gap the lost time is dropped:
    // the core resumes at the pending deadline, as if the pause had not happened, instead
    // of replaying it as a burst of ticks.
    device::Millis coreTimeAt(Nanos now, std::optional<device::Millis> pendingDeadline);
    // The monotonic time at which core time `t` begins.
    Nanos monotonicAt(device::Millis t) const { return origin_ + std::chrono::milliseconds(t); }

    // Whether the computer's local time is worth working out (a costly call) to compare with
    // the device's clock: only when it can have drifted from the time line, that is when the
    // realtime clock moved against the monotonic one (set by hand, or time spent asleep), after
    // a dropped pause, and at the first look in each minute of the realtime clock, where
    // daylight-saving switches fall.
    bool wallClockDue(Nanos monotonicNow, Nanos realtimeNow);

private:
    Nanos origin_;
    bool gapDropped_ = false;
    std::optional<Nanos> wallOffset_; // realtime minus monotonic at the last look
    long long wallMinute_ = 0;
};

} // namespace session
