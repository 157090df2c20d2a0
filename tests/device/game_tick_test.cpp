#include "tests/device/device_fixture.h"

namespace device_test {
namespace {

using namespace device;

// Play of game A under way; each test sets up cells, hero and phase, then runs one tick.
class TickTest : public DeviceTest {
protected:
    void SetUp() override {
        DeviceTest::SetUp();
        startGame(Button::GameA);
    }
    void tickAt(int phase) {
        dev.TickPhase = phase;
        sound.played.clear();
        runTicks(1);
        ASSERT_LE(sound.played.size(), 1u) << "at most one sound per tick";
    }
    std::optional<Sample> tickSound() const {
        if (sound.played.empty()) {
            return std::nullopt;
        }
        return sound.played.back();
    }
};

TEST_F(TickTest, ItemGroupsShowThePhaseAndTheRestFrame) {
    dev.Vid_Show_Item_Left(2);
    tickAt(3);
    expectLit({Segment::im_item_right_3, Segment::im_item_right_5, Segment::im_item_left_1},
              {Segment::im_item_right_2, Segment::im_item_right_4, Segment::im_item_left_2});
    EXPECT_EQ(dev.TickPhase, 4);
    tickAt(6);
    EXPECT_EQ(dev.TickPhase, 1);
}

struct BottomCase {
    int cell;
    int heroUnder;
    int quietPhase; // a phase on which that lane's stretch does not move
    Segment missPicture;
};

class BottomCell : public TickTest, public ::testing::WithParamInterface<BottomCase> {};

TEST_P(BottomCell, WaitingItemIsHeldWhenTheHeroHasArrived) {
    const BottomCase c = GetParam();
    dev.HeroPos = c.heroUnder;
    placeItems({{c.cell, CellInFlight}});
    tickAt(c.quietPhase);
    EXPECT_EQ(dev.ItemCells[c.cell], CellHeld);
    EXPECT_EQ(tickSound(), Sample::Got);
    EXPECT_TRUE(shown(itemSegment(c.cell)));
    EXPECT_EQ(dev.MissCount, 0);
}

TEST_P(BottomCell, WaitingItemIsMissedWhenTheHeroIsElsewhere) {
    const BottomCase c = GetParam();
    dev.HeroPos = c.heroUnder == 3 ? 1 : 3;
    placeItems({{c.cell, CellInFlight}});
    tickAt(c.quietPhase);
    EXPECT_EQ(dev.ItemCells[c.cell], CellEmpty);
    EXPECT_FALSE(shown(itemSegment(c.cell)));
    EXPECT_TRUE(shown(c.missPicture));
    EXPECT_EQ(dev.MissCount, 1);
    expectLit({Segment::im_panel_miss_01}, {Segment::im_panel_miss_02});
    EXPECT_EQ(tickSound(), Sample::Miss);
    EXPECT_FALSE(dev.HeroCanMove);
    EXPECT_FALSE(dev.timers().enabled(TimerId::Timer_Game));
    EXPECT_TRUE(dev.timers().enabled(TimerId::Timer_Reprise));
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Reprise), 800);
}

INSTANTIATE_TEST_SUITE_P(Lanes, BottomCell,
                         ::testing::Values(BottomCase{23, 1, 3, Segment::im_miss_1},
                                           BottomCase{16, 2, 1, Segment::im_miss_2},
                                           BottomCase{7, 3, 2, Segment::im_miss_3}));

TEST_F(TickTest, ArrivalUnderTheHeroIsHeldAtOnce) {
    placeItems({{6, CellInFlight}, {2, CellInFlight}});
    tickAt(1);
    EXPECT_EQ(dev.ItemCells[7], CellHeld);
    EXPECT_EQ(dev.ItemCells[3], CellInFlight);
    EXPECT_EQ(tickSound(), Sample::Got) << "a catch outranks the move of other items";

    dev.HeroPos = 1;
    placeItems({{22, CellInFlight}});
    tickAt(2);
    EXPECT_EQ(dev.ItemCells[23], CellHeld);

    dev.HeroPos = 2;
    placeItems({{15, CellInFlight}});
    tickAt(3);
    EXPECT_EQ(dev.ItemCells[16], CellHeld);
}

TEST_F(TickTest, HeroHasUntilTheNextTickToReachAnArrivedItem) {
    dev.Inp_left_down();
    dev.Inp_left_up();
    placeItems({{6, CellInFlight}});
    tickAt(1);
    EXPECT_EQ(dev.ItemCells[7], CellInFlight);
    EXPECT_EQ(tickSound(), Sample::Move);
    tap(Button::Right);
    tickAt(2);
    EXPECT_EQ(dev.ItemCells[7], CellHeld);
    EXPECT_EQ(tickSound(), Sample::Got);
}

TEST_F(TickTest, HeldItemsAreLaunchedByTheNextStretch) {
    dev.HeroPos = 1; // the hero need not stay under a held item
    placeItems({{7, CellHeld}});
    tickAt(2);
    EXPECT_EQ(dev.ItemCells[7], CellHeld);
    tickAt(3);
    EXPECT_EQ(dev.ItemCells[7], CellEmpty);
    EXPECT_EQ(dev.ItemCells[8], CellInFlight);
    EXPECT_EQ(tickSound(), Sample::Move);

    placeItems({{16, CellHeld}});
    tickAt(5);
    EXPECT_EQ(dev.ItemCells[16], CellEmpty);
    EXPECT_EQ(dev.ItemCells[17], CellInFlight);

    placeItems({{23, CellHeld}});
    tickAt(4);
    EXPECT_EQ(dev.ItemCells[23], CellEmpty);
    EXPECT_EQ(dev.ItemCells[24], CellInFlight);
    EXPECT_EQ(tickSound(), Sample::Move);
}

TEST_F(TickTest, OnlyTheStretchOfThePhaseMoves) {
    placeItems({{3, CellInFlight}, {10, CellInFlight}, {19, CellInFlight}});
    tickAt(2);
    EXPECT_EQ(dev.ItemCells[3], CellInFlight);
    EXPECT_EQ(dev.ItemCells[10], CellInFlight);
    EXPECT_EQ(dev.ItemCells[20], CellInFlight);
    EXPECT_EQ(dev.ItemCells[19], CellEmpty);
    expectLit({Segment::im_item_20}, {Segment::im_item_19});
}

TEST_F(TickTest, TickWithNothingMovingIsSilent) {
    placeItems({{3, CellInFlight}, {7, CellHeld}});
    tickAt(2);
    EXPECT_EQ(tickSound(), std::nullopt);
}

TEST_F(TickTest, PointIsCountedWhenAnItemLeavesTheExitRun) {
    for (int phase : {1, 4}) {
        placeItems({{27, CellInFlight}, {26, CellInFlight}});
        tickAt(phase);
        EXPECT_EQ(dev.ItemCells[27], CellInFlight) << "cell 27 takes cell 26";
        expectLit({Segment::im_item_left_2}, {Segment::im_item_left_1});
        dev.ItemCells.fill(CellEmpty);
    }
    EXPECT_EQ(dev.Score, 2);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, 2}));
    tickAt(2);
    expectLit({Segment::im_item_left_1}, {Segment::im_item_left_2});
}

TEST_F(TickTest, ScoreAfter9999IsZero) {
    dev.Score = 9999;
    placeItems({{27, CellInFlight}});
    tickAt(1);
    EXPECT_EQ(dev.Score, 0);
    EXPECT_EQ(digits(), (Digits{kBlank, kBlank, kBlank, 0}));
}

// The draw is made on every phase 4 move; an empty field and the cap then override it.
TEST_F(TickTest, SpawnFollowsTheDrawUnlessOverridden) {
    struct Case {
        int score;
        std::vector<std::pair<int, Cell>> items;
        int draw;
        bool spawns;
    };
    const std::vector<Case> cases = {
        {0, {}, 3, true},                                        // empty field
        {0, {{10, CellInFlight}}, 0, false},                     // cap of 1 reached
        {4, {{10, CellInFlight}, {20, CellInFlight}}, 2, false}, // below the cap of 3
        {4, {{10, CellInFlight}, {20, CellInFlight}}, 0, true},
        {4, {{16, CellHeld}, {10, CellInFlight}, {20, CellInFlight}}, 0, false},
    };
    dev.HeroPos = 2;
    for (const Case& c : cases) {
        dev.ItemCells.fill(CellEmpty);
        for (auto [cell, state] : c.items) {
            dev.ItemCells[cell] = state;
        }
        dev.Score = c.score;
        dev.Gam_Set_Level();
        random.queued = {c.draw};
        const int drawsBefore = random.draws;
        tickAt(4);
        EXPECT_EQ(random.draws - drawsBefore, 1);
        EXPECT_EQ(dev.ItemCells[0], c.spawns ? CellInFlight : CellEmpty)
            << "score " << c.score << ", draw " << c.draw;
        EXPECT_EQ(shown(Segment::im_item_00), c.spawns);
    }
    EXPECT_EQ(tickSound(), std::nullopt) << "held items and lane 2 do not count as moving";
}

TEST_F(TickTest, MissTickMovesScoresAndDrawsNothing) {
    random.queued = {0};
    placeItems({{3, CellInFlight}, {27, CellInFlight}, {16, CellInFlight}});
    tickAt(4);
    EXPECT_EQ(dev.ItemCells[3], CellInFlight);
    EXPECT_EQ(dev.ItemCells[4], CellEmpty);
    EXPECT_EQ(dev.ItemCells[27], CellInFlight);
    EXPECT_EQ(dev.ItemCells[0], CellEmpty);
    EXPECT_EQ(dev.Score, 0);
    EXPECT_EQ(random.draws, 0);
    EXPECT_EQ(tickSound(), Sample::Miss);
    EXPECT_EQ(dev.TickPhase, 5);
}

TEST_F(TickTest, MissOutranksACatchAndDefersIt) {
    dev.HeroPos = 1;
    placeItems({{23, CellInFlight}, {16, CellInFlight}});
    tickAt(3);
    EXPECT_EQ(tickSound(), Sample::Miss);
    EXPECT_EQ(dev.ItemCells[23], CellInFlight) << "no late catch on a miss tick";
    advance(800);
    sound.played.clear();
    runTicks(1); // phase 4: held late, then launched by the exit run at once
    EXPECT_EQ(dev.ItemCells[24], CellInFlight);
    EXPECT_EQ(sound.played, std::vector<Sample>{Sample::Got});
}

TEST_F(TickTest, HeldItemWhoseLaunchFellOnAMissTickIsLost) {
    placeItems({{7, CellHeld}, {16, CellInFlight}});
    tickAt(3); // lane 2 would launch cell 7, but the tick finds the miss in cell 16
    ASSERT_EQ(dev.MissCount, 1);
    EXPECT_EQ(dev.ItemCells[7], CellHeld);
    EXPECT_EQ(dev.TickPhase, 4);
    advance(800);
    sound.played.clear();
    runTicks(1); // phase 4: lane 3 moves into cell 7
    EXPECT_EQ(dev.ItemCells[7], CellEmpty);
    EXPECT_EQ(dev.ItemCells[8], CellEmpty);
    EXPECT_EQ(dev.MissCount, 1);
    EXPECT_FALSE(shown(Segment::im_item_07));
    EXPECT_TRUE(dev.HeroCanMove);
}

TEST_F(DeviceTest, LevelTablesFollowTheScoreModulo100) {
    struct Case {
        std::int32_t mode;
        int score;
        int maxItems;
        int interval;
    };
    constexpr std::int32_t A = ModeGameA;
    constexpr std::int32_t B = ModeGameB;
    const Case cases[] = {
        {A, 0, 1, 215},   {A, 3, 1, 215},   {A, 4, 3, 215},  {A, 29, 3, 215}, {A, 30, 5, 215},
        {A, 39, 5, 215},  {A, 40, 5, 185},  {A, 69, 5, 185}, {A, 70, 5, 150}, {A, 99, 5, 150},
        {A, 100, 1, 215}, {A, 140, 5, 185}, {B, 0, 1, 180},  {B, 3, 1, 180},  {B, 4, 4, 180},
        {B, 23, 4, 180},  {B, 24, 6, 180},  {B, 39, 6, 180}, {B, 40, 6, 155}, {B, 69, 6, 155},
        {B, 70, 6, 130},  {B, 200, 1, 180},
    };
    for (const Case& c : cases) {
        dev.DeviceMode = c.mode;
        dev.Score = c.score;
        dev.Gam_Set_Level();
        EXPECT_EQ(dev.MaxItems, c.maxItems) << modeName(c.mode) << " score " << c.score;
        EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), c.interval)
            << modeName(c.mode) << " score " << c.score;
    }
}

TEST_F(DeviceTest, LevelIsLeftAloneOutsidePlay) {
    tap(Button::Time);
    dev.Score = 75;
    dev.Gam_Set_Level();
    EXPECT_EQ(dev.MaxItems, 0);
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 1);
}

TEST_F(TickTest, PointAcrossALevelBoundRestartsTheTickCountdown) {
    dev.Score = 39;
    placeItems({{27, CellInFlight}});
    tickAt(1);
    ASSERT_EQ(dev.Score, 40);
    EXPECT_EQ(dev.timers().interval(TimerId::Timer_Game), 185);
    EXPECT_EQ(dev.nextDeadline(), dev.now() + 185);
}

TEST_F(TickTest, PointWithinALevelKeepsTheTickCountdown) {
    dev.Score = 5;
    placeItems({{27, CellInFlight}});
    const Millis tickTime = dev.now() + 215;
    tickAt(1);
    ASSERT_EQ(dev.Score, 6);
    EXPECT_EQ(dev.nextDeadline(), tickTime + 215);
}

} // namespace
} // namespace device_test
