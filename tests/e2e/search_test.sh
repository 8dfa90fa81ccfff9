#!/usr/bin/env bash
# The real program on the demo catalogue beside it: typing jeu and Enter fills the green screen
# with the first match, and a left press on the right arrow shows the next one.
source "$(dirname "$0")/x_session.sh"

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

xdotool mousemove $((ox + 230)) $((oy + 275)) click 1
wait_for_change "$WORK/first.png" "$WORK/second.png" || fail "the right arrow did not show another match"

if [ -n "${ARTIFACTS:-}" ]; then
    mkdir -p "$ARTIFACTS"
    cp "$WORK/first.png" "$ARTIFACTS/search-first.png"
    cp "$WORK/second.png" "$ARTIFACTS/search-second.png"
fi
echo "search OK"
