#!/usr/bin/env bash
# Takes the README's picture of the ruler from the real program:
#   scripts/screenshot.sh [path/to/mensor.exe] [out.png]
# (defaults: build/windows/mensor.exe and docs/ruler.png).
#
# Starts mensor.exe under Wine on a virtual X display through the end-to-end
# harness (tests/e2e/harness.py), with the default look except see-through
# (off, so the ruler shows its own colour) and the tool bar (hidden). Waits
# until two screenshots in a row show the same painted ruler, crops the ruler
# out of the screen and saves it as PNG. The Wine prefix is its own
# (build/screenshot/prefix, created once), so a running end-to-end test is
# never disturbed.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(readlink -f "${1:-$root/build/windows/mensor.exe}")
out=${2:-$root/docs/ruler.png}
[[ -f $exe ]] || { echo "screenshot: no $exe (make build first)" >&2; exit 1; }
mkdir -p "$(dirname "$out")"
out="$(cd "$(dirname "$out")" && pwd)/$(basename "$out")"

export MENSOR_EXE=$exe
export MENSOR_E2E_DIR=$root/build/screenshot
export SHOT_OUT=$out
cd "$root/tests/e2e"
python3 - <<'EOF'
import os
import shutil
import subprocess

import harness

LENGTH, WIDTH = 600, 60
ZERO_X = (harness.SCREEN_W - LENGTH) // 2
ZERO_Y = (harness.SCREEN_H - WIDTH) // 2
# Exactly the ruler: columns ZERO_X .. ZERO_X + LENGTH - 1, rows
# ZERO_Y - WIDTH .. ZERO_Y - 1 (left, top, width, height).
CROP = (ZERO_X, ZERO_Y - WIDTH, LENGTH, WIDTH)
INI = '[Current]\nTransparence=0\n[ToolBar]\nShow=0\n'


def band(shot):
    left, top, w, h = CROP
    return b''.join(shot.rgb[((top + y) * shot.width + left) * 3:((top + y) * shot.width + left + w) * 3]
                    for y in range(h))


session = harness.Session()
session.start()
try:
    os.makedirs(os.path.join(session.dir, 'runs'), exist_ok=True)
    app = harness.App(session, INI).start()
    try:
        app.wait_for_ruler()
        previous = [None]

        def settled(shot):
            # The ruler's colour over most of the band, and no change since
            # the shot before.
            painted = shot.count(harness.RULER_RGB, ZERO_X, ZERO_Y - WIDTH, ZERO_X + LENGTH, ZERO_Y) > LENGTH * WIDTH // 2
            same = band(shot) == previous[0]
            previous[0] = band(shot)
            return painted and same
        shot = app.wait_for_screen('a painted ruler that stays the same', settled)
    finally:
        app.kill()
        shutil.rmtree(app.folder, ignore_errors=True)
    crop = '%dx%d+%d+%d' % (CROP[2], CROP[3], CROP[0], CROP[1])
    subprocess.run(['convert', 'ppm:-', '-crop', crop, '+repage', '-strip', 'png:' + os.environ['SHOT_OUT']],
                   input=shot.ppm, check=True, timeout=30)
    print('screenshot: saved %s' % os.environ['SHOT_OUT'])
finally:
    session.stop()
EOF
