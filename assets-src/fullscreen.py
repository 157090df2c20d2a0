"""The full-screen backdrop and logo."""

import random

from svgkit import circle, curve, document, ellipse, n, rect, text

EDGE = "#0c1c26"  # BgColor in Config.ini is this colour


def backdrop():
    w, h = 1920, 1080
    defs = (f'<radialGradient id="sky" cx="0.5" cy="0.44" r="0.75">'
            f'<stop offset="0" stop-color="#1f5565"/><stop offset="0.55" stop-color="#143644"/>'
            f'<stop offset="1" stop-color="{EDGE}"/></radialGradient>'
            f'<linearGradient id="floor" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="#0e2a33" stop-opacity="0"/>'
            f'<stop offset="1" stop-color="{EDGE}" stop-opacity="0.9"/></linearGradient>')
    body = [rect(0, 0, w, h, fill="url(#sky)")]
    rng = random.Random(5)
    # A scatter of faint specks, like dust lit by the screen.
    for _ in range(260):
        x, y = rng.uniform(0, w), rng.uniform(0, h * 0.8)
        body.append(circle(x, y, rng.uniform(0.8, 2.2), fill="#cfe7e4",
                           opacity=n(rng.uniform(0.05, 0.22))))
    # Three great hops of a pod across the screen, right to left, as dotted arcs.
    hops = [(1760, 1290), (1290, 820), (820, 350), (350, 120)]
    base = 930
    for i, (x0, x1) in enumerate(hops):
        top = 300 + i * 40 if i < 3 else 700
        mx = (x0 + x1) / 2
        end_y = base if i < 3 else 860
        body.append(curve(f"M{x0},{base} Q{mx},{2 * top - base} {x1},{end_y}", 5, stroke="#8fd0c9",
                          opacity="0.12", stroke_dasharray="2 22"))
    for x, y, a in ((1640, 540, -40), (1120, 380, 10), (560, 470, 35), (260, 760, 60)):
        body.append(ellipse(x, y, 30, 21, a, fill="#9ad8cf", opacity="0.07"))
        body.append(ellipse(x, y, 30, 21, a, fill="none", stroke="#9ad8cf", stroke_width="3",
                            opacity="0.12"))
    body.append(rect(0, 930, w, 150, fill="url(#floor)"))
    body.append(rect(0, 928, w, 3, fill="#8fd0c9", opacity="0.10"))
    for k in range(0, w, 48):
        body.append(curve(f"M{k},{936} L{k - 30},{1080}", 2, stroke="#8fd0c9", opacity="0.05"))
    return document(w, h, "".join(body), defs)


def logo():
    w, h = 440, 132
    defs = ('<linearGradient id="gold" x1="0" y1="0" x2="0" y2="1">'
            '<stop offset="0" stop-color="#f6e09a"/><stop offset="0.55" stop-color="#dcaa4c"/>'
            '<stop offset="1" stop-color="#a9772a"/></linearGradient>')
    body = [text(222, 92, "Zemblor", 68, style="oblique", fill="#061219", stroke="#061219",
                 stroke_width="10", stroke_linejoin="round", opacity="0.55"),
            text(218, 88, "Zemblor", 68, style="oblique", fill="url(#gold)", stroke="#3b2608",
                 stroke_width="1.5")]
    # A pod hopping over the name in three arcs.
    for x0, x1 in ((410, 330), (330, 250), (250, 170)):
        body.append(curve(f"M{x0},28 Q{(x0 + x1) / 2},{-2} {x1},28", 2.2, stroke="#f3d98a",
                          stroke_dasharray="2 5", opacity="0.8"))
    body.append(ellipse(170, 27, 8, 5.6, -25, fill="#f3d98a"))
    body.append(text(220, 118, "THREE-HOP POD BOUNCE", 15, fill="#9ad8cf", letter_spacing="4"))
    return document(w, h, "".join(body), defs)


def pictures(out):
    out.add("jpg", "Graphics/Backdrops/backdrop.jpg", 1920, 1080, backdrop())
    out.add("png", "Graphics/Backdrops/logo.png", 440, 132, logo())
