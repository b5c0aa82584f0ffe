#!/usr/bin/env bash
# Builds the release a second time, in another folder and without the
# compiler cache, and compares it byte for byte with the first build
# (scripts/release.sh's default folders): the zip, the installer and both
# programs must be identical. Also checks that dexolin.exe stays within
# 100 KB (102,400 bytes): it links only what it uses (the C++ run time's
# unwinder, demangler and thread library once took it past 250 KB).
# Prints "ok - ..." or "FAIL - ..." per file, then
# "reproducible: N passed, N failed".
set -euo pipefail
source "$(dirname "$0")/../../scripts/common.sh"

first=$root/build/release
again=$root/build/release-again
rm -rf "$again"
CCACHE_DISABLE=1 bash "$root/scripts/release.sh" --build-dir "$again" --dist "$again/dist" >/dev/null

passed=0
failed=0
compare() {  # compare FIRST SECOND
    if [ -f "$1" ] && cmp -s "$1" "$2"; then
        echo "ok - $(basename "$1") is byte-identical"
        passed=$((passed + 1))
    else
        echo "FAIL - $(basename "$1") differs between two builds"
        failed=$((failed + 1))
    fi
}
for file in "$root"/dist/dexolin-*-win32.zip "$root"/dist/dexolin-*-setup.exe; do
    compare "$file" "$again/dist/$(basename "$file")"
done
for program in dexolin.exe dexolin-cli.exe; do
    compare "$first/stage/$program" "$again/stage/$program"
done
size=$(stat -c %s "$first/stage/dexolin.exe")
if [ "$size" -le 102400 ]; then
    echo "ok - dexolin.exe is $size bytes, within 100 KB"
    passed=$((passed + 1))
else
    echo "FAIL - dexolin.exe is $size bytes, more than 100 KB"
    failed=$((failed + 1))
fi
# Most of the program is built without the stack probe (CMakeLists.txt): a
# frame of 4,000 bytes or more must still be allocated through it, never by
# subtracting its size from the stack pointer at once, which could skip the
# guard page that grows the stack.
# shellcheck disable=SC2016  # the dollar signs are the disassembler's
unprobed=$(i686-w64-mingw32-objdump -d "$first/stage/dexolin.exe" |
    grep -oE 'sub +\$0x[0-9a-f]+,%esp' | sed -E 's/.*\$0x([0-9a-f]+),.*/\1/' |
    while read -r hex; do [ $((16#$hex)) -lt 4000 ] || echo "$((16#$hex))"; done | sort -un | tr '\n' ' ')
if [ -z "$unprobed" ]; then
    echo "ok - every frame of dexolin.exe of 4,000 bytes or more probes the stack"
    passed=$((passed + 1))
else
    echo "FAIL - dexolin.exe allocates frames of $unprobed bytes without probing the stack"
    failed=$((failed + 1))
fi
echo "reproducible: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
