#!/bin/sh
# Runs a Windows program under wine: the emulator of the Windows build.
#
#   wine-run.sh <default prefix> <program.exe> [arguments...]
#
# The prefix is WINEPREFIX when the caller sets one, else the build's own, made on first use
# with wine's display-less graphics driver: the tests make real windows and controls, and need
# no X server for it. Wine's server and its services stay up between programs (started here,
# away from the caller's output, so a test runner reading that output is not kept waiting by
# them), which makes each later start take a fraction of a second instead of seconds.
set -eu
own_prefix=$1
shift
export WINEPREFIX=${WINEPREFIX:-$own_prefix}
export WINEDEBUG=${WINEDEBUG:--all}

mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>>"$WINEPREFIX.lock"
flock 9
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1
    if [ "$WINEPREFIX" = "$own_prefix" ]; then
        wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
    fi
    wineserver -w
fi
if wineserver -p"${ORVANE_WINE_PERSIST:-60}" </dev/null >/dev/null 2>&1; then
    wine cmd /c exit </dev/null >/dev/null 2>&1
fi
flock -u 9
exec 9>&-

exec wine "$@"
