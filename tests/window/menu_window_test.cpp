// The program's menu and the windows it opens, used as a user uses them: the in-window game
// menu of the full-screen layout, the shortcut keys of the main window, the manual and the key
// settings dialog. Each test runs zemblor on a private X server of its own.

#include <exception>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include <QImage>
#include <QPoint>
#include <QRect>
#include <gtest/gtest.h>

#include "tests/window/x_session.h"
#include "tests/window/zemblor_fixture.h"

namespace {

using namespace zemblor_test;

const std::string kManualTitle = "Manual";
const std::string kKeysTitle = "Key settings";
const Settings kFullScreenNoSplash = {
    {"FullscreenMode", "1"}, {"SoundMode", "2"}, {"SplashScreen", "0"}};
const xtest::Geometry kScreenSized{0, 0, kScreenWidth, kScreenHeight, true};

// The in-window game menu, in screen coordinates of the full-screen layout.
const QPoint kMenuButton(18, 16); // inside the closed 36 x 32 button
const QRect kMenuButtonBox(0, 0, 36, 32);
const QRect kOpenMenuArea(0, 0, 256, 448); // the panel behind the thirteen rows
QRect menuRow(int row) {
    return {0, 32 * row, 256, 32};
}
constexpr int kKeySettingsRow = 7;

// The manual window and its buttons, in window coordinates (ManualWidth and ManualHeight of
// assets/Config.ini).
constexpr int kManualWidth = 415;
constexpr int kManualHeight = 270;
const QRect kCloseButton(kManualWidth - 20, 4, 16, 14);
const QRect kPreviousButton(4, kManualHeight - 18, 16, 14);
const QRect kNextButton(kManualWidth - 20, kManualHeight - 18, 16, 14);
const QRgb kButtonFace = qRgb(0, 0, 255);

// The key settings dialog, in window coordinates.
constexpr int kKeysWidth = 448;
constexpr int kKeysHeight = 163;
const QPoint kKeysBackground(300, 140); // plain dialog background, right of the button
const QRgb kKeysColour = qRgb(0x08, 0x29, 0x52);
const QRect kGameALabel(136, 33, 72, 14);
const QRect kGameBLabel(136, 65, 72, 14);
const QRect kTimeLabel(136, 97, 72, 14);

// How many pixels of `area` differ between the two images.
int differences(const QImage& a, const QImage& b, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((a.pixel(x, y) | 0xff000000u) != (b.pixel(x, y) | 0xff000000u)) {
                ++count;
            }
        }
    }
    return count;
}

int pixelsOfColour(const QImage& image, const QRect& area, QRgb colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if ((image.pixel(x, y) | 0xff000000u) == (colour | 0xff000000u)) {
                ++count;
            }
        }
    }
    return count;
}

// Pixels of red text (anti-aliased edges included) in `area`.
int reddish(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 160 && qGreen(p) < 90 && qBlue(p) < 120) {
                ++count;
            }
        }
    }
    return count;
}

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class MenuWindowTest : public ZemblorWindowTest {
protected:
    void click(QPoint at) {
        x_->mouseMove(at.x(), at.y());
        x_->mouseDown(1);
        x_->mouseUp(1);
    }

    // Presses and releases a key in `window`, given the focus first.
    void tapIn(WindowId window, const std::string& key) {
        ASSERT_TRUE(x_->focus(window)) << "no focus for " << key;
        pressTap(key);
    }

    // The powered device covering the screen, painted; returns the screen then.
    QImage waitForFullScreenDevice(WindowId main) {
        const Geometry at = waitForGeometry(main, kScreenSized);
        EXPECT_EQ(at, kScreenSized);
        const QImage face(ZEMBLOR_ASSETS_DIR "/Graphics/Skin/background.png");
        const Geometry device = centred(kDeviceWidth, kDeviceHeight);
        const QPoint body(30, 100); // plain body, left of the LCD
        return waitForScreen([&](const QImage& image) {
            return image.pixel(device.x + body.x(), device.y + body.y()) ==
                   (face.pixel(body) | 0xff000000u);
        });
    }

    // Clicks the menu button and waits until the panel and the rows are drawn over `closed`.
    QImage openGameMenu(const QImage& closed) {
        click(kMenuButton);
        return waitForScreen([&](const QImage& image) {
            return differences(closed, image, menuRow(1)) > 0 &&
                   differences(closed, image, menuRow(13)) > 0;
        });
    }

    bool waitForHidden(WindowId window) {
        return xtest::pollUntil(kPatience, [&] {
            const auto g = x_->geometry(window);
            return !g || !g->viewable;
        });
    }

    std::optional<WindowId> inputFocus() {
        const std::string out = x_->tool({"xdotool", "getwindowfocus"}).out;
        try {
            return std::stoul(out);
        } catch (const std::exception&) {
            return std::nullopt;
        }
    }

    std::vector<std::string> storeLines() {
        std::vector<std::string> lines;
        for (const auto& line : readLines(tracePath_)) {
            if (!field(line, "store").empty()) {
                lines.push_back(line);
            }
        }
        return lines;
    }

    // The stored value of `name`, polled until it is `wanted`; returns the last one read.
    std::string waitForStored(const std::string& name, const std::string& wanted) {
        std::string last;
        xtest::pollUntil(kPatience, [&] {
            const Settings stored = readSettings(settingsPath_);
            last = stored.count(name) ? stored.at(name) : "";
            return last == wanted;
        });
        return last;
    }
};

TEST_F(MenuWindowTest, F12FromTheOpenGameMenuGoesWindowedAndBackWithTheMenuClosed) {
    startX(80);
    const QImage empty = x_->capture();
    ASSERT_FALSE(empty.isNull());
    startZemblor(kFullScreenNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    x_->mouseMove(kScreenWidth - 1, kScreenHeight - 1);
    const QImage closed = waitForFullScreenDevice(*main);
    std::cout << "closed menu: " << saveShot(closed, "closed") << '\n';

    const QImage open = openGameMenu(closed);
    const std::string openShot = saveShot(open, "open");
    std::cout << "open menu: " << openShot << '\n';
    ASSERT_GT(differences(closed, open, menuRow(kKeySettingsRow)), 0)
        << "the menu did not open; see " << openShot;
    EXPECT_EQ(differences(closed, open, kMenuButtonBox), 0) << "see " << openShot;

    // F12 while the menu is open: windowed, and nothing on the screen but the device.
    tapIn(*main, "F12");
    const Geometry windowed = centred(kDeviceWidth, kDeviceHeight);
    EXPECT_EQ(waitForGeometry(*main, windowed), windowed);
    EXPECT_EQ(waitForStored("FullscreenMode", "0"), "0");
    const QImage face = referenceFace();
    ASSERT_EQ(face.size(), QSize(kDeviceWidth, kDeviceHeight)) << "no reference rendering";
    int mismatches = 0;
    std::string first;
    const QImage device = waitForScreen([&](const QImage& image) {
        mismatches = 0;
        first.clear();
        for (int y = 0; y < kScreenHeight; ++y) {
            for (int x = 0; x < kScreenWidth; ++x) {
                const QPoint inWindow(x - windowed.x, y - windowed.y);
                const bool onFace = face.rect().contains(inWindow) && qAlpha(face.pixel(inWindow));
                const QRgb want = onFace ? face.pixel(inWindow) | 0xff000000u : empty.pixel(x, y);
                const QRgb got = image.pixel(x, y);
                if (got != want && mismatches++ == 0) {
                    first = "at " + std::to_string(x) + "," + std::to_string(y) + " " + rgb(got) +
                            " instead of " + rgb(want);
                }
            }
        }
        return mismatches == 0;
    });
    const std::string deviceShot = saveShot(device, "windowed");
    std::cout << "windowed: " << deviceShot << '\n';
    EXPECT_EQ(mismatches, 0) << "first " << first << "; see " << deviceShot;

    // F12 again: the screen as at start-up, the menu button closed and no rows.
    tapIn(*main, "F12");
    EXPECT_EQ(waitForGeometry(*main, kScreenSized), kScreenSized);
    EXPECT_EQ(waitForStored("FullscreenMode", "1"), "1");
    x_->mouseMove(kScreenWidth - 1, kScreenHeight - 1);
    const QImage again = waitForScreen(
        [&](const QImage& image) { return differences(closed, image, image.rect()) == 0; });
    const std::string againShot = saveShot(again, "full-screen-again");
    std::cout << "full screen again: " << againShot << '\n';
    EXPECT_EQ(differences(closed, again, kOpenMenuArea), 0) << "see " << againShot;
    EXPECT_EQ(differences(closed, again, again.rect()), 0) << "see " << againShot;
}

TEST_F(MenuWindowTest, EscapeEndsTheProgramAtOnceLeavingTheStoreAsItWas) {
    startX(81);
    auto& program = startZemblor(kFullScreenNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    x_->mouseMove(kScreenWidth - 1, kScreenHeight - 1);
    const QImage closed = waitForFullScreenDevice(*main);
    // With the game menu open, which the program does not wait for.
    const QImage open = openGameMenu(closed);
    ASSERT_GT(differences(closed, open, menuRow(kKeySettingsRow)), 0)
        << "the menu did not open; see " << saveShot(open, "open");

    const std::string before = fileBytes(settingsPath_);
    const auto storesBefore = storeLines().size();
    ASSERT_FALSE(before.empty());
    ASSERT_TRUE(x_->focus(*main));
    x_->keyDown("Escape");
    const auto status = program.waitExit(kPatience);
    x_->keyUp("Escape");
    ASSERT_TRUE(status) << "still running after Escape";
    EXPECT_EQ(status->describe(), "exit status 0");
    EXPECT_EQ(fileBytes(settingsPath_), before) << "the settings file changed";
    EXPECT_EQ(storeLines().size(), storesBefore) << "a value was stored on the way out";
}

TEST_F(MenuWindowTest, ManualOpensOnPageOneTurnsWithTheArrowKeysAndReopensWhereItWas) {
    startX(82);
    startZemblor(kWindowedNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    x_->mouseMove(kScreenWidth - 1, kScreenHeight - 1);

    const QImage page1(ZEMBLOR_ASSETS_DIR "/Graphics/Manual/1.bmp");
    const QImage page2(ZEMBLOR_ASSETS_DIR "/Graphics/Manual/2.bmp");
    ASSERT_EQ(page1.size(), QSize(kManualWidth, kManualHeight));
    ASSERT_EQ(page2.size(), QSize(kManualWidth, kManualHeight));
    ASSERT_GT(differences(page1, page2, page1.rect()), 0);
    for (const QRect& box : {kCloseButton, kPreviousButton, kNextButton}) {
        ASSERT_EQ(pixelsOfColour(page1, box, kButtonFace), 0) << "pick another button check";
        ASSERT_EQ(pixelsOfColour(page2, box, kButtonFace), 0) << "pick another button check";
    }

    // Which buttons the window at `at` shows, and how many pixels inside its outline differ
    // from `page`, a button's box counting as page where the button is absent.
    struct Look {
        int pageMismatches = 0;
        bool previous = false;
        bool next = false;
        bool close = false;
    };
    const auto lookAt = [&](const QImage& screen, const QImage& page, QPoint at) {
        Look look;
        const auto shown = [&](const QRect& box) {
            return pixelsOfColour(screen, box.translated(at), kButtonFace) > 0;
        };
        look.previous = shown(kPreviousButton);
        look.next = shown(kNextButton);
        look.close = shown(kCloseButton);
        const QRect inside(1, 1, kManualWidth - 2, kManualHeight - 2);
        for (int y = inside.top(); y <= inside.bottom(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                const QPoint p(x, y);
                if ((look.close && kCloseButton.contains(p)) ||
                    (look.next && kNextButton.contains(p)) ||
                    (look.previous && kPreviousButton.contains(p))) {
                    continue;
                }
                if ((screen.pixel(at + p) | 0xff000000u) != (page.pixel(p) | 0xff000000u)) {
                    ++look.pageMismatches;
                }
            }
        }
        return look;
    };

    tapIn(*main, "F4");
    const auto manual = waitForWindow(kManualTitle);
    ASSERT_TRUE(manual) << "no manual after F4";
    const Geometry centredManual = centred(kManualWidth, kManualHeight);
    const Geometry at = waitForGeometry(*manual, centredManual);
    ASSERT_EQ(at, centredManual);
    const QPoint origin(at.x, at.y);
    Look look;
    const QImage first = waitForScreen([&](const QImage& image) {
        look = lookAt(image, page1, origin);
        return look.pageMismatches == 0 && look.next && look.close && !look.previous;
    });
    const std::string firstShot = saveShot(first, "page-1");
    std::cout << "page 1: " << firstShot << '\n';
    EXPECT_EQ(look.pageMismatches, 0) << "see " << firstShot;
    EXPECT_FALSE(look.previous) << "previous-page button on page 1; see " << firstShot;
    EXPECT_TRUE(look.next) << "see " << firstShot;
    EXPECT_TRUE(look.close) << "see " << firstShot;

    tapIn(*manual, "Right");
    const QImage second = waitForScreen([&](const QImage& image) {
        look = lookAt(image, page2, origin);
        return look.pageMismatches == 0 && look.previous && look.next && look.close;
    });
    const std::string secondShot = saveShot(second, "page-2");
    std::cout << "page 2: " << secondShot << '\n';
    EXPECT_EQ(look.pageMismatches, 0) << "not page 2; see " << secondShot;
    EXPECT_TRUE(look.previous) << "see " << secondShot;
    EXPECT_TRUE(look.next) << "see " << secondShot;

    tapIn(*manual, "Escape");
    EXPECT_TRUE(waitForHidden(*manual)) << "the manual stays after Escape";
    EXPECT_TRUE(onScreen(kMainTitle)) << "Escape in the manual ended more than the manual";

    tapIn(*main, "F4");
    const auto reopened = waitForWindow(kManualTitle);
    ASSERT_TRUE(reopened) << "no manual after the second F4";
    EXPECT_EQ(waitForGeometry(*reopened, at), at);
    const QImage third = waitForScreen([&](const QImage& image) {
        look = lookAt(image, page2, origin);
        return look.pageMismatches == 0 && look.previous && look.next;
    });
    const std::string thirdShot = saveShot(third, "reopened");
    std::cout << "reopened: " << thirdShot << '\n';
    EXPECT_EQ(look.pageMismatches, 0) << "not page 2 again; see " << thirdShot;
    EXPECT_TRUE(look.previous && look.next) << "see " << thirdShot;
    // The arrow keys went to the manual only.
    EXPECT_EQ(stateLines().size(), 1u);
}

TEST_F(MenuWindowTest, KeySettingsFromTheGameMenuRefuseAConflictAndBindTheSpacebar) {
    startX(83, true); // openbox: the dialog must come up over the full-screen window
    startZemblor(kFullScreenNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    x_->mouseMove(kScreenWidth - 1, kScreenHeight - 1);
    const QImage closed = waitForFullScreenDevice(*main);
    const QImage open = openGameMenu(closed);
    ASSERT_GT(differences(closed, open, menuRow(kKeySettingsRow)), 0)
        << "the menu did not open; see " << saveShot(open, "open");
    const std::size_t startUpStores = storeLines().size();

    click(menuRow(kKeySettingsRow).center());
    const auto dialog = waitForWindow(kKeysTitle);
    ASSERT_TRUE(dialog) << "no key settings dialog";
    Geometry at;
    ASSERT_TRUE(xtest::pollUntil(kPatience, [&] {
        const auto g = x_->geometry(*dialog);
        at = g.value_or(Geometry{});
        return at.viewable && at.width == kKeysWidth && at.height == kKeysHeight;
    })) << at;
    const QPoint origin(at.x, at.y);
    // Above the full-screen window, and with the keyboard focus, without any help.
    const QImage shown = waitForScreen(
        [&](const QImage& image) { return image.pixel(origin + kKeysBackground) == kKeysColour; });
    const std::string shownShot = saveShot(shown, "dialog");
    std::cout << "dialog: " << shownShot << '\n';
    EXPECT_EQ(rgb(shown.pixel(origin + kKeysBackground)), rgb(kKeysColour))
        << "the dialog is not in front; see " << shownShot;
    EXPECT_TRUE(xtest::pollUntil(kPatience, [&] { return inputFocus() == *dialog; }))
        << "the dialog has not the focus";
    EXPECT_EQ(reddish(shown, kGameALabel.translated(origin)), 0) << "see " << shownShot;

    // The disabled main window takes no device key.
    tapIn(*main, "3");
    EXPECT_EQ(stateLines().size(), 1u);

    // GAME A on '2', GAME B's key: refused.
    tapIn(*dialog, "Down");
    const QImage conflict = waitForScreen([&](const QImage& image) {
        return reddish(image, kGameALabel.translated(origin)) > 0 &&
               reddish(image, kGameBLabel.translated(origin)) > 0;
    });
    const std::string conflictShot = saveShot(conflict, "conflict");
    std::cout << "conflict: " << conflictShot << '\n';
    ASSERT_GT(reddish(conflict, kGameBLabel.translated(origin)), 0)
        << "no conflict shown; see " << conflictShot;
    pressTap("Return");
    // Then '3', TIME's key: the dialog is still there to take it.
    pressTap("Down");
    const QImage conflict2 = waitForScreen([&](const QImage& image) {
        return reddish(image, kTimeLabel.translated(origin)) > 0 &&
               reddish(image, kGameBLabel.translated(origin)) == 0;
    });
    const std::string conflict2Shot = saveShot(conflict2, "conflict-time");
    EXPECT_GT(reddish(conflict2, kTimeLabel.translated(origin)), 0)
        << "Enter on a conflict closed the dialog or the list did not move; see " << conflict2Shot;
    EXPECT_TRUE(onScreen(kKeysTitle)) << "Enter on a conflict closed the dialog";
    EXPECT_EQ(storeLines().size(), startUpStores) << "Enter on a conflict stored bindings";

    // The last entry, the spacebar: accepted.
    pressTap("End");
    const QImage clear = waitForScreen([&](const QImage& image) {
        return reddish(image, QRect(origin, QSize(kKeysWidth, kKeysHeight))) == 0;
    });
    EXPECT_EQ(reddish(clear, QRect(origin, QSize(kKeysWidth, kKeysHeight))), 0)
        << "see " << saveShot(clear, "spacebar");
    pressTap("Return");
    EXPECT_TRUE(waitForHidden(*dialog)) << "the dialog stays after Enter";
    EXPECT_EQ(waitForStored("Key1", "44"), "44");
    const auto stores = storeLines();
    ASSERT_GT(stores.size(), startUpStores) << "nothing stored by Accept";
    EXPECT_EQ(field(stores[startUpStores], "store"), "Key1");
    EXPECT_EQ(field(stores[startUpStores], "value"), "44");
    EXPECT_EQ(waitForGeometry(*main, kScreenSized), kScreenSized);

    // The spacebar now drives GAME A; the '3' pressed while the dialog was open did nothing.
    ASSERT_TRUE(x_->focus(*main));
    x_->keyDown("space");
    ASSERT_TRUE(waitForStates(2)) << "the spacebar did not reach the device";
    x_->keyUp("space");
    ASSERT_TRUE(waitForStates(3));
    const auto states = stateLines();
    EXPECT_EQ(field(states[1], "mode"), "ModeTime1") << states[1];
    EXPECT_TRUE(lights(states[1], "btn_game_a_down")) << states[1];
    EXPECT_FALSE(lights(states[2], "btn_game_a_down")) << states[2];
    EXPECT_EQ(states.size(), 3u) << "the '3' reached the disabled device";
}

TEST_F(MenuWindowTest, TheManualStaysAboveTheFullScreenDeviceWhenTheDeviceIsClicked) {
    startX(85, true); // openbox raises a clicked full-screen window over ordinary ones
    startZemblor(kFullScreenNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    x_->mouseMove(kScreenWidth - 1, kScreenHeight - 1);
    waitForFullScreenDevice(*main);
    tapIn(*main, "F4");
    const auto manual = waitForWindow(kManualTitle);
    ASSERT_TRUE(manual) << "no manual after F4";
    const Geometry at = waitForGeometry(*manual, centred(kManualWidth, kManualHeight));
    const QRect area(at.x, at.y, at.width, at.height);
    const QImage page1(ZEMBLOR_ASSETS_DIR "/Graphics/Manual/1.bmp");
    const QPoint inside(kManualWidth / 2, kManualHeight / 2);
    const auto manualShown = [&](const QImage& image) {
        return (image.pixel(area.topLeft() + inside) | 0xff000000u) ==
               (page1.pixel(inside) | 0xff000000u);
    };
    const QImage before = waitForScreen(manualShown);
    ASSERT_TRUE(manualShown(before)) << "see " << saveShot(before, "manual");

    // A click on the device's face, beside the manual, activates the full-screen window.
    const Geometry device = centred(kDeviceWidth, kDeviceHeight);
    click(QPoint(device.x + 20, device.y + 120));
    ASSERT_TRUE(xtest::pollUntil(kPatience, [&] { return inputFocus() == *main; }))
        << "the click did not activate the device";
    // Give a window manager's restacking a moment to show, then look again.
    xtest::pollUntil(Millis(500), [] { return false; });
    const QImage after = waitForScreen(manualShown, Millis(3000));
    const std::string shot = saveShot(after, "after-click");
    std::cout << "after the click: " << shot << '\n';
    EXPECT_EQ(differences(before, after, area), 0) << "the manual was buried; see " << shot;
}

TEST_F(MenuWindowTest, KeySettingsReopenOnTheBindingsInForceAfterEscape) {
    startX(86);
    startZemblor(kFullScreenNoSplash);
    const auto main = waitForPoweredDevice();
    ASSERT_TRUE(main);
    x_->mouseMove(kScreenWidth - 1, kScreenHeight - 1);
    const QImage closed = waitForFullScreenDevice(*main);
    const auto openKeySettings = [&] {
        const QImage open = openGameMenu(closed);
        EXPECT_GT(differences(closed, open, menuRow(kKeySettingsRow)), 0);
        click(menuRow(kKeySettingsRow).center());
        const auto dialog = waitForWindow(kKeysTitle);
        EXPECT_TRUE(dialog) << "no key settings dialog";
        return dialog;
    };
    const auto dialog = openKeySettings();
    ASSERT_TRUE(dialog);
    const std::size_t startUpStores = storeLines().size();
    // GAME A on the spacebar, then Escape: abandoned.
    tapIn(*dialog, "End");
    tapIn(*dialog, "Escape");
    ASSERT_TRUE(waitForHidden(*dialog));

    // Reopened and accepted at once: what is stored is what was in force, '1'.
    const auto again = openKeySettings();
    ASSERT_TRUE(again);
    tapIn(*again, "Return");
    ASSERT_TRUE(waitForHidden(*again)) << "Enter did not accept";
    EXPECT_EQ(waitForStored("Key1", "2"), "2");
    const auto stores = storeLines();
    ASSERT_GT(stores.size(), startUpStores);
    EXPECT_EQ(field(stores[startUpStores], "store"), "Key1");
    EXPECT_EQ(field(stores[startUpStores], "value"), "2") << "the abandoned choice was stored";
}

} // namespace
