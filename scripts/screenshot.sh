#!/bin/sh
# Photographs the window under a virtual X server, with an address typed in,
# and writes docs/screenshot.png (or the path given as second argument).
# QUELLAN_SHOT_ADDRESS sets the address typed; set it empty to type nothing.
# QUELLAN_SHOT_SUBNETS=N then types N on the slider and opens the subnet
# list with Ctrl+L; the picture holds both windows, side by side.
# QUELLAN_SHOT_PLAN=FILE.qplan instead opens the planner on that plan and
# photographs it alone.
#   scripts/screenshot.sh [BINARY] [OUTPUT]
# Builds nothing: make the binary first (cmake --preset release && cmake --build --preset release).
# Installs what it needs (xvfb-run, xdotool, ImageMagick) where it is missing.
# QT_SCALE_FACTOR in the environment is passed on, e.g. QT_SCALE_FACTOR=2.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
binary=${1:-$root/build/release/window/brevint-quellan}
output=${2:-$root/docs/screenshot.png}
address=${QUELLAN_SHOT_ADDRESS-192.168.1.10}
subnets=${QUELLAN_SHOT_SUBNETS-}
plan=${QUELLAN_SHOT_PLAN-}

"$root/scripts/setup.sh" --display-tools
if [ ! -x "$binary" ]; then
    echo "no window binary at $binary; build it first" >&2
    exit 1
fi
mkdir -p "$(dirname "$output")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs inside the virtual display: start the window, type the address one
# octet per box, photograph the screen and note the window's geometry.
cat > "$work/inside.sh" <<'INSIDE'
#!/bin/sh
set -eu
. "$ROOT/scripts/window_driver.sh"
if [ -n "$PLAN" ]; then
    start_window "$BINARY" "$PLAN" "^$(basename "$PLAN") — Brevint Quellan\$"
    # The current row on a named subnet, as the planner is used.
    xdotool key --delay 100 Down Down
    sleep 0.5
    xdotool getwindowgeometry --shell "$window" > "$WORK/geometry"
    import -window root "$WORK/screen.png"
    kill "$app"
    exit 0
fi
start_window "$BINARY"
if [ -n "$ADDRESS" ]; then
    type_address "$ADDRESS"
    sleep 0.5
fi
xdotool getwindowgeometry --shell "$window" > "$WORK/geometry"
if [ -n "$SUBNETS" ]; then
    xdotool key --window "$window" Tab
    xdotool type --window "$window" --delay 50 "$SUBNETS"
    xdotool key --window "$window" ctrl+l
    list=""
    for _ in $(seq 50); do
        list=$(xdotool search --onlyvisible --name '^Subnets' 2>/dev/null | head -n 1) || true
        [ -n "$list" ] && break
        sleep 0.1
    done
    [ -n "$list" ] || { echo "the subnet list did not appear" >&2; kill "$app"; exit 1; }
    sleep 1
    xdotool getwindowgeometry --shell "$list" | sed 's/^/LIST_/' >> "$WORK/geometry"
fi
import -window root "$WORK/screen.png"
kill "$app"
INSIDE

# Settings and data folders of its own: no place remembered from the user's
# runs, and no crash copy of theirs offered at start.
XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data ROOT=$root BINARY=$binary ADDRESS=$address SUBNETS=$subnets PLAN=$plan WORK=$work \
    xvfb-run -a -s "-screen 0 3200x2000x24 -wr" sh "$work/inside.sh"

# Without a window manager the window has no frame: its geometry is its client area.
. "$work/geometry"
if [ -n "$subnets" ]; then
    # Both windows and the gap between them.
    right=$((LIST_X + LIST_WIDTH > X + WIDTH ? LIST_X + LIST_WIDTH : X + WIDTH))
    bottom=$((LIST_Y + LIST_HEIGHT > Y + HEIGHT ? LIST_Y + LIST_HEIGHT : Y + HEIGHT))
    X=$((LIST_X < X ? LIST_X : X))
    Y=$((LIST_Y < Y ? LIST_Y : Y))
    WIDTH=$((right - X))
    HEIGHT=$((bottom - Y))
fi
/usr/bin/convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "wrote $output (${WIDTH}x${HEIGHT})"
