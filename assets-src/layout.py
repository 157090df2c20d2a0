"""Where every skinnable picture of the device sits: the boxes of the 92 Image sections,
in section order, in the 560 x 372 game area, and the geometry the segments are drawn from
(label grid, digits, the pods' route, Zemblor's three places)."""

import math

from svgkit import FONT_7, pixel_text_width

GAME_WIDTH = 560
GAME_HEIGHT = 372

# The liquid-crystal window inside the bezel, and the glass overlay just around it.
LCD = (136, 50, 288, 198)
GLASS = (134, 48, 292, 202)

# ---------------------------------------------------------------- the watch panel
# Two rows of labels beside big digits, then AM/PM and two rows of five miss marks. Every
# text is pixel text one dot per pixel, so each row's top is a whole pixel.

ROW_A = 56                 # top of the first label row (7 dots high)
ROW_B = 75                 # top of the second
PANEL = (138, 51, 284, 38)  # the panel band, for the manual's close-up
PANEL_RULE_Y = 92.5

# Left edges of the label columns: games, clocks, alarm / chrono, bell / date.
COL_GAME, COL_TIME, COL_MODE, COL_DATE = 143, 176, 209, 244

DIGIT_W, DIGIT_H = 15, 29
DIGIT_TOP = 54
DIGIT_X = [269, 286, 308, 325]   # a wider step in the middle for the colon
COLON_BOX = (302, 60, 5, 17)
AMPM_X = 345

DIGIT_POSITION_BOXES = [(x, DIGIT_TOP, DIGIT_W, DIGIT_H) for x in DIGIT_X]

MISS_W, MISS_H, MISS_PITCH = 10, 11, 12
MISS_X = 360
MISS_MARK_BOXES = ([(MISS_X + k * MISS_PITCH, ROW_A - 2, MISS_W, MISS_H) for k in range(5)] +
                   [(MISS_X + k * MISS_PITCH, ROW_B - 2, MISS_W, MISS_H) for k in range(5)])

LABELS = {
    "im_panel_game_a": ("GAME A", COL_GAME, ROW_A), "im_panel_game_b": ("GAME B", COL_GAME, ROW_B),
    "im_panel_time_1": ("TIME 1", COL_TIME, ROW_A), "im_panel_time_2": ("TIME 2", COL_TIME, ROW_B),
    "im_panel_alarm": ("ALARM", COL_MODE, ROW_A), "im_panel_chrono": ("CHRONO", COL_MODE, ROW_B),
    "im_panel_date": ("DATE", COL_DATE, ROW_B),
    "im_panel_time_am": ("AM", AMPM_X, ROW_A), "im_panel_time_pm": ("PM", AMPM_X, ROW_B),
}


def label_box(name):
    """A label's box: its pixel text with one clear pixel all round."""
    s, x, y = LABELS[name]
    return (x - 1, y - 1, pixel_text_width(s, FONT_7) + 2, 9)


# The bell that tells the alarm is set, over DATE and beside ALARM.
BELL_BOX = (COL_DATE + 4, ROW_A - 3, 13, 12)


# ---------------------------------------------------------------- the playfield

FLOOR_Y = 225              # top of the printed floor; Zemblor's feet stand on it
PAD_TOP = 191              # top of the springy pad Zemblor holds up
PADS = [207, 280, 353]     # pad centres of places 1 (left), 2 and 3 (right), evenly spaced
STEP = 15                  # distance between neighbouring pod cells along the route
POD_LONG, POD_SHORT = 10.4, 7.2  # a flying pod's length and width
FLAT_W, FLAT_H = 12, 5     # a pod squashed on the pad

# The pod engine at the right: a pod waits in the arm's cup before the throw.
ENGINE_X = 392             # centre line of the tower
ARM_PIVOT = (396, 148)
LAUNCH = (405, 131)        # cell 0, in the cup

# The bin at the left: the last cell of the route hangs over its mouth.
BIN_MOUTH_Y = 154
BIN_LANDING = (163, 155)


def _curve(p0, p1, top_y, samples=4000):
    """A dense polyline along the parabola that leaves p0, peaks at height top_y and comes
    down through p1."""
    (x0, y0), (x1, y1) = p0, p1
    d = y1 - y0

    # y(t) = y0 + d t - k t (1 - t); its lowest y is the peak.
    def peak(k):
        t = min(1.0, max(0.0, (1 - d / k) / 2))
        return y0 + d * t - k * t * (1 - t)

    lo, hi = 1e-6, 4000.0
    for _ in range(100):
        k = (lo + hi) / 2
        lo, hi = (k, hi) if peak(k) > top_y else (lo, k)
    k = (lo + hi) / 2
    ts = [i / samples for i in range(samples + 1)]
    return [(x0 + (x1 - x0) * t, y0 + d * t - k * t * (1 - t)) for t in ts]


def _walk(fine, count, step):
    """`count` points at equal arc-length `step` along a polyline, its first point first."""
    out = [fine[0]]
    walked = 0.0
    target = step
    for a, b in zip(fine, fine[1:]):
        seg = math.dist(a, b)
        while walked + seg >= target and len(out) < count:
            f = (target - walked) / seg
            out.append((a[0] + (b[0] - a[0]) * f, a[1] + (b[1] - a[1]) * f))
            target += step
        walked += seg
    return out


def _length(fine):
    return sum(math.dist(a, b) for a, b in zip(fine, fine[1:]))


def _hop(p0, p1, intervals, step):
    """The points of the hop from p0 to p1 whose peak makes it exactly `intervals` steps
    long (p0 and p1 included)."""
    lo, hi = min(p0[1], p1[1]) - 0.01, min(p0[1], p1[1]) - 150
    for _ in range(40):
        mid = (lo + hi) / 2
        if _length(_curve(p0, p1, mid)) < intervals * step:
            lo = mid
        else:
            hi = mid
    return _walk(_curve(p0, p1, (lo + hi) / 2), intervals, step) + [p1]


def _route():
    """Centres of the 28 cells in their order: the throw to place 3 (0..7), the hop to
    place 2 (8..16), the hop to place 1 (17..23) and the toss into the bin (24..27)."""
    land = [(x, PAD_TOP - FLAT_H / 2 - 0.5) for x in PADS]
    cells = _hop(LAUNCH, land[2], 7, STEP)            # 0..7
    cells += _hop(land[2], land[1], 9, STEP)[1:]      # 8..16
    cells += _hop(land[1], land[0], 7, STEP)[1:]      # 17..23
    # The toss: a short hop up and to the left whose fifth step lands in the bin.
    cells += _hop(land[0], BIN_LANDING, 5, STEP)[1:5]  # 24..27
    assert len(cells) == 28
    return cells


ROUTE = _route()
BOTTOM_CELLS = {7: 3, 16: 2, 23: 1}   # cell -> Zemblor's place under it


def _tangent(i):
    """Direction of flight at cell i (not a bottom cell), from its neighbours on the same
    hop; a hop's bottom cells count as its ends."""
    stretches = [range(0, 8), range(7, 17), range(16, 24), range(23, 28)]
    s = next(r for r in stretches if i in r)
    a = ROUTE[i - 1] if i - 1 in s else ROUTE[i]
    b = ROUTE[i + 1] if i + 1 in s else ROUTE[i]
    return math.degrees(math.atan2(b[1] - a[1], b[0] - a[0]))


def pod_pose(i):
    """(cx, cy, rx, ry, angle) of the pod in cell i."""
    cx, cy = ROUTE[i]
    if i in BOTTOM_CELLS:
        return cx, cy, FLAT_W / 2, FLAT_H / 2, 0.0
    angle = _tangent(i)
    # A pod's picture has no front or back: keep the angle within -90..90.
    angle = (angle + 90) % 180 - 90
    return cx, cy, POD_LONG / 2, POD_SHORT / 2, angle


def _ellipse_box(cx, cy, rx, ry, angle, margin=1.0):
    a = math.radians(angle)
    hw = math.hypot(rx * math.cos(a), ry * math.sin(a)) + margin
    hh = math.hypot(rx * math.sin(a), ry * math.cos(a)) + margin
    x0, y0 = math.floor(cx - hw), math.floor(cy - hh)
    x1, y1 = math.ceil(cx + hw), math.ceil(cy + hh)
    return (x0, y0, x1 - x0, y1 - y0)


ITEM_BOXES = [_ellipse_box(*pod_pose(i)) for i in range(28)]


def hero_box(place):
    """Zemblor stands left of his pad and holds it out in front of him."""
    p = PADS[place - 1]
    return (p - 33, PAD_TOP - 12, 44, FLOOR_Y - PAD_TOP + 12)


def miss_box(place):
    """The broken pod lies on the floor right under the pad."""
    p = PADS[place - 1]
    return (p - 11, PAD_TOP + 10, 23, FLOOR_Y - PAD_TOP - 10)


# Section number -> (component name, picture file or None, box).
def image_sections():
    s = []

    def add(name, filename, box):
        s.append((name, filename, box))

    add("im_background", "background.png", (0, 0, GAME_WIDTH, GAME_HEIGHT))
    add("im_background_screen_top", "screen_top.png", GLASS)
    for button, box in (("game_a", (277, 304, 40, 22)), ("game_b", (336, 304, 40, 22)),
                        ("time", (395, 304, 40, 22))):
        add(f"btn_{button}_down", f"btn_{button}_down.png", box)
        add(f"btn_{button}_top", f"btn_{button}_top.png", box)
    add("btn_set_top", "btn_set_top.png", (226, 302, 26, 26))
    for button, box in (("left", (44, 219, 43, 41)), ("right", (473, 219, 42, 41))):
        add(f"btn_{button}_down", f"btn_{button}_down.png", box)
        add(f"btn_{button}_top", f"btn_{button}_top.png", box)
    add("im_panel_game_a", "panel_game_a.png", label_box("im_panel_game_a"))
    add("im_panel_game_b", "panel_game_b.png", label_box("im_panel_game_b"))
    for i, box in enumerate(MISS_MARK_BOXES, start=1):
        add(f"im_panel_miss_{i:02d}", f"panel_miss_{i:02d}.png", box)
    for i, box in enumerate(DIGIT_POSITION_BOXES, start=1):
        add(f"im_panel_digit_pos_{i}", None, box)
    add("im_panel_time_colon", "panel_colon.png", COLON_BOX)
    add("im_panel_time_am", "panel_am.png", label_box("im_panel_time_am"))
    add("im_panel_time_pm", "panel_pm.png", label_box("im_panel_time_pm"))
    add("im_panel_time_1", "panel_time_1.png", label_box("im_panel_time_1"))
    add("im_panel_time_2", "panel_time_2.png", label_box("im_panel_time_2"))
    add("im_panel_bell", "panel_bell.png", BELL_BOX)
    add("im_panel_alarm", "panel_alarm.png", label_box("im_panel_alarm"))
    add("im_panel_chrono", "panel_chrono.png", label_box("im_panel_chrono"))
    add("im_panel_date", "panel_date.png", label_box("im_panel_date"))
    for d in range(10):
        add(f"im_panel_number_{d}", f"digit_{d}.png", (16 * d, 304, DIGIT_W, DIGIT_H))
    for i, box in enumerate(ITEM_BOXES):
        add(f"im_item_{i:02d}", f"item_{i:02d}.png", box)
    add("im_item_left_0", "item_left_0.png", (146, 153, 38, 73))
    add("im_item_left_1", "item_left_1.png", (146, 149, 33, 6))
    add("im_item_left_2", "item_left_2.png", (140, 135, 12, 20))
    add("im_item_right_1a", "item_right_1a.png", (381, 150, 22, 62))
    add("im_item_right_1b", "item_right_1b.png", (374, 210, 36, 15))
    add("im_item_right_2", "item_right_2.png", (400, 179, 13, 12))
    add("im_item_right_3", "item_right_3.png", (400, 183, 13, 12))
    add("im_item_right_4", "item_right_4.png", (382, 141, 18, 11))
    add("im_item_right_5", "item_right_5.png", (388, 134, 12, 18))
    add("im_item_right_6", "item_right_6.png", (392, 135, 13, 17))
    for place in (1, 2, 3):
        add(f"im_hero_{place}", f"hero_{place}.png", hero_box(place))
    for place in (1, 2, 3):
        add(f"im_miss_{place}", f"miss_{place}.png", miss_box(place))
    assert len(s) == 92
    return s
