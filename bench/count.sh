#!/bin/sh
# Instruction counts of every operation under callgrind: figures that do not
# depend on how busy the machine is, for the scaling ratios.
#   bench/count.sh [path/to/planek-bench] [--wards DIR]
set -e
bench=${1:-build-bench/bench/planek-bench}
[ $# -gt 0 ] && shift
out=$(mktemp -d)
# The wards are generated natively first; callgrind only opens them.
"$bench" "$@" --generate >/dev/null
valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg.out" "$bench" "$@" --count 2>"$out/valgrind.log"
for f in "$out"/cg.out.*; do
    cell=$(sed -n 's/^desc: Trigger: Client Request: cell //p' "$f")
    total=$(sed -n 's/^summary: //p; s/^totals: //p' "$f" | head -n 1)
    [ -n "$cell" ] && [ -n "$total" ] && echo "$cell $total"
done >"$out/counts.txt"
"$bench" --table "$out/counts.txt"
echo "(callgrind dumps in $out)"
