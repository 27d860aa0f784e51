"""The read-out under Wine: a drag of the ruler's "+" marker shows the tiny
read-out window (30 x 40, in the read-out colour) while the button is held
and hides it at the release; Ctrl+C on the ruler puts the reading on the
clipboard, which Wine hands to the X selection CLIPBOARD."""

import unittest

import harness
from harness import BAND, ON_BAND, PLAIN_INI, ZERO_X, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule


class ReadOutTest(harness.MensorTestCase):

    def drag(self, start, points, while_held):
        self.session.xdotool('mousemove', *start)
        self.session.xdotool('mousedown', 1)
        try:
            for p in points:
                self.session.xdotool('mousemove', *p)
            while_held()
        finally:
            self.session.xdotool('mouseup', 1)

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
            window = harness.wait_until('the read-out window', lambda: app.windows(r'Read-out$'),
                                        harness.MENU_TIMEOUT)[0]
            x, y, w, h = self.session.window_geometry(window)
            self.assertEqual((w, h), (30, 40), 'size of the read-out window')
            # Its panel colour (WinBKColor 255 is red) inside the bevel.
            app.wait_for_screen('the read-out window painted red',
                                lambda s: s.count(red, x + 1, y + 1, x + w - 1, y + h - 1) >= (w - 2) * (h - 2) // 2)
        self.drag(marker, [(marker[0] + 20, marker[1] + 40), (marker[0] + 40, marker[1] + 80)], read_out_shown)
        harness.wait_until('the read-out window to hide at the release',
                           lambda: not app.windows(r'Read-out$'), harness.MENU_TIMEOUT)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')


    def test_ctrl_c_copies_the_reading_with_its_unit(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        at = (ZERO_X + 245, ON_BAND[1])
        # The key reaches the ruler under the pointer (the X focus follows it).
        self.session.xdotool('mousemove', *at)
        self.session.xdotool('key', 'ctrl+c')
        harness.wait_until('"245 px" on the clipboard', lambda: self.session.clipboard() == '245 px', 3.0)
        # Centimetres: "&Units", "&CM"; the same spot at 96 pixels per inch.
        app.choose_in_submenu(ON_BAND, 'u', 'c')
        self.session.xdotool('mousemove', at[0], at[1] + 1)
        self.session.xdotool('mousemove', *at)
        self.session.xdotool('key', 'ctrl+c')
        harness.wait_until('"6.48 cm" on the clipboard', lambda: self.session.clipboard() == '6.48 cm', 3.0)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')


if __name__ == '__main__':
    unittest.main()
