#!/usr/bin/env bash
# Installs the Debian packages kelvra needs, only when something is missing,
# so a second run costs a dpkg query and nothing more.
set -euo pipefail

packages=(
    cmake g++ ninja-build clang libclang-rt-14-dev
    qt6-base-dev libgl-dev qt6-translations-l10n
    libjpeg62-turbo-dev libjpeg-turbo-progs libgif-dev libpng-dev libfreetype-dev
    libgtest-dev libbenchmark-dev libproj-dev
    libgdal-dev gdal-bin python3-gdal python3-xarray python3-netcdf4
    fonts-wqy-zenhei fonts-liberation
    xvfb xauth
    desktop-file-utils appstream libxml2-utils shared-mime-info groff-base
    debhelper dpkg-dev fakeroot lintian
    python3-pil python3-opencv python3-contourpy python3-pyproj python3-matplotlib imagemagick
    python3-dev python3-pybind11 python3-numpy python3-xarray python3-dask python3-distributed
    python3-pandas python3-pytest
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "kelvra: installing ${missing[*]}"
    if [ "$(id -u)" -ne 0 ]; then
        echo "kelvra: these packages are missing and installing them needs root: ${missing[*]}" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
