// The device in its canvas: the skin's pictures laid out by the core's layout code, painted
// at a whole zoom, and which component lies under a point of the page.
import { componentAt, fitZoom } from "./layout.js";
import { ScenePainter } from "./painter.js";
import { keyedOut, loadPicture, placeholderPicture } from "./pictures.js";

export class DeviceView {
    constructor(canvas, core) {
        this.canvas = canvas;
        this.core = core;
        this.components = JSON.parse(core.components());
        this.painter = new ScenePainter(this.components);
        this.frame = new OffscreenCanvas(1, 1);
        this.frameContext = this.frame.getContext("2d", { willReadFrequently: true });
        this.pictures = new Array(this.components.length).fill(null);
        this.boxes = this.components.map((c) => [...c.box]);
        this.layout = null;
        this.zoom = 1;
        this.largestZoom = 1;
        this.extraShown = {};
        this.pausedMark = false;
    }

    index(name) {
        return this.components.findIndex((c) => c.name === name);
    }

    // The skin: its configuration text and where its pictures come from. Lay out again after.
    setSkin(source, config) {
        this.source = source;
        this.config = config;
    }

    // The in-window game menu's picture is the program's own, whatever the skin.
    async setGameMenuPicture(source, path) {
        const menu = this.index("btn_game_menu_background");
        const skin = this.source;
        this.source = source;
        this.pictures[menu] = await this.prepared(menu, path, true);
        this.source = skin;
    }

    async prepared(i, path, mustExist) {
        const picture = await loadPicture(this.source, path);
        if (picture.missing) {
            return mustExist ? this.keyedOrNot(i, placeholderPicture()) : null;
        }
        if (picture.error) {
            console.error(`zemblor: ${picture.error}`);
            return this.keyedOrNot(i, placeholderPicture());
        }
        return this.keyedOrNot(i, picture);
    }

    keyedOrNot(i, picture) {
        return this.components[i].transparent ? keyedOut(picture) : picture.canvas;
    }

    // Lays the device out for the viewport (CSS pixels, `ratio` device pixels each): the
    // stored zoom (1 to 8) where the device fits at it, else the largest that fits.
    // Of layouts asked for while pictures load (a resize and a full-screen change come
    // together), the last one asked for is the one applied.
    async layOut({ fullscreen, viewport, ratio, storedZoom }) {
        const asked = (this.asked = (this.asked ?? 0) + 1);
        const probe = JSON.parse(this.core.layout(this.config, 0, 1, 1));
        const [gameWidth, gameHeight] = probe.configuredGameSize;
        this.largestZoom = fitZoom({ width: Math.max(1, gameWidth), height: Math.max(1, gameHeight) }, viewport, ratio);
        const zoom = storedZoom >= 1 && storedZoom <= 8 ? Math.min(storedZoom, this.largestZoom) : this.largestZoom;
        const screen = [Math.floor((viewport.width * ratio) / zoom), Math.floor((viewport.height * ratio) / zoom)];
        const next = JSON.parse(this.core.layout(this.config, fullscreen ? 1 : 0, screen[0], screen[1]));
        const pictures = [...this.pictures];
        const boxes = this.boxes.map((box) => [...box]);
        await Promise.all(
            next.images.map(async (image) => {
                if (image.picturePath) {
                    pictures[image.component] = await this.prepared(image.component, image.picturePath, true);
                }
                boxes[image.component] = image.box;
            }),
        );
        const backdrop = this.index("im_backdrop");
        const logo = this.index("im_backdrop_logo");
        const extraShown = {};
        if (fullscreen && next.backdropPath) {
            pictures[backdrop] = await this.prepared(backdrop, next.backdropPath, false);
            extraShown[backdrop] = pictures[backdrop] !== null;
        }
        if (fullscreen && next.logoPath) {
            const picture = await this.prepared(logo, next.logoPath, false);
            if (picture) {
                pictures[logo] = picture;
                const [left, top] = this.core
                    .logoPlace(next.logoPosition, screen[0], screen[1], picture.width, picture.height, boxes[logo][0], boxes[logo][1])
                    .split(",")
                    .map(Number);
                boxes[logo] = [left, top, picture.width, picture.height];
                extraShown[logo] = true;
            }
        }
        for (const name of ["btn_game_menu_background", "btn_game_menu_top"]) {
            boxes[this.index(name)] = [...next.gameMenuBox];
            extraShown[this.index(name)] = next.gameMenuShown;
        }
        if (this.gameMenuSize) {
            boxes[this.index("btn_game_menu_background")].splice(2, 2, ...this.gameMenuSize);
        }
        if (asked !== this.asked) {
            return;
        }
        // Everything is loaded: the new layout replaces the old one at once.
        this.pictures = pictures;
        this.boxes = boxes;
        this.extraShown = extraShown;
        this.layout = next;
        this.zoom = zoom;
        this.painter.setScene(next, pictures, boxes);
        const [width, height] = next.clientSize;
        this.frame.width = width;
        this.frame.height = height;
        this.canvas.width = width * zoom;
        this.canvas.height = height * zoom;
        this.canvas.style.width = `${(width * zoom) / ratio}px`;
        this.canvas.style.height = `${(height * zoom) / ratio}px`;
        this.repaint();
    }

    // The in-window game menu's black background: the button's size when closed, the rows'
    // when open (`size` [width, height], or null).
    setGameMenuSize(size) {
        this.gameMenuSize = size;
        if (this.layout) {
            const box = this.boxes[this.index("btn_game_menu_background")];
            box.splice(2, 2, ...(size ?? this.layout.gameMenuBox.slice(2)));
            this.repaint();
        }
    }

    // A box of the layout's picture in CSS pixels of the page.
    pageBox([left, top, width, height]) {
        const rect = this.canvas.getBoundingClientRect();
        const scale = rect.width / this.layout.clientSize[0];
        return { left: rect.left + left * scale, top: rect.top + top * scale, width: width * scale, height: height * scale, scale };
    }

    // The components' state as painted: the core's, with the page's own layout pictures
    // (backdrop, logo, game menu button) shown as the layout says.
    paintedState() {
        const state = new Uint8Array(this.core.displayState());
        const backdrop = this.index("im_backdrop");
        const logo = this.index("im_backdrop_logo");
        for (const i of [backdrop, logo, this.index("btn_game_menu_background"), this.index("btn_game_menu_top")]) {
            state[i] = (state[i] & ~1) | (this.extraShown[i] ? 1 : 0);
        }
        return state;
    }

    repaint() {
        if (!this.layout) {
            return;
        }
        this.painter.paint(this.frameContext, this.paintedState());
        const ctx = this.canvas.getContext("2d");
        ctx.imageSmoothingEnabled = false;
        ctx.clearRect(0, 0, this.canvas.width, this.canvas.height);
        ctx.drawImage(this.frame, 0, 0, this.canvas.width, this.canvas.height);
        if (this.layout.fullscreen) {
            this.paintKeyLegend(ctx);
        }
        if (this.pausedMark) {
            this.paintPausedMark(ctx);
        }
    }

    // Full screen, the keys in force in the backdrop's free space, never over the device, the
    // logo or the game menu's button, as the desktop shows them.
    paintKeyLegend(ctx) {
        const zoom = this.zoom;
        const text = this.core.keyLegendText();
        ctx.font = `${13 * zoom}px Arial, Helvetica, sans-serif`;
        const metrics = ctx.measureText(text);
        const size = [
            Math.ceil(metrics.width) + 16 * zoom,
            Math.ceil(metrics.fontBoundingBoxAscent + metrics.fontBoundingBoxDescent) + 8 * zoom,
        ];
        const scaled = (box) => box.map((v) => v * zoom);
        const logo = this.index("im_backdrop_logo");
        const taken = [
            scaled(this.layout.gameArea),
            scaled(this.layout.gameMenuBox),
            this.extraShown[logo] ? scaled(this.boxes[logo]) : [0, 0, 0, 0],
        ];
        const place = this.core.keyLegendPlace([this.canvas.width, this.canvas.height], size, taken);
        this.legendBox = place ? [...place, ...size] : null;
        if (!place) {
            return;
        }
        ctx.fillStyle = "rgba(0, 0, 0, 0.59)";
        ctx.beginPath();
        ctx.roundRect(place[0], place[1], size[0], size[1], 6 * zoom);
        ctx.fill();
        ctx.fillStyle = "rgb(230, 230, 230)";
        ctx.textAlign = "center";
        ctx.textBaseline = "middle";
        ctx.fillText(text, place[0] + size[0] / 2, place[1] + size[1] / 2);
    }

    // "PAUSED" over the middle of the device, as the desktop shows it.
    paintPausedMark(ctx) {
        const zoom = this.zoom;
        const [left, top, width, height] = this.layout.gameArea;
        const [markWidth, markHeight] = [96 * zoom, 28 * zoom];
        const x = (left + width / 2) * zoom - markWidth / 2;
        const y = (top + height / 2) * zoom - markHeight / 2;
        ctx.fillStyle = "rgba(20, 20, 20, 0.82)";
        ctx.beginPath();
        ctx.roundRect(x, y, markWidth, markHeight, 5 * zoom);
        ctx.fill();
        ctx.fillStyle = "#fff";
        ctx.font = `bold ${16 * zoom}px Arial, Helvetica, sans-serif`;
        ctx.textAlign = "center";
        ctx.textBaseline = "middle";
        ctx.fillText("PAUSED", x + markWidth / 2, y + markHeight / 2);
    }

    // The name of the topmost shown component under a point of the page, or "".
    componentAtPoint(clientX, clientY) {
        if (!this.layout) {
            return "";
        }
        const rect = this.canvas.getBoundingClientRect();
        const [width, height] = this.layout.clientSize;
        const x = Math.floor(((clientX - rect.left) / rect.width) * width);
        const y = Math.floor(((clientY - rect.top) / rect.height) * height);
        const hit = componentAt(this.boxes, this.paintedState().map((s) => s & 1), x, y);
        return hit >= 0 ? this.components[hit].name : "";
    }
}
