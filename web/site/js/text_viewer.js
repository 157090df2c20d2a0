// A document of the program in a dialog inside the page: the read-me, what's new, or the
// configuration file (read-only: a page cannot edit the site's files).
export class TextViewer {
    constructor(dialog) {
        this.dialog = dialog;
        this.title = dialog.querySelector("h2");
        this.text = dialog.querySelector("pre");
        this.note = dialog.querySelector(".note");
        dialog.querySelector("button.close").addEventListener("click", () => dialog.close());
    }

    show(title, text, note = "") {
        this.title.textContent = title;
        this.text.textContent = text;
        this.note.textContent = note;
        this.note.hidden = note === "";
        this.dialog.showModal();
        this.text.scrollTop = 0;
        this.text.focus();
    }
}
