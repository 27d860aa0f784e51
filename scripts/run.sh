#!/usr/bin/env bash
# make run: starts mensor.exe under Wine.
#
# With a usable $DISPLAY the ruler appears there; the script saves a screenshot
# once the ruler is up and waits until the program ends (menu "Exit").
# Without a display it starts a virtual one (Xvfb), saves a screenshot of the
# running ruler, ends the program through its menu and stops the display.
# Either way it prints where the screenshot is.
#
# The Wine prefix lives in build/wine-prefix and is created once.
set -euo pipefail

exe=${1:?usage: run.sh path/to/mensor.exe}
exe=$(readlink -f "$exe")
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build/run"
mkdir -p "$out"
shot="$out/screenshot.png"

export WINEPREFIX="$root/build/wine-prefix"
export WINEDEBUG=-all
# Wine never offers to install Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="

xvfb_pid=""
app_pid=""
cleanup() {
  if [[ -n $app_pid ]] && kill -0 "$app_pid" 2>/dev/null; then
    wineserver -k 2>/dev/null || true
  fi
  if [[ -n $xvfb_pid ]]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
}
trap cleanup EXIT

# A display we can talk to, or a virtual one.
if [[ -n ${DISPLAY:-} ]] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  headless=0
else
  headless=1
  exec {fd}<> <(:)
  # -displayfd: Xvfb chooses a free display number and reports it when ready.
  Xvfb -displayfd "$fd" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 30 number <&"$fd" || { echo "run: Xvfb did not start" >&2; exit 1; }
  exec {fd}>&-
  export DISPLAY=":$number"
  echo "run: no display, started Xvfb on $DISPLAY"
fi

if [[ ! -f $WINEPREFIX/.mensor-ready ]]; then
  echo "run: creating the Wine prefix $WINEPREFIX (once)"
  rm -rf "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.mensor-ready"
fi

# Waits (bounded) for a visible window whose title matches; prints its id.
wait_window() {
  local pattern=$1 seconds=$2 id
  for ((i = 0; i < seconds * 10; i++)); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1 || true)
    if [[ -n $id ]]; then
      echo "$id"
      return 0
    fi
    if ! kill -0 "$app_pid" 2>/dev/null; then return 1; fi
    sleep 0.1
  done
  return 1
}

cd "$(dirname "$exe")"
wine "$exe" >"$out/wine.log" 2>&1 &
app_pid=$!

ruler=$(wait_window '^Mensor$' 60) || { echo "run: the ruler did not appear (see $out/wine.log)" >&2; exit 1; }
# Let the first paint finish before the picture is taken.
sleep 1
import -silent -window root "$shot"
echo "run: the ruler is up; screenshot saved to $shot"

if ((headless)); then
  # End it as a user would: the popup menu, then "E&xit".
  xdotool windowfocus --sync "$ruler" key shift+F10 >/dev/null 2>&1 || true
  for ((i = 0; i < 50; i++)); do
    menus=$(xdotool search --onlyvisible --class '^mensor\.exe$' 2>/dev/null | grep -vx "$ruler" | wc -l || true)
    ((menus > 0)) && break
    sleep 0.1
  done
  xdotool key x
  for ((i = 0; i < 200; i++)); do
    kill -0 "$app_pid" 2>/dev/null || break
    sleep 0.1
  done
  wait "$app_pid" 2>/dev/null && echo "run: ended through the menu" || echo "run: ended (code $?)"
else
  echo "run: close the ruler with its menu (right click, Exit) to finish"
  wait "$app_pid" || true
fi
app_pid=""
