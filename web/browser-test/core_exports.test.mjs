// The desktop's decisions for the menu, the dialogs and the manual, reached through the
// page's core in Chromium and Firefox (the page shows it as window.zemblorCore with ?trace=1).
import assert from "node:assert/strict";
import { it } from "node:test";

import { freshPage, inEachBrowser, playWithoutSound, waitForState } from "./harness.mjs";

const QUERY = "?seed=1&clock=2026-12-08T09:41&trace=1";

const MENU_NAMES = [
    "pm_1_about", "pm_2_readme", "pm_3_whatsnew", "pm_4_manual", "pm_5_n1", "pm_6_config", "pm_7_keys",
    "pm_8_hiscore", "pm_9_n2", "pm_10_fullscreen", "pm_11_splashscreen", "pm_13_n3", "pm_14_exit",
];

async function playing(browser, url) {
    const page = await freshPage(browser, url);
    await playWithoutSound(page);
    await page.waitForFunction(() => window.zemblorCore !== undefined);
    return page;
}

// Calls an export with the page's device time (the page is never paused here) first when
// `timed`.
function coreCall(page, name, ...args) {
    return page.evaluate((n, a) => window.zemblorCore[n](...a), name, args);
}
function timedCall(page, name, ...args) {
    return page.evaluate((n, a) => window.zemblorCore[n](performance.now(), ...a), name, args);
}

inEachBrowser("the page's core exports", (name, env) => {

    it("hands out the menu table; the splash tick follows the store", async () => {
        const page = await freshPage(env.browser, env.server.url + QUERY);
        await page.waitForSelector("#splash[open]");
        await page.click("#splash-at-startup"); // cleared: no dialog next time
        await playWithoutSound(page);
        await page.waitForFunction(() => window.zemblorCore !== undefined);

        const items = await coreCall(page, "menuItems");
        assert.deepEqual(items.map((i) => i.name), MENU_NAMES);
        assert.deepEqual(
            items.filter((i) => !i.separator).map((i) => [i.caption, i.shortcut]),
            [
                ["About...", 112], ["View 'Readme.txt'", 113], ["View 'Whatsnew.txt'", 114],
                ["View manual", 115], ["Edit configuration file", null], ["Key settings", null],
                ["Reset Hiscores", null], ["Display in fullscreen mode", 123],
                ["Display splash screen at startup", null], ["Exit", 27],
            ],
        );
        assert.deepEqual(items.filter((i) => i.separator).map((i) => i.name), ["pm_5_n1", "pm_9_n2", "pm_13_n3"]);
        assert.deepEqual(items.filter((i) => i.checkable).map((i) => i.name), ["pm_10_fullscreen", "pm_11_splashscreen"]);
        assert.deepEqual(items.filter((i) => i.default).map((i) => i.name), ["pm_1_about"]);
        assert.deepEqual(items.map((i) => i.gameMenuRow[1]), items.map((_, row) => 32 * (row + 1)));

        assert.equal(await page.evaluate(() => localStorage.getItem("SplashScreen")), "0");
        const windowed = await coreCall(page, "menuState", 0);
        assert.deepEqual(windowed.ticked, Array(13).fill(false));
        const full = await coreCall(page, "menuState", 1);
        assert.deepEqual(full.ticked.flatMap((on, i) => (on ? [MENU_NAMES[i]] : [])), ["pm_10_fullscreen"]);
        assert.equal(full.rowTexts[9], "   Display in fullscreen mode [V]");
        assert.equal(full.rowTexts[4], "");

        await timedCall(page, "writeSetting", "SplashScreen", 1);
        const again = await coreCall(page, "menuState", 0);
        assert.deepEqual(again.ticked.flatMap((on, i) => (on ? [MENU_NAMES[i]] : [])), ["pm_11_splashscreen"]);
        assert.equal(again.rowTexts[10], "   Display splash screen at startup [V]");
        await page.close();
    });

    it("keeps two buttons off one key and binds what Accept stores", async () => {
        const page = await playing(env.browser, env.server.url + QUERY);
        const names = await coreCall(page, "keyNames");
        assert.equal(names.length, 44);
        assert.deepEqual([names[0], names[9], names[10], names[35]], ["0", "9", "A", "Z"]);
        assert.deepEqual(names.slice(36), [
            "<UP ARROW>", "<DOWN ARROW>", "<LEFT ARROW>", "<RIGHT ARROW>", "<ALT>", "<CTRL>", "<SHIFT>", "<SPACEBAR>",
        ]);
        assert.deepEqual(await coreCall(page, "keySelections"), [1, 2, 3, 38, 39]);

        assert.deepEqual(await coreCall(page, "checkKeys", 1, 1, 3, 38, 39), {
            conflict: [true, true, false, false, false],
            acceptAvailable: false,
        });
        assert.deepEqual(await coreCall(page, "checkKeys", 43, 2, 3, -1, 39), {
            conflict: [false, false, false, false, false],
            acceptAvailable: true,
        });
        assert.equal(await timedCall(page, "acceptKeys", 1, 1, 3, 38, 39), 0);
        assert.equal(await page.evaluate(() => localStorage.getItem("Key2")), "3", "nothing stored");

        assert.equal(await timedCall(page, "acceptKeys", 43, 2, 3, 38, 39), 1);
        assert.equal(await page.evaluate(() => localStorage.getItem("Key1")), "44");
        assert.deepEqual(await coreCall(page, "keySelections"), [43, 2, 3, 38, 39]);
        const hints = JSON.parse(await coreCall(page, "hints")).hints;
        assert.match(hints.btn_game_a_top, /'spacebar' to start game A/);
        await page.keyboard.press(" ");
        await waitForState(page, (line) => line.mode === "ModeTime1");

        const record = await timedCall(page, "record");
        assert.match(record, /^bind 1 44$/m);
        assert.match(record, /^bind 5 40$/m);
        await page.close();
    });

    it("records only the bindings the device takes: a replay refuses a binding to no key", async () => {
        const page = await playing(env.browser, env.server.url + QUERY);
        await timedCall(page, "acceptBinding", 1, 0);
        await timedCall(page, "acceptBinding", 2, 45);
        await timedCall(page, "acceptBinding", 3, 44);
        const record = await timedCall(page, "record");
        assert.doesNotMatch(record, /^bind [12] /m);
        assert.match(record, /^bind 3 44$/m);
        assert.deepEqual(await coreCall(page, "keySelections"), [1, 2, 43, 38, 39]);
        await page.close();
    });

    it("answers the dialogs' keys as the desktop's dialogs do", async () => {
        const page = await playing(env.browser, env.server.url + QUERY);
        const action = (dialog, code, available) => coreCall(page, "dialogKeyAction", dialog, code, available);
        // Start-up: Enter and 1 play, and go no further while Play is unavailable.
        assert.deepEqual([await action(0, 13, 1), await action(0, 49, 1), await action(0, 49, 0)], [1, 1, 2]);
        // Key settings: Enter accepts, or goes on to the focused list while Accept waits.
        assert.deepEqual([await action(1, 13, 1), await action(1, 13, 0), await action(1, 27, 0)], [1, 0, 3]);
        // About: only Escape.
        assert.deepEqual([await action(2, 13, 1), await action(2, 27, 1), await action(2, -1, 1)], [0, 3, 0]);
        await page.close();
    });

    it("hands out the about box's texts and links", async () => {
        const page = await playing(env.browser, env.server.url + QUERY);
        const about = await coreCall(page, "about");
        assert.equal(about.title, "About the author...");
        assert.deepEqual(about.details.map((d) => d.caption), ["Name:", "Birthplace:", "Birth date:", "Occupation:", "Hobby:"]);
        assert.deepEqual(about.details.filter((d) => d.italic).map((d) => d.value), ["winding clocks"]);
        assert.deepEqual(
            about.links.map((l) => [l.caption, l.text, l.address]),
            [
                ["Website:", "zemblor.example.org/sim/", "https://zemblor.example.org/sim/"],
                ["Email:", "team@zemblor.example.org", "mailto:team@zemblor.example.org"],
            ],
        );
        await page.close();
    });

    it("turns the manual's pages and reopens it on the page it was left on", async () => {
        const page = await playing(env.browser, env.server.url + QUERY);
        const config = await page.evaluate(async () =>
            window.zemblorCore.manualConfig(await (await fetch("Config.ini")).text()),
        );
        assert.deepEqual(config.clientSize, [415, 270]);
        assert.equal(config.pages.length, 8);
        const found = await page.evaluate(
            (paths) => Promise.all(paths.map(async (p) => (await fetch(p)).ok)),
            config.pages,
        );
        assert.deepEqual(found, Array(8).fill(true), config.pages.join(" "));

        const [w, h] = config.clientSize;
        const state = () => coreCall(page, "manualState", w, h);
        await coreCall(page, "manualOpen");
        let shown = await state();
        assert.equal(shown.page, 1);
        assert.deepEqual(shown.buttons.map((b) => b.up), [true, false, true]);
        const next = shown.buttons[2].box;
        assert.deepEqual(next, [w - 20, h - 18, 16, 14]);
        assert.equal(await coreCall(page, "manualButtonAt", 8, h - 10, w, h), -1, "hidden on page 1");
        assert.equal(await coreCall(page, "manualButtonAt", next[0] + 8, next[1] + 7, w, h), 2);

        assert.equal(await coreCall(page, "manualButtonDown", 2), 1);
        shown = await state();
        assert.deepEqual([shown.buttons[2].up, shown.buttons[2].down], [false, true], "looks pressed");
        assert.equal(await coreCall(page, "manualButtonUp", 2), 1);
        assert.equal(await coreCall(page, "manualKeyDown", 39), 1);
        assert.equal(await coreCall(page, "manualKeyUp", 39), 1);
        shown = await state();
        assert.equal(shown.page, 3);
        assert.deepEqual(shown.buttons.map((b) => b.up), [true, true, true]);

        assert.equal(await coreCall(page, "manualKeyDown", 27), 1);
        assert.equal(await coreCall(page, "manualKeyUp", 27), 2, "Escape closes");
        await coreCall(page, "manualOpen");
        shown = await state();
        assert.equal(shown.page, 3);
        assert.deepEqual(shown.buttons.map((b) => b.up), [true, true, true]);
        await page.close();
    });
});

