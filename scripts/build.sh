#!/usr/bin/env bash
# Configures and builds the suite.
#   scripts/build.sh                 release-with-debug-info build in build/
#   scripts/build.sh --sanitize      address and undefined-behaviour sanitizers, in build-asan/
set -euo pipefail
cd "$(dirname "$0")/.."

dir=build
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  dir=build-asan
  flags+=(-DSUITE_SANITIZE=ON -DSUITE_BENCHMARKS=OFF -DCMAKE_BUILD_TYPE=Debug)
fi
cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$dir" -j "$(nproc)"
