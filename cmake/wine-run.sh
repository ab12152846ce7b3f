#!/usr/bin/env bash
# Runs a Windows program under Wine for CTest (CMAKE_CROSSCOMPILING_EMULATOR).
# Usage: wine-run.sh PREFIX-FOLDER PROGRAM.exe [ARGS...]
# The prefix is made on first use; parallel test runs wait for each other while it is made.
set -euo pipefail
prefix="$(realpath -m "$1")"
shift
export WINEPREFIX="$prefix" WINEDEBUG="${WINEDEBUG:--all}" WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
mkdir -p "$(dirname "$prefix")"
(
    flock -w 300 9 || { echo "wine-run: timed out waiting for the prefix lock" >&2; exit 1; }
    # The lock's descriptor is not handed to Wine's long-lived processes.
    if [ ! -f "$prefix/system.reg" ]; then
        wineboot -i >/dev/null 2>&1 9>&-
        wineserver -w 9>&-
    fi
    # Keep the server up between the many short test runs, so that each start is quick.
    wineserver -p 30 >/dev/null 2>&1 9>&- || true
) 9>"$prefix.lock"
exec wine "$@"
