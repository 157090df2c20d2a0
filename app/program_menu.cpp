// The context menu's items, as the program carries them out.
#include <QApplication>

#include "app/open_document.h"
#include "app/program.h"
#include "device/setting_entries.h"
#include "dialogs/about_form.h"
#include "dialogs/keys_form.h"
#include "dialogs/splash_form.h"
#include "manual/manual_form.h"

namespace app {

using shell::MenuItem;

void Program::pm_0_menuPopup(QPoint globalPos) {
    const bool splash = device::setting::read(core_->settings(), device::setting::SplashScreen,
                                              splash_->splashChecked());
    menu_->setChecked(MenuItem::pm_11_splashscreen, splash);
    mainWindow_->closeGameMenu();
    menu_->menu().popup(globalPos);
}

// What each item of the menu table does; an item without a handler is a separator.
void Program::registerMenuHandlers() {
    shell::MenuHandlers& on = menu_->handlers();
    on.set(MenuItem::pm_1_about, [this] { aboutForm_->open(); });
    on.set(MenuItem::pm_2_readme, [] { openDocument(QStringLiteral("Readme.txt")); });
    on.set(MenuItem::pm_3_whatsnew, [] { openDocument(QStringLiteral("Whatsnew.txt")); });
    on.set(MenuItem::pm_4_manual, [this] { manual_->open(); });
    on.set(MenuItem::pm_6_config, [] { openDocument(QStringLiteral("Config.ini")); });
    on.set(MenuItem::pm_7_keys, [this] { pm_7_keysClick(); });
    on.set(MenuItem::pm_8_hiscore, [this] { pm_8_hiscoreClick(); });
    on.set(MenuItem::pm_10_fullscreen, [this] { mainWindow_->toggleFullscreen(); });
    on.set(MenuItem::pm_11_splashscreen, [this] { pm_11_splashscreenClick(); });
    on.set(MenuItem::pm_14_exit, [] { requestExit(0); }); // at once, without the close handler
}

// The device takes no keys or clicks until the dialog is accepted or left; its timers go on.
void Program::pm_7_keysClick() {
    keysForm_->open();
    mainWindow_->setEnabled(false);
}

void Program::pm_8_hiscoreClick() {
    core_->resetHiScores();
    if (!core_->beep()) {
        QApplication::beep();
    }
}

void Program::pm_11_splashscreenClick() {
    const bool on = !menu_->isChecked(MenuItem::pm_11_splashscreen);
    menu_->setChecked(MenuItem::pm_11_splashscreen, on);
    device::setting::write(core_->settings(), device::setting::SplashScreen, on);
}

std::array<int, device::kBindingCount> Program::keyIndexes() const {
    return core_->keyIndexes();
}

void Program::acceptBindings(const std::array<int, device::kBindingCount>& keyIndexes) {
    core_->acceptBindings(keyIndexes);
}

void Program::enableMainWindow() {
    mainWindow_->setEnabled(true);
    if (mainWindow_->isVisible()) {
        mainWindow_->activateWindow();
    }
}

} // namespace app
