#!/bin/bash
# Cross-builds kelvra's Qt-free core, kelvra-cli and the core tests for 64-bit
# Windows with Debian's MinGW-w64, runs the tests under Wine and packs
# kelvra-cli and its data into an NSIS installer. Run as root on Debian 12.
#
#   tools/build-windows.sh [BUILD_DIR]      (default build-windows)
#
# The third-party libraries are built for Windows from Debian's own sources:
# libjpeg-turbo, giflib and libpng through `apt-get source` at the versions
# Debian 12 ships, GoogleTest from /usr/src/googletest; zlib is Debian's
# libz-mingw-w64-dev. Their builds are kept in KELVRA_WIN_CACHE (default
# /var/cache/kelvra-windows), one folder per version, so a rerun only builds
# kelvra. Environment: KELVRA_WIN_TESTS=0 skips the test run.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build-windows}")
cache=${KELVRA_WIN_CACHE:-/var/cache/kelvra-windows}
triplet=x86_64-w64-mingw32
toolchain=$root/dist/windows/mingw-w64-x86_64.cmake
jobs=${KELVRA_JOBS:-2}
export DEBIAN_FRONTEND=noninteractive

say() { echo "build-windows: $*" >&2; }

install_tools() {
    local wanted=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev
                  libz-mingw-w64-dev wine wine64 nsis dpkg-dev cmake ninja-build
                  googletest libjpeg62-turbo-dev libgif-dev libpng-dev)
    local missing=()
    for package in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    if ((${#missing[@]})); then
        say "installing ${missing[*]}"
        apt-get update -qq
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
    fi
}

# Debian's source packages, from the same archive as the binary ones.
enable_sources() {
    local list=/etc/apt/sources.list.d/kelvra-debian-src.sources
    if apt-get source --print-uris -qq giflib >/dev/null 2>&1; then
        return
    fi
    say "adding the deb-src entry for Debian's archive ($list)"
    cat >"$list" <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    apt-get update -qq
}

# The source version of the Debian package a library's headers come from,
# so the Windows build is of exactly what the Linux build links.
source_version() {
    dpkg-query -W -f='${source:Version}' "$1"
}

# Unpacks Debian's source package $1 into $3 (patches applied): version $2,
# or when the archive no longer has it (a security update since), the
# newest version it has of that package.
fetch_source() {
    local package=$1 version=$2 into=$3 candidate
    rm -rf "$into" && mkdir -p "$into"
    for candidate in "$version" $(apt-cache showsrc "$package" |
        awk '/^Version:/ {print $2}' | sort -rV); do
        if (cd "$into" && apt-get source -qq "$package=$candidate" >/dev/null 2>&1); then
            [[ "$candidate" == "$version" ]] || say "$package $version is gone; built $candidate"
            echo "$candidate" >"$into/../fetched-version"
            find "$into" -mindepth 1 -maxdepth 1 -type d | head -1
            return
        fi
        rm -rf "${into:?}"/*
    done
    say "no source of $package in the archive" && return 1
}

cmake_cross() {
    local source=$1 work=$2 prefix=$3
    shift 3
    nice cmake -S "$source" -B "$work" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" "$@" >/dev/null
    nice cmake --build "$work" -j"$jobs" >/dev/null
    cmake --install "$work" >/dev/null
}

build_jpeg() {
    local prefix=$1 work=$2 source
    source=$(fetch_source libjpeg-turbo "$(source_version libjpeg62-turbo-dev)" "$work/src")
    # Without the SIMD code (it would need nasm): the same decoder output.
    cmake_cross "$source" "$work/build" "$prefix" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
        -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -DCMAKE_INSTALL_LIBDIR="$prefix/lib"
}

# giflib builds with a plain Makefile for Unix; its library is a handful of
# C files, compiled here as its Makefile does.
build_gif() {
    local prefix=$1 work=$2 source objects=()
    source=$(fetch_source giflib "$(source_version libgif-dev)" "$work/src")
    mkdir -p "$work/obj" "$prefix/lib" "$prefix/include"
    for file in dgif_lib egif_lib gifalloc gif_err gif_font gif_hash openbsd-reallocarray; do
        nice $triplet-gcc-posix -O2 -Wall -c "$source/$file.c" -o "$work/obj/$file.o"
        objects+=("$work/obj/$file.o")
    done
    $triplet-ar rcs "$prefix/lib/libgif.a" "${objects[@]}"
    cp "$source/gif_lib.h" "$prefix/include/"
}

build_png() {
    local prefix=$1 work=$2 source
    source=$(fetch_source libpng1.6 "$(source_version libpng-dev)" "$work/src")
    cmake_cross "$source" "$work/build" "$prefix" -DPNG_SHARED=OFF -DPNG_STATIC=ON \
        -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
        -DCMAKE_INSTALL_LIBDIR=lib -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON
}

build_gtest() {
    local prefix=$1 work=$2
    cmake_cross /usr/src/googletest "$work/build" "$prefix" -DBUILD_GMOCK=OFF \
        -Dgtest_disable_pthreads=OFF -DCMAKE_INSTALL_LIBDIR=lib
}

# Builds library $1 with build_$1 into the cache unless that version is there.
cached() {
    local name=$1 version=$2
    local prefix="$cache/$name-${version//[:~]/_}"
    if [[ ! -f "$prefix/.done" ]]; then
        say "building $name $version for Windows"
        rm -rf "$prefix" "$cache/work-$name"
        mkdir -p "$prefix" "$cache/work-$name"
        "build_$name" "$prefix" "$cache/work-$name"
        cp "$cache/work-$name/fetched-version" "$prefix/.done" 2>/dev/null || touch "$prefix/.done"
        rm -rf "$cache/work-$name"
    fi
    prefixes+=("$prefix")
}

# Wine keeps its own Windows folder; one of this build's, set up quietly.
prepare_wine() {
    export WINEPREFIX="$cache/wine" WINEDEBUG=-all WINEARCH=win64
    if [[ ! -f "$WINEPREFIX/system.reg" ]]; then
        say "setting up Wine in $WINEPREFIX"
        nice wineboot --init >/dev/null 2>&1 || true
        wineserver -w || true
    fi
    # Kept running between the tests' processes (each would start it anew),
    # and gone half a minute after the last one.
    wineserver -p30 || true
}

install_tools
enable_sources
mkdir -p "$cache"
prefixes=()
cached jpeg "$(source_version libjpeg62-turbo-dev)"
cached gif "$(source_version libgif-dev)"
cached png "$(source_version libpng-dev)"
cached gtest "$(source_version googletest)"

# Optimised as the Linux build (RelWithDebInfo) is, without its debugging
# information: GCC 12 at -O3 warns of bounds it cannot see through.
say "cross-building kelvra in $build"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root} CCACHE_DIR=${CCACHE_DIR:-$cache/ccache}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
prefix_list=$(IFS=';' && echo "${prefixes[*]}")
nice cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DKELVRA_WIN_PREFIX="$prefix_list" -DCMAKE_BUILD_TYPE=Release -DKELVRA_CORE_ONLY=ON \
    -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DKELVRA_WERROR=ON -DKELVRA_BENCH=OFF -DKELVRA_PYTHON=OFF -DKELVRA_GDAL=OFF \
    "${launcher[@]}" >/dev/null
nice cmake --build "$build" -j"$jobs"

prepare_wine
if [[ "${KELVRA_WIN_TESTS:-1}" != 0 ]]; then
    say "running the tests under Wine"
    nice ctest --test-dir "$build" -j"$jobs" --output-on-failure
fi

say "making the installer"
nice cmake --build "$build" --target kelvra-installer
installer=$(ls "$build"/kelvra-cli-*-setup.exe)

# The installer is 64-bit, so Wine runs it: installed silently into a
# folder of the Wine prefix, the program run from elsewhere, then removed.
check_installer() {
    local folder='C:\kelvra-installer-check' unix="$WINEPREFIX/drive_c/kelvra-installer-check"
    rm -rf "$unix"
    wine "$installer" /S "/D=$folder"
    (cd "$unix/dat" && find . -type f | sort | sed 's|^\./|  dat/|')
    ls "$unix" | grep -v '^dat$' | sed 's|^|  |'
    local files expected
    files=$(cd "$unix/dat" && find . -type f | wc -l)
    expected=$(cd "$root/dat" && find . -type f ! -name README.md | wc -l)
    [[ -f "$unix/kelvra-cli.exe" && -f "$unix/uninstall.exe" && "$files" == "$expected" ]] ||
        { say "the installer does not hold kelvra-cli.exe and the $expected data files"; return 1; }
    (cd "$cache" && wine "$unix/kelvra-cli.exe" --help >/dev/null) ||
        { say "the installed kelvra-cli does not run"; return 1; }
    wine "$unix/uninstall.exe" /S "_?=$folder"
    rm -f "$unix/uninstall.exe"
    rmdir "$unix" 2>/dev/null || { say "the uninstaller left files behind"; return 1; }
    say "installer checked: $installer"
}
check_installer
