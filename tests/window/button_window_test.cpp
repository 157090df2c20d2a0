// The device's buttons on the real window, pressed and released with the mouse as a user
// does: while the mouse button is held the screen shows the button sunk, and after the
// release the button looks as it did before.

#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <gtest/gtest.h>

#include "tests/window/x_session.h"
#include "tests/window/zemblor_fixture.h"

namespace {

using namespace zemblor_test;

struct DeviceButton {
    const char* name;
    const char* pressedPicture;
    QRect box;   // the button's box in the window ([Image3] to [Image13] of Config.ini)
    QPoint grip; // on the cap, low enough that a hover hint opens below the box
};

const DeviceButton kButtons[] = {
    {"LEFT", "btn_left_down", QRect(44, 219, 43, 41), QPoint(65, 252)},
    {"RIGHT", "btn_right_down", QRect(473, 219, 42, 41), QPoint(494, 252)},
    {"TIME", "btn_time_down", QRect(395, 304, 40, 22), QPoint(415, 318)},
    {"GAME A", "btn_game_a_down", QRect(277, 304, 40, 22), QPoint(297, 318)},
    {"GAME B", "btn_game_b_down", QRect(336, 304, 40, 22), QPoint(356, 318)},
};

int largestChannelStep(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

// How many pixels of `area` (window coordinates) differ by at least `step` in some colour
// channel between two pictures that hold the window at `aAt` and at `bAt`.
int changedPixels(const QImage& a, QPoint aAt, const QImage& b, QPoint bAt, const QRect& area,
                  int step) {
    int changed = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            changed += largestChannelStep(a.pixel(aAt + QPoint(x, y)),
                                          b.pixel(bAt + QPoint(x, y))) >= step;
        }
    }
    return changed;
}

bool lastStateLights(const std::vector<std::string>& states, const std::string& picture) {
    return !states.empty() && lights(states.back(), picture);
}

TEST_F(ZemblorWindowTest, AClickedButtonShowsSunkWhileHeldAndReleasedAfter) {
    startX(86);
    startZemblor(kWindowedNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    const Geometry device = waitForGeometry(*main, centred(kDeviceWidth, kDeviceHeight));
    ASSERT_EQ(device, centred(kDeviceWidth, kDeviceHeight));
    ASSERT_TRUE(x_->focus(*main));
    const QPoint origin(device.x, device.y);

    // The buttons as the skin draws them released: the face of the skin tool.
    const QImage released = referenceFace();
    ASSERT_EQ(released.size(), QSize(kDeviceWidth, kDeviceHeight));

    for (const DeviceButton& button : kButtons) {
        SCOPED_TRACE(button.name);
        const int pixels = button.box.width() * button.box.height();
        x_->mouseMove(origin.x() + button.grip.x(), origin.y() + button.grip.y());
        const auto looksReleased = [&](const QImage& screen) {
            return changedPixels(screen, origin, released, {}, button.box, 1) == 0;
        };
        const QImage before = waitForScreen(looksReleased);
        ASSERT_TRUE(looksReleased(before))
            << "the released button differs from the skin: " << saveShot(before, "before");

        const std::size_t statesBefore = stateLines().size();
        x_->mouseDown(1);
        // Most of the box must change clearly, not a stray pixel or two.
        const auto looksHeld = [&](const QImage& screen) {
            return changedPixels(screen, origin, before, origin, button.box, 24) * 100 >=
                   pixels * 40;
        };
        const QImage held = waitForScreen(looksHeld);
        const std::string heldShot = saveShot(held, button.pressedPicture);
        EXPECT_TRUE(looksHeld(held)) << "the held button looks as before: " << heldShot;
        std::cout << button.name << " held: " << heldShot << '\n';
        ASSERT_TRUE(waitForStates(statesBefore + 1)) << "the press did not reach the device";
        EXPECT_TRUE(lastStateLights(stateLines(), button.pressedPicture));

        x_->mouseUp(1);
        ASSERT_TRUE(waitForStates(statesBefore + 2)) << "the release did not reach the device";
        EXPECT_FALSE(lastStateLights(stateLines(), button.pressedPicture));
        const QImage after = waitForScreen(looksReleased);
        EXPECT_TRUE(looksReleased(after))
            << "the released button does not come back: "
            << saveShot(after, std::string(button.pressedPicture) + "-after");
    }
}

} // namespace
