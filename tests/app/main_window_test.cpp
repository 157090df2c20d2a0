#include <gtest/gtest.h>

#include <fstream>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QWindow>

#include "app/main_window.h"
#include "tests/app/app_test_support.h"

namespace {

using app_test::QuietSoundHost;

std::string lastLine(const QString& path) {
    std::ifstream in(path.toStdString());
    std::string line;
    std::string last;
    while (std::getline(in, line)) {
        last = line;
    }
    return last;
}

// The main window on the offscreen platform, windowed, with the real skin.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir::setCurrent(QStringLiteral(ZEMBLOR_ASSETS));
        const QString ini = dir.filePath("store.ini");
        std::ofstream(ini.toStdString()) << "[General]\nFullscreenMode=0\nZoom=1\n";
        app::ProgramOptions options;
        options.settingsFile = ini.toStdString();
        options.traceFile = dir.filePath("trace").toStdString();
        options.seed = 1;
        options.clock = session::DateTime{2026, 12, 8, 9, 41, 0};
        core = std::make_unique<app::CoreController>(options, sound);
        window = std::make_unique<app::TForm1>(*core, ZEMBLOR_ASSETS "/Config.ini");
        window->FormCreate();
        window->showDevice();
        core->powerOn();
    }

    void key(QEvent::Type type, int qtKey, quint32 scan, bool repeat = false) {
        app_test::sendKey(window->windowHandle(), type, qtKey, scan, repeat);
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
        QMouseEvent event(type, at, window->mapToGlobal(at), button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(window.get(), &event);
    }
    std::string trace() const { return lastLine(dir.filePath("trace")); }

    QTemporaryDir dir;
    QuietSoundHost sound;
    std::unique_ptr<app::CoreController> core;
    std::unique_ptr<app::TForm1> window;
};

TEST_F(MainWindowTest, WindowedLayoutIsDeviceShaped) {
    EXPECT_FALSE(window->fullscreenOn());
    EXPECT_EQ(window->size(), QSize(560, 372));
    // The skin's magenta outside the device's rounded corners is cut out of the window.
    const QRegion shape = window->mask();
    EXPECT_FALSE(shape.isEmpty());
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_TRUE(shape.contains(QPoint(280, 186)));
}

// Without a compositor (the offscreen platform has none) the window is opaque: its frame is
// composed over the skin's see-through colour, which the shape cuts away.
TEST_F(MainWindowTest, WithoutACompositorTheSeeThroughColourIsCutByTheShape) {
    EXPECT_FALSE(window->testAttribute(Qt::WA_TranslucentBackground));
    const QImage shown = window->grab().toImage();
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_FALSE(window->mask().contains(QPoint(0, 0)));
    const QImage face = core->scene().render();
    EXPECT_EQ(shown.pixel(30, 100), face.pixel(30, 100));
    EXPECT_EQ(qAlpha(shown.pixel(30, 100)), 255);
}

// The shape follows what the window shows: a picture that brings the key colour cuts the
// window there while it is shown, and the cut closes when it goes.
TEST_F(MainWindowTest, TheShapeFollowsKeyColouredPixelsOfPicturesShownLater) {
    // As if the skin's pressed TIME picture held the key colour at its left edge.
    auto& scene = const_cast<skin::Scene&>(core->scene());
    const skin::Box down = scene.box(skin::Component::btn_time_down);
    ASSERT_TRUE(scene.picture(skin::Component::btn_time_down));
    QImage picture =
        scene.picture(skin::Component::btn_time_down)->image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < 6; ++x) {
            picture.setPixelColor(x, y, QColor(255, 0, 255));
        }
    }
    scene.setPicture(skin::Component::btn_time_down, {picture, skin::PictureFormat::Png});
    const QPoint hole(down.left + 2, down.top + down.height / 2);
    const QPoint button(down.left + down.width / 2, down.top + down.height / 2);
    EXPECT_TRUE(window->mask().contains(hole));

    key(QEvent::KeyPress, Qt::Key_3, 12);
    ASSERT_NE(trace().find("btn_time_down"), std::string::npos);
    EXPECT_FALSE(window->mask().contains(hole));
    EXPECT_TRUE(window->mask().contains(button));
    key(QEvent::KeyRelease, Qt::Key_3, 12);
    EXPECT_TRUE(window->mask().contains(hole));
}

TEST_F(MainWindowTest, KeysReachTheDeviceAndRepeatsOnlyPress) {
    key(QEvent::KeyPress, Qt::Key_3, 12);
    EXPECT_NE(trace().find("\"mode\":\"ModeTime1\""), std::string::npos);
    EXPECT_NE(trace().find("btn_time_down"), std::string::npos);
    // The auto-repeated release X11 sends before each repeated press never reaches the device:
    // the TIME button stays pressed and the mode does not step on.
    key(QEvent::KeyRelease, Qt::Key_3, 12, true);
    key(QEvent::KeyPress, Qt::Key_3, 12, true);
    EXPECT_NE(trace().find("btn_time_down"), std::string::npos);
    EXPECT_NE(trace().find("\"mode\":\"ModeTime1\""), std::string::npos);
    // Shift held meanwhile turns the key into '#', but its release is still TIME's.
    key(QEvent::KeyRelease, Qt::Key_NumberSign, 12);
    EXPECT_EQ(trace().find("btn_time_down"), std::string::npos);
}

TEST_F(MainWindowTest, HeldKeysAreReleasedWhenTheFocusLeaves) {
    key(QEvent::KeyPress, Qt::Key_Left, 113);
    EXPECT_NE(trace().find("btn_left_down"), std::string::npos);
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QCoreApplication::sendEvent(window->windowHandle(), &focusOut);
    EXPECT_EQ(trace().find("btn_left_down"), std::string::npos);
}

TEST_F(MainWindowTest, ButtonPressedByClickIsReleasedWhereverThePointerGoes) {
    const skin::Box time = core->scene().box(skin::Component::btn_time_top);
    mouse(QEvent::MouseButtonPress, QPoint(time.left + 5, time.top + 5));
    EXPECT_NE(trace().find("btn_time_down"), std::string::npos);
    EXPECT_NE(trace().find("\"mode\":\"ModeTime1\""), std::string::npos);
    mouse(QEvent::MouseButtonRelease, QPoint(5, 5));
    EXPECT_EQ(trace().find("btn_time_down"), std::string::npos);

    // The right button presses nothing.
    const std::string before = trace();
    mouse(QEvent::MouseButtonPress, QPoint(time.left + 5, time.top + 5), Qt::RightButton);
    EXPECT_EQ(trace(), before);
}

// Zoomed, every picture pixel is a block of screen pixels: the window, its shape and the
// places the mouse hits all scale; a fresh window on a zoom of 3 stands beside the 1:1 one.
TEST_F(MainWindowTest, ZoomScalesTheWindowItsShapeAndItsHits) {
    app::TForm1 zoomed(*core, ZEMBLOR_ASSETS "/Config.ini", 3);
    zoomed.FormCreate();
    zoomed.showDevice();
    EXPECT_EQ(zoomed.size(), QSize(1680, 1116));
    EXPECT_FALSE(zoomed.mask().contains(QPoint(1, 1)));
    EXPECT_TRUE(zoomed.mask().contains(QPoint(840, 558)));
    const QImage shown = zoomed.grab().toImage();
    const QImage plain = window->grab().toImage();
    EXPECT_EQ(shown.pixel(3 * 280 + 2, 3 * 150 + 1), plain.pixel(280, 150));

    const skin::Box time = core->scene().box(skin::Component::btn_time_top);
    const QPoint at(3 * time.left + 4, 3 * time.top + 4);
    QMouseEvent press(QEvent::MouseButtonPress, at, zoomed.mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&zoomed, &press);
    EXPECT_NE(trace().find("btn_time_down"), std::string::npos);
}

TEST_F(MainWindowTest, HintsFollowTheBindings) {
    EXPECT_EQ(core->hint(device::HintPicture::btn_set_top), "button disabled");
    EXPECT_NE(core->hint(device::HintPicture::btn_time_top).indexOf("3"), -1);
}

} // namespace
