#!/bin/sh
# Builds the shipped program (preset windows-i686) and opens its window
# under Wine, in the project's own prefix.
#
# Usage: scripts/run-window.sh [SCREENSHOT.png]
#   With DISPLAY set: the window opens there; the script returns when the
#   program ends.
#   Without DISPLAY: the program runs on a private Xvfb inside a Wine
#   virtual desktop (so that Wine draws the frame and caption), a screenshot
#   of the window is saved (default build/dexolin-window.png) and its path
#   printed, then the program is closed.
# Environment: DEXOLIN_WINEPREFIX (default <repo>/build/wineprefix).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
shot=${1:-$root/build/dexolin-window.png}

cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686 -j2 --target dexolin dexolin_probe >/dev/null
program=$root/build/windows-i686/shell/dexolin.exe
probe=$root/build/windows-i686/tests/windows/dexolin-probe.exe

WINEPREFIX=$(scripts/wine-prefix.sh)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$program"
fi

echo "run-window.sh: no DISPLAY; running the window on Xvfb and taking a screenshot"
work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

. "$root/scripts/xvfb-display.sh"
start_private_display "$work" 1024x768

desktop_size=800x400
timeout 60 wine explorer "/desktop=Dexolin,$desktop_size" "$program" </dev/null >/dev/null 2>&1 &
program_pid=$!
timeout 30 xdotool search --sync --name 'Dexolin' >/dev/null
sleep 2  # let the dialog paint

# The desktop sits at the top left of the screen; trimming its plain
# background leaves the window.
import -window root "$work/screen.png"
convert "$work/screen.png" -crop "$desktop_size+0+0" +repage -trim +repage "$shot"
echo "$shot"

# Closed by its own close command when the probe is built, so it saves its
# settings as after any session; otherwise the session is ended.
if [ -f "$probe" ]; then
    wine "$probe" close >/dev/null 2>&1 || true
    timeout 10 sh -c "while kill -0 $program_pid 2>/dev/null; do sleep 0.2; done" || true
fi
wineserver -k 2>/dev/null || true
