#!/bin/sh
# Installs the Debian packages that building, running and testing Velnix need, when missing;
# or, given package names, those packages.
set -eu

PACKAGES="${*:-cmake ninja-build g++ pkg-config clang-format \
  libgtest-dev libgmock-dev libbenchmark-dev \
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins \
  fonts-comic-neue ppp dbus dbus-x11 xvfb xauth trayer xdotool imagemagick}"

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
