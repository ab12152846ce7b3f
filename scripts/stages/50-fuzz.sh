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
seed="${QUEVOR_FUZZ_SEED:-}"
if [ -z "$seed" ] && [ -n "${CI:-}" ]; then seed=1; fi
seed_flag=()
[ -z "$seed" ] || seed_flag=(-seed="$seed")

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2 --target fuzzers

artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
work=fuzz/corpus-run
mkdir -p "$work"

# A settings text longer than 32767 characters: too big to commit as a seed, made here.
long="$work/long-seeds"
mkdir -p "$long"
{ head -c 33000 /dev/zero | tr '\0' ';'; cat fuzz/corpus/settings/worked-example.ini; } >"$long/long-prefix.ini"
{ cat fuzz/corpus/settings/worked-example.ini; head -c 33000 /dev/zero | tr '\0' ' '; } >"$long/long-tail.ini"

seeds_for() {
    case "$1" in
        path_check_fuzzer) echo fuzz/corpus/paths ;;
        *) echo "fuzz/corpus/settings $long" ;;
    esac
}

failed=0
summary=()
for binary in build/fuzz/fuzz/*_fuzzer; do
    name="$(basename "$binary")"
    seeds="$(seeds_for "$name")"
    echo "--- $name: seeds"
    # shellcheck disable=SC2086
    if ! "$binary" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
            $(find $seeds -type f | sort) >"build/fuzz/$name.seeds.log" 2>&1; then
        tail -40 "build/fuzz/$name.seeds.log"
        echo "FAILED on a seed: $name"
        failed=1
        continue
    fi
    echo "--- $name: fuzzing ${seconds}s"
    mkdir -p "$work/$name"
    log="build/fuzz/$name.log"
    # shellcheck disable=SC2086
    if "$binary" "$work/$name" $seeds -dict=fuzz/settings.dict -max_len=4096 \
            -max_total_time="$seconds" "${seed_flag[@]}" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=1024 \
            -print_final_stats=1 -artifact_prefix="$artifacts/$name-" >"$log" 2>&1; then
        runs="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
        summary+=("$name: $runs executions in ${seconds}s, no failure")
    else
        grep -v '^"' "$log" | tail -60
        summary+=("$name: FAILED (input in $artifacts)")
        failed=1
    fi
done
printf '%s\n' "${summary[@]}"
exit "$failed"
