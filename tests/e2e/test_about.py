"""The about box from "&About...": the banner's pixels as libjpeg decoded them,
the picture and the envelope drawn transparent by their bottom-left colours,
closing it with "E&xit" and with Esc, and in English and every shipped pack
the texts of the contact group clear of each other, of the envelope and of
the frame."""

import os
import subprocess
import time
import unittest

import harness
from harness import ON_BAND, PLAIN_INI, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

PICTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src', 'about', 'pictures')
CLIENT_H = 343
PICTURE_AT = (25, 123)  # the transparent picture's
EXIT_BUTTON = (386 + 40, 311 + 12)
EMPTY_SPOT = (440, 200)  # nothing but the dialog colour there
BOX_TIMEOUT = 10.0
PACKS = ['', 'Deutsch.txt', 'Francais.txt', 'Russian.txt']
# The contact group at 96 pixels per inch, in client pixels: its left and
# top, its bottom, and the rows of its caption, of the first line (welcome
# text and web link) and of the second (support text, envelope, mail link).
GROUP_LEFT, GROUP_TOP, GROUP_BOTTOM = 8, 240, 337
CAPTION_ROWS = (240, 254)
FIRST_ROWS = (258, 279)
SECOND_ROWS = (279, 316)
FRAME_GREY = (128, 128, 128)
ENVELOPE_GROUND = (236, 236, 236)


def decoded(name):
    """A picture of the repository as ImageMagick decodes it."""
    ppm = subprocess.run(['convert', os.path.join(PICTURES, name), '-depth', '8', 'ppm:-'],
                         stdout=subprocess.PIPE, check=True).stdout
    return harness.Shot.from_ppm(ppm)


def difference(a, b):
    return max(abs(x - y) for x, y in zip(a, b))


class AboutTest(harness.MensorTestCase):

    def open_about(self, app):
        """Chooses "&About..." with its letter; returns the box's X id. The
        time of the key press is kept in self.pressed."""
        before = set(app.windows(r'^Mensor$'))
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'a')
        self.pressed = time.monotonic()
        return harness.wait_until('the about box', lambda: next(
            (w for w in app.windows(r'^Mensor$') if w not in before), None), BOX_TIMEOUT)

    def client_origin(self, box):
        # Without a window manager Wine shows the client area alone (the
        # box's width follows its texts; its height is fixed).
        x, y, w, h = self.session.window_geometry(box)
        return x, y + h - CLIENT_H

    def wait_closed(self, app, box, how):
        harness.wait_until('the about box to close after %s' % how, lambda: box not in app.windows(), BOX_TIMEOUT)

    def test_about_box_shows_its_pictures_and_closes_with_exit_and_escape(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        banner, picture = decoded('banner.jpg'), decoded('picture.bmp')
        box = self.open_about(app)
        ox, oy = self.client_origin(box)
        # The banner's top-left in the client area: centred on the panel,
        # which spans the client area and 3 pixels more (its bevel inside).
        width = self.session.window_geometry(box)[2]
        banner_at = (1 + (width + 1 - banner.width) // 2, 0)
        # The screen holds the banner's pixels: find the best offset within a
        # few pixels of the expected place, then check a grid of points there.
        grid = [(x, y) for x in range(3, banner.width, 29) for y in range(2, banner.height, 13)]

        def error_at(shot, dx, dy):
            return max(difference(shot.pixel(ox + banner_at[0] + x + dx, oy + banner_at[1] + y + dy),
                                  banner.pixel(x, y)) for x, y in grid)

        def banner_shown(shot):
            return min(error_at(shot, dx, dy) for dx in range(-3, 4) for dy in range(-3, 4)) <= 6
        shot = app.wait_for_screen('the banner in the about box', banner_shown, BOX_TIMEOUT)
        print('\n[figure] about box with its banner on the screen %.2f s after the key (screenshots every 0.2 s)'
              % (time.monotonic() - self.pressed))
        dx, dy = min(((dx, dy) for dx in range(-3, 4) for dy in range(-3, 4)),
                     key=lambda d: error_at(shot, *d))
        ox, oy = ox + dx, oy + dy
        self.assertLessEqual(error_at(shot, 0, 0), 6, 'banner pixels at %d points' % len(grid))

        # The picture: its bottom-left colour gives way to the dialog colour,
        # the other pixels are its own.
        ground = shot.pixel(ox + EMPTY_SPOT[0], oy + EMPTY_SPOT[1])
        key = picture.pixel(0, picture.height - 1)
        self.assertNotEqual(ground, key)
        seen_ground = seen_own = 0
        for y in range(0, picture.height, 3):
            for x in range(0, picture.width, 3):
                on_screen = shot.pixel(ox + PICTURE_AT[0] + x, oy + PICTURE_AT[1] + y)
                if picture.pixel(x, y) == key:
                    self.assertEqual(on_screen, ground, 'dialog colour at picture pixel %d,%d' % (x, y))
                    seen_ground += 1
                else:
                    self.assertEqual(on_screen, picture.pixel(x, y), 'picture pixel %d,%d' % (x, y))
                    seen_own += 1
        self.assertGreater(seen_ground, 100)
        self.assertGreater(seen_own, 100)

        # "E&xit" closes the box.
        self.session.xdotool('mousemove', ox + EXIT_BUTTON[0], oy + EXIT_BUTTON[1])
        self.session.xdotool('click', 1)
        clicked = time.monotonic()
        self.wait_closed(app, box, '"E&xit"')
        print('[figure] about box gone %.2f s after the click on "E&xit"' % (time.monotonic() - clicked))

        # A new box each time; Esc closes it.
        box = self.open_about(app)
        ox, oy = self.client_origin(box)
        app.wait_for_screen('the banner again', lambda s: error_at(s, dx, dy) <= 6, BOX_TIMEOUT)
        self.session.xdotool('mousemove', ox + EMPTY_SPOT[0], oy + EMPTY_SPOT[1])
        self.session.xdotool('key', 'Escape')
        self.wait_closed(app, box, 'Esc')

        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')


    def test_contact_texts_clear_of_each_other_in_english_and_every_pack(self):
        figures = []
        for pack in PACKS:
            with self.subTest(pack=pack or 'English'):
                figures.append(self.check_contact_group(pack))
        print('\n[figure] about box client widths: %s' % ', '.join('%s %d' % f for f in figures))

    def check_contact_group(self, pack):
        app = harness.start_with_packs(self, PLAIN_INI, pack)
        app.wait_for_screen('the band', band_is_drawn)
        before = set(app.windows(r'^Mensor$'))
        # "&About..." is the first item, whatever its letter in the pack.
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'Down')
        self.session.xdotool('key', 'Return')
        box = harness.wait_until('the about box', lambda: next(
            (w for w in app.windows(r'^Mensor$') if w not in before), None), BOX_TIMEOUT)
        x, y, width, height = self.session.window_geometry(box)
        ox, oy = self.client_origin(box)
        right = x + width
        self.assertTrue(x >= 0 and y >= 0 and right <= harness.SCREEN_W and y + height <= harness.SCREEN_H,
                        'the about box on the screen')
        self.session.xdotool('mousemove', 5, harness.SCREEN_H - 5)
        shot = app.wait_for_screen('the contact group painted', lambda s: s.count(
            (0, 0, 255), ox, oy + FIRST_ROWS[0], right, oy + SECOND_ROWS[1]) > 100, BOX_TIMEOUT)
        name = pack or 'English'
        self.assertEqual(shot.count(ENVELOPE_GROUND, ox, oy + GROUP_TOP, right, oy + GROUP_BOTTOM), 0,
                         '%s: no grey square behind the envelope' % name)
        frame = self.frame_columns(shot, ox, oy, right)
        self.assertEqual(len(frame), 2, '%s: the group frame\'s two sides %r' % (name, frame))
        for rows in (FIRST_ROWS, SECOND_ROWS):
            # Up to a little beyond the frame (the button lies further right).
            runs = self.runs(shot, ox + GROUP_LEFT + 3, frame[1] + 6, oy + rows[0], oy + rows[1], frame)
            kinds = [k for k, _, _ in runs]
            self.assertIn('text', kinds, '%s: a label on rows %r' % (name, rows))
            self.assertIn('link', kinds, '%s: a link on rows %r' % (name, rows))
            for (k1, _, end), (k2, start, _) in zip(runs, runs[1:]):
                self.assertGreaterEqual(start - end, 2, '%s: %s ends at %d, %s starts at %d (rows %r)'
                                        % (name, k1, end - ox, k2, start - ox, rows))
        self.check_caption(shot, ox, oy, frame, name)
        return name, width

    @staticmethod
    def kind(rgb):
        r, g, b = rgb
        if r == g == b:
            return 'text' if r < 200 else None
        if r == g and b > r:
            return 'link'       # the blue links and their smoothed edges
        return 'envelope'

    def frame_columns(self, shot, ox, oy, right):
        """The x of the group's two sides: the grey columns over its rows."""
        rows = range(oy + FIRST_ROWS[0], oy + SECOND_ROWS[1])
        return [x for x in range(ox, right) if all(shot.pixel(x, y) == FRAME_GREY for y in rows)]

    def runs(self, shot, left, right, top, bottom, frame):
        """[(kind, start, end)] along x: columns holding one kind of pixel
        ('text', 'link', 'envelope', 'frame') merged into runs; a column of
        two kinds fails the test."""
        out = []
        for x in range(left, right):
            kinds = {'frame'} if x in frame else {k for k in (self.kind(shot.pixel(x, y))
                                                            for y in range(top, bottom)) if k}
            self.assertLessEqual(len(kinds), 1, 'column %d holds %r' % (x, kinds))
            if not kinds:
                continue
            k = kinds.pop()
            if out and out[-1][0] == k:
                out[-1] = (k, out[-1][1], x + 1)
            else:
                out.append((k, x, x + 1))
        return out

    def check_caption(self, shot, ox, oy, frame, name):
        """The caption's text keeps a pixel from the frame's top line."""
        top, bottom = oy + CAPTION_ROWS[0], oy + CAPTION_ROWS[1]
        line_y = max(range(top, bottom), key=lambda y: shot.count(FRAME_GREY, frame[0], y, frame[1], y + 1))
        line = [x for x in range(frame[0], frame[1]) if shot.pixel(x, line_y) == FRAME_GREY]
        text = [x for x in range(frame[0] + 1, frame[1]) for y in range(top, bottom)
                if y not in (line_y, line_y + 1) and self.kind(shot.pixel(x, y)) == 'text']
        self.assertTrue(text, '%s: the caption' % name)
        gap = [x for x in line if min(text) - 2 < x < max(text) + 2]
        self.assertEqual(gap, [], '%s: the frame line within a pixel of the caption %d..%d'
                         % (name, min(text) - ox, max(text) - ox))

if __name__ == '__main__':
    unittest.main()
