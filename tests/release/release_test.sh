#!/usr/bin/env bash
# Tests the release files as a Windows user meets them, under Wine in a
# fresh prefix of its own: the zip's contents, the portable program that
# keeps its settings in its dexolin.ini, a silent install, the installed
# programs, the uninstall entry, an upgrade install over the first while it
# runs, an install that stops when a running copy does not close, and a
# silent uninstall that closes a running copy and keeps the user's settings.
#
# Usage: release_test.sh DIST PROBE.exe
#   DIST: the folder scripts/release.sh wrote; PROBE.exe: dexolin-probe
#   (built by the windows-i686 preset).
# Prints "ok - ..." or "FAIL - ..." per check, then "release: N passed, N failed".
# Environment: DEXOLIN_RELEASE_PREFIX (default <repo>/build/release-prefix,
#   deleted and created anew).
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"

dist=$(cd "$1" && pwd)
probe=$2
version=$(project_version)
zip=$dist/dexolin-$version-win32.zip
setup=$dist/dexolin-$version-setup.exe
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Dexolin'
settings_key='HKCU\Software\Brevlund\Dexolin'

passed=0
failed=0
check() {  # check DESCRIPTION COMMAND...: one counted check
    description=$1
    shift
    if "$@" >/dev/null 2>&1; then
        echo "ok - $description"
        passed=$((passed + 1))
    else
        echo "FAIL - $description"
        failed=$((failed + 1))
    fi
}

# ---- The files ---------------------------------------------------------------
zip_lists_exactly() {
    [ "$(unzip -Z1 "$zip" | tr '\n' ' ')" = "dexolin.exe dexolin-cli.exe dexolin.ini README.txt LICENSE.txt " ]
}
readme_has_crlf() {
    [ "$(unzip -p "$zip" README.txt | grep -vc "$(printf '\r')\$")" = 0 ] &&
        unzip -p "$zip" README.txt | grep -q "Dexolin $version"
}
programs_are_stripped_x86() {
    for program in dexolin.exe dexolin-cli.exe; do
        unzip -p "$zip" "$program" >"$work/$program"
        i686-w64-mingw32-objdump -f "$work/$program" | grep -q 'file format pei-i386' || return 1
        i686-w64-mingw32-objdump -t "$work/$program" | grep -q 'no symbols' || return 1
    done
}
checksums_match() { (cd "$dist" && sha256sum --quiet -c SHA256SUMS); }

# ---- Wine --------------------------------------------------------------------
prefix=${DEXOLIN_RELEASE_PREFIX:-$root/build/release-prefix}
make_work_dir
program_pid=""
end_program() {
    [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null
}

check "the zip holds exactly the five files, in order" zip_lists_exactly
check "README.txt has CRLF line ends and names the version" readme_has_crlf
check "both programs are stripped x86 programs" programs_are_stripped_x86
check "SHA256SUMS matches both files" checksums_match

rm -rf "$prefix" "$prefix.lock"
DEXOLIN_WINEPREFIX=$prefix use_project_wine
start_private_display 1280x1024
start_wineserver
at_exit end_program

# The user's folders of the prefix, as Unix paths.
local_appdata=$(wine cmd /c 'echo %LOCALAPPDATA%' </dev/null 2>/dev/null | tr -d '\r')
instdir=$(winepath -u "$local_appdata\\Programs\\Dexolin" 2>/dev/null)
shortcut=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' </dev/null 2>/dev/null | tr -d '\r')\\Microsoft\\Windows\\Start Menu\\Programs\\Dexolin.lnk" 2>/dev/null)

run_windows() { timeout 60 wine "$@" </dev/null 2>/dev/null; }
installed() {
    for file in dexolin.exe dexolin-cli.exe README.txt LICENSE.txt uninstall.exe; do
        [ -f "$instdir/$file" ] || return 1
    done
    [ -f "$shortcut" ] && [ ! -e "$instdir/dexolin.ini" ]
}
entry_is_complete() {
    run_windows reg query "$uninstall_key" | tr -d '\r' >"$work/entry" || return 1
    for line in "DisplayName +REG_SZ +Dexolin" "DisplayVersion +REG_SZ +$version" "Publisher +REG_SZ +Brevlund" \
                "EstimatedSize +REG_DWORD +0x[0-9a-f]+" "UninstallString +REG_SZ +\".*uninstall.exe\"" \
                "QuietUninstallString +REG_SZ +\".*uninstall.exe\" /S"; do
        grep -qE "^ +$line\$" "$work/entry" || return 1
    done
}
cli_prints_version() { [ "$(run_windows "$instdir/dexolin-cli.exe" --version | tr -d '\r')" = "dexolin-cli $version" ]; }

# start_program PROGRAM.exe: starts it and waits until its dialog is visible
# and painted; fails when it does not show.
start_program() {
    wine "$1" </dev/null >/dev/null 2>&1 &
    program_pid=$!
    for _ in $(seq 300); do
        run_windows "$probe" shown && return 0
        sleep 0.1
    done
    return 1
}
# The program started last has ended (within 20 s).
program_ended() {
    wait_for_exit "$program_pid" 20 || return 1
    program_pid=""
}
# window_shows [PROGRAM.exe]: starts the program (the installed one by
# default), waits until its dialog shows, and closes it, so that it writes
# its settings.
window_shows() {
    shown=0
    start_program "${1:-$instdir/dexolin.exe}" || shown=1
    run_windows "$probe" close || true
    program_ended || shown=1
    return $shown
}

# The uninstaller copies itself to a temporary folder, starts the copy and
# returns at once: the copy's work is done when the folder is gone.
uninstalled() {
    run_windows "$instdir/uninstall.exe" /S || return 1
    for _ in $(seq 300); do
        [ -e "$instdir" ] || break
        sleep 0.2
    done
    [ ! -e "$instdir" ] && [ ! -e "$shortcut" ] && ! run_windows reg query "$uninstall_key"
}
settings_kept() { run_windows reg query "$settings_key" /v Bits | tr -d '\r' | grep -qE '^ +Bits +REG_DWORD +0x20$'; }
no_settings_in_registry() { ! run_windows reg query "$settings_key"; }

# ---- The portable program ------------------------------------------------------
portable=$work/portable
portable_keeps_settings_in_its_folder() {
    mkdir -p "$portable" && unzip -q -o "$zip" -d "$portable" || return 1
    window_shows "$portable/dexolin.exe" || return 1
    tr -d '\r' <"$portable/dexolin.ini" >"$work/ini"
    for line in '\[Dexolin\]' 'Bits=32' 'BigEndian=0' 'OnTop=0' 'Transparency=255' 'Position=[0-9]+'; do
        grep -qxE "$line" "$work/ini" || return 1
    done
    no_settings_in_registry
}
check "the portable program writes its settings into its dexolin.ini and none into the registry" \
    portable_keeps_settings_in_its_folder

# ---- Installing ------------------------------------------------------------------
check "silent install" run_windows "$setup" /S
check "the files and the Start-menu shortcut are installed" installed
check "the uninstall entry has name, version, publisher, size and uninstallers" entry_is_complete
check "the installed dexolin.exe shows its window" window_shows
check "the installed dexolin-cli.exe --version prints the version" cli_prints_version

# The upgrade closes the running program (which saves its settings: the key
# deleted before is written again) and then replaces its files.
upgrade_over_running_copy() {
    run_windows reg delete "$settings_key" /f || return 1
    start_program "$instdir/dexolin.exe" || return 1
    run_windows "$setup" /S || return 1
    program_ended && settings_kept
}
check "an upgrade installs silently over the first install while it runs, closing it" upgrade_over_running_copy
upgraded() { installed && entry_is_complete && cli_prints_version; }
check "after the upgrade the files, the entry and the programs are in place" upgraded

# A copy that ignores WM_CLOSE (the probe in the program's place) makes a
# silent install give up with status 2 and leave the files alone.
install_stops_at_stubborn_copy() {
    cp "$instdir/dexolin.exe" "$work/dexolin.exe" && cp "$probe" "$instdir/dexolin.exe" || return 1
    wine "$instdir/dexolin.exe" hold 40 </dev/null >/dev/null 2>&1 &
    program_pid=$!
    for _ in $(seq 100); do
        run_windows "$probe" rect && break
        sleep 0.1
    done
    status=0
    run_windows "$setup" /S || status=$?
    cmp -s "$probe" "$instdir/dexolin.exe" || status=0
    end_process "$program_pid"
    program_pid=""
    cp "$work/dexolin.exe" "$instdir/dexolin.exe"
    [ "$status" = 2 ]
}
check "a silent install stops with status 2 when the running copy does not close" install_stops_at_stubborn_copy

uninstall_closes_running_copy() {
    start_program "$instdir/dexolin.exe" || return 1
    uninstalled && program_ended
}
check "silent uninstall closes the running program, removes the files, the shortcut and the entry" \
    uninstall_closes_running_copy
check "the settings written by the program outlive the uninstall" settings_kept

echo "release: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
