// Gamepads through the Gamepad API (to be filled in).
export function attachGamepads() {}
