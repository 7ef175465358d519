#!/bin/sh
# Builds the fuzz targets (preset fuzz) and runs each for SECONDS (default 20) on top of its
# seed corpus tests/fuzz/corpus/<target>. The inputs a run adds go to build/fuzz/corpus/<target>,
# an input that breaks a property (or crashes, or runs over 5 s) to build/fuzz/crashes/. Prints
# the executions of each target; fails when a target failed.
set -eu
cd "$(dirname "$0")/.."
seconds=${1:-20}
scripts/deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j2
targets=$(cd tests/fuzz/corpus && ls)
count=$(echo "$targets" | wc -w)
echo "Fuzzing : $count cibles, $seconds s chacune, $((count * seconds)) s en tout"
mkdir -p build/fuzz/crashes
failed=""
for target in $targets; do
    mkdir -p "build/fuzz/corpus/$target"
    log="build/fuzz/$target.log"
    if build/fuzz/bin/"$target" -max_total_time="$seconds" -timeout=5 -print_final_stats=1 \
        -artifact_prefix="build/fuzz/crashes/$target-" \
        "build/fuzz/corpus/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "$target : $runs exécutions"
    else
        echo "$target : ÉCHEC (voir $log)"
        tail -n 30 "$log"
        failed="$failed $target"
    fi
done
[ -z "$failed" ] || { echo "Cibles en échec :$failed"; exit 1; }
