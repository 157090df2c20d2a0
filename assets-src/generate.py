#!/usr/bin/env python3
"""Writes the default skin's artwork as SVG files into OUT_DIR, with OUT_DIR/jobs.txt listing
how each is rendered (kind, SVG file, target under assets/, width, height), and writes
OUT_DIR/Config.ini. tools/render-assets runs it and renders the list.

usage: generate.py OUT_DIR"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import config_ini  # noqa: E402
import dialogs  # noqa: E402
import fullscreen  # noqa: E402
import manual  # noqa: E402
from device import (PILL_BUTTONS, ROUND_BUTTONS, SEGMENT_INK, SEGMENT_OPACITY,  # noqa: E402
                    face, glass, pill_pressed, pill_rim, round_pressed, round_rim, set_button)
from layout import GAME_HEIGHT, GAME_WIDTH, image_sections  # noqa: E402
from segments import digit, segment_shapes  # noqa: E402
from svgkit import document, masked, n  # noqa: E402


class Output:
    def __init__(self, folder):
        self.folder = folder
        self.jobs = []

    def add(self, kind, target, width, height, svg):
        name = target.replace("/", "__").rsplit(".", 1)[0] + ".svg"
        with open(os.path.join(self.folder, name), "w", encoding="utf-8") as f:
            f.write(svg)
        self.jobs.append(f"{kind} {name} {target} {width} {height}")

    def finish(self):
        with open(os.path.join(self.folder, "jobs.txt"), "w", encoding="utf-8") as f:
            f.write("\n".join(self.jobs) + "\n")


def boxed(box, defs, body):
    """An SVG of one component's box, cut out of game-area coordinates."""
    x, y, w, h = box
    return document(w, h, body, defs, viewbox=(x, y, w, h))


def skin_pictures(out):
    shapes = segment_shapes()
    # Each _down lies under its _top: the face shows the released cap, _top is only the rim
    # around it, and _down paints over the face the cap held down.
    buttons = {"btn_set_top": set_button()}
    for button, (x, y) in PILL_BUTTONS.items():
        buttons[f"btn_{button}_top"] = pill_rim(x, y)
        buttons[f"btn_{button}_down"] = pill_pressed(x, y)
    for button, (cx, cy) in ROUND_BUTTONS.items():
        buttons[f"btn_{button}_top"] = round_rim(cx, cy)
        buttons[f"btn_{button}_down"] = round_pressed(cx, cy, button)
    for name, filename, box in image_sections():
        if not filename:
            continue
        target = f"Graphics/Skin/{filename}"
        x, y, w, h = box
        if name == "im_background":
            d, b = face()
            out.add("face", target, w, h, document(GAME_WIDTH, GAME_HEIGHT, b, d))
        elif name == "im_background_screen_top":
            d, b = glass()
            out.add("png", target, w, h, boxed(box, d, b))
        elif name in buttons:
            d, b = buttons[name]
            out.add("png", target, w, h, boxed(box, d, b))
        elif name.startswith("im_panel_number_"):
            dark, _ = digit(box, int(name[-1]))
            body = f'<g fill="{SEGMENT_INK}" opacity="{n(SEGMENT_OPACITY)}">{dark}</g>'
            out.add("png", target, w, h, boxed(box, "", body))
        else:
            dark, clear = shapes[name]
            d, b = masked(dark, clear, SEGMENT_INK, SEGMENT_OPACITY, extent=box)
            out.add("png", target, w, h, boxed(box, d, b))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    out = Output(folder)
    skin_pictures(out)
    fullscreen.pictures(out)
    manual.pages(out)
    dialogs.pictures(out)
    out.finish()
    with open(os.path.join(folder, "Config.ini"), "w", encoding="utf-8", newline="\r\n") as f:
        f.write(config_ini.text())


if __name__ == "__main__":
    main()
