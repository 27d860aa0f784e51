"""The ruler on a desktop of two real monitors (Xorg with the dummy driver:
the primary 1024 x 768 at (0, 0), a second 800 x 600 right of it). A ruler
dragged onto the second monitor stays there through "&Vertical",
"Hori&zontal" and Hide/Show; "&Fit Screen As Horizontal" there gives it the
second monitor's width, saved as Length=800; the about box opens centred on
the monitor the ruler is on; and in see-through mode the band
on the second monitor shows the backdrop's pixels of that monitor, tinted.

Wine reports 96 pixels per inch for every monitor, so the density of each
monitor is covered by the unit tests only."""

import harness
from harness import ON_BAND, PLAIN_INI, SECOND_MONITOR
from test_gestures import LENGTH, WIDTH, ZERO_X, ZERO_Y, RulerBoxWaits, horizontal_box
from test_seethrough import DEFAULT_PERCENT, DEFAULT_TINT, Backdrop, picture, shows_tinted

setUpModule = harness.setUpTwoMonitorModule
tearDownModule = harness.tearDownModule

# Ctrl+Alt+R as a shortcut value: Ctrl 0x4000 + Alt 0x8000 + the key 'R'.
HOT_KEY = 0x4000 | 0x8000 | ord('R')
# A place in Wine's notification area, where the pointer rests while the
# ruler is hidden so that X hands the hot key to a Wine window.
TRAY_FREE = (150, 32)
TIMEOUT = 10.0

# Where the drag puts the zero corner: on the second monitor, the whole band
# on it (1212 ... 1812 x 244 ... 304).
MOVED = (1212, 304)


def vertical_box(zero_x, zero_y, length, bottom):
    """A vertical ruler runs down and right from its zero corner; the X
    screen cuts it at `bottom`."""
    return (zero_x, zero_y, zero_x + WIDTH, min(zero_y + length, bottom))


class TwoMonitorTest(RulerBoxWaits, harness.MensorTestCase):

    def move_onto_second_monitor(self):
        """Drags the ruler by its body from its start place so that its zero
        corner lands at MOVED."""
        dx, dy = MOVED[0] - ZERO_X, MOVED[1] - ZERO_Y
        self.session.xdotool('mousemove', ON_BAND[0], ON_BAND[1], 'mousedown', 1)
        for i in (1, 2, 3, 4):
            self.session.xdotool('mousemove', ON_BAND[0] + dx * i // 4, ON_BAND[1] + dy * i // 4)
        self.session.xdotool('mouseup', 1)
        return (ON_BAND[0] + dx, ON_BAND[1] + dy)

    def choose(self, app, at, key):
        app.open_menu(at)
        self.session.xdotool('key', key)

    def test_ruler_stays_on_the_second_monitor_and_fits_it(self):
        app = self.start_app(PLAIN_INI + '[System]\nHotKey=%d\n' % HOT_KEY)
        self.wait_for_box(app, horizontal_box(ZERO_X, ZERO_Y, LENGTH), 'the ruler at start')
        on_band = self.move_onto_second_monitor()
        moved = horizontal_box(MOVED[0], MOVED[1], LENGTH)
        self.wait_for_box(app, moved, 'the ruler dragged onto the second monitor')

        # With one screen of 1024 pixels both commands would put the zero
        # corner back on x = 512; on the second monitor it stays.
        self.choose(app, on_band, 'v')
        self.wait_for_box(app, vertical_box(MOVED[0], MOVED[1], LENGTH, harness.SCREEN_H),
                          '"&Vertical" on the second monitor')
        self.choose(app, (MOVED[0] + WIDTH // 2, MOVED[1] + 100), 'z')
        self.wait_for_box(app, moved, '"Hori&zontal" on the second monitor')

        # Hide from the menu, show with the hot key: the ruler comes back where
        # it was.
        self.choose(app, on_band, 'i')
        harness.wait_until('the ruler to hide', lambda: not app.ruler_visible(), TIMEOUT)
        self.session.xdotool('mousemove', *TRAY_FREE)
        self.session.xdotool('key', 'ctrl+alt+r')
        harness.wait_until('the ruler to show', app.ruler_visible, TIMEOUT)
        self.wait_for_box(app, moved, 'the ruler shown again on the second monitor')

        # The about box opens centred on the ruler's monitor, not the primary.
        before = set(app.windows(r'^Mensor$'))
        self.choose(app, on_band, 'a')
        box = harness.wait_until('the about box', lambda: next(
            (w for w in app.windows(r'^Mensor$') if w not in before), None), TIMEOUT)
        x, y, w, h = self.session.window_geometry(box)
        left, top, right, bottom = SECOND_MONITOR
        centre = ((left + right) // 2, (top + bottom) // 2)
        # The frame Wine draws may put the centre a few pixels off.
        self.assertLessEqual(abs(x + w // 2 - centre[0]), 4, 'about box centred across the second monitor')
        self.assertLessEqual(abs(y + h // 2 - centre[1]), 16, 'about box centred down the second monitor')
        self.session.xdotool('key', 'Escape')
        harness.wait_until('the about box to close', lambda: box not in app.windows(), TIMEOUT)

        # Fit Screen As Horizontal fits the monitor holding the zero corner:
        # 800 long from its left edge, the zero edge on its row (600 - 60) div 2.
        self.choose(app, on_band, 'f')
        fitted = horizontal_box(left, top + (bottom - top - WIDTH) // 2, right - left)
        self.wait_for_box(app, fitted, '"&Fit Screen As Horizontal" on the second monitor')

        self.assertEqual(app.exit_via_menu((left + 400, fitted[1] + WIDTH // 2)), 0, 'exit code')
        values = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(values[('Current', 'Length')], '800', 'the second monitor\'s width is saved')

    def test_see_through_shows_the_second_monitors_backdrop_tinted(self):
        backdrop = Backdrop(self.session)
        self.addCleanup(backdrop.stop)
        backdrop.start()
        # The picture on both monitors before the ruler starts.
        probes = [(x, y) for x in range(0, SECOND_MONITOR[2], 61) for y in range(60, 600, 53)]

        def up():
            shot = self.shot()
            return all(shot.pixel(x, y) == picture(x, y) for x, y in probes)
        harness.wait_until('the backdrop picture on both monitors', up, 30.0, interval=0.2)

        app = self.start_app('[ToolBar]\nShow=0\n')
        start = horizontal_box(ZERO_X, ZERO_Y, LENGTH)
        app.wait_for_screen('the band on the primary showing the backdrop tinted',
                            shows_tinted(start, DEFAULT_TINT, DEFAULT_PERCENT))
        self.move_onto_second_monitor()
        moved = horizontal_box(MOVED[0], MOVED[1], LENGTH)
        try:
            app.wait_for_screen('the band on the second monitor showing its backdrop tinted',
                                shows_tinted(moved, DEFAULT_TINT, DEFAULT_PERCENT))
        except harness.HarnessError as e:
            self.fail(str(e))
        self.assertEqual(app.exit_via_menu((MOVED[0] + 300, MOVED[1] - WIDTH // 2)), 0, 'exit code')
