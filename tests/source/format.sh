#!/usr/bin/env bash
# Every C++ source is formatted by the project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/../.."
if ! command -v clang-format >/dev/null 2>&1; then
    echo "format: clang-format is missing (scripts/install-deps.sh build installs it)"
    exit 1
fi
if ! git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror; then
    echo "format: run clang-format -i on the files above"
    exit 1
fi
echo "format: $(git ls-files '*.cpp' '*.h' | wc -l) files as .clang-format wants them"
