"""See-through mode under Wine: the ruler shows the screen behind it, tinted
with its background colour, from a capture taken at start-up; a move repaints
from that capture; an activation after a paint captures anew; the menu's
"Tra&nsparent" switches back to the plain colour.

A capture under Wine sees only Wine's own windows, so each test first starts
the fixture backdrop.exe (MENSOR_BACKDROP): a full-screen window whose pixels
are a known function of the screen position (`picture`), below everything
started later. On request (a flag file) it switches to the negative picture,
which tells an old capture from a new one.

The ruler's scale, numbers and marker cover part of its band, so a band
"shows" a picture when 80 % of its pixels have exactly the expected colours
(the scale covers about a tenth). A picture shifted by one pixel, rounded
instead of truncated, or tinted with another colour or percentage matches at
most two fifths of them.
"""

import os
import shutil
import subprocess
import tempfile
import unittest

import harness
from harness import RULER_RGB, SCREEN_H, SCREEN_W

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

LENGTH = 600
WIDTH = 60
# The centred horizontal ruler: zero corner at ((1024 - 600) div 2,
# (768 - 60) div 2); the band runs right and up from it.
ZERO_X = (SCREEN_W - LENGTH) // 2   # 212
ZERO_Y = (SCREEN_H - WIDTH) // 2    # 354
BAND = (ZERO_X, ZERO_Y - WIDTH, ZERO_X + LENGTH, ZERO_Y)   # left, top, right, bottom (exclusive)
ON_BAND = (ZERO_X + LENGTH // 2, ZERO_Y - WIDTH // 2)

# The default look: tint 0xFF9B37 (0x00BBGGRR), 60 % of the screen.
DEFAULT_TINT = RULER_RGB
DEFAULT_PERCENT = 60

# The ruler's step for the arrow keys in the move test.
KEY_STEP = 9

# Share of the band's pixels that must have exactly the expected colour.
MATCH_SHARE = 0.8

BACKDROP_TIMEOUT = 30.0


def picture(x, y, negative=False):
    """The backdrop's pixel at screen (x, y) as (red, green, blue)."""
    # Blue wraps around as a byte does (beyond x = 1280, on a second monitor).
    rgb = (x % 256, y % 256, (0x20 + 0x30 * (x // 256) + 0x18 * (y // 256)) & 0xFF)
    return tuple(255 - c for c in rgb) if negative else rgb


def tinted(old, tint, percent):
    """((100 - T) * tint + old * T) div 100 per channel."""
    return tuple(((100 - percent) * c + o * percent) // 100 for c, o in zip(tint, old))


def rgb_of(colour):
    """A 0x00BBGGRR colour value as (red, green, blue)."""
    return (colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF)


def shifted(box, dx, dy):
    return (box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy)


def share_matching(shot, box, expected):
    """Share of the pixels in box whose colour is expected(x, y)."""
    left, top, right, bottom = box
    hits = 0
    for y in range(top, bottom):
        for x in range(left, right):
            if shot.pixel(x, y) == expected(x, y):
                hits += 1
    return hits / float((right - left) * (bottom - top))


def shows_tinted(box, tint, percent, negative=False):
    """Predicate on a shot: box shows the (negative) picture tinted."""
    def expected(x, y):
        return tinted(picture(x, y, negative), tint, percent)
    return lambda shot: share_matching(shot, box, expected) >= MATCH_SHARE


def shows_colour(box, rgb):
    return lambda shot: share_matching(shot, box, lambda x, y: rgb) >= MATCH_SHARE


def shows_backdrop(box, negative=False):
    """Every pixel of box is the backdrop's own, untinted."""
    return lambda shot: share_matching(shot, box, lambda x, y: picture(x, y, negative)) == 1.0


def frame_of(box, gap=2, thickness=2):
    """Four thin boxes just outside box, gap pixels away from it."""
    left, top, right, bottom = box
    return [(left, top - gap - thickness, right, top - gap),
            (left, bottom + gap, right, bottom + gap + thickness),
            (left - gap - thickness, top, left - gap, bottom),
            (right + gap, top, right + gap + thickness, bottom)]


class Backdrop:
    """backdrop.exe started from a folder of its own; flip() makes it show
    the other picture (the negative one first); click() activates it. With
    boxes (the lines of a box file, see fixtures/backdrop.cpp) it draws those
    shapes instead of picture()."""

    def __init__(self, session, boxes=None):
        path = os.environ.get('MENSOR_BACKDROP')
        if not path or not os.path.isfile(path):
            raise harness.HarnessError('MENSOR_BACKDROP does not name a built backdrop.exe: %r' % path)
        self.session = session
        self.folder = tempfile.mkdtemp(prefix='backdrop-', dir=os.path.join(session.dir, 'runs'))
        self.exe = os.path.join(self.folder, 'backdrop.exe')
        shutil.copyfile(path, self.exe)
        self.options = []
        if boxes is not None:
            with open(os.path.join(self.folder, 'boxes.txt'), 'w') as f:
                f.write(''.join(line + '\n' for line in boxes))
            self.options = ['--boxes', 'boxes.txt']
        self.proc = None

    def start(self):
        # The flag file is named relative to the working folder, which Wine
        # hands on as the process's current directory.
        with open(os.path.join(self.folder, 'backdrop.log'), 'wb') as log:
            self.proc = subprocess.Popen(['wine', self.exe] + self.options + ['flip.flag', 'active.flag'], cwd=self.folder,
                                         env=self.session.env, stdout=log, stderr=subprocess.STDOUT)
        return self

    def flip(self):
        """Switches the picture and waits until the backdrop has taken the
        request (it deletes the flag file once it has painted the other
        picture)."""
        flag = os.path.join(self.folder, 'flip.flag')
        open(flag, 'w').close()
        harness.wait_until('the backdrop to switch its picture', lambda: not os.path.exists(flag), BACKDROP_TIMEOUT)

    def click(self, at):
        """Clicks the backdrop at the screen point at and waits until it is
        the active window."""
        flag = os.path.join(self.folder, 'active.flag')
        if os.path.exists(flag):
            os.remove(flag)
        self.session.xdotool('mousemove', at[0], at[1])
        self.session.xdotool('click', 1)
        harness.wait_until('the activation of the backdrop', lambda: os.path.exists(flag), harness.MENU_TIMEOUT)

    def stop(self):
        if self.proc is not None and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        shutil.rmtree(self.folder, ignore_errors=True)


class SeeThroughTest(harness.MensorTestCase):

    def setUp(self):
        super().setUp()
        self.backdrop = Backdrop(self.session)
        # NOTE: a cleanup, not tearDown, so it also runs when setUp fails.
        self.addCleanup(self.backdrop.stop)
        self.backdrop.start()
        # The screen below the strip of Wine's tray window shows the picture
        # before the ruler starts.
        probes = [(x, y) for x in range(0, SCREEN_W, 37) for y in range(60, SCREEN_H, 41)]

        def up():
            shot = self.shot()
            return all(shot.pixel(x, y) == picture(x, y) for x, y in probes)
        harness.wait_until('the backdrop picture on the screen', up, BACKDROP_TIMEOUT, interval=0.2)

    def assert_screen(self, app, what, predicate, timeout=harness.SCREEN_TIMEOUT):
        try:
            return app.wait_for_screen(what, predicate, timeout)
        except harness.HarnessError as e:
            self.fail(str(e))

    def test_default_start_tints_the_backdrop_and_the_menu_switches_the_mode(self):
        # No app.ini: see-through is on, 60 % of the screen, tint 0xFF9B37.
        app = self.start_app(None)
        shot = self.assert_screen(app, 'the band showing the backdrop tinted 60 %% with 0xFF9B37',
                                  shows_tinted(BAND, DEFAULT_TINT, DEFAULT_PERCENT))
        for box in frame_of(BAND):
            self.assertTrue(shows_backdrop(box)(shot), 'backdrop untouched just outside the band at %r' % (box,))

        # "Tra&nsparent" off: the plain background colour.
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'n')
        self.assert_screen(app, 'the band in the plain colour 0xFF9B37 after "Tra&nsparent"',
                           shows_colour(BAND, RULER_RGB))

        # Switched on again from the menu, the ruler steps aside and captures
        # the screen as it is now; switched off again, it is plain once more.
        self.backdrop.flip()
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'n')
        self.assert_screen(app, 'the band showing the negative backdrop tinted after "Tra&nsparent" again',
                           shows_tinted(BAND, DEFAULT_TINT, DEFAULT_PERCENT, negative=True))
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'n')
        self.assert_screen(app, 'the band in the plain colour 0xFF9B37 after the third "Tra&nsparent"',
                           shows_colour(BAND, RULER_RGB))

        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        values = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(values[('Current', 'Transparence')], '0', 'the mode is saved as off')

    def test_move_repaints_from_the_old_capture_and_activation_captures_anew(self):
        # Another tint and percentage from app.ini; the ruler stays on top, so
        # that a click on the backdrop takes the activation but leaves the
        # ruler in sight. No tool bar: a tool bar that took the activation at
        # start-up would make the first press on the ruler a new capture.
        tint_value, percent = 0x3060C0, 85
        tint = rgb_of(tint_value)
        app = self.start_app('[System]\nWindowOnTop=1\nMoveStep=%d\n[Face]\nBackgroundColor=%d\n'
                             '[Current]\nTransValue=%d\n[ToolBar]\nShow=0\n' % (KEY_STEP, tint_value, percent))
        self.assert_screen(app, 'the band showing the backdrop tinted %d %% with 0x%06X' % (percent, tint_value),
                           shows_tinted(BAND, tint, percent))

        # The screen changes behind the ruler; the ruler keeps its capture.
        self.backdrop.flip()
        frame = frame_of(BAND)
        self.assert_screen(app, 'the negative backdrop around the band, the old capture in it',
                           lambda shot: (all(shows_backdrop(box, True)(shot) for box in frame)
                                         and shows_tinted(BAND, tint, percent)(shot)))

        # Move the ruler by (-100, +110) with the mouse.
        dx, dy = -100, 110
        press = (ZERO_X + 388, ZERO_Y - 14)
        self.session.xdotool('mousemove', press[0], press[1])
        self.session.xdotool('mousedown', 1)
        for step in (1, 2, 3, 4):
            self.session.xdotool('mousemove', press[0] + dx * step // 4, press[1] + dy * step // 4)
        self.session.xdotool('mouseup', 1)
        moved = shifted(BAND, dx, dy)
        shot = self.assert_screen(app, 'the old capture (positive picture) tinted in the band moved to %r' % (moved,),
                                  shows_tinted(moved, tint, percent))
        # The old place shows the backdrop again; no trace of the rubber band
        # is left around the new place.
        old_rows = (BAND[0], BAND[1], BAND[2], moved[1] - 3)
        self.assertTrue(shows_backdrop(old_rows, True)(shot), 'the negative backdrop where the band was')
        for box in frame_of(moved):
            self.assertTrue(shows_backdrop(box, True)(shot), 'negative backdrop just outside the moved band at %r'
                            % (box,))

        # The arrow keys move the window without any paint of their own: the
        # move alone repaints it, again from the old capture.
        self.session.xdotool('key', 'Right', 'Right', 'Down')
        moved = shifted(moved, 2 * KEY_STEP, KEY_STEP)
        self.assert_screen(app, 'the old capture tinted in the band moved by the arrow keys to %r' % (moved,),
                           shows_tinted(moved, tint, percent))

        # Another window takes the activation; a click on the ruler activates
        # it again and it captures the screen as it is now.
        self.backdrop.click((900, 700))
        centre = ((moved[0] + moved[2]) // 2 + 88, moved[3] - 14)
        self.session.xdotool('mousemove', centre[0], centre[1])
        self.session.xdotool('click', 1)
        self.assert_screen(app, 'the new capture (negative picture) tinted in the band after the activation',
                           shows_tinted(moved, tint, percent, negative=True))
        self.assertEqual(app.exit_via_menu(centre), 0, 'exit code')


if __name__ == '__main__':
    unittest.main()
