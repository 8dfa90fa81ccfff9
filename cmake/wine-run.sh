#!/bin/sh
# Runs a Windows program under wine: the emulator of the Windows build.
#
#   wine-run.sh <default prefix> <program.exe> [arguments...]
#
# The prefix is WINEPREFIX when the caller sets one, else the build's own, made on first use.
# Wine's server and its services stay up between programs (started here, away from the
# caller's output, so a test runner reading that output is not kept waiting by them), which
# makes each later start take a fraction of a second instead of seconds.
set -eu
WINEPREFIX=${WINEPREFIX:-$1}
shift
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -w
fi
if wineserver -p"${ORVANE_WINE_PERSIST:-60}" </dev/null >/dev/null 2>&1; then
    wine cmd /c exit </dev/null >/dev/null 2>&1
fi
flock -u 9
exec 9>&-

exec wine "$@"
