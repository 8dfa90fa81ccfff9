#!/usr/bin/env bash
# The opened window on a real X server shows the skin pixel for pixel wherever the device is
# (the arrows and round buttons unlit, the labels empty), the root elsewhere, and the empty
# search field in the strip; it stands centred, fixed in size, with its icon, and the typed text
# goes to the search field.
# The screenshots are kept in $ARTIFACTS for a person to look at.
source "$(dirname "$0")/x_session.sh"
SKIN="$(cd "$(dirname "$0")/../.." && pwd)/resources/skin.bmp"
WIDTH=347
HEIGHT=429
TEXT1="rectangle 4,393 339,425"

start_orvane
id=$(wait_for_window "Orvane Zelkis") || fail "no window"
centred() {
    read -r ox oy < <(window_origin "$id")
    [ "$ox,$oy" = "338,169" ]
}
eventually centred || fail "window at $ox,$oy, not centred on the 1024 x 768 screen"
xprop -id "$id" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the window shows no 32 x 32 icon"
hints=$(xprop -id "$id" WM_NORMAL_HINTS)
grep -q 'minimum size: 347 by 429' <<<"$hints" && grep -q 'maximum size: 347 by 429' <<<"$hints" ||
    fail "the window's size is not fixed: $hints"

# Takes a screenshot of the window alone into $WORK/$1.png.
window_shot() {
    screenshot "$WORK/screen.png"
    convert "$WORK/screen.png" -crop "${WIDTH}x${HEIGHT}+$ox+$oy" +repage "$WORK/$1.png"
}
# How many pixels of a picture have exactly the given colour.
count_colour() {
    local size others
    size=$(identify -format '%w %h' "$1")
    others=$(compare -metric AE "$1" -size "${size/ /x}" "xc:$2" null: 2>&1 || true)
    echo $(( ${size/ /*} - others ))
}

# The skin as the window should show it: the root colour where the root shows through (outside
# the region), and the search field (checked on its own below) blanked in both pictures. A busy
# machine may not have painted the window yet: look again a few times.
convert "$SKIN" -crop "${WIDTH}x${HEIGHT}+0+0" +repage "$WORK/skin.png"
for attempt in $(seq 10); do
    window_shot opened
    convert "$WORK/opened.png" -fill black +opaque '#0000ff' -fill white -opaque '#0000ff' "$WORK/root.png"
    convert "$WORK/skin.png" \( -size "${WIDTH}x${HEIGHT}" xc:'#0000ff' \) "$WORK/root.png" -composite \
        -fill '#ff00ff' -draw "$TEXT1" "$WORK/expected.png"
    convert "$WORK/opened.png" -fill '#ff00ff' -draw "$TEXT1" "$WORK/shown.png"
    mismatches=$(compare -metric AE "$WORK/shown.png" "$WORK/expected.png" "$WORK/difference.png" 2>&1 || true)
    [ "$mismatches" = "0" ] && break
    sleep 0.5
done
mkdir -p "$ARTIFACTS"
cp "$WORK/opened.png" "$ARTIFACTS/opened-window.png"
if [ "$mismatches" != "0" ]; then
    cp "$WORK/difference.png" "$ARTIFACTS/opened-window-difference.png"
    fail "$mismatches pixels differ from the skin inside the region (see opened-window-difference.png)"
fi
root_pixels=$(count_colour "$WORK/opened.png" '#0000ff')
[ "$root_pixels" -ge 300 ] || fail "only $root_pixels root pixels: the window is not cut to the device"

# Only black background may be cut away: a lit pixel of the skin where the root shows would be
# a piece of the device missing from the window.
cut_device=$(convert "$WORK/skin.png" "$WORK/root.png" -compose Multiply -composite \
    -colorspace Gray -threshold 25% -format '%[fx:int(mean*w*h+0.5)]' info:)
[ "$cut_device" -eq 0 ] || fail "$cut_device painted pixels of the skin are outside the window"

# The empty search field: black, but for its cursor.
convert "$WORK/opened.png" -crop 336x33+4+393 +repage "$WORK/field.png"
lit=$(( 336 * 33 - $(count_colour "$WORK/field.png" black) ))
[ "$lit" -le 40 ] || fail "the empty search field shows $lit non-black pixels"

# The keyboard focus is in the search field: typed text appears there, light green.
xdotool type --delay 50 "Orvane"
for attempt in $(seq 10); do
    sleep 0.5
    window_shot typed
    convert "$WORK/typed.png" -crop 336x33+4+393 +repage "$WORK/field.png"
    green=$(count_colour "$WORK/field.png" '#80ff80')
    [ "$green" -ge 20 ] && break
done
cp "$WORK/typed.png" "$ARTIFACTS/typed-window.png"
[ "$green" -ge 20 ] || fail "typed text does not show in the search field ($green light-green pixels)"
echo "skin screenshot OK: 0 mismatches, $root_pixels root pixels, $green pixels of typed text"
