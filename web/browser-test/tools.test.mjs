// The page's own tools as a user meets them, in Chromium and Firefox: an own skin folder,
// "Default skin", "Save session" replayed by the runner, and the help from the keyboard.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import { copyFileSync, mkdirSync, mkdtempSync, readFileSync, readdirSync, statSync, writeFileSync } from "node:fs";
import { tmpdir } from "node:os";
import { basename, join, relative } from "node:path";
import { after, before, describe, it } from "node:test";

import { SITE, launch, openPage, playWithoutSound, serve } from "./harness.mjs";

const ROOT = new URL("../../", import.meta.url).pathname;
const ASSETS = join(ROOT, "assets");
const RUNNER = process.env.ZEMBLOR_HEADLESS ?? join(SITE, "..", "zemblor-headless.js");

// A skin as a person would make one on Windows: names in other cases than Config.ini writes
// them, the face's background left out, one picture that is not a picture, and a Move sound
// of its own (a copy of Got.wav, told apart by its size); the other sounds are left out.
function makeSkin() {
    const dir = join(mkdtempSync(join(tmpdir(), "zemblor-skin-")), "Blue Skin");
    mkdirSync(join(dir, "GRAPHICS", "SKIN"), { recursive: true });
    mkdirSync(join(dir, "Sound"));
    copyFileSync(join(ASSETS, "Config.ini"), join(dir, "CONFIG.INI"));
    for (const name of readdirSync(join(ASSETS, "Graphics", "Skin"))) {
        if (name !== "background.png") {
            copyFileSync(join(ASSETS, "Graphics", "Skin", name), join(dir, "GRAPHICS", "SKIN", name.toUpperCase()));
        }
    }
    writeFileSync(join(dir, "GRAPHICS", "SKIN", "BTN_SET_TOP.PNG"), "not a picture");
    copyFileSync(join(ASSETS, "Sound", "Got.wav"), join(dir, "Sound", "Move.wav"));
    return dir;
}

// Every file under `dir` as a folder picker names it: the folder's name, then the path.
function folderFiles(dir) {
    const files = [];
    const walk = (at) => {
        for (const name of readdirSync(at)) {
            const path = join(at, name);
            if (statSync(path).isDirectory()) {
                walk(path);
            } else {
                files.push({ path: join(basename(dir), relative(dir, path)), data: readFileSync(path).toString("base64") });
            }
        }
    };
    walk(dir);
    return files;
}

// The files as File objects with the paths a folder picker gives them.
function filesInPage(files) {
    const dt = new DataTransfer();
    for (const { path, data } of files) {
        const file = new File([Uint8Array.from(atob(data), (c) => c.charCodeAt(0))], path.split("/").at(-1));
        Object.defineProperty(file, "webkitRelativePath", { value: path });
        dt.items.add(file);
    }
    return dt;
}

// "Load skin folder…" in the help. Chromium takes the folder through its file chooser as a
// user picks it; Firefox's remote protocol cannot hand a folder to a file input, so there
// the folder's files go into the input as its picker gives them and the input says so.
async function chooseFolder(page, browserName, dir) {
    await page.click("#help-button");
    await page.waitForSelector("#help[open]");
    if (browserName === "chromium") {
        const [chooser] = await Promise.all([page.waitForFileChooser(), page.click("#load-skin")]);
        await chooser.accept([dir]);
        return;
    }
    await page.evaluate(`(() => {
        const input = document.getElementById("skin-folder");
        input.files = (${filesInPage})(${JSON.stringify(folderFiles(dir))}).files;
        input.dispatchEvent(new Event("change", { bubbles: true }));
    })()`);
}

// A drop of `files` onto the device, as the browser hands a dropped folder's files over.
async function dropFiles(page, files) {
    await page.evaluate(`(() => {
        const dataTransfer = (${filesInPage})(${JSON.stringify(files)});
        const at = document.getElementById("device");
        for (const type of ["dragenter", "dragover", "drop"]) {
            at.dispatchEvent(new DragEvent(type, { dataTransfer, bubbles: true, cancelable: true }));
        }
    })()`);
}

// The device's top-left picture pixel: the background's corner, the missing-picture mark's
// red where the skin has no background.
function cornerIsMissingMark(page) {
    return page.evaluate(() => {
        const canvas = document.getElementById("device");
        const zoom = canvas.width / 560;
        const [r, g, b, a] = canvas.getContext("2d").getImageData(5 * zoom, 5 * zoom, 1, 1).data;
        return r === 255 && g === 0 && b === 0 && a === 255;
    });
}

function soundSize(page, path) {
    return page.evaluate(async (p) => (await window.zemblorSound.source.blob(p)).size, path);
}

// The page's own settings, written by its start-up dialog and its keys, are no device input
// and so not in the record.
const PAGE_SETTINGS = ["SoundMode", "SplashScreen", "FullscreenMode", "Zoom"];

// A state, sound or store line as both the page's trace and the runner print it.
function event(line) {
    if ("mode" in line) {
        const { t, mode, score, misses, hero, hiscores } = line;
        return JSON.stringify({ t, mode, score, misses, hero, hiscores });
    }
    return JSON.stringify(line);
}

const QUERY = "?seed=7&clock=2026-12-08T09:41&trace=1";

for (const browserName of ["chromium", "firefox"]) {
    describe(`the page's tools in ${browserName}`, () => {
        let browser;
        let server;
        let page;
        before(async () => {
            browser = await launch(browserName);
        });
        after(async () => {
            await browser?.close();
        });
        // Each test on a server of its own: its own address, so its own storage.
        async function start(query = QUERY) {
            server = await serve();
            page = await openPage(browser, server.url + query);
            return page;
        }
        async function stop() {
            await page?.close();
            server?.close();
        }

        it("load a skin folder, keep it for the next visit, and Default skin brings the built-in one back", async () => {
            const skin = makeSkin();
            await start();
            try {
                await playWithoutSound(page);
                assert.equal(await cornerIsMissingMark(page), false);
                assert.equal(await soundSize(page, "Sound/Move.wav"), statSync(join(ASSETS, "Sound", "Move.wav")).size);

                await chooseFolder(page, browserName, skin);
                await page.waitForFunction(() => document.body.dataset.skin === "own");
                assert.equal(await cornerIsMissingMark(page), true, "the folder's missing background");
                await page.waitForFunction(() => /GRAPHICS\/SKIN\/BTN_SET_TOP\.PNG cannot be read/.test(document.getElementById("notice").textContent));
                assert.equal(await page.$eval("#help[open]", () => true).catch(() => false), false, "the help closed");
                assert.equal(await soundSize(page, "Sound/Move.wav"), statSync(join(ASSETS, "Sound", "Got.wav")).size, "the folder's own Move");
                assert.equal(await soundSize(page, "Sound/Gameover.wav"), statSync(join(ASSETS, "Sound", "Gameover.wav")).size, "the site's for the rest");

                await page.reload();
                await playWithoutSound(page);
                assert.equal(await page.evaluate(() => document.body.dataset.skin), "own");
                assert.equal(await cornerIsMissingMark(page), true, "kept after a reload");
                await page.click("#help-button");
                assert.match(await page.$eval("#help-skin", (p) => p.textContent), /your own \("Blue Skin"\)/);
                assert.equal(await soundSize(page, "Sound/Move.wav"), statSync(join(ASSETS, "Sound", "Got.wav")).size);

                await page.click("#default-skin");
                await page.waitForFunction(() => document.body.dataset.skin === "built-in");
                assert.equal(await cornerIsMissingMark(page), false);
                assert.equal(await soundSize(page, "Sound/Move.wav"), statSync(join(ASSETS, "Sound", "Move.wav")).size);
                await page.reload();
                await playWithoutSound(page);
                assert.equal(await page.evaluate(() => document.body.dataset.skin), "built-in", "forgotten");
                assert.equal(await cornerIsMissingMark(page), false);
                assert.deepEqual(page.errors, []);
            } finally {
                await stop();
            }
        });

        it("take a dropped folder, and refuse one without Config.ini with the skin left as it was", async () => {
            const skin = makeSkin();
            await start();
            try {
                await playWithoutSound(page);
                await dropFiles(page, folderFiles(skin).filter(({ path }) => !/CONFIG\.INI$/.test(path)));
                await page.waitForFunction(() => /no Config\.ini/.test(document.getElementById("notice").textContent));
                assert.equal(await page.evaluate(() => document.body.dataset.skin), "built-in");
                assert.equal(await cornerIsMissingMark(page), false);

                await dropFiles(page, folderFiles(skin));
                await page.waitForFunction(() => document.body.dataset.skin === "own");
                assert.equal(await cornerIsMissingMark(page), true);
                assert.deepEqual(page.errors, []);
            } finally {
                await stop();
            }
        });

        it("say when the browser's storage cannot keep the skin, and use it all the same", async () => {
            const skin = makeSkin();
            await start();
            try {
                await playWithoutSound(page);
                await page.evaluate(() => {
                    IDBObjectStore.prototype.put = () => {
                        throw new DOMException("The quota has been exceeded.", "QuotaExceededError");
                    };
                });
                await chooseFolder(page, browserName, skin);
                await page.waitForFunction(() => document.body.dataset.skin === "own");
                await page.waitForFunction(() => /not kept for your next visit: the browser's storage for this site is full/.test(document.getElementById("notice").textContent));
                assert.equal(await cornerIsMissingMark(page), true);
                await page.reload();
                await playWithoutSound(page);
                assert.equal(await page.evaluate(() => document.body.dataset.skin), "built-in");
            } finally {
                await stop();
            }
        });

        it("save the session as a script that the runner replays with the same events", async () => {
            await start();
            try {
                await playWithoutSound(page);
                await page.keyboard.press("Digit3");
                await page.keyboard.press("Digit1");
                await page.keyboard.press("Digit1");
                await page.waitForFunction(() => window.zemblorTrace.filter((l) => l.sound === "Move").length >= 3, { timeout: 15000 });
                await page.keyboard.press("ArrowLeft");
                await page.keyboard.down("ArrowLeft");
                await page.keyboard.up("ArrowLeft");
                await page.keyboard.press("ArrowRight");
                await page.waitForFunction(() => window.zemblorTrace.filter((l) => l.sound === "Move").length >= 6, { timeout: 15000 });

                // Headless downloads differ per browser: the page's Blob and link are kept instead.
                await page.evaluate(() => {
                    window.saved = [];
                    const createObjectURL = URL.createObjectURL;
                    URL.createObjectURL = (blob) => {
                        window.saved.push({ blob });
                        return createObjectURL.call(URL, blob);
                    };
                    document.addEventListener(
                        "click",
                        (event) => {
                            if (event.target.download) {
                                window.saved.at(-1).name = event.target.download;
                                event.preventDefault();
                            }
                        },
                        true,
                    );
                });
                await page.click("#help-button");
                await page.waitForSelector("#help[open]");
                await page.click("#save-session");
                const saved = await page.evaluate(async () => ({ name: window.saved[0].name, text: await window.saved[0].blob.text() }));
                assert.equal(saved.name, "zemblor-session.script");
                const end = [...saved.text.matchAll(/^wait (\d+)$/gm)].reduce((sum, m) => sum + Number(m[1]), 0);
                await page.waitForFunction((t) => window.zemblorTrace.some((l) => l.t > t), { timeout: 15000 }, end);

                const header = /--seed (\d+) --clock "([^"]+)"/.exec(saved.text);
                assert.ok(header, saved.text.split("\n")[0]);
                const file = join(mkdtempSync(join(tmpdir(), "zemblor-session-")), saved.name);
                writeFileSync(file, saved.text);
                const replay = execFileSync("node", [RUNNER, "--seed", header[1], "--clock", header[2], file], { encoding: "utf8" })
                    .trim()
                    .split("\n")
                    .map((line) => JSON.parse(line));
                const traced = (await page.evaluate(() => window.zemblorTrace)).filter((line) => line.t <= end && !PAGE_SETTINGS.includes(line.store));
                assert.deepEqual(replay.map(event), traced.map(event));
                assert.ok(traced.some((line) => line.mode === "ModeGameA"));
            } finally {
                await stop();
            }
        });

        it("open the help from the keyboard with the keys in force, keep the focus in it, and close it with Escape", async () => {
            await start();
            try {
                await page.waitForSelector("#splash[open]");
                await page.evaluate(() => localStorage.setItem("Key1", "11"));
                await page.reload();
                await playWithoutSound(page);
                for (let n = 0; n < 10 && (await page.evaluate(() => document.activeElement.id)) !== "help-button"; n++) {
                    await page.keyboard.press("Tab");
                }
                assert.equal(await page.evaluate(() => document.activeElement.id), "help-button");
                await page.keyboard.press("Enter");
                await page.waitForSelector("#help[open]");
                const rows = await page.$$eval("#help-keys tbody tr", (trs) => trs.map((tr) => tr.textContent));
                assert.deepEqual(rows, ["GAME AA", "GAME B2", "TIME3", "LEFTLeft arrow", "RIGHTRight arrow"]);
                const names = await page.$$eval("#help button", (buttons) => buttons.map((b) => b.textContent.trim()));
                assert.deepEqual(names, ["Save session", "Load skin folder…", "Default skin", "Close"]);

                const states = await page.evaluate(() => window.zemblorTrace.length);
                for (const shift of [false, true]) {
                    for (let n = 0; n < 6; n++) {
                        if (shift) {
                            await page.keyboard.down("Shift");
                        }
                        await page.keyboard.press("Tab");
                        if (shift) {
                            await page.keyboard.up("Shift");
                        }
                        assert.equal(await page.evaluate(() => document.getElementById("help").contains(document.activeElement)), true);
                    }
                }
                await page.keyboard.press("KeyA");
                assert.equal(await page.evaluate(() => window.zemblorTrace.length), states, "no key reaches the device");

                await page.keyboard.press("Escape");
                await page.waitForFunction(() => !document.getElementById("help").open);
                assert.equal(await page.evaluate(() => document.activeElement.id), "help-button");
                assert.deepEqual(page.errors, []);
            } finally {
                await stop();
            }
        });
    });
}
