#!/usr/bin/env bash
# Builds a Debug build with coverage into build-coverage/, runs every test there on
# Qt's offscreen platform, and prints the line coverage of src/ per file and in total.
# Run from anywhere; needs root or sudo for the packages. JOBS limits the parallel work.
set -euo pipefail
cd "$(dirname "$0")/.."
. ./scripts/deps.sh
PACKAGES="$PACKAGES gcovr"
install_deps
jobs="${JOBS:-$(nproc)}"
cmake -S . -B build-coverage -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage \
    -DCMAKE_SHARED_LINKER_FLAGS=--coverage -DCMAKE_MODULE_LINKER_FLAGS=--coverage >/dev/null
cmake --build build-coverage -j"$jobs"
# Counts of an earlier run would add up with this one's.
find build-coverage -name '*.gcda' -delete
(cd build-coverage && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$jobs")
gcovr --root . --filter 'src/' --print-summary build-coverage
