// The README's picture of the page: headless Chromium on the built site, GAME A being played.
//   node browser-test/readme-picture.mjs  (writes docs/web-page.png)
import { launch, openPage, serve } from "./harness.mjs";

const OUT = new URL("../../docs/web-page.png", import.meta.url).pathname;

const server = await serve();
const browser = await launch("chromium");
try {
    const page = await openPage(browser, `${server.url}?seed=7&clock=2026-12-09T10:08`, { width: 800, height: 560 });
    await page.waitForSelector("#splash[open]");
    await page.select("#sound-driver", "2");
    await page.click("#play");
    await page.waitForFunction(() => document.body.dataset.state === "playing");
    await page.keyboard.press("Digit1");
    await page.keyboard.press("Digit1");
    await new Promise((resolve) => setTimeout(resolve, 6000));
    await page.keyboard.press("ArrowLeft");
    await new Promise((resolve) => setTimeout(resolve, 400));
    await page.screenshot({ path: OUT });
    console.log(`wrote ${OUT}`);
} finally {
    await browser.close();
    server.close();
}
