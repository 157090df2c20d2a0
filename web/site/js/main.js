// The page: the start-up dialog, then the device in its canvas, driven by the core's own
// deadlines, the keyboard, the mouse and touch.
import { DeviceSound } from "./audio.js";
import { playBeep } from "./beep.js";
import { loadCore } from "./core.js";
import { DeviceController } from "./device_controller.js";
import { attachDeviceInput } from "./device_input.js";
import { attachDeviceStatus } from "./device_status.js";
import { DeviceView } from "./device_view.js";
import { GameMenu } from "./game_menu.js";
import { attachGamepads } from "./gamepad.js";
import { skipsSplash } from "./layout.js";
import { pageOptions } from "./page_options.js";
import { attachPageTools, startingSkin } from "./page_tools.js";
import { createProgramDialogs } from "./program_dialogs.js";
import { ProgramMenu, itemForShortcut } from "./program_menu.js";
import { fallbackSource, siteSkin } from "./skin_source.js";
import { showSplash } from "./splash.js";
import { TextViewer } from "./text_viewer.js";
import { SettingsStorage } from "./storage.js";
import { steppedZoom } from "./window_keys.js";

const options = pageOptions(location.search);
const notice = document.getElementById("notice");

function tell(message) {
    notice.textContent = message;
    notice.hidden = false;
}

const storage = new SettingsStorage(window.localStorage, tell);
const core = await loadCore(storage);
const sound = new DeviceSound("Sound/");
const controller = new DeviceController(core, sound, options);
const view = new DeviceView(document.getElementById("device"), core);
if (options.trace) {
    window.zemblorTrace = controller.trace;
    window.zemblorSound = sound;
    window.zemblorCore = Object.freeze({ ...core }); // for tests: the core's exports, read-only
}
if (options.timing) {
    window.zemblorTiming = controller.timing;
}

controller.onDisplay = () => view.repaint();
controller.onPause = () => {
    const reasons = [...controller.clock.reasons];
    if (reasons.length > 0) {
        document.body.dataset.paused = reasons.join(" ");
    } else {
        delete document.body.dataset.paused;
    }
    view.pausedMark = controller.paused;
    view.repaint();
};

// The start-up dialog comes first; the skin, the menu and the rest get ready behind it, and
// Play waits for them.
let pageIsReady;
const pageReady = new Promise((resolve) => (pageIsReady = resolve));
const storedMode = controller.readSetting("SoundMode", -1);
const skipSplash = skipsSplash(storedMode, controller.readSetting("SplashScreen", 1) !== 0);
if (!skipSplash) {
    splash();
}

const skin = siteSkin();
view.setSkin(...(await startingSkin(skin)));
await view.setGameMenuPicture(skin, "Graphics/game_menu.png");

function layOut() {
    return view.layOut({
        fullscreen: document.fullscreenElement !== null,
        viewport: { width: window.innerWidth, height: window.innerHeight },
        ratio: window.devicePixelRatio || 1,
        storedZoom: controller.readSetting("Zoom", 0),
    });
}

function runCommand(command) {
    if (command === "pause") {
        if (controller.paused) {
            controller.release("pause");
        } else {
            controller.hold("pause");
        }
        return;
    }
    const next = steppedZoom(view.zoom, command === "zoomIn" ? 1 : -1, view.largestZoom);
    if (next !== view.zoom) {
        controller.writeSetting("Zoom", next);
        layOut();
    }
}

// The menu's items, however chosen (the menu, a shortcut key, the in-window game menu).
// The documents and the manual's pages: an own skin folder's where it has them, else the site's.
const dataSource = {
    text: (path) => (view.dataSource ?? skin).text(path),
    blob: (path) => (view.dataSource ?? skin).blob(path),
};
// The manual is the starting skin's, as the desktop reads its [Manual] section at start only.
const manualSource = view.source === skin ? skin : fallbackSource(view.source, skin);
const dialogs = createProgramDialogs({ controller, core, config: view.config, source: manualSource });
const documents = new TextViewer(document.getElementById("document"));
async function showDocument(path, note) {
    const text = path === "Config.ini" ? view.config : ((await dataSource.text(path)) ?? "");
    documents.show(path, text, note);
}
const items = {
    pm_1_about: () => dialogs.about(),
    pm_2_readme: () => showDocument("Readme.txt"),
    pm_3_whatsnew: () => showDocument("Whatsnew.txt"),
    pm_4_manual: () => dialogs.manual(),
    pm_6_config: () => showDocument("Config.ini", "Read-only here: the page cannot change the site's files. Your own skin folder can hold your own."),
    pm_7_keys: () => dialogs.keySettings(),
    pm_8_hiscore: () => {
        core.resetHiScores(controller.now());
        controller.afterCore();
        if (controller.readSetting("SoundMode", -1) === 0) {
            playBeep(sound.context);
        }
    },
    pm_10_fullscreen: () => toggleFullscreen(),
    pm_11_splashscreen: () => controller.writeSetting("SplashScreen", controller.readSetting("SplashScreen", 1) !== 0 ? 0 : 1),
    pm_14_exit: () => exit(),
};
function runItem(name) {
    input.releaseAll();
    items[name]?.();
}
const menuItems = core.menuItems();
// F1 and F12 are the browser's: its help and its developer tools.
const BROWSER_KEYS = [112, 123];
const menu = new ProgramMenu(document.getElementById("menu"), menuItems, runItem, BROWSER_KEYS);
const gameMenu = new GameMenu(document.getElementById("game-menu"), view, menuItems, runItem);
const openMenuAt = (x, y) => {
    input.releaseAll();
    menu.openAt(x, y, core.menuState(document.fullscreenElement ? 1 : 0).ticked);
};

// The device takes keys, clicks and pads while it is on and no dialog or menu is open.
function takesInput() {
    return controller.poweredOn && !document.querySelector("dialog[open]") && !menu.open && !gameMenu.open;
}

const input = attachDeviceInput({
    controller,
    view,
    takesInput,
    runCommand,
    runShortcut: (code, onlyAsk) => {
        const item = BROWSER_KEYS.includes(code) ? null : itemForShortcut(menuItems, code);
        if (item && !onlyAsk) {
            runItem(item.name);
        }
        return item !== null;
    },
});
view.canvas.addEventListener("contextmenu", (event) => {
    event.preventDefault();
    if (controller.poweredOn && !document.querySelector("dialog[open]")) {
        openMenuAt(event.clientX, event.clientY);
    }
});
// The menu from the keyboard: the menu key or Shift+F10, as for any context menu.
window.addEventListener("keydown", (event) => {
    if ((event.code === "ContextMenu" || (event.shiftKey && event.code === "F10")) && controller.poweredOn && !document.querySelector("dialog[open]")) {
        event.preventDefault();
        const rect = view.canvas.getBoundingClientRect();
        openMenuAt(rect.left, rect.top);
    }
});
// A long press on the device away from its buttons, and the in-window game menu button.
let longPress = null;
view.canvas.addEventListener("pointerdown", (event) => {
    const name = view.componentAtPoint(event.clientX, event.clientY);
    if (name === "btn_game_menu_top" && event.button === 0) {
        input.releaseAll();
        gameMenu.toggle(core.menuState(document.fullscreenElement ? 1 : 0).rowTexts);
        event.preventDefault();
    } else if (event.pointerType === "touch" && !name.startsWith("btn_")) {
        longPressAt = [event.clientX, event.clientY];
        clearTimeout(longPress);
        longPress = setTimeout(() => openMenuAt(...longPressAt), 600);
    }
});
let longPressAt = null;
// A finger that moves away (more than a jitter) or lifts is no long press.
for (const type of ["pointerup", "pointercancel", "pointermove"]) {
    view.canvas.addEventListener(type, (event) => {
        const moved = longPressAt && Math.hypot(event.clientX - longPressAt[0], event.clientY - longPressAt[1]) > 10;
        if (type !== "pointermove" || (event.pointerType === "touch" && moved)) {
            clearTimeout(longPress);
        }
    });
}

attachGamepads({ controller, takesInput });
attachDeviceStatus({ controller, element: document.getElementById("device-status") });
attachPageTools({ controller, view, core, tell, layOut });

// A hidden page pauses the device; shown again, it resumes where it was.
if (document.hidden) {
    controller.hold("hidden");
}
document.addEventListener("visibilitychange", () => {
    if (document.hidden) {
        sound.suspend();
        controller.hold("hidden");
    } else {
        sound.resume();
        controller.release("hidden");
    }
});

// Full screen: the full-screen layout over the backdrop.
function toggleFullscreen() {
    if (document.fullscreenElement) {
        document.exitFullscreen();
    } else {
        document.documentElement.requestFullscreen().catch((error) => tell(`Full screen is not available: ${error.message}`));
    }
}
document.getElementById("fullscreen").addEventListener("click", toggleFullscreen);
view.canvas.addEventListener("dblclick", toggleFullscreen);
document.addEventListener("fullscreenchange", () => {
    gameMenu.close();
    controller.writeSetting("FullscreenMode", document.fullscreenElement ? 1 : 0);
    document.body.classList.toggle("fullscreen", document.fullscreenElement !== null);
    layOut();
});
window.addEventListener("resize", () => {
    gameMenu.close();
    if (view.layout) {
        layOut();
    }
});

// Play: the sound output chosen, the choices stored, the device switched on. Play is the
// gesture a browser asks for before it shows a page full screen, so a stored full screen
// comes back here.
async function play(soundMode, splashAtStartup, byGesture) {
    if (byGesture && controller.readSetting("FullscreenMode", 0) === 1 && document.fullscreenEnabled && !document.fullscreenElement) {
        document.documentElement.requestFullscreen().catch(() => {});
    }
    controller.writeSetting("SoundMode", soundMode);
    if (soundMode === 0 && sound.context) {
        sound.resume();
    } else if (soundMode === 0 && !(await sound.start())) {
        tell("Sound folder unproperly installed. Please reinstall the game.");
    } else if (soundMode !== 0) {
        sound.stop();
    }
    if (soundMode === 0 && !byGesture) {
        // Without Play's click the browser may hold the sound back until the first input.
        const resume = () => sound.resume();
        window.addEventListener("keydown", resume, { once: true });
        window.addEventListener("pointerdown", resume, { once: true });
    }
    controller.writeSetting("SplashScreen", splashAtStartup ? 1 : 0);
    await pageReady;
    controller.powerOn();
    document.body.dataset.state = "playing";
    performance.mark("device-drawn");
}

function splash() {
    showSplash(core, {
        storedSoundMode: controller.readSetting("SoundMode", -1),
        splashAtStartup: controller.readSetting("SplashScreen", 1) !== 0,
        onPlay: (soundMode, atStartup) => play(soundMode, atStartup, true),
    });
}

// Exit: a page cannot close itself, so the device is switched off and the start-up dialog
// comes back; every value is already stored.
function exit() {
    controller.powerOff();
    sound.suspend();
    splash();
}

if (options.trace) {
    window.zemblorMenu = { run: runItem, menu, gameMenu };
}
controller.afterCore();
layOut().then(() => {
    performance.mark("page-ready");
    pageIsReady();
});
if (skipSplash) {
    play(storedMode, false, false);
}
