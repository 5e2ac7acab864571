#!/bin/sh
# Runs atspi_check.py on the window inside a private D-Bus session (where the
# session bus starts the accessibility bus on demand) and a virtual X server.
# Exits 77, which CTest counts as skipped, where something it needs is missing.
#   atspi_check.sh WINDOW_BINARY
set -eu

binary=$1
case $0 in */*) here=${0%/*} ;; *) here=. ;; esac
# Debian's own python, which has the python3-pyatspi package; another python
# first on PATH (pyenv, a venv) would not.
python=/usr/bin/python3

skip() {
    echo "skipped: $1"
    exit 77
}
for tool in xvfb-run xdotool dbus-run-session; do
    command -v "$tool" >/dev/null 2>&1 || skip "no $tool"
done
[ -f /usr/share/dbus-1/services/org.a11y.Bus.service ] || skip "no AT-SPI bus (at-spi2-core)"
[ -x "$python" ] && "$python" -c 'import pyatspi' 2>/dev/null || skip "no pyatspi for $python"

exec dbus-run-session -- xvfb-run -a -s "-screen 0 800x600x24" "$python" "$here/atspi_check.py" "$binary"
