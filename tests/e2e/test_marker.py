"""The cross-hair marker of the real program: dragging the "+" draws a cross
over the screen in exclusive-or mode, shows the read-out window beside the
marker while the drag lasts, and leaves a scale line across the ruler at half
the marker's distance from the zero end; after the release the screen is the
picture from before the drag but for the scale line and the ruler's read-out
label. One program start per cross size.

The expected pixels are computed here: the cross and the scale line invert
the screen's colours (white pen, or the scale-line colour, in exclusive-or
mode), so they are the picture before the drag XOR their colour."""

import unittest

import harness
from harness import BAND, RULER_LENGTH, RULER_RGB, RULER_WIDTH, SCREEN_H, SCREEN_W, ZERO_X, ZERO_Y

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

# The marker label "+" (Arial, 19 pixels) at its standard place: left at
# x0 + 20 - 7, top at y0 - 30 - 7, 7 being half its 14 points.
MARKER = (ZERO_X + 13, ZERO_Y - 37)
# Where its glyph is looked for: the label's cell in the band's middle rows,
# clear of the ticks.
MARKER_CELL = (MARKER[0] - 2, ZERO_Y - 41, MARKER[0] + 25, ZERO_Y - 17)

# The read-out window, 30 x 40, placed at the press: label left + window left
# + (8 - 30) div 2, label top + window top + (8 - 40) div 2, with div
# truncating toward zero and 8 the ruler font's points.
INFO_W, INFO_H = 30, 40
INFO_LEFT = MARKER[0] + int((8 - INFO_W) / 2)    # 214
INFO_TOP = MARKER[1] + int((8 - INFO_H) / 2)     # 301
INFO_BOX = (INFO_LEFT, INFO_TOP, INFO_LEFT + INFO_W, INFO_TOP + INFO_H)
# Its colours: panel WinBKColor (default black), text WinNumberColor (default
# white), and the lowered bevel: shadow on the top and left edges, highlight
# on the right and bottom ones.
INFO_PANEL = (0, 0, 0)
INFO_TEXT = (255, 255, 255)
BEVEL_SHADOW = (0x80, 0x80, 0x80)
BEVEL_LIGHT = (0xFF, 0xFF, 0xFF)

# The ruler's own read-out label: centred 50 pixels along the ruler in the
# middle of the band; its text changes with every movement over the marker.
# Yellow: CurTextColor 0x00FFFF.
NUMBER_BOX = (ZERO_X + 50 - 28, ZERO_Y - 42, ZERO_X + 50 + 28, ZERO_Y - 17)
NUMBER_RGB = (0xFF, 0xFF, 0x00)

WHITE = (0xFF, 0xFF, 0xFF)
# The default scale-line colour 0x40FF00 (0x00BBGGRR) as RGB.
SCALE_LINE_RGB = (0x00, 0xFF, 0x40)
# Arms of the small cross; the big one crosses the whole screen.
SMALL_ARM = 20

# A point of the way, above the ruler: the cross leaves the band and comes
# back.
ABOVE = (ZERO_X + 88, ZERO_Y - RULER_WIDTH - 44)

STEP_TIMEOUT = 10.0


def ini_for(staff_size, show_display_form):
    return ('[Current]\nTransparence=0\nShowScaleLine=1\nShowDisplayForm=%d\nStaffSize=%d\n'
            '[ToolBar]\nShow=0\n' % (show_display_form, staff_size))


def xor(a, b):
    return tuple(p ^ q for p, q in zip(a, b))


def inside(box, x, y):
    return box[0] <= x < box[2] and box[1] <= y < box[3]


def scale_line_column(target_x, ratio=0.5):
    """The screen column of the scale line for a marker at this screen
    column: the zero end plus ratio times the distance (an even distance, so
    no rounding is involved)."""
    distance = target_x - ZERO_X
    assert distance % 2 == 0
    return ZERO_X + int(distance * ratio)


def differences(shot, before, expected_column=None, ignore=()):
    """Pixels of the shot that are not the picture before, except the boxes
    to ignore, with the band's pixels in expected_column inverted by the
    scale-line colour. A list of (x, y, found, expected)."""
    out = []
    row_bytes = SCREEN_W * 3
    for y in range(SCREEN_H):
        start = y * row_bytes
        if shot.rgb[start:start + row_bytes] == before.rgb[start:start + row_bytes] and \
                not (expected_column is not None and BAND[1] <= y < BAND[3]):
            continue
        for x in range(SCREEN_W):
            if any(inside(box, x, y) for box in ignore):
                continue
            want = before.pixel(x, y)
            if x == expected_column and BAND[1] <= y < BAND[3]:
                want = xor(want, SCALE_LINE_RGB)
            got = shot.pixel(x, y)
            if got != want:
                out.append((x, y, got, want))
    return out


def read_out_window_faults(shot):
    """What differs from the read-out window at INFO_BOX (its bevel, its
    black panel, its white text), as texts; empty when it is there."""
    left, top, right, bottom = INFO_BOX
    shadow = [(left, y) for y in range(top + 1, bottom)] + [(x, top) for x in range(left, right - 1)]
    light = [(right - 1, y) for y in range(top, bottom - 1)] + [(x, bottom - 1) for x in range(left, right)]
    faults = []
    # The text may overlap the left edge (it is centred by the previous
    # read-out), so nine tenths of each bevel suffice.
    for name, points, colour in (('shadow', shadow, BEVEL_SHADOW), ('highlight', light, BEVEL_LIGHT)):
        hits = sum(1 for x, y in points if shot.pixel(x, y) == colour)
        if hits < len(points) * 9 // 10:
            faults.append('read-out window: %s bevel on %d of %d pixels' % (name, hits, len(points)))
    interior = (left + 1, top + 1, right - 1, bottom - 1)
    area = (interior[2] - interior[0]) * (interior[3] - interior[1])
    panel = shot.count(INFO_PANEL, *interior)
    if panel < area // 2:
        faults.append('read-out window: panel colour on %d of %d pixels' % (panel, area))
    text = shot.count(INFO_TEXT, *interior)
    if text < 10:
        faults.append('read-out window: text colour on %d pixels' % text)
    return faults


def cross_points(staff_size, at):
    """Screen points on the cross at `at` (along and across the horizontal
    ruler), clear of the read-out window and of the ruler's read-out label."""
    x, y = at
    if staff_size == 1:
        d = SMALL_ARM - 2
        return [(x - d, y), (x + d, y), (x, y - d), (x, y + d)]
    return [(5, y), (SCREEN_W - 5, y), (x, 5), (x, SCREEN_H - 5), (ZERO_X + RULER_LENGTH + 50, y)]


class MarkerTest(harness.MensorTestCase):

    def start(self, staff_size, show_display_form):
        """Starts the program; puts the pointer on the "+" glyph; returns the
        app, the press point and the settled screen."""
        self.session.xdotool('mousemove', SCREEN_W - 10, SCREEN_H - 10)
        app = self.start_app(ini_for(staff_size, show_display_form))
        shot = app.wait_for_screen('the marker "+" on the ruler',
                                   lambda s: s.bounding_box(WHITE, *MARKER_CELL) is not None)
        press = self.glyph_point(shot)
        # Over the marker the ruler's read-out label shows the distance.
        self.session.xdotool('mousemove', *press)
        app.wait_for_screen('the read-out label over the marker',
                            lambda s: s.count(NUMBER_RGB, *NUMBER_BOX) > 0)
        return app, press, self.settled(app)

    def glyph_point(self, shot):
        """A pixel of the "+" glyph: the one of the marker's colour nearest
        the middle of the glyph's box."""
        box = shot.bounding_box(WHITE, *MARKER_CELL)
        cx, cy = (box[0] + box[2] - 1) / 2, (box[1] + box[3] - 1) / 2
        points = [(x, y) for y in range(box[1], box[3]) for x in range(box[0], box[2])
                  if shot.pixel(x, y) == WHITE]
        return min(points, key=lambda p: (p[0] - cx) ** 2 + (p[1] - cy) ** 2)

    def settled(self, app):
        """A screenshot equal to the one taken just before it."""
        previous = [None]

        def same(shot):
            equal = previous[0] is not None and shot.rgb == previous[0].rgb
            previous[0] = shot
            return equal
        return app.wait_for_screen('a settled screen', same)

    def drag(self, app, staff_size, before, target, during):
        """Presses on the marker (the pointer is on it), moves above the
        ruler and on to target, waits until the cross stands there and
        during(shot) finds no faults, releases."""
        points = cross_points(staff_size, target)

        def faults(shot):
            found = [(p, shot.pixel(*p)) for p in points if shot.pixel(*p) != xor(before.pixel(*p), WHITE)]
            return (['cross at %r missing at %r' % (target, found)] if found else []) + during(shot)
        self.session.xdotool('mousedown', 1)
        try:
            self.session.xdotool('mousemove', *ABOVE)
            self.session.xdotool('mousemove', *target)
            try:
                app.wait_for_screen('the cross at %r' % (target,), lambda shot: not faults(shot), STEP_TIMEOUT)
            except harness.HarnessError:
                self.fail('during the drag: %s' % '; '.join(faults(self.session.last_shot)))
        finally:
            self.session.xdotool('mouseup', 1)

    def assertScreenAfterRelease(self, app, before, column, what):
        """Polls until the screen is the picture before but for the scale
        line at `column` and the ruler's read-out label."""
        ignore = (NUMBER_BOX,)
        try:
            return app.wait_for_screen(what, lambda s: not differences(s, before, column, ignore), STEP_TIMEOUT)
        except harness.HarnessError:
            faults = differences(self.session.last_shot, before, column, ignore)
            self.fail('%s: %d pixels differ (x, y, found, expected), first %r'
                      % (what, len(faults), faults[:10]))

    def close(self, app):
        app.kill()
        harness.wait_until('the ruler to disappear',
                           lambda: not self.session.visible_windows(r'^Mensor$'), harness.EXIT_TIMEOUT)

    def test_small_cross_with_read_out_window_and_scale_line(self):
        app, press, before = self.start(staff_size=1, show_display_form=1)
        self.assertEqual(before.count(BEVEL_SHADOW, *INFO_BOX), 0, 'no read-out window before the drag')

        # 200 pixels from the zero end: the scale line at 100.
        target = (ZERO_X + 200, ZERO_Y - RULER_WIDTH + 6)
        self.drag(app, 1, before, target, read_out_window_faults)
        first = scale_line_column(target[0])
        self.assertEqual(first, ZERO_X + 100)
        after = self.assertScreenAfterRelease(
            app, before, first, 'after the release: the scale line at column %d and no cross, '
            'no read-out window' % first)
        # The expected colours over the ruler's background, for the record.
        self.assertEqual(after.pixel(first, ZERO_Y - RULER_WIDTH), xor(RULER_RGB, SCALE_LINE_RGB))
        self.assertEqual(xor(RULER_RGB, SCALE_LINE_RGB), (0x37, 0x64, 0xBF))

        # A second drag, 300 pixels out: the line moves to 150, the old one
        # is gone.
        self.session.xdotool('mousemove', *press)
        before2 = self.settled(app)
        target = (ZERO_X + 300, ZERO_Y - RULER_WIDTH + 6)
        self.drag(app, 1, before2, target, read_out_window_faults)
        second = scale_line_column(target[0])
        self.assertScreenAfterRelease(app, before, second,
                                      'after the second release: only the scale line at column %d' % second)
        self.close(app)

    def test_right_click_and_esc_during_drags_leave_nothing_behind(self):
        app, press, before = self.start(staff_size=1, show_display_form=1)

        def press_and_move(target):
            self.session.xdotool('mousemove', *press)
            self.session.xdotool('mousedown', 1)
            self.session.xdotool('mousemove', *ABOVE)
            self.session.xdotool('mousemove', *target)
            points = cross_points(1, target)
            try:
                app.wait_for_screen('the cross at %r' % (target,), lambda shot: not read_out_window_faults(shot) and all(
                    shot.pixel(*p) == xor(before.pixel(*p), WHITE) for p in points), STEP_TIMEOUT)
            except harness.HarnessError:
                self.session.xdotool('mouseup', 1)
                self.fail('no cross at %r with the read-out window' % (target,))

        # A right click releases a button: the drag ends there, the scale line
        # stays, and no menu opens. Esc then has nothing to cancel.
        first = (ZERO_X + 200, ZERO_Y - RULER_WIDTH + 6)
        press_and_move(first)
        self.session.xdotool('click', 3)
        self.session.xdotool('key', 'Escape')
        self.assertScreenAfterRelease(app, before, scale_line_column(first[0]),
                                      'after the right click and Esc: the scale line, no cross, no read-out window')
        self.session.xdotool('mouseup', 1)
        self.assertScreenAfterRelease(app, before, scale_line_column(first[0]), 'after the left release')
        self.assertEqual(app.windows(), [app.ruler], 'no popup menu nor read-out window is open')

        # Esc during a drag cancels it: the scale line goes back to where the
        # first drag left it.
        press_and_move((ZERO_X + 300, ZERO_Y - RULER_WIDTH + 6))
        self.session.xdotool('key', 'Escape')
        self.assertScreenAfterRelease(app, before, scale_line_column(first[0]),
                                      'after Esc: the first scale line, no cross, no read-out window')
        self.session.xdotool('mouseup', 1)
        self.assertScreenAfterRelease(app, before, scale_line_column(first[0]), 'after the release that followed Esc')

        # The next drag works as ever: the cross at the pointer, the line at
        # half its distance.
        self.session.xdotool('mousemove', *press)
        before2 = self.settled(app)
        target = (ZERO_X + 260, ZERO_Y - RULER_WIDTH + 6)
        self.drag(app, 1, before2, target, read_out_window_faults)
        self.assertScreenAfterRelease(app, before, scale_line_column(target[0]),
                                      'after the next drag: only its scale line')
        self.close(app)

    def test_big_cross_without_read_out_window(self):
        app, _, before = self.start(staff_size=0, show_display_form=0)

        def no_read_out_window(shot):
            n = shot.count(BEVEL_SHADOW, *INFO_BOX)
            return ['%d pixels of the read-out window\'s bevel' % n] if n else []

        target = (ZERO_X + 200, ZERO_Y - RULER_WIDTH + 6)
        self.drag(app, 0, before, target, no_read_out_window)
        self.assertScreenAfterRelease(app, before, scale_line_column(target[0]),
                                      'after the release: the scale line and nothing of the cross')
        self.close(app)


if __name__ == '__main__':
    unittest.main()
