#!/usr/bin/env bash
# Builds Dexolin and opens its window.
#   On Linux: the shipped x86 program, run under Wine in the project's own
#   prefix (made on first use). Without a display it runs on a virtual one,
#   saves a screenshot and prints its path.
#   On Windows (a MinGW-w64 shell such as MSYS2): built with the compilers
#   on PATH and started directly.
set -euo pipefail
cd "$(dirname "$0")/.."

case "$(uname -s)" in
    MINGW* | MSYS* | CYGWIN*)
        cmake -S . -B build/windows-local -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel -DDEXOLIN_TESTS=OFF
        cmake --build build/windows-local --target dexolin
        exec build/windows-local/shell/dexolin.exe
        ;;
esac

bash scripts/install-deps.sh build windows
exec bash scripts/run-window.sh "$@"
