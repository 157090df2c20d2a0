#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace device {

// Every picture component the device logic shows, hides or gives a digit picture.
// The names are those of the skin's components, so front ends can match them up.
enum class Segment : std::uint8_t {
    im_panel_game_a,
    im_panel_game_b,
    im_panel_time_1,
    im_panel_time_2,
    im_panel_time_am,
    im_panel_time_pm,
    im_panel_bell,
    im_panel_alarm,
    im_panel_date,
    im_panel_chrono,
    im_panel_time_colon,
    im_panel_digit_pos_1,
    im_panel_digit_pos_2,
    im_panel_digit_pos_3,
    im_panel_digit_pos_4,
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
    im_panel_miss_01,
    im_panel_miss_02,
    im_panel_miss_03,
    im_panel_miss_04,
    im_panel_miss_05,
    im_panel_miss_06,
    im_panel_miss_07,
    im_panel_miss_08,
    im_panel_miss_09,
    im_panel_miss_10,
    im_item_00,
    im_item_01,
    im_item_02,
    im_item_03,
    im_item_04,
    im_item_05,
    im_item_06,
    im_item_07,
    im_item_08,
    im_item_09,
    im_item_10,
    im_item_11,
    im_item_12,
    im_item_13,
    im_item_14,
    im_item_15,
    im_item_16,
    im_item_17,
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
    im_item_left_0,
    im_item_left_1,
    im_item_left_2,
    im_item_right_1a,
    im_item_right_1b,
    im_item_right_2,
    im_item_right_3,
    im_item_right_4,
    im_item_right_5,
    im_item_right_6,
    im_hero_1,
    im_hero_2,
    im_hero_3,
    im_miss_1,
    im_miss_2,
    im_miss_3,
    btn_game_a_down,
    btn_game_b_down,
    btn_time_down,
    btn_left_down,
    btn_right_down,
};

inline constexpr std::size_t kSegmentCount = static_cast<std::size_t>(Segment::btn_right_down) + 1;

constexpr std::size_t index(Segment s) {
    return static_cast<std::size_t>(s);
}

// Offsets within the enum's numbered runs.
constexpr Segment itemSegment(int cell) {
    return static_cast<Segment>(index(Segment::im_item_00) + cell);
}
constexpr Segment numberSegment(int digit) {
    return static_cast<Segment>(index(Segment::im_panel_number_0) + digit);
}
constexpr Segment missMarkSegment(int zeroBased) {
    return static_cast<Segment>(index(Segment::im_panel_miss_01) + zeroBased);
}

std::string_view segmentName(Segment s);
std::optional<Segment> segmentFromName(std::string_view name);

// True for the digit positions, which carry a digit picture besides their shown state.
constexpr bool isDigitPosition(Segment s) {
    return s >= Segment::im_panel_digit_pos_1 && s <= Segment::im_panel_digit_pos_4;
}

} // namespace device
