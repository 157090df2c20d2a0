// Where a skin's files come from: the site's own folder, fetched. A file that is not there
// is null, never an error.
export function siteSkin(base = "") {
    // A body cut off (the page going away, the network gone mid-file) counts as missing too.
    const read = async (path, as) => {
        try {
            const response = await fetch(base + path);
            return response.ok ? await response[as]() : null;
        } catch {
            return null;
        }
    };
    return {
        text: (path) => read(path, "text"),
        blob: (path) => read(path, "blob"),
    };
}

// `first`'s file where it has one, else `then`'s: the site's sounds, manual and documents
// stand in for those an own skin folder leaves out.
export function fallbackSource(first, then) {
    return {
        async text(path) {
            return (await first.text(path)) ?? then.text(path);
        },
        async blob(path) {
            return (await first.blob(path)) ?? then.blob(path);
        },
    };
}
