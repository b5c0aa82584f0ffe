#!/usr/bin/env bash
# Builds the release of Dexolin: the shipped x86 programs (preset release,
# stripped), a portable zip, an installer and their checksums.
#
# Usage: scripts/release.sh [--build-dir DIR] [--dist DIR]
#   (defaults: build/release and dist/ in the project folder)
# Writes into the dist folder:
#   dexolin-VERSION-win32.zip    dexolin.exe, dexolin-cli.exe, dexolin.ini (the
#                                portable settings), README.txt, LICENSE.txt
#   dexolin-VERSION-setup.exe    the per-user installer (NSIS)
#   SHA256SUMS                   of both
# Two runs from the same commit give byte-identical files: every time stamp
# is SOURCE_DATE_EPOCH (default: the time of the last commit).
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"
build=$root/build/release
dist=$root/dist
while [ $# -gt 0 ]; do
    case $1 in
        --build-dir) build=$(realpath -m "$2"); shift 2 ;;
        --dist) dist=$(realpath -m "$2"); shift 2 ;;
        *) echo "release.sh: unknown argument $1 (--build-dir DIR, --dist DIR)" >&2; exit 2 ;;
    esac
done

bash scripts/install-deps.sh build windows release

started=$SECONDS
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
# zip stores local times: UTC makes them the same on every machine.
export SOURCE_DATE_EPOCH TZ=UTC

cmake --preset release -B "$build" >/dev/null
cmake --build "$build" -j2 --target dexolin dexolin-cli >/dev/null
version=$(project_version)
[ -n "$version" ] || { echo "release.sh: no version in project() in CMakeLists.txt" >&2; exit 1; }

# The files of the portable program, as the zip holds them; the installer
# takes all but dexolin.ini, so installed programs keep their settings in the
# registry.
stage=$build/stage
rm -rf "$stage"
mkdir -p "$stage"
cp "$build/shell/dexolin.exe" "$build/cli/dexolin-cli.exe" "$stage/"
sed "s/@VERSION@/$version/g; s/\$/\r/" packaging/README.txt >"$stage/README.txt"
sed 's/$/\r/' LICENSE >"$stage/LICENSE.txt"
sed 's/$/\r/' packaging/dexolin.ini >"$stage/dexolin.ini"
chmod 644 "$stage"/*
touch -d "@$SOURCE_DATE_EPOCH" "$stage"/*

zip_name=dexolin-$version-win32.zip
setup_name=dexolin-$version-setup.exe
mkdir -p "$dist"
rm -f "$dist/$zip_name" "$dist/$setup_name" "$dist/SHA256SUMS"
# -X: no extra fields (Unix times, owners); -D: no folder entries; the
# files in this fixed order.
(cd "$stage" && zip -X -D -9 -q "$dist/$zip_name" dexolin.exe dexolin-cli.exe dexolin.ini README.txt LICENSE.txt)

# The installer's licence page wraps its lines itself: each paragraph of
# the licence becomes one line.
awk 'NF { line = line == "" ? $0 : line " " $0; next }
     { if (line != "") print line; line = ""; print "" }
     END { if (line != "") print line }' LICENSE | sed 's/$/\r/' >"$build/licence-page.txt"

makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DICON="$root/shell/dexolin.ico" \
    -DLICENCE="$build/licence-page.txt" -DOUTFILE="$dist/$setup_name" packaging/dexolin.nsi >/dev/null

(cd "$dist" && sha256sum "$zip_name" "$setup_name" >SHA256SUMS)

echo "release.sh: Dexolin $version in $((SECONDS - started)) s"
for file in "$dist/$zip_name" "$dist/$setup_name" "$stage/dexolin.exe" "$stage/dexolin-cli.exe"; do
    printf '%10d  %s\n' "$(stat -c %s "$file")" "$file"
done
