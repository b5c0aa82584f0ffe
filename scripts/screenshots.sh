#!/usr/bin/env bash
# Refreshes the screenshots in docs/: the window as it first starts, at
# 96 DPI (docs/screenshot.png), at 144 DPI, 150 % scaling
# (docs/screenshot-144dpi.png), and at 96 DPI in dark mode
# (docs/screenshot-dark.png). Each is taken by run-window.sh without a
# display, in a Wine prefix of its own under build/ whose
# HKCU\Control Panel\Desktop LogPixels is that DPI and whose app mode
# (AppsUseLightTheme) is light or dark, with no saved settings.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

for variant in 96:light 144:light 96:dark; do
    dpi=${variant%:*}
    mode=${variant#*:}
    export DEXOLIN_WINEPREFIX=$root/build/wineprefix-${dpi}dpi-$mode
    use_project_wine
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    light=1
    [ "$mode" = light ] || light=0
    wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' \
        /v AppsUseLightTheme /t REG_DWORD /d "$light" /f >/dev/null 2>&1
    wine reg delete 'HKCU\Software\Brevlund\Dexolin' /f >/dev/null 2>&1 || true
    wineserver -w  # the new DPI counts from the next start of Wine
    case $variant in
        96:light) shot=docs/screenshot.png ;;
        96:dark) shot=docs/screenshot-dark.png ;;
        *) shot=docs/screenshot-${dpi}dpi.png ;;
    esac
    (unset DISPLAY; bash scripts/run-window.sh "$root/$shot")
done
