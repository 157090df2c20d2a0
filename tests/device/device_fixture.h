#pragma once

#include <array>
#include <initializer_list>
#include <utility>

#include <gtest/gtest.h>

#include "device/device.h"
#include "tests/device/fakes.h"

namespace device_test {

using device::Button;
using device::Device;
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
    // What the caller of Gam_Set_Mode does: store the mode, then apply it.
    void enterMode(std::int32_t mode) {
        dev.DeviceMode = mode;
        dev.Gam_Set_Mode();
    }
    // From a watch mode (or the power-on picture): ready display, then play 1500 ms later.
    void startGame(Button game) {
        if (dev.DeviceMode == device::ModeAllSegments) {
            tap(Button::Time);
        }
        tap(game);
        advance(1500);
        ASSERT_EQ(dev.DeviceMode, game == Button::GameA ? device::ModeGameA : device::ModeGameB);
        forget();
    }
    void placeItems(std::initializer_list<std::pair<int, device::Cell>> items) {
        for (auto [cell, state] : items) {
            dev.ItemCells[cell] = state;
        }
    }
    // An in-flight item in a bottom cell the hero is not under: the next tick misses it.
    void armMiss() {
        if (dev.HeroPos == 2) {
            dev.ItemCells[7] = device::CellInFlight;
        } else {
            dev.ItemCells[16] = device::CellInFlight;
        }
    }
    // Plays `game` to its fifth miss with `finalScore`, then waits for ModeGameOver.
    void reachGameOver(Button game, int finalScore) {
        startGame(game);
        dev.Score = finalScore;
        dev.MissCount = 4;
        armMiss();
        runTicks(1);
        advance(120 + 2000);
        ASSERT_EQ(dev.DeviceMode, device::ModeGameOver);
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
    int itemCount() const {
        int count = 0;
        for (int cell : dev.ItemCells) {
            count += cell > 0 ? 1 : 0;
        }
        return count;
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
