#include <gtest/gtest.h>

#include "app/hit_test.h"
#include "app/window_placement.h"

namespace {

using app::MouseRole;
using skin::Component;

QPoint centreOf(const skin::Scene& scene, Component c) {
    const skin::Box b = scene.box(c);
    return QPoint(b.left + b.width / 2, b.top + b.height / 2);
}

TEST(HitTest, TopmostShownComponentTakesThePress) {
    skin::Scene scene;
    scene.setShown(Component::btn_game_menu_top, false);
    scene.setShown(Component::btn_game_menu_background, false);
    scene.setShown(Component::im_backdrop, false);

    const QPoint time = centreOf(scene, Component::btn_time_top);
    EXPECT_EQ(app::componentAt(scene, time), Component::btn_time_top);
    EXPECT_EQ(app::deviceButton(Component::btn_time_top), device::Button::Time);

    // The LCD overlay lies over every segment; the set button is inert but drags.
    EXPECT_EQ(app::componentAt(scene, centreOf(scene, Component::im_item_10)),
              Component::im_background_screen_top);
    EXPECT_EQ(app::mouseRole(Component::btn_set_top), MouseRole::DragsWindow);
    EXPECT_EQ(app::componentAt(scene, QPoint(5, 360)), Component::im_background);
    EXPECT_EQ(app::componentAt(scene, QPoint(600, 10)), std::nullopt);
}

TEST(HitTest, HiddenPicturesTakeNoInputButShownSegmentsOverButtonsDo) {
    skin::Scene scene;
    // A segment drawn over the LEFT button swallows presses while it is lit.
    scene.setBox(Component::im_item_left_0, scene.box(Component::btn_left_top));
    const QPoint left = centreOf(scene, Component::btn_left_top);
    EXPECT_EQ(app::componentAt(scene, left), Component::btn_left_top);
    scene.setShown(Component::im_item_left_0, true);
    EXPECT_EQ(app::componentAt(scene, left), Component::im_item_left_0);
    EXPECT_EQ(app::mouseRole(Component::im_item_left_0), MouseRole::None);

    // The menu button is shown at creation (full screen) and sits over the top-left corner.
    EXPECT_EQ(app::componentAt(scene, QPoint(3, 3)), Component::btn_game_menu_top);
    scene.setShown(Component::btn_game_menu_top, false);
    scene.setShown(Component::btn_game_menu_background, false);
    EXPECT_EQ(app::componentAt(scene, QPoint(3, 3)), Component::im_background);
}

TEST(HitTest, HintsBelongToTheSixButtonPictures) {
    EXPECT_EQ(app::hintPicture(Component::btn_set_top), device::HintPicture::btn_set_top);
    EXPECT_EQ(app::hintPicture(Component::btn_right_top), device::HintPicture::btn_right_top);
    EXPECT_EQ(app::hintPicture(Component::btn_right_down), std::nullopt);
    EXPECT_EQ(app::hintPicture(Component::im_background), std::nullopt);
}

TEST(WindowPlacement, CentresWithHalvesRoundedTowardZero) {
    EXPECT_EQ(app::centredTopLeft(QRect(0, 0, 1366, 768), QSize(561, 372)), QPoint(402, 198));
    EXPECT_EQ(app::centredTopLeft(QRect(0, 0, 1920, 1080), QSize(1920, 1080)), QPoint(0, 0));
    // Larger than the screen: raised to the screen's corner, never off it.
    EXPECT_EQ(app::centredTopLeft(QRect(0, 0, 555, 300), QSize(560, 372)), QPoint(0, 0));
    // A second screen to the right of the first.
    EXPECT_EQ(app::centredTopLeft(QRect(1920, 0, 1280, 1024), QSize(560, 372)),
              QPoint(1920 + 360, 326));
}

TEST(WindowPlacement, DragFollowsThePointersTravel) {
    EXPECT_EQ(app::draggedWindowPos(QPoint(360, 214), QPoint(400, 250), QPoint(437, 273)),
              QPoint(397, 237));
    EXPECT_EQ(app::draggedWindowPos(QPoint(10, 10), QPoint(50, 50), QPoint(20, 5)),
              QPoint(-20, -35));
}

} // namespace
