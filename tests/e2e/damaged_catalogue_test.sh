#!/usr/bin/env bash
# A search on a catalogue whose read does not end. First with a reading helper that the test
# holds for as long as it looks: the window stays live while it waits, so the close spot lights
# under the pointer. Then with the real helper on a catalogue that lost its last page: a box
# (titled "Orvane") reports the damaged file, no helper is left and the program goes on. The
# damaged catalogue, the demo catalogue cut here, replaces the good one once the program runs.
source "$(dirname "$0")/x_session.sh"
# shellcheck source=tests/e2e/close_spot.sh
source "$(dirname "$0")/close_spot.sh"

# The program and its helper in a folder of their own, with a good catalogue at first.
app=$WORK/app
mkdir "$app"
cp "$ORVANE" "$(dirname "$ORVANE")/orvane-read-catalogue" "$app/"
cp "$(dirname "$ORVANE")/base.MDB" "$app/base.MDB"
ORVANE_BUILT=$ORVANE
ORVANE=$app/orvane
# The damaged copy: the demo catalogue without its last page.
damaged=$WORK/damaged.mdb
head -c $(($(stat -c %s "$app/base.MDB") - 4096)) "$app/base.MDB" >"$damaged" ||
    fail "cannot damage the demo catalogue"

# A helper that begins a frame of one row and sends it a byte at a time, never silent for long, until the
# file released appears; it then ends with the row unfinished.
cp "$app/orvane-read-catalogue" "$WORK/real-reader"
cat >"$WORK/held-reader" <<HELD
#!/bin/sh
printf 'ORVCAT3\nOB\001\000\000\000\377\377\017\000'
while [ ! -e '$WORK/released' ]; do printf a; sleep 0.1; done
HELD
chmod +x "$WORK/held-reader"
# The close spot as the skin has it, unlit.
save_unlit_close_spot

reading() { pgrep -P "$ORVANE_PID" -f orvane-read-catalogue >/dev/null; }
# Starts the program on the good catalogue, then puts the given helper (renamed into place: the
# first may still run) and the damaged catalogue in their places and searches, so that the read
# starts with the search.
search_damaged_with() {
    cp "$(dirname "$ORVANE_BUILT")/base.MDB" "$app/base.MDB"
    cp "$WORK/real-reader" "$app/orvane-read-catalogue.new"
    mv "$app/orvane-read-catalogue.new" "$app/orvane-read-catalogue"
    start_orvane
    ID=$(wait_for_window "Orvane Zelkis") || fail "no window"
    point_at 60 150
    eventually spot_is_dark || fail "the window does not show the close spot dark"
    cp "$1" "$app/orvane-read-catalogue.new"
    mv "$app/orvane-read-catalogue.new" "$app/orvane-read-catalogue"
    cp "$damaged" "$app/base.MDB"
    xdotool windowfocus --sync "$ID" 2>/dev/null || true
    xdotool type --delay 20 jeu
    xdotool key Return
}

# The held helper: the spot lights while it reads, however long looking takes.
search_damaged_with "$WORK/held-reader"
eventually reading || fail "no reading helper at work"
point_at 290 76
eventually spot_is_lit || fail "the close spot did not light up while the catalogue was read"
reading || fail "the held read ended before the close spot was seen lit"
touch "$WORK/released"
wait_for_window "Orvane" >/dev/null || fail "no box about the read that stopped short"
kill -9 "$ORVANE_PID"
wait "$ORVANE_PID" 2>/dev/null || true

# The real helper: the box reports the damaged file.
search_damaged_with "$WORK/real-reader"
wait_for_window "Orvane" >/dev/null || fail "no box about the damaged catalogue"
reading && fail "the reading helper still runs after the box"
kill -0 "$ORVANE_PID" || fail "the program ended"
echo "damaged catalogue OK"
