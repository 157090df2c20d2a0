// Draws a square icon from a picture at a size the icon theme has no file for: the picture
// scaled to fit, centred on a transparent square, as tools/make-icons does for the others.
// Needs only node, which the browser edition's build has anyway.
//   node png-icon.mjs SOURCE.png SIZE OUT.png
import { readFileSync, writeFileSync } from "node:fs";
import { argv, exit } from "node:process";
import { pathToFileURL } from "node:url";
import { deflateSync, inflateSync } from "node:zlib";

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

const CRC_TABLE = Array.from({ length: 256 }, (_, n) => {
    let c = n;
    for (let k = 0; k < 8; k++) {
        c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    }
    return c >>> 0;
});

function crc32(bytes) {
    let c = 0xffffffff;
    for (const b of bytes) {
        c = CRC_TABLE[(c ^ b) & 0xff] ^ (c >>> 8);
    }
    return (c ^ 0xffffffff) >>> 0;
}

function paeth(a, b, c) {
    const p = a + b - c;
    const pa = Math.abs(p - a);
    const pb = Math.abs(p - b);
    const pc = Math.abs(p - c);
    return pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
}

// An 8-bit RGB or RGBA picture without interlacing (what the icon and skin tools write), as
// { width, height, rgba }.
export function decodePng(bytes) {
    if (!SIGNATURE.equals(bytes.subarray(0, 8))) {
        throw new Error("not a PNG file");
    }
    let header = null;
    const data = [];
    for (let at = 8; at + 8 <= bytes.length; ) {
        const length = bytes.readUInt32BE(at);
        const type = bytes.toString("latin1", at + 4, at + 8);
        const body = bytes.subarray(at + 8, at + 8 + length);
        if (type === "IHDR") {
            header = {
                width: body.readUInt32BE(0),
                height: body.readUInt32BE(4),
                depth: body[8],
                colour: body[9],
                interlace: body[12],
            };
        } else if (type === "IDAT") {
            data.push(body);
        } else if (type === "IEND") {
            break;
        }
        at += 12 + length;
    }
    if (!header || header.depth !== 8 || ![2, 6].includes(header.colour) || header.interlace !== 0) {
        throw new Error("only 8-bit RGB or RGBA pictures without interlacing are read");
    }
    const { width, height } = header;
    const channels = header.colour === 6 ? 4 : 3;
    const stride = width * channels;
    const raw = inflateSync(Buffer.concat(data));
    if (raw.length < height * (stride + 1)) {
        throw new Error("the picture's data is cut short");
    }
    const rows = Buffer.alloc(height * stride);
    for (let y = 0; y < height; y++) {
        const filter = raw[y * (stride + 1)];
        const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
        for (let i = 0; i < stride; i++) {
            const a = i >= channels ? rows[y * stride + i - channels] : 0;
            const b = y > 0 ? rows[(y - 1) * stride + i] : 0;
            const c = i >= channels && y > 0 ? rows[(y - 1) * stride + i - channels] : 0;
            const predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][filter];
            if (predictor === undefined) {
                throw new Error(`unknown row filter ${filter}`);
            }
            rows[y * stride + i] = (line[i] + predictor) & 0xff;
        }
    }
    if (channels === 4) {
        return { width, height, rgba: rows };
    }
    const rgba = Buffer.alloc(width * height * 4, 0xff);
    for (let p = 0; p < width * height; p++) {
        rows.copy(rgba, p * 4, p * 3, p * 3 + 3);
    }
    return { width, height, rgba };
}

function chunk(type, body) {
    const out = Buffer.alloc(12 + body.length);
    out.writeUInt32BE(body.length, 0);
    out.write(type, 4, "latin1");
    body.copy(out, 8);
    out.writeUInt32BE(crc32(out.subarray(4, 8 + body.length)), 8 + body.length);
    return out;
}

export function encodePng({ width, height, rgba }) {
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(height, 4);
    header.set([8, 6, 0, 0, 0], 8);
    const raw = Buffer.alloc(height * (width * 4 + 1));
    for (let y = 0; y < height; y++) {
        rgba.copy(raw, y * (width * 4 + 1) + 1, y * width * 4, (y + 1) * width * 4);
    }
    return Buffer.concat([
        SIGNATURE,
        chunk("IHDR", header),
        chunk("IDAT", deflateSync(raw, { level: 9 })),
        chunk("IEND", Buffer.alloc(0)),
    ]);
}

// For each of `to` cells, the cells of `from` it covers and how much of each (summing to 1).
function coverage(from, to) {
    const scale = from / to;
    return Array.from({ length: to }, (_, i) => {
        const start = i * scale;
        const end = start + scale;
        const parts = [];
        for (let s = Math.floor(start); s < Math.min(from, Math.ceil(end)); s++) {
            const part = Math.min(end, s + 1) - Math.max(start, s);
            if (part > 0) {
                parts.push([s, part / scale]);
            }
        }
        return parts;
    });
}

// The picture scaled by area (each new pixel the average of what it covers, weighted by alpha
// so see-through pixels lend no colour) to fit a size x size square, centred on transparency.
export function squareIcon(picture, size) {
    const factor = Math.min(size / picture.width, size / picture.height);
    const width = Math.max(1, Math.round(picture.width * factor));
    const height = Math.max(1, Math.round(picture.height * factor));
    const across = coverage(picture.width, width);
    const down = coverage(picture.height, height);
    // Premultiplied, one row of the source at a time scaled across.
    const rows = Array.from({ length: picture.height }, (_, y) => {
        const row = new Float64Array(width * 4);
        across.forEach((parts, x) => {
            for (const [s, w] of parts) {
                const p = (y * picture.width + s) * 4;
                const alpha = (picture.rgba[p + 3] / 255) * w;
                row[x * 4] += picture.rgba[p] * alpha;
                row[x * 4 + 1] += picture.rgba[p + 1] * alpha;
                row[x * 4 + 2] += picture.rgba[p + 2] * alpha;
                row[x * 4 + 3] += alpha;
            }
        });
        return row;
    });
    const rgba = Buffer.alloc(size * size * 4);
    const left = Math.floor((size - width) / 2);
    const top = Math.floor((size - height) / 2);
    down.forEach((parts, y) => {
        for (let x = 0; x < width; x++) {
            const sum = [0, 0, 0, 0];
            for (const [s, w] of parts) {
                for (let k = 0; k < 4; k++) {
                    sum[k] += rows[s][x * 4 + k] * w;
                }
            }
            const p = ((top + y) * size + left + x) * 4;
            if (sum[3] > 0) {
                rgba[p] = Math.round(sum[0] / sum[3]);
                rgba[p + 1] = Math.round(sum[1] / sum[3]);
                rgba[p + 2] = Math.round(sum[2] / sum[3]);
                rgba[p + 3] = Math.round(sum[3] * 255);
            }
        }
    });
    return { width: size, height: size, rgba };
}

if (argv[1] && import.meta.url === pathToFileURL(argv[1]).href) {
    const [source, size, out] = argv.slice(2);
    if (!out || !/^[1-9][0-9]*$/.test(size)) {
        console.error("usage: node png-icon.mjs SOURCE.png SIZE OUT.png");
        exit(2);
    }
    writeFileSync(out, encodePng(squareIcon(decodePng(readFileSync(source)), Number(size))));
}
