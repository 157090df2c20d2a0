#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace device {

// The device's seven timers, in the order that breaks ties between equal deadlines.
enum class TimerId : std::uint8_t {
    Timer_Alarm,
    Timer_Clock,
    Timer_Date,
    Timer_Game,
    Timer_Game_Over,
    Timer_Game_Start,
    Timer_Reprise,
};
inline constexpr std::size_t kTimerCount = 7;

std::string_view timerName(TimerId id);

using Millis = std::int64_t;

// Periodic millisecond timers as plain data on a virtual time line. They behave like the
// platform timers the device was written against: enabling starts a countdown, changing
// the interval of a running timer restarts it, and setting the same interval again does
// nothing (unlike QTimer::setInterval, which restarts even then).
class DeviceTimers {
public:
    DeviceTimers();

    void setInterval(TimerId id, int ms);
    void setEnabled(TimerId id, bool enabled);
    int interval(TimerId id) const { return timer(id).interval; }
    bool enabled(TimerId id) const { return timer(id).enabled; }

    Millis now() const { return now_; }
    // The earliest deadline of an enabled timer, in absolute virtual time.
    std::optional<Millis> nextDeadline() const;

    // Takes the next timer due at or before `until`: moves the time line to its deadline,
    // schedules its next period and returns it. Fire its handler, then ask again; a handler
    // may change any timer, itself included. Returns nothing once none is due.
    std::optional<TimerId> takeDue(Millis until);
    // Moves the time line on to `until` once nothing more is due (never backwards).
    void settle(Millis until);

private:
    struct Timer {
        int interval = 1;
        bool enabled = false;
        Millis deadline = 0;
    };
    Timer& timer(TimerId id) { return timers_[static_cast<std::size_t>(id)]; }
    const Timer& timer(TimerId id) const { return timers_[static_cast<std::size_t>(id)]; }

    std::array<Timer, kTimerCount> timers_{};
    Millis now_ = 0;
};

} // namespace device
