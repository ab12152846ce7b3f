#!/usr/bin/env bash
# Runs the bar on a Debian machine: installs what is missing (MinGW-w64, Wine, Xvfb, a
# Japanese font for the menu, ImageMagick), builds quevor.exe, puts the cleared setting.ini
# beside it and starts it under Wine. With a display ($DISPLAY) the bar runs there until it is
# quit from its menu; without one it runs on a virtual display, a screenshot with its menu open
# is saved, and the script says where.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh cmake make g++ g++-mingw-w64-x86-64 wine wine64 xvfb imagemagick \
    fonts-ipafont-gothic

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 --target quevor cleared_setting_ini e2e_show_menu

# The bar and its settings live together; setting.ini is written only when it is missing, so
# what the bar saved last time is kept.
home="$PWD/build/quevor"
mkdir -p "$home"
cp build/mingw/bin/quevor.exe "$home/"
[ -f "$home/setting.ini" ] || cp build/mingw/bin/setting.ini "$home/"

export WINEPREFIX="${QUEVOR_WINEPREFIX:-$PWD/build/wine/prefix}" WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
source tests/e2e/harness.sh

if [ -n "${DISPLAY:-}" ]; then
    [ -f "$WINEPREFIX/system.reg" ] || { mkdir -p "$WINEPREFIX"; wineboot -i >/dev/null 2>&1; }
    quevor_japanese_font
    echo "quevor runs on $DISPLAY; quit it from its right-click menu (終了)."
    cd "$home" && exec wine quevor.exe
fi

# No display: a virtual one, the bar in a Wine desktop (so its title bar is drawn), the menu
# opened by a right press on the add button, a screenshot, and everything stopped again.
trap quevor_cleanup EXIT
quevor_start_xvfb
[ -f "$WINEPREFIX/system.reg" ] || { mkdir -p "$WINEPREFIX"; wineboot -i >/dev/null 2>&1; }
quevor_japanese_font
quevor_virtual_desktop 640x360
cp build/mingw/tests/e2e/e2e_show_menu.exe "$home/"
log="$(mktemp)"
(cd "$home" && wine e2e_show_menu.exe "$(winepath -w "$home/quevor.exe")" >"$log" 2>/dev/null) &
for _ in $(seq 1 600); do
    grep -q -e ready -e "no " "$log" && break
    sleep 0.1
done
if ! grep -q ready "$log"; then
    echo "the bar did not come up: $(cat "$log")" >&2
    exit 1
fi
mkdir -p screenshots/tmp
shot="$PWD/screenshots/tmp/quevor.png"
import -display "$DISPLAY" -window root -crop 640x360+0+0 +repage "$shot"
wine taskkill /f /im quevor.exe >/dev/null 2>&1 || true
echo "quevor ran on a virtual display ($DISPLAY); screenshot with its menu open: $shot"
