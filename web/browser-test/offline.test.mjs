// The page kept by its worker, in Chromium and Firefox: it starts and plays with the server
// gone, a new version comes in only at the next start, a broken one never, and the manifest
// makes it installable.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { join } from "node:path";
import { after, before, describe, it } from "node:test";

import { SITE, launch, openPage, playWithoutSound, serveSwappable, waitForState } from "./harness.mjs";

const QUERY = "?seed=1&clock=2026-12-08T09:41&trace=1";
const LIST = JSON.parse(readFileSync(join(SITE, "site-files.json"), "utf8"));
const NEXT = "0123456789abcdef";
const NEW_README = "The next version's read-me.\n";

// A next version of the site as a build would make it: other bytes, another version name.
function nextVersion(server, { missing } = {}) {
    const html = readFileSync(join(SITE, "index.html"), "utf8");
    const marked = html.replace("<title>", '<meta name="zemblor-next" content="1"><title>');
    server.files.set("/index.html", Buffer.from(marked));
    server.files.set("/Readme.txt", Buffer.from(NEW_README));
    const files = missing ? [...LIST.files, missing] : LIST.files;
    server.files.set("/site-files.json", Buffer.from(JSON.stringify({ version: NEXT, files })));
}

const controlled = (page) =>
    page.waitForFunction(() => navigator.serviceWorker.controller !== null, { timeout: 20000 });
const isNext = (page) => page.evaluate(() => document.querySelector("meta[name=zemblor-next]") !== null);
const readme = (page) => page.evaluate(async () => (await fetch("Readme.txt")).text());
const cacheNames = (page) => page.evaluate(async () => (await caches.keys()).sort());

// What another start of the page asks of the worker: a look for a newer version, and its outcome.
const check = (page) =>
    page.evaluate(async () => {
        const channel = new MessageChannel();
        const answered = new Promise((resolve) => (channel.port1.onmessage = (event) => resolve(event.data)));
        navigator.serviceWorker.controller.postMessage("check", [channel.port2]);
        return answered;
    });

// The page's own look at its start is over (a look asked meanwhile shares its outcome).
async function settled(page) {
    assert.deepEqual(await check(page), { kept: "current" });
}

// Polls across the page's own reloads, which destroy the context an evaluation runs in.
async function eventually(page, predicate, timeout = 20000) {
    const end = Date.now() + timeout;
    for (;;) {
        try {
            if (await page.evaluate(predicate)) {
                return;
            }
        } catch {
            // the page is starting again
        }
        if (Date.now() > end) {
            throw new Error(`not reached in ${timeout} ms: ${predicate}`);
        }
        await new Promise((resolve) => setTimeout(resolve, 100));
    }
}

// The device on and taking a key, and the canvas painted.
async function playsAKey(page) {
    await playWithoutSound(page);
    await page.keyboard.press("Digit3");
    await waitForState(page, (line) => line.mode === "ModeTime1");
    const painted = await page.$eval("#device", (canvas) => {
        const { data } = canvas.getContext("2d").getImageData(canvas.width / 2, canvas.height / 2, 1, 1);
        return data[3] === 255;
    });
    assert.ok(painted, "the device is drawn");
}

for (const name of ["chromium", "firefox"]) {
    describe(`the page kept for use offline in ${name}`, { concurrency: false }, () => {
        let browser;
        let server;
        before(async () => {
            browser = await launch(name);
        });
        after(async () => {
            await browser?.close();
            await server?.stop();
        });
        // Each test on a server of its own, a fresh origin with no worker yet.
        const fresh = async () => {
            await server?.stop().catch(() => {});
            server = await serveSwappable();
            return server;
        };

        it("starts and plays with the server gone, every file of the site kept", async () => {
            await fresh();
            const page = await openPage(browser, server.url + QUERY);
            await page.waitForSelector("#splash[open]");
            await controlled(page);
            await server.stop();
            await page.reload();
            await playsAKey(page);
            const unkept = await page.evaluate(async (files) => {
                const kept = async (file) => (await fetch(file).catch(() => null))?.ok;
                const found = await Promise.all(files.map(kept));
                return files.filter((_, i) => !found[i]);
            }, LIST.files);
            assert.deepEqual(unkept, []);
            for (const needed of ["index.html", "zemblor-core.wasm", "Sound/Start.wav", "manifest.webmanifest"]) {
                assert.ok(LIST.files.includes(needed), needed);
            }
            assert.deepEqual(page.errors, []);
            await page.close();
        });

        it("keeps a new version for the next start, never changing the running page", async () => {
            await fresh();
            const page = await openPage(browser, server.url + QUERY);
            await controlled(page);
            await playWithoutSound(page);
            await settled(page);
            nextVersion(server);
            await page.evaluate(() => (window.stillTheSamePage = true));
            assert.deepEqual(await check(page), { kept: "kept" });
            const both = [`zemblor-site-${LIST.version}`, `zemblor-site-${NEXT}`, "zemblor-state"];
            assert.deepEqual(await cacheNames(page), both.sort());
            assert.equal(await page.evaluate(() => window.stillTheSamePage), true, "the page is not started again");
            assert.equal(await isNext(page), false);
            assert.notEqual(await readme(page), NEW_README, "the running page keeps its own version's files");
            await page.keyboard.press("Digit3");
            await waitForState(page, (line) => line.mode === "ModeTime1");

            await page.reload();
            assert.equal(await isNext(page), true, "the next start is on the new version");
            assert.equal(await readme(page), NEW_README);
            const kept = await cacheNames(page);
            assert.deepEqual(kept, [`zemblor-site-${NEXT}`, "zemblor-state"], "the old version is dropped");
            await playsAKey(page);
            assert.deepEqual(page.errors, []);
            await page.close();
        });

        it("starts again once on a new version found while the start-up dialog is shown", async () => {
            await fresh();
            const page = await openPage(browser, server.url + QUERY);
            await controlled(page);
            await settled(page);
            nextVersion(server);
            await page.reload();
            await eventually(page, () => document.querySelector("meta[name=zemblor-next]") !== null);
            // Loads cut short in the page that was replaced may be reported (Firefox does).
            page.errors.length = 0;
            await page.waitForSelector("#splash[open]");
            assert.equal(await readme(page), NEW_README);
            await playsAKey(page);
            assert.deepEqual(page.errors, []);
            await page.close();
        });

        it("keeps the version in force when a new one cannot be had whole", async () => {
            await fresh();
            const page = await openPage(browser, server.url + QUERY);
            await controlled(page);
            await settled(page);
            nextVersion(server, { missing: "Graphics/Skin/not-there.png" });
            const outcome = await check(page);
            assert.match(outcome.error ?? "", /./, "the look for a newer version fails");
            assert.deepEqual(await cacheNames(page), [`zemblor-site-${LIST.version}`, "zemblor-state"]);
            assert.equal(await isNext(page), false);
            await playsAKey(page);

            await server.stop();
            await page.reload();
            await page.waitForSelector("#splash[open]");
            assert.equal(await isNext(page), false);
            assert.notEqual(await readme(page), NEW_README);
            await playsAKey(page);
            assert.deepEqual(page.errors, []);
            await page.close();
        });

        it("names itself and its icons in a manifest", async () => {
            await fresh();
            const page = await openPage(browser, server.url + QUERY);
            const found = await page.evaluate(async () => {
                const link = document.querySelector("link[rel=manifest]");
                const manifest = await (await fetch(link.href)).json();
                const sizes = await Promise.all(
                    manifest.icons.map(async (icon) => {
                        const picture = new Image();
                        picture.src = new URL(icon.src, link.href).href;
                        await picture.decode();
                        return [icon.sizes, `${picture.naturalWidth}x${picture.naturalHeight}`];
                    }),
                );
                return { manifest, sizes, page: getComputedStyle(document.body).backgroundColor };
            });
            const { manifest, sizes } = found;
            assert.equal(manifest.name, "Zemblor");
            assert.ok(manifest.short_name);
            assert.equal(manifest.start_url, ".");
            assert.ok(["standalone", "fullscreen"].includes(manifest.display));
            assert.equal(found.page, "rgb(28, 42, 51)");
            assert.equal(manifest.background_color, "#1c2a33");
            assert.equal(manifest.theme_color, "#1c2a33");
            for (const [named, real] of sizes) {
                assert.equal(real, named, "each icon is the size the manifest names");
            }
            const widths = sizes.map(([named]) => Number(named.split("x")[0]));
            assert.ok(widths.some((w) => w >= 192) && widths.includes(512), `icon sizes ${widths}`);
            await page.close();
        });
    });
}
