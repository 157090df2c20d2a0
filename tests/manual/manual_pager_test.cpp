#include <gtest/gtest.h>

#include "manual/manual_pager.h"

namespace manual {
namespace {

constexpr std::uint16_t kEscape = 27, kLeft = 37, kRight = 39;
using B = ManualButton;

// Close, previous, next: '^' released, 'v' looks pressed (only the pressed picture), '-' hidden.
std::string looks(const ManualPager& pager) {
    std::string s;
    for (B b : {B::Close, B::Left, B::Right}) {
        s += pager.upShown(b) ? '^' : pager.downShown(b) ? 'v' : '-';
    }
    return s;
}

TEST(ManualPager, ButtonsTurnPagesAtTheReleaseAndFollowThePage) {
    ManualPager pager;
    EXPECT_EQ(looks(pager), "^-^");
    for (int p = 2; p <= 8; ++p) {
        EXPECT_EQ(pager.buttonDown(B::Right), ManualOutcome::Redraw);
        EXPECT_EQ(looks(pager), p == 2 ? "^-v" : "^^v");
        EXPECT_EQ(pager.buttonUp(B::Right), ManualOutcome::Redraw);
        EXPECT_EQ(pager.page(), p);
        EXPECT_EQ(looks(pager), p == 8 ? "^^-" : "^^^") << p;
    }
    pager.buttonDown(B::Close);
    EXPECT_EQ(looks(pager), "v^-");
    EXPECT_EQ(pager.buttonUp(B::Close), ManualOutcome::Close);
    pager.Vid_Show_Page();
    EXPECT_EQ(pager.page(), 8) << "kept for the next opening";
    EXPECT_EQ(looks(pager), "^^-");
}

TEST(ManualPager, KeysTestThePageAtThePressAndAgainAtTheRelease) {
    ManualPager pager;
    EXPECT_EQ(pager.keyDown(kLeft), ManualOutcome::None);
    EXPECT_EQ(looks(pager), "^-^") << "not even a pressed look";
    EXPECT_EQ(pager.keyDown(13), ManualOutcome::None);
    for (int turn = 0; turn < 6; ++turn) {
        pager.keyDown(kRight);
        pager.keyUp(kRight);
    }
    EXPECT_EQ(pager.page(), 7);
    pager.keyDown(kRight);
    pager.buttonDown(B::Right); // the mouse reaches the last page while the key is held
    pager.buttonUp(B::Right);
    EXPECT_EQ(pager.keyUp(kRight), ManualOutcome::None);
    EXPECT_EQ(pager.keyDown(kRight), ManualOutcome::None);
    EXPECT_EQ(pager.page(), 8);
    EXPECT_EQ(pager.keyDown(kEscape), ManualOutcome::Redraw);
    EXPECT_EQ(pager.keyUp(kEscape), ManualOutcome::Close);
}

TEST(ManualPager, OnlyShownReleasedPicturesTakeTheMouse) {
    ManualPager pager;
    const ManualSize client{600, 400};
    EXPECT_EQ(pager.buttonAt({595, 17}, client), B::Close);
    EXPECT_EQ(pager.buttonAt({579, 4}, client), std::nullopt);
    EXPECT_EQ(pager.buttonAt({4, 382}, client), std::nullopt) << "hidden on the first page";
    pager.keyDown(kRight);
    EXPECT_EQ(pager.buttonAt({580, 382}, client), std::nullopt) << "looks pressed";
    pager.keyUp(kRight);
    EXPECT_EQ(pager.buttonAt({580, 382}, client), B::Right);
    EXPECT_EQ(pager.buttonAt({19, 395}, client), B::Left);
}

TEST(ManualPager, AButtonsBoxEndsBeforeItsRightAndBottomEdges) {
    ManualPager pager;
    const ManualSize client{600, 400};
    EXPECT_EQ(pager.buttonAt({580, 4}, client), B::Close);
    EXPECT_EQ(pager.buttonAt({595, 17}, client), B::Close);
    EXPECT_EQ(pager.buttonAt({596, 10}, client), std::nullopt);
    EXPECT_EQ(pager.buttonAt({590, 18}, client), std::nullopt);
    EXPECT_EQ(pager.buttonAt({590, 3}, client), std::nullopt);
}

} // namespace
} // namespace manual
