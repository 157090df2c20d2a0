// The page as a user meets it, in Chromium and Firefox.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { readFileSync, mkdtempSync } from "node:fs";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { it } from "node:test";

import { inEachBrowser, lastState, openPage, playWithoutSound, serve, trace, waitForState } from "./harness.mjs";

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

// Play has begun when the first item comes (the ticks themselves leave no state line).
async function startGameA(page) {
    await page.keyboard.press("Digit1");
    await page.keyboard.press("Digit1");
    await page.waitForFunction(() => window.zemblorTrace.some((line) => line.sound === "Move"), { timeout: 10000 });
}

async function deviceBox(page) {
    return page.$eval("#device", (c) => {
        const r = c.getBoundingClientRect();
        return { x: r.left, y: r.top, scale: r.width / 560 };
    });
}

async function stored(page, name) {
    return page.evaluate((key) => localStorage.getItem(key), name);
}

// The canvas's top left pixel's opacity: the backdrop full screen, the page around the outline
// windowed.
function cornerAlphaIn() {
    return document.getElementById("device").getContext("2d").getImageData(0, 0, 1, 1).data[3];
}
async function cornerAlpha(page) {
    return page.evaluate(cornerAlphaIn);
}

// Light text at the foot of the screen, in the middle: the legend of the keys in force.
async function keyLegendShown(page) {
    return page.evaluate(() => {
        const canvas = document.getElementById("device");
        const data = canvas.getContext("2d").getImageData(canvas.width / 2 - 150, canvas.height - 40, 300, 40).data;
        let light = 0;
        for (let i = 0; i < data.length; i += 4) {
            light += data[i] > 215 && data[i + 1] > 215 && data[i + 2] > 215 ? 1 : 0;
        }
        return light > 100;
    });
}

// Light pixels in a dark box at the middle of the liquid-crystal screen.
async function pausedMarkShown(page) {
    return page.evaluate(() => {
        const canvas = document.getElementById("device");
        const scale = canvas.width / 560;
        const data = canvas.getContext("2d").getImageData(235 * scale, 172 * scale, 80 * scale, 18 * scale).data;
        let dark = 0;
        let white = 0;
        for (let i = 0; i < data.length; i += 4) {
            dark += data[i] < 80 && data[i + 1] < 80 && data[i + 2] < 80 ? 1 : 0;
            white += data[i] > 240 && data[i + 1] > 240 && data[i + 2] > 240 ? 1 : 0;
        }
        return dark > data.length / 8 && white > 20;
    });
}

// Fingers on the screen: real touches in Chromium; Firefox's remote protocol cannot make
// touches headless, so there they are the pointer events a touch screen gives.
async function touchScreen(page, browserName) {
    if (browserName === "chromium") {
        return { start: ({ x, y }) => page.touchscreen.touchStart(x, y) };
    }
    let next = 11;
    const send = (type, id, { x, y }) =>
        page.evaluate(
            (t, pointerId, clientX, clientY) =>
                document.getElementById("device").dispatchEvent(
                    new PointerEvent(t, {
                        pointerId, pointerType: "touch", isPrimary: pointerId === 11, clientX, clientY,
                        button: t === "pointerdown" ? 0 : -1, buttons: t === "pointerdown" ? 1 : 0, bubbles: true,
                    }),
                ),
            type, id, x, y,
        );
    return {
        async start(at) {
            const id = next++;
            await send("pointerdown", id, at);
            return { end: () => send("pointerup", id, at) };
        },
    };
}

inEachBrowser("the page", (name, env) => {

    it("opens on the start-up dialog, then Play switches the device on", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
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
        const page = await openPage(env.browser, env.server.url + QUERY);
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
        const page = await openPage(env.browser, env.server.url + QUERY);
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
        const page = await openPage(env.browser, env.server.url + QUERY);
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
        const page = await openPage(env.browser, env.server.url + QUERY);
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

    it("pauses while the page is hidden and with the Pause key, without a burst after", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await playWithoutSound(page);
        await startGameA(page);
        await page.evaluate(() => {
            Object.defineProperty(document, "hidden", { configurable: true, get: () => true });
            document.dispatchEvent(new Event("visibilitychange"));
        });
        assert.equal(await page.evaluate(() => document.body.dataset.paused), "hidden");
        await page.keyboard.press("Pause");
        const frozen = (await trace(page)).length;
        await page.evaluate(() => {
            Object.defineProperty(document, "hidden", { configurable: true, get: () => false });
            document.dispatchEvent(new Event("visibilitychange"));
        });
        assert.equal(await page.evaluate(() => document.body.dataset.paused), "pause", "the Pause key still holds it");
        assert.ok(await pausedMarkShown(page), "PAUSED is shown over the device");
        await page.keyboard.press("ArrowLeft");
        await new Promise((resolve) => setTimeout(resolve, 1500));
        const lines = await trace(page);
        assert.equal(lines.length, frozen, "no tick and no press while paused");
        await page.keyboard.press("Pause");
        await page.waitForFunction((n) => window.zemblorTrace.length > n, {}, frozen);
        const next = (await trace(page))[frozen];
        assert.ok(next.t - lines.at(-1).t < 1000, `the game goes on where it stopped (${lines.at(-1).t} to ${next.t})`);
        await page.keyboard.press("ArrowLeft");
        await waitForState(page, (line) => line.lit.includes("btn_left_down"));
        assert.equal((await lastState(page)).hero, 2, "the press made while paused never reached the device");
        assert.equal(await page.evaluate(() => document.body.dataset.paused), undefined);
        assert.equal(await pausedMarkShown(page), false);
        await page.close();
    });

    it("steps the zoom with + and - and stores it", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY, { width: 1400, height: 1000 });
        await playWithoutSound(page);
        const width = () => page.$eval("#device", (c) => c.width);
        assert.equal(await width(), 1120, "the largest zoom that fits");
        await page.keyboard.press("Minus");
        await page.waitForFunction(() => document.getElementById("device").width === 560);
        assert.equal(await stored(page, "Zoom"), "1");
        await page.keyboard.press("NumpadAdd");
        await page.keyboard.press("Equal");
        await page.waitForFunction(() => document.getElementById("device").width === 1120);
        assert.equal(await stored(page, "Zoom"), "2", "never above the largest that fits");
        await page.keyboard.press("Minus");
        await page.reload();
        await playWithoutSound(page);
        assert.equal(await width(), 560, "the stored zoom is kept");
        await page.close();
    });

    it("takes a finger on LEFT held while another taps RIGHT, as the device does", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await playWithoutSound(page);
        await startGameA(page);
        const box = await deviceBox(page);
        const left = { x: box.x + 64 * box.scale, y: box.y + 239 * box.scale };
        const right = { x: box.x + 493 * box.scale, y: box.y + 239 * box.scale };
        const fingers = await touchScreen(page, name);
        const one = await fingers.start(left);
        await waitForState(page, (line) => line.hero === 2 && line.lit.includes("btn_left_down"));
        const two = await fingers.start(right);
        await waitForState(page, (line) => line.lit.includes("btn_left_down") && line.lit.includes("btn_right_down"));
        assert.equal((await lastState(page)).hero, 2, "RIGHT is ignored while LEFT is held");
        await two.end();
        await one.end();
        await waitForState(page, (line) => !line.lit.includes("btn_left_down") && !line.lit.includes("btn_right_down"));
        const three = await fingers.start(right);
        await three.end();
        await waitForState(page, (line) => line.hero === 3);
        await page.close();
    });

    it("plays the beeps through the browser's audio output", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await page.waitForSelector("#splash[open]");
        await page.select("#sound-driver", "0");
        await page.click("#play");
        await page.waitForFunction(() => document.body.dataset.state === "playing");
        if (name === "chromium") {
            // Headless Firefox has no audio device: its context stays suspended.
            assert.equal(await page.evaluate(() => window.zemblorSound.context.state), "running");
        }
        assert.equal(await page.evaluate(() => window.zemblorSound.buffers.length), 5);
        await page.keyboard.press("Digit1");
        await page.keyboard.press("Digit1");
        await page.waitForFunction(() => window.zemblorTrace.some((line) => line.sound === "Start"));
        assert.equal(await page.evaluate(() => window.zemblorSound.started), 1, "the Start beep");
        assert.equal(await stored(page, "SoundMode"), "0");
        await page.close();
    });

    it(`plays no beep once "(no sound)" is chosen after the browser's output`, async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await page.waitForSelector("#splash[open]");
        await page.select("#sound-driver", "0");
        await page.click("#play");
        await page.waitForFunction(() => document.body.dataset.state === "playing");
        await page.keyboard.press("Escape");
        await page.waitForSelector("#splash[open]");
        await page.select("#sound-driver", "2");
        await page.click("#play");
        await page.waitForFunction(() => document.body.dataset.state === "playing");
        const before = await page.evaluate(() => window.zemblorSound.started);
        await page.keyboard.press("Digit1");
        await page.keyboard.press("Digit1");
        await page
            .waitForFunction(() => window.zemblorTrace.filter((line) => line.sound === "Start").length === 1, { timeout: 10000 })
            .catch(async (error) => {
                const tail = await page.evaluate(() => JSON.stringify(window.zemblorTrace.slice(-8).map((l) => [l.t, l.mode ?? l.sound ?? l.store])));
                throw new Error(`${error.message}; the trace ends ${tail}`);
            });
        assert.equal(await page.evaluate(() => window.zemblorSound.started), before);
        assert.equal(await page.evaluate(() => window.zemblorSound.context), null);
        await page.close();
    });

    it("takes Play's 1 by its place on the keyboard, whatever the layout types", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await page.waitForSelector("#splash[open]");
        await page.select("#sound-driver", "2");
        await page.$eval("#sound-driver", (list) =>
            list.dispatchEvent(new KeyboardEvent("keydown", { code: "Digit1", key: "&", bubbles: true })),
        );
        await page.waitForFunction(() => document.body.dataset.state === "playing");
        await page.close();
    });

    it("lets go of held keys when the page loses the focus", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await playWithoutSound(page);
        await page.keyboard.press("Digit3");
        await page.keyboard.down("Digit1");
        await waitForState(page, (line) => line.mode === "ModeGameAReady");
        await page.evaluate(() => window.dispatchEvent(new Event("blur")));
        // Still held, GAME A would keep the high score shown and never start play.
        await page.waitForFunction(() => window.zemblorTrace.some((line) => line.sound === "Move"));
        await page.keyboard.up("Digit1");
        await page.close();
    });

    it("fits a phone's narrow screen at whole device pixels", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY, {
            width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true,
        });
        await page.evaluate(() => localStorage.removeItem("Zoom"));
        await page.reload();
        await playWithoutSound(page);
        const size = await page.$eval("#device", (c) => [c.width, c.getBoundingClientRect().width, window.devicePixelRatio]);
        assert.deepEqual(size.slice(0, 1), [1120], "zoom 2 on a screen of 1170 device pixels");
        assert.ok(Math.abs(size[1] * size[2] - 1120) < 1, `${size[1]} CSS pixels at ratio ${size[2]}`);
        await page.close();
    });

    it("names each button's key in its hint", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        await playWithoutSound(page);
        const box = await deviceBox(page);
        await page.mouse.move(box.x + 297 * box.scale, box.y + 315 * box.scale);
        await page.waitForFunction(() => document.getElementById("device").title !== "");
        assert.equal(
            await page.$eval("#device", (c) => c.title),
            "click or press '1' to start game A (hold to view highscore)",
        );
        await page.close();
    });
    it("goes full screen with the backdrop and back, and comes back full screen at Play", async () => {
        const page = await openPage(env.browser, env.server.url + QUERY);
        // The zoom "auto", whatever an earlier test stored.
        await page.evaluate(() => localStorage.removeItem("Zoom"));
        await page.reload();
        await playWithoutSound(page);
        assert.equal(await cornerAlpha(page), 0, "windowed, the page shows around the outline");
        await page.click("#fullscreen");
        await page.waitForFunction(() => document.fullscreenElement !== null);
        await page.waitForFunction(`(${cornerAlphaIn})() === 255`);
        // Full screen, the keys in force are named under the device where there is room: on
        // headless Chromium's 1024 x 768 at zoom 1, not on Firefox's 1366 x 768 at zoom 2.
        assert.equal(await keyLegendShown(page), name === "chromium");
        await page.waitForFunction(() => localStorage.getItem("FullscreenMode") === "1");
        await page.evaluate(() => document.exitFullscreen());
        await page.waitForFunction(`document.fullscreenElement === null && (${cornerAlphaIn})() === 0`);
        await page.waitForFunction(() => localStorage.getItem("FullscreenMode") === "0");
        if (name === "chromium") {
            // A double click on the liquid-crystal screen, which is no button (Firefox's
            // remote protocol makes no double clicks).
            const screen = await deviceBox(page);
            await page.mouse.click(screen.x + 280 * screen.scale, screen.y + 120 * screen.scale, { clickCount: 2 });
            await page.waitForFunction(() => document.fullscreenElement !== null);
        } else {
            await page.click("#fullscreen");
        }
        await page.waitForFunction(() => localStorage.getItem("FullscreenMode") === "1");
        await page.reload();
        await playWithoutSound(page);
        await page.waitForFunction(`document.fullscreenElement !== null && (${cornerAlphaIn})() === 255`);
        // The browser's window stays full screen for the next page otherwise.
        await page.evaluate(() => document.exitFullscreen());
        await page.waitForFunction(() => document.fullscreenElement === null);
        await page.close();
    });
}, () => serve(undefined, new Map([["/reference.png", desktopPreview()]])));

