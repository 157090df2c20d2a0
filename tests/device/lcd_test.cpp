#include <climits>

#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

TEST_F(DeviceTest, ClockEntryDarkensEverythingButItsLabelAndTheDigitPositions) {
    tap(Button::Time); // from every segment lit
    for (std::size_t i = 0; i < kSegmentCount; ++i) {
        const auto s = static_cast<Segment>(i);
        if (isDigitPosition(s) || s == Segment::im_panel_time_1) {
            EXPECT_TRUE(shown(s)) << segmentName(s);
        } else {
            EXPECT_FALSE(shown(s)) << segmentName(s);
        }
    }
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, kBlank}));
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Clock));
}

struct ScoreCase {
    int value;
    Digits expected;
};

// The ready display shows the stored high score.
class PanelScore : public DeviceRigTest, public ::testing::WithParamInterface<ScoreCase> {
protected:
    void showHighScore(int value) {
        settings.values["HiScore1"] = std::to_string(value);
        start();
        tap(Button::Time);
        tap(Button::GameA);
    }
};

TEST_P(PanelScore, LeadingZerosAreBlank) {
    showHighScore(GetParam().value);
    EXPECT_EQ(digits(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PanelScore,
    ::testing::Values(
        ScoreCase{0, {kBlank, kBlank, kBlank, 0}}, ScoreCase{7, {kBlank, kBlank, kBlank, 7}},
        ScoreCase{99, {kBlank, kBlank, 9, 9}}, ScoreCase{999, {kBlank, 9, 9, 9}},
        ScoreCase{10, {kBlank, kBlank, 1, 0}}, ScoreCase{100, {kBlank, 1, 0, 0}},
        ScoreCase{1000, {1, 0, 0, 0}}, ScoreCase{1200, {1, 2, 0, 0}}, ScoreCase{8888, {8, 8, 8, 8}},
        ScoreCase{9999, {9, 9, 9, 9}}, ScoreCase{10000, {kBlank, kBlank, kBlank, 0}},
        ScoreCase{10001, {kBlank, kBlank, kBlank, 1}}, ScoreCase{12345, {2, 3, 4, 5}}));

TEST_F(DeviceTest, BlankScoreEmptiesThePositionsButLeavesThemVisible) {
    tap(Button::Time);
    advance(1);
    ASSERT_NE(digits(), (Digits{kBlank, kBlank, kBlank, kBlank}));
    toWatchMode(ModeDate); // blanks the clock's digits until the date's first tick
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, kBlank}));
    for (Segment s : {Segment::im_panel_digit_pos_1, Segment::im_panel_digit_pos_4}) {
        EXPECT_TRUE(shown(s));
    }
}

// A hand-edited negative high score must select none but the ten digit pictures.
class NegativeScore : public PanelScore {};

TEST_P(NegativeScore, ShowsOnlyRealDigits) {
    showHighScore(GetParam().value);
    EXPECT_EQ(digits(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, NegativeScore,
                         ::testing::Values(ScoreCase{-1, {kBlank, kBlank, kBlank, 0}},
                                           ScoreCase{-7, {kBlank, kBlank, kBlank, 0}},
                                           ScoreCase{-123, {kBlank, kBlank, kBlank, 0}},
                                           ScoreCase{-9999, {kBlank, kBlank, kBlank, 0}},
                                           ScoreCase{-10000, {kBlank, kBlank, kBlank, 0}},
                                           ScoreCase{-10001, {kBlank, kBlank, kBlank, 0}},
                                           ScoreCase{INT_MIN, {kBlank, kBlank, kBlank, 0}}));

TEST_F(DeviceTest, MissMarksLightUpToTheCount) {
    for (Segment s : MissMarks) {
        EXPECT_TRUE(shown(s)) << "switched on";
    }
    startGame(Button::GameA);
    for (Segment s : MissMarks) {
        EXPECT_FALSE(shown(s)) << "a new game";
    }
    for (int misses = 1; misses <= 5; ++misses) {
        missTo(misses);
        for (int i = 0; i < 10; ++i) {
            EXPECT_EQ(shown(MissMarks[i]), i < misses) << i;
        }
    }
}

using RightFrame = std::array<bool, 7>;

// Frame 0 is the ready display's; a tick shows the frame of its phase.
class ItemRightFrame : public DeviceTest,
                       public ::testing::WithParamInterface<std::pair<int, RightFrame>> {};

TEST_P(ItemRightFrame, LightsItsPictures) {
    const int frame = GetParam().first;
    tap(Button::Time);
    tap(Button::GameA);
    if (frame > 0) {
        advance(1500);
        playUntil(kCatchAll, [frame](const DeviceSnapshot& s) { return s.tickPhase == frame; });
        runTicks(1);
    }
    for (std::size_t i = 0; i < ItemRightPictures.size(); ++i) {
        EXPECT_EQ(shown(ItemRightPictures[i]), GetParam().second[i]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Frames, ItemRightFrame,
                         ::testing::Values(std::pair{0, RightFrame{1, 1, 0, 1, 1, 0, 0}},
                                           std::pair{1, RightFrame{1, 1, 1, 0, 1, 0, 0}},
                                           std::pair{2, RightFrame{1, 1, 1, 0, 1, 0, 0}},
                                           std::pair{3, RightFrame{1, 1, 0, 1, 0, 1, 0}},
                                           std::pair{4, RightFrame{1, 1, 0, 1, 0, 0, 1}},
                                           std::pair{5, RightFrame{1, 1, 0, 1, 0, 0, 1}},
                                           std::pair{6, RightFrame{1, 1, 1, 0, 0, 1, 0}}));

TEST_F(DeviceTest, ItemLeftFrames) {
    tap(Button::Time);
    tap(Button::GameA);
    expectLit({Segment::im_item_left_0, Segment::im_item_left_1}, {Segment::im_item_left_2});
    advance(1500);
    playToScore(1);
    expectLit({Segment::im_item_left_0, Segment::im_item_left_2}, {Segment::im_item_left_1});
    playTick();
    expectLit({Segment::im_item_left_0, Segment::im_item_left_1}, {Segment::im_item_left_2});
}

} // namespace
} // namespace device_test
