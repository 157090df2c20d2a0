// The page as a user meets it, in Chromium and Firefox.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { readFileSync, mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { after, before, describe, it } from "node:test";

import { launch, lastState, openPage, playWithoutSound, serve, trace, waitForState } from "./harness.mjs";

const ROOT = new URL("../../", import.meta.url).pathname;
const QUERY = "?seed=1&clock=2026-12-08T09:41&trace=1";

// The desktop skin preview of the windowed face with every segment lit.
function desktopPreview() {
    const dir = mkdtempSync(join(tmpdir(), "zemblor-web-"));
    const out = join(dir, "reference.png");
    execFileSync(join(ROOT, "build/tools/skin-preview/zemblor-skin-preview"), ["--config", "Config.ini", out], {
        cwd: join(ROOT, "assets"),
        env: { ...process.env, QT_QPA_PLATFORM: "offscreen" },
    });
    return readFileSync(out);
}

for (const name of ["chromium", "firefox"]) {
    describe(`the page in ${name}`, { concurrency: false }, () => {
        let browser;
        let server;
        before(async () => {
            server = await serve(undefined, new Map([["/reference.png", desktopPreview()]]));
            browser = await launch(name);
        });
        after(async () => {
            await browser?.close();
            server?.close();
        });

        it("opens on the start-up dialog, then Play switches the device on", async () => {
            const page = await openPage(browser, server.url + QUERY);
            await page.waitForSelector("#splash[open]");
            const label = await page.$eval("label[for=sound-driver]", (l) => l.textContent);
            assert.equal(label, "Select sound driver:");
            const options = await page.$$eval("#sound-driver option", (os) => os.map((o) => o.textContent));
            assert.deepEqual(options, ["Browser audio output", "(no sound)"]);
            assert.equal(await page.$eval("#play", (b) => b.disabled), true, "Play waits for a driver");
            await playWithoutSound(page);
            const state = await lastState(page);
            assert.equal(state.mode, "ModeAllSegments");
            assert.deepEqual(state.digits, ["8", "8", "8", "8"]);
            assert.deepEqual(page.errors, []);
            await page.close();
        });

        it("takes the keyboard through the bindings; a held key acts once", async () => {
            const page = await openPage(browser, server.url + QUERY);
            await playWithoutSound(page);
            await page.keyboard.press("Digit3");
            await waitForState(page, (line) => line.mode === "ModeTime1");
            await page.keyboard.down("Digit1");
            await waitForState(page, (line) => line.mode === "ModeGameAReady");
            await new Promise((resolve) => setTimeout(resolve, 2000));
            assert.equal((await lastState(page)).mode, "ModeGameAReady", "the high score stays while held");
            await page.keyboard.up("Digit1");
            await waitForState(page, (line) => line.mode === "ModeGameA");
            await page.close();
        });

        it("moves the hero with a touch on LEFT", async () => {
            const page = await openPage(browser, server.url + QUERY);
            await playWithoutSound(page);
            await page.keyboard.press("Digit1");
            await page.keyboard.press("Digit1");
            await page.waitForFunction(() => window.zemblorTrace.some((l) => l.sound === "Start"));
            await new Promise((resolve) => setTimeout(resolve, 1700));
            const box = await page.$eval("#device", (c) => {
                const r = c.getBoundingClientRect();
                return { x: r.left, y: r.top, scale: r.width / 560 };
            });
            // LEFT's box: 44,219 43x41.
            const at = { x: box.x + (44 + 20) * box.scale, y: box.y + (219 + 20) * box.scale };
            await page.mouse.move(at.x, at.y);
            await page.mouse.down();
            await page.mouse.up();
            await waitForState(page, (line) => line.mode === "ModeGameA" && line.hero === 2);
            await page.close();
        });

        it("paints the device as the desktop's skin preview does", async () => {
            const page = await openPage(browser, server.url + QUERY);
            await playWithoutSound(page);
            await new Promise((resolve) => setTimeout(resolve, 300));
            const result = await page.evaluate(async () => {
                const canvas = document.getElementById("device");
                const reference = await createImageBitmap(await (await fetch("reference.png")).blob(), {
                    colorSpaceConversion: "none",
                    premultiplyAlpha: "none",
                });
                const w = reference.width;
                const h = reference.height;
                const scaled = new OffscreenCanvas(w, h);
                const sctx = scaled.getContext("2d");
                sctx.imageSmoothingEnabled = false;
                sctx.drawImage(canvas, 0, 0, w, h);
                const shown = sctx.getImageData(0, 0, w, h).data;
                const ref = new OffscreenCanvas(w, h).getContext("2d");
                ref.drawImage(reference, 0, 0);
                const wanted = ref.getImageData(0, 0, w, h).data;
                let opaque = 0;
                let equal = 0;
                for (let i = 0; i < wanted.length; i += 4) {
                    if (wanted[i + 3] === 255) {
                        opaque++;
                        if (Math.abs(wanted[i] - shown[i]) <= 2 && Math.abs(wanted[i + 1] - shown[i + 1]) <= 2 && Math.abs(wanted[i + 2] - shown[i + 2]) <= 2) {
                            equal++;
                        }
                    }
                }
                return { opaque, equal };
            });
            assert.ok(result.opaque > 100000, `${result.opaque} opaque pixels`);
            assert.ok(result.equal / result.opaque >= 0.995, `${result.equal} of ${result.opaque} equal`);
            await page.close();
        });

        it("stores what the desktop stores, kept over a reload", async () => {
            const page = await openPage(browser, server.url + QUERY);
            await page.evaluate(() => localStorage.clear());
            await page.reload();
            await playWithoutSound(page);
            const stored = await page.evaluate(() => ({ ...localStorage }));
            assert.equal(stored.SoundMode, "2");
            assert.equal(stored.SplashScreen, "1");
            assert.deepEqual([stored.Key1, stored.Key2, stored.Key3, stored.Key4, stored.Key5], ["2", "3", "4", "39", "40"]);
            await page.evaluate(() => localStorage.setItem("HiScore1", "77"));
            await page.$eval("#splash-at-startup", () => {});
            await page.reload();
            await playWithoutSound(page);
            await page.keyboard.press("Digit1");
            await page.keyboard.press("Digit1");
            await waitForState(page, (line) => line.mode === "ModeGameAReady");
            assert.deepEqual((await lastState(page)).hiscores, [77, 0]);
            await page.close();
        });

        it("pauses while the page is hidden", async () => {
            const page = await openPage(browser, server.url + QUERY);
            await playWithoutSound(page);
            await page.keyboard.press("Digit3");
            await waitForState(page, (line) => line.mode === "ModeTime1");
            const before = (await trace(page)).length;
            await page.evaluate(() => {
                Object.defineProperty(document, "hidden", { configurable: true, get: () => true });
                document.dispatchEvent(new Event("visibilitychange"));
            });
            assert.equal(await page.evaluate(() => document.body.dataset.paused), "1");
            await page.close();
            assert.ok(before > 0);
        });
    });
}
