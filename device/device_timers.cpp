#include "device/device_timers.h"

namespace device {
namespace {
constexpr std::array<std::string_view, kTimerCount> kTimerNames = {
    "Timer_Alarm",     "Timer_Clock",      "Timer_Date",    "Timer_Game",
    "Timer_Game_Over", "Timer_Game_Start", "Timer_Reprise",
};
} // namespace

std::string_view timerName(TimerId id) {
    return kTimerNames[static_cast<std::size_t>(id)];
}

DeviceTimers::DeviceTimers() = default;

void DeviceTimers::setInterval(TimerId id, int ms) {
    // A zero interval would fire forever without time passing.
    if (ms < 1) {
        ms = 1;
    }
    Timer& t = timer(id);
    if (t.interval == ms) {
        return;
    }
    t.interval = ms;
    if (t.enabled) {
        t.deadline = now_ + ms;
    }
}

void DeviceTimers::setEnabled(TimerId id, bool enabled) {
    Timer& t = timer(id);
    if (t.enabled == enabled) {
        return;
    }
    t.enabled = enabled;
    if (enabled) {
        t.deadline = now_ + t.interval;
    }
}

std::optional<Millis> DeviceTimers::nextDeadline() const {
    std::optional<Millis> best;
    for (const Timer& t : timers_) {
        if (t.enabled && (!best || t.deadline < *best)) {
            best = t.deadline;
        }
    }
    return best;
}

std::optional<TimerId> DeviceTimers::takeDue(Millis until) {
    std::size_t found = kTimerCount;
    for (std::size_t i = 0; i < kTimerCount; ++i) {
        const Timer& t = timers_[i];
        if (t.enabled && t.deadline <= until &&
            (found == kTimerCount || t.deadline < timers_[found].deadline)) {
            found = i;
        }
    }
    if (found == kTimerCount) {
        return std::nullopt;
    }
    Timer& t = timers_[found];
    if (t.deadline > now_) {
        now_ = t.deadline;
    }
    t.deadline = now_ + t.interval;
    return static_cast<TimerId>(found);
}

void DeviceTimers::settle(Millis until) {
    if (until > now_) {
        now_ = until;
    }
}

} // namespace device
