// The program's menu in the page, as a user reaches it: a right click, the keyboard, a long
// press, the in-window button full screen, and each item's work.
import assert from "node:assert/strict";
import { it } from "node:test";

import { freshPage, inEachBrowser, lastState, playWithoutSound, waitForState } from "./harness.mjs";

const QUERY = "?seed=1&clock=2026-12-08T09:41&trace=1";

async function rightClickDevice(page) {
    const r = await page.$eval("#device", (c) => c.getBoundingClientRect().toJSON());
    await page.mouse.click(r.left + 200, r.top + 100, { button: "right" });
    await page.waitForSelector("#menu:not([hidden])");
}

async function menuEntries(page) {
    return page.$$eval("#menu > *", (entries) =>
        entries.map((e) =>
            e.tagName === "HR"
                ? "-"
                : {
                      caption: e.querySelector(".caption").textContent,
                      shortcut: e.querySelector(".shortcut").textContent,
                      bold: getComputedStyle(e).fontWeight >= 700,
                      ticked: e.getAttribute("aria-checked"),
                  },
        ),
    );
}

async function choose(page, caption) {
    const buttons = await page.$$("#menu button");
    for (const button of buttons) {
        if ((await button.$eval(".caption", (c) => c.textContent)) === caption) {
            await button.click();
            return;
        }
    }
    throw new Error(`no item ${caption}`);
}

inEachBrowser("the menu", (name, env) => {

    const ownPage = (viewport) => freshPage(env.browser, env.server.url + QUERY, viewport);

    it("opens on a right click with the program's thirteen items, and is left by Escape", async () => {
        const page = await ownPage();
        await playWithoutSound(page);
        await rightClickDevice(page);
        const entries = await menuEntries(page);
        assert.equal(entries.length, 13);
        assert.deepEqual(
            entries.map((e) => (e === "-" ? e : e.caption)),
            ["About...", "View 'Readme.txt'", "View 'Whatsnew.txt'", "View manual", "-", "Edit configuration file", "Key settings",
                "Reset Hiscores", "-", "Display in fullscreen mode", "Display splash screen at startup", "-", "Exit"],
        );
        assert.equal(entries[0].bold, true, "About... is the default item");
        assert.equal(entries[1].bold, false);
        assert.equal(entries[0].shortcut, "", "F1 is the browser's");
        assert.equal(entries[1].shortcut, "F2");
        assert.equal(entries[10].ticked, "true");
        assert.equal(entries[9].ticked, "false");
        assert.equal(await page.evaluate(() => document.activeElement.textContent), "About...F1".replace("F1", ""));
        await page.keyboard.press("Escape");
        await page.waitForSelector("#menu[hidden]", { hidden: true });
        assert.equal(await page.evaluate(() => document.body.dataset.state), "playing", "Escape left the menu only");
        await page.close();
    });

    it("is used from the keyboard alone; a document opens and the device takes no keys meanwhile", async () => {
        const page = await ownPage();
        await playWithoutSound(page);
        await page.keyboard.down("Shift");
        await page.keyboard.press("F10");
        await page.keyboard.up("Shift");
        await page.waitForSelector("#menu:not([hidden])");
        await page.keyboard.press("ArrowDown");
        await page.keyboard.press("Enter");
        await page.waitForSelector("#document[open]");
        assert.equal(await page.$eval("#document h2", (h) => h.textContent), "Readme.txt");
        assert.match(await page.$eval("#document pre", (p) => p.textContent), /Zemblor/);
        await page.keyboard.press("Digit3");
        assert.equal((await lastState(page)).mode, "ModeAllSegments", "the device took no key");
        await page.keyboard.press("Escape");
        await page.waitForFunction(() => !document.getElementById("document").open);
        await page.keyboard.press("Digit3");
        await waitForState(page, (line) => line.mode === "ModeTime1");
        await page.close();
    });

    it("runs its items' shortcut keys once, never as device keys", async () => {
        const page = await ownPage();
        await playWithoutSound(page);
        await page.keyboard.press("F3");
        await page.waitForSelector("#document[open]");
        assert.equal(await page.$eval("#document h2", (h) => h.textContent), "Whatsnew.txt");
        await page.keyboard.press("Escape");
        await page.waitForFunction(() => !document.getElementById("document").open);
        assert.ok(!(await page.evaluate(() => window.zemblorTrace.some((l) => "key" in l && l.key === 114))));
        await rightClickDevice(page);
        await choose(page, "Edit configuration file");
        await page.waitForSelector("#document[open]");
        assert.match(await page.$eval("#document pre", (p) => p.textContent), /\[Common\]/);
        assert.match(await page.$eval("#document .note", (p) => p.textContent), /Read-only/);
        await page.close();
    });

    it("resets both high scores and switches the start-up dialog off and on", async () => {
        const page = await ownPage();
        await page.evaluate(() => {
            localStorage.setItem("HiScore1", "120");
            localStorage.setItem("HiScore2", "45");
        });
        await page.reload();
        await playWithoutSound(page);
        await rightClickDevice(page);
        await choose(page, "Reset Hiscores");
        await page.waitForFunction(() => localStorage.getItem("HiScore1") === "0" && localStorage.getItem("HiScore2") === "0");
        await page.keyboard.press("Digit1");
        await page.keyboard.press("Digit1");
        await waitForState(page, (line) => line.mode === "ModeGameAReady");
        assert.deepEqual((await lastState(page)).hiscores, [0, 0]);
        await rightClickDevice(page);
        await choose(page, "Display splash screen at startup");
        await page.waitForFunction(() => localStorage.getItem("SplashScreen") === "0");
        await rightClickDevice(page);
        assert.equal((await menuEntries(page))[10].ticked, "false");
        await page.close();
    });

    it("exits to the start-up dialog; Play starts the device afresh, nothing of the game left", async () => {
        const page = await ownPage();
        await playWithoutSound(page);
        await page.keyboard.press("Digit1");
        await page.keyboard.press("Digit1");
        await page.waitForFunction(() => window.zemblorTrace.some((line) => line.sound === "Move"));
        await page.keyboard.press("Pause");
        await page.keyboard.press("Escape");
        await page.waitForSelector("#splash[open]");
        const lines = await page.evaluate(() => window.zemblorTrace.length);
        await page.keyboard.press("Digit3");
        assert.equal(await page.evaluate(() => window.zemblorTrace.length), lines, "switched off, the device takes no keys");
        await page.click("#play");
        await page.waitForFunction(() => window.zemblorTrace.filter((line) => line.mode === "ModeAllSegments").length === 2);
        await page.waitForFunction(() => document.body.dataset.state === "playing");
        assert.equal(await page.evaluate(() => document.body.dataset.paused), undefined, "no pause carried over");
        await new Promise((resolve) => setTimeout(resolve, 1500));
        const state = await page.evaluate(() => JSON.parse(window.zemblorCore.stateLine()));
        assert.equal(state.mode, "ModeAllSegments");
        assert.deepEqual(state.timers, [], "no timer of the old game runs under the screen test");
        await page.close();
    });

    it("lets go of Escape held to close a dialog without switching the device off", async () => {
        const page = await ownPage();
        await playWithoutSound(page);
        await page.keyboard.press("F2");
        await page.waitForSelector("#document[open]");
        await page.keyboard.down("Escape");
        await page.waitForFunction(() => !document.getElementById("document").open);
        await page.evaluate(() =>
            window.dispatchEvent(new KeyboardEvent("keydown", { code: "Escape", key: "Escape", repeat: true, bubbles: true })),
        );
        await page.keyboard.up("Escape");
        assert.equal(await page.evaluate(() => document.getElementById("splash").open), false);
        assert.equal(await page.evaluate(() => document.body.dataset.state), "playing");
        await page.close();
    });

    it("opens as rows over the device from the in-window button full screen", async () => {
        const page = await ownPage();
        await playWithoutSound(page);
        await page.click("#fullscreen");
        await page.waitForFunction(() => document.fullscreenElement !== null && localStorage.getItem("FullscreenMode") === "1");
        await page.waitForFunction(() => document.getElementById("device").getBoundingClientRect().width === window.innerWidth);
        // The button sits in the top left corner of the full-screen layout.
        await page.mouse.click(10, 10);
        await page.waitForSelector("#game-menu:not([hidden])");
        const rows = await page.$$eval("#game-menu .game-menu-row", (rs) => rs.map((r) => [r.tagName, r.textContent, Math.round(r.getBoundingClientRect().top)]));
        assert.equal(rows.length, 13);
        assert.deepEqual(rows[0].slice(0, 2), ["BUTTON", "   About..."]);
        assert.deepEqual(rows[4].slice(0, 2), ["DIV", ""], "a separator is an empty row");
        assert.equal(rows[9][1], "   Display in fullscreen mode [V]");
        assert.ok(rows[1][2] > rows[0][2], "rows go down the device");
        await page.keyboard.press("Digit3");
        assert.equal((await lastState(page)).mode, "ModeAllSegments", "the open menu keeps the device's keys");
        await page.mouse.click(10, 10);
        await page.waitForSelector("#game-menu[hidden]", { hidden: true });
        await page.mouse.click(10, 10);
        await page.waitForSelector("#game-menu:not([hidden])");
        const rowFullscreen = (await page.$$("#game-menu .game-menu-row"))[9];
        await rowFullscreen.click();
        await page.waitForFunction(() => document.fullscreenElement === null && localStorage.getItem("FullscreenMode") === "0");
        assert.equal(await page.$eval("#game-menu", (m) => m.hidden), true);
        await page.close();
    });

    if (name === "chromium") {
        it("opens on a long press away from the buttons", async () => {
            const page = await ownPage();
            await playWithoutSound(page);
            const r = await page.$eval("#device", (c) => c.getBoundingClientRect().toJSON());
            const finger = await page.touchscreen.touchStart(r.left + 280, r.top + 120);
            await page.waitForSelector("#menu:not([hidden])");
            await finger.end();
            await page.close();
        });
    }
});

