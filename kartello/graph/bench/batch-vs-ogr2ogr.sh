#!/usr/bin/env bash
# The largest batch run end to end, timed beside GDAL re-writing the same
# document: 4998 places as 50-sided polygons in 3D with height, size and
# colour by value, outline, grid, colour scale, "name - value" labels and a
# title, written as KML and as KMZ; then `ogr2ogr -f KML` re-writing that KML.
# Prints the mean times, the ratios, the document's size and the peak memory.
#
#   kartello/graph/bench/batch-vs-ogr2ogr.sh [build dir] [runs]
set -euo pipefail
root="$(cd "$(dirname "$0")/../../.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
runs="${2:-10}"
kartello="$build/bin/kartello"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# Places spread over Iberia by fixed irrational steps: the same file on every machine.
awk 'function frac(x) { return x - int(x) }
     BEGIN { for (i = 0; i < 4998; i++)
               printf "\"Place %d\",%.4f,%.4f,%.2f\n", i, 36 + 8 * frac(i * 0.6180339887),
                      -10 + 14 * frac(i * 0.4142135623), 1000 * frac(i * 0.7548776662) }' >places.txt

opts="--data places.txt --options $root/examples/3d-by-value.ggo --set Combo1=50 --title1 Five --out"
"$kartello" --batch $opts big.kml
"$kartello" --batch $opts big.kmz
ogr2ogr -f KML gdal.kml big.kml

hyperfine -N --warmup 1 --runs "$runs" --export-json times.json \
  -n kml "$kartello --batch $opts big.kml" \
  -n kmz "$kartello --batch $opts big.kmz" \
  -n ogr2ogr --prepare "rm -f gdal.kml" "ogr2ogr -f KML gdal.kml big.kml" >/dev/null

peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }
baseline_kb=$(peak_kb "$kartello" --version)
kml_kb=$(peak_kb "$kartello" --batch $opts big.kml)
doc_bytes=$(stat -c %s big.kml)

python3 - "$doc_bytes" "$baseline_kb" "$kml_kb" <<'EOF'
import json, sys
doc, base_kb, kml_kb = (int(a) for a in sys.argv[1:])
t = {r["command"]: r for r in json.load(open("times.json"))["results"]}
def cpu(r): return r["user"] + r["system"]
for name in ("kml", "kmz", "ogr2ogr"):
    r = t[name]
    print(f"{name:8s} wall {r['mean'] * 1000:7.1f} ms ± {r['stddev'] * 1000:5.1f}   cpu {cpu(r) * 1000:7.1f} ms")
print(f"KML / ogr2ogr  wall {t['kml']['mean'] / t['ogr2ogr']['mean']:.3f}   cpu {cpu(t['kml']) / cpu(t['ogr2ogr']):.3f}")
print(f"KMZ / KML      wall {t['kmz']['mean'] / t['kml']['mean']:.3f}   cpu {cpu(t['kmz']) / cpu(t['kml']):.3f}")
print(f"document {doc} bytes; peak RSS {kml_kb} KB, {base_kb} KB of it the program's start "
      f"(--version): {(kml_kb - base_kb) * 1024 / doc:.2f} x the document")
EOF
if command -v heaptrack >/dev/null && command -v heaptrack_print >/dev/null; then
  heaptrack -o "$work/heap" "$kartello" --batch $opts big.kml >/dev/null 2>&1
  heaptrack_print -f "$work"/heap.* 2>/dev/null | grep -E "^peak heap memory"
fi
