#!/usr/bin/env bash
# A left press on the bare casing and a move drag the window with the pointer, through the
# window manager's move of a caption; a press on a label does not.
source "$(dirname "$0")/wine_session.sh"

start_program
wait_for_title "Orvane Zelkis" || fail "no window"
read -r ox oy < <(window_origin "Orvane Zelkis")

# A press on the counter label, which takes the mouse and does nothing with it.
xdotool mousemove $((ox + 181)) $((oy + 277)) sleep 0.3 mousedown 1 sleep 0.3 \
    mousemove $((ox + 241)) $((oy + 317)) sleep 0.3 mouseup 1
sleep 1
read -r lx ly < <(window_origin "Orvane Zelkis")
[ "$lx $ly" = "$ox $oy" ] || fail "a press on a label moved the window ($ox $oy to $lx $ly)"

# The bare casing left of the screen, then right and down in steps.
x=$((ox + 50)) y=$((oy + 200))
xdotool mousemove $x $y sleep 0.3 mousedown 1 sleep 0.5
for step in 1 2 3 4 5 6; do
    xdotool mousemove $((x + step * 15)) $((y + step * 10)) sleep 0.1
done
xdotool sleep 0.3 mouseup 1
moved() {
    read -r nx ny < <(window_origin "Orvane Zelkis")
    [ "$nx" -gt "$ox" ] && [ "$ny" -gt "$oy" ]
}
eventually moved || fail "the window did not follow the drag right and down (from $ox $oy)"
