#!/usr/bin/env python3
"""Writes the preferences dialog's four page pictures as .ico files.

    make_page_pictures.py OUTDIR

page_system.ico      "System": a grey cog wheel with a blue hub.
page_appearance.ico  "Appearance": three overlapping colour cards (red,
                     green and the ruler's blue) in thin dark frames.
page_custom.ico      "Custom Unit": a slanted light-blue ruler with white
                     ticks and a yellow slide marker.
page_hotkey.ico      "Hot Key": two keyboard key caps joined by a plus.

Each picture is defined once on a 32 x 32 grid by geometric rules and drawn
at 32, 40, 48 and 64 pixels (the dialog asks for the size that matches the
display's pixels per inch). Every pixel is sampled 4 x 4 times, so the
edges are smooth; the images are 32-bit BGRA with alpha and a matching AND
mask, written by tools/make_icons.py's writer.
"""
import math
import os
import sys

# The .ico writer of the program's icons.
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_icons import write_ico  # noqa: E402

SIZES = (32, 40, 48, 64)
SAMPLES = 4

RULER_BLUE = (0x37, 0x9B, 0xFF)   # the ruler's 0xFF9B37 as RGB
DARK = (0x30, 0x30, 0x38)
WHITE = (0xFF, 0xFF, 0xFF)


def cog(x, y):
    """Colour at a point of the 32-unit grid, or None."""
    dx, dy = x - 16.0, y - 16.0
    r = math.hypot(dx, dy)
    a = math.atan2(dy, dx)
    teeth = 8
    phase = (a * teeth / (2 * math.pi)) % 1.0
    outer = 14.5 if 0.25 < phase < 0.75 else 11.5
    if r <= 4.5:
        return RULER_BLUE if r <= 3.5 else DARK
    if r <= outer:
        if r >= outer - 1.0 or (r <= 6.0 and r > 4.5):
            return DARK
        return (0x9A, 0xA4, 0xB0)
    return None


def cards(x, y):
    layers = [  # drawn back to front: (left, top, size, colour)
        (2, 3, 16, (0xE0, 0x30, 0x30)),
        (9, 9, 16, (0x30, 0xB0, 0x40)),
        (15, 14, 16, RULER_BLUE),
    ]
    colour = None
    for left, top, size, fill in layers:
        if left <= x < left + size and top <= y < top + size:
            edge = x < left + 1 or y < top + 1 or x >= left + size - 1 or y >= top + size - 1
            colour = DARK if edge else fill
    return colour


def ruler(x, y):
    # The ruler band runs at -30 degrees through the centre.
    ang = math.radians(-30.0)
    ux, uy = math.cos(ang), math.sin(ang)
    dx, dy = x - 16.0, y - 16.0
    along = dx * ux + dy * uy          # -15 .. 15
    across = -dx * uy + dy * ux        # 0 at the centre line, + toward the bottom
    if abs(along) > 15.0 or abs(across) > 6.0:
        return None
    if abs(along) > 14.0 or abs(across) > 5.0:
        return DARK
    # Ticks from the top edge: every 3 units, every third one long.
    pos = along + 15.0
    k = round(pos / 3.0)
    if 1 <= k <= 9 and abs(pos - 3.0 * k) < 0.5:
        length = 6.0 if k % 3 == 0 else 3.0
        if across < -5.0 + length:
            return WHITE
    # The slide marker: a yellow triangle pointing at the scale.
    if abs(along - 4.0) < (across - 1.0) * 0.8 and across > 1.0:
        return (0xFF, 0xD8, 0x20)
    return RULER_BLUE


def keycap(x, y, left, top, size):
    """A key cap: dark rim, grey sides, light top face; None outside."""
    right, bottom = left + size, top + size
    if not (left <= x < right and top <= y < bottom):
        return None
    # Rounded corners of radius 2.
    for cx, cy in ((left + 2, top + 2), (right - 2, top + 2), (left + 2, bottom - 2), (right - 2, bottom - 2)):
        if abs(x - cx) <= 2 and abs(y - cy) <= 2 and (x < left + 2 or x >= right - 2) and \
                (y < top + 2 or y >= bottom - 2) and math.hypot(x - cx, y - cy) > 2.0:
            return None
    if x < left + 1 or y < top + 1 or x >= right - 1 or y >= bottom - 1:
        return DARK
    if left + 3 <= x < right - 3 and top + 2 <= y < bottom - 5:
        return (0xF4, 0xF4, 0xF4)
    return (0xB8, 0xBC, 0xC4)


def hotkey(x, y):
    small = keycap(x, y, 1, 9, 13)
    if small is not None:
        if 5 <= x < 10 and 13.5 <= y < 15 and small != DARK:
            return RULER_BLUE   # a bar on the modifier key
        return small
    big = keycap(x, y, 17, 5, 14)
    if big is not None:
        # A letter-like mark on the key: an "A" of two slanted strokes and a bar.
        cx = 24.0
        if 8.0 <= y < 15.0 and big != DARK:
            t = (y - 8.0) / 7.0
            half = 0.5 + 2.5 * t
            if abs(abs(x - cx) - half) < 0.8 or (11.5 <= y < 12.7 and abs(x - cx) < half):
                return DARK
        return big
    # The plus between the keys.
    if (14.5 <= x < 16.5 and 13 <= y < 19) or (12.5 <= x < 18.5 and 15 <= y < 17):
        return DARK
    return None


def render(shape, size):
    scale = 32.0 / size
    pixels = []
    for py in range(size):
        row = []
        for px in range(size):
            total = [0, 0, 0]
            hits = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) * scale
                    y = (py + (sy + 0.5) / SAMPLES) * scale
                    c = shape(x, y)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            total[i] += c[i]
            if hits == 0:
                row.append(None)
            else:
                alpha = round(255 * hits / (SAMPLES * SAMPLES))
                row.append(tuple(round(t / hits) for t in total) + (alpha,))
        pixels.append(row)
    return pixels


PAGES = {
    'page_system.ico': cog,
    'page_appearance.ico': cards,
    'page_custom.ico': ruler,
    'page_hotkey.ico': hotkey,
}


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_page_pictures.py OUTDIR')
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    for name, shape in PAGES.items():
        write_ico(os.path.join(outdir, name), [render(shape, s) for s in SIZES])


if __name__ == '__main__':
    main()
