"""Start-up and exit of the real program: where the ruler appears, and what
"E&xit" leaves in app.ini (every entry in the save order, corrected values,
unknown entries kept), also after an app.ini full of junk."""

import random
import unittest

import harness
from harness import BAND, ON_BAND, PLAIN_INI, RULER_RGB, SEARCH, ZERO_X, ZERO_Y, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

# Every entry of app.ini in the order a new file gets them.
SAVE_ORDER = [
    ('System', 'WindowOnTop'), ('System', 'MoveStep'), ('System', 'HotKey'),
    ('System', 'JumpCursor'), ('System', 'RulerWidth'), ('System', 'SnapTolerance'),
    ('Face', 'BackgroundColor'), ('Face', 'ForegroundColor'), ('Face', 'NumberColor'),
    ('Face', 'StaffColor'), ('Face', 'CurTextColor'), ('Face', 'WinBKColor'),
    ('Face', 'WinNumberColor'), ('Face', 'ScaleLine'),
    ('Current', 'Length'), ('Current', 'StaffSize'), ('Current', 'StaffDir'),
    ('Current', 'Transparence'), ('Current', 'ScaleSmall'), ('Current', 'ScaleLarge'),
    ('Current', 'ShowScaleLine'), ('Current', 'ShowDisplayForm'), ('Current', 'TransValue'),
    ('Current', 'Unit'), ('Current', 'PixelPerUnit'), ('Current', 'TicksPerUnit'),
    ('Current', 'DisplayValueUnit'), ('Current', 'TrueSize'), ('Current', 'ScaledPixels'),
    ('Current', 'SnapToEdges'),
    ('HotKey', 'AlwaysTop'), ('HotKey', 'Transer'), ('HotKey', 'Circum'), ('HotKey', 'Leval'),
    ('HotKey', 'Plumb'), ('HotKey', 'ShowScaleLine'), ('HotKey', 'ShowToolBar'),
    ('HotKey', 'Calculator'),
    ('ToolBar', 'Show'), ('ToolBar', 'X'), ('ToolBar', 'Y'), ('ToolBar', 'ShowCursor'),
    ('ToolBar', 'Magnifier'),
    ('Language', 'FileName'),
]

# The values a start without app.ini saves (the tool bar's place depends on
# the tool bar and is checked apart).
DEFAULT_VALUES = {
    ('System', 'WindowOnTop'): '0', ('System', 'MoveStep'): '1', ('System', 'HotKey'): '0',
    ('System', 'JumpCursor'): '0', ('System', 'RulerWidth'): '60', ('System', 'SnapTolerance'): '30',
    ('Face', 'BackgroundColor'): '16751415', ('Face', 'ForegroundColor'): '16777215',
    ('Face', 'NumberColor'): '16777215', ('Face', 'StaffColor'): '16777215',
    ('Face', 'CurTextColor'): '65535', ('Face', 'WinBKColor'): '0',
    ('Face', 'WinNumberColor'): '16777215', ('Face', 'ScaleLine'): '4259584',
    ('Current', 'Length'): '600', ('Current', 'StaffSize'): '0', ('Current', 'StaffDir'): '0',
    ('Current', 'Transparence'): '1', ('Current', 'ScaleSmall'): '1', ('Current', 'ScaleLarge'): '2',
    ('Current', 'ShowScaleLine'): '0', ('Current', 'ShowDisplayForm'): '0',
    ('Current', 'TransValue'): '60', ('Current', 'Unit'): '0', ('Current', 'PixelPerUnit'): '50',
    ('Current', 'TicksPerUnit'): '10', ('Current', 'DisplayValueUnit'): '1',
    ('Current', 'TrueSize'): '0', ('Current', 'ScaledPixels'): '0', ('Current', 'SnapToEdges'): '0',
    ('HotKey', 'AlwaysTop'): '0', ('HotKey', 'Transer'): '0', ('HotKey', 'Circum'): '0',
    ('HotKey', 'Leval'): '0', ('HotKey', 'Plumb'): '0', ('HotKey', 'ShowScaleLine'): '0',
    ('HotKey', 'ShowToolBar'): '0', ('HotKey', 'Calculator'): '0',
    ('ToolBar', 'Show'): '1', ('ToolBar', 'ShowCursor'): '1', ('ToolBar', 'Magnifier'): '1',
    ('Language', 'FileName'): '',
}


def entries_dict(entries):
    return {(s, k): v for s, k, v in entries}


class StartupTest(harness.MensorTestCase):

    def test_ruler_appears_centred_as_a_horizontal_band(self):
        app = self.start_app(PLAIN_INI)
        try:
            shot = app.wait_for_screen('the 600 x 60 band with its zero corner at (%d, %d)' % (ZERO_X, ZERO_Y),
                                       band_is_drawn)
        except harness.HarnessError:
            shot = self.session.last_shot
            box = shot.bounding_box(RULER_RGB, *SEARCH) if shot else None
            self.fail('the ruler colour %r covers %r on the screen, expected the band %r'
                      % (RULER_RGB, box, BAND))
        # Just outside each side of the band the ruler's colour is absent.
        left, top, right, bottom = BAND
        self.assertEqual(shot.count(RULER_RGB, left, top - 3, right, top - 1), 0, 'rows above the band')
        self.assertEqual(shot.count(RULER_RGB, left, bottom + 1, right, bottom + 3), 0, 'rows below the band')
        self.assertEqual(shot.count(RULER_RGB, left - 3, top, left - 1, bottom), 0, 'columns left of the zero end')
        self.assertEqual(shot.count(RULER_RGB, right + 1, top, right + 3, bottom), 0, 'columns right of the far end')
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')

    def test_exit_writes_every_entry_in_save_order(self):
        app = self.start_app(None)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        entries = app.read_ini()
        self.assertEqual([(s, k) for s, k, _ in entries], SAVE_ORDER, 'sections and keys of the new app.ini')
        values = entries_dict(entries)
        for key, expected in DEFAULT_VALUES.items():
            self.assertEqual(values[key], expected, 'value of %s/%s' % key)
        for key in (('ToolBar', 'X'), ('ToolBar', 'Y')):
            self.assertRegex(values[key], r'^-?\d+$', 'value of %s/%s' % key)

    def test_out_of_range_values_are_corrected_and_unknown_entries_kept(self):
        ini = """[System]
MoveStep=100
Custom=keep me
SnapTolerance=256
[Current]
Transparence=0
Length=199
StaffSize=5
Mystery=42
[Extra]
Foo=bar
"""
        app = self.start_app(ini)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        entries = app.read_ini()
        values = entries_dict(entries)
        self.assertEqual(values[('Current', 'Length')], '600', 'Length 199 is corrected')
        self.assertEqual(values[('System', 'MoveStep')], '1', 'MoveStep 100 is corrected')
        self.assertEqual(values[('Current', 'StaffSize')], '0', 'StaffSize 5 is corrected')
        self.assertEqual(values[('System', 'SnapTolerance')], '30', 'SnapTolerance 256 is corrected')
        self.assertEqual(values.get(('System', 'Custom')), 'keep me', 'unknown key of a known section')
        self.assertEqual(values.get(('Current', 'Mystery')), '42', 'unknown key of a known section')
        self.assertEqual(values.get(('Extra', 'Foo')), 'bar', 'unknown section')
        # Every entry the program knows is there exactly once.
        keys = [(s, k) for s, k, _ in entries]
        not_once = [key for key in SAVE_ORDER if keys.count(key) != 1]
        self.assertEqual(not_once, [], 'entries not saved exactly once')
        # Known values replace the old ones where they stood; new ones follow.
        system = [k for s, k, _ in entries if s == 'System']
        self.assertEqual(system[:2], ['MoveStep', 'Custom'], 'order of [System]')

    def test_junk_settings_never_crash_or_hang(self):
        junk_text = """[System]
MoveStep=abc
HotKey=0x
JumpCursor=yes
RulerWidth=
WindowOnTop=1.5
[Face]
BackgroundColor=0xZZZ
ForegroundColor=$
NumberColor=--1
StaffColor= x12
[Current]
Length=six hundred
StaffSize=1e3
Transparence=maybe
ScaleLarge=/
Unit=pixels
[ToolBar]
X=left
Show=
[Language]
FileName=..\\..\\nowhere\\pack.txt
"""
        extremes = """[System]
MoveStep=-2147483648
HotKey=99999999999999999999
RulerWidth=0
[Face]
BackgroundColor=-1
ForegroundColor=2147483647
[Current]
Length=2147483647
StaffSize=-2147483648
StaffDir=99999999999
Transparence=-1
TransValue=1000
ScaleSmall=-5
ScaleLarge=-7
Unit=-1
[ToolBar]
X=-99999
Y=99999
"""
        wide = """[System]
RulerWidth=100000
[Current]
Length=1510
Transparence=0
TransValue=-100
Unit=3
PixelPerUnit=0
TicksPerUnit=0
DisplayValueUnit=0
"""
        rng = random.Random(20240607)
        binary = bytes(rng.randrange(256) for _ in range(4096))
        binary = binary[:1000] + b'\n[Current]\nLength=\x00\xff\x00\n' + binary[1000:]
        cases = [('non-numbers', junk_text), ('extremes', extremes), ('wide', wide), ('binary', binary)]
        for name, ini in cases:
            with self.subTest(ini=name):
                app = self.launch(ini)
                try:
                    app.wait_for_ruler()
                    self.assertEqual(app.info_boxes(), [], 'no message box at start-up')
                    self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
                finally:
                    app.kill()
                values = entries_dict(app.read_ini())
                missing = [key for key in SAVE_ORDER if key not in values]
                self.assertEqual(missing, [], 'entries missing from the saved file')
                self.assertTrue(200 <= int(values[('Current', 'Length')]) <= 1510, 'Length in range')
                self.assertTrue(0 <= int(values[('System', 'MoveStep')]) <= 99, 'MoveStep in range')
                self.assertIn(values[('Current', 'StaffSize')], ('0', '1'), 'StaffSize in range')
                self.assertIn(values[('Current', 'StaffDir')], ('0', '1'), 'StaffDir in range')


if __name__ == '__main__':
    unittest.main()
