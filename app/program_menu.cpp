// The context menu's items, as the program carries them out.
#include <QAction>
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
    core_->syncToNow();
    const bool splash = device::setting::read(core_->settings(), device::setting::SplashScreen,
                                              splash_->splashChecked());
    menu_->setChecked(MenuItem::pm_11_splashscreen, splash);
    mainWindow_->closeGameMenu();
    menu_->menu().popup(globalPos);
}

void Program::menuItemChosen(MenuItem item) {
    switch (item) {
    case MenuItem::pm_1_about:
        aboutForm_->open();
        break;
    case MenuItem::pm_2_readme:
        openDocument(QStringLiteral("Readme.txt"));
        break;
    case MenuItem::pm_3_whatsnew:
        openDocument(QStringLiteral("Whatsnew.txt"));
        break;
    case MenuItem::pm_4_manual:
        manual_->open();
        break;
    case MenuItem::pm_6_config:
        openDocument(QStringLiteral("Config.ini"));
        break;
    case MenuItem::pm_7_keys:
        pm_7_keysClick();
        break;
    case MenuItem::pm_8_hiscore:
        pm_8_hiscoreClick();
        break;
    case MenuItem::pm_10_fullscreen:
        mainWindow_->toggleFullscreen();
        break;
    case MenuItem::pm_11_splashscreen:
        pm_11_splashscreenClick();
        break;
    case MenuItem::pm_14_exit:
        requestExit(0); // at once, without the close handler
        break;
    case MenuItem::pm_5_n1:
    case MenuItem::pm_9_n2:
    case MenuItem::pm_13_n3:
        break;
    }
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
    core_->syncToNow();
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
