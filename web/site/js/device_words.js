// The device's screen told in words for screen readers, from its state line (the trace's JSON
// state: mode, score, misses, hiscores, digits, lit), and a writer that sets such a text
// politely: only when it changes, and at most once a second.

const MONTHS = [
    "January", "February", "March", "April", "May", "June",
    "July", "August", "September", "October", "November", "December",
];

// The number the four digit positions show, blanks left out; null when all are blank.
function digitsNumber(digits) {
    const text = digits.join("");
    return text === "" ? null : Number(text);
}

// "9:41 AM" from the digits and the AM/PM marks; null before the clock's first tick.
function timeWords(state) {
    const [h1, h2, m1, m2] = state.digits;
    if (h2 === "" || m1 === "" || m2 === "") {
        return null;
    }
    const lit = new Set(state.lit);
    const half = lit.has("im_panel_time_pm") ? " PM" : lit.has("im_panel_time_am") ? " AM" : "";
    return `${h1}${h2}:${m1}${m2}${half}`;
}

// "December 8": month on the first two positions, day on the last two; null before the first tick.
function dateWords(state) {
    const month = digitsNumber(state.digits.slice(0, 2));
    const day = digitsNumber(state.digits.slice(2));
    if (month === null || day === null || month < 1 || month > 12) {
        return null;
    }
    return `${MONTHS[month - 1]} ${day}`;
}

// "Clock 9:41 AM", or null while the panel is still blank.
function panelWords(label, value) {
    return value === null ? null : `${label} ${value}`;
}

function missWords(misses) {
    return misses === 1 ? "1 miss" : `${misses} misses`;
}

// The game whose label is lit: 0 game A, 1 game B, -1 none.
function litGame(state) {
    const lit = new Set(state.lit);
    return lit.has("im_panel_game_a") ? 0 : lit.has("im_panel_game_b") ? 1 : -1;
}

const GAME_NAMES = ["Game A", "Game B"];

// The game after its fifth miss: the high score once it is settled.
function gameOverWords(state, settled) {
    const game = litGame(state);
    const name = game < 0 ? "Game" : GAME_NAMES[game];
    const high = settled && game >= 0 ? `, high score ${state.hiscores[game]}` : "";
    return `${name} over: score ${state.score}${high}`;
}

function playWords(state, game) {
    if (state.misses >= 5) {
        return gameOverWords(state, false);
    }
    return `${GAME_NAMES[game]}: score ${state.score}, ${missWords(state.misses)}`;
}

// What the screen shows, in words; `paused` puts "Paused." before it. Null for the blank
// moment between a watch mode's entry and its first tick, which is not worth telling.
export function deviceWords(state, { paused = false } = {}) {
    const words = modeWords(state);
    return paused && words !== null ? `Paused. ${words}` : words;
}

function modeWords(state) {
    switch (state.mode) {
    case "ModeAllSegments":
        return "Screen test: every segment lit";
    case "ModeTime1":
        return panelWords("Clock", timeWords(state));
    case "ModeTime2":
        return panelWords("Second time", timeWords(state));
    case "ModeAlarm":
        return panelWords("Alarm", timeWords(state));
    case "ModeChrono":
        return panelWords("Chronograph", timeWords(state));
    case "ModeDate":
        return panelWords("Date", dateWords(state));
    case "ModeGameAReady":
        return `Game A ready: high score ${state.hiscores[0]}`;
    case "ModeGameBReady":
        return `Game B ready: high score ${state.hiscores[1]}`;
    case "ModeGameA":
        return playWords(state, 0);
    case "ModeGameB":
        return playWords(state, 1);
    case "ModeGameOver":
        return gameOverWords(state, true);
    default:
        return null;
    }
}

// Sets a text at most once per `interval` milliseconds, and only when it differs from the one
// set: a text offered sooner waits for the interval's end, and a newer one replaces it, so a
// screen reader hears the latest state rather than every step. `timers` holds now(),
// setTimeout and clearTimeout (the page's own; tests give virtual ones).
export class PoliteText {
    constructor(write, timers, interval = 1000) {
        this.write = write;
        this.timers = timers;
        this.interval = interval;
        this.shown = null;
        this.shownAt = -Infinity;
        this.waiting = null;
        this.timer = null;
    }

    offer(text) {
        if (text === this.shown) {
            this.waiting = null;
            this.timers.clearTimeout(this.timer);
            this.timer = null;
            return;
        }
        this.waiting = text;
        const wait = this.shownAt + this.interval - this.timers.now();
        if (wait <= 0) {
            this.flush();
        } else if (this.timer === null) {
            this.timer = this.timers.setTimeout(() => this.flush(), wait);
        }
    }

    flush() {
        this.timers.clearTimeout(this.timer);
        this.timer = null;
        if (this.waiting === null) {
            return;
        }
        this.shown = this.waiting;
        this.shownAt = this.timers.now();
        this.waiting = null;
        this.write(this.shown);
    }
}
