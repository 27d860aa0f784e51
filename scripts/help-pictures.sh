#!/usr/bin/env bash
# Takes the pictures of the help pages from the real program:
#   scripts/help-pictures.sh [path/to/build/windows]
# (default build/windows; needs mensor.exe and backdrop.exe there).
#
# Writes docs/help/images/*.png: the ruler in pixels and in centimetres, the
# ruler in see-through mode over the test picture of backdrop.exe, the
# ruler's menu, the tool bar with its magnifier open over that picture, the
# preferences dialog, the about box and the calibration dialog beside the ruler. Each picture is taken under Wine on a virtual X display through
# the end-to-end harness (tests/e2e/harness.py), once the screen has settled
# (two screenshots in a row alike). The Wine prefix is its own
# (build/screenshot/prefix), so a running end-to-end test is never disturbed.
# Commit the pictures with the pages; the help build only packs them.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "${1:-$root/build/windows}")
[[ -f $build/mensor.exe && -f $build/backdrop.exe ]] || {
  echo "help-pictures: no mensor.exe or backdrop.exe in $build (make windows first)" >&2
  exit 1
}
export MENSOR_EXE=$build/mensor.exe
export MENSOR_BACKDROP=$build/backdrop.exe
export MENSOR_E2E_DIR=$root/build/screenshot
export PICTURES=$root/docs/help/images
mkdir -p "$PICTURES"
cd "$root/tests/e2e"
python3 - <<'PY'
import contextlib
import os
import shutil
import subprocess

import harness
from harness import BAND, ON_BAND, PLAIN_INI, band_is_drawn
import test_seethrough
import test_toolbar

OUT = os.environ['PICTURES']


def save(shot, box, name):
    """Crops (left, top, right, bottom) out of the shot into OUT/name."""
    left, top, right, bottom = box
    crop = '%dx%d+%d+%d' % (right - left, bottom - top, left, top)
    path = os.path.join(OUT, name)
    subprocess.run(['convert', 'ppm:-', '-crop', crop, '+repage', '-strip', 'png:' + path],
                   input=shot.ppm, check=True, timeout=30)
    print('help-pictures: saved %s' % path)


def settled(app, what, box, also=lambda shot: True):
    """The screen once the box looks the same in two shots in a row."""
    previous = [None]

    def same(shot):
        left, top, right, bottom = box
        rows = b''.join(shot.rgb[((y * shot.width) + left) * 3:((y * shot.width) + right) * 3]
                        for y in range(top, bottom))
        ok = rows == previous[0] and also(shot)
        previous[0] = rows
        return ok
    return app.wait_for_screen(what, same, timeout=20.0)


@contextlib.contextmanager
def running(session, ini, backdrop=False):
    """The program started with this app.ini (over the backdrop picture if
    asked) until the block ends."""
    picture = test_seethrough.Backdrop(session).start() if backdrop else None
    app = None
    try:
        app = harness.App(session, ini).start()
        app.wait_for_ruler()
        yield app
    finally:
        if app is not None:
            app.kill()
            shutil.rmtree(app.folder, ignore_errors=True)
        if picture is not None:
            picture.stop()


def window_box(session, wid):
    left, top, width, height = session.window_geometry(wid)
    return (left, top, left + width, top + height)


def ruler(session, ini, name):
    with running(session, ini) as app:
        save(settled(app, 'the ruler for ' + name, BAND, band_is_drawn), BAND, name)


def seethrough(session):
    with running(session, '[ToolBar]\nShow=0\n', backdrop=True) as app:
        margin = 24
        box = (BAND[0] - margin, BAND[1] - margin, BAND[2] + margin, BAND[3] + margin)
        save(settled(app, 'the see-through ruler', box), box, 'ruler-seethrough.png')


def menu(session):
    with running(session, PLAIN_INI) as app:
        app.wait_for_screen('the band', band_is_drawn)
        box = window_box(session, app.open_menu(ON_BAND))
        # Away from the menu, so that no item is highlighted.
        session.xdotool('mousemove', 5, harness.SCREEN_H - 5)
        save(settled(app, 'the open menu', box), box, 'menu.png')


def tool_bar(session):
    with running(session, test_toolbar.tool_bar_ini(500, 150), backdrop=True) as app:
        wid = harness.wait_until('the tool bar', lambda: (app.windows(test_toolbar.TITLE) or [None])[0],
                                 harness.WINDOW_TIMEOUT)
        # The pointer rests on the picture, so the view shows it enlarged.
        session.xdotool('mousemove', *test_toolbar.POINTER)
        box = window_box(session, wid)
        save(settled(app, 'the tool bar', box), box, 'toolbar.png')


def dialog(session, key, title, name):
    """Opens a dialog from the ruler's menu by its letter and saves it."""
    with running(session, PLAIN_INI + '[ToolBar]\nShow=0\n') as app:
        app.wait_for_screen('the band', band_is_drawn)
        # The about box has the ruler's title: the new window of that title.
        before = set(app.windows(title))
        app.open_menu(ON_BAND)
        session.xdotool('key', key)
        wid = harness.wait_until(name, lambda: next((w for w in app.windows(title) if w not in before), None),
                                 harness.WINDOW_TIMEOUT)
        session.xdotool('mousemove', 5, harness.SCREEN_H - 5)
        box = window_box(session, wid)
        save(settled(app, name, box), box, name)


def calibration(session):
    """The calibration dialog open beside the ruler, both in the picture."""
    with running(session, PLAIN_INI + '[ToolBar]\nShow=0\n') as app:
        app.wait_for_screen('the band', band_is_drawn)
        app.choose_in_submenu(ON_BAND, 'u', 'a')
        wid = harness.wait_until('the calibration dialog', lambda: (app.windows(r'^Calibrate$') or [None])[0],
                                 harness.WINDOW_TIMEOUT)
        session.xdotool('mousemove', 5, harness.SCREEN_H - 5)
        left, top, right, bottom = window_box(session, wid)
        margin = 8
        box = (min(left, BAND[0]) - margin, min(top, BAND[1]) - margin,
               max(right, BAND[2]) + margin, max(bottom, BAND[3]) + margin)
        save(settled(app, 'the calibration dialog', box), box, 'calibrate.png')


session = harness.Session()
session.start()
try:
    os.makedirs(os.path.join(session.dir, 'runs'), exist_ok=True)
    ruler(session, PLAIN_INI, 'ruler-pixels.png')
    ruler(session, '[Current]\nTransparence=0\nUnit=1\n[ToolBar]\nShow=0\n', 'ruler-cm.png')
    seethrough(session)
    menu(session)
    tool_bar(session)
    dialog(session, 'p', r'^Mensor Configure$', 'preferences.png')
    dialog(session, 'a', r'^Mensor$', 'about.png')
    calibration(session)
finally:
    session.stop()
PY
