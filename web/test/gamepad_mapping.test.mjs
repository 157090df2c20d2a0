import assert from "node:assert/strict";
import { describe, it } from "node:test";

import {
    GAME_A,
    GAME_B,
    GamepadMapping,
    LEFT,
    RIGHT,
    STICK_PRESS,
    STICK_RELEASE,
    TIME,
    deviceSink,
    readGamepad,
} from "../site/js/gamepad_mapping.js";

// A mapping whose changes land in `changes` as "press 3" / "release 3"; poll(a, b) is one poll
// finding pad 0 with reading a, pad 1 with b (an empty place: no pad there).
function recorded() {
    const changes = [];
    const mapping = new GamepadMapping((button, pressed) => changes.push(`${pressed ? "press" : "release"} ${button}`));
    const poll = (...readings) => mapping.update(new Map(readings.flatMap((r, i) => (r ? [[i, r]] : []))));
    return { mapping, poll, take: () => changes.splice(0) };
}

const reading = (sources = [], stickX = 0) => ({ pressed: new Set(sources), stickX });

// A standard pad as the Gamepad API shows it, with `down` button numbers pressed.
function standardPad(down = [], axisX = 0, mapping = "standard") {
    return {
        mapping,
        buttons: Array.from({ length: 17 }, (_, i) => ({ pressed: down.includes(i), value: down.includes(i) ? 1 : 0 })),
        axes: [axisX, 0, 0, 0],
    };
}

describe("gamepad sources", () => {
    it("read the standard buttons and the left stick in the desktop's units", () => {
        const read = readGamepad(standardPad([0, 1, 2, 8, 14, 15, 3, 9], -1));
        assert.deepEqual([...read.pressed].sort(), ["a", "b", "back", "dpadLeft", "dpadRight", "x"]);
        assert.equal(read.stickX, -32767);
        assert.equal(readGamepad(standardPad([], 0.5)).stickX, 16384);
    });
    it("give nothing for a pad without the standard layout, or a broken axis", () => {
        const read = readGamepad(standardPad([0, 14], 1, ""));
        assert.equal(read.pressed.size, 0);
        assert.equal(read.stickX, 0);
        assert.equal(readGamepad({ mapping: "standard", buttons: [], axes: [] }).stickX, 0);
    });
    it("map to the device's buttons as on the desktop", () => {
        const { poll, take } = recorded();
        const cases = [
            [["a"], GAME_A],
            [["b"], GAME_B],
            [["x"], TIME],
            [["back"], TIME],
            [["dpadLeft"], LEFT],
            [["dpadRight"], RIGHT],
        ];
        for (const [sources, button] of cases) {
            poll(reading(sources));
            assert.deepEqual(take(), [`press ${button}`], sources[0]);
            poll(reading());
            assert.deepEqual(take(), [`release ${button}`], sources[0]);
        }
    });
});

describe("gamepad buttons held by several sources", () => {
    it("stay down while any source on any pad holds them, each change passed once", () => {
        const { poll, take } = recorded();
        poll(reading(["x"]));
        poll(reading(["x"]));
        poll(reading(["x"]), reading(["back"]));
        assert.deepEqual(take(), [`press ${TIME}`]);
        poll(reading(), reading(["back"]));
        assert.deepEqual(take(), [], "pad 1 still holds Back");
        poll(reading(), reading());
        assert.deepEqual(take(), [`release ${TIME}`]);

        poll(reading(["dpadLeft"], -32767));
        poll(reading([], -32767));
        assert.deepEqual(take(), [`press ${LEFT}`], "the stick keeps LEFT when the d-pad lets go");
    });
    it("are let go when their pad goes, or every pad", () => {
        const { mapping, poll, take } = recorded();
        poll(reading(["a"]), reading(["dpadRight"]));
        take();
        poll(undefined, reading(["dpadRight"]));
        assert.deepEqual(take(), [`release ${GAME_A}`]);
        assert.equal(mapping.padCount, 1);
        poll();
        assert.deepEqual(take(), [`release ${RIGHT}`]);
        assert.equal(mapping.padCount, 0);
    });
    it("let a pad plugged in again start afresh", () => {
        const { poll, take } = recorded();
        poll(reading([], 32767));
        poll();
        poll(reading([], 13000));
        assert.deepEqual(take(), [`press ${RIGHT}`, `release ${RIGHT}`], "no stick remembered from before");
    });
});

describe("the left stick", () => {
    it("presses at the threshold and lets go only well inside it, so it never chatters", () => {
        const { poll, take } = recorded();
        poll(reading([], STICK_PRESS - 1));
        assert.deepEqual(take(), []);
        poll(reading([], STICK_PRESS));
        assert.deepEqual(take(), [`press ${RIGHT}`]);
        for (const x of [STICK_RELEASE, 15000, STICK_PRESS, STICK_RELEASE + 1]) {
            poll(reading([], x));
        }
        assert.deepEqual(take(), [], "resting near the threshold");
        poll(reading([], STICK_RELEASE - 1));
        assert.deepEqual(take(), [`release ${RIGHT}`]);

        poll(reading([], -STICK_PRESS));
        poll(reading([], -STICK_RELEASE));
        assert.deepEqual(take(), [`press ${LEFT}`]);
        poll(reading([], -STICK_RELEASE + 1));
        assert.deepEqual(take(), [`release ${LEFT}`]);
    });
    it("swung from side to side lets go before it presses", () => {
        const { poll, take } = recorded();
        poll(reading([], -32767));
        take();
        poll(reading([], 32767));
        assert.deepEqual(take(), [`release ${LEFT}`, `press ${RIGHT}`]);
    });
});

describe("gamepads while the page is inactive", () => {
    it("let go of what they hold, and a source held across must be pressed again", () => {
        const { mapping, poll, take } = recorded();
        poll(reading(["a"], 32767));
        take();
        mapping.setActive(false);
        assert.deepEqual(take(), [`release ${GAME_A}`, `release ${RIGHT}`]);
        poll(reading(["a", "b"], 32767));
        assert.deepEqual(take(), [], "nothing counts while inactive");
        mapping.setActive(true);
        poll(reading(["a", "b"], 32767));
        assert.deepEqual(take(), [], "held across the switch");
        poll(reading(["b"], 0));
        poll(reading(["a", "b"], 32767));
        assert.deepEqual(take(), [`press ${GAME_A}`, `press ${RIGHT}`], "let go and pressed again");
    });
});

describe("gamepad changes passed to the device", () => {
    function fakeController() {
        const calls = [];
        return { calls, press: (b) => calls.push(`press ${b}`), releaseButton: (b) => calls.push(`release ${b}`) };
    }
    it("press only when the device takes presses, and release only what it got", () => {
        const controller = fakeController();
        let takes = false;
        const sink = deviceSink(controller, () => takes);
        sink(LEFT, true);
        sink(LEFT, false);
        assert.deepEqual(controller.calls, [], "a press while paused goes nowhere, nor does its release");
        takes = true;
        sink(RIGHT, true);
        takes = false;
        sink(RIGHT, false);
        assert.deepEqual(controller.calls, [`press ${RIGHT}`, `release ${RIGHT}`], "held into a pause, let go in it");
    });
});
