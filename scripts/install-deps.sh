#!/usr/bin/env bash
# Installs what building and testing Dexolin needs on Debian or Ubuntu, and
# only what is missing. Groups: "build" (native build, tests, fuzzing,
# benchmarks), "windows" (MinGW-w64 cross compilers, Wine with its 32-bit
# part, a virtual display), "release" (the installer compiler and the zip
# tools). With no argument: all three.
set -euo pipefail

groups=("$@")
[ ${#groups[@]} -gt 0 ] || groups=(build windows release)

build_packages=(cmake ninja-build g++ ccache googletest libgtest-dev libbenchmark-dev libmpfr-dev clang clang-format
                shellcheck)
windows_packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix binutils-mingw-w64-i686
                  binutils-mingw-w64-x86-64 wine wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick
                  x11-utils)
release_packages=(nsis zip unzip)

wanted=()
for group in "${groups[@]}"; do
    case "$group" in
        build) wanted+=("${build_packages[@]}") ;;
        windows) wanted+=("${windows_packages[@]}") ;;
        release) wanted+=("${release_packages[@]}") ;;
        *) echo "install-deps: unknown group '$group' (build, windows, release)" >&2; exit 2 ;;
    esac
done

installed() {
    dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'
}

missing=()
for package in "${wanted[@]}"; do
    installed "$package" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    as_root=()
elif command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
    as_root=(sudo)
elif command -v sudo >/dev/null 2>&1 && [ -t 0 ]; then
    as_root=(sudo)
else
    echo "install-deps: these packages are missing: ${missing[*]}" >&2
    echo "install-deps: install them as root (apt-get install ${missing[*]}), then run this again." >&2
    exit 1
fi

echo "install-deps: installing ${missing[*]}"
for package in "${missing[@]}"; do
    if [[ "$package" == *:i386 ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
        "${as_root[@]}" dpkg --add-architecture i386
    fi
done
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
