#!/bin/sh
# A simulated PPP provider, to try Velnix and its dialer without a modem.
#
#   simulate.sh setup [--pppd PATH] [ROOT]
#       Builds a fixture root (ROOT, or a new folder under $TMPDIR) holding a phone book
#       (etc/ppp/peers), the provider's accounts (etc/ppp/pap-secrets: login "demo", password
#       "demo"), run/, sys/class/net/ with a loopback interface, proc -> /proc, and bin/pppd, the
#       simulated pppd. Prints the two export lines that point Velnix at it:
#           eval "$(platform/linux/simulation/simulate.sh setup)"
#   simulate.sh status          lists the simulated links of $VELNIX_ROOT
#   simulate.sh drop [ENTRY]    drops the links (of ENTRY only, if given) as the provider would
#   simulate.sh clean           ends every simulated link and removes $VELNIX_ROOT
#
# The simulated pppd reads VELNIX_SIM_UP_DELAY_MS, VELNIX_SIM_RX_RATE, VELNIX_SIM_TX_RATE,
# VELNIX_SIM_RX_START and VELNIX_SIM_TX_START from its environment (see SimulatedPppd.cpp).
set -eu

MARKER=.velnix-simulation

fail() {
    echo "simulate.sh : $*" >&2
    exit 1
}

# Single-quotes a value for the shell.
shell_quote() {
    printf "'%s'" "$(printf '%s' "$1" | sed "s/'/'\\\\''/g")"
}

find_simulated_pppd() {
    here=$(CDPATH= cd -- "$(dirname -- "$0")" && pwd)
    for candidate in "$here/../../../build/dev/bin/pppd-simulated" \
        "$here/../../../build/ci/bin/pppd-simulated" "$here/pppd-simulated"; do
        if [ -x "$candidate" ]; then
            (CDPATH= cd -- "$(dirname -- "$candidate")" && echo "$(pwd)/pppd-simulated")
            return 0
        fi
    done
    command -v pppd-simulated || fail "pppd-simulated introuvable : construisez le projet ou donnez --pppd"
}

setup() {
    pppd=
    if [ "${1:-}" = --pppd ]; then
        [ $# -ge 2 ] || fail "--pppd attend un chemin"
        pppd=$2
        shift 2
    fi
    [ -n "$pppd" ] || pppd=$(find_simulated_pppd)
    [ -x "$pppd" ] || fail "pas un programme : $pppd"
    case $pppd in /*) ;; *) pppd="$(pwd)/$pppd" ;; esac

    if [ $# -ge 1 ]; then
        root=$1
        mkdir -p -- "$root"
    else
        root=$(mktemp -d "${TMPDIR:-/tmp}/velnix-simulation.XXXXXX")
    fi
    root=$(CDPATH= cd -- "$root" && pwd)
    [ "$root" != / ] || fail "la racine de simulation ne peut pas être /"

    mkdir -p "$root/etc/ppp/peers" "$root/run/lock" "$root/sys/class/net/lo/statistics" \
        "$root/bin"
    : >"$root/$MARKER"
    for entry in "Fournisseur ADSL" "Modem Numéris 56k"; do
        printf '# Entrée simulée : %s\nnoauth\ndefaultroute\npersist\n' "$entry" \
            >"$root/etc/ppp/peers/$entry"
    done
    cp "$root/etc/ppp/peers/Fournisseur ADSL" "$root/etc/ppp/peers/Fournisseur ADSL~"
    printf '# client\tserveur\tsecret\ndemo\t*\t"demo"\n' >"$root/etc/ppp/pap-secrets"
    printf '0x9\n' >"$root/sys/class/net/lo/flags"
    printf '0\n' >"$root/sys/class/net/lo/statistics/rx_bytes"
    printf '0\n' >"$root/sys/class/net/lo/statistics/tx_bytes"
    ln -sfn /proc "$root/proc"
    ln -sfn "$pppd" "$root/bin/pppd"

    echo "Racine de simulation prête : $root (compte « demo », mot de passe « demo »)" >&2
    echo "export VELNIX_ROOT=$(shell_quote "$root")"
    echo "export PATH=$(shell_quote "$root/bin"):\"\$PATH\""
}

require_root() {
    [ -n "${VELNIX_ROOT:-}" ] || fail "VELNIX_ROOT n'est pas défini (lancez d'abord setup)"
    [ -f "$VELNIX_ROOT/$MARKER" ] || fail "$VELNIX_ROOT n'est pas une racine de simulation"
}

# Prints "pid interface entry" for each live simulated link.
links() {
    for pidfile in "$VELNIX_ROOT"/run/*.pid; do
        [ -f "$pidfile" ] || continue
        pid=$(head -n 1 "$pidfile" 2>/dev/null) || continue
        case $pid in '' | *[!0-9]*) continue ;; esac
        [ -r "/proc/$pid/cmdline" ] || continue
        entry=$(tr '\0' '\n' <"/proc/$pid/cmdline" | sed -n '/^call$/{n;p;q;}')
        [ -n "$entry" ] || continue
        interface=$(basename "$pidfile" .pid)
        printf '%s %s %s\n' "$pid" "$interface" "$entry"
    done
}

status() {
    require_root

    links | while read -r pid interface entry; do
        net="$VELNIX_ROOT/sys/class/net/$interface"
        printf '%s\tpid %s\t%s\tdrapeaux %s\treçus %s\tenvoyés %s\n' "$interface" "$pid" \
            "$entry" "$(cat "$net/flags" 2>/dev/null)" \
            "$(cat "$net/statistics/rx_bytes" 2>/dev/null)" \
            "$(cat "$net/statistics/tx_bytes" 2>/dev/null)"
    done
}

signal_links() {
    signal=$1
    wanted=${2:-}
    links | while read -r pid interface entry; do
        if [ -z "$wanted" ] || [ "$entry" = "$wanted" ]; then
            kill "-$signal" "$pid" 2>/dev/null || true
            echo "$interface ($entry) : signal $signal envoyé" >&2
        fi
    done
}

clean() {
    require_root
    signal_links TERM
    tries=0
    while [ -n "$(links)" ] && [ $tries -lt 50 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    rm -rf -- "$VELNIX_ROOT"
}

command=${1:-}
[ $# -eq 0 ] || shift
case $command in
    setup) setup "$@" ;;
    status) status ;;
    drop)
        require_root
        signal_links USR1 "${1:-}"
        ;;
    clean) clean ;;
    *)
        sed -n '2,20s/^# \{0,1\}//p' "$0" >&2
        exit 2
        ;;
esac
