// A gamepad on the page, in Chromium and Firefox. No browser makes pads headless, so the test
// is the pad: the page's navigator.getGamepads() gives a standard pad the test moves, and
// plugging it in is the gamepadconnected event a browser fires.
import assert from "node:assert/strict";
import { it } from "node:test";

import { inEachBrowser, lastState, openPage, playWithoutSound, waitForState } from "./harness.mjs";

const QUERY = "?seed=1&clock=2026-12-08T09:41&trace=1";
const A = 0;
const X = 2;
const DPAD_LEFT = 14;

async function plugInPad(page) {
    await page.evaluate(() => {
        const pad = {
            index: 0,
            id: "Test pad (STANDARD GAMEPAD)",
            connected: true,
            mapping: "standard",
            timestamp: 0,
            buttons: Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 })),
            axes: [0, 0, 0, 0],
        };
        window.testPad = pad;
        Object.defineProperty(navigator, "getGamepads", { configurable: true, value: () => [pad, null, null, null] });
        window.dispatchEvent(new Event("gamepadconnected"));
    });
}

async function unplugPad(page) {
    await page.evaluate(() => {
        window.testPad.connected = false;
        Object.defineProperty(navigator, "getGamepads", { configurable: true, value: () => [null, null, null, null] });
        window.dispatchEvent(new Event("gamepaddisconnected"));
    });
}

async function padButton(page, index, down) {
    await page.evaluate((i, d) => (window.testPad.buttons[i] = { pressed: d, touched: d, value: d ? 1 : 0 }), index, down);
}

async function padStick(page, x) {
    await page.evaluate((value) => (window.testPad.axes[0] = value), x);
}

// Lets `count` frames pass, enough for a poll that would act to have acted.
async function frames(page, count = 10) {
    await page.evaluate(
        (n) =>
            new Promise((resolve) => {
                const step = () => (--n <= 0 ? resolve() : requestAnimationFrame(step));
                requestAnimationFrame(step);
            }),
        count,
    );
}

async function stateLines(page) {
    return page.evaluate(() => window.zemblorTrace.filter((line) => "mode" in line).length);
}

async function startGameA(page) {
    await padButton(page, A, true);
    await waitForState(page, (line) => line.mode === "ModeTime1");
    await padButton(page, A, false);
    await waitForState(page, (line) => line.mode === "ModeTime1" && !line.lit.includes("btn_game_a_down"));
    await padButton(page, A, true);
    await waitForState(page, (line) => line.mode === "ModeGameAReady");
    await padButton(page, A, false);
    await page.waitForFunction(() => window.zemblorTrace.some((line) => line.sound === "Move"), { timeout: 10000 });
}

inEachBrowser("a gamepad", (name, env) => {

    it("starts GAME A with A, and its stick moves the hero one step each push", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await playWithoutSound(page);
        await plugInPad(page);
        await startGameA(page);
        assert.equal(await page.evaluate(() => JSON.parse(window.zemblorCore.stateLine()).mode), "ModeGameA");
        assert.equal((await lastState(page)).hero, 3);

        await padStick(page, -0.9);
        await waitForState(page, (line) => line.hero === 2);
        await frames(page);
        assert.equal((await lastState(page)).hero, 2, "a stick held left is one press");
        await padStick(page, 0.2);
        await waitForState(page, (line) => line.hero === 2 && !line.lit.includes("btn_left_down"));
        await padStick(page, -1);
        await waitForState(page, (line) => line.hero === 1);
        assert.deepEqual(page.errors, []);
        await page.close();
    });

    it("lets go when the page loses the focus; a source held across acts only when pressed again", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await playWithoutSound(page);
        await plugInPad(page);
        await padButton(page, X, true);
        await waitForState(page, (line) => line.mode === "ModeTime1" && line.lit.includes("btn_time_down"));

        const other = await env.browser.newPage();
        await other.bringToFront();
        await page.waitForFunction(() => !document.hasFocus());
        await waitForState(page, (line) => line.mode === "ModeTime1" && !line.lit.includes("btn_time_down"));
        await page.bringToFront();
        await other.close();
        await page.waitForFunction(() => document.hasFocus() && !document.hidden);

        const before = await stateLines(page);
        await frames(page);
        assert.equal(await stateLines(page), before, "TIME still held: nothing acts");
        assert.equal((await lastState(page)).mode, "ModeTime1");
        await padButton(page, X, false);
        await frames(page);
        assert.equal(await stateLines(page), before, "its release was passed already");
        await padButton(page, X, true);
        await waitForState(page, (line) => line.mode === "ModeTime2");
        await page.close();
    });

    it("takes no press while paused, and lets go when it is unplugged, then stops polling", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await playWithoutSound(page);
        await plugInPad(page);
        await page.keyboard.press("Digit3");
        await waitForState(page, (line) => line.mode === "ModeTime1");
        await page.keyboard.press("Pause");
        await page.waitForFunction(() => document.body.dataset.paused === "pause");
        const before = await stateLines(page);
        await padButton(page, A, true);
        await frames(page);
        assert.equal(await stateLines(page), before, "paused, A goes nowhere");
        await padButton(page, A, false);
        await page.keyboard.press("Pause");
        await page.waitForFunction(() => document.body.dataset.paused === undefined);

        await padButton(page, DPAD_LEFT, true);
        await waitForState(page, (line) => line.lit.includes("btn_left_down"));
        await unplugPad(page);
        await page.waitForFunction(() => !window.zemblorTrace.findLast((line) => "mode" in line).lit.includes("btn_left_down"));
        assert.equal((await lastState(page)).mode, "ModeTime1", "A pressed while paused never acted");

        // The page's own frame requests, counted once the last poll has run.
        await frames(page, 3);
        const requested = await page.evaluate(() => {
            window.pageFrames = 0;
            const original = window.requestAnimationFrame.bind(window);
            window.testFrame = original;
            window.requestAnimationFrame = (fn) => (window.pageFrames++, original(fn));
            return new Promise((resolve) => {
                let n = 10;
                const step = () => (--n <= 0 ? resolve(window.pageFrames) : original(step));
                original(step);
            });
        });
        assert.equal(requested, 0, "no pad, no polling");
        await page.close();
    });
});

