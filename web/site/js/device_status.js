// The device's canvas told in words for screen readers (to be filled in).
export function attachDeviceStatus() {}
