"""What a Windows user downloads: the help file, the portable zip and the
installer are built twice from the same files and must be the same bytes;
the zip holds the program's folder; the version of CMakeLists.txt names the
files and stands in the program's version resource and in the installer.

Environment: MENSOR_WINDOWS_BUILD (the Windows build folder, with mensor.exe
and help.chm) and MENSOR_VERSION (the project's version).
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest
import zipfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
UPGRADE_CODE = b'5C3B2E1A-7D4F-4B8E-9A61-3F0C2D7E8B14'


def environment():
    build, version = os.environ.get('MENSOR_WINDOWS_BUILD'), os.environ.get('MENSOR_VERSION')
    if not build or not version:
        raise unittest.SkipTest('MENSOR_WINDOWS_BUILD and MENSOR_VERSION are not set')
    if not all(os.path.isfile(os.path.join(build, f)) for f in ('mensor.exe', 'help.chm')):
        raise unittest.SkipTest('no Windows build in %s (make windows)' % build)
    return build, version


def make_dist(build, version, out):
    subprocess.run([sys.executable, os.path.join(ROOT, 'tools', 'make_dist.py'), '--version', version,
                    '--build', build, '--out', out], check=True, stdout=subprocess.DEVNULL)
    return (os.path.join(out, 'mensor-%s-win64.zip' % version), os.path.join(out, 'mensor-%s-x64.msi' % version))


def read(path):
    with open(path, 'rb') as f:
        return f.read()


class DistTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.build, cls.version = environment()
        cls.work = tempfile.TemporaryDirectory(prefix='mensor-dist-test-')
        cls.first = make_dist(cls.build, cls.version, os.path.join(cls.work.name, 'first'))
        cls.second = make_dist(cls.build, cls.version, os.path.join(cls.work.name, 'second'))

    @classmethod
    def tearDownClass(cls):
        cls.work.cleanup()

    def test_zip_and_installer_are_the_same_bytes_when_built_twice(self):
        for a, b in zip(self.first, self.second):
            self.assertTrue(read(a) == read(b), '%s built twice differs' % os.path.basename(a))

    def test_help_file_is_the_same_bytes_when_compiled_twice(self):
        with tempfile.TemporaryDirectory() as work:
            out = [os.path.join(work, n) for n in ('a.chm', 'b.chm')]
            for path in out:
                subprocess.run([sys.executable, os.path.join(ROOT, 'tools', 'build_help.py'),
                                os.path.join(ROOT, 'docs', 'help'), path], check=True)
            self.assertTrue(read(out[0]) == read(out[1]), 'help.chm compiled twice differs')
            self.assertEqual(read(out[0]), read(os.path.join(self.build, 'help.chm')),
                             'the build compiles the same help.chm')

    def test_zip_holds_the_program_folder(self):
        with zipfile.ZipFile(self.first[0]) as z:
            names = z.namelist()
            self.assertEqual(names, sorted(names), 'entries in sorted order')
            for name in ('Mensor/', 'Mensor/Languages/', 'Mensor/ReadMe.txt', 'Mensor/help.chm', 'Mensor/mensor.exe'):
                self.assertIn(name, names)
            self.assertEqual(z.read('Mensor/mensor.exe'), read(os.path.join(self.build, 'mensor.exe')))
            self.assertEqual(z.read('Mensor/help.chm'), read(os.path.join(self.build, 'help.chm')))
            languages = os.path.join(self.build, 'Languages')
            packs = sorted(n for n in os.listdir(languages) if n.lower().endswith('.txt')) \
                if os.path.isdir(languages) else []
            self.assertEqual([n for n in names if n.startswith('Mensor/Languages/') and n.endswith('.txt')],
                             ['Mensor/Languages/' + p for p in packs], 'the language packs of the build')
            readme = z.read('Mensor/ReadMe.txt')
            self.assertNotIn(b'\n', readme.replace(b'\r\n', b''), 'the read-me has Windows line ends')
            for info in z.infolist():
                self.assertEqual(info.date_time, (2020, 1, 1, 0, 0, 0), 'fixed time of %s' % info.filename)

    def test_one_version_names_the_files_and_stands_in_the_program_and_the_installer(self):
        self.assertRegex(self.version, r'^\d+\.\d+\.\d+$')
        cmake = read(os.path.join(ROOT, 'CMakeLists.txt')).decode('utf-8')
        self.assertIn('project(mensor VERSION %s ' % self.version, cmake)
        exe = read(os.path.join(self.build, 'mensor.exe'))
        for key in ('FileVersion', 'ProductVersion'):
            m = re.search((key + '\0').encode('utf-16-le') + rb'(?:\0\0)?((?:[0-9.]\0)+)', exe)
            self.assertIsNotNone(m, '%s in the version resource' % key)
            self.assertEqual(m.group(1).decode('utf-16-le'), self.version, key)
        msi = read(self.first[1])
        self.assertIn(self.version.encode(), msi, 'the installer carries the version')
        self.assertIn(UPGRADE_CODE, msi, 'the installer carries the fixed upgrade code')


if __name__ == '__main__':
    unittest.main()
