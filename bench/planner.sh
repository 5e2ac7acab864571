#!/usr/bin/env bash
# The planner at its largest (planner_bench.cpp): split, undo and joins of
# 65,536 rows, the median of five runs each, then a plan file of 1,048,576
# subnets opened and shown, in a process of its own so that /usr/bin/time
# gives its peak memory. The file is written beforehand by another process
# (quellan_plan_bench ipv4: every eighth subnet named, with a VLAN and a
# note), so the peak is the opening's alone.
#
#   bench/planner.sh
#
# Builds the two programs with the bench preset, in build/bench.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ -d build/bench ]] || cmake --preset bench >/dev/null
cmake --build build/bench -j1 --target quellan_planner_bench quellan_plan_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bench=build/bench/bench/quellan_planner_bench
"$bench" -median 5 splitEightInto24s undoTheSplit joinTwo24s join65536ByTheTree 2>&1 |
  grep -A1 '^RESULT' | grep -v '^--'
build/bench/bench/quellan_plan_bench ipv4 "$work" >/dev/null
QUELLAN_BENCH_PLAN=$work/bench-ipv4.qplan "$bench" -median 3 showMillion 2>&1 |
  grep -A1 '^RESULT' | grep -v '^--'
for run in 1 2 3; do
  QUELLAN_BENCH_PLAN=$work/bench-ipv4.qplan /usr/bin/time -f "  peak memory %M kB, %e s in all" \
    "$bench" openMillion 2>&1 | grep -E -A1 '^RESULT|peak' | grep -v '^--'
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
