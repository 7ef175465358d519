#!/bin/sh
# Builds Velnix and starts it. Extra arguments are ignored: the program reads no command line.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset ci >/dev/null
cmake --build --preset ci
exec build/ci/bin/velnix
