"""Orientation commands on the real ruler: the arrow keys (alone, with Shift,
with Ctrl), "&Vertical", "Hori&zontal", "Fit &Screen As Vertical" and "&Fit
Screen As Horizontal" chosen from the popup menu with their accelerator
letters, and rotation drags about the zero corner in Rotate mode, switched by
"&Rotate" and by double clicks. Each step is checked by where the ruler's
colour lies on the screen; the length the fit command sets is the one saved
at exit."""

import math
import re
import unittest

import harness
from harness import SCREEN_H, SCREEN_W
from test_gestures import WIDTH, ZERO_X, ZERO_Y, LENGTH, horizontal_box, ruler_box

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

MOVE_STEP = 5
INI = """[System]
MoveStep=%d
[Current]
Transparence=0
[ToolBar]
Show=0
""" % MOVE_STEP


def vertical_box(zero_x, zero_y, length):
    """Pixels of a vertical ruler: down and to the right of its zero corner
    (its upper left corner), cut by the screen."""
    return (zero_x, zero_y, zero_x + WIDTH, min(zero_y + length, SCREEN_H))


def on_screen(box):
    left, top, right, bottom = box
    return (max(left, 0), max(top, 0), min(right, SCREEN_W), min(bottom, SCREEN_H))


def turn(centre, start, angle, steps=8):
    """Pointer positions along an arc about `centre` from `start` through
    `angle` radians, clockwise on the screen when positive (y grows
    downwards)."""
    dx, dy = start[0] - centre[0], start[1] - centre[1]
    points = []
    for i in range(1, steps + 1):
        a = angle * i / steps
        points.append((round(centre[0] + dx * math.cos(a) - dy * math.sin(a)),
                       round(centre[1] + dx * math.sin(a) + dy * math.cos(a))))
    return points


def quarter_turn(centre, start, clockwise, steps=8):
    """A quarter circle about `centre` from `start`, clockwise or
    anticlockwise on the screen."""
    return turn(centre, start, (1 if clockwise else -1) * math.pi / 2, steps)


class NearBoxWaits:
    """For test cases: waiting until the ruler covers a box (cut by the
    screen), each side within `slack` pixels, and turning it by a drag."""

    def rotate(self, press, path):
        moves = []
        for x, y in path:
            moves += ['mousemove', x, y]
        self.session.xdotool('mousemove', press[0], press[1], 'mousedown', 1, *moves)
        self.session.xdotool('mouseup', 1)

    def wait_for_box(self, app, box, what, slack=0):
        box = on_screen(box)

        def near(shot):
            found = ruler_box(shot)
            return found is not None and all(abs(a - b) <= slack for a, b in zip(found, box))
        try:
            return app.wait_for_screen(what, near)
        except harness.HarnessError:
            shot = self.session.last_shot
            self.fail('%s: the ruler covers %r, expected %r' % (what, ruler_box(shot) if shot else None, box))


class OrientationTest(NearBoxWaits, harness.MensorTestCase):

    def choose(self, app, at, key):
        """Opens the popup menu with a right click at `at` and chooses the
        item by its accelerator letter."""
        app.open_menu(at)
        self.session.xdotool('key', key)

    def pointer(self):
        out = self.session.xdotool('getmouselocation')
        m = re.search(r'x:(-?\d+) y:(-?\d+)', out)
        return int(m.group(1)), int(m.group(2))

    def test_keys_menu_commands_and_rotation(self):
        app = self.start_app(INI)
        x0, y0 = ZERO_X, ZERO_Y
        self.wait_for_box(app, horizontal_box(x0, y0, LENGTH), 'the ruler at start')

        # --- Arrow keys, with the ruler focused by a click on its body.
        click = (x0 + 300, y0 - 30)
        self.session.xdotool('mousemove', click[0], click[1], 'click', 1)
        self.session.xdotool('key', 'Right')
        x0 += MOVE_STEP
        self.wait_for_box(app, horizontal_box(x0, y0, LENGTH), 'right arrow: the ruler one step to the right')
        self.session.xdotool('key', 'shift+Right')
        x0 += MOVE_STEP
        self.wait_for_box(app, horizontal_box(x0, y0, LENGTH), 'Shift+right arrow: one more step')
        self.assertEqual(self.pointer(), click, 'the pointer stays with Shift')
        self.session.xdotool('key', 'ctrl+Right')
        harness.wait_until('the pointer one pixel to the right after Ctrl+right arrow',
                           lambda: self.pointer() == (click[0] + 1, click[1]), 5.0)
        self.wait_for_box(app, horizontal_box(x0, y0, LENGTH), 'Ctrl+right arrow leaves the ruler')
        self.session.xdotool('key', 'Left')
        x0 -= MOVE_STEP
        self.wait_for_box(app, horizontal_box(x0, y0, LENGTH), 'left arrow: one step back')
        self.session.xdotool('key', 'Down')
        y0 += MOVE_STEP
        self.wait_for_box(app, horizontal_box(x0, y0, LENGTH), 'down arrow')
        # 41 steps up bring the zero corner 200 pixels above its first place,
        # where the vertical ruler fits on the screen. With no window manager
        # the X server gives a key to the window under the pointer, so the
        # pointer goes along: ten steps at a time from the body's top row.
        for count in (10, 10, 10, 10, 1):
            self.session.xdotool('mousemove', x0 + 300, y0 - WIDTH + 2)
            self.session.xdotool('key', '--delay', 20, *(['Up'] * count))
            y0 -= count * MOVE_STEP
            self.wait_for_box(app, horizontal_box(x0, y0, LENGTH), 'up arrow %d times' % count)
        self.assertEqual((x0, y0), (ZERO_X + MOVE_STEP, ZERO_Y - 200))

        # --- "&Vertical" and "Hori&zontal" turn about the zero corner.
        self.choose(app, (x0 + 300, y0 - 30), 'v')
        self.wait_for_box(app, vertical_box(x0, y0, LENGTH), '"&Vertical": 60 wide, 600 down from the zero corner')
        self.choose(app, (x0 + 30, y0 + 300), 'z')
        self.wait_for_box(app, horizontal_box(x0, y0, LENGTH), '"Hori&zontal": back to the right of the zero corner')

        # --- The fit commands: the ruler as long as the screen is high or
        # wide, laid across it.
        self.choose(app, (x0 + 300, y0 - 30), 's')
        fit_x = (SCREEN_W - WIDTH) // 2   # 482
        self.wait_for_box(app, vertical_box(fit_x, 0, SCREEN_H), '"Fit &Screen As Vertical": centred, top to bottom')
        self.choose(app, (fit_x + 30, SCREEN_H // 2), 'f')
        x0, y0 = 0, (SCREEN_H - WIDTH) // 2   # 354
        self.wait_for_box(app, horizontal_box(x0, y0, SCREEN_W),
                          '"&Fit Screen As Horizontal": the whole width, zero edge on row 354')

        # --- Rotation about the zero corner. "&Rotate", then a point of the
        # body dragged a quarter turn clockwise: the ruler runs down from the
        # zero corner with its body to the right. The turned outline's
        # corners are truncated, so its edges may fall a pixel or two short.
        self.choose(app, (x0 + 500, y0 - 30), 'r')
        press = (x0 + 300, y0 - 30)
        self.rotate(press, quarter_turn((x0, y0), press, clockwise=True))
        self.wait_for_box(app, vertical_box(x0, y0, SCREEN_W), 'a quarter turn clockwise in Rotate mode', slack=2)

        # A double click on the body ends Rotate mode and leaves the ruler
        # where it is: a drag of the body now moves it by the drag. (Each
        # press after a double click is made elsewhere, so that it cannot
        # count as a click of the double click.)
        body = (x0 + 30, y0 + 250)
        self.session.xdotool('mousemove', body[0], body[1], 'click', '--repeat', 2, '--delay', 80, 1)
        press = (body[0], body[1] + 50)
        self.session.xdotool('mousemove', press[0], press[1], 'mousedown', 1, 'mousemove', press[0] + 50, press[1],
                             'mousemove', press[0] + 100, press[1])
        self.session.xdotool('mouseup', 1)
        x0 += 100
        self.wait_for_box(app, vertical_box(x0, y0, SCREEN_W), 'after a double click a drag moves the ruler', slack=2)

        # Another double click starts Rotate mode again: a quarter turn
        # anticlockwise brings the ruler back to the right of its zero corner.
        body = (x0 + 30, y0 + 250)
        self.session.xdotool('mousemove', body[0], body[1], 'click', '--repeat', 2, '--delay', 80, 1)
        press = (body[0], body[1] + 50)
        self.rotate(press, quarter_turn((x0, y0), press, clockwise=False))
        self.wait_for_box(app, horizontal_box(x0, y0, SCREEN_W), 'a quarter turn back after a double click', slack=2)

        self.assertEqual(app.exit_via_menu((x0 + 300, y0 - 30)), 0, 'exit code')
        saved = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(saved[('Current', 'Length')], str(SCREEN_W), 'saved length after the fit commands')


if __name__ == '__main__':
    unittest.main()
