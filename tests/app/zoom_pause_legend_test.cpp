#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWindow>

#include "app/key_legend.h"
#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/pause_state.h"
#include "app/zoom_choice.h"
#include "tests/app/app_test_support.h"

namespace {

using app_test::QuietSoundHost;

using namespace std::chrono_literals;
using app::chooseZoom;
using app::steppedZoom;

const QSize kDevice(560, 372);

TEST(ZoomChoice, AutoFitsTheLayout) {
    // Full screen: the largest zoom at which the device fits.
    EXPECT_EQ(chooseZoom(0, kDevice, QSize(1366, 768), true).zoom, 2);
    EXPECT_EQ(chooseZoom(0, kDevice, QSize(3840, 2160), true).zoom, 5);
    // Windowed: at most half the screen's height.
    EXPECT_EQ(chooseZoom(0, kDevice, QSize(1366, 768), false).zoom, 1);
    EXPECT_EQ(chooseZoom(0, kDevice, QSize(3840, 2160), false).zoom, 2);
    EXPECT_EQ(chooseZoom(0, kDevice, QSize(3000, 1488), false).zoom, 2);
    EXPECT_EQ(chooseZoom(0, kDevice, QSize(3000, 1487), false).zoom, 1);
    // Never below 1, even on a screen smaller than the device; never above 8.
    EXPECT_EQ(chooseZoom(0, kDevice, QSize(320, 200), true).zoom, 1);
    EXPECT_EQ(chooseZoom(0, QSize(10, 10), QSize(7680, 4320), true).zoom, 8);
    // Stored nonsense counts as "auto".
    EXPECT_EQ(chooseZoom(9, kDevice, QSize(1366, 768), true).zoom, 2);
    EXPECT_EQ(chooseZoom(-4, kDevice, QSize(1366, 768), true).zoom, 2);
}

TEST(ZoomChoice, AnExplicitZoomWinsUnlessTheDeviceWouldNotFit) {
    EXPECT_EQ(chooseZoom(2, kDevice, QSize(1366, 768), false).zoom, 2);
    EXPECT_FALSE(chooseZoom(2, kDevice, QSize(1366, 768), false).clamped);
    EXPECT_EQ(chooseZoom(1, kDevice, QSize(3840, 2160), true).zoom, 1);
    const app::ZoomChoice tooBig = chooseZoom(3, kDevice, QSize(1366, 768), false);
    EXPECT_EQ(tooBig.zoom, 2);
    EXPECT_TRUE(tooBig.clamped);
    EXPECT_EQ(chooseZoom(8, kDevice, QSize(1120, 744), true).zoom, 2);
    EXPECT_EQ(chooseZoom(8, kDevice, QSize(1119, 744), true).zoom, 1);
}

TEST(ZoomChoice, StepsStayWithinWhatFits) {
    EXPECT_EQ(steppedZoom(1, +1, kDevice, QSize(1366, 768)), 2);
    EXPECT_EQ(steppedZoom(2, +1, kDevice, QSize(1366, 768)), 2);
    EXPECT_EQ(steppedZoom(2, -1, kDevice, QSize(1366, 768)), 1);
    EXPECT_EQ(steppedZoom(1, -1, kDevice, QSize(1366, 768)), 1);
}

TEST(KeyLegend, NamesTheKeysInForce) {
    EXPECT_EQ(
        app::keyLegendText({2, 3, 4, 39, 40}),
        "1 GAME A \u00b7 2 GAME B \u00b7 3 TIME \u00b7 \u2190 \u2192 \u00b7 right-click: menu");
    EXPECT_EQ(app::keyLegendText({11, 44, 43, 11 + 0, 14}),
              "A GAME A \u00b7 Space GAME B \u00b7 Shift TIME \u00b7 A LEFT \u00b7 D RIGHT "
              "\u00b7 right-click: menu");
    EXPECT_EQ(app::keyLegendText({37, 38, 42, 40, 39}),
              "\u2191 GAME A \u00b7 \u2193 GAME B \u00b7 Ctrl TIME \u00b7 \u2192 LEFT \u00b7 "
              "\u2190 RIGHT \u00b7 right-click: menu");
}

TEST(KeyLegend, TakesFreeSpaceBelowThenAboveTheDevice) {
    using skin::Box;
    const Box screen{0, 0, 1366, 768};
    const Box device{403, 198, 560, 372};
    const Box text{0, 0, 500, 24};
    EXPECT_EQ(app::keyLegendPlace(screen, text, {device}), (Box{433, 736, 500, 24}));
    // A logo in the bottom corner that reaches under the legend sends it to the top.
    const Box logo{900, 700, 466, 68};
    EXPECT_EQ(app::keyLegendPlace(screen, text, {device, logo}), (Box{433, 8, 500, 24}));
    // No room: a device filling the screen, or a legend wider than the screen.
    EXPECT_EQ(app::keyLegendPlace(screen, text, {Box{0, 20, 1366, 740}}), std::nullopt);
    EXPECT_EQ(app::keyLegendPlace(screen, Box{0, 0, 1360, 24}, {device}), std::nullopt);
    // Touching counts: the legend keeps a margin from the device.
    EXPECT_EQ(app::keyLegendPlace(Box{0, 0, 1366, 609}, text, {device, Box{0, 0, 1366, 30}}),
              std::nullopt);
    // Just clear of the margin is free; an empty box takes no room.
    EXPECT_EQ(app::keyLegendPlace(screen, text, {Box{0, 0, 1366, 728}, Box{433, 736, 0, 0}}),
              (Box{433, 736, 500, 24}));
    EXPECT_EQ(app::keyLegendPlace(screen, text, {Box{0, 0, 1366, 729}}), std::nullopt);
}

TEST(PausableClock, PausedStretchesAreLeftOut) {
    app::PausableClock clock;
    EXPECT_EQ(clock.deviceTime(10s), 10s);
    clock.pause(10s);
    clock.pause(12s); // a second pause changes nothing
    EXPECT_EQ(clock.deviceTime(70s), 10s);
    clock.resume(70s);
    clock.resume(80s);
    EXPECT_EQ(clock.deviceTime(71s), 11s);
    EXPECT_EQ(clock.realTime(11s), 71s);
    clock.pause(100s);
    clock.resume(105s);
    EXPECT_EQ(clock.deviceTime(106s), 41s);
}

// The main window on the offscreen platform with a monotonic clock the test moves.
class WindowKeys : public ::testing::Test {
protected:
    void start(const std::string& stored) {
        QDir::setCurrent(QStringLiteral(ZEMBLOR_ASSETS));
        ini = dir.filePath("store.ini");
        std::ofstream(ini.toStdString()) << "[General]\n" << stored;
        app::ProgramOptions options;
        options.settingsFile = ini.toStdString();
        options.traceFile = dir.filePath("trace").toStdString();
        options.seed = 1;
        options.clock = session::DateTime{2026, 12, 8, 9, 41, 0};
        core = std::make_unique<app::CoreController>(options, host, [this] { return now; });
        window = std::make_unique<app::TForm1>(*core, ZEMBLOR_ASSETS "/Config.ini");
        menu = new app::MainMenu(window.get());
        window->setMenu(menu);
        QObject::connect(menu, &app::MainMenu::chosen, window.get(),
                         [this](shell::MenuItem item) { chosen.push_back(item); });
        window->FormCreate();
        window->showDevice();
        core->powerOn();
    }

    void key(QEvent::Type type, int qtKey, quint32 scan, bool repeat = false) {
        app_test::sendKey(window->windowHandle(), type, qtKey, scan, repeat);
    }
    void tap(int qtKey, quint32 scan) {
        key(QEvent::KeyPress, qtKey, scan);
        key(QEvent::KeyRelease, qtKey, scan);
    }
    std::string stored() const {
        std::ifstream in(ini.toStdString());
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int traceLines() const {
        std::ifstream in(dir.filePath("trace").toStdString());
        int lines = 0;
        for (std::string line; std::getline(in, line);) {
            ++lines;
        }
        return lines;
    }
    void runTo(app::Nanos t) {
        while (auto wake = core->wakeTime()) {
            if (*wake > t) {
                break;
            }
            now = *wake;
            core->advanceTo(now);
        }
        now = t;
        core->advanceTo(now);
    }

    QTemporaryDir dir;
    QString ini;
    QuietSoundHost host;
    app::Nanos now{1s};
    std::unique_ptr<app::CoreController> core;
    std::unique_ptr<app::TForm1> window;
    app::MainMenu* menu = nullptr;
    std::vector<shell::MenuItem> chosen;
};

// X11 keycodes.
constexpr quint32 kScanF2 = 68;
constexpr quint32 kScanPause = 127;
constexpr quint32 kScanMinus = 20;
constexpr quint32 kScanEqual = 21;
constexpr quint32 kScanDigit3 = 12;

TEST_F(WindowKeys, AHeldShortcutActsOncePerPress) {
    start("FullscreenMode=0\n");
    const int lines = traceLines();
    // Repeats come as presses without releases (XKB's detectable repeat) or flagged as such.
    key(QEvent::KeyPress, Qt::Key_F2, kScanF2);
    key(QEvent::KeyPress, Qt::Key_F2, kScanF2);
    key(QEvent::KeyRelease, Qt::Key_F2, kScanF2, true);
    key(QEvent::KeyPress, Qt::Key_F2, kScanF2, true);
    EXPECT_EQ(chosen, std::vector<shell::MenuItem>{shell::MenuItem::pm_2_readme});
    key(QEvent::KeyRelease, Qt::Key_F2, kScanF2);
    tap(Qt::Key_F2, kScanF2);
    EXPECT_EQ(chosen.size(), 2u);
    // The program's own keys are not the device's: nothing reaches its trace.
    EXPECT_EQ(traceLines(), lines);
}

TEST_F(WindowKeys, PauseFreezesTheDeviceUntilPressedAgain) {
    start("FullscreenMode=0\n");
    tap(Qt::Key_3, kScanDigit3); // the clock: its colon blinks on the device's timer
    runTo(3s);
    const device::Millis before = core->coreTime();
    key(QEvent::KeyPress, Qt::Key_Pause, kScanPause);
    key(QEvent::KeyPress, Qt::Key_Pause, kScanPause); // a repeat does not resume
    EXPECT_TRUE(core->isPaused());
    EXPECT_EQ(core->wakeTime(), std::nullopt);
    const int lines = traceLines();
    runTo(60s);
    tap(Qt::Key_3, kScanDigit3); // presses do nothing while paused
    EXPECT_EQ(core->coreTime(), before);
    EXPECT_EQ(traceLines(), lines);

    key(QEvent::KeyRelease, Qt::Key_Pause, kScanPause);
    tap(Qt::Key_Pause, kScanPause);
    EXPECT_FALSE(core->isPaused());
    ASSERT_TRUE(core->wakeTime());
    runTo(61s);
    EXPECT_EQ(core->coreTime(), before + 1000); // the minute away is left out
}

// The test screen is 3840 x 2160: the device fits it at zoom 5 at most.
TEST_F(WindowKeys, AutoZoomFitsTheScreen) {
    start("FullscreenMode=0\n");
    EXPECT_EQ(window->scale(), 2); // at most half the screen's height
    EXPECT_EQ(window->size(), QSize(1120, 744));
    window->toggleFullscreen();
    EXPECT_EQ(window->scale(), 5);
    EXPECT_EQ(stored().find("Zoom="), std::string::npos); // "auto" stays unstored
}

TEST_F(WindowKeys, ZoomKeysStepAndStoreTheZoom) {
    start("FullscreenMode=0\nZoom=1\n");
    ASSERT_EQ(window->scale(), 1);
    tap(Qt::Key_Equal, kScanEqual);
    EXPECT_EQ(window->scale(), 2);
    EXPECT_EQ(window->size(), QSize(1120, 744));
    EXPECT_NE(stored().find("Zoom=2"), std::string::npos);
    for (int i = 0; i < 6; ++i) {
        tap(Qt::Key_Plus, kScanEqual);
    }
    EXPECT_EQ(window->scale(), 5);
    EXPECT_NE(stored().find("Zoom=5"), std::string::npos);
    tap(Qt::Key_Minus, kScanMinus);
    EXPECT_EQ(window->scale(), 4);
    EXPECT_EQ(window->size(), QSize(2240, 1488));
    // Held down, the key steps once.
    key(QEvent::KeyPress, Qt::Key_Minus, kScanMinus);
    key(QEvent::KeyPress, Qt::Key_Minus, kScanMinus);
    EXPECT_EQ(window->scale(), 3);
}

TEST_F(WindowKeys, AStoredZoomTooLargeForTheScreenIsClamped) {
    start("FullscreenMode=0\nZoom=8\n");
    EXPECT_EQ(window->scale(), 5);
    EXPECT_EQ(window->size(), QSize(2800, 1860));
}

TEST_F(WindowKeys, FullScreenLegendKeepsClearOfTheDevice) {
    start("FullscreenMode=1\n");
    const QRect legend = window->keyLegendRect();
    ASSERT_FALSE(legend.isEmpty());
    EXPECT_TRUE(window->rect().contains(legend));
    const QSize screen = window->size();
    const QRect device(QPoint((screen.width() / window->scale() - 560) / 2,
                              (screen.height() / window->scale() - 372) / 2) *
                           window->scale(),
                       QSize(560, 372) * window->scale());
    EXPECT_FALSE(legend.intersects(device));
    EXPECT_FALSE(legend.intersects(QRect(0, 0, 36, 32)));
}

TEST_F(WindowKeys, WindowedHasNoLegend) {
    start("FullscreenMode=0\n");
    EXPECT_TRUE(window->keyLegendRect().isEmpty());
}

} // namespace
