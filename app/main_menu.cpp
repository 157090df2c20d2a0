#include "app/main_menu.h"

#include <QAction>
#include <QKeySequence>
#include <QWidget>

#include "device/virtual_keys.h"
#include "shell/key_translation.h"

namespace app {
namespace {

QKeySequence shortcutFor(std::uint16_t virtualKey) {
    if (virtualKey == device::vk::Escape) {
        return QKeySequence(Qt::Key_Escape);
    }
    return QKeySequence(Qt::Key_F1 + (virtualKey - device::vk::F1));
}

} // namespace

MainMenu::MainMenu(QWidget* window) : QObject(window), menu_(window) {
    menu_.setObjectName(QStringLiteral("pm_0_menu"));
    for (const shell::MenuItemInfo& info : shell::MenuItemTable()) {
        auto* action = new QAction(&menu_);
        action->setObjectName(QString::fromUtf8(info.name.data(), info.name.size()));
        if (shell::isSeparator(info)) {
            action->setSeparator(true);
        } else {
            action->setText(QString::fromUtf8(info.caption.data(), info.caption.size()));
            action->setCheckable(info.checkable);
            if (info.shortcut) {
                // Shown in the menu and active while it is open; on the device's window the
                // key handler runs it, once per press however long the key is held.
                action->setShortcut(shortcutFor(*info.shortcut));
                action->setShortcutContext(Qt::WindowShortcut);
            }
            const shell::MenuItem item = info.item;
            // A check mark follows the item's own state, never the click that toggles it.
            connect(action, &QAction::triggered, this, [this, item, action] {
                if (action->isCheckable()) {
                    action->setChecked(!action->isChecked());
                }
                handlers_.run(item);
                emit chosen(item);
            });
        }
        if (info.isDefault) {
            menu_.setDefaultAction(action);
        }
        menu_.addAction(action);
        actions_[static_cast<std::size_t>(info.item)] = action;
    }
}

QAction* MainMenu::shortcutAction(std::uint16_t virtualKey) const {
    for (const shell::MenuItemInfo& info : shell::MenuItemTable()) {
        if (info.shortcut == virtualKey) {
            return action(info.item);
        }
    }
    return nullptr;
}

void MainMenu::setChecked(shell::MenuItem item, bool checked) {
    action(item)->setChecked(checked);
}

bool MainMenu::isChecked(shell::MenuItem item) const {
    return action(item)->isChecked();
}

} // namespace app
