#!/usr/bin/env bash
# At 150 % (144 pixels per inch) the program draws itself half as large again: the outline,
# its hole, the spots and the controls stay on the painted device, and a search shows as at
# 100 %.
source "$(dirname "$0")/wine_session.sh"
source "$(dirname "$0")/search_steps.sh"

density_key='HKCU\Control Panel\Desktop'
wine reg add "$density_key" /v LogPixels /t REG_DWORD /d 144 /f </dev/null >/dev/null 2>&1
# The prefix is shared: the next test finds it at 100 % again.
trap 'wine reg delete "$density_key" /v LogPixels /f </dev/null >/dev/null 2>&1; cleanup' EXIT

start_program
wait_for_title "Orvane Zelkis" || fail "no window"
read -r left top right bottom < <(window_rect "Orvane Zelkis")
[ $((right - left)) = 520 ] && [ $((bottom - top)) = 644 ] ||
    fail "the window is $((right - left)) x $((bottom - top)), not 520 x 644"

blue=0,0,255
screen_pixel() {
    screenshot "$WORK/shot.png"
    pixel_at "$WORK/shot.png" $((left + $1)) $((top + $2))
}
# The hole inside the cable loop (331, 351 at 100 %) and the casing (50, 200).
[ "$(screen_pixel 497 527)" = "$blue" ] || fail "the hole is not see-through at 150 %"
[ "$(screen_pixel 75 300)" != "$blue" ] || fail "the casing does not show at 150 %"

# The close spot's highlight lights under the pointer at its scaled place.
xdotool mousemove $((left + 429)) $((top + 108)) sleep 0.3 mousemove $((left + 430)) $((top + 109))
eventually shown_is "Orvane Zelkis" "$PICTURE2" 1 || fail "the close spot does not light at 150 %"
xdotool mousemove $((left + 75)) $((top + 300))
eventually shown_is "Orvane Zelkis" "$PICTURE2" 0 || fail "the close spot stays lit off it"

[ -f "$(dirname "$ORVANE_EXE")/base.MDB" ] || fail "no demo catalogue beside the program"
search_jeu
shoot_window "$left" "$top" 520 644 windows-jeu-150.png
