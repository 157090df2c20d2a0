// Gamepads through the Gamepad API, read once a frame while a pad is connected and never
// otherwise, so a page without pads stays idle. The mapping is gamepad_mapping.js's.
import { GamepadMapping, deviceSink, readGamepad } from "./gamepad_mapping.js";

// `takesInput()`: false while the device takes no buttons (before Play, a dialog open).
export function attachGamepads({ controller, takesInput }) {
    if (typeof navigator.getGamepads !== "function") {
        return;
    }
    const isActive = () => document.hasFocus() && takesInput();
    const mapping = new GamepadMapping(deviceSink(controller, () => isActive() && !controller.paused));
    let frame = null;

    function connectedPads() {
        try {
            return Array.from(navigator.getGamepads()).filter((pad) => pad?.connected);
        } catch {
            // A page the browser keeps from pads (a permissions policy) simply has none.
            return [];
        }
    }

    function poll() {
        frame = null;
        const pads = connectedPads();
        mapping.setActive(isActive());
        mapping.update(new Map(pads.map((pad) => [pad.index, readGamepad(pad)])));
        if (pads.length > 0) {
            frame = requestAnimationFrame(poll);
        }
    }

    // A pad came or went: polling starts, or the next frame notices the pad gone and stops.
    function rescan() {
        if (frame === null) {
            poll();
        }
    }

    window.addEventListener("gamepadconnected", rescan);
    window.addEventListener("gamepaddisconnected", rescan);
    window.addEventListener("blur", () => mapping.setActive(false));
    rescan();
}
