#!/usr/bin/env bash
# Measures the time from starting dexolin.exe under Wine (warm prefix, one
# persistent wineserver) to its window being visible, on a private Xvfb.
# Usage: bench/window-start.sh [RUNS] [OTHER_DEXOLIN_EXE]
#   RUNS       runs per program (default 5)
#   OTHER_...  a second build to compare with: the two programs are started
#              in turn, run by run, so that both see the same machine, and
#              the medians of both are printed
# Builds windows-i686 first (windows-x86_64 on a host that runs no 32-bit
# programs).
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$root"

runs=${1:-5}
other=${2:-}
build_window_program
use_project_wine

make_work_dir
start_private_display 1024x768
start_wineserver
wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true  # warms the prefix

# time_start EXE: milliseconds from starting EXE to its visible window.
time_start() {
    local start end pid
    start=$(date +%s%N)
    wine "$1" </dev/null >/dev/null 2>&1 &
    pid=$!
    # xdotool's own --sync polls only twice a second: poll more finely.
    until xdotool search --onlyvisible --name '^Dexolin$' >/dev/null 2>&1; do
        sleep 0.01
    done
    end=$(date +%s%N)
    wine "$probe" close </dev/null >/dev/null 2>&1
    wait "$pid" || true
    echo $(((end - start) / 1000000))
}

median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : int((v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

: >"$work/this"
: >"$work/other"
for run in $(seq "$runs"); do
    ms=$(time_start "$program")
    echo "$ms" >>"$work/this"
    line="run $run: $ms ms to a visible window"
    if [ -n "$other" ]; then
        ms=$(time_start "$other")
        echo "$ms" >>"$work/other"
        line="$line; $other: $ms ms"
    fi
    echo "$line"
done
echo "median: $(median <"$work/this") ms"
[ -z "$other" ] || echo "median of $other: $(median <"$work/other") ms"
