#!/usr/bin/env bash
# Sets up what is missing, builds and runs every test. The window tests run
# on Qt's offscreen platform, so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."

# How long each stage took, for anyone keeping the whole run short.
elapsed() { echo "test.sh: $1 after ${SECONDS} s"; }

scripts/setup.sh
elapsed "set-up"

# A release build, and so the Debian package, needs neither GoogleTest nor
# Google Benchmark: configured here with both hidden.
cmake --preset release -B build/release-without-test-tools --no-warn-unused-cli \
  -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >/dev/null
echo "release: configures without GoogleTest and Google Benchmark"

# Ninja runs a job per core by itself; CTest is told how many there are.
tests() { ctest --preset "$1" --parallel "$(nproc)"; }

# The build trees whose compile commands the lint reads.
lint_dirs=(build/asan)

# Coverage-guided fuzzing of the calculation, 10 seconds a target, where clang is here.
# QUELLAN_FUZZ_SECONDS=600 scripts/test.sh, or the binary itself, runs it longer.
# The fuzz build has no toolkit either and builds the command-line tool too,
# so it shows that the tool and the calculation build with none on the
# include or link line; without clang the core preset shows it instead.
if command -v clang++ >/dev/null; then
  cmake --preset fuzz -DQUELLAN_FUZZ_SECONDS="${QUELLAN_FUZZ_SECONDS:-10}" >/dev/null
  cmake --build --preset fuzz
  tests fuzz
  elapsed "fuzz"
  lint_dirs+=(build/fuzz)
else
  cmake --preset core >/dev/null
  cmake --build --preset core --target quellan
  elapsed "core"
fi
# Everything but the benchmarks (the dev and bench presets build those),
# with warnings as errors and under AddressSanitizer and
# UndefinedBehaviorSanitizer. The formatting of every C++ file, and
# clang-tidy over every one the builds compiled, is the test lint.tidy,
# run beside the others.
lint_list=$(IFS=';'; echo "${lint_dirs[*]}")
cmake --preset asan -DQUELLAN_LINT_BUILDS="$lint_list" >/dev/null
cmake --build --preset asan
elapsed "asan build"
tests asan
