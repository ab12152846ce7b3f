#!/usr/bin/env bash
# Native build and the unit tests on the simulated toolkit, then the sources' formatting; stage 15
# runs the build and tests with the preset "sanitize" (clang).
set -euo pipefail
cd "$(dirname "$0")/../.."
preset="${1:-native}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)"  # the kill test (label "kill") runs in stage 60
if [ "$preset" = native ]; then
    bash scripts/format-check.sh
fi
