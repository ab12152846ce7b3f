#!/usr/bin/env bash
# Checks that every tracked C and C++ source is laid out as .clang-format says, naming the
# files that are not; with --fix it formats them in place instead.
# Usage: scripts/format-check.sh [--fix]
set -euo pipefail
cd "$(dirname "$0")/.."

mode=(--dry-run -Werror)
case "${1:-}" in
    "") ;;
    --fix) mode=(-i) ;;
    *) echo "usage: $0 [--fix]" >&2; exit 64 ;;
esac

command -v clang-format >/dev/null || {
    echo "clang-format is missing: bash scripts/install-deps.sh clang-format" >&2
    exit 1
}
# Tracked files only: nothing generated (the build tree) and nothing not yet added.
mapfile -t files < <(git ls-files -- '*.cpp' '*.h' '*.c')
[ ${#files[@]} -gt 0 ] || { echo "no C or C++ sources found by git ls-files" >&2; exit 1; }

if ! clang-format --style=file "${mode[@]}" "${files[@]}"; then
    echo "Some files are not formatted as .clang-format says (see above);" \
        "bash scripts/format-check.sh --fix formats them." >&2
    exit 1
fi
