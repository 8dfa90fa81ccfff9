#!/usr/bin/env bash
# tools/install-deps.sh on a machine where nothing is installed yet. A user who is not root
# installs through sudo, or without it is told in one line what root has to run. Each step
# prints one line; apt's output goes to a log that is named when a step fails and removed
# otherwise.
set -euo pipefail
SCRIPT=$(dirname "$0")/../../tools/install-deps.sh
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvane-deps.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# Every command that would change the system only writes down how it was called.
mkdir "$WORK/bin" "$WORK/tmp"
for tool in grep cat env mktemp rm; do ln -s "$(command -v "$tool")" "$WORK/bin/$tool"; done
fake() { printf '#!/bin/bash\n%s\n' "$2" >"$WORK/bin/$1" && chmod +x "$WORK/bin/$1"; }
fake dpkg-query 'exit 1'
fake id 'echo 1000'
fake apt-get "echo \"apt-get \$*\" >>$WORK/calls"

run() {
    rm -f "$WORK/calls"
    TMPDIR=$WORK/tmp PATH=$WORK/bin /bin/bash "$SCRIPT" >"$WORK/out" 2>"$WORK/err"
}
logs() { find "$WORK/tmp" -type f; }

# No sudo: one clear line on the error output, nothing run.
if run; then fail "succeeded without sudo"; fi
[ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "not one line: $(cat "$WORK/err")"
grep -q 'as root run: apt-get update && apt-get install --no-install-recommends cmake .*xvfb' \
    "$WORK/err" || fail "does not say what to run as root: $(cat "$WORK/err")"
[ ! -s "$WORK/out" ] || fail "wrote to the standard output: $(cat "$WORK/out")"
[ ! -e "$WORK/calls" ] || fail "ran apt-get without being root: $(cat "$WORK/calls")"

# With sudo: the index is refreshed and the packages installed through it, without questions;
# a line for each of the two steps, and no log left behind.
fake sudo "echo \"sudo \$*\" >>$WORK/calls; shift 2; \"\$@\""
run || fail "failed with sudo: $(cat "$WORK/err")"
grep -q '^sudo env DEBIAN_FRONTEND=noninteractive apt-get update' "$WORK/calls" ||
    fail "index not refreshed: $(cat "$WORK/calls")"
grep -q '^sudo env DEBIAN_FRONTEND=noninteractive apt-get install .*--no-install-recommends cmake .*xvfb' \
    "$WORK/calls" || fail "packages not installed through sudo: $(cat "$WORK/calls")"
[ "$(wc -l <"$WORK/out")" -eq 2 ] || fail "not one line per step: $(cat "$WORK/out")"
[ -z "$(logs)" ] || fail "a log left after a good install: $(logs)"

# As root, an install that fails: the script fails, its error names the log, and the log holds
# what apt said.
fake id 'echo 0'
fake apt-get "echo \"apt-get \$*\" >>$WORK/calls
[ \"\$1\" = install ] || exit 0
echo 'Unpacking cmake ...'; echo 'E: Sub-process /usr/bin/dpkg returned an error code (1)' >&2
exit 100"
if run; then fail "succeeded although apt-get failed"; fi
grep -q '^apt-get install' "$WORK/calls" || fail "apt-get not run as root: $(cat "$WORK/calls")"
log=$(logs)
[ -n "$log" ] || fail "no log kept after a failure"
grep -qF "see $log" "$WORK/err" || fail "the error does not name the log: $(cat "$WORK/err")"
grep -q 'Unpacking cmake' "$log" || fail "the log lacks apt's output: $(cat "$log")"
grep -q 'dpkg returned an error code' "$log" || fail "the log lacks apt's errors: $(cat "$log")"
[ "$(wc -l <"$WORK/out")" -eq 2 ] || fail "not one line per step: $(cat "$WORK/out")"
if grep -q 'Unpacking' "$WORK/out" "$WORK/err"; then fail "apt's output not kept out of sight"; fi
echo "install-deps OK"
