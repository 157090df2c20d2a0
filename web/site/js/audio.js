// The device's five beeps through Web Audio, up to 64 at once as on the desktop.

const SAMPLE_FILES = ["Gameover.wav", "Got.wav", "Miss.wav", "Move.wav", "Start.wav"];
const MAX_VOICES = 64;

export class DeviceSound {
    constructor(baseUrl) {
        this.baseUrl = baseUrl;
        this.context = null;
        this.buffers = [];
        this.voices = new Set();
        this.started = 0;
    }

    // Starts the output; the Play button's click is the gesture a browser asks for. False when
    // the sound files cannot be had.
    async start() {
        this.context = new AudioContext();
        try {
            this.buffers = await Promise.all(
                SAMPLE_FILES.map(async (name) => {
                    const response = await fetch(`${this.baseUrl}${name}`);
                    if (!response.ok) {
                        throw new Error(`${name}: ${response.status}`);
                    }
                    return this.context.decodeAudioData(await response.arrayBuffer());
                }),
            );
        } catch {
            this.context.close();
            this.context = null;
            return false;
        }
        // Not awaited: with no audio device the context may never run, and the device must
        // switch on all the same.
        this.context.resume().catch(() => {});
        return true;
    }

    play(sample) {
        if (!this.context || this.voices.size >= MAX_VOICES) {
            return;
        }
        const source = this.context.createBufferSource();
        source.buffer = this.buffers[sample];
        source.connect(this.context.destination);
        source.onended = () => this.voices.delete(source);
        this.voices.add(source);
        source.start();
        this.started++;
    }

    suspend() {
        this.context?.suspend();
    }

    resume() {
        this.context?.resume();
    }
}
