"""The liquid-crystal segments, drawn in game-area coordinates: each function gives the dark
shapes of one segment and the see-through details cut out of them.

The game: pods shot from the pod engine at the right fly in three hops across the screen.
Zemblor bounces each one on his springy pad at the bottom of every hop, and the pods drop
into the bin at the left."""

import math

from layout import (ARM_PIVOT, BELL_BOX, BIN_MOUTH_Y, BOTTOM_CELLS, COLON_BOX,
                    DIGIT_POSITION_BOXES, ENGINE_X, FLOOR_Y, LABELS, LAUNCH, MISS_MARK_BOXES,
                    PAD_TOP, PADS, pod_pose)
from svgkit import (FONT_7, circle, curve, dot_runs, ellipse, line, n, path, pixel_text,
                    polygon, rect)

# ---------------------------------------------------------------- digits

THICK = 3.0     # stroke of a digit segment; whole pixels keep its long edges crisp
JOINT = 0.7     # the clear gap where two segments meet


def _digit_segments(box):
    """The seven segments a..g of a digit position: upright bars with mitred ends, on whole
    pixels (the digit is 13 x 27 inside its box)."""
    x0, y0, _, _ = box
    half = THICK / 2
    left, right = x0 + 1 + half, x0 + 14 - half          # centre lines of the upright bars
    top, mid, bottom = y0 + 1 + half, y0 + 14.5, y0 + 28 - half

    def hseg(cy, xa, xb):
        xa, xb = xa + JOINT, xb - JOINT
        return [(xa, cy), (xa + half, cy - half), (xb - half, cy - half), (xb, cy),
                (xb - half, cy + half), (xa + half, cy + half)]

    def vseg(cx, ya, yb):
        ya, yb = ya + JOINT, yb - JOINT
        return [(cx, ya), (cx + half, ya + half), (cx + half, yb - half), (cx, yb),
                (cx - half, yb - half), (cx - half, ya + half)]

    return {
        "a": hseg(top, left, right),
        "b": vseg(right, top, mid),
        "c": vseg(right, mid, bottom),
        "d": hseg(bottom, left, right),
        "e": vseg(left, mid, bottom),
        "f": vseg(left, top, mid),
        "g": hseg(mid, left, right),
    }


DIGIT_SEGMENTS = ["abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg",
                  "abcdfg"]


def digit(box, d):
    segs = _digit_segments(box)
    return "".join(polygon(segs[s]) for s in DIGIT_SEGMENTS[d]), ""


def colon():
    x, y, w, _ = COLON_BOX
    cx = x + w / 2
    return rect(cx - 1.5, y + 1, 3, 3) + rect(cx - 1.5, y + 13, 3, 3), ""


# ---------------------------------------------------------------- labels


def label(name):
    s, x, y = LABELS[name]
    return pixel_text(s, x, y, FONT_7), ""


# A bell in dots, like the labels beside it; the clear dot is its shine.
BELL = [
    ".....#.....",
    "....###....",
    "...#####...",
    "..#######..",
    "..#######..",
    "..#######..",
    ".#########.",
    "###########",
    ".....#.....",
    "....###....",
]


def bell():
    x, y, w, h = BELL_BOX
    bx = x + (w - len(BELL[0])) // 2
    by = y + (h - len(BELL)) // 2
    return path("".join(dot_runs(BELL, bx, by))), rect(bx + 3, by + 3, 1, 3)


# ---------------------------------------------------------------- pods


def pod_shape(cx, cy, rx, ry, angle, band):
    """A pod: an oval seed case with a see-through seam across it (flying) or along it
    (squashed flat on the pad)."""
    dark = ellipse(cx, cy, rx, ry, angle)
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)      # along the pod
    vx, vy = -uy, ux                       # across it
    if band:
        off = band * rx * 0.3
        bx, by = cx + ux * off, cy + uy * off
        half = ry * 1.2
        clear = line([(bx - vx * half, by - vy * half), (bx + vx * half, by + vy * half)], 0.9)
    else:
        clear = line([(cx - ux * rx * 0.5, cy), (cx + ux * rx * 0.5, cy)], 0.8)
    return dark, clear


def item(i):
    cx, cy, rx, ry, angle = pod_pose(i)
    if i in BOTTOM_CELLS:
        return pod_shape(cx, cy, rx, ry, 0, 0)
    # The seam sits towards the pod's back, the same way along the whole route.
    return pod_shape(cx, cy, rx, ry, angle, 1)


def miss_mark(i):
    x, y, w, h = MISS_MARK_BOXES[i]
    cx, cy = x + w / 2, y + h / 2
    ry = h / 2 - 0.9
    rx = w / 2 - 1.4
    dark = ellipse(cx, cy, rx, ry)
    crack = line([(cx - rx - 1, cy - 0.2), (cx - 1.2, cy + 1.2), (cx + 1, cy - 1),
                  (cx + rx + 1, cy + 0.4)], 0.85)
    return dark, crack


# ---------------------------------------------------------------- Zemblor


def _pad(cx):
    """The springy pad Zemblor holds up: a bar with a see-through spring line in it."""
    dark = rect(cx - 9, PAD_TOP, 18, 3, 1.5)
    clear = line([(cx - 6.5, PAD_TOP + 1.5), (cx + 6.5, PAD_TOP + 1.5)], 0.7)
    return dark, clear


def hero(place):
    """Zemblor stands left of his pad, facing the pods that come from the right, and holds
    the pad out at head height. The same figure at each place, so the three line up."""
    p = PADS[place - 1]
    t = PAD_TOP
    hx = p - 22                 # his middle
    dark, clear = _pad(p)
    # Head with a tuft that springs back.
    dark += circle(hx, t + 4.5, 5)
    dark += curve(f"M{n(hx - 1)},{n(t)} Q{n(hx - 3)},{n(t - 6)} {n(hx - 6.5)},{n(t - 7)}", 1.4)
    dark += circle(hx - 6.8, t - 7.2, 1.5)
    clear += circle(hx + 1.2, t + 3.4, 1.05) + circle(hx + 3.6, t + 3.4, 1.05)
    clear += curve(f"M{n(hx + 0.6)},{n(t + 6.4)} Q{n(hx + 2.4)},{n(t + 7.6)} "
                   f"{n(hx + 4.1)},{n(t + 6.2)}", 0.8)
    # Body with a belt.
    dark += ellipse(hx, t + 16, 6.2, 5.4)
    clear += line([(hx - 4.6, t + 17), (hx + 4.6, t + 17)], 0.8) + circle(hx, t + 17, 1)
    # Arms up and forward to the pad's near half: the far one straight, the near one bent.
    dark += line([(hx + 3, t + 11.5), (p - 8, t + 2.8)], 2.1)
    dark += line([(hx + 5, t + 15.5), (p - 12, t + 13), (p - 3, t + 3)], 2.1)
    # Legs apart, feet flat on the floor.
    dark += line([(hx - 2.5, t + 20.5), (hx - 5, t + 31.2)], 2.8)
    dark += line([(hx + 2.5, t + 20.5), (hx + 5, t + 31.2)], 2.8)
    foot = FLOOR_Y - 1.6
    dark += ellipse(hx - 6.8, foot, 3, 1.5) + ellipse(hx + 6.8, foot, 3, 1.5)
    return dark, clear


def _shell(cx, bottom, w, flip):
    """Half a broken pod case, lying open side up, with a jagged edge."""
    top = bottom - 4
    hw = w / 2
    zig = []
    steps = 4
    for k in range(steps + 1):
        zx = cx - hw + k * w / steps
        zy = top - (1.3 if (k + flip) % 2 else 0)
        zig.append((zx, zy))
    d = "M" + " L".join(f"{n(x)},{n(y)}" for x, y in zig)
    d += f" A{n(hw)},{n(bottom - top)} 0 0 1 {n(cx - hw)},{n(top)} Z"
    return path(d)


def miss(place):
    """A pod broken on the floor right under the pad, with a burst of lines over it."""
    cx = PADS[place - 1] + 0.5
    ground = FLOOR_Y - 0.5
    dark = _shell(cx - 5, ground, 8, 0) + _shell(cx + 5, ground, 8, 1)
    dark += circle(cx, ground - 1.2, 1.2)
    b = ground - 12
    for (x0, y0), (x1, y1) in (((0, -8.5), (0, -4)), ((-7, -6), (-3.8, -2.8)),
                               ((7, -6), (3.8, -2.8)), ((-9.5, 1.5), (-5.5, 1.5)),
                               ((9.5, 1.5), (5.5, 1.5))):
        dark += line([(cx + x0, b + y0), (cx + x1, b + y1)], 1.5)
    return dark, ""


# ---------------------------------------------------------------- the pod engine (right)

TOWER_TOP = ARM_PIVOT[1] + 3


def engine_tower():
    """The tower under the throwing arm, with a porthole and vents."""
    x = ENGINE_X
    top = TOWER_TOP
    bottom = FLOOR_Y - 14
    dark = polygon([(x - 10, top), (x + 10, top), (x + 10, top + 4), (x + 8, top + 7),
                    (x + 8, bottom), (x - 8, bottom), (x - 8, top + 7), (x - 10, top + 4)])
    clear = line([(x - 7.5, top + 2.2), (x + 7.5, top + 2.2)], 0.8)
    clear += circle(x, top + 20, 3.6, fill="none", stroke_width="1.1")
    for k in range(3):
        clear += line([(x - 4.5, bottom - 15 + k * 4), (x + 4.5, bottom - 15 + k * 4)], 0.9)
    return dark, clear


def engine_base():
    """The cart the tower stands on."""
    x = ENGINE_X
    top = FLOOR_Y - 14
    dark = rect(x - 17, top, 34, 7.5, 2)
    dark += circle(x - 10, FLOOR_Y - 4, 3.8) + circle(x + 10, FLOOR_Y - 4, 3.8)
    clear = line([(x - 14, top + 2.4), (x + 14, top + 2.4)], 0.8)
    clear += line([(x - 14, top + 5), (x + 14, top + 5)], 0.8)
    clear += circle(x - 10, FLOOR_Y - 4, 1.2) + circle(x + 10, FLOOR_Y - 4, 1.2)
    return dark, clear


CRANK_HUB = (ENGINE_X + 12, TOWER_TOP + 36)


def engine_crank(side):
    """The crank on the tower's side: its handle up (one turn) or down (the next)."""
    hx, hy = CRANK_HUB
    a = math.radians(-40 if side == "left" else 40)
    tip = (hx + 8 * math.cos(a), hy + 8 * math.sin(a))
    dark = circle(hx, hy, 3) + line([(hx, hy), tip], 2) + circle(tip[0], tip[1], 1.9)
    return dark, circle(hx, hy, 1)


ARM_LENGTH = 11


def _arm(angle):
    """The throwing arm from its pivot at `angle` degrees, with a knob at its end."""
    px, py = ARM_PIVOT
    a = math.radians(angle)
    tx, ty = px + math.cos(a) * ARM_LENGTH, py + math.sin(a) * ARM_LENGTH
    dark = line([(px, py), (tx, ty)], 2.3) + circle(px, py, 2.4) + circle(tx, ty, 2.3)
    return dark, circle(px, py, 0.8)


def _launch_angle():
    lx, ly = LAUNCH
    px, py = ARM_PIVOT
    return math.degrees(math.atan2(ly - py, lx - px))


def engine_arm(which):
    # 6 holds the pod in cell 0; 5 is half way; 4 has thrown it and points back the other way.
    if which == 6:
        return _arm(_launch_angle())
    if which == 5:
        return _arm(-112)
    return _arm(-162)


# ---------------------------------------------------------------- the bin (left)

BIN_L, BIN_R = 148, 182      # the mouth's ends


def bin_body():
    """The bin on its post, with slats."""
    top = BIN_MOUTH_Y
    bottom = top + 21
    dark = polygon([(BIN_L + 1, top + 3.5), (BIN_R - 1, top + 3.5), (BIN_R - 4, bottom),
                    (BIN_L + 4, bottom)])
    dark += rect(BIN_L - 1, top, BIN_R - BIN_L + 2, 3.5, 1.2)
    # The post down to the floor and its foot.
    dark += rect(BIN_L + 12.5, bottom - 0.5, 4, FLOOR_Y - bottom - 2.5)
    dark += rect(BIN_L + 6.5, FLOOR_Y - 3.5, 16, 3.5, 1.2)
    midx = (BIN_L + BIN_R) / 2
    clear = "".join(line([(midx + dx, top + 6.5), (midx + dx * 0.8, bottom - 3)], 0.9)
                    for dx in (-10.5, -3.5, 3.5, 10.5))
    clear += line([(BIN_L + 0.5, top + 1.7), (BIN_R - 0.5, top + 1.7)], 0.7)
    return dark, clear


def bin_lid(open_):
    """The lid over the mouth: shut, or swung up on its hinge at the left when a pod goes in."""
    hinge = (BIN_L + 1, BIN_MOUTH_Y - 2.2)
    if open_:
        dark = line([hinge, (hinge[0] - 6, hinge[1] - 14)], 2.6) + circle(hinge[0], hinge[1], 1.6)
    else:
        dark = line([hinge, (BIN_R - 6, hinge[1])], 2.6) + circle(hinge[0], hinge[1], 1.6)
    return dark, ""


# ---------------------------------------------------------------- catalogue


def segment_shapes():
    """Component name -> (dark, clear) for every picture segment on the LCD."""
    shapes = {name: label(name) for name in LABELS}
    shapes.update({
        "im_panel_bell": bell(), "im_panel_time_colon": colon(),
        "im_item_left_0": bin_body(), "im_item_left_1": bin_lid(False),
        "im_item_left_2": bin_lid(True),
        "im_item_right_1a": engine_tower(), "im_item_right_1b": engine_base(),
        "im_item_right_2": engine_crank("left"), "im_item_right_3": engine_crank("right"),
        "im_item_right_4": engine_arm(4), "im_item_right_5": engine_arm(5),
        "im_item_right_6": engine_arm(6),
    })
    for i in range(10):
        shapes[f"im_panel_miss_{i + 1:02d}"] = miss_mark(i)
    for i in range(28):
        shapes[f"im_item_{i:02d}"] = item(i)
    for p in (1, 2, 3):
        shapes[f"im_hero_{p}"] = hero(p)
        shapes[f"im_miss_{p}"] = miss(p)
    return shapes


def ghost_digits():
    """All segments of the four digit positions, for the faint print of unlit segments."""
    return "".join(digit(b, 8)[0] for b in DIGIT_POSITION_BOXES)
