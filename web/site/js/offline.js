// The page's side of the site's worker (sw.js), which keeps the site for use with the network
// gone. At each start the page asks the worker to look for a newer version; the worker keeps it
// for the next start, and tells the page, which starts again on it at once if its device is
// still off.

const RELOADED_FOR = "zemblor-reloaded-for";

// `container` is the browser's navigator.serviceWorker (absent where there is none); `deviceOn`
// says whether the page has switched the device on; `reload` starts the page again; `session`
// gives the tab's sessionStorage.
export function keepOffline({ container, protocol, deviceOn, reload, session, log }) {
    // Workers need http(s); a page opened from a file, or a browser without them, plays online.
    if (!container || (protocol !== "http:" && protocol !== "https:")) {
        return Promise.resolve();
    }
    container.addEventListener("message", (event) => {
        const version = event.data?.ready;
        if (!version || deviceOn()) {
            return;
        }
        // Once for each version: a page that came back on the old one must not go round again.
        try {
            if (session().getItem(RELOADED_FOR) === version) {
                return;
            }
            session().setItem(RELOADED_FOR, version);
        } catch {
            return;
        }
        reload();
    });
    container.startMessages();
    return container
        .register("sw.js", { updateViaCache: "none" })
        .then(() => container.ready)
        .then((registration) => {
            const channel = new MessageChannel();
            const answered = new Promise((resolve) => (channel.port1.onmessage = (event) => resolve(event.data)));
            registration.active.postMessage("check", [channel.port2]);
            return answered.finally(() => channel.port1.close());
        })
        .then((answer) => {
            if (answer?.error) {
                log.info(`zemblor: no newer version of the page could be kept: ${answer.error}`);
            }
        })
        .catch((error) => log.warn(`zemblor: the page cannot be kept for use offline: ${error.message}`));
}

if (typeof window !== "undefined") {
    try {
        keepOffline({
            container: navigator.serviceWorker,
            protocol: location.protocol,
            // The page sets this in the same step that switches the device on.
            deviceOn: () => document.body?.dataset.state === "playing",
            reload: () => location.reload(),
            session: () => sessionStorage,
            log: console,
        });
    } catch (error) {
        console.warn(`zemblor: the page cannot be kept for use offline: ${error.message}`);
    }
}
