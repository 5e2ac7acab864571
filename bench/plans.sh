#!/usr/bin/env bash
# Plans at their largest, each case in a process of its own so that
# /usr/bin/time gives its peak memory: open and save a plan of 1,048,576
# IPv4 subnets and one of 65,536 IPv6 subnets, and split a /8 into /24s.
#
#   bench/plans.sh
#
# A release build of the calculation alone, in build/plans-bench: the window
# takes no part, and the toolkit need not be there.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/plans-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELLAN_BUILD_BENCH=ON \
  -DQUELLAN_BUILD_WINDOW=OFF -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build build/plans-bench --target quellan_plan_bench >/dev/null
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for case in ipv4 ipv6 split; do
  /usr/bin/time -f "  peak memory %M kB, %e s in all" build/plans-bench/bench/quellan_plan_bench "$case" "$work"
done
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
