#!/usr/bin/env bash
# Makes sure the project's own Wine prefix exists and works; never touches
# the user's default prefix.
#
# Usage: scripts/wine-prefix.sh [--verify] [--desktop=WIDTHxHEIGHT | --desktop=off]
#   (no option)  create the prefix on first use; a no-op once it is ready
#   --verify     also start a 64-bit and (where the host runs them) a 32-bit
#                program in it, and delete and recreate the prefix once when
#                either fails
#   --desktop=   let Wine draw frames in a virtual desktop of that size, or
#                give each window its own X window again (the default)
# Environment: DEXOLIN_WINEPREFIX (default <repo>/build/wineprefix).
# Prints the prefix's path.
set -euo pipefail
source "$(dirname "$0")/common.sh"

prefix=${DEXOLIN_WINEPREFIX:-$root/build/wineprefix}
wine_environment "$prefix"
use_wine64_only
ready="$prefix/.dexolin-ready"
# Bumped whenever configure_prefix changes, so older prefixes get the change.
settings_version=2

verify=0
desktop=""
for arg in "$@"; do
    case $arg in
        --verify) verify=1 ;;
        --desktop=*) desktop=${arg#--desktop=} ;;
        *) echo "wine-prefix.sh: unknown option $arg" >&2; exit 2 ;;
    esac
done

create_prefix() {
    rm -rf "$prefix"
    mkdir -p "$prefix"
    # wineboot -i needs no display; it only lays out drive_c and the registry.
    DISPLAY='' wine wineboot -i >/dev/null 2>&1
    # Debian's Wine does not copy its fonts into new prefixes; without them
    # caption buttons and symbols draw as letters.
    ln -sf /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
    configure_prefix
}

configure_prefix() {
    # A crash must end the program, not wait for someone to close a dialog.
    wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    # Windows are not left to a window manager: test displays have none, and
    # Wine would wait two seconds for one each time a window is hidden.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    echo "$settings_version" >"$ready"
}

# Both kinds of program must start: a prefix made before 32-bit Wine was
# installed runs 64-bit programs only.
prefix_works() {
    timeout 60 wine 'C:\windows\system32\cmd.exe' /c exit 0 >/dev/null 2>&1 || return 1
    windows_32bit_runs || return 0
    timeout 60 wine 'C:\windows\syswow64\cmd.exe' /c exit 0 >/dev/null 2>&1
}

set_desktop() {
    if [ "$desktop" = off ]; then
        wine reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1 || true
    else
        wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
        wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /t REG_SZ /d "$desktop" /f >/dev/null 2>&1
    fi
}

mkdir -p "$(dirname "$prefix")"
# Several test programs may start at once on a fresh clone: one creates.
exec 9>"$prefix.lock"
flock 9

if [ ! -f "$ready" ]; then
    create_prefix
elif [ "$(cat "$ready")" != "$settings_version" ]; then
    configure_prefix
fi
if [ "$verify" = 1 ] && ! prefix_works; then
    echo "wine-prefix.sh: $prefix does not work; creating it again" >&2
    wineserver -k 2>/dev/null || true
    create_prefix
    prefix_works || { echo "wine-prefix.sh: the new prefix does not work either" >&2; exit 1; }
fi
if [ -n "$desktop" ]; then
    set_desktop
fi
echo "$prefix"
