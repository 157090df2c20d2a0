import assert from "node:assert/strict";
import { describe, it } from "node:test";

import { CLOSE, NEXT, PREVIOUS, manualButtonPixels } from "../site/js/dialogs/manual_buttons.js";

const colourAt = (data, x, y) => [...data.slice((y * 16 + x) * 4, (y * 16 + x) * 4 + 4)];

// One picture row, '#' where the glyph is white.
function glyphRow(data, y) {
    let row = "";
    for (let x = 0; x < 16; x++) {
        row += colourAt(data, x, y).join() === "255,255,255,255" ? "#" : ".";
    }
    return row;
}

describe("the manual's button pictures", () => {
    it("have a bevel raised when released and sunk when pressed, around a blue face", () => {
        // Outer top-left, inner top-left, inner bottom-right, outer bottom-right.
        const raised = [[192, 192, 255], [128, 128, 255], [0, 0, 192], [0, 0, 0]];
        const sunk = [...raised].reverse();
        const edges = [[[8, 0], [0, 7]], [[8, 1], [1, 7]], [[8, 12], [14, 7]], [[8, 13], [15, 7]]];
        for (const button of [CLOSE, PREVIOUS, NEXT]) {
            for (const pressed of [false, true]) {
                const data = manualButtonPixels(button, pressed);
                assert.equal(data.length, 16 * 14 * 4);
                assert.deepEqual(colourAt(data, 2, 2), [0, 0, 255, 255]);
                edges.forEach((points, ring) => {
                    for (const [x, y] of points) {
                        assert.deepEqual(colourAt(data, x, y), [...(pressed ? sunk : raised)[ring], 255], `${button} ${pressed} ${x},${y}`);
                    }
                });
            }
        }
        // The corner shared by the top and right edges takes the bottom-right colour.
        assert.deepEqual(colourAt(manualButtonPixels(CLOSE, false), 15, 0), [0, 0, 0, 255]);
    });

    it("carry glyphs stroked two pixels wide, one pixel down and right when pressed", () => {
        const close = manualButtonPixels(CLOSE, false);
        const previous = manualButtonPixels(PREVIOUS, false);
        const next = manualButtonPixels(NEXT, false);
        assert.equal(glyphRow(close, 3), "....##....##....");
        assert.equal(glyphRow(close, 6), ".......##.......");
        assert.equal(glyphRow(close, 9), "....##....##....");
        assert.equal(glyphRow(previous, 3), "........##......");
        assert.equal(glyphRow(previous, 6), ".....##.........");
        assert.equal(glyphRow(next, 3), ".....##.........");
        assert.equal(glyphRow(next, 6), "........##......");
        for (const button of [CLOSE, PREVIOUS, NEXT]) {
            const up = manualButtonPixels(button, false);
            const down = manualButtonPixels(button, true);
            for (let y = 2; y < 12; y++) {
                assert.equal(glyphRow(down, y + 1), "." + glyphRow(up, y).slice(0, 15), `${button} row ${y}`);
            }
        }
    });
});
