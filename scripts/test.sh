#!/usr/bin/env bash
# Sets up what is missing, builds and runs every test. The window tests run
# on Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

# The calculation on its own, with no toolkit on the include or link line.
cmake --preset core >/dev/null
cmake --build --preset core
ctest --preset core

# Everything, with warnings as errors.
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev
