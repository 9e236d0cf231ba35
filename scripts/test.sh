#!/usr/bin/env bash
# Installs what is missing, builds the suite and runs every test: first the
# ordinary build, then the whole suite again under the address and
# undefined-behaviour sanitizers. Pass --quick to skip the sanitizer pass.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/bootstrap.sh
jobs=$(nproc)

bash scripts/build.sh
(cd build && ctest --output-on-failure -j "$jobs" --timeout 300)

if [ "${1:-}" != "--quick" ]; then
  bash scripts/build.sh --sanitize
  (cd build-asan && ctest --output-on-failure -j "$jobs" --timeout 600)
fi
