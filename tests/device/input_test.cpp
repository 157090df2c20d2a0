#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

constexpr std::uint16_t kKeyGameA = 49;
constexpr std::uint16_t kKeyTime = 51;
constexpr std::uint16_t kKeyLeft = 37;
constexpr std::uint16_t kKeyRight = 39;

class PlayInputTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        startGame(Button::GameA);
    }
};

TEST_F(DeviceTest, PressedPictureFollowsTheButton) {
    const std::array<std::pair<Button, Segment>, 5> buttons = {{
        {Button::GameA, Segment::btn_game_a_down},
        {Button::GameB, Segment::btn_game_b_down},
        {Button::Time, Segment::btn_time_down},
        {Button::Left, Segment::btn_left_down},
        {Button::Right, Segment::btn_right_down},
    }};
    for (auto [button, picture] : buttons) {
        dev.press(button);
        EXPECT_TRUE(shown(picture)) << segmentName(picture);
        dev.release(button);
        EXPECT_FALSE(shown(picture)) << segmentName(picture);
    }
}

TEST_F(DeviceTest, KeyRepeatOfAHeldKeyActsOnce) {
    dev.FormKeyDown(kKeyTime);
    ASSERT_EQ(state().mode, ModeTime1);
    for (int i = 0; i < 5; ++i) {
        dev.FormKeyDown(kKeyTime);
    }
    EXPECT_EQ(state().mode, ModeTime1);
    EXPECT_TRUE(shown(Segment::btn_time_down));
    dev.FormKeyUp(kKeyTime);
    EXPECT_FALSE(shown(Segment::btn_time_down));
    EXPECT_FALSE(state().latchCommon);
    dev.FormKeyDown(kKeyTime);
    EXPECT_EQ(state().mode, ModeTime2);
}

TEST_F(PlayInputTest, HeroMovesOneStepPerPress) {
    dev.FormKeyDown(kKeyLeft);
    dev.FormKeyDown(kKeyLeft);
    dev.FormKeyDown(kKeyLeft);
    EXPECT_EQ(state().hero, 2);
    expectLit({Segment::im_hero_2}, {Segment::im_hero_3});
    dev.FormKeyUp(kKeyLeft);
    dev.FormKeyDown(kKeyLeft);
    EXPECT_EQ(state().hero, 1);
    expectLit({Segment::im_hero_1}, {Segment::im_hero_2});
    EXPECT_TRUE(sound.played.empty()) << "moves are silent";
}

TEST_F(PlayInputTest, HeldLeftBlocksRightUntilReleased) {
    dev.FormKeyDown(kKeyLeft);
    ASSERT_EQ(state().hero, 2);
    dev.FormKeyDown(kKeyRight);
    EXPECT_EQ(state().hero, 2);
    expectLit({Segment::btn_left_down, Segment::btn_right_down});
    dev.FormKeyDown(kKeyRight);
    EXPECT_EQ(state().hero, 2);
    dev.FormKeyUp(kKeyLeft);
    dev.FormKeyDown(kKeyRight); // the next repeat of the still-held key
    EXPECT_EQ(state().hero, 3);
    dev.FormKeyDown(kKeyRight);
    EXPECT_EQ(state().hero, 3);
}

TEST_F(PlayInputTest, HeldTimeBlocksTheHero) {
    dev.FormKeyDown(kKeyTime);
    EXPECT_EQ(state().mode, ModeGameA);
    dev.FormKeyDown(kKeyLeft);
    EXPECT_EQ(state().hero, 3);
    dev.FormKeyUp(kKeyTime);
    dev.FormKeyDown(kKeyLeft);
    EXPECT_EQ(state().hero, 2);
}

TEST_F(DeviceTest, HeldLeftBlocksTimeInTheWatchModes) {
    tap(Button::Time);
    dev.FormKeyDown(kKeyLeft);
    dev.FormKeyDown(kKeyTime);
    EXPECT_EQ(state().mode, ModeTime1);
    EXPECT_TRUE(shown(Segment::btn_time_down));
    dev.FormKeyUp(kKeyLeft);
    dev.FormKeyDown(kKeyTime);
    EXPECT_EQ(state().mode, ModeTime2);
}

TEST_F(PlayInputTest, HeroStopsAtTheEnds) {
    forget();
    tap(Button::Right);
    EXPECT_EQ(state().hero, 3);
    const std::vector<DisplayEvent> onlyThePressedPicture = {{Segment::btn_right_down, false, 1},
                                                             {Segment::btn_right_down, false, 0}};
    EXPECT_EQ(display.events, onlyThePressedPicture);
    tap(Button::Left);
    tap(Button::Left);
    forget();
    tap(Button::Left);
    EXPECT_EQ(state().hero, 1);
    EXPECT_TRUE(shown(Segment::im_hero_1));
    EXPECT_EQ(display.events.size(), 2u);
}

TEST_F(DeviceTest, HeroDoesNotMoveOutsidePlay) {
    tap(Button::Time);
    tap(Button::Left);
    tap(Button::Right);
    EXPECT_EQ(state().hero, 0);
    for (Segment s : HeroPictures) {
        EXPECT_FALSE(shown(s)) << segmentName(s);
    }
    tap(Button::GameA); // ready display
    tap(Button::Left);
    EXPECT_EQ(state().hero, 3);
    expectLit({Segment::im_hero_3}, {Segment::im_hero_2});
}

TEST_F(PlayInputTest, HeroDoesNotMoveDuringThePauseOrAfterGameOver) {
    armMiss();
    runTicks(1);
    ASSERT_FALSE(state().heroCanMove);
    const int hero = state().hero;
    const Button inward = hero == 1 ? Button::Right : Button::Left;
    tap(inward);
    EXPECT_EQ(state().hero, hero);
    advance(800);
    tap(inward);
    EXPECT_NE(state().hero, hero);

    missTo(5);
    advance(2120);
    ASSERT_EQ(state().mode, ModeGameOver);
    const int last = state().hero;
    tap(Button::Left);
    tap(Button::Right);
    EXPECT_EQ(state().hero, last);
}

TEST_F(DeviceTest, UnboundKeysDoNothing) {
    for (std::uint16_t code : {0, 13, 32, 65, 0xFFFF}) {
        dev.FormKeyDown(code);
        dev.FormKeyUp(code);
    }
    EXPECT_EQ(state().mode, ModeAllSegments);
    EXPECT_TRUE(display.events.empty());
}

} // namespace
} // namespace device_test
