#!/bin/sh
# Takes screenshots of velnix.exe under Wine, connected, on a private Xvfb screen with a
# notification area (trayer), against the Windows build's stand-in rasapi32.dll and rasdial.exe.
# Writes docs/screenshots/velnix-windows-connecte.png (the window) and velnix-windows-menu.png
# (the whole screen, the icon's menu open).
#
#   scripts/screenshots-windows.sh [BUILD_BIN_DIR]     (default build/win64/bin)
#
# Needs: xvfb, trayer, xdotool, x11-utils, imagemagick, fonts-comic-neue, wine64, and the win64
# build (scripts/test-win64.sh, which also boots its Wine prefix).
set -eu
cd "$(dirname "$0")/.."
bin=$(cd "${1:-build/win64/bin}" && pwd)
scripts=$PWD/scripts
out=docs/screenshots
for tool in Xvfb trayer xdotool xwininfo import; do
    command -v "$tool" >/dev/null || { echo "screenshots-windows.sh : $tool manque" >&2; exit 1; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/velnix-screenshots.XXXXXX")
. "$scripts/wine-desktop.sh"
traffic_pid=
trap '[ -z "$traffic_pid" ] || kill "$traffic_pid" 2>/dev/null; desktop_stop; rm -rf -- "$work"' EXIT
trap 'exit 130' INT TERM

desktop_start 520x320
prefix_start "$bin/../wine"
velnix_start
eventually link_up || { echo "screenshots-windows.sh : pas de connexion" >&2; exit 1; }

# Traffic on the link the stand-in dialer brought up: some 50 Ko/s in, 9 Ko/s out.
handle=$(sed -n 's/^link	\([0-9a-f]*\)	.*/\1/p' "$work/ras.txt")
(
    second=0
    while :; do
        second=$((second + 1))
        wave=$(((second * 7919) % 23000))
        received=$((received_total = ${received_total:-2400000} + 40000 + wave))
        sent=$((sent_total = ${sent_total:-310000} + 7000 + wave / 4))
        printf 'entry\tFournisseur ADSL\nlink\t%s\tFournisseur ADSL\t%d\t%d\t%d\n' \
            "$handle" "$received" "$sent" $((754000 + second * 1000)) >"$work/ras.part"
        mv "$work/ras.part" "$work/ras.txt"
        sleep 1
    done
) &
traffic_pid=$!
sleep 20  # figures and graphs

mkdir -p "$out"
import -window "$(velnix_window)" "$out/velnix-windows-connecte.png"
xdotool mousemove --window "$(tray_icon)" 10 10 click 3
eventually popup_menu
sleep 0.5
import -window root "$out/velnix-windows-menu.png"
xdotool key Escape
echo "Captures écrites dans $out" >&2
