#!/usr/bin/env bash
# Checks the AWX file type's shared-mime-info package: well-formed XML that
# update-mime-database takes without a complaint, and whose glob and magic
# rule end up in the database it builds.
set -euo pipefail
package=$1
xmllint --noout "$package"
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
mkdir -p "$data/mime/packages"
cp "$package" "$data/mime/packages/"
said=$(XDG_DATA_HOME="$data" update-mime-database "$data/mime" 2>&1)
if [ -n "$said" ]; then
    echo "update-mime-database said: $said" >&2
    exit 1
fi
grep -q '^[0-9]*:image/x-awx:\*\.awx' "$data/mime/globs2" || {
    echo "no *.awx glob for image/x-awx" >&2
    exit 1
}
grep -aq 'image/x-awx' "$data/mime/magic" || {
    echo "no magic rule for image/x-awx" >&2
    exit 1
}
echo "image/x-awx: glob and magic rule installed"
