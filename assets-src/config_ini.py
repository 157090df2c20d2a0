"""The text of Config.ini, written from the same layout the pictures are drawn from."""

from layout import GAME_HEIGHT, GAME_WIDTH, image_sections

HEADER = f"""\
; Zemblor - skin configuration
;
; This file tells the program how the device looks: which picture each part of the device
; shows and where it sits, how large the device is, what surrounds it in full-screen mode
; and which colour makes the windowed device see-through around its outline.
; The program only reads this file. Changes take effect the next time the skin is loaded:
; at start, and each time full-screen mode is switched (F12). The Manual section is read
; at start only.
;
; Syntax: [Section] lines open a section; Key=Value lines follow. Names ignore letter case.
; Lines starting with ';' are comments. Integers may be decimal or hexadecimal ($ or 0x).
; Colours are hexadecimal $00BBGGRR (blue, green, red). Folders are relative to the
; program's working folder. A Filename of nil (or none at all) keeps the part without a
; new picture. Pictures may be .bmp, .png (with alpha) or .jpg files.

[Common]
; Folder of the pictures named in the Image sections.
SkinDir=Graphics\\Skin\\
; Size of the device (the game area) in pixels; the windowed window has this size.
GameWidth={GAME_WIDTH}
GameHeight={GAME_HEIGHT}

[Fullscreen]
; Folder of the backdrop and the logo.
BackdropDir=Graphics\\Backdrops\\
; Picture behind the device; nil for none.
BackdropFile=backdrop.jpg
; 1: stretch the backdrop over the whole screen; 0: keep its size, centred.
BackdropStretch=0
; Colour of the screen wherever no picture covers it (matches the backdrop's edge).
BgColor=$00261c0c
; Position of the device's top-left corner on the screen, or Center.
GameOffsetX=Center
GameOffsetY=Center
; Logo in a corner of the screen; nil for none.
LogoFile=logo.png
; Corner of the logo: 0 top left, 1 top right, 2 bottom left, 3 bottom right.
LogoPosition=1

[VideoMode]
; Windowed mode: window pixels of exactly this colour are see-through, so the window
; takes the device's shape. The face picture is transparent outside the device's outline.
TranspColor=$00ff00ff

[Manual]
; Folder of the manual's eight pages, 1.bmp to 8.bmp, and the size of a page.
ManualDir=Graphics\\Manual\\
ManualWidth=415
ManualHeight=270

; The device's parts, one section each: picture file, then the box (left, top, width,
; height) within the game area. A picture is drawn from its box's top-left corner and
; clipped to the box. The numbers are fixed: each names one part of the device.
"""

GROUPS = {
    1: "The face: body, buttons' wells, printed LCD with the faint ghosts of its segments",
    2: "Glass over the LCD, drawn over every segment",
    3: "Buttons, each pressed (down) and released (top); 9 is the inert fifth button",
    14: "Game labels",
    16: "Miss marks 1 to 10",
    26: "Digit positions 1 to 4 (they show copies of the digit pictures 39 to 48)",
    30: "Colon, AM, PM, TIME 1, TIME 2, the alarm bell, ALARM, CHRONO, DATE",
    39: "Digit pictures 0 to 9 (never shown themselves; kept off the LCD)",
    49: "Pods along the route: 49-56 first hop, 57-65 second hop, 66-72 third hop, "
        "73-76 the drop into the bin",
    77: "The bin at the left (77) and its lid, closed (78) and open when a pod scores (79)",
    80: "The pod engine at the right: tower, base, crank (2 positions), arm (3 positions)",
    87: "Zemblor at the left, middle and right",
    90: "A broken pod under each position",
}


def text():
    lines = [HEADER]
    for number, (name, filename, box) in enumerate(image_sections(), start=1):
        if number in GROUPS:
            lines.append(f"; --- {GROUPS[number]}\n")
        x, y, w, h = box
        lines.append(f"[Image{number}]\n; {name}\nFilename={filename or 'nil'}\n"
                     f"Left={x}\nTop={y}\nWidth={w}\nHeight={h}\n\n")
    return "".join(lines).rstrip("\n") + "\n"
