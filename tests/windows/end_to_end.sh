#!/usr/bin/env bash
# End to end: starts the built program under Wine, types into it from
# outside with xdotool, reads the fields back with dexolin-probe, closes it
# with its close command and checks the settings it wrote.
# Usage: end_to_end.sh DEXOLIN.exe DEXOLIN-PROBE.exe
# Runs on $DISPLAY (windows-tests.sh provides an Xvfb), or on a private Xvfb.
set -euo pipefail

if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" bash "$0" "$@"
fi
source "$(dirname "$0")/../../scripts/common.sh"

program=$1
probe=$2
run="$root/scripts/wine-exec.sh"
use_project_wine
key='HKCU\Software\Brevlund\Dexolin'
make_work_dir
program_pid=""

# Closes the program as a user would, if it still runs, before ending it.
close_program() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        "$run" "$probe" close >/dev/null 2>&1 || true
        sleep 1
        kill "$program_pid" 2>/dev/null || true
    fi
}
at_exit close_program

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# expect_field ID TEXT: the field's text as the probe reads it.
expect_field() {
    "$run" "$probe" fields | tr -d '\r' >"$work/fields" || true
    got=$(sed -n "s/^$1 //p" "$work/fields")
    [ "$got" = "$2" ] || fail "field $1 is '$got', expected '$2'"
}

expect_checked() {
    grep -qx "checked $1" "$work/fields" || fail "button $1 is not checked"
}

# click ID: a left click in the middle of a control.
click() {
    local x y
    read -r x y < <("$run" "$probe" center "$1" | tr -d '\r')
    xdotool mousemove --sync "$x" "$y" click 1
    sleep 0.3
}

type_keys() {
    xdotool type --delay 40 -- "$1"
    sleep 0.3
}

# expect_setting NAME VALUE: REG_DWORD with that value, as `reg query` shows it.
expect_setting() {
    line=$(grep -E "^ +$1 +" "$work/settings" || true)
    echo "$line" | grep -qE "^ +$1 +REG_DWORD +$2\$" || fail "setting $1 is '$line', expected REG_DWORD $2"
}

# A known start: 16 bits, little-endian, at (50, 60).
wine reg delete "$key" /f >/dev/null 2>&1 || true
wine reg add "$key" /v Bits /t REG_DWORD /d 16 /f >/dev/null
wine reg add "$key" /v Position /t REG_DWORD /d 0x003c0032 /f >/dev/null

"$run" "$program" &
program_pid=$!
window=$(timeout 30 xdotool search --sync --name '^Dexolin$' | head -n 1 || true)
[ -n "$window" ] || { echo "FAIL: no Dexolin window"; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || true

expect_field 1006 0000000000000000
expect_checked 1015
expect_checked 1020

# Decimal: a negative number, with letters that the key filter drops.
click 1007
xdotool key --delay 40 End BackSpace
type_keys '-12x34q'
expect_field 1007 -1234
expect_field 1008 FB2E
expect_field 1006 1111101100101110

# Hexadecimal: lower-case letters come out as capitals; leaving the field
# tidies it to four digits.
click 1008
xdotool key --delay 40 End BackSpace BackSpace BackSpace BackSpace
type_keys '7f'
expect_field 1008 7F
expect_field 1007 127
xdotool key Tab
sleep 0.3
expect_field 1008 007F

# Binary at 32 bits, then big-endian entry.
click 1016
expect_field 1006 00000000000000000000000001111111
click 1021
expect_field 1007 127

# Enter and Esc in a field are discarded; the window stays.
click 1007
xdotool key --delay 40 Return Escape
"$run" "$probe" fields >/dev/null || fail "the window closed on Enter or Esc"

"$run" "$probe" close
wait "$program_pid" || fail "dexolin.exe exited with an error"
program_pid=""

wine reg query "$key" | tr -d '\r' >"$work/settings" || true
expect_setting Bits 0x20
expect_setting BigEndian 0x1
expect_setting OnTop 0x0
expect_setting Transparency 0xff
expect_setting Position 0x3c0032

if [ "$failures" -ne 0 ]; then
    echo "end-to-end: $failures failures"
    exit 1
fi
echo "end-to-end: passed"
