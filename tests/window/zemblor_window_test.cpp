// The program's windows as a user meets them: each test runs zemblor on a private X server
// with its own settings file, types and clicks through the X server, and reads back the screen,
// the window geometry and the program's trace.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>
#include <gtest/gtest.h>

#include "tests/window/x_session.h"
#include "tests/window/zemblor_fixture.h"

namespace {

using namespace zemblor_test;

// Points of the windowed face, in window coordinates (assets/Graphics/Skin/background.png).
const QPoint kFaceBody(30, 100);    // plain body, left of the LCD, above the LEFT button
const QPoint kLcdGlass(200, 200);   // on the glass over the LCD ([Image2])
const QPoint kSetButton(239, 315);  // the inert fifth button ([Image9])
const QPoint kTimeButton(415, 315); // TIME ([Image8])
const std::vector<QPoint> kSeeThrough = {{5, 5}, {279, 1}, {554, 366}, {1, 186}};
const std::vector<QPoint> kOnTheDevice = {kFaceBody, {100, 20}, {279, 5}, {250, 340}};

Geometry moved(const Geometry& g, QPoint by) {
    return {g.x + by.x(), g.y + by.y(), g.width, g.height, g.viewable};
}

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

// Two notices at once as the device comes up without the splash (the backup of a hand-edited
// store, a record that cannot be written): both are painted, neither blocks the other.
TEST_F(ZemblorWindowTest, NoticesAtStartAreEachPaintedInFront) {
    startX(84);
    startZemblor(kWindowedNoSplash, "; tuned by hand\n", {"--record", "/dev/full"});
    ASSERT_TRUE(waitForPoweredDevice());
    ASSERT_TRUE(xtest::pollUntil(
        kPatience, [&] { return x_->findWindows(xtest::exactName("Error"), true).size() == 2; }));
    // They stand one on the other; the one in front must show its text and button.
    const auto g = x_->geometry(x_->findWindows(xtest::exactName("Error"), true).front());
    ASSERT_TRUE(g);
    const QImage screen = waitForScreen(
        [&](const QImage& shot) { return qGray(shot.pixel(g->x + g->width / 2, g->y + 2)) > 128; });
    EXPECT_GT(qGray(screen.pixel(g->x + g->width / 2, g->y + 2)), 128)
        << "the notices are not painted: " << saveShot(screen, "notices");
    EXPECT_EQ(readLines(settingsPath_ + ".bak").back(), "; tuned by hand");
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
