"""The installer under Wine: msiexec installs Mensor for the user into
%LOCALAPPDATA%\\Programs\\Mensor with a Start-menu shortcut and one entry in
the installed-programs list; the installed program starts and writes its
app.ini there at exit; a newer installer replaces the older one (still one
entry, the settings kept); uninstalling removes the program's files.

The two installers are made by tools/make_dist.py from the Windows build: the
project's version and the same files as a newer version."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile
import unittest
import zipfile

import harness
from harness import ON_BAND, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
INSTALL_TIMEOUT = 120
INI = harness.PLAIN_INI + '[System]\nMoveStep=7\n'


def newer(version):
    major, minor, patch = (int(p) for p in version.split('.'))
    return '%d.%d.%d' % (major, minor, patch + 1)


class InstallTest(harness.MensorTestCase):

    @classmethod
    def setUpClass(cls):
        cls.version = os.environ.get('MENSOR_VERSION')
        if not cls.version:
            raise harness.HarnessError('MENSOR_VERSION is not set')
        build = os.path.dirname(os.path.abspath(os.environ['MENSOR_EXE']))
        cls.work = tempfile.mkdtemp(prefix='install-', dir=harness._e2e_dir())
        cls.msi = {}
        for version in (cls.version, newer(cls.version)):
            subprocess.run([sys.executable, os.path.join(ROOT, 'tools', 'make_dist.py'), '--version', version,
                            '--build', build, '--out', cls.work], check=True, stdout=subprocess.DEVNULL)
            cls.msi[version] = os.path.join(cls.work, 'mensor-%s-x64.msi' % version)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    # --- the Wine prefix as the user's machine ---

    def users(self):
        return glob.glob(os.path.join(self.session.prefix, 'drive_c', 'users', '*'))

    def install_dir(self):
        found = [os.path.join(u, 'AppData', 'Local', 'Programs', 'Mensor') for u in self.users()]
        found = [d for d in found if os.path.isdir(d)]
        return found[0] if found else None

    def shortcuts(self):
        return [p for u in self.users() for p in glob.glob(os.path.join(
            u, 'AppData', 'Roaming', 'Microsoft', 'Windows', 'Start Menu', 'Programs', 'Mensor.lnk'))]

    def wine(self, *args):
        r = self.session.run(['wine'] + list(args), timeout=INSTALL_TIMEOUT, check=False)
        return r.returncode, r.stdout.decode(errors='replace')

    def msiexec(self, action, version):
        code, _ = self.wine('msiexec', action, 'Z:' + self.msi[version].replace('/', '\\'), '/qn')
        self.assertEqual(code, 0, 'msiexec %s %s' % (action, version))

    def installed_programs(self):
        """The entries of the installed-programs list named Mensor, as
        (product code, name)."""
        code, out = self.wine('uninstaller', '--list')
        self.assertEqual(code, 0, 'uninstaller --list')
        entries = [line.split('|||') for line in out.splitlines() if '|||' in line]
        return [(key, name) for key, name in entries if name.strip() == 'Mensor']

    def start_installed(self, ini=None):
        exe = os.path.join(self.install_dir(), 'mensor.exe')
        if ini is not None:
            with open(os.path.join(self.install_dir(), 'app.ini'), 'w') as f:
                f.write(ini)
        app = harness.App(self.session, None, installed=exe)
        self.apps.append(app.start())
        app.wait_for_ruler()
        app.wait_for_screen('the installed ruler', band_is_drawn)
        return app

    def setUp(self):
        super().setUp()
        # A run that failed half-way may have left an installation behind.
        if self.install_dir() and os.path.isfile(os.path.join(self.install_dir(), 'mensor.exe')):
            for version in self.msi:
                self.wine('msiexec', '/x', 'Z:' + self.msi[version].replace('/', '\\'), '/qn')
        leftover = self.install_dir()
        if leftover:
            shutil.rmtree(leftover)

    def test_install_run_upgrade_and_uninstall(self):
        old, new = self.version, newer(self.version)

        self.msiexec('/i', old)
        folder = self.install_dir()
        self.assertIsNotNone(folder, 'installed under AppData\\Local\\Programs\\Mensor')
        for name in ('mensor.exe', 'help.chm', 'Languages'):
            self.assertTrue(os.path.exists(os.path.join(folder, name)), '%s installed' % name)
        zip_path = os.path.join(self.work, 'mensor-%s-win64.zip' % old)
        with open(os.path.join(folder, 'mensor.exe'), 'rb') as a, zipfile.ZipFile(zip_path) as z:
            self.assertTrue(a.read() == z.read('Mensor/mensor.exe'), 'the installed mensor.exe is the shipped one')
        self.assertEqual(len(self.shortcuts()), 1, 'one Start-menu shortcut')
        first = self.installed_programs()
        self.assertEqual(len(first), 1, 'one entry in the installed-programs list: %r' % first)

        # The installed program runs where it was installed and saves there.
        app = self.start_installed(INI)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        values = {(s, k): v for s, k, v in app.read_ini()}
        self.assertEqual(values[('System', 'MoveStep')], '7', 'app.ini written beside the installed program')
        self.assertIn(('Current', 'Length'), values, 'every setting saved')

        # A newer version over it: one entry, another product, settings kept.
        self.msiexec('/i', new)
        second = self.installed_programs()
        self.assertEqual(len(second), 1, 'still one entry after the upgrade: %r' % second)
        self.assertNotEqual(second[0][0], first[0][0], 'the entry is the newer product')
        self.assertEqual(self.install_dir(), folder, 'the same folder')
        self.assertTrue(os.path.isfile(os.path.join(folder, 'mensor.exe')), 'the program is there')
        values = {(s, k): v for s, k, v in harness.App.read_ini(app)}
        self.assertEqual(values[('System', 'MoveStep')], '7', 'the upgrade keeps app.ini')

        # Uninstalling removes what was installed; the user's settings stay.
        self.msiexec('/x', new)
        for name in ('mensor.exe', 'help.chm', 'Languages'):
            self.assertFalse(os.path.exists(os.path.join(folder, name)), '%s removed' % name)
        self.assertEqual(self.shortcuts(), [], 'the shortcut removed')
        self.assertEqual(self.installed_programs(), [], 'no entry left in the installed-programs list')
        self.assertTrue(os.path.isfile(os.path.join(folder, 'app.ini')), 'app.ini is the user\'s and stays')


if __name__ == '__main__':
    unittest.main()
