#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in a normal build and in a
# build with AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
./tools/install-deps.sh

jobs=$(nproc)
run_suite() {
    local dir=$1
    shift
    cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
    cmake --build "$dir" -j"$jobs"
    (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 300)
}

echo "== Normal build =="
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DORVANE_SANITIZE=ON
echo "All tests passed."
