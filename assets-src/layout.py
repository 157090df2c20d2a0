"""Where every skinnable picture of the device sits: the boxes of the 92 Image sections,
in section order, in the 560 x 372 game area."""

GAME_WIDTH = 560
GAME_HEIGHT = 372

# The liquid-crystal window inside the bezel, and the glass overlay just around it.
LCD = (146, 50, 270, 198)
GLASS = (144, 48, 273, 201)

MISS_MARK_BOXES = [
    (332, 63, 15, 14), (347, 63, 14, 14), (361, 63, 14, 14), (375, 63, 14, 14), (389, 63, 14, 14),
    (333, 77, 15, 13), (348, 77, 14, 13), (362, 77, 13, 13), (375, 77, 14, 13), (389, 77, 15, 13),
]

DIGIT_POSITION_BOXES = [(253, 63, 15, 27), (268, 63, 15, 27), (288, 63, 15, 27), (303, 63, 15, 27)]

ITEM_BOXES = [
    (372, 117, 11, 11), (365, 106, 11, 14), (343, 103, 10, 14), (328, 114, 11, 14),
    (320, 130, 11, 13), (314, 148, 14, 11), (312, 166, 14, 9), (311, 179, 11, 7),
    (308, 156, 14, 10), (306, 136, 14, 10), (300, 119, 14, 11), (290, 104, 10, 14),
    (277, 115, 11, 13), (270, 131, 13, 12), (267, 148, 14, 11), (266, 165, 14, 9),
    (267, 178, 12, 7), (263, 156, 14, 9), (258, 136, 14, 11), (248, 118, 10, 15),
    (233, 132, 14, 11), (225, 149, 14, 11), (220, 165, 14, 9), (221, 178, 12, 7),
    (218, 156, 14, 9), (213, 140, 14, 11), (205, 131, 10, 14), (191, 137, 14, 9),
]

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
    add("im_panel_game_a", "panel_game_a.png", (155, 63, 27, 12))
    add("im_panel_game_b", "panel_game_b.png", (155, 79, 27, 11))
    for i, box in enumerate(MISS_MARK_BOXES, start=1):
        add(f"im_panel_miss_{i:02d}", f"panel_miss_{i:02d}.png", box)
    for i, box in enumerate(DIGIT_POSITION_BOXES, start=1):
        add(f"im_panel_digit_pos_{i}", None, box)
    add("im_panel_time_colon", "panel_colon.png", (283, 68, 5, 16))
    add("im_panel_time_am", "panel_am.png", (317, 63, 13, 11))
    add("im_panel_time_pm", "panel_pm.png", (317, 78, 13, 12))
    add("im_panel_time_1", "panel_time_1.png", (224, 63, 23, 11))
    add("im_panel_time_2", "panel_time_2.png", (201, 63, 24, 11))
    add("im_panel_bell", "panel_bell.png", (182, 65, 18, 20))
    add("im_panel_alarm", "panel_alarm.png", (201, 79, 18, 11))
    add("im_panel_chrono", "panel_chrono.png", (219, 79, 14, 11))
    add("im_panel_date", "panel_date.png", (233, 79, 18, 11))
    for d in range(10):
        add(f"im_panel_number_{d}", f"digit_{d}.png", (16 * d, 304, 15, 27))
    for i, box in enumerate(ITEM_BOXES):
        add(f"im_item_{i:02d}", f"item_{i:02d}.png", box)
    add("im_item_left_0", "item_left_0.png", (162, 117, 45, 52))
    add("im_item_left_1", "item_left_1.png", (180, 138, 13, 8))
    add("im_item_left_2", "item_left_2.png", (179, 129, 11, 12))
    add("im_item_right_1a", "item_right_1a.png", (335, 123, 30, 52))
    add("im_item_right_1b", "item_right_1b.png", (366, 163, 27, 23))
    add("im_item_right_2", "item_right_2.png", (370, 146, 15, 17))
    add("im_item_right_3", "item_right_3.png", (375, 146, 16, 17))
    add("im_item_right_4", "item_right_4.png", (360, 110, 30, 42))
    add("im_item_right_5", "item_right_5.png", (366, 129, 23, 14))
    add("im_item_right_6", "item_right_6.png", (366, 122, 22, 16))
    add("im_hero_1", "hero_1.png", (177, 171, 62, 41))
    add("im_hero_2", "hero_2.png", (262, 177, 35, 65))
    add("im_hero_3", "hero_3.png", (306, 177, 59, 57))
    add("im_miss_1", "miss_1.png", (219, 191, 23, 30))
    add("im_miss_2", "miss_2.png", (243, 189, 27, 33))
    add("im_miss_3", "miss_3.png", (306, 193, 23, 29))
    assert len(s) == 92
    return s
