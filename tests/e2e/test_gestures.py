"""Mouse gestures on the real ruler: stretching the far end (also down to the
shortest length), stretching the zero end, moving the body. During each drag
the window stays where it is and only the exclusive-or outline of the new
place is on the screen; at the release the ruler takes that place, and the
screen around it is exactly as before (no trace of the outline). The length
the stretches leave is the one saved at exit."""

import unittest

import harness
from harness import RULER_RGB, SCREEN_H, SCREEN_W

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

LENGTH = 600
WIDTH = 60
# The ruler starts horizontal with its zero corner (lower left) here; the body
# lies above row ZERO_Y and the far end is at x = ZERO_X + LENGTH.
ZERO_X = (SCREEN_W - LENGTH) // 2   # 212
ZERO_Y = (SCREEN_H - WIDTH) // 2    # 354
MIDDLE_Y = ZERO_Y - WIDTH // 2      # a row through the middle of the body

PLAIN_INI = """[Current]
Transparence=0
[ToolBar]
Show=0
"""

# Wine's stand-in for the notification area sits in the top left corner and
# shows the program's icon, which has the ruler's colour.
NOTIFY_AREA = (0, 0, 170, 60)


def horizontal_box(zero_x, zero_y, length):
    """Pixels (left, top, right, bottom; right and bottom exclusive) of a
    horizontal ruler with its zero corner at (zero_x, zero_y)."""
    return (zero_x, zero_y - WIDTH, zero_x + length, zero_y)


def _row_span(shot, y, target, left, right):
    """First and last x in [left, right) of row y with exactly this colour."""
    row = shot.rgb[y * shot.width * 3:(y + 1) * shot.width * 3]
    first = None
    i = row.find(target, left * 3, right * 3)
    while i >= 0:
        if i % 3 == 0:
            first = i // 3
            break
        i = row.find(target, i + 1, right * 3)
    if first is None:
        return None
    last = first
    i = row.rfind(target, first * 3, right * 3)
    while i > first * 3:
        if i % 3 == 0:
            last = i // 3
            break
        i = row.rfind(target, first * 3, i + 2)
    return first, last


def ruler_box(shot):
    """Bounding box of the ruler's colour on the screen, the notification area
    left out; None when the colour is nowhere."""
    box = None
    for y in range(shot.height):
        left = NOTIFY_AREA[2] if y < NOTIFY_AREA[3] else 0
        span = _row_span(shot, y, bytes(RULER_RGB), left, shot.width)
        if span is None:
            continue
        if box is None:
            box = [span[0], y, span[1] + 1, y + 1]
        else:
            box = [min(box[0], span[0]), box[1], max(box[2], span[1] + 1), y + 1]
    return tuple(box) if box else None


def outline_pixels(box):
    """The pixels of the rubber band around a ruler occupying `box`: the
    closed outline through its four corners, which lie on the box's left and
    top edges and one pixel beyond its right and bottom edges."""
    left, top, right, bottom = box
    pixels = set()
    for x in range(left, right + 1):
        pixels.add((x, top))
        pixels.add((x, bottom))
    for y in range(top, bottom + 1):
        pixels.add((left, y))
        pixels.add((right, y))
    return {(x, y) for x, y in pixels if 0 <= x < SCREEN_W and 0 <= y < SCREEN_H}


def differences(shot, expected, skip):
    """Pixels (x, y) where shot differs from the bytes `expected` (a whole
    screen), outside the rectangle `skip`; at most a few."""
    found = []
    w = shot.width
    for y in range(shot.height):
        a = shot.rgb[y * w * 3:(y + 1) * w * 3]
        b = expected[y * w * 3:(y + 1) * w * 3]
        if a == b:
            continue
        for x in range(w):
            if skip[0] <= x < skip[2] and skip[1] <= y < skip[3]:
                continue
            if a[x * 3:x * 3 + 3] != b[x * 3:x * 3 + 3]:
                found.append((x, y))
                if len(found) >= 5:
                    return found
    return found


def interior(box):
    """The box without its outermost rows and columns: the part of the ruler
    where the read-out label changes as the pointer moves."""
    left, top, right, bottom = box
    return (left + 1, top + 1, right - 1, bottom - 1)


class RulerBoxWaits:
    """For test cases: waiting until the ruler covers a given box."""

    def wait_for_box(self, app, box, what):
        try:
            return app.wait_for_screen(what, lambda shot: ruler_box(shot) == box)
        except harness.HarnessError:
            shot = self.session.last_shot
            self.fail('%s: the ruler covers %r, expected %r' % (what, ruler_box(shot) if shot else None, box))


class GestureTest(RulerBoxWaits, harness.MensorTestCase):

    def wait_for_band(self, app, before, box, ruler, what):
        """Waits until the screen is `before` with the outline of `box`
        drawn over it in exclusive-or (every pixel under it inverted); fails
        with `what` otherwise. Over the ruler's own box at the press, `ruler`,
        a band pixel may also show the ruler as it was, and other pixels are
        not compared: the read-out label there changes as the pointer moves,
        and Wine copies an exposed part of a window from its back buffer
        again when it gets to the X server's notice, over what was drawn
        there in the meantime (a resized window's exposures can come after
        the next press)."""
        left, top, right, bottom = ruler
        band = outline_pixels(box)
        expected = bytearray(before.rgb)
        for x, y in band:
            i = (y * SCREEN_W + x) * 3
            expected[i:i + 3] = bytes(255 - c for c in before.rgb[i:i + 3])
        expected = bytes(expected)
        over_ruler = [(x, y) for x, y in band if left <= x < right and top <= y < bottom]

        def wrong_pixels(shot):
            wrong = differences(shot, expected, ruler)
            for x, y in over_ruler:
                i = (y * SCREEN_W + x) * 3
                if shot.pixel(x, y) not in (tuple(expected[i:i + 3]), before.pixel(x, y)):
                    wrong.append((x, y))
            return sorted(set(wrong))[:8]
        try:
            app.wait_for_screen('the outline of %r' % (box,), lambda shot: not wrong_pixels(shot))
        except harness.HarnessError:
            shot = self.session.last_shot
            self.session.xdotool('mouseup', 1)
            self.fail('%s: expected the outline of %r alone over the screen; wrong pixels %r, the ruler '
                      'covers %r' % (what, box, wrong_pixels(shot), ruler_box(shot)))

    def wait_for_screen_as(self, app, before, box, what):
        """Waits until the ruler covers `box` and the screen is `before`
        outside the ruler's read-out area."""
        def same(shot):
            return ruler_box(shot) == box and not differences(shot, before.rgb, interior(box))
        try:
            return app.wait_for_screen(what, same)
        except harness.HarnessError:
            shot = self.session.last_shot
            self.fail('%s: the ruler covers %r (expected %r); pixels changed: %r'
                      % (what, ruler_box(shot), box, differences(shot, before.rgb, interior(box))))

    def drag(self, app, before, old_box, press, path, what):
        """Presses at `press` and moves through `path`, a list of (pointer,
        box): at each point the rubber band must outline `box` over the
        unchanged screen (the earlier outline erased). Then releases and checks
        that the ruler covers the last box with nothing left around it.
        Returns the screen after the release."""
        self.session.xdotool('mousemove', press[0], press[1], 'mousedown', 1)
        for pointer, box in path:
            self.session.xdotool('mousemove', pointer[0], pointer[1])
            # The window is where it was, and the outline of the new place is
            # drawn over the screen in exclusive-or.
            self.wait_for_band(app, before, box, old_box, '%s, pointer at %r' % (what, pointer))

        self.session.xdotool('mouseup', 1)
        # After the release: the ruler at its new place; where it was, the
        # background; everywhere else the screen as before the drag.
        new_box = path[-1][1]
        background = before.pixel(SCREEN_W - 1, SCREEN_H - 1)
        after = bytearray(before.rgb)
        left, top, right, bottom = old_box
        for y in range(top, bottom):
            after[(y * SCREEN_W + left) * 3:(y * SCREEN_W + right) * 3] = bytes(background) * (right - left)
        after = bytes(after)

        def settled(shot):
            return ruler_box(shot) == new_box and not differences(shot, after, new_box)
        try:
            return app.wait_for_screen('the ruler at %r after the release' % (new_box,), settled)
        except harness.HarnessError:
            shot = self.session.last_shot
            self.fail('%s, after the release: the ruler covers %r (expected %r); pixels not as before '
                      'the drag outside it: %r' % (what, ruler_box(shot), new_box, differences(shot, after, new_box)))

    def test_right_click_and_esc_during_a_move_put_the_ruler_back(self):
        app = self.start_app(PLAIN_INI)
        box = horizontal_box(ZERO_X, ZERO_Y, LENGTH)
        shot = self.wait_for_box(app, box, 'the ruler at start')

        # The pointer stays over the ruler (keys go to the window under it),
        # and the outline clear of the read-out label (which is repainted as
        # the pointer moves).
        press = (box[0] + 150, MIDDLE_Y - 10)
        moved = (box[0] + 90, box[1] + 10, box[2] + 90, box[3] + 10)
        self.session.xdotool('mousemove', press[0], press[1], 'mousedown', 1)
        self.session.xdotool('mousemove', press[0] + 90, press[1] + 10)
        self.wait_for_band(app, shot, moved, box, 'the outline before the right click')

        # A right click opens no menu and leaves the drag as it was.
        self.session.xdotool('click', 3)
        self.session.xdotool('mousemove', press[0] + 91, press[1] + 10)
        self.session.xdotool('mousemove', press[0] + 90, press[1] + 10)
        self.wait_for_band(app, shot, moved, box, 'the outline after the right click')

        # Esc cancels: the ruler where it was and nothing of the outline.
        self.session.xdotool('key', 'Escape')
        self.wait_for_screen_as(app, shot, box, 'after Esc')
        self.session.xdotool('mouseup', 1)
        shot = self.wait_for_screen_as(app, shot, box, 'after the release that followed Esc')
        self.assertEqual(app.windows(), [app.ruler], 'no popup menu nor other window is open')

        # The pointer passing over the ruler with no button held moves
        # nothing, and the next drag moves the ruler by the pointer's motion.
        self.session.xdotool('mousemove', press[0] + 100, press[1])
        self.session.xdotool('mousemove', press[0], press[1])
        shot = self.wait_for_screen_as(app, shot, box, 'after the pointer passed over the ruler')
        path = [((press[0] + dx, press[1] + dy), (box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy))
                for dx, dy in ((-30, 40), (45, 70))]
        shot = self.drag(app, shot, box, press, path, 'the next move')
        box = path[-1][1]

        # Arrow keys work again (one pixel per press by default).
        self.session.xdotool('key', 'Right')
        self.wait_for_box(app, (box[0] + 1, box[1], box[2] + 1, box[3]), 'the ruler after the right arrow')
        self.assertEqual(app.exit_via_menu((box[0] + 150, box[1] + 20)), 0, 'exit code')

    def test_stretching_and_moving_change_the_ruler_once_at_the_release(self):
        app = self.start_app(PLAIN_INI)
        box = horizontal_box(ZERO_X, ZERO_Y, LENGTH)
        shot = self.wait_for_box(app, box, 'the ruler at start')

        # The far end, pressed on its last column, dragged 600 pixels to the
        # left: the length follows the pointer and stops at 200.
        far = ZERO_X + LENGTH - 1
        path = [((far - dx, MIDDLE_Y), horizontal_box(ZERO_X, ZERO_Y, max(LENGTH - dx, 200)))
                for dx in (150, 300, 450, 600)]
        shot = self.drag(app, shot, box, (far, MIDDLE_Y), path, 'far end to the left')
        box = path[-1][1]

        # The far end 50 pixels to the right, in two steps: 250.
        far = ZERO_X + 200 - 1
        path = [((far + dx, MIDDLE_Y + 5), horizontal_box(ZERO_X, ZERO_Y, 200 + dx)) for dx in (30, 50)]
        shot = self.drag(app, shot, box, (far, MIDDLE_Y), path, 'far end to the right')
        box = path[-1][1]

        # The zero end 40 pixels to the left: 290, and the far end stays.
        zero = ZERO_X + 1
        path = [((zero - dx, ZERO_Y - 10), horizontal_box(ZERO_X - dx, ZERO_Y, 250 + dx)) for dx in (15, 30, 40)]
        shot = self.drag(app, shot, box, (zero, ZERO_Y - 10), path, 'zero end to the left')
        self.assertEqual(path[-1][1][2], box[2], 'the far end stays where it was')
        box = path[-1][1]

        # The body, pressed away from the labels near the zero end, dragged
        # by (60, 120): the ruler moves by as much.
        press = (box[0] + 150, MIDDLE_Y - 10)
        path = [((press[0] + dx, press[1] + dy), (box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy))
                for dx, dy in ((-30, 40), (20, 90), (60, 120))]
        shot = self.drag(app, shot, box, press, path, 'body moved')
        box = path[-1][1]

        self.assertEqual(app.exit_via_menu((box[0] + 150, box[1] + 20)), 0, 'exit code')
        saved = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(saved[('Current', 'Length')], '290', 'saved length')


if __name__ == '__main__':
    unittest.main()
