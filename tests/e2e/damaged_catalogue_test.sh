#!/usr/bin/env bash
# A search on a damaged catalogue on which the Jet library loops for ever (in the properties of
# the file's own objects): while the window waits for the reading helper it stays live, so the
# close spot lights under the pointer; the helper's limits then end the read and a box (titled
# "Orvane") reports the damaged file. The damaged catalogue, the demo catalogue damaged here
# (by damage_catalogue, the path in ORVANE_DAMAGE), replaces the good one once the program runs.
source "$(dirname "$0")/x_session.sh"

# The program and its helper in a folder of their own, with a good catalogue at first.
app=$WORK/app
mkdir "$app"
cp "$ORVANE" "$(dirname "$ORVANE")/orvane-read-catalogue" "$app/"
cp "$(dirname "$ORVANE")/base.MDB" "$app/base.MDB"
ORVANE=$app/orvane
# The damaged copy: a chunk of length 0 and of unknown kind in the properties of its table, on
# which the library spins without end.
damaged=$WORK/damaged.mdb
"$ORVANE_DAMAGE" "$app/base.MDB" "$damaged" spins || fail "cannot damage the demo catalogue"

point_at() {
    read -r ox oy < <(window_origin "$ID")
    xdotool mousemove $((ox + $1)) $((oy + $2))
}
grab_close_spot() { grab_area "$ID" 7x7+279+65 "$1"; }
spot_is_lit() {
    grab_close_spot "$WORK/now.png"
    [ "$(differing "$WORK/dark.png" "$WORK/now.png")" -gt 10 ]
}
reading() { pgrep -P "$ORVANE_PID" -f orvane-read-catalogue >/dev/null; }

start_orvane
ID=$(wait_for_window "Orvane Zelkis") || fail "no window"
point_at 60 150
sleep 0.2
grab_close_spot "$WORK/dark.png"

# The catalogue is replaced while the program runs, so its read starts with the search.
cp "$damaged" "$app/base.MDB"
xdotool windowfocus --sync "$ID" 2>/dev/null || true
xdotool type --delay 20 jeu
xdotool key Return
reading || fail "no reading helper at work on the damaged catalogue"
point_at 290 76
eventually spot_is_lit || fail "the close spot did not light up while the catalogue was read"
reading || fail "the read ended before the close spot was seen lit"

wait_for_window "Orvane" >/dev/null || fail "no box about the damaged catalogue"
reading && fail "the reading helper still runs after the box"
kill -0 "$ORVANE_PID" || fail "the program ended"
echo "damaged catalogue OK"
