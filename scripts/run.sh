#!/usr/bin/env bash
# Runs the bar on a Debian machine: installs what is missing (MinGW-w64, Wine and its fonts,
# Xvfb, a Japanese font for the menu, ImageMagick), builds quevor.exe, puts the cleared
# setting.ini beside it and starts it under Wine. With a display ($DISPLAY) the bar runs there
# until it is quit from its menu; without one it runs on a virtual display, a screenshot with
# its menu open is saved, and the script says where. A failure says what did not happen and
# where the log is (build/run.log).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh cmake make g++ g++-mingw-w64-x86-64 wine wine64 xvfb imagemagick \
    fonts-ipafont-gothic fonts-wine

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 --target quevor cleared_setting_ini e2e_show_menu

# The bar and its settings live together; setting.ini is written only when it is missing, so
# what the bar saved last time is kept.
home="$PWD/build/quevor"
mkdir -p "$home"
cp build/mingw/bin/quevor.exe "$home/"
[ -f "$home/setting.ini" ] || cp build/mingw/bin/setting.ini "$home/"

log="$PWD/build/run.log"
: >"$log"
fail() {
    echo "quevor did not run: $1. Log: $log" >&2
    exit 1
}

export WINEPREFIX="${QUEVOR_WINEPREFIX:-$PWD/build/wine/prefix}" WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
source scripts/wine-harness.sh

# A new prefix is made afresh once more when the first try fails: now and then Wine's first
# start cannot load its own DLLs (a server of an earlier prefix at the same place still
# running), so any server of the prefix is stopped first.
prepare_prefix() {
    for attempt in 1 2; do
        [ ! -f "$WINEPREFIX/system.reg" ] || break
        wineserver -k >/dev/null 2>&1 || true
        timeout 30 wineserver -w >/dev/null 2>&1 || true
        # Only this script's own prefix is wiped; one named in QUEVOR_WINEPREFIX is the user's.
        [ "$attempt" = 1 ] || [ -n "${QUEVOR_WINEPREFIX:-}" ] || rm -rf "$WINEPREFIX"
        mkdir -p "$WINEPREFIX"
        { timeout 300 wineboot -i && timeout 120 wineserver -w; } >>"$log" 2>&1 ||
            echo "making the prefix, try $attempt: wineboot failed" >>"$log"
    done
    [ -f "$WINEPREFIX/system.reg" ] || fail "Wine did not start (making the prefix $WINEPREFIX failed)"
    quevor_japanese_font >>"$log" 2>&1 || fail "Wine did not start (its registry could not be set)"
    quevor_wine_fonts
}

if [ -n "${DISPLAY:-}" ]; then
    prepare_prefix
    echo "quevor runs on $DISPLAY; quit it from its right-click menu (終了)."
    cd "$home" && exec wine quevor.exe
fi

# No display: a virtual one, the bar in a Wine desktop (so its title bar is drawn), the menu
# opened by a right press on the add button, a screenshot, and everything stopped again. The
# desktop covers the whole display: Wine follows the X pointer, which starts in the middle of
# the display, and a pointer outside a smaller desktop would hold the presses outside the bar.
trap quevor_cleanup EXIT
quevor_start_xvfb 2>>"$log" || fail "the virtual display (Xvfb) did not start"
prepare_prefix
quevor_virtual_desktop 1024x768 >>"$log" 2>&1 || fail "Wine did not start (its desktop could not be set)"
cp build/mingw/tests/e2e/e2e_show_menu.exe "$home/"
exe="$(winepath -w "$home/quevor.exe" 2>>"$log")" || fail "Wine did not start (winepath failed)"

# The driver says "ready" once the menu shows, or what did not come. A run that did not get
# there is stopped with everything in the prefix and started again, three times at most.
state="$PWD/build/run.state"
reason=""
for attempt in 1 2 3; do
    : >"$state"
    (cd "$home" && exec wine e2e_show_menu.exe "$exe" >"$state" 2>>"$log") &
    driver=$!
    for _ in $(seq 1 1200); do
        [ -s "$state" ] && break
        kill -0 "$driver" 2>/dev/null || break
        sleep 0.1
    done
    case "$(head -n1 "$state" | tr -d '\r')" in
        ready) reason="" && break ;;
        "no window") reason="the window did not appear" ;;
        "no menu") reason="the menu did not open" ;;
        *) if kill -0 "$driver" 2>/dev/null; then
               reason="the window did not appear within two minutes"
           else
               reason="Wine did not start the program"
           fi ;;
    esac
    echo "attempt $attempt: $reason" | tee -a "$log" >&2
    wineserver -k >/dev/null 2>&1 || true
    timeout 30 wineserver -w >/dev/null 2>&1 || true
    wait "$driver" 2>/dev/null || true
done
[ -z "$reason" ] || fail "$reason"

mkdir -p screenshots/tmp
shot="$PWD/screenshots/tmp/quevor.png"
import -display "$DISPLAY" -window root -crop 640x360+0+0 +repage "$shot" 2>>"$log" ||
    fail "the screenshot could not be taken"
wine taskkill /f /im quevor.exe >/dev/null 2>&1 || true
echo "quevor ran on a virtual display ($DISPLAY); screenshot with its menu open: $shot"
