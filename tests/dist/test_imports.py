"""Nothing placed beside mensor.exe is loaded in place of a system library:
the program's import table names only libraries that Windows always takes
from the system, and it starts no program by a bare name (WinExec).

Environment: MENSOR_WINDOWS_BUILD (the Windows build folder, with mensor.exe).
"""

import os
import re
import subprocess
import unittest

OBJDUMP = 'x86_64-w64-mingw32-objdump'

# The libraries mensor.exe may import, in lower case. The loader looks for an
# imported library in the program's own folder first, unless it is
#  - one of Windows' known DLLs (the list under HKLM\SYSTEM\CurrentControlSet\
#    Control\Session Manager\KnownDLLs, the same since Windows 7 for these):
#    they are mapped from the system folder into every process before any
#    folder is searched. kernel32, user32, gdi32, shell32, comdlg32,
#    setupapi and advapi32 (the monitors' EDIDs: the device list and its
#    registry value) and msvcrt are; msimg32, uxtheme, version or winmm, for
#    example, are not, and
#    a file of that name beside mensor.exe would be loaded instead;
#  - comctl32, which is no known DLL but which the program's manifest binds to
#    the system's side-by-side assembly Microsoft.Windows.Common-Controls 6.0:
#    the loader takes it from the system's assembly store, ahead of any search
#    of folders (checked below: the manifest names that assembly).
# Libraries loaded at run time (shcore) are loaded from the system folder
# only, and the program restricts every later search to it
# (src/ui/win32/system_folder.cpp).
KNOWN_DLLS = {'kernel32.dll', 'user32.dll', 'gdi32.dll', 'shell32.dll', 'comdlg32.dll', 'setupapi.dll', 'advapi32.dll',
              'msvcrt.dll'}
SIDE_BY_SIDE = {'comctl32.dll': b'Microsoft.Windows.Common-Controls'}


def program():
    build = os.environ.get('MENSOR_WINDOWS_BUILD')
    exe = os.path.join(build or '', 'mensor.exe')
    if not build or not os.path.isfile(exe):
        raise unittest.SkipTest('no Windows build (MENSOR_WINDOWS_BUILD)')
    return exe


def imports(exe):
    """{library in lower case: [function names]} of the import table."""
    out = subprocess.run([OBJDUMP, '-p', exe], check=True, capture_output=True, text=True).stdout
    table = {}
    current = None
    for line in out.splitlines():
        m = re.match(r'\s*DLL Name: (\S+)', line)
        if m:
            current = table.setdefault(m.group(1).lower(), [])
            continue
        m = re.match(r'\s+[0-9a-f]+\s+\d+\s+(\w+)$', line)
        if m and current is not None:
            current.append(m.group(1))
    return table


class ImportTableTest(unittest.TestCase):

    @classmethod
    def setUpClass(cls):
        cls.exe = program()
        cls.table = imports(cls.exe)

    def test_only_libraries_the_loader_takes_from_the_system(self):
        self.assertIn('kernel32.dll', self.table, 'the import table was read')
        allowed = KNOWN_DLLS | set(SIDE_BY_SIDE)
        self.assertEqual(sorted(set(self.table) - allowed), [],
                         'imported libraries a file beside mensor.exe could stand in for')

    def test_side_by_side_libraries_are_bound_by_the_manifest(self):
        with open(self.exe, 'rb') as f:
            data = f.read()
        for dll, assembly in SIDE_BY_SIDE.items():
            if dll in self.table:
                self.assertIn(b'<dependentAssembly>', data, 'a manifest with a dependency')
                self.assertIn(assembly, data, '%s comes from the assembly %s' % (dll, assembly.decode()))

    def test_no_program_started_by_a_bare_name(self):
        kernel = self.table.get('kernel32.dll', [])
        self.assertNotIn('WinExec', kernel, 'WinExec searches the program\'s folder first')
        self.assertIn('LoadLibraryExW', kernel, 'run-time libraries loaded with a restricted search')


if __name__ == '__main__':
    unittest.main()
