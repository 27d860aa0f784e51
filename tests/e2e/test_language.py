"""Language packs end to end: the shipped packs beside mensor.exe fill the
"&Language" submenu; choosing one changes the menu at once (its own
accelerator letters work in the reopened menu), the choice is saved in
app.ini and comes back at the next start; a pack in a non-Latin script
(Russian, UTF-8 with byte-order mark) shows its script in the owner-drawn menu
and its accelerator letters work through WM_MENUCHAR."""

import os
import shutil
import time
import unittest

import harness
from harness import ON_BAND, PLAIN_INI, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

# The packs the Windows build puts beside mensor.exe.
PACKS_DIR = os.path.join(os.path.dirname(os.path.abspath(os.environ.get('MENSOR_EXE', ''))), 'Languages')
# Positions in the "&Language" submenu below "&English (Default)" (the pack
# list sorted by file name: Deutsch.txt, Francais.txt, Russian.txt,
# template.txt, which is never offered).
GERMAN, FRENCH, RUSSIAN = 1, 2, 3


def values_of(app):
    return {(s, k): v for s, k, v in app.read_ini()}


class LanguageTest(harness.MensorTestCase):

    def launch_with_packs(self, ini):
        """Starts mensor.exe from a folder with the shipped Languages folder
        beside it."""
        app = harness.App(self.session, ini)
        shutil.copytree(PACKS_DIR, os.path.join(app.folder, 'Languages'))
        self.apps.append(app)
        app.start()
        app.wait_for_ruler()
        app.wait_for_screen('the band', band_is_drawn)
        return app

    def restart(self, app):
        """A new start of the program in a fresh folder holding the saved
        app.ini and the packs."""
        with open(app.ini_path, 'rb') as f:
            return self.launch_with_packs(f.read())

    def menu_windows(self, app, before):
        return [w for w in app.windows() if w not in before]

    def choose_language(self, app, position):
        """Opens the menu, goes to "&Language" (second from the bottom, above
        "E&xit"; its letter L is shared with "Show Scale &Line"), opens the
        submenu and chooses the entry at this position."""
        before = set(app.windows())
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'Up')
        self.session.xdotool('key', 'Up')
        self.session.xdotool('key', 'Right')
        harness.wait_until('the Language submenu', lambda: len(self.menu_windows(app, before)) >= 2,
                           harness.MENU_TIMEOUT)
        for _ in range(position):
            self.session.xdotool('key', 'Down')
        self.session.xdotool('key', 'Return')
        harness.wait_until('the menu to close', lambda: not self.menu_windows(app, before), harness.MENU_TIMEOUT)

    def exit_with_key(self, app, key):
        """Opens the menu and presses key; returns the exit code once the
        program has ended (the key must be the Exit item's letter)."""
        app.open_menu(ON_BAND)
        self.session.xdotool('key', key)
        return app.wait_for_exit()

    def keep_evidence(self, shot, name):
        folder = os.path.join(self.session.dir, 'evidence', self.id())
        os.makedirs(folder, exist_ok=True)
        return shot.save(os.path.join(folder, name))

    def test_choosing_a_pack_changes_the_menu_at_once_and_is_restored(self):
        app = self.launch_with_packs(PLAIN_INI)
        # In English "b" chooses nothing: the menu stays open.
        before = set(app.windows())
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'b')
        time.sleep(0.5)
        self.assertTrue(app.running() and self.menu_windows(app, before), 'English menu open after b')
        self.session.xdotool('key', 'Escape')
        harness.wait_until('the menu to close', lambda: not self.menu_windows(app, before), harness.MENU_TIMEOUT)

        self.choose_language(app, GERMAN)
        started = time.monotonic()
        # "&Beenden" is the German "E&xit".
        self.assertEqual(self.exit_with_key(app, 'b'), 0, 'exit code')
        print('\n[e2e] reopened German menu and exit by its letter: %.2f s' % (time.monotonic() - started))
        self.assertEqual(values_of(app)[('Language', 'FileName')], 'Deutsch.txt')

        again = self.restart(app)
        self.assertEqual(self.exit_with_key(again, 'b'), 0, 'German restored at the next start')
        self.assertEqual(values_of(again)[('Language', 'FileName')], 'Deutsch.txt')

    def test_russian_pack_shows_its_script_and_its_letters_work(self):
        app = self.launch_with_packs(PLAIN_INI)
        menu = app.open_menu(ON_BAND)
        english = self.shot()
        before = set(app.windows()) - {menu}
        self.session.xdotool('key', 'Escape')
        harness.wait_until('the menu to close', lambda: not self.menu_windows(app, before), harness.MENU_TIMEOUT)
        self.choose_language(app, RUSSIAN)

        menu = app.open_menu(ON_BAND)
        x, y, w, h = self.session.window_geometry(menu)
        # The menu is drawn once its items differ from the English ones.
        shot = app.wait_for_screen(
            'the Russian menu', lambda s: any(s.pixel(c, r) != english.pixel(c, r)
                                              for r in range(y + 4, y + h - 4, 3)
                                              for c in range(x + 30, x + w - 10, 3)))
        path = self.keep_evidence(shot, 'russian_menu.png')
        print('\n[e2e] Russian menu kept in %s' % path)
        # Text pixels: dark glyphs on the light menu background.
        dark = sum(1 for r in range(y + 4, y + h - 4) for c in range(x + 30, x + w - 10)
                   if max(shot.pixel(c, r)) < 0x60)
        self.assertGreater(dark, 500, 'the captions are drawn')
        # "&Выход" (Exit) by its Cyrillic letter.
        self.session.xdotool('key', 'Cyrillic_ve')
        self.assertEqual(app.wait_for_exit(), 0, 'exit by the Cyrillic letter')
        self.assertEqual(values_of(app)[('Language', 'FileName')], 'Russian.txt')


if __name__ == '__main__':
    unittest.main()
