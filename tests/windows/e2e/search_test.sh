#!/usr/bin/env bash
# The program under wine on the demo catalogue beside it: jeu and Enter give the counter 1/12
# and the first match in the labels, as a screen reader reads their window texts; the arrows
# page to 2/12 and back, and a right press on the right arrow jumps to 12/12.
source "$(dirname "$0")/wine_session.sh"
source "$(dirname "$0")/search_steps.sh"

[ -f "$(dirname "$ORVANE_EXE")/base.MDB" ] || fail "no demo catalogue beside the program"
start_program
wait_for_title "Orvane Zelkis" || fail "no window"
read -r ox oy < <(window_origin "Orvane Zelkis")

search_jeu
shoot_window "$ox" "$oy" 347 429 windows-jeu.png

click_at $((ox + 230)) $((oy + 275))
eventually text_is "Orvane Zelkis" "$LABEL4" "2/12" || fail "the right arrow did not page to 2/12"
eventually shown_is "Orvane Zelkis" "$PICTURE4" 1 || fail "the left arrow is not shown at 2/12"

click_at $((ox + 132)) $((oy + 275))
eventually text_is "Orvane Zelkis" "$LABEL4" "1/12" || fail "the left arrow did not page back to 1/12"
eventually shown_is "Orvane Zelkis" "$PICTURE4" 0 || fail "the left arrow is still shown at 1/12"

click_at $((ox + 230)) $((oy + 275)) 3
eventually text_is "Orvane Zelkis" "$LABEL4" "12/12" || fail "a right press did not jump to 12/12"
eventually shown_is "Orvane Zelkis" "$PICTURE5" 0 || fail "the right arrow is still shown at 12/12"
