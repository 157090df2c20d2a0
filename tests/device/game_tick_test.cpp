#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

// Shown state of the item-right group's seven pictures on the frame of each tick phase.
using RightFrame = std::array<bool, 7>;
constexpr std::array<RightFrame, 7> kRightFrames = {{
    {true, true, false, true, true, false, false},
    {true, true, true, false, true, false, false},
    {true, true, true, false, true, false, false},
    {true, true, false, true, false, true, false},
    {true, true, false, true, false, false, true},
    {true, true, false, true, false, false, true},
    {true, true, true, false, false, true, false},
}};

// Play of game A under way, one item on the field at a time unless a test asks for more.
class TickTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        startGame(Button::GameA);
    }
    // The cells a tick of `phase` may change: its lane, the bottom cell of the lane before
    // (whose held item it launches) and, with lane 3, the exit run.
    static bool inMovingStretch(int cell, int phase) {
        switch (movingLane(phase)) {
        case 3:
            return cell <= 7 || cell >= 23;
        case 1:
            return cell >= 16 && cell <= 23;
        default:
            return cell >= 7 && cell <= 16;
        }
    }
    void expectItemPicturesFollowTheCells() {
        const DeviceSnapshot s = state();
        for (int cell = 0; cell < kCellCount; ++cell) {
            EXPECT_EQ(shown(itemSegment(cell)), s.cells[cell] > 0) << "cell " << cell;
        }
    }
};

TEST_F(TickTest, ItemGroupsShowThePhaseAndTheRestFrame) {
    for (int i = 0; i < 12; ++i) {
        const int phase = state().tickPhase;
        SCOPED_TRACE(testing::Message() << "phase " << phase);
        tick();
        for (std::size_t p = 0; p < ItemRightPictures.size(); ++p) {
            EXPECT_EQ(shown(ItemRightPictures[p]), kRightFrames[phase][p]) << p;
        }
        expectLit({Segment::im_item_left_0, Segment::im_item_left_1}, {Segment::im_item_left_2});
        EXPECT_EQ(state().tickPhase, phase % 6 + 1);
    }
}

struct BottomCase {
    int lane;
    Segment missPicture;
};

class BottomCell : public TickTest, public ::testing::WithParamInterface<BottomCase> {
protected:
    // Catches in the lanes before this one, so an item comes down to its bottom cell and
    // waits there with the hero elsewhere.
    void waitForAnItemAtTheBottom() {
        const int lane = GetParam().lane;
        Aim aim = kCatchAll;
        aim.catches[lane] = false;
        playUntil(aim, [lane](const DeviceSnapshot& s) {
            return s.cells[kBottomCell[lane]] == CellInFlight;
        });
        ASSERT_NE(state().hero, lane);
    }
};

TEST_P(BottomCell, WaitingItemIsHeldWhenTheHeroHasArrived) {
    const BottomCase c = GetParam();
    waitForAnItemAtTheBottom();
    moveHeroTo(c.lane);
    tick();
    EXPECT_EQ(state().cells[kBottomCell[c.lane]], CellHeld);
    EXPECT_EQ(tickSound(), Sample::Got);
    EXPECT_TRUE(shown(itemSegment(kBottomCell[c.lane])));
    EXPECT_EQ(state().misses, 0);
}

TEST_P(BottomCell, WaitingItemIsMissedWhenTheHeroIsElsewhere) {
    const BottomCase c = GetParam();
    waitForAnItemAtTheBottom();
    tick();
    const DeviceSnapshot s = state();
    EXPECT_EQ(s.cells[kBottomCell[c.lane]], CellEmpty);
    EXPECT_FALSE(shown(itemSegment(kBottomCell[c.lane])));
    EXPECT_TRUE(shown(c.missPicture));
    EXPECT_EQ(s.misses, 1);
    expectLit({Segment::im_panel_miss_01}, {Segment::im_panel_miss_02});
    EXPECT_EQ(tickSound(), Sample::Miss);
    EXPECT_FALSE(s.heroCanMove);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game));
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Reprise));
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Reprise), 800);
}

INSTANTIATE_TEST_SUITE_P(Lanes, BottomCell,
                         ::testing::Values(BottomCase{1, Segment::im_miss_1},
                                           BottomCase{2, Segment::im_miss_2},
                                           BottomCase{3, Segment::im_miss_3}));

TEST_F(TickTest, ArrivalUnderTheHeroIsHeldAtOnce) {
    for (int lane : {3, 2, 1}) {
        SCOPED_TRACE(testing::Message() << "lane " << lane);
        playUntil(kCatchAll, [lane](const DeviceSnapshot& s) {
            return movingLane(s.tickPhase) == lane &&
                   s.cells[kBottomCell[lane] - 1] == CellInFlight;
        });
        moveHeroTo(lane);
        tick();
        EXPECT_EQ(state().cells[kBottomCell[lane]], CellHeld);
        EXPECT_EQ(tickSound(), Sample::Got);
    }
}

TEST_F(TickTest, CatchOutranksTheMoveOfOtherItems) {
    random.fallback = 0;
    playToScore(4); // three items may be on the field
    playUntil(kCatchAll, [](const DeviceSnapshot& s) {
        if (movingLane(s.tickPhase) != 3 || s.cells[6] != CellInFlight) {
            return false;
        }
        for (int cell = 0; cell < 6; ++cell) {
            if (s.cells[cell] == CellInFlight) {
                return true;
            }
        }
        return false;
    });
    moveHeroTo(3);
    tick();
    EXPECT_EQ(state().cells[7], CellHeld);
    EXPECT_EQ(tickSound(), Sample::Got);
}

TEST_F(TickTest, HeroHasUntilTheNextTickToReachAnArrivedItem) {
    playUntil(kMissAll, [](const DeviceSnapshot& s) {
        return movingLane(s.tickPhase) == 3 && s.cells[6] == CellInFlight;
    });
    moveHeroTo(2);
    tick();
    EXPECT_EQ(state().cells[7], CellInFlight);
    EXPECT_EQ(tickSound(), Sample::Move);
    tap(Button::Right);
    tick();
    EXPECT_EQ(state().cells[7], CellHeld);
    EXPECT_EQ(tickSound(), Sample::Got);
}

TEST_F(TickTest, HeldItemsAreLaunchedByTheNextStretch) {
    for (int lane : {3, 2, 1}) {
        SCOPED_TRACE(testing::Message() << "lane " << lane);
        const int bottom = kBottomCell[lane];
        playUntil(kCatchAll,
                  [bottom](const DeviceSnapshot& s) { return s.cells[bottom] == CellHeld; });
        moveHeroTo(lane == 1 ? 3 : 1); // the hero need not stay under a held item
        tick();
        EXPECT_EQ(state().cells[bottom], CellHeld);
        tick();
        EXPECT_EQ(state().cells[bottom], CellEmpty);
        EXPECT_EQ(state().cells[bottom + 1], CellInFlight);
        EXPECT_EQ(tickSound(), Sample::Move);
    }
}

TEST_F(TickTest, OnlyTheStretchOfThePhaseMoves) {
    random.fallback = 0;
    playToScore(30); // up to five items, spread over every lane
    bool moved = false;
    for (int i = 0; i < 120; ++i) {
        moveHeroTo(heroFor(state(), kCatchAll));
        const DeviceSnapshot before = state();
        ASSERT_EQ(before.misses, 0);
        tick();
        const DeviceSnapshot after = state();
        for (int cell = 0; cell < kCellCount; ++cell) {
            if (!inMovingStretch(cell, before.tickPhase)) {
                EXPECT_EQ(after.cells[cell], before.cells[cell])
                    << "cell " << cell << " on phase " << before.tickPhase;
            }
        }
        moved = moved || after.cells != before.cells;
        expectItemPicturesFollowTheCells();
    }
    EXPECT_TRUE(moved);
}

TEST_F(TickTest, TickWithNothingMovingIsSilent) {
    // Caught in cell 7 on a lane 3 tick; the next tick moves lane 1, where nothing is.
    playUntil(kCatchAll, [](const DeviceSnapshot& s) { return s.cells[7] == CellHeld; });
    ASSERT_EQ(movingLane(state().tickPhase), 1);
    tick();
    EXPECT_EQ(tickSound(), std::nullopt);
    EXPECT_EQ(state().cells[7], CellHeld);
}

TEST_F(TickTest, PointIsCountedWhenAnItemLeavesTheExitRun) {
    random.fallback = 0;
    int points = 0;
    while (points < 20) {
        playUntil(kCatchAll, [](const DeviceSnapshot& s) {
            return movingLane(s.tickPhase) == 3 && s.cells[27] == CellInFlight;
        });
        moveHeroTo(heroFor(state(), kCatchAll));
        const DeviceSnapshot before = state();
        tick();
        ++points;
        const DeviceSnapshot after = state();
        EXPECT_EQ(after.score, before.score + 1);
        EXPECT_EQ(after.cells[27], before.cells[26]) << "cell 27 takes cell 26";
        expectLit({Segment::im_item_left_0, Segment::im_item_left_2}, {Segment::im_item_left_1});
        const int units = after.score % 10;
        const int tens = after.score >= 10 ? after.score / 10 : kBlank;
        EXPECT_EQ(digits(), (Digits{kBlank, kBlank, tens, units}));
        playTick();
        expectLit({Segment::im_item_left_1}, {Segment::im_item_left_2});
    }
    EXPECT_EQ(state().score, points);
}

TEST_F(TickTest, ScoreAfter9999IsZero) {
    random.fallback = 0;
    playToScore(9999);
    EXPECT_EQ(digits(), (Digits{9, 9, 9, 9}));
    playUntil(kCatchAll, [](const DeviceSnapshot& s) { return s.score != 9999; });
    EXPECT_EQ(state().score, 0);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, 0}));
    EXPECT_EQ(state().misses, 0);
}

// The draw is made on every lane 3 move of phase 4; an empty field and the cap then
// override it.
TEST_F(TickTest, SpawnFollowsTheDrawUnlessOverridden) {
    auto spawnTick = [this](int draw) {
        playUntil(kCatchAll, [](const DeviceSnapshot& s) { return s.tickPhase == 4; });
        random.queued = {draw};
        const int drawsBefore = random.draws;
        playTick();
        EXPECT_EQ(random.draws - drawsBefore, 1);
        const bool spawned = state().cells[0] == CellInFlight;
        EXPECT_EQ(shown(Segment::im_item_00), spawned);
        return spawned;
    };
    EXPECT_TRUE(spawnTick(3)) << "the first spawn of a game finds the field empty";
    EXPECT_FALSE(spawnTick(0)) << "one item is the cap at the start";

    playToScore(4);
    bool drawnOut = false, drawnIn = false, capped = false;
    for (int round = 0; round < 60 && !(drawnOut && drawnIn && capped); ++round) {
        playUntil(kCatchAll, [](const DeviceSnapshot& s) { return s.tickPhase == 4; });
        const DeviceSnapshot before = state();
        // What stays on the field once the exit run has moved on.
        const int present = itemCount(before) - (before.cells[27] == CellInFlight ? 1 : 0);
        const int draw = round % 3 == 1 ? 2 : 0;
        const bool spawned = spawnTick(draw);
        const int cap = state().maxItems;
        SCOPED_TRACE(testing::Message() << present << " present, draw " << draw << ", cap " << cap);
        if (present == 0) {
            EXPECT_TRUE(spawned);
        } else if (present >= cap) {
            EXPECT_FALSE(spawned);
            capped = capped || draw == 0;
        } else if (draw == 0) {
            EXPECT_TRUE(spawned);
            drawnIn = true;
        } else {
            EXPECT_FALSE(spawned);
            drawnOut = true;
        }
    }
    EXPECT_TRUE(drawnOut && drawnIn && capped);
}

TEST_F(TickTest, MissTickMovesScoresAndDrawsNothing) {
    drawUnevenly(1);
    // Lane 2 brings an item down on phase 3 and the hero stays away: the phase 4 tick, which
    // would move lane 3 and draw, finds the miss instead.
    playUntil(kCatchAll, [](const DeviceSnapshot& s) {
        bool lane3 = false;
        for (int cell = 0; cell < 7; ++cell) {
            lane3 = lane3 || s.cells[cell] == CellInFlight;
        }
        return s.tickPhase == 3 && s.cells[15] == CellInFlight && lane3;
    });
    moveHeroTo(heroFor(state(), Aim{{false, true, false, true}}));
    tick();
    ASSERT_TRUE(missComesNext(state()));
    DeviceSnapshot expected = state();
    expected.cells[16] = CellEmpty;
    const int drawsBefore = random.draws;
    tick();
    EXPECT_EQ(state().cells, expected.cells);
    EXPECT_EQ(state().score, expected.score);
    EXPECT_EQ(random.draws, drawsBefore);
    EXPECT_EQ(tickSound(), Sample::Miss);
    EXPECT_EQ(state().tickPhase, 5);
}

// The bottom cell whose held item the tick of `phase` launches into the next lane.
int launchedOn(int phase) {
    switch (movingLane(phase)) {
    case 2:
        return 7;
    case 1:
        return 16;
    default:
        return 23;
    }
}

// A miss tick moves nothing, so a held item whose launch falls on it stays in its bottom
// cell, and the next move of its lane runs over it. Such a tick needs items off their usual
// rhythm, which earlier misses bring: the player lets one item in eight fall.
TEST_F(TickTest, HeldItemWhoseLaunchFellOnAMissTickIsLost) {
    drawUnevenly(2);
    std::mt19937 lapses(11);
    auto lostLaunchComes = [](const DeviceSnapshot& s) {
        const int held = launchedOn(s.tickPhase);
        if (s.misses >= 4 || s.cells[held] != CellHeld || s.cells[held - 1] != CellEmpty ||
            s.cells[held + 1] != CellEmpty) {
            return false;
        }
        for (int lane = 1; lane <= 3; ++lane) {
            if (kBottomCell[lane] != held && s.cells[kBottomCell[lane]] == CellInFlight) {
                return true;
            }
        }
        return false;
    };
    for (int steps = 0; !lostLaunchComes(state()); ++steps) {
        ASSERT_LT(steps, 400000);
        if (state().mode != ModeGameA && state().mode != ModeGameAReady) {
            startGame(Button::GameA);
        }
        Aim aim = kCatchAll;
        if (lapses() % 8 == 0) {
            aim.catches[1 + lapses() % 3] = false;
        }
        step(aim);
    }
    const int held = launchedOn(state().tickPhase);
    moveHeroTo(heroFor(state(), kMissAll));
    const int misses = state().misses;
    tick();
    ASSERT_EQ(state().misses, misses + 1);
    EXPECT_EQ(state().cells[held], CellHeld);
    advance(800);
    tick(); // the held item's lane moves into its bottom cell
    EXPECT_EQ(state().cells[held], CellEmpty);
    EXPECT_EQ(state().cells[held + 1], CellEmpty) << "the next lane never got it";
    EXPECT_EQ(state().misses, misses + 1);
    EXPECT_FALSE(shown(itemSegment(held)));
    EXPECT_TRUE(state().heroCanMove);
}

struct LevelCase {
    int score;
    int maxItems;
    int interval;
};

struct GameLevels {
    std::string_view name;
    Button game;
    std::vector<LevelCase> cases;
};

void PrintTo(const GameLevels& levels, std::ostream* os) {
    *os << levels.name;
}

class LevelTable : public DeviceTest, public ::testing::WithParamInterface<GameLevels> {};

TEST_P(LevelTable, FollowsTheScoreModulo100) {
    random.fallback = 0;
    startGame(GetParam().game);
    for (const LevelCase& c : GetParam().cases) {
        playToScore(c.score);
        EXPECT_EQ(state().maxItems, c.maxItems) << "score " << c.score;
        EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), c.interval) << "score " << c.score;
    }
}

INSTANTIATE_TEST_SUITE_P(Games, LevelTable,
                         ::testing::Values(GameLevels{"GameA",
                                                      Button::GameA,
                                                      {{0, 1, 215},
                                                       {3, 1, 215},
                                                       {4, 3, 215},
                                                       {29, 3, 215},
                                                       {30, 5, 215},
                                                       {39, 5, 215},
                                                       {40, 5, 185},
                                                       {69, 5, 185},
                                                       {70, 5, 150},
                                                       {99, 5, 150},
                                                       {100, 1, 215},
                                                       {140, 5, 185}}},
                                           GameLevels{"GameB",
                                                      Button::GameB,
                                                      {{0, 1, 180},
                                                       {3, 1, 180},
                                                       {4, 4, 180},
                                                       {23, 4, 180},
                                                       {24, 6, 180},
                                                       {39, 6, 180},
                                                       {40, 6, 155},
                                                       {69, 6, 155},
                                                       {70, 6, 130},
                                                       {200, 1, 180}}}),
                         [](const ::testing::TestParamInfo<GameLevels>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(DeviceTest, NoLevelIsSetBeforeTheFirstGame) {
    for (int i = 0; i < 6; ++i) {
        tap(Button::Time);
        EXPECT_EQ(state().maxItems, 0);
        EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 1);
    }
    tap(Button::GameA); // the ready display
    EXPECT_EQ(state().maxItems, 0);
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 1);
}

TEST_F(TickTest, PointAcrossALevelBoundRestartsTheTickCountdown) {
    random.fallback = 0;
    playToScore(39);
    playUntil(kCatchAll, [](const DeviceSnapshot& s) {
        return movingLane(s.tickPhase) == 3 && s.cells[27] == CellInFlight;
    });
    playTick();
    ASSERT_EQ(state().score, 40);
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 185);
    EXPECT_EQ(dev.nextDeadline(), dev.now() + 185);
}

TEST_F(TickTest, PointWithinALevelKeepsTheTickCountdown) {
    random.fallback = 0;
    playToScore(5);
    playUntil(kCatchAll, [](const DeviceSnapshot& s) {
        return movingLane(s.tickPhase) == 3 && s.cells[27] == CellInFlight;
    });
    moveHeroTo(heroFor(state(), kCatchAll));
    const Millis tickTime = dev.now() + 215;
    tick();
    ASSERT_EQ(state().score, 6);
    EXPECT_EQ(dev.nextDeadline(), tickTime + 215);
}

} // namespace
} // namespace device_test
