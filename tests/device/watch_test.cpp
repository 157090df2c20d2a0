#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

struct ClockCase {
    int hour;
    int minute;
    Digits expected;
    bool pm;
};

class ClockDigits : public DeviceTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(ClockDigits, TwelveHourTimeWithAmOrPm) {
    const ClockCase c = GetParam();
    clock.time.hour = c.hour;
    clock.time.minute = c.minute;
    tap(Button::Time);
    advance(1);
    EXPECT_EQ(digits(), c.expected);
    EXPECT_EQ(shown(Segment::im_panel_time_pm), c.pm);
    EXPECT_EQ(shown(Segment::im_panel_time_am), !c.pm);
    EXPECT_TRUE(shown(Segment::im_panel_time_1));
}

INSTANTIATE_TEST_SUITE_P(Times, ClockDigits,
                         ::testing::Values(ClockCase{0, 7, {1, 2, 0, 7}, false},
                                           ClockCase{12, 30, {1, 2, 3, 0}, true},
                                           ClockCase{13, 5, {kBlank, 1, 0, 5}, true},
                                           ClockCase{9, 0, {kBlank, 9, 0, 0}, false},
                                           ClockCase{23, 59, {1, 1, 5, 9}, true}));

struct DateCase {
    int month;
    int day;
    Digits expected;
};

class DateDigits : public DeviceTest, public ::testing::WithParamInterface<DateCase> {};

TEST_P(DateDigits, MonthThenDay) {
    clock.time.month = GetParam().month;
    clock.time.day = GetParam().day;
    toWatchMode(ModeDate);
    advance(1);
    EXPECT_EQ(digits(), GetParam().expected);
    expectLit({Segment::im_panel_date, Segment::im_panel_time_colon},
              {Segment::im_panel_time_am, Segment::im_panel_time_pm});
}

INSTANTIATE_TEST_SUITE_P(Dates, DateDigits,
                         ::testing::Values(DateCase{12, 8, {1, 2, kBlank, 8}},
                                           DateCase{3, 7, {kBlank, 3, kBlank, 7}},
                                           DateCase{10, 31, {1, 0, 3, 1}}));

TEST_F(DeviceTest, ColonBlinksAndKeepsItsPhaseIntoTime2) {
    tap(Button::Time);
    advance(1);
    EXPECT_TRUE(shown(Segment::im_panel_time_colon));
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Clock), 500);
    advance(250);
    tap(Button::Time);
    ASSERT_EQ(state().mode, ModeTime2);
    expectLit({Segment::im_panel_time_colon, Segment::im_panel_time_2}, {Segment::im_panel_time_1});
    EXPECT_NE(digits()[3], kBlank) << "the clock stays on screen";
    advance(249);
    EXPECT_TRUE(shown(Segment::im_panel_time_colon));
    advance(1);
    EXPECT_FALSE(shown(Segment::im_panel_time_colon));
    advance(500);
    EXPECT_TRUE(shown(Segment::im_panel_time_colon));
}

TEST_F(DeviceTest, ClockChangeShowsAtTheNextTick) {
    clock.time.hour = 9;
    clock.time.minute = 0;
    tap(Button::Time);
    advance(1);
    clock.time.hour = 13;
    clock.time.minute = 5;
    advance(499);
    EXPECT_EQ(digits(), (Digits{kBlank, 9, 0, 0}));
    advance(1);
    EXPECT_EQ(digits(), (Digits{kBlank, 1, 0, 5}));
    expectLit({Segment::im_panel_time_pm}, {Segment::im_panel_time_am});
}

TEST_F(DeviceTest, AlarmShowsTwelveAmWithABlinkingColon) {
    clock.time.hour = 17;
    toWatchMode(ModeAlarm);
    EXPECT_EQ(digits(), (Digits{1, 2, 0, 0}));
    expectLit({Segment::im_panel_alarm, Segment::im_panel_time_am},
              {Segment::im_panel_time_pm, Segment::im_panel_time_colon});
    advance(1);
    EXPECT_TRUE(shown(Segment::im_panel_time_colon));
    advance(500);
    EXPECT_FALSE(shown(Segment::im_panel_time_colon));
    advance(500);
    EXPECT_TRUE(shown(Segment::im_panel_time_colon));
    EXPECT_EQ(digits(), (Digits{1, 2, 0, 0}));
    EXPECT_TRUE(shown(Segment::im_panel_time_am));
}

TEST_F(DeviceTest, ChronoShowsFourZerosWithASteadyColon) {
    tap(Button::Time);
    advance(1);
    toWatchMode(ModeChrono);
    EXPECT_EQ(digits(), (Digits{0, 0, 0, 0}));
    expectLit({Segment::im_panel_chrono, Segment::im_panel_time_colon},
              {Segment::im_panel_time_am, Segment::im_panel_time_pm});
    EXPECT_FALSE(dev.nextDeadline().has_value());
    forget();
    advance(5000);
    EXPECT_TRUE(display.events.empty());
}

} // namespace
} // namespace device_test
