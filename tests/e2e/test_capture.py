"""Screen capture and picture drawing of the Win32 layer, seen through
see-through mode: a second ruler shows, pixel for pixel, the tinted picture
of the first ruler that lies behind it (no offset, no flip, no swapped
colour channels)."""

import unittest

import harness
from harness import BAND, PLAIN_INI, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

WHITE = (0xFF, 0xFF, 0xFF)
TRANS_VALUE = 60   # percent of the screen in the see-through picture

# The second ruler: longer and wider, so that it covers the first one, and
# with its ticks one pixel beside the first ruler's (its zero corner lies at
# ((1024 - 802) div 2, (768 - 99) div 2) = (111, 334)).
SEE_THROUGH_INI = """[System]
RulerWidth=99
[Current]
Length=802
Transparence=1
TransValue=%d
[ToolBar]
Show=0
""" % TRANS_VALUE

# Rows of the first ruler's upper ticks that the second ruler paints nothing
# over (its own ticks stand at its edges, its numbers above these rows), and
# columns clear of both rulers' labels near their zero ends.
ROWS = range(BAND[1] + 5, BAND[1] + 12)
COLUMNS = range(300, BAND[2] - 5)


def tint(rgb):
    """The see-through mix of a screen pixel with the ruler colour 0xFF9B37."""
    return tuple(((100 - TRANS_VALUE) * c + old * TRANS_VALUE) // 100
                 for c, old in zip(harness.RULER_RGB, rgb))


class CaptureTest(harness.MensorTestCase):

    def test_see_through_ruler_shows_the_tinted_screen_behind_it(self):
        first = self.start_app(PLAIN_INI)

        def ticks_drawn(shot):
            return band_is_drawn(shot) and any(shot.pixel(x, y) == WHITE for y in ROWS for x in COLUMNS)
        try:
            behind = first.wait_for_screen('the first ruler with its scale', ticks_drawn)
        except harness.HarnessError:
            if band_is_drawn(self.session.last_shot):
                self.skipTest('the ruler paints no scale yet')
            raise
        second = self.start_app(SEE_THROUGH_INI)

        def shows_behind(shot):
            return all(shot.pixel(x, y) == tint(behind.pixel(x, y)) for y in ROWS for x in COLUMNS)
        try:
            second.wait_for_screen('the tinted first ruler in the second one', shows_behind)
        except harness.HarnessError:
            shot = self.session.last_shot
            wrong = [(x, y, shot.pixel(x, y), tint(behind.pixel(x, y)))
                     for y in ROWS for x in COLUMNS if shot.pixel(x, y) != tint(behind.pixel(x, y))]
            self.fail('%d pixels differ from the tinted picture behind, first (x, y, seen, expected): %r'
                      % (len(wrong), wrong[:5]))
        self.assertEqual(second.exit_via_menu(), 0, 'exit code of the see-through ruler')
        self.assertEqual(first.exit_via_menu(), 0, 'exit code of the plain ruler')


if __name__ == '__main__':
    unittest.main()
