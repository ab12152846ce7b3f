#!/usr/bin/env bash
# Start-up benchmark of quevor.exe under Wine, beside a reference bar (bench/reference_bar.cpp:
# a topmost window with a common-controls-6 toolbar and the same fifteen shell icons) and a bare
# window; and, natively, a quit with fifteen programs. A measurement, not a test: it never
# fails on a slow number, and scripts/test.sh does not run it.
# Usage: bash scripts/bench.sh [OTHER-QUEVOR-EXE]  (an older quevor.exe to time alongside)
# BENCH_RUNS (default 15) launches of each, alternating, in one Wine session on Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${BENCH_RUNS:-15}"
other="${1:+$(realpath "$1")}"

bash scripts/install-deps.sh cmake make g++ g++-mingw-w64-x86-64 wine wine64 xvfb libx11-dev \
    strace fonts-wine
cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 --target quevor cleared_setting_ini >/dev/null
cmake --preset native >/dev/null
cmake --build --preset native -j2 --target quevor-sim >/dev/null
sim="$(find "$PWD/build/native" -name quevor-sim -type f -perm -u+x | head -n1)"

out="$PWD/build/bench"
rm -rf "$out" && mkdir -p "$out"
mingw=x86_64-w64-mingw32
flags=(-O2 -s -static -municode -mwindows -Wall -Wextra)
$mingw-windres -I app bench/reference.rc -O coff -o "$out/reference.res"
$mingw-g++ "${flags[@]}" bench/reference_bar.cpp "$out/reference.res" -o "$out/reference.exe" \
    -lcomctl32 -lshell32
$mingw-g++ "${flags[@]}" -DBARE bench/reference_bar.cpp -o "$out/bare.exe"
cc -O2 -o "$out/poll_map" bench/poll_map.c -lX11

# The fifteen programs, added through the bar's own logic: its setting.ini for the runs below.
programs="$PWD/bench/programs.txt"
mkdir -p "$out/full"
cp build/mingw/bin/setting.ini "$out/full/"
{ sed 's/^/exists /' "$programs"; echo start; sed 's/^/add /' "$programs"
  echo 'press toolbar 2'; echo 'choose quit'; } | "$sim" "$out/full" >/dev/null

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

echo "# $(date -u '+%Y-%m-%d %H:%M UTC'); $(uname -sr); $(nproc) cores: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs); load $(cut -d' ' -f1-3 /proc/loadavg); $(wine --version 2>/dev/null)"

# Natively: start with fifteen programs and quit through the menu, timed, and its system calls.
quit_script() { sed 's/^/exists /' "$programs"; echo start; echo 'press toolbar 2'; echo 'choose quit'; }
quit_run() { rm -rf "$out/quit" && mkdir -p "$out/quit" && cp "$out/full/setting.ini" "$out/quit/"; }
: >"$out/quit.ms"
for _ in $(seq 1 "$runs"); do
    quit_run
    begin=$EPOCHREALTIME
    quit_script | "$sim" "$out/quit" >/dev/null
    echo "$EPOCHREALTIME $begin" | awk '{ printf "%.2f\n", ($1 - $2) * 1000 }' >>"$out/quit.ms"
done
quit_run
quit_script | strace -f -y -o "$out/quit.strace" -e trace=write,fsync,fdatasync,rename "$sim" "$out/quit" >/dev/null
echo
echo "| natively (quevor-sim): start with 15 programs, quit | median |"
echo "|---|---|"
echo "| time (ms) | $(median <"$out/quit.ms") |"
echo "| write calls (to setting.ini or its temporary file) | $(grep -c ' write(' "$out/quit.strace") ($(grep ' write(' "$out/quit.strace" | grep -c 'setting\.ini')) |"
echo "| fsync/fdatasync calls | $(grep -c -e ' fsync(' -e ' fdatasync(' "$out/quit.strace") |"
echo "| renames | $(grep -c ' rename(' "$out/quit.strace") |"

# Under Wine: one prefix, a persistent wineserver, every program started once before timing.
source scripts/wine-harness.sh
trap quevor_cleanup EXIT
quevor_start_xvfb
quevor_make_prefix
wineserver -p
bench="$WINEPREFIX/drive_c/bench"
mkdir -p "$bench"/{full,empty,ref,other-full,other-empty}
cp build/mingw/bin/quevor.exe "$bench/full/"
cp build/mingw/bin/quevor.exe build/mingw/bin/setting.ini "$bench/empty/"
cp "$out/full/setting.ini" "$bench/full/"
cp "$out/reference.exe" "$out/bare.exe" "$programs" "$bench/ref/"
cases=("quevor, 15 programs|quevor|C:\\bench\\full\\quevor.exe"
       "reference bar, 15 programs|reference|C:\\bench\\ref\\reference.exe|C:\\bench\\ref\\programs.txt"
       "quevor, no programs|quevor|C:\\bench\\empty\\quevor.exe"
       "bare window|bare|C:\\bench\\ref\\bare.exe")
if [ -n "$other" ]; then
    cp "$other" "$bench/other-full/quevor.exe"
    cp "$other" "$bench/other-empty/quevor.exe"
    cp "$out/full/setting.ini" "$bench/other-full/"
    cp build/mingw/bin/setting.ini "$bench/other-empty/"
    cases+=("other quevor, 15 programs|quevor|C:\\bench\\other-full\\quevor.exe"
            "other quevor, no programs|quevor|C:\\bench\\other-empty\\quevor.exe")
fi
launch() {  # NAME TITLE EXE [ARG]: one timed launch, "MS KB" appended to the case's file
    local name="$1" title="$2"
    shift 2
    "$out/poll_map" "$title" wine "$@" >>"$out/$name.runs" 2>>"$out/poll.log" ||
        echo "no window: $name (run $round)" >&2
}
# Each round starts at the next case, so every case follows every other equally often; a
# short pause after each launch lets Wine finish tearing the last program down.
round=0
for c in "${cases[@]}"; do IFS='|' read -r -a a <<<"$c"; launch warm "${a[@]:1}"; done
for round in $(seq 1 "$runs"); do
    for i in "${!cases[@]}"; do
        c="${cases[$(((i + round) % ${#cases[@]}))]}"
        IFS='|' read -r -a a <<<"$c"
        launch "${a[0]// /_}" "${a[@]:1}"
        sleep 0.3
    done
done

ms() { cut -d' ' -f1 "$out/${1// /_}.runs" | median; }
mb() { cut -d' ' -f2 "$out/${1// /_}.runs" | median | awk '{ printf "%.1f", $1 / 1024 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo
echo "| under Wine, $runs launches each | start-up median (ms) | × reference | × bare | resident median (MB) |"
echo "|---|---|---|---|---|"
for c in "${cases[@]}"; do
    name="${c%%|*}"
    echo "| $name | $(ms "$name") | $(ratio "$(ms "$name")" "$(ms 'reference bar, 15 programs')") | $(ratio "$(ms "$name")" "$(ms 'bare window')") | $(mb "$name") |"
done
$mingw-strip -o "$out/quevor-stripped.exe" build/mingw/bin/quevor.exe
size() { stat -c %s "$1" | awk '{ printf "%.0f KB", $1 / 1024 }'; }
echo
echo "| file | size |"
echo "|---|---|"
echo "| quevor.exe as built | $(size build/mingw/bin/quevor.exe) |"
echo "| quevor.exe stripped | $(size "$out/quevor-stripped.exe") |"
echo "| reference.exe | $(size "$out/reference.exe") |"
[ -z "$other" ] || echo "| other quevor.exe | $(size "$other") |"
echo
echo "quevor.exe loads at start-up: $($mingw-objdump -p build/mingw/bin/quevor.exe | awk '/DLL Name/ { printf "%s ", $3 }')"
