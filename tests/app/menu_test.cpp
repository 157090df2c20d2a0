#include <gtest/gtest.h>

#include <fstream>

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "app/main_menu.h"
#include "app/main_window.h"
#include "app/program.h"
#include "device/key_table.h"
#include "dialogs/about_form.h"
#include "dialogs/keys_form.h"
#include "manual/manual_form.h"
#include "shell/menu_items.h"
#include "tests/app/app_test_support.h"

namespace {

using app_test::QuietSoundHost;

using shell::MenuItem;

TEST(MenuTable, ItemsCaptionsAndShortcuts) {
    std::vector<std::string> captions;
    for (const auto& info : shell::MenuItemTable()) {
        captions.emplace_back(info.caption);
    }
    EXPECT_EQ(captions,
              (std::vector<std::string>{
                  "About...", "View 'Readme.txt'", "View 'Whatsnew.txt'", "View manual", "-",
                  "Edit configuration file", "Key settings", "Reset Hiscores", "-",
                  "Display in fullscreen mode", "Display splash screen at startup", "-", "Exit"}));
    EXPECT_EQ(shell::menuItemInfo(MenuItem::pm_4_manual).shortcut, 115);
    EXPECT_EQ(shell::menuItemInfo(MenuItem::pm_10_fullscreen).shortcut, 123);
    EXPECT_EQ(shell::menuItemInfo(MenuItem::pm_14_exit).shortcut, 27);
    EXPECT_EQ(shell::menuItemInfo(MenuItem::pm_7_keys).shortcut, std::nullopt);
    // No shortcut may ever take a key the device can be bound to.
    for (const auto& info : shell::MenuItemTable()) {
        if (info.shortcut) {
            EXPECT_EQ(device::keyIndexForCode(*info.shortcut), std::nullopt) << info.name;
        }
    }
}

TEST(MenuTable, GameMenuRowTexts) {
    EXPECT_EQ(shell::gameMenuRowText(shell::menuItemInfo(MenuItem::pm_1_about), false),
              "   About...");
    EXPECT_EQ(shell::gameMenuRowText(shell::menuItemInfo(MenuItem::pm_10_fullscreen), true),
              "   Display in fullscreen mode [V]");
    EXPECT_EQ(shell::gameMenuRowText(shell::menuItemInfo(MenuItem::pm_9_n2), true), "");
    EXPECT_EQ(shell::gameMenuRowTop(13), 416);
}

TEST(MenuHandlers, EachItemRunsItsOwnLatestHandlerAndItemsWithoutOneDoNothing) {
    shell::MenuHandlers handlers;
    std::vector<std::string> ran;
    handlers.set(MenuItem::pm_2_readme, [&] { ran.push_back("readme"); });
    handlers.set(MenuItem::pm_3_whatsnew, [&] { ran.push_back("first"); });
    handlers.set(MenuItem::pm_3_whatsnew, [&] { ran.push_back("whatsnew"); });
    EXPECT_TRUE(handlers.run(MenuItem::pm_3_whatsnew));
    EXPECT_TRUE(handlers.run(MenuItem::pm_2_readme));
    EXPECT_FALSE(handlers.has(MenuItem::pm_5_n1));
    EXPECT_FALSE(handlers.run(MenuItem::pm_5_n1));
    EXPECT_EQ(ran, (std::vector<std::string>{"whatsnew", "readme"}));

    // A handler may replace itself while it runs.
    handlers.set(MenuItem::pm_14_exit, [&] {
        handlers.set(MenuItem::pm_14_exit, [&] { ran.push_back("replaced"); });
        ran.push_back("exit");
    });
    handlers.run(MenuItem::pm_14_exit);
    handlers.run(MenuItem::pm_14_exit);
    EXPECT_EQ(ran.back(), "replaced");
    EXPECT_EQ(ran.at(2), "exit");
}

// The main window full screen with its menu, on the offscreen platform.
class MenuWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        QDir::setCurrent(QStringLiteral(ZEMBLOR_ASSETS));
        ini = dir.filePath("store.ini");
        std::ofstream(ini.toStdString()) << "[General]\nFullscreenMode=1\nZoom=1\n";
        app::ProgramOptions options;
        options.settingsFile = ini.toStdString();
        options.traceFile = dir.filePath("trace").toStdString();
        options.seed = 1;
        options.clock = session::DateTime{2026, 12, 8, 9, 41, 0};
        core = std::make_unique<app::CoreController>(options, host);
        window = std::make_unique<app::TForm1>(*core, ZEMBLOR_ASSETS "/Config.ini");
        menu = new app::MainMenu(window.get());
        window->setMenu(menu);
        QObject::connect(menu, &app::MainMenu::chosen, window.get(), [this](MenuItem item) {
            chosen.push_back(item);
            if (item == MenuItem::pm_10_fullscreen) {
                window->toggleFullscreen();
            }
        });
        window->FormCreate();
        menu->setChecked(MenuItem::pm_10_fullscreen, window->fullscreenOn());
        window->showDevice();
        core->powerOn();
    }

    std::vector<QLabel*> rows() const {
        std::vector<QLabel*> found;
        for (QLabel* label : window->findChildren<QLabel*>()) {
            if (label->objectName().startsWith("la_menu_item_")) {
                found.push_back(label);
            }
        }
        return found;
    }
    QLabel* row(int n) const {
        return window->findChild<QLabel*>(QStringLiteral("la_menu_item_%1").arg(n));
    }
    void click(QWidget* target, Qt::MouseButton button = Qt::LeftButton) {
        const QPoint at(20, 10);
        QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), button, button,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(target, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), button,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(target, &release);
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    skin::Box menuBackground() const {
        return core->scene().box(skin::Component::btn_game_menu_background);
    }

    QTemporaryDir dir;
    QString ini;
    QuietSoundHost host;
    std::unique_ptr<app::CoreController> core;
    std::unique_ptr<app::TForm1> window;
    app::MainMenu* menu = nullptr;
    std::vector<MenuItem> chosen;
};

TEST_F(MenuWindowTest, ShortcutsAndTheDefaultItem) {
    EXPECT_EQ(menu->action(MenuItem::pm_1_about)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(menu->action(MenuItem::pm_14_exit)->shortcut(), QKeySequence(Qt::Key_Escape));
    EXPECT_EQ(menu->shortcutAction(123), menu->action(MenuItem::pm_10_fullscreen));
    EXPECT_EQ(menu->shortcutAction(27), menu->action(MenuItem::pm_14_exit));
    EXPECT_EQ(menu->shortcutAction(49), nullptr);
    EXPECT_EQ(menu->menu().defaultAction(), menu->action(MenuItem::pm_1_about));
    EXPECT_EQ(menu->menu().actions().size(), 13);
    // A tick follows the program's state, not the trigger.
    menu->action(MenuItem::pm_11_splashscreen)->setChecked(true);
    menu->action(MenuItem::pm_11_splashscreen)->trigger();
    EXPECT_TRUE(menu->isChecked(MenuItem::pm_11_splashscreen));
    EXPECT_EQ(chosen, std::vector<MenuItem>{MenuItem::pm_11_splashscreen});
}

// The context menu, a shortcut key and the in-window game menu's row all run the item's handler.
TEST_F(MenuWindowTest, EveryWayOfChoosingAnItemRunsItsHandler) {
    int runs = 0;
    menu->handlers().set(MenuItem::pm_1_about, [&] {
        ++runs;
        EXPECT_EQ(chosen.size(), static_cast<std::size_t>(runs - 1)) << "handler, then chosen";
    });
    menu->action(MenuItem::pm_1_about)->trigger();
    menu->shortcutAction(112)->trigger(); // F1
    window->btn_game_menu_topClick();
    click(row(1));
    settle();
    EXPECT_EQ(runs, 3);
    EXPECT_EQ(chosen, std::vector<MenuItem>(3, MenuItem::pm_1_about));
}

TEST_F(MenuWindowTest, GameMenuRowsOpenAndClose) {
    EXPECT_EQ(menuBackground(), (skin::Box{0, 0, 36, 32}));
    window->btn_game_menu_topClick();
    ASSERT_EQ(rows().size(), 13u);
    EXPECT_EQ(menuBackground(), (skin::Box{0, 0, 256, 448}));
    EXPECT_EQ(row(1)->text(), "   About...");
    EXPECT_EQ(row(1)->geometry(), QRect(0, 32, 256, 32));
    EXPECT_EQ(row(10)->text(), "   Display in fullscreen mode [V]");
    EXPECT_EQ(row(13)->geometry(), QRect(0, 416, 256, 32));
    EXPECT_EQ(row(5)->text(), "");

    // A separator's gap takes the click and leaves the menu open.
    click(row(5));
    EXPECT_TRUE(window->gameMenuOpen());
    EXPECT_TRUE(chosen.empty());

    // An item runs, then the release closes the menu; the rows go once the event is over.
    click(row(11));
    EXPECT_EQ(chosen, std::vector<MenuItem>{MenuItem::pm_11_splashscreen});
    EXPECT_FALSE(window->gameMenuOpen());
    settle();
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(menuBackground(), (skin::Box{0, 0, 36, 32}));
    window->closeGameMenu(); // closing a closed menu does nothing
    EXPECT_FALSE(window->gameMenuOpen());
}

TEST_F(MenuWindowTest, FullscreenRowSwitchesToWindowedAndLeavesNoRows) {
    std::vector<bool> lit;
    for (std::size_t i = 0; i < skin::kComponentCount; ++i) {
        lit.push_back(core->scene().isShown(static_cast<skin::Component>(i)));
    }
    window->btn_game_menu_topClick();
    click(row(10));
    settle();
    EXPECT_FALSE(window->fullscreenOn());
    EXPECT_FALSE(menu->isChecked(MenuItem::pm_10_fullscreen));
    EXPECT_TRUE(rows().empty());
    EXPECT_EQ(window->size(), QSize(560, 372));
    EXPECT_FALSE(core->scene().isShown(skin::Component::btn_game_menu_top));
    std::ifstream stored(ini.toStdString());
    const std::string text((std::istreambuf_iterator<char>(stored)), {});
    EXPECT_NE(text.find("FullscreenMode=0"), std::string::npos);

    // Back to full screen: the closed menu button, and the device exactly as it was.
    window->toggleFullscreen();
    EXPECT_TRUE(window->fullscreenOn());
    EXPECT_EQ(menuBackground(), (skin::Box{0, 0, 36, 32}));
    for (std::size_t i = 0; i < skin::kComponentCount; ++i) {
        const auto c = static_cast<skin::Component>(i);
        if (c != skin::Component::im_backdrop && c != skin::Component::im_backdrop_logo) {
            EXPECT_EQ(core->scene().isShown(c), lit[i]) << skin::componentInfo(c).name;
        }
    }
}

// The whole program: every item of the menu table but the separators does something.
TEST(ProgramMenuHandlers, EveryItemButTheSeparatorsHasOne) {
    QDir::setCurrent(QStringLiteral(ZEMBLOR_ASSETS));
    QTemporaryDir dir;
    const QString ini = dir.filePath("store.ini");
    std::ofstream(ini.toStdString())
        << "[General]\nFullscreenMode=0\nZoom=1\nSoundMode=2\nSplashScreen=0\n";
    app::ProgramOptions options;
    options.settingsFile = ini.toStdString();
    options.seed = 1;
    options.clock = session::DateTime{2026, 12, 8, 9, 41, 0};
    app::Program program(options, ZEMBLOR_ASSETS "/Config.ini");
    ASSERT_TRUE(program.mainWindow().isVisible()) << "played unseen";
    for (const shell::MenuItemInfo& info : shell::MenuItemTable()) {
        EXPECT_EQ(program.menu().handlers().has(info.item), !shell::isSeparator(info)) << info.name;
    }

    program.menu().action(MenuItem::pm_1_about)->trigger();
    EXPECT_TRUE(program.aboutForm().isVisible());
    program.menu().action(MenuItem::pm_4_manual)->trigger();
    EXPECT_TRUE(program.manualForm().isVisible());
    program.menu().action(MenuItem::pm_7_keys)->trigger();
    EXPECT_TRUE(program.keysForm().isVisible());
    EXPECT_FALSE(program.mainWindow().isEnabled()) << "the device takes no keys meanwhile";
}

} // namespace
