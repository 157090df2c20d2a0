#pragma once

#include <array>
#include <cstdint>

#include <QMenu>
#include <QObject>

#include "shell/menu_items.h"

class QAction;
class QWidget;

namespace app {

// The main window's context menu `pm_0_menu` and one action per item of the menu table.
// The main window's key handler runs the items with shortcut keys whenever it is the active
// window, menu open or not; the in-window game menu's rows trigger the same actions. An
// action runs its item's handler, then reports the item as chosen.
class MainMenu : public QObject {
    Q_OBJECT

public:
    explicit MainMenu(QWidget* window);

    QMenu& menu() { return menu_; }
    shell::MenuHandlers& handlers() { return handlers_; }
    QAction* action(shell::MenuItem item) const { return actions_[static_cast<std::size_t>(item)]; }
    // The item whose shortcut is this virtual-key code, if any.
    QAction* shortcutAction(std::uint16_t virtualKey) const;
    void setChecked(shell::MenuItem item, bool checked);
    bool isChecked(shell::MenuItem item) const;

signals:
    void chosen(shell::MenuItem item);

private:
    QMenu menu_;
    shell::MenuHandlers handlers_;
    std::array<QAction*, shell::kMenuItemCount> actions_{};
};

} // namespace app
