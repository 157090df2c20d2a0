// Real browsers on the built site: a static server on a free local port, headless Chromium
// and Firefox through puppeteer-core, and small helpers for what a user does.
import { createServer } from "node:http";
import { readFile } from "node:fs/promises";
import { extname, join, normalize } from "node:path";

import { after, before, describe } from "node:test";

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
    ".json": "application/json",
    ".webmanifest": "application/manifest+json",
};

// A static server of `root`, where `extra` (a map of path to bytes) stands over its files.
function siteServer(root, extra) {
    return createServer(async (request, response) => {
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
}

// Serves `root`, and `extra` (a map of path to bytes) for files a test adds.
export async function serve(root = SITE, extra = new Map()) {
    const server = siteServer(root, extra);
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

// A page in a browser context of its own: its own storage and service workers; closing the
// page closes the context.
export async function freshPage(browser, url, viewport) {
    const context = await browser.createBrowserContext();
    const page = await openPage(context, url, viewport);
    const close = page.close.bind(page);
    page.close = async () => {
        await close();
        await context.close();
    };
    return page;
}

// Runs `body(name, env)` as a suite in Chromium and in Firefox, one test after another:
// `env.browser` and `env.server` (from `startServer`) are there when its tests run.
export function inEachBrowser(title, body, startServer = () => serve()) {
    for (const name of ["chromium", "firefox"]) {
        describe(`${title} in ${name}`, { concurrency: false }, () => {
            const env = {};
            before(async () => {
                env.server = await startServer();
                env.browser = await launch(name);
            });
            after(async () => {
                await env.browser?.close();
                env.server?.close();
            });
            body(name, env);
        });
    }
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

// A server for the offline tests: `files` (path to bytes) stands over `root` and can change
// between requests; stop() ends it with every open connection, as a network that is gone, and
// start() brings it back on the same port, the same origin, so the site's worker is the same.
export async function serveSwappable(root = SITE) {
    const files = new Map();
    const sockets = new Set();
    const server = siteServer(root, files);
    server.on("connection", (socket) => {
        sockets.add(socket);
        socket.on("close", () => sockets.delete(socket));
    });
    const listen = (port) =>
        new Promise((resolve, reject) => {
            server.once("error", reject);
            server.listen(port, "127.0.0.1", () => {
                server.off("error", reject);
                resolve();
            });
        });
    await listen(0);
    const port = server.address().port;
    return {
        url: `http://127.0.0.1:${port}/`,
        files,
        async stop() {
            const closed = new Promise((resolve) => server.close(resolve));
            for (const socket of sockets) {
                socket.destroy();
            }
            await closed;
        },
        start: () => listen(port),
    };
}
