#!/usr/bin/env bash
# quevor.exe end to end under Wine: a private prefix on a virtual display, the real program
# worked with real mouse and keyboard input by the driver in tests/e2e.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-harness.sh
trap quevor_cleanup EXIT

cmake --preset mingw >/dev/null
cmake --build --preset mingw -j2 --target quevor cleared_setting_ini e2e_driver e2e_probe \
    e2e_drag_source

quevor_start_xvfb
quevor_make_prefix
quevor_virtual_desktop 1024x768
quevor_wine_fonts  # the caption buttons' symbols in the DPI test's pictures

# Drive D: is a folder of its own; the built program, the cleared setting.ini, the driver,
# the probe and the drag source go to C:\e2e\bin.
mkdir -p "$QUEVOR_PREFIX_ROOT/d-drive" "$WINEPREFIX/drive_c/e2e/bin"
ln -sfn "$QUEVOR_PREFIX_ROOT/d-drive" "$WINEPREFIX/dosdevices/d:"
cp build/mingw/bin/{quevor.exe,setting.ini} build/mingw/tests/e2e/e2e_{driver,probe,drag_source}.exe \
    "$WINEPREFIX/drive_c/e2e/bin/"

# Each run starts with every process of the prefix ended (and so in the locale given). Input
# that Wine did not deliver is sent again by the driver, where it is sent, and logged.
run_driver() {
    { wineserver -k && wineserver -w; } || true
    timeout 300 wine 'C:\e2e\bin\e2e_driver.exe' "$@"
}
run_driver --gtest_filter='-*CodePage932:*SlowDrive*' "$@"

# A drive that does not answer: a file-system shim preloaded into Wine's processes holds the
# bar's looks at one folder while the test says so (tests/e2e/slow_drive.c).
gcc -shared -fPIC -O2 -Wall -Wextra -Werror -o build/mingw/slow_drive.so tests/e2e/slow_drive.c -ldl
LD_PRELOAD="$PWD/build/mingw/slow_drive.so" QUEVOR_SLOW_HOLD="$WINEPREFIX/drive_c/e2e/slow-hold" \
    run_driver --gtest_filter='*SlowDrive*' "$@"

# Japanese Windows (ANSI code page 932): Wine takes it from the locale, which must exist for
# Wine to map Japanese file names.
locale -a | grep -qix 'ja_JP.utf-\?8' || localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 run_driver --gtest_filter='*CodePage932' "$@"

# The bar at 144 DPI once more; both DPIs leave its picture (docs/dpi-*.png) in build/screenshots.
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
run_driver --gtest_filter='InstanceTest*' "$@"
mkdir -p build/screenshots
for dpi in 96 144; do
    convert "$WINEPREFIX/drive_c/e2e/dpi-$dpi.ppm" "build/screenshots/dpi-$dpi.png"
done
