#!/bin/sh
# Builds the Windows presets and runs their tests under Wine on a private
# Xvfb display with one persistent wineserver; both are stopped at the end,
# whatever happens. Exits non-zero when a build or a test fails.
#
# Usage: scripts/windows-tests.sh [PRESET...]
#   (default presets: windows-i686 windows-x86_64)
# Environment: DEXOLIN_WINEPREFIX (default <repo>/build/wineprefix).
# Needs: cmake, ninja, the MinGW-w64 posix cross compilers, wine with
# wine32, Xvfb, xdotool (end-to-end test).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
presets=${*:-windows-i686 windows-x86_64}

for preset in $presets; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j2
done

WINEPREFIX=$(scripts/wine-prefix.sh --verify)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

work=$(mktemp -d)
xvfb_pid=""
server_started=0
cleanup() {
    if [ "$server_started" = 1 ]; then
        wineserver -k 2>/dev/null || true
    fi
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

. "$root/scripts/xvfb-display.sh"
start_private_display "$work" 1280x1024
echo "windows-tests.sh: Xvfb on $DISPLAY, prefix $WINEPREFIX"

# One wineserver for the whole run; its output must not hold our pipes open.
wineserver -k 2>/dev/null || true
wineserver -p </dev/null >/dev/null 2>&1
server_started=1
wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true  # warm-up: starts the prefix's services

status=0
for preset in $presets; do
    ctest --preset "$preset" </dev/null || status=1
done
exit $status
