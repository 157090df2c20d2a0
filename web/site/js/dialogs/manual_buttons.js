// The manual's three buttons as the desktop draws them: a blue face with a two-pixel bevel,
// raised when released and sunk when pressed, and a white glyph that sits one pixel further
// right and lower when pressed. Pixels only, so the drawing is checked without a browser.

export const BUTTON_WIDTH = 16;
export const BUTTON_HEIGHT = 14;
export const CLOSE = 0;
export const PREVIOUS = 1;
export const NEXT = 2;

const FACE = [0, 0, 255];
const LIGHT_OUTER = [192, 192, 255];
const LIGHT_INNER = [128, 128, 255];
const DARK_INNER = [0, 0, 192];
const DARK_OUTER = [0, 0, 0];
const GLYPH = [255, 255, 255];
const GLYPH_HEIGHT = 7;

// RGBA pixels of one button picture, row by row (what an ImageData holds).
export function manualButtonPixels(button, pressed) {
    const data = new Uint8ClampedArray(BUTTON_WIDTH * BUTTON_HEIGHT * 4);
    const set = (x, y, [r, g, b]) => data.set([r, g, b, 255], (y * BUTTON_WIDTH + x) * 4);
    for (let y = 0; y < BUTTON_HEIGHT; y++) {
        for (let x = 0; x < BUTTON_WIDTH; x++) {
            set(x, y, FACE);
        }
    }
    const [outer, inner] = pressed
        ? [[DARK_OUTER, LIGHT_OUTER], [DARK_INNER, LIGHT_INNER]]
        : [[LIGHT_OUTER, DARK_OUTER], [LIGHT_INNER, DARK_INNER]];
    ring(set, 0, ...outer);
    ring(set, 1, ...inner);
    const width = glyphWidth(button);
    const shift = pressed ? 1 : 0;
    const left = Math.floor((BUTTON_WIDTH - width) / 2) + shift;
    const top = Math.floor((BUTTON_HEIGHT - GLYPH_HEIGHT) / 2) + shift;
    // Strokes two pixels wide: the X's diagonals cross in the middle row, a chevron's tip is
    // its middle row at the side it points to.
    const plot = (x, y) => {
        set(left + x, top + y, GLYPH);
        set(left + x + 1, top + y, GLYPH);
    };
    for (let y = 0; y < GLYPH_HEIGHT; y++) {
        const fromTip = Math.abs(y - Math.floor(GLYPH_HEIGHT / 2));
        if (button === CLOSE) {
            plot(y, y);
            plot(GLYPH_HEIGHT - 1 - y, y);
        } else if (button === PREVIOUS) {
            plot(fromTip, y);
        } else {
            plot(width - 2 - fromTip, y);
        }
    }
    return data;
}

function glyphWidth(button) {
    return button === CLOSE ? 8 : 5;
}

// One ring of the bevel, `inset` pixels in. The bottom and right edges run the full length, so
// the corners they share with the top and left edges take the bottom-right colour.
function ring(set, inset, topLeft, bottomRight) {
    const right = BUTTON_WIDTH - 1 - inset;
    const bottom = BUTTON_HEIGHT - 1 - inset;
    for (let x = inset; x < right; x++) {
        set(x, inset, topLeft);
    }
    for (let y = inset; y < bottom; y++) {
        set(inset, y, topLeft);
    }
    for (let x = inset; x <= right; x++) {
        set(x, bottom, bottomRight);
    }
    for (let y = inset; y <= bottom; y++) {
        set(right, y, bottomRight);
    }
}
