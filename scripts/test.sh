#!/usr/bin/env bash
# The whole test run on a fresh Debian machine: installs what it needs, builds, runs every stage.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

passed=0
failed=0
for stage in scripts/stages/*.sh; do
    echo "=== ${stage#scripts/stages/}"
    if bash "$stage"; then
        passed=$((passed + 1))
    else
        echo "stage failed: $stage"
        failed=$((failed + 1))
    fi
done
echo "stages: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
