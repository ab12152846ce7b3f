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
mkdir -p "$artifacts" "$work/long-seeds"
# Settings texts longer than 32767 characters: too big to commit as seeds, made here.
example=fuzz/corpus/settings/worked-example.ini
{ head -c 33000 /dev/zero | tr '\0' ';'; cat "$example"; } >"$work/long-seeds/long-prefix.ini"
{ cat "$example"; head -c 33000 /dev/zero | tr '\0' ' '; } >"$work/long-seeds/long-tail.ini"
limits=(-timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024)
failed=0 summary=()
for binary in build/fuzz/fuzz/*_fuzzer; do
    name="$(basename "$binary")"
    log="build/fuzz/$name.log"
    seeds=(fuzz/corpus/settings "$work/long-seeds")
    [ "$name" != path_check_fuzzer ] || seeds=(fuzz/corpus/paths)
    echo "--- $name: seeds, then fuzzing ${seconds}s"
    mapfile -t files < <(find "${seeds[@]}" -type f | sort)
    if ! "$binary" "${limits[@]}" "${files[@]}" >"build/fuzz/$name.seeds.log" 2>&1; then
        tail -40 "build/fuzz/$name.seeds.log"
        summary+=("$name: FAILED on a seed") failed=1
        continue
    fi
    mkdir -p "$work/$name"
    if "$binary" "$work/$name" "${seeds[@]}" -dict=fuzz/settings.dict -max_len=4096 \
            -max_total_time="$seconds" ${seed:+-seed="$seed"} "${limits[@]}" -print_final_stats=1 \
            -artifact_prefix="$artifacts/$name-" >"$log" 2>&1; then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
        summary+=("$name: $runs executions in ${seconds}s, no failure")
    else
        grep -v '^"' "$log" | tail -60
        summary+=("$name: FAILED (input in $artifacts)") failed=1
    fi
done
printf '%s\n' "${summary[@]}"
exit "$failed"
