#!/usr/bin/env bash
# Checks that every include between the folders of src/ runs downward: a
# folder includes only itself and the folders listed below it, and no core
# folder includes Qt. Prints each offending include and exits 1.
set -euo pipefail
src="${1:-$(dirname "$0")/../src}"

# What each folder may include besides itself (the links of CMake, taken
# transitively). A folder missing here is an error, so a new folder has to
# find its place.
declare -A below=(
    [platform]=""
    [geo]="platform"
    [product]="geo platform"
    [image]="product geo platform"
    [analysis]="product geo platform"
    [convection]="product geo platform"
    [nwp]="analysis product geo platform"
    [browse]="product geo platform"
    [channels]="image browse product geo platform"
    [compose]="channels nwp analysis convection image product geo platform"
    [fonts]="platform"
    [export]="product geo platform"
    [render]="compose channels nwp analysis convection image browse product geo platform"
    [ui]="platform"
    [dialogs]="ui render compose channels nwp analysis convection image browse product geo platform"
    [sidebar]="ui platform"
    [view]="export dialogs ui render compose channels nwp analysis convection image browse product geo platform"
    [app]="export view sidebar dialogs ui render compose channels nwp analysis convection image browse product geo platform"
    [cli]="export synth render fonts compose channels nwp analysis convection image browse product geo platform"
)
core=" platform geo product image channels analysis convection nwp browse compose fonts export "

status=0
while IFS= read -r -d '' file; do
    rel=${file#"$src"/}
    folder=${rel%%/*}
    [ "$folder" = "$rel" ] && continue
    if [ -z "${below[$folder]+set}" ]; then
        echo "$rel: folder '$folder' has no place in the layers (tools/check-layers.sh)"
        status=1
        continue
    fi
    allowed=" $folder ${below[$folder]} "
    while IFS= read -r line; do
        target=${line#*\"}
        target=${target%%/*}
        if [[ "$allowed" != *" $target "* ]]; then
            echo "$rel: includes upward or sideways: $line"
            status=1
        fi
    done < <(grep -E '^#include "[A-Za-z0-9_]+/' "$file" || true)
    if [[ "$core" == *" $folder "* ]] && grep -qE '^#include <Q' "$file"; then
        echo "$rel: a core folder includes Qt"
        status=1
    fi
done < <(find "$src" -mindepth 2 \( -name '*.cpp' -o -name '*.h' \) -print0)
exit $status
