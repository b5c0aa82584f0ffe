#!/usr/bin/env bash
# Builds and runs every test of Dexolin: the native tests, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, a bounded fuzzing
# run, the Windows builds with their tests under Wine on a virtual display,
# and the release: built by scripts/release.sh, installed, run and
# uninstalled under Wine in a fresh prefix, and built again to show that
# the files are byte-identical. Ends with one line "N passed, N failed".
#
# DEXOLIN_FUZZ_SECONDS (default 60) bounds the fuzzing run, shared by the
# fuzz targets;
# DEXOLIN_SKIP_WINDOWS=1 leaves out the Windows and release stages.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

bash scripts/install-deps.sh build windows release

jobs=2
passed=0
failed=0
make_work_dir
log=$work/log

# The summary lines of a ctest run.
ctest_summary='tests passed, [0-9]+ tests? failed out of [0-9]+'

# Adds the counts of every ctest summary line in $log to the totals; fails
# when there is none.
count_ctest_lines() {
    local line bad total found=1
    while read -r line; do
        bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
        total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
        passed=$((passed + total - bad))
        failed=$((failed + bad))
        found=0
    done < <(grep -E "$ctest_summary" "$log" || true)
    return $found
}

# Builds a preset (a configure and a build) with the output in $log; on
# failure shows it and counts one failure.
build_preset() {
    local stage=$1 preset=$2
    echo "== $stage: build"
    if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs"; } >"$log" 2>&1; then
        cat "$log"
        echo "== $stage: build failed"
        failed=$((failed + 1))
        return 1
    fi
}

# Configures, builds and tests one preset.
run_preset() {
    local preset=$1 status=0
    build_preset "$preset" "$preset" || return 0
    echo "== $preset: test"
    ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log" |
        grep -E 'tests passed|Failed|\*\*\*|Not Run|Timeout' || status=${PIPESTATUS[0]}
    if ! count_ctest_lines; then
        echo "== $preset: no test results (status $status)"
        failed=$((failed + 1))
    fi
}

# Shares the fuzzing time between the targets, each run on its seeds.
run_fuzzer() {
    local seconds=${DEXOLIN_FUZZ_SECONDS:-60} each name
    build_preset fuzz fuzz || return 0
    each=$((seconds / ${#fuzz_targets[@]}))
    [ "$each" -ge 1 ] || each=1
    for name in "${fuzz_targets[@]}"; do
        echo "== fuzz: ${each}s of $name"
        if run_fuzz_target "$name" "$each" "$work/corpus" >"$log" 2>&1; then
            grep -E "^Done [0-9]+ runs" "$log" || true
            passed=$((passed + 1))
        else
            tail -n 40 "$log"
            echo "== fuzz: $name failed (the input is in build/fuzz/artifacts)"
            failed=$((failed + 1))
        fi
    done
    rm -rf "$work/corpus"
}

run_windows() {
    local status=0
    echo "== windows: build both MinGW-w64 targets and test under Wine"
    bash scripts/windows-tests.sh 2>&1 | tee "$log" |
        grep -E '^==|tests passed|Failed|\*\*\*|Not Run|Timeout|error' || status=${PIPESTATUS[0]}
    if ! count_ctest_lines; then
        echo "== windows: no test results (status $status)"
        failed=$((failed + 1))
        return
    fi
    if [ "$status" -ne 0 ] && ! grep -qE ' [1-9][0-9]* tests? failed out of' "$log"; then
        echo "== windows: failed (status $status)"
        failed=$((failed + 1))
    fi
}

# Runs a check script with the output in $log, showing its failures and its
# last line "NAME: N passed, N failed", and adds those counts to the totals.
run_checks() {
    local stage=$1 status=0 line
    shift
    bash "$@" 2>&1 | tee "$log" | grep -E '^FAIL|: [0-9]+ passed' || status=${PIPESTATUS[0]}
    line=$(grep -E '^[a-z]+: [0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1 || true)
    if [ -z "$line" ]; then
        echo "== $stage: no results (status $status)"
        failed=$((failed + 1))
        return
    fi
    passed=$((passed + $(sed -E 's/.*: ([0-9]+) passed.*/\1/' <<<"$line")))
    failed=$((failed + $(sed -E 's/.* ([0-9]+) failed$/\1/' <<<"$line")))
}

run_release() {
    echo "== release: build"
    if ! { bash scripts/release.sh && cmake --build --preset windows-i686 -j "$jobs" --target dexolin_probe >/dev/null; } >"$log" 2>&1; then
        cat "$log"
        echo "== release: build failed"
        failed=$((failed + 1))
        return
    fi
    grep -vE '^install-deps' "$log" || true
    if windows_32bit_runs; then
        echo "== release: install, run and uninstall under Wine"
        run_checks release tests/release/release_test.sh dist build/windows-i686/tests/windows/dexolin-probe.exe
    else
        echo "== release: not installed and run, this host runs no 32-bit programs (the installer and dexolin.exe are 32-bit)"
    fi
    echo "== release: build again and compare"
    run_checks reproducible tests/release/reproducible_test.sh
}

run_preset native
run_preset sanitize
run_fuzzer
if [ "${DEXOLIN_SKIP_WINDOWS:-0}" != 1 ]; then
    run_windows
    run_release
fi

echo
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
