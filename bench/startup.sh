#!/usr/bin/env bash
# Start-up time and peak memory of the calculator against a bare Qt window
# holding one label, both watched from outside under Xvfb, with a D-Bus
# session bus as on a desktop.
#
#   bench/startup.sh [runs] [rounds] [other]   (default 3 rounds of 25 runs of each)
#
# Time: from exec until the window is mapped and its first frame is on the X
# server (quellan_first_frame). Memory: peak resident set (VmHWM) once the
# window is painted. CPU: the time the program's threads ran until then. Each
# round alternates the two programs and gives the ratios of their medians; the
# result is the median ratio of the rounds. Other work on the machine shows in
# the figures, the time most: the load average is printed before and after.
#
# other: another build of the window, say of an earlier commit, started by
# turns with the two and given its own ratios against the bare window. The
# machine's speed drifts more between runs of this script than a small change
# moves the ratio; started by turns, both builds meet the same drift.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-25}
rounds=${2:-3}
other=${3:-}

scripts/setup.sh
cmake --preset bench >/dev/null
cmake --build --preset bench --target brevint-quellan quellan_bare_window quellan_first_frame >/dev/null

work=$(mktemp -d)
xvfb_pid=""
bus_pid=""
cleanup() {
  [[ -n "$bus_pid" ]] && kill "$bus_pid" 2>/dev/null
  # Waited for, so that its socket is gone before another server may take the number.
  [[ -n "$xvfb_pid" ]] && { kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; }
  rm -rf "$work"
}
trap cleanup EXIT

# A display of its own, on the first free number; -noreset, or the server
# restarts (and refuses connections) each time its last client leaves.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 10 display_number <&"$display_fd" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display_number"

# One session bus for every run, as a desktop session has.
{ read -r bus_address; read -r bus_pid; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
export DBUS_SESSION_BUS_ADDRESS=$bus_address

probe=build/bench/bench/quellan_first_frame
bare=build/bench/bench/quellan_bare_window
app=build/bench/window/brevint-quellan

# Appends the probe's "painted-ms peak-KiB mapped-ms cpu-ms" for one start of
# "$2", titled "$1", to "$3".
measure() {
  "$probe" "$1" "$2" >>"$3" 2>"$work/log" || { cat "$work/log" >&2; exit 1; }
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
ratio() { awk -v b="$1" -v a="$2" 'BEGIN {printf "%.3f", a / b}'; }
# The ratio of the medians of one column (of "app", or of the file named
# second) to the bare window's, as "bare app ratio".
compare() {
  local bare app
  bare=$(cut -d' ' -f"$1" "$work/bare" | median)
  app=$(cut -d' ' -f"$1" "$work/${2:-app}" | median)
  echo "$bare $app $(ratio "$bare" "$app")"
}

echo "load average before: $(cut -d' ' -f1-3 /proc/loadavg)"
# CPU: the time the program's threads ran until the first frame; other work
# on the machine stretches it less than it stretches the start-up time.
printf '%-6s %9s %9s %6s   %9s %9s %6s   %9s %9s %6s\n' round \
  "bare ms" "app ms" ratio "bare KiB" "app KiB" ratio "bare CPU" "app CPU" ratio
: >"$work/time-ratios"
: >"$work/memory-ratios"
: >"$work/other-ratios"
for round in $(seq "$rounds"); do
  : >"$work/bare"
  : >"$work/app"
  : >"$work/other"
  for _ in $(seq "$runs"); do
    measure "Bare Qt window" "$bare" "$work/bare"
    measure "Brevint Quellan" "$app" "$work/app"
    [[ -z "$other" ]] || measure "Brevint Quellan" "$other" "$work/other"
  done
  read -r bare_ms app_ms time_ratio < <(compare 1)
  read -r bare_kb app_kb memory_ratio < <(compare 2)
  read -r bare_cpu app_cpu cpu_ratio < <(compare 4)
  echo "$time_ratio" >>"$work/time-ratios"
  echo "$memory_ratio" >>"$work/memory-ratios"
  printf '%-6s %9s %9s %6s   %9s %9s %6s   %9s %9s %6s\n' "$round" "$bare_ms" "$app_ms" "$time_ratio" \
    "$bare_kb" "$app_kb" "$memory_ratio" "$bare_cpu" "$app_cpu" "$cpu_ratio"
  if [[ -n "$other" ]]; then
    read -r _ other_ms other_ratio < <(compare 1 other)
    read -r _ other_kb other_memory < <(compare 2 other)
    read -r _ other_cpu other_cpu_ratio < <(compare 4 other)
    echo "$other_ratio" >>"$work/other-ratios"
    printf '%-6s %9s %9s %6s   %9s %9s %6s   %9s %9s %6s\n' other "" "$other_ms" "$other_ratio" \
      "" "$other_kb" "$other_memory" "" "$other_cpu" "$other_cpu_ratio"
  fi
done
echo "load average after: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "median of $rounds rounds of $runs runs: start-up ratio $(median <"$work/time-ratios")," \
  "peak memory ratio $(median <"$work/memory-ratios")"
[[ -z "$other" ]] || echo "the other build, by turns with them: start-up ratio $(median <"$work/other-ratios")"
