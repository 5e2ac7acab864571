#!/usr/bin/env bash
# One invocation of quellan against Debian's ipcalc-ng and sipcalc on the
# same address, timed with hyperfine: how long a script waits for an answer.
#
#   bench/compare_peers.sh [address]     (default 192.168.1.10/26)
set -euo pipefail
cd "$(dirname "$0")/.."
address=${1:-192.168.1.10/26}

scripts/setup.sh --bench-tools
cmake --preset release >/dev/null
cmake --build --preset release --target quellan >/dev/null

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
hyperfine --runs 300 --warmup 20 -N \
  -n quellan "build/release/cli/quellan $address" \
  -n ipcalc-ng "ipcalc-ng $address" \
  -n sipcalc "sipcalc $address"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
