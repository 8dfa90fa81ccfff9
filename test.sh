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
    local status=0
    (cd "$dir" && ctest --output-on-failure -j"$jobs" --timeout 300 --output-junit ctest-junit.xml) ||
        status=$?
    # ctest's summary names the skipped tests only: each one with its reason.
    python3 tools/skip-reasons.py "$dir/ctest-junit.xml"
    return $status
}

# Optimised without debug information, and the sanitizer build with line tables only: the
# compiler's time dominates the run, and these halve it without losing what the tests need.
echo "== Normal build =="
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -DNDEBUG"
echo "== AddressSanitizer + UndefinedBehaviorSanitizer build =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
    run_suite build-asan -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g1" -DORVANE_SANITIZE=ON
echo "== Windows build (mingw-w64), its tests under wine =="
./tests/windows/wine_stage.sh build-windows
echo "== Fuzz targets, briefly, from their seed corpora (clang, libFuzzer) =="
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
    -DORVANE_FUZZ=ON -DORVANE_FUZZ_SECONDS="${ORVANE_FUZZ_SECONDS:-15}" >/dev/null
fuzzers=$(sed -n 's/^orvane_add_fuzzer(\([A-Za-z0-9_]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
# shellcheck disable=SC2086
cmake --build build-fuzz -j"$jobs" --target $fuzzers
(cd build-fuzz && ctest --output-on-failure -L fuzz -j"$jobs")
echo "All tests passed."
