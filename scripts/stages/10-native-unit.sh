#!/usr/bin/env bash
# Native build and the unit tests on the simulated toolkit.
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --preset native >/dev/null
cmake --build --preset native -j"$(nproc)"
ctest --preset native -j"$(nproc)" -E KillDuringSave  # the kill loop runs in stage 60
