#!/usr/bin/env bash
# A second copy warns that the program already runs, in a box titled "Orvane déjà lancé", and
# ends once the box is dismissed without ever showing a window; the first copy goes on.
source "$(dirname "$0")/wine_session.sh"

start_program
first=$PROGRAM_PID
wait_for_title "Orvane Zelkis" || fail "no first window"

start_program
second=$PROGRAM_PID
wait_for_title "Orvane déjà lancé" || fail "no warning from the second copy"
window_texts "Orvane déjà lancé" | grep -q "L'orvane Zelkis a déjà été lancé" ||
    fail "the warning does not say that the program already runs"
[ "$(count_titled "Orvane Zelkis")" = 1 ] || fail "the second copy showed a window"

dismiss "Orvane déjà lancé"
eventually gone "$second" || fail "the second copy did not end after its warning"
[ "$(count_titled "Orvane Zelkis")" = 1 ] || fail "the first window is gone"
kill -0 "$first" || fail "the first copy ended"
