#!/usr/bin/env bash
# Installs what building and testing quevor needs on a Debian machine, skipping what is there.
# With package names as arguments, installs just those (the run script asks for its own few).
set -euo pipefail

packages=(
    cmake g++ make libgtest-dev libgmock-dev googletest   # native build and unit tests
    clang libclang-rt-14-dev libfuzzer-14-dev              # sanitizers and fuzzing
    g++-mingw-w64-x86-64 zlib1g-dev                         # the Windows build (zlib: the icon)
    wine wine64 xvfb xdotool imagemagick fonts-wine         # running it here
    fonts-ipafont-gothic                                    # Japanese menu captions
)

[ $# -eq 0 ] || packages=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
