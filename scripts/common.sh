# shellcheck shell=bash
# Sourced by the project's scripts (bash): the project folder, the version,
# the Wine environment, clean-up at exit and a private X display, each
# defined here once.
#
# Sets root (the project folder). Sourcing it installs the clean-up traps:
# at exit, the functions given to at_exit run, the last given first; INT
# and TERM end the script with status 130, which runs them too.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# ---- Version -----------------------------------------------------------------
# The version, from project() in CMakeLists.txt, where it is set once.
project_version() {
    sed -n 's/^project(Dexolin VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt"
}

# ---- Clean-up ----------------------------------------------------------------
exit_functions=()

# at_exit FUNCTION: calls FUNCTION when the script exits; its failure is
# ignored.
at_exit() {
    exit_functions=("$1" "${exit_functions[@]}")
}

run_exit_functions() {
    local function
    for function in "${exit_functions[@]}"; do
        "$function" || true
    done
}
trap run_exit_functions EXIT
trap 'exit 130' INT TERM

# make_work_dir: a temporary folder in $work, removed at exit.
make_work_dir() {
    work=$(mktemp -d)
    at_exit remove_work_dir
}
remove_work_dir() {
    rm -rf "$work"
}

# end_process PID: ends a process this script started and waits for it.
end_process() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# wait_for_exit PID SECONDS: waits until the process has ended; fails when
# it still runs after that many seconds.
wait_for_exit() {
    local deadline=$((SECONDS + $2))
    while kill -0 "$1" 2>/dev/null; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

# ---- Wine --------------------------------------------------------------------
# wine_environment PREFIX: exports what every Wine run of the project uses:
# that prefix, no debug output, and no offer to install Mono or Gecko.
wine_environment() {
    export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
}

# Some hosts (a sandboxed kernel, say) run no 32-bit Linux programs, and so
# no 32-bit Wine: there the Wine commands go to the 64-bit loader, which
# runs 64-bit Windows programs and Wine's own tools (reg, cmd, wineboot).
# windows_32bit_runs answers whether 32-bit Windows programs can run here.
windows_32bit_runs() {
    [ "${DEXOLIN_WINE32:-}" = 1 ] && return 0
    [ "${DEXOLIN_WINE32:-}" = 0 ] && return 1
    if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
        export DEXOLIN_WINE32=1
        return 0
    fi
    export DEXOLIN_WINE32=0
    return 1
}

# build_window_program: builds dexolin.exe and the probe that drives it,
# for the shipped 32-bit Windows where this host runs it, else for 64-bit
# Windows; sets $program and $probe to them.
build_window_program() {
    local preset=windows-i686
    windows_32bit_runs || preset=windows-x86_64
    cmake --preset $preset >/dev/null
    cmake --build --preset $preset -j2 --target dexolin dexolin_probe >/dev/null
    # shellcheck disable=SC2034  # both are for the calling script
    program=$root/build/$preset/shell/dexolin.exe
    # shellcheck disable=SC2034
    probe=$root/build/$preset/tests/windows/dexolin-probe.exe
}

# use_wine64_only: where 32-bit Wine cannot run, puts a `wine` first on
# PATH that starts the 64-bit loader (ctest's emulator and every script
# call `wine`).
use_wine64_only() {
    windows_32bit_runs && return 0
    [ -x /usr/lib/wine/wine64 ] || return 0
    local shim=$root/build/wine64-only
    mkdir -p "$shim"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$shim/wine"
    chmod +x "$shim/wine"
    case ":$PATH:" in
    *":$shim:"*) ;;
    *) export PATH="$shim:$PATH" ;;
    esac
}

# use_project_wine [OPTION...]: makes sure the project's prefix exists
# (scripts/wine-prefix.sh with the options; DEXOLIN_WINEPREFIX picks another
# prefix) and sets up the Wine environment for it.
use_project_wine() {
    local prefix
    use_wine64_only
    prefix=$("$root/scripts/wine-prefix.sh" "$@")
    wine_environment "$prefix"
}

# start_wineserver: one persistent wineserver for a run of many Wine
# programs, stopped at exit; its output must not hold the caller's pipes
# open.
start_wineserver() {
    wineserver -k 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1
    at_exit stop_wineserver
}
stop_wineserver() {
    wineserver -k 2>/dev/null || true
}

# ---- Display -----------------------------------------------------------------
# start_private_display SIZE: starts Xvfb on a free display (Xvfb picks it
# and writes its number to a descriptor), waits for it, exports DISPLAY and
# stops it at exit. Needs $work (make_work_dir). Fails with Xvfb's messages
# when it does not start within 10 seconds.
start_private_display() {
    Xvfb -displayfd 8 -screen 0 "${1}x24" -nolisten tcp 8>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    at_exit stop_private_display
    local _
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    if [ ! -s "$work/display" ]; then
        echo "Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        return 1
    fi
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
}
stop_private_display() {
    end_process "$xvfb_pid"
}

# ---- Fuzzing -----------------------------------------------------------------
# The libFuzzer targets (fuzz/CMakeLists.txt), each with its seed corpus in
# fuzz/corpus/NAME.
# shellcheck disable=SC2034 # used by the scripts that source this file
fuzz_targets=(script_fuzzer readings_fuzzer encoder_fuzzer text_readers_fuzzer settings_fuzzer options_fuzzer)

# run_fuzz_target NAME SECONDS WORK: runs the built target for SECONDS with
# a fresh corpus in WORK/NAME on top of its seeds; a failing input is
# written to build/fuzz/artifacts/. Fails when the target fails.
run_fuzz_target() {
    local name=$1 seconds=$2 work_corpus=$3/$1
    mkdir -p "$work_corpus" "$root/build/fuzz/artifacts"
    "$root/build/fuzz/fuzz/$name" -max_total_time="$seconds" -max_len=4096 -use_value_profile=1 -print_final_stats=1 \
        -artifact_prefix="$root/build/fuzz/artifacts/$name-" "$work_corpus" "$root/fuzz/corpus/$name"
}
