// The keyboard, the mouse and touch on the device: the program's own keys first, then the
// device's buttons through their bindings; each pointer presses the button it went down on
// and releases it wherever it goes, so LEFT can be held while RIGHT is tapped.
import { HeldKeys, virtualKeyCode } from "./keys.js";
import { windowCommandFor } from "./window_keys.js";

const BUTTONS = ["btn_game_a_top", "btn_game_b_top", "btn_time_top", "btn_left_top", "btn_right_top"];
const HINTED = [...BUTTONS, "btn_set_top"];

// `takesInput()`: false while the device takes no keys or clicks (before Play, a dialog
// open); `runCommand(name)` carries out the program's own keys; `runShortcut(code, onlyAsk)`
// tells whether a key (a virtual-key code) is a menu item's, or runs that item.
export function attachDeviceInput({ controller, view, takesInput, runCommand, runShortcut }) {
    const canvas = view.canvas;
    const keys = new HeldKeys();
    const heldCommands = new Set();
    let hints = JSON.parse(controller.core.hints()).hints;
    controller.onHints = (next) => (hints = next);

    window.addEventListener("keydown", (event) => {
        // A focused control (the page's buttons) keeps Enter and Space, which press it.
        const control = event.target.closest?.("button, input, select, textarea, a[href]");
        if (!takesInput() || (control && (event.code === "Enter" || event.code === "Space" || event.code === "NumpadEnter"))) {
            return;
        }
        if (event.repeat && !heldCommands.has(event.code) && !keys.held.has(event.code)) {
            return;
        }
        const command = windowCommandFor(event.code);
        const code = virtualKeyCode(event.code);
        if (command || heldCommands.has(event.code) || (code !== null && runShortcut(code, true))) {
            // The program's keys act once however long held, and never reach the device.
            event.preventDefault();
            if (!heldCommands.has(event.code)) {
                heldCommands.add(event.code);
                if (command) {
                    runCommand(command);
                } else {
                    runShortcut(code, false);
                }
            }
            return;
        }
        const pressed = keys.press(event.code);
        if (!pressed) {
            return;
        }
        if (controller.paused) {
            // Paused, the device takes no presses; releases of keys held before still reach it.
            if (pressed.first) {
                keys.release(event.code);
            }
            return;
        }
        controller.keyDown(pressed.key);
        if (pressed.key !== 27 && !(pressed.key >= 112 && pressed.key <= 123)) {
            event.preventDefault();
        }
    });
    window.addEventListener("keyup", (event) => {
        heldCommands.delete(event.code);
        const key = keys.release(event.code);
        if (key !== null && controller.poweredOn) {
            controller.keyUp(key);
        }
    });
    window.addEventListener("blur", () => releaseAll());

    function releaseAll() {
        heldCommands.clear();
        for (const key of keys.releaseAll()) {
            controller.keyUp(key);
        }
        for (const [pointer, button] of pointerButtons) {
            pointerButtons.delete(pointer);
            controller.releaseButton(button);
        }
    }

    const pointerButtons = new Map();
    canvas.addEventListener("pointerdown", (event) => {
        if (!takesInput() || event.button !== 0 || controller.paused) {
            return;
        }
        const button = BUTTONS.indexOf(view.componentAtPoint(event.clientX, event.clientY));
        if (button < 0) {
            return;
        }
        try {
            canvas.setPointerCapture(event.pointerId);
        } catch {
            // The pointer is already gone: its release comes all the same.
        }
        pointerButtons.set(event.pointerId, button);
        controller.press(button);
        event.preventDefault();
    });
    const pointerEnd = (event) => {
        const button = pointerButtons.get(event.pointerId);
        if (button !== undefined) {
            pointerButtons.delete(event.pointerId);
            controller.releaseButton(button);
        }
    };
    canvas.addEventListener("pointerup", pointerEnd);
    canvas.addEventListener("pointercancel", pointerEnd);
    canvas.addEventListener("pointermove", (event) => {
        const name = view.componentAtPoint(event.clientX, event.clientY);
        canvas.title = HINTED.includes(name) ? hints[name] ?? "" : "";
        canvas.style.cursor = BUTTONS.includes(name) ? "pointer" : name === "btn_set_top" ? "help" : "default";
    });

    // A dialog opening takes the device's keys and clicks: what is held is let go first.
    return { releaseAll };
}
