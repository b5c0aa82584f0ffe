#!/usr/bin/env bash
# The converter's layers depend one way: core/ <- views/ <- converter/ <-
# front ends (memory/, shell/, cli/). Fails, naming the lines, when a file
# includes from a layer above its own, when the converter includes a
# platform header, or when two modules include each other (a module is x.h
# with x.cpp).
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

# Every include of a project header as "module including<TAB>module included",
# the extension dropped from both.
module_includes() {
    grep -oE "^[[:space:]]*#[[:space:]]*include[[:space:]]+\"[^\"]+\.h\"" -r core views converter memory shell cli \
        --include='*.h' --include='*.cpp' |
        sed -E 's/^([^:]+)\.(h|cpp):.*"([^"]+)\.h"$/\1\t\3/' |
        awk -F'\t' '$1 != $2' | sort -u
}
circles=$(module_includes | awk -F'\t' '{ edge[$1 FS $2] = 1 } END {
    for (e in edge) { split(e, m, FS); if (m[1] < m[2] && ((m[2] FS m[1]) in edge)) print m[1] " <-> " m[2] } }' | sort)
if [ -n "$circles" ]; then
    echo "$circles"
    echo "layers: these modules include each other"
    status=1
fi
if [ "$status" -eq 0 ]; then
    echo "layers: every include points down"
fi
exit "$status"
