// The device core in WebAssembly, as the page calls it. Every call takes the page's device
// time (milliseconds; it stands still while the page is hidden).
import createZemblorCore from "../zemblor-core.js";

export async function loadCore(storage) {
    const module = await createZemblorCore({ storage });
    const call = (name, returns, args) => module.cwrap(name, returns, args);
    const json = (name, args) => {
        const f = module.cwrap(name, "string", args);
        return (...values) => JSON.parse(f(...values));
    };
    const api = {
        create: call("zc_create", null, Array(11).fill("number")),
        startUp: call("zc_start_up", null, []),
        powerOn: call("zc_power_on", null, ["number"]),
        advance: call("zc_advance", null, ["number"]),
        nextDeadline: call("zc_next_deadline", "number", []),
        wallClock: call("zc_wall_clock", null, Array(6).fill("number")),
        keyDown: call("zc_key_down", null, ["number", "number"]),
        keyUp: call("zc_key_up", null, ["number", "number"]),
        press: call("zc_press", null, ["number", "number"]),
        release: call("zc_release", null, ["number", "number"]),
        acceptBinding: call("zc_accept_binding", null, ["number", "number", "number"]),
        resetHiScores: call("zc_reset_hiscores", null, ["number"]),
        displayChanged: call("zc_display_changed", "number", []),
        hintsChanged: call("zc_hints_changed", "number", []),
        takeSounds: call("zc_take_sounds", "string", []),
        takeTrace: call("zc_take_trace", "string", []),
        stateLine: call("zc_state_line", "string", []),
        hints: call("zc_hints", "string", []),
        keyIndexes: call("zc_key_indexes", "string", []),
        record: call("zc_record", "string", ["number"]),
        readSetting: call("zc_read_setting", "number", ["string", "number"]),
        writeSetting: call("zc_write_setting", null, ["number", "string", "number"]),
        layout: call("zc_layout", "string", ["string", "number", "number", "number"]),
        logoPlace: call("zc_logo_place", "string", Array(7).fill("number")),
        components: call("zc_components", "string", []),
        // In menu order: [{name, caption, shortcut (a virtual-key code or null), checkable, default,
        // separator, gameMenuRow: [l, t, w, h]}].
        menuItems: json("zc_menu_items", []),
        // menuState(fullscreen): {ticked: [13 booleans], rowTexts: [13 game menu rows]}.
        menuState: json("zc_menu_state", ["number"]),
        // The key settings lists' 44 rows in list order.
        keyNames: json("zc_key_names", []),
        // The bindings in force as five list positions (GAME A, GAME B, TIME, LEFT, RIGHT; -1 none).
        keySelections: json("zc_key_selections", []),
        // checkKeys(a, b, c, d, e): {conflict: [5 booleans, the red names], acceptAvailable}.
        checkKeys: json("zc_check_keys", Array(5).fill("number")),
        // acceptKeys(now, a, b, c, d, e): 1 stored and hints rebuilt; 0 while two slots share a key.
        acceptKeys: call("zc_accept_keys", "number", Array(6).fill("number")),
        // dialogKeyAction(dialog: 0 start-up, 1 keys, 2 about; code or -1; confirmAvailable):
        // 0 pass on, 1 confirm, 2 swallow, 3 leave.
        dialogKeyAction: call("zc_dialog_key_action", "number", Array(3).fill("number")),
        // {title, details: [{captionName, caption, valueName, value, italic}],
        //  links: [{captionName, caption, linkName, text, address}]}.
        about: json("zc_about", []),
        // manualConfig(configText): {clientSize: [w, h], pages: [8 picture files]}.
        manualConfig: json("zc_manual_config", ["string"]),
        // "View manual": the page it was left on, its arrow buttons set for it.
        manualOpen: call("zc_manual_open", null, []),
        // manualState(w, h): {page, buttons: [close, previous, next as {up, down, box: [l, t, w, h]}]}.
        manualState: json("zc_manual_state", ["number", "number"]),
        // manualKeyDown(code), manualKeyUp(code): 0 nothing, 1 redraw, 2 close.
        manualKeyDown: call("zc_manual_key_down", "number", ["number"]),
        manualKeyUp: call("zc_manual_key_up", "number", ["number"]),
        // manualButtonDown(b), manualButtonUp(b) (0 close, 1 previous, 2 next): as the keys.
        manualButtonDown: call("zc_manual_button_down", "number", ["number"]),
        manualButtonUp: call("zc_manual_button_up", "number", ["number"]),
        // manualButtonAt(x, y, w, h): the button whose released picture is at the point, or -1.
        manualButtonAt: call("zc_manual_button_at", "number", Array(4).fill("number")),
        programTitle: call("zc_program_title", "string", []),
        programVersion: call("zc_program_version", "string", []),
    };
    // The full-screen legend of the keys in force, and its place (left, top) on a screen
    // beside three taken boxes, or null where there is no room.
    api.keyLegendText = call("zc_key_legend_text", "string", []);
    const legendPlace = call("zc_key_legend_place", "string", Array(16).fill("number"));
    api.keyLegendPlace = (screen, text, taken) => {
        const place = legendPlace(...screen, ...text, ...taken.flat());
        return place ? place.split(",").map(Number) : null;
    };
    const statePointer = module.cwrap("zc_display_state", "number", []);
    api.displayState = () => module.HEAPU8.subarray(statePointer(), statePointer() + 96);
    return api;
}
