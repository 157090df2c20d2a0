import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { PoliteText, deviceWords } from "../site/js/device_words.js";

// A state line as the core gives it, with what a case needs.
function state(fields) {
    return { mode: "ModeTime1", score: 0, misses: 0, hero: 3, hiscores: [0, 0], digits: ["", "", "", ""], lit: [], ...fields };
}

describe("the device in words", () => {
    it("tell the watch modes with their time or date", () => {
        const cases = [
            [{ mode: "ModeAllSegments", digits: ["8", "8", "8", "8"] }, "Screen test: every segment lit"],
            [{ digits: ["", "9", "4", "1"], lit: ["im_panel_time_am", "im_panel_time_1"] }, "Clock 9:41 AM"],
            [{ digits: ["1", "2", "0", "7"], lit: ["im_panel_time_pm"] }, "Clock 12:07 PM"],
            [{ mode: "ModeTime2", digits: ["1", "1", "0", "5"], lit: ["im_panel_time_am"] }, "Second time 11:05 AM"],
            [{ mode: "ModeAlarm", digits: ["1", "2", "0", "0"], lit: ["im_panel_time_am"] }, "Alarm 12:00 AM"],
            [{ mode: "ModeChrono", digits: ["0", "0", "0", "0"], lit: ["im_panel_time_colon"] }, "Chronograph 00:00"],
            [{ mode: "ModeDate", digits: ["1", "2", "", "8"] }, "Date December 8"],
            [{ mode: "ModeDate", digits: ["", "3", "3", "1"] }, "Date March 31"],
        ];
        for (const [fields, words] of cases) {
            assert.equal(deviceWords(state(fields)), words);
        }
    });
    it("tell a game's ready display, its play and its end", () => {
        const cases = [
            [{ mode: "ModeGameAReady", hiscores: [40, 7] }, "Game A ready: high score 40"],
            [{ mode: "ModeGameBReady", hiscores: [40, 7] }, "Game B ready: high score 7"],
            [{ mode: "ModeGameA", score: 0, misses: 0 }, "Game A: score 0, 0 misses"],
            [{ mode: "ModeGameA", score: 12, misses: 1 }, "Game A: score 12, 1 miss"],
            [{ mode: "ModeGameB", score: 101, misses: 4 }, "Game B: score 101, 4 misses"],
            [{ mode: "ModeGameB", score: 40, misses: 5, lit: ["im_panel_game_b"] }, "Game B over: score 40"],
            [{ mode: "ModeGameOver", score: 40, misses: 5, hiscores: [52, 3], lit: ["im_panel_game_a"] }, "Game A over: score 40, high score 52"],
            [{ mode: "ModeGameOver", score: 40, misses: 5 }, "Game over: score 40"],
        ];
        for (const [fields, words] of cases) {
            assert.equal(deviceWords(state(fields)), words);
        }
    });
    it("leave out the blank moment before a panel's first tick", () => {
        assert.equal(deviceWords(state({ mode: "ModeTime1" })), null);
        assert.equal(deviceWords(state({ mode: "ModeDate" }), { paused: true }), null);
        assert.equal(deviceWords(state({ mode: "ModeAlarm", digits: ["", "", "0", "0"] })), null);
    });
    it("say when the device is paused", () => {
        assert.equal(deviceWords(state({ mode: "ModeGameA", score: 3 }), { paused: true }), "Paused. Game A: score 3, 0 misses");
    });
});

// Virtual time for the writer, which keeps at most one timer.
function virtualTimers() {
    let now = 0;
    let timer = null;
    return {
        now: () => now,
        setTimeout: (fn, ms) => (timer = { at: now + ms, fn }),
        clearTimeout: (id) => id === timer && (timer = null),
        advance(ms) {
            const end = now + ms;
            while (timer && timer.at <= end) {
                const { at, fn } = timer;
                timer = null;
                now = at;
                fn();
            }
            now = end;
        },
        pending: () => (timer ? 1 : 0),
    };
}

describe("the polite text", () => {
    function writer() {
        const timers = virtualTimers();
        const written = [];
        const text = new PoliteText((words) => written.push(`${timers.now()} ${words}`), timers);
        return { timers, written, text };
    }
    it("is set at once, and again only when it changes", () => {
        const { timers, written, text } = writer();
        text.offer("Clock 9:41 AM");
        timers.advance(500);
        text.offer("Clock 9:41 AM");
        timers.advance(60000);
        text.offer("Clock 9:41 AM");
        text.offer("Clock 9:42 AM");
        assert.deepEqual(written, ["0 Clock 9:41 AM", "60500 Clock 9:42 AM"]);
        assert.equal(timers.pending(), 0, "nothing waits once the text is set");
    });
    it("is set at most once a second, with the latest words", () => {
        const { timers, written, text } = writer();
        text.offer("Game A: score 0, 0 misses");
        for (let score = 1; score <= 6; score++) {
            timers.advance(200);
            text.offer(`Game A: score ${score}, 0 misses`);
        }
        timers.advance(1000);
        assert.deepEqual(written, ["0 Game A: score 0, 0 misses", "1000 Game A: score 4, 0 misses", "2000 Game A: score 6, 0 misses"]);
    });
    it("drops waiting words that went back to what is set", () => {
        const { timers, written, text } = writer();
        text.offer("Clock 9:41 AM");
        text.offer("Game A ready: high score 0");
        text.offer("Clock 9:41 AM");
        assert.equal(timers.pending(), 0);
        timers.advance(2000);
        assert.deepEqual(written, ["0 Clock 9:41 AM"]);
    });
});
