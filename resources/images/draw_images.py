#!/usr/bin/env python3
"""Draws the program's bitmaps and icons from simple shapes, at every size they are needed.

Run it after changing a drawing; it rewrites the .bmp and .ico files beside it. Shapes are
given in a 0..1 square and sampled 4 x 4 per pixel, so each size is drawn, not scaled.
Bitmaps have no alpha: a pixel takes a shape's colour when the shape covers most of it,
and magenta (255, 0, 255) marks what is transparent. Icons keep the coverage as alpha.
The progress bar bitmap is shaded column by column instead, and has no transparent pixels.
"""
import colorsys
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)
SAMPLES = 4


# Shapes: each is (colour, inside(x, y)) in unit coordinates, y downwards.
def polygon(colour, points):
    def inside(x, y):
        result = False
        for (x1, y1), (x2, y2) in zip(points, points[1:] + points[:1]):
            if (y1 > y) != (y2 > y) and x < (x2 - x1) * (y - y1) / (y2 - y1) + x1:
                result = not result
        return result
    return colour, inside


def rect(colour, left, top, right, bottom):
    return colour, lambda x, y: left <= x <= right and top <= y <= bottom


def circle(colour, cx, cy, radius):
    return colour, lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def line(colour, points, width):
    def inside(x, y):
        for (x1, y1), (x2, y2) in zip(points, points[1:]):
            dx, dy = x2 - x1, y2 - y1
            t = max(0.0, min(1.0, ((x - x1) * dx + (y - y1) * dy) / (dx * dx + dy * dy)))
            if math.hypot(x - x1 - t * dx, y - y1 - t * dy) <= width / 2:
                return True
        return False
    return colour, inside


def curve(start, control, end, steps=8):
    """Points along the quadratic Bezier curve from start to end, bent towards control, for line()."""
    return [tuple((1 - t) ** 2 * a + 2 * t * (1 - t) * b + t * t * c for a, b, c in zip(start, control, end))
            for t in (i / steps for i in range(steps + 1))]


def arrow(colour, start, control, end, width, head):
    """A curved arrow: its shaft bends from start towards control, and its head, head long,
    carries on the way the shaft ends to its tip at end."""
    dx, dy = end[0] - control[0], end[1] - control[1]
    length = math.hypot(dx, dy)
    dx, dy = dx / length, dy / length
    base = (end[0] - dx * head, end[1] - dy * head)
    return [line(colour, curve(start, control, base), width),
            polygon(colour, [end, (base[0] - dy * head * 0.75, base[1] + dx * head * 0.75),
                             (base[0] + dy * head * 0.75, base[1] - dx * head * 0.75)])]


def cross(colour, left, top, right, bottom, width):
    """An X from corner to corner of a box."""
    return [line(colour, [(left, top), (right, bottom)], width), line(colour, [(right, top), (left, bottom)], width)]


def ellipse(colour, cx, cy, rx, ry):
    return colour, lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1


def rounded_rect(colour, left, top, right, bottom, radius):
    def inside(x, y):
        # Distance past the straight part of the edges: non-zero only in the corners.
        dx = max(left + radius - x, 0, x - right + radius)
        dy = max(top + radius - y, 0, y - bottom + radius)
        return left <= x <= right and top <= y <= bottom and dx * dx + dy * dy <= radius * radius
    return colour, inside


RED = (200, 30, 30)
GREEN = (20, 140, 40)
BLUE = (30, 80, 190)
YELLOW = (235, 190, 60)
DARK = (60, 60, 60)
GREY = (150, 150, 150)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
LIGHT = (215, 215, 215)
PALE_YELLOW = (250, 222, 120)
SKY = (70, 130, 220)
SCREEN = (205, 228, 245)
GOLD = (225, 175, 40)
LEAF = (70, 185, 70)
CHIP = (40, 40, 45)
SLATE = (60, 80, 125)

# Icon outlines: one pixel at 16, two at 32 and three at 64 when the outer edge lies on the 1/16 grid.
EDGE = 0.05


def folder(extra=()):
    return [polygon(DARK, [(0.06, 0.25), (0.38, 0.25), (0.46, 0.33), (0.94, 0.33), (0.94, 0.86), (0.06, 0.86)]),
            polygon(YELLOW, [(0.12, 0.31), (0.35, 0.31), (0.43, 0.39), (0.88, 0.39), (0.88, 0.8), (0.12, 0.8)]),
            *extra]


def framed(fill, left, top, right, bottom):
    """A rectangle of the fill colour inside a dark outline."""
    return [rect(DARK, left, top, right, bottom), rect(fill, left + EDGE, top + EDGE, right - EDGE, bottom - EDGE)]


def monitor(left, top, right, bottom):
    """A framed blue screen on a stand that widens down to 1/8 below it."""
    cx, width = (left + right) / 2, right - left
    return [polygon(DARK, [(cx - width / 8, bottom), (cx + width / 8, bottom),
                           (cx + width / 4, bottom + 0.125), (cx - width / 4, bottom + 0.125)]),
            *framed(SKY, left, top, right, bottom)]


def database(left, top, right, bottom, disks):
    """A stack of disks seen from slightly above."""
    cx, rx = (left + right) / 2, (right - left) / 2
    ry = rx * 0.45
    rims = [top + ry + (bottom - top - 2 * ry) * k / disks for k in range(disks + 1)]
    shapes = []
    # Bottom disk first, so that each disk's lower rim is drawn over the disk beneath it. A rim is
    # what the body leaves of the outline when moved up by 1/16: a curve one pixel high at 16.
    for upper, lower in reversed(list(zip(rims, rims[1:]))):
        shapes += [ellipse(DARK, cx, lower, rx, ry), rect(DARK, left, upper, right, lower),
                   ellipse(SKY, cx, lower - 0.0625, rx - EDGE, ry),
                   rect(SKY, left + EDGE, upper, right - EDGE, lower - 0.0625)]
    return shapes + [ellipse(DARK, cx, rims[0], rx, ry), ellipse(SCREEN, cx, rims[0], rx - EDGE, ry - 0.0625)]


def magnifier():
    """A magnifying glass over the bottom-right corner, its handle pointing to the corner."""
    return [line(DARK, [(0.86, 0.86), (0.95, 0.95)], 0.13),
            circle(DARK, 0.71875, 0.71875, 0.22), circle(SCREEN, 0.71875, 0.71875, 0.15)]


DIALOG_BAR = [
    # 0 Cancel
    cross(RED, 0.2, 0.2, 0.8, 0.8, 0.16),
    # 1 OK
    [line(GREEN, [(0.15, 0.52), (0.4, 0.78), (0.86, 0.22)], 0.16)],
    # 2 Back
    [polygon(BLUE, [(0.1, 0.5), (0.48, 0.15), (0.48, 0.36), (0.9, 0.36), (0.9, 0.64), (0.48, 0.64), (0.48, 0.85)])],
    # 3 Forward
    [polygon(BLUE, [(0.9, 0.5), (0.52, 0.15), (0.52, 0.36), (0.1, 0.36), (0.1, 0.64), (0.52, 0.64), (0.52, 0.85)])],
    # 4 Up one level
    folder([polygon(BLUE, [(0.5, 0.1), (0.82, 0.42), (0.62, 0.42), (0.62, 0.72), (0.38, 0.72), (0.38, 0.42), (0.18, 0.42)])]),
    # 5 New folder
    folder([line(GREEN, [(0.5, 0.42), (0.5, 0.78)], 0.14), line(GREEN, [(0.32, 0.6), (0.68, 0.6)], 0.14)]),
    # 6 Delete
    [rect(DARK, 0.12, 0.14, 0.88, 0.24), rect(DARK, 0.38, 0.06, 0.62, 0.16),
     polygon(DARK, [(0.18, 0.28), (0.82, 0.28), (0.76, 0.94), (0.24, 0.94)]),
     polygon(GREY, [(0.25, 0.33), (0.75, 0.33), (0.7, 0.88), (0.3, 0.88)]),
     line(DARK, [(0.42, 0.4), (0.43, 0.82)], 0.07), line(DARK, [(0.58, 0.4), (0.57, 0.82)], 0.07)],
    # 7 View menu
    [rect(BLUE, 0.1, 0.18, 0.26, 0.32), rect(DARK, 0.34, 0.21, 0.9, 0.29),
     rect(BLUE, 0.1, 0.43, 0.26, 0.57), rect(DARK, 0.34, 0.46, 0.9, 0.54),
     rect(BLUE, 0.1, 0.68, 0.26, 0.82), rect(DARK, 0.34, 0.71, 0.9, 0.79)],
    # 8 Properties
    [rect(DARK, 0.18, 0.08, 0.82, 0.92), rect(WHITE, 0.23, 0.13, 0.77, 0.87),
     rect(DARK, 0.3, 0.25, 0.7, 0.31), rect(DARK, 0.3, 0.42, 0.7, 0.48), rect(DARK, 0.3, 0.59, 0.6, 0.65)],
]

PAGE_BUTTONS = [
    # Copy: two sheets, one over the other
    [rect(DARK, 0.08, 0.06, 0.6, 0.66), rect(WHITE, 0.14, 0.12, 0.54, 0.6),
     rect(DARK, 0.4, 0.34, 0.92, 0.94), rect(WHITE, 0.46, 0.4, 0.86, 0.88),
     rect(BLUE, 0.52, 0.5, 0.8, 0.56), rect(BLUE, 0.52, 0.64, 0.8, 0.7), rect(BLUE, 0.52, 0.78, 0.72, 0.84)],
    # Paste: a clipboard with a sheet on it
    [rect(DARK, 0.1, 0.12, 0.78, 0.96), rect(YELLOW, 0.16, 0.18, 0.72, 0.9),
     rect(DARK, 0.3, 0.04, 0.58, 0.2), rect(DARK, 0.42, 0.4, 0.94, 0.96), rect(WHITE, 0.48, 0.46, 0.88, 0.9),
     rect(BLUE, 0.54, 0.56, 0.82, 0.62), rect(BLUE, 0.54, 0.7, 0.82, 0.76)],
]

# Sort arrows of a list header, 7 and 14 pixels square: 0 ascending, 1 descending. Magenta
# around them is the header's transparent colour, so they are one solid colour with no shading.
SORT_ARROWS = [
    [polygon(DARK, [(0.5, 0.3), (0.88, 0.72), (0.12, 0.72)])],
    [polygon(DARK, [(0.5, 0.7), (0.12, 0.28), (0.88, 0.28)])],
]

PROGRAM_ICON = [
    circle(BLUE, 0.5, 0.5, 0.47),
    rect(WHITE, 0.16, 0.58, 0.84, 0.74),
    *[rect(BLUE, 0.2 + i * 0.12, 0.58, 0.23 + i * 0.12, 0.66 if i % 2 else 0.69) for i in range(6)],
    polygon(WHITE, [(0.14, 0.36), (0.34, 0.2), (0.34, 0.3), (0.66, 0.3), (0.66, 0.2), (0.86, 0.36),
                    (0.66, 0.52), (0.66, 0.42), (0.34, 0.42), (0.34, 0.52)]),
]

# Icons of the file list, drawn at 16, 32 and 64 pixels. Most edges lie on the 1/16 grid so that
# they stay sharp at every size.
DOCUMENT = [
    polygon(DARK, [(0.1875, 0.0625), (0.5625, 0.0625), (0.8125, 0.3125), (0.8125, 0.9375), (0.1875, 0.9375)]),
    # Inside the outline, the diagonal moves in by EDGE too
    polygon(WHITE, [(0.2375, 0.1125), (0.5418, 0.1125), (0.7625, 0.3332), (0.7625, 0.8875), (0.2375, 0.8875)]),
    # The folded corner: its outline, then the back of the page
    polygon(DARK, [(0.5125, 0.0625), (0.5625, 0.0625), (0.8125, 0.3125), (0.8125, 0.3625), (0.5125, 0.3625)]),
    polygon(LIGHT, [(0.5625, 0.1332), (0.7418, 0.3125), (0.5625, 0.3125)]),
    *[rect(GREY, 0.3125, 0.375 + i * 0.125, 0.5625 if i == 3 else 0.6875, 0.425 + i * 0.125) for i in range(4)],
]

APPLICATION = [*framed(WHITE, 0.0625, 0.125, 0.9375, 0.875), rect(BLUE, 0.1125, 0.175, 0.8875, 0.375)]

FOLDER = folder()

# Overlays, drawn over another icon: a shortcut arrow in the bottom-left corner, its shaft
# curving up from the bottom and over to the right
SHORTCUT_MARK = [
    rect(WHITE, 0, 0.5625, 0.4375, 1),
    polygon(BLACK, [(0.175, 0.625), (0.375, 0.625), (0.375, 0.825)]),
    line(BLACK, curve((0.094, 1), (0.094, 0.83), (0.26, 0.74)), 0.07),
]

# and a padlock in the bottom-right corner, for files kept in read-only memory
ROM_MARK = [
    line(DARK, [(0.65625, 0.76), (0.65625, 0.66), (0.71, 0.59375),
                (0.8525, 0.59375), (0.90625, 0.66), (0.90625, 0.76)], 0.0625),
    *framed(GOLD, 0.5625, 0.75, 1, 1),
    rect(DARK, 0.75, 0.86, 0.8125, 0.95),
]

DATABASE = database(0.125, 0.0625, 0.875, 0.9375, 3)

# Three sliders, each a groove with a knob on it
CONTROL_PANEL = [
    *framed(LIGHT, 0.0625, 0.125, 1, 0.875),
    *[shape for i, knob in enumerate((8, 4, 6)) for shape in (
        rect(DARK, 0.25625 + i * 0.25, 0.25, 0.30625 + i * 0.25, 0.75),
        rect(BLUE, 0.1875 + i * 0.25, knob / 16, 0.375 + i * 0.25, (knob + 2) / 16))],
]

# A handheld: screen with its title bar at the top, buttons below
MY_DEVICE = [
    rounded_rect(DARK, 0.25, 0.0625, 0.75, 0.9375, 0.1),
    rect(SCREEN, 0.3125, 0.125, 0.6875, 0.625), rect(BLUE, 0.3125, 0.125, 0.6875, 0.1875),
    rect(GREY, 0.3125, 0.6875, 0.375, 0.8125), circle(GREY, 0.5, 0.75, 0.065),
    rect(GREY, 0.625, 0.6875, 0.6875, 0.8125),
]

# A monitor with two icons on its screen
DESKTOP = [*monitor(0.0625, 0.125, 0.9375, 0.75),
           rect(WHITE, 0.1875, 0.25, 0.25, 0.3125), rect(WHITE, 0.1875, 0.4375, 0.25, 0.5)]

# A folder with a page sticking out of it, in front of the folder's back and behind its front
MY_DOCUMENTS = folder([*framed(WHITE, 0.3125, 0.125, 0.75, 0.625),
                       rect(GREY, 0.375, 0.25, 0.6875, 0.3), rect(GREY, 0.375, 0.375, 0.625, 0.425),
                       rect(DARK, 0.06, 0.5, 0.94, 0.86), rect(PALE_YELLOW, 0.12, 0.56, 0.88, 0.8)])

# The database searched through a magnifying glass
DATABASE_PLACE = [*database(0.0625, 0.0625, 0.75, 0.8125, 1), *magnifier()]

# Two computers joined by a cable
NETWORK = [line(DARK, [(0.5625, 0.21875), (0.78125, 0.21875), (0.78125, 0.5)], EDGE),
           *monitor(0.0625, 0.0625, 0.5625, 0.375), *monitor(0.4375, 0.5, 0.9375, 0.8125)]

# A chip with five pins along each long side, passing under it, and a dot marking pin 1
MEMORY = [*[rect(GREY, (3 + 2 * i) / 16, 0.1875, (4 + 2 * i) / 16, 0.8125) for i in range(5)],
          rect(CHIP, 0.125, 0.3125, 0.8125, 0.6875), circle(GREY, 0.21875, 0.40625, 0.04)]

# A card with its top-right corner cut off, contacts at the top and a label below
STORAGE_CARD = [
    polygon(DARK, [(0.1875, 0.0625), (0.625, 0.0625), (0.8125, 0.25), (0.8125, 0.9375), (0.1875, 0.9375)]),
    polygon(SLATE, [(0.2375, 0.1125), (0.6043, 0.1125), (0.7625, 0.2707), (0.7625, 0.8875), (0.2375, 0.8875)]),
    *[rect(GOLD, (5 + 2 * i) / 16, 0.1875, (6 + 2 * i) / 16, 0.375) for i in range(3)],
    rect(WHITE, 0.3125, 0.5, 0.6875, 0.8125),
]

# A battery lying down, its terminal to the right, a little over half charged
BATTERY = [rect(DARK, 0.875, 0.375, 0.9375, 0.625), *framed(WHITE, 0.0625, 0.25, 0.875, 0.75),
           rect(LEAF, 0.1125, 0.3, 0.5625, 0.7)]

# A bin with its lid on, ribbed down its sides, for the Trash Box
TRASH_BOX = [
    rect(DARK, 0.375, 0.0625, 0.625, 0.1875), rect(DARK, 0.125, 0.1875, 0.875, 0.3125),
    polygon(DARK, [(0.1875, 0.3125), (0.8125, 0.3125), (0.75, 0.9375), (0.25, 0.9375)]),
    polygon(LIGHT, [(0.2375, 0.3125), (0.7625, 0.3125), (0.7043, 0.8875), (0.2957, 0.8875)]),
    *[rect(GREY, (6 + 3 * i) / 16, 0.4375, (7 + 3 * i) / 16, 0.8125) for i in range(2)],
]

# An open folder: the back and tab of a closed one, a little narrower, and its front leaning
# forward, out past the back on the right
OPEN_FOLDER = [
    polygon(DARK, [(0.06, 0.25), (0.38, 0.25), (0.46, 0.33), (0.8125, 0.33), (0.8125, 0.86), (0.06, 0.86)]),
    polygon(YELLOW, [(0.12, 0.31), (0.35, 0.31), (0.43, 0.39), (0.7525, 0.39), (0.7525, 0.8), (0.12, 0.8)]),
    polygon(DARK, [(0.3125, 0.5), (0.9375, 0.5), (0.8125, 0.86), (0.06, 0.86)]),
    # Inside the outline, the slanted sides move in by EDGE too
    polygon(PALE_YELLOW, [(0.3385, 0.55), (0.8672, 0.55), (0.7769, 0.81), (0.1561, 0.81)]),
]

# A page looked over through a magnifying glass, for the Find Result
FIND_RESULT = DOCUMENT + magnifier()

FILE_ICONS = {
    'document.ico': DOCUMENT,
    'program.ico': APPLICATION,
    'folder.ico': FOLDER,
    'shortcut_overlay.ico': SHORTCUT_MARK,
    'rom_overlay.ico': ROM_MARK,
    'rom_shortcut_overlay.ico': SHORTCUT_MARK + ROM_MARK,
    'database.ico': DATABASE,
    'control_panel.ico': CONTROL_PANEL,
    'my_device.ico': MY_DEVICE,
    'desktop.ico': DESKTOP,
    'my_documents.ico': MY_DOCUMENTS,
    'database_place.ico': DATABASE_PLACE,
    'network.ico': NETWORK,
    'memory.ico': MEMORY,
    'storage_card.ico': STORAGE_CARD,
    'battery.ico': BATTERY,
}

# Icons of the questions asked before replacing or deleting something, drawn at the same sizes:
# a green arrow that rises from the bottom-left corner and turns onto the page or folder replaced,
REPLACE_MARK = arrow(GREEN, (0.125, 1), (0.125, 0.5625), (0.6875, 0.5625), 0.125, 0.25)

# and a red X over the bottom-right corner of a page, in a white rim that parts it from the outline
DELETE_MARK = [*cross(WHITE, 0.5, 0.5, 0.875, 0.875, 0.16 + 2 * EDGE), *cross(RED, 0.5, 0.5, 0.875, 0.875, 0.16)]

QUESTION_ICONS = {
    'replace_file.ico': DOCUMENT + REPLACE_MARK,
    'replace_folder.ico': folder(REPLACE_MARK),
    'delete.ico': DOCUMENT + DELETE_MARK,
}

# The location button's images, 16 and 32 pixels square, in the order the places refer to them
PLACES = [
    FOLDER,          # 0 any folder, when nothing better is known
    FOLDER,          # 1 a plain folder
    DESKTOP,         # 2 Desktop
    MY_DEVICE,       # 3 My Device
    NETWORK,         # 4 My Network
    MY_DOCUMENTS,    # 5 My Documents
    STORAGE_CARD,    # 6 a storage card
    OPEN_FOLDER,     # 7 an open folder
    DATABASE_PLACE,  # 8 Database
    CONTROL_PANEL,   # 9 Control Panel
    TRASH_BOX,       # 10 Trash Box
    FIND_RESULT,     # 11 Find Result
]

# Progress bar colours, one per column of percent_bar.bmp; a bar is drawn by stretching one column.
# Black text goes over them, so none is dark.
BAR_COLOURS = [
    (70, 130, 225),   # 0 blue
    (80, 185, 75),    # 1 green
    (165, 205, 55),   # 2 yellow-green
    (245, 150, 45),   # 3 orange
    (230, 75, 60),    # 4 red
    (160, 110, 210),  # 5 purple
    (70, 195, 215),   # 6 cyan
    (125, 125, 125),  # 7 dark grey
    (215, 215, 215),  # 8 light grey, the empty part of a bar
    # and the rest of the colour wheel
    *[tuple(round(c * 255) for c in colorsys.hls_to_rgb(i / 26, 0.58, 0.65)) for i in range(26)],
]


def render(shapes, size):
    """Rows of (r, g, b, coverage) pixels, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            colour, hits = None, 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    for shape_colour, inside in reversed(shapes):
                        if inside(x, y):
                            hits += 1
                            colour = colour or shape_colour
                            break
            # The topmost shape at the pixel's centre decides its colour.
            centre = next((c for c, inside in reversed(shapes)
                           if inside((px + 0.5) / size, (py + 0.5) / size)), colour)
            row.append((*(centre or MAGENTA), hits / SAMPLES ** 2))
        rows.append(row)
    return rows


def save_bmp(path, rows):
    """A 24-bit bitmap of rows of (r, g, b) pixels, top row first."""
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):
        line_bytes = b''.join(bytes((b, g, r)) for r, g, b in row)
        pixels += line_bytes + bytes(stride - len(line_bytes))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + pixels)


def write_bmp(path, strip, size):
    """A bitmap of the images side by side; uncovered pixels are magenta."""
    images = [render(shapes, size) for shapes in strip]
    save_bmp(path, [[(r, g, b) if coverage >= 0.5 else MAGENTA
                     for image in images for r, g, b, coverage in image[y]] for y in range(size)])


def shade(colour, t):
    """The colour at height t (0 top, 1 bottom) of a glossy bar: lit from above, pure in the middle."""
    if t < 0.5:
        target, amount = 255, 0.6 * (1 - 2 * t) ** 1.5
    else:
        target, amount = 0, 0.3 * (2 * t - 1)
    return tuple(round(c + (target - c) * amount) for c in colour)


def write_bars(path, colours, height):
    """A bitmap with one column per colour, each shaded from top to bottom like a glossy bar."""
    save_bmp(path, [[shade(colour, y / (height - 1)) for colour in colours] for y in range(height)])


def icon_image(shapes, size):
    rows = render(shapes, size)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, coverage in row:
            xor += bytes((b, g, r, round(coverage * 255)))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, pixel in enumerate(row):
            if pixel[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def write_ico(path, shapes, sizes):
    images = [icon_image(shapes, size) for size in sizes]
    offset = 6 + 16 * len(images)
    directory = struct.pack('<HHH', 0, 1, len(images))
    for size, image in zip(sizes, images):
        directory += struct.pack('<BBBBHHII', size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, 'wb') as out:
        out.write(directory + b''.join(images))


if __name__ == '__main__':
    write_bmp(os.path.join(HERE, 'dialog_bar_16.bmp'), DIALOG_BAR, 16)
    write_bmp(os.path.join(HERE, 'dialog_bar_32.bmp'), DIALOG_BAR, 32)
    write_bmp(os.path.join(HERE, 'page_buttons_16.bmp'), PAGE_BUTTONS, 16)
    write_bmp(os.path.join(HERE, 'page_buttons_32.bmp'), PAGE_BUTTONS, 32)
    write_bmp(os.path.join(HERE, 'sort_arrows_7.bmp'), SORT_ARROWS, 7)
    write_bmp(os.path.join(HERE, 'sort_arrows_14.bmp'), SORT_ARROWS, 14)
    write_bmp(os.path.join(HERE, 'places_16.bmp'), PLACES, 16)
    write_bmp(os.path.join(HERE, 'places_32.bmp'), PLACES, 32)
    write_ico(os.path.join(HERE, 'mensurio.ico'), PROGRAM_ICON, (16, 32))
    for name, shapes in {**FILE_ICONS, **QUESTION_ICONS}.items():
        write_ico(os.path.join(HERE, name), shapes, (16, 32, 64))
    write_bars(os.path.join(HERE, 'percent_bar.bmp'), BAR_COLOURS, 64)
