#!/bin/sh
# Runs a Windows program in a Wine prefix of its own, made afresh, with a Wine server of its own
# stopped at the end: own-prefix.sh PREFIX PROGRAM [ARG...]. Nothing another suite registered or
# started in its prefix is seen, and nothing is left running.
set -eu
prefix=$1
shift
here=$(cd "$(dirname "$0")" && pwd)
wine="$here/../../../scripts/wine.sh"
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
WINEPREFIX=$prefix
export WINEPREFIX
stop() { "$wineserver" -k 2>/dev/null || true; }
stop
rm -rf "$prefix"
mkdir -p "$prefix"
trap stop EXIT
# The prefix made, then everything its making started let end: a client activating a class
# right after a first boot found no RpcSs service and waited for ever.
"$wine" "$prefix" wineboot -i </dev/null >/dev/null 2>&1
"$wineserver" -w
# Wine's background programs inherit the output of the first program: not the test's.
"$wineserver" -p
"$wine" "$prefix" wineboot </dev/null >/dev/null 2>&1
"$wine" "$prefix" "$@"
