#!/usr/bin/env bash
# Builds kelvra's Debian packages from this tree into ../ (as
# dpkg-buildpackage does) and checks them with lintian. Without arguments
# the package's own CTest run is skipped (test.sh has run the suite); pass
# --check to run it inside the package build as a user's build would.
set -euo pipefail
cd "$(dirname "$0")/.."

options="nocheck"
if [ "${1:-}" = "--check" ]; then
    options=""
fi
export DEB_BUILD_OPTIONS="$options parallel=$(nproc)"
dpkg-buildpackage -us -uc -b
version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg --print-architecture)
changes="../kelvra_${version}_${arch}.changes"
# Errors fail the run; warnings are shown, every one either mended or
# explained in an override.
lintian --fail-on error --info "$changes"
