// The page's own tools: your own skin folder (picked or dropped, kept for the next visit) and
// "Default skin", "Save session", and the help that lists the keys in force and holds them.
import { bindingRows } from "./help_keys.js";
import { SkinStore, entriesFromDrop, entriesFromInput, folderSource, mediaFiles, skinFolder } from "./own_skin.js";
import { SESSION_FILE_NAME, download } from "./session_file.js";
import { fallbackSource, siteSkin } from "./skin_source.js";

const store = new SkinStore(globalThis.indexedDB);
let site = null;
let kept = null;
let startProblem = null;

// The skin the page starts with, as [source, config] for the view: the one kept from an
// earlier visit, else the site's.
export async function startingSkin(siteSource) {
    site = siteSource;
    try {
        const record = await store.load();
        const folder = record && skinFolder(record.files);
        if (folder) {
            const source = folderSource(folder.files);
            const config = await source.text("Config.ini");
            kept = { name: record.name, source };
            return [source, config];
        }
    } catch (error) {
        startProblem = `Your own skin cannot be read from the browser's storage (${error.message}); the built-in skin is shown.`;
    }
    return [siteSource, (await siteSource.text("Config.ini")) ?? ""];
}

// The files of `files` that the browser cannot show or play, as {pictures, sounds}.
async function unreadable(files) {
    const { pictures, sounds } = mediaFiles(files);
    const badPictures = await Promise.all(
        pictures.map(async ({ blob }) => {
            try {
                (await createImageBitmap(blob)).close();
                return false;
            } catch {
                return true;
            }
        }),
    );
    const badSounds = await Promise.all(
        sounds.map(async ({ blob }) => {
            try {
                await new OfflineAudioContext(1, 1, 22050).decodeAudioData(await blob.arrayBuffer());
                return false;
            } catch {
                return true;
            }
        }),
    );
    return { pictures: pictures.filter((_, i) => badPictures[i]), sounds: sounds.filter((_, i) => badSounds[i]) };
}

function storageFailure(error) {
    return error?.name === "QuotaExceededError" ? "the browser's storage for this site is full" : error?.message || String(error);
}

export function attachPageTools({ controller, view, core, tell, layOut }) {
    site ??= siteSkin();
    const helpButton = document.getElementById("help-button");
    const help = document.getElementById("help");
    const keysTable = help.querySelector("#help-keys tbody");
    const skinLine = document.getElementById("help-skin");
    const folderInput = document.getElementById("skin-folder");
    const defaultButton = document.getElementById("default-skin");
    let ownName = kept ? kept.name : null;

    function showSkinState() {
        skinLine.textContent =
            ownName === null ? "Skin: the built-in one." : `Skin: your own${ownName ? ` ("${ownName}")` : ""}, kept in this browser.`;
        defaultButton.disabled = ownName === null;
        document.body.dataset.skin = ownName === null ? "built-in" : "own";
    }

    // The sounds, the manual and the documents are the site's wherever the own folder has none.
    async function useSkin(source, config, name) {
        const data = name === null ? site : fallbackSource(source, site);
        view.setSkin(source, config);
        view.dataSource = data;
        const soundsLoaded = await controller.sound.setSource(data);
        await layOut();
        ownName = name;
        showSkinState();
        return soundsLoaded ? [] : ["The skin's sounds cannot be played; the beeps stay as they were."];
    }

    async function loadFolder(entries) {
        const folder = skinFolder(entries);
        if (!folder) {
            tell("That folder holds no Config.ini, so it is not a skin; the skin stays as it was.");
            return;
        }
        const problems = [];
        const bad = await unreadable(folder.files);
        const badPaths = [...bad.pictures, ...bad.sounds].map(({ path }) => path);
        if (badPaths.length > 0) {
            problems.push(`The skin's ${badPaths.join(", ")} cannot be read; the built-in sound or the missing-picture mark stands in.`);
        }
        // A broken sound gives way to the site's, as a missing one does.
        for (const { path } of bad.sounds) {
            folder.files.delete(path.toLowerCase());
        }
        const source = folderSource(folder.files);
        problems.push(...(await useSkin(source, await source.text("Config.ini"), folder.name)));
        try {
            await store.save(folder.name, folder.files);
        } catch (error) {
            problems.push(`Your skin is in use but not kept for your next visit: ${storageFailure(error)}.`);
        }
        if (problems.length > 0) {
            tell(problems.join(" "));
        }
    }

    async function defaultSkin() {
        const problems = await useSkin(site, (await site.text("Config.ini")) ?? "", null);
        try {
            await store.forget();
        } catch (error) {
            problems.push(`Your own skin could not be removed from the browser's storage (${storageFailure(error)}); it may come back at your next visit.`);
        }
        if (problems.length > 0) {
            tell(problems.join(" "));
        }
    }

    view.dataSource = kept ? fallbackSource(kept.source, site) : site;
    controller.sound.setSource(view.dataSource);
    if (startProblem) {
        tell(startProblem);
    }
    showSkinState();

    folderInput.addEventListener("change", () => {
        const entries = entriesFromInput(folderInput.files);
        folderInput.value = "";
        help.close();
        loadFolder(entries);
    });
    document.addEventListener("dragover", (event) => {
        if (event.dataTransfer?.types.includes("Files")) {
            event.preventDefault();
            event.dataTransfer.dropEffect = "copy";
        }
    });
    document.addEventListener("drop", (event) => {
        if (!event.dataTransfer?.types.includes("Files")) {
            return;
        }
        event.preventDefault();
        entriesFromDrop(event.dataTransfer)
            .then(loadFolder)
            .catch((error) => tell(`The dropped folder cannot be read: ${error.message}`));
    });

    document.getElementById("load-skin").addEventListener("click", () => folderInput.click());
    defaultButton.addEventListener("click", () => {
        help.close();
        defaultSkin();
    });
    document.getElementById("save-session").addEventListener("click", () => {
        const script = core.record(controller.now());
        // The record brings the device up to now: what fell due goes out as usual.
        controller.afterCore();
        download(script, SESSION_FILE_NAME, document);
    });

    // The help: opened over the page, the keys as they are bound now; the keyboard stays in it.
    function showKeys() {
        const names = core.keyNames();
        keysTable.replaceChildren(
            ...bindingRows(core.keyIndexes(), names).map(({ button, key }) => {
                const row = document.createElement("tr");
                const buttonCell = document.createElement("th");
                buttonCell.scope = "row";
                buttonCell.textContent = button;
                const keyCell = document.createElement("td");
                keyCell.textContent = key;
                row.append(buttonCell, keyCell);
                return row;
            }),
        );
    }
    helpButton.addEventListener("click", () => {
        showKeys();
        showSkinState();
        help.showModal();
    });
    // Enter and Space on the page's buttons work those buttons, never the device.
    for (const button of [helpButton, ...help.querySelectorAll("button")]) {
        button.addEventListener("keydown", (event) => {
            if (event.code === "Enter" || event.code === "NumpadEnter" || event.code === "Space") {
                event.stopPropagation();
            }
        });
    }
    document.getElementById("help-close").addEventListener("click", () => help.close());
    help.addEventListener("close", () => helpButton.focus());
    help.addEventListener("keydown", (event) => {
        if (event.key !== "Tab") {
            return;
        }
        const focusable = [...help.querySelectorAll("button:not([disabled])")];
        const at = focusable.indexOf(document.activeElement);
        const next = event.shiftKey ? (at <= 0 ? focusable.length - 1 : at - 1) : (at + 1) % focusable.length;
        event.preventDefault();
        focusable[next].focus();
    });
}
