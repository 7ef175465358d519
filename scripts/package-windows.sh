#!/bin/sh
# Builds the Windows installer build/win64/velnix-<version>-x64.msi with wixl from the 64-bit
# cross build, which it makes first when needed.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools libwine-dev \
    googletest wixl
cmake --preset win64
cmake --build --preset win64 --target velnix_installer
version=$(sed -n 's/^project(Velnix VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
echo "Installateur : build/win64/velnix-$version-x64.msi"
