#!/usr/bin/env bash
# Kill during save: quits and clears run in a loop on a real file and are killed (SIGKILL) at
# random moments; every kill must leave one complete state that start-up reads.
# The same with the whole bar: quevor-sim adds a program and quits, and is killed mid-run.
#   QUEVOR_KILLS      kills of the save/clear loop (default 1000; the unit suite runs 300)
#   QUEVOR_SIM_KILLS  kills of quevor-sim (default 500; the unit suite runs 100)
set -euo pipefail
cd "$(dirname "$0")/../.."
export QUEVOR_KILLS="${QUEVOR_KILLS:-1000}"
export QUEVOR_SIM_KILLS="${QUEVOR_SIM_KILLS:-500}"
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target reliability_tests
timeout 600 build/native/tests/reliability/reliability_tests --gtest_filter='KillDuringSave.*'
