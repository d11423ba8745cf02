#!/bin/bash
# Runs kelvra-cli's text and file verbs in the Linux build and, under Wine,
# in the Windows build (tools/build-windows.sh) on the same inputs, and
# checks that they print the same bytes and write the same files.
#
#   tools/compare-windows-cli.sh LINUX_BUILD WINDOWS_BUILD [AWX] [DIAMOND]
#
# AWX defaults to the real sample beside the repository; DIAMOND to one file
# of tools/make-sample-nwp.py's set, made in a temporary folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(realpath "$1")/src/cli/kelvra-cli
windows=$(realpath "$2")/src/cli/kelvra-cli.exe
awx=${3:-$root/../shared/samples/ANI_IR1_R04_20220331_2100_FY2G.AWX}
diamond=${4:-}
export WINEPREFIX=${WINEPREFIX:-${KELVRA_WIN_CACHE:-/var/cache/kelvra-windows}/wine} WINEDEBUG=-all

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if [[ -z "$diamond" ]]; then
    /usr/bin/python3 "$root/tools/make-sample-nwp.py" "$work/mdata" >/dev/null
    diamond=$(find "$work/mdata" -type f ! -name nwp.txt | sort | head -1)
fi

echo "product: $awx"
echo "diamond file: ${diamond#"$work/"}"
failed=0
# One verb in both builds: its standard output, its exit status and the file
# it writes (when it names one) compared byte for byte.
compare() {
    local what=$1 written=$2
    shift 2
    local args=("$@")
    mkdir -p "$work/linux" "$work/windows"
    local linuxArgs=("${args[@]//@OUT@/$work/linux/$written}")
    local windowsArgs=("${args[@]//@OUT@/$work/windows/$written}")
    local linuxStatus=0 windowsStatus=0
    "$linux" "${linuxArgs[@]}" >"$work/linux.out" 2>/dev/null || linuxStatus=$?
    wine "$windows" "${windowsArgs[@]}" >"$work/windows.out" 2>/dev/null || windowsStatus=$?
    local verdict="same"
    if [[ $linuxStatus != "$windowsStatus" ]]; then
        verdict="exit $linuxStatus on Linux, $windowsStatus on Windows"
    elif ! cmp -s "$work/linux.out" "$work/windows.out"; then
        verdict="output differs"
    elif [[ -n "$written" ]] && ! cmp -s "$work/linux/$written" "$work/windows/$written"; then
        verdict="written file differs"
    fi
    printf '%-28s %8d bytes out%s  %s\n' "$what" "$(stat -c %s "$work/linux.out")" \
        "${written:+, $(stat -c %s "$work/linux/$written" 2>/dev/null || echo 0) bytes written}" "$verdict"
    [[ $verdict == same ]] || failed=1
}

compare "info" "" info "$awx"
compare "isotherms --geojson" "" isotherms "$awx" --geojson
compare "cells" "" cells "$awx"
compare "cells --geojson" "" cells "$awx" --geojson
compare "nwp --contours" "" nwp "$diamond" --contours
compare "nwp --contours --geojson" "" nwp "$diamond" --contours --geojson
compare "convert to BMP" "product.bmp" convert "$awx" @OUT@
compare "convert to BMP, Chinese name" "云图 红外.bmp" convert "$awx" @OUT@
exit $failed
