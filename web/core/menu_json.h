#pragma once

#include <string>

namespace web {

// The menu table as the page reads it, in menu order: name, caption, shortcut (a Windows
// virtual-key code or null), checkable, drawn bold, separator, and the item's row of the
// in-window game menu (left, top, width, height).
std::string menuItemsJson();

// What the menu shows now, in menu order: which items are ticked and the game menu's row
// texts. "Display in fullscreen mode" follows the layout shown, the splash item the store.
std::string menuStateJson(bool fullscreen, bool splashAtStartup);

} // namespace web
