// The device's time: milliseconds of `now()` (performance.now() in the page) less every
// stretch spent paused, so a hidden tab or the Pause key freezes the device and it resumes
// where it was, without a burst of ticks. Each reason (hidden, paused) holds it on its own.
export class DeviceClock {
    constructor(now = () => performance.now()) {
        this.source = now;
        this.away = 0;
        this.pausedAt = null;
        this.reasons = new Set();
    }

    now() {
        return (this.pausedAt ?? this.source()) - this.away;
    }

    get paused() {
        return this.reasons.size > 0;
    }

    hold(reason) {
        this.reasons.add(reason);
        this.pausedAt ??= this.source();
    }

    release(reason) {
        this.reasons.delete(reason);
        if (this.reasons.size === 0 && this.pausedAt !== null) {
            this.away += this.source() - this.pausedAt;
            this.pausedAt = null;
        }
    }

    has(reason) {
        return this.reasons.has(reason);
    }
}
