#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

class SequenceTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        tap(Button::Time);
        forget();
    }
};

TEST_F(SequenceTest, ReadyDisplayShowsTheGameAndItsHighScore) {
    dev.HiScoreA = 42;
    advance(1); // a clock tick lights digits and colon, which the ready display darkens
    dev.press(Button::GameA);
    EXPECT_EQ(dev.DeviceMode, ModeGameAReady);
    expectLit({Segment::im_panel_game_a},
              {Segment::im_panel_game_b, Segment::im_panel_time_1, Segment::im_panel_time_colon,
               Segment::im_panel_time_am});
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, 4, 2}));
    EXPECT_EQ(dev.HeroPos, 3);
    expectLit({Segment::im_hero_3, Segment::im_item_left_0, Segment::im_item_left_1,
               Segment::im_item_right_3, Segment::im_item_right_4},
              {Segment::im_hero_1, Segment::im_hero_2, Segment::im_item_left_2,
               Segment::im_item_right_2});
    for (int cell = 0; cell < kCellCount; ++cell) {
        EXPECT_FALSE(shown(itemSegment(cell)));
    }
    EXPECT_FALSE(shown(Segment::im_panel_miss_01));
    EXPECT_EQ(sound.played, std::vector<Sample>{Sample::Start});
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Clock));
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Game_Start));
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game_Start), 1500);
    EXPECT_FALSE(dev.HeroCanMove);
}

TEST_F(SequenceTest, GameBReadyShowsTheGameBHighScore) {
    dev.HiScoreA = 7;
    dev.HiScoreB = 1234;
    tap(Button::GameB);
    expectLit({Segment::im_panel_game_b}, {Segment::im_panel_game_a});
    EXPECT_EQ(digits(), (Digits{1, 2, 3, 4}));
}

TEST_F(SequenceTest, QuickTapStartsPlay1500MsAfterThePress) {
    dev.HiScoreA = 42;
    tap(Button::GameA);
    advance(1499);
    EXPECT_EQ(dev.DeviceMode, ModeGameAReady);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, 4, 2}));
    advance(1);
    EXPECT_EQ(dev.DeviceMode, ModeGameA);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, 0}));
    EXPECT_EQ(dev.Score, 0);
    EXPECT_EQ(dev.MissCount, 0);
    EXPECT_EQ(dev.TickPhase, 6);
    EXPECT_TRUE(dev.HeroCanMove);
    EXPECT_EQ(dev.MaxItems, 1);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game_Start));
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Game));
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 215);
    EXPECT_EQ(dev.nextDeadline(), dev.now() + 215);
    // The ready display stays lit.
    expectLit({Segment::im_panel_game_a, Segment::im_hero_3, Segment::im_item_left_1});
    EXPECT_EQ(dev.HeroPos, 3);
}

TEST_F(SequenceTest, ReleaseBeforeTheTimerChangesNothing) {
    dev.press(Button::GameB);
    advance(700);
    dev.release(Button::GameB);
    EXPECT_EQ(dev.DeviceMode, ModeGameBReady);
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Game_Start));
    advance(800);
    EXPECT_EQ(dev.DeviceMode, ModeGameB);
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 180);
}

TEST_F(SequenceTest, HeldButtonKeepsTheHighScoreUntilReleased) {
    dev.HiScoreA = 42;
    dev.press(Button::GameA);
    advance(3000);
    EXPECT_EQ(dev.DeviceMode, ModeGameAReady);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game_Start));
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, 4, 2}));
    dev.release(Button::GameA);
    EXPECT_EQ(dev.DeviceMode, ModeGameA);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, 0}));
}

TEST_F(SequenceTest, NewGameResetsThePreviousOne) {
    reachGameOver(Button::GameA, 12);
    tap(Button::GameA);
    advance(1500);
    EXPECT_EQ(dev.Score, 0);
    EXPECT_EQ(dev.MissCount, 0);
    EXPECT_EQ(itemCount(), 0);
    EXPECT_FALSE(shown(Segment::im_panel_miss_01));
    EXPECT_TRUE(dev.HeroCanMove);
}

TEST_F(SequenceTest, MissPausesPlayFor800Ms) {
    startGame(Button::GameA);
    runTicks(1);
    armMiss();
    placeItems({{3, CellInFlight}});
    runTicks(1);
    ASSERT_EQ(dev.MissCount, 1);
    const auto cells = dev.ItemCells;
    const int phase = dev.TickPhase;
    advance(799);
    EXPECT_FALSE(dev.HeroCanMove);
    EXPECT_TRUE(shown(Segment::im_miss_2));
    advance(1);
    EXPECT_TRUE(dev.HeroCanMove);
    expectLit({Segment::im_panel_miss_01},
              {Segment::im_miss_1, Segment::im_miss_2, Segment::im_miss_3});
    EXPECT_EQ(dev.ItemCells, cells);
    EXPECT_EQ(dev.TickPhase, phase);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Reprise));
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Game));
    EXPECT_EQ(dev.nextDeadline(), dev.now() + 215);
}

TEST_F(SequenceTest, FifthMissEndsTheGameInThreeStages) {
    startGame(Button::GameA);
    dev.MissCount = 4;
    dev.Score = 3;
    armMiss();
    runTicks(1);
    EXPECT_EQ(sound.played, std::vector<Sample>{Sample::Miss});
    EXPECT_EQ(dev.MissCount, 5);
    EXPECT_TRUE(shown(Segment::im_panel_miss_05));
    EXPECT_EQ(dev.TickPhase, 1);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game));
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Reprise));
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game_Over), 120);

    sound.played.clear();
    advance(119);
    EXPECT_TRUE(sound.played.empty());
    advance(1);
    EXPECT_EQ(sound.played, std::vector<Sample>{Sample::Gameover});
    EXPECT_EQ(dev.DeviceMode, ModeGameA);

    forget();
    advance(1999);
    EXPECT_EQ(dev.DeviceMode, ModeGameA);
    advance(1);
    EXPECT_EQ(dev.DeviceMode, ModeGameOver);
    EXPECT_TRUE(display.events.empty()) << "the last picture of the game stays";
    EXPECT_EQ(settings.stored("HiScore1"), "3");
    EXPECT_FALSE(dev.HeroCanMove);

    advance(29999);
    EXPECT_EQ(dev.DeviceMode, ModeGameOver);
    advance(1);
    EXPECT_EQ(dev.DeviceMode, ModeTime1);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game_Over));
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(SequenceTest, ButtonsAreIgnoredDuringTheGameOverStages) {
    startGame(Button::GameB);
    dev.MissCount = 4;
    armMiss();
    runTicks(1);
    for (Button b : {Button::GameA, Button::GameB, Button::Time, Button::Left, Button::Right}) {
        tap(b);
    }
    advance(120);
    tap(Button::Time);
    EXPECT_EQ(dev.DeviceMode, ModeGameB);
    advance(2000);
    EXPECT_EQ(dev.DeviceMode, ModeGameOver);
}

TEST_F(SequenceTest, EqualScoreIsNotWrittenAgain) {
    dev.HiScoreA = 5;
    reachGameOver(Button::GameA, 5);
    EXPECT_EQ(dev.HiScoreA, 5);
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(SequenceTest, HigherScoreIsWrittenForTheGamePlayedOnly) {
    dev.HiScoreA = 5;
    dev.HiScoreB = 2;
    reachGameOver(Button::GameA, 6);
    EXPECT_EQ(dev.HiScoreA, 6);
    EXPECT_EQ(dev.HiScoreB, 2);
    using Write = std::pair<std::string, std::string>;
    EXPECT_EQ(settings.writes, (std::vector<Write>{{"HiScore1", "6"}}));

    settings.writes.clear();
    reachGameOver(Button::GameB, 4);
    EXPECT_EQ(dev.HiScoreA, 6);
    EXPECT_EQ(dev.HiScoreB, 4);
    EXPECT_EQ(settings.writes, (std::vector<Write>{{"HiScore2", "4"}}));
}

// Another program on the same store may have settled a game meanwhile: the score to beat is
// the stored one, and the held high score follows the store.
TEST_F(SequenceTest, GameOverSettlesAgainstTheStoredHighScore) {
    using Write = std::pair<std::string, std::string>;
    dev.HiScoreA = 10;
    dev.HiScoreB = 10;
    settings.values["HiScore2"] = "0";
    reachGameOver(Button::GameB, 4);
    EXPECT_EQ(settings.writes, (std::vector<Write>{{"HiScore2", "4"}}));
    EXPECT_EQ(dev.HiScoreB, 4);

    settings.writes.clear();
    settings.values["HiScore1"] = "50";
    reachGameOver(Button::GameA, 30);
    EXPECT_TRUE(settings.writes.empty()) << "a lower score never replaces a higher stored one";
    EXPECT_EQ(settings.stored("HiScore1"), "50");
    EXPECT_EQ(dev.HiScoreA, 50);
    tap(Button::GameA);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, 5, 0}));
}

TEST_F(SequenceTest, AStoredHighScoreThatIsNoNumberCountsAsTheHeldOne) {
    using Write = std::pair<std::string, std::string>;
    dev.HiScoreA = 20;
    settings.values["HiScore1"] = "abc";
    reachGameOver(Button::GameA, 20);
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(dev.HiScoreA, 20);
    reachGameOver(Button::GameA, 21);
    EXPECT_EQ(settings.writes, (std::vector<Write>{{"HiScore1", "21"}}));
    EXPECT_EQ(dev.HiScoreA, 21);
}

// One item, the hero left at 3, the spawn draw always winning: the item is held in lane 3,
// missed at the bottom of lane 2, and the next one comes after the pause.
TEST_F(SequenceTest, GameLeftAlone) {
    struct Step {
        int tick;
        int cell; // where the item stands after the tick, -1 for none
        std::optional<Sample> sound;
    };
    std::vector<Step> steps = {{5, 0, Sample::Move},  {8, 1, Sample::Move},  {11, 2, Sample::Move},
                               {14, 3, Sample::Move}, {17, 4, Sample::Move}, {20, 5, Sample::Move},
                               {23, 6, Sample::Move}, {26, 7, Sample::Got},  {28, 8, Sample::Move}};
    for (int tick = 31, cell = 9; tick <= 52; tick += 3, ++cell) {
        steps.push_back({tick, cell, Sample::Move});
    }
    steps.push_back({53, -1, Sample::Miss});
    steps.push_back({59, 0, Sample::Move});

    random.fallback = 0;
    startGame(Button::GameA);
    int cell = -1;
    auto step = steps.begin();
    for (int tick = 1; tick <= 59; ++tick) {
        SCOPED_TRACE(testing::Message() << "tick " << tick);
        if (tick == 54) {
            advance(800);
            ASSERT_TRUE(dev.HeroCanMove);
        }
        const int phase = (tick + 4) % 6 + 1;
        ASSERT_EQ(dev.TickPhase, phase);
        const int drawsBefore = random.draws;
        sound.played.clear();
        runTicks(1);

        std::optional<Sample> expectedSound;
        if (step != steps.end() && step->tick == tick) {
            cell = step->cell;
            expectedSound = step->sound;
            ++step;
        }
        if (expectedSound) {
            EXPECT_EQ(sound.played, std::vector<Sample>{*expectedSound});
        } else {
            EXPECT_TRUE(sound.played.empty());
        }
        EXPECT_EQ(random.draws - drawsBefore, phase == 4 && tick != 53 ? 1 : 0);
        EXPECT_EQ(itemCount(), cell < 0 ? 0 : 1);
        if (cell >= 0) {
            EXPECT_EQ(dev.ItemCells[cell], tick >= 26 && tick <= 27 ? CellHeld : CellInFlight);
            EXPECT_TRUE(shown(itemSegment(cell)));
        }
        if (tick == 53) {
            expectLit({Segment::im_miss_2}, {Segment::im_item_16});
            EXPECT_EQ(dev.MissCount, 1);
            EXPECT_TRUE(shown(Segment::im_panel_miss_01));
            EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game));
        }
    }
    EXPECT_EQ(dev.Score, 0);
    EXPECT_EQ(dev.HeroPos, 3);
}

} // namespace
} // namespace device_test
