// The manual: the picture book's eight pages in a borderless box, one at a time. The core's
// pager decides what the arrow keys, Escape and the three drawn buttons do; the view paints
// what it says, moves the box when the page is dragged, and keeps its place between openings.
import { HeldKeys } from "../keys.js";
import { loadPicture, placeholderPicture } from "../pictures.js";
import { focusStops } from "./dialog_frame.js";
import { BUTTON_HEIGHT, BUTTON_WIDTH, manualButtonPixels } from "./manual_buttons.js";

const REDRAW = 1;
const CLOSE = 2;
const PAGE_COUNT = 8;

export class ManualView {
    // `config`: the skin's Config.ini text; `source` gives the page files (skin_source.js).
    constructor(dialog, { core, config, source }) {
        this.dialog = dialog;
        this.core = core;
        this.source = source;
        const manual = core.manualConfig(config);
        [this.width, this.height] = manual.clientSize;
        this.pageFiles = manual.pages;
        this.pages = null;
        this.place = null;
        this.canvas = dialog.querySelector("canvas");
        this.canvas.width = this.width;
        this.canvas.height = this.height;
        this.context = this.canvas.getContext("2d");
        this.buttonPictures = [0, 1, 2].map((button) =>
            [false, true].map((pressed) => new ImageData(manualButtonPixels(button, pressed), BUTTON_WIDTH, BUTTON_HEIGHT)),
        );
        this.keys = new HeldKeys();
        this.pressedButton = null;
        this.drag = null;
        this.listen();
    }

    // "View manual": the first time centred, later where it was left, on the page it was
    // left on. Already open, it only takes the focus back.
    open() {
        if (!this.dialog.open) {
            this.core.manualOpen();
            this.pages ??= this.loadPages();
            this.place ??= {
                left: Math.max(0, Math.round((window.innerWidth - this.width) / 2)),
                top: Math.max(0, Math.round((window.innerHeight - this.height) / 2)),
            };
            this.moveTo(this.place);
            this.dialog.showModal();
            this.paint();
        }
        this.canvas.focus();
    }

    // Loaded at the first opening, not with the page: eight bitmaps are most of the site's bytes.
    loadPages() {
        const pages = new Array(PAGE_COUNT).fill(null);
        this.pageFiles.forEach(async (file, i) => {
            const picture = await loadPicture(this.source, file);
            pages[i] = picture.canvas ?? placeholderPicture().canvas;
            this.paint();
        });
        return pages;
    }

    moveTo({ left, top }) {
        this.place = { left, top };
        this.dialog.style.left = `${left}px`;
        this.dialog.style.top = `${top}px`;
    }

    state() {
        return this.core.manualState(this.width, this.height);
    }

    paint() {
        const ctx = this.context;
        const { page, buttons } = this.state();
        ctx.fillStyle = "#fff";
        ctx.fillRect(0, 0, this.width, this.height);
        // The first page stays beneath the current one, as the desktop's holders lie.
        for (const picture of [this.pages?.[0], this.pages?.[page - 1]]) {
            if (picture) {
                ctx.drawImage(picture, 0, 0);
            }
        }
        ctx.fillStyle = "#000";
        ctx.fillRect(0, 0, this.width, 1);
        ctx.fillRect(0, this.height - 1, this.width, 1);
        ctx.fillRect(0, 0, 1, this.height);
        ctx.fillRect(this.width - 1, 0, 1, this.height);
        buttons.forEach(({ up, down, box: [left, top] }, button) => {
            if (down) {
                ctx.putImageData(this.buttonPictures[button][1], left, top);
            }
            if (up) {
                ctx.putImageData(this.buttonPictures[button][0], left, top);
            }
        });
        this.canvas.setAttribute("aria-label", `Manual, page ${page} of ${PAGE_COUNT}`);
        this.dialog.dataset.page = String(page);
    }

    apply(outcome) {
        if (outcome === REDRAW || outcome === CLOSE) {
            this.paint();
        }
        if (outcome === CLOSE && this.dialog.open) {
            this.dialog.close();
        }
    }

    listen() {
        const dialog = this.dialog;
        dialog.addEventListener("keydown", (event) => {
            // The canvas is the box's one control: the focus stays on it.
            if (event.key === "Tab") {
                event.preventDefault();
                focusStops(dialog)[0]?.focus();
                return;
            }
            const pressed = this.keys.press(event.code);
            if (pressed) {
                // The box's key goes no further: if it closes the box, the page would take it
                // for the device's or a menu item's.
                event.stopPropagation();
                // Escape closes at its release, so the browser must not close the box at the
                // press; the function keys keep the browser's meaning.
                if (!(pressed.key >= 112 && pressed.key <= 123)) {
                    event.preventDefault();
                }
                this.apply(this.core.manualKeyDown(pressed.key));
            }
        });
        dialog.addEventListener("keyup", (event) => {
            const key = this.keys.release(event.code);
            if (key !== null) {
                event.stopPropagation();
                this.apply(this.core.manualKeyUp(key));
            }
        });
        dialog.addEventListener("cancel", (event) => event.preventDefault());
        // Releases of keys held when the box closes or the page loses the keyboard never come.
        const letGo = () => {
            for (const key of this.keys.releaseAll()) {
                this.apply(this.core.manualKeyUp(key));
            }
        };
        dialog.addEventListener("close", letGo);
        window.addEventListener("blur", letGo);

        const canvas = this.canvas;
        canvas.addEventListener("pointerdown", (event) => {
            if (event.button !== 0) {
                return;
            }
            const x = Math.floor(event.offsetX);
            const y = Math.floor(event.offsetY);
            try {
                canvas.setPointerCapture(event.pointerId);
            } catch {
                // The pointer is already gone: its release comes all the same.
            }
            event.preventDefault();
            const button = this.core.manualButtonAt(x, y, this.width, this.height);
            if (button >= 0) {
                this.pressedButton = button;
                this.apply(this.core.manualButtonDown(button));
            } else {
                this.drag = { x, y };
            }
        });
        canvas.addEventListener("pointermove", (event) => {
            if (this.drag && event.buttons & 1) {
                // The box follows the pointer, which stays over the spot of the page it took.
                this.moveTo({ left: Math.round(event.clientX) - this.drag.x, top: Math.round(event.clientY) - this.drag.y });
            }
        });
        const end = () => {
            this.drag = null;
            if (this.pressedButton !== null) {
                const button = this.pressedButton;
                this.pressedButton = null;
                this.apply(this.core.manualButtonUp(button));
            }
        };
        canvas.addEventListener("pointerup", end);
        canvas.addEventListener("pointercancel", end);
    }
}
