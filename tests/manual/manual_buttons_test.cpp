#include <gtest/gtest.h>

#include "manual/manual_buttons.h"

namespace manual {
namespace {

using B = ManualButton;

// One picture row, '#' where the glyph is white.
std::string glyphRow(const QImage& image, int y) {
    std::string row;
    for (int x = 0; x < image.width(); ++x) {
        row += image.pixelColor(x, y) == QColor(Qt::white) ? '#' : '.';
    }
    return row;
}

TEST(ManualButtons, BevelRaisedWhenReleasedAndSunkWhenPressed) {
    // Outer top-left, inner top-left, inner bottom-right, outer bottom-right.
    const QColor raised[] = {{192, 192, 255}, {128, 128, 255}, {0, 0, 192}, {0, 0, 0}};
    const QColor sunk[] = {{0, 0, 0}, {0, 0, 192}, {128, 128, 255}, {192, 192, 255}};
    const QPoint edges[][2] = {
        {{8, 0}, {0, 7}}, {{8, 1}, {1, 7}}, {{8, 12}, {14, 7}}, {{8, 13}, {15, 7}}};
    for (B b : {B::Close, B::Left, B::Right}) {
        for (bool pressed : {false, true}) {
            const QImage image = manualButtonPicture(b, pressed);
            ASSERT_EQ(image.size(), QSize(16, 14));
            EXPECT_EQ(image.pixelColor(2, 2), QColor(0, 0, 255));
            for (int ring = 0; ring < 4; ++ring) {
                for (QPoint at : edges[ring]) {
                    EXPECT_EQ(image.pixelColor(at), (pressed ? sunk : raised)[ring])
                        << int(b) << pressed << " at " << at.x() << "," << at.y();
                }
            }
        }
    }
}

TEST(ManualButtons, GlyphsStrokedTwoWideAndShiftedOneDownRightWhenPressed) {
    const QImage close = manualButtonPicture(B::Close, false);
    const QImage left = manualButtonPicture(B::Left, false);
    const QImage right = manualButtonPicture(B::Right, false);
    EXPECT_EQ(glyphRow(close, 3), "....##....##....");
    EXPECT_EQ(glyphRow(close, 6), ".......##.......");
    EXPECT_EQ(glyphRow(close, 9), "....##....##....");
    EXPECT_EQ(glyphRow(left, 3), "........##......");
    EXPECT_EQ(glyphRow(left, 6), ".....##.........");
    EXPECT_EQ(glyphRow(right, 3), ".....##.........");
    EXPECT_EQ(glyphRow(right, 6), "........##......");
    for (B b : {B::Close, B::Left, B::Right}) {
        const QImage up = manualButtonPicture(b, false);
        const QImage down = manualButtonPicture(b, true);
        for (int y = 2; y < 12; ++y) {
            EXPECT_EQ(glyphRow(down, y + 1), "." + glyphRow(up, y).substr(0, 15)) << int(b) << y;
        }
    }
}

TEST(ManualButtons, KeepToTheirCornersFourPixelsIn) {
    EXPECT_EQ(manualButtonBox(B::Close, {600, 400}), QRect(580, 4, 16, 14));
    EXPECT_EQ(manualButtonBox(B::Left, {600, 400}), QRect(4, 382, 16, 14));
    EXPECT_EQ(manualButtonBox(B::Right, {600, 400}), QRect(580, 382, 16, 14));
}

} // namespace
} // namespace manual
