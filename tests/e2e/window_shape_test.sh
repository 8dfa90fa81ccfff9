#!/usr/bin/env bash
# The real program's window is cut to the device: the blue root shows through the hole and
# outside the outline, the skin inside it; also at Qt scale factor 2.
# The screen is large enough for the window at scale 2.
export SCREEN_SIZE=1600x1200
source "$(dirname "$0")/x_session.sh"

check_shape() {
    local scale=$1 shot=$WORK/shape-$1.png
    QT_SCALE_FACTOR=$scale start_orvane
    local id; id=$(wait_for_window "Orvane Zelkis") || fail "no window at scale $scale"
    sleep 0.5
    read -r ox oy < <(window_origin "$id")
    screenshot "$shot"
    [ -n "${ARTIFACTS:-}" ] && mkdir -p "$ARTIFACTS" && cp "$shot" "$ARTIFACTS/"
    local blue="0,0,255"
    at() { pixel_at "$shot" $((ox + $1 * scale)) $((oy + $2 * scale)); }
    [ "$(at 331 352)" = "$blue" ] || fail "hole not see-through at scale $scale: $(at 331 352)"
    [ "$(at 2 2)" = "$blue" ] || fail "corner outside the outline painted at scale $scale"
    [ "$(at 340 20)" = "$blue" ] || fail "top-right corner painted at scale $scale"
    [ "$(at 200 200)" != "$blue" ] || fail "screen area not painted at scale $scale"
    [ "$(at 60 150)" != "$blue" ] || fail "casing not painted at scale $scale"
    [ "$(at 100 410)" != "$blue" ] || fail "input strip not painted at scale $scale"
    kill -9 "$ORVANE_PID"
    wait "$ORVANE_PID" 2>/dev/null || true
}

check_shape 1
check_shape 2
echo "window shape OK"
