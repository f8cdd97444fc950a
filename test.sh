#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, builds, and runs every test on
# Qt's offscreen platform. Run from anywhere; needs root or sudo for the packages.
set -euo pipefail
cd "$(dirname "$0")"
. ./scripts/deps.sh
install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
