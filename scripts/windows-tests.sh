#!/usr/bin/env bash
# Builds the Windows presets and runs their tests under Wine on a private
# Xvfb display with one persistent wineserver; both are stopped at the end,
# whatever happens. Exits non-zero when a build or a test fails.
#
# Usage: scripts/windows-tests.sh [PRESET...]
#   (default presets: windows-i686 windows-x86_64)
# Environment: DEXOLIN_WINEPREFIX (default <repo>/build/wineprefix).
# Needs: cmake, ninja, the MinGW-w64 posix cross compilers, wine with
# wine32, Xvfb, xdotool (end-to-end test). On a host that runs no 32-bit
# programs the 32-bit preset is built but its tests are left out.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

presets=("$@")
[ ${#presets[@]} -gt 0 ] || presets=(windows-i686 windows-x86_64)

for preset in "${presets[@]}"; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j2
done

use_project_wine --verify
make_work_dir
start_private_display 1280x1024
echo "windows-tests.sh: Xvfb on $DISPLAY, prefix $WINEPREFIX"

start_wineserver
wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true  # warm-up: starts the prefix's services

status=0
for preset in "${presets[@]}"; do
    if [ "$preset" = windows-i686 ] && ! windows_32bit_runs; then
        echo "== $preset: built; not run, this host runs no 32-bit programs (so no 32-bit Wine)"
        continue
    fi
    ctest --preset "$preset" </dev/null || status=1
done
exit $status
