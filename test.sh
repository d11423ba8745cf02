#!/usr/bin/env bash
# Sets up everything and runs every test: the full build through CTest, then
# the core tests again under AddressSanitizer and UndefinedBehaviorSanitizer
# (built with clang, which also builds the fuzz targets, each run briefly).
set -euo pipefail
cd "$(dirname "$0")"

./tools/setup-debian.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

# On Debian the export module must be built: GDAL is among the packages above.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKELVRA_WERROR=ON \
    -DKELVRA_REQUIRE_GDAL=ON >/dev/null
cmake --build build -j "$jobs"
# The Python module is built wherever its packages are installed, as they are now.
if ! ls build/python/kelvra/_kelvra*.so >/dev/null 2>&1; then
    echo "test.sh: the Python module kelvra was not built (see cmake's output)" >&2
    exit 1
fi
ctest --test-dir build --output-on-failure -j "$jobs"

CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DKELVRA_CORE_ONLY=ON -DKELVRA_SANITIZE=ON -DKELVRA_FUZZ=ON -DKELVRA_BENCH=OFF \
    -DKELVRA_WERROR=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

# A short run of every fuzz target, seeded with the project's own inputs.
./tools/run-fuzzers.sh build-asan 20
