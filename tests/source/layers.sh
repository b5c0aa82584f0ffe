#!/usr/bin/env bash
# The converter's layers depend one way: core/ <- views/ <- converter/ <-
# front ends (memory/, shell/, cli/). Fails, naming the lines, when a file
# includes from a layer above its own, or when the converter includes a
# platform header.
set -euo pipefail
cd "$(dirname "$0")/../.."

status=0
# check FOLDER PATTERN WHY: no #include in FOLDER may match PATTERN.
check() {
    local found
    found=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]+[<\"]($2)" -r "$1" --include='*.h' --include='*.cpp' || true)
    if [ -n "$found" ]; then
        echo "$found"
        echo "layers: $1 $3"
        status=1
    fi
}

check core 'views/|converter/|memory/|shell/|cli/' "includes from a layer above the value core"
check views 'converter/|memory/|shell/|cli/' "includes from the converter layer or a front end"
check converter 'memory/|shell/|cli/' "includes from a front end"
check memory 'shell/|cli/' "includes from another front end"
for layer in core views converter memory; do
    check "$layer" 'windows\.h|winuser\.h|unistd\.h' "includes a platform header"
done
if [ "$status" -eq 0 ]; then
    echo "layers: every include points down"
fi
exit "$status"
