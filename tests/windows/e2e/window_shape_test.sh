#!/usr/bin/env bash
# The program under wine opens cut to the device's outline: the blue root shows through the
# cut corners and the hole inside the cable loop, the casing and the search field do not.
source "$(dirname "$0")/wine_session.sh"

start_program
wait_for_title "Orvane Zelkis" || fail "no window"
read -r ox oy < <(window_origin "Orvane Zelkis")

blue=0,0,255
is_blue() {
    screenshot "$WORK/shot.png"
    [ "$(pixel_at "$WORK/shot.png" $((ox + $1)) $((oy + $2)))" = "$blue" ]
}
not_blue() { ! is_blue "$@"; }

eventually not_blue 50 200 || fail "the casing does not show"
eventually not_blue 170 410 || fail "the search field does not show"
is_blue 331 351 || fail "the hole inside the cable loop is not see-through"
is_blue 0 0 || fail "the top-left corner is not cut away"
is_blue 345 5 || fail "the top-right corner is not cut away"

# The search field has the focus: typed text goes into it.
xdotool type --delay 30 "jeu"
eventually text_is "Orvane Zelkis" "$TEXT1" "jeu" || fail "typed text did not reach the search field"
