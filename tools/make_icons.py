#!/usr/bin/env python3
"""Writes the program's icons as .ico files from pictures defined here.

    make_icons.py OUTDIR

app.ico     the application icon (window, notification area, executable):
            a light-blue ruler with white ticks, at 16, 32 and 48 pixels.
rotate.ico  the rotate cursor's picture, 32 x 32: a black circular arrow with
            a white rim around a small cross at the centre (16, 16), where
            the cursor's hot spot lies.

The pictures are drawn by rules (pixel tests), so every size comes out crisp;
each icon image is a 32-bit BGRA bitmap with a matching 1-bit AND mask.
"""
import math
import os
import struct
import sys

TRANSPARENT = None
RULER = (0x37, 0x9B, 0xFF)   # the ruler's background colour 0xFF9B37 as RGB
EDGE = (0x10, 0x4A, 0x9C)
TICK = (0xFF, 0xFF, 0xFF)
BLACK = (0, 0, 0)
WHITE = (0xFF, 0xFF, 0xFF)


def ruler_picture(size):
    """A horizontal ruler band across the middle with ticks from its top edge."""
    s = size / 32.0
    top = round(9 * s)
    bottom = round(23 * s)          # exclusive
    left = round(1 * s)
    right = size - round(1 * s)     # exclusive
    step = max(2, round(3 * s))
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(top, bottom):
        for x in range(left, right):
            edge = y in (top, bottom - 1) or x in (left, right - 1)
            pixels[y][x] = EDGE if edge else RULER
    tick_lengths = [round(7 * s), round(3 * s), round(3 * s), round(3 * s), round(5 * s)]
    for n, x in enumerate(range(left + step, right - 1, step)):
        length = max(1, tick_lengths[n % len(tick_lengths)])
        for y in range(top + 1, min(top + 1 + length, bottom - 1)):
            pixels[y][x] = TICK
    return pixels


def rotate_picture(size=32):
    """A circular arrow (three quarters of a ring and a head) and a centre cross."""
    c = size / 2.0
    shape = [[False] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            dx = x + 0.5 - c
            dy = y + 0.5 - c
            r = math.hypot(dx, dy)
            angle = math.degrees(math.atan2(-dy, dx)) % 360.0
            if 9.0 <= r <= 12.0 and not (20.0 < angle < 110.0):
                shape[y][x] = True
    # The arrow head at the ring's end near 110 degrees, pointing clockwise.
    end = math.radians(110.0)
    ex, ey = c + 10.5 * math.cos(end), c - 10.5 * math.sin(end)
    tangent = (math.cos(end - math.pi / 2), -math.sin(end - math.pi / 2))
    normal = (math.cos(end), -math.sin(end))
    tip = (ex + 6.0 * tangent[0], ey + 6.0 * tangent[1])
    base_a = (ex + 4.5 * normal[0], ey + 4.5 * normal[1])
    base_b = (ex - 4.5 * normal[0], ey - 4.5 * normal[1])

    def inside(px, py):
        def side(a, b):
            return (b[0] - a[0]) * (py - a[1]) - (b[1] - a[1]) * (px - a[0])
        s1, s2, s3 = side(tip, base_a), side(base_a, base_b), side(base_b, tip)
        return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)

    for y in range(size):
        for x in range(size):
            if inside(x + 0.5, y + 0.5):
                shape[y][x] = True
    # The cross that marks the hot spot.
    ci = size // 2
    for d in range(-2, 3):
        shape[ci][ci + d] = True
        shape[ci + d][ci] = True
    pixels = [[TRANSPARENT] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            if shape[y][x]:
                pixels[y][x] = BLACK
            elif any(0 <= y + j < size and 0 <= x + i < size and shape[y + j][x + i]
                     for j in (-1, 0, 1) for i in (-1, 0, 1)):
                pixels[y][x] = WHITE
    return pixels


def icon_image(pixels):
    """One icon image: BITMAPINFOHEADER, BGRA rows bottom-up, AND mask bottom-up."""
    size = len(pixels)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    color = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p is TRANSPARENT:
                color += b'\0\0\0\0'
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                # (r, g, b), or (r, g, b, alpha) for a partly covered pixel.
                r, g, b = p[:3]
                color += bytes((b, g, r, p[3] if len(p) > 3 else 0xFF))
        mask += bits
    return header + bytes(color) + bytes(mask)


def write_ico(path, pictures):
    images = [icon_image(p) for p in pictures]
    out = bytearray(struct.pack('<HHH', 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for p, data in zip(pictures, images):
        size = len(p)
        dim = 0 if size >= 256 else size
        out += struct.pack('<BBBBHHII', dim, dim, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    tmp = path + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(out)
    os.replace(tmp, path)


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: make_icons.py OUTDIR')
    outdir = sys.argv[1]
    os.makedirs(outdir, exist_ok=True)
    write_ico(os.path.join(outdir, 'app.ico'), [ruler_picture(s) for s in (16, 32, 48)])
    write_ico(os.path.join(outdir, 'rotate.ico'), [rotate_picture(32)])


if __name__ == '__main__':
    main()
