#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test (engine, sanitizer build,
# application, fuzz replay). Works without a display.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
