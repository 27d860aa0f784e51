"""The ruler reached from outside: the global Hide/Show hot key, the
notification icon (double click hides and shows, right click opens the menu),
the information box when the hot key is taken by another program, and the
calculator, started from the system folder and never from the program's."""

import os
import shutil
import signal
import unittest

import harness
from harness import ON_BAND, PLAIN_INI, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

# Ctrl+Alt+R as a shortcut value: Ctrl 0x4000 + Alt 0x8000 + the key 'R'.
HOT_KEY = 0x4000 | 0x8000 | ord('R')
HOT_KEY_INI = PLAIN_INI + """[System]
HotKey=%d
""" % HOT_KEY

# The first icon of Wine's own notification area ("Wine System Tray" at
# (3, 22), 160 x 20, on the test screen).
TRAY_ICON = (13, 32)
# A place in that area beside the icons.
TRAY_FREE = (150, 32)
TOGGLE_TIMEOUT = 10.0


class ShellTest(harness.MensorTestCase):

    def wait_hidden(self, app, how):
        harness.wait_until('the ruler to hide after %s' % how, lambda: not app.ruler_visible(), TOGGLE_TIMEOUT)

    def wait_shown(self, app, how):
        harness.wait_until('the ruler to show after %s' % how, app.ruler_visible, TOGGLE_TIMEOUT)
        app.wait_for_screen('the band back in its place after %s' % how, band_is_drawn)

    def test_hot_key_hides_and_shows_the_ruler(self):
        app = self.start_app(HOT_KEY_INI)
        app.wait_for_screen('the band', band_is_drawn)
        # NOTE: Wine sees a key only when X gives it to one of Wine's windows;
        # the pointer rests on Wine's notification area, which stays on the
        # screen while the ruler is hidden. (On Windows the hot key works
        # anywhere.)
        self.session.xdotool('mousemove', *TRAY_FREE)
        for _ in range(2):
            self.session.xdotool('key', 'ctrl+alt+r')
            self.wait_hidden(app, 'Ctrl+Alt+R')
            self.session.xdotool('key', 'ctrl+alt+r')
            self.wait_shown(app, 'Ctrl+Alt+R')
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        values = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(values[('System', 'HotKey')], str(HOT_KEY), 'the hot key is kept')

    def test_notification_icon_double_click_hides_and_shows(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        self.session.xdotool('mousemove', *TRAY_ICON)
        self.session.xdotool('click', '--repeat', 2, '--delay', 80, 1)
        self.wait_hidden(app, 'a double click on the notification icon')
        self.session.xdotool('click', '--repeat', 2, '--delay', 80, 1)
        self.wait_shown(app, 'a double click on the notification icon')
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')

    def test_notification_icon_right_click_opens_the_menu(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        app.open_menu(TRAY_ICON)
        self.session.xdotool('key', 'x')
        self.assertEqual(app.wait_for_exit(), 0, 'exit code after "E&xit" from the icon\'s menu')

    def test_taken_hot_key_gives_one_information_box_and_is_saved_as_none(self):
        first = self.start_app(HOT_KEY_INI)
        first.wait_for_screen('the first ruler', band_is_drawn)
        second = self.launch(HOT_KEY_INI)
        box = harness.wait_until('the information box of the second program', lambda: second.info_boxes(),
                                 harness.WINDOW_TIMEOUT)[0]
        self.shot()
        self.session.xdotool('windowfocus', '--sync', box)
        self.session.xdotool('key', 'Return')
        harness.wait_until('the box to close', lambda: not second.info_boxes(), TOGGLE_TIMEOUT)
        second.wait_for_ruler()
        self.assertEqual(second.info_boxes(), [], 'only one box')
        # Both rulers lie on the same place; the keyboard reaches the second.
        self.assertEqual(second.exit_via_menu(), 0, 'exit code of the second program')
        values = {(s, k): v for s, k, v in second.read_ini()}
        self.assertEqual(values[('System', 'HotKey')], '0', 'the second program saves no hot key')
        self.assertEqual(first.exit_via_menu(ON_BAND), 0, 'exit code of the first program')
        values = {(s, k): v for s, k, v in first.read_ini()}
        self.assertEqual(values[('System', 'HotKey')], str(HOT_KEY), 'the first program keeps its hot key')

    def system_calculator(self):
        """Where the system's calc.exe lies in the Wine prefix (the 64-bit
        system folder)."""
        return os.path.join(self.session.prefix, 'drive_c', 'windows', 'system32', 'calc.exe')

    def test_calculator_is_started_from_the_system_folder_only(self):
        fixture = os.environ.get('MENSOR_BACKDROP')
        if not fixture or not os.path.isfile(fixture):
            raise harness.HarnessError('MENSOR_BACKDROP does not name a built backdrop.exe: %r' % fixture)
        with open(fixture, 'rb') as f:
            stand_in_bytes = f.read()
        system_calc = self.system_calculator()
        # NOTE: the prefix is shared by every module, and Wine brings no
        # calc.exe: a stand-in left there by a run that was killed goes first.
        if os.path.isfile(system_calc):
            with open(system_calc, 'rb') as f:
                if f.read() != stand_in_bytes:
                    self.skipTest('the prefix has a calc.exe of its own')
            os.remove(system_calc)

        # A calc.exe beside the program (the see-through fixture, a window
        # titled Backdrop, stands in for it) is not started: the menu command
        # tells that the calculator is missing.
        app = self.launch(PLAIN_INI)
        shutil.copyfile(fixture, os.path.join(app.folder, 'calc.exe'))
        app.wait_for_ruler()
        app.wait_for_screen('the band', band_is_drawn)
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'c')
        box = harness.wait_until('the calculator failure box', lambda: app.info_boxes(), TOGGLE_TIMEOUT)[0]
        self.session.xdotool('windowfocus', '--sync', box)
        self.session.xdotool('key', 'Return')
        harness.wait_until('the box to close', lambda: not app.info_boxes(), TOGGLE_TIMEOUT)
        self.assertEqual(self.session.visible_windows(r'^Backdrop$'), [], 'the calc.exe beside the program not run')

        # The one in the system folder is started.
        shutil.copyfile(fixture, system_calc)
        self.addCleanup(lambda: os.path.isfile(system_calc) and os.remove(system_calc))
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'c')
        stand_in = harness.wait_until('the system\'s calculator to start',
                                      lambda: self.session.visible_windows(r'^Backdrop$'), TOGGLE_TIMEOUT)[0]
        try:
            self.assertEqual(app.info_boxes(), [], 'no failure box when the calculator starts')
        finally:
            # The stand-in covers the screen; the other tests need it gone.
            pid = int(self.session.run(['xdotool', 'getwindowpid', str(stand_in)]).stdout.split()[0])
            os.kill(pid, signal.SIGKILL)
            harness.wait_until('the calculator stand-in to go',
                               lambda: not self.session.visible_windows(r'^Backdrop$'), TOGGLE_TIMEOUT)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')

if __name__ == '__main__':
    unittest.main()
