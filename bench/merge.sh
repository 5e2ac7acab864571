#!/usr/bin/env bash
# quellan merge against Debian's iprange on the same million IPv4 prefixes,
# side by side with hyperfine, after checking that both give the same blocks;
# then the planning commands whose output is long, split into 65,536 lines.
#
#   bench/merge.sh [runs]        (default 5 runs of each)
#
# The prefixes come from awk's generator with a fixed seed. Half of them are
# drawn near one of a thousand networks, inside it or just after it, so
# that they nest and touch and merging has work to do; the other half lie
# anywhere.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-5}

scripts/setup.sh --bench-tools
cmake --preset release >/dev/null
cmake --build --preset release --target quellan >/dev/null
quellan=$PWD/build/release/cli/quellan

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { srand(3)
       for (i = 0; i < 1024; i++) base[i] = int(rand() * 4294967296)
       for (i = 0; i < 1000000; i++) {
         if (i % 2) { address = int(rand() * 4294967296); length_ = 20 + int(rand() * 13) }
         else { address = (base[int(rand() * 1024)] + int(rand() * 8192)) % 4294967296
                length_ = 24 + int(rand() * 9) }
         printf "%d.%d.%d.%d/%d\n", int(address / 16777216), int(address / 65536) % 256,
                int(address / 256) % 256, address % 256, length_ } }' >"$work/prefixes"

# iprange writes a single address without "/32".
"$quellan" merge <"$work/prefixes" >"$work/quellan.out"
iprange "$work/prefixes" | sed '/\//!s|$|/32|' >"$work/iprange.out"
if cmp -s "$work/quellan.out" "$work/iprange.out"; then
  echo "same $(wc -l <"$work/quellan.out") blocks from quellan merge and iprange"
else
  echo "quellan merge and iprange differ:" >&2
  diff "$work/quellan.out" "$work/iprange.out" | head >&2
  exit 1
fi

echo "load before: $(cut -d' ' -f1-3 /proc/loadavg)"
hyperfine --runs "$runs" --warmup 1 --output null \
  -n "quellan merge" "$quellan merge < $work/prefixes" \
  -n iprange "iprange $work/prefixes"
hyperfine --runs 20 --warmup 3 -N --output null \
  -n "split 24 10.0.0.0/8" "$quellan split 24 10.0.0.0/8" \
  -n "split 64 2001:db8::/48" "$quellan split 64 2001:db8::/48"
echo "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
