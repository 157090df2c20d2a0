#include "session/script_command.h"

#include <gtest/gtest.h>

#include "tests/session/run_helpers.h"

namespace session {
namespace {

using device::Button;

Command parsed(std::string_view line) {
    auto command = parseCommand(line);
    EXPECT_TRUE(command.has_value()) << line;
    return command.value_or(Command{});
}

std::string errorOf(std::string_view line) {
    try {
        parseCommand(line);
    } catch (const ScriptError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no error for: " << line;
    return {};
}

TEST(ScriptParser, ReadsEveryCommand) {
    Command store = parsed("store HiScore2 120");
    EXPECT_EQ(store.kind, CommandKind::Store);
    EXPECT_EQ(store.storeName, "HiScore2");
    EXPECT_EQ(store.storeValue, "120");

    EXPECT_EQ(parsed("power").kind, CommandKind::Power);
    EXPECT_EQ(parsed("show").kind, CommandKind::Show);
    EXPECT_EQ(parsed("hints").kind, CommandKind::Hints);
    EXPECT_EQ(parsed("resethiscores").kind, CommandKind::ResetHiScores);

    Command press = parsed("press GAMEB");
    EXPECT_EQ(press.kind, CommandKind::Press);
    EXPECT_EQ(press.button, Button::GameB);
    EXPECT_EQ(parsed("release TIME").kind, CommandKind::Release);
    EXPECT_EQ(parsed("release TIME").button, Button::Time);
    EXPECT_EQ(parsed("tap LEFT").kind, CommandKind::Tap);
    EXPECT_EQ(parsed("tap LEFT").button, Button::Left);
    EXPECT_EQ(parsed("tap RIGHT").button, Button::Right);
    EXPECT_EQ(parsed("tap GAMEA").button, Button::GameA);

    Command down = parsed("keydown 65535");
    EXPECT_EQ(down.kind, CommandKind::KeyDown);
    EXPECT_EQ(down.keyCode, 65535);
    Command up = parsed("keyup 0");
    EXPECT_EQ(up.kind, CommandKind::KeyUp);
    EXPECT_EQ(up.keyCode, 0);

    Command wait = parsed("wait 2147483647");
    EXPECT_EQ(wait.kind, CommandKind::Wait);
    EXPECT_EQ(wait.waitMs, 2147483647);
    EXPECT_EQ(parsed("wait 0").waitMs, 0);

    Command clock = parsed("clock 2024-02-29 23:59");
    EXPECT_EQ(clock.kind, CommandKind::Clock);
    EXPECT_EQ(clock.clock, (DateTime{2024, 2, 29, 23, 59, 0}));

    Command draw = parsed("draw 0 3 1 2");
    EXPECT_EQ(draw.kind, CommandKind::Draw);
    EXPECT_EQ(draw.draws, (std::vector<int>{0, 3, 1, 2}));

    Command bind = parsed("bind 5 44");
    EXPECT_EQ(bind.kind, CommandKind::Bind);
    EXPECT_EQ(bind.slot, 5);
    EXPECT_EQ(bind.keyIndex, 44);
}

TEST(ScriptParser, SkipsBlankAndCommentLinesAndToleratesSpacing) {
    EXPECT_FALSE(parseCommand(""));
    EXPECT_FALSE(parseCommand("   \t "));
    EXPECT_FALSE(parseCommand("# tap GAMEA"));
    EXPECT_FALSE(parseCommand("\r"));
    EXPECT_EQ(parsed("  tap\tLEFT   # step left").button, Button::Left);
    EXPECT_EQ(parsed("wait 215\r").waitMs, 215);
    EXPECT_EQ(parsed("clock   2026-12-08    09:41").clock, (DateTime{2026, 12, 8, 9, 41, 0}));
}

TEST(ScriptParser, NamesWhatIsWrong) {
    EXPECT_EQ(errorOf("jump"), "unknown command 'jump'");
    EXPECT_EQ(errorOf("Power"), "unknown command 'Power'");
    EXPECT_EQ(errorOf("tap SET"),
              "unknown button 'SET' (expected GAMEA, GAMEB, TIME, LEFT or RIGHT)");
    EXPECT_EQ(errorOf("press gamea"),
              "unknown button 'gamea' (expected GAMEA, GAMEB, TIME, LEFT or RIGHT)");
    EXPECT_EQ(errorOf("keydown 65536"), "key code 65536 out of range 0..65535");
    EXPECT_EQ(errorOf("keyup -1"), "key code -1 out of range 0..65535");
    EXPECT_EQ(errorOf("wait -1"), "wait -1 out of range 0..2147483647");
    EXPECT_EQ(errorOf("wait 99999999999999999999"),
              "wait 99999999999999999999 out of range 0..2147483647");
    EXPECT_EQ(errorOf("wait 1.5"), "wait '1.5' is not a number");
    EXPECT_EQ(errorOf("wait +5"), "wait '+5' is not a number");
    EXPECT_EQ(errorOf("draw 1 4"), "draw 4 out of range 0..3");
    EXPECT_EQ(errorOf("bind 0 1"), "slot 0 out of range 1..5");
    EXPECT_EQ(errorOf("bind 6 1"), "slot 6 out of range 1..5");
    EXPECT_EQ(errorOf("bind 1 0"), "key index 0 out of range 1..44");
    EXPECT_EQ(errorOf("bind 1 45"), "key index 45 out of range 1..44");
}

TEST(ScriptParser, RejectsWrongArgumentCounts) {
    EXPECT_EQ(errorOf("power now"), "expected 'power'");
    EXPECT_EQ(errorOf("tap"), "expected 'tap BUTTON'");
    EXPECT_EQ(errorOf("wait"), "expected 'wait MS'");
    EXPECT_EQ(errorOf("draw"), "expected 'draw N [N ...]'");
    EXPECT_EQ(errorOf("bind 1"), "expected 'bind SLOT INDEX'");
    EXPECT_EQ(errorOf("store Key1"), "expected 'store NAME VALUE'");
    EXPECT_EQ(errorOf("clock 2026-12-08"), "expected 'clock YYYY-MM-DD HH:MM'");
}

TEST(ScriptParser, RejectsMalformedDates) {
    for (const char* line :
         {"clock 2026-13-01 09:41", "clock 2026-02-29 09:41", "clock 2026-12-8 09:41",
          "clock 2026-12-08 24:00", "clock 2026-12-08 09:60", "clock 2026/12/08 09:41",
          "clock 2026-12-08 9:41"}) {
        EXPECT_NE(errorOf(line).find("malformed date-time"), std::string::npos) << line;
    }
    EXPECT_EQ(errorOf("clock 2026-04-31 10:00"),
              "malformed date-time '2026-04-31 10:00' (expected YYYY-MM-DD HH:MM)");
}

TEST(ScriptRun, ReportsTheLineNumberAfterPrintingWhatCameBefore) {
    struct Case {
        const char* script;
        const char* message;
    };
    const Case cases[] = {
        {"power\n\n# comment\njump\nshow\n", "line 4: unknown command 'jump'"},
        {"power\ntap SET\n", "line 2: unknown button 'SET'"},
        {"power\nwait -5\n", "line 2: wait -5 out of range"},
        {"clock 2026-02-30 12:00\n", "line 1: malformed date-time '2026-02-30 12:00'"},
        {"store Key1 5\npower\nstore Key2 6\n", "line 3: store after another command"},
    };
    for (const Case& c : cases) {
        auto result = testing::runText(c.script);
        EXPECT_EQ(result.status, 2) << c.script;
        EXPECT_EQ(result.err.rfind(std::string("zemblor-headless: ") + c.message, 0), 0u)
            << result.err;
        EXPECT_EQ(result.err.back(), '\n');
    }

    auto result = testing::runText("power\nshow\nbind 3 45\nshow\n");
    ASSERT_EQ(result.status, 2);
    ASSERT_EQ(result.lines.size(), 6u); // Key1..Key5 written at start-up, then one state line
    EXPECT_NE(result.lines[5].find("\"mode\":\"ModeAllSegments\""), std::string::npos);
    EXPECT_EQ(result.err, "zemblor-headless: line 3: key index 45 out of range 1..44\n");
}

TEST(ScriptRun, ResetHiScoresStoresZeroForBoth) {
    auto result = testing::runText("store HiScore1 9\nstore HiScore2 4\nresethiscores\n");
    EXPECT_EQ(result.status, 0) << result.err;
    ASSERT_GE(result.lines.size(), 2u);
    EXPECT_EQ(result.lines[result.lines.size() - 2],
              "{\"t\":0,\"store\":\"HiScore1\",\"value\":\"0\"}");
    EXPECT_EQ(result.lines.back(), "{\"t\":0,\"store\":\"HiScore2\",\"value\":\"0\"}");
    EXPECT_NE(testing::runText("resethiscores 1\n").status, 0);
}

TEST(ScriptRun, StoreLinesMayFollowBlankAndCommentLines) {
    auto result = testing::runText("# settings\n\nstore Key1 44\n  # more\nstore Key2 43\nhints\n");
    EXPECT_EQ(result.status, 0) << result.err;
}

} // namespace
} // namespace session
