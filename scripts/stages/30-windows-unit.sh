#!/usr/bin/env bash
# Cross build for Windows and the unit tests under Wine (the Win32 toolkit's tests make real
# windows, so they get a virtual display).
set -euo pipefail
cd "$(dirname "$0")/../.."
source tests/e2e/harness.sh
trap quevor_cleanup EXIT

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2
quevor_start_xvfb
# The tests' own prefix (made by the emulator on first use), fresh for every run.
rm -rf build/mingw/wine
export WINEPREFIX="$PWD/build/mingw/wine/prefix"
timeout 900 ctest --preset mingw -j2
