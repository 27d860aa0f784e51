"""The tool bar under Wine: the magnifier's view of the backdrop fixture in
m x m blocks, its grid and colour row at factor 4 and the colour copied to the
clipboard, dragging the band to an edge, "Show T&oolBar" and "&Hide
ToolBar", its place and magnifier state kept in app.ini, the factor box's
caption clear of the box in English and every shipped pack, and a two-minute
soak of the running magnifier (live GDI handles, process handles, CPU
share): 20 seconds by default, MENSOR_SOAK_SECONDS for longer (`make soak`
runs it for two minutes)."""

import os
import subprocess
import time
import unittest

import harness
import test_seethrough as seethrough
from harness import ON_BAND

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

TITLE = r'^Mensor ToolBar$'
WIDTH = 124
BAND_HEIGHT = 35
MAGNIFIER_HEIGHT = 216
# The view inside the tool bar, in client pixels.
VIEW = (2, 37, 122, 154)
VIEW_W = VIEW[2] - VIEW[0]
VIEW_H = VIEW[3] - VIEW[1]
# The colour row's swatch (inside its outline), in client pixels.
SWATCH = (6, 191, 26, 211)
GRID = (128, 128, 128)
# The factor box, in client pixels.
FACTOR_BOX = (54 + 15, 160 + 11)
# A point on the band beside the buttons (a drag area), in client pixels.
ON_TOOL_BAND = (110, 17)
MAGNIFIER_BUTTON = (17, 17)
# The pointer rests here during the magnifier tests: on the backdrop, clear
# of the ruler (centre), the tool bar and Wine's tray window.
POINTER = (300, 600)
TOGGLE_TIMEOUT = 10.0
# The factor row in client pixels: the rows of the caption and of the box.
CAPTION_ROWS = (163, 180)
BOX_ROWS = (161, 181)
BAND_RGB = (166, 210, 255)
PACKS = ['', 'Deutsch.txt', 'Francais.txt', 'Russian.txt']
# The soak's length after the warm-up. 20 s are 200 magnifier ticks: a leak
# of one GDI handle per tick grows the count by 50 between two samples.
SOAK_SECONDS = float(os.environ.get('MENSOR_SOAK_SECONDS', 20))
WARM_UP_SECONDS = 10


def tool_bar_ini(x, y, magnifier=1, show=1, show_cursor=0):
    return ('[Current]\nTransparence=0\n[ToolBar]\nShow=%d\nX=%d\nY=%d\nMagnifier=%d\nShowCursor=%d\n'
            % (show, x, y, magnifier, show_cursor))


def block_edges(count, low, high):
    """The view's block edges: copied pixel i fills edges[i] .. edges[i + 1] - 1."""
    return [low + i * (high - low) // count for i in range(count + 1)]


def stretch_sample(dst, edges, grid):
    """The copied pixel a view pixel (offset dst) shows; with a grid, None on
    the first line of a block (a grid line)."""
    for i in range(len(edges) - 1):
        if edges[i] - edges[0] + (1 if grid else 0) <= dst < edges[i + 1] - edges[0]:
            return i
    return None


def start_backdrop(test):
    """Starts the backdrop fixture for a test (stopped at its end) and waits
    for its window."""
    backdrop = seethrough.Backdrop(test.session)
    test.addCleanup(backdrop.stop)
    backdrop.start()
    harness.wait_until('the backdrop', lambda: test.session.visible_windows(r'^Backdrop$'),
                       harness.WINDOW_TIMEOUT)
    return backdrop


class ToolBarTest(harness.MensorTestCase):

    def tool_bar(self, app):
        ids = app.windows(TITLE)
        return ids[0] if ids else None

    def wait_tool_bar(self, app, what='the tool bar', timeout=TOGGLE_TIMEOUT):
        return harness.wait_until(what, lambda: self.tool_bar(app), timeout)

    def open_tool_bar_menu(self, app, place):
        """Right-clicks the band of the tool bar at place (its top-left
        corner) and waits for its menu."""
        before = set(app.windows())
        self.session.xdotool('mousemove', place[0] + ON_TOOL_BAND[0], place[1] + ON_TOOL_BAND[1])
        self.session.xdotool('click', 3)
        harness.wait_until("the tool bar's menu", lambda: set(app.windows()) - before, harness.MENU_TIMEOUT)

    def wait_geometry(self, app, what, expected):
        def check():
            wid = self.tool_bar(app)
            return wid is not None and self.session.window_geometry(wid) == expected
        harness.wait_until('%s: tool bar at %r' % (what, expected), check, TOGGLE_TIMEOUT)

    def start_backdrop(self):
        return start_backdrop(self)

    # --- the view ---

    def view_matches(self, left, top, factor):
        """A predicate: the view shows the backdrop around POINTER enlarged
        factor times, checked at several pixels well inside their blocks
        (the framed pixel's block left out)."""
        hw, hh = VIEW_W // (2 * factor), VIEW_H // (2 * factor)
        src_left, src_top = POINTER[0] - hw, POINTER[1] - hh
        columns = block_edges(2 * hw, VIEW[0], VIEW[2])
        rows = block_edges(2 * hh, VIEW[1], VIEW[3])
        grid = factor >= 4
        samples = []
        for dx in range(1, VIEW_W, 3):
            sx = stretch_sample(dx, columns, grid)
            for dy in range(1, VIEW_H, 4):
                sy = stretch_sample(dy, rows, grid)
                if sx is not None and sy is not None and (abs(sx - hw) > 1 or abs(sy - hh) > 1):
                    samples.append(((left + VIEW[0] + dx, top + VIEW[1] + dy),
                                    seethrough.picture(src_left + sx, src_top + sy)))
        self.assertGreater(len(samples), 100, 'pixels to check')

        def check(shot):
            return all(shot.pixel(*at) == rgb for at, rgb in samples)
        return check

    def test_factor_four_shows_a_grid_and_the_colour_row_and_ctrl_c_copies_it(self):
        self.start_backdrop()
        left, top = 600, 100
        app = self.start_app(tool_bar_ini(left, top))
        self.wait_geometry(app, 'magnifier on', (left, top, WIDTH, MAGNIFIER_HEIGHT))
        # A click on the band gives the tool bar the keys; the factor box: 4.
        self.session.xdotool('mousemove', left + ON_TOOL_BAND[0], top + ON_TOOL_BAND[1])
        self.session.xdotool('click', 1)
        self.session.xdotool('mousemove', left + FACTOR_BOX[0], top + FACTOR_BOX[1])
        self.session.xdotool('click', 1)
        self.session.xdotool('key', 'End', 'BackSpace', '4')
        self.session.xdotool('mousemove', *POINTER)
        app.wait_for_screen('4 x 4 blocks around the pointer', self.view_matches(left, top, 4))
        # Grid lines on the first column of every block but the first (a row
        # away from the framed one) and on the first row of every block.
        columns = block_edges(30, VIEW[0], VIEW[2])
        rows = block_edges(28, VIEW[1], VIEW[3])
        mid_y = top + rows[3] + 2
        mid_x = left + columns[3] + 2

        def grid_shown(shot):
            return (all(shot.pixel(left + x, mid_y) == GRID for x in columns[1:-1]) and
                    all(shot.pixel(mid_x, top + y) == GRID for y in rows[1:-1]) and
                    shot.pixel(left + columns[1] + 1, mid_y) != GRID)
        app.wait_for_screen('the grid between the blocks', grid_shown)
        colour = seethrough.picture(*POINTER)

        def swatch_shown(shot):
            return all(shot.pixel(left + x, top + y) == colour
                       for x in range(SWATCH[0], SWATCH[2], 4) for y in range(SWATCH[1], SWATCH[3], 4))
        app.wait_for_screen('the colour row\'s swatch in the colour under the pointer', swatch_shown)
        self.session.xdotool('key', 'ctrl+c')
        expected = '#%02X%02X%02X' % colour
        harness.wait_until('%s on the clipboard' % expected, lambda: self.session.clipboard() == expected, 3.0)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')

    def test_magnifier_shows_the_screen_around_the_pointer_in_blocks(self):
        backdrop = self.start_backdrop()
        app = self.start_app(tool_bar_ini(600, 100))
        self.wait_tool_bar(app)
        self.wait_geometry(app, 'magnifier on', (600, 100, WIDTH, MAGNIFIER_HEIGHT))
        backdrop.click(POINTER)
        app.wait_for_screen('2 x 2 blocks around the pointer', self.view_matches(600, 100, 2))
        # The factor box: 3.
        self.session.xdotool('mousemove', 600 + FACTOR_BOX[0], 100 + FACTOR_BOX[1])
        self.session.xdotool('click', 1)
        self.session.xdotool('key', 'End', 'BackSpace', '3')
        self.session.xdotool('mousemove', *POINTER)
        app.wait_for_screen('3 x 3 blocks around the pointer', self.view_matches(600, 100, 3))
        # "&Show Cursor" on the tool bar's menu: the pointer is drawn in, its
        # hot spot at the view's centre, enlarged (black outline pixels, which
        # the backdrop has none of there).
        self.open_tool_bar_menu(app, (600, 100))
        self.session.xdotool('key', 's')
        self.session.xdotool('mousemove', *POINTER)
        spot = (600 + VIEW[0] + VIEW_W // 2, 100 + VIEW[1] + VIEW_H // 2)

        def pointer_drawn(shot):
            return shot.count((0, 0, 0), spot[0] - 3, spot[1] - 3, spot[0] + 40, spot[1] + 60) >= 9
        app.wait_for_screen('the pointer drawn into the view', pointer_drawn)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        values = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(values[('ToolBar', 'ShowCursor')], '1', '"&Show Cursor" is saved')

    # --- dragging ---

    def drag_band(self, app, start, to):
        grip = (start[0] + ON_TOOL_BAND[0], start[1] + ON_TOOL_BAND[1])
        self.session.xdotool('mousemove', *grip)
        self.session.xdotool('mousedown', 1)
        # A few steps, as a hand would move.
        for i in range(1, 5):
            self.session.xdotool('mousemove', grip[0] + (to[0] - start[0]) * i // 4,
                                 grip[1] + (to[1] - start[1]) * i // 4)
            time.sleep(0.05)
        self.session.xdotool('mouseup', 1)

    def test_dragging_the_band_snaps_to_the_edges_and_the_place_is_kept(self):
        app = self.start_app(tool_bar_ini(300, 100, magnifier=0))
        self.wait_geometry(app, 'start', (300, 100, WIDTH, BAND_HEIGHT))
        # Within 10 pixels of the left edge: flush with it.
        self.drag_band(app, (300, 100), (7, 150))
        self.wait_geometry(app, 'dragged near the left edge', (0, 150, WIDTH, BAND_HEIGHT))
        # Within 10 pixels of the right edge: flush with it.
        self.drag_band(app, (0, 150), (1024 - WIDTH - 6, 200))
        self.wait_geometry(app, 'dragged near the right edge', (1024 - WIDTH, 200, WIDTH, BAND_HEIGHT))
        # The magnifier button: the window grows.
        self.session.xdotool('mousemove', 1024 - WIDTH + MAGNIFIER_BUTTON[0], 200 + MAGNIFIER_BUTTON[1])
        self.session.xdotool('click', 1)
        self.wait_geometry(app, 'magnifier on', (1024 - WIDTH, 200, WIDTH, MAGNIFIER_HEIGHT))
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        values = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual((values[('ToolBar', 'X')], values[('ToolBar', 'Y')]), (str(1024 - WIDTH), '200'),
                         'the snapped place is saved')
        self.assertEqual(values[('ToolBar', 'Magnifier')], '1')

        # The next start puts it back there, magnifier on.
        with open(app.ini_path, 'rb') as f:
            saved = f.read()
        again = self.start_app(saved)
        self.wait_geometry(again, 'restored', (1024 - WIDTH, 200, WIDTH, MAGNIFIER_HEIGHT))
        self.assertEqual(again.exit_via_menu(ON_BAND), 0, 'exit code')

    # --- showing and hiding ---

    def test_show_tool_bar_and_hide_tool_bar_hide_and_show_it(self):
        app = self.start_app(tool_bar_ini(300, 100))
        self.wait_tool_bar(app)
        # "Show T&oolBar" on the ruler's menu: off, then on again.
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'o')
        harness.wait_until('the tool bar to hide', lambda: not self.tool_bar(app), TOGGLE_TIMEOUT)
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'o')
        self.wait_tool_bar(app, 'the tool bar to show again')
        self.wait_geometry(app, 'shown in its place', (300, 100, WIDTH, MAGNIFIER_HEIGHT))
        # "&Hide ToolBar" on its own menu (right click on the band).
        self.open_tool_bar_menu(app, (300, 100))
        self.session.xdotool('key', 'h')
        harness.wait_until('the tool bar to hide from its menu', lambda: not self.tool_bar(app), TOGGLE_TIMEOUT)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        values = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(values[('ToolBar', 'Show')], '0', 'hidden from its menu, saved as hidden')

    # --- the factor box's caption ---

    def test_factor_caption_clear_of_the_box_in_english_and_every_pack(self):
        for pack in PACKS:
            with self.subTest(pack=pack or 'English'):
                self.check_factor_row(pack)

    def check_factor_row(self, pack):
        app = harness.start_with_packs(self, tool_bar_ini(300, 100), pack)
        self.wait_geometry(app, 'magnifier on', (300, 100, WIDTH, MAGNIFIER_HEIGHT))
        self.session.xdotool('mousemove', 5, harness.SCREEN_H - 5)
        left, top = 300, 100
        name = pack or 'English'

        def box_left(shot):
            """The first column of the factor box: not the band's colour
            over all of the box's rows (a letter is never that tall)."""
            for x in range(left + 3, left + WIDTH - 3):
                if all(shot.pixel(x, top + y) != BAND_RGB for y in range(*BOX_ROWS)):
                    return x
            return None

        def caption_columns(shot, before):
            return [x for x in range(left + 3, before) for y in range(top + CAPTION_ROWS[0], top + CAPTION_ROWS[1])
                    if shot.pixel(x, y) != BAND_RGB]

        def painted(shot):
            edge = box_left(shot)
            return edge is not None and len(set(caption_columns(shot, edge))) >= 15
        shot = app.wait_for_screen('%s: the caption and the box' % name, painted)
        edge = box_left(shot)
        text = caption_columns(shot, edge)
        print('\n[figure] %s: caption %d..%d, factor box from %d (client x)'
              % (name, min(text) - left, max(text) - left, edge - left))
        self.assertLessEqual(max(text) + 2, edge, '%s: a free column between the caption and the box' % name)
        app.kill()



class ToolBarSoakTest(harness.MensorTestCase):
    """The magnifier running at factor 4 (grid, frame and the pointer drawn
    beside it) with the pointer moving: the live GDI handles and the
    process's handles stay flat after the warm-up, and the program's CPU
    share is reported."""

    def probe(self):
        exe = os.path.join(os.path.dirname(os.path.abspath(os.environ['MENSOR_EXE'])), 'probe.exe')
        r = subprocess.run(['wine', exe], env=self.session.env, stdout=subprocess.PIPE,
                           stderr=subprocess.DEVNULL, timeout=60)
        fields = dict(f.split('=') for f in r.stdout.decode().split() if '=' in f)
        if 'gdi' not in fields:
            raise harness.HarnessError('probe.exe answered %r' % r.stdout)
        # The program's own count of its kernel handles where the system gives
        # it (Windows); Wine answers 0 there but lists the handles in its
        # system-wide table.
        handles = int(fields['handles'])
        if handles == 0:
            handles = int(fields['system'])
        if handles <= 0:
            raise harness.HarnessError('no handle count from probe.exe: %r' % r.stdout)
        return int(fields['gdi']), handles

    @staticmethod
    def cpu_seconds(pid):
        with open('/proc/%d/stat' % pid) as f:
            fields = f.read().rsplit(')', 1)[1].split()
        # utime and stime, fields 14 and 15 of the line (after pid and name).
        return (int(fields[11]) + int(fields[12])) / os.sysconf('SC_CLK_TCK')

    def test_soak_keeps_handles_flat_and_reports_the_cpu_share(self):
        backdrop = start_backdrop(self)
        # At factor 4 with the grid: the costliest view the magnifier composes.
        app = self.start_app(tool_bar_ini(600, 100, show_cursor=1) + 'ShowGrid=1\n')
        harness.wait_until('the tool bar', lambda: app.windows(TITLE), TOGGLE_TIMEOUT)
        self.session.xdotool('mousemove', 600 + FACTOR_BOX[0], 100 + FACTOR_BOX[1])
        self.session.xdotool('click', 1)
        self.session.xdotool('key', 'End', 'BackSpace', '4')
        backdrop.click(POINTER)

        def move_for(seconds, phase):
            end = time.monotonic() + seconds
            i = phase
            while time.monotonic() < end:
                i += 1
                # A square path over the backdrop, away from the windows.
                x = 150 + (i * 13) % 300
                y = 450 + (i * 7) % 200
                self.session.xdotool('mousemove', x, y)
                time.sleep(0.2)
            return i

        step = move_for(WARM_UP_SECONDS, 0)
        samples = [self.probe()]
        cpu0, wall0 = self.cpu_seconds(app.proc.pid), time.monotonic()
        for _ in range(4):
            step = move_for(SOAK_SECONDS / 4, step)
            samples.append(self.probe())
        cpu1, wall1 = self.cpu_seconds(app.proc.pid), time.monotonic()
        share = 100.0 * (cpu1 - cpu0) / (wall1 - wall0)
        print('\n[soak] %.0f s magnifier: CPU %.2f %% of one core; (gdi, handles) samples %r'
              % (wall1 - wall0, share, samples))
        gdi = [g for g, _ in samples]
        handles = [h for _, h in samples]
        self.assertLessEqual(max(gdi) - min(gdi), 2, 'live GDI handles flat: %r' % gdi)
        self.assertLessEqual(max(handles) - min(handles), 4, 'process handles flat: %r' % handles)
        self.assertLess(share, 5.0, 'CPU share of the magnifier')
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')


if __name__ == '__main__':
    unittest.main()
