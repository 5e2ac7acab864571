#!/usr/bin/env bash
# The command-line tool's batch mode: one million addresses read from
# standard input, results written to /dev/null, timed with hyperfine.
#
#   bench/batch.sh [runs]        (default 5 runs of each form)
#
# The addresses are the same on every run and machine: awk's generator with a
# fixed seed, every class A to C address form with a random mask length.
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

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
# Through sh -c, as hyperfine 1.15 has no --input; the shell adds about a millisecond.
hyperfine --runs "$runs" --warmup 1 --output null \
  -n text "$quellan < $work/addresses" \
  -n json "$quellan --json < $work/addresses" \
  -n "get cidr" "$quellan --get cidr < $work/addresses"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
