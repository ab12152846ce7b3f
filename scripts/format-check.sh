#!/usr/bin/env bash
# Checks that every tracked C and C++ source is laid out as .clang-format says, naming the
# files that are not; with --fix it formats them in place instead.
# Usage: scripts/format-check.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

fix=false
case "${1:-}" in
    "") ;;
    --fix) fix=true ;;
    *) echo "usage: $0 [--fix]" >&2; exit 64 ;;
esac

command -v clang-format >/dev/null || {
    echo "clang-format is missing: bash scripts/install-deps.sh clang-format" >&2
    exit 1
}
# Tracked files only: nothing generated (the build tree) and nothing not yet added.
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.c')
[ ${#files[@]} -gt 0 ] || { echo "no C or C++ sources found by git ls-files" >&2; exit 1; }

if $fix; then
    exec clang-format --style=file -i "${files[@]}"
fi
# Every place that differs would fill the log: name the files, and how to see or mend them.
if ! report=$(clang-format --style=file --dry-run -Werror "${files[@]}" 2>&1); then
    mapfile -t bad < <(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' <<<"$report" | cut -d: -f1 | sort -u)
    [ ${#bad[@]} -gt 0 ] || { echo "$report" >&2; exit 1; }
    echo "not formatted as .clang-format says (${#bad[@]} files):" >&2
    printf '  %s\n' "${bad[@]}" >&2
    echo "clang-format --dry-run FILE shows where; bash scripts/format-check.sh --fix formats them." >&2
    exit 1
fi
