"""The liquid-crystal segments, drawn in game-area coordinates: each function gives the dark
shapes of one segment and the see-through details cut out of them.

The game: pods shot from the pod engine at the right fly in three hops across the screen.
Zemblor bounces each one on his springy pad at the bottom of every hop, and the pods drop
into the bin at the left."""

import math

from layout import DIGIT_POSITION_BOXES, ITEM_BOXES, MISS_MARK_BOXES
from svgkit import (FONT_5, FONT_7, circle, curve, ellipse, line, n, path, pixel_text,
                    pixel_text_width, polygon, rect)

# ---------------------------------------------------------------- digits

SLANT = math.tan(math.radians(5))


def _digit_segments(box):
    """The seven segments a..g of a digit position as polygons, slanted like LCD numerals."""
    x0, y0, _, _ = box
    left, right = 3.2, 11.8
    top, mid, bottom = 2.0, 13.5, 25.0
    h = 1.45
    gap = 0.75

    def skew(px, py):
        return (x0 + px - (py - 13.5) * SLANT, y0 + py)

    def hseg(cy, xa, xb):
        return [skew(*p) for p in ((xa, cy), (xa + h, cy - h), (xb - h, cy - h), (xb, cy),
                                   (xb - h, cy + h), (xa + h, cy + h))]

    def vseg(cx, ya, yb):
        return [skew(*p) for p in ((cx, ya), (cx + h, ya + h), (cx + h, yb - h), (cx, yb),
                                   (cx - h, yb - h), (cx - h, ya + h))]

    xa, xb = left + gap, right - gap
    return {
        "a": hseg(top, xa, xb),
        "b": vseg(right, top + gap, mid - gap),
        "c": vseg(right, mid + gap, bottom - gap),
        "d": hseg(bottom, xa, xb),
        "e": vseg(left, mid + gap, bottom - gap),
        "f": vseg(left, top + gap, mid - gap),
        "g": hseg(mid, xa, xb),
    }


DIGIT_SEGMENTS = ["abcdef", "bc", "abdeg", "abcdg", "bcfg", "acdfg", "acdefg", "abc", "abcdefg",
                  "abcdfg"]


def digit(box, d):
    segs = _digit_segments(box)
    return "".join(polygon(segs[s]) for s in DIGIT_SEGMENTS[d]), ""


def colon():
    return rect(284, 71.5, 3, 3, 0.6) + rect(284, 78.5, 3, 3, 0.6), ""


# ---------------------------------------------------------------- labels


def _label(box, s, font, dy=0):
    x, y, w, h = box
    tw = pixel_text_width(s, font)
    th = len(next(iter(font.values())))
    return pixel_text(s, x + (w - tw) // 2, y + (h - th) // 2 + dy, font), ""


def label_game_a():
    return _label((155, 63, 27, 12), "GAME A", FONT_7)


def label_game_b():
    return _label((155, 79, 27, 11), "GAME B", FONT_7)


def label_time_1():
    return _label((224, 63, 23, 11), "TIME 1", FONT_7)


def label_time_2():
    return _label((201, 63, 24, 11), "TIME 2", FONT_7)


def label_am():
    return _label((317, 63, 13, 11), "AM", FONT_7)


def label_pm():
    return _label((317, 78, 13, 12), "PM", FONT_7)


def label_date():
    return _label((233, 79, 18, 11), "DATE", FONT_7)


def label_alarm():
    return _label((201, 79, 18, 11), "ALARM", FONT_5)


def label_chrono():
    top = pixel_text("CHR", 220, 79, FONT_5)
    bottom = pixel_text("ONO", 220, 85, FONT_5)
    return top + bottom, ""


def bell():
    dark = (circle(191, 67.2, 1.4) +
            path("M185.6,79.6 C185.6,73.4 186.8,69.2 191,69.2 C195.2,69.2 196.4,73.4 196.4,79.6 "
                 "L198.4,81.6 L183.6,81.6 Z") +
            circle(191, 83.4, 1.7) +
            curve("M184.3,69.6 Q182.7,72.6 184.3,75.6", 1.1) +
            curve("M197.7,69.6 Q199.3,72.6 197.7,75.6", 1.1))
    clear = curve("M188.4,72.5 Q188.9,70.9 190.2,70.6", 0.9)
    return dark, clear


# ---------------------------------------------------------------- pods


def pod_shape(cx, cy, rx, ry, angle, band):
    """A pod: an oval seed case with a see-through seam across it (flying) or along it
    (squashed flat on the pad)."""
    dark = ellipse(cx, cy, rx, ry, angle)
    clear = ""
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)      # along the pod
    vx, vy = -uy, ux                       # across it
    if band:
        off = band * rx * 0.38
        bx, by = cx + ux * off, cy + uy * off
        half = ry * 1.2
        clear += line([(bx - vx * half, by - vy * half), (bx + vx * half, by + vy * half)], 0.9)
    else:
        clear += line([(cx - ux * rx * 0.45, cy + ry * 0.05), (cx + ux * rx * 0.45, cy + ry * 0.05)], 0.8)
    return dark, clear


def _fit_ellipse(w, h, angle, ratio):
    a = math.radians(angle)
    c, s = abs(math.cos(a)), abs(math.sin(a))
    # Half extents of an ellipse with rx = k, ry = ratio * k rotated by angle.
    hw = math.sqrt(c * c + (ratio * s) ** 2)
    hh = math.sqrt(s * s + (ratio * c) ** 2)
    k = min((w / 2 - 0.6) / hw, (h / 2 - 0.6) / hh)
    return k, ratio * k


def _centre(box):
    x, y, w, h = box
    return x + w / 2, y + h / 2


STRETCHES = [range(0, 8), range(8, 17), range(17, 24), range(24, 28)]
BOTTOM_CELLS = {7, 16, 23}


def item(i):
    box = ITEM_BOXES[i]
    x, y, w, h = box
    cx, cy = _centre(box)
    if i in BOTTOM_CELLS:
        # Squashed flat on the pad at the bottom of a hop.
        rx, ry = w / 2 - 0.6, h / 2 - 0.7
        return pod_shape(cx, cy + 0.2, rx, ry, 0, 0)
    stretch = next(s for s in STRETCHES if i in s)
    prev_c = _centre(ITEM_BOXES[i - 1]) if i - 1 in stretch else None
    next_c = _centre(ITEM_BOXES[i + 1]) if i + 1 in stretch else None
    a0 = prev_c or (cx, cy)
    a1 = next_c or (cx, cy)
    tangent = math.degrees(math.atan2(a1[1] - a0[1], a1[0] - a0[0]))
    base = 0 if w >= h else 90
    diff = (tangent - base + 90) % 180 - 90
    tilt = max(-18, min(18, diff))
    angle = base + tilt
    rx, ry = _fit_ellipse(w, h, angle, 0.72)
    band = 1 if i % 2 == 0 else -1
    return pod_shape(cx, cy, rx, ry, angle, band)


def miss_mark(i):
    x, y, w, h = MISS_MARK_BOXES[i]
    cx, cy = x + w / 2, y + h / 2
    ry = h / 2 - 1.2
    rx = ry * 0.8
    dark = ellipse(cx, cy, rx, ry)
    crack = line([(cx - rx - 1, cy - 1.2), (cx - 1.8, cy + 1.4), (cx + 0.2, cy - 1.6),
                  (cx + 2.2, cy + 1.2), (cx + rx + 1, cy - 1.0)], 1.3)
    return dark, crack


# ---------------------------------------------------------------- Zemblor

GROUND = 222


def _pad(cx, top):
    """The springy pad Zemblor holds up: a bar with coils under it."""
    dark = rect(cx - 9, top, 18, 3, 1.5)
    clear = line([(cx - 6.5, top + 1.5), (cx + 6.5, top + 1.5)], 0.7)
    return dark, clear


def _head(cx, cy, facing, tuft_to):
    dark = circle(cx, cy, 6)
    tx, ty = tuft_to
    dark += curve(f"M{n(cx)},{n(cy - 5.5)} Q{n((cx + tx) / 2 - facing)},{n(ty)} {n(tx)},{n(ty)}", 1.5)
    dark += circle(tx, ty, 1.5)
    ex = cx + facing * 2.2
    clear = circle(ex - facing * 1.6, cy - 0.8, 1.25) + circle(ex + facing * 1.9, cy - 0.8, 1.25)
    clear += curve(f"M{n(ex - facing * 1.6)},{n(cy + 2.6)} Q{n(ex)},{n(cy + 3.8)} "
                   f"{n(ex + facing * 1.8)},{n(cy + 2.4)}", 0.8)
    return dark, clear


def _body(cx, cy, rx, ry, angle=0):
    dark = ellipse(cx, cy, rx, ry, angle)
    clear = line([(cx - rx + 1.5, cy + 1.2), (cx + rx - 1.5, cy + 1.2)], 0.8)
    clear += circle(cx, cy + 1.2, 1.1)
    return dark, clear


def hero(position):
    parts = []
    if position == 3:
        parts.append(_pad(316.5, 187.5))
        parts.append(_head(341, 196, -1, (346, 185.5)))
        parts.append(_body(343, 208.5, 8, 6.5))
        limbs = (line([(336.5, 204.5), (329, 198.5), (325, 191)], 2.6) +
                 line([(339, 206.5), (330, 203), (319, 191)], 2.6) +
                 line([(339.5, 213.5), (337.5, 220.5)], 3) +
                 line([(346.5, 213.5), (349, 220.5)], 3) +
                 ellipse(335.5, 221, 3, 1.6) + ellipse(351, 221, 3, 1.6))
        parts.append((limbs, ""))
    elif position == 2:
        parts.append(_pad(273, 187.5))
        parts.append(_head(276, 199.5, -1, (283, 194)))
        parts.append(_body(276, 211, 7.5, 6.2))
        limbs = (line([(270.5, 208.5), (266.5, 201), (267, 191)], 2.6) +
                 line([(281.5, 208.5), (285.5, 202), (280, 191)], 2.6) +
                 line([(272.5, 215.5), (271, 220.5)], 3) +
                 line([(279.5, 215.5), (281.5, 220.5)], 3) +
                 ellipse(269.5, 221, 3, 1.6) + ellipse(283, 221, 3, 1.6))
        parts.append((limbs, ""))
    else:
        parts.append(_pad(227, 187.5))
        parts.append(_head(210, 185, 1, (204.5, 175.5)))
        parts.append(_body(205, 198.5, 7.5, 5.8, -15))
        limbs = (line([(211, 194.5), (216, 192), (221, 191)], 2.6) +
                 line([(209.5, 197.5), (218, 196), (230, 191)], 2.6) +
                 line([(200, 202.5), (195, 208.5), (188, 210)], 3) +
                 line([(209, 203.5), (214, 209.5), (218, 210)], 3))
        parts.append((limbs, ""))
    return "".join(p[0] for p in parts), "".join(p[1] for p in parts)


def _shell(cx, bottom, w, flip):
    """Half a broken pod case, lying open side up, with a jagged edge."""
    top = bottom - 4.2
    hw = w / 2
    zig = []
    steps = 5
    for k in range(steps + 1):
        zx = cx - hw + k * w / steps
        zy = top - (1.4 if (k + flip) % 2 else 0)
        zig.append((zx, zy))
    d = "M" + " L".join(f"{n(x)},{n(y)}" for x, y in zig)
    d += f" A{n(hw)},{n(bottom - top)} 0 0 1 {n(cx - hw)},{n(top)} Z"
    return path(d)


def miss(lane):
    cx, ground = {1: (230.5, 220.5), 2: (256.5, 221.5), 3: (317.5, 221.5)}[lane]
    dark = _shell(cx - 5.5, ground, 9, 0) + _shell(cx + 5.5, ground - 0.3, 8, 1)
    dark += circle(cx, ground - 1, 1.3) + circle(cx - 10, ground - 0.8, 0.9) + circle(cx + 10.2, ground - 1.2, 0.9)
    burst_y = ground - 13
    dark += line([(cx, burst_y - 9), (cx, burst_y - 4)], 1.6)
    dark += line([(cx - 7.5, burst_y - 6), (cx - 4, burst_y - 2.5)], 1.6)
    dark += line([(cx + 7.5, burst_y - 6), (cx + 4, burst_y - 2.5)], 1.6)
    dark += line([(cx - 9, burst_y + 2), (cx - 5.5, burst_y + 2)], 1.6)
    dark += line([(cx + 9, burst_y + 2), (cx + 5.5, burst_y + 2)], 1.6)
    return dark, ""


# ---------------------------------------------------------------- the pod engine (right)


def engine_tower():
    dark = polygon([(341, 127), (364, 127), (364, 131), (360.5, 138), (360.5, 174.5), (344.5, 174.5),
                    (344.5, 138), (341, 131)])
    dark += rect(342.5, 170.5, 20, 4, 1)
    # A porthole: a see-through ring around a dark pane, and two seams.
    clear = circle(352.5, 151, 3.4, fill="none", stroke_width="1.1")
    clear += line([(345.5, 132.5), (359.5, 132.5)], 0.8)
    clear += line([(347, 162), (358, 162)], 0.8) + line([(347, 166), (358, 166)], 0.8)
    return dark, clear


def engine_base():
    dark = rect(366.5, 165, 25.5, 12, 2.5) + circle(372.5, 180.5, 4.3) + circle(386, 180.5, 4.3)
    dark += rect(364, 168, 4, 5, 1)
    clear = circle(372.5, 180.5, 1.4) + circle(386, 180.5, 1.4)
    clear += line([(370, 169.5), (388.5, 169.5)], 0.8)
    clear += line([(370, 172.5), (388.5, 172.5)], 0.8)
    return dark, clear


def engine_crank(side):
    hub = circle(380, 159.5, 2.6)
    if side == "left":
        dark = hub + line([(380, 159.5), (373.5, 150.5)], 2.2) + circle(373, 149.5, 2.2)
    else:
        dark = hub + line([(380, 159.5), (387, 150.5)], 2.2) + circle(387.5, 149.5, 2.2)
    return dark, circle(380, 159.5, 0.9)


PIVOT = (368.5, 137.5)


def _arm(tip, cup_angle):
    px, py = PIVOT
    tx, ty = tip
    dark = line([(px, py), (tx, ty)], 2.4) + circle(px, py, 2.3)
    a = math.radians(cup_angle)
    ux, uy = math.cos(a), math.sin(a)
    vx, vy = -uy, ux
    # A little cup at the arm's end, open away from the pivot's side.
    c0 = (tx - vx * 3.3, ty - vy * 3.3)
    c1 = (tx + vx * 3.3, ty + vy * 3.3)
    dark += path(f"M{n(c0[0])},{n(c0[1])} A3.3,3.3 0 0 0 {n(c1[0])},{n(c1[1])} Z")
    return dark, circle(px, py, 0.8)


def engine_arm(which):
    if which == 4:
        return _arm((363.5, 117.5), -8)
    if which == 5:
        return _arm((384.5, 137), 0)
    return _arm((381.5, 129), -35)


# ---------------------------------------------------------------- the bin (left)


def bin_body():
    dark = polygon([(170, 150.5), (206, 150.5), (202.5, 167.5), (173.5, 167.5)])
    dark += rect(168, 147.5, 39, 3.5, 1.2)
    dark += rect(163.5, 119, 3.5, 49, 1.2)
    dark += polygon([(167, 119.5), (178.5, 123.5), (167, 127.5)])
    dark += rect(161.5 + 0.5, 165.5, 8, 3, 1)
    clear = "".join(line([(x, 153.5), (x - 0.2 * (x - 188), 165)], 0.9) for x in (178, 184, 190, 196))
    clear += line([(171.5, 149.2), (204.5, 149.2)], 0.7)
    return dark, clear


def bin_lid(open_):
    if open_:
        dark = line([(181.5, 139.5), (188, 131)], 2.6) + circle(181.5, 139.5, 1.3)
    else:
        dark = rect(180.5, 143.2, 12, 2.6, 1.2)
    return dark, ""


# ---------------------------------------------------------------- catalogue


def segment_shapes():
    """Component name -> (dark, clear) for every picture segment on the LCD."""
    shapes = {
        "im_panel_game_a": label_game_a(), "im_panel_game_b": label_game_b(),
        "im_panel_time_1": label_time_1(), "im_panel_time_2": label_time_2(),
        "im_panel_time_am": label_am(), "im_panel_time_pm": label_pm(),
        "im_panel_bell": bell(), "im_panel_alarm": label_alarm(),
        "im_panel_chrono": label_chrono(), "im_panel_date": label_date(),
        "im_panel_time_colon": colon(),
        "im_item_left_0": bin_body(), "im_item_left_1": bin_lid(False),
        "im_item_left_2": bin_lid(True),
        "im_item_right_1a": engine_tower(), "im_item_right_1b": engine_base(),
        "im_item_right_2": engine_crank("left"), "im_item_right_3": engine_crank("right"),
        "im_item_right_4": engine_arm(4), "im_item_right_5": engine_arm(5),
        "im_item_right_6": engine_arm(6),
    }
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
