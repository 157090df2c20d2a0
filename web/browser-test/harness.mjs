// Real browsers on the built site: a static server on a free local port, headless Chromium
// and Firefox through puppeteer-core, and small helpers for what a user does.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize } from "node:path";

import puppeteer from "puppeteer-core";

// ZEMBLOR_SITE names another built site (a build directory of its own).
export const SITE = process.env.ZEMBLOR_SITE ?? new URL("../../build-web/site/", import.meta.url).pathname;

const TYPES = {
    ".html": "text/html",
    ".js": "text/javascript",
    ".mjs": "text/javascript",
    ".css": "text/css",
    ".wasm": "application/wasm",
    ".png": "image/png",
    ".bmp": "image/bmp",
    ".jpg": "image/jpeg",
    ".wav": "audio/wav",
    ".ini": "text/plain",
    ".txt": "text/plain",
};

// Serves `root`, and `extra` (a map of path to bytes) for files a test adds.
export async function serve(root = SITE, extra = new Map()) {
    const server = createServer(async (request, response) => {
        const asked = decodeURIComponent(new URL(request.url, "http://x").pathname);
        const path = asked === "/" ? "/index.html" : asked;
        try {
            const body = extra.get(path) ?? (await readFile(join(root, normalize(path))));
            response.writeHead(200, { "Content-Type": TYPES[extname(path)] ?? "application/octet-stream" });
            response.end(body);
        } catch {
            response.writeHead(404);
            response.end();
        }
    });
    await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
    return { url: `http://127.0.0.1:${server.address().port}/`, close: () => server.close() };
}

export const BROWSERS = {
    chromium: { executablePath: "/usr/bin/chromium", headless: true, args: ["--no-sandbox", "--autoplay-policy=no-user-gesture-required"] },
    firefox: { browser: "firefox", executablePath: "/usr/bin/firefox-esr", headless: true },
};

export async function launch(name) {
    return puppeteer.launch(BROWSERS[name]);
}

export async function openPage(browser, url, viewport = { width: 1024, height: 768 }) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    const errors = [];
    page.on("pageerror", (error) => errors.push(error.message));
    await page.goto(url);
    page.errors = errors;
    return page;
}

// Through the start-up dialog with "(no sound)", as a user would.
export async function playWithoutSound(page) {
    await page.waitForSelector("#splash[open]");
    await page.select("#sound-driver", "2");
    await page.click("#play");
    await page.waitForFunction(() => document.body.dataset.state === "playing");
}

export async function trace(page) {
    return page.evaluate(() => window.zemblorTrace);
}

export async function lastState(page) {
    return page.evaluate(() => window.zemblorTrace.filter((line) => "mode" in line).at(-1));
}

export async function waitForState(page, predicate, timeout = 10000) {
    await page.waitForFunction(
        `window.zemblorTrace.some((line) => "mode" in line && (${predicate})(line))`,
        { timeout },
    );
}

