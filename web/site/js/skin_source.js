// Where a skin's files come from: the site's own folder, fetched. A file that is not there
// is null, never an error.
export function siteSkin(base = "") {
    const get = async (path) => {
        try {
            const response = await fetch(base + path);
            return response.ok ? response : null;
        } catch {
            return null;
        }
    };
    return {
        async text(path) {
            return (await get(path))?.text() ?? null;
        },
        async blob(path) {
            return (await get(path))?.blob() ?? null;
        },
    };
}
