#!/bin/sh
# Runs every fuzzer of a fuzz build for a while on a working copy of its seeds.
# usage: fuzz/run.sh [build-fuzz] [seconds per target] [target...]
# New inputs grow in <build>/corpus/<target>; crashes land in
# <build>/crashes/<target>/ (copy them into tests/data/fuzz/<target>/ once fixed).
set -u
build=${1:-build-fuzz}
seconds=${2:-60}
shift 2 2>/dev/null || shift $#
here=$(cd "$(dirname "$0")" && pwd)
targets=${*:-$(cd "$here/corpus" && ls)}
status=0
for t in $targets; do
    bin="$build/fuzz/${t}_fuzz"
    [ -x "$bin" ] || { echo "missing $bin (make fuzz)"; status=1; continue; }
    mkdir -p "$build/corpus/$t" "$build/crashes/$t"
    cp -n "$here/corpus/$t"/* "$build/corpus/$t"/ 2>/dev/null
    [ -d "$here/../tests/data/fuzz/$t" ] && cp -n "$here/../tests/data/fuzz/$t"/* "$build/corpus/$t"/ 2>/dev/null
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$bin" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=20 -print_final_stats=1 \
        -artifact_prefix="$build/crashes/$t/" "$build/corpus/$t" > "$build/$t.log" 2>&1 || status=1
    runs=$(grep -a 'stat::number_of_executed_units' "$build/$t.log" | awk '{print $2}')
    echo "$t: ${runs:-?} inputs in ${seconds}s, $(ls "$build/crashes/$t" | wc -l) crash files (log: $build/$t.log)"
done
exit $status
