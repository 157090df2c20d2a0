// The start-up dialog: the program's title and version, the sound list, Play (also Enter and
// 1), the switch for showing it at start. Escape does nothing: a page cannot close itself.
import { SOUND_DRIVERS, driverPosition } from "./layout.js";

// Shows the dialog; `onPlay(soundMode, splashAtStartup)` runs inside Play's click.
export function showSplash(core, { storedSoundMode, splashAtStartup, onPlay }) {
    const dialog = document.getElementById("splash");
    document.getElementById("splash-title").textContent = core.programTitle();
    document.getElementById("splash-version").textContent = `Version ${core.programVersion()} * Final *`;
    const list = document.getElementById("sound-driver");
    if (list.options.length === 0) {
        for (const driver of SOUND_DRIVERS) {
            list.add(new Option(driver.text, String(driver.mode)));
        }
        dialog.addEventListener("cancel", (event) => event.preventDefault());
    }
    const position = driverPosition(storedSoundMode);
    list.selectedIndex = position;
    const playButton = document.getElementById("play");
    const availability = () => (playButton.disabled = list.selectedIndex < 0);
    list.onchange = availability;
    availability();
    const check = document.getElementById("splash-at-startup");
    check.checked = splashAtStartup;
    dialog.onkeydown = (event) => {
        // Once closed, its Play button may keep the focus: its keys are the device's then.
        if (dialog.open && event.code === "Digit1" && !playButton.disabled) {
            event.preventDefault();
            playButton.click();
        }
    };
    dialog.querySelector("form").onsubmit = (event) => {
        if (list.selectedIndex < 0) {
            event.preventDefault();
            return;
        }
        onPlay(Number(list.value), check.checked);
        playButton.blur();
    };
    document.body.dataset.state = "splash";
    dialog.showModal();
    requestAnimationFrame(() => performance.mark("splash-drawn"));
    (position >= 0 ? playButton : list).focus();
}
