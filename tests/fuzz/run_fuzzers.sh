#!/bin/sh
# Runs every fuzz target for the given number of seconds (default 180), one after the other,
# from its seed corpus. New inputs are kept in the build folder; crashes are written there too.
# Usage: tests/fuzz/run_fuzzers.sh [seconds]   (env BUILD_DIR, default build-fuzz)
set -eu
seconds=${1:-180}
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD_DIR:-$root/build-fuzz}

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DORVANE_FUZZ=ON -DORVANE_TESTS=ON >/dev/null
targets=$(sed -n 's/^orvane_add_fuzzer(\([A-Za-z0-9_]*\).*/\1/p' "$here/CMakeLists.txt")
# shellcheck disable=SC2086
cmake --build "$build" -j2 --target $targets

status=0
for target in $targets; do
    scratch="$build/tests/fuzz/corpus/$target"
    artifacts="$build/tests/fuzz/artifacts/$target"
    mkdir -p "$scratch" "$artifacts"
    echo "== $target: $seconds s"
    if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$artifacts/" "$scratch" "$here/corpus/$target"; then
        echo "== $target FAILED: see $artifacts" >&2
        status=1
    fi
done
exit $status
