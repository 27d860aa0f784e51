"""End-to-end harness: the real mensor.exe under Wine on a virtual X display.

One Xvfb display (1024 x 768 x 24) per test module, one Wine prefix shared by
all modules in MENSOR_E2E_DIR (created with `wineboot -i` once, under a lock).
Each test starts mensor.exe copied into a fresh folder with a prepared app.ini
(or none), waits for its window with bounded polls, drives it with xdotool,
reads the screen through ImageMagick's `import` (parsed here as PPM), ends the
program through its menu as a user would, and reads the saved app.ini.

Needs only the Python standard library plus the programs Xvfb, wine,
wineserver, xdotool, xwininfo and import. Works without any display of its own
(CI runs as root with no DISPLAY).

Environment:
    MENSOR_EXE      the mensor.exe to test
    MENSOR_E2E_DIR  folder for the Wine prefix, the test folders and the
                    evidence of failed tests (screenshots, logs)
"""

import fcntl
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

import edid_tools

SCREEN_W = 1024
SCREEN_H = 768

# The ruler's default background colour 0xFF9B37 (0x00BBGGRR) as RGB.
RULER_RGB = (0x37, 0x9B, 0xFF)

# The ruler as a start with the default length and width places it:
# horizontal, centred, its zero corner at ((1024 - 600) div 2, (768 - 60) div
# 2), the band running right and up from there. The window region leaves out
# its right and bottom edges, so BAND's right and bottom are exclusive.
RULER_LENGTH = LENGTH = 600
RULER_WIDTH = WIDTH = 60
ZERO_X = (SCREEN_W - RULER_LENGTH) // 2   # 212
ZERO_Y = (SCREEN_H - RULER_WIDTH) // 2    # 354
BAND = (ZERO_X, ZERO_Y - RULER_WIDTH, ZERO_X + RULER_LENGTH, ZERO_Y)   # left, top, right, bottom
# A point on the band for the right click.
ON_BAND = (ZERO_X + LENGTH // 2, ZERO_Y - WIDTH // 2)
# Where the band is looked for: wide around it, but clear of the notification
# area (top left) and of the tool bar's default place (top right).
SEARCH = (100, 150, 880, 700)

# The ruler drawn in its own colour (no see-through) and no tool bar, so that
# only the ruler has the ruler's colour on the screen.
PLAIN_INI = """[Current]
Transparence=0
[ToolBar]
Show=0
"""


def band_is_drawn(shot):
    """The ruler's colour covers most of the band and nothing around it."""
    box = shot.bounding_box(RULER_RGB, *SEARCH)
    if box is None or any(abs(a - b) > 1 for a, b in zip(box, BAND)):
        return False
    area = (BAND[2] - BAND[0]) * (BAND[3] - BAND[1])
    return shot.count(RULER_RGB, *BAND) >= area // 2


# Bounds of the polls: a wait that succeeds ends at once, so the bounds are
# set for a loaded machine (screenshots and Wine slow down several times).
WINDOW_TIMEOUT = 40.0   # first start of a fresh Wine session included
MENU_TIMEOUT = 15.0
SCREEN_TIMEOUT = 30.0
EXIT_TIMEOUT = 20.0
POLL = 0.1


class HarnessError(AssertionError):
    """A bounded wait ran out or a tool failed; reported as a test failure."""


def _e2e_dir():
    d = os.environ.get('MENSOR_E2E_DIR') or os.path.join(tempfile.gettempdir(), 'mensor-e2e')
    os.makedirs(d, exist_ok=True)
    return os.path.abspath(d)


def _exe():
    exe = os.environ.get('MENSOR_EXE')
    if not exe or not os.path.isfile(exe):
        raise HarnessError('MENSOR_EXE does not name a built mensor.exe: %r' % exe)
    return os.path.abspath(exe)


def wait_until(what, predicate, timeout, interval=POLL):
    """Polls predicate until it returns a true value; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise HarnessError('timed out after %.1f s waiting for %s' % (timeout, what))
        time.sleep(interval)


# --------------------------------------------------------------------------
# Screenshots


class Shot:
    """A screenshot as RGB bytes, rows top to bottom."""

    def __init__(self, width, height, rgb, ppm):
        self.width = width
        self.height = height
        self.rgb = rgb
        self.ppm = ppm

    @classmethod
    def from_ppm(cls, data):
        # Header: "P6", width, height, maxval, separated by whitespace, then
        # one whitespace byte and the raw pixels.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b'#':
                pos = data.index(b'\n', pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        if fields[0] != b'P6' or int(fields[3]) != 255:
            raise HarnessError('unexpected screenshot format %r' % fields)
        width, height = int(fields[1]), int(fields[2])
        rgb = data[pos + 1:pos + 1 + width * height * 3]
        if len(rgb) != width * height * 3:
            raise HarnessError('short screenshot: %d bytes' % len(rgb))
        return cls(width, height, rgb, data)

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return tuple(self.rgb[i:i + 3])

    def count(self, color, left, top, right, bottom):
        """Pixels of exactly this colour in [left, right) x [top, bottom)."""
        target = bytes(color)
        n = 0
        for y in range(max(top, 0), min(bottom, self.height)):
            row = self.rgb[(y * self.width) * 3:(y * self.width + self.width) * 3]
            for x in range(max(left, 0), min(right, self.width)):
                if row[x * 3:x * 3 + 3] == target:
                    n += 1
        return n

    def bounding_box(self, color, left=0, top=0, right=None, bottom=None):
        """(left, top, right, bottom) exclusive of the pixels of this colour in
        the area, or None when there is none."""
        right = self.width if right is None else right
        bottom = self.height if bottom is None else bottom
        target = bytes(color)
        box = None
        for y in range(top, bottom):
            row = self.rgb[(y * self.width) * 3:(y * self.width + self.width) * 3]
            xs = [x for x in range(left, right) if row[x * 3:x * 3 + 3] == target]
            if not xs:
                continue
            if box is None:
                box = [xs[0], y, xs[-1] + 1, y + 1]
            else:
                box = [min(box[0], xs[0]), box[1], max(box[2], xs[-1] + 1), y + 1]
        return tuple(box) if box else None

    def save(self, path):
        """Writes the shot as PNG (PPM when ImageMagick cannot convert)."""
        try:
            subprocess.run(['convert', 'ppm:-', 'png:' + path], input=self.ppm, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=30)
            return path
        except (OSError, subprocess.SubprocessError):
            path = os.path.splitext(path)[0] + '.ppm'
            with open(path, 'wb') as f:
                f.write(self.ppm)
            return path


# --------------------------------------------------------------------------
# The session: X display and Wine prefix


class Session:
    """An Xvfb display and the Wine environment on it."""

    def __init__(self, edids=None, prefix=None):
        # {RandR output name: EDID bytes} given to the outputs before Wine
        # starts (edid_tools): Xvfb's one output is "screen", the dummy
        # driver's are DUMMY0 and DUMMY1.
        self.edids = edids or {}
        self.dir = _e2e_dir()
        self.shared_prefix = os.path.join(self.dir, 'prefix')
        # A prefix of its own (a name in MENSOR_E2E_DIR) for a test that
        # changes Wine's settings: a copy of the shared one, kept there.
        self.prefix = os.path.join(self.dir, prefix) if prefix else self.shared_prefix
        self.xvfb = None
        self.display = None
        self.env = None

    def start(self):
        self._start_xvfb()
        if self.edids:
            edid_tools.set_edids(self.display, self.edids)
        self.env = dict(os.environ)
        self.env.update({
            'DISPLAY': self.display,
            'WINEPREFIX': self.prefix,
            'WINEDEBUG': '-all',
            # Wine never offers to install Mono or Gecko.
            'WINEDLLOVERRIDES': 'mscoree,mshtml=',
        })
        self.env.pop('WAYLAND_DISPLAY', None)
        self._ensure_prefix()
        # A Wine server left from an earlier run would still talk to another
        # display.
        self.kill_wine()

    def _start_xvfb(self):
        self._start_server('Xvfb', ['Xvfb', '-screen', '0', '%dx%dx24' % (SCREEN_W, SCREEN_H),
                                    '-nolisten', 'tcp', '-noreset'])

    def _start_server(self, name, argv):
        """Starts an X server and keeps its display. -displayfd: the server
        picks a free display number itself and writes it to the pipe once it
        accepts clients, so there is no race on the number."""
        read_fd, write_fd = os.pipe()
        try:
            self.xvfb = subprocess.Popen(
                argv[:1] + ['-displayfd', str(write_fd)] + argv[1:],
                pass_fds=(write_fd,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=subprocess.DEVNULL, start_new_session=True)
        except OSError as e:
            os.close(read_fd)
            os.close(write_fd)
            raise HarnessError('cannot start %s: %s' % (name, e))
        os.close(write_fd)
        self.display = self._read_display(self.xvfb, read_fd, name)

    def _read_display(self, server, pipe_fd, name):
        """Reads the display number a server started with -displayfd writes
        to pipe_fd once it accepts clients."""
        data = b''
        deadline = time.monotonic() + 30
        with os.fdopen(pipe_fd, 'rb') as pipe:
            os.set_blocking(pipe.fileno(), False)
            while not data.endswith(b'\n'):
                if server.poll() is not None:
                    raise HarnessError('%s ended at start (code %s)' % (name, server.returncode))
                if time.monotonic() > deadline:
                    raise HarnessError('%s did not report its display within 30 s' % name)
                try:
                    chunk = pipe.read()
                except BlockingIOError:
                    chunk = None
                if chunk:
                    data += chunk
                else:
                    time.sleep(0.05)
        return ':' + data.decode().strip()

    def _ensure_prefix(self):
        ready = os.path.join(self.shared_prefix, '.mensor-ready')
        env = dict(self.env, WINEPREFIX=self.shared_prefix)
        with open(os.path.join(self.dir, 'prefix.lock'), 'w') as lock:
            fcntl.flock(lock, fcntl.LOCK_EX)
            if not os.path.exists(ready):
                shutil.rmtree(self.shared_prefix, ignore_errors=True)
                r = subprocess.run(['wineboot', '-i'], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL, timeout=300)
                subprocess.run(['wineserver', '-w'], env=env, timeout=120)
                if r.returncode != 0:
                    raise HarnessError('wineboot -i failed with code %d' % r.returncode)
                open(ready, 'w').close()
            if self.prefix != self.shared_prefix and not os.path.exists(os.path.join(self.prefix, '.mensor-ready')):
                # Linked file by file (a second, against about ten for a new
                # prefix); the registry, which Wine rewrites, copied.
                shutil.rmtree(self.prefix, ignore_errors=True)
                subprocess.run(['cp', '-al', self.shared_prefix, self.prefix], check=True, timeout=120)
                for name in ('system.reg', 'user.reg', 'userdef.reg'):
                    path = os.path.join(self.prefix, name)
                    if os.path.exists(path):
                        os.unlink(path)
                        shutil.copy2(os.path.join(self.shared_prefix, name), path)

    def kill_wine(self):
        if self.env is None:
            return
        subprocess.run(['wineserver', '-k'], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        subprocess.run(['wineserver', '-w'], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)

    def stop(self):
        try:
            self.kill_wine()
        finally:
            if self.xvfb is not None and self.xvfb.poll() is None:
                os.killpg(self.xvfb.pid, signal.SIGTERM)
                try:
                    self.xvfb.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    os.killpg(self.xvfb.pid, signal.SIGKILL)
                    self.xvfb.wait()
            self.xvfb = None

    # --- X tools ---

    def run(self, args, timeout=30, check=True):
        r = subprocess.run(args, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                           timeout=timeout)
        if check and r.returncode != 0:
            raise HarnessError('%s failed (%d): %s' % (' '.join(args), r.returncode,
                                                      r.stderr.decode(errors='replace').strip()))
        return r

    def xdotool(self, *args):
        return self.run(['xdotool'] + [str(a) for a in args]).stdout.decode()

    def clipboard(self):
        """The X selection CLIPBOARD as text (Wine hands it the Windows
        clipboard while the owning program runs), or None."""
        r = self.run(['xclip', '-o', '-selection', 'clipboard'], timeout=5, check=False)
        return r.stdout.decode('utf-8', errors='replace') if r.returncode == 0 else None

    def screenshot(self):
        data = self.run(['import', '-silent', '-window', 'root', '-depth', '8', 'ppm:-']).stdout
        return Shot.from_ppm(data)

    def visible_windows(self, name_regex=None, pid=None):
        """X ids of visible windows of a process and/or with a title."""
        args = ['xdotool', 'search', '--onlyvisible']
        if pid is not None and name_regex is not None:
            args.append('--all')  # both conditions (the default is either)
        if pid is not None:
            args += ['--pid', str(pid)]
        if name_regex is not None:
            args += ['--name', name_regex]
        r = self.run(args, check=False)
        return [int(w) for w in r.stdout.split()]

    def window_geometry(self, wid):
        """(left, top, width, height) of an X window on the screen."""
        out = self.run(['xdotool', 'getwindowgeometry', '--shell', str(wid)]).stdout.decode()
        fields = dict(line.split('=', 1) for line in out.split() if '=' in line)
        return int(fields['X']), int(fields['Y']), int(fields['WIDTH']), int(fields['HEIGHT'])

    def window_title(self, wid):
        return self.run(['xdotool', 'getwindowname', str(wid)], check=False).stdout.decode().strip()


# Two monitors side by side on one X screen, as Wine reports them through
# RandR: the primary 1024 x 768 at (0, 0) and an 800 x 600 one right of it.
# The X screen is 1824 x 768; below the second monitor lies no monitor.
PRIMARY_MONITOR = (0, 0, SCREEN_W, SCREEN_H)
SECOND_MONITOR = (SCREEN_W, 0, SCREEN_W + 800, 600)

XORG_CONFIG = """Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "AutoEnableDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Virtual 2048 768
  EndSubSection
EndSection
"""


class TwoMonitorSession(Session):
    """Like Session, but on an Xorg server with the dummy video driver, whose
    RandR outputs give Wine two real monitors (Xvfb has only one output).
    Xorg runs as root without a console: the dummy driver needs no VT, the
    configuration and the log live in a temporary folder, and no config
    folder of the system is read."""

    def _start_xvfb(self):
        if os.geteuid() != 0:
            # Xorg takes a configuration file from an arbitrary folder only
            # from root (CI runs the tests as root).
            raise unittest.SkipTest('the two-monitor display needs Xorg run as root')
        self.tmp = tempfile.mkdtemp(prefix='xorg-')
        config = os.path.join(self.tmp, 'xorg.conf')
        with open(config, 'w') as f:
            f.write(XORG_CONFIG)
        os.makedirs(os.path.join(self.tmp, 'conf.d'))
        # NOTE: /usr/bin/Xorg may be a wrapper that insists on a console;
        # the server itself does not need one with the dummy driver.
        xorg = '/usr/lib/xorg/Xorg' if os.access('/usr/lib/xorg/Xorg', os.X_OK) else 'Xorg'
        self._start_server('Xorg', [xorg, '-config', config, '-configdir', os.path.join(self.tmp, 'conf.d'),
                                    '-logfile', os.path.join(self.tmp, 'xorg.log'),
                                    '-noreset', '-nolisten', 'tcp', '-novtswitch'])
        env = dict(os.environ, DISPLAY=self.display)

        def xrandr(*args):
            r = subprocess.run(['xrandr'] + list(args), env=env, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, timeout=30)
            if r.returncode != 0:
                raise HarnessError('xrandr %s failed: %s' % (' '.join(args), r.stderr.decode(errors='replace')))
            return r.stdout.decode()
        xrandr('--newmode', '800x600_60', '38.25', '800', '832', '912', '1024', '600', '603', '607', '624',
               '-hsync', '+vsync')
        xrandr('--addmode', 'DUMMY1', '800x600_60')
        xrandr('--output', 'DUMMY0', '--mode', '1024x768', '--primary')
        xrandr('--output', 'DUMMY1', '--mode', '800x600_60', '--right-of', 'DUMMY0')
        outputs = xrandr('--listactivemonitors')
        if '800/' not in outputs or '1024/' not in outputs:
            raise HarnessError('xrandr did not set up two monitors: %s' % outputs)

    def stop(self):
        try:
            super().stop()
        finally:
            if getattr(self, 'tmp', None):
                shutil.rmtree(self.tmp, ignore_errors=True)
                self.tmp = None


# --------------------------------------------------------------------------
# One running program


class App:
    """mensor.exe started from its own folder."""

    def __init__(self, session, ini=None, installed=None):
        """A copy of MENSOR_EXE in a fresh folder, or, with `installed`, the
        mensor.exe at that place in the Wine prefix, run where it lies."""
        self.session = session
        if installed is None:
            self.folder = tempfile.mkdtemp(prefix='run-', dir=os.path.join(session.dir, 'runs'))
            self.exe = os.path.join(self.folder, 'mensor.exe')
            shutil.copyfile(_exe(), self.exe)
        else:
            self.folder = os.path.dirname(installed)
            self.exe = installed
        if ini is not None:
            with open(self.ini_path, 'wb') as f:
                f.write(ini if isinstance(ini, bytes) else ini.encode('latin-1'))
        # Wine's output of an installed program goes beside the test folders,
        # not into the installation.
        self.log_path = os.path.join(self.folder if installed is None else os.path.join(session.dir, 'runs'),
                                     'wine.log')
        self.proc = None
        self.ruler = None

    @property
    def ini_path(self):
        return os.path.join(self.folder, 'app.ini')

    def start(self):
        with open(self.log_path, 'wb') as log:
            self.proc = subprocess.Popen(['wine', self.exe], cwd=self.folder, env=self.session.env,
                                         stdout=log, stderr=subprocess.STDOUT)
        return self

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def wait_for_ruler(self, timeout=WINDOW_TIMEOUT):
        """Waits until the ruler window is mapped; returns its X id."""
        def find():
            if not self.running():
                raise HarnessError('mensor.exe ended during start-up (code %s)' % self.proc.returncode)
            ids = self.windows(r'^Mensor$')
            return ids[0] if ids else None
        self.ruler = wait_until('the ruler window', find, timeout)
        return self.ruler

    def windows(self, name_regex=None):
        """Visible X windows of this program (optionally by title)."""
        return self.session.visible_windows(name_regex, pid=self.proc.pid)

    def ruler_visible(self):
        return bool(self.windows(r'^Mensor$'))

    def wait_for_screen(self, what, predicate, timeout=SCREEN_TIMEOUT):
        """Takes screenshots until predicate(shot) holds; returns that shot.
        The last shot taken is the evidence when a test fails."""
        def check():
            shot = self.session.screenshot()
            self.session.last_shot = shot
            return shot if predicate(shot) else None
        return wait_until(what, check, timeout, interval=0.2)

    def info_boxes(self):
        """The program's message boxes on the screen (caption "Information")."""
        return self.windows(r'^Information$')

    def open_menu(self, at=None):
        """Opens the popup menu: a right click at `at` (screen point) when
        given, else the keyboard (Shift+F10 on the focused ruler). Returns the
        menu's X id."""
        before = set(self.windows())

        def menu():
            new = [w for w in self.windows() if w not in before and w != self.ruler]
            return new[0] if new else None

        if at is not None:
            self.session.xdotool('mousemove', at[0], at[1])
            self.session.xdotool('click', 3)
            try:
                return wait_until('the popup menu after a right click', menu, MENU_TIMEOUT)
            except HarnessError:
                pass
        self.session.xdotool('windowfocus', '--sync', self.ruler)
        self.session.xdotool('key', 'shift+F10')
        return wait_until('the popup menu', menu, MENU_TIMEOUT)

    def choose_in_submenu(self, at, submenu_key, item_key):
        """Opens the popup menu at `at`, its submenu and chooses an item there,
        both by their accelerator keys; waits for the menu to close (a window
        the item opens may be there by then)."""
        before = set(self.windows())
        self.open_menu(at)
        self.session.xdotool('key', submenu_key)

        def menus_open():
            menus = set(self.windows()) - before
            return menus if len(menus) >= 2 else None
        menus = wait_until('the submenu', menus_open, MENU_TIMEOUT)
        self.session.xdotool('key', item_key)
        wait_until('the menu to close', lambda: not menus & set(self.windows()), MENU_TIMEOUT)

    def exit_via_menu(self, at=None):
        """Chooses "E&xit" with its accelerator key and waits for the end of
        the process; returns its exit code."""
        self.open_menu(at)
        self.session.xdotool('key', 'x')
        return self.wait_for_exit()

    def wait_for_exit(self, timeout=EXIT_TIMEOUT):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError('mensor.exe did not end within %.0f s' % timeout)

    def kill(self):
        if self.running():
            self.proc.kill()
            self.proc.wait()

    def read_ini(self):
        """The saved app.ini as a list of (section, key, value), in file order."""
        with open(self.ini_path, 'rb') as f:
            return parse_ini(f.read())


def parse_ini(data):
    """Entries of a profile file in order: [(section, key, value)]. Lines
    that are neither section heads nor key=value are skipped."""
    entries = []
    section = None
    for raw in re.split(rb'\r\n|\n|\r', data):
        line = raw.decode('latin-1').strip()
        if line.startswith('[') and ']' in line:
            section = line[1:line.index(']')]
        elif '=' in line and section is not None:
            key, value = line.split('=', 1)
            entries.append((section, key.strip(), value.strip()))
    return entries


def packs_dir():
    """The Languages folder the Windows build puts beside MENSOR_EXE."""
    return os.path.join(os.path.dirname(_exe()), 'Languages')


def start_with_packs(test, ini, pack='', extra=None):
    """Starts mensor.exe for a MensorTestCase from a folder holding the
    shipped language packs (and the packs of `extra`, name -> text), with
    `pack` as the language in app.ini ('' for English); waits for the ruler."""
    app = App(test.session, ini + ('[Language]\nFileName=%s\n' % pack if pack else ''))
    shutil.copytree(packs_dir(), os.path.join(app.folder, 'Languages'))
    for name, text in (extra or {}).items():
        with open(os.path.join(app.folder, 'Languages', name), 'w', encoding='utf-8') as f:
            f.write(text)
    test.apps.append(app)
    app.start()
    app.wait_for_ruler()
    return app


# --------------------------------------------------------------------------
# unittest glue


_session = None


def setUpModule():
    """Starts the module's display and Wine; use as the test module's
    setUpModule."""
    _start_session(Session)


def setUpTwoMonitorModule():
    """Like setUpModule, on a display of two monitors (TwoMonitorSession)."""
    _start_session(TwoMonitorSession)


def setUpModuleWithEdids(edids, two_monitors=False):
    """A setUpModule whose display's outputs have these EDIDs ({output
    name: bytes}, see Session)."""
    return lambda: _start_session(TwoMonitorSession if two_monitors else Session, edids)


def switch_session(edids=None, two_monitors=False, prefix=None):
    """Ends the module's session and starts another with these monitors (and
    Wine prefix, see Session), for a test class whose monitors or Wine
    settings differ from the module's (its tearDownClass switches back)."""
    tearDownModule()
    _start_session(TwoMonitorSession if two_monitors else Session, edids, prefix)


def _start_session(kind, edids=None, prefix=None):
    global _session
    _session = kind(edids, prefix)
    try:
        _session.start()
    except BaseException:
        _session.stop()
        _session = None
        raise


def tearDownModule():
    global _session
    if _session is not None:
        _session.stop()
        _session = None


class MensorTestCase(unittest.TestCase):
    """Starts and ends mensor.exe for the tests; on a failure keeps the
    screenshot the test looked at, a final one, and the test folder."""

    def setUp(self):
        if _session is None:
            raise HarnessError('no session: the module must use harness.setUpModule')
        self.session = _session
        self.session.last_shot = None
        os.makedirs(os.path.join(self.session.dir, 'runs'), exist_ok=True)
        self.apps = []
        self.final_shot = None

    def launch(self, ini=None):
        """Starts mensor.exe with this app.ini (text, bytes, or None for no
        file) without waiting for it."""
        app = App(self.session, ini).start()
        self.apps.append(app)
        return app

    def start_app(self, ini=None):
        """Starts mensor.exe and waits for its ruler window."""
        app = self.launch(ini)
        app.wait_for_ruler()
        return app

    def shot(self):
        shot = self.session.screenshot()
        self.session.last_shot = shot
        return shot

    def tearDown(self):
        try:
            if any(app.running() for app in self.apps):
                try:
                    self.final_shot = self.session.screenshot()
                except (HarnessError, subprocess.SubprocessError):
                    pass
        finally:
            for app in self.apps:
                app.kill()

    def run(self, result=None):
        result = result if result is not None else self.defaultTestResult()
        bad_before = len(result.failures) + len(result.errors)
        super().run(result)
        failed = len(result.failures) + len(result.errors) > bad_before
        self._keep_evidence(failed)
        return result

    def _keep_evidence(self, failed):
        apps = getattr(self, 'apps', [])
        out = os.path.join(_e2e_dir(), 'failures', self.id())
        shutil.rmtree(out, ignore_errors=True)  # evidence of an earlier run
        if not failed:
            for app in apps:
                shutil.rmtree(app.folder, ignore_errors=True)
            return
        os.makedirs(out, exist_ok=True)
        kept = []
        session = getattr(self, 'session', None)
        if session is not None and session.last_shot is not None:
            kept.append(session.last_shot.save(os.path.join(out, 'last.png')))
        if self.final_shot is not None:
            kept.append(self.final_shot.save(os.path.join(out, 'final.png')))
        kept += [app.folder for app in apps]
        print('\n[e2e] evidence of %s kept in:\n  %s' % (self.id(), '\n  '.join(kept)))
