#!/usr/bin/env bash
# The program, its helper and a healthy catalogue on a medium whose disk sleeps when the program
# starts: the read begun at start-up waits for it, longer than a stuck read is given, and the
# search typed meanwhile waits too, with the window live (the close spot lights under the
# pointer) and no failure reported. Once the disk wakes, the search shows its 1/12.
ACCESSIBILITY=1
source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/slow_media.sh"

# The catalogue's very first access stalls, looking it up included.
mount_slow_media --stall-from 0 --stall-metadata
start_from_medium
wait_for_stall || fail "the catalogue was not read at start-up"

search_jeu
expect_live_window "waited for its disk"
hold_stall 6
expect_live_window "had waited six seconds for its disk"
[ "$(medium_says waiting)" -gt 0 ] || fail "nothing waits for the disk any more"
no_box || fail "a box reported a failure while the disk slept"

tell_medium wake
wait_for_read_end || fail "the read did not end once the disk woke"
read_aloud expect 181 277 name "1/12" || fail "the counter does not read 1/12"
no_box || fail "a box reported a failure"
[ "$(medium_says stalls)" = 1 ] || fail "the medium stalled $(medium_says stalls) times"
echo "slow media at start-up OK"
