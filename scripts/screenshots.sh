#!/usr/bin/env bash
# Refreshes the screenshots in docs/: the window as it starts with the
# inspector shown at 8, 32 and 80 bits, in light and dark mode at 96 DPI
# (docs/screenshot-BITSbit.png and docs/screenshot-BITSbit-dark.png), and
# at 32 bits at 144 DPI, 150 % scaling (docs/screenshot-144dpi.png). Each
# is taken by run-window.sh without a display, in a Wine prefix of its own
# for each DPI under build/ whose HKCU\Control Panel\Desktop LogPixels is
# that DPI; the app mode (AppsUseLightTheme) and the saved width are set
# before each start, the other settings are left at their defaults.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

settings='HKCU\Software\Brevlund\Dexolin'
for variant in 96:light:8 96:light:32 96:light:80 96:dark:8 96:dark:32 96:dark:80 144:light:32; do
    IFS=: read -r dpi mode bits <<<"$variant"
    export DEXOLIN_WINEPREFIX=$root/build/wineprefix-${dpi}dpi
    use_project_wine
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    light=1
    [ "$mode" = light ] || light=0
    wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' \
        /v AppsUseLightTheme /t REG_DWORD /d "$light" /f >/dev/null 2>&1
    wine reg delete "$settings" /f >/dev/null 2>&1 || true
    wine reg add "$settings" /v Bits /t REG_DWORD /d "$bits" /f >/dev/null 2>&1
    wineserver -w  # the new DPI counts from the next start of Wine
    if [ "$dpi" = 96 ]; then
        shot=docs/screenshot-${bits}bit.png
        [ "$mode" = light ] || shot=docs/screenshot-${bits}bit-dark.png
    else
        shot=docs/screenshot-${dpi}dpi.png
    fi
    (unset DISPLAY; bash scripts/run-window.sh "$root/$shot")
done
