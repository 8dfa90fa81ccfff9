#!/usr/bin/env bash
# The real program on the demo catalogue beside it: typing jeu and Enter fills the green screen
# with the first match, which a screen reader reads too; the right arrow's accessible action
# shows the next match, and a left press on it the one after.
ACCESSIBILITY=1
source "$(dirname "$0")/x_session.sh"
read_aloud() { /usr/bin/python3 "$(dirname "$0")/atspi_read.py" "$@"; }

catalogue=$(dirname "$ORVANE")/base.MDB
[ -f "$catalogue" ] || fail "no demo catalogue beside the program: $catalogue"
skin=$(dirname "$0")/../../resources/skin.bmp

# The screen area with the three field labels, in window pixels.
AREA="160x200+102+63"

# Crops the screen area out of a fresh screenshot into the given file.
shoot_area() {
    local shot=$WORK/shot.png
    screenshot "$shot"
    convert "$shot" -crop "160x200+$((ox + 102))+$((oy + 63))" +repage "$1"
}

# Polls until the screen area differs from the given image in more than 50 pixels; the new
# area is left in the second file.
wait_for_change() {
    local from=$1 to=$2 tries=0
    while :; do
        shoot_area "$to"
        [ "$(differing "$from" "$to")" -gt 50 ] && return 0
        tries=$((tries + 1)); [ $tries -gt 100 ] && return 1
        sleep 0.1
    done
}

start_orvane
id=$(wait_for_window "Orvane Zelkis") || fail "no window"
read -r ox oy < <(window_origin "$id")

# Before any search the area shows the bare skin.
convert "$skin" -crop "$AREA" +repage "$WORK/skin-area.png"
tries=0
until shoot_area "$WORK/empty.png" && [ "$(differing "$WORK/skin-area.png" "$WORK/empty.png")" -eq 0 ]; do
    tries=$((tries + 1)); [ $tries -gt 50 ] && fail "screen area not empty before the search"
    sleep 0.1
done

xdotool windowfocus --sync "$id" 2>/dev/null || true
xdotool type --delay 30 jeu
xdotool key Return
wait_for_change "$WORK/empty.png" "$WORK/first.png" || fail "no text on the screen after the search"

# The counter, Label4, and the name of the first match, Label6, as a screen reader reads them.
first_nom=$(/usr/bin/python3 -c '
import csv, sys
rows = csv.DictReader(open(sys.argv[1], encoding="utf-8"))
print(next(r["Nom"] for r in rows if "jeu" in (r["Nom"] + r["Description"]).lower()))
' "$(dirname "$0")/../../resources/demo/catalogue.csv")
read_aloud expect 181 277 name "1/12" || fail "the counter does not read 1/12"
read_aloud expect 181 277 text "1/12" || fail "the counter's text does not read 1/12"
read_aloud expect 181 73 name "$first_nom" || fail "the name label does not read $first_nom"
read_aloud expect 181 73 role label || fail "Label6 is not a label"
read_aloud expect 172 409 name Recherche || fail "the search box is not named"
read_aloud absent 133 275 || fail "the hidden left arrow is offered"
read_aloud expect 231 275 name "Fiche suivante" || fail "the right arrow is not named"

read_aloud act 231 275 Press 181 277 || fail "the right arrow's press action did not announce a new counter"
read_aloud expect 181 277 name "2/12" || fail "the right arrow's action did not page to 2/12"
wait_for_change "$WORK/first.png" "$WORK/second.png" || fail "the action did not show another match"
read_aloud expect 133 275 name "Fiche précédente" || fail "the left arrow is not offered at 2/12"

xdotool mousemove $((ox + 230)) $((oy + 275)) click 1
wait_for_change "$WORK/second.png" "$WORK/third.png" || fail "the right arrow did not show another match"
read_aloud expect 181 277 name "3/12" || fail "the counter does not read 3/12 after the press"

if [ -n "${ARTIFACTS:-}" ]; then
    mkdir -p "$ARTIFACTS"
    cp "$WORK/first.png" "$ARTIFACTS/search-first.png"
    cp "$WORK/second.png" "$ARTIFACTS/search-second.png"
    cp "$WORK/third.png" "$ARTIFACTS/search-third.png"
fi
echo "search OK"
