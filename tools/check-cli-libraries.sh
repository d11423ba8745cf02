#!/usr/bin/env bash
# Checks which libraries kelvra-cli loads: the executable needs no Qt, the
# verbs that print text load neither Qt, GDAL nor the modules, each module
# exports its one entry point only, and without the modules the verbs that
# draw and export say so (exit 1) while the others still work. Prints what is
# wrong and exits 1. The export module is the optional third argument.
set -euo pipefail
cli=$1
module=$2
export_module=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() {
    echo "$*" >&2
    status=1
}

if readelf -d "$cli" | grep -E 'NEEDED.*lib(Qt6|freetype|gdal)' >&2; then
    fail "kelvra-cli itself needs the libraries above"
fi

"$cli" synth "$work/old.AWX" --time 202203311300 >/dev/null
"$cli" synth "$work/new.AWX" --time 202203311400 >/dev/null
loaded() {
    LD_DEBUG=libs "$@" 2>&1 >/dev/null | grep -E 'calling init: .*(libQt6|libfreetype|libgdal|kelvra-cli-pictures|kelvra-export)' || true
}
for verb in "info $work/new.AWX" "extent $work/new.AWX" "locate $work/new.AWX 10 10 --value" \
    "isotherms $work/new.AWX" "cells $work/new.AWX" "trend $work/old.AWX $work/new.AWX --summary" \
    "list $work --latest 1"; do
    # shellcheck disable=SC2086
    found=$(loaded "$cli" $verb)
    if [ -n "$found" ]; then
        fail "kelvra-cli $verb loaded: $found"
    fi
done

exported=$(nm -D --defined-only "$module" | awk '{print $3}')
if [ "$exported" != "kelvra_cli_pictures_run" ]; then
    fail "the picture module exports more than its entry point: $exported"
fi

if [ -n "$export_module" ]; then
    exported=$(nm -D --defined-only "$export_module" | awk '{print $3}')
    if [ "$exported" != "kelvra_export_run" ]; then
        fail "the export module exports more than its entry point: $exported"
    fi
fi

# A copy of the executable alone has no module beside it.
cp "$cli" "$work/kelvra-cli"
if "$work/kelvra-cli" render "$work/new.AWX" -o "$work/out.bmp" 2>"$work/err"; then
    fail "render without the picture module succeeded"
elif [ $? -ne 1 ] || ! grep -q "picture module" "$work/err"; then
    fail "render without the picture module did not say so: $(cat "$work/err")"
fi
if "$work/kelvra-cli" export "$work/new.AWX" -o "$work/out.tif" 2>"$work/err"; then
    fail "export without the export module succeeded"
elif [ $? -ne 1 ] || ! grep -q "kelvra-export\|GDAL" "$work/err"; then
    fail "export without the export module did not say so: $(cat "$work/err")"
fi
if ! "$work/kelvra-cli" info "$work/new.AWX" >/dev/null; then
    fail "info failed without the picture module"
fi
exit $status
