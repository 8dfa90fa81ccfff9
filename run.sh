#!/usr/bin/env bash
# Installs what is missing, builds the program, its catalogue reader and the demo catalogue,
# and starts Orvane Zelkis on that catalogue.
set -euo pipefail
cd "$(dirname "$0")"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run.sh: no display (neither DISPLAY nor WAYLAND_DISPLAY is set); cannot show the window." >&2
    exit 1
fi
./tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# Only what runs: the tests and benchmarks are built by test.sh.
cmake --build build -j"$(nproc)" --target orvane orvane-read-catalogue demo_catalogue
exec ./build/orvane
