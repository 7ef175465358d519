# Shell functions, sourced: a private X screen (Xvfb) with a notification area (trayer) along its
# bottom edge, shared by nothing else on the machine. The caller sets `work` (a scratch folder).
#   desktop_start WxH    the screen and the notification area; exports DISPLAY
#   screen_stop          ends both

desktop_pids=""

desktop_start() {
    # Xvfb tells its display number once it is ready. Without -noreset it would reset each time
    # its last client leaves, and drop a client that connects meanwhile.
    Xvfb -displayfd 3 -screen 0 "$1x24" -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
    desktop_pids="$!"
    tries=0
    while [ ! -s "$work/display" ]; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || { echo "Xvfb ne démarre pas" >&2; return 1; }
        sleep 0.1
    done
    DISPLAY=":$(cat "$work/display")"
    export DISPLAY
    # The panel holds one icon from the start, so that it neither grows nor moves when the icon
    # docks: Wine keeps the place a panel had when an icon docked in it (an event of its own,
    # handled late, brings that place back), and when the panel has moved since, a click on the
    # icon lands, for Wine, beside it and is lost.
    trayer --edge bottom --align right --widthtype pixel --width 22 --height 24 \
        --transparent false --tint 0x404040 --SetDockType true >/dev/null 2>&1 &
    desktop_pids="$! $desktop_pids"
    # The notification area in place before a program looks for it.
    panel="\"panel\": (\"panel\" \"trayer\")  22x24+$((${1%x*} - 22))+$((${1#*x} - 24)) "
    tries=0
    until xwininfo -root -tree 2>/dev/null | grep -qF "$panel"; do
        tries=$((tries + 1))
        [ $tries -lt 100 ] || { echo "trayer ne démarre pas" >&2; return 1; }
        sleep 0.1
    done
}

screen_stop() {
    for pid in $desktop_pids; do kill "$pid" 2>/dev/null || true; done
    desktop_pids=""
}
