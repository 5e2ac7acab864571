#!/usr/bin/env bash
# What the subnet list costs in memory: the window's resident set before and
# after Ctrl+L, for a list of 4 subnets (192.168.1.10/26), of 4194304
# (10.1.2.3/30) and of 16777216 (10.1.2.3/32), typed under Xvfb as a user
# types them. A list whose cost grows with its rows shows it here.
#
#   bench/list_memory.sh [BINARY]   (default: the release build's window)
#
# Builds nothing: cmake --preset release && cmake --build --preset release.
set -euo pipefail
cd "$(dirname "$0")/.."
binary=${1:-build/release/window/brevint-quellan}
[[ -x $binary ]] || { echo "no window binary at $binary; build it first" >&2; exit 1; }
scripts/setup.sh --display-tools
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/inside.sh" <<'INSIDE'
#!/bin/sh
set -eu
. "$ROOT/scripts/window_driver.sh"
start_window "$BINARY"
type_address "$ADDRESS" "$BITS"
sleep 1
closed=$(awk '/^VmRSS/ { print $2 }' "/proc/$app/status")
xdotool key --window "$window" ctrl+l
sleep 2
open=$(awk '/^VmRSS/ { print $2 }' "/proc/$app/status")
printf '%-18s closed %6d kB, open %6d kB: the list %6d kB\n' \
    "$ADDRESS/$BITS" "$closed" "$open" $((open - closed))
kill "$app"
INSIDE

for case in 192.168.1.10:26 10.1.2.3:30 10.1.2.3:32; do
    XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data ROOT=$PWD BINARY=$binary ADDRESS=${case%:*} BITS=${case#*:} \
        xvfb-run -a sh "$work/inside.sh" 2>/dev/null
done
