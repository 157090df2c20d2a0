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
from device import (SEGMENT_INK, SEGMENT_OPACITY, face, glass, pill_button,  # noqa: E402
                    round_button, set_button)
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
    buttons = {
        "btn_game_a_top": pill_button(277, 304, False), "btn_game_a_down": pill_button(277, 304, True),
        "btn_game_b_top": pill_button(336, 304, False), "btn_game_b_down": pill_button(336, 304, True),
        "btn_time_top": pill_button(395, 304, False), "btn_time_down": pill_button(395, 304, True),
        "btn_left_top": round_button(65.5, 239.5, 19.5, False, "left"),
        "btn_left_down": round_button(65.5, 239.5, 19.5, True, "left"),
        "btn_right_top": round_button(494, 239.5, 19.5, False, "right"),
        "btn_right_down": round_button(494, 239.5, 19.5, True, "right"),
        "btn_set_top": set_button(),
    }
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
