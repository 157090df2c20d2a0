#include <gtest/gtest.h>

#include "dialogs/centring.h"

namespace {

using dialogs::Anchor;
using dialogs::centredMoveTarget;
using dialogs::centredTopLeft;

TEST(Centring, HalvesRoundTowardZeroAndOddSizesLeanLeftAndUp) {
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 1366, 768), QSize(561, 372)), QPoint(402, 198));
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 1025, 769), QSize(460, 420)), QPoint(282, 174));
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 1024, 768), QSize(415, 271)), QPoint(304, 248));
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 1920, 1080), QSize(1920, 1080)), QPoint(0, 0));
}

TEST(Centring, AWindowLargerThanTheScreenKeepsItsCornerOnTheScreensCorner) {
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 555, 300), QSize(560, 372)), QPoint(0, 0));
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 300, 300), QSize(301, 420)), QPoint(0, 0));
    // Each side on its own: too wide, yet still centred from top to bottom.
    EXPECT_EQ(centredTopLeft(QRect(0, 0, 400, 768), QSize(560, 372)), QPoint(0, 198));
    EXPECT_EQ(centredTopLeft(QRect(1920, -300, 400, 200), QSize(100, 372)),
              QPoint(1920 + 150, -300));
}

TEST(Centring, ScreensWithAnOffsetOriginCentreWithinThemselves) {
    EXPECT_EQ(centredTopLeft(QRect(1920, 0, 1280, 1024), QSize(560, 372)), QPoint(1920 + 360, 326));
    EXPECT_EQ(centredTopLeft(QRect(-1280, -200, 1280, 1024), QSize(397, 176)),
              QPoint(-1280 + 441, -200 + 424));
}

TEST(Centring, TheAnchorDecidesWhetherTheFrameOrTheClientAreaMeetsTheCentredPoint) {
    const QRect screen(100, 50, 1024, 768);
    const QPoint centred = centredTopLeft(screen, QSize(448, 163));
    ASSERT_EQ(centred, QPoint(100 + 288, 50 + 302));
    // A frame with a 24-pixel title bar and 3-pixel borders: move() takes the frame's corner.
    const QPoint inFrame(3, 24);
    EXPECT_EQ(centredMoveTarget(screen, QSize(448, 163), inFrame, Anchor::ClientArea),
              centred - inFrame);
    EXPECT_EQ(centredMoveTarget(screen, QSize(448, 163), inFrame, Anchor::Frame), centred);
    for (Anchor anchor : {Anchor::ClientArea, Anchor::Frame}) {
        EXPECT_EQ(centredMoveTarget(screen, QSize(448, 163), QPoint(), anchor), centred);
    }
}

} // namespace
