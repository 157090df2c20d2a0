// The key settings dialog: a list of the 44 keys for each device button, opened on the
// bindings in force. The core decides which names turn red, whether Accept is available,
// what Enter and Escape do, and stores the choice; the dialog only shows it.
import { KEY_SETTINGS, keepFocusInside, routeDialogKeys, showDialog } from "./dialog_frame.js";

export class KeySettings {
    constructor(dialog, { controller, core }) {
        this.dialog = dialog;
        this.controller = controller;
        this.core = core;
        this.lists = [...dialog.querySelectorAll("select[data-slot]")];
        this.labels = this.lists.map((list) => dialog.querySelector(`label[for="${list.id}"]`));
        this.accept = dialog.querySelector(".accept");
        const names = core.keyNames();
        for (const list of this.lists) {
            for (const name of names) {
                list.add(new Option(name));
            }
            list.addEventListener("change", () => this.check());
        }
        this.accept.addEventListener("click", () => this.confirm());
        keepFocusInside(dialog);
        routeDialogKeys(dialog, core, KEY_SETTINGS, {
            confirmAvailable: () => !this.accept.disabled,
            confirm: () => this.confirm(),
            leave: () => this.close(),
        });
    }

    // Choices left with Escape are not shown again: a later Accept would store them unseen.
    open() {
        if (!this.dialog.open) {
            this.core.keySelections().forEach((position, slot) => (this.lists[slot].selectedIndex = position));
            this.check();
        }
        showDialog(this.dialog, this.lists[0]);
    }

    selections() {
        return this.lists.map((list) => list.selectedIndex);
    }

    check() {
        const { conflict, acceptAvailable } = this.core.checkKeys(...this.selections());
        this.labels.forEach((label, slot) => label.classList.toggle("conflict", conflict[slot]));
        this.lists.forEach((list, slot) => list.setAttribute("aria-invalid", String(conflict[slot])));
        this.accept.disabled = !acceptAvailable;
    }

    confirm() {
        if (this.core.acceptKeys(this.controller.now(), ...this.selections())) {
            this.controller.afterCore();
            this.close();
        }
    }

    close() {
        if (this.dialog.open) {
            this.dialog.close();
        }
    }
}
