#!/bin/sh
# Prints what one tick of the real Velnix window costs, connected to the simulated provider on a
# private Xvfb screen (with trayer as the notification area) and a private session bus:
# instructions per tick (callgrind, instrumentation switched on for a number of ticks), system
# calls per tick (strace -c, every thread), CPU per tick (the threads' run time) and resident
# memory, with the window visible and hidden into the notification area (AutoMask on), on a
# root with no other interface than lo and with EXTRA more non-PPP interfaces. Then the CPU per
# tick of Qt alone on the same screen and bus (bench/QtFloorTick.cpp): a timer, a D-Bus signal, a
# label shown and set.
#
#   bench/tick_profile.sh [BUILD_BIN_DIR] [EXTRA]      (defaults build/ci/bin and 64)
#
# VELNIX_BENCH_TICKS sets the number of ticks of each measure (20), VELNIX_BENCH_WARMUP the seconds
# under callgrind before its count starts (60: the figures' glyphs at each of their sub-pixel
# places are rendered once, during the first minute); VELNIX_TICK_KEEP=PREFIX keeps the callgrind
# and strace outputs as PREFIX.EXTRA.HIDDEN and PREFIX.EXTRA.HIDDEN.strace.
#
# The simulated root lies on a memory file system when /dev/shm is one, as /sys, /proc and /run
# are: on a disk, the counter files the simulated provider replaces every second would cost the
# program the freeing of the old file on its disk when it lets it go.
#
# Needs: the packages of `scripts/deps.sh --bench`, and a build of velnix, rasdial,
# pppd-simulated and qt_floor_tick.
set -eu
cd "$(dirname "$0")/.."
if [ -z "${VELNIX_TICK_BUS:-}" ]; then
    scripts/deps.sh --bench
    # A session bus of its own, so that nothing else on the machine answers the program's calls.
    exec env VELNIX_TICK_BUS=1 dbus-run-session -- "$(pwd)/bench/tick_profile.sh" "$@"
fi
bin=$(cd "${1:-build/ci/bin}" && pwd)
extra=${2:-64}
ticks=${VELNIX_BENCH_TICKS:-20}
warmup=${VELNIX_BENCH_WARMUP:-60}
for program in velnix rasdial pppd-simulated qt_floor_tick; do
    [ -x "$bin/$program" ] || { echo "tick_profile.sh : $bin/$program manque" >&2; exit 1; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/velnix-tick.XXXXXX")
if [ "$(stat -f -c %T /dev/shm 2>/dev/null)" = tmpfs ] && [ -w /dev/shm ]; then
    root=$(mktemp -d /dev/shm/velnix-root.XXXXXX)
else
    root=$work/root
fi
. scripts/desktop.sh
velnix_pid=
cleanup() {
    kill $velnix_pid 2>/dev/null || true
    screen_stop
    VELNIX_ROOT="$root" platform/linux/simulation/simulate.sh clean 2>/dev/null || true
    rm -rf -- "$work" "$root"
}
trap cleanup EXIT INT TERM

desktop_start 640x480 || exit 1

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" LANG=fr_FR.UTF-8
export VELNIX_SIM_UP_DELAY_MS=500
export VELNIX_SIM_RX_RATE=52000 VELNIX_SIM_TX_RATE=9000
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
mkdir -p "$XDG_CONFIG_HOME/Velnix" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
path=$PATH

# Waits until `$@` holds, for 60 s at most.
wait_until() {
    tries=0
    until "$@"; do
        tries=$((tries + 1))
        [ $tries -lt 600 ] || { echo "tick_profile.sh : « $* » jamais vrai" >&2; exit 1; }
        sleep 0.1
    done
}
link_up() { VELNIX_ROOT="$root" platform/linux/simulation/simulate.sh status | grep -q 0x1091; }
window_shown() { xdotool search --onlyvisible --name '^Velnix$' >/dev/null 2>&1; }
window_hidden() { ! window_shown; }

# The run time in nanoseconds of every thread of a process so far.
run_time_ns() {
    total=0
    for task in /proc/"$1"/task/*/schedstat; do
        total=$((total + $(cut -d ' ' -f 1 "$task" 2>/dev/null || echo 0)))
    done
    echo $total
}

# The calls of a function in a callgrind output, whose names are given once and then by id.
calls_of() {
    awk -v wanted="$1" '
        /^c?fn=\(/ {
            id = $1; sub(/^c?fn=/, "", id)
            if (NF > 1) { name = $0; sub(/^c?fn=\([0-9]+\) /, "", name); names[id] = name }
            counting = /^cfn=/ && index(names[id], wanted) > 0
            next
        }
        /^calls=/ && counting { split($0, f, /[= ]/); total += f[2]; next }
        { counting = 0 }
        END { print total + 0 }' "$2"
}

# Starts the window connected to a fresh simulated root with $1 extra interfaces, hidden when
# $2 is 1, under the command given after; waits for the link.
start() {
    interfaces=$1 hidden=$2
    shift 2
    rm -rf -- "$root"
    eval "$(PATH=$path platform/linux/simulation/simulate.sh setup \
        --pppd "$bin/pppd-simulated" "$root" 2>/dev/null)"
    i=0
    while [ $i -lt "$interfaces" ]; do
        net="$root/sys/class/net/eth$i"
        mkdir -p "$net/statistics"
        printf '0x1003\n' >"$net/flags"
        printf '0\n' >"$net/statistics/rx_bytes"
        printf '0\n' >"$net/statistics/tx_bytes"
        i=$((i + 1))
    done
    mask=False
    [ "$hidden" = 0 ] || mask=True
    printf '[Tenaline]\nConnectionName=Fournisseur ADSL\nLogin=demo\nPassWord=demo\n' \
        >"$XDG_CONFIG_HOME/Velnix/Quorath_Software.ini"
    printf '[Velnix]\nAutoMask=%s\n' "$mask" >"$XDG_CONFIG_HOME/Velnix/Vorn.ini"
    "$@" "$bin/velnix" >/dev/null 2>&1 &
    velnix_pid=$!
    wait_until link_up
    sleep 3 # the first ticks after the link came up, and AutoMask's hiding
    if [ "$hidden" = 0 ]; then wait_until window_shown; else wait_until window_hidden; fi
}

stop() {
    kill "$velnix_pid" 2>/dev/null || true
    wait "$velnix_pid" 2>/dev/null || true
    velnix_pid=
    VELNIX_ROOT="$root" platform/linux/simulation/simulate.sh clean 2>/dev/null || true
}

measure() {
    interfaces=$1 hidden=$2
    label="visible"
    [ "$hidden" = 0 ] || label="caché  "

    start "$interfaces" "$hidden" valgrind --tool=callgrind --instr-atstart=no \
        --callgrind-out-file="$work/callgrind.out"
    sleep "$warmup"
    LANG=C callgrind_control -i on "$velnix_pid" >/dev/null 2>&1
    sleep "$ticks"
    LANG=C callgrind_control -i off "$velnix_pid" >/dev/null 2>&1
    LANG=C callgrind_control -d "$velnix_pid" >/dev/null 2>&1
    stop
    out=$work/callgrind.out.1
    instructions=$(sed -n 's/^totals: //p' "$out")
    counted=$(calls_of "TenalineFrm::SurvConnTimer" "$out")
    [ -z "${VELNIX_TICK_KEEP:-}" ] || cp "$out" "$VELNIX_TICK_KEEP.$interfaces.$hidden"
    rm -f "$work"/callgrind.out*

    start "$interfaces" "$hidden" env
    before=$(run_time_ns "$velnix_pid")
    sleep "$ticks"
    after=$(run_time_ns "$velnix_pid")
    strace -c -f -q -p "$velnix_pid" -o "$work/strace" &
    strace_pid=$!
    sleep "$ticks"
    kill -INT "$strace_pid"
    wait "$strace_pid" 2>/dev/null || true
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$velnix_pid/status")
    stop
    [ -z "${VELNIX_TICK_KEEP:-}" ] || cp "$work/strace" "$VELNIX_TICK_KEEP.$interfaces.$hidden.strace"
    calls=$(awk '$NF == "total" { print $4 }' "$work/strace")

    awk -v label="$label" -v n="$interfaces" -v ir="$instructions" -v counted="$counted" \
        -v calls="$calls" -v ticks="$ticks" -v ns="$((after - before))" -v rss="$rss" 'BEGIN {
        printf "%s, %2d interfaces de plus : %5.2f M instructions par tick (%d ticks), ",
            label, n, ir / counted / 1e6, counted
        printf "%4d appels système par tick, %4.0f µs de CPU par tick (%.3f %% d’un cœur), ",
            calls / ticks, ns / ticks / 1e3, ns / ticks / 1e7
        printf "%d Mo résidents\n", rss / 1024
    }'
}

for hidden in 0 1; do
    for interfaces in 0 "$extra"; do
        measure "$interfaces" "$hidden"
    done
done

# Qt alone, on the same screen and bus: what any Qt program that wakes once a second pays here.
for mode in timer signal label; do
    "$bin/qt_floor_tick" "$mode" >/dev/null 2>&1 &
    floor_pid=$!
    sleep 3
    before=$(run_time_ns "$floor_pid")
    sleep "$ticks"
    after=$(run_time_ns "$floor_pid")
    kill "$floor_pid"
    wait "$floor_pid" 2>/dev/null || true
    awk -v mode="$mode" -v ticks="$ticks" -v ns="$((after - before))" 'BEGIN {
        printf "Qt seul (%s)%*s: %4.0f µs de CPU par tick (%.3f %% d’un cœur)\n",
            mode, 7 - length(mode), "", ns / ticks / 1e3, ns / ticks / 1e7
    }'
done
