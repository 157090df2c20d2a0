#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

#include "app/core_controller.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/wake_timer.h"
#include "device/key_table.h"
#include "dialogs/keys_form.h"
#include "session/runner.h"
#include "tests/app/app_test_support.h"

namespace {

using app_test::QuietSoundHost;
using app_test::readLines;

using namespace std::chrono_literals;
using app::CoreController;
using app::Nanos;

const session::DateTime kClock{2026, 12, 8, 9, 41, 0};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// The device's own events in a trace or a replay: state and sound lines, and what it stores
// of the bindings and high scores.
std::vector<std::string> deviceEvents(const std::vector<std::string>& lines) {
    std::vector<std::string> events;
    for (const std::string& line : lines) {
        if (!contains(line, "\"store\":") || contains(line, "\"store\":\"Key") ||
            contains(line, "\"store\":\"HiScore")) {
            events.push_back(line);
        }
    }
    return events;
}

struct Replay {
    int status = -1;
    std::string errors;
    std::vector<std::string> events;
};

// Runs a record through the headless runner with the seed and clock its first line names.
Replay replay(const QString& scriptPath) {
    std::ifstream script(scriptPath.toStdString());
    std::string header;
    std::getline(script, header);
    std::smatch m;
    Replay result;
    if (!std::regex_search(header, m, std::regex(R"re(--seed (\d+) --clock "([^"]+)")re"))) {
        result.errors = "no replay command in " + header;
        return result;
    }
    session::RunOptions options;
    options.seed = std::stoull(m[1]);
    options.clock = *session::parseDateTime(m[2].str());
    std::ostringstream out;
    std::ostringstream err;
    result.status = session::runScript(script, out, err, options);
    result.errors = err.str();
    std::vector<std::string> lines;
    std::istringstream printed(out.str());
    for (std::string line; std::getline(printed, line);) {
        lines.push_back(line);
    }
    result.events = deviceEvents(lines);
    return result;
}

// A controller on a monotonic clock the test moves, with its store, trace and record in a
// temporary folder. `stored` is the settings file before start-up; without `clock` the device
// follows the computer's clock.
class Session {
public:
    Session(const QTemporaryDir& dir, const std::string& name, const std::string& stored = {},
            std::optional<session::DateTime> clock = kClock) {
        const auto file = [&](const char* ending) {
            return dir.filePath(QString::fromStdString(name + ending));
        };
        std::ofstream(file(".ini").toStdString()) << stored;
        tracePath = file(".trace");
        recordPath = file(".script");
        app::ProgramOptions options;
        options.settingsFile = file(".ini").toStdString();
        options.seed = 7;
        options.clock = clock;
        options.traceFile = tracePath.toStdString();
        options.recordFile = recordPath.toStdString();
        core = std::make_unique<CoreController>(options, host, [this] { return now; });
        core->startUp();
    }

    void at(Nanos t) {
        now = t;
        core->advanceTo(now);
    }
    // The timer wakes at each moment it is armed for, until `end`; how often it woke. A timer
    // armed for the present again and again would never let the time pass: that stops too.
    int runUntil(Nanos end) {
        constexpr int kMaxWakes = 100'000;
        int wakes = 0;
        while (const auto wake = core->wakeTime()) {
            if (*wake > end || wakes > kMaxWakes) {
                break;
            }
            at(*wake);
            ++wakes;
        }
        at(end);
        return wakes;
    }
    void tap(std::uint16_t code) {
        core->keyDown(code);
        runUntil(now + 80ms);
        core->keyUp(code);
    }
    std::string lastTraceLine() const {
        const auto lines = readLines(tracePath);
        return lines.empty() ? std::string() : lines.back();
    }

    QuietSoundHost host;
    Nanos now{5s};
    QString tracePath;
    QString recordPath;
    std::unique_ptr<CoreController> core;
};

// The device's time line is its own: the clock mode blinks its colon twice a second, and the
// timer must sleep between those moments rather than poll.
TEST(WakeUps, TheClockModeWakesTwiceASecond) {
    QTemporaryDir dir;
    Session s(dir, "clock");
    s.at(5s + 10ms);
    s.core->powerOn();
    s.core->press(device::Button::Time);
    s.core->release(device::Button::Time);
    ASSERT_TRUE(contains(s.lastTraceLine(), "\"mode\":\"ModeTime1\""));
    s.runUntil(6s);

    const int wakes = s.runUntil(66s);
    EXPECT_GE(wakes, 119);
    EXPECT_LE(wakes, 121);
    EXPECT_EQ(s.core->coreTime(), 61000);
}

// Re-armed for each next deadline as the controller does, a timer that fires before its
// deadline is armed again for a moment already due, and again: the program spins instead of
// sleeping. Each deadline must cost exactly one wake-up, whichever timer serves.
TEST(WakeUps, TheTimerWakesOnceForEachDeadlineAndNeverBeforeIt) {
    for (const bool kernelTimer : {true, false}) {
        SCOPED_TRACE(kernelTimer ? "timerfd" : "Qt timer");
        app::WakeTimer timer(nullptr, kernelTimer);
        constexpr int kDeadlines = 8;
        const Nanos start = CoreController::steadyNow();
        Nanos deadline = start + 130ms;
        int wakes = 0;
        int early = 0;
        int due = 0;
        QEventLoop loop;
        QObject::connect(&timer, &app::WakeTimer::woken, [&] {
            ++wakes;
            const Nanos now = CoreController::steadyNow();
            if (now < deadline) {
                ++early;
            } else if (++due == kDeadlines) {
                loop.quit();
                return;
            } else {
                // Uneven steps, so no deadline falls on a timer grid by chance.
                deadline += 130ms + 17ms * (due % 3);
            }
            timer.wakeAt(deadline, now);
        });
        timer.wakeAt(deadline, start);
        QTimer::singleShot(10s, &loop, &QEventLoop::quit);
        loop.exec();

        EXPECT_EQ(due, kDeadlines) << "the timer stopped waking";
        EXPECT_EQ(early, 0);
        EXPECT_EQ(wakes, due);
    }
}

// The main window, windowed at zoom 1 with the real skin, on its own store, trace and record.
class MainWindowSession : public ::testing::Test {
protected:
    void SetUp() override {
        QDir::setCurrent(QStringLiteral(ZEMBLOR_ASSETS));
        const QString ini = dir.filePath("store.ini");
        std::ofstream(ini.toStdString()) << "[General]\nFullscreenMode=0\nZoom=1\n";
        app::ProgramOptions options;
        options.settingsFile = ini.toStdString();
        options.traceFile = dir.filePath("trace").toStdString();
        options.recordFile = dir.filePath("record").toStdString();
        options.seed = 1;
        options.clock = kClock;
        core = std::make_unique<CoreController>(options, sound);
        window = std::make_unique<app::TForm1>(*core, ZEMBLOR_ASSETS "/Config.ini");
        window->FormCreate();
        window->showDevice();
        core->powerOn();
    }

    void mouse(QEvent::Type type, QPoint at) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, window->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &event);
    }
    QPoint centreOf(skin::Component c) const {
        const skin::Box b = core->scene().box(c);
        return QPoint(b.left + b.width / 2, b.top + b.height / 2);
    }
    std::string lastLine(const char* file) const {
        const auto lines = readLines(dir.filePath(file));
        return lines.empty() ? std::string() : lines.back();
    }
    std::vector<std::string> record() const { return readLines(dir.filePath("record")); }

    QTemporaryDir dir;
    QuietSoundHost sound;
    std::unique_ptr<CoreController> core;
    std::unique_ptr<app::TForm1> window;
};

// Each of the five buttons pressed with the mouse reaches its own device button and no other.
TEST_F(MainWindowSession, EachButtonClickedReachesItsOwnButton) {
    struct Case {
        skin::Component picture;
        const char* down;
        const char* command;
    };
    const Case cases[] = {
        {skin::Component::btn_left_top, "btn_left_down", "press LEFT"},
        {skin::Component::btn_right_top, "btn_right_down", "press RIGHT"},
        {skin::Component::btn_time_top, "btn_time_down", "press TIME"},
        {skin::Component::btn_game_a_top, "btn_game_a_down", "press GAMEA"},
        {skin::Component::btn_game_b_top, "btn_game_b_down", "press GAMEB"},
    };
    // The face is laid out as the user sees it: LEFT is the left one of the two.
    EXPECT_LT(centreOf(skin::Component::btn_left_top).x(),
              centreOf(skin::Component::btn_right_top).x());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        mouse(QEvent::MouseButtonPress, centreOf(c.picture));
        const std::string pressed = lastLine("trace");
        for (const Case& other : cases) {
            EXPECT_EQ(contains(pressed, other.down), &other == &c) << other.down;
        }
        const auto lines = record();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.command), lines.end());
        mouse(QEvent::MouseButtonRelease, centreOf(c.picture));
        EXPECT_FALSE(contains(lastLine("trace"), c.down));
    }
}

// Adapts the controller to the key dialog as the program does; `emptySlot` is shown without a
// key, as a list left without a choice.
class KeysOverController : public dialogs::KeysHost {
public:
    KeysOverController(CoreController& core, int emptySlot) : core_(core), emptySlot_(emptySlot) {}
    std::array<int, device::kBindingCount> keyIndexes() const override {
        auto indexes = core_.keyIndexes();
        indexes[static_cast<std::size_t>(emptySlot_ - 1)] = 0;
        return indexes;
    }
    void acceptBindings(const std::array<int, device::kBindingCount>& indexes) override {
        core_.acceptBindings(indexes);
    }
    void enableMainWindow() override {}

private:
    CoreController& core_;
    int emptySlot_;
};

// A slot accepted without a key keeps its key; the record must still be a script the runner
// takes, replaying to the same device.
TEST(KeyDialogRecord, ASlotLeftWithoutAKeyStillReplays) {
    QTemporaryDir dir;
    {
        Session s(dir, "empty");
        s.at(5s + 10ms);
        s.core->powerOn();
        KeysOverController host(*s.core, 1);
        dialogs::TKeysForm form(host);
        form.FormCreate();
        form.open();
        ASSERT_EQ(form.findChild<QComboBox*>("cb_1")->currentIndex(), -1);
        form.findChild<QComboBox*>("cb_3")->setCurrentIndex(10); // TIME on 'A'
        ASSERT_TRUE(form.acceptEnabled());
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, 36, 0, 0);
        QCoreApplication::sendEvent(form.windowHandle(), &enter);
        ASSERT_FALSE(form.isVisible()) << "accepted";
        EXPECT_EQ(s.core->keyIndexes(), (std::array<int, 5>{2, 3, 11, 39, 40}));

        s.runUntil(6s);
        s.tap(65); // TIME, now on 'A'
        s.tap(49); // GAME A, still on '1'
        s.runUntil(9s);
        // Without the dialog too: an index without a key is no binding.
        s.core->acceptBindings({0, 0, 0, 0, 41});
        s.tap(18); // Alt: RIGHT
        s.runUntil(12s);
        s.core->endSession();
    }
    const Replay replayed = replay(dir.filePath("empty.script"));
    EXPECT_EQ(replayed.status, 0) << replayed.errors;
    EXPECT_EQ(replayed.events, deviceEvents(readLines(dir.filePath("empty.trace"))));
}

// Start-up's reading of both high scores and every binding is what the record's store lines
// hold, so that a replay starts from the same device.
TEST(SessionRecord, BothHighScoresAndEveryBindingReplay) {
    QTemporaryDir dir;
    {
        Session s(dir, "stored",
                  "[General]\nHiScore1=120\nHiScore2=345\nKey1=44\nKey2=43\nKey3=11\n"
                  "Key4=38\nKey5=37\n");
        s.at(5s + 10ms);
        s.core->powerOn();
        // Every button through its stored key: space, Shift, 'A', down and up arrows.
        for (const std::uint16_t code : {65, 32, 32, 40, 38, 65, 16, 40}) {
            s.runUntil(s.now + 700ms);
            s.tap(code);
        }
        s.runUntil(s.now + 3s);
        s.core->endSession();
    }
    const auto script = readLines(dir.filePath("stored.script"));
    for (const char* line : {"store HiScore1 120", "store HiScore2 345", "store Key1 44",
                             "store Key2 43", "store Key3 11", "store Key4 38", "store Key5 37"}) {
        EXPECT_NE(std::find(script.begin(), script.end(), line), script.end()) << line;
    }
    const auto played = deviceEvents(readLines(dir.filePath("stored.trace")));
    const auto lastState = std::find_if(played.rbegin(), played.rend(), [](const auto& line) {
        return contains(line, "\"hiscores\":");
    });
    ASSERT_NE(lastState, played.rend());
    EXPECT_TRUE(contains(*lastState, "\"hiscores\":[120,345]")) << *lastState;
    const Replay replayed = replay(dir.filePath("stored.script"));
    EXPECT_EQ(replayed.status, 0) << replayed.errors;
    EXPECT_EQ(replayed.events, played);
}

// The four digits the clock mode shows for a time of day, as the trace names them.
std::string clockDigits(const session::DateTime& t) {
    const int hour = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return "\"digits\":[\"" + (hour >= 10 ? std::string("1") : std::string()) + "\",\"" +
           std::to_string(hour % 10) + "\",\"" + std::to_string(t.minute / 10) + "\",\"" +
           std::to_string(t.minute % 10) + "\"]";
}

// Without --clock the device shows the computer's time. Core time running ahead of the
// computer's clock is what a clock set back looks like: the device follows it back.
TEST(WallClock, TheDeviceFollowsTheComputersClockBack) {
    QTemporaryDir dir;
    Session s(dir, "wall", {}, std::nullopt);
    s.at(5s + 10ms);
    s.core->powerOn();
    s.core->press(device::Button::Time);
    s.core->release(device::Button::Time);
    // Three hours of core time go by in a moment of the computer's.
    s.runUntil(5s + 3h);
    const session::DateTime before = session::currentLocalDateTime();
    s.core->keyDown(65); // any key: a state line with what the clock shows now
    const session::DateTime after = session::currentLocalDateTime();
    const std::string shown = s.lastTraceLine();
    EXPECT_TRUE(contains(shown, "\"mode\":\"ModeTime1\"")) << shown;
    // A drift of under two seconds is left alone, so near a minute's turn either side may show.
    const auto near = [&](const session::DateTime& t, int ms) {
        return contains(shown, clockDigits(session::addMillis(t, device::Millis(ms))));
    };
    EXPECT_TRUE(near(before, -2000) || near(before, 0) || near(after, 0) || near(after, 2000))
        << shown << " at " << session::formatDateTime(before);

    // The record sets the clock where the program did, so its replay shows the same.
    s.core->endSession();
    const Replay replayed = replay(s.recordPath);
    EXPECT_EQ(replayed.status, 0) << replayed.errors;
    EXPECT_EQ(replayed.events, deviceEvents(readLines(s.tracePath)));
}

// The whole program, past its start-up dialog (no sound, no splash), with the documents it
// opens caught instead of handed to the desktop.
class ProgramMenu : public ::testing::Test {
protected:
    void SetUp() override {
        QDir::setCurrent(QStringLiteral(ZEMBLOR_ASSETS));
        const QString ini = dir.filePath("store.ini");
        std::ofstream(ini.toStdString())
            << "[General]\nFullscreenMode=0\nZoom=1\nSoundMode=2\nSplashScreen=0\n";
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "setSource");
        app::ProgramOptions options;
        options.settingsFile = ini.toStdString();
        options.seed = 1;
        options.clock = kClock;
        program = std::make_unique<app::Program>(options, ZEMBLOR_ASSETS "/Config.ini");
    }
    void TearDown() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }

    // A function key pressed and let go on the device's window.
    void functionKey(int n) {
        QWindow* window = program->mainWindow().windowHandle();
        const auto key = Qt::Key_F1 + (n - 1);
        const quint32 scan = 66 + static_cast<quint32>(n); // X11: F1 is 67
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, scan, 0, 0);
        QCoreApplication::sendEvent(window, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, scan, 0, 0);
        QCoreApplication::sendEvent(window, &release);
    }
    QString openedName() const { return opened.source().fileName(); }

    QTemporaryDir dir;
    QTextBrowser opened; // its setSource(QUrl) slot keeps the document asked for
    std::unique_ptr<app::Program> program;
};

TEST_F(ProgramMenu, F2OpensTheReadMeAndF3TheListOfChanges) {
    ASSERT_TRUE(program->mainWindow().isVisible()) << "played at once";
    functionKey(2);
    EXPECT_EQ(openedName(), "Readme.txt");
    functionKey(3);
    EXPECT_EQ(openedName(), "Whatsnew.txt");
    functionKey(2);
    EXPECT_EQ(openedName(), "Readme.txt");
    EXPECT_EQ(opened.source().toLocalFile(), QDir(ZEMBLOR_ASSETS).absoluteFilePath("Readme.txt"));
}

} // namespace
