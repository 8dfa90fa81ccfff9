#!/usr/bin/env bash
# The real program's window is cut to the device: the blue root shows through the hole and
# outside the outline, the skin inside it; also at Qt scale factor 2.
# The screen is large enough for the window at scale 2.
export SCREEN_SIZE=1600x1200
source "$(dirname "$0")/x_session.sh"

# Looks whether the window at the given scale is cut and painted as it should be; what is wrong
# goes in $problem.
shape_shown() {
    local id=$1 scale=$2 shot=$WORK/shape-$2.png blue="0,0,255"
    read -r ox oy < <(window_origin "$id")
    screenshot "$shot"
    at() { pixel_at "$shot" $((ox + $1 * scale)) $((oy + $2 * scale)); }
    problem="hole not see-through at scale $scale: $(at 331 352)"
    [ "$(at 331 352)" = "$blue" ] || return 1
    problem="corner outside the outline painted at scale $scale"
    [ "$(at 2 2)" = "$blue" ] || return 1
    problem="top-right corner painted at scale $scale"
    [ "$(at 340 20)" = "$blue" ] || return 1
    problem="screen area not painted at scale $scale"
    [ "$(at 200 200)" != "$blue" ] || return 1
    problem="casing not painted at scale $scale"
    [ "$(at 60 150)" != "$blue" ] || return 1
    problem="input strip not painted at scale $scale"
    [ "$(at 100 410)" != "$blue" ]
}

check_shape() {
    local scale=$1
    QT_SCALE_FACTOR=$scale start_orvane
    local id; id=$(wait_for_window "Orvane Zelkis") || fail "no window at scale $scale"
    # A busy machine may not have painted the window yet: look again a few times.
    eventually shape_shown "$id" "$scale" || fail "$problem"
    [ -n "${ARTIFACTS:-}" ] && mkdir -p "$ARTIFACTS" && cp "$WORK/shape-$scale.png" "$ARTIFACTS/"
    kill -9 "$ORVANE_PID"
    wait "$ORVANE_PID" 2>/dev/null || true
}

check_shape 1
check_shape 2
echo "window shape OK"
