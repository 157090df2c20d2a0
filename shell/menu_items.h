#pragma once

#include <array>
#include <cstdint>
#include <functional>
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

// What each item does, registered by the program item by item, so a new item is its row in
// the table and one handler here. However an item is chosen (the context menu, its shortcut
// key, the in-window game menu), its handler runs.
class MenuHandlers {
public:
    // A later handler for the same item replaces the earlier one.
    void set(MenuItem item, std::function<void()> handler);
    bool has(MenuItem item) const;
    // False, doing nothing, for an item without a handler (the separators).
    bool run(MenuItem item) const;

private:
    std::array<std::function<void()>, kMenuItemCount> handlers_;
};

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
