#!/usr/bin/env bash
# Builds and runs every test of Dexolin: the native tests, the same tests
# under AddressSanitizer and UndefinedBehaviorSanitizer, a bounded fuzzing
# run, the Windows builds with their tests under Wine on a virtual display,
# and the release: built by scripts/release.sh, installed, run and
# uninstalled under Wine in a fresh prefix, and built again to show that
# the files are byte-identical. Ends with one line "N passed, N failed".
#
# DEXOLIN_FUZZ_SECONDS (default 60) bounds the fuzzing run;
# DEXOLIN_SKIP_WINDOWS=1 leaves out the Windows and release stages.
set -uo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh build windows release || exit 1

jobs=2
passed=0
failed=0
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# Adds the counts of a ctest run (its log in $log) to the totals.
count_ctest() {
  local stage=$1 status=$2 line total bad
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    echo "== $stage: no test results (status $status)"
    failed=$((failed + 1))
    return
  fi
  bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
  total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
  passed=$((passed + total - bad))
  failed=$((failed + bad))
}

# Configures, builds and tests one preset.
run_preset() {
  local preset=$1
  echo "== $preset: build"
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" -j "$jobs"; } >"$log" 2>&1; then
    cat "$log"
    echo "== $preset: build failed"
    failed=$((failed + 1))
    return
  fi
  echo "== $preset: test"
  ctest --preset "$preset" -j "$jobs" 2>&1 | tee "$log" | grep -E 'tests passed|Failed|\*\*\*|Not Run|Timeout' 
  count_ctest "$preset" "${PIPESTATUS[0]}"
}

run_fuzzer() {
  local seconds=${DEXOLIN_FUZZ_SECONDS:-60} corpus
  echo "== fuzz: build"
  if ! { cmake --preset fuzz >/dev/null && cmake --build --preset fuzz -j "$jobs"; } >"$log" 2>&1; then
    cat "$log"
    echo "== fuzz: build failed"
    failed=$((failed + 1))
    return
  fi
  corpus=$(mktemp -d)
  echo "== fuzz: ${seconds}s of random scripts"
  if build/fuzz/fuzz/script_fuzzer -max_total_time="$seconds" -max_len=4096 -print_final_stats=0 \
       "$corpus" fuzz/corpus >"$log" 2>&1; then
    grep -E "^Done [0-9]+ runs" "$log" || true
    passed=$((passed + 1))
  else
    tail -n 40 "$log"
    echo "== fuzz: the fuzzer found a crash"
    failed=$((failed + 1))
  fi
  rm -rf "$corpus"
}

run_windows() {
  echo "== windows: build both MinGW-w64 targets and test under Wine"
  bash scripts/windows-tests.sh 2>&1 | tee "$log" | grep -E '^==|tests passed|Failed|\*\*\*|Not Run|Timeout|error'
  local status=${PIPESTATUS[0]}
  local lines
  lines=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log")
  if [ -z "$lines" ]; then
    echo "== windows: no test results (status $status)"
    failed=$((failed + 1))
    return
  fi
  while read -r line; do
    local bad total
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* failed out of ([0-9]+).*/\1/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
  done <<<"$lines"
  if [ "$status" -ne 0 ] && ! grep -qE ' [1-9][0-9]* tests? failed out of' "$log"; then
    echo "== windows: failed (status $status)"
    failed=$((failed + 1))
  fi
}

# Adds the counts of a script's last line "NAME: N passed, N failed" (its
# log in $log) to the totals.
count_checks() {
  local stage=$1 status=$2 line
  line=$(grep -E '^[a-z]+: [0-9]+ passed, [0-9]+ failed$' "$log" | tail -n 1)
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
  grep -vE '^install-deps' "$log"
  echo "== release: install, run and uninstall under Wine"
  sh tests/release/release_test.sh dist build/windows-i686/tests/windows/dexolin-probe.exe 2>&1 | tee "$log" |
    grep -E '^FAIL|: [0-9]+ passed'
  count_checks release "${PIPESTATUS[0]}"
  echo "== release: build again and compare"
  sh tests/release/reproducible_test.sh 2>&1 | tee "$log" | grep -E '^FAIL|: [0-9]+ passed'
  count_checks reproducible "${PIPESTATUS[0]}"
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
