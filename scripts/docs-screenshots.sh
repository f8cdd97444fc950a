#!/usr/bin/env bash
# Renders the pictures of the README's tour into docs/ with the screenshot tool and
# the sample restaurant: builds the tool, then one PNG per window, in tour order.
# Run from anywhere, after the packages are installed (./test.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
windows=(login main option menumanage menuattr tableManage employee reserveManage reserve
         sell carte ticket celerityServing tollStation reckoning prick
         sellReport sellStatReport menuInsStatReport)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target screenshot
mkdir -p docs
for window in "${windows[@]}"; do
    QT_QPA_PLATFORM=offscreen ./build/screenshot "$window" "docs/$window.png" 2>/dev/null
done
echo "docs-screenshots.sh: ${#windows[@]} pictures in docs/"
