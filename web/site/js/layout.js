// Pure decisions of the page: the zoom that fits, the splash dialog's skip rule, and which
// component a point hits.

// The largest whole number of device pixels per picture pixel at which the device fits the
// viewport (CSS pixels) on a screen of `ratio` device pixels per CSS pixel; at least one, at
// most the largest zoom the settings know (8).
export const MAX_ZOOM = 8;
export function fitZoom(device, viewport, ratio) {
    const across = Math.floor((viewport.width * ratio) / device.width);
    const down = Math.floor((viewport.height * ratio) / device.height);
    return Math.max(1, Math.min(across, down, MAX_ZOOM));
}

// The driver list of the start-up dialog: its text and the SoundMode it stores.
export const SOUND_DRIVERS = [
    { text: "Browser audio output", mode: 0 },
    { text: "(no sound)", mode: 2 },
];

// The stored SoundMode as a position in the list; -1 when none was chosen.
export function driverPosition(storedMode) {
    return SOUND_DRIVERS.findIndex((d) => d.mode === storedMode);
}

// The dialog is skipped when a driver was chosen before and the user switched it off.
export function skipsSplash(storedMode, splashAtStartup) {
    return driverPosition(storedMode) >= 0 && !splashAtStartup;
}

// The topmost shown component whose box holds the point, or -1.
export function componentAt(boxes, shown, x, y) {
    for (let i = boxes.length - 1; i >= 0; i--) {
        const [left, top, width, height] = boxes[i];
        if (shown[i] && x >= left && y >= top && x < left + width && y < top + height) {
            return i;
        }
    }
    return -1;
}
