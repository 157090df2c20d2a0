// What gamepads do to the device's five buttons, the desktop program's rule: d-pad left/right
// and the left stick's X axis give LEFT/RIGHT, A gives GAME A, B gives GAME B, X or Back gives
// TIME. A device button is down while any source on any pad holds it, and each change comes
// out once. While the page is inactive the pads are shut out: what they hold is let go, and a
// source held across the switch must be let go and pressed again before it counts.

// The device's buttons as the controller numbers them.
export const GAME_A = 0;
export const GAME_B = 1;
export const TIME = 2;
export const LEFT = 3;
export const RIGHT = 4;

// The stick pushes at STICK_PRESS from centre and counts as back under STICK_RELEASE, so a
// stick resting near the threshold does not chatter (the desktop's units: 32767 at full tilt).
export const STICK_PRESS = 16000;
export const STICK_RELEASE = 12000;

const DPAD_LEFT = "dpadLeft";
const DPAD_RIGHT = "dpadRight";
const STICK_LEFT = "stickLeft";
const STICK_RIGHT = "stickRight";

// Sources by the standard mapping's button numbers.
const STANDARD_BUTTONS = new Map([
    [0, "a"],
    [1, "b"],
    [2, "x"],
    [8, "back"],
    [14, DPAD_LEFT],
    [15, DPAD_RIGHT],
]);

const SOURCES_OF = [["a"], ["b"], ["x", "back"], [DPAD_LEFT, STICK_LEFT], [DPAD_RIGHT, STICK_RIGHT]];

// What the mapping reads of a Gamepad object: the pressed standard buttons it uses and the left
// stick's X axis in the desktop's units. Pads without the standard layout give nothing, as the
// desktop takes only pads it knows as game controllers.
export function readGamepad(gamepad) {
    const pressed = new Set();
    if (gamepad.mapping !== "standard") {
        return { pressed, stickX: 0 };
    }
    for (const [index, source] of STANDARD_BUTTONS) {
        if (gamepad.buttons[index]?.pressed) {
            pressed.add(source);
        }
    }
    const axis = Number(gamepad.axes[0]);
    return { pressed, stickX: Number.isFinite(axis) ? Math.round(Math.max(-1, Math.min(1, axis)) * 32767) : 0 };
}

export class GamepadMapping {
    // `sink(button, pressed)` receives each change of a device button.
    constructor(sink) {
        this.sink = sink;
        this.pads = new Map();
        this.reported = [false, false, false, false, false];
        this.active = true;
    }

    get padCount() {
        return this.pads.size;
    }

    // Every connected pad's reading by index, as one poll finds them: a pad missing from it is
    // gone and lets go.
    update(readings) {
        for (const index of [...this.pads.keys()]) {
            if (!readings.has(index)) {
                this.pads.delete(index);
            }
        }
        for (const [index, reading] of readings) {
            this.read(index, reading);
        }
        this.report();
    }

    // A pad's reading under its index; a new index is a pad attached.
    read(index, { pressed, stickX }) {
        let pad = this.pads.get(index);
        if (!pad) {
            pad = { held: new Set(), counted: new Set(), stick: 0 };
            this.pads.set(index, pad);
        }
        for (const source of STANDARD_BUTTONS.values()) {
            this.setSource(pad, source, pressed.has(source));
        }
        this.moveStick(pad, stickX);
    }

    setActive(active) {
        if (active === this.active) {
            return;
        }
        this.active = active;
        if (!active) {
            for (const pad of this.pads.values()) {
                pad.counted.clear();
            }
            this.report();
        }
    }

    isHeld(button) {
        for (const pad of this.pads.values()) {
            if (SOURCES_OF[button].some((source) => pad.counted.has(source))) {
                return true;
            }
        }
        return false;
    }

    setSource(pad, source, down) {
        const wasHeld = pad.held.has(source);
        if (!down) {
            pad.held.delete(source);
            pad.counted.delete(source);
            return;
        }
        pad.held.add(source);
        // Only a fresh press counts: one held while the page was inactive stays shut out.
        if (!wasHeld && this.active) {
            pad.counted.add(source);
        }
    }

    moveStick(pad, value) {
        if (value <= -STICK_PRESS) {
            pad.stick = -1;
        } else if (value >= STICK_PRESS) {
            pad.stick = 1;
        } else if (pad.stick < 0 ? value > -STICK_RELEASE : value < STICK_RELEASE) {
            pad.stick = 0;
        }
        this.setSource(pad, STICK_LEFT, pad.stick < 0);
        this.setSource(pad, STICK_RIGHT, pad.stick > 0);
    }

    // Releases first, so a stick swung from side to side never holds both at once.
    report() {
        for (const pressing of [false, true]) {
            for (let button = 0; button < this.reported.length; button++) {
                if (this.isHeld(button) === pressing && this.reported[button] !== pressing) {
                    this.reported[button] = pressing;
                    this.sink(button, pressing);
                }
            }
        }
    }
}

// The mapping's changes passed to the device: a press only when `takesPress()` allows it (the
// page active, no dialog, the device not paused), and a release only of a press the device
// got, so a button pressed while paused leaves the keyboard's latches alone.
export function deviceSink(controller, takesPress) {
    const passed = new Set();
    return (button, pressed) => {
        if (pressed) {
            if (takesPress()) {
                passed.add(button);
                controller.press(button);
            }
        } else if (passed.delete(button)) {
            controller.releaseButton(button);
        }
    };
}
