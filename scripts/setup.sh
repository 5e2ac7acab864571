#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, and only
# what is missing: a machine that has everything is not touched.
set -euo pipefail

packages=(
  # compiler and build
  g++ cmake ninja-build pkg-config
  # the window
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-liberation2
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # the start-up benchmark watches the window through the X protocol
  libxcb1-dev
  # the fuzzer
  clang libclang-rt-14-dev
  # the plan files are JSON
  nlohmann-json3-dev
  # the lint
  clang-format clang-tidy python3
  # the Debian package and its checks
  dpkg-dev file desktop-file-utils appstream lintian shared-mime-info
  # the window read as a screen reader reads it: virtual X server, keystrokes,
  # a D-Bus session with the accessibility bus, and Debian's python with pyatspi
  xvfb xauth xdotool dbus-daemon at-spi2-core python3-pyatspi
)
# Extra for the scripts that look at the window's pixels (screenshot, start-up benchmark).
if [[ "${1:-}" == "--display-tools" ]]; then
  packages+=(imagemagick)
fi
# Extra for the command-line benchmarks: the timer, and the peers they are timed against.
if [[ "${1:-}" == "--bench-tools" ]]; then
  packages+=(hyperfine ipcalc-ng sipcalc iprange)
fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "setup: run as root or install sudo" >&2; exit 1; }
  as_root=(sudo)
fi
echo "setup: installing ${missing[*]}"
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
