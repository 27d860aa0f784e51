"""Mouse input through the Win32 layer: a drag moves the ruler (mouse
capture, the rubber band on the whole screen drawn and erased in
exclusive-or mode, the window moved at the release), a double click
switches Rotate mode so that the same drag turns the ruler instead, and a
drag of the marker shows the read-out window while the button is held."""

import unittest

import harness
from harness import BAND, ON_BAND, PLAIN_INI, RULER_RGB, SEARCH, ZERO_X, ZERO_Y, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

# A press on the band away from both ends and from the labels by the zero end.
PRESS = (ZERO_X + 300, ZERO_Y - 30)
BLACK = (0, 0, 0)


def box_near(box, expected, tolerance=1):
    return box is not None and all(abs(a - b) <= tolerance for a, b in zip(box, expected))


class MouseTest(harness.MensorTestCase):

    def drag(self, start, points, while_held=None):
        self.session.xdotool('mousemove', *start)
        self.session.xdotool('mousedown', 1)
        try:
            for p in points:
                self.session.xdotool('mousemove', *p)
            if while_held is not None:
                while_held()
        finally:
            self.session.xdotool('mouseup', 1)

    def test_drag_moves_the_ruler_and_leaves_no_band_behind(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        dx, dy = 50, 40
        moved = (BAND[0] + dx, BAND[1] + dy, BAND[2] + dx, BAND[3] + dy)

        def band_outline_shown():
            # The rubber band: the outline through the corners at the new
            # place, white where its lower edge crosses the black screen.
            white = (0xFF, 0xFF, 0xFF)
            app.wait_for_screen('the rubber band during the drag',
                                lambda s: all(white in (s.pixel(x, moved[3] - 1), s.pixel(x, moved[3]))
                                              for x in range(moved[0] + 5, moved[2] - 5, 7)))
        self.drag(PRESS, [(PRESS[0] + dx // 2, PRESS[1] + dy // 2), (PRESS[0] + dx, PRESS[1] + dy)],
                  band_outline_shown)
        shot = app.wait_for_screen('the band moved by (%d, %d)' % (dx, dy),
                                   lambda s: box_near(s.bounding_box(RULER_RGB, *SEARCH), moved))
        # The rubber band was erased: around the ruler the screen is black.
        stray = [(x, y) for y in range(SEARCH[1], SEARCH[3], 2) for x in range(SEARCH[0], SEARCH[2], 2)
                 if not (moved[0] - 2 <= x < moved[2] + 2 and moved[1] - 2 <= y < moved[3] + 2)
                 and shot.pixel(x, y) != BLACK]
        self.assertEqual(stray[:5], [], 'pixels left beside the ruler after the drag')
        self.assertEqual(app.exit_via_menu((PRESS[0] + dx, PRESS[1] + dy)), 0, 'exit code')

    def test_double_click_switches_to_rotation(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        self.session.xdotool('mousemove', *PRESS)
        self.session.xdotool('click', '--repeat', 2, '--delay', 80, 1)
        # A quarter turn clockwise about the zero corner: the press point's
        # offset (300, -30) becomes (30, 300).
        end = (ZERO_X + 30, ZERO_Y + 300)
        self.drag(PRESS, [(ZERO_X + 250, ZERO_Y + 150), end])
        # Now the ruler runs down from its zero corner, its body to the right.
        vertical = (ZERO_X, ZERO_Y, ZERO_X + 60, SEARCH[3])
        app.wait_for_screen('a vertical ruler below the zero corner',
                            lambda s: box_near(s.bounding_box(RULER_RGB, *SEARCH), vertical, 2))
        self.assertEqual(app.exit_via_menu((ZERO_X + 30, ZERO_Y + 200)), 0, 'exit code')

    def test_marker_drag_shows_the_read_out_window_while_held(self):
        green = (0x00, 0xFF, 0x00)
        red = (0xFF, 0x00, 0x00)
        app = self.start_app("""[Face]
StaffColor=65280
WinBKColor=255
[Current]
Transparence=0
ShowDisplayForm=1
[ToolBar]
Show=0
""")
        # The "+" marker, drawn in green, somewhere on the band.
        shot = app.wait_for_screen('the green marker on the band',
                                   lambda s: band_is_drawn(s) and s.bounding_box(green, *BAND) is not None)
        left, top, right, bottom = shot.bounding_box(green, *BAND)
        marker = ((left + right) // 2, (top + bottom) // 2)

        def read_out_shown():
            window = harness.wait_until('the read-out window', lambda: app.windows(r'^Read-out$'),
                                        harness.MENU_TIMEOUT)[0]
            x, y, w, h = self.session.window_geometry(window)
            self.assertEqual((w, h), (30, 40), 'size of the read-out window')
            # Its panel colour (WinBKColor 255 is red) inside the bevel.
            app.wait_for_screen('the read-out window painted red',
                                lambda s: s.count(red, x + 1, y + 1, x + w - 1, y + h - 1) >= (w - 2) * (h - 2) // 2)
        self.drag(marker, [(marker[0] + 20, marker[1] + 40), (marker[0] + 40, marker[1] + 80)], read_out_shown)
        harness.wait_until('the read-out window to hide at the release',
                           lambda: not app.windows(r'^Read-out$'), harness.MENU_TIMEOUT)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')


if __name__ == '__main__':
    unittest.main()
