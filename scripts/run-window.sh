#!/usr/bin/env bash
# Builds the shipped program (preset windows-i686; windows-x86_64 on a host
# that runs no 32-bit programs) and opens its window under Wine, in the
# project's own prefix.
#
# Usage: scripts/run-window.sh [SCREENSHOT.png]
#   With DISPLAY set: the window opens there; the script returns when the
#   program ends.
#   Without DISPLAY: the program runs on a private Xvfb inside a Wine
#   virtual desktop (so that Wine draws the frame and caption); once the
#   dialog is visible and painted a screenshot of it is saved (default
#   build/dexolin-window.png) and its path printed, then the program is
#   closed. Exits non-zero, with the reason on stderr, when the window does
#   not show or the picture is blank.
# Environment: DEXOLIN_WINEPREFIX (default <repo>/build/wineprefix).
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"
shot=${1:-$root/build/dexolin-window.png}

# The shipped program is 32-bit; a host that runs no 32-bit programs (so
# no 32-bit Wine) gets the same program built for 64-bit Windows.
build_window_program

use_project_wine

if [ -n "${DISPLAY:-}" ]; then
    exec wine "$program"
fi

echo "run-window.sh: no DISPLAY; running the window on Xvfb and taking a screenshot"
fail() {
    echo "run-window.sh: $*" >&2
    exit 1
}

make_work_dir
start_private_display 1280x1024
at_exit stop_wineserver

# A Wine virtual desktop of its own, so that Wine draws the frame and the
# caption; the probe looks for the dialog in it by the desktop's name.
desktop=Screenshot
timeout 120 wine explorer "/desktop=$desktop,1280x1024" "$program" </dev/null >/dev/null 2>&1 &
program_pid=$!
end_program() {
    end_process "$program_pid"
}
at_exit end_program
probe_run() {
    timeout 20 wine "$probe" --desktop "$desktop" "$@" </dev/null 2>/dev/null
}

# Waits for the dialog itself to be visible and painted: a cold prefix takes
# many seconds to start the program, a warm one well under one.
deadline=$((SECONDS + 90))
until probe_run shown >/dev/null; do
    kill -0 "$program_pid" 2>/dev/null || fail "dexolin.exe ended before its window was shown"
    [ "$SECONDS" -lt "$deadline" ] || fail "the Dexolin window was not shown within 90 seconds"
    sleep 0.1
done
rect=$(probe_run rect | tr -d '\r') || fail "cannot read the position of the Dexolin window"
read -r left top right bottom <<<"$rect"
geometry="$((right - left))x$((bottom - top))+$left+$top"

# The picture must show a window: a blank or tiny one means it was taken too
# early. X may show the painted window a moment after Wine has painted it, so
# a few pictures are taken before giving up.
shot_ok=0
for _ in 1 2 3 4 5 6 7 8 9 10; do
    import -window root -crop "$geometry" +repage "$work/window.png"
    read -r width height colours < <(convert "$work/window.png" -format '%w %h %k\n' info: || echo 0 0 0)
    if [ "$width" -ge 200 ] && [ "$height" -ge 80 ] && [ "$colours" -ge 4 ]; then
        shot_ok=1
        break
    fi
    sleep 0.5
done
[ "$shot_ok" = 1 ] || fail "the screenshot shows no window (${width}x${height} pixels, $colours colours)"
mkdir -p "$(dirname "$shot")"
mv "$work/window.png" "$shot"

# Closed by its own close command, so it saves its settings as after any
# session.
probe_run close >/dev/null || true
wait_for_exit "$program_pid" 10 || true
echo "$shot"
