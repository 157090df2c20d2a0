#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "tests/session/run_helpers.h"

namespace session {
namespace {

using testing::reportLines;
using testing::runText;

long timeOf(const std::string& line) {
    return std::stol(line.substr(5));
}

bool has(const std::string& line, const std::string& part) {
    return line.find(part) != std::string::npos;
}

TEST(EndToEnd, KeysSelectGameAAndTheFirstItemArrivesOnTheFifthTick) {
    auto result = runText("power\n"
                          "keydown 51\nkeyup 51\n" // '3' is TIME: all segments -> clock
                          "wait 1\nshow\n"
                          "keydown 49\nwait 100\nshow\nkeyup 49\n" // '1' is GAME A
                          "wait 1400\n"
                          "wait 860\nshow\n" // ticks 1 to 4 are silent
                          "wait 215\nshow\n");
    ASSERT_EQ(result.status, 0) << result.err;
    const std::vector<std::string> expected = {
        R"({"t":0,"store":"Key1","value":"2"})",
        R"({"t":0,"store":"Key2","value":"3"})",
        R"({"t":0,"store":"Key3","value":"4"})",
        R"({"t":0,"store":"Key4","value":"39"})",
        R"({"t":0,"store":"Key5","value":"40"})",
        R"({"t":1,"mode":"ModeTime1","score":0,"misses":0,"hero":0,"phase":0,"maxitems":0,)"
        R"("hiscores":[0,0],"cells":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],)"
        R"("digits":["","9","4","1"],"lit":["im_panel_time_1","im_panel_time_am",)"
        R"("im_panel_time_colon"],"timers":["Timer_Clock"]})",
        R"({"t":1,"sound":"Start"})",
        R"({"t":101,"mode":"ModeGameAReady","score":0,"misses":0,"hero":3,"phase":0,)"
        R"("maxitems":0,"hiscores":[0,0],)"
        R"("cells":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],)"
        R"("digits":["","","","0"],"lit":["btn_game_a_down","im_hero_3","im_item_left_0",)"
        R"("im_item_left_1","im_item_right_1a","im_item_right_1b","im_item_right_3",)"
        R"("im_item_right_4","im_panel_game_a"],"timers":["Timer_Game_Start"]})",
        R"({"t":2361,"mode":"ModeGameA","score":0,"misses":0,"hero":3,"phase":4,"maxitems":1,)"
        R"("hiscores":[0,0],"cells":[0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],)"
        R"("digits":["","","","0"],"lit":["im_hero_3","im_item_left_0","im_item_left_1",)"
        R"("im_item_right_1a","im_item_right_1b","im_item_right_3","im_item_right_5",)"
        R"("im_panel_game_a"],"timers":["Timer_Game"]})",
        R"({"t":2576,"sound":"Move"})",
        R"({"t":2576,"mode":"ModeGameA","score":0,"misses":0,"hero":3,"phase":5,"maxitems":1,)"
        R"("hiscores":[0,0],"cells":[1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0],)"
        R"("digits":["","","","0"],"lit":["im_hero_3","im_item_00","im_item_left_0",)"
        R"("im_item_left_1","im_item_right_1a","im_item_right_1b","im_item_right_3",)"
        R"("im_item_right_6","im_panel_game_a"],"timers":["Timer_Game"]})",
    };
    EXPECT_EQ(result.lines, expected);
}

// One point (the hero follows the first item), then the game is left alone to its end.
constexpr const char* kOnePointThenGameOver = "power\ntap TIME\ntap GAMEA\nwait 1500\n"
                                              "wait 5700\ntap LEFT\n"
                                              "wait 5600\ntap LEFT\n"
                                              "wait 4300\ntap RIGHT\ntap RIGHT\n"
                                              "wait 3000\nshow\n"
                                              "wait 70000\nshow\nwait 30000\nshow\n";

TEST(EndToEnd, GameOverStoresTheNewHighScoreAndReturnsToTheClock) {
    auto result = runText(kOnePointThenGameOver);
    ASSERT_EQ(result.status, 0) << result.err;
    auto reports = reportLines(result);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_TRUE(has(reports[0], R"("score":1,"misses":0)")) << reports[0];
    EXPECT_TRUE(has(reports[1], R"("mode":"ModeGameOver","score":1,"misses":5)")) << reports[1];
    EXPECT_TRUE(has(reports[1], R"("hiscores":[1,0])"));
    EXPECT_TRUE(has(reports[1], R"("timers":["Timer_Game_Over"])"));
    EXPECT_TRUE(has(reports[2], R"("mode":"ModeTime1")")) << reports[2];

    long lastMiss = -1, gameOverSound = -1, highScoreWrite = -1, misses = 0;
    for (const auto& line : result.lines) {
        if (has(line, R"("sound":"Miss")")) {
            lastMiss = timeOf(line);
            ++misses;
        } else if (has(line, R"("sound":"Gameover")")) {
            gameOverSound = timeOf(line);
        } else if (has(line, R"("store":"HiScore1","value":"1")")) {
            highScoreWrite = timeOf(line);
        }
    }
    EXPECT_EQ(misses, 5);
    EXPECT_EQ(gameOverSound, lastMiss + 120);
    EXPECT_EQ(highScoreWrite, lastMiss + 2120);
}

TEST(EndToEnd, TheSameSeedAndClockGiveTheSameRun) {
    const std::string script = std::string(kOnePointThenGameOver) + "tap GAMEB\nwait 60000\nshow\n";
    auto first = runText(script);
    auto second = runText(script);
    ASSERT_EQ(first.status, 0);
    EXPECT_EQ(first.lines, second.lines);
}

TEST(EndToEnd, TheDemoScriptRunsAndScores) {
    std::ifstream demo(ZEMBLOR_DEMO_SCRIPT);
    ASSERT_TRUE(demo) << ZEMBLOR_DEMO_SCRIPT;
    std::string text((std::istreambuf_iterator<char>(demo)), std::istreambuf_iterator<char>());
    auto result = runText(text);
    ASSERT_EQ(result.status, 0) << result.err;
    bool scored = false;
    for (const auto& line : reportLines(result)) {
        scored = scored || has(line, R"("mode":"ModeGameA","score":1)");
    }
    EXPECT_TRUE(scored);
}

struct ProcessResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs the program through the shell; `input` is a shell pipeline stage feeding it, if any.
ProcessResult runExecutable(const std::string& arguments, const std::string& input = "") {
    const auto dir = std::filesystem::temp_directory_path();
    const auto errPath = dir / ("zemblor-headless-err-" + std::to_string(::getpid()));
    const std::string command =
        input + "'" + ZEMBLOR_HEADLESS_EXE + "' " + arguments + " 2>'" + errPath.string() + "'";
    ProcessResult result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    char buffer[4096];
    std::size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.out.append(buffer, n);
    }
    const int raw = ::pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream err(errPath);
    result.err.assign(std::istreambuf_iterator<char>(err), std::istreambuf_iterator<char>());
    std::filesystem::remove(errPath);
    return result;
}

TEST(Executable, StopsWithStatusTwoAfterPrintingTheLinesBeforeTheError) {
    const auto scriptPath = std::filesystem::temp_directory_path() /
                            ("zemblor-headless-script-" + std::to_string(::getpid()));
    {
        std::ofstream script(scriptPath);
        script << "power\nshow\nwait -1\nshow\n";
    }
    auto result =
        runExecutable("--seed 3 --clock '2026-12-08 09:41' '" + scriptPath.string() + "'");
    std::filesystem::remove(scriptPath);

    EXPECT_EQ(result.status, 2);
    auto lines = testing::splitLines(result.out);
    ASSERT_EQ(lines.size(), 6u) << result.out;
    EXPECT_TRUE(has(lines[5], R"("mode":"ModeAllSegments")"));
    EXPECT_EQ(result.err, "zemblor-headless: line 3: wait -1 out of range 0..2147483647\n");
}

TEST(Executable, ReadsStandardInputAndRejectsBadArguments) {
    auto fromStdin = runExecutable("--seed 3 --clock '2026-12-08 09:41' -", "printf 'hints\\n' | ");
    EXPECT_EQ(fromStdin.status, 0) << fromStdin.err;
    EXPECT_TRUE(has(fromStdin.out, R"("btn_set_top":"button disabled")"));

    auto missing = runExecutable("/nonexistent/zemblor.script");
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(has(missing.err, "cannot read script '/nonexistent/zemblor.script'"))
        << missing.err;
    EXPECT_TRUE(missing.out.empty());

    EXPECT_EQ(runExecutable("--clock 2026-12-08 /dev/null").status, 2);
    EXPECT_EQ(runExecutable("--seed x /dev/null").status, 2);
    EXPECT_EQ(runExecutable("--bogus").status, 2);
}

} // namespace
} // namespace session

namespace session {
namespace {

// With a settings file the store lines preload it, and what the device writes stays in it
// for the next run.
TEST(Executable, SettingsFileIsPreloadedAndKeptAcrossRuns) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zemblor-headless-settings-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto settings = (dir / "settings.ini").string();
    const auto script = (dir / "first.script").string();
    {
        std::ofstream out(script);
        out << "store Key1 44\nstore HiScore1 55\npower\ntap GAMEA\ntap GAMEA\nshow\n";
    }
    auto first = runExecutable("--seed 1 --settings '" + settings + "' '" + script + "'");
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_TRUE(has(first.out, R"("hiscores":[55,0])")) << first.out;

    {
        std::ofstream out(script);
        out << "hints\n";
    }
    auto second = runExecutable("--seed 1 --settings '" + settings + "' '" + script + "'");
    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_TRUE(has(second.out, R"("store":"Key1","value":"44")")) << second.out;
    EXPECT_TRUE(has(second.out, "click or press 'spacebar' to start game A")) << second.out;
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace session

namespace session {
namespace {

// --sound starts the output as the splash dialog's Play does: a broken sound folder writes
// SoundMode -1 and SplashScreen 1 and ends the run with status 1 before any command acts.
TEST(Executable, SoundStartsBeforeTheScriptAndABrokenFolderEndsTheRun) {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("zemblor-headless-sound-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string inDir =
        "cd '" + dir.string() + "' && printf 'power\\nshow\\n' | SDL_AUDIODRIVER=dummy ";

    auto broken = runExecutable("--seed 1 --sound 1", inDir);
    EXPECT_EQ(broken.status, 1);
    EXPECT_TRUE(has(broken.err, "Sound folder unproperly installed. Please reinstall the game."));
    EXPECT_TRUE(has(broken.out, R"("store":"SoundMode","value":"1")"));
    EXPECT_TRUE(has(broken.out, R"("store":"SoundMode","value":"-1")"));
    EXPECT_TRUE(has(broken.out, R"("store":"SplashScreen","value":"1")"));
    EXPECT_FALSE(has(broken.out, R"("mode":)")) << "the device is never switched on";

    auto silent = runExecutable("--seed 1 --sound 2", inDir);
    EXPECT_EQ(silent.status, 0) << silent.err;
    EXPECT_TRUE(has(silent.out, R"("store":"SoundMode","value":"2")"));
    EXPECT_TRUE(has(silent.out, R"("mode":"ModeAllSegments")"));

    EXPECT_EQ(runExecutable("--sound 3 /dev/null").status, 2);
    std::filesystem::remove_all(dir);
}

// Output that cannot be written is an error named on standard error, not a silent success.
TEST(Executable, OutputThatCannotBeWrittenEndsTheRunWithStatusOne) {
    const std::string demo = std::string("--seed 1 '") + ZEMBLOR_DEMO_SCRIPT + "'";
    auto full = runExecutable(demo + " >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, std::string("zemblor-headless: cannot write the output: ") +
                            std::strerror(ENOSPC) + "\n");

    auto closed = runExecutable("--seed 1 - >&-", "printf 'power\\nshow\\n' | ");
    EXPECT_EQ(closed.status, 1);
    EXPECT_EQ(closed.err, std::string("zemblor-headless: cannot write the output: ") +
                              std::strerror(EBADF) + "\n");
}

TEST(Executable, AnEndlessLineOnStandardInputIsABadLine) {
    auto zeros = runExecutable("--seed 1 -", "head -c 3000000 /dev/zero | ");
    EXPECT_EQ(zeros.status, 2);
    EXPECT_EQ(zeros.err, "zemblor-headless: line 1: line longer than 1048576 bytes\n");
}

TEST(Executable, ASettingsPathThatIsNotAFileIsRefused) {
    auto device = runExecutable("--settings /dev/null -", "printf 'power\\n' | ");
    EXPECT_EQ(device.status, 2);
    EXPECT_EQ(device.err, "zemblor-headless: /dev/null is a device, not a settings file\n");
    EXPECT_TRUE(device.out.empty());
}

} // namespace
} // namespace session
