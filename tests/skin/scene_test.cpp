#include <QPainter>
#include <gtest/gtest.h>

#include "device/device.h"
#include "skin/box_bounds.h"
#include "skin/game_menu_picture.h"
#include "skin/scene.h"
#include "skin/scene_display.h"
#include "tests/skin/skin_fixture.h"

namespace skin {
namespace {

QImage withBottomLeft(QColor fill, QColor key) {
    QImage image = test::solid(6, 6, fill);
    image.setPixelColor(0, 5, key);
    image.setPixelColor(3, 3, key);
    return image;
}

class SceneTest : public ::testing::Test {
protected:
    SceneTest() {
        scene.setColourKey(std::nullopt);
        scene.setBackgroundColour(Qt::white);
        for (std::size_t i = 0; i < kComponentCount; ++i) {
            scene.setShown(static_cast<Component>(i), false);
        }
    }
    QColor at(int x, int y) { return scene.render().pixelColor(x, y); }
    void place(Component c, const Picture& p, Box box) {
        scene.setPicture(c, p);
        scene.setBox(c, box);
        scene.setShown(c, true);
    }

    Scene scene;
};

TEST_F(SceneTest, TransparencyFollowsTheComponentAndThePictureFormat) {
    place(Component::im_background, {test::solid(40, 40, Qt::blue), PictureFormat::Jpeg},
          {0, 0, 40, 40});
    const QImage keyed = withBottomLeft(Qt::green, Qt::red);
    place(Component::im_hero_1, {keyed, PictureFormat::Bitmap}, {0, 0, 6, 6});     // transparent
    place(Component::btn_left_top, {keyed, PictureFormat::Bitmap}, {10, 0, 6, 6}); // opaque
    QImage halfClear = test::solid(6, 6, Qt::yellow);
    halfClear.setPixelColor(1, 1, QColor(0, 0, 0, 0));
    place(Component::btn_right_top, {halfClear, PictureFormat::Png}, {20, 0, 6, 6}); // opaque, PNG

    EXPECT_EQ(at(3, 3), QColor(Qt::blue)) << "the bottom-left colour is see-through";
    EXPECT_EQ(at(0, 5), QColor(Qt::blue));
    EXPECT_EQ(at(1, 1), QColor(Qt::green));
    EXPECT_EQ(at(13, 3), QColor(Qt::red)) << "an opaque component shows the key colour";
    EXPECT_EQ(at(21, 1), QColor(Qt::blue)) << "a PNG keeps its own alpha on any component";
    EXPECT_EQ(at(22, 2), QColor(Qt::yellow));
}

TEST_F(SceneTest, ThePlaceholderIsARedSquareWhoseOutlineIsKeyedOutOnTransparentComponents) {
    place(Component::im_background, {test::solid(40, 40, Qt::blue), PictureFormat::Jpeg},
          {0, 0, 40, 40});
    scene.setPlaceholder(Component::im_hero_1);
    scene.setBox(Component::im_hero_1, {0, 0, 20, 20});
    scene.setShown(Component::im_hero_1, true);
    scene.setPlaceholder(Component::btn_left_top);
    scene.setBox(Component::btn_left_top, {20, 20, 20, 20});
    scene.setShown(Component::btn_left_top, true);

    EXPECT_EQ(at(0, 0), QColor(Qt::blue));
    EXPECT_EQ(at(5, 5), QColor(Qt::red));
    EXPECT_EQ(at(10, 10), QColor(Qt::blue)) << "drawn at its own size, not stretched";
    EXPECT_EQ(at(20, 20), QColor(Qt::black));
    EXPECT_EQ(at(25, 25), QColor(Qt::red));
}

TEST_F(SceneTest, LaterComponentsLieOverEarlierOnesAndBoxesClip) {
    place(Component::im_hero_1, {test::solid(10, 10, Qt::green), PictureFormat::Png},
          {0, 0, 10, 10});
    place(Component::im_miss_1, {test::solid(10, 10, Qt::red), PictureFormat::Png}, {5, 0, 3, 10});
    EXPECT_EQ(at(6, 5), QColor(Qt::red));
    EXPECT_EQ(at(9, 5), QColor(Qt::green)) << "im_miss_1 is clipped to its 3-pixel box";
    EXPECT_EQ(at(12, 5), QColor(Qt::white)) << "the background colour";
}

TEST_F(SceneTest, ScaledAndCentredDrawing) {
    place(Component::btn_set_top, {test::solid(2, 2, Qt::green), PictureFormat::Bitmap},
          {0, 0, 20, 20});
    EXPECT_EQ(at(19, 19), QColor(Qt::green)) << "btn_set_top is scaled to fill its box";

    scene.setShown(Component::btn_set_top, false);
    scene.setClientSize(QSize(100, 50));
    QImage big = test::solid(120, 70, Qt::blue);
    big.setPixelColor(10, 10, Qt::red);
    scene.setPicture(Component::im_backdrop, {big, PictureFormat::Bitmap});
    scene.setShown(Component::im_backdrop, true);
    EXPECT_EQ(at(0, 0), QColor(Qt::red)) << "a larger backdrop overhangs by (120-100)/2, (70-50)/2";
}

TEST_F(SceneTest, PaintingTouchesOnlyTheDirtyRectangle) {
    place(Component::im_background, {test::solid(40, 40, Qt::blue), PictureFormat::Jpeg},
          {0, 0, 40, 40});
    QImage frame(40, 40, QImage::Format_ARGB32_Premultiplied);
    frame.fill(Qt::black);
    QPainter painter(&frame);
    scene.paint(painter, QRect(10, 10, 5, 5));
    painter.end();
    EXPECT_EQ(frame.pixelColor(12, 12), QColor(Qt::blue));
    EXPECT_EQ(frame.pixelColor(9, 12), QColor(Qt::black));
    EXPECT_EQ(frame.pixelColor(15, 15), QColor(Qt::black));
}

TEST(SeeThroughMask, MarksExactlyTheKeyColour) {
    QImage frame = test::solid(4, 1, QColor(255, 0, 255));
    frame.setPixelColor(1, 0, QColor(254, 0, 255));
    const QImage mask = seeThroughMask(frame, QColor(255, 0, 255));
    EXPECT_EQ(mask.pixelIndex(0, 0), 1);
    EXPECT_EQ(mask.pixelIndex(1, 0), 0);
}

// The window's own frame is composed without a painter; it must give the painter's pixels,
// blend for blend, on both frame formats, for a full and a partial repaint, and with a
// scaled picture in the area (which takes the painter).
TEST_F(SceneTest, ComposeGivesThePaintersPixels) {
    QImage face(60, 40, QImage::Format_ARGB32);
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            face.setPixel(x, y, qRgba(x * 4, y * 6, 200 - x, (x * 37 + y * 11) % 256));
        }
    }
    scene.setBackgroundColour(QColor(255, 0, 255));
    place(Component::im_background, {face, PictureFormat::Png}, {0, 0, 60, 40});
    place(Component::im_hero_1, {withBottomLeft(Qt::green, Qt::red), PictureFormat::Bitmap},
          {5, 5, 6, 6});
    place(Component::btn_left_top, {test::solid(8, 8, Qt::darkCyan), PictureFormat::Jpeg},
          {30, 20, 8, 8});
    scene.setPlaceholder(Component::im_miss_1);
    scene.setBox(Component::im_miss_1, {40, 2, 10, 10});
    scene.setShown(Component::im_miss_1, true);

    for (const QImage::Format format :
         {QImage::Format_RGB32, QImage::Format_ARGB32_Premultiplied}) {
        for (const QRect dirty : {QRect(0, 0, 560, 372), QRect(3, 4, 40, 17)}) {
            QImage painted(scene.clientSize(), format);
            painted.fill(Qt::black);
            QImage composed = painted.copy();
            QPainter painter(&painted);
            scene.paint(painter, dirty);
            painter.end();
            scene.compose(composed, dirty);
            EXPECT_EQ(composed, painted) << "format " << format << ", area " << dirty.width();
        }
    }

    place(Component::btn_set_top, {face, PictureFormat::Png}, {10, 10, 30, 20});
    ASSERT_EQ(componentInfo(Component::btn_set_top).drawMode, DrawMode::ScaleToBox);
    QImage painted(scene.clientSize(), QImage::Format_RGB32);
    QImage composed = painted.copy();
    QPainter painter(&painted);
    scene.paint(painter, QRect(0, 0, 50, 40));
    painter.end();
    scene.compose(composed, QRect(0, 0, 50, 40));
    EXPECT_EQ(composed.copy(0, 0, 50, 40), painted.copy(0, 0, 50, 40));
}

// The windowed layout's cut: pixels of exactly the key colour, followed as parts of the frame
// are repainted; the shape changes only when a pixel changes side.
TEST(WindowCut, FollowsTheKeyColourThroughRepaints) {
    const QColor key(255, 0, 255);
    QImage frame = test::solid(8, 6, key).convertToFormat(QImage::Format_RGB32);
    QPainter(&frame).fillRect(QRect(2, 1, 4, 4), Qt::darkGreen);
    WindowCut cut;
    cut.reset(frame.size(), key);
    EXPECT_TRUE(cut.update(frame, frame.rect()));
    EXPECT_TRUE(cut.isCut(QPoint(0, 0)));
    EXPECT_FALSE(cut.isCut(QPoint(2, 1)));
    EXPECT_EQ(cut.visible(), QRegion(2, 1, 4, 4));
    EXPECT_FALSE(cut.update(frame, frame.rect())) << "nothing changed side";

    // A picture that brings the key colour cuts the window there; a near colour does not.
    frame.setPixelColor(3, 2, key);
    frame.setPixelColor(4, 2, QColor(254, 0, 255));
    EXPECT_FALSE(cut.update(frame, QRect(4, 2, 1, 1)));
    EXPECT_TRUE(cut.update(frame, QRect(2, 1, 4, 4)));
    EXPECT_TRUE(cut.isCut(QPoint(3, 2)));
    EXPECT_EQ(cut.visible(), QRegion(2, 1, 4, 4).subtracted(QRegion(3, 2, 1, 1)));

    // For a compositor the cut pixels turn transparent, the others keep their colour.
    QImage shown = frame.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    cut.clear(shown, shown.rect());
    EXPECT_EQ(shown.pixel(3, 2), 0u);
    EXPECT_EQ(shown.pixel(0, 5), 0u);
    EXPECT_EQ(shown.pixelColor(4, 2), QColor(254, 0, 255));

    // Without a colour key nothing is ever cut.
    cut.reset(frame.size(), std::nullopt);
    EXPECT_FALSE(cut.update(frame, frame.rect()));
    EXPECT_FALSE(cut.isCut(QPoint(0, 0)));
    EXPECT_EQ(cut.visible(), QRegion(frame.rect()));
}

// Rows alike make one band: a device with straight sides is a handful of rectangles.
TEST(WindowCut, JoinsRowsAlikeIntoBands) {
    const QColor key(255, 0, 255);
    QImage frame = test::solid(100, 50, key).convertToFormat(QImage::Format_RGB32);
    QPainter painter(&frame);
    painter.fillRect(QRect(2, 0, 96, 50), Qt::gray);
    painter.fillRect(QRect(0, 2, 100, 46), Qt::gray);
    painter.fillRect(QRect(40, 20, 10, 5), key); // a hole
    painter.end();
    WindowCut cut;
    cut.reset(frame.size(), key);
    cut.update(frame, frame.rect());
    const QRegion visible = cut.visible();
    EXPECT_EQ(visible.rectCount(), 6);
    QRegion expected = QRegion(2, 0, 96, 50).united(QRegion(0, 2, 100, 46));
    expected -= QRegion(40, 20, 10, 5);
    EXPECT_EQ(visible, expected);
}

// Any integer a skin holds is a box: no edge arithmetic overflows, and what reaches into the
// window is drawn where the box says.
TEST_F(SceneTest, BoxesAtTheIntegerLimitsLieOutsideTheWindowOrReachIntoItExactly) {
    const Picture green{test::solid(10, 10, Qt::green), PictureFormat::Png};
    place(Component::im_hero_1, green, {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX});
    place(Component::btn_set_top, green, {INT32_MIN, 0, INT32_MIN, INT32_MAX}); // empty
    place(Component::im_miss_1, green, {100, 10, INT32_MAX, INT32_MAX});
    const QRect window(QPoint(0, 0), scene.clientSize());
    for (Component c : {Component::im_hero_1, Component::btn_set_top}) {
        EXPECT_FALSE(scene.paintRect(c).intersects(window));
        EXPECT_FALSE(toRect(scene.box(c)).intersects(window));
    }
    EXPECT_EQ(scene.paintRect(Component::im_miss_1), QRect(100, 10, 10, 10));
    EXPECT_TRUE(toRect(scene.box(Component::im_miss_1)).contains(QPoint(559, 371)));
    EXPECT_EQ(at(105, 15), QColor(Qt::green));
    EXPECT_EQ(at(99, 15), QColor(Qt::white));
}

// The device's segment changes drive the components of the same names.
TEST(SceneDisplay, ShowsTheDevicesSegmentsAndCopiesDigitPictures) {
    Scene scene;
    QImage seven = test::solid(15, 27, Qt::darkGray);
    scene.setPicture(Component::im_panel_number_7, {seven, PictureFormat::Png});
    SceneDisplay display(scene);

    display.segmentShown(device::Segment::im_item_06, true);
    EXPECT_TRUE(scene.isShown(Component::im_item_06));
    display.segmentShown(device::Segment::im_panel_digit_pos_3, true);
    display.digitPicture(device::Segment::im_panel_digit_pos_3, 7);
    ASSERT_TRUE(scene.picture(Component::im_panel_digit_pos_3));
    EXPECT_EQ(scene.picture(Component::im_panel_digit_pos_3)->image, seven);
    EXPECT_TRUE(display.takeDirty().contains(QRect(288, 63, 15, 27)));
    display.digitPicture(device::Segment::im_panel_digit_pos_3, -1);
    EXPECT_FALSE(scene.hasPicture(Component::im_panel_digit_pos_3));
    EXPECT_TRUE(display.takeDirty().contains(QRect(288, 63, 15, 27)));
    EXPECT_TRUE(display.takeDirty().isNull()) << "taken once";
}

} // namespace
} // namespace skin

namespace skin {
namespace {

TEST(GameMenuPicture, IsABlackStripWithTheSymbolOverADimPanel) {
    const QImage& image = gameMenuPicture().image;
    ASSERT_EQ(image.size(), QSize(256, 512));
    EXPECT_EQ(qAlpha(image.pixel(200, 5)), 255);
    EXPECT_EQ(qAlpha(image.pixel(100, 300)), 204);
    bool whiteInSymbol = false;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 36; ++x) {
            whiteInSymbol |= image.pixel(x, y) == qRgb(255, 255, 255);
        }
    }
    EXPECT_TRUE(whiteInSymbol);

    const Scene scene;
    EXPECT_EQ(scene.paintRect(Component::btn_game_menu_background), QRect(0, 0, 36, 32))
        << "the closed box shows only the symbol";
}

} // namespace
} // namespace skin
