// The device's five beeps through Web Audio, up to 64 at once as on the desktop.
import { siteSkin } from "./skin_source.js";

const SAMPLE_FILES = ["Gameover.wav", "Got.wav", "Miss.wav", "Move.wav", "Start.wav"];
const MAX_VOICES = 64;

export class DeviceSound {
    // The files come from `source` (a skin source, see skin_source.js) under `folder`; a
    // folder name alone takes them from the site.
    constructor(source = siteSkin(), folder = "Sound/") {
        if (typeof source === "string") {
            [source, folder] = [siteSkin(), source];
        }
        this.source = source;
        this.folder = folder;
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
            this.buffers = await this.decoded();
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

    // Takes the files from `source` from now on; once started, they are loaded at once. False
    // (the beeps as they were) when one cannot be had.
    async setSource(source) {
        this.source = source;
        if (!this.context) {
            return true;
        }
        try {
            this.buffers = await this.decoded();
            return true;
        } catch {
            return false;
        }
    }

    decoded() {
        return Promise.all(
            SAMPLE_FILES.map(async (name) => {
                const blob = await this.source.blob(this.folder + name);
                if (!blob) {
                    throw new Error(`${name} is missing`);
                }
                return this.context.decodeAudioData(await blob.arrayBuffer());
            }),
        );
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

    // "(no sound)": the output is closed, and beeps go nowhere until it is started again.
    stop() {
        this.context?.close().catch(() => {});
        this.context = null;
    }

    suspend() {
        this.context?.suspend();
    }

    resume() {
        this.context?.resume();
    }
}
