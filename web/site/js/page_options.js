// What the page's address asks for: ?seed=N fixes the item draws, ?clock=YYYY-MM-DDTHH:MM[:SS]
// the device's clock, ?trace=1 keeps the trace lines, ?timing=1 the wake-up lateness.

export function pageOptions(search) {
    const params = new URLSearchParams(search);
    return {
        seed: parseSeed(params.get("seed")),
        clock: parseClock(params.get("clock")),
        trace: params.get("trace") === "1",
        timing: params.get("timing") === "1",
    };
}

// The seed as its high and low 32 bits (any decimal number, taken modulo 2^64), or null.
export function parseSeed(text) {
    if (text === null || !/^[0-9]+$/.test(text)) {
        return null;
    }
    const seed = BigInt.asUintN(64, BigInt(text));
    return [Number(seed >> 32n), Number(seed & 0xffffffffn)];
}

// Year, month, day, hours, minutes, seconds, or null.
export function parseClock(text) {
    const m = /^(\d{4})-(\d{2})-(\d{2})T(\d{2}):(\d{2})(?::(\d{2}))?$/.exec(text ?? "");
    return m ? m.slice(1, 7).map((v) => Number(v ?? 0)) : null;
}

export function localTime(date = new Date()) {
    return [date.getFullYear(), date.getMonth() + 1, date.getDate(), date.getHours(), date.getMinutes(), date.getSeconds()];
}
