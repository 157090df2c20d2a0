// "Save session": the session so far as a zemblor-headless script, the desktop's --record
// format, handed to the browser as a download.

// The desktop's scripts are .script files.
export const SESSION_FILE_NAME = "zemblor-session.script";

// The seed and clock a replay needs, from the script's first line, or null.
export function replayOptions(script) {
    const m = /^# zemblor session; replay: zemblor-headless --seed (\d+) --clock "([^"]+)"/.exec(script);
    return m ? { seed: m[1], clock: m[2] } : null;
}

// Hands `text` to the browser as the file `name` through a Blob URL.
export function download(text, name, document) {
    const url = URL.createObjectURL(new Blob([text], { type: "text/plain" }));
    const link = document.createElement("a");
    link.href = url;
    link.download = name;
    link.hidden = true;
    // Firefox downloads only through a link in the document.
    document.body.append(link);
    link.click();
    link.remove();
    // The download reads the URL after this task; it is let go well after.
    setTimeout(() => URL.revokeObjectURL(url), 60000);
}
