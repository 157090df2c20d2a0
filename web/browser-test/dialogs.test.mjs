// The program's dialogs in the page, in Chromium and Firefox: the about box, the key settings
// and the manual, opened through the menu's items and used with the keyboard and the mouse.
import assert from "node:assert/strict";
import { it } from "node:test";

import { freshPage, inEachBrowser, lastState, playWithoutSound, waitForState } from "./harness.mjs";

const QUERY = "?seed=1&clock=2026-12-08T09:41&trace=1";

// The device on, in a browser context of its own, so no setting of an earlier test is there.
async function playingPage(browser, server) {
    const page = await freshPage(browser, server.url + QUERY);
    await playWithoutSound(page);
    return page;
}

async function run(page, item) {
    await page.evaluate((name) => window.zemblorMenu.run(name), item);
}

const isOpen = (page, id) => page.$eval(`#${id}`, (d) => d.open);
const waitClosed = (page, id) => page.waitForFunction((d) => !document.getElementById(d).open, {}, id);

// The element with the focus, by id or class, and whether it lies in the open dialog.
function focusIn(page, id) {
    return page.evaluate((d) => {
        const at = document.activeElement;
        return { inside: document.getElementById(d).contains(at), name: at.id || at.className };
    }, id);
}

const keyNames = (page) => page.$$eval("#key-settings select", (lists) => lists.map((l) => l.value));
const redNames = (page) =>
    page.$$eval("#key-settings label.slot", (labels) =>
        labels.filter((l) => getComputedStyle(l).color === "rgb(255, 0, 0)").map((l) => l.textContent),
    );

// The manual's page and the colour of a pixel of its canvas.
const manualPage = (page) => page.$eval("#manual", (d) => Number(d.dataset.page));
function manualPixel(page, x, y) {
    return page.$eval("#manual canvas", (c, px, py) => [...c.getContext("2d").getImageData(px, py, 1, 1).data], x, y);
}
async function manualBox(page) {
    return page.$eval("#manual", (d) => {
        const r = d.getBoundingClientRect();
        return { left: r.left, top: r.top, width: r.width, height: r.height };
    });
}

inEachBrowser("the program's dialogs", (name, env) => {

    it("shows the about box, which Escape leaves, the device taking no keys meanwhile", async () => {
        const page = await playingPage(env.browser, env.server);
        await run(page, "pm_1_about");
        await page.waitForSelector("#about-box[open]");
        assert.equal(await page.$eval("#about-caption", (e) => e.textContent), "About the author...");
        const rows = await page.$$eval("#about-box .about-rows p", (ps) =>
            ps.map((p) => [...p.children].map((e) => e.textContent).join(" ")),
        );
        assert.equal(rows.length, 7);
        assert.equal(rows[0], "Name: The Zemblor team");
        assert.equal(rows[5], "Website: zemblor.example.org/sim/");
        const link = await page.$eval("#about-box a", (a) => ({ href: a.href, target: a.target }));
        assert.deepEqual(link, { href: "https://zemblor.example.org/sim/", target: "_blank" });
        const picture = await page.$eval("#about-box img", (img) => [img.complete, img.naturalWidth, img.naturalHeight]);
        assert.deepEqual(picture, [true, 116, 160]);

        await page.keyboard.press("Digit3");
        assert.equal((await lastState(page)).mode, "ModeAllSegments", "the device takes no keys");
        for (let i = 0; i < 4; i++) {
            await page.keyboard.press("Tab");
            assert.equal((await focusIn(page, "about-box")).inside, true, "the focus stays in the box");
        }
        await page.keyboard.press("Escape");
        await waitClosed(page, "about-box");
        assert.equal(await isOpen(page, "splash"), false, "Escape went no further than the box");
        await page.keyboard.press("Digit3");
        await waitForState(page, (line) => line.mode === "ModeTime1");
        assert.deepEqual(page.errors, []);
        await page.close();
    });

    it("closes the about box when a link is followed", async () => {
        const page = await playingPage(env.browser, env.server);
        await run(page, "pm_1_about");
        await page.waitForSelector("#about-box[open]");
        // The address goes nowhere here; only the box's answer to the click counts.
        await page.$eval("#about-box a", (a) => a.setAttribute("href", "about:blank"));
        await page.click("#about-box a");
        await waitClosed(page, "about-box");
        await page.close();
    });

    it("rebinds GAME A: after Accept its new key starts the game and the old one is free", async () => {
        const page = await playingPage(env.browser, env.server);
        await run(page, "pm_7_keys");
        await page.waitForSelector("#key-settings[open]");
        assert.deepEqual(await keyNames(page), ["1", "2", "3", "<LEFT ARROW>", "<RIGHT ARROW>"]);
        assert.equal((await focusIn(page, "key-settings")).name, "keys-cb-1");
        assert.deepEqual(await redNames(page), []);
        await page.select("#keys-cb-1", "A");
        assert.equal(await page.$eval("#key-settings .accept", (b) => b.disabled), false);
        await page.click("#key-settings .accept");
        await waitClosed(page, "key-settings");
        assert.equal(await page.evaluate(() => localStorage.getItem("Key1")), "11");

        await page.keyboard.press("Digit3");
        await waitForState(page, (line) => line.mode === "ModeTime1");
        await page.keyboard.press("Digit1");
        await page.keyboard.press("Digit3");
        await waitForState(page, (line) => line.mode === "ModeTime2");
        await page.keyboard.press("KeyA");
        await waitForState(page, (line) => line.mode === "ModeGameAReady");
        const modes = await page.evaluate(() => window.zemblorTrace.filter((l) => "mode" in l).map((l) => l.mode));
        assert.equal(modes.indexOf("ModeGameAReady") > modes.indexOf("ModeTime2"), true, "the old key started nothing");
        assert.deepEqual(page.errors, []);
        await page.close();
    });

    it("turns names sharing a key red, keeps Accept and Enter from storing them, and Escape stores nothing", async () => {
        const page = await playingPage(env.browser, env.server);
        const storedTime = await page.evaluate(() => localStorage.getItem("Key3"));
        await run(page, "pm_7_keys");
        await page.waitForSelector("#key-settings[open]");
        // The tab order: the five lists, then Accept, then round again.
        const order = [];
        for (let i = 0; i < 6; i++) {
            await page.keyboard.press("Tab");
            const at = await focusIn(page, "key-settings");
            assert.equal(at.inside, true);
            order.push(at.name);
        }
        assert.deepEqual(order, ["keys-cb-2", "keys-cb-3", "keys-cb-4", "keys-cb-5", "accept", "keys-cb-1"]);

        await page.select("#keys-cb-5", "<LEFT ARROW>");
        assert.deepEqual(await redNames(page), ["Left", "Right"]);
        assert.equal(await page.$eval("#key-settings .accept", (b) => b.disabled), true);
        await page.keyboard.press("Enter");
        assert.equal(await isOpen(page, "key-settings"), true, "Enter does not accept two buttons on one key");
        // Enter went on to the list, which a env.browser may have opened: a click beside it closes it.
        await page.click("#keys-caption");
        await page.select("#keys-cb-3", "<LEFT ARROW>");
        assert.deepEqual(await redNames(page), ["Time", "Left", "Right"]);
        await page.select("#keys-cb-5", "<RIGHT ARROW>");
        assert.deepEqual(await redNames(page), ["Time", "Left"]);
        await page.select("#keys-cb-3", "T");
        assert.deepEqual(await redNames(page), []);


        await page.keyboard.press("Escape");
        await waitClosed(page, "key-settings");
        assert.equal(await isOpen(page, "splash"), false, "Escape went no further than the dialog");
        assert.equal(await page.evaluate(() => localStorage.getItem("Key3")), storedTime);
        await page.keyboard.press("Digit3");
        await waitForState(page, (line) => line.mode === "ModeTime1");
        await page.keyboard.press("KeyT");
        await page.keyboard.press("Digit3");
        await waitForState(page, (line) => line.mode === "ModeTime2");

        await run(page, "pm_7_keys");
        await page.waitForSelector("#key-settings[open]");
        assert.deepEqual(await keyNames(page), ["1", "2", "3", "<LEFT ARROW>", "<RIGHT ARROW>"], "the bindings in force");
        await page.keyboard.press("Enter");
        await waitClosed(page, "key-settings");
        assert.deepEqual(page.errors, []);
        await page.close();
    });

    it("turns the manual's pages by key and button, closes it, and reopens it on the same page where it was left", async () => {
        const page = await playingPage(env.browser, env.server);
        await run(page, "pm_4_manual");
        await page.waitForSelector("#manual[open]");
        assert.equal(await manualPage(page), 1);
        // The page's picture is drawn (not the white ground) and the next button is blue.
        await page.waitForFunction(() => {
            const data = document.querySelector("#manual canvas").getContext("2d").getImageData(200, 40, 1, 1).data;
            return !(data[0] === 255 && data[1] === 255 && data[2] === 255);
        });
        assert.deepEqual(await manualPixel(page, 397, 254), [0, 0, 255, 255], "the next button");
        assert.deepEqual(await manualPixel(page, 6, 254), await manualPixel(page, 6, 200), "no previous button on page 1");

        await page.keyboard.down("ArrowRight");
        assert.equal(await manualPage(page), 1, "the page turns at the release");
        await page.keyboard.up("ArrowRight");
        assert.equal(await manualPage(page), 2);
        assert.deepEqual(await manualPixel(page, 6, 254), [0, 0, 255, 255], "the previous button on page 2");

        const box = await manualBox(page);
        assert.deepEqual([box.width, box.height], [415, 270]);
        await page.mouse.click(box.left + 403, box.top + 258);
        assert.equal(await manualPage(page), 3);

        // Dragged by the page: the box follows the pointer.
        await page.mouse.move(box.left + 200, box.top + 100);
        await page.mouse.down();
        await page.mouse.move(box.left + 230, box.top + 80, { steps: 3 });
        await page.mouse.up();
        const moved = await manualBox(page);
        assert.deepEqual([moved.left - box.left, moved.top - box.top], [30, -20]);
        assert.equal(await manualPage(page), 3);

        await page.keyboard.press("Digit3");
        assert.equal((await lastState(page)).mode, "ModeAllSegments", "the device takes no keys");
        await page.keyboard.press("Escape");
        await waitClosed(page, "manual");
        assert.equal(await isOpen(page, "splash"), false, "Escape went no further than the manual");

        await run(page, "pm_4_manual");
        await page.waitForSelector("#manual[open]");
        assert.equal(await manualPage(page), 3);
        assert.deepEqual(await manualBox(page), moved);
        await page.mouse.click(moved.left + 403, moved.top + 11);
        await waitClosed(page, "manual");
        assert.deepEqual(page.errors, []);
        await page.close();
    });
});

