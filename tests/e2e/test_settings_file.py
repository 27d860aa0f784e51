"""The user's app.ini is never lost or mangled: held open by another program
at start-up (the program waits for it, or keeps it untouched and says so),
read-only (kept, and said so), saved by an editor as UTF-16 with or without
a byte-order mark (read, and written back so), a symbolic link to a file not
yet there (the link kept, its file created, or the save refused when its
folder is missing); temporary files of a killed save go at start-up."""

import os
import re
import stat
import time
import unittest

import harness
import settings_tools
from harness import ON_BAND

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

# A user's settings with lines the program does not know.
USER_INI = ("""[System]
MoveStep=7
; a comment the user wrote
Custom=keep me
[Current]
Transparence=0
Length=450
Unit=1
[ToolBar]
Show=0
[Extra]
Foo=bar
""").replace('\n', '\r\n')


def values(entries):
    return {(s, k): v for s, k, v in entries}


class SettingsFileTest(harness.MensorTestCase):

    def hold_at_start(self, ini):
        """Starts the program while another program holds app.ini open
        without sharing; returns the app and the holder once the program has
        tried to open the file and been refused."""
        app = harness.App(self.session, ini)
        self.apps.append(app)
        holder = settings_tools.Holder(self.session, app.ini_path)
        self.addCleanup(holder.release)
        watch = settings_tools.OpenWatch(app.ini_path)
        self.addCleanup(watch.close)
        app.start()
        watch.wait('the program opening app.ini', harness.WINDOW_TIMEOUT)
        return app, holder

    def exit_expecting_message(self, app):
        """Chooses Exit; the program tells of the kept file in its one box;
        OK ends it."""
        app.open_menu(ON_BAND)
        self.session.xdotool('key', 'x')
        box = harness.wait_until('the message about the kept file',
                                 lambda: (app.info_boxes() or [None])[0], 10.0)
        self.session.xdotool('windowfocus', '--sync', box)
        self.session.xdotool('key', 'Return')
        self.assertEqual(app.wait_for_exit(), 0, 'exit code')

    def test_a_file_held_for_a_moment_at_start_up_is_waited_for_and_read(self):
        app, holder = self.hold_at_start(USER_INI)
        # The program has been refused once; the other program lets go now.
        holder.release()
        app.wait_for_ruler()
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code (no message box on the way)')
        saved = values(app.read_ini())
        self.assertEqual(saved[('System', 'MoveStep')], '7', 'MoveStep read, not the default 1')
        self.assertEqual(saved[('Current', 'Length')], '450', 'Length read, not the default 600')
        self.assertEqual(saved[('Current', 'Unit')], '1', 'Unit read, not the default 0')
        self.assertEqual(saved.get(('System', 'Custom')), 'keep me')
        self.assertEqual(saved.get(('Extra', 'Foo')), 'bar')
        self.assertEqual(settings_tools.keys_not_once(app.read_ini()), [])

    def test_a_file_held_for_longer_is_kept_as_it_is_and_the_user_told(self):
        app, holder = self.hold_at_start(USER_INI)
        refused_at = time.monotonic()
        app.wait_for_ruler()
        # The program waited for the file a while before it gave up.
        self.assertGreaterEqual(time.monotonic() - refused_at, 1.5, 'seconds waited for the file')
        holder.release()
        self.exit_expecting_message(app)
        with open(app.ini_path, 'rb') as f:
            self.assertEqual(f.read(), USER_INI.encode('latin-1'), 'app.ini byte for byte')

    def test_a_read_only_file_is_kept_and_the_user_told(self):
        app = harness.App(self.session, USER_INI)
        self.apps.append(app)
        # NOTE: Wine shows a file without write permission as read-only.
        os.chmod(app.ini_path, 0o444)
        app.start()
        app.wait_for_ruler()
        self.exit_expecting_message(app)
        with open(app.ini_path, 'rb') as f:
            self.assertEqual(f.read(), USER_INI.encode('latin-1'), 'app.ini byte for byte')
        self.assertEqual(stat.S_IMODE(os.stat(app.ini_path).st_mode), 0o444, 'still read-only')

    def test_a_utf16_file_is_read_and_written_back_as_utf16(self):
        for mark in (b'\xff\xfe', b''):
            with self.subTest(mark=mark):
                self.check_utf16_file(mark)

    def check_utf16_file(self, mark):
        text = USER_INI.replace('[Extra]\r\nFoo=bar', '[Extra]\r\nFoo=\u00e9t\u00e9 \u20ac \U0001F600')
        data = mark + text.encode('utf-16-le')
        app = self.start_app(data)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        with open(app.ini_path, 'rb') as f:
            saved = f.read()
        self.assertEqual(saved[:len(mark)], mark, 'the byte-order mark, or none as before')
        self.assertEqual(saved[len(mark):len(mark) + 2], b'[\0', 'the first line is the user\'s')
        self.assertEqual(len(saved) % 2, 0, 'whole UTF-16 characters')
        decoded = saved[len(mark):].decode('utf-16-le')  # strict: no 8-bit text mixed in
        self.assertTrue(all(c.isprintable() for c in decoded.replace('\r\n', '')),
                        'only text: %r' % decoded[:200])
        lines = decoded.split('\r\n')
        self.assertIn('Foo=\u00e9t\u00e9 \u20ac \U0001F600', lines, 'the non-ASCII line kept')
        self.assertIn('; a comment the user wrote', lines)
        entries = harness.parse_ini(decoded.encode('utf-8'))
        self.assertEqual(settings_tools.keys_not_once(entries), [], 'every known entry once')
        saved_values = values(entries)
        self.assertEqual(saved_values[('System', 'MoveStep')], '7', 'MoveStep read, not the default 1')
        self.assertEqual(saved_values[('Current', 'Length')], '450')
        self.assertEqual(saved_values[('Current', 'Unit')], '1')


    def test_a_link_to_a_file_not_yet_there_stays_a_link(self):
        app = harness.App(self.session)
        self.apps.append(app)
        target = os.path.join(app.folder, 'kept', 'settings.ini')
        os.makedirs(os.path.dirname(target))
        os.symlink(target, app.ini_path)
        app.start()
        app.wait_for_ruler()
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code (no message box on the way)')
        self.assertTrue(os.path.islink(app.ini_path), 'app.ini is still a link')
        self.assertEqual(os.readlink(app.ini_path), target)
        with open(target, 'rb') as f:
            entries = harness.parse_ini(f.read())
        self.assertEqual(settings_tools.keys_not_once(entries), [], 'the settings saved in the link\'s file')
        self.assertEqual(sorted(os.listdir(os.path.dirname(target))), ['settings.ini'], 'nothing else left there')

    def test_a_link_into_a_missing_folder_is_kept_and_the_user_told(self):
        app = harness.App(self.session)
        self.apps.append(app)
        target = os.path.join(app.folder, 'gone', 'settings.ini')
        os.symlink(target, app.ini_path)
        app.start()
        app.wait_for_ruler()
        self.exit_expecting_message(app)
        self.assertTrue(os.path.islink(app.ini_path), 'app.ini is still a link')
        self.assertEqual(os.readlink(app.ini_path), target)
        self.assertFalse(os.path.exists(os.path.dirname(target)), 'no folder made for it')
        leftovers = [n for n in os.listdir(app.folder) if n.startswith('app.ini.')]
        self.assertEqual(leftovers, [], 'no temporary file left')

    def test_the_temporary_file_of_a_killed_save_goes_at_start_up(self):
        app = harness.App(self.session, USER_INI)
        self.apps.append(app)
        # As a save of a large file that was killed leaves it: the new text
        # half written under the identifier of a process that is gone.
        leftover = app.ini_path + '.999996.tmp'
        with open(leftover, 'wb') as f:
            f.write(b'[System]\r\n' + b'x' * (8 << 20))
        app.start()
        app.wait_for_ruler()
        harness.wait_until('the leftover to go', lambda: not os.path.exists(leftover), 10.0)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')
        self.assertEqual(values(app.read_ini())[('System', 'MoveStep')], '7', 'the settings file as it was read')

if __name__ == '__main__':
    unittest.main()
