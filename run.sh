#!/usr/bin/env bash
# Installs what a fresh Debian 12 desktop lacks, builds, creates db/db.mdb when it is
# missing, and starts the program with the repository as working directory.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run.sh: no display; on a machine without one run 'xvfb-run ./run.sh' or 'QT_QPA_PLATFORM=vnc ./run.sh' (then connect a VNC viewer to port 5900)." >&2
    exit 1
fi
. ./scripts/deps.sh
install_deps
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target helan makedb helan_sqlite
[ -f db/db.mdb ] || ./build/makedb db/db.mdb
exec ./build/helan
