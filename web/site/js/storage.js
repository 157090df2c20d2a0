// The settings in the browser's storage, one text value a name as the desktop stores them,
// written the moment they change. A value that cannot be read or written is reported, never
// silently lost: it is kept in memory for the rest of the visit.
export class SettingsStorage {
    constructor(backend, onError) {
        this.backend = backend;
        this.onError = onError;
        this.memory = new Map();
    }

    get(name) {
        if (this.memory.has(name)) {
            return this.memory.get(name);
        }
        try {
            return this.backend.getItem(name);
        } catch (error) {
            this.onError(`The setting ${name} could not be read (${error.message}).`);
            return null;
        }
    }

    set(name, text) {
        try {
            this.backend.setItem(name, text);
            this.memory.delete(name);
        } catch (error) {
            this.memory.set(name, text);
            this.onError(
                `The setting ${name} could not be saved (${error.message}); it is kept until the page is closed.`,
            );
        }
    }
}
