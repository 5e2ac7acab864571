#!/usr/bin/env bash
# Start-up time and peak memory of the calculator against a bare Qt window
# holding one label, both measured from outside under Xvfb.
#
#   bench/startup.sh [runs]      (default 15 runs of each, alternating)
#
# Time: from exec until the window is mapped and its first frame is on the
# X server (some pixel of it is no longer the black of an unpainted window).
# Memory: peak resident set (VmHWM) once the window is painted.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-15}

scripts/setup.sh --display-tools
cmake --preset bench >/dev/null
cmake --build --preset bench --target brevint-quellan quellan_bare_window >/dev/null

# A display of its own, on the first free number; -noreset, or the server
# restarts (and refuses connections) each time its last client leaves.
exec {display_fd}<> <(:)
Xvfb -displayfd "$display_fd" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
# Waited for, so that its socket is gone before another server may take the number.
trap 'kill $xvfb_pid 2>/dev/null; wait $xvfb_pid 2>/dev/null' EXIT
read -r -t 10 display_number <&"$display_fd" || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display_number"

now_ms() { echo $(( $(date +%s%N) / 1000000 )); }

# Prints "milliseconds kibibytes" for one start of "$1" whose title is "$2".
measure() {
  local binary=$1 title=$2 log=/tmp/startup.log start pid window="" painted=0 end hwm deadline
  start=$(now_ms)
  deadline=$(( start + 10000 ))
  "$binary" >/dev/null 2>"$log" &
  pid=$!
  # Polled rather than xdotool's --sync, which looks only every half second.
  while [[ -z "$window" && $(now_ms) -lt $deadline ]]; do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) || true
  done
  while [[ -n "$window" && "$painted" != 1 && $(now_ms) -lt $deadline ]]; do
    painted=$(import -window "$window" -format '%[fx:maxima>0]' info: 2>/dev/null) || painted=0
  done
  end=$(now_ms)
  if ! kill -0 "$pid" 2>/dev/null; then
    echo "$title ended before it was measured:" >&2
    cat "$log" >&2
    exit 1
  fi
  hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status")
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  [[ "$painted" == 1 ]] || { echo "$title: no painted window within 10 s" >&2; cat "$log" >&2; exit 1; }
  echo "$(( end - start )) $hwm"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

bare=build/bench/bench/quellan_bare_window
app=build/bench/window/brevint-quellan
: >/tmp/startup.bare
: >/tmp/startup.app
for _ in $(seq "$runs"); do
  measure "$bare" "Bare Qt window" >>/tmp/startup.bare
  measure "$app" "Brevint Quellan" >>/tmp/startup.app
done

bare_ms=$(cut -d' ' -f1 /tmp/startup.bare | median)
app_ms=$(cut -d' ' -f1 /tmp/startup.app | median)
bare_kb=$(cut -d' ' -f2 /tmp/startup.bare | median)
app_kb=$(cut -d' ' -f2 /tmp/startup.app | median)
printf '%-22s %12s %12s %8s\n' "median of $runs runs" "bare window" "Quellan" "ratio"
row() { awk -v n="$1" -v b="$2" -v a="$3" 'BEGIN {printf "%-22s %12s %12s %8.3f\n", n, b, a, a / b}'; }
row "start to painted (ms)" "$bare_ms" "$app_ms"
row "peak resident (KiB)" "$bare_kb" "$app_kb"
