#!/usr/bin/env bash
# Installs what is needed, builds the program and starts it. Without a desktop session the
# window opens on a virtual X display (Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Configured once: on later starts the build itself re-runs CMake when a CMake file changed, and a
# start with nothing changed compiles nothing.
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cmake --build build -j "$(nproc)"
program=build/app/korvex-file-repair
if [ ! -x "$program" ]; then
  echo "The engine and its tests are built; the application window is not built yet."
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1440x900x24" "$program" "$@"
fi
exec "$program" "$@"
