#!/bin/sh
# Builds the toolkit-free suites (shared helpers, settings, engine, windows' logic, on their
# fakes) with the address, leak and undefined-behaviour sanitizers and runs them: any sanitizer
# report fails the run. `ctest --preset asan` runs every suite the same way.
set -eu
cd "$(dirname "$0")/.."
scripts/deps.sh
SUITES="about_tests config_tests registry_tests ui_config_tests engine_tests figures_tests ui_main_tests"
cmake --preset asan
# shellcheck disable=SC2086 # one target per word
cmake --build --preset asan --target $SUITES
ctest --preset asan --label-regex "^($(echo "$SUITES" | tr ' ' '|'))\$"
