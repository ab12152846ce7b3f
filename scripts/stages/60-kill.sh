#!/usr/bin/env bash
# Kill during save: a quit on a real file is killed (SIGKILL) again and again, just before and
# just after its rename; every kill must leave the old file or the new one, byte for byte, start-up
# must read it, and both must happen. The unit stages leave this test out (CTest label "kill").
# The Windows store is killed in the end-to-end stage, where quevor.exe itself is killed mid quit.
#   QUEVOR_KILLS  kills (default 1000)
set -euo pipefail
cd "$(dirname "$0")/../.."
export QUEVOR_KILLS="${QUEVOR_KILLS:-1000}"

cmake --preset native >/dev/null
cmake --build --preset native -j2 --target kill_tests
timeout 600 build/native/tests/reliability/kill_tests
