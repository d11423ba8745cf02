#!/usr/bin/env bash
# The export's figures, side by side, timed from outside with farm-bench:
#   1. a 1900 x 1300 product to GeoTIFF against its yardstick, reading the
#      product (locate --value reads its counts and picture) plus gdal_translate
#      writing the very same Float32 array;
#   2. a 72-frame loop of 1900 x 1300 products to one NetCDF file.
# Usage: bench/bench_export.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?usage: bench_export.sh BUILD_DIR [RUNS]}
runs=${2:-5}
cli=$(realpath "$build/src/cli/kelvra-cli")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$cli" synth "$work/product.awx" --size 1900x1300 >/dev/null
"$cli" export "$work/product.awx" -o "$work/same.tif"
echo "== GeoTIFF of a 1900 x 1300 product (A) vs reading it + gdal_translate of the same array (B)"
farm-bench -n "$runs" --vs "sh -c '$cli locate $work/product.awx 10 10 --value >/dev/null && \
gdal_translate -q -of GTiff $work/same.tif $work/yardstick.tif'" \
    -- "$cli" export "$work/product.awx" -o "$work/out.tif"

frames=()
for i in $(seq 0 71); do
    t=$(date -u -d "2022-03-28 00:00 UTC + $i hours" +%Y%m%d%H%M)
    "$cli" synth "$work/f$i.awx" --size 1900x1300 --time "$t" --seed "$i" >/dev/null
    frames+=("$work/f$i.awx")
done
echo "== NetCDF of a 72-frame loop of 1900 x 1300 products"
farm-bench -n "$runs" --timeout 600 -- "$cli" export "${frames[@]}" -o "$work/loop.nc"
ls -l "$work/loop.nc" | awk '{print "loop.nc: " $5 " bytes"}'
