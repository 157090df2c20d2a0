#include <gtest/gtest.h>

#include "session/json_text.h"
#include "tests/session/run_helpers.h"

namespace session {
namespace {

using testing::reportLines;
using testing::runText;

TEST(OutputFormat, StartUpWritesTheBindingsBackAtTimeZero) {
    auto result = runText("");
    ASSERT_EQ(result.status, 0);
    EXPECT_EQ(result.lines, (std::vector<std::string>{
                                R"({"t":0,"store":"Key1","value":"2"})",
                                R"({"t":0,"store":"Key2","value":"3"})",
                                R"({"t":0,"store":"Key3","value":"4"})",
                                R"({"t":0,"store":"Key4","value":"39"})",
                                R"({"t":0,"store":"Key5","value":"40"})",
                            }));
}

TEST(OutputFormat, StateLineAfterPower) {
    auto reports = reportLines(runText("power\nshow\n"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(
        reports[0],
        R"({"t":0,"mode":"ModeAllSegments","score":0,"misses":0,"hero":0,"phase":0,"maxitems":0,)"
        R"("hiscores":[0,0],"cells":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],)"
        R"("digits":["8","8","8","8"],"lit":["im_hero_1","im_hero_2","im_hero_3",)"
        R"("im_item_00","im_item_01","im_item_02","im_item_03","im_item_04","im_item_05",)"
        R"("im_item_06","im_item_07","im_item_08","im_item_09","im_item_10","im_item_11",)"
        R"("im_item_12","im_item_13","im_item_14","im_item_15","im_item_16","im_item_17",)"
        R"("im_item_18","im_item_19","im_item_20","im_item_21","im_item_22","im_item_23",)"
        R"("im_item_24","im_item_25","im_item_26","im_item_27","im_item_left_0",)"
        R"("im_item_left_1","im_item_left_2","im_item_right_1a","im_item_right_1b",)"
        R"("im_item_right_2","im_item_right_3","im_item_right_4","im_item_right_5",)"
        R"("im_item_right_6","im_miss_1","im_miss_2","im_miss_3","im_panel_alarm",)"
        R"("im_panel_bell","im_panel_chrono","im_panel_date","im_panel_game_a",)"
        R"("im_panel_game_b","im_panel_miss_01","im_panel_miss_02","im_panel_miss_03",)"
        R"("im_panel_miss_04","im_panel_miss_05","im_panel_miss_06","im_panel_miss_07",)"
        R"("im_panel_miss_08","im_panel_miss_09","im_panel_miss_10","im_panel_time_1",)"
        R"("im_panel_time_2","im_panel_time_am","im_panel_time_colon","im_panel_time_pm"],)"
        R"("timers":[]})");
}

TEST(OutputFormat, DarkDeviceBeforePowerAndPressedButtonsSortFirst) {
    auto reports = reportLines(runText("show\npower\npress RIGHT\npress GAMEB\nshow\n"));
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[0].find(R"("digits":["","","",""],"lit":[],"timers":[]})"),
              std::string::npos);
    EXPECT_NE(reports[1].find(R"("lit":["btn_game_b_down","btn_right_down","im_panel_time_1"])"),
              std::string::npos);
}

TEST(OutputFormat, HintsLineWithDefaultBindings) {
    auto reports = reportLines(runText("hints\n"));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0],
              R"j({"t":0,"hints":{)j"
              R"j("btn_game_a_top":"click or press '1' to start game A (hold to view highscore)",)j"
              R"j("btn_game_b_top":"click or press '2' to start game B (hold to view highscore)",)j"
              R"j("btn_time_top":"click or press '3' to switch mode",)j"
              R"j("btn_set_top":"button disabled",)j"
              R"j("btn_left_top":"click or press 'left arrow' key",)j"
              R"j("btn_right_top":"click or press 'right arrow' key"}})j");
}

TEST(OutputFormat, SoundsAndTimersCarryVirtualTime) {
    auto result = runText("power\ntap TIME\ntap GAMEA\nwait 1500\nshow\n");
    ASSERT_EQ(result.status, 0);
    ASSERT_EQ(result.lines.size(), 7u);
    EXPECT_EQ(result.lines[5], R"({"t":0,"sound":"Start"})");
    EXPECT_EQ(result.lines[6].rfind(R"({"t":1500,"mode":"ModeGameA",)", 0), 0u);
    EXPECT_NE(result.lines[6].find(R"("timers":["Timer_Game"]})"), std::string::npos);
}

TEST(StorePreload, StoredBindingAndHighScoreAreReadAtStartUp) {
    auto result = runText("store Key1 44\nstore HiScore2 120\nhints\nshow\n");
    ASSERT_EQ(result.status, 0) << result.err;
    // The stored binding is written back; the high score is only read.
    EXPECT_EQ(result.lines[0], R"({"t":0,"store":"Key1","value":"44"})");
    for (const auto& line : result.lines) {
        EXPECT_EQ(line.find("HiScore"), std::string::npos) << line;
    }
    auto reports = reportLines(result);
    ASSERT_EQ(reports.size(), 2u);
    EXPECT_NE(reports[0].find(R"("btn_game_a_top":"click or press 'spacebar' to start game A)"),
              std::string::npos);
    EXPECT_NE(reports[1].find(R"("hiscores":[0,120])"), std::string::npos);
}

TEST(StorePreload, UnreadableStoredTextFallsBackAndIsRewritten) {
    auto result = runText("store Key3 \"x\\y\nstore Key5 40\n");
    ASSERT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.lines[2], R"({"t":0,"store":"Key3","value":"4"})");
    EXPECT_EQ(result.lines[4], R"({"t":0,"store":"Key5","value":"40"})");
}

TEST(StorePreload, BindWritesTheStoreAndRebuildsTheHints) {
    auto result = runText("bind 4 11\nhints\n");
    ASSERT_EQ(result.status, 0) << result.err;
    ASSERT_EQ(result.lines.size(), 7u);
    EXPECT_EQ(result.lines[5], R"({"t":0,"store":"Key4","value":"11"})");
    EXPECT_NE(result.lines[6].find(R"("btn_left_top":"click or press 'A'")"), std::string::npos);
}

TEST(JsonText, EscapesQuotesBackslashesAndControlCharacters) {
    std::string out;
    appendJsonString(out, "a\"b\\c\nd\te\x01");
    EXPECT_EQ(out, R"("a\"b\\c\nd\te\u0001")");
}

} // namespace
} // namespace session
