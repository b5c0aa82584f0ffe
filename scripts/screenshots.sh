#!/usr/bin/env bash
# Refreshes the screenshots in docs/: the window as it first starts, at
# 96 DPI (docs/screenshot.png) and at 144 DPI, 150 % scaling
# (docs/screenshot-144dpi.png). Each is taken by run-window.sh without a
# display, in a Wine prefix of its own under build/ whose
# HKCU\Control Panel\Desktop LogPixels is that DPI, with no saved settings.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

for dpi in 96 144; do
    export DEXOLIN_WINEPREFIX=$root/build/wineprefix-${dpi}dpi
    use_project_wine
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    wine reg delete 'HKCU\Software\Brevlund\Dexolin' /f >/dev/null 2>&1 || true
    wineserver -w  # the new DPI counts from the next start of Wine
    shot=docs/screenshot.png
    [ "$dpi" = 96 ] || shot=docs/screenshot-${dpi}dpi.png
    (unset DISPLAY; bash scripts/run-window.sh "$root/$shot")
done
