// The program's menu in the page, built from the core's menu table: the same captions, ticks,
// default item and shortcut names. It opens at a point (a right click, a long press) or under
// the in-window game menu button, and is used with the mouse, touch or the keyboard.

const KEY_NAMES = { 27: "Esc" };

export function shortcutText(code) {
    if (code === null || code === undefined) {
        return "";
    }
    if (code >= 112 && code <= 123) {
        return `F${code - 111}`;
    }
    return KEY_NAMES[code] ?? String.fromCharCode(code);
}

// The item a shortcut key (a virtual-key code) runs, or null.
export function itemForShortcut(items, code) {
    return items.find((item) => !item.separator && item.shortcut === code) ?? null;
}

export class ProgramMenu {
    // `element`: an empty element to hold the menu; `run(name)` carries out an item; the
    // shortcut keys of `foreignKeys` (the browser's own) are not shown.
    constructor(element, items, run, foreignKeys = []) {
        this.foreignKeys = foreignKeys;
        this.element = element;
        this.items = items;
        this.run = run;
        this.returnFocus = null;
        element.setAttribute("role", "menu");
        element.setAttribute("aria-label", "Menu");
        element.hidden = true;
        this.entries = items.map((item) => this.entry(item));
        element.addEventListener("keydown", (event) => this.key(event));
        document.addEventListener("pointerdown", (event) => {
            if (!element.hidden && !element.contains(event.target)) {
                this.close();
            }
        }, true);
        window.addEventListener("blur", () => this.close());
    }

    entry(item) {
        if (item.separator) {
            const line = document.createElement("hr");
            line.setAttribute("role", "separator");
            this.element.append(line);
            return null;
        }
        const button = document.createElement("button");
        button.type = "button";
        button.dataset.item = item.name;
        button.setAttribute("role", item.checkable ? "menuitemcheckbox" : "menuitem");
        button.tabIndex = -1;
        button.classList.toggle("default", item.default);
        const caption = document.createElement("span");
        caption.className = "caption";
        caption.textContent = item.caption;
        const shortcut = document.createElement("span");
        shortcut.className = "shortcut";
        shortcut.textContent = this.foreignKeys.includes(item.shortcut) ? "" : shortcutText(item.shortcut);
        button.append(caption, shortcut);
        button.addEventListener("click", () => {
            this.close();
            this.run(item.name);
        });
        this.element.append(button);
        return button;
    }

    get open() {
        return !this.element.hidden;
    }

    // Opens with its top left at the page point (x, y), kept inside the window; `ticked`: a
    // boolean per item.
    openAt(x, y, ticked) {
        this.entries.forEach((button, i) => {
            if (button && this.items[i].checkable) {
                button.setAttribute("aria-checked", ticked[i] ? "true" : "false");
            }
        });
        if (this.element.hidden) {
            this.returnFocus = document.activeElement;
        }
        this.element.hidden = false;
        const { width, height } = this.element.getBoundingClientRect();
        this.element.style.left = `${Math.max(0, Math.min(x, window.innerWidth - width))}px`;
        this.element.style.top = `${Math.max(0, Math.min(y, window.innerHeight - height))}px`;
        this.focusEntry(0);
    }

    close() {
        if (this.element.hidden) {
            return;
        }
        this.element.hidden = true;
        if (this.returnFocus && document.contains(this.returnFocus)) {
            this.returnFocus.focus?.();
        }
        this.returnFocus = null;
    }

    buttons() {
        return this.entries.filter((b) => b);
    }

    focusEntry(position) {
        const buttons = this.buttons();
        buttons[(position + buttons.length) % buttons.length].focus();
    }

    key(event) {
        const buttons = this.buttons();
        const at = buttons.indexOf(document.activeElement);
        const moves = { ArrowDown: at + 1, ArrowUp: at - 1, Home: 0, End: buttons.length - 1 };
        if (event.key in moves) {
            this.focusEntry(moves[event.key]);
        } else if (event.key === "Escape" || event.key === "Tab") {
            this.close();
        } else {
            return;
        }
        event.preventDefault();
        event.stopPropagation();
    }
}
