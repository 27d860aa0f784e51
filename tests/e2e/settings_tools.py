"""Helpers of the settings-file tests: the filetool.exe fixture (hold a file
open without sharing, post WM_CLOSE by title), a watch for the program's
opening of app.ini, and the checks of a saved app.ini."""

import ctypes
import os
import select
import shutil
import subprocess
import time

import harness
from test_startup import SAVE_ORDER

# Every entry the program writes, as (section, key): the start-up test's list.
KNOWN_KEYS = SAVE_ORDER

HOLD_TIMEOUT = 30.0


def filetool():
    exe = os.path.join(os.path.dirname(os.path.abspath(os.environ.get('MENSOR_EXE', ''))), 'filetool.exe')
    if not os.path.isfile(exe):
        raise harness.HarnessError('no filetool.exe beside mensor.exe: %r' % exe)
    return exe


class FileTool:
    """filetool.exe running with a command; it answers a line at a time."""

    def __init__(self, session, *command):
        self.proc = subprocess.Popen(['wine', filetool()] + list(command), env=session.env,
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                     stderr=subprocess.DEVNULL)

    def _line(self, timeout=HOLD_TIMEOUT):
        ready, _, _ = select.select([self.proc.stdout], [], [], timeout)
        if not ready:
            raise harness.HarnessError('filetool did not answer within %.0f s' % timeout)
        return self.proc.stdout.readline().decode(errors='replace').strip()

    def _end(self, farewell=b''):
        """Sends farewell, closes its input and waits for it to end."""
        if self.proc.poll() is None:
            try:
                self.proc.stdin.write(farewell)
                self.proc.stdin.close()
            except OSError:
                pass
            try:
                self.proc.wait(timeout=HOLD_TIMEOUT)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.proc.stdout.close()


class Holder(FileTool):
    """Another program that has a file open without sharing."""

    def __init__(self, session, path):
        super().__init__(session, 'hold', path)
        line = self._line()
        if line != 'held':
            self.release()
            raise harness.HarnessError('filetool could not hold %s: %r' % (path, line))

    def release(self):
        self._end(b'\n')


class Closer(FileTool):
    """filetool.exe kept running to post WM_CLOSE on demand."""

    def __init__(self, session):
        super().__init__(session, 'serve')

    def close(self, title):
        """Posts WM_CLOSE to every window with this title at the same
        instant; returns how many there were."""
        self.proc.stdin.write(('close %s\n' % title).encode())
        self.proc.stdin.flush()
        words = self._line().split()
        return int(words[1]) if len(words) == 2 and words[0] == 'closed' else -1

    def stop(self):
        self._end()


class OpenWatch:
    """Tells when some process opens a file (inotify IN_OPEN): under Wine an
    open that the sharing rules refuse still opens the file underneath."""

    IN_OPEN = 0x20

    def __init__(self, path):
        self.libc = ctypes.CDLL(None, use_errno=True)
        self.fd = self.libc.inotify_init1(os.O_NONBLOCK | os.O_CLOEXEC)
        if self.fd < 0 or self.libc.inotify_add_watch(self.fd, path.encode(), self.IN_OPEN) < 0:
            raise harness.HarnessError('cannot watch %s (errno %d)' % (path, ctypes.get_errno()))

    def wait(self, what, timeout):
        ready, _, _ = select.select([self.fd], [], [], timeout)
        if not ready:
            raise harness.HarnessError('%s did not happen within %.0f s' % (what, timeout))
        os.read(self.fd, 4096)

    def close(self):
        os.close(self.fd)


def second_instance(first):
    """Another mensor.exe process started from the folder of `first`."""
    app = harness.App(first.session)
    shutil.rmtree(app.folder, ignore_errors=True)
    app.folder = first.folder
    app.exe = first.exe
    app.log_path = os.path.join(first.folder, 'wine-%d.log' % time.monotonic_ns())
    return app


def keys_not_once(entries):
    keys = [(s, k) for s, k, _ in entries]
    return [key for key in KNOWN_KEYS if keys.count(key) != 1]
