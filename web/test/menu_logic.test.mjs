import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { gameMenuGeometry } from "../site/js/game_menu.js";
import { itemForShortcut, shortcutText } from "../site/js/program_menu.js";

const ITEMS = [
    { name: "pm_1_about", shortcut: 112, separator: false },
    { name: "pm_2_readme", shortcut: 113, separator: false },
    { name: "pm_5_n1", shortcut: null, separator: true },
    { name: "pm_14_exit", shortcut: 27, separator: false },
];

describe("the menu's shortcut keys", () => {
    it("are named as the desktop's menu names them", () => {
        assert.equal(shortcutText(112), "F1");
        assert.equal(shortcutText(123), "F12");
        assert.equal(shortcutText(27), "Esc");
        assert.equal(shortcutText(null), "");
    });
    it("run the item they belong to, and a separator never", () => {
        assert.equal(itemForShortcut(ITEMS, 113).name, "pm_2_readme");
        assert.equal(itemForShortcut(ITEMS, 27).name, "pm_14_exit");
        assert.equal(itemForShortcut(ITEMS, null), null);
        assert.equal(itemForShortcut(ITEMS, 49), null);
    });
});

describe("the in-window game menu", () => {
    it("puts a row per item under its button, the panel under them all", () => {
        const { rows, panel } = gameMenuGeometry([4, 6, 36, 32], 13);
        assert.equal(rows.length, 13);
        assert.deepEqual(rows[0], [4, 38, 256, 32]);
        assert.deepEqual(rows[12], [4, 6 + 32 * 13, 256, 32]);
        assert.deepEqual(panel, [256, 448], "the desktop's panel of 13 rows and the button's");
    });
});
