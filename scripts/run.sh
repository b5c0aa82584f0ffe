#!/usr/bin/env bash
# Builds Dexolin and shows it working: until the window lands, a short
# demonstration with the command-line companion.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh build
cmake --preset native >/dev/null
cmake --build --preset native -j 2 --target dexolin-cli >/dev/null
cli=build/native/cli/dexolin-cli
echo "\$ dexolin-cli --width 16 --hex F"
"$cli" --width 16 --hex F
echo
echo "\$ dexolin-cli --width 80 --decimal -604462909807314587353088"
"$cli" --width 80 --decimal -604462909807314587353088
