#!/bin/sh
# Builds Velnix and starts it. Extra arguments are ignored: the program reads no command line.
# It installs only what building and running need, and builds the program and its dialer alone,
# optimised, without turning warnings into errors: a newer compiler than the project's may warn
# where it did not, and that must not stop a user. scripts/test.sh keeps the strict build.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh --run
cmake -S . -B build/program -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELNIX_BUILD_TESTS=OFF -DVELNIX_BUILD_BENCHMARKS=OFF -DVELNIX_WERROR=OFF >/dev/null
cmake --build build/program
exec build/program/bin/velnix
