#!/usr/bin/env bash
# Installs what is missing, builds, and starts Orvane Zelkis on the demo catalogue.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); cannot show the window." >&2
    exit 1
fi
exec ./build/orvane
