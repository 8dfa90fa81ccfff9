#!/usr/bin/env bash
# A search on a damaged catalogue is answered by a French box titled "Orvane" that names the
# file; the window stays live behind it and after it.
source "$(dirname "$0")/wine_session.sh"

# The program and its reader in a folder of their own, with a good catalogue at first.
build=$(dirname "$ORVANE_EXE")
app=$WORK/app
mkdir "$app"
cp "$ORVANE_EXE" "$build/orvane-read-catalogue.exe" "$build/base.MDB" "$app/"

start_program "$app/Orvane.exe"
wait_for_title "Orvane Zelkis" || fail "no window"

# Replaced while the program runs by its first pages only, so that its read starts with the
# search and stops short of the table.
head -c 6000 "$build/base.MDB" >"$app/base.MDB"
xdotool type --delay 30 jeu
xdotool key Return
wait_for_title "Orvane" || fail "no box about the damaged catalogue"
window_texts "Orvane" | grep -q "base.MDB" || fail "the box does not name the catalogue"
[ "$(count_titled "Orvane Zelkis")" = 1 ] || fail "the window is gone behind the box"

dismiss "Orvane"
eventually test "$(count_titled "Orvane")" = 0 || fail "the box stays"
kill -0 "$PROGRAM_PID" || fail "the program ended"
xdotool type --delay 30 " encore"
eventually text_is "Orvane Zelkis" "$TEXT1" "jeu encore" || fail "the window no longer takes keys"
