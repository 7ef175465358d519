# Shell functions, sourced, that run velnix.exe under Wine as a user's desktop would: a private
# X screen (Xvfb) with a notification area (trayer), a Wine prefix and server of their own, and
# the stand-in rasapi32.dll and rasdial.exe of the Windows build. Nothing is shared with another
# Wine server, display or prefix of the machine.
#
# The caller sets `scripts` (this folder), `work` (an empty scratch folder, removed by
# desktop_stop's caller) and `bin` (the Windows build's bin folder), then calls, in this order:
#   desktop_start WxH             the X screen and the notification area; exports DISPLAY
#   prefix_start BOOTED_PREFIX    the prefix and its server, from a copy of a booted prefix
#                                 (booted anew when there is none)
#   velnix_start                  the program, dialling the entry "Fournisseur ADSL" on start
#   desktop_stop                  ends the program, Wine's server and the X screen
# The stand-in link lives in "$work/ras.txt", the stand-in dialer's log in "$work/rasdial.txt".

. "$scripts/desktop.sh"

wine_run() {
    "$scripts/wine.sh" "$WINEPREFIX" "$@" </dev/null >/dev/null 2>&1
}

# The system folders are linked rather than copied: Wine only reads them.
prefix_start() {
    WINEPREFIX="$work/prefix"
    export WINEPREFIX
    if [ -f "$1/system.reg" ]; then
        mkdir -p "$WINEPREFIX/drive_c/windows"
        cp -a "$1/dosdevices" "$1"/*.reg "$WINEPREFIX/"
        for item in "$1/drive_c"/* "$1/drive_c/windows"/*; do
            case "$item" in
                "$1/drive_c/windows") ;;
                */system32 | */winsxs) cp -al "$item" "$WINEPREFIX/drive_c/windows/" ;;
                "$1/drive_c/windows/"*) cp -a "$item" "$WINEPREFIX/drive_c/windows/" ;;
                *) cp -a "$item" "$WINEPREFIX/drive_c/" ;;
            esac
        done
    fi
    wine_run wineboot
    # The user's options, and a font of the same measures for the absent "Comic Sans MS".
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
        '[HKEY_CURRENT_USER\Software\Quorath_Software\Tenaline]' \
        '"ConnectionName"="Fournisseur ADSL"' '"AutoReconnect"="True"' \
        '"Login"="demo"' '"PassWord"="demo"' '' \
        '[HKEY_CURRENT_USER\Software\Vorn\Velnix]' '"AutoMask"="False"' '' \
        '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
        '"Comic Sans MS"="Comic Neue"' >"$work/options.reg"
    wine_run regedit /s "Z:$work/options.reg"
}

velnix_start() {
    mkdir -p "$work/program"
    cp "$bin/velnix.exe" "$bin/fakeras/rasapi32.dll" "$work/program/"
    printf 'entry\tFournisseur ADSL\n' >"$work/ras.txt"
    : >"$work/rasdial.txt"
    (
        cd "$work/program"
        VELNIX_FAKE_RAS_STATE="Z:$work/ras.txt" VELNIX_FAKE_DIALER_LOG="Z:$work/rasdial.txt" \
            WINEPATH="$bin/fakedialer" WINEDLLOVERRIDES=rasapi32=n,b \
            "$scripts/wine.sh" "$WINEPREFIX" "$work/program/velnix.exe" </dev/null >/dev/null 2>&1
        echo $? >"$work/velnix.exit"
    ) &
}

# Polls every tenth of a second until the command succeeds: `within TENTHS COMMAND...` for at
# most that many tenths, `eventually COMMAND...` for 30 seconds.
within() {
    limit=$1
    shift
    tries=0
    until "$@" >/dev/null 2>&1; do
        tries=$((tries + 1))
        [ $tries -lt "$limit" ] || return 1
        sleep 0.1
    done
}
eventually() { within 300 "$@"; }

velnix_window() { xdotool search --onlyvisible --name '^Velnix$'; }
link_up() { grep -q "^link	.*	Fournisseur ADSL	" "$work/ras.txt"; }

# The icon docked in trayer's panel: Wine's window inside it, once shown there.
tray_icon() {
    docked=$(xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ { panel = 1 }
        panel && /"explorer.exe"/ { print $1; exit }')
    [ -n "$docked" ] && xwininfo -id "$docked" | grep -q 'Map State: IsViewable' && echo "$docked"
}

# The popup menu: the program's one other window of more than a few pixels, as "x y w h".
popup_menu() {
    xwininfo -root -tree | grep '("velnix.exe" "velnix.exe")' | grep -v '"Velnix"' |
        grep -o ' [0-9]*x[0-9]*+[0-9-]*+[0-9-]*' | tr 'x+' '  ' |
        awk '$1 > 10 && $2 > 10 { print $3, $4, $1, $2; found = 1; exit } END { exit !found }'
}

desktop_stop() {
    if [ -n "${WINEPREFIX:-}" ]; then
        "$(command -v wineserver || echo /usr/lib/wine/wineserver)" -k 2>/dev/null || true
    fi
    screen_stop
    wait 2>/dev/null || true
}
