# The pointer and the close spot, for the end-to-end tests that watch the spot light up. Sourced
# after x_session.sh, with ID the window's id.

# Moves the pointer to window pixel (x, y).
point_at() {
    local ox oy
    read -r ox oy < <(window_origin "$ID")
    xdotool mousemove $((ox + $1)) $((oy + $2))
}

# Saves the upper-left quarter of the close spot's circle, as shown on the screen, into file
# $1. The pointer rests below and right of it, so the pointer never hides any of it.
grab_close_spot() { grab_area "$ID" 7x7+279+65 "$1"; }

# The same quarter as the skin has it, unlit, into $WORK/dark.png.
save_unlit_close_spot() {
    convert "$(dirname "${BASH_SOURCE[0]}")/../../resources/skin.bmp" -crop 7x7+279+65 +repage \
        "$WORK/dark.png"
}

spot_is_lit() {
    grab_close_spot "$WORK/now.png"
    [ "$(differing "$WORK/dark.png" "$WORK/now.png")" -gt 10 ]
}

spot_is_dark() {
    grab_close_spot "$WORK/now.png"
    [ "$(differing "$WORK/dark.png" "$WORK/now.png")" -eq 0 ]
}
