#!/usr/bin/env bash
# Kill during save: quits and clears run in a loop on a real file and are killed at random
# moments; every kill must leave the old file or the new one, byte for byte, and start-up must
# read it. Natively (SIGKILL), with the whole bar too (quevor-sim adds a program and quits and is
# killed mid-run), and the Windows store under Wine (TerminateProcess). The unit stages leave
# these tests out (CTest label "kill").
#   QUEVOR_KILLS       kills of the native save/clear loop (default 1000)
#   QUEVOR_SIM_KILLS   kills of quevor-sim (default 500)
#   QUEVOR_WINE_KILLS  kills of the loop under Wine (default 300; 0 skips the Windows build)
set -euo pipefail
cd "$(dirname "$0")/../.."
export QUEVOR_KILLS="${QUEVOR_KILLS:-1000}"
export QUEVOR_SIM_KILLS="${QUEVOR_SIM_KILLS:-500}"
wine_kills="${QUEVOR_WINE_KILLS:-300}"

cmake --preset native >/dev/null
cmake --build --preset native -j2 --target kill_tests
timeout 600 build/native/tests/reliability/kill_tests

[ "$wine_kills" -gt 0 ] || exit 0
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 --target kill_tests
QUEVOR_KILLS="$wine_kills" timeout 900 cmake/wine-run.sh build/mingw/wine/prefix \
    build/mingw/tests/reliability/kill_tests.exe
