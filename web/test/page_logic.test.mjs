import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { DeviceClock } from "../site/js/device_clock.js";
import { HeldKeys, virtualKeyCode } from "../site/js/keys.js";
import { componentAt, driverPosition, fitZoom, skipsSplash } from "../site/js/layout.js";
import { parseClock, parseSeed, pageOptions } from "../site/js/page_options.js";
import { seeThrough } from "../site/js/painter.js";
import { clearColour } from "../site/js/pictures.js";
import { SettingsStorage } from "../site/js/storage.js";
import { steppedZoom, windowCommandFor } from "../site/js/window_keys.js";

describe("key codes", () => {
    it("go by the key's place, as the desktop's table knows keys", () => {
        assert.equal(virtualKeyCode("Digit1"), 49);
        assert.equal(virtualKeyCode("Digit0"), 48);
        assert.equal(virtualKeyCode("KeyA"), 65);
        assert.equal(virtualKeyCode("KeyZ"), 90);
        assert.equal(virtualKeyCode("ArrowLeft"), 37);
        assert.equal(virtualKeyCode("ArrowDown"), 40);
        assert.equal(virtualKeyCode("AltRight"), 18);
        assert.equal(virtualKeyCode("ControlLeft"), 17);
        assert.equal(virtualKeyCode("ShiftRight"), 16);
        assert.equal(virtualKeyCode("Space"), 32);
        assert.equal(virtualKeyCode("F12"), 123);
        assert.equal(virtualKeyCode("Escape"), 27);
    });
    it("leave the keypad and punctuation out", () => {
        for (const code of ["Numpad1", "Minus", "F13", "KeyAB", "Digit10", ""]) {
            assert.equal(virtualKeyCode(code), null, code);
        }
    });
});

describe("held keys", () => {
    it("repeat as presses, never as a second first press, and release once", () => {
        const keys = new HeldKeys();
        assert.deepEqual(keys.press("Digit1"), { key: 49, first: true });
        assert.deepEqual(keys.press("Digit1"), { key: 49, first: false });
        assert.equal(keys.release("Digit1"), 49);
        assert.equal(keys.release("Digit1"), null);
        assert.equal(keys.press("Minus"), null);
    });
    it("are all released, in press order, when the page loses the focus", () => {
        const keys = new HeldKeys();
        keys.press("ArrowRight");
        keys.press("Digit2");
        assert.deepEqual(keys.releaseAll(), [39, 50]);
        assert.equal(keys.release("Digit2"), null);
    });
});

describe("zoom", () => {
    it("is the largest whole zoom that fits, in device pixels", () => {
        assert.equal(fitZoom({ width: 560, height: 372 }, { width: 1366, height: 768 }, 1), 2);
        assert.equal(fitZoom({ width: 560, height: 372 }, { width: 1366, height: 768 }, 2), 4);
        assert.equal(fitZoom({ width: 560, height: 372 }, { width: 1120, height: 743 }, 1), 1);
        // A phone held upright: never below one.
        assert.equal(fitZoom({ width: 560, height: 372 }, { width: 390, height: 844 }, 3), 2);
        assert.equal(fitZoom({ width: 560, height: 372 }, { width: 100, height: 100 }, 1), 1);
    });
});

describe("start-up dialog", () => {
    it("is skipped only with a driver chosen before and the switch off", () => {
        assert.equal(driverPosition(0), 0);
        assert.equal(driverPosition(2), 1);
        assert.equal(driverPosition(1), -1);
        assert.equal(driverPosition(-1), -1);
        assert.equal(skipsSplash(2, false), true);
        assert.equal(skipsSplash(2, true), false);
        assert.equal(skipsSplash(-1, false), false);
    });
});

describe("hit test", () => {
    it("finds the topmost shown component holding the point", () => {
        const boxes = [
            [0, 0, 100, 100],
            [10, 10, 20, 20],
            [15, 15, 5, 5],
        ];
        assert.equal(componentAt(boxes, [1, 1, 1], 16, 16), 2);
        assert.equal(componentAt(boxes, [1, 1, 0], 16, 16), 1);
        assert.equal(componentAt(boxes, [1, 1, 1], 30, 30), 0);
        assert.equal(componentAt(boxes, [1, 1, 1], 100, 5), -1, "the right edge is outside");
    });
});

describe("transparency", () => {
    it("keys out exactly the bottom-left colour of a bitmap", () => {
        // 2 x 2: top row red and magenta, bottom row magenta (the key) and almost magenta.
        const data = new Uint8ClampedArray([255, 0, 0, 255, 255, 0, 255, 255, 255, 0, 255, 255, 254, 0, 255, 255]);
        clearColour(data, 2, 2);
        assert.deepEqual([data[3], data[7], data[11], data[15]], [255, 0, 0, 255]);
    });
    it("makes the window's key colour see-through and nothing else", () => {
        const data = new Uint8ClampedArray([255, 0, 255, 255, 254, 0, 255, 255]);
        seeThrough(data, [255, 0, 255]);
        assert.deepEqual([data[3], data[7]], [0, 255]);
    });
});

describe("settings storage", () => {
    it("writes through at once and reads back", () => {
        const backend = new Map();
        const storage = new SettingsStorage(
            { getItem: (k) => backend.get(k) ?? null, setItem: (k, v) => backend.set(k, v) },
            () => assert.fail("no error expected"),
        );
        storage.set("HiScore1", "12");
        assert.equal(backend.get("HiScore1"), "12");
        assert.equal(storage.get("HiScore1"), "12");
        assert.equal(storage.get("Key1"), null);
    });
    it("reports a value that cannot be saved and keeps it for the visit", () => {
        const told = [];
        const storage = new SettingsStorage(
            {
                getItem: () => null,
                setItem: () => {
                    throw new Error("QuotaExceededError");
                },
            },
            (message) => told.push(message),
        );
        storage.set("HiScore2", "40");
        assert.equal(storage.get("HiScore2"), "40");
        assert.equal(told.length, 1);
        assert.match(told[0], /HiScore2 could not be saved/);
    });
    it("reports a storage that cannot be read", () => {
        const told = [];
        const storage = new SettingsStorage(
            {
                getItem: () => {
                    throw new Error("SecurityError");
                },
            },
            (message) => told.push(message),
        );
        assert.equal(storage.get("Key3"), null);
        assert.match(told[0], /Key3 could not be read/);
    });
});

describe("the zoom that fits", () => {
    it("is never above the largest the settings know", () => {
        assert.equal(fitZoom({ width: 100, height: 100 }, { width: 2000, height: 2000 }, 1), 8);
        assert.equal(fitZoom({ width: 100, height: 100 }, { width: 700, height: 2000 }, 1), 7);
    });
});

describe("the program's own keys", () => {
    it("are + and - on the main row and the keypad, and Pause; never a device key", () => {
        assert.equal(windowCommandFor("Equal"), "zoomIn");
        assert.equal(windowCommandFor("NumpadAdd"), "zoomIn");
        assert.equal(windowCommandFor("Minus"), "zoomOut");
        assert.equal(windowCommandFor("NumpadSubtract"), "zoomOut");
        assert.equal(windowCommandFor("Pause"), "pause");
        for (const code of ["Digit1", "ArrowLeft", "Space", "KeyP"]) {
            assert.equal(windowCommandFor(code), null, code);
            assert.notEqual(virtualKeyCode(code), null, code);
        }
    });
    it("step the zoom within 1 and the largest that fits", () => {
        assert.equal(steppedZoom(2, 1, 4), 3);
        assert.equal(steppedZoom(4, 1, 4), 4);
        assert.equal(steppedZoom(1, -1, 4), 1);
        assert.equal(steppedZoom(6, -1, 3), 3, "a zoom above the largest comes down to it");
    });
});

describe("the device's clock", () => {
    it("stands still while any reason holds it and resumes where it stopped", () => {
        let t = 1000;
        const clock = new DeviceClock(() => t);
        assert.equal(clock.now(), 1000);
        clock.hold("hidden");
        t = 5000;
        assert.equal(clock.now(), 1000);
        clock.hold("pause");
        clock.release("hidden");
        t = 7000;
        assert.equal(clock.now(), 1000, "still paused");
        assert.ok(clock.paused);
        clock.release("pause");
        assert.equal(clock.paused, false);
        assert.equal(clock.now(), 1000);
        t = 7250;
        assert.equal(clock.now(), 1250);
    });
    it("ignores a second hold or a release of what was not held", () => {
        let t = 0;
        const clock = new DeviceClock(() => t);
        clock.release("pause");
        t = 100;
        clock.hold("pause");
        t = 200;
        clock.hold("pause");
        t = 300;
        clock.release("pause");
        assert.equal(clock.now(), 100);
    });
});

describe("the page's address", () => {
    it("fixes the seed as its 64 bits, high and low", () => {
        assert.deepEqual(parseSeed("1"), [0, 1]);
        assert.deepEqual(parseSeed("4294967296"), [1, 0]);
        assert.deepEqual(parseSeed("18446744073709551617"), [0, 1], "modulo 2^64, as the runner takes it");
        for (const bad of [null, "", "-1", "1e3", "12a"]) {
            assert.equal(parseSeed(bad), null, String(bad));
        }
    });
    it("fixes the clock, seconds optional", () => {
        assert.deepEqual(parseClock("2026-12-08T09:41"), [2026, 12, 8, 9, 41, 0]);
        assert.deepEqual(parseClock("2026-12-08T09:41:07"), [2026, 12, 8, 9, 41, 7]);
        assert.equal(parseClock("2026-12-08 09:41"), null);
        assert.equal(parseClock(null), null);
    });
    it("keeps the trace and the timing only when asked for with 1", () => {
        assert.deepEqual(pageOptions("?trace=1&timing=0"), { seed: null, clock: null, trace: true, timing: false });
        assert.equal(pageOptions("?trace=yes").trace, false);
    });
});
