"""The preferences dialog on the real program: it opens from "&Preferences..."
with its four pages, their pictures and controls; a new background colour and
keyboard step act on the ruler after OK and are saved; a new width is told
about and applies at the next start; a new Hide/Show hot key works from the
keyboard while the old one no longer does; Esc stores nothing; in English,
every shipped pack and a pack of very long texts the dialog lies wholly on
the screen.

The dialog is driven from the keyboard as a user would (Tab, Ctrl+Tab, Alt
with the underlined letter, Enter, Esc); the colour chooser, whose basic
colours have no keys of their own, is clicked."""

import os
import time
import unittest

import harness
from harness import ON_BAND, PLAIN_INI, RULER_RGB, band_is_drawn
from test_gestures import WIDTH, ZERO_X, ZERO_Y, LENGTH, ruler_box

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

DIALOG = r'^Mensor Configure$'
CHOOSER = r'^Color$'
DIALOG_TIMEOUT = 10.0
# Wine waits for a window manager that is not there when it takes a
# captioned window off the screen (about two seconds).
CLOSE_TIMEOUT = 10.0
TOGGLE_TIMEOUT = 10.0
RED = (0xFF, 0x00, 0x00)
# The basic colour "red" in Wine's colour chooser: the first box of the
# second row, relative to the chooser's window.
CHOOSER_RED = (19, 55)
# Pages in Tab order from the first field of "System".
TABS_TO_WIDTH = 7
# Ctrl+Alt+H and Ctrl+Alt+J as shortcut values.
OLD_HOT_KEY = 0x4000 | 0x8000 | ord('H')
NEW_HOT_KEY = 0x4000 | 0x8000 | ord('J')
# A place in Wine's notification area: keys reach Wine there while the ruler
# is hidden.
TRAY_FREE = (150, 32)




def long_pack():
    """A pack whose every preferences text is its English text four times."""
    with open(os.path.join(harness.packs_dir(), 'template.txt'), encoding='utf-8-sig') as f:
        lines = f.read().splitlines()
    start = next(i for i, line in enumerate(lines) if line.startswith('; The preferences dialog'))
    end = next(i for i, line in enumerate(lines) if line.startswith('; The about box'))
    out = ['[Info]', 'Language=Long', '[String]']
    for line in lines[start + 1:end]:
        if '=' in line and not line.startswith(';'):
            key, text = line.split('=', 1)
            out.append('%s=%s' % (key, ' '.join([text] * 4)))
    return '\r\n'.join(out) + '\r\n'


def values_of(app):
    return {(s, k): v for s, k, v in app.read_ini()}


def report(what, seconds):
    print('\n[figure] %s: %.2f s' % (what, seconds))


class PreferencesTest(harness.MensorTestCase):

    def open_preferences(self, app):
        """Chooses "&Preferences..." with its letter; returns the dialog's X
        id and the seconds until it was on the screen."""
        app.open_menu(ON_BAND)
        start = time.monotonic()
        self.session.xdotool('key', 'p')
        dialog = harness.wait_until('the preferences dialog',
                                    lambda: (app.windows(DIALOG) or [None])[0], DIALOG_TIMEOUT, interval=0.02)
        return dialog, time.monotonic() - start

    def wait_closed(self, app, how):
        start = time.monotonic()
        harness.wait_until('the dialog to close after %s' % how, lambda: not app.windows(DIALOG), CLOSE_TIMEOUT)
        return time.monotonic() - start

    def key(self, *keys):
        for k in keys:
            self.session.xdotool('key', k)

    def evidence(self, shot, name):
        folder = os.path.join(harness._e2e_dir(), 'evidence')
        os.makedirs(folder, exist_ok=True)
        return shot.save(os.path.join(folder, name))

    def test_opens_with_its_pages_pictures_and_controls(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        dialog, seconds = self.open_preferences(app)
        report('preferences dialog on the screen after the menu key', seconds)
        left, top, width, height = self.session.window_geometry(dialog)
        self.assertGreaterEqual(width, 431, 'client width at 96 pixels per inch')
        self.assertGreaterEqual(height, 413, 'client height')
        picture = (left, top, left + 80, top + 100)

        # "System": the cog's blue hub, and the whole dialog painted (no
        # black blocks left where the buttons and the tabs go; their texts
        # are a few hundred black pixels).
        def system_page(shot):
            painted = (shot.count((0, 0, 0), left, top + height - 40, left + width, top + height) < 600 and
                       shot.count((0, 0, 0), left, top, left + width, top + 25) < 600)
            return painted and shot.count(RULER_RGB, *picture) >= 8
        shot = app.wait_for_screen('the System page with its picture', system_page)
        self.evidence(shot, 'preferences-system.png')
        # "Appearance": the background colour button shows the ruler's colour.
        self.key('ctrl+Tab')

        def appearance_page(shot):
            return shot.count(RULER_RGB, left + 200, top, left + width, top + 250) >= 200
        self.evidence(app.wait_for_screen('the Appearance page with its colour buttons', appearance_page),
                      'preferences-appearance.png')
        # "Custom Unit": the preview, white with black ticks and numbers.
        self.key('ctrl+Tab')

        def custom_page(shot):
            area = (left + 60, top + 200, left + width - 30, top + 300)
            return shot.count((0, 0, 0), *area) >= 300 and shot.count((255, 255, 255), *area) >= 10000
        self.evidence(app.wait_for_screen('the Custom Unit page with its preview', custom_page),
                      'preferences-custom.png')
        # "Hot Key": nine white fields.
        self.key('ctrl+Tab')

        def hotkey_page(shot):
            return shot.count((255, 255, 255), left + 150, top + 40, left + width, top + 320) >= 9 * 150 * 12
        self.evidence(app.wait_for_screen('the Hot Key page with its fields', hotkey_page), 'preferences-hotkey.png')
        self.key('Escape')
        self.wait_closed(app, 'Esc')
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')

    def test_new_background_colour_and_keyboard_step_apply_after_ok(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        self.open_preferences(app)
        # The keyboard step field has the focus, its text selected.
        self.session.xdotool('type', '25')
        # "Appearance", its second colour button ("Background Color").
        self.key('ctrl+Tab', 'Tab', 'space')
        chooser = harness.wait_until('the colour chooser', lambda: (app.windows(CHOOSER) or [None])[0],
                                     DIALOG_TIMEOUT)
        cx, cy, _, _ = self.session.window_geometry(chooser)
        self.session.xdotool('mousemove', cx + CHOOSER_RED[0], cy + CHOOSER_RED[1])
        self.session.xdotool('click', 1)
        self.key('Return')
        harness.wait_until('the chooser to close', lambda: not app.windows(CHOOSER), CLOSE_TIMEOUT)
        start = time.monotonic()
        self.key('alt+o')

        # The band's ends beside the dialog turn red at once.
        def red_band(shot):
            return (shot.count(RED, ZERO_X, ZERO_Y - WIDTH, ZERO_X + 30, ZERO_Y) >= 30 * WIDTH // 2 and
                    shot.count(RULER_RGB, ZERO_X, ZERO_Y - WIDTH, ZERO_X + LENGTH, ZERO_Y) == 0)
        app.wait_for_screen('the ruler in the new colour', red_band)
        report('new background colour on the ruler after OK', time.monotonic() - start)
        self.wait_closed(app, 'OK')
        # An arrow key moves the ruler by the new step.
        self.session.xdotool('mousemove', *ON_BAND)
        self.key('Right')

        def moved(shot):
            box = shot.bounding_box(RED, 100, 150, 900, 700)
            return box is not None and box[0] == ZERO_X + 25
        app.wait_for_screen('the ruler 25 pixels to the right', moved)
        self.assertEqual(app.exit_via_menu((ON_BAND[0] + 25, ON_BAND[1])), 0, 'exit code')
        values = values_of(app)
        self.assertEqual(values[('System', 'MoveStep')], '25')
        self.assertEqual(values[('Face', 'BackgroundColor')], '255', 'red is 0x0000FF')

    def test_new_width_is_told_and_applies_at_the_next_start(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        self.open_preferences(app)
        self.key(*(['Tab'] * TABS_TO_WIDTH))
        self.session.xdotool('type', '40')
        self.key('Return')
        box = harness.wait_until('the width message', lambda: (app.info_boxes() or [None])[0], DIALOG_TIMEOUT)
        self.session.xdotool('windowfocus', '--sync', box)
        self.key('Return')
        self.wait_closed(app, 'the message')
        app.wait_for_screen('the running ruler keeping its width', band_is_drawn)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        with open(app.ini_path, "rb") as f:
            ini = f.read()
        self.assertEqual(values_of(app)[('System', 'RulerWidth')], '40')

        again = self.start_app(ini)
        new_top = (harness.SCREEN_H - 40) // 2 - 40

        def narrow(shot):
            found = ruler_box(shot)
            return found is not None and found[1] == new_top and found[3] - found[1] == 40
        again.wait_for_screen('a ruler 40 pixels wide', narrow)
        self.assertEqual(again.exit_via_menu((ON_BAND[0], new_top + 20)), 0, 'exit code')

    def test_new_hide_show_hot_key_works_and_the_old_one_no_longer(self):
        app = self.start_app(PLAIN_INI + '[System]\nHotKey=%d\n' % OLD_HOT_KEY)
        app.wait_for_screen('the band', band_is_drawn)
        self.open_preferences(app)
        # "Hot Key": its first field, Hide/Show, takes the new key; Enter is OK.
        self.key('ctrl+Tab', 'ctrl+Tab', 'ctrl+Tab', 'ctrl+alt+j', 'Return')
        self.wait_closed(app, 'Enter')
        self.session.xdotool('mousemove', *TRAY_FREE)
        self.key('ctrl+alt+h')
        # The old key is free again: the ruler stays (a hide shows at once).
        time.sleep(1.0)
        self.assertTrue(app.ruler_visible(), 'Ctrl+Alt+H no longer hides the ruler')
        self.key('ctrl+alt+j')
        harness.wait_until('the ruler to hide after Ctrl+Alt+J', lambda: not app.ruler_visible(), TOGGLE_TIMEOUT)
        self.key('ctrl+alt+j')
        harness.wait_until('the ruler to show after Ctrl+Alt+J', app.ruler_visible, TOGGLE_TIMEOUT)
        app.wait_for_screen('the band back', band_is_drawn)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        self.assertEqual(values_of(app)[('System', 'HotKey')], str(NEW_HOT_KEY))

    def test_escape_stores_nothing(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        self.open_preferences(app)
        self.session.xdotool('type', '50')
        self.key('ctrl+Tab', 'ctrl+Tab', 'Escape')
        self.wait_closed(app, 'Esc')
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        values = values_of(app)
        self.assertEqual(values[('System', 'MoveStep')], '1', 'the step typed is not stored')
        self.assertEqual(values[('Face', 'BackgroundColor')], str(0xFF9B37))


    def test_the_dialog_lies_on_the_screen_in_every_pack_and_with_long_texts(self):
        figures = []
        for pack in ['', 'Deutsch.txt', 'Francais.txt', 'Russian.txt', 'Long.txt']:
            with self.subTest(pack=pack or 'English'):
                app = harness.start_with_packs(self, PLAIN_INI, pack, {'Long.txt': long_pack()})
                app.wait_for_screen('the band', band_is_drawn)
                # "&Preferences..." is the third item from the bottom, whatever
                # its letter in the pack.
                app.open_menu(ON_BAND)
                self.key('Up', 'Up', 'Up', 'Return')
                dialog = harness.wait_until('the preferences dialog', lambda: next(
                    (w for w in app.windows() if w != app.ruler and self.session.window_title(w).startswith('Mensor ')),
                    None), DIALOG_TIMEOUT)
                left, top, width, height = self.session.window_geometry(dialog)
                figures.append('%s %d x %d' % (pack or 'English', width, height))
                self.assertTrue(left >= 0 and top >= 0 and left + width <= harness.SCREEN_W and
                                top + height <= harness.SCREEN_H,
                                '%s: the dialog (%d, %d, %d x %d) on the screen' % (pack, left, top, width, height))
                self.evidence(self.shot(), 'preferences-%s.png' % (pack or 'English'))
                # Esc still closes it.
                self.key('Escape')
                harness.wait_until('the dialog to close', lambda: dialog not in app.windows(), CLOSE_TIMEOUT)
                app.kill()
        print('\n[figure] preferences dialog sizes: %s' % ', '.join(figures))

if __name__ == '__main__':
    unittest.main()
