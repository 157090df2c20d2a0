#include <gtest/gtest.h>

#include "dialogs/keys_logic.h"

using namespace dialogs;

namespace {

using Conflicts = std::array<bool, device::kBindingCount>;

TEST(KeysLogic, EveryOrderedPairOnOneKeyMarksExactlyThatPair) {
    const KeySelections distinct{1, 2, 3, 38, 39};
    EXPECT_EQ(CheckKeys(distinct).inConflict, Conflicts{});
    EXPECT_TRUE(acceptAvailable(distinct));
    for (std::size_t j = 0; j < distinct.size(); ++j) {
        for (std::size_t k = 0; k < distinct.size(); ++k) {
            if (j == k) {
                continue;
            }
            KeySelections chosen = distinct;
            chosen[j] = chosen[k];
            Conflicts expected{};
            expected[j] = expected[k] = true;
            EXPECT_EQ(CheckKeys(chosen).inConflict, expected) << j << "," << k;
            EXPECT_FALSE(acceptAvailable(chosen)) << j << "," << k;
        }
    }
}

TEST(KeysLogic, EmptyListsConflictOnlyWithEachOtherAndThreeOnAKeyAllTurnRed) {
    EXPECT_TRUE(acceptAvailable({kNoKey, 2, 3, 38, 39}));
    EXPECT_EQ(CheckKeys({1, kNoKey, 3, kNoKey, 39}).inConflict,
              (Conflicts{false, true, false, true, false}));
    EXPECT_EQ(CheckKeys({7, 2, 7, 7, 39}).inConflict, (Conflicts{true, false, true, true, false}));
    EXPECT_EQ(CheckKeys({7, 2, 8, 7, 39}).inConflict, (Conflicts{true, false, false, true, false}));
}

TEST(KeysLogic, EnterAcceptsOnlyWhenAvailableAndEscapeAlwaysLeaves) {
    using enum DialogKeyAction;
    EXPECT_EQ(dialogKeyAction(kKeySettingsKeys, 13, true), Confirm);
    EXPECT_EQ(dialogKeyAction(kKeySettingsKeys, 13, false), PassOn);
    EXPECT_EQ(dialogKeyAction(kKeySettingsKeys, 27, false), Leave);
    EXPECT_EQ(dialogKeyAction(kKeySettingsKeys, '1', true), PassOn);
    EXPECT_EQ(dialogKeyAction(kKeySettingsKeys, std::nullopt, true), PassOn);
}

} // namespace
