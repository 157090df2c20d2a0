#include <gtest/gtest.h>

#include <vector>

#include "device/device_timers.h"
#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using device::DeviceTimers;
using device::Millis;
using device::TimerId;

struct Firing {
    TimerId id;
    Millis at;
    bool operator==(const Firing&) const = default;
};

// Fires everything due up to `until`, as the device's advance does, without handlers.
std::vector<Firing> runUntil(DeviceTimers& timers, Millis until) {
    std::vector<Firing> fired;
    while (auto id = timers.takeDue(until)) {
        fired.push_back({*id, timers.now()});
    }
    timers.settle(until);
    return fired;
}

TEST(DeviceTimers, CreatedStoppedWithOneMillisecond) {
    DeviceTimers timers;
    EXPECT_FALSE(timers.nextDeadline().has_value());
    EXPECT_FALSE(timers.enabled(TimerId::Timer_Reprise));
    EXPECT_EQ(timers.interval(TimerId::Timer_Game), 1);
    EXPECT_TRUE(runUntil(timers, 10000).empty());
    EXPECT_EQ(timers.now(), 10000);
}

TEST(DeviceTimers, EnablingStartsTheCountdownFromNow) {
    DeviceTimers timers;
    timers.setInterval(TimerId::Timer_Game, 100);
    runUntil(timers, 30);
    EXPECT_FALSE(timers.nextDeadline().has_value()) << "a disabled timer does not count";
    timers.setEnabled(TimerId::Timer_Game, true);
    EXPECT_EQ(timers.nextDeadline(), 130);
}

TEST(DeviceTimers, EnablingAnEnabledTimerChangesNothing) {
    DeviceTimers timers;
    timers.setInterval(TimerId::Timer_Game, 100);
    timers.setEnabled(TimerId::Timer_Game, true);
    runUntil(timers, 60);
    timers.setEnabled(TimerId::Timer_Game, true);
    EXPECT_EQ(timers.nextDeadline(), 100);
}

TEST(DeviceTimers, NewIntervalRestartsARunningTimer) {
    DeviceTimers timers;
    timers.setInterval(TimerId::Timer_Game, 100);
    timers.setEnabled(TimerId::Timer_Game, true);
    runUntil(timers, 60);
    timers.setInterval(TimerId::Timer_Game, 80);
    EXPECT_EQ(timers.nextDeadline(), 140);
}

TEST(DeviceTimers, SameIntervalKeepsTheCountdown) {
    DeviceTimers timers;
    timers.setInterval(TimerId::Timer_Game, 100);
    timers.setEnabled(TimerId::Timer_Game, true);
    runUntil(timers, 60);
    timers.setInterval(TimerId::Timer_Game, 100);
    EXPECT_EQ(timers.nextDeadline(), 100);
}

TEST(DeviceTimers, FiresPeriodically) {
    DeviceTimers timers;
    timers.setInterval(TimerId::Timer_Date, 500);
    timers.setEnabled(TimerId::Timer_Date, true);
    const std::vector<Firing> expected = {
        {TimerId::Timer_Date, 500}, {TimerId::Timer_Date, 1000}, {TimerId::Timer_Date, 1500}};
    EXPECT_EQ(runUntil(timers, 1700), expected);
    EXPECT_EQ(timers.now(), 1700);
    EXPECT_EQ(timers.nextDeadline(), 2000);
}

TEST(DeviceTimers, EqualDeadlinesFireInTableOrder) {
    DeviceTimers timers;
    const std::array<TimerId, 7> reversed = {TimerId::Timer_Reprise,   TimerId::Timer_Game_Start,
                                             TimerId::Timer_Game_Over, TimerId::Timer_Game,
                                             TimerId::Timer_Date,      TimerId::Timer_Clock,
                                             TimerId::Timer_Alarm};
    for (TimerId id : reversed) {
        timers.setInterval(id, 50);
        timers.setEnabled(id, true);
    }
    std::vector<TimerId> order;
    for (const Firing& f : runUntil(timers, 50)) {
        EXPECT_EQ(f.at, 50);
        order.push_back(f.id);
    }
    EXPECT_EQ(order,
              (std::vector<TimerId>{TimerId::Timer_Alarm, TimerId::Timer_Clock, TimerId::Timer_Date,
                                    TimerId::Timer_Game, TimerId::Timer_Game_Over,
                                    TimerId::Timer_Game_Start, TimerId::Timer_Reprise}));
}

TEST(DeviceTimers, EarlierDeadlineFiresFirstWhateverTheOrder) {
    DeviceTimers timers;
    timers.setInterval(TimerId::Timer_Alarm, 30);
    timers.setInterval(TimerId::Timer_Reprise, 20);
    timers.setEnabled(TimerId::Timer_Alarm, true);
    timers.setEnabled(TimerId::Timer_Reprise, true);
    const std::vector<Firing> expected = {
        {TimerId::Timer_Reprise, 20}, {TimerId::Timer_Alarm, 30}, {TimerId::Timer_Reprise, 40}};
    EXPECT_EQ(runUntil(timers, 45), expected);
}

// Handlers that change timers while the device advances through one long stretch.
TEST_F(DeviceTest, HandlersChainTimersWithinOneAdvance) {
    tap(device::Button::Time);
    tap(device::Button::GameA);
    advance(1500 + 215 * 3); // the start timer starts play, whose ticks then follow
    EXPECT_EQ(state().mode, device::ModeGameA);
    EXPECT_EQ(state().tickPhase, 3);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game_Start));

    missTo(4);
    armMiss();
    runTicks(1);
    advance(120 + 2000 + 30000); // every game-over stage re-arms the timer
    EXPECT_EQ(state().mode, device::ModeTime1);
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Clock));
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game_Over));
}

} // namespace
} // namespace device_test
