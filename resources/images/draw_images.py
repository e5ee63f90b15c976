#!/usr/bin/env python3
"""Draws the program's bitmaps and icons from simple shapes, at every size they are needed.

Run it after changing a drawing; it rewrites the .bmp and .ico files beside it. Shapes are
given in a 0..1 square and sampled 4 x 4 per pixel, so each size is drawn, not scaled.
Bitmaps have no alpha: a pixel takes a shape's colour when the shape covers most of it,
and magenta (255, 0, 255) marks what is transparent. Icons keep the coverage as alpha.
"""
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


RED = (200, 30, 30)
GREEN = (20, 140, 40)
BLUE = (30, 80, 190)
YELLOW = (235, 190, 60)
DARK = (60, 60, 60)
GREY = (150, 150, 150)
WHITE = (255, 255, 255)


def folder(extra=()):
    return [polygon(DARK, [(0.06, 0.25), (0.38, 0.25), (0.46, 0.33), (0.94, 0.33), (0.94, 0.86), (0.06, 0.86)]),
            polygon(YELLOW, [(0.12, 0.31), (0.35, 0.31), (0.43, 0.39), (0.88, 0.39), (0.88, 0.8), (0.12, 0.8)]),
            *extra]


DIALOG_BAR = [
    # 0 Cancel
    [line(RED, [(0.2, 0.2), (0.8, 0.8)], 0.16), line(RED, [(0.8, 0.2), (0.2, 0.8)], 0.16)],
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

PROGRAM_ICON = [
    circle(BLUE, 0.5, 0.5, 0.47),
    rect(WHITE, 0.16, 0.58, 0.84, 0.74),
    *[rect(BLUE, 0.2 + i * 0.12, 0.58, 0.23 + i * 0.12, 0.66 if i % 2 else 0.69) for i in range(6)],
    polygon(WHITE, [(0.14, 0.36), (0.34, 0.2), (0.34, 0.3), (0.66, 0.3), (0.66, 0.2), (0.86, 0.36),
                    (0.66, 0.52), (0.66, 0.42), (0.34, 0.42), (0.34, 0.52)]),
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


def write_bmp(path, strip, size):
    """A 24-bit bitmap of the images side by side; uncovered pixels are magenta."""
    images = [render(shapes, size) for shapes in strip]
    width = size * len(images)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for y in reversed(range(size)):
        line_bytes = bytearray()
        for image in images:
            for r, g, b, coverage in image[y]:
                r, g, b = (r, g, b) if coverage >= 0.5 else MAGENTA
                line_bytes += bytes((b, g, r))
        pixels += line_bytes + bytes(stride - len(line_bytes))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(pixels), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, width, size, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    with open(path, 'wb') as out:
        out.write(header + info + pixels)


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
    write_ico(os.path.join(HERE, 'mensurio.ico'), PROGRAM_ICON, (16, 32))
