#!/usr/bin/env bash
# Installs what is missing, builds the suite and runs its main job on the
# bundled example: Kartello's batch command turns the Portuguese cities into a
# 3D graph packed as a KMZ archive.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh
bash scripts/build.sh

mkdir -p out
build/bin/kartello --batch \
  --data examples/portugal-cities.txt \
  --options examples/3d-by-value.ggo \
  --title1 "Portuguese cities" \
  --out out/portugal.kmz
echo "The graph is out/portugal.kmz (doc.kml and its two images); open it with a KML viewer."
