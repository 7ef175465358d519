#!/bin/sh
# Takes screenshots of the real Velnix window, not connected and connected, on a private Xvfb
# screen with a notification area (trayer), against the simulated provider. Writes
# docs/screenshots/velnix-non-connecte.png, velnix-connecte.png (the window) and
# bureau-connecte.png (the whole screen, with the icon in the notification area).
#
#   scripts/screenshots.sh [BUILD_BIN_DIR]     (default build/dev/bin)
#
# Needs: xvfb, trayer, xdotool, imagemagick, fonts-comic-neue, and a build of velnix, rasdial and
# pppd-simulated.
set -eu
cd "$(dirname "$0")/.."
bin=$(cd "${1:-build/dev/bin}" && pwd)
out=docs/screenshots
for tool in Xvfb trayer xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshots.sh : $tool manque" >&2; exit 1; }
done
for program in velnix rasdial pppd-simulated; do
    [ -x "$bin/$program" ] || { echo "screenshots.sh : $bin/$program manque" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/velnix-screenshots.XXXXXX")
. scripts/desktop.sh
velnix_pid=
cleanup() {
    kill $velnix_pid 2>/dev/null || true
    screen_stop
    VELNIX_ROOT="$work/root" platform/linux/simulation/simulate.sh clean 2>/dev/null || true
    rm -rf -- "$work"
}
trap cleanup EXIT INT TERM

desktop_start 480x320 || exit 1

# The user's session: French locale, a configured entry of the simulated provider.
mkdir -p "$work/config/Velnix" "$work/run"
chmod 700 "$work/run"
printf '[Tenaline]\nConnectionName=Fournisseur ADSL\nLogin=demo\nPassWord=demo\n' \
    >"$work/config/Velnix/Quorath_Software.ini"
eval "$(platform/linux/simulation/simulate.sh setup --pppd "$bin/pppd-simulated" "$work/root" \
    2>/dev/null)"
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" LANG=fr_FR.UTF-8
export VELNIX_STATE_FILE="$work/state" VELNIX_SIM_UP_DELAY_MS=4000
export VELNIX_SIM_RX_RATE=52000 VELNIX_SIM_TX_RATE=9000
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

"$bin/velnix" &
velnix_pid=$!

wait_for() {
    tries=0
    until grep -qx "$1" "$work/state" 2>/dev/null; do
        tries=$((tries + 1))
        [ $tries -lt 300 ] || { echo "screenshots.sh : « $1 » jamais atteint" >&2; exit 1; }
        sleep 0.1
    done
}
window() { xdotool search --sync --onlyvisible --name '^Velnix$' | head -n 1; }

mkdir -p "$out"
wait_for "Label5=Non connecté"
sleep 1.2
import -window "$(window)" "$out/velnix-non-connecte.png"

wait_for "Label5=Connexion établie depuis :"
sleep 12  # some figures and graph
import -window "$(window)" "$out/velnix-connecte.png"
import -window root "$out/bureau-connecte.png"
echo "Captures écrites dans $out" >&2
