#!/usr/bin/env bash
# Sets up what is missing, builds the release build and opens the window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/window/brevint-quellan "$@"
