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
    using enum DialogKeyAction;
    EXPECT_EQ(dialogKeyAction(kSplashKeys, 13, true), Confirm);
    EXPECT_EQ(dialogKeyAction(kSplashKeys, '1', true), Confirm);
    EXPECT_EQ(dialogKeyAction(kSplashKeys, 13, false), Swallow);
    EXPECT_EQ(dialogKeyAction(kSplashKeys, '1', false), Swallow);
    EXPECT_EQ(dialogKeyAction(kSplashKeys, 27, false), Leave);
    for (std::optional<std::uint16_t> other :
         {std::optional<std::uint16_t>('2'), std::optional<std::uint16_t>(40),
          std::optional<std::uint16_t>()}) {
        EXPECT_EQ(dialogKeyAction(kSplashKeys, other, true), PassOn);
    }
}
