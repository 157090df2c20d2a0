#include "app/hit_test.h"

namespace app {

using skin::Component;

std::optional<Component> componentAt(const skin::Scene& scene, QPoint point) {
    for (std::size_t i = skin::kComponentCount; i-- > 0;) {
        const auto c = static_cast<Component>(i);
        if (!scene.isShown(c)) {
            continue;
        }
        const skin::Box b = scene.box(c);
        if (QRect(b.left, b.top, b.width, b.height).contains(point)) {
            return c;
        }
    }
    return std::nullopt;
}

std::optional<device::Button> deviceButton(Component c) {
    switch (c) {
    case Component::btn_game_a_top:
        return device::Button::GameA;
    case Component::btn_game_b_top:
        return device::Button::GameB;
    case Component::btn_time_top:
        return device::Button::Time;
    case Component::btn_left_top:
        return device::Button::Left;
    case Component::btn_right_top:
        return device::Button::Right;
    default:
        return std::nullopt;
    }
}

MouseRole mouseRole(Component c) {
    if (deviceButton(c)) {
        return MouseRole::DeviceButton;
    }
    switch (c) {
    case Component::im_background:
    case Component::im_background_screen_top:
    case Component::btn_set_top:
        return MouseRole::DragsWindow;
    case Component::btn_game_menu_top:
        return MouseRole::GameMenu;
    default:
        return MouseRole::None;
    }
}

std::optional<device::HintPicture> hintPicture(Component c) {
    switch (c) {
    case Component::btn_game_a_top:
        return device::HintPicture::btn_game_a_top;
    case Component::btn_game_b_top:
        return device::HintPicture::btn_game_b_top;
    case Component::btn_time_top:
        return device::HintPicture::btn_time_top;
    case Component::btn_set_top:
        return device::HintPicture::btn_set_top;
    case Component::btn_left_top:
        return device::HintPicture::btn_left_top;
    case Component::btn_right_top:
        return device::HintPicture::btn_right_top;
    default:
        return std::nullopt;
    }
}

} // namespace app
