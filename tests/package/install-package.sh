#!/bin/sh
# Makes the Debian package of a build, installs it with apt-get, starts the installed program by
# a call to its D-Bus name on a private session bus under Xvfb, checks its manual page and
# AppStream metadata, then purges the package and checks that none of its files is left.
# Usage: install-package.sh BUILD_DIR WORK_DIR. Exits 77 (skipped) when it cannot run here.
set -u
build=$1
work=$2

skip() {
    echo "Ignoré : $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "il faut être root pour installer le paquet"
for tool in dpkg dpkg-query apt-get; do
    command -v "$tool" >/dev/null || skip "$tool est absent (pas un système Debian)"
done
# A velnix installed by someone else is not this test's to remove.
if dpkg-query -W -f='${Status}' velnix 2>/dev/null | grep -q "installed"; then
    skip "velnix est déjà installé sur ce système"
fi

fail() {
    echo "ÉCHEC : $*"
    exit 1
}

rm -rf "$work"
mkdir -p "$work/home" "$work/root" "$work/run"
chmod 700 "$work/run"
program_pid=""
installed=""
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
    if [ -n "$installed" ]; then
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq -o DPkg::Lock::Timeout=60 velnix \
            >/dev/null 2>&1 || dpkg --purge velnix >/dev/null 2>&1
    fi
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

timeout 120 cpack -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" \
    >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack n'a pas fait le paquet"; }
package=$(ls "$work"/package/velnix_*_amd64.deb) || fail "pas de paquet dans $work/package"

installed=yes
# Whole, even where the system leaves out manual pages (as slim container images do).
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    -o DPkg::Lock::Timeout=60 -o DPkg::Options::=--path-include=/usr/share/* "$package" \
    >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "apt-get install a échoué"; }
dpkg-query -L velnix | sort >"$work/files"

# A session bus of the test's own, whose only services are the installed ones, and a display of
# its own; the program it starts gets a home, a runtime folder and a system root of the test's.
cat >"$work/session.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <servicedir>/usr/share/dbus-1/services</servicedir>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/run \
    VELNIX_ROOT=$work/root timeout 60 xvfb-run -a -s "-screen 0 640x480x24" \
    dbus-run-session --config-file="$work/session.conf" -- sh -c '
        dbus-send --session --print-reply --reply-timeout=20000 --dest=org.velnix.Connect \
            /org/velnix/Connect/InternetTenaline/1 org.freedesktop.DBus.Properties.Get \
            string:org.velnix.Connect.InternetTenaline string:Connected
        called=$?
        pid=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus \
            /org/freedesktop/DBus org.freedesktop.DBus.GetConnectionUnixProcessID \
            string:org.velnix.Connect | sed -n "s/^ *uint32 //p")
        [ -n "$pid" ] || exit 1
        echo "pid $pid"
        echo "exe $(readlink /proc/$pid/exe)"
        kill "$pid"
        exit $called' >"$work/bus.log" 2>&1
status=$?
program_pid=$(sed -n 's/^pid //p' "$work/bus.log")
[ $status -eq 0 ] && grep -q "boolean false" "$work/bus.log" ||
    { cat "$work/bus.log"; fail "l'appel D-Bus n'a pas démarré le programme"; }
grep -qx "exe /usr/bin/velnix" "$work/bus.log" ||
    { cat "$work/bus.log"; fail "le nom org.velnix.Connect n'est pas tenu par /usr/bin/velnix"; }

unset MANPATH
for page in velnix rasdial; do
    [ "$(man -w $page)" = /usr/share/man/man1/$page.1.gz ] ||
        fail "man -w $page : $(man -w $page 2>&1)"
done
appstreamcli validate --pedantic --no-net --no-color \
    /usr/share/metainfo/org.velnix.Connect.metainfo.xml >"$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log"; fail "métadonnées AppStream invalides"; }
if grep -q "^[EW]:" "$work/appstream.log"; then
    cat "$work/appstream.log"
    fail "avertissement AppStream"
fi

DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq -o DPkg::Lock::Timeout=60 velnix \
    >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get remove a échoué"; }
# The package has no configuration file; a purge removes whatever a later version may leave.
dpkg --purge velnix >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; fail "dpkg --purge a échoué"; }
installed=""
left=""
while read -r file; do
    if [ -L "$file" ] || { [ -e "$file" ] && [ ! -d "$file" ]; }; then left="$left $file"; fi
done <"$work/files"
[ -z "$left" ] || fail "fichiers restés après la purge :$left"
grep -q "^/usr/bin/velnix$" "$work/files" || fail "le paquet n'avait pas /usr/bin/velnix"
echo "Paquet $(basename "$package") installé, démarré par D-Bus et retiré sans reste."
