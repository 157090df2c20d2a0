#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace skin {

// The main window's picture components in creation order, which is also the drawing order:
// the first lies at the bottom.
enum class Component : std::uint8_t {
    im_backdrop,
    im_backdrop_logo,
    im_background,
    im_panel_game_a,
    im_panel_game_b,
    im_panel_miss_10,
    im_panel_miss_09,
    im_panel_miss_08,
    im_panel_miss_07,
    im_panel_miss_06,
    im_panel_miss_05,
    im_panel_miss_04,
    im_panel_miss_03,
    im_panel_miss_02,
    im_panel_miss_01,
    im_panel_time_1,
    im_panel_time_2,
    im_panel_digit_pos_1,
    im_panel_digit_pos_2,
    im_panel_time_colon,
    im_panel_digit_pos_3,
    im_panel_digit_pos_4,
    im_panel_time_am,
    im_panel_time_pm,
    im_panel_bell,
    im_panel_alarm,
    im_panel_chrono,
    im_panel_date,
    im_item_00,
    im_item_01,
    im_item_02,
    im_item_03,
    im_item_04,
    im_item_05,
    im_item_07,
    im_item_08,
    im_item_09,
    im_item_10,
    im_item_11,
    im_item_12,
    im_item_13,
    im_item_14,
    im_item_17,
    im_item_15,
    im_item_16,
    im_item_18,
    im_item_19,
    im_item_20,
    im_item_21,
    im_item_22,
    im_item_23,
    im_item_24,
    im_item_25,
    im_item_26,
    im_item_27,
    im_item_left_1,
    im_item_left_2,
    im_item_right_1a,
    im_item_right_3,
    im_item_right_2,
    im_item_right_6,
    im_item_right_5,
    im_item_right_4,
    im_hero_3,
    im_miss_3,
    im_hero_2,
    im_miss_2,
    im_hero_1,
    im_miss_1,
    im_panel_number_0,
    im_panel_number_1,
    im_panel_number_2,
    im_panel_number_3,
    im_panel_number_4,
    im_panel_number_5,
    im_panel_number_6,
    im_panel_number_7,
    im_panel_number_8,
    im_panel_number_9,
    btn_set_top,
    btn_time_down,
    btn_time_top,
    btn_game_a_down,
    btn_game_a_top,
    btn_game_b_down,
    btn_game_b_top,
    btn_left_down,
    btn_left_top,
    btn_right_down,
    btn_right_top,
    im_item_right_1b,
    im_item_06,
    im_item_left_0,
    im_background_screen_top,
    btn_game_menu_background,
    btn_game_menu_top,
};
inline constexpr std::size_t kComponentCount = 96;
inline constexpr int kSkinImageCount = 92;

enum class DrawMode : std::uint8_t {
    TopLeftClipped, // own size from the box's top-left corner, clipped to the box
    Backdrop,       // covers the client area; picture centred or scaled to fill
    ScaleToBox,     // picture scaled to fill the box
    SizeToPicture,  // the box takes the picture's size once one is loaded
};

struct Box {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const Box&) const = default;
};

struct ComponentInfo {
    std::string_view name;
    Box boxAtCreation;
    bool shownAtStart;
    bool transparent; // pixels of the bitmap's bottom-left colour let what lies beneath show
    DrawMode drawMode;
};

const ComponentInfo& componentInfo(Component c);
std::optional<Component> componentFromName(std::string_view name);

// SkinImages: the component configured by section "Image" n, n = 1..92.
Component skinImage(int n);

constexpr std::size_t index(Component c) {
    return static_cast<std::size_t>(c);
}

} // namespace skin
