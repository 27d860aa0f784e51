"""The painted scale of the real program, pixel by pixel: for each unit the
long, half and short ticks stand at the expected screen columns on both long
edges with the expected lengths, in the tick colour over the ruler colour,
nothing else is drawn on the edges, and the numbers stand where they belong
(and "50" in pixels, "1" in centimetres do not).

The expected picture is computed here from the graduation rules, not taken
from the program. One program start per unit."""

import unittest
from fractions import Fraction

import harness
from harness import RULER_RGB, SCREEN_H, SCREEN_W

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

LENGTH = 600
WIDTH = 60
HALF = WIDTH // 2
ZERO_X = (SCREEN_W - LENGTH) // 2   # 212
ZERO_Y = (SCREEN_H - WIDTH) // 2    # 354, the zero edge
FAR_Y = ZERO_Y - WIDTH              # 294, the opposite edge
# The window region is the polygon of the four corners; like every polygon
# region it leaves out its right and bottom edges, so the visible ruler is
# columns ZERO_X .. ZERO_X + LENGTH - 1 and rows FAR_Y .. ZERO_Y - 1. The
# zero edge row ZERO_Y itself is outside: a tick drawn from it shows one
# pixel less than its length there.
COLUMNS = range(ZERO_X, ZERO_X + LENGTH)
ROWS = range(FAR_Y, ZERO_Y)

# Tick lengths.
LONG, HALF_STEP, SHORT = 18, 15, 10
# Rows that only ticks can reach (from either edge) and the middle band
# between them where only numbers and the staff marker stand.
MIDDLE = range(FAR_Y + LONG + 1, ZERO_Y - LONG + 1)   # 313 .. 336

# The drawing font's size in points and the display's resolution under
# Wine's default settings.
FONT_POINTS = 8
PIXELS_PER_INCH = 96
# The top of every number on a horizontal ruler: Round(y0 - h - s / 2).
NUMBER_TOP = ZERO_Y - HALF - FONT_POINTS // 2   # 320
# Where a number's glyphs may stand: from its left, at most this many pixels
# per digit to the right and this many rows down (the font is about 8 points;
# the measured "100" is 20 x 8 pixels).
DIGIT_PITCH = 8
NUMBER_ROWS = 13
# A fully visible number shows at least this many pixels of (mostly) the
# number colour: the text is smoothed, a thin digit such as "1" keeps only a
# few pixels of exactly its colour.
MIN_NUMBER_PIXELS = 8

# The staff marker "+" (Arial 14 points) at its standard place, x0 + 13,
# y0 - 37: the middle-band checks leave its cell alone.
MARKER = (ZERO_X + 13, ZERO_Y - 37, ZERO_X + 13 + 20, MIDDLE.stop)

# The custom unit of the custom-unit test.
CUSTOM_PIXELS, CUSTOM_TICKS, CUSTOM_EVERY = 40, 4, 1


def rgb(color):
    """A 0x00BBGGRR colour value as an (R, G, B) tuple."""
    return (color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF)


def round_even(value):
    """Round to nearest, ties to even (Python's round of a Fraction)."""
    return round(value)


def spacing(unit):
    """The tick spacing f as the program's double."""
    return {0: 1.0, 1: PIXELS_PER_INCH / 25.4, 2: PIXELS_PER_INCH / 8.0,
            3: float(CUSTOM_PIXELS) / CUSTOM_TICKS}[unit]


def tick_length(unit, c):
    if unit == 0:
        return LONG if c % 50 == 0 else HALF_STEP if c % 25 == 0 else SHORT if c % 5 == 0 else 0
    if unit == 1:
        return LONG if c % 10 == 0 else HALF_STEP if c % 5 == 0 else SHORT
    if unit == 2:
        return LONG if c % 8 == 0 else HALF_STEP if c % 4 == 0 else SHORT
    return LONG if c % (CUSTOM_EVERY * CUSTOM_TICKS) == 0 else SHORT


def number_at(unit, c):
    """(text, shift o) of the number on long tick c, or None."""
    if unit == 0:
        if 10 <= c < 100:
            return None          # no "50"
        n, digits = c, len(str(c))
    elif unit == 1:
        n = c // 10
        if n == 1:
            return None          # no "1"
        digits = 1 if c < 100 else 2 if c < 1000 else 3
    elif unit == 2:
        n = c // 8
        digits = 1 if c < 80 else 2 if c < 800 else 3
    else:
        every = CUSTOM_EVERY * CUSTOM_TICKS
        n = c // every
        digits = 1 if c < 10 * every else 2 if c < 100 * every else 3
    return str(n), Fraction(digits * FONT_POINTS, 2)


def expected_scale(unit):
    """({screen column: tick length}, [(text, left column)]) of the scale
    on the horizontal ruler: tick c at Round(c f + x0), the number's left o
    pixels before its tick."""
    f = Fraction(spacing(unit))
    last = round_even(Fraction(1500) / f)
    ticks = {}
    numbers = []
    for c in range(last + 1):
        k = tick_length(unit, c)
        if k == 0:
            continue
        x = round_even(c * f + ZERO_X)
        ticks[x] = max(ticks.get(x, 0), k)
        if k == LONG:
            number = number_at(unit, c)
            if number is not None:
                text, shift = number
                numbers.append((text, round_even(x - shift)))
    return ticks, numbers


def number_box(text, left):
    """Where the number's glyphs may stand: left, top, right, bottom (exclusive)."""
    return (left, NUMBER_TOP, left + DIGIT_PITCH * len(text), NUMBER_TOP + NUMBER_ROWS)


def count_mostly(shot, color, box):
    """Pixels in the box that are a blend of at least half the colour over
    the ruler colour (and no other colour)."""
    d = [c - b for c, b in zip(color, RULER_RGB)]
    norm = sum(v * v for v in d)
    n = 0
    for y in range(box[1], box[3]):
        for x in range(box[0], box[2]):
            v = [p - b for p, b in zip(shot.pixel(x, y), RULER_RGB)]
            a = sum(p * q for p, q in zip(v, d)) / norm
            if a >= 0.5 and all(abs(v[i] - a * d[i]) <= 40 for i in range(3)):
                n += 1
    return n


def inside(box, x, y):
    return box[0] <= x < box[2] and box[1] <= y < box[3]


def tick_faults(shot, ticks, fore):
    """Pixels of the two tick bands that differ from the expected picture, as
    (x, y, found, expected) tuples. A tick of length k at column x covers
    rows ZERO_Y - k + 1 .. ZERO_Y - 1 (the row ZERO_Y is clipped) from the
    zero edge and FAR_Y + 1 .. FAR_Y + k from the opposite edge (LineTo
    leaves out the end point on FAR_Y)."""
    faults = []
    for x in COLUMNS:
        k = ticks.get(x, 0)
        for y in ROWS:
            if y in MIDDLE:
                continue
            on = ZERO_Y - k < y or FAR_Y < y <= FAR_Y + k
            want = fore if on else RULER_RGB
            got = shot.pixel(x, y)
            if got != want:
                faults.append((x, y, got, want))
    return faults


def outside_faults(shot, fore):
    """Ruler or tick pixels on the rows just outside the region."""
    faults = []
    for y in (FAR_Y - 1, ZERO_Y):
        for x in COLUMNS:
            got = shot.pixel(x, y)
            if got in (fore, RULER_RGB):
                faults.append((x, y, got))
    return faults


def middle_faults(shot, numbers, number_rgb):
    """What is wrong in the middle band: numbers without pixels of the number
    colour, and anything but the ruler colour outside the numbers' and the
    marker's places."""
    boxes = [number_box(text, left) for text, left in numbers
             if left < COLUMNS.stop and left + DIGIT_PITCH * len(text) > COLUMNS.start]
    faults = []
    for (text, left), box in zip(numbers, boxes):
        if box[0] < COLUMNS.start or box[2] > COLUMNS.stop:
            continue    # clipped by an end of the ruler
        n = count_mostly(shot, number_rgb, box)
        if n < MIN_NUMBER_PIXELS:
            faults.append('number %s at column %d: %d pixels of its colour' % (text, left, n))
    stray = []
    for y in MIDDLE:
        for x in COLUMNS:
            if inside(MARKER, x, y) or any(inside(b, x, y) for b in boxes):
                continue
            if shot.pixel(x, y) != RULER_RGB:
                stray.append((x, y))
    if stray:
        faults.append('%d stray pixels in the middle band, first %r' % (len(stray), stray[:8]))
    return faults


def ini_for(unit, colors):
    lines = ['[Current]', 'Transparence=0', 'Unit=%d' % unit,
             'PixelPerUnit=%d' % CUSTOM_PIXELS, 'TicksPerUnit=%d' % CUSTOM_TICKS,
             'DisplayValueUnit=%d' % CUSTOM_EVERY, '[ToolBar]', 'Show=0', '[Face]']
    lines += ['%s=%d' % item for item in colors.items()]
    return '\n'.join(lines) + '\n'


class PaintingTest(harness.MensorTestCase):

    def paint(self, unit, foreground=0xFFFFFF, number=0xFFFFFF, staff=0xFFFFFF):
        """Starts the program on this unit and colours; waits until the
        screen shows the expected scale; returns the shot and the expected
        numbers. On a timeout the last shot's differences are the failure."""
        fore, number_rgb = rgb(foreground), rgb(number)
        ticks, numbers = expected_scale(unit)
        # The pointer away from the ruler, so no read-out follows it.
        self.session.xdotool('mousemove', SCREEN_W - 10, SCREEN_H - 10)
        app = self.start_app(ini_for(unit, {'ForegroundColor': foreground, 'NumberColor': number,
                                            'StaffColor': staff}))

        def faults(shot):
            return (tick_faults(shot, ticks, fore), outside_faults(shot, fore),
                    middle_faults(shot, numbers, number_rgb))
        try:
            shot = app.wait_for_screen('the scale of unit %d' % unit, lambda s: not any(faults(s)))
        except harness.HarnessError:
            shot = self.session.last_shot
            ticks_bad, outside_bad, middle_bad = faults(shot)
            self.assertEqual(ticks_bad[:12], [], '%d tick-band pixels differ (x, y, found, expected)'
                             % len(ticks_bad))
            self.assertEqual(outside_bad[:12], [], 'ruler or tick colour outside the region')
            self.assertEqual(middle_bad, [], 'numbers')
            raise
        finally:
            self.close(app)
        return shot, ticks, numbers

    def close(self, app):
        """Ends the program at once and waits until its ruler is gone, so the
        next start has the screen to itself."""
        app.kill()
        harness.wait_until('the ruler to disappear',
                           lambda: not self.session.visible_windows(r'^Mensor$'), harness.EXIT_TIMEOUT)

    def assertNoMark(self, shot, box, what):
        found = [(x, y) for y in range(box[1], box[3]) for x in range(box[0], box[2])
                 if shot.pixel(x, y) != RULER_RGB]
        self.assertEqual(found, [], what)

    def assertTickColumns(self, ticks, expected):
        """The expected columns per length against hand-made values, so that
        the model above is itself checked."""
        for k, columns in expected.items():
            got = [x for x in sorted(ticks) if ticks[x] == k][:len(columns)]
            self.assertEqual(got, columns, 'first columns with ticks of length %d' % k)

    def test_pixels_in_the_default_colours(self):
        shot, ticks, numbers = self.paint(0)
        self.assertTickColumns(ticks, {LONG: [212, 262, 312], HALF_STEP: [237, 287],
                                       SHORT: [217, 222, 227, 232, 242]})
        self.assertEqual(numbers[:3], [('0', 208), ('100', 300), ('150', 350)])
        # Column 312 (100 pixels): 18 rows on the opposite edge, 17 visible
        # on the zero edge; column 313 is bare.
        white = rgb(0xFFFFFF)
        self.assertEqual([y for y in ROWS if shot.pixel(312, y) == white and y not in MIDDLE],
                         list(range(295, 313)) + list(range(337, 354)))
        self.assertEqual([y for y in ROWS if shot.pixel(313, y) == white and y not in MIDDLE], [])
        # No "50": the middle band around column 262 is bare.
        self.assertNoMark(shot, (262 - 16, MIDDLE.start, 262 + 16, MIDDLE.stop), 'a number at 50 pixels')

    def test_centimetres(self):
        shot, ticks, numbers = self.paint(1, foreground=0x0000FF, number=0x00FF00, staff=0xFF00FF)
        # f = 96 / 25.4 = 3.7795...: 1 mm at 4, 5 mm at 18.9 -> 19, 1 cm at 37.8 -> 38.
        self.assertTickColumns(ticks, {LONG: [212, 250, 288], HALF_STEP: [231, 269],
                                       SHORT: [216, 220, 223, 227]})
        self.assertEqual(numbers[:3], [('0', 208), ('2', 284), ('3', 321)])
        self.assertNoMark(shot, (250 - 10, MIDDLE.start, 250 + 10, MIDDLE.stop), 'a number "1"')

    def test_inches(self):
        shot, ticks, numbers = self.paint(2, foreground=0x008000, number=0xFFFF00, staff=0x0000FF)
        # f = 96 / 8 = 12 pixels an eighth of an inch.
        self.assertTickColumns(ticks, {LONG: [212, 308, 404], HALF_STEP: [260, 356],
                                       SHORT: [224, 236, 248, 272]})
        self.assertEqual(numbers[:3], [('0', 208), ('1', 304), ('2', 400)])

    def test_custom_unit(self):
        shot, ticks, numbers = self.paint(3, foreground=0x00FFFF, number=0xFF00FF, staff=0x00FF00)
        # 40 pixels a unit, 4 ticks a unit: a tick every 10 pixels, a number
        # every unit, no half ticks.
        self.assertTickColumns(ticks, {LONG: [212, 252, 292], HALF_STEP: [],
                                       SHORT: [222, 232, 242, 262]})
        self.assertEqual(numbers[:3], [('0', 208), ('1', 248), ('2', 288)])
        self.assertEqual(numbers[10], ('10', 604))


if __name__ == '__main__':
    unittest.main()
