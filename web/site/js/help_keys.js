// The keys in force as the help lists them: each device button and the key bound to it.

export const BUTTON_NAMES = ["GAME A", "GAME B", "TIME", "LEFT", "RIGHT"];

const NAMED_KEYS = {
    37: "Up arrow",
    38: "Down arrow",
    39: "Left arrow",
    40: "Right arrow",
    41: "Alt",
    42: "Ctrl",
    43: "Shift",
    44: "Space bar",
};

// A key by its index (1 to 44) as its cap reads; `keyNames` are the key table's 44 texts.
export function keyName(index, keyNames) {
    return NAMED_KEYS[index] ?? keyNames[index - 1] ?? "none";
}

// `keyIndexes`: the core's "2,3,4,39,40" (GAME A, GAME B, TIME, LEFT, RIGHT).
export function bindingRows(keyIndexes, keyNames) {
    return keyIndexes
        .split(",")
        .map(Number)
        .map((index, slot) => ({ button: BUTTON_NAMES[slot], key: keyName(index, keyNames) }));
}
