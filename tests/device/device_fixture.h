#pragma once

#include <array>
#include <initializer_list>
#include <random>
#include <utility>

#include <gtest/gtest.h>

#include "device/device.h"
#include "tests/device/fakes.h"
#include "tests/device/play.h"

namespace device_test {

using device::Button;
using device::Device;
using device::DeviceSnapshot;
using device::Millis;
using device::TimerId;

inline constexpr int kBlank = -1;
using Digits = std::array<int, 4>;

// A device on fakes, not yet started: for tests that prepare the store first.
class DeviceRigTest : public ::testing::Test {
protected:
    void start() {
        dev.startUp();
        dev.powerOn();
        settings.writes.clear();
        forget();
    }
    void forget() {
        display.events.clear();
        sound.played.clear();
    }
    DeviceSnapshot state() const { return dev.snapshot(); }

    void tap(Button button) {
        dev.press(button);
        dev.release(button);
    }
    void advance(Millis ms) { dev.advance(ms); }
    // Each tick waits the game timer's current interval, so level changes are followed.
    void runTicks(int count) {
        for (int i = 0; i < count; ++i) {
            advance(dev.timers().interval(TimerId::Timer_Game));
        }
    }
    // One game tick with its sound, which is never more than one.
    void tick() {
        sound.played.clear();
        runTicks(1);
        ASSERT_LE(sound.played.size(), 1u) << "at most one sound per tick";
    }
    // One game tick with the hero placed first as `aim` wants.
    void playTick(Aim aim = kCatchAll) {
        moveHeroTo(heroFor(state(), aim));
        tick();
    }
    std::optional<Sample> tickSound() const {
        if (sound.played.empty()) {
            return std::nullopt;
        }
        return sound.played.back();
    }

    // TIME steps from the power-on picture, a watch mode or the game-over display to `mode`.
    void toWatchMode(std::int32_t mode) {
        for (int taps = 0; taps < 6 && state().mode != mode; ++taps) {
            tap(Button::Time);
        }
        ASSERT_EQ(state().mode, mode);
    }
    // Switching on again lights everything in any mode; TIME then stops every timer.
    void backToClock() {
        dev.powerOn();
        tap(Button::Time);
        ASSERT_EQ(state().mode, device::ModeTime1);
    }
    // From a watch mode (or the power-on picture): ready display, then play 1500 ms later.
    void startGame(Button game) {
        if (state().mode == device::ModeAllSegments) {
            tap(Button::Time);
        }
        tap(game);
        advance(1500);
        ASSERT_EQ(state().mode, game == Button::GameA ? device::ModeGameA : device::ModeGameB);
        forget();
    }

    // Spawn draws from a seeded source: an item one draw in three, so items come at
    // uneven distances.
    void drawUnevenly(unsigned seed) {
        std::mt19937 source(seed);
        random.queued.clear();
        for (int i = 0; i < 200000; ++i) {
            random.queued.push_back(static_cast<int>(source() % 3));
        }
    }

    void moveHeroTo(int position) {
        for (int taps = 0; taps < 2 && state().hero < position; ++taps) {
            tap(Button::Right);
        }
        for (int taps = 0; taps < 2 && state().hero > position; ++taps) {
            tap(Button::Left);
        }
    }
    // Lets the device's next timer fire, the hero first placed as `aim` wants. The display
    // and sound records then hold that step alone.
    void step(Aim aim) {
        forget();
        const DeviceSnapshot s = state();
        if (s.heroCanMove) {
            moveHeroTo(heroFor(s, aim));
            forget();
        }
        const auto next = dev.nextDeadline();
        ASSERT_TRUE(next.has_value()) << "nothing left to happen";
        advance(*next - dev.now());
    }
    // Plays with `aim` until `done` holds for the device's state.
    template <typename Done> void playUntil(Aim aim, Done done, int maxSteps = 400000) {
        for (int i = 0; i < maxSteps; ++i) {
            if (done(state())) {
                return;
            }
            ASSERT_NO_FATAL_FAILURE(step(aim));
        }
        FAIL() << "the state sought was not reached in " << maxSteps << " steps";
    }
    // Catches everything until the score is `score`; items on their way out still count.
    void playToScore(int score) {
        playUntil(kCatchAll, [score](const DeviceSnapshot& s) { return s.score >= score; });
        ASSERT_EQ(state().score, score);
    }
    // Plays until the score is `score` and no item left on the field can add to it: once
    // the items on their way out make up the score, lane 1 catches no more.
    void settleScoreAt(int score) {
        playUntil(kCatchAll, [score](const DeviceSnapshot& s) {
            return s.score + itemsOnTheirWayOut(s) >= score;
        });
        playUntil(kSpareLane1, [score](const DeviceSnapshot& s) { return s.score >= score; });
        ASSERT_EQ(state().score, score);
        ASSERT_LT(state().misses, 5) << "the game ended before its last points were counted";
    }
    // Plays on, catching nothing, until an item waits in a bottom cell the hero is not
    // under: the next tick misses it.
    void armMiss() { playUntil(kMissAll, missComesNext); }
    void missTo(int misses) {
        playUntil(kMissAll, [misses](const DeviceSnapshot& s) { return s.misses >= misses; });
        ASSERT_EQ(state().misses, misses);
    }
    // Plays `game` to its fifth miss with `finalScore`, then waits for ModeGameOver.
    void reachGameOver(Button game, int finalScore) {
        ASSERT_NO_FATAL_FAILURE(startGame(game));
        ASSERT_NO_FATAL_FAILURE(settleScoreAt(finalScore));
        playUntil(kMissAll, [](const DeviceSnapshot& s) { return s.mode == device::ModeGameOver; });
        ASSERT_EQ(state().score, finalScore);
        forget();
    }

    bool shown(Segment segment) const { return dev.lcd().isShown(segment); }
    void expectLit(std::initializer_list<Segment> lit, std::initializer_list<Segment> dark = {}) {
        for (Segment s : lit) {
            EXPECT_TRUE(shown(s)) << device::segmentName(s) << " should be lit";
        }
        for (Segment s : dark) {
            EXPECT_FALSE(shown(s)) << device::segmentName(s) << " should be dark";
        }
    }
    Digits digits() const {
        const auto& lcd = dev.lcd();
        return {lcd.digitPicture(Segment::im_panel_digit_pos_1),
                lcd.digitPicture(Segment::im_panel_digit_pos_2),
                lcd.digitPicture(Segment::im_panel_digit_pos_3),
                lcd.digitPicture(Segment::im_panel_digit_pos_4)};
    }

    RecordingDisplay display;
    RecordingSound sound;
    MemorySettings settings;
    SettableClock clock;
    QueuedRandom random;
    Device dev{device::Ports{display, sound, settings, clock, random}};
};

// A device started up and powered on, showing every segment.
class DeviceTest : public DeviceRigTest {
protected:
    void SetUp() override { start(); }
};

} // namespace device_test
