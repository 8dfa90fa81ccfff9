#!/usr/bin/env bash
# A healthy catalogue on a slow medium replaced while the program runs, so that the search reads
# it; the disk stalls half-way through the file, longer than a stuck read is given. The window
# stays live (the close spot lights under the pointer), no failure is reported, and once the
# disk wakes the search shows its 1/12.
ACCESSIBILITY=1
source "$(dirname "$0")/x_session.sh"
source "$(dirname "$0")/slow_media.sh"

# Page by page, so that the read of the catalogue goes through the file in steps.
mount_slow_media --max-read 4096
start_from_medium
wait_for_read_end || fail "the read begun at start-up did not end"

# A new copy of the catalogue: the search cannot use what was read at start-up.
size=$(stat -c %s "$DISC/base.MDB")
cp "$DISC/base.MDB" "$DISC/copy.MDB"
mv "$DISC/copy.MDB" "$DISC/base.MDB"
tell_medium "stall $((size / 2))"

search_jeu
wait_for_stall || fail "the search did not read the second half of the catalogue"
[ "$(medium_says bytes_before_stall)" -gt 0 ] || fail "the stall came before the read began"
expect_live_window "waited for its disk"
hold_stall 6
expect_live_window "had waited six seconds for its disk"
reading || fail "no reading helper waits for the disk"
no_box || fail "a box reported a failure while the disk slept"

tell_medium wake
wait_for_read_end || fail "the read did not end once the disk woke"
read_aloud expect 181 277 name "1/12" || fail "the counter does not read 1/12"
no_box || fail "a box reported a failure"
echo "slow media during the search OK"
