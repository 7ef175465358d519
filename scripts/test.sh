#!/bin/sh
# Builds Velnix with warnings as errors and runs every test suite.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset ci
cmake --build --preset ci
ctest --preset ci
