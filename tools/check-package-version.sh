#!/usr/bin/env bash
# The version comes from one place, the CMake project version: the Debian
# changelog's latest entry and the AppStream release must say the same.
# Usage: check-package-version.sh VERSION SOURCE_DIR
set -euo pipefail
version=$1
source=$2
status=0
changelog=$(sed -n '1s/^kelvra (\([^)]*\)).*/\1/p' "$source/debian/changelog")
if [ "${changelog%-*}" != "$version" ]; then
    echo "debian/changelog says $changelog, CMake says $version" >&2
    status=1
fi
release=$(grep -o '<release version="[^"]*"' "$source/dist/linux/org.kelvra.Kelvra.metainfo.xml" |
    head -1 | cut -d'"' -f2)
if [ "$release" != "$version" ]; then
    echo "the metainfo's latest release is $release, CMake says $version" >&2
    status=1
fi
for page in "$source"/dist/linux/man/*.1; do
    if ! head -1 "$page" | grep -qF "\"kelvra $version\""; then
        echo "$(basename "$page") is not headed kelvra $version" >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "version $version everywhere"
exit "$status"
