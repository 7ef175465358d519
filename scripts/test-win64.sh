#!/bin/sh
# Cross-builds Velnix and its installer for 64-bit Windows and runs their test suites under Wine.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev wine64 \
    googletest xvfb xauth trayer xdotool x11-utils fonts-comic-neue wixl
cmake --preset win64
cmake --build --preset win64

# One Wine server for the whole run, started and booted here rather than by the first test:
# Wine's background programs (services, explorer...) would inherit that test's output and keep
# ctest waiting. The prefix lives in the build tree (the same as the preset's).
WINEPREFIX="$PWD/build/win64/wine"
export WINEPREFIX
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
stop_wine() { "$wineserver" -k 2>/dev/null || true; }
trap stop_wine EXIT
trap 'exit 130' INT TERM
mkdir -p "$WINEPREFIX"
stop_wine
"$wineserver" -p
scripts/wine.sh "$WINEPREFIX" wineboot </dev/null >/dev/null 2>&1
# "Comic Sans MS", the windows' font, is not Wine's: a font of the same measures stands in.
scripts/wine.sh "$WINEPREFIX" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Comic Sans MS' \
    /d 'Comic Neue' /f </dev/null >/dev/null 2>&1
ctest --preset win64
