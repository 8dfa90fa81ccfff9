# Sourced after x_session.sh by the tests on a slow medium: the program, its reading helper and
# the demo catalogue on a FUSE file system (slow_media, the path in SLOW_MEDIA) that stalls when
# told and wakes when told, so that no test depends on how long anything takes.
# Provides: mount_slow_media, tell_medium, medium_says, wait_for_stall, hold_stall,
# start_from_medium, search_jeu, patiently, expect_live_window, reading, wait_for_read_end,
# no_box, read_aloud.

# shellcheck source=tests/e2e/close_spot.sh
source "$(dirname "$0")/close_spot.sh"

skip() {
    echo "SKIP: $*" >&2
    exit 77
}

[ -n "${SLOW_MEDIA:-}" ] && [ -x "$SLOW_MEDIA" ] ||
    skip "slow_media is not built (no libfuse3 development files)"
[ -c /dev/fuse ] && [ -r /dev/fuse ] && [ -w /dev/fuse ] || skip "/dev/fuse cannot be used here"
command -v fusermount3 >/dev/null || skip "fusermount3 is not installed"

save_unlit_close_spot
DISC=$WORK/disc
MOUNT=$WORK/mnt
CONTROL=$WORK/medium-control
STATUS=$WORK/medium-status

# The stalled medium is unmounted before the session's cleanup, which would otherwise try to
# delete the files it shows.
unmount_slow_media() {
    fusermount3 -u -z "$MOUNT" 2>/dev/null || true
    cleanup
}
trap unmount_slow_media EXIT

# Copies the program, its helper and the demo catalogue onto the medium, mounts it with the
# given slow_media options and points ORVANE at the program there.
mount_slow_media() {
    local build
    build=$(dirname "$ORVANE")
    mkdir "$DISC" "$MOUNT"
    cp "$ORVANE" "$build/orvane-read-catalogue" "$build/base.MDB" "$DISC/"
    "$SLOW_MEDIA" --control "$CONTROL" --status "$STATUS" --stall-file base.MDB "$@" \
        "$DISC" "$MOUNT" >"$WORK/slow_media.log" 2>&1 &
    PIDS+=($!)
    local tries=0
    until [ -x "$MOUNT/orvane" ] && [ -p "$CONTROL" ]; do
        tries=$((tries + 1))
        [ $tries -gt 100 ] && fail "the slow medium did not mount: $(cat "$WORK/slow_media.log")"
        sleep 0.05
    done
    ORVANE=$MOUNT/orvane
}

# Gives the medium a command: "stall OFFSET" or "wake".
tell_medium() {
    timeout 10 sh -c 'echo "$1" >"$2"' sh "$1" "$CONTROL" || fail "the slow medium took no command"
}

# Prints a value of the medium's status: state, stalls, waiting, bytes, bytes_before_stall.
medium_says() {
    sed -n "s/^$1=//p" "$STATUS"
}

# Waits until a read of the catalogue waits on the stalled medium; the time it began is left in
# STALL_BEGAN (seconds since the epoch).
wait_for_stall() {
    local tries=0
    until [ "$(medium_says waiting)" -gt 0 ] 2>/dev/null; do
        tries=$((tries + 1)); [ $tries -gt 300 ] && return 1
        sleep 0.1
    done
    STALL_BEGAN=$(date +%s)
}

# Keeps the medium stalled until the given number of seconds have passed since the stall began:
# longer than a reader waits when it takes silence for a stuck read.
hold_stall() {
    local until=$((STALL_BEGAN + $1))
    while [ "$(date +%s)" -lt "$until" ]; do sleep 0.2; done
    [ "$(medium_says state)" = stalled ] || fail "the medium woke up by itself"
}

# Retries a check for up to ten seconds: the medium waits for the test, not the other way round.
patiently() {
    local tries=0
    until "$@"; do
        tries=$((tries + 1)); [ $tries -gt 100 ] && return 1
        sleep 0.1
    done
}

# While the catalogue waits for its disk, the window answers the pointer: the close spot lights
# under it and goes out when it leaves.
expect_live_window() {
    point_at 290 76
    patiently spot_is_lit || fail "the close spot did not light while the catalogue $1"
    point_at 60 150
    patiently spot_is_dark || fail "the close spot stayed lit while the catalogue $1"
}

reading() { pgrep -P "$ORVANE_PID" -f orvane-read-catalogue >/dev/null; }

wait_for_read_end() {
    local tries=0
    while reading; do
        tries=$((tries + 1)); [ $tries -gt 300 ] && return 1
        sleep 0.1
    done
}

# No box (titled "Orvane") reports a failure.
no_box() { ! xdotool search --onlyvisible --name '^Orvane$' >/dev/null 2>&1; }

read_aloud() { /usr/bin/python3 "$(dirname "$0")/atspi_read.py" "$@"; }

# Starts the program from the medium and waits for its window, whose id is left in ID, painted
# with the pointer on the screen area.
start_from_medium() {
    start_orvane
    ID=$(wait_for_window "Orvane Zelkis") || fail "no window"
    point_at 60 150
    patiently spot_is_dark || fail "the window does not show the close spot dark"
}

# Types a search for jeu into the window.
search_jeu() {
    xdotool windowfocus --sync "$ID" 2>/dev/null || true
    xdotool type --delay 20 jeu
    xdotool key Return
}
