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
    EXPECT_EQ(keysKeyAction(13, true), KeysKeyAction::Accept);
    EXPECT_EQ(keysKeyAction(13, false), KeysKeyAction::PassOn);
    EXPECT_EQ(keysKeyAction(27, false), KeysKeyAction::Leave);
    EXPECT_EQ(keysKeyAction('1', true), KeysKeyAction::PassOn);
    EXPECT_EQ(keysKeyAction(std::nullopt, true), KeysKeyAction::PassOn);
}

} // namespace
