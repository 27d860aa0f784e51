"""Snapping to edges on the real ruler, over boxes the backdrop fixture draws
at known places (a capture under Wine sees only Wine's windows): with "Snap
to &Edges" on (saved as SnapToEdges), a stretched end and a moved ruler's
zero end jump to a box edge a few pixels away, and not while Shift is held;
"Measure &Gap" (key G) over a gap of 137 pixels between two boxes lays the
zero end on the first box and shows 137, for a horizontal, a vertical and a
ruler turned by 30 degrees. The reading is taken with "Copy Measurement"
(Ctrl+C); the second edge is marked in the scale line's colour."""

import math
import unittest

import harness
from harness import SCREEN_H, SCREEN_W
from test_gestures import LENGTH, WIDTH, ZERO_X, ZERO_Y, horizontal_box, ruler_box
from test_orientation import NearBoxWaits, on_screen, turn
from test_seethrough import Backdrop, shifted

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

DARK = '202020'
# The scale line's default colour, 0x40FF00 (0x00BBGGRR).
MARK_RGB = (0x00, 0xFF, 0x40)
GAP = 137
# Ctrl+3 ("&Rotate") and Ctrl+5 ("&Vertical") as app.ini stores them.
INI = """[Current]
Transparence=0
SnapToEdges=1
[HotKey]
Circum=16435
Plumb=16437
[ToolBar]
Show=0
"""
BACKDROP_TIMEOUT = 30.0
MIDDLE_Y = ZERO_Y - WIDTH // 2


def mark_pixels(shot, box):
    left, top, right, bottom = on_screen(box)
    return [(x, y) for y in range(top, bottom) for x in range(left, right) if shot.pixel(x, y) == MARK_RGB]


class SnappingTest(NearBoxWaits, harness.MensorTestCase):

    def start_over(self, boxes, dark_at, white_at):
        """The backdrop with these shapes on white, shown with the screen
        points dark_at dark and white_at white, then the ruler."""
        backdrop = Backdrop(self.session, ['background FFFFFF'] + boxes)
        self.addCleanup(backdrop.stop)
        backdrop.start()
        dark = tuple(int(DARK[i:i + 2], 16) for i in (0, 2, 4))

        def shown():
            shot = self.shot()
            return shot.pixel(*dark_at) == dark and shot.pixel(*white_at) == (255, 255, 255)
        harness.wait_until('the backdrop on the screen', shown, BACKDROP_TIMEOUT, interval=0.2)
        return self.start_app(INI)

    def drag(self, press, to, shift=False):
        if shift:
            self.session.xdotool('keydown', 'shift')
        self.session.xdotool('mousemove', press[0], press[1])
        self.session.xdotool('mousedown', 1)
        # Two steps, so that the last movement is one the ruler sees.
        self.session.xdotool('mousemove', (press[0] + to[0]) // 2, (press[1] + to[1]) // 2)
        self.session.xdotool('mousemove', to[0], to[1], 'mouseup', 1)
        if shift:
            self.session.xdotool('keyup', 'shift')
        # The pointer rests over the ruler far from any edge: at an end it
        # would have the read-out mark the edge there, over the ruler's colour.
        self.session.xdotool('mousemove', 550, MIDDLE_Y)

    def test_ends_and_moves_snap_to_edges_unless_shift_is_held(self):
        # Edges at x = 200 and x = 900, from top to bottom.
        app = self.start_over(['rect 0 0 200 768 ' + DARK, 'rect 900 0 1024 768 ' + DARK], (900, 600), (899, 600))
        self.wait_for_box(app, horizontal_box(ZERO_X, ZERO_Y, LENGTH), 'the ruler at start')

        # The far end dragged to 4 pixels short of the edge at 900.
        far = ZERO_X + LENGTH - 1
        self.drag((far, MIDDLE_Y), (900 - 4 - 1, MIDDLE_Y))
        box = horizontal_box(ZERO_X, ZERO_Y, 900 - ZERO_X)
        self.wait_for_box(app, box, 'the far end on the edge at 900')

        # With Shift held it stays 4 short.
        self.drag((899, MIDDLE_Y), (895, MIDDLE_Y), shift=True)
        box = horizontal_box(ZERO_X, ZERO_Y, 896 - ZERO_X)
        self.wait_for_box(app, box, 'the far end 4 short of the edge, Shift held')

        # The zero end moved to 5 pixels right of the edge at 200 lands on it.
        self.drag((500, MIDDLE_Y), (500 - (ZERO_X - 195), MIDDLE_Y))
        box = shifted(box, 200 - ZERO_X, 0)
        self.wait_for_box(app, box, 'the zero end on the edge at 200')

        # With Shift held it stays 5 pixels off.
        self.drag((500, MIDDLE_Y), (495, MIDDLE_Y), shift=True)
        box = shifted(box, -5, 0)
        self.wait_for_box(app, box, 'the zero end 5 off the edge, Shift held')

        # The pointer over the ruler 3 pixels beside the edge at 200: the
        # read-out marks the edge, and the mark goes when the pointer leaves.
        self.session.xdotool('mousemove', 203, MIDDLE_Y)
        app.wait_for_screen('the edge at 200 marked', lambda shot: bool(mark_pixels(shot, box)))
        self.session.xdotool('mousemove', 600, 600)
        app.wait_for_screen('no mark once the pointer has left the ruler', lambda shot: not mark_pixels(shot, box))

        self.assertEqual(app.exit_via_menu((box[0] + 300, MIDDLE_Y)), 0, 'exit code')
        values = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(values[('Current', 'Length')], str(896 - ZERO_X), 'the length of the last stretch')
        self.assertEqual(values[('Current', 'SnapToEdges')], '1', 'Snap to Edges stays on')

    def measure_gap(self, app, zero, along, across, box, what, readings=('%d px' % GAP,), slack=0):
        """Presses G with the pointer over the gap 88 to 225 pixels from the
        zero end (`along` and `across` unit vectors on the screen) and checks
        that the ruler covering `box` moves 88 pixels along, the second edge
        is marked and the reading, copied with Ctrl+C, is one of `readings`."""
        def at(a, c, origin=zero):
            return (int(round(origin[0] + a * along[0] + c * across[0])),
                    int(round(origin[1] + a * along[1] + c * across[1])))
        pointer = at(150, 25)
        # A click gives the ruler the focus (a move by nothing).
        self.session.xdotool('mousemove', pointer[0], pointer[1], 'click', 1)
        self.session.xdotool('key', 'g')
        new_zero = at(88, 0)
        moved = shifted(box, new_zero[0] - zero[0], new_zero[1] - zero[1])
        shot = self.wait_for_box(app, moved, '%s: the zero end on the first edge' % what, slack=slack)

        marks = mark_pixels(shot, moved)
        self.assertTrue(marks, '%s: the second edge is marked' % what)
        spots = [(x + 0.5 - new_zero[0]) * along[0] + (y + 0.5 - new_zero[1]) * along[1] for x, y in marks]
        self.assertAlmostEqual(sum(spots) / len(spots), GAP - 0.5, delta=0.5 + slack,
                               msg='%s: the mark lies on the second edge' % what)
        # The pointer has not moved since: the reading is the gap's.
        self.session.xdotool('key', 'ctrl+c')
        harness.wait_until('%s: the gap, one of %s, on the clipboard' % (what, readings),
                           lambda: self.session.clipboard() in readings, 3.0)

    def test_measure_gap_horizontal(self):
        app = self.start_over(['rect 0 0 %d 768 %s' % (ZERO_X + 88, DARK),
                               'rect %d 0 1024 768 %s' % (ZERO_X + 88 + GAP, DARK)],
                              (ZERO_X + 88 + GAP, 600), (ZERO_X + 88 + GAP - 1, 600))
        box = horizontal_box(ZERO_X, ZERO_Y, LENGTH)
        self.wait_for_box(app, box, 'the ruler at start')
        self.measure_gap(app, (ZERO_X, ZERO_Y), (1, 0), (0, -1), box, 'horizontal')

    def test_measure_gap_vertical(self):
        app = self.start_over(['rect 0 0 1024 %d %s' % (ZERO_Y + 88, DARK),
                               'rect 0 %d 1024 768 %s' % (ZERO_Y + 88 + GAP, DARK)],
                              (600, ZERO_Y + 88 + GAP), (600, ZERO_Y + 88 + GAP - 1))
        self.wait_for_box(app, horizontal_box(ZERO_X, ZERO_Y, LENGTH), 'the ruler at start')
        self.session.xdotool('mousemove', ZERO_X + 300, MIDDLE_Y, 'click', 1)
        self.session.xdotool('key', 'ctrl+5')
        box = (ZERO_X, ZERO_Y, ZERO_X + WIDTH, ZERO_Y + LENGTH)
        self.wait_for_box(app, box, 'the vertical ruler')
        self.measure_gap(app, (ZERO_X, ZERO_Y), (0, 1), (1, 0), box, 'vertical')

    def test_measure_gap_turned_by_30_degrees(self):
        a = math.radians(30)
        app = self.start_over(['slab %d %d 30 -3000 88 %s' % (ZERO_X, ZERO_Y, DARK),
                               'slab %d %d 30 %d 3000 %s' % (ZERO_X, ZERO_Y, 88 + GAP, DARK)],
                              (1000, 700), (ZERO_X + 150, ZERO_Y + 87))
        self.wait_for_box(app, horizontal_box(ZERO_X, ZERO_Y, LENGTH), 'the ruler at start')
        # Rotate mode, and a drag about the zero corner through 30 degrees
        # (the pointer's angle, to a tenth of a degree).
        press = (ZERO_X + 300, ZERO_Y - 30)
        path = turn((ZERO_X, ZERO_Y), press, a, steps=6)
        # The focus first, by a click well away from the press (two presses
        # at one place make a double click, which switches Rotate mode).
        self.session.xdotool('mousemove', press[0] + 150, press[1], 'click', 1)
        self.session.xdotool('key', 'ctrl+3')
        self.rotate(press, path)
        self.session.xdotool('key', 'ctrl+3')
        turned = math.atan2(path[-1][1] - ZERO_Y, path[-1][0] - ZERO_X) - math.atan2(press[1] - ZERO_Y,
                                                                                 press[0] - ZERO_X)
        self.assertAlmostEqual(math.degrees(turned), 30, delta=0.2, msg='the drag turns by 30 degrees')
        along = (math.cos(turned), math.sin(turned))
        across = (math.sin(turned), -math.cos(turned))
        # The ruler's bounding box, as far as the screen shows it.
        corners = [(ZERO_X + p * along[0] + q * across[0], ZERO_Y + p * along[1] + q * across[1])
                   for p in (0, LENGTH) for q in (0, WIDTH)]
        box = (int(min(x for x, _ in corners)), int(min(y for _, y in corners)),
               int(math.ceil(max(x for x, _ in corners))), int(math.ceil(max(y for _, y in corners))))
        shot = self.wait_for_box(app, box, 'the ruler turned by 30 degrees', slack=2)
        box = ruler_box(shot)
        # The slabs' edges fall between pixels: the gap found may differ by one.
        self.measure_gap(app, (ZERO_X, ZERO_Y), along, across, box, 'turned by 30 degrees',
                         readings=tuple('%d px' % g for g in (GAP - 1, GAP, GAP + 1)), slack=1)


if __name__ == '__main__':
    unittest.main()
