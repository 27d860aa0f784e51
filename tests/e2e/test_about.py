"""The about box from "&About...": the banner's pixels as libjpeg decoded them,
the picture drawn transparent by its bottom-left colour, and closing it with
"E&xit" and with Esc."""

import os
import subprocess
import time
import unittest

import harness
from harness import ON_BAND, PLAIN_INI, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

PICTURES = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'src', 'about', 'pictures')
CLIENT_W, CLIENT_H = 470, 343
BANNER_AT = (1, 0)      # the banner's top-left in the client area
PICTURE_AT = (25, 123)  # the transparent picture's
EXIT_BUTTON = (386 + 40, 311 + 12)
EMPTY_SPOT = (440, 200)  # nothing but the dialog colour there
BOX_TIMEOUT = 10.0


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
        # Wine draws the frame itself: the same border left, right and below,
        # the caption above.
        x, y, w, h = self.session.window_geometry(box)
        border = (w - CLIENT_W) // 2
        return x + border, y + h - CLIENT_H - border

    def wait_closed(self, app, box, how):
        harness.wait_until('the about box to close after %s' % how, lambda: box not in app.windows(), BOX_TIMEOUT)

    def test_about_box_shows_its_pictures_and_closes_with_exit_and_escape(self):
        app = self.start_app(PLAIN_INI)
        app.wait_for_screen('the band', band_is_drawn)
        banner, picture = decoded('banner.jpg'), decoded('picture.bmp')
        box = self.open_about(app)
        ox, oy = self.client_origin(box)
        # The screen holds the banner's pixels: find the best offset within a
        # few pixels of the expected place, then check a grid of points there.
        grid = [(x, y) for x in range(3, banner.width, 29) for y in range(2, banner.height, 13)]

        def error_at(shot, dx, dy):
            return max(difference(shot.pixel(ox + BANNER_AT[0] + x + dx, oy + BANNER_AT[1] + y + dy),
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


if __name__ == '__main__':
    unittest.main()
