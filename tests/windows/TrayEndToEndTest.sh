#!/bin/sh
# velnix.exe on a desktop with a notification area: its icon docks there, a left click on the
# icon hides the window and another shows it, a right click opens the menu, whose "Quitter" ends
# the program and leaves the link up.
#
#   TrayEndToEndTest.sh BUILD_BIN_DIR BOOTED_PREFIX
set -u
for tool in Xvfb trayer xdotool xwininfo; do
    if ! command -v "$tool" >/dev/null; then
        echo "Test sauté : $tool manque (paquets xvfb, trayer, xdotool, x11-utils)."
        exit 77
    fi
done
bin=$(cd "$1" && pwd)
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/velnix-tray.XXXXXX")
. "$scripts/wine-desktop.sh"
trap 'desktop_stop; rm -rf -- "$work"' EXIT
trap 'exit 130' INT TERM

fail() {
    echo "ÉCHEC : $1" >&2
    exit 1
}
click() { xdotool mousemove --window "$1" 10 10 click "$2"; }
hidden() { ! velnix_window; }

desktop_start 640x480 || fail "pas d'écran virtuel"
prefix_start "$2"
velnix_start
eventually velnix_window || fail "la fenêtre ne s'affiche pas"
eventually link_up || fail "pas de numérotation au démarrage"
eventually tray_icon || fail "l'icône ne s'installe pas dans la zone de notification"
icon=$(tray_icon)

click "$icon" 1
eventually hidden || fail "un clic gauche sur l'icône ne masque pas la fenêtre"
click "$icon" 1
eventually velnix_window || fail "un second clic gauche ne rend pas la fenêtre"
click "$icon" 3
eventually popup_menu || fail "un clic droit n'ouvre pas le menu"

# "Quitter", the menu's last entry.
set -- $(popup_menu)
xdotool mousemove $(($1 + 30)) $(($2 + $4 - 8)) click 1
eventually test -s "$work/velnix.exit" || fail "« Quitter » ne termine pas le programme"
[ "$(cat "$work/velnix.exit")" = 0 ] || fail "le programme termine en erreur"
grep -q /disconnect "$work/rasdial.txt" && fail "« Quitter » a raccroché"
link_up || fail "la connexion n'est plus établie"
echo "Zone de notification : icône, clics et « Quitter » conformes."
