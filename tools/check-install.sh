#!/usr/bin/env bash
# Installs the build into a fresh prefix and renders a product from the root
# folder with the installed kelvra-cli: the maps must be drawn (the picture
# differs from one made without them) and nothing may be said on stderr.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
cli="$prefix/bin/kelvra-cli"
unset KELVRA_DATA
"$cli" synth "$prefix/FY2G_LCN_IR1_202203311300.AWX" --size 400x300 >/dev/null
cd /
"$cli" render "$prefix/FY2G_LCN_IR1_202203311300.AWX" -o "$prefix/maps.bmp" 2>"$prefix/err"
"$cli" render "$prefix/FY2G_LCN_IR1_202203311300.AWX" -o "$prefix/bare.bmp" --no-map 2>>"$prefix/err"
if [ -s "$prefix/err" ]; then
    echo "installed kelvra-cli said on stderr:" >&2
    cat "$prefix/err" >&2
    exit 1
fi
if cmp -s "$prefix/maps.bmp" "$prefix/bare.bmp"; then
    echo "installed kelvra-cli drew no map lines" >&2
    exit 1
fi
# The installed Python package, where one was built, draws that very picture.
module=$(find "$prefix" -name '_kelvra*.so' -print -quit)
if [ -n "$module" ]; then
    PYTHONPATH=$(dirname "$(dirname "$module")") /usr/bin/python3 - "$prefix" <<'EOF'
import sys

import numpy as np

import kelvra
from kelvra._render import _read_bmp24

prefix = sys.argv[1]
picture = kelvra.render(prefix + "/FY2G_LCN_IR1_202203311300.AWX")
if not np.array_equal(picture, _read_bmp24(prefix + "/maps.bmp")):
    sys.exit("the installed kelvra.render differs from kelvra-cli render")
EOF
fi
echo "installed kelvra-cli renders with its maps from /"
