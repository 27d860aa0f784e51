#!/usr/bin/env python3
"""Draws the tool bar's two button glyphs as 24-bit .bmp files.

    make_glyphs.py OUTDIR

magnifier.bmp   24 x 24: a sheet of paper with a folded corner and lines of
                text, and over it a magnifying glass (a dark ring around a
                light-blue lens with a highlight, a brown handle to the lower
                right).
calculator.bmp  31 x 21: a blue calculator lying on its side: a dark-blue
                case, a grey-green display on the left and a block of light
                keys on the right.

Magenta (255, 0, 255) marks the pixels that are not drawn. The results are
checked in under src/ui/win32/glyphs/; run this again after changing a
picture here.
"""
import math
import os
import struct
import sys

KEY = (0xFF, 0x00, 0xFF)
WHITE = (0xFF, 0xFF, 0xFF)
PAPER_EDGE = (0x70, 0x70, 0x70)
FOLD = (0xC8, 0xC8, 0xC8)
TEXT = (0x90, 0x98, 0xA8)
RING = (0x20, 0x28, 0x38)
LENS = (0xB8, 0xDC, 0xF8)
SHINE = (0xF4, 0xFA, 0xFF)
HANDLE = (0x80, 0x48, 0x18)
HANDLE_DARK = (0x50, 0x2C, 0x0C)

CASE_DARK = (0x10, 0x30, 0x80)
CASE = (0x28, 0x5C, 0xC8)
CASE_LIGHT = (0x60, 0x90, 0xE8)
DISPLAY = (0xB8, 0xCC, 0xA8)
DIGIT = (0x30, 0x40, 0x30)
KEY_FACE = (0xE8, 0xF0, 0xFF)
KEY_RED = (0xE0, 0x50, 0x40)


def canvas(w, h):
    return [[KEY] * w for _ in range(h)]


def magnifier():
    size = 24
    px = canvas(size, size)
    # The sheet: columns 2..16, rows 1..21, the top-right corner folded.
    left, top, right, bottom = 2, 1, 16, 21
    fold = 5
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if x - (right - fold) > y - top:
                continue  # cut-off corner
            edge = x in (left, right) or y in (top, bottom) or x - (right - fold) == y - top
            px[y][x] = PAPER_EDGE if edge else WHITE
    for i in range(fold):
        for x in range(right - fold, right - fold + i + 1):
            px[top + i][x] = FOLD if x < right - fold + i else PAPER_EDGE
    for y in range(top + 4, bottom - 1, 3):
        for x in range(left + 2, right - 2 - (2 if y % 2 else 0)):
            px[y][x] = TEXT
    # The glass: a ring centred at (13, 12), lens radius 4.5, ring to 6.
    cx, cy = 13.0, 12.0
    for y in range(size):
        for x in range(size):
            r = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if r <= 4.6:
                px[y][x] = LENS
            elif r <= 6.2:
                px[y][x] = RING
    for x, y in ((11, 10), (12, 10), (11, 11), (10, 11)):
        px[y][x] = SHINE
    # The handle: a thick line from the ring to the lower right corner.
    for t in range(0, 60):
        f = t / 59.0
        x = 17.2 + f * 5.3
        y = 16.2 + f * 5.3
        for dx, dy in ((0, 0), (1, 0), (0, 1), (1, 1)):
            xi, yi = int(x) + dx, int(y) + dy
            if 0 <= xi < size and 0 <= yi < size and px[yi][xi] != RING:
                px[yi][xi] = HANDLE if dx + dy < 2 else HANDLE_DARK
    return px


def calculator():
    w, h = 31, 21
    px = canvas(w, h)
    left, top, right, bottom = 1, 1, 29, 19
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            corner = (x in (left, right)) and (y in (top, bottom))
            if corner:
                continue
            if x in (left, right) or y in (top, bottom):
                px[y][x] = CASE_DARK
            elif x == left + 1 or y == top + 1:
                px[y][x] = CASE_LIGHT
            else:
                px[y][x] = CASE
    # The display on the left, with three digit strokes.
    for y in range(4, 17):
        for x in range(4, 11):
            px[y][x] = DIGIT if x in (4, 10) or y in (4, 16) else DISPLAY
    for y in (7, 10, 13):
        for x in range(6, 9):
            px[y][x] = DIGIT
    # Four columns by three rows of keys, 3 x 3 pixels, the last one red.
    for row in range(3):
        for col in range(4):
            kx = 13 + col * 4
            ky = 4 + row * 5
            face = KEY_RED if (row, col) == (2, 3) else KEY_FACE
            for y in range(ky, ky + 3):
                for x in range(kx, kx + 3):
                    px[y][x] = face
    return px


def write_bmp(path, pixels):
    h = len(pixels)
    w = len(pixels[0])
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):  # bottom-up
        row = b''.join(bytes((b, g, r)) for (r, g, b) in pixels[y])
        rows.append(row + b'\0' * (stride - w * 3))
    data = b''.join(rows)
    header = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + 40 + len(data), 0, 0, 14 + 40)
    with open(path, 'wb') as f:
        f.write(file_header + header + data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else '.'
    os.makedirs(out, exist_ok=True)
    write_bmp(os.path.join(out, 'magnifier.bmp'), magnifier())
    write_bmp(os.path.join(out, 'calculator.bmp'), calculator())


if __name__ == '__main__':
    main()
