#include <climits>

#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

TEST_F(DeviceTest, HiddenShowAllDarkensEverythingButKeepsDigitPositionsVisible) {
    tap(Button::Time); // the clock timer runs
    dev.Vid_Show_All(false);
    for (std::size_t i = 0; i < kSegmentCount; ++i) {
        const auto s = static_cast<Segment>(i);
        if (isDigitPosition(s)) {
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

class PanelScore : public DeviceTest, public ::testing::WithParamInterface<ScoreCase> {};

TEST_P(PanelScore, LeadingZerosAreBlank) {
    dev.Vid_Show_Panel_Score(GetParam().value, true);
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
    dev.Vid_Show_Panel_Score(1234, false);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, kBlank}));
    for (Segment s : {Segment::im_panel_digit_pos_1, Segment::im_panel_digit_pos_4}) {
        EXPECT_TRUE(shown(s));
    }
}

// A hand-edited negative high score must neither select outside the ten digit pictures
// nor leave the previous picture standing.
TEST_F(DeviceTest, NegativeScoresShowOnlyRealDigits) {
    for (int value : {-1, -7, -123, -9999, -10000, -10001, INT_MIN}) {
        SCOPED_TRACE(value);
        dev.Vid_Show_Panel_Score(8888, true);
        dev.Vid_Show_Panel_Score(value, true);
        for (int d : digits()) {
            EXPECT_GE(d, kBlank);
            EXPECT_LE(d, 9);
            if (value != INT_MIN) {
                EXPECT_NE(d, 8) << "stale picture";
            }
        }
    }
}

TEST_F(DeviceTest, MissMarksLightUpToTheCount) {
    dev.Vid_Show_Panel_Miss(5);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(shown(MissMarks[i]), i < 5) << i;
    }
    dev.Vid_Show_Panel_Miss(0);
    for (Segment s : MissMarks) {
        EXPECT_FALSE(shown(s));
    }
    dev.Vid_Show_Panel_Miss(10);
    for (Segment s : MissMarks) {
        EXPECT_TRUE(shown(s));
    }
}

using RightFrame = std::array<bool, 7>;

class ItemRightFrame : public DeviceTest,
                       public ::testing::WithParamInterface<std::pair<int, RightFrame>> {};

TEST_P(ItemRightFrame, LightsItsPictures) {
    dev.Vid_Show_All_Items_Right(false);
    dev.Vid_Show_Item_Right(GetParam().first);
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

TEST_F(DeviceTest, FramesOutsideTheTablesChangeNothing) {
    dev.Vid_Show_Item_Right(3);
    dev.Vid_Show_Item_Left(2);
    forget();
    for (int frame : {7, -1, 100}) {
        dev.Vid_Show_Item_Right(frame);
    }
    for (int frame : {0, 3, -1}) {
        dev.Vid_Show_Item_Left(frame);
    }
    EXPECT_TRUE(display.events.empty());
}

TEST_F(DeviceTest, ItemLeftFrames) {
    dev.Vid_Show_All_Items_Left(false);
    dev.Vid_Show_Item_Left(1);
    expectLit({Segment::im_item_left_0, Segment::im_item_left_1}, {Segment::im_item_left_2});
    dev.Vid_Show_Item_Left(2);
    expectLit({Segment::im_item_left_0, Segment::im_item_left_2}, {Segment::im_item_left_1});
}

} // namespace
} // namespace device_test
