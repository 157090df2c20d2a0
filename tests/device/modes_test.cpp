#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

std::vector<TimerId> enabledTimers(const Device& dev) {
    std::vector<TimerId> running;
    for (std::size_t i = 0; i < kTimerCount; ++i) {
        if (dev.timers().enabled(static_cast<TimerId>(i))) {
            running.push_back(static_cast<TimerId>(i));
        }
    }
    return running;
}

TEST_F(DeviceRigTest, DarkUntilPowerOnThenEverySegmentLit) {
    dev.startUp();
    EXPECT_EQ(dev.DeviceMode, ModeAllSegments);
    EXPECT_TRUE(display.events.empty());
    EXPECT_FALSE(dev.nextDeadline().has_value());

    dev.powerOn();
    EXPECT_EQ(dev.DeviceMode, ModeAllSegments);
    expectLit({Segment::im_panel_bell, Segment::im_panel_time_colon, Segment::im_item_00,
               Segment::im_item_27, Segment::im_hero_2, Segment::im_miss_3,
               Segment::im_panel_miss_10, Segment::im_item_right_6},
              {Segment::btn_game_a_down});
    EXPECT_EQ(digits(), (Digits{8, 8, 8, 8}));
    EXPECT_FALSE(dev.nextDeadline().has_value());
}

TEST_F(DeviceTest, AnyModeButtonLeavesAllSegmentsForTheClock) {
    for (Button b : {Button::GameA, Button::GameB, Button::Time}) {
        enterMode(ModeAllSegments);
        tap(b);
        EXPECT_EQ(dev.DeviceMode, ModeTime1);
        expectLit({Segment::im_panel_time_1}, {Segment::im_panel_bell});
        EXPECT_EQ(enabledTimers(dev), std::vector<TimerId>{TimerId::Timer_Clock});
    }
    tap(Button::GameA);
    EXPECT_EQ(dev.DeviceMode, ModeGameAReady) << "a second press selects the game";
}

TEST_F(DeviceTest, TimeCyclesThroughTheWatchModesEachWithItsTimer) {
    tap(Button::Time);
    const std::vector<std::pair<std::int32_t, std::vector<TimerId>>> cycle = {
        {ModeTime2, {TimerId::Timer_Clock}}, {ModeAlarm, {TimerId::Timer_Alarm}}, {ModeChrono, {}},
        {ModeDate, {TimerId::Timer_Date}},   {ModeTime1, {TimerId::Timer_Clock}},
    };
    for (const auto& [mode, timers] : cycle) {
        tap(Button::Time);
        EXPECT_EQ(dev.DeviceMode, mode);
        EXPECT_EQ(enabledTimers(dev), timers) << modeName(mode);
    }
    advance(1);
    expectLit({Segment::im_panel_time_1}, {Segment::im_panel_date});
    EXPECT_NE(digits()[3], kBlank) << "the clock shows again 1 ms after the entry";
}

TEST_F(DeviceTest, GameButtonsReadyTheirGameFromWatchModesAndGameOver) {
    for (std::int32_t from :
         {ModeTime1, ModeTime2, ModeAlarm, ModeChrono, ModeDate, ModeGameOver}) {
        for (Button b : {Button::GameA, Button::GameB}) {
            enterMode(ModeTime1);
            dev.DeviceMode = from;
            tap(b);
            EXPECT_EQ(dev.DeviceMode, b == Button::GameA ? ModeGameAReady : ModeGameBReady)
                << "from " << modeName(from);
            EXPECT_EQ(enabledTimers(dev), std::vector<TimerId>{TimerId::Timer_Game_Start});
        }
    }
}

TEST_F(DeviceTest, TimeInGameOverShowsTheClockAtOnceAndCancelsTheReturn) {
    reachGameOver(Button::GameA, 3);
    tap(Button::Time);
    EXPECT_EQ(dev.DeviceMode, ModeTime1);
    EXPECT_EQ(enabledTimers(dev), std::vector<TimerId>{TimerId::Timer_Clock});
}

TEST_F(DeviceTest, GameOverReturnsToTheClockAfterThirtySeconds) {
    reachGameOver(Button::GameB, 3);
    advance(29999);
    EXPECT_EQ(dev.DeviceMode, ModeGameOver);
    advance(1);
    EXPECT_EQ(dev.DeviceMode, ModeTime1);
    EXPECT_EQ(enabledTimers(dev), std::vector<TimerId>{TimerId::Timer_Clock});
    advance(1);
    EXPECT_NE(digits()[3], kBlank);
}

TEST_F(DeviceTest, ModeOutsideTheRangeDoesNothing) {
    enterMode(11);
    enterMode(-1);
    EXPECT_TRUE(display.events.empty());
    EXPECT_TRUE(enabledTimers(dev).empty());
}

TEST_F(DeviceTest, ModeButtonsAreIgnoredInReadyAndPlayButStillShowAndLatch) {
    const std::array<std::pair<Button, Segment>, 3> buttons = {{
        {Button::Time, Segment::btn_time_down},
        {Button::GameA, Segment::btn_game_a_down},
        {Button::GameB, Segment::btn_game_b_down},
    }};
    for (std::int32_t mode : {ModeGameAReady, ModeGameBReady, ModeGameA, ModeGameB}) {
        for (auto [button, picture] : buttons) {
            SCOPED_TRACE(testing::Message()
                         << modeName(mode) << ", button " << segmentName(picture));
            enterMode(ModeTime1);
            const Button game =
                mode == ModeGameAReady || mode == ModeGameA ? Button::GameA : Button::GameB;
            if (mode == ModeGameA || mode == ModeGameB) {
                startGame(game);
            } else {
                tap(game);
            }
            forget();
            dev.press(button);
            EXPECT_EQ(dev.DeviceMode, mode);
            EXPECT_TRUE(sound.played.empty());
            EXPECT_TRUE(shown(picture));
            EXPECT_TRUE(button == Button::GameA   ? dev.LatchGameA
                        : button == Button::GameB ? dev.LatchGameB
                                                  : dev.LatchCommon);
            dev.release(button);
        }
    }
}

TEST_F(DeviceTest, ReleaseOfTheOtherGameButtonInReadyDoesNotStartPlay) {
    for (Button game : {Button::GameA, Button::GameB}) {
        const Button other = game == Button::GameA ? Button::GameB : Button::GameA;
        const std::int32_t ready = game == Button::GameA ? ModeGameAReady : ModeGameBReady;
        enterMode(ModeTime1);
        dev.press(game);
        advance(1500); // held: the start timer fires and stops without starting
        ASSERT_EQ(dev.DeviceMode, ready);
        tap(other);
        EXPECT_EQ(dev.DeviceMode, ready);
        dev.release(game);
        EXPECT_EQ(dev.DeviceMode, ready + 2);
    }
}

TEST_F(DeviceTest, GameButtonReleasesDuringPlayDoNothing) {
    startGame(Button::GameB);
    runTicks(1);
    dev.release(Button::GameA);
    dev.release(Button::GameB);
    EXPECT_EQ(dev.DeviceMode, ModeGameB);
    EXPECT_EQ(dev.TickPhase, 1); // a restart of play would have set it back to 6
}

} // namespace
} // namespace device_test
