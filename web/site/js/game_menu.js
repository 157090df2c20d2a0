// The in-window game menu of the full-screen layout: the menu's items as rows of white text
// over a black panel on the device, opened and closed by its button; a row runs its item.

export const ROW_WIDTH = 256;
export const ROW_HEIGHT = 32;

// The rows' boxes (layout pixels): row n (from 1) at n row heights down from the button's
// top, and the panel under them all.
export function gameMenuGeometry(buttonBox, rowCount) {
    const [left, top] = buttonBox;
    const rows = [];
    for (let n = 1; n <= rowCount; n++) {
        rows.push([left, top + ROW_HEIGHT * n, ROW_WIDTH, ROW_HEIGHT]);
    }
    return { rows, panel: [ROW_WIDTH, ROW_HEIGHT * (rowCount + 1)] };
}

export class GameMenu {
    // `element`: an empty element for the rows; `run(name)` carries out an item.
    constructor(element, view, items, run) {
        this.element = element;
        this.view = view;
        this.items = items;
        this.run = run;
        element.setAttribute("role", "menu");
        element.setAttribute("aria-label", "Game menu");
        element.hidden = true;
        element.addEventListener("keydown", (event) => this.key(event));
    }

    get open() {
        return !this.element.hidden;
    }

    // `rowTexts`: the core's text of each row ("" for a separator), ticks included.
    toggle(rowTexts) {
        if (this.open) {
            this.close();
            return;
        }
        const geometry = gameMenuGeometry(this.view.layout.gameMenuBox, this.items.length);
        this.view.setGameMenuSize(geometry.panel);
        this.element.replaceChildren();
        this.items.forEach((item, i) => {
            const box = this.view.pageBox(geometry.rows[i]);
            const row = document.createElement(item.separator ? "div" : "button");
            row.className = "game-menu-row";
            Object.assign(row.style, {
                left: `${box.left}px`,
                top: `${box.top}px`,
                width: `${box.width}px`,
                height: `${box.height}px`,
                fontSize: `${14 * box.scale}px`,
            });
            row.textContent = rowTexts[i];
            if (!item.separator) {
                row.type = "button";
                row.setAttribute("role", "menuitem");
                row.addEventListener("click", () => {
                    this.run(item.name);
                    this.close();
                });
            }
            this.element.append(row);
        });
        this.element.hidden = false;
        this.element.querySelector("button")?.focus();
    }

    close() {
        if (!this.open) {
            return;
        }
        this.element.hidden = true;
        this.element.replaceChildren();
        this.view.setGameMenuSize(null);
    }

    key(event) {
        const rows = [...this.element.querySelectorAll("button")];
        const at = rows.indexOf(document.activeElement);
        if (event.key === "ArrowDown" || event.key === "ArrowUp") {
            const step = event.key === "ArrowDown" ? 1 : -1;
            rows[(at + step + rows.length) % rows.length].focus();
        } else if (event.key === "Escape") {
            this.close();
        } else {
            return;
        }
        event.preventDefault();
        event.stopPropagation();
    }
}
