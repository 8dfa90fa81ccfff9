#!/usr/bin/env bash
# Times orvane-catalogue on a large synthetic catalogue from orvane-generate-catalogue:
# building the .MDB file, then reading it back through our reader and through mdb-export, each
# with its peak memory; and compares the file's size with the CSV's. Aims: building under 2 s,
# a file under 3 times the CSV.
#
# Usage: bench/catalogue_build_bench.sh [build folder] [rows]     (defaults: build, 100000)
set -euo pipefail

build=$(realpath "${1:-build}")
rows=${2:-100000}
builder=$build/orvane-catalogue
reader=$build/bench/jet_read_bench
generator=$build/orvane-generate-catalogue
for program in "$builder" "$reader" "$generator"; do
    [[ -x $program ]] || { echo "missing $program: build the project first" >&2; exit 1; }
done
[[ -x /usr/bin/time ]] || { echo "GNU time is missing (Debian package time)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Runs a command, quiet, and prints its wall time, processor time and peak memory.
measure() {
    local label=$1
    shift
    /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" > "$work/out"
    awk -v label="$label" '{ printf "%-28s %6.2f s (processor %.2f s)  peak memory %5.1f MB\n",
                             label, $1, $2 + $3, $4 / 1024 }' "$work/time"
}

csv=$work/catalogue.csv
"$generator" --rows "$rows" "$csv" > /dev/null
csv_bytes=$(stat -c %s "$csv")
awk -v rows="$rows" -v bytes="$csv_bytes" \
    'BEGIN { printf "catalogue: %d rows, CSV of %.1f MB\n", rows, bytes / 1048576 }'

measure "build (aim: under 2 s)" "$builder" "$csv" "$work/base.MDB"
mdb_bytes=$(stat -c %s "$work/base.MDB")
awk -v mdb="$mdb_bytes" -v csv="$csv_bytes" \
    'BEGIN { printf "file: %.1f MB, %.2f times the CSV (aim: under 3)\n", mdb / 1048576, mdb / csv }'

measure "read back (our reader)" "$reader" "$work/base.MDB"
cat "$work/out"
if command -v mdb-export > /dev/null; then
    measure "read back (mdb-export)" mdb-export "$work/base.MDB" Index
fi
