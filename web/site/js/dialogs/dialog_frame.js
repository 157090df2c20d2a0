// What the page's program dialogs share: Tab and Shift+Tab go round the dialog's own
// controls, so the focus never leaves an open dialog, and every key meets the desktop's
// dialog rules (Escape leaves, Enter confirms while that is available) before any control.
import { virtualKeyCode } from "../keys.js";

// The kinds the core's dialogKeyAction knows, and what it answers.
export const KEY_SETTINGS = 1;
export const ABOUT = 2;
const CONFIRM = 1;
const SWALLOW = 2;
const LEAVE = 3;

const FOCUSABLE = "a[href], button:not(:disabled), select:not(:disabled), input:not(:disabled), [tabindex]:not([tabindex='-1'])";

export function focusStops(dialog) {
    return [...dialog.querySelectorAll(FOCUSABLE)].filter((element) => element.getClientRects().length > 0);
}

export function keepFocusInside(dialog) {
    dialog.addEventListener("keydown", (event) => {
        if (event.key !== "Tab" || event.altKey || event.ctrlKey || event.metaKey) {
            return;
        }
        const stops = focusStops(dialog);
        const at = stops.indexOf(document.activeElement);
        const wraps = event.shiftKey ? at <= 0 : at < 0 || at === stops.length - 1;
        if (stops.length === 0 || wraps) {
            event.preventDefault();
            stops.at(event.shiftKey ? -1 : 0)?.focus();
        }
    });
}

// `kind`: which dialog's rules; `confirmAvailable()`, `confirm()` and `leave()` are the
// dialog's own. A close request of the browser (Escape where the dialog did not see it) is a
// way out as well.
export function routeDialogKeys(dialog, core, kind, { confirmAvailable = () => false, confirm = () => {}, leave }) {
    dialog.addEventListener("keydown", (event) => {
        const code = virtualKeyCode(event.code) ?? -1;
        const action = core.dialogKeyAction(kind, code, confirmAvailable() ? 1 : 0);
        if (action !== CONFIRM && action !== SWALLOW && action !== LEAVE) {
            return;
        }
        // The dialog's own key goes no further: once the dialog has closed, the page would
        // take it for the device's or a menu item's.
        event.preventDefault();
        event.stopPropagation();
        if (action === CONFIRM) {
            confirm();
        } else if (action === LEAVE) {
            leave();
        }
    });
    dialog.addEventListener("cancel", (event) => {
        event.preventDefault();
        leave();
    });
}

// Shows `dialog` modal; one already open only takes the focus back.
export function showDialog(dialog, focus) {
    if (!dialog.open) {
        dialog.showModal();
    }
    (focus ?? dialog).focus();
}
