"""Pictures of the splash dialog and the about box."""

from device import SEGMENT_INK, device_picture
from layout import FLOOR_Y, PAD_TOP, PADS, hero_box
from segments import pod_shape, hero
from svgkit import curve, document, masked, n, path, polygon, rect, text

NAVY = "#082952"
GOLD = ("#f6e09a", "#dcaa4c", "#a9772a")


def _gold(gid):
    return (f'<linearGradient id="{gid}" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{GOLD[0]}"/><stop offset="0.55" stop-color="{GOLD[1]}"/>'
            f'<stop offset="1" stop-color="{GOLD[2]}"/></linearGradient>')


def splash_background():
    w, h = 460, 420
    defs = ('<linearGradient id="top" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="#0e3a6e"/><stop offset="1" stop-color="{NAVY}"/>'
            '</linearGradient>'
            '<linearGradient id="mid" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#f7f9f6"/><stop offset="1" stop-color="#e4ece8"/>'
            '</linearGradient>')
    body = rect(0, 0, w, h, fill="url(#mid)")
    body += rect(0, 0, w, 54, fill="url(#top)")
    body += rect(0, 52, w, 2, fill=GOLD[1])
    body += rect(0, 216, w, 2, fill=GOLD[1])
    body += rect(0, 384, w, h - 384, fill=NAVY)
    body += rect(0, 382, w, 2, fill=GOLD[1])
    # Faint hops across the light part, under the text.
    for x0, x1 in ((440, 300), (300, 160), (160, 20)):
        body += curve(f"M{x0},372 Q{(x0 + x1) / 2},262 {x1},372", 2, stroke="#1f5f6e",
                      opacity="0.10", stroke_dasharray="2 7")
    return document(w, h, body, defs)


def splash_box():
    w, h = 460, 160
    d, dev = device_picture()
    defs = ('<linearGradient id="bg" x1="0" y1="0" x2="1" y2="1">'
            '<stop offset="0" stop-color="#1f5565"/><stop offset="1" stop-color="#0c1c26"/>'
            '</linearGradient>' + _gold("gold") + d)
    body = rect(0, 0, w, h, fill="url(#bg)")
    for x0, x1 in ((430, 330), (330, 230), (230, 130)):
        body += curve(f"M{x0},150 Q{(x0 + x1) / 2},40 {x1},150", 2, stroke="#8fd0c9",
                      opacity="0.18", stroke_dasharray="2 6")
    body += text(112, 78, "Zemblor", 46, style="oblique", fill="url(#gold)", stroke="#3b2608",
                 stroke_width="1")
    body += text(112, 104, "THREE-HOP POD BOUNCE", 10.5, fill="#9ad8cf", letter_spacing="2.5")
    body += text(112, 128, "two games \u00b7 clock \u00b7 alarm \u00b7 date", 10, weight="normal",
                 fill="#d4e6e2")
    scale = 0.40
    body += (f'<svg x="232" y="6" width="{n(560 * scale)}" height="{n(372 * scale)}" '
             f'viewBox="0 0 560 372">{dev}</svg>')
    return document(w, h, body, defs)


def _button(label, top, bottom, edge, glyph, fg="#ffffff", size=13):
    w, h = 107, 30
    defs = ('<linearGradient id="b" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{top}"/><stop offset="1" stop-color="{bottom}"/>'
            '</linearGradient>')
    body = rect(0, 0, w, h, fill="#ffffff")
    body += rect(0.5, 0.5, w - 1, h - 1, 7, fill=edge)
    body += rect(1.5, 1.5, w - 3, h - 3, 6, fill="url(#b)")
    body += rect(6, 3, w - 12, 9, 4.5, fill="#ffffff", opacity="0.18")
    body += glyph
    body += text(w / 2 + 9, 20, label, size, fill=fg, letter_spacing="1")
    return document(w, h, body, defs)


def play():
    return _button("PLAY", "#4fb35a", "#237a33", "#14451d",
                   polygon([(22, 9), (32, 15), (22, 21)], fill="#ffffff"))


def play_disabled():
    return _button("PLAY", "#c9cccb", "#a3a7a6", "#7d8180",
                   polygon([(22, 9), (32, 15), (22, 21)], fill="#eceeed"), fg="#eceeed")


def donate():
    heart = path("M20,21.5 C13,16.5 11.5,13.8 13.2,11.2 C14.8,8.9 18.2,9.3 20,12 "
                 "C21.8,9.3 25.2,8.9 26.8,11.2 C28.5,13.8 27,16.5 20,21.5 Z", fill="#ffffff")
    return _button("DONATE", "#f0a143", "#c06a12", "#6e3a07", heart, size=12)


def about():
    w, h = 116, 160
    defs = ('<linearGradient id="lcd" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#cbd3bf"/><stop offset="1" stop-color="#b3bfa6"/>'
            '</linearGradient>' + _gold("gold"))
    body = rect(0, 0, w, h, fill="#0f2d35")
    body += rect(4, 4, w - 8, h - 8, 6, fill="#d9a94b")
    body += rect(6, 6, w - 12, h - 12, 5, fill="url(#lcd)")
    dark, clear = hero(2)
    pad = PADS[1]
    pod_dark, pod_clear = pod_shape(pad + 1, PAD_TOP - 13, 4.8, 3.4, -15, 1)
    md, mb = masked(dark + pod_dark, clear + pod_clear, SEGMENT_INK, 0.93)
    defs += md
    # Zemblor with a pod over his pad, larger than on the LCD, centred over the rule.
    hx, _, hw, _ = hero_box(2)
    scale = 2.2
    dx, dy = w / 2 - (hx + hw / 2 - 1) * scale, 127 - FLOOR_Y * scale
    body += f'<g transform="translate({n(dx)},{n(dy)}) scale({n(scale)})">{mb}</g>'
    body += rect(12, 131, 92, 2, fill="#a6b29d")
    body += text(58, 150, "Zemblor", 15, style="oblique", fill="#0f2d35")
    return document(w, h, body, defs)


def pictures(out):
    out.add("png", "Graphics/Dialogs/splash_background.png", 460, 420, splash_background())
    out.add("png", "Graphics/Dialogs/splash_box.png", 460, 160, splash_box())
    out.add("png", "Graphics/Dialogs/play.png", 107, 30, play())
    out.add("png", "Graphics/Dialogs/play_disabled.png", 107, 30, play_disabled())
    out.add("png", "Graphics/Dialogs/donate.png", 107, 30, donate())
    out.add("png", "Graphics/Dialogs/about.png", 116, 160, about())
