#include <random>

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
    EXPECT_EQ(state().mode, ModeAllSegments);
    EXPECT_TRUE(display.events.empty());
    EXPECT_FALSE(dev.nextDeadline().has_value());

    dev.powerOn();
    EXPECT_EQ(state().mode, ModeAllSegments);
    expectLit({Segment::im_panel_bell, Segment::im_panel_time_colon, Segment::im_item_00,
               Segment::im_item_27, Segment::im_hero_2, Segment::im_miss_3,
               Segment::im_panel_miss_10, Segment::im_item_right_6},
              {Segment::btn_game_a_down});
    EXPECT_EQ(digits(), (Digits{8, 8, 8, 8}));
    EXPECT_FALSE(dev.nextDeadline().has_value());
}

TEST_F(DeviceTest, AnyModeButtonLeavesAllSegmentsForTheClock) {
    for (Button b : {Button::GameA, Button::GameB, Button::Time}) {
        dev.powerOn();
        tap(b);
        EXPECT_EQ(state().mode, ModeTime1);
        expectLit({Segment::im_panel_time_1}, {Segment::im_panel_bell});
        EXPECT_EQ(enabledTimers(dev), std::vector<TimerId>{TimerId::Timer_Clock});
    }
    tap(Button::GameA);
    EXPECT_EQ(state().mode, ModeGameAReady) << "a second press selects the game";
}

TEST_F(DeviceTest, TimeCyclesThroughTheWatchModesEachWithItsTimer) {
    tap(Button::Time);
    const std::vector<std::pair<std::int32_t, std::vector<TimerId>>> cycle = {
        {ModeTime2, {TimerId::Timer_Clock}}, {ModeAlarm, {TimerId::Timer_Alarm}}, {ModeChrono, {}},
        {ModeDate, {TimerId::Timer_Date}},   {ModeTime1, {TimerId::Timer_Clock}},
    };
    for (const auto& [mode, timers] : cycle) {
        tap(Button::Time);
        EXPECT_EQ(state().mode, mode);
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
            backToClock();
            if (from == ModeGameOver) {
                reachGameOver(b, 0);
            } else {
                toWatchMode(from);
            }
            tap(b);
            EXPECT_EQ(state().mode, b == Button::GameA ? ModeGameAReady : ModeGameBReady)
                << "from " << modeName(from);
            EXPECT_EQ(enabledTimers(dev), std::vector<TimerId>{TimerId::Timer_Game_Start});
        }
    }
}

TEST_F(DeviceTest, TimeInGameOverShowsTheClockAtOnceAndCancelsTheReturn) {
    reachGameOver(Button::GameA, 3);
    tap(Button::Time);
    EXPECT_EQ(state().mode, ModeTime1);
    EXPECT_EQ(enabledTimers(dev), std::vector<TimerId>{TimerId::Timer_Clock});
}

TEST_F(DeviceTest, GameOverReturnsToTheClockAfterThirtySeconds) {
    reachGameOver(Button::GameB, 3);
    advance(29999);
    EXPECT_EQ(state().mode, ModeGameOver);
    advance(1);
    EXPECT_EQ(state().mode, ModeTime1);
    EXPECT_EQ(enabledTimers(dev), std::vector<TimerId>{TimerId::Timer_Clock});
    advance(1);
    EXPECT_NE(digits()[3], kBlank);
}

// Whatever a user does, and however the draws fall, the state stays within its ranges and
// the screen shows only what its pictures can show.
TEST_F(DeviceTest, AnyUseKeepsTheStateWithinItsRanges) {
    std::mt19937 rng(7);
    auto pick = [&rng](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    const std::array<Button, 5> buttons = {Button::GameA, Button::GameB, Button::Time, Button::Left,
                                           Button::Right};
    for (int i = 0; i < 20000; ++i) {
        random.queued = {pick(4)};
        switch (pick(4)) {
        case 0:
            dev.press(buttons[static_cast<std::size_t>(pick(5))]);
            break;
        case 1:
            dev.release(buttons[static_cast<std::size_t>(pick(5))]);
            break;
        case 2:
            moveHeroTo(heroFor(state(), pick(3) == 0 ? kMissAll : kCatchAll));
            break;
        default:
            advance(pick(3) == 0 ? pick(3000) : pick(250));
            break;
        }
        const DeviceSnapshot s = state();
        ASSERT_FALSE(modeName(s.mode).empty()) << s.mode;
        ASSERT_GE(s.hero, 0);
        ASSERT_LE(s.hero, 3);
        ASSERT_GE(s.score, 0);
        ASSERT_LE(s.score, 9999);
        ASSERT_LE(s.misses, 5);
        ASSERT_GE(s.tickPhase, 0);
        ASSERT_LE(s.tickPhase, 6);
        for (int cell : s.cells) {
            ASSERT_TRUE(cell == CellEmpty || cell == CellInFlight || cell == CellHeld) << cell;
        }
        // So no tick ever finds a miss and a catch at once.
        int waiting = 0;
        for (int lane = 1; lane <= 3; ++lane) {
            waiting += s.cells[kBottomCell[lane]] == CellInFlight ? 1 : 0;
        }
        ASSERT_LE(waiting, 1) << "items waiting in bottom cells";
        for (int d : digits()) {
            ASSERT_GE(d, kBlank);
            ASSERT_LE(d, 9);
        }
    }
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
            backToClock();
            const Button game =
                mode == ModeGameAReady || mode == ModeGameA ? Button::GameA : Button::GameB;
            if (mode == ModeGameA || mode == ModeGameB) {
                startGame(game);
            } else {
                tap(game);
            }
            forget();
            dev.press(button);
            EXPECT_EQ(state().mode, mode);
            EXPECT_TRUE(sound.played.empty());
            EXPECT_TRUE(shown(picture));
            const DeviceSnapshot s = state();
            EXPECT_TRUE(button == Button::GameA   ? s.latchGameA
                        : button == Button::GameB ? s.latchGameB
                                                  : s.latchCommon);
            dev.release(button);
        }
    }
}

TEST_F(DeviceTest, ReleaseOfTheOtherGameButtonInReadyDoesNotStartPlay) {
    for (Button game : {Button::GameA, Button::GameB}) {
        const Button other = game == Button::GameA ? Button::GameB : Button::GameA;
        const std::int32_t ready = game == Button::GameA ? ModeGameAReady : ModeGameBReady;
        backToClock();
        dev.press(game);
        advance(1500); // held: the start timer fires and stops without starting
        ASSERT_EQ(state().mode, ready);
        tap(other);
        EXPECT_EQ(state().mode, ready);
        dev.release(game);
        EXPECT_EQ(state().mode, ready + 2);
    }
}

TEST_F(DeviceTest, GameButtonReleasesDuringPlayDoNothing) {
    startGame(Button::GameB);
    runTicks(1);
    dev.release(Button::GameA);
    dev.release(Button::GameB);
    EXPECT_EQ(state().mode, ModeGameB);
    EXPECT_EQ(state().tickPhase, 1); // a restart of play would have set it back to 6
}

} // namespace
} // namespace device_test
