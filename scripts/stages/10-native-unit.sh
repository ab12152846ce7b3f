#!/usr/bin/env bash
# Native build and the unit tests on the simulated toolkit; stage 15 runs it with the preset
# "sanitize".
set -euo pipefail
cd "$(dirname "$0")/../.."
preset="${1:-native}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset" -j"$(nproc)" -E KillDuringSave  # the kill loop runs in stage 60
