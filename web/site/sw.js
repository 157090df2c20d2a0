// The site's worker: it keeps every file of one version of the site in a cache named after that
// version and answers the page from it, so the page starts and plays with the network gone. A
// newer version is kept beside it in the background and comes into force at the page's next
// start (a navigation to it), never under a running page.

const PREFIX = "zemblor-site-";
const STATE = "zemblor-state";
const LIST = "site-files.json";

const address = (path) => new URL(path, self.registration.scope).href;
const cacheName = (version) => PREFIX + version;

// The version in force and a newer one kept whole for the next start ("" for none), as stored.
let known = null;

async function versions({ fresh = false } = {}) {
    if (!known || fresh) {
        const state = await caches.open(STATE);
        const read = async (name) => (await (await state.match(address(`${STATE}/${name}`)))?.text()) ?? "";
        known = { current: await read("current"), ready: await read("ready") };
    }
    return known;
}

async function remember(next) {
    const state = await caches.open(STATE);
    for (const [name, value] of Object.entries(next)) {
        await state.put(address(`${STATE}/${name}`), new Response(value));
    }
    known = next;
}

async function dropOthers({ current, ready }) {
    for (const name of await caches.keys()) {
        if (name.startsWith(PREFIX) && name !== cacheName(current) && name !== cacheName(ready)) {
            await caches.delete(name);
        }
    }
}

async function newestList() {
    // Asked of the server again each time, past the browser's HTTP cache.
    const response = await fetch(new Request(address(LIST), { cache: "no-cache" }));
    if (!response.ok) {
        throw new Error(`${LIST}: ${response.status}`);
    }
    return response.json();
}

// Every file of the list in its version's cache, or none of them.
async function keep(list) {
    const name = cacheName(list.version);
    const existed = await caches.has(name);
    const cache = await caches.open(name);
    try {
        await cache.addAll(list.files.map((file) => new Request(address(file), { cache: "no-cache" })));
    } catch (error) {
        if (!existed) {
            await caches.delete(name);
        }
        throw error;
    }
}

let looking = null;

// Keeps the server's version when it is neither in force nor kept yet, and tells the pages, which
// start again on it if their device is still off. "current", "ready" or "kept".
function lookForNewer() {
    looking ??= (async () => {
        const list = await newestList();
        const { current, ready } = await versions({ fresh: true });
        if (list.version === current || list.version === ready) {
            return list.version === current ? "current" : "ready";
        }
        await keep(list);
        const next = current ? { current, ready: list.version } : { current: list.version, ready: "" };
        await remember(next);
        await dropOthers(next);
        for (const client of await self.clients.matchAll({ type: "window" })) {
            client.postMessage({ ready: list.version });
        }
        return "kept";
    })().finally(() => (looking = null));
    return looking;
}

// A start of the page: a newer version kept whole comes into force now.
async function start() {
    const { ready } = await versions({ fresh: true });
    if (ready && (await caches.has(cacheName(ready)))) {
        const next = { current: ready, ready: "" };
        await remember(next);
        await dropOthers(next);
    }
}

async function answer(request) {
    const path = new URL(request.url).pathname;
    // The page's address, with or without its query, is the page.
    const page = [self.registration.scope, address("index.html")].some((a) => new URL(a).pathname === path);
    try {
        if (page && request.mode === "navigate") {
            await start();
        }
        const { current } = await versions();
        const key = page ? address("index.html") : request;
        const kept = current && (await caches.match(key, { cacheName: cacheName(current), ignoreSearch: true }));
        if (kept) {
            return kept;
        }
    } catch (error) {
        console.warn(`zemblor: the kept files cannot be read: ${error.message}`);
    }
    return fetch(request);
}

self.addEventListener("install", (event) => {
    event.waitUntil(
        (async () => {
            const { current } = await versions({ fresh: true });
            if (!current || !(await caches.has(cacheName(current)))) {
                const list = await newestList();
                await keep(list);
                await remember({ current: list.version, ready: "" });
            }
            // A newer worker serves the same kept version, so it need not wait for the pages to go.
            await self.skipWaiting();
        })(),
    );
});

self.addEventListener("activate", (event) => {
    event.waitUntil(versions({ fresh: true }).then(dropOthers).then(() => self.clients.claim()));
});

self.addEventListener("fetch", (event) => {
    const request = event.request;
    if (request.method === "GET" && new URL(request.url).origin === self.location.origin) {
        event.respondWith(answer(request));
    }
});

// "check" from a page: look for a newer version; the answer goes to the port sent with it.
self.addEventListener("message", (event) => {
    if (event.data === "check") {
        const reply = (outcome) => event.ports[0]?.postMessage(outcome);
        event.waitUntil(lookForNewer().then((kept) => reply({ kept }), (error) => reply({ error: error.message })));
    }
});
