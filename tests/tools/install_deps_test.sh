#!/usr/bin/env bash
# tools/install-deps.sh run by a user who is not root: with sudo it installs the missing
# packages through it; without sudo it says in one line what root has to run, and fails.
set -euo pipefail
SCRIPT=$(dirname "$0")/../../tools/install-deps.sh
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvane-deps.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# A machine where nothing is installed yet and the user is not root; every command that would
# change the system only writes down how it was called.
mkdir "$WORK/bin"
for tool in grep cat; do ln -s "$(command -v "$tool")" "$WORK/bin/$tool"; done
fake() { printf '#!/bin/bash\n%s\n' "$2" >"$WORK/bin/$1" && chmod +x "$WORK/bin/$1"; }
fake dpkg-query 'exit 1'
fake id 'echo 1000'
fake apt-get "echo \"apt-get \$*\" >>$WORK/calls"

run() { PATH=$WORK/bin /bin/bash "$SCRIPT" >"$WORK/out" 2>"$WORK/err"; }

# No sudo: one clear line on the error output, nothing run.
if run; then fail "succeeded without sudo"; fi
[ "$(wc -l <"$WORK/err")" -eq 1 ] || fail "not one line: $(cat "$WORK/err")"
grep -q 'as root run: apt-get update && apt-get install --no-install-recommends cmake .*xvfb' \
    "$WORK/err" || fail "does not say what to run as root: $(cat "$WORK/err")"
[ ! -s "$WORK/out" ] || fail "wrote to the standard output: $(cat "$WORK/out")"
[ ! -e "$WORK/calls" ] || fail "ran apt-get without being root: $(cat "$WORK/calls")"

# With sudo: the index is refreshed and the packages installed through it.
fake sudo "echo \"sudo \$*\" >>$WORK/calls"
run || fail "failed with sudo: $(cat "$WORK/err")"
grep -q '^sudo apt-get update' "$WORK/calls" || fail "index not refreshed: $(cat "$WORK/calls")"
grep -q '^sudo apt-get install .*--no-install-recommends cmake .*xvfb' "$WORK/calls" ||
    fail "packages not installed through sudo: $(cat "$WORK/calls")"
echo "install-deps OK"
