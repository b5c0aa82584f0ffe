#!/usr/bin/env bash
# Every shell script is bash in one dialect: it starts with the bash
# shebang and "set -euo pipefail" (scripts/common.sh, only ever sourced,
# declares bash to ShellCheck instead), evaluates no built-up string, and
# passes ShellCheck (.shellcheckrc).
set -euo pipefail
cd "$(dirname "$0")/../.."
if ! command -v shellcheck >/dev/null 2>&1; then
    echo "scripts: shellcheck is missing (scripts/install-deps.sh build installs it)"
    exit 1
fi

mapfile -t scripts < <(git ls-files '*.sh' .ci/run)
status=0
for script in "${scripts[@]}"; do
    if [ "$script" = scripts/common.sh ]; then
        head -n 1 "$script" | grep -qx '# shellcheck shell=bash' || { echo "$script: no '# shellcheck shell=bash' line"; status=1; }
        continue
    fi
    head -n 1 "$script" | grep -qx '#!/usr/bin/env bash' || { echo "$script: not a bash script"; status=1; }
    grep -qx 'set -euo pipefail' "$script" || { echo "$script: no 'set -euo pipefail'"; status=1; }
done
if grep -nE '(^|[;&|[:space:]])eval[[:space:]]' "${scripts[@]}"; then
    echo "scripts: the lines above run a built-up string"
    status=1
fi
shellcheck "${scripts[@]}" || status=1
if [ "$status" -eq 0 ]; then
    echo "scripts: ${#scripts[@]} scripts in one dialect"
fi
exit "$status"
