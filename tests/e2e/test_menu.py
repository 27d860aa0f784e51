"""The ruler's popup menu as drawn by the Win32 layer: the side band with its
gradient and caption, and the keyboard: accelerator letters in the menu and
its submenus, and the menu shortcuts on the ruler."""

import unittest

import harness
from harness import ON_BAND, PLAIN_INI, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule


def near(color, expected, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(color, expected))


def values_of(app):
    return {(s, k): v for s, k, v in app.read_ini()}


class MenuTest(harness.MensorTestCase):

    def test_side_band_runs_from_white_to_the_band_colour_with_its_caption(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        menu = app.open_menu(ON_BAND)
        x, y, w, h = self.session.window_geometry(menu)
        middle = y + h // 2
        # Halfway down, the gradient is half white, half 0xFF9B37.
        halfway = (0x9B, 0xCD, 0xFF)

        def band_columns(shot):
            return [c for c in range(x, x + 40) if near(shot.pixel(c, middle), halfway, 24)]
        shot = app.wait_for_screen('the menu with its side band', lambda s: len(band_columns(s)) >= 15)
        columns = band_columns(shot)
        self.assertEqual(columns, list(range(columns[0], columns[-1] + 1)), 'the band is one strip')
        inner = columns[2:-2]
        # The menu's frame takes a few pixels at the top and the bottom.
        top = [shot.pixel(c, y + 6) for c in inner]
        self.assertTrue(all(min(p) >= 0xE8 for p in top), 'near white at the top: %r' % top[:3])
        bottom = [shot.pixel(c, r) for c in inner for r in range(y + h - 14, y + h - 4)]
        self.assertTrue(any(near(p, harness.RULER_RGB, 24) for p in bottom),
                        'the band colour at the bottom: %r' % bottom[:3])
        # The caption, white, in the lower part of the band.
        white = sum(1 for c in inner for r in range(y + h - 140, y + h - 4)
                    if shot.pixel(c, r) == (0xFF, 0xFF, 0xFF))
        self.assertGreaterEqual(white, 40, 'white caption pixels in the band')
        self.session.xdotool('key', 'x')
        self.assertEqual(app.wait_for_exit(), 0, 'exit code')

    def test_accelerator_letters_work_in_the_menu_and_its_submenus(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        # "&Units" opens its submenu, "&CM" chooses centimetres.
        before = set(app.windows())
        app.choose_in_submenu(ON_BAND, 'u', 'c')
        # "Always On &Top".
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 't')
        harness.wait_until('the menu to close', lambda: set(app.windows()) <= before, harness.MENU_TIMEOUT)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        values = values_of(app)
        self.assertEqual(values[('Current', 'Unit')], '1', 'unit chosen with u, c')
        self.assertEqual(values[('System', 'WindowOnTop')], '1', 'always on top chosen with t')

    def test_menu_shortcut_keys_act_on_the_ruler(self):
        # Ctrl+T for "Always On &Top" (0x4000 + 'T').
        app = self.start_app(PLAIN_INI + '[HotKey]\nAlwaysTop=%d\n' % (0x4000 | ord('T')))
        app.wait_for_screen('the band', band_is_drawn)
        # The key reaches the ruler where the pointer rests (Wine follows the
        # X focus, which follows the pointer on a bare X server).
        self.session.xdotool('mousemove', *ON_BAND)
        self.session.xdotool('key', 'ctrl+t')
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        self.assertEqual(values_of(app)[('System', 'WindowOnTop')], '1', 'always on top switched by Ctrl+T')


if __name__ == '__main__':
    unittest.main()
