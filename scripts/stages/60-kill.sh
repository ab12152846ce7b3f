#!/usr/bin/env bash
# Kill during save: quits and clears run in a loop on a real file and are killed (SIGKILL) at
# random moments; every kill must leave one complete state that start-up reads.
#   QUEVOR_KILLS  number of kills (default 1000; the unit suite runs 300)
set -euo pipefail
cd "$(dirname "$0")/../.."
export QUEVOR_KILLS="${QUEVOR_KILLS:-1000}"
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target reliability_tests
timeout 600 build/native/tests/reliability/reliability_tests --gtest_filter='KillDuringSave.*'
