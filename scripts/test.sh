#!/usr/bin/env bash
# Sets up what is missing, builds and runs every test. The window tests run
# on Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

run_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1"
  ctest --preset "$1"
}

# The calculation on its own, with no toolkit on the include or link line.
run_preset core
# Coverage-guided fuzzing of the calculation for a minute, where clang is here.
# QUELLAN_FUZZ_SECONDS=600 scripts/test.sh, or the binary itself, runs it longer.
if command -v clang++ >/dev/null; then
  cmake --preset fuzz -DQUELLAN_FUZZ_SECONDS="${QUELLAN_FUZZ_SECONDS:-60}" >/dev/null
  cmake --build --preset fuzz
  ctest --preset fuzz
fi
# Everything under AddressSanitizer and UndefinedBehaviorSanitizer.
run_preset asan
# Everything, with warnings as errors.
run_preset dev
