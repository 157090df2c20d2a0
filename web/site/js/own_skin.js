// Your own skin: a folder's files (its Config.ini and the pictures, sounds, manual and
// documents it names), read from a folder picker or a drop and served as a skin source. Skins
// come from Windows, so names are found without regard to case and may use backslashes.

// A path inside the folder with "/" between names, "." and ".." resolved; null for one that
// leaves the folder or names nothing.
export function normalisePath(path) {
    const names = [];
    for (const name of path.replaceAll("\\", "/").split("/")) {
        if (name === "" || name === ".") {
            continue;
        }
        if (name === "..") {
            if (names.length === 0) {
                return null;
            }
            names.pop();
            continue;
        }
        names.push(name);
    }
    return names.length > 0 ? names.join("/") : null;
}

export function lookupKey(path) {
    return normalisePath(path)?.toLowerCase() ?? null;
}

// The skin in `entries` ([{path, blob}], paths as the picker or the drop gives them, the
// chosen folder's name first): the folder holding the outermost Config.ini, its name and its
// files by lookup key, paths from that folder on. Null when there is no Config.ini.
export function skinFolder(entries) {
    const named = entries
        .map(({ path, blob }) => ({ names: normalisePath(path)?.split("/"), blob }))
        .filter(({ names }) => names);
    const configs = named.filter(({ names }) => names.at(-1).toLowerCase() === "config.ini");
    if (configs.length === 0) {
        return null;
    }
    const depth = Math.min(...configs.map(({ names }) => names.length)) - 1;
    const root = configs.find(({ names }) => names.length === depth + 1).names.slice(0, depth);
    const inside = (names) => names.length > depth && root.every((name, i) => name.toLowerCase() === names[i].toLowerCase());
    const files = new Map();
    for (const { names, blob } of named) {
        if (inside(names)) {
            const path = names.slice(depth).join("/");
            files.set(path.toLowerCase(), { path, blob });
        }
    }
    return { name: root.at(-1) ?? "", files };
}

// A configuration file's text: UTF-8 where it is that, else the Windows code page a skin
// made on Windows is written in.
export function decodeText(bytes) {
    try {
        return new TextDecoder("utf-8", { fatal: true }).decode(bytes);
    } catch {
        return new TextDecoder("windows-1252").decode(bytes);
    }
}

// A skin source over `files` (skinFolder's map): a file that is not there is null.
export function folderSource(files) {
    const find = (path) => files.get(lookupKey(path))?.blob ?? null;
    return {
        async text(path) {
            const blob = find(path);
            return blob ? decodeText(new Uint8Array(await blob.arrayBuffer())) : null;
        },
        async blob(path) {
            return find(path);
        },
    };
}

const PICTURE = /\.(bmp|png|jpe?g|gif)$/i;
const SOUND = /\.wav$/i;

// The files the page will try to show or play, as pictures or sounds.
export function mediaFiles(files) {
    const all = [...files.values()];
    return {
        pictures: all.filter(({ path }) => PICTURE.test(path)),
        sounds: all.filter(({ path }) => SOUND.test(path)),
    };
}

// The files a folder picker gives, with their paths from the chosen folder on.
export function entriesFromInput(fileList) {
    return [...fileList].map((file) => ({ path: file.webkitRelativePath || file.name, blob: file }));
}

// The files of a drop, folders walked. The items must be taken while the drop event runs,
// so this reads them at once and walks the folders afterwards.
export function entriesFromDrop(dataTransfer) {
    const dropped = [...dataTransfer.items]
        .filter((item) => item.kind === "file")
        .map((item) => ({ entry: item.webkitGetAsEntry?.() ?? null, file: item.getAsFile() }));
    return Promise.all(
        dropped.map(({ entry, file }) => {
            if (entry?.isDirectory) {
                return walkFolder(entry);
            }
            return file ? [{ path: file.webkitRelativePath || entry?.fullPath || file.name, blob: file }] : [];
        }),
    ).then((lists) => lists.flat());
}

async function walkFolder(folder) {
    const reader = folder.createReader();
    const found = [];
    // A reader hands out a folder's entries a batch at a time, until an empty one.
    for (;;) {
        const batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
        if (batch.length === 0) {
            break;
        }
        found.push(...batch);
    }
    const lists = await Promise.all(
        found.map(async (entry) => {
            if (entry.isDirectory) {
                return walkFolder(entry);
            }
            const file = await new Promise((resolve, reject) => entry.file(resolve, reject));
            return [{ path: entry.fullPath, blob: file }];
        }),
    );
    return lists.flat();
}

// The own skin kept in the browser's IndexedDB for the next visit: one record, the folder's
// name and its files. Every failure rejects, so the page can say why it was not kept.
export class SkinStore {
    constructor(indexedDB, name = "zemblor") {
        this.indexedDB = indexedDB;
        this.name = name;
    }

    open() {
        return new Promise((resolve, reject) => {
            if (!this.indexedDB) {
                throw new Error("this browser keeps no files for a site");
            }
            const request = this.indexedDB.open(this.name, 1);
            request.onupgradeneeded = () => request.result.createObjectStore("skin");
            request.onsuccess = () => resolve(request.result);
            request.onerror = () => reject(request.error);
            request.onblocked = () => reject(new Error("the storage is in use by another tab"));
        });
    }

    async run(mode, work) {
        const db = await this.open();
        try {
            return await new Promise((resolve, reject) => {
                const transaction = db.transaction("skin", mode);
                const request = work(transaction.objectStore("skin"));
                transaction.oncomplete = () => resolve(request.result);
                transaction.onabort = () => reject(transaction.error ?? request.error ?? new Error("the storage refused it"));
            });
        } finally {
            db.close();
        }
    }

    // {name, files: [{path, blob}]}, or null when none is kept.
    async load() {
        if (!this.indexedDB) {
            return null;
        }
        return (await this.run("readonly", (store) => store.get("own"))) ?? null;
    }

    save(name, files) {
        const record = { name, files: [...files.values()].map(({ path, blob }) => ({ path, blob })) };
        return this.run("readwrite", (store) => store.put(record, "own"));
    }

    forget() {
        return this.run("readwrite", (store) => store.delete("own"));
    }
}
