#!/bin/sh
# Runs a Windows program under Wine in the prefix given: scripts/wine.sh PREFIX PROGRAM [ARG...].
# The cross build's tests run through it (CMAKE_CROSSCOMPILING_EMULATOR): no Wine log, no
# Mono or Gecko installer prompt, no menu entries written into the desktop. DLL overrides the
# caller sets in WINEDLLOVERRIDES (a test's own) are kept.
set -eu
WINEPREFIX=$1
shift
export WINEPREFIX
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"
for wine in wine64 /usr/lib/wine/wine64 wine; do
    if command -v "$wine" >/dev/null 2>&1; then
        exec "$wine" "$@"
    fi
done
echo "Wine est introuvable (paquet wine64)." >&2
exit 127
