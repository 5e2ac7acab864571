#!/bin/sh
# Photographs the window under a virtual X server, with an address typed in,
# and writes docs/screenshot.png (or the path given as second argument).
# QUELLAN_SHOT_ADDRESS sets the address typed; set it empty to type nothing.
#   scripts/screenshot.sh [BINARY] [OUTPUT]
# Builds nothing: make the binary first (cmake --preset release && cmake --build --preset release).
# Installs what it needs (xvfb-run, xdotool, ImageMagick) where it is missing.
# QT_SCALE_FACTOR in the environment is passed on, e.g. QT_SCALE_FACTOR=2.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
binary=${1:-$root/build/release/window/brevint-quellan}
output=${2:-$root/docs/screenshot.png}
address=${QUELLAN_SHOT_ADDRESS-192.168.1.10}

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
"$BINARY" &
app=$!
window=""
for _ in $(seq 50); do
    window=$(xdotool search --name '^Brevint Quellan$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "the window did not appear" >&2
    kill "$app"
    exit 1
fi
# With no window manager nothing activates the window; without the X focus
# Qt would deliver no focus events and the boxes would not behave as on a desktop.
xdotool windowfocus --sync "$window"
sleep 1
if [ -n "$ADDRESS" ]; then
    first=1
    for octet in $(echo "$ADDRESS" | tr '.' ' '); do
        [ "$first" = 1 ] || xdotool key --window "$window" Tab
        first=0
        xdotool type --window "$window" --delay 50 "$octet"
    done
    sleep 0.5
fi
import -window root "$WORK/screen.png"
xdotool getwindowgeometry --shell "$window" > "$WORK/geometry"
kill "$app"
INSIDE

BINARY=$binary ADDRESS=$address WORK=$work \
    xvfb-run -a -s "-screen 0 1024x1100x24" sh "$work/inside.sh"

# Without a window manager the window has no frame: its geometry is its client area.
. "$work/geometry"
/usr/bin/convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$output"
echo "wrote $output (${WIDTH}x${HEIGHT})"
