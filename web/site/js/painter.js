// Paints the device's window as the desktop does: the background colour, then every shown
// component with a picture in drawing order, each by its drawing mode; windowed, pixels of
// exactly the key colour become see-through.

const OWN_PICTURE = 14;
const NO_PICTURE = 15;

export class ScenePainter {
    // `components`: name, transparent and drawMode of each component, in drawing order.
    constructor(components) {
        this.components = components;
        this.holders = [];
        for (let d = 0; d <= 9; d++) {
            this.holders.push(components.findIndex((c) => c.name === `im_panel_number_${d}`));
        }
    }

    // `pictures`: each component's prepared picture or null; `boxes`: each component's box.
    setScene(layout, pictures, boxes) {
        this.layout = layout;
        this.pictures = pictures;
        this.boxes = boxes;
    }

    pictureOf(i, state) {
        const digit = (state[i] >> 1) & 15;
        if (digit === OWN_PICTURE) {
            return this.pictures[i];
        }
        return digit === NO_PICTURE ? null : this.pictures[this.holders[digit]];
    }

    paint(ctx, state) {
        const [width, height] = this.layout.clientSize;
        const [r, g, b] = this.layout.background;
        ctx.globalCompositeOperation = "source-over";
        ctx.fillStyle = `rgb(${r},${g},${b})`;
        ctx.fillRect(0, 0, width, height);
        for (let i = 0; i < this.components.length; i++) {
            const picture = state[i] & 1 ? this.pictureOf(i, state) : null;
            if (!picture) {
                continue;
            }
            const [left, top, w, h] = this.boxes[i];
            const mode = this.components[i].drawMode;
            if (mode === "backdrop") {
                if (this.layout.backdropStretch) {
                    ctx.drawImage(picture, 0, 0, width, height);
                } else {
                    const x = Math.trunc((width - picture.width) / 2);
                    const y = Math.trunc((height - picture.height) / 2);
                    ctx.drawImage(picture, x, y);
                }
                continue;
            }
            if (w <= 0 || h <= 0) {
                continue;
            }
            ctx.save();
            ctx.beginPath();
            ctx.rect(left, top, w, h);
            ctx.clip();
            if (mode === "scale") {
                ctx.drawImage(picture, left, top, w, h);
            } else {
                ctx.drawImage(picture, left, top);
            }
            ctx.restore();
        }
        if (this.layout.colourKey) {
            const image = ctx.getImageData(0, 0, width, height);
            seeThrough(image.data, this.layout.colourKey);
            ctx.putImageData(image, 0, 0);
        }
    }
}

// Pixels of exactly the key colour become fully transparent.
export function seeThrough(data, [r, g, b]) {
    for (let i = 0; i < data.length; i += 4) {
        if (data[i] === r && data[i + 1] === g && data[i + 2] === b) {
            data[i + 3] = 0;
        }
    }
}
