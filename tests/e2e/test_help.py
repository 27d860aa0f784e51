"""F1 on the ruler opens help.chm beside the program in the help viewer."""

import os
import shutil
import signal
import unittest

import harness
from harness import ON_BAND, PLAIN_INI, band_is_drawn

setUpModule = harness.setUpModule
tearDownModule = harness.tearDownModule

# The help viewer's window carries the help file's title.
VIEWER_TITLE = r'^Mensor Help$'
VIEWER_TIMEOUT = 30.0


def built_help():
    path = os.path.join(os.path.dirname(os.path.abspath(os.environ['MENSOR_EXE'])), 'help.chm')
    if not os.path.isfile(path):
        raise harness.HarnessError('the build made no help.chm beside mensor.exe: %s' % path)
    return path


class HelpTest(harness.MensorTestCase):

    def test_f1_opens_the_help_file_in_the_help_viewer(self):
        app = harness.App(self.session, PLAIN_INI)
        shutil.copyfile(built_help(), os.path.join(app.folder, 'help.chm'))
        self.apps.append(app.start())
        app.wait_for_ruler()
        app.wait_for_screen('the band', band_is_drawn)
        self.assertEqual(self.session.visible_windows(VIEWER_TITLE), [], 'no help viewer before F1')
        self.session.xdotool('mousemove', *ON_BAND)
        self.session.xdotool('windowfocus', '--sync', app.ruler)
        self.session.xdotool('key', 'F1')
        viewer = harness.wait_until('the help viewer with help.chm', lambda: self.session.visible_windows(VIEWER_TITLE),
                                    VIEWER_TIMEOUT)[0]
        self.shot()
        self.assertNotIn(viewer, app.windows(), 'the viewer is a program of its own')
        self.assertEqual(app.info_boxes(), [], 'no message')
        # The viewer covers the ruler; close it, then end the ruler as usual.
        pid = int(self.session.run(['xdotool', 'getwindowpid', str(viewer)]).stdout.split()[0])
        os.kill(pid, signal.SIGKILL)
        harness.wait_until('the help viewer to go', lambda: not self.session.visible_windows(VIEWER_TITLE),
                           VIEWER_TIMEOUT)
        self.assertEqual(app.exit_via_menu(ON_BAND), 0, 'exit code')


if __name__ == '__main__':
    unittest.main()
