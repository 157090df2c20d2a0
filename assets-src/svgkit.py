"""Small helpers for writing SVG by hand: numbers, shapes, pixel text and masked groups."""

import itertools

_ids = itertools.count(1)


def new_id(prefix):
    return f"{prefix}{next(_ids)}"


def n(v):
    """A number as short, stable text."""
    v = round(float(v), 3)
    if v == int(v):
        return str(int(v))
    return f"{v:.3f}".rstrip("0")


def pts(points):
    return " ".join(f"{n(x)},{n(y)}" for x, y in points)


def polygon(points, **attrs):
    return f'<polygon points="{pts(points)}"{attr_text(attrs)}/>'


def path(d, **attrs):
    return f'<path d="{d}"{attr_text(attrs)}/>'


def circle(cx, cy, r, **attrs):
    return f'<circle cx="{n(cx)}" cy="{n(cy)}" r="{n(r)}"{attr_text(attrs)}/>'


def ellipse(cx, cy, rx, ry, angle=0, **attrs):
    rot = f' transform="rotate({n(angle)} {n(cx)} {n(cy)})"' if angle else ""
    return f'<ellipse cx="{n(cx)}" cy="{n(cy)}" rx="{n(rx)}" ry="{n(ry)}"{rot}{attr_text(attrs)}/>'


def rect(x, y, w, h, rx=0, **attrs):
    r = f' rx="{n(rx)}"' if rx else ""
    return f'<rect x="{n(x)}" y="{n(y)}" width="{n(w)}" height="{n(h)}"{r}{attr_text(attrs)}/>'


def line(points, width, **attrs):
    """An open polyline stroked with round ends and joins."""
    d = "M" + " L".join(f"{n(x)},{n(y)}" for x, y in points)
    return curve(d, width, **attrs)


def curve(d, width, **attrs):
    # Without a stroke colour of its own the line takes its group's colour.
    return path(d, fill="none", **{
        "stroke-width": n(width), "stroke-linecap": "round", "stroke-linejoin": "round"}, **attrs)


def text(x, y, s, size, weight="bold", anchor="middle", family="DejaVu Sans", style="normal",
         **attrs):
    s = s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    return (f'<text x="{n(x)}" y="{n(y)}" font-family="{family}" font-size="{n(size)}" '
            f'font-weight="{weight}" font-style="{style}" text-anchor="{anchor}"'
            f'{attr_text(attrs)}>{s}</text>')


def attr_text(attrs):
    return "".join(f' {k.replace("_", "-")}="{v}"' for k, v in attrs.items())


def masked(dark, clear, fill, opacity=1.0, extent=(0, 0, 560, 372)):
    """Shapes in one colour with see-through details cut out of them (the `clear` shapes),
    as a real liquid-crystal segment has them. Returns (defs, body)."""
    group_attrs = f' fill="{fill}" stroke="{fill}" stroke-width="0"'
    op = f' opacity="{n(opacity)}"' if opacity != 1.0 else ""
    if not clear:
        return "", f"<g{group_attrs}{op}>{dark}</g>"
    mid = new_id("m")
    x, y, w, h = extent
    defs = (f'<mask id="{mid}" maskUnits="userSpaceOnUse" x="{n(x)}" y="{n(y)}" '
            f'width="{n(w)}" height="{n(h)}">'
            f'<rect x="{n(x)}" y="{n(y)}" width="{n(w)}" height="{n(h)}" fill="#fff"/>'
            f'<g fill="#000" stroke="#000">{clear}</g></mask>')
    return defs, f'<g mask="url(#{mid})"{op}><g{group_attrs}>{dark}</g></g>'


def document(width, height, body, defs="", viewbox=None):
    vb = viewbox or (0, 0, width, height)
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="{pts([vb[:2]]).replace(",", " ")} {n(vb[2])} {n(vb[3])}">\n'
            f"<defs>{defs}</defs>\n{body}\n</svg>\n")


# The pixel font of the LCD's printed labels: one dot per pixel, seven dots high, so it
# stays crisp at 100 %.
FONT_7 = {
    "A": [".##.", "#..#", "#..#", "####", "#..#", "#..#", "#..#"],
    "B": ["###.", "#..#", "#..#", "###.", "#..#", "#..#", "###."],
    "C": [".###", "#...", "#...", "#...", "#...", "#...", ".###"],
    "D": ["###.", "#..#", "#..#", "#..#", "#..#", "#..#", "###."],
    "E": ["####", "#...", "#...", "###.", "#...", "#...", "####"],
    "G": [".###", "#...", "#...", "#.##", "#..#", "#..#", ".###"],
    "H": ["#..#", "#..#", "#..#", "####", "#..#", "#..#", "#..#"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "L": ["#...", "#...", "#...", "#...", "#...", "#...", "####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#..#", "##.#", "##.#", "#.##", "#.##", "#..#", "#..#"],
    "O": [".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."],
    "P": ["###.", "#..#", "#..#", "###.", "#...", "#...", "#..."],
    "R": ["###.", "#..#", "#..#", "###.", "#.#.", "#..#", "#..#"],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "1": [".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"],
    "2": [".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"],
    " ": [".", ".", ".", ".", ".", ".", "."],
}


def pixel_text_width(s, font, gap=1):
    return sum(len(font[c][0]) for c in s) + gap * (len(s) - 1)


def dot_runs(rows, x, y):
    """Path pieces for a dot picture ("#" lit): one rectangle per run of lit dots in a row,
    (x, y) being the picture's top-left corner."""
    d = []
    for row, bits in enumerate(rows):
        col = 0
        while col < len(bits):
            if bits[col] == "#":
                start = col
                while col < len(bits) and bits[col] == "#":
                    col += 1
                d.append(f"M{x + start},{y + row}h{col - start}v1h{start - col}z")
            else:
                col += 1
    return d


def pixel_text(s, x, y, font, gap=1):
    """Rectangles, one per lit dot, merged into one path; (x, y) is the top-left corner."""
    d = []
    cx = x
    for c in s:
        glyph = font[c]
        d += dot_runs(glyph, cx, y)
        cx += len(glyph[0]) + gap
    return path("".join(d))
