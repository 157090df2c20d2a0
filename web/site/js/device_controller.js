// The page's one owner of the device core: it drives the core's time (a wake-up at each of
// its deadlines, none while paused), hands it the buttons, and after every call passes on
// what the core asks for: beeps, trace lines, a repaint, new hints.
import { DeviceClock } from "./device_clock.js";
import { localTime } from "./page_options.js";

export class DeviceController {
    // `options`: seed ([high, low]), clock (fixed, or null to follow the computer's), trace,
    // timing (see page_options.js); `sound` plays the beeps.
    constructor(core, sound, options) {
        this.core = core;
        this.sound = sound;
        this.clock = new DeviceClock();
        this.followsComputer = !options.clock;
        this.trace = options.trace ? [] : null;
        this.timing = options.timing ? { lateness: [], wakes: 0 } : null;
        this.poweredOn = false;
        this.timer = null;
        this.onDisplay = () => {};
        this.displayWatchers = [];
        this.onHints = () => {};
        this.onPause = () => {};
        this.options = options;
        this.start();
    }

    // The device as the program's start makes it: stored settings read, dark until switched on.
    start() {
        const options = this.options;
        const seed = options.seed ?? [...crypto.getRandomValues(new Uint32Array(2))];
        this.core.create(...seed, options.clock ? 1 : 0, ...(options.clock ?? localTime()), options.trace ? 1 : 0, this.now());
        this.core.startUp();
    }

    now() {
        return this.clock.now();
    }

    // `watcher()` runs after each change of the display (the status told to screen readers).
    watchDisplay(watcher) {
        this.displayWatchers.push(watcher);
    }

    readSetting(name, defaultValue) {
        return this.core.readSetting(name, defaultValue);
    }

    writeSetting(name, value) {
        this.core.writeSetting(this.now(), name, value);
        this.afterCore();
    }

    // Exit: the program would end here, so switching on again is a new start of it, with a
    // fresh device (no timer of the old one left) and no pause.
    powerOff() {
        this.poweredOn = false;
        this.hold("off");
        this.switchedOff = true;
    }

    powerOn() {
        if (this.switchedOff) {
            this.switchedOff = false;
            this.clock.release("pause");
            this.start();
        }
        this.clock.release("off");
        this.onPause();
        this.core.powerOn(this.now());
        this.poweredOn = true;
        this.afterCore();
    }

    get paused() {
        return this.clock.has("pause");
    }

    // Freezes the device for `reason` ("pause", "hidden"); it resumes when no reason is left.
    hold(reason) {
        this.clock.hold(reason);
        clearTimeout(this.timer);
        this.timer = null;
        this.onPause();
    }

    release(reason) {
        this.clock.release(reason);
        this.onPause();
        if (!this.clock.paused && this.poweredOn) {
            this.wake();
        }
    }

    // The device's buttons, by key code or by button number; paused, presses go nowhere.
    keyDown(key) {
        this.core.keyDown(this.now(), key);
        this.afterCore();
    }

    keyUp(key) {
        this.core.keyUp(this.now(), key);
        this.afterCore();
    }

    press(button) {
        this.core.press(this.now(), button);
        this.afterCore();
    }

    releaseButton(button) {
        this.core.release(this.now(), button);
        this.afterCore();
    }

    afterCore() {
        for (const c of this.core.takeSounds()) {
            this.sound.play(Number(c));
        }
        if (this.trace) {
            for (const line of this.core.takeTrace().split("\n")) {
                if (line) {
                    this.trace.push(JSON.parse(line));
                }
            }
        }
        if (this.core.displayChanged()) {
            this.onDisplay();
            for (const watcher of this.displayWatchers) {
                watcher();
            }
        }
        if (this.core.hintsChanged()) {
            this.onHints(JSON.parse(this.core.hints()).hints);
        }
        this.schedule();
    }

    schedule() {
        clearTimeout(this.timer);
        this.timer = null;
        if (this.clock.paused || !this.poweredOn) {
            return;
        }
        const deadline = this.core.nextDeadline();
        if (deadline >= 0) {
            this.timer = setTimeout(() => this.wake(deadline), Math.max(0, deadline - this.now()));
        }
    }

    wake(deadline) {
        this.timer = null;
        if (this.timing && deadline !== undefined) {
            this.timing.wakes++;
            this.timing.lateness.push(this.now() - deadline);
        }
        // A browser may wake a fraction of a millisecond early: that is the deadline all the
        // same, or the page would wake a second time for it.
        this.core.advance(Math.max(this.now(), deadline ?? 0));
        if (this.followsComputer) {
            this.core.wallClock(...localTime());
        }
        this.afterCore();
    }
}
