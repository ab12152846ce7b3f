# Shared by the Wine stages and scripts/run.sh (sourced): a virtual display and a private
# Wine prefix, each started on demand and stopped by quevor_cleanup.

# Starts Xvfb on a free display and exports DISPLAY once it accepts clients.
quevor_start_xvfb() {
    local fdfile
    fdfile="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
    QUEVOR_XVFB_PID=$!
    local waited=0
    while [ ! -s "$fdfile" ]; do
        if ! kill -0 "$QUEVOR_XVFB_PID" 2>/dev/null || [ "$waited" -ge 200 ]; then
            echo "Xvfb did not start" >&2
            rm -f "$fdfile"
            return 1
        fi
        sleep 0.1
        waited=$((waited + 1))
    done
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
}

# Makes a fresh prefix in a new temporary folder and exports WINEPREFIX.
quevor_make_prefix() {
    QUEVOR_PREFIX_ROOT="$(mktemp -d /tmp/quevor-wine.XXXXXX)"
    export WINEPREFIX="$QUEVOR_PREFIX_ROOT/prefix" WINEDEBUG="${WINEDEBUG:--all}"
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
    timeout 300 wineboot -i >/dev/null 2>&1
    timeout 120 wineserver -w
}

quevor_cleanup() {
    if [ -n "${WINEPREFIX:-}" ]; then
        wineserver -k >/dev/null 2>&1 || true
        timeout 30 wineserver -w >/dev/null 2>&1 || true
    fi
    if [ -n "${QUEVOR_XVFB_PID:-}" ]; then
        kill "$QUEVOR_XVFB_PID" 2>/dev/null || true
        wait "$QUEVOR_XVFB_PID" 2>/dev/null || true
    fi
    if [ -n "${QUEVOR_PREFIX_ROOT:-}" ] && [ -z "${QUEVOR_KEEP_PREFIX:-}" ]; then
        rm -rf "$QUEVOR_PREFIX_ROOT"
    fi
}

# Every Wine window of the prefix in one virtual desktop: Wine then draws the frames itself,
# title bars included, with no window manager on the display.
quevor_virtual_desktop() {
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "${1:-1024x768}" /f >/dev/null 2>&1
    wineserver -w
}

# The menu's Japanese captions need glyphs: link the IPA Gothic font (fonts-ipafont-gothic)
# behind Wine's user-interface fonts.
quevor_japanese_font() {
    local key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
    for face in Tahoma "Microsoft Sans Serif" "MS Shell Dlg" "MS Shell Dlg 2"; do
        wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
    done
    wineserver -w
}

# Wine draws the caption buttons' symbols with its own Marlett font (fonts-wine), but this Wine
# looks for its fonts beside the system's only: the prefix's Fonts folder gets a link to it.
quevor_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    mkdir -p "$fonts"
    [ ! -f /usr/share/wine/fonts/marlett.ttf ] || ln -sf /usr/share/wine/fonts/marlett.ttf "$fonts/"
}
