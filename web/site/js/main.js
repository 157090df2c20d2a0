// The page: the start-up dialog, then the device in its canvas, driven by the core's own
// deadlines, the keyboard, the mouse and touch.
import { DeviceSound } from "./audio.js";
import { loadCore } from "./core.js";
import { DeviceController } from "./device_controller.js";
import { attachDeviceInput } from "./device_input.js";
import { attachDeviceStatus } from "./device_status.js";
import { DeviceView } from "./device_view.js";
import { attachGamepads } from "./gamepad.js";
import { skipsSplash } from "./layout.js";
import { pageOptions } from "./page_options.js";
import { attachPageTools } from "./page_tools.js";
import { siteSkin } from "./skin_source.js";
import { showSplash } from "./splash.js";
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

const skin = siteSkin();
view.setSkin(skin, (await skin.text("Config.ini")) ?? "");
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

const splashDialog = document.getElementById("splash");
attachDeviceInput({
    controller,
    view,
    takesInput: () => controller.poweredOn && !splashDialog.open,
    runCommand,
});

attachGamepads({ controller, takesInput: () => controller.poweredOn && !splashDialog.open });
attachDeviceStatus({ controller, element: document.getElementById("device-status") });
attachPageTools({ controller, view, core, tell, layOut });

// A hidden page pauses the device; shown again, it resumes where it was.
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
view.canvas.addEventListener("contextmenu", (event) => event.preventDefault());
document.addEventListener("fullscreenchange", () => {
    controller.writeSetting("FullscreenMode", document.fullscreenElement ? 1 : 0);
    document.body.classList.toggle("fullscreen", document.fullscreenElement !== null);
    layOut();
});
window.addEventListener("resize", () => view.layout && layOut());

// Play: the sound output chosen, the choices stored, the device switched on. Play is the
// gesture a browser asks for before it shows a page full screen, so a stored full screen
// comes back here.
async function play(soundMode, splashAtStartup, byGesture) {
    if (byGesture && controller.readSetting("FullscreenMode", 0) === 1 && document.fullscreenEnabled) {
        document.documentElement.requestFullscreen().catch(() => {});
    }
    controller.writeSetting("SoundMode", soundMode);
    if (soundMode === 0 && !(await sound.start())) {
        tell("Sound folder unproperly installed. Please reinstall the game.");
    }
    controller.writeSetting("SplashScreen", splashAtStartup ? 1 : 0);
    await laidOut;
    controller.powerOn();
    document.body.dataset.state = "playing";
    performance.mark("device-drawn");
}

controller.afterCore();
// The pictures load while the dialog is up, so Play only switches the device on.
const laidOut = layOut();
const storedMode = controller.readSetting("SoundMode", -1);
const splashAtStartup = controller.readSetting("SplashScreen", 1) !== 0;
if (skipsSplash(storedMode, splashAtStartup)) {
    play(storedMode, false, false);
} else {
    showSplash(core, {
        storedSoundMode: storedMode,
        splashAtStartup,
        onPlay: (soundMode, atStartup) => play(soundMode, atStartup, true),
    });
}
