#!/usr/bin/env bash
# Sets up everything and runs the main job on the bundled sample: a synthetic
# product made by the project's own writer, read back by kelvra-cli, and a
# sample catalogue that the desktop application opens for browsing and
# animation.
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup-debian.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)" --target kelvra-cli

cli=build/src/cli/kelvra-cli
sample=sample/FY2G_LCN_IR1_202203311300.AWX
mkdir -p sample
if [ ! -f "$sample" ]; then
    "$cli" synth "$sample" --projection 1 --size 1900x1300 --channel 1 \
        --time 202203311300 --center 97.5,27.5 --resolution 0.05
fi

echo "== kelvra-cli info $sample"
"$cli" info "$sample"
echo "== kelvra-cli extent $sample"
"$cli" extent "$sample"

# The sample catalogue for the file list and the animation: written once,
# later runs keep the files that exist.
catalogue=sample/catalogue
echo "== sample catalogue in $catalogue"
tools/make-sample-catalogue.sh "$catalogue" "$cli"

# The last 24 hours of the catalogue's infrared-1 loop as an animated GIF,
# to be played in any browser.
loop=sample/loop.gif
echo "== kelvra-cli animate: the last 24 LCN infrared-1 products -> $loop"
mapfile -t loop_frames < <(ls "$catalogue"/*LCN*IR1*.AWX | sort | tail -n 24)
"$cli" animate "${loop_frames[@]}" -o "$loop"

# The sample NWP data (diamond files and their nwp.txt catalogue) at the
# catalogue's times: written once, kept when nwp.txt is there.
mdata=sample/mdata
if [ ! -f "$mdata/nwp.txt" ]; then
    echo "== sample NWP data in $mdata"
    /usr/bin/python3 tools/make-sample-nwp.py "$mdata"
fi

# The desktop application on a catalogue product when a display is
# reachable; otherwise the picture it would show, rendered by the
# command-line front end.
cmake --build build -j "$(nproc)" --target kelvra
display_reachable() {
    [ -n "${DISPLAY:-}" ] || return 1
    if command -v xdpyinfo >/dev/null 2>&1; then
        xdpyinfo >/dev/null 2>&1
    fi
}
first_product=$(ls "$catalogue"/*LCN*IR1*.AWX 2>/dev/null | sort | tail -n 1 || true)
first_product=${first_product:-$sample}
if display_reachable; then
    echo "== kelvra --catalogue $catalogue --nwp-root $mdata $first_product"
    exec build/src/kelvra --catalogue "$catalogue" --nwp-root "$mdata" "$first_product"
fi
picture=${first_product%.*}.bmp
"$cli" render "$first_product" -o "$picture"
echo "== no display: kelvra-cli rendered the picture to $picture"
