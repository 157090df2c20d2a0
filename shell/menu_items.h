#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace shell {

// The items of the main window's context menu, in menu order. The in-window game menu is
// built from the same table.
enum class MenuItem : std::uint8_t {
    pm_1_about,
    pm_2_readme,
    pm_3_whatsnew,
    pm_4_manual,
    pm_5_n1,
    pm_6_config,
    pm_7_keys,
    pm_8_hiscore,
    pm_9_n2,
    pm_10_fullscreen,
    pm_11_splashscreen,
    pm_13_n3,
    pm_14_exit,
};

struct MenuItemInfo {
    MenuItem item;
    std::string_view name;
    std::string_view caption;              // "-" for a separator
    std::optional<std::uint16_t> shortcut; // a plain key, as a Windows virtual-key code
    bool checkable;
    bool isDefault; // drawn bold
};

inline constexpr std::size_t kMenuItemCount = 13;

const std::array<MenuItemInfo, kMenuItemCount>& MenuItemTable();
const MenuItemInfo& menuItemInfo(MenuItem item);

inline bool isSeparator(const MenuItemInfo& info) {
    return info.caption == "-";
}

// The text of an item's row in the in-window game menu: three spaces, the caption, and
// " [V]" when the item is ticked. A separator's row is empty.
std::string gameMenuRowText(const MenuItemInfo& info, bool ticked);

// Rows 1..13 lie one below the other under the menu button, 32 pixels apart.
inline constexpr int kGameMenuRowHeight = 32;
inline constexpr int kGameMenuRowWidth = 256;
constexpr int gameMenuRowTop(int row) {
    return kGameMenuRowHeight * row;
}

} // namespace shell
