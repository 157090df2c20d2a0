// The device core in WebAssembly, as the page calls it. Every call takes the page's device
// time (milliseconds; it stands still while the page is hidden).
import createZemblorCore from "../zemblor-core.js";

export async function loadCore(storage) {
    const module = await createZemblorCore({ storage });
    const call = (name, returns, args) => module.cwrap(name, returns, args);
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
        programTitle: call("zc_program_title", "string", []),
        programVersion: call("zc_program_version", "string", []),
    };
    const statePointer = module.cwrap("zc_display_state", "number", []);
    api.displayState = () => module.HEAPU8.subarray(statePointer(), statePointer() + 96);
    return api;
}
