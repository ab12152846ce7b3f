#!/usr/bin/env bash
# Each libFuzzer target: first every seed once (the regression run), then about a minute of
# fuzzing on the seed corpus. A crash, sanitizer report, hang or broken property fails the stage
# and leaves the input in build/fuzz/artifacts/.
#   QUEVOR_FUZZ_SECONDS  fuzzing time per target (default 60)
#   QUEVOR_FUZZ_SEED     libFuzzer's random seed; under CI a fixed one (1), so a run explores the
#                        same inputs every time and a failure there is one anybody can repeat;
#                        elsewhere a new seed each run, to find what CI's never reaches
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds="${QUEVOR_FUZZ_SECONDS:-60}"
seed="${QUEVOR_FUZZ_SEED:-${CI:+1}}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target fuzzers
artifacts=build/fuzz/artifacts work=fuzz/corpus-run
mkdir -p "$work/long-seeds"
# Settings texts longer than 32767 characters: too big to commit as seeds, made here.
example=fuzz/corpus/settings/worked-example.ini
{ head -c 33000 /dev/zero | tr '\0' ';'; cat "$example"; } >"$work/long-seeds/long-prefix.ini"
{ cat "$example"; head -c 33000 /dev/zero | tr '\0' ' '; } >"$work/long-seeds/long-tail.ini"
limits=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 -create_missing_dirs=1)
failed=0
for binary in build/fuzz/fuzz/*_fuzzer; do
    name="$(basename "$binary")"
    log="build/fuzz/$name.log"
    seeds=(fuzz/corpus/settings "$work/long-seeds")
    [ "$name" != path_check_fuzzer ] || seeds=(fuzz/corpus/paths)
    run=("$binary" "${limits[@]}" -artifact_prefix="$artifacts/$name-")
    echo "--- $name: seeds, then fuzzing ${seconds}s"
    # -runs=0: every seed once, whole (the fuzzing cuts inputs to 4096 bytes).
    if "${run[@]}" -runs=0 "${seeds[@]}" >"$log" 2>&1 &&
        "${run[@]}" "$work/$name" "${seeds[@]}" -dict=fuzz/settings.dict -print_final_stats=1 \
            -max_len=4096 -max_total_time="$seconds" ${seed:+-seed="$seed"} >>"$log" 2>&1; then
        echo "$name: $(awk '/^stat::number_of_executed_units/ {print $2}' "$log") runs, no failure"
    else
        grep -v '^"' "$log" | tail -60
        echo "$name: FAILED (log in $log, input in $artifacts)"; failed=1
    fi
done
exit "$failed"
