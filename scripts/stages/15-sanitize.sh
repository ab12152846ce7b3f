#!/usr/bin/env bash
# The whole unit suite built and run under the address and undefined-behaviour sanitizers.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
exec "$(dirname "$0")/10-native-unit.sh" sanitize
