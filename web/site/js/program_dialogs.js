// The program's dialogs in the page: the about box, the key settings and the manual, each
// opened by its menu item and closed by its own keys and buttons.
import { AboutBox } from "./dialogs/about_box.js";
import { KeySettings } from "./dialogs/key_settings.js";
import { ManualView } from "./dialogs/manual_view.js";
import { siteSkin } from "./skin_source.js";

// `controller`: the device's (device_controller.js); `core`: the core's calls; `config`: the
// skin's Config.ini text, whose [Manual] section sizes the manual and names its pages, which
// come from `source` (skin_source.js), the site's own files unless told otherwise.
export function createProgramDialogs({ controller, core, config, source = siteSkin() }) {
    const about = new AboutBox(document.getElementById("about-box"), core);
    const keys = new KeySettings(document.getElementById("key-settings"), { controller, core });
    const manual = new ManualView(document.getElementById("manual"), { core, config, source });
    return {
        about: () => about.open(),
        keySettings: () => keys.open(),
        manual: () => manual.open(),
    };
}
