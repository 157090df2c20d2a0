// The page: the start-up dialog, then the device in its canvas, driven by the core's own
// deadlines, the keyboard, the mouse and touch.
import { DeviceSound } from "./audio.js";
import { loadCore } from "./core.js";
import { DeviceClock } from "./device_clock.js";
import { HeldKeys } from "./keys.js";
import { SOUND_DRIVERS, componentAt, driverPosition, fitZoom, skipsSplash } from "./layout.js";
import { ScenePainter } from "./painter.js";
import { keyedOut, loadPicture, placeholderPicture } from "./pictures.js";
import { SettingsStorage } from "./storage.js";
import { steppedZoom, windowCommandFor } from "./window_keys.js";

const BUTTONS = ["btn_game_a_top", "btn_game_b_top", "btn_time_top", "btn_left_top", "btn_right_top"];
const HINTS = ["btn_game_a_top", "btn_game_b_top", "btn_time_top", "btn_set_top", "btn_left_top", "btn_right_top"];

const params = new URLSearchParams(location.search);
const canvas = document.getElementById("device");
const notice = document.getElementById("notice");

function tell(message) {
    notice.textContent = message;
    notice.hidden = false;
}

const clock = new DeviceClock();

function parseClock(text) {
    const m = /^(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2})(?::(\d{2}))?$/.exec(text ?? "");
    return m ? m.slice(1, 7).map((v) => Number(v ?? 0)) : null;
}

function localNow() {
    const d = new Date();
    return [d.getFullYear(), d.getMonth() + 1, d.getDate(), d.getHours(), d.getMinutes(), d.getSeconds()];
}

function seedParts() {
    const given = params.get("seed");
    if (given !== null && /^[0-9]+$/.test(given)) {
        const seed = BigInt.asUintN(64, BigInt(given));
        return [Number(seed >> 32n), Number(seed & 0xffffffffn)];
    }
    return [...crypto.getRandomValues(new Uint32Array(2))];
}

const storage = new SettingsStorage(window.localStorage, tell);
const core = await loadCore(storage);
const components = JSON.parse(core.components());
const fixedClock = parseClock(params.get("clock"));
const tracing = params.get("trace") === "1";
// ?timing=1: how late each wake-up came against the core's deadline, for the timing harness.
const timing = params.get("timing") === "1" ? (window.zemblorTiming = { lateness: [], wakes: 0 }) : null;
if (tracing) {
    window.zemblorTrace = [];
}
core.create(...seedParts(), fixedClock ? 1 : 0, ...(fixedClock ?? localNow()), tracing ? 1 : 0, clock.now());
core.startUp();

const config = await (await fetch("Config.ini")).text();
const sound = new DeviceSound("Sound/");
if (tracing) {
    window.zemblorSound = sound;
}
const painter = new ScenePainter(components);
const frame = new OffscreenCanvas(1, 1);
const frameContext = frame.getContext("2d", { willReadFrequently: true });
const pictures = new Array(components.length).fill(null);
const boxes = components.map((c) => [...c.box]);
let layout = null;
let zoom = 1;
let largestZoom = 1;
let poweredOn = false;
let timer = null;


async function preparedPicture(i, path, mustExist) {
    const picture = await loadPicture(path);
    if (picture.missing) {
        return mustExist ? keyedOrNot(i, placeholderPicture()) : null;
    }
    if (picture.error) {
        console.error(`zemblor: ${picture.error}`);
        return keyedOrNot(i, placeholderPicture());
    }
    return keyedOrNot(i, picture);
}

function keyedOrNot(i, picture) {
    return components[i].transparent ? keyedOut(picture) : picture.canvas;
}

const index = (name) => components.findIndex((c) => c.name === name);
pictures[index("btn_game_menu_background")] = await preparedPicture(index("btn_game_menu_background"), "Graphics/game_menu.png", true);

async function layOut() {
    const fullscreen = document.fullscreenElement !== null;
    const ratio = window.devicePixelRatio || 1;
    const viewport = { width: window.innerWidth, height: window.innerHeight };
    const probe = JSON.parse(core.layout(config, 0, 1, 1));
    const [gameWidth, gameHeight] = probe.configuredGameSize;
    // The stored zoom (1 to 8) where the device fits at it, else the largest that fits.
    largestZoom = fitZoom({ width: Math.max(1, gameWidth), height: Math.max(1, gameHeight) }, viewport, ratio);
    const stored = core.readSetting("Zoom", 0);
    zoom = stored >= 1 && stored <= 8 ? Math.min(stored, largestZoom) : largestZoom;
    const screen = [Math.floor((viewport.width * ratio) / zoom), Math.floor((viewport.height * ratio) / zoom)];
    const next = JSON.parse(core.layout(config, fullscreen ? 1 : 0, screen[0], screen[1]));
    await Promise.all(
        next.images.map(async (image) => {
            if (image.picturePath) {
                pictures[image.component] = await preparedPicture(image.component, image.picturePath, true);
            }
            boxes[image.component] = image.box;
        }),
    );
    const shown = core.displayState();
    const backdrop = index("im_backdrop");
    const logo = index("im_backdrop_logo");
    backdropShown = false;
    logoShown = false;
    if (fullscreen && next.backdropPath) {
        const picture = await preparedPicture(backdrop, next.backdropPath, false);
        if (picture) {
            pictures[backdrop] = picture;
            backdropShown = true;
        }
    }
    if (fullscreen && next.logoPath) {
        const picture = await preparedPicture(logo, next.logoPath, false);
        if (picture) {
            pictures[logo] = picture;
            const [left, top] = core
                .logoPlace(next.logoPosition, screen[0], screen[1], picture.width, picture.height, boxes[logo][0], boxes[logo][1])
                .split(",")
                .map(Number);
            boxes[logo] = [left, top, picture.width, picture.height];
            logoShown = true;
        }
    }
    boxes[index("btn_game_menu_background")] = next.gameMenuBox;
    boxes[index("btn_game_menu_top")] = next.gameMenuBox;
    layout = next;
    void shown;
    painter.setScene(layout, pictures, boxes);
    const [width, height] = layout.clientSize;
    frame.width = width;
    frame.height = height;
    canvas.width = width * zoom;
    canvas.height = height * zoom;
    canvas.style.width = `${(width * zoom) / ratio}px`;
    canvas.style.height = `${(height * zoom) / ratio}px`;
    repaint();
}

let backdropShown = false;
let logoShown = false;

// The components' state as painted: the core's, with the page's own layout pictures.
function paintedState() {
    const state = new Uint8Array(core.displayState());
    const fullscreen = layout.fullscreen;
    const setShown = (i, on) => (state[i] = (state[i] & ~1) | (on ? 1 : 0));
    setShown(index("im_backdrop"), fullscreen && backdropShown);
    setShown(index("im_backdrop_logo"), fullscreen && logoShown);
    setShown(index("btn_game_menu_background"), layout.gameMenuShown);
    setShown(index("btn_game_menu_top"), layout.gameMenuShown);
    return state;
}

function repaint() {
    if (!layout) {
        return;
    }
    painter.paint(frameContext, paintedState());
    const ctx = canvas.getContext("2d");
    ctx.imageSmoothingEnabled = false;
    ctx.clearRect(0, 0, canvas.width, canvas.height);
    ctx.drawImage(frame, 0, 0, canvas.width, canvas.height);
    if (clock.has("pause")) {
        paintPausedMark(ctx);
    }
}

// "PAUSED" over the middle of the device, as the desktop shows it.
function paintPausedMark(ctx) {
    const [left, top, width, height] = layout.gameArea;
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

function updateHints() {
    const hints = JSON.parse(core.hints()).hints;
    canvas.dataset.hints = JSON.stringify(hints);
}

// After every call into the core: beeps, trace lines, the display, the next wake-up.
function afterCore() {
    for (const c of core.takeSounds()) {
        sound.play(Number(c));
    }
    if (tracing) {
        for (const line of core.takeTrace().split("\n")) {
            if (line) {
                window.zemblorTrace.push(JSON.parse(line));
            }
        }
    }
    if (core.displayChanged()) {
        repaint();
    }
    if (core.hintsChanged()) {
        updateHints();
    }
    schedule();
}

function schedule() {
    clearTimeout(timer);
    timer = null;
    if (clock.paused || !poweredOn) {
        return;
    }
    const deadline = core.nextDeadline();
    if (deadline < 0) {
        return;
    }
    timer = setTimeout(() => wake(deadline), Math.max(0, deadline - clock.now()));
}

function wake(deadline) {
    timer = null;
    if (timing && deadline !== undefined) {
        timing.wakes++;
        timing.lateness.push(clock.now() - deadline);
    }
    // A browser may wake a fraction of a millisecond early: that is the deadline all the same,
    // or the page would wake a second time for it.
    core.advance(Math.max(clock.now(), deadline ?? 0));
    if (!fixedClock) {
        core.wallClock(...localNow());
    }
    afterCore();
}

// Keys: the program's own first, then the device's buttons through their bindings; a held
// key acts once.
const keys = new HeldKeys();
const heldCommands = new Set();
window.addEventListener("keydown", (event) => {
    if (!poweredOn || document.getElementById("splash").open) {
        return;
    }
    const command = windowCommandFor(event.code);
    if (command) {
        event.preventDefault();
        if (!heldCommands.has(event.code)) {
            heldCommands.add(event.code);
            runWindowCommand(command);
        }
        return;
    }
    const pressed = keys.press(event.code);
    if (pressed && clock.has("pause")) {
        // Paused, the device takes no presses; releases of keys held before still reach it.
        if (pressed.first) {
            keys.release(event.code);
        }
        return;
    }
    if (pressed) {
        core.keyDown(clock.now(), pressed.key);
        afterCore();
        if (pressed.key !== 27 && !(pressed.key >= 112 && pressed.key <= 123)) {
            event.preventDefault();
        }
    }
});
window.addEventListener("keyup", (event) => {
    heldCommands.delete(event.code);
    const key = keys.release(event.code);
    if (key !== null && poweredOn) {
        core.keyUp(clock.now(), key);
        afterCore();
    }
});
window.addEventListener("blur", () => {
    heldCommands.clear();
    for (const key of keys.releaseAll()) {
        core.keyUp(clock.now(), key);
    }
    afterCore();
});

// Mouse and touch: each pointer presses the button it went down on and releases it wherever
// it goes, so LEFT can be held while RIGHT is tapped.
const pointerButtons = new Map();
function pictureXY(event) {
    const rect = canvas.getBoundingClientRect();
    const [width, height] = layout.clientSize;
    return [
        Math.floor(((event.clientX - rect.left) / rect.width) * width),
        Math.floor(((event.clientY - rect.top) / rect.height) * height),
    ];
}
canvas.addEventListener("pointerdown", (event) => {
    if (!poweredOn || event.button !== 0 || clock.has("pause")) {
        return;
    }
    const [x, y] = pictureXY(event);
    const hit = componentAt(boxes, paintedState().map((s) => s & 1), x, y);
    const button = hit >= 0 ? BUTTONS.indexOf(components[hit].name) : -1;
    if (button >= 0) {
        try {
            canvas.setPointerCapture(event.pointerId);
        } catch {
            // The pointer is already gone: its release comes all the same.
        }
        pointerButtons.set(event.pointerId, button);
        core.press(clock.now(), button);
        afterCore();
        event.preventDefault();
    }
});
function pointerEnd(event) {
    const button = pointerButtons.get(event.pointerId);
    if (button !== undefined) {
        pointerButtons.delete(event.pointerId);
        core.release(clock.now(), button);
        afterCore();
    }
}
canvas.addEventListener("pointerup", pointerEnd);
canvas.addEventListener("pointercancel", pointerEnd);
canvas.addEventListener("pointermove", (event) => {
    if (!layout) {
        return;
    }
    const [x, y] = pictureXY(event);
    const hit = componentAt(boxes, paintedState().map((s) => s & 1), x, y);
    const name = hit >= 0 ? components[hit].name : "";
    const hints = JSON.parse(canvas.dataset.hints ?? "{}");
    canvas.title = HINTS.includes(name) ? hints[name] ?? "" : "";
    canvas.style.cursor = BUTTONS.includes(name) ? "pointer" : name === "btn_set_top" ? "help" : "default";
});
canvas.addEventListener("contextmenu", (event) => event.preventDefault());

// A hidden page pauses the device; shown again, it resumes where it was.
document.addEventListener("visibilitychange", () => {
    if (document.hidden) {
        sound.suspend();
        hold("hidden");
    } else {
        sound.resume();
        release("hidden");
    }
});

function hold(reason) {
    clock.hold(reason);
    clearTimeout(timer);
    timer = null;
    document.body.dataset.paused = [...clock.reasons].join(" ");
}

function release(reason) {
    clock.release(reason);
    if (clock.paused) {
        document.body.dataset.paused = [...clock.reasons].join(" ");
        return;
    }
    delete document.body.dataset.paused;
    if (poweredOn) {
        wake();
    }
}

function runWindowCommand(command) {
    if (command === "pause") {
        if (clock.has("pause")) {
            release("pause");
        } else {
            hold("pause");
        }
        repaint();
        return;
    }
    const next = steppedZoom(zoom, command === "zoomIn" ? 1 : -1, largestZoom);
    if (next !== zoom) {
        core.writeSetting(clock.now(), "Zoom", next);
        afterCore();
        layOut();
    }
}

// Full screen: the full-screen layout over the backdrop.
function toggleFullscreen() {
    if (document.fullscreenElement) {
        document.exitFullscreen();
    } else {
        document.documentElement.requestFullscreen().catch((error) => tell(`Full screen is not available: ${error.message}`));
    }
}
document.getElementById("fullscreen").addEventListener("click", toggleFullscreen);
canvas.addEventListener("dblclick", toggleFullscreen);
document.addEventListener("fullscreenchange", () => {
    core.writeSetting(clock.now(), "FullscreenMode", document.fullscreenElement ? 1 : 0);
    afterCore();
    document.body.classList.toggle("fullscreen", document.fullscreenElement !== null);
    layOut();
});
window.addEventListener("resize", () => layout && layOut());

// Play: the sound output chosen, the choices stored, the device switched on. Play is the
// gesture a browser asks for before it shows a page full screen, so a stored full screen
// comes back here.
async function play(soundMode, splashAtStartup, byGesture) {
    if (byGesture && core.readSetting("FullscreenMode", 0) === 1 && document.fullscreenEnabled) {
        document.documentElement.requestFullscreen().catch(() => {});
    }
    core.writeSetting(clock.now(), "SoundMode", soundMode);
    if (soundMode === 0 && !(await sound.start())) {
        tell("Sound folder unproperly installed. Please reinstall the game.");
    }
    core.writeSetting(clock.now(), "SplashScreen", splashAtStartup ? 1 : 0);
    await laidOut;
    core.powerOn(clock.now());
    poweredOn = true;
    document.body.dataset.state = "playing";
    afterCore();
    performance.mark("device-drawn");
}

function showSplash() {
    const dialog = document.getElementById("splash");
    document.getElementById("splash-title").textContent = core.programTitle();
    document.getElementById("splash-version").textContent = `Version ${core.programVersion()} * Final *`;
    const list = document.getElementById("sound-driver");
    for (const driver of SOUND_DRIVERS) {
        list.add(new Option(driver.text, String(driver.mode)));
    }
    const position = driverPosition(core.readSetting("SoundMode", -1));
    list.selectedIndex = position;
    const playButton = document.getElementById("play");
    const availability = () => (playButton.disabled = list.selectedIndex < 0);
    list.addEventListener("change", availability);
    availability();
    const check = document.getElementById("splash-at-startup");
    check.checked = core.readSetting("SplashScreen", 1) !== 0;
    dialog.addEventListener("cancel", (event) => event.preventDefault());
    dialog.addEventListener("keydown", (event) => {
        if (event.key === "1" && !playButton.disabled) {
            event.preventDefault();
            playButton.click();
        }
    });
    dialog.querySelector("form").addEventListener("submit", (event) => {
        if (list.selectedIndex < 0) {
            event.preventDefault();
            return;
        }
        play(Number(list.value), check.checked, true);
    });
    document.body.dataset.state = "splash";
    dialog.showModal();
    requestAnimationFrame(() => performance.mark("splash-drawn"));
    (position >= 0 ? playButton : list).focus();
}

afterCore();
// The pictures load while the dialog is up, so Play only switches the device on.
const laidOut = layOut();
const storedMode = core.readSetting("SoundMode", -1);
if (skipsSplash(storedMode, core.readSetting("SplashScreen", 1) !== 0)) {
    play(storedMode, false, false);
} else {
    showSplash();
}
