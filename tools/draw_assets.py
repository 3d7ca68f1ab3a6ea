#!/usr/bin/env python3
"""Draws the image assets of the SDK bundle as PNG files (standard library only).

Every asset is written at scales 1, 2 and 3 ("name.png", "name@2x.png", "name@3x.png") into
resources/VYDCore.bundle/ unless another folder is given:

    python3 tools/draw_assets.py [output-folder]

Shapes are described in points; each pixel is the average of a 4x4 grid of samples, so edges are
smooth at every scale. The output is deterministic: running the script again gives the same bytes.
"""

import math
import os
import struct
import sys
import zlib

SCALES = (1, 2, 3)
SAMPLES = 4

# Colours are (red, green, blue) in 0..255.
VY_GREEN = (20, 163, 127)
VY_GREEN_DARK = (9, 112, 92)
ICON_GREY = (60, 64, 72)
WEB_GREY = (134, 140, 150)
WHITE = (255, 255, 255)


def write_png(path, width, height, rows):
    """rows: a list of `height` bytearrays of RGBA pixels."""
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = b"".join(b"\x00" + bytes(row) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", header))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def segment_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
    cx, cy = ax + t * dx, ay + t * dy
    return math.hypot(px - cx, py - cy)


class Stroke:
    """A polyline of round-capped segments of a given width."""

    def __init__(self, points, width, colour):
        self.points, self.half, self.colour = points, width / 2.0, colour

    def covers(self, x, y):
        return any(segment_distance(x, y, *a, *b) <= self.half
                   for a, b in zip(self.points, self.points[1:]))


class Arc:
    """A ring segment from `start` to `end` degrees (clockwise from the top), round caps."""

    def __init__(self, cx, cy, radius, width, start, end, colour):
        self.cx, self.cy, self.radius, self.half = cx, cy, radius, width / 2.0
        self.start, self.end, self.colour = start, end, colour
        self.caps = [self._point(start), self._point(end)]

    def _point(self, degrees):
        a = math.radians(degrees)
        return (self.cx + self.radius * math.sin(a), self.cy - self.radius * math.cos(a))

    def covers(self, x, y):
        if abs(math.hypot(x - self.cx, y - self.cy) - self.radius) <= self.half:
            angle = math.degrees(math.atan2(x - self.cx, self.cy - y)) % 360.0
            if self.start <= angle <= self.end:
                return True
        return any(math.hypot(x - px, y - py) <= self.half for px, py in self.caps)


class Disc:
    def __init__(self, cx, cy, radius, colour):
        self.cx, self.cy, self.radius, self.colour = cx, cy, radius, colour

    def covers(self, x, y):
        return math.hypot(x - self.cx, y - self.cy) <= self.radius


def render(width_pt, height_pt, shapes, scale):
    """Later shapes paint over earlier ones; uncovered samples stay transparent."""
    width, height = width_pt * scale, height_pt * scale
    rows = []
    step = 1.0 / SAMPLES
    for py in range(height):
        row = bytearray()
        for px in range(width):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                y = (py + (sy + 0.5) * step) / scale
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) * step) / scale
                    for shape in reversed(shapes):
                        if shape.covers(x, y):
                            cr, cg, cb = shape.colour
                            r, g, b, a = r + cr, g + cg, b + cb, a + 1
                            break
            n = SAMPLES * SAMPLES
            if a == 0:
                row += b"\x00\x00\x00\x00"
            else:
                # colour averaged over covered samples (straight alpha), alpha by coverage
                row += bytes((round(r / a), round(g / a), round(b / a), round(255 * a / n)))
        rows.append(row)
    return width, height, rows


def spinner(colour):
    return 24, 24, [Arc(12, 12, 9, 2.5, 0, 270, colour)]


def cross(colour):
    return 24, 24, [Stroke([(8, 8), (16, 16)], 2, colour), Stroke([(16, 8), (8, 16)], 2, colour)]


def chevron_left(width, colour):
    return 24, 24, [Stroke([(14.5, 6), (8.5, 12), (14.5, 18)], width, colour)]


def vy_mark(size, colour, inset):
    """The letters V and Y drawn as strokes inside a square of `size` points."""
    s = size / 24.0
    w = 2.2 * s
    v = Stroke([((3 + inset) * s, 7 * s), (7.5 * s, 17 * s), ((12 - inset / 2) * s, 7 * s)], w, colour)
    y_arms = Stroke([((12 + inset / 2) * s, 7 * s), (16.5 * s, 12 * s), ((21 - inset) * s, 7 * s)], w, colour)
    y_stem = Stroke([(16.5 * s, 12 * s), (16.5 * s, 17 * s)], w, colour)
    return [v, y_arms, y_stem]


def vy_logo():
    size = 48
    return size, size, [Disc(24, 24, 24, VY_GREEN)] + vy_mark(size, WHITE, 1.5)


def logo(colour):
    return 24, 24, vy_mark(24, colour, 0)


ICONS = {
    "spinner": lambda: spinner(VY_GREEN),
    "web_spinner": lambda: spinner(WEB_GREY),
    "ds_ic_24_cross_small": lambda: cross(ICON_GREY),
    "web_ds_ic_24_cross_small": lambda: cross(WEB_GREY),
    "ds_ic_24_chevron_left_alt1": lambda: chevron_left(2, ICON_GREY),
    "chevron_backward": lambda: chevron_left(2.5, VY_GREEN),
    "vy_logo": vy_logo,
    "logo_green": lambda: logo(VY_GREEN),
    "logo_white": lambda: logo(WHITE),
}

# The top area of the choice sheet: 375 x 200 points, light green at the top fading into the
# brand green, so white text and the logo stay readable on it.
GRADIENT_SIZE = (375, 200)
GRADIENT_TOP = (112, 214, 182)
GRADIENT_BOTTOM = VY_GREEN_DARK


def gradient(scale):
    width, height = GRADIENT_SIZE[0] * scale, GRADIENT_SIZE[1] * scale
    rows = []
    for py in range(height):
        t = (py + 0.5) / height
        pixel = bytes(round(a + (b - a) * t) for a, b in zip(GRADIENT_TOP, GRADIENT_BOTTOM)) + b"\xff"
        rows.append(bytearray(pixel * width))
    return width, height, rows


def file_name(name, scale):
    return f"{name}.png" if scale == 1 else f"{name}@{scale}x.png"


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources", "VYDCore.bundle")
    os.makedirs(out, exist_ok=True)
    for scale in SCALES:
        for name, draw in ICONS.items():
            width_pt, height_pt, shapes = draw()
            write_png(os.path.join(out, file_name(name, scale)), *render(width_pt, height_pt, shapes, scale))
        write_png(os.path.join(out, file_name("gradient_background", scale)), *gradient(scale))
    print(f"wrote {len(SCALES) * (len(ICONS) + 1)} images to {out}")


if __name__ == "__main__":
    main()
