#!/usr/bin/env bash
# Our Jet reader against `mdb-export base.MDB Index | grep -ci WORD` on a synthetic catalogue, in
# the same run: reading the whole table Index and counting the rows that hold the word. Each
# side's time is the median of three runs. The last line sums it up:
#   summary rows=N ours_ms=O ours_two_threads_ms=T baseline_ms=B ratio=B/O ratio_two_threads=B/T
#
# Usage: bench/jet_read_bench.sh [build folder] [rows] [word]   (defaults: build, 1000000, jeu)
# With ORVANE_BENCH_CATALOGUES set to a folder, the catalogues are kept there and reused.
set -euo pipefail

build=$(realpath "${1:-build}")
rows=${2:-1000000}
word=${3:-jeu}
bench=$build/bench/jet_read_bench
for program in "$bench" "$build/orvane-catalogue" "$build/orvane-generate-catalogue"; do
    [[ -x $program ]] || { echo "missing $program: build the project first" >&2; exit 1; }
done
command -v mdb-export > /dev/null || { echo "mdb-export is missing (Debian package mdbtools)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
catalogues=${ORVANE_BENCH_CATALOGUES:-$work}
mkdir -p "$catalogues"
file=$catalogues/rows-$rows-$word
if [[ ! -s $file.MDB ]]; then
    "$build/orvane-generate-catalogue" --rows "$rows" --word "$word" "$file.csv" > /dev/null
    "$build/orvane-catalogue" "$file.csv" "$file.MDB.part" > /dev/null
    mv "$file.MDB.part" "$file.MDB"
fi

median() { sort -g | sed -n 2p; }
ours() { # threads
    for _ in 1 2 3; do
        "$bench" "$file.MDB" "$word" 1 "$1" | awk '$1 == "read_ms" { print $2 }'
    done | median
}
baseline() {
    for _ in 1 2 3; do
        local start end
        start=$(date +%s%N)
        mdb-export "$file.MDB" Index | grep -ci "$word" > /dev/null
        end=$(date +%s%N)
        echo $(((end - start) / 1000000))
    done | median
}

ours_ms=$(ours 1)
two_ms=$(ours 2)
baseline_ms=$(baseline)
echo "summary rows=$rows ours_ms=$ours_ms ours_two_threads_ms=$two_ms baseline_ms=$baseline_ms" \
     "ratio=$(awk -v b="$baseline_ms" -v o="$ours_ms" 'BEGIN { printf "%.1f", b / o }')" \
     "ratio_two_threads=$(awk -v b="$baseline_ms" -v o="$two_ms" 'BEGIN { printf "%.1f", b / o }')"
