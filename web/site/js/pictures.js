// Skin pictures decoded by the browser and prepared by the desktop's drawing rules: a bitmap
// on a transparent component loses every pixel of its bottom-left pixel's colour; a PNG keeps
// its own transparency; a JPEG is opaque.

// A picture's pixels as a canvas from `source` (see skin_source.js); `missing` when the file
// is not there, `error` when it cannot be decoded.
export async function loadPicture(source, path) {
    const blob = await source.blob(path);
    if (!blob) {
        return { missing: true };
    }
    try {
        const bitmap = await createImageBitmap(blob, {
            colorSpaceConversion: "none",
            premultiplyAlpha: "none",
        });
        const canvas = new OffscreenCanvas(bitmap.width, bitmap.height);
        canvas.getContext("2d").drawImage(bitmap, 0, 0);
        bitmap.close();
        return { canvas, bitmap: /\.bmp$/i.test(path) };
    } catch (error) {
        return { error: `${path}: ${error.message || "cannot be decoded"}` };
    }
}

// The 10 x 10 picture shown for one that is missing: red with a black outline, a bitmap.
export function placeholderPicture() {
    const canvas = new OffscreenCanvas(10, 10);
    const ctx = canvas.getContext("2d");
    ctx.fillStyle = "#000";
    ctx.fillRect(0, 0, 10, 10);
    ctx.fillStyle = "#f00";
    ctx.fillRect(1, 1, 8, 8);
    return { canvas, bitmap: true };
}

// The picture as a transparent component draws it.
export function keyedOut(picture) {
    if (!picture.bitmap) {
        return picture.canvas;
    }
    const { width, height } = picture.canvas;
    const canvas = new OffscreenCanvas(width, height);
    const ctx = canvas.getContext("2d");
    ctx.drawImage(picture.canvas, 0, 0);
    const image = ctx.getImageData(0, 0, width, height);
    clearColour(image.data, width, height);
    ctx.putImageData(image, 0, 0);
    return canvas;
}

// Makes every pixel of the bottom-left pixel's colour fully transparent.
export function clearColour(data, width, height) {
    const at = (height - 1) * width * 4;
    const [r, g, b] = [data[at], data[at + 1], data[at + 2]];
    for (let i = 0; i < data.length; i += 4) {
        if (data[i] === r && data[i + 1] === g && data[i + 2] === b) {
            data[i + 3] = 0;
        }
    }
}
