#!/usr/bin/env bash
# A press on the close spot hides the window and shows the about box titled "L'Orvane
# Zelkis"; once it is dismissed the program has ended.
source "$(dirname "$0")/wine_session.sh"

start_program
wait_for_title "Orvane Zelkis" || fail "no window"
read -r ox oy < <(window_origin "Orvane Zelkis")

click_at $((ox + 286)) $((oy + 72))
wait_for_title "L'Orvane Zelkis" || fail "no about box after the close spot's press"
[ "$(count_titled "Orvane Zelkis")" = 0 ] || fail "the window is still shown beside the about box"

dismiss "L'Orvane Zelkis"
eventually gone "$PROGRAM_PID" || fail "the program did not end after the about box"
