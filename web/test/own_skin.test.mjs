import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { bindingRows, keyName } from "../site/js/help_keys.js";
import { decodeText, folderSource, lookupKey, mediaFiles, normalisePath, skinFolder } from "../site/js/own_skin.js";
import { replayOptions } from "../site/js/session_file.js";
import { fallbackSource } from "../site/js/skin_source.js";

const file = (path, text = path) => ({ path, blob: new Blob([text]) });

describe("paths in a skin folder", () => {
    it("take backslashes, dots and doubled separators as Windows does", () => {
        assert.equal(normalisePath("Graphics\\Skin\\hero.bmp"), "Graphics/Skin/hero.bmp");
        assert.equal(normalisePath("/My Skin//Graphics/./Skin/a.png"), "My Skin/Graphics/Skin/a.png");
        assert.equal(normalisePath("Graphics\\Skin\\..\\Backdrops\\b.jpg"), "Graphics/Backdrops/b.jpg");
    });
    it("never leave the folder", () => {
        assert.equal(normalisePath("..\\outside.png"), null);
        assert.equal(normalisePath("a/../../b"), null);
        assert.equal(normalisePath(""), null);
        assert.equal(normalisePath("./"), null);
    });
    it("are looked up without regard to case", () => {
        assert.equal(lookupKey("GRAPHICS\\Skin\\Hero.BMP"), "graphics/skin/hero.bmp");
    });
});

describe("a chosen folder", () => {
    it("is the skin from its outermost Config.ini on, the files beside it dropped", () => {
        const folder = skinFolder([
            file("Skins/Mine/CONFIG.INI"),
            file("Skins/Mine/Graphics/Skin/a.png"),
            file("Skins/Mine/Old/Config.ini"),
            file("Skins/other.png"),
        ]);
        assert.equal(folder.name, "Mine");
        assert.deepEqual([...folder.files.keys()].sort(), ["config.ini", "graphics/skin/a.png", "old/config.ini"]);
        assert.equal(folder.files.get("config.ini").path, "CONFIG.INI");
    });
    it("may be loose files with the configuration among them", () => {
        const folder = skinFolder([file("/Config.ini"), file("/a.png")]);
        assert.equal(folder.name, "");
        assert.deepEqual([...folder.files.keys()].sort(), ["a.png", "config.ini"]);
    });
    it("without a Config.ini is no skin", () => {
        assert.equal(skinFolder([file("Mine/Graphics/Skin/a.png"), file("Mine/Config.ini.bak")]), null);
        assert.equal(skinFolder([]), null);
    });
    it("sorts out what the page will decode", () => {
        const folder = skinFolder([file("S/Config.ini"), file("S/a.BMP"), file("S/b.jpeg"), file("S/Sound/Move.WAV"), file("S/Readme.txt")]);
        const { pictures, sounds } = mediaFiles(folder.files);
        assert.deepEqual(pictures.map((f) => f.path).sort(), ["a.BMP", "b.jpeg"]);
        assert.deepEqual(sounds.map((f) => f.path), ["Sound/Move.WAV"]);
    });
});

describe("an own skin's source", () => {
    const source = folderSource(skinFolder([file("Mine/Config.ini", "[Common]"), file("Mine/Graphics/Skin/Hero.png", "picture")]).files);

    it("finds a file by the configuration's spelling, in any case and with backslashes", async () => {
        assert.equal(await (await source.blob("graphics\\skin\\HERO.PNG")).text(), "picture");
        assert.equal(await source.text("config.ini"), "[Common]");
    });
    it("answers null for a missing file, so the view shows the missing-picture mark", async () => {
        assert.equal(await source.blob("Graphics/Skin/gone.png"), null);
        assert.equal(await source.text("Readme.txt"), null);
    });
    it("falls back to the site file by file, never for a file the folder has", async () => {
        const site = folderSource(skinFolder([file("Config.ini", "site"), file("Sound/Move.wav", "site move")]).files);
        const both = fallbackSource(source, site);
        assert.equal(await both.text("Config.ini"), "[Common]");
        assert.equal(await (await both.blob("Sound/Move.wav")).text(), "site move");
        assert.equal(await both.blob("Sound/Got.wav"), null);
    });
    it("reads a configuration written in the Windows code page", () => {
        assert.equal(decodeText(new Uint8Array([0x53, 0x6b, 0x69, 0x6e, 0xe9])), "Skiné");
        assert.equal(decodeText(new TextEncoder().encode("Skiné")), "Skiné");
    });
});

describe("the help's keys", () => {
    const names = [..."0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ", "<UP ARROW>", "<DOWN ARROW>", "<LEFT ARROW>", "<RIGHT ARROW>", "<ALT>", "<CTRL>", "<SHIFT>", "<SPACEBAR>"];

    it("name each button's key in force", () => {
        assert.deepEqual(bindingRows("2,3,4,39,40", names), [
            { button: "GAME A", key: "1" },
            { button: "GAME B", key: "2" },
            { button: "TIME", key: "3" },
            { button: "LEFT", key: "Left arrow" },
            { button: "RIGHT", key: "Right arrow" },
        ]);
        assert.deepEqual(bindingRows("11,36,44,41,1", names).map((row) => row.key), ["A", "Z", "Space bar", "Alt", "0"]);
    });
    it("say none for a key outside the table", () => {
        assert.equal(keyName(0, names), "none");
        assert.equal(keyName(45, names), "none");
    });
});

describe("a saved session", () => {
    it("gives the seed and clock its replay needs", () => {
        const script = '# zemblor session; replay: zemblor-headless --seed 18446744073709551615 --clock "2026-12-08 09:41:00" FILE\nstore Key1 2\n';
        assert.deepEqual(replayOptions(script), { seed: "18446744073709551615", clock: "2026-12-08 09:41:00" });
        assert.equal(replayOptions("power\n"), null);
    });
});
