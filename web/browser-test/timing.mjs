// Figures of the browser edition, printed, never asserted: download sizes, start-up times and
// timer lateness in headless Chromium. Run after `make web`: node browser-test/timing.mjs
import { readFileSync, readdirSync, statSync } from "node:fs";
import { join } from "node:path";
import { gzipSync } from "node:zlib";

import { SITE, launch, openPage, serve } from "./harness.mjs";

function files(dir) {
    return readdirSync(dir).flatMap((name) => {
        const path = join(dir, name);
        return statSync(path).isDirectory() ? files(path) : [path];
    });
}

const gz = (path) => gzipSync(readFileSync(path), { level: 9 }).length;
const code = files(SITE).filter((f) => /\.(js|wasm)$/.test(f));
const codeBytes = code.reduce((sum, f) => sum + gz(f), 0);
console.log(`WebAssembly and JavaScript, compressed: ${(codeBytes / 1024).toFixed(0)} KB`);

const server = await serve();
const browser = await launch("chromium");
const loaded = [];
const page = await openPage(browser, "about:blank");
page.on("response", async (response) => {
    try {
        loaded.push((await response.buffer()).length);
    } catch {
        // redirects and the like carry no body
    }
});
await page.goto(`${server.url}?seed=1&timing=1`);
await page.waitForSelector("#splash[open]");
await page.waitForFunction(() => performance.getEntriesByName("splash-drawn").length > 0);
const splash = await page.evaluate(() => performance.getEntriesByName("splash-drawn")[0].startTime);
console.log(`navigation to the start-up dialog drawn: ${splash.toFixed(0)} ms`);
// Play as a user presses it, once the dialog has been read (the pictures have loaded
// meanwhile); and at once, on the idle page below.
async function playToDrawn(waitForPictures) {
    if (waitForPictures) {
        await page.waitForFunction(() => performance.getEntriesByName("page-ready").length > 0);
    }
    await page.select("#sound-driver", "2");
    const played = await page.evaluate(() => performance.now());
    await page.click("#play");
    await page.waitForFunction(() => performance.getEntriesByName("device-drawn").length > 0);
    const drawn = await page.evaluate(() => performance.getEntriesByName("device-drawn")[0].startTime);
    return (drawn - played).toFixed(0);
}
console.log(`Play to the device drawn: ${await playToDrawn(true)} ms`);
console.log(`first load: ${(loaded.reduce((a, b) => a + b, 0) / 1024 / 1024).toFixed(2)} MB`);

// A minute of game A: many deadlines a second.
await page.keyboard.press("Digit1");
await page.keyboard.press("Digit1");
await new Promise((resolve) => setTimeout(resolve, 60000));
const late = await page.evaluate(() => window.zemblorTiming.lateness.slice().sort((a, b) => a - b));
const at = (q) => late[Math.min(late.length - 1, Math.floor(q * late.length))];
console.log(`timer lateness over ${late.length} wake-ups: median ${at(0.5).toFixed(2)} ms, 99th percentile ${at(0.99).toFixed(2)} ms`);

// Idle in the clock: wake-ups over ten seconds, on a page of its own.
await page.goto(`${server.url}?seed=1&timing=1`);
await page.waitForSelector("#splash[open]");
console.log(`Play at once to the device drawn: ${await playToDrawn(false)} ms`);
await page.keyboard.press("Digit3");
const before = await page.evaluate(() => window.zemblorTiming.wakes);
await new Promise((resolve) => setTimeout(resolve, 10000));
const wakes = (await page.evaluate(() => window.zemblorTiming.wakes)) - before;
console.log(`idle in the clock mode: ${(wakes / 10).toFixed(1)} wake-ups a second`);
await browser.close();
server.close();
