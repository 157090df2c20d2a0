// The page's own tools beyond the device's menu (to be filled in).
export function attachPageTools() {}
