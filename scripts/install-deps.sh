#!/usr/bin/env bash
# Installs what building and testing quevor needs on a Debian machine, skipping what is there.
# With package names as arguments, installs just those (the run script asks for its own few).
set -euo pipefail

packages=(
    cmake g++ make libgtest-dev libgmock-dev googletest   # native build and unit tests
    clang                                                   # sanitizers, fuzzing, warnings
    clang-format                                            # the sources' layout (Debian's)
    g++-mingw-w64-x86-64 zlib1g-dev                         # the Windows build (zlib: the icon)
    wine wine64 xvfb xdotool imagemagick fonts-wine         # running it here
    locales                                                 # the Japanese locale for Wine
    fonts-ipafont-gothic                                    # Japanese menu captions
)

[ $# -eq 0 ] || packages=("$@")

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "installing: ${missing[*]}"
        local sudo=""
        [ "$(id -u)" -eq 0 ] || sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
    fi
}

install_missing "${packages[@]}"
[ $# -eq 0 ] || exit 0

# The sanitizer and libFuzzer runtimes of the clang the system installed (14 on Debian 12).
clang_major=$(clang --version | sed -n 's/.*clang version \([0-9][0-9]*\).*/\1/p' | head -n 1)
[ -n "$clang_major" ] || { echo "cannot tell the clang version" >&2; exit 1; }
install_missing "libclang-rt-$clang_major-dev" "libfuzzer-$clang_major-dev"
