#!/usr/bin/env bash
# Installs what is missing, builds the suite and runs its main job on the
# bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
bash scripts/build.sh
echo "Built programs and libraries are in build/bin:"
ls build/bin
