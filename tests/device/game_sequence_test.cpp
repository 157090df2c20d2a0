#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

// The clock shown, with the given high scores in the store at start-up.
class SequenceTest : public DeviceRigTest {
protected:
    void startWithHighScores(int a, int b) {
        settings.values["HiScore1"] = std::to_string(a);
        settings.values["HiScore2"] = std::to_string(b);
        start();
        tap(Button::Time);
        forget();
    }
};

TEST_F(SequenceTest, ReadyDisplayShowsTheGameAndItsHighScore) {
    startWithHighScores(42, 0);
    advance(1); // a clock tick lights digits and colon, which the ready display darkens
    dev.press(Button::GameA);
    EXPECT_EQ(state().mode, ModeGameAReady);
    expectLit({Segment::im_panel_game_a},
              {Segment::im_panel_game_b, Segment::im_panel_time_1, Segment::im_panel_time_colon,
               Segment::im_panel_time_am});
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, 4, 2}));
    EXPECT_EQ(state().hero, 3);
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
    EXPECT_FALSE(state().heroCanMove);
}

TEST_F(SequenceTest, GameBReadyShowsTheGameBHighScore) {
    startWithHighScores(7, 1234);
    tap(Button::GameB);
    expectLit({Segment::im_panel_game_b}, {Segment::im_panel_game_a});
    EXPECT_EQ(digits(), (Digits{1, 2, 3, 4}));
}

TEST_F(SequenceTest, QuickTapStartsPlay1500MsAfterThePress) {
    startWithHighScores(42, 0);
    tap(Button::GameA);
    advance(1499);
    EXPECT_EQ(state().mode, ModeGameAReady);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, 4, 2}));
    advance(1);
    EXPECT_EQ(state().mode, ModeGameA);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, 0}));
    EXPECT_EQ(state().score, 0);
    EXPECT_EQ(state().misses, 0);
    EXPECT_EQ(state().tickPhase, 6);
    EXPECT_TRUE(state().heroCanMove);
    EXPECT_EQ(state().maxItems, 1);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game_Start));
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Game));
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 215);
    EXPECT_EQ(dev.nextDeadline(), dev.now() + 215);
    // The ready display stays lit.
    expectLit({Segment::im_panel_game_a, Segment::im_hero_3, Segment::im_item_left_1});
    EXPECT_EQ(state().hero, 3);
}

TEST_F(SequenceTest, ReleaseBeforeTheTimerChangesNothing) {
    startWithHighScores(0, 0);
    dev.press(Button::GameB);
    advance(700);
    dev.release(Button::GameB);
    EXPECT_EQ(state().mode, ModeGameBReady);
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Game_Start));
    advance(800);
    EXPECT_EQ(state().mode, ModeGameB);
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 180);
}

TEST_F(SequenceTest, HeldButtonKeepsTheHighScoreUntilReleased) {
    startWithHighScores(42, 0);
    dev.press(Button::GameA);
    advance(3000);
    EXPECT_EQ(state().mode, ModeGameAReady);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game_Start));
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, 4, 2}));
    dev.release(Button::GameA);
    EXPECT_EQ(state().mode, ModeGameA);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, 0}));
}

TEST_F(SequenceTest, NewGameResetsThePreviousOne) {
    startWithHighScores(0, 0);
    reachGameOver(Button::GameA, 12);
    tap(Button::GameA);
    advance(1500);
    EXPECT_EQ(state().score, 0);
    EXPECT_EQ(state().misses, 0);
    EXPECT_EQ(itemCount(state()), 0);
    EXPECT_FALSE(shown(Segment::im_panel_miss_01));
    EXPECT_TRUE(state().heroCanMove);
}

TEST_F(SequenceTest, MissPausesPlayFor800Ms) {
    startWithHighScores(0, 0);
    startGame(Button::GameA);
    armMiss();
    int lane = 1;
    while (state().cells[kBottomCell[lane]] != CellInFlight) {
        ++lane;
    }
    runTicks(1);
    ASSERT_EQ(state().misses, 1);
    const auto cells = state().cells;
    const int phase = state().tickPhase;
    advance(799);
    EXPECT_FALSE(state().heroCanMove);
    EXPECT_TRUE(shown(MissPictures[lane - 1]));
    advance(1);
    EXPECT_TRUE(state().heroCanMove);
    expectLit({Segment::im_panel_miss_01},
              {Segment::im_miss_1, Segment::im_miss_2, Segment::im_miss_3});
    EXPECT_EQ(state().cells, cells);
    EXPECT_EQ(state().tickPhase, phase);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Reprise));
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Game));
    EXPECT_EQ(dev.nextDeadline(), dev.now() + 215);
}

TEST_F(SequenceTest, FifthMissEndsTheGameInThreeStages) {
    startWithHighScores(0, 0);
    startGame(Button::GameA);
    settleScoreAt(3);
    missTo(4);
    armMiss();
    sound.played.clear();
    runTicks(1);
    EXPECT_EQ(sound.played, std::vector<Sample>{Sample::Miss});
    EXPECT_EQ(state().misses, 5);
    EXPECT_TRUE(shown(Segment::im_panel_miss_05));
    EXPECT_EQ(state().tickPhase, 1);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game));
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Reprise));
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game_Over), 120);

    sound.played.clear();
    advance(119);
    EXPECT_TRUE(sound.played.empty());
    advance(1);
    EXPECT_EQ(sound.played, std::vector<Sample>{Sample::Gameover});
    EXPECT_EQ(state().mode, ModeGameA);

    forget();
    advance(1999);
    EXPECT_EQ(state().mode, ModeGameA);
    advance(1);
    EXPECT_EQ(state().mode, ModeGameOver);
    EXPECT_TRUE(display.events.empty()) << "the last picture of the game stays";
    EXPECT_EQ(settings.stored("HiScore1"), "3");
    EXPECT_FALSE(state().heroCanMove);

    advance(29999);
    EXPECT_EQ(state().mode, ModeGameOver);
    advance(1);
    EXPECT_EQ(state().mode, ModeTime1);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game_Over));
    EXPECT_TRUE(sound.played.empty());
}

TEST_F(SequenceTest, ButtonsAreIgnoredDuringTheGameOverStages) {
    startWithHighScores(0, 0);
    startGame(Button::GameB);
    missTo(4);
    armMiss();
    runTicks(1);
    for (Button b : {Button::GameA, Button::GameB, Button::Time, Button::Left, Button::Right}) {
        tap(b);
    }
    advance(120);
    tap(Button::Time);
    EXPECT_EQ(state().mode, ModeGameB);
    advance(2000);
    EXPECT_EQ(state().mode, ModeGameOver);
}

TEST_F(SequenceTest, EqualScoreIsNotWrittenAgain) {
    startWithHighScores(5, 0);
    reachGameOver(Button::GameA, 5);
    EXPECT_EQ(state().hiScoreA, 5);
    EXPECT_TRUE(settings.writes.empty());
}

TEST_F(SequenceTest, HigherScoreIsWrittenForTheGamePlayedOnly) {
    startWithHighScores(5, 2);
    reachGameOver(Button::GameA, 6);
    EXPECT_EQ(state().hiScoreA, 6);
    EXPECT_EQ(state().hiScoreB, 2);
    using Write = std::pair<std::string, std::string>;
    EXPECT_EQ(settings.writes, (std::vector<Write>{{"HiScore1", "6"}}));

    settings.writes.clear();
    reachGameOver(Button::GameB, 4);
    EXPECT_EQ(state().hiScoreA, 6);
    EXPECT_EQ(state().hiScoreB, 4);
    EXPECT_EQ(settings.writes, (std::vector<Write>{{"HiScore2", "4"}}));
}

// Another program on the same store may have settled a game meanwhile: the score to beat is
// the stored one, and the held high score follows the store.
TEST_F(SequenceTest, GameOverSettlesAgainstTheStoredHighScore) {
    using Write = std::pair<std::string, std::string>;
    startWithHighScores(10, 10);
    settings.values["HiScore2"] = "0";
    reachGameOver(Button::GameB, 4);
    EXPECT_EQ(settings.writes, (std::vector<Write>{{"HiScore2", "4"}}));
    EXPECT_EQ(state().hiScoreB, 4);

    settings.writes.clear();
    settings.values["HiScore1"] = "50";
    reachGameOver(Button::GameA, 30);
    EXPECT_TRUE(settings.writes.empty()) << "a lower score never replaces a higher stored one";
    EXPECT_EQ(settings.stored("HiScore1"), "50");
    EXPECT_EQ(state().hiScoreA, 50);
    tap(Button::GameA);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, 5, 0}));
}

TEST_F(SequenceTest, AStoredHighScoreThatIsNoNumberCountsAsTheHeldOne) {
    using Write = std::pair<std::string, std::string>;
    startWithHighScores(20, 0);
    settings.values["HiScore1"] = "abc";
    reachGameOver(Button::GameA, 20);
    EXPECT_TRUE(settings.writes.empty());
    EXPECT_EQ(state().hiScoreA, 20);
    reachGameOver(Button::GameA, 21);
    EXPECT_EQ(settings.writes, (std::vector<Write>{{"HiScore1", "21"}}));
    EXPECT_EQ(state().hiScoreA, 21);
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

    startWithHighScores(0, 0);
    random.fallback = 0;
    startGame(Button::GameA);
    int cell = -1;
    auto step = steps.begin();
    for (int tick = 1; tick <= 59; ++tick) {
        SCOPED_TRACE(testing::Message() << "tick " << tick);
        if (tick == 54) {
            advance(800);
            ASSERT_TRUE(state().heroCanMove);
        }
        const int phase = (tick + 4) % 6 + 1;
        ASSERT_EQ(state().tickPhase, phase);
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
        EXPECT_EQ(itemCount(state()), cell < 0 ? 0 : 1);
        if (cell >= 0) {
            EXPECT_EQ(state().cells[cell], tick >= 26 && tick <= 27 ? CellHeld : CellInFlight);
            EXPECT_TRUE(shown(itemSegment(cell)));
        }
        if (tick == 53) {
            expectLit({Segment::im_miss_2}, {Segment::im_item_16});
            EXPECT_EQ(state().misses, 1);
            EXPECT_TRUE(shown(Segment::im_panel_miss_01));
            EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game));
        }
    }
    EXPECT_EQ(state().score, 0);
    EXPECT_EQ(state().hero, 3);
}

} // namespace
} // namespace device_test
