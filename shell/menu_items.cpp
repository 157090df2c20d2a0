#include "shell/menu_items.h"

#include <utility>

#include "device/virtual_keys.h"

namespace shell {

const std::array<MenuItemInfo, kMenuItemCount>& MenuItemTable() {
    static constexpr std::array<MenuItemInfo, kMenuItemCount> table = {{
        {MenuItem::pm_1_about, "pm_1_about", "About...", device::vk::F1, false, true},
        {MenuItem::pm_2_readme, "pm_2_readme", "View 'Readme.txt'", device::vk::F1 + 1, false,
         false},
        {MenuItem::pm_3_whatsnew, "pm_3_whatsnew", "View 'Whatsnew.txt'", device::vk::F1 + 2, false,
         false},
        {MenuItem::pm_4_manual, "pm_4_manual", "View manual", device::vk::F1 + 3, false, false},
        {MenuItem::pm_5_n1, "pm_5_n1", "-", std::nullopt, false, false},
        {MenuItem::pm_6_config, "pm_6_config", "Edit configuration file", std::nullopt, false,
         false},
        {MenuItem::pm_7_keys, "pm_7_keys", "Key settings", std::nullopt, false, false},
        {MenuItem::pm_8_hiscore, "pm_8_hiscore", "Reset Hiscores", std::nullopt, false, false},
        {MenuItem::pm_9_n2, "pm_9_n2", "-", std::nullopt, false, false},
        {MenuItem::pm_10_fullscreen, "pm_10_fullscreen", "Display in fullscreen mode",
         device::vk::F12, true, false},
        {MenuItem::pm_11_splashscreen, "pm_11_splashscreen", "Display splash screen at startup",
         std::nullopt, true, false},
        {MenuItem::pm_13_n3, "pm_13_n3", "-", std::nullopt, false, false},
        {MenuItem::pm_14_exit, "pm_14_exit", "Exit", device::vk::Escape, false, false},
    }};
    return table;
}

const MenuItemInfo& menuItemInfo(MenuItem item) {
    return MenuItemTable()[static_cast<std::size_t>(item)];
}

void MenuHandlers::set(MenuItem item, std::function<void()> handler) {
    handlers_[static_cast<std::size_t>(item)] = std::move(handler);
}

bool MenuHandlers::has(MenuItem item) const {
    return static_cast<bool>(handlers_[static_cast<std::size_t>(item)]);
}

bool MenuHandlers::run(MenuItem item) const {
    // A copy: the handler may itself replace the item's handler.
    const std::function<void()> handler = handlers_[static_cast<std::size_t>(item)];
    if (!handler) {
        return false;
    }
    handler();
    return true;
}

std::string gameMenuRowText(const MenuItemInfo& info, bool ticked) {
    if (isSeparator(info)) {
        return {};
    }
    return "   " + std::string(info.caption) + (ticked ? " [V]" : "");
}

} // namespace shell
