// The program's own short beep (two rising tones of 65 ms each, softly shaped), as the
// desktop plays for Reset Hiscores; nothing without a sound output.
export function playBeep(context) {
    if (!context) {
        return false;
    }
    const start = context.currentTime;
    [1318.5, 1760.0].forEach((hertz, n) => {
        const tone = context.createOscillator();
        const level = context.createGain();
        const at = start + n * 0.065;
        tone.frequency.value = hertz;
        level.gain.setValueAtTime(0, at);
        level.gain.linearRampToValueAtTime(0.18, at + 0.0325);
        level.gain.linearRampToValueAtTime(0, at + 0.065);
        tone.connect(level).connect(context.destination);
        tone.start(at);
        tone.stop(at + 0.065);
    });
    return true;
}
