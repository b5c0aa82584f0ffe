#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's own prefix and exits
# with the program's exit code (modulo 256). CTest uses it as the emulator
# of the cross builds.
#
# Usage: scripts/wine-exec.sh PROGRAM.exe [ARGUMENT...]
# Environment: DEXOLIN_WINEPREFIX (default <repo>/build/wineprefix),
#   DEXOLIN_WINE_TIMEOUT seconds before the program is killed (default 300).
# Without DISPLAY the program runs on a private Xvfb, so windows can be
# created; for many programs in a row, scripts/windows-tests.sh is faster.
set -euo pipefail
source "$(dirname "$0")/common.sh"
use_project_wine

limit=${DEXOLIN_WINE_TIMEOUT:-300}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" timeout -k 10 "$limit" wine "$@"
fi
exec timeout -k 10 "$limit" wine "$@"
