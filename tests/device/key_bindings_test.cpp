#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;
using Write = std::pair<std::string, std::string>;

class BindingTest : public DeviceRigTest {
protected:
    std::array<std::uint16_t, kBindingCount> codes() const {
        std::array<std::uint16_t, kBindingCount> result{};
        for (int i = 0; i < kBindingCount; ++i) {
            result[i] = state().bindings[i].KeyCode;
        }
        return result;
    }
    std::string hint(HintPicture picture) const { return dev.buttonHint(picture); }
};

TEST_F(BindingTest, EmptyStoreGivesTheDefaultsAndStoresThem) {
    dev.startUp();
    EXPECT_EQ(codes(), (std::array<std::uint16_t, 5>{49, 50, 51, 37, 39}));
    EXPECT_EQ(settings.writes,
              (std::vector<Write>{
                  {"Key1", "2"}, {"Key2", "3"}, {"Key3", "4"}, {"Key4", "39"}, {"Key5", "40"}}));
    EXPECT_EQ(state().hiScoreA, 0);
    EXPECT_EQ(state().hiScoreB, 0);
}

TEST_F(BindingTest, DefaultHints) {
    dev.startUp();
    EXPECT_EQ(hint(HintPicture::btn_game_a_top),
              "click or press '1' to start game A (hold to view highscore)");
    EXPECT_EQ(hint(HintPicture::btn_game_b_top),
              "click or press '2' to start game B (hold to view highscore)");
    EXPECT_EQ(hint(HintPicture::btn_time_top), "click or press '3' to switch mode");
    EXPECT_EQ(hint(HintPicture::btn_set_top), "button disabled");
    EXPECT_EQ(hint(HintPicture::btn_left_top), "click or press 'left arrow' key");
    EXPECT_EQ(hint(HintPicture::btn_right_top), "click or press 'right arrow' key");
}

TEST_F(BindingTest, HintNamesFollowTheKeyTable) {
    start();
    const std::vector<std::pair<int, std::string>> names = {
        {1, "'0'"},        {10, "'9'"},        {11, "'A'"}, {36, "'Z'"}, {37, "'up arrow' key"},
        {41, "'alt' key"}, {44, "'spacebar'"},
    };
    for (const auto& [index, name] : names) {
        dev.acceptBinding(4, index);
        EXPECT_EQ(hint(HintPicture::btn_left_top), "click or press " + name) << index;
    }
}

TEST_F(BindingTest, StoredBindingsAreReadAndWrittenBack) {
    settings.values = {{"Key1", "44"}, {"Key3", "11"},      {"Key4", "37"},
                       {"Key5", "38"}, {"HiScore1", "120"}, {"HiScore2", "33"}};
    dev.startUp();
    EXPECT_EQ(codes(), (std::array<std::uint16_t, 5>{32, 50, 65, 38, 40}));
    EXPECT_EQ(settings.writes,
              (std::vector<Write>{
                  {"Key1", "44"}, {"Key2", "3"}, {"Key3", "11"}, {"Key4", "37"}, {"Key5", "38"}}));
    EXPECT_EQ(hint(HintPicture::btn_game_a_top),
              "click or press 'spacebar' to start game A (hold to view highscore)");
    EXPECT_EQ(hint(HintPicture::btn_time_top), "click or press 'A' to switch mode");
    EXPECT_EQ(hint(HintPicture::btn_right_top), "click or press 'down arrow' key");
    EXPECT_EQ(state().hiScoreA, 120);
    EXPECT_EQ(state().hiScoreB, 33);
}

TEST_F(BindingTest, StoredIndexWithoutAKeyFallsBackToTheSlotDefault) {
    settings.values = {
        {"Key1", "0"}, {"Key2", "45"}, {"Key3", "-3"}, {"Key4", "abc"}, {"Key5", "40"}};
    dev.startUp();
    EXPECT_EQ(codes(), (std::array<std::uint16_t, 5>{49, 50, 51, 37, 39}));
    EXPECT_EQ(settings.stored("Key1"), "2");
    EXPECT_EQ(settings.stored("Key2"), "3");
    EXPECT_EQ(settings.stored("Key3"), "4");
    EXPECT_EQ(settings.stored("Key4"), "39");
    EXPECT_EQ(hint(HintPicture::btn_game_b_top),
              "click or press '2' to start game B (hold to view highscore)");
    dev.powerOn();
    dev.FormKeyDown(0);
    EXPECT_EQ(state().mode, ModeAllSegments);
}

TEST_F(BindingTest, AcceptedBindingDerivesTheCodeOfItsSlotAlone) {
    start();
    dev.acceptBinding(4, 40);
    EXPECT_EQ(codes(), (std::array<std::uint16_t, 5>{49, 50, 51, 39, 39}));
    dev.acceptBinding(5, 1);
    EXPECT_EQ(codes(), (std::array<std::uint16_t, 5>{49, 50, 51, 39, 48}));
}

TEST_F(BindingTest, AcceptedBindingTakesEffectAtTheNextKey) {
    start();
    const int rebuildsBefore = display.hintRebuilds;
    dev.acceptBinding(1, 44);
    EXPECT_EQ(settings.stored("Key1"), "44");
    EXPECT_EQ(state().bindings[0].KeyIndex, 44);
    EXPECT_EQ(state().bindings[0].KeyCode, 32);
    EXPECT_EQ(hint(HintPicture::btn_game_a_top),
              "click or press 'spacebar' to start game A (hold to view highscore)");
    EXPECT_GT(display.hintRebuilds, rebuildsBefore);
    dev.FormKeyDown(49);
    EXPECT_EQ(state().mode, ModeAllSegments);
    dev.FormKeyDown(32);
    EXPECT_EQ(state().mode, ModeTime1);
    EXPECT_TRUE(shown(Segment::btn_game_a_down));
}

TEST_F(BindingTest, AcceptingAnIndexWithoutAKeyChangesNothing) {
    start();
    const std::string hintBefore = hint(HintPicture::btn_game_a_top);
    for (auto [slot, index] : {std::pair{1, 0}, {1, 45}, {0, 3}, {6, 3}}) {
        dev.acceptBinding(slot, index);
    }
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(state().bindings[0].KeyIndex, 2);
    EXPECT_EQ(state().bindings[0].KeyCode, 49);
    EXPECT_EQ(hint(HintPicture::btn_game_a_top), hintBefore);
}

TEST_F(BindingTest, SharedCodeActsAsTheFirstBinding) {
    settings.values = {{"Key3", "2"}, {"Key5", "39"}};
    start();
    tap(Button::Time);
    dev.FormKeyDown(49);
    EXPECT_EQ(state().mode, ModeGameAReady);
    EXPECT_TRUE(state().latchGameA);
    EXPECT_FALSE(state().latchCommon);
    dev.FormKeyUp(49);
    EXPECT_FALSE(state().latchGameA);
    EXPECT_FALSE(shown(Segment::btn_game_a_down));

    advance(1500);
    ASSERT_EQ(state().mode, ModeGameA);
    dev.FormKeyDown(37);
    EXPECT_EQ(state().hero, 2) << "LEFT comes before RIGHT on the shared left arrow";
    EXPECT_FALSE(shown(Segment::btn_right_down));
}

TEST_F(BindingTest, ResetHiScoresStoresZeroForBoth) {
    settings.values = {{"HiScore1", "50"}};
    start();
    dev.resetHiScores();
    EXPECT_EQ(state().hiScoreA, 0);
    EXPECT_EQ(state().hiScoreB, 0);
    EXPECT_EQ(settings.stored("HiScore1"), "0");
    EXPECT_EQ(settings.stored("HiScore2"), "0");
}

} // namespace
} // namespace device_test
