#!/bin/sh
# Builds the Debian package build/ci/velnix_<version>_amd64.deb from the ci build and checks it
# with lintian: any error stops the script.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/deps.sh dpkg-dev lintian
cmake --preset ci
cmake --build --preset ci
(cd build/ci && cpack -G DEB)
package=$(ls build/ci/velnix_*_amd64.deb)
lintian --fail-on error "$package"
echo "$package"
