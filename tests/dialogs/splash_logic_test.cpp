#include <gtest/gtest.h>

#include <climits>

#include "dialogs/splash_logic.h"

using namespace dialogs;

TEST(SplashLogic, StoredSoundModeSelectsOnlyAnEntryOfTheList) {
    for (int mode : {0, 1, 2}) {
        EXPECT_EQ(driverForSoundMode(mode), mode);
    }
    for (int mode : {-1, -2, 3, 7, INT_MIN, INT_MAX}) {
        EXPECT_EQ(driverForSoundMode(mode), kNoDriver) << mode;
    }
}

TEST(SplashLogic, KeysPlayOnlyWhenPlayIsAvailable) {
    EXPECT_EQ(keyAction(13, true), KeyAction::Play);
    EXPECT_EQ(keyAction('1', true), KeyAction::Play);
    EXPECT_EQ(keyAction(13, false), KeyAction::Swallow);
    EXPECT_EQ(keyAction('1', false), KeyAction::Swallow);
    EXPECT_EQ(keyAction(27, false), KeyAction::Quit);
    for (std::optional<std::uint16_t> other :
         {std::optional<std::uint16_t>('2'), std::optional<std::uint16_t>(40),
          std::optional<std::uint16_t>()}) {
        EXPECT_EQ(keyAction(other, true), KeyAction::PassOn);
    }
}

TEST(SplashLogic, CentringTruncatesAndStaysOnTheScreen) {
    EXPECT_EQ(centredStart(1025, 460), 282);
    EXPECT_EQ(centredStart(460, 460), 0);
    EXPECT_EQ(centredStart(300, 420), 0);
}
