#!/usr/bin/env bash
# The command-line tool's batch mode: one million IPv4 addresses, and one
# million IPv6 addresses, read from standard input, results written to
# /dev/null, timed with hyperfine.
#
#   bench/batch.sh [runs]        (default 5 runs of each form)
#
# The addresses are the same on every run and machine: awk's generator with a
# fixed seed: every class A to C address with a random mask length, and IPv6
# addresses of eight groups, about a third of them zero (so that runs of zeros
# are compressed in the output), with a random prefix length.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

command -v hyperfine >/dev/null || scripts/setup.sh --bench-tools
cmake --preset release >/dev/null
cmake --build --preset release --target quellan >/dev/null
quellan=$PWD/build/release/cli/quellan

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { srand(1); for (i = 0; i < 1000000; i++)
       printf "%d.%d.%d.%d/%d\n", int(rand() * 224), int(rand() * 255), int(rand() * 255),
              int(rand() * 255), 1 + int(rand() * 32) }' >"$work/addresses"
awk 'BEGIN { srand(2); for (i = 0; i < 1000000; i++) {
       for (g = 0; g < 8; g++)
         printf "%x%s", rand() < 0.35 ? 0 : int(rand() * 65536), g < 7 ? ":" : "/"
       printf "%d\n", int(rand() * 129) } }' >"$work/ipv6-addresses"

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
# Through sh -c, as hyperfine 1.15 has no --input; the shell adds about a millisecond.
hyperfine --runs "$runs" --warmup 1 --output null \
  -n text "$quellan < $work/addresses" \
  -n json "$quellan --json < $work/addresses" \
  -n "get cidr" "$quellan --get cidr < $work/addresses" \
  -n "IPv6 json" "$quellan --json < $work/ipv6-addresses" \
  -n "IPv6 get cidr" "$quellan --get cidr < $work/ipv6-addresses"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
