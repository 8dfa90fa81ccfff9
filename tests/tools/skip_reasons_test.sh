#!/usr/bin/env bash
# tools/skip-reasons.py: from a JUnit file as ctest writes it, the skipped tests only, each with
# the reason its output gives (GoogleTest's skip message, or a script's "SKIP: " line).
set -euo pipefail
SCRIPT=$(dirname "$0")/../../tools/skip-reasons.py
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvane-skips.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

cat >"$WORK/junit.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<testsuite name="(empty)" tests="5" failures="0" disabled="0" skipped="3">
	<testcase name="Jet.ReadsAccessFile" classname="Jet.ReadsAccessFile" status="notrun">
		<skipped message="SKIP_REGULAR_EXPRESSION_MATCHED"/>
		<system-out>[ RUN      ] Jet.ReadsAccessFile
jet_test.cpp:40: Skipped
public Access files not found in ../shared/fixtures
 (the shared fixtures folder)

[  SKIPPED ] Jet.ReadsAccessFile (0 ms)
[  SKIPPED ] 1 test, listed below:
</system-out>
	</testcase>
	<testcase name="format.clang_format" classname="format.clang_format" status="notrun">
		<skipped message="SKIP_RETURN_CODE=77"/>
		<system-out>SKIP: clang-format-14 not installed
</system-out>
	</testcase>
	<testcase name="Quiet.Skip" classname="Quiet.Skip" status="notrun">
		<skipped message="SKIP_REGULAR_EXPRESSION_MATCHED"/>
		<system-out>quiet.cpp:9: Skipped

[  SKIPPED ] Quiet.Skip (0 ms)
</system-out>
	</testcase>
	<testcase name="Passing.Prints" classname="Passing.Prints" status="run">
		<system-out>SKIP: not a skip, only printed
</system-out>
	</testcase>
	<testcase name="Failing.One" classname="Failing.One" status="fail">
		<failure message="Failed"/>
	</testcase>
</testsuite>
XML

python3 "$SCRIPT" "$WORK/junit.xml" >"$WORK/out" || fail "failed on a good file"
expected="3 tests skipped:
  Jet.ReadsAccessFile: public Access files not found in ../shared/fixtures (the shared fixtures folder)
  format.clang_format: clang-format-14 not installed
  Quiet.Skip: no reason given"
[ "$(cat "$WORK/out")" = "$expected" ] || fail "unexpected list: $(cat "$WORK/out")"

# Nothing skipped: nothing printed.
printf '<testsuite><testcase name="A" status="run"/></testsuite>\n' >"$WORK/none.xml"
python3 "$SCRIPT" "$WORK/none.xml" >"$WORK/out" || fail "failed with nothing skipped"
[ ! -s "$WORK/out" ] || fail "printed with nothing skipped: $(cat "$WORK/out")"
echo "skip reasons OK"
