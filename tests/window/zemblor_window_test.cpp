// The program's windows as a user meets them: each test runs zemblor on a private X server
// with its own settings file, types and clicks through the X server, and reads back the screen,
// the window geometry and the program's trace.

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>
#include <gtest/gtest.h>

#include "x_session.h"

namespace {

using xtest::Geometry;
using xtest::Millis;
using xtest::WindowId;
using Settings = std::map<std::string, std::string>;

const std::string kSplashTitle = "About this game...";
const std::string kMainTitle = "Zemblor (Ortheq, Quillet) Simulator";
// Odd screen sizes, so that centring has a half pixel to drop.
constexpr int kScreenWidth = 1025;
constexpr int kScreenHeight = 769;
constexpr int kSplashWidth = 460;
constexpr int kSplashHeight = 420;
// GameWidth and GameHeight of assets/Config.ini.
constexpr int kDeviceWidth = 560;
constexpr int kDeviceHeight = 372;
// Generous: sanitizer builds on a busy two-core machine start slowly.
constexpr Millis kPatience(15000);
constexpr Millis kStep(5000);

// Points of the windowed face, in window coordinates (assets/Graphics/Skin/background.png).
const QPoint kFaceBody(30, 100);    // plain body, left of the LCD, above the LEFT button
const QPoint kLcdGlass(200, 200);   // on the glass over the LCD ([Image2])
const QPoint kSetButton(239, 315);  // the inert fifth button ([Image9])
const QPoint kTimeButton(415, 315); // TIME ([Image8])
const std::vector<QPoint> kSeeThrough = {{5, 5}, {279, 1}, {554, 366}, {1, 186}};
const std::vector<QPoint> kOnTheDevice = {kFaceBody, {100, 20}, {279, 5}, {250, 340}};

const Settings kWindowedNoSplash = {
    {"FullscreenMode", "0"}, {"SoundMode", "2"}, {"SplashScreen", "0"}};

std::string zemblorPath() {
    const char* overridden = std::getenv("ZEMBLOR_EXE");
    return overridden && *overridden ? overridden : ZEMBLOR_EXE;
}

std::vector<std::string> readLines(const std::string& path) {
    std::vector<std::string> lines;
    std::ifstream in(path);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

void writeSettings(const std::string& path, const Settings& settings) {
    std::ofstream out(path);
    out << "[General]\n";
    for (const auto& [name, value] : settings) {
        out << name << '=' << value << '\n';
    }
}

// Values of the root ([General]) by name; those of other sections as "Section/name".
Settings readSettings(const std::string& path) {
    Settings settings;
    std::string section = "General";
    for (std::string line : readLines(path)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() > 1 && line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
        } else if (const auto equals = line.find('='); equals != std::string::npos) {
            const std::string name = line.substr(0, equals);
            settings[section == "General" ? name : section + "/" + name] = line.substr(equals + 1);
        }
    }
    return settings;
}

// The value of a string field of a trace line, or "" when the line has none.
std::string field(const std::string& line, const std::string& name) {
    const std::string key = "\"" + name + "\":\"";
    const auto at = line.find(key);
    if (at == std::string::npos) {
        return {};
    }
    const auto start = at + key.size();
    return line.substr(start, line.find('"', start) - start);
}

bool lights(const std::string& stateLine, const std::string& segment) {
    return stateLine.find("\"" + segment + "\"") != std::string::npos;
}

Geometry centred(int width, int height) {
    return {std::max(0, (kScreenWidth - width) / 2), std::max(0, (kScreenHeight - height) / 2),
            width, height, true};
}

Geometry moved(const Geometry& g, QPoint by) {
    return {g.x + by.x(), g.y + by.y(), g.width, g.height, g.viewable};
}

std::string rgb(QRgb pixel) {
    std::ostringstream out;
    out << '(' << qRed(pixel) << ',' << qGreen(pixel) << ',' << qBlue(pixel) << ')';
    return out.str();
}

// For sanitizer builds: leaks inside system libraries are not the program's own.
std::string lsanOptions() {
    const std::string suppressions = "suppressions=" LSAN_SUPPRESSIONS;
    const char* given = std::getenv("LSAN_OPTIONS");
    return given && *given ? std::string(given) + ":" + suppressions : suppressions;
}

class ZemblorWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (zemblorPath().empty()) {
            GTEST_SKIP() << "no zemblor program: build the target or set ZEMBLOR_EXE";
        }
        char pattern[] = "/tmp/zemblor-window-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        settingsPath_ = dir_ + "/settings.ini";
        tracePath_ = dir_ + "/trace.jsonl";
        outputPath_ = dir_ + "/zemblor.out";
    }

    void TearDown() override {
        if (HasFailure() && x_) {
            const QImage screen = x_->capture();
            if (!screen.isNull()) {
                std::cerr << "screen at the failure: " << saveShot(screen, "failure") << '\n';
            }
        }
        x_.reset();
        if (dir_.empty()) {
            return;
        }
        if (HasFailure()) {
            std::ifstream output(outputPath_);
            std::cerr << "program output:\n" << output.rdbuf() << "\nkept " << dir_ << '\n';
        } else {
            std::filesystem::remove_all(dir_);
        }
    }

    void startX(int display, bool windowManager = false) {
        x_ = std::make_unique<xtest::XSession>(
            xtest::XSession::Options{display, kScreenWidth, kScreenHeight, windowManager});
        ASSERT_NO_THROW(x_->start());
    }

    xtest::Child& startZemblor(const Settings& settings) {
        writeSettings(settingsPath_, settings);
        return x_->launch({zemblorPath(),
                           {"--settings", settingsPath_, "--trace", tracePath_, "--seed", "1",
                            "--clock", "2026-12-08 09:41"},
                           ZEMBLOR_ASSETS_DIR,
                           {{"SDL_AUDIODRIVER", "dummy"},
                            {"HOME", dir_},
                            {"XDG_RUNTIME_DIR", dir_},
                            {"LSAN_OPTIONS", lsanOptions()}},
                           outputPath_});
    }

    std::optional<WindowId> waitForWindow(const std::string& title) {
        return x_->waitForWindow(xtest::exactName(title), kPatience);
    }

    // Whether a window of that name shows on the screen (one mapped off the screen does not).
    bool onScreen(const std::string& title) {
        for (const WindowId window : x_->findWindows(xtest::exactName(title), true)) {
            const auto g = x_->geometry(window);
            if (g && g->viewable && g->x < kScreenWidth && g->y < kScreenHeight &&
                g->x + g->width > 0 && g->y + g->height > 0) {
                return true;
            }
        }
        return false;
    }

    // Polls the window's geometry until it is `wanted`; returns the last one seen.
    Geometry waitForGeometry(WindowId window, const Geometry& wanted, Millis timeout = kPatience) {
        Geometry last;
        xtest::pollUntil(timeout, [&] {
            if (const auto g = x_->geometry(window)) {
                last = *g;
            }
            return last == wanted && last.viewable;
        });
        return last;
    }

    std::vector<std::string> stateLines() {
        std::vector<std::string> states;
        for (const auto& line : readLines(tracePath_)) {
            if (!field(line, "mode").empty()) {
                states.push_back(line);
            }
        }
        return states;
    }

    std::vector<std::string> storedNames() {
        std::vector<std::string> names;
        for (const auto& line : readLines(tracePath_)) {
            if (const auto name = field(line, "store"); !name.empty()) {
                names.push_back(name);
            }
        }
        return names;
    }

    bool waitForStates(std::size_t count) {
        return xtest::pollUntil(kPatience, [&] { return stateLines().size() >= count; });
    }

    bool waitForMode(const std::string& mode) {
        return xtest::pollUntil(kPatience, [&] {
            for (const auto& line : stateLines()) {
                if (field(line, "mode") == mode) {
                    return true;
                }
            }
            return false;
        });
    }

    // The device's main window, up and powered on.
    std::optional<WindowId> waitForPoweredDevice() {
        const auto window = waitForWindow(kMainTitle);
        if (!window || !waitForMode("ModeAllSegments")) {
            return std::nullopt;
        }
        return window;
    }

    // Polls the screen until `ready` holds for it; returns the last capture.
    template <class Ready> QImage waitForScreen(Ready ready, Millis timeout = kPatience) {
        QImage last;
        xtest::pollUntil(timeout, [&] {
            last = x_->capture();
            return !last.isNull() && ready(last);
        });
        return last;
    }

    void pressTap(const std::string& key) {
        x_->keyDown(key);
        x_->keyUp(key);
    }

    std::string saveShot(const QImage& image, const std::string& what) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(test->test_suite_name()) + "." + test->name() + "-" + what;
        for (char& c : name) {
            if (c == '/') {
                c = '-';
            }
        }
        std::filesystem::create_directories(WINDOW_SHOTS_DIR);
        const std::string path = std::string(WINDOW_SHOTS_DIR) + "/" + name + ".png";
        image.save(QString::fromStdString(path));
        return path;
    }

    // The windowed face with every segment lit, as the skin tool renders it (see-through pixels
    // at alpha 0).
    QImage referenceFace() {
        const std::string path = dir_ + "/reference.png";
        xtest::Child tool({SKIN_PREVIEW_EXE,
                           {"--config", "Config.ini", path},
                           ZEMBLOR_ASSETS_DIR,
                           {{"QT_QPA_PLATFORM", "offscreen"}, {"LSAN_OPTIONS", lsanOptions()}},
                           dir_ + "/preview.out"});
        const auto status = tool.waitExit(kPatience);
        if (!status || !status->exited || status->code != 0) {
            return {};
        }
        return QImage(QString::fromStdString(path));
    }

    std::unique_ptr<xtest::XSession> x_;
    std::string dir_;
    std::string settingsPath_;
    std::string tracePath_;
    std::string outputPath_;
};

TEST_F(ZemblorWindowTest, SplashComesFirstCentredWhileTheDeviceStaysDark) {
    startX(91);
    startZemblor({}); // a first start: nothing stored yet

    const auto splash = waitForWindow(kSplashTitle);
    ASSERT_TRUE(splash) << "no splash dialog";
    const Geometry splashAt = waitForGeometry(*splash, centred(kSplashWidth, kSplashHeight));
    EXPECT_EQ(splashAt, centred(kSplashWidth, kSplashHeight));
    EXPECT_FALSE(onScreen(kMainTitle)) << "the main window is shown before Play";

    // Start-up has stored the default key bindings, and nothing else; the device is still off.
    const Settings stored = readSettings(settingsPath_);
    EXPECT_EQ(
        stored,
        (Settings{{"Key1", "2"}, {"Key2", "3"}, {"Key3", "4"}, {"Key4", "39"}, {"Key5", "40"}}));
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Key1", "Key2", "Key3", "Key4", "Key5"}));
    EXPECT_TRUE(stateLines().empty()) << "the device powered on before Play";

    const QImage screen = waitForScreen([&](const QImage& image) {
        return image.pixel(splashAt.x + kSplashWidth / 2, splashAt.y + 5) != qRgb(255, 255, 255);
    });
    std::cout << "splash: " << saveShot(screen, "splash") << '\n';
}

struct Desktop {
    const char* name;
    int display;
    bool windowManager;
};

void PrintTo(const Desktop& desktop, std::ostream* out) {
    *out << desktop.name;
}

std::string desktopName(const ::testing::TestParamInfo<Desktop>& info) {
    return info.param.name;
}

class PlayTest : public ZemblorWindowTest, public ::testing::WithParamInterface<Desktop> {};

TEST_P(PlayTest, EnterInTheSplashPowersTheDeviceOnCentred) {
    startX(GetParam().display, GetParam().windowManager);
    const QImage empty = x_->capture();
    ASSERT_FALSE(empty.isNull());
    startZemblor({{"FullscreenMode", "0"}, {"SoundMode", "2"}, {"SplashScreen", "1"}});

    const auto splash = waitForWindow(kSplashTitle);
    ASSERT_TRUE(splash) << "no splash dialog";
    ASSERT_TRUE(x_->focus(*splash));
    pressTap("Return");

    const auto main = waitForWindow(kMainTitle);
    ASSERT_TRUE(main) << "no main window after Play";
    const Geometry device = centred(kDeviceWidth, kDeviceHeight);
    const Geometry at = waitForGeometry(*main, device);
    EXPECT_EQ(at, device);
    EXPECT_TRUE(xtest::pollUntil(kPatience, [&] { return !onScreen(kSplashTitle); }))
        << "the splash dialog stays after Play";

    ASSERT_TRUE(waitForMode("ModeAllSegments"));
    EXPECT_EQ(field(stateLines().front(), "mode"), "ModeAllSegments");
    const Settings stored = readSettings(settingsPath_);
    EXPECT_EQ(stored.count("SoundMode") ? stored.at("SoundMode") : "", "2");
    EXPECT_EQ(stored.count("SplashScreen") ? stored.at("SplashScreen") : "", "1");

    // The screen shows the lit device where the face is opaque, and what was there before
    // everywhere else.
    const QImage face = referenceFace();
    ASSERT_EQ(face.size(), QSize(kDeviceWidth, kDeviceHeight)) << "no reference rendering";
    x_->mouseMove(0, 0);
    int mismatches = 0;
    std::string first;
    const QImage screen = waitForScreen([&](const QImage& image) {
        mismatches = 0;
        first.clear();
        for (int y = 0; y < kDeviceHeight; ++y) {
            for (int x = 0; x < kDeviceWidth; ++x) {
                const QRgb want = qAlpha(face.pixel(x, y)) == 0
                                      ? empty.pixel(device.x + x, device.y + y)
                                      : face.pixel(x, y) | 0xff000000u;
                const QRgb got = image.pixel(device.x + x, device.y + y);
                if (got != want && mismatches++ == 0) {
                    first = "at " + std::to_string(x) + "," + std::to_string(y) + " " + rgb(got) +
                            " instead of " + rgb(want);
                }
            }
        }
        return mismatches == 0;
    });
    const std::string shot = saveShot(screen, "device");
    std::cout << "device: " << shot << '\n';
    EXPECT_EQ(mismatches, 0) << "first " << first << "; see " << shot;
}

INSTANTIATE_TEST_SUITE_P(Desktops, PlayTest,
                         ::testing::Values(Desktop{"NoWindowManager", 92, false},
                                           Desktop{"Openbox", 90, true}),
                         desktopName);

TEST_F(ZemblorWindowTest, KeyPressReachesTheDevice) {
    startX(93);
    startZemblor(kWindowedNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main) << "the device did not come up without the splash";
    EXPECT_FALSE(onScreen(kSplashTitle));
    ASSERT_TRUE(x_->focus(*main));

    x_->keyDown("3"); // TIME
    ASSERT_TRUE(waitForStates(2));
    x_->keyUp("3");
    ASSERT_TRUE(waitForStates(3));
    const auto states = stateLines();
    EXPECT_EQ(field(states[1], "mode"), "ModeTime1");
    EXPECT_TRUE(lights(states[1], "btn_time_down")) << states[1];
    EXPECT_FALSE(lights(states[2], "btn_time_down")) << states[2];
}

TEST_F(ZemblorWindowTest, OutsideTheOutlineTheWindowIsSeeThroughAndClickThrough) {
    startX(94);
    const QImage empty = x_->capture();
    ASSERT_FALSE(empty.isNull());
    startZemblor(kWindowedNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    const Geometry device = waitForGeometry(*main, centred(kDeviceWidth, kDeviceHeight));
    ASSERT_EQ(device, centred(kDeviceWidth, kDeviceHeight));

    const QImage face(ZEMBLOR_ASSETS_DIR "/Graphics/Skin/background.png");
    ASSERT_EQ(face.size(), QSize(kDeviceWidth, kDeviceHeight));
    for (const QPoint& p : kSeeThrough) {
        ASSERT_EQ(qAlpha(face.pixel(p)), 0) << "the skin has changed: pick other points";
    }
    for (const QPoint& p : kOnTheDevice) {
        ASSERT_EQ(qAlpha(face.pixel(p)), 255) << "the skin has changed: pick other points";
    }

    x_->mouseMove(0, 0);
    const QImage screen = waitForScreen([&](const QImage& image) {
        return image.pixel(device.x + kFaceBody.x(), device.y + kFaceBody.y()) ==
               (face.pixel(kFaceBody) | 0xff000000u);
    });
    std::cout << "shape: " << saveShot(screen, "shape") << '\n';
    const WindowId root = x_->rootWindow();
    for (const QPoint& p : kSeeThrough) {
        const QPoint at(device.x + p.x(), device.y + p.y());
        EXPECT_EQ(rgb(screen.pixel(at)), rgb(empty.pixel(at)))
            << "window point " << p.x() << "," << p.y() << " hides the screen beneath";
        EXPECT_EQ(x_->windowAt(at.x(), at.y()), root)
            << "window point " << p.x() << "," << p.y() << " takes the pointer";
    }
    for (const QPoint& p : kOnTheDevice) {
        const QPoint at(device.x + p.x(), device.y + p.y());
        EXPECT_EQ(rgb(screen.pixel(at)), rgb(face.pixel(p)))
            << "window point " << p.x() << "," << p.y();
        EXPECT_EQ(x_->windowAt(at.x(), at.y()), main)
            << "window point " << p.x() << "," << p.y() << " lets the pointer through";
    }
}

TEST_F(ZemblorWindowTest, DragOnTheFaceMovesTheWindowByThePointersTravel) {
    startX(95);
    startZemblor(kWindowedNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    Geometry at = waitForGeometry(*main, centred(kDeviceWidth, kDeviceHeight));
    ASSERT_EQ(at, centred(kDeviceWidth, kDeviceHeight));

    struct Drag {
        const char* from;
        QPoint grip;
        QPoint travel;
    };
    for (const Drag& drag :
         {Drag{"body", kFaceBody, {37, 23}}, Drag{"LCD glass", kLcdGlass, {-19, 11}},
          Drag{"set button", kSetButton, {8, -14}}}) {
        SCOPED_TRACE(drag.from);
        const Geometry start = at;
        const QPoint grip(start.x + drag.grip.x(), start.y + drag.grip.y());
        x_->mouseMove(grip.x(), grip.y());
        x_->mouseDown(1);
        // In three steps, as a hand moves, each one waited for.
        for (int step = 1; step <= 3; ++step) {
            const QPoint travel = drag.travel * step / 3;
            x_->mouseMove(grip.x() + travel.x(), grip.y() + travel.y());
            at = waitForGeometry(*main, moved(start, travel), kStep);
        }
        x_->mouseUp(1);
        EXPECT_EQ(at, moved(start, drag.travel));
    }

    // A drag from a device button presses the button and leaves the window where it is.
    const Geometry start = at;
    x_->mouseMove(start.x + kTimeButton.x(), start.y + kTimeButton.y());
    x_->mouseDown(1);
    ASSERT_TRUE(waitForStates(2)) << "the press on TIME did not reach the device";
    x_->mouseMove(start.x + kTimeButton.x() + 37, start.y + kTimeButton.y() + 23);
    x_->mouseUp(1);
    ASSERT_TRUE(waitForStates(3)) << "the release of TIME did not reach the device";
    const auto states = stateLines();
    EXPECT_EQ(field(states[1], "mode"), "ModeTime1");
    EXPECT_TRUE(lights(states[1], "btn_time_down")) << states[1];
    EXPECT_FALSE(lights(states[2], "btn_time_down")) << states[2];
    const auto after = x_->geometry(*main);
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, start);
}

class FullScreenTest : public ZemblorWindowTest, public ::testing::WithParamInterface<Desktop> {};

TEST_P(FullScreenTest, CoversTheScreenAndDoesNotDrag) {
    startX(GetParam().display, GetParam().windowManager);
    startZemblor({{"FullscreenMode", "1"}, {"SoundMode", "2"}, {"SplashScreen", "0"}});
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    const Geometry screenSized{0, 0, kScreenWidth, kScreenHeight, true};
    const Geometry at = waitForGeometry(*main, screenSized);
    ASSERT_EQ(at, screenSized);

    // The device sits in the middle of the screen.
    const QImage face(ZEMBLOR_ASSETS_DIR "/Graphics/Skin/background.png");
    const Geometry device = centred(kDeviceWidth, kDeviceHeight);
    const QPoint body(device.x + kFaceBody.x(), device.y + kFaceBody.y());
    x_->mouseMove(0, kScreenHeight - 1);
    const QImage screen = waitForScreen([&](const QImage& image) {
        return image.pixel(body) == (face.pixel(kFaceBody) | 0xff000000u);
    });
    const std::string shot = saveShot(screen, "fullscreen");
    std::cout << "full screen: " << shot << '\n';
    EXPECT_EQ(rgb(screen.pixel(body)), rgb(face.pixel(kFaceBody))) << "see " << shot;

    x_->mouseMove(body.x(), body.y());
    x_->mouseDown(1);
    x_->mouseMove(body.x() + 37, body.y() + 23);
    x_->mouseUp(1);
    // A key press after the drag: once the device has seen it, it has seen the drag too.
    ASSERT_TRUE(x_->focus(*main));
    pressTap("3");
    ASSERT_TRUE(waitForMode("ModeTime1"));
    const auto after = x_->geometry(*main);
    ASSERT_TRUE(after);
    EXPECT_EQ(*after, screenSized);
}

INSTANTIATE_TEST_SUITE_P(Desktops, FullScreenTest,
                         ::testing::Values(Desktop{"NoWindowManager", 96, false},
                                           Desktop{"Openbox", 97, true}),
                         desktopName);

struct StoredBefore {
    const char* name;
    int display;
    Settings settings;
};

void PrintTo(const StoredBefore& stored, std::ostream* out) {
    *out << stored.name;
}

class EscapeTest : public ZemblorWindowTest, public ::testing::WithParamInterface<StoredBefore> {};

TEST_P(EscapeTest, EscapeInTheSplashEndsTheProgramWritingNothing) {
    startX(GetParam().display);
    auto& program = startZemblor(GetParam().settings);
    const auto splash = waitForWindow(kSplashTitle);
    ASSERT_TRUE(splash) << "no splash dialog";
    ASSERT_TRUE(x_->focus(*splash));
    pressTap("Escape");

    const auto status = program.waitExit(kPatience);
    ASSERT_TRUE(status) << "still running after Escape";
    EXPECT_EQ(status->describe(), "exit status 0");
    EXPECT_TRUE(stateLines().empty()) << "the device was powered on";

    // Only start-up's writes of the key bindings.
    Settings stored = readSettings(settingsPath_);
    const Settings keys = {
        {"Key1", "2"}, {"Key2", "3"}, {"Key3", "4"}, {"Key4", "39"}, {"Key5", "40"}};
    for (const auto& [name, value] : keys) {
        EXPECT_EQ(stored[name], value) << name;
        stored.erase(name);
    }
    EXPECT_EQ(stored, GetParam().settings);
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Key1", "Key2", "Key3", "Key4", "Key5"}));
}

std::string storedName(const ::testing::TestParamInfo<StoredBefore>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(
    Stores, EscapeTest,
    ::testing::Values(StoredBefore{"DriverChosenSplashOn",
                                   98,
                                   {{"FullscreenMode", "0"},
                                    {"SoundMode", "1"},
                                    {"SplashScreen", "1"},
                                    {"HiScore1", "12"}}},
                      // The splash is switched off but needs a driver: it shows all the same.
                      StoredBefore{
                          "NoDriverSplashOff",
                          99,
                          {{"FullscreenMode", "0"}, {"SoundMode", "-1"}, {"SplashScreen", "0"}}}),
    storedName);

} // namespace
