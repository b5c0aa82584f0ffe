#!/usr/bin/env bash
# Measures the time from starting dexolin.exe under Wine (warm prefix, one
# persistent wineserver) to its window being visible, on a private Xvfb.
# Usage: bench/window-start.sh [RUNS]   (default 5; builds windows-i686 first)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$root"

runs=${1:-5}
cmake --preset windows-i686 >/dev/null
cmake --build --preset windows-i686 -j2 --target dexolin dexolin_probe >/dev/null
program=$root/build/windows-i686/shell/dexolin.exe
probe=$root/build/windows-i686/tests/windows/dexolin-probe.exe
use_project_wine

make_work_dir
start_private_display 1024x768
start_wineserver
wine cmd /c exit 0 </dev/null >/dev/null 2>&1 || true  # warms the prefix

for run in $(seq "$runs"); do
    start=$(date +%s%N)
    wine "$program" </dev/null >/dev/null 2>&1 &
    pid=$!
    # xdotool's own --sync polls only twice a second: poll more finely.
    until xdotool search --onlyvisible --name '^Dexolin$' >/dev/null 2>&1; do
        sleep 0.01
    done
    end=$(date +%s%N)
    echo "run $run: $(((end - start) / 1000000)) ms to a visible window"
    wine "$probe" close </dev/null >/dev/null 2>&1
    wait "$pid" || true
done
