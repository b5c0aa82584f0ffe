#!/usr/bin/env bash
# Builds one fuzz target and runs it for a while under the sanitizers:
#   scripts/fuzz.sh NAME [SECONDS]      (default 600)
# NAME is one of the targets in fuzz/CMakeLists.txt. A failing input is
# written to build/fuzz/artifacts/NAME-crash-...; minimise it (run the
# target with -minimize_crash=1 on it) and add it to fuzz/corpus/NAME,
# where the native tests replay it.
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

name=${1:-}
seconds=${2:-600}
if [[ ! " ${fuzz_targets[*]} " =~ \ ${name}\  ]]; then
    echo "usage: scripts/fuzz.sh NAME [SECONDS]; NAME is one of: ${fuzz_targets[*]}" >&2
    exit 2
fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j 2 --target "$name"
make_work_dir
run_fuzz_target "$name" "$seconds" "$work"
