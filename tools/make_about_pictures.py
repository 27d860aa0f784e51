#!/usr/bin/env python3
"""Draws the three pictures of the about box into src/about/pictures/:

  banner.jpg   471 x 106 baseline JPEG, three colour components: the product
               name, its version and a slogan over a slanted ruler on light blue
  picture.bmp  101 x 108, 256 colours: a set square, a ruler and a magnifier on
               a magenta ground (the bottom-left colour, drawn transparent)
  contact.bmp  32 x 32, 256 colours: a letter, beside the contact addresses

The bitmaps are written here byte by byte. The banner is drawn by ImageMagick
(`convert`) with the DejaVu fonts (Debian package fonts-dejavu-core, which
scripts/install-deps.sh installs); its version comes from project(... VERSION)
in CMakeLists.txt, so run this again when the version changes:

    python3 tools/make_about_pictures.py
"""

import math
import os
import re
import struct
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, 'src', 'about', 'pictures')
FONT_DIR = '/usr/share/fonts/truetype/dejavu'

BANNER_W, BANNER_H = 471, 106
# Colours the unit tests look for (within JPEG's error).
SKY = (206, 230, 250)
RULER = (250, 214, 96)
INK = (24, 58, 120)


def version():
    with open(os.path.join(ROOT, 'CMakeLists.txt')) as f:
        m = re.search(r'project\(\s*mensor\s+VERSION\s+(\d+)\.(\d+)', f.read())
    return '%s.%s' % (m.group(1), m.group(2))


def rgb(c):
    return 'rgb(%d,%d,%d)' % c


# ---------------------------------------------------------------- the banner

def slanted_ruler():
    """Draw commands of a ruler band turned by a few degrees, with ticks on its
    upper edge, across the lower half of the banner."""
    angle = math.radians(-7.0)
    ca, sa = math.cos(angle), math.sin(angle)
    ox, oy = 292.0, 100.0   # lower-left corner of the band
    length, width = 190.0, 30.0

    def at(u, v):   # u along the ruler, v up from its lower edge
        return ox + u * ca + v * sa, oy - (-u * sa + v * ca)

    corners = [at(0, 0), at(length, 0), at(length, width), at(0, width)]
    cmds = ['fill %s stroke %s stroke-width 1 polygon %s' %
            (rgb(RULER), rgb((150, 110, 20)), ' '.join('%.1f,%.1f' % p for p in corners))]
    for i in range(0, 37):
        u = 6 + i * 5.0
        tick = 12 if i % 10 == 0 else 8 if i % 5 == 0 else 4
        (x1, y1), (x2, y2) = at(u, width), at(u, width - tick)
        cmds.append('stroke %s stroke-width 1 line %.1f,%.1f %.1f,%.1f' % (rgb((60, 40, 10)), x1, y1, x2, y2))
    return cmds


def make_banner(path):
    ver = version()
    draw = ['-fill', rgb(SKY), '-draw', 'rectangle 0,0 %d,%d' % (BANNER_W, BANNER_H)]
    # A lighter stripe along the top, like sky light.
    draw += ['-fill', rgb((232, 243, 253)), '-draw', 'rectangle 0,0 %d,10' % BANNER_W]
    for c in slanted_ruler():
        draw += ['-draw', c]
    text = [
        '-font', os.path.join(FONT_DIR, 'DejaVuSans-Bold.ttf'), '-pointsize', '34', '-fill', rgb(INK),
        '-stroke', 'none', '-annotate', '+18+50', 'Mensor',
        '-pointsize', '18', '-annotate', '+158+50', ver,
        '-font', os.path.join(FONT_DIR, 'DejaVuSans-Oblique.ttf'), '-pointsize', '13',
        '-fill', rgb((40, 80, 140)), '-annotate', '+20+74', 'The ruler for everything on your screen',
    ]
    # NOTE: -type TrueColor keeps three components even for a nearly grey
    # picture; -interlace none gives a baseline (not progressive) file.
    subprocess.run(['convert', '-size', '%dx%d' % (BANNER_W, BANNER_H), 'xc:' + rgb(SKY)] + draw + text +
                   ['-type', 'TrueColor', '-interlace', 'none', '-sampling-factor', '2x2',
                    '-quality', '90', '-strip', 'jpeg:' + path], check=True)


# ---------------------------------------------------------- 256-colour bitmaps

class Canvas8:
    """A picture of palette indices; colours are added to the palette on use."""

    def __init__(self, w, h, ground):
        self.w, self.h = w, h
        self.palette = []
        self.px = [[self.index(ground)] * w for _ in range(h)]

    def index(self, c):
        if c not in self.palette:
            assert len(self.palette) < 256
            self.palette.append(c)
        return self.palette.index(c)

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = self.index(c)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, c)

    def fill_where(self, inside, c):
        for y in range(self.h):
            for x in range(self.w):
                if inside(x + 0.5, y + 0.5):
                    self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.put(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def save_bmp(self, path):
        """8 bits per pixel, BI_RGB, bottom-up rows padded to four bytes, a
        palette of 256 entries (unused ones black)."""
        stride = (self.w + 3) & ~3
        pal = b''.join(struct.pack('<BBBB', b, g, r, 0) for r, g, b in self.palette)
        pal += b'\0' * (1024 - len(pal))
        rows = b''.join(bytes(self.px[y]) + b'\0' * (stride - self.w) for y in range(self.h - 1, -1, -1))
        offset = 14 + 40 + 1024
        header = struct.pack('<2sIHHI', b'BM', offset + len(rows), 0, 0, offset)
        info = struct.pack('<IiiHHIIiiII', 40, self.w, self.h, 1, 8, 0, len(rows), 3780, 3780, 256, 0)
        with open(path, 'wb') as f:
            f.write(header + info + pal + rows)


KEY = (255, 0, 255)   # the transparent ground of picture.bmp


def make_picture(path):
    p = Canvas8(101, 108, KEY)
    # A set square: right angle at the lower left.
    outline, face, hole = (40, 70, 120), (120, 180, 235), KEY
    p.fill_where(lambda x, y: x >= 8 and y <= 100 and (x - 8) <= (y - 12) * 0.95, face)
    p.fill_where(lambda x, y: x >= 20 and y <= 88 and (x - 20) <= (y - 46) * 0.95, hole)
    p.line(8, 12, 8, 100, outline)
    p.line(8, 100, 92, 100, outline)
    p.line(8, 12, 92, 100, outline)
    # A ruler across it, with ticks.
    body, tick = (250, 214, 96), (60, 40, 10)
    p.rect(30, 60, 98, 74, body)
    p.line(30, 60, 97, 60, tick)
    p.line(30, 73, 97, 73, tick)
    p.line(30, 60, 30, 73, tick)
    p.line(97, 60, 97, 73, tick)
    for i, x in enumerate(range(34, 97, 4)):
        p.line(x, 61, x, 61 + (5 if i % 5 == 0 else 3), tick)
    # A magnifier at the top right.
    glass, rim = (220, 240, 255), (70, 70, 80)
    p.fill_where(lambda x, y: (x - 66) ** 2 + (y - 26) ** 2 <= 17 ** 2, rim)
    p.fill_where(lambda x, y: (x - 66) ** 2 + (y - 26) ** 2 <= 13 ** 2, glass)
    for d in range(-2, 3):
        p.line(78 + d, 38, 94 + d, 54, rim)
    p.save_bmp(path)


def make_contact(path):
    p = Canvas8(32, 32, (236, 236, 236))
    paper, edge, flap, stamp = (255, 255, 255), (40, 70, 120), (200, 220, 245), (220, 60, 50)
    p.rect(2, 7, 30, 26, paper)
    p.fill_where(lambda x, y: 2 <= x <= 30 and 7 <= y <= 17 and abs(x - 16) <= (17 - y) * 1.4, flap)
    p.line(2, 7, 29, 7, edge)
    p.line(2, 25, 29, 25, edge)
    p.line(2, 7, 2, 25, edge)
    p.line(29, 7, 29, 25, edge)
    p.line(2, 7, 16, 17, edge)
    p.line(29, 7, 16, 17, edge)
    p.rect(23, 10, 27, 14, stamp)
    p.save_bmp(path)


def main():
    os.makedirs(OUT, exist_ok=True)
    make_banner(os.path.join(OUT, 'banner.jpg'))
    make_picture(os.path.join(OUT, 'picture.bmp'))
    make_contact(os.path.join(OUT, 'contact.bmp'))
    return 0


if __name__ == '__main__':
    sys.exit(main())
