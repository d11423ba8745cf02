#!/usr/bin/env bash
# Makes the PNG sizes of the desktop icons from their one source drawing each
# (dist/linux/icons/*.svg) into dist/linux/icons/hicolor/, where the install
# rules take them. Run it after changing a drawing and commit what it writes;
# rsvg-convert (librsvg2-bin) writes the same bytes for the same drawing.
set -euo pipefail
icons="$(cd "$(dirname "$0")/../dist/linux/icons" && pwd)"
sizes=(16 22 24 32 48 64 128 256)

make_sizes() {  # DRAWING CONTEXT
    local name
    name=$(basename "$1" .svg)
    for size in "${sizes[@]}"; do
        mkdir -p "$icons/hicolor/${size}x${size}/$2"
        rsvg-convert --width "$size" --height "$size" "$1" \
            -o "$icons/hicolor/${size}x${size}/$2/$name.png"
    done
}

make_sizes "$icons/org.kelvra.Kelvra.svg" apps
make_sizes "$icons/image-x-awx.svg" mimetypes
