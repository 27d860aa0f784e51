"""A right click on the ruler opens its menu every time: with see-through on
and off, on an inactive ruler, after a move and a stretch, after each dialog
closes and after a change of language. Every menu in this module is opened by
a right click alone (no keyboard fallback), and the module counts them.

With see-through on, a right click that activates the ruler opens the menu
over the old capture, and the ruler captures the screen anew once the menu has
closed. The backdrop switches its picture before each action that must lead
to a new capture, so the test sees the capture happen (and waits for it
before the next click, as the ruler is off the screen meanwhile)."""

import os
import shutil
import sys
import time
import unittest

import harness
import test_seethrough as st
from test_gestures import ruler_box
from test_language import GERMAN, PACKS_DIR

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

BAND = st.BAND
# The ruler stays above the backdrop when the backdrop takes the activation.
INI = '[System]\nWindowOnTop=1\n[Current]\nTransparence=%d\n[ToolBar]\nShow=0\n'
ABOUT = r'^Mensor$'
PREFERENCES = r'^Mensor Configure$'
# Bounded waits: load makes them slower, a lost click runs them out.
MENU_TIMEOUT = 10.0
DIALOG_TIMEOUT = 15.0
SCREEN_TIMEOUT = 20.0
LEAST_CLICKS = 20


def shifted(box, dx, dy):
    return (box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy)


class RightClickTest(harness.MensorTestCase):

    def setUp(self):
        super().setUp()
        self.backdrop = st.Backdrop(self.session)
        self.addCleanup(self.backdrop.stop)
        self.backdrop.start()
        harness.wait_until('the backdrop', lambda: self.session.visible_windows(r'^Backdrop$'),
                           harness.WINDOW_TIMEOUT)
        self.clicks = []      # (state, seconds to the menu)
        self.box = BAND       # where the ruler's band lies
        self.negative = False  # the picture the backdrop shows

    def start(self, see_through):
        app = harness.App(self.session, INI % see_through)
        shutil.copytree(PACKS_DIR, os.path.join(app.folder, 'Languages'))
        self.apps.append(app)
        app.start()
        app.wait_for_ruler()
        self.see_through = bool(see_through)
        self.wait_band(app, 'the ruler at start')
        return app

    # --- what the screen must show ---

    def band_shown(self, box=None, negative=None):
        """Predicate on a shot: the band at box in see-through (the capture
        of the given picture) or in its plain colour."""
        box = self.box if box is None else box
        if not self.see_through:
            return lambda shot: ruler_box(shot) == box
        negative = self.negative if negative is None else negative
        return st.shows_tinted(box, st.DEFAULT_TINT, st.DEFAULT_PERCENT, negative)

    def wait_band(self, app, what):
        try:
            app.wait_for_screen(what, self.band_shown(), SCREEN_TIMEOUT)
        except harness.HarnessError as e:
            self.fail(str(e))

    def flip(self):
        """The backdrop switches its picture: the next capture shows the
        other one."""
        self.backdrop.flip()
        self.negative = not self.negative

    # --- the right click ---

    def on_band(self):
        return ((self.box[0] + self.box[2]) // 2, (self.box[1] + self.box[3]) // 2)

    def right_click(self, app, state):
        """Right-clicks the middle of the band and waits for the menu; returns
        the set of the program's windows before it and the shot with the menu
        open."""
        before = set(app.windows())
        at = self.on_band()
        self.session.xdotool('mousemove', at[0], at[1])
        started = time.monotonic()
        self.session.xdotool('click', 3)
        try:
            harness.wait_until('the menu after a right click %s' % state,
                               lambda: set(app.windows()) - before - {app.ruler}, MENU_TIMEOUT, interval=0.02)
        except harness.HarnessError as e:
            self.session.last_shot = self.session.screenshot()
            self.fail('%s (%d right clicks before opened it)' % (e, len(self.clicks)))
        self.clicks.append((state, time.monotonic() - started))
        return before, self.shot()

    def wait_closed(self, app, before, what):
        harness.wait_until(what, lambda: set(app.windows()) <= before, DIALOG_TIMEOUT)

    def menu_and_escape(self, app, state):
        before, shot = self.right_click(app, state)
        self.session.xdotool('key', 'Escape')
        self.wait_closed(app, before, 'the menu to close after Escape')
        return shot

    def command(self, app, state, *keys):
        """Opens the menu by a right click and chooses by the keys."""
        before, _ = self.right_click(app, state)
        for key in keys:
            self.session.xdotool('key', key)
        return before

    # --- the actions between the clicks ---

    def make_inactive_and_click(self, app):
        """The backdrop takes the activation; a right click on the ruler
        opens the menu at once, over the old capture; the new capture comes
        once the menu has closed."""
        if self.see_through:
            self.flip()
        self.backdrop.click((900, 700))
        state = 'on the inactive ruler'
        before, shot = self.right_click(app, state)
        if self.see_through:
            # The part of the band left of the menu.
            left = (self.box[0] + 100, self.box[1], self.on_band()[0] - 5, self.box[3])
            self.assertTrue(self.band_shown(left, not self.negative)(shot),
                            'the old capture is in the band while the menu is open')
        self.session.xdotool('key', 'Escape')
        self.wait_closed(app, before, 'the menu to close after Escape')
        self.wait_band(app, 'the band after the menu of the inactive ruler closed')

    def drag(self, app, press, to, box, what):
        self.session.xdotool('mousemove', press[0], press[1], 'mousedown', 1)
        for step in (1, 2, 3):
            self.session.xdotool('mousemove', press[0] + (to[0] - press[0]) * step // 3,
                                 press[1] + (to[1] - press[1]) * step // 3)
        self.session.xdotool('mouseup', 1)
        self.box = box
        self.wait_band(app, what)

    def move(self, app):
        press = (self.box[0] + 200, self.box[1] + 45)
        self.drag(app, press, (press[0] + 40, press[1] + 60), shifted(self.box, 40, 60), 'the band after a move')

    def stretch(self, app, dx):
        press = (self.box[2] - 1, self.box[1] + 30)
        box = (self.box[0], self.box[1], self.box[2] + dx, self.box[3])
        self.drag(app, press, (press[0] + dx, press[1]), box, 'the band after a stretch')

    def dialog(self, app, letter, title, close_key):
        """Opens a dialog from the menu and closes it with a key; with
        see-through on, the ruler's activation then takes a new capture."""
        before = self.command(app, 'to open %s' % title, letter)
        harness.wait_until('the dialog %s' % title,
                           lambda: [w for w in app.windows(title) if w not in before], DIALOG_TIMEOUT)
        if self.see_through:
            self.flip()
        self.session.xdotool('key', close_key)
        self.wait_closed(app, before, 'the dialog %s to close after %s' % (title, close_key))
        self.wait_band(app, 'the band after the dialog %s closed' % title)

    def choose_language(self, app, position):
        """"&Language" is second from the bottom: Up, Up, Right opens it."""
        before = self.command(app, 'to choose a language', 'Up', 'Up', 'Right')
        harness.wait_until('the Language submenu', lambda: len(set(app.windows()) - before) >= 2, MENU_TIMEOUT)
        for _ in range(position):
            self.session.xdotool('key', 'Down')
        self.session.xdotool('key', 'Return')
        self.wait_closed(app, before, 'the menu to close after the language')

    def every_state(self, app):
        self.menu_and_escape(app, 'at start')
        self.make_inactive_and_click(app)
        self.menu_and_escape(app, 'on the active ruler')
        self.move(app)
        self.menu_and_escape(app, 'after a move')
        self.stretch(app, -100)
        self.menu_and_escape(app, 'after a stretch')
        self.make_inactive_and_click(app)
        self.dialog(app, 'a', ABOUT, 'Escape')
        self.menu_and_escape(app, 'after the about box closed')
        self.dialog(app, 'p', PREFERENCES, 'Escape')
        self.menu_and_escape(app, 'after the preferences were cancelled')
        self.dialog(app, 'p', PREFERENCES, 'Return')
        self.menu_and_escape(app, 'after the preferences were confirmed')
        self.choose_language(app, GERMAN)
        self.menu_and_escape(app, 'after a change of language')
        self.choose_language(app, 0)
        self.stretch(app, 50)
        self.menu_and_escape(app, 'after a stretch back')

    def switch_mode_and_exit(self, app):
        """"Tra&nsparent" switches see-through over; the next right click
        opens the menu too; "E&xit" ends the program. Reports the clicks."""
        was_on = self.see_through
        if not was_on:
            self.flip()  # the capture shows the screen as it is now
        before = self.command(app, 'to switch see-through %s' % ('off' if was_on else 'on'), 'n')
        self.wait_closed(app, before, 'the menu to close')
        self.see_through = not was_on
        self.wait_band(app, 'the band after "Tra&nsparent"')
        self.menu_and_escape(app, 'after see-through went %s' % ('off' if was_on else 'on'))
        self.command(app, 'to exit', 'x')
        self.assertEqual(app.wait_for_exit(), 0, 'exit code')
        slowest = max(self.clicks, key=lambda c: c[1])
        print('\n[e2e] see-through %s at start: %d right clicks, each opened the menu; slowest %.2f s (%s)'
              % ('on' if was_on else 'off', len(self.clicks), slowest[1], slowest[0]), file=sys.stderr)
        self.assertGreaterEqual(len(self.clicks), LEAST_CLICKS // 2, 'right clicks tried')

    def test_every_right_click_opens_the_menu_with_see_through_on(self):
        app = self.start(1)
        self.every_state(app)
        self.switch_mode_and_exit(app)

    def test_every_right_click_opens_the_menu_with_see_through_off(self):
        app = self.start(0)
        self.every_state(app)
        self.switch_mode_and_exit(app)


if __name__ == '__main__':
    unittest.main()
