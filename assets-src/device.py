"""The device's body: the face with its printed LCD, the buttons, the glass over the LCD."""

from layout import DIGIT_POSITION_BOXES, FLOOR_Y, LCD, PANEL_RULE_Y, image_sections
from segments import digit, ghost_digits, segment_shapes
from svgkit import circle, ellipse, line, masked, n, new_id, polygon, rect, text

SEGMENT_INK = "#1a222b"
SEGMENT_OPACITY = 0.93
GHOST_OPACITY = 0.075

BODY_TOP = "#2b7182"
BODY_BOTTOM = "#174653"
BODY_EDGE = "#0b242b"
PLATE_LIGHT = "#e3e5df"
PLATE_DARK = "#b4b9b2"
LCD_TOP = "#cbd3bf"
LCD_BOTTOM = "#bac4ad"
PRINT_TINT = "#a6b29d"
CORAL = "#e2683a"
CORAL_DARK = "#a8411d"
RUBBER = "#33373c"
PRINT_LABEL = "#e6efec"


def _linear(gid, stops, x1=0, y1=0, x2=0, y2=1):
    s = "".join(f'<stop offset="{n(o)}" stop-color="{c}"{"" if a == 1 else f" stop-opacity={chr(34)}{n(a)}{chr(34)}"}/>'
                for o, c, a in stops)
    return (f'<linearGradient id="{gid}" x1="{n(x1)}" y1="{n(y1)}" x2="{n(x2)}" y2="{n(y2)}">'
            f"{s}</linearGradient>")


def _radial(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
    s = "".join(f'<stop offset="{n(o)}" stop-color="{c}"{"" if a == 1 else f" stop-opacity={chr(34)}{n(a)}{chr(34)}"}/>'
                for o, c, a in stops)
    f = f' fx="{n(fx)}" fy="{n(fy)}"' if fx is not None else ""
    return f'<radialGradient id="{gid}" cx="{n(cx)}" cy="{n(cy)}" r="{n(r)}"{f}>{s}</radialGradient>'


def segments_layer(names, opacity):
    """The named segments in LCD ink; returns (defs, body)."""
    shapes = segment_shapes()
    defs, body = [], []
    for name in names:
        dark, clear = shapes[name]
        d, b = masked(dark, clear, SEGMENT_INK, opacity)
        defs.append(d)
        body.append(b)
    return "".join(defs), "".join(body)


def all_segment_names():
    return [name for name, filename, _ in image_sections()
            if filename and name.startswith("im_") and name not in
            ("im_background", "im_background_screen_top") and not name.startswith("im_panel_number")]


def _button_wells():
    out = []
    for cx, cy in ((65.5, 239.5), (494, 239.5)):
        out.append(circle(cx, cy, 25.5, fill="#123a44"))
        out.append(circle(cx, cy, 25.5, fill="none", stroke="#3d8797", stroke_width="1.2",
                          stroke_dasharray="40 200", stroke_dashoffset="-20"))
        out.append(circle(cx, cy + 0.8, 22.2, fill="#0c272e"))
    for x in (277, 336, 395):
        out.append(rect(x - 3, 304 - 3, 46, 28, 14, fill="#123a44"))
        out.append(rect(x - 1, 304 - 1, 42, 24, 12, fill="#0c272e"))
    out.append(circle(239, 315, 15.5, fill="#123a44"))
    out.append(circle(239, 315, 13.6, fill="#0c272e"))
    return "".join(out)


def _printed_labels():
    out = []
    for x, s in ((297, "GAME A"), (356, "GAME B"), (415, "TIME")):
        out.append(text(x, 296, s, 8.5, fill=PRINT_LABEL, letter_spacing="0.6"))
    out.append(text(65.5, 279, "LEFT", 8.5, fill=PRINT_LABEL, letter_spacing="0.8"))
    out.append(text(494, 279, "RIGHT", 8.5, fill=PRINT_LABEL, letter_spacing="0.8"))
    # Small arrows over the side buttons, pointing the way Zemblor steps.
    out.append(polygon([(58, 205), (66, 200.5), (66, 209.5)], fill=PRINT_LABEL))
    out.append(polygon([(501.5, 205), (493.5, 200.5), (493.5, 209.5)], fill=PRINT_LABEL))
    return "".join(out)


def _name_plate():
    gid = new_id("g")
    defs = _linear(gid, [(0, "#f3d98a", 1), (0.55, "#d9a94b", 1), (1, "#b07c2c", 1)])
    body = rect(34, 292, 170, 46, 9, fill="#0f2d35", stroke="#d9a94b", stroke_width="1.5")
    body += rect(38.5, 296.5, 161, 37, 6.5, fill="none", stroke="#2f6c7a", stroke_width="0.8")
    body += text(119, 324, "Zemblor", 27, weight="bold", style="oblique", fill=f"url(#{gid})",
                 letter_spacing="0.5")
    return defs, body


def _speaker():
    out = []
    for row in range(4):
        for col in range(6):
            x = 468 + col * 11 + (5.5 if row % 2 else 0)
            y = 300 + row * 9
            if x > 530:
                continue
            out.append(rect(x, y, 6, 3.2, 1.6, fill="#0d2a31"))
            out.append(rect(x, y + 2.6, 6, 0.8, 0.4, fill="#3d8797", opacity="0.6"))
    return "".join(out)


def _lcd_scenery():
    """What is printed on the LCD's back plate: the floor and the rule under the panel."""
    x, y, w, h = LCD
    out = [rect(x + 4, FLOOR_Y, w - 8, 2, 1, fill=PRINT_TINT)]
    for hx in range(x + 10, x + w - 4, 9):
        out.append(line([(hx, FLOOR_Y + 4), (hx - 4, FLOOR_Y + 8)], 0.9, stroke=PRINT_TINT))
    out.append(line([(x + 6, PANEL_RULE_Y), (x + w - 6, PANEL_RULE_Y)], 0.8, stroke=PRINT_TINT,
                    stroke_dasharray="2 2"))
    return "".join(out)


def face(ghosts=True):
    """The face, im_background: body, plate, bezel, the LCD with its faint ghosts, and the
    five working buttons as they look released."""
    g_body, g_plate, g_lcd, g_shine = (new_id("g") for _ in range(4))
    defs = [
        _linear(g_body, [(0, BODY_TOP, 1), (1, BODY_BOTTOM, 1)]),
        _linear(g_plate, [(0, PLATE_LIGHT, 1), (0.6, "#cfd3cc", 1), (1, PLATE_DARK, 1)], 0, 0, 0.25, 1),
        _linear(g_lcd, [(0, LCD_TOP, 1), (1, LCD_BOTTOM, 1)]),
        _linear(g_shine, [(0, "#ffffff", 0.22), (0.12, "#ffffff", 0.0), (1, "#ffffff", 0)]),
    ]
    body = []
    body.append(rect(4, 4, 552, 364, 34, fill=BODY_EDGE))
    body.append(rect(6, 6, 548, 360, 32, fill=f"url(#{g_body})"))
    body.append(rect(6, 6, 548, 360, 32, fill=f"url(#{g_shine})"))
    body.append(rect(11.5, 11.5, 537, 349, 27, fill="none", stroke="#3f8a9a", stroke_width="1",
                     opacity="0.7"))
    # The silver plate that frames the screen.
    body.append(rect(110, 20, 340, 264, 16, fill="#0e2b33"))
    body.append(rect(112, 22, 336, 260, 14.5, fill=f"url(#{g_plate})"))
    body.append(rect(117.5, 27.5, 325, 249, 10, fill="none", stroke="#2b7182", stroke_width="1.6"))
    body.append(text(280, 270.5, "THREE-HOP  POD  BOUNCE", 7.5,
                     fill="#2b5f6c", letter_spacing="1.2"))
    # Bezel and LCD window.
    x, y, w, h = LCD
    body.append(rect(x - 8, y - 8, w + 16, h + 16, 6, fill="#2c3236"))
    body.append(rect(x - 8, y - 8, w + 16, h + 16, 6, fill="none", stroke="#6f777b", stroke_width="0.8"))
    body.append(rect(x, y, w, h, 1.5, fill=f"url(#{g_lcd})"))
    body.append(_lcd_scenery())
    if ghosts:
        gd, gb = segments_layer(all_segment_names(), GHOST_OPACITY)
        defs.append(gd)
        body.append(gb)
        body.append(f'<g fill="{SEGMENT_INK}" opacity="{n(GHOST_OPACITY)}">{ghost_digits()}</g>')
    body.append(_button_wells())
    cd, cb = _released_caps()
    defs.append(cd)
    body.append(cb)
    body.append(_printed_labels())
    nd, nb = _name_plate()
    defs.append(nd)
    body.append(nb)
    body.append(_speaker())
    # Screws in the corners of the back shell show through as small dimples.
    for cx, cy in ((30, 30), (530, 30), (30, 342), (530, 342)):
        body.append(circle(cx, cy, 4, fill="#133b45"))
        body.append(circle(cx, cy, 4, fill="none", stroke="#4b97a6", stroke_width="0.7",
                           stroke_dasharray="6 30"))
    return "".join(defs), "".join(body)


def glass():
    """im_background_screen_top: a faint glare and the bezel's shadow on the liquid crystal."""
    g_glare, g_top, g_left = (new_id("g") for _ in range(3))
    defs = (_linear(g_glare, [(0, "#ffffff", 0), (0.45, "#ffffff", 0), (0.5, "#ffffff", 0.13),
                              (0.62, "#ffffff", 0.05), (0.66, "#ffffff", 0), (1, "#ffffff", 0)],
                    0, 0, 1, 0.8) +
            _linear(g_top, [(0, "#0b1a10", 0.30), (1, "#0b1a10", 0)]) +
            _linear(g_left, [(0, "#0b1a10", 0.22), (1, "#0b1a10", 0)], 0, 0, 1, 0))
    x, y, w, h = LCD
    body = rect(x, y, w, h, 1.5, fill=f"url(#{g_glare})")
    body += rect(x, y, w, 5, fill=f"url(#{g_top})")
    body += rect(x, y, 4, h, fill=f"url(#{g_left})")
    return defs, body


# Where the buttons sit: the round side buttons by centre, the pills by top-left corner.
ROUND_BUTTONS = {"left": (65.5, 239.5), "right": (494, 239.5)}
ROUND_RADIUS = 19.5
PILL_BUTTONS = {"game_a": (277, 304), "game_b": (336, 304), "time": (395, 304)}
WELL_FLOOR = "#0c272e"
ROUND_RIM = "#2a0f05"
PILL_RIM = "#0a0b0c"
# How far a held cap sinks: it slides down under the rim, out of the light.
PRESS_SHIFT = 1.4


def _round_glyph(cx, cy, glyph, fill):
    s = 1 if glyph == "right" else -1
    return polygon([(cx + s * 7, cy), (cx - s * 5, cy - 8), (cx - s * 5, cy + 8)],
                   fill=fill, opacity="0.85")


def round_cap(cx, cy, glyph, r=ROUND_RADIUS):
    """A released side button, printed on the face: a lit coral cap in its rim."""
    g = new_id("g")
    defs = _radial(g, [(0, "#f59a6d", 1), (0.55, CORAL, 1), (1, CORAL_DARK, 1)], 0.42, 0.35, 0.7)
    body = circle(cx, cy, r, fill=ROUND_RIM)
    body += circle(cx, cy, r - 1.2, fill=f"url(#{g})")
    body += ellipse(cx - 4, cy - 9, 9, 4.5, -20, fill="#ffffff", opacity="0.28")
    body += _round_glyph(cx, cy, glyph, "#4a1806")
    return defs, body


def round_rim(cx, cy, r=ROUND_RADIUS):
    """The rim over a side button (its _top): open where the cap is, so the cap drawn
    beneath (the face's released one, or the pressed one) shows, and a sunken cap slips
    under the rim's lower edge."""
    return "", circle(cx, cy, r - 0.6, fill="none", stroke=ROUND_RIM, stroke_width="1.2")


def round_pressed(cx, cy, glyph, r=ROUND_RADIUS):
    """A held side button (its _down): covers the face's released cap with the well's
    floor, then the cap sunk down in the rim's shadow, darker and without its gloss."""
    g, shade = new_id("g"), new_id("g")
    defs = _radial(g, [(0, "#c2552b", 1), (1, "#8e3516", 1)], 0.5, 0.55, 0.6)
    defs += _linear(shade, [(0, "#000000", 0.45), (0.3, "#000000", 0), (1, "#000000", 0)])
    body = circle(cx, cy, r + 1, fill=WELL_FLOOR)
    body += circle(cx, cy, r, fill="#1a0702")
    sunk = cy + PRESS_SHIFT
    body += circle(cx, sunk, r - 1.4, fill=f"url(#{g})")
    body += circle(cx, sunk, r - 1.4, fill=f"url(#{shade})")
    body += _round_glyph(cx, sunk, glyph, "#3a1204")
    return defs, body


def pill_cap(x, y):
    """A released pill button, printed on the face."""
    g = new_id("g")
    defs = _linear(g, [(0, "#555b61", 1), (0.5, RUBBER, 1), (1, "#24272a", 1)])
    body = rect(x + 0.5, y + 0.5, 39, 21, 10.5, fill=PILL_RIM)
    body += rect(x + 1.5, y + 1.5, 37, 19, 9.5, fill=f"url(#{g})")
    body += rect(x + 8, y + 3.2, 24, 2.2, 1.1, fill="#ffffff", opacity="0.18")
    return defs, body


def pill_rim(x, y):
    """The rim over a pill button (its _top), open where the cap is."""
    return "", rect(x + 1, y + 1, 38, 20, 10, fill="none", stroke=PILL_RIM, stroke_width="1")


def pill_pressed(x, y):
    """A held pill button (its _down): the well's floor over the released cap, then the
    cap sunk and shadowed, its top edge dark where the rim hides the light."""
    g = new_id("g")
    defs = _linear(g, [(0, "#08090a", 1), (0.4, "#131518", 1), (1, "#1d2023", 1)])
    body = rect(x, y, 40, 22, 11, fill=WELL_FLOOR)
    body += rect(x + 0.5, y + 0.5, 39, 21, 10.5, fill=PILL_RIM)
    body += rect(x + 1.5, y + 1.5 + PRESS_SHIFT, 37, 19 - PRESS_SHIFT, 9.5, fill=f"url(#{g})")
    return defs, body


def _released_caps():
    parts = [round_cap(cx, cy, glyph) for glyph, (cx, cy) in ROUND_BUTTONS.items()]
    parts += [pill_cap(x, y) for x, y in PILL_BUTTONS.values()]
    return "".join(d for d, _ in parts), "".join(b for _, b in parts)


def set_button():
    g = new_id("g")
    defs = _radial(g, [(0, "#5b6167", 1), (0.7, RUBBER, 1), (1, "#1f2225", 1)], 0.42, 0.38, 0.6)
    body = circle(239, 315, 12.6, fill="#0a0b0c") + circle(239, 315, 11.4, fill=f"url(#{g})")
    body += circle(239, 315, 3.2, fill="#25282b")
    return defs, body


def device_picture(lit=None, with_glass=True):
    """The whole device as one picture, for the manual and the dialogs: the face, the
    buttons, the named segments lit (all of them by default)."""
    defs, body = [], []
    d, b = face()
    defs.append(d)
    body.append(b)
    names = all_segment_names() if lit is None else lit
    # Drawn in the window's order: segments, then the buttons, then the three segments
    # that lie over the buttons, then the glass.
    over = {"im_item_right_1b", "im_item_06", "im_item_left_0"}
    d, b = segments_layer([s for s in names if s not in over and not s.startswith("digit:")],
                          SEGMENT_OPACITY)
    defs.append(d)
    body.append(b)
    for s in names:
        if s.startswith("digit:"):
            _, pos, val = s.split(":")
            body.append(f'<g fill="{SEGMENT_INK}" opacity="{n(SEGMENT_OPACITY)}">'
                        f'{digit(DIGIT_POSITION_BOXES[int(pos)], int(val))[0]}</g>')
    if lit is None:
        body.append(f'<g fill="{SEGMENT_INK}" opacity="{n(SEGMENT_OPACITY)}">{ghost_digits()}</g>')
    # The face already shows the buttons released; only the inert one is a picture of its own.
    d, b = set_button()
    defs.append(d)
    body.append(b)
    d, b = segments_layer([s for s in names if s in over], SEGMENT_OPACITY)
    defs.append(d)
    body.append(b)
    if with_glass:
        d, b = glass()
        defs.append(d)
        body.append(b)
    return "".join(defs), "".join(body)
