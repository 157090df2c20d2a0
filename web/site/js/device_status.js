// The device's canvas told in words for screen readers: a polite live region that follows the
// screen (see device_words.js), set only when its words change and at most once a second.
import { PoliteText, deviceWords } from "./device_words.js";

export function attachDeviceStatus({ controller, element }) {
    const text = new PoliteText((words) => (element.textContent = words), {
        now: () => performance.now(),
        setTimeout: (fn, ms) => setTimeout(fn, ms),
        clearTimeout: (id) => clearTimeout(id),
    });
    const update = () => {
        const words = controller.poweredOn ? deviceWords(JSON.parse(controller.core.stateLine()), { paused: controller.paused }) : null;
        if (words !== null) {
            text.offer(words);
        }
    };
    controller.watchDisplay(update);
    // The Pause key changes no segment, only the page's mark of it.
    new MutationObserver(update).observe(document.body, { attributes: true, attributeFilter: ["data-paused"] });
}
