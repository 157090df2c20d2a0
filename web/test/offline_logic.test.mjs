// The site kept for use offline, without a browser: the worker (sw.js) over an in-memory cache
// store and server, the page's side of it (offline.js), and the build's icon drawing.
import assert from "node:assert/strict";
import { readFileSync } from "node:fs";
import { describe, it } from "node:test";
import vm from "node:vm";

import { decodePng, encodePng, squareIcon } from "../../cmake/png-icon.mjs";
import { keepOffline } from "../site/js/offline.js";

const ROOT = new URL("../../", import.meta.url);
const SCOPE = "http://127.0.0.1:9/";
const WORKER = readFileSync(new URL("web/site/sw.js", ROOT), "utf8");

const withoutSearch = (url) => url.split("?")[0];

class Cache {
    constructor(server) {
        this.server = server;
        this.entries = new Map();
    }
    // All or nothing, as the browser's addAll.
    async addAll(requests) {
        const got = [];
        for (const request of requests) {
            const response = await this.server.fetch(request);
            if (!response.ok) {
                throw new TypeError(`${request.url}: ${response.status}`);
            }
            got.push([request.url, response]);
        }
        for (const [url, response] of got) {
            this.entries.set(url, response);
        }
    }
    async put(key, response) {
        this.entries.set(typeof key === "string" ? key : key.url, response);
    }
    async match(key, { ignoreSearch = false } = {}) {
        const url = typeof key === "string" ? key : key.url;
        for (const [kept, response] of this.entries) {
            if (kept === url || (ignoreSearch && withoutSearch(kept) === withoutSearch(url))) {
                return response.clone();
            }
        }
        return undefined;
    }
}

class CacheStorage {
    constructor(server) {
        this.server = server;
        this.caches = new Map();
    }
    async open(name) {
        if (!this.caches.has(name)) {
            this.caches.set(name, new Cache(this.server));
        }
        return this.caches.get(name);
    }
    async has(name) {
        return this.caches.has(name);
    }
    async delete(name) {
        return this.caches.delete(name);
    }
    async keys() {
        return [...this.caches.keys()];
    }
    async match(key, { cacheName, ...options }) {
        return this.caches.get(cacheName)?.match(key, options);
    }
}

// The site's server: a path to a body, anything else 404; it remembers how it was asked.
class Server {
    constructor(files) {
        this.files = new Map(Object.entries(files));
        this.asked = [];
        this.gone = false;
    }
    async fetch(request) {
        if (this.gone) {
            throw new TypeError("Failed to fetch");
        }
        const url = new URL(request.url);
        this.asked.push({ path: url.pathname, cache: request.cache });
        const path = url.pathname === "/" ? "/index.html" : url.pathname;
        const body = this.files.get(path);
        return body === undefined ? new Response("", { status: 404 }) : new Response(body);
    }
}

function site(version) {
    const files = { "/index.html": `page ${version}`, "/js/main.js": `main ${version}`, "/Sound/Start.wav": "beep" };
    const listed = Object.keys(files).map((path) => path.slice(1));
    return { ...files, "/site-files.json": JSON.stringify({ version, files: listed }) };
}

// One run of the worker script; a second one over the same store is the worker started again.
function startWorker(store, server) {
    const listeners = {};
    const worker = { told: [], claimed: false, skipped: false };
    const context = {
        URL,
        Request,
        Response,
        console: { warn: () => {} },
        caches: store,
        fetch: (request) => server.fetch(request),
        registration: { scope: SCOPE },
        location: new URL("sw.js", SCOPE),
        clients: {
            matchAll: async () => [{ postMessage: (message) => worker.told.push(structuredClone(message)) }],
            claim: async () => void (worker.claimed = true),
        },
        skipWaiting: async () => void (worker.skipped = true),
        addEventListener: (type, listener) => (listeners[type] = listener),
    };
    context.self = context;
    vm.runInNewContext(WORKER, context);
    const extended = (event) => {
        let work = Promise.resolve();
        listeners[event.type]({ ...event, waitUntil: (promise) => (work = promise) });
        return work;
    };
    worker.install = () => extended({ type: "install" });
    worker.activate = () => extended({ type: "activate" });
    worker.check = async () => {
        let answer;
        const port = { postMessage: (a) => (answer = structuredClone(a)) };
        await extended({ type: "message", data: "check", ports: [port] });
        return answer;
    };
    // The worker's answer, or null where it leaves the request to the network.
    worker.get = async (path, { navigate = false, method = "GET" } = {}) => {
        let answered = null;
        const request = { url: new URL(path, SCOPE).href, method, mode: navigate ? "navigate" : "cors" };
        listeners.fetch({ request, respondWith: (response) => (answered = response) });
        return answered && (await (await answered).text());
    };
    return worker;
}

async function installed(version) {
    const server = new Server(site(version));
    const store = new CacheStorage(server);
    const worker = startWorker(store, server);
    await worker.install();
    await worker.activate();
    return { server, store, worker };
}

describe("the site's worker", () => {
    it("keeps every listed file at its first install, asked past the HTTP cache, and takes the page", async () => {
        const { server, store, worker } = await installed("v1");
        assert.deepEqual((await store.keys()).sort(), ["zemblor-site-v1", "zemblor-state"]);
        const kept = [...(await store.open("zemblor-site-v1")).entries.keys()].map((url) => new URL(url).pathname);
        assert.deepEqual(kept.sort(), ["/Sound/Start.wav", "/index.html", "/js/main.js"]);
        assert.ok(server.asked.every((a) => a.cache === "no-cache"), JSON.stringify(server.asked));
        assert.ok(worker.claimed);
    });

    it("fails its first install when a listed file is missing, and keeps nothing", async () => {
        const files = site("v1");
        delete files["/js/main.js"];
        const server = new Server(files);
        const store = new CacheStorage(server);
        await assert.rejects(startWorker(store, server).install());
        assert.deepEqual(await store.keys(), ["zemblor-state"]);
    });

    it("answers the page from the kept version with the server gone, whatever its query", async () => {
        const { server, store } = await installed("v1");
        server.gone = true;
        const worker = startWorker(store, server);
        assert.equal(await worker.get("/?seed=1&trace=1", { navigate: true }), "page v1");
        assert.equal(await worker.get("/index.html", { navigate: true }), "page v1");
        assert.equal(await worker.get("/js/main.js"), "main v1");
        await assert.rejects(worker.get("/not-kept.png"), /Failed to fetch/);
        assert.equal(await worker.get("/js/main.js", { method: "POST" }), null, "only reads are answered");
    });

    it("keeps a newer version for the next start and tells the pages, the running one unchanged", async () => {
        const { server, worker } = await installed("v1");
        server.files = new Map(Object.entries(site("v2")));
        assert.deepEqual(await worker.check(), { kept: "kept" });
        assert.deepEqual(worker.told, [{ ready: "v2" }]);
        assert.equal(await worker.get("/js/main.js"), "main v1");
        assert.deepEqual(await worker.check(), { kept: "ready" }, "a version kept is not fetched again");
        assert.deepEqual(worker.told, [{ ready: "v2" }]);
    });

    it("brings the kept version in at the next navigation to the page, and drops the old one", async () => {
        const { server, store, worker } = await installed("v1");
        server.files = new Map(Object.entries(site("v2")));
        await worker.check();
        server.gone = true;
        const document = await worker.get("/Readme.txt", { navigate: true }).catch(() => "network");
        assert.equal(document, "network", "opening a document is no start of the page");
        assert.equal(await worker.get("/js/main.js"), "main v1");
        const restarted = startWorker(store, server);
        assert.equal(await restarted.get("/?seed=2", { navigate: true }), "page v2");
        assert.equal(await restarted.get("/js/main.js"), "main v2");
        assert.deepEqual((await store.keys()).sort(), ["zemblor-site-v2", "zemblor-state"]);
    });

    it("keeps the version in force when a newer one cannot be had whole", async () => {
        const { server, store, worker } = await installed("v1");
        const broken = site("v2");
        broken["/site-files.json"] = JSON.stringify({ version: "v2", files: ["index.html", "missing.png"] });
        server.files = new Map(Object.entries(broken));
        assert.match((await worker.check()).error, /missing\.png: 404/);
        assert.deepEqual(worker.told, []);
        assert.deepEqual((await store.keys()).sort(), ["zemblor-site-v1", "zemblor-state"]);
        assert.equal(await worker.get("/", { navigate: true }), "page v1");
    });

    it("replaces a kept version that was never brought in by a newer one", async () => {
        const { server, store, worker } = await installed("v1");
        server.files = new Map(Object.entries(site("v2")));
        await worker.check();
        server.files = new Map(Object.entries(site("v3")));
        assert.deepEqual(await worker.check(), { kept: "kept" });
        assert.deepEqual((await store.keys()).sort(), ["zemblor-site-v1", "zemblor-site-v3", "zemblor-state"]);
        assert.equal(await worker.get("/", { navigate: true }), "page v3");
    });

    it("as a newer worker, serves the kept version without fetching it again", async () => {
        const { server, store } = await installed("v1");
        server.asked = [];
        server.files = new Map(Object.entries(site("v2")));
        const newer = startWorker(store, server);
        await newer.install();
        assert.deepEqual(server.asked, []);
        assert.ok(newer.skipped);
        assert.equal(await newer.get("/", { navigate: true }), "page v1");
    });
});

// navigator.serviceWorker as far as the page uses it.
class Container extends EventTarget {
    constructor({ answer = { kept: "current" }, fails = null } = {}) {
        super();
        this.registered = [];
        const active = { postMessage: (message, [port]) => port.postMessage(answer) };
        this.ready = Promise.resolve({ active });
        this.fails = fails;
    }
    startMessages() {}
    async register(url, options) {
        if (this.fails) {
            throw new Error(this.fails);
        }
        this.registered.push([url, options]);
    }
    tell(data) {
        this.dispatchEvent(Object.assign(new Event("message"), { data }));
    }
}

function page(container, { on = false, protocol = "http:" } = {}) {
    const session = new Map();
    const state = { on, reloads: 0, logged: [] };
    const done = keepOffline({
        container,
        protocol,
        deviceOn: () => state.on,
        reload: () => state.reloads++,
        session: () => ({ getItem: (k) => session.get(k) ?? null, setItem: (k, v) => session.set(k, v) }),
        log: { warn: (m) => state.logged.push(m), info: (m) => state.logged.push(m) },
    });
    return { state, done };
}

describe("the page's side of the worker", () => {
    it("registers the worker, past the HTTP cache, and asks it for a newer version", async () => {
        const container = new Container();
        const { state, done } = page(container);
        await done;
        assert.deepEqual(container.registered, [["sw.js", { updateViaCache: "none" }]]);
        assert.deepEqual(state.logged, []);
    });

    it("plays online alone without workers or from a file", async () => {
        const container = new Container();
        await page(undefined).done;
        await page(container, { protocol: "file:" }).done;
        assert.deepEqual(container.registered, []);
    });

    it("says why, and goes on, when the worker cannot be had", async () => {
        const { state, done } = page(new Container({ fails: "blocked" }));
        await done;
        assert.match(state.logged.join(), /cannot be kept for use offline: blocked/);
        const offline = page(new Container({ answer: { error: "Failed to fetch" } }));
        await offline.done;
        assert.match(offline.state.logged.join(), /no newer version .*Failed to fetch/);
    });

    it("starts again on a newer version kept while the device is off, once for each version", async () => {
        const container = new Container();
        const { state } = page(container);
        container.tell({ ready: "v2" });
        assert.equal(state.reloads, 1);
        container.tell({ ready: "v2" });
        assert.equal(state.reloads, 1, "a page that came back on the old version does not go round");
        container.tell({ ready: "v3" });
        assert.equal(state.reloads, 2);
        container.tell({ other: 1 });
        assert.equal(state.reloads, 2);
    });

    it("never starts again once the device is on", async () => {
        const container = new Container();
        const { state } = page(container);
        state.on = true;
        container.tell({ ready: "v2" });
        assert.equal(state.reloads, 0);
    });
});

describe("the icon drawn for sizes the icon theme lacks", () => {
    it("reads back what it writes", () => {
        const picture = { width: 3, height: 2, rgba: Buffer.from([...Array(24).keys()].map((i) => i * 10)) };
        assert.deepEqual(decodePng(encodePng(picture)), picture);
    });

    it("averages by area, with no colour from see-through pixels, on a transparent square", () => {
        // Each row red, see-through green, blue, blue: 4 x 2 into a 2 x 2 square, one row high.
        const row = [255, 0, 0, 255, 0, 255, 0, 0, 0, 0, 255, 255, 0, 0, 255, 255];
        const icon = squareIcon({ width: 4, height: 2, rgba: Buffer.from([...row, ...row]) }, 2);
        const at = (x, y) => [...icon.rgba.subarray((y * 2 + x) * 4, (y * 2 + x) * 4 + 4)];
        assert.deepEqual(at(0, 0), [255, 0, 0, 128]);
        assert.deepEqual(at(1, 0), [0, 0, 255, 255]);
        assert.deepEqual([...at(0, 1), ...at(1, 1)], [0, 0, 0, 0, 0, 0, 0, 0]);
    });

    it("draws the face as the icon theme's own 256 icon is drawn", () => {
        const face = decodePng(readFileSync(new URL("assets/Graphics/Skin/background.png", ROOT)));
        const theirs = decodePng(readFileSync(new URL("packaging/icons/hicolor/256x256/apps/zemblor.png", ROOT)));
        const ours = squareIcon(face, 256);
        let difference = 0;
        for (let i = 0; i < ours.rgba.length; i++) {
            difference += Math.abs(ours.rgba[i] - theirs.rgba[i]);
        }
        assert.ok(difference / ours.rgba.length < 2, `mean difference ${difference / ours.rgba.length}`);
    });
});
