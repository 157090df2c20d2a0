#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <regex>
#include <sstream>

#include <QTemporaryDir>

#include "app/core_controller.h"
#include "session/runner.h"
#include "tests/app/app_test_support.h"

namespace {

using app_test::QuietSoundHost;
using app_test::readLines;

using namespace std::chrono_literals;
using app::CoreController;
using app::Nanos;

// The device's own events in a trace: state and sound lines, and what it stores.
std::vector<std::string> deviceEvents(const std::vector<std::string>& lines) {
    std::vector<std::string> events;
    for (const std::string& line : lines) {
        const bool store = line.find("\"store\":") != std::string::npos;
        if (!store || line.find("\"store\":\"Key") != std::string::npos ||
            line.find("\"store\":\"HiScore") != std::string::npos) {
            events.push_back(line);
        }
    }
    return events;
}

// Runs a recorded script through the headless runner with the seed and clock its first line
// names; the device's events of what it prints.
std::vector<std::string> replayedEvents(const QString& scriptPath) {
    std::ifstream script(scriptPath.toStdString());
    std::string header;
    std::getline(script, header);
    std::smatch m;
    if (!std::regex_search(header, m, std::regex(R"re(--seed (\d+) --clock "([^"]+)")re"))) {
        ADD_FAILURE() << "no replay command in " << header;
        return {};
    }
    session::RunOptions replay;
    replay.seed = std::stoull(m[1]);
    replay.clock = *session::parseDateTime(m[2].str());
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(session::runScript(script, out, err, replay), 0) << err.str();

    std::vector<std::string> replayed;
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) {
        replayed.push_back(line);
    }
    return deviceEvents(replayed);
}

// A controller on a monotonic clock the test moves by hand, with its store, trace and
// record in a temporary folder.
class Session {
public:
    // `outputs`, when given, takes the place of both the trace and the record.
    Session(const QTemporaryDir& dir, const std::string& name, const char* outputs = nullptr) {
        app::ProgramOptions options;
        options.settingsFile = dir.filePath(QString::fromStdString(name + ".ini")).toStdString();
        options.seed = 7;
        options.clock = session::DateTime{2026, 12, 8, 9, 41, 0};
        tracePath = dir.filePath(QString::fromStdString(name + ".trace"));
        recordPath = dir.filePath(QString::fromStdString(name + ".script"));
        options.traceFile = outputs ? outputs : tracePath.toStdString();
        options.recordFile = outputs ? outputs : recordPath.toStdString();
        core = std::make_unique<CoreController>(options, host, [this] { return now; });
        core->startUp();
    }

    void at(Nanos t) {
        now = t;
        core->advanceTo(now);
    }
    // Lets the timer wake as it is armed, each wake `late` after its deadline, until `end`.
    template <typename Lateness> void runUntil(Nanos end, Lateness late) {
        while (auto wake = core->wakeTime()) {
            const Nanos when = *wake + late();
            if (when > end) {
                break;
            }
            at(when);
        }
        at(end);
    }
    void key(std::uint16_t code, Nanos down, Nanos up) {
        runUntil(down, [] { return 0ns; });
        core->keyDown(code);
        runUntil(up, [] { return 0ns; });
        core->keyUp(code);
    }

    QuietSoundHost host;
    Nanos now{5s};
    QString tracePath;
    QString recordPath;
    std::unique_ptr<CoreController> core;
};

// Power on, then GAME A twice: the clock, then game A's ready display; play starts 1.5 s on.
void startGameA(Session& s) {
    s.at(5s + 10ms);
    s.core->powerOn();
    s.key(49, 5s + 20ms, 5s + 90ms);
    s.key(49, 5s + 200ms, 5s + 260ms);
}

TEST(CoreTiming, LateWakeUpsDelayOneFiringButNeverAccumulate) {
    QTemporaryDir dir;
    Session punctual(dir, "punctual");
    Session late(dir, "late");
    startGameA(punctual);
    startGameA(late);
    // A coarse 15.6 ms timer grid would add up to whole ticks over a minute of play.
    std::mt19937 random(3);
    std::uniform_int_distribution<int> lateness(0, 15600);
    punctual.runUntil(65s, [] { return 0ns; });
    late.runUntil(65s, [&] { return std::chrono::microseconds(lateness(random)); });

    const auto expected = readLines(punctual.tracePath);
    EXPECT_EQ(readLines(late.tracePath), expected);
    EXPECT_GT(std::count_if(
                  expected.begin(), expected.end(),
                  [](const std::string& l) { return l.find("\"sound\"") != std::string::npos; }),
              50);
    EXPECT_EQ(late.core->coreTime(), 60000);
}

// A window's settings write needs no syncToNow of its own: it carries the present time.
TEST(CoreTiming, AWindowsSettingsWriteComesAtThePresent) {
    QTemporaryDir dir;
    Session s(dir, "present");
    s.at(5s + 10ms);
    s.core->powerOn();
    s.now = 9s + 250ms; // time passed, no timer woke
    s.core->settings().writeInt("Zoom", 2);
    const std::string last = readLines(s.tracePath).back();
    EXPECT_EQ(last, R"({"t":4250,"store":"Zoom","value":"2"})");
    EXPECT_EQ(s.core->coreTime(), 4250);
}

TEST(CoreTiming, APauseIsNotReplayedAsABurst) {
    QTemporaryDir dir;
    Session s(dir, "pause");
    startGameA(s);
    s.runUntil(10s, [] { return 0ns; });
    const auto before = readLines(s.tracePath).size();
    const auto deadline = s.core->wakeTime();
    ASSERT_TRUE(deadline);

    // The machine sleeps for ten minutes with a tick pending.
    s.at(*deadline + 600s);
    const device::Millis resumedAt = s.core->coreTime();
    EXPECT_EQ(session::CoreTimeline(5s).monotonicAt(resumedAt), *deadline);
    EXPECT_LE(readLines(s.tracePath).size(), before + 1); // that one tick, nothing more

    // Afterwards time runs on from there at its normal pace.
    s.runUntil(s.now + 2s, [] { return 0ns; });
    EXPECT_EQ(s.core->coreTime(), resumedAt + 2000);
    // A wake just under a second late is an ordinary late wake: nothing is dropped.
    const auto next = s.core->wakeTime();
    ASSERT_TRUE(next);
    const device::Millis due = s.core->coreTime() + (*next - s.now) / 1ms;
    s.at(*next + 999ms);
    EXPECT_EQ(s.core->coreTime(), due + 999);
}

// The computer's local time is worked out only when the device's clock can have drifted from
// it: a clock set by hand or time asleep, a dropped pause, or a new minute (where daylight-
// saving switches fall); not at every wake of the clock mode.
TEST(CoreTiming, TheComputersClockIsReadOnlyWhenItCanHaveDrifted) {
    session::CoreTimeline timeline(5s);
    const Nanos wall = 1'800'000'000s + 10s; // 10 s into a minute
    EXPECT_TRUE(timeline.wallClockDue(6s, wall)) << "the first look";
    EXPECT_FALSE(timeline.wallClockDue(6s + 500ms, wall + 500ms));
    EXPECT_FALSE(timeline.wallClockDue(6s + 49s, wall + 49s + 300ms)) << "a slewed clock";
    EXPECT_TRUE(timeline.wallClockDue(6s + 50s, wall + 50s)) << "a new minute";
    EXPECT_FALSE(timeline.wallClockDue(6s + 51s, wall + 51s));
    EXPECT_TRUE(timeline.wallClockDue(6s + 52s, wall + 52s + 5s)) << "the clock was set";
    EXPECT_TRUE(timeline.wallClockDue(6s + 53s, wall + 52s + 3h)) << "time asleep";
    EXPECT_FALSE(timeline.wallClockDue(6s + 54s, wall + 53s + 3h));

    // A pause dropped from the time line leaves the device's clock behind the computer's.
    timeline.coreTimeAt(6s + 55s + 20s, 1000);
    EXPECT_TRUE(timeline.wallClockDue(6s + 75s, wall + 74s + 3h));
    EXPECT_FALSE(timeline.wallClockDue(6s + 76s, wall + 75s + 3h));
}

TEST(SessionRecord, ReplaysToTheSameTrace) {
    QTemporaryDir dir;
    {
        Session s(dir, "played");
        startGameA(s);
        std::mt19937 random(11);
        std::uniform_int_distribution<int> lateness(0, 3000);
        auto late = [&] { return std::chrono::microseconds(lateness(random)); };
        // Steer the hero now and then, some keys held long enough to repeat, and click TIME
        // once the game is over.
        Nanos t = 7s;
        for (int i = 0; i < 40; ++i) {
            const std::uint16_t arrow = (i % 3 == 0) ? 39 : 37;
            s.runUntil(t, late);
            s.core->keyDown(arrow);
            s.runUntil(t + 40ms, late);
            s.core->keyDown(arrow); // auto-repeat
            s.runUntil(t + 90ms, late);
            s.core->keyUp(arrow);
            t += 1337ms;
        }
        // Rebinding and the high-score reset are replayed too.
        s.core->acceptBindings({44, 3, 4, 38, 40});
        s.runUntil(200s, late);
        s.core->resetHiScores();
        s.core->keyDown(38);
        s.core->keyUp(38);
        s.core->press(device::Button::Time);
        s.runUntil(200s + 120ms, late);
        s.core->release(device::Button::Time);
        s.runUntil(205s, late);
    }
    const auto played = deviceEvents(readLines(dir.filePath("played.trace")));
    EXPECT_EQ(replayedEvents(dir.filePath("played.script")), played);
    EXPECT_GT(played.size(), 100u);
}

// The program ends some time after the last input, the game running on meanwhile: the replay
// runs on to that moment too.
TEST(SessionRecord, AReplayEndsWhereTheSessionEnded) {
    QTemporaryDir dir;
    {
        Session s(dir, "ended");
        startGameA(s);
        s.runUntil(9s, [] { return 0ns; });
        s.core->keyDown(37);
        s.core->keyUp(37);
        s.runUntil(21s + 500ms, [] { return 0ns; });
        s.core->endSession();
        EXPECT_EQ(s.core->coreTime(), 16500);
    }
    const auto script = readLines(dir.filePath("ended.script"));
    EXPECT_EQ(script.back(), "wait 12500");
    const auto played = deviceEvents(readLines(dir.filePath("ended.trace")));
    // State lines follow inputs only; the sound lines after the last one are the game's ticks.
    const auto lastState = std::find_if(played.rbegin(), played.rend(), [](const std::string& l) {
        return l.find("\"mode\"") != std::string::npos;
    });
    EXPECT_GT(lastState - played.rbegin(), 10);
    EXPECT_EQ(replayedEvents(dir.filePath("ended.script")), played);
}

// A full disk loses the trace and the record, never silently: each is told once.
TEST(SessionRecord, AnOutputThatCannotBeWrittenIsToldOnce) {
    QTemporaryDir dir;
    Session s(dir, "full", "/dev/full");
    std::vector<QString> told;
    QObject::connect(s.core.get(), &CoreController::outputFileFailed,
                     [&](const QString& message) { told.push_back(message); });
    startGameA(s);
    s.runUntil(30s, [] { return 0ns; });
    ASSERT_EQ(told.size(), 2u);
    EXPECT_TRUE(told[0].contains("/dev/full"));
    EXPECT_NE(told[0], told[1]) << "one for the trace, one for the record";
}

} // namespace
