#!/usr/bin/env bash
# Installs what is missing, builds the suite and runs its main job on the
# bundled example.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
bash scripts/build.sh
echo "Built programs and libraries are in build/bin:"
ls build/bin
build/bin/kartello --batch --data examples/portugal-cities.txt --options examples/3d-by-value.ggo --title1 "Portuguese cities" --out build/portugal-cities.kmz && echo "The graph is build/portugal-cities.kmz"
