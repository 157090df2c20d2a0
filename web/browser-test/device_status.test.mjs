// The device told in words for screen readers, in Chromium and Firefox.
import assert from "node:assert/strict";
import { it } from "node:test";

import { inEachBrowser, openPage, playWithoutSound, serve } from "./harness.mjs";

const QUERY = "?seed=1&clock=2026-12-08T09:41&trace=1";

async function waitForStatus(page, text) {
    await page.waitForFunction((t) => document.getElementById("device-status").textContent === t, { timeout: 10000 }, text);
}

inEachBrowser("the device's words", (name, env) => {

    it("describe the canvas and follow the device into game A", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        const status = await page.$eval("#device-status", (p) => [p.getAttribute("aria-live"), p.textContent]);
        assert.deepEqual(status, ["polite", ""], "nothing to tell before Play");
        const canvas = await page.$eval("#device", (c) => [c.getAttribute("role"), c.getAttribute("aria-label"), c.getAttribute("aria-describedby")]);
        assert.deepEqual(canvas, ["img", "The Zemblor device", "device-status"]);

        await page.evaluate(() => {
            window.statusTexts = [];
            const status = document.getElementById("device-status");
            new MutationObserver(() => {
                window.statusTexts.push(status.textContent);
                window.statusAt = performance.now();
            }).observe(status, {
                childList: true, characterData: true, subtree: true,
            });
        });
        await playWithoutSound(page);
        await waitForStatus(page, "Screen test: every segment lit");
        // Past the second that holds back a next text, so each comes as soon as it is made.
        await page.waitForFunction(() => performance.now() - window.statusAt > 1100);
        await page.keyboard.press("Digit3");
        await waitForStatus(page, "Clock 9:41 AM");
        await page.waitForFunction(() => performance.now() - window.statusAt > 1100);
        await page.keyboard.press("Digit1");
        await waitForStatus(page, "Game A ready: high score 0");
        await waitForStatus(page, "Game A: score 0, 0 misses");
        await page.keyboard.press("Pause");
        await waitForStatus(page, "Paused. Game A: score 0, 0 misses");
        const texts = await page.evaluate(() => window.statusTexts);
        assert.deepEqual(texts.slice(0, 4), [
            "Screen test: every segment lit",
            "Clock 9:41 AM",
            "Game A ready: high score 0",
            "Game A: score 0, 0 misses",
        ], "each step once, the clock told only with its time");
        assert.deepEqual(page.errors, []);
        await page.close();
    });

    it("stay quiet while the clock's colon blinks", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await playWithoutSound(page);
        await page.keyboard.press("Digit3");
        await waitForStatus(page, "Clock 9:41 AM");
        await page.evaluate(() => {
            window.statusWrites = 0;
            new MutationObserver(() => window.statusWrites++).observe(document.getElementById("device-status"), {
                childList: true, characterData: true, subtree: true,
            });
            window.colonChanges = 0;
            window.colonLit = null;
        });
        // Four blinks of the colon, read from the core as they come.
        await page.waitForFunction(
            () => {
                const lit = JSON.parse(window.zemblorCore.stateLine()).lit.includes("im_panel_time_colon");
                if (window.colonLit !== null && lit !== window.colonLit) {
                    window.colonChanges++;
                }
                window.colonLit = lit;
                return window.colonChanges >= 4;
            },
            { polling: 50, timeout: 10000 },
        );
        assert.equal(await page.evaluate(() => window.statusWrites), 0);
        await page.close();
    });
});

