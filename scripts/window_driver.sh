# Shell functions that drive the window under an X server with xdotool, as a
# user would; sourced by the scripts that photograph and measure it.

# start_window BINARY [FILE TITLE]: starts it in the background (on FILE,
# when given) and waits for its window (the one titled TITLE, a pattern);
# sets $app (its process) and $window (its X window).
start_window() {
    if [ $# -gt 1 ]; then
        "$1" "$2" &
    else
        "$1" &
    fi
    app=$!
    title=${3:-'^Brevint Quellan$'}
    window=""
    for _ in $(seq 50); do
        window=$(xdotool search --name "$title" 2>/dev/null | head -n 1) || true
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
}

# type_address ADDRESS [BITS]: one octet a box, then the length on the slider.
type_address() {
    first=1
    for octet in $(echo "$1" | tr '.' ' '); do
        [ "$first" = 1 ] || xdotool key --window "$window" Tab
        first=0
        xdotool type --window "$window" --delay 50 "$octet"
    done
    if [ -n "${2-}" ]; then
        xdotool key --window "$window" Tab
        xdotool type --window "$window" --delay 50 "$2"
    fi
}
