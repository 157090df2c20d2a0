"""The manual: eight picture-book pages of 415 x 270."""

from device import device_picture
from layout import LCD, PANEL
from svgkit import document, n, rect, text

W, H = 415, 270
INK = "#1d2b30"
TEAL = "#1f5f6e"
PAPER = "#f5f2e7"


def _device(x, y, scale, lit=None, crop=None):
    """The device (or a crop of it, in game-area coordinates) placed at x, y."""
    defs, body = device_picture(lit)
    cx, cy, cw, ch = crop or (0, 0, 560, 372)
    return defs, (f'<svg x="{n(x)}" y="{n(y)}" width="{n(cw * scale)}" height="{n(ch * scale)}" '
                  f'viewBox="{n(cx)} {n(cy)} {n(cw)} {n(ch)}">{body}</svg>')


def _lines(x, y, lines, size=10, gap=13.5, weight="normal", fill=INK, anchor="start"):
    out = []
    for k, s in enumerate(lines):
        bold = s.startswith("*")
        out.append(text(x, y + k * gap, s.lstrip("*"), size, weight="bold" if bold else weight,
                        anchor=anchor, fill=fill))
    return "".join(out)


def _page(number, title, defs, body):
    frame = rect(0, 0, W, H, fill=PAPER)
    frame += rect(0, 0, W, 30, fill=TEAL)
    frame += rect(0, 30, W, 2, fill="#d9a94b")
    frame += text(24, 21, title, 14, anchor="start", fill="#ffffff")
    frame += text(W / 2, H - 8, f"{number} / 8", 9, weight="normal", fill="#6b7a7e")
    return document(W, H, frame + body, defs)


def _digits(value):
    """Digit segments for a four-character display text ('1200', ' 27')."""
    return [f"digit:{i}:{c}" for i, c in enumerate(value.rjust(4)) if c != " "]


def page1():
    d, dev = _device(53.5, 40, 0.55)
    body = dev + _lines(W / 2, 252, ["Turn the pages with the arrow buttons or the \u2190 \u2192 keys. "
                                     "Esc closes the book."], 9.5, anchor="middle")
    return _page(1, "Zemblor \u2014 the picture book", d, body)


def page2():
    d, dev = _device(12, 44, 0.42)
    body = dev + _lines(12, 222, ["At start every segment lights up: the screen's test",
                                  "picture. Press GAME A, GAME B or TIME for the clock."], 9.5)
    body += _lines(258, 56, ["*LEFT, RIGHT", "Zemblor takes one step.", "",
                             "*GAME A, GAME B", "Start a game from the watch.", "",
                             "*TIME", "Steps through the watch.", "",
                             "*The small round button", "is only for show."], 9.5, gap=12.5)
    return _page(2, "The device and its buttons", d, body)


def page3():
    panel = PANEL
    time_lit = ["im_panel_time_1", "im_panel_time_am", "im_panel_time_colon"] + _digits("1008")
    alarm_lit = ["im_panel_alarm", "im_panel_time_am", "im_panel_time_colon"] + _digits("1200")
    d1, p1 = _device(W / 2 - PANEL[2] * 0.65, 44, 1.3, time_lit, panel)
    d2, p2 = _device(W / 2 - PANEL[2] * 0.65, 140, 1.3, alarm_lit, panel)
    body = p1 + p2
    body += _lines(24, 106, ["*TIME 1: the time of day. TIME 2 shows the same clock.",
                             "Press TIME again and again for the five faces of the watch:"], 9.5)
    body += _lines(24, 200, ["*ALARM: 12:00 AM with a blinking colon.",
                             "*CHRONO: 00:00, standing still.", "*DATE: the month and the day.",
                             "After DATE, TIME brings the clock back."], 9.5, gap=12)
    return _page(3, "The watch", d1 + d2, body)


def page4():
    lit = (["im_panel_game_a", "im_item_03", "im_item_12", "im_item_21", "im_item_07", "im_hero_3",
            "im_item_left_0", "im_item_left_1", "im_item_right_1a", "im_item_right_1b",
            "im_item_right_3", "im_item_right_4"] + _digits("27"))
    d, dev = _device(8, 42, 0.83, lit, LCD)
    body = dev + _lines(252, 54, [
        "From the watch press GAME A",
        "or GAME B. The best score",
        "shows, and play begins.", "",
        "The engine at the right",
        "shoots pods. Each flies in",
        "three hops to the bin at",
        "the left. Stand where a pod",
        "lands and it bounces on.", "",
        "*GAME B is quicker and",
        "*keeps more pods in the air."], 9.5, gap=12.5)
    body += _lines(10, 232, ["Zemblor stands right, middle or left: under each hop's landing spot."],
                   9.5)
    return _page(4, "Game A and game B", d, body)


def page5():
    lit = (["im_panel_game_b", "im_panel_miss_01", "im_panel_miss_02", "im_panel_miss_03",
            "im_miss_2", "im_hero_3", "im_item_left_0", "im_item_left_2", "im_item_right_1a",
            "im_item_right_1b", "im_item_right_2", "im_item_right_5"] + _digits("142"))
    d, dev = _device(8, 42, 0.83, lit, LCD)
    body = dev + _lines(252, 54, [
        "*One point for each pod",
        "*that drops into the bin.", "",
        "Play speeds up at 40 and",
        "70 points and starts slow",
        "again at every 100.", "",
        "A pod that lands where",
        "Zemblor is not breaks:",
        "a miss mark lights up."], 9.5, gap=12.5)
    body += _lines(10, 232, ["Five misses end the game; a new best score is kept. The last picture",
                             "stays 30 seconds, then the clock returns (TIME: at once)."], 9.5)
    return _page(5, "Scoring and misses", d, body)


def _table(x, y, rows, col, size=10, gap=17):
    out = []
    for k, (a, b) in enumerate(rows):
        yy = y + k * gap
        if k % 2 == 0:
            out.append(rect(x - 6, yy - 12, 210, gap, 3, fill="#e6e1d0"))
        out.append(text(x, yy, a, size, anchor="start", fill=INK))
        out.append(text(x + col, yy, b, size, weight="normal", anchor="start", fill=INK))
    return "".join(out)


def page6():
    body = _lines(24, 54, ["Every button has a key. Clicking the buttons on the device",
                           "with the mouse works too. The keys at first:"], 10)
    body += _table(30, 102, [("GAME A", "1"), ("GAME B", "2"), ("TIME", "3"),
                             ("LEFT", "\u2190 left arrow"), ("RIGHT", "\u2192 right arrow")], 80)
    body += _lines(24, 202, ["*To change them: right-click the device, choose Key settings,",
                             "pick a key for each button from the list and confirm.",
                             "A held key acts once; the choice is kept for the next start."], 10)
    return _page(6, "The keys", "", body)


def page7():
    body = _lines(24, 52, ["Right-click anywhere on the device to open the menu:"], 10)
    rows = [("About...", "F1"), ("View 'Readme.txt'", "F2"), ("View 'Whatsnew.txt'", "F3"),
            ("View manual", "F4"), ("Edit configuration file", ""), ("Key settings", ""),
            ("Reset Hiscores", ""), ("Display in fullscreen mode", "F12"),
            ("Display splash screen at startup", ""), ("Exit", "Esc")]
    out = []
    for k, (a, b) in enumerate(rows):
        yy = 72 + k * 16
        if k % 2 == 0:
            out.append(rect(24, yy - 11.5, 300, 16, 3, fill="#e6e1d0"))
        out.append(text(32, yy, a, 9.5, weight="normal", anchor="start", fill=INK))
        out.append(text(316, yy, b, 9.5, anchor="end", fill=TEAL))
    body += "".join(out)
    body += _lines(336, 80, ["The keys", "work while", "the device's", "window is", "active, also",
                             "with its", "menu open."], 9, gap=12, fill="#4a5a5e")
    body += _lines(24, 248, ["Esc ends the program at once."], 9.5)
    return _page(7, "The menu", "", body)


def page8():
    d, dev = _device(232, 44, 0.30)
    body = dev + _lines(24, 54, [
        "*F12 switches between the two layouts.", "",
        "*Full screen: the device sits in the",
        "middle of the screen on a backdrop.",
        "The button at the top left opens",
        "the menu there.", "",
        "*Windowed: the window has the",
        "device's shape. Drag it with the",
        "mouse by the face.", "",
        "The choice is kept for the next start."], 9.5, gap=12.5)
    body += _lines(232, 178, ["*Your own look:", "Config.ini names every",
                              "picture and its place.", "Menu: Edit configuration",
                              "file."], 9.5, gap=12.5)
    return _page(8, "Full screen and windowed", d, body)


def pages(out):
    for k, page in enumerate((page1, page2, page3, page4, page5, page6, page7, page8), start=1):
        out.add("bmp", f"Graphics/Manual/{k}.bmp", W, H, page())
