#!/bin/sh
# Installs the Debian packages Velnix needs, when missing: with --run, those that building and
# running the program need; with --bench, the tools of bench/tick_profile.sh; without arguments,
# the test and screenshot tools as well; given package names, those packages.
set -eu

RUN_PACKAGES="cmake ninja-build g++ pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins \
  libdbus-1-dev fonts-comic-neue ppp dbus librsvg2-bin"
TEST_PACKAGES="clang-format clang libclang-rt-dev libgtest-dev libgmock-dev libbenchmark-dev \
  dbus-x11 xvfb xauth trayer xdotool imagemagick dpkg-dev appstream man-db python3-dbusmock"
BENCH_PACKAGES="dbus xvfb xauth trayer xdotool valgrind strace"

case "${1:-}" in
    --run) PACKAGES=$RUN_PACKAGES ;;
    --bench) PACKAGES=$BENCH_PACKAGES ;;
    "") PACKAGES="$RUN_PACKAGES $TEST_PACKAGES" ;;
    *) PACKAGES="$*" ;;
esac

missing=""
for package in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installation des paquets manquants :$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq -o Dpkg::Use-Pty=0 --no-install-recommends \
    $missing >/dev/null
