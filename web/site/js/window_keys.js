// Keys of the program itself, which no device key can be bound to: + and - step the zoom,
// Pause freezes the device.

const COMMANDS = {
    Equal: "zoomIn",
    NumpadAdd: "zoomIn",
    Minus: "zoomOut",
    NumpadSubtract: "zoomOut",
    Pause: "pause",
};

export function windowCommandFor(code) {
    return COMMANDS[code] ?? null;
}

// The zoom one step (`delta` +1 or -1) from `current`, kept within 1 and `largest` (the
// largest at which the device fits).
export function steppedZoom(current, delta, largest) {
    return Math.max(1, Math.min(current + delta, largest));
}
