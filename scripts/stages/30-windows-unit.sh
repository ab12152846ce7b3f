#!/usr/bin/env bash
# Cross build for Windows and the unit tests under Wine (the Win32 toolkit's tests make real
# windows, so they get a virtual display); then the same build with clang, for its warnings only.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-harness.sh
trap quevor_cleanup EXIT

# The tests' own prefix, fresh for every run. The emulator makes it on first use, and the
# build uses it already (the cleared setting.ini is written by the program's own code), so
# the tests' discovery finds it ready. The display comes first: a Wine server started without
# it stays up between the tests, and no window can then be made.
rm -rf build/mingw/wine
quevor_start_xvfb
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2
cmake/wine-run.sh build/mingw/wine/prefix cmd /c exit 0
export WINEPREFIX="$PWD/build/mingw/wine/prefix"
timeout 900 ctest --preset mingw -j2

# Built, not run: the g++ build's tests above cover the behaviour. Its cleared setting.ini is
# written under Wine in the prefix made above.
cmake --preset mingw-clang >/dev/null
cmake --build --preset mingw-clang -j2
