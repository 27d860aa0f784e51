"""What a Windows user downloads: the help file, the portable zip and the
installer are built twice from the same files and must be the same bytes;
the zip holds the program's folder; both ship mensor.exe without its symbols,
which stay in a file of their own that the program's debug link names; the
README gives the shipped size; the version of CMakeLists.txt names the files
and stands in the program's version resource and in the installer.

Environment: MENSOR_WINDOWS_BUILD (the Windows build folder, with mensor.exe
and help.chm) and MENSOR_VERSION (the project's version).
"""

import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
import zipfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
UPGRADE_CODE = b'5C3B2E1A-7D4F-4B8E-9A61-3F0C2D7E8B14'
OBJCOPY = 'x86_64-w64-mingw32-objcopy'
OBJDUMP = 'x86_64-w64-mingw32-objdump'


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
    return (os.path.join(out, 'mensor-%s-win64.zip' % version), os.path.join(out, 'mensor-%s-x64.msi' % version),
            os.path.join(out, 'mensor.exe.debug'))


def read(path):
    with open(path, 'rb') as f:
        return f.read()


def sections(path):
    """The section names of a PE file, in their order."""
    out = subprocess.run([OBJDUMP, '-h', path], check=True, capture_output=True, text=True).stdout
    return re.findall(r'^\s*\d+\s+(\S+)\s+[0-9a-f]{8}', out, re.M)


def section(path, name, work):
    dest = os.path.join(work, name.strip('.') + '.bin')
    subprocess.run([OBJCOPY, '--dump-section', '%s=%s' % (name, dest), path, os.path.join(work, 'scratch')],
                   check=True, capture_output=True)
    return read(dest)


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

    def test_zip_installer_and_symbols_are_the_same_bytes_when_built_twice(self):
        for a, b in zip(self.first, self.second):
            self.assertTrue(read(a) == read(b), '%s built twice differs' % os.path.basename(a))

    def test_both_downloads_ship_the_program_stripped_and_linked_to_its_symbols(self):
        with zipfile.ZipFile(self.first[0]) as z:
            shipped = z.read('Mensor/mensor.exe')
        self.assertIn(shipped, read(self.first[1]), 'the installer carries the same stripped program')
        built = os.path.join(self.build, 'mensor.exe')
        with tempfile.TemporaryDirectory() as work:
            exe = os.path.join(work, 'mensor.exe')
            with open(exe, 'wb') as f:
                f.write(shipped)
            names = sections(exe)
            self.assertEqual([n for n in names if n.startswith('.debug')], [], 'no debug sections shipped')
            self.assertEqual(names, [n for n in sections(built) if not n.startswith('.debug')] + ['.gnu_debuglink'])
            listing = subprocess.run([OBJDUMP, '-t', exe], check=True, capture_output=True, text=True).stdout
            self.assertIn('no symbols', listing, 'the symbol table is gone')
            self.assertEqual(section(exe, '.text', work), section(built, '.text', work), 'the code as built')
            # The debug link: the symbols file's name, NUL-padded to four
            # bytes, then the CRC-32 of its contents.
            link = section(exe, '.gnu_debuglink', work)
            symbols = read(self.first[2])
            self.assertEqual(link[:link.index(b'\0')], b'mensor.exe.debug')
            self.assertEqual(struct.unpack('<I', link[-4:])[0], zlib.crc32(symbols), 'the link fits the symbols')
            self.assertIn('.debug_info', sections(self.first[2]), 'the symbols file holds the symbols')
        self.assertLess(len(shipped), os.path.getsize(built) * 0.8, 'stripping makes the program smaller')

    def test_readme_gives_the_size_of_the_shipped_program(self):
        with zipfile.ZipFile(self.first[0]) as z:
            size = z.getinfo('Mensor/mensor.exe').file_size
        text = read(os.path.join(ROOT, 'README.md')).decode('utf-8')
        m = re.search(r'`mensor\.exe` is about ([0-9.]+) MB', text)
        self.assertIsNotNone(m, 'the README names the size of mensor.exe')
        self.assertAlmostEqual(float(m.group(1)), size / 1e6, delta=0.15,
                               msg='README figure against the shipped %d bytes' % size)

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
