// The keyboard as the device knows it: KeyboardEvent.code (the key's place, whatever the
// layout) to the Windows virtual-key codes of the desktop's key table.

const NAMED = {
    ArrowLeft: 37,
    ArrowUp: 38,
    ArrowRight: 39,
    ArrowDown: 40,
    ShiftLeft: 16,
    ShiftRight: 16,
    ControlLeft: 17,
    ControlRight: 17,
    AltLeft: 18,
    AltRight: 18,
    Space: 32,
    Enter: 13,
    NumpadEnter: 13,
    Escape: 27,
};

export function virtualKeyCode(code) {
    if (code in NAMED) {
        return NAMED[code];
    }
    let m = /^Digit([0-9])$/.exec(code);
    if (m) {
        return 48 + Number(m[1]);
    }
    m = /^Key([A-Z])$/.exec(code);
    if (m) {
        return m[1].charCodeAt(0);
    }
    m = /^F([0-9]{1,2})$/.exec(code);
    if (m && Number(m[1]) >= 1 && Number(m[1]) <= 12) {
        return 111 + Number(m[1]);
    }
    return null;
}

// Pairs releases with presses by physical key: a held key's repeats go on as presses (the
// device's latches make them act once), and a release carries the code its press had.
export class HeldKeys {
    constructor() {
        this.held = new Map();
    }

    // The code to deliver for a press, or null; `first` tells a first press from a repeat.
    press(code) {
        if (this.held.has(code)) {
            return { key: this.held.get(code), first: false };
        }
        const key = virtualKeyCode(code);
        if (key === null) {
            return null;
        }
        this.held.set(code, key);
        return { key, first: true };
    }

    release(code) {
        if (!this.held.has(code)) {
            return null;
        }
        const key = this.held.get(code);
        this.held.delete(code);
        return key;
    }

    // Every key still held, in the order pressed (the page lost the focus).
    releaseAll() {
        const keys = [...this.held.values()];
        this.held.clear();
        return keys;
    }
}
