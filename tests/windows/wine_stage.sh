#!/usr/bin/env bash
# Builds the Windows programs and their tests with mingw-w64, then runs the tests under wine:
# the core's and the Windows front end's unit tests, and the end-to-end tests of the program
# on a private X server. The build's wine prefixes are made afresh for each run.
#
#   tests/windows/wine_stage.sh [build folder, build-windows by default]
set -euo pipefail
cd "$(dirname "$0")/../.."
dir=$(realpath -m "${1:-build-windows}")
jobs=$(nproc)

rm -rf "$dir"/wineprefix "$dir"/wineprefix-desktop "$dir"/wineprefix*.lock "$dir"/e2e-artifacts
cmake -S . -B "$dir" --toolchain cmake/mingw-w64.cmake -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -DNDEBUG" >/dev/null
cmake --build "$dir" -j"$jobs"

status=0
(cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 300) || status=$?
# The unit tests' wine server lingers for a minute after them: end it now.
for prefix in "$dir"/wineprefix "$dir"/wineprefix-desktop; do
    if [ -d "$prefix" ]; then
        WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
    fi
done
exit $status
