// The about box: the picture beside the project's particulars and its two links, the texts
// the core holds. Escape or the close box leaves; a link opens in a new tab and closes the
// box, as the desktop's hands it to the system and closes.
import { ABOUT, keepFocusInside, routeDialogKeys, showDialog } from "./dialog_frame.js";

export class AboutBox {
    constructor(dialog, core) {
        this.dialog = dialog;
        const about = core.about();
        dialog.querySelector(".caption-text").textContent = about.title;
        const rows = dialog.querySelector(".about-rows");
        const row = (captionName, caption, value) => {
            const line = document.createElement("p");
            const label = document.createElement("span");
            label.className = "about-caption";
            label.dataset.name = captionName;
            label.textContent = caption;
            line.append(label, value);
            rows.append(line);
        };
        for (const detail of about.details) {
            const value = document.createElement("span");
            value.className = detail.italic ? "about-value italic" : "about-value";
            value.dataset.name = detail.valueName;
            value.textContent = detail.value;
            row(detail.captionName, detail.caption, value);
        }
        for (const link of about.links) {
            const anchor = document.createElement("a");
            anchor.className = "about-link";
            anchor.dataset.name = link.linkName;
            anchor.href = link.address;
            anchor.target = "_blank";
            anchor.rel = "noopener";
            anchor.textContent = link.text;
            anchor.addEventListener("click", () => this.close());
            row(link.captionName, link.caption, anchor);
        }
        dialog.querySelector(".close-box").addEventListener("click", () => this.close());
        keepFocusInside(dialog);
        routeDialogKeys(dialog, core, ABOUT, { leave: () => this.close() });
    }

    open() {
        showDialog(this.dialog);
    }

    close() {
        if (this.dialog.open) {
            this.dialog.close();
        }
    }
}
