"""Two rulers started from one folder, each with a setting of its own
changed, closed at the same instant (WM_CLOSE posted to both at once): in
every round both end without a message, and app.ini is complete (every known
entry once, the user's own lines kept) and holds one ruler's settings whole.
Each save reads app.ini while the other may be replacing it, which Windows
refuses for as long as the file is open; the save waits for that."""

import os
import sys
import unittest

import harness
import settings_tools
from harness import ON_BAND, PLAIN_INI, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

ROUNDS = 20

INI = (PLAIN_INI + """[Extra]
Foo=bar
; the user's note
""").replace('\n', '\r\n')


class TwoInstancesTest(harness.MensorTestCase):

    def choose(self, app, *keys):
        """Opens the menu of the ruler on top with a right click and chooses
        an item by its accelerator letters."""
        app.wait_for_screen('the band', band_is_drawn)
        before = set(app.windows())
        app.open_menu(ON_BAND)
        for depth, key in enumerate(keys, start=1):
            if depth > 1:  # the submenu the previous letter opened
                harness.wait_until('the submenu', lambda: len(set(app.windows()) - before) >= depth,
                                   harness.MENU_TIMEOUT)
            self.session.xdotool('key', key)
        harness.wait_until('the menu to close', lambda: set(app.windows()) <= before, harness.MENU_TIMEOUT)

    def one_round(self):
        """Returns the outcome of one round: 'first' or 'second' (whose
        settings the file holds) or a description of what went wrong."""
        # The two rulers lie on the same place: the first changes its
        # setting before the second covers it.
        first = self.start_app(INI)
        self.choose(first, 'u', 'c')    # Units, CM
        second = settings_tools.second_instance(first)
        self.apps.append(second)
        second.start()
        second.wait_for_ruler()
        self.choose(second, 't')        # Always On Top
        closed = settings_tools.close_windows(self.session, 'Mensor')
        if closed != 2:
            return 'WM_CLOSE reached %d windows' % closed
        for app in (first, second):
            try:
                app.wait_for_exit()
            except harness.HarnessError:
                boxes = app.info_boxes()
                return 'a ruler did not end%s' % (' (message box shown)' if boxes else '')
        with open(first.ini_path, 'rb') as f:
            data = f.read()
        entries = harness.parse_ini(data)
        missing = settings_tools.keys_not_once(entries)
        if missing:
            return 'entries not once: %r' % missing
        values = {(s, k): v for s, k, v in entries}
        if values.get(('Extra', 'Foo')) != 'bar' or b"; the user's note" not in data:
            return "the user's lines lost"
        on_top, unit = values[('System', 'WindowOnTop')], values[('Current', 'Unit')]
        if (on_top, unit) == ('0', '1'):
            return 'first'
        if (on_top, unit) == ('1', '0'):
            return 'second'
        return 'mixed or lost settings: WindowOnTop=%s Unit=%s' % (on_top, unit)

    def test_closing_two_rulers_at_once_saves_one_whole_every_time(self):
        outcomes = []
        for _ in range(ROUNDS):
            outcomes.append(self.one_round())
            for app in self.apps:
                app.kill()
        summary = ', '.join('%s x%d' % (o, outcomes.count(o)) for o in sorted(set(outcomes)))
        print('\n[e2e] two rulers closed at once, %d rounds: %s' % (ROUNDS, summary), file=sys.stderr)
        bad = [o for o in outcomes if o not in ('first', 'second')]
        self.assertEqual(bad, [], 'rounds that went wrong')


if __name__ == '__main__':
    unittest.main()
