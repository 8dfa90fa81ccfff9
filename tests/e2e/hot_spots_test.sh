#!/usr/bin/env bash
# The round spots of the real window: hovering the close spot lights it, and leaving the window
# or landing on a label puts it out; the minimise spot iconifies the window, which keeps its task-bar entry and comes
# back when activated; the close spot shows the about box and the program ends once it is
# answered.
source "$(dirname "$0")/x_session.sh"
# shellcheck source=tests/e2e/close_spot.sh
source "$(dirname "$0")/close_spot.sh"

click_at() {
    point_at "$1" "$2"
    sleep 0.1
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
}

wm_state() {
    xprop -id "$ID" WM_STATE 2>/dev/null | awk '/window state:/ {print $3}'
}

is_iconic() { [ "$(wm_state)" = "Iconic" ]; }
is_normal() { [ "$(wm_state)" = "Normal" ]; }

start_orvane
ID=$(wait_for_window "Orvane Zelkis") || fail "no window"
FIRST_PID=$ORVANE_PID

# A box shows the title it is given and nothing more: a second copy's warning, for instance.
start_orvane
WARNING=$(wait_for_window "Orvane déjà lancé") || fail "no warning from a second copy"
# Window managers read one title or the other: both carry the accents right.
for property in _NET_WM_NAME WM_NAME; do
    xprop -id "$WARNING" "$property" | grep -qx "$property([A-Z0-9_]*) = \"Orvane déjà lancé\"" ||
        fail "warning shown as $(xprop -id "$WARNING" "$property")"
done
kill -9 "$ORVANE_PID"
wait "$ORVANE_PID" 2>/dev/null || true
ORVANE_PID=$FIRST_PID

# Hover highlight of the close spot, against the spot as the skin has it, unlit.
save_unlit_close_spot
point_at 60 150
eventually spot_is_dark || fail "the window does not show the close spot dark"
point_at 290 76
eventually spot_is_lit || fail "the close spot did not light up under the pointer"
[ -n "${ARTIFACTS:-}" ] && mkdir -p "$ARTIFACTS" && screenshot "$ARTIFACTS/close-spot-lit.png"
point_at 181 163 # Label8, in one move: the label takes the moves from there on
eventually spot_is_dark || fail "the close spot stayed lit after the pointer jumped onto Label8"
point_at 290 76
eventually spot_is_lit || fail "the close spot did not light up again"
read -r ox oy < <(window_origin "$ID")
xdotool mousemove $((ox + 460)) $((oy + 76)) # straight off the window, right of the spots
eventually spot_is_dark || fail "the close spot stayed lit after the pointer left the window"

# The frameless window is an ordinary one for the desktop: listed, with its icon, and not kept
# off the task bar.
xprop -id "$ID" _NET_WM_WINDOW_TYPE | grep -q _NET_WM_WINDOW_TYPE_NORMAL ||
    fail "window type: $(xprop -id "$ID" _NET_WM_WINDOW_TYPE)"
! xprop -id "$ID" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "window kept off the task bar"
xprop -id "$ID" _NET_WM_ICON | grep -q "Icon (" || fail "no icon for the task bar"
xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$ID")" || fail "not in the client list"

# Minimise spot: iconified, still listed, and brought back as a task bar would.
click_at 286 91
eventually is_iconic || fail "the minimise spot did not iconify the window: $(wm_state)"
xprop -id "$ID" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN || fail "minimised but not hidden"
xprop -root _NET_CLIENT_LIST | grep -qi "$(printf '0x%x' "$ID")" || fail "minimised window unlisted"
! xprop -id "$ID" _NET_WM_STATE | grep -q SKIP_TASKBAR || fail "minimised window left the task bar"
xdotool windowactivate "$ID"
eventually is_normal || fail "the window did not come back: $(wm_state)"

# Close spot: the window goes, the about box comes, and answering it ends the program.
click_at 286 72
BOX=$(wait_for_window "L'Orvane Zelkis") || fail "no about box"
# The title the window manager shows is the box's own, with nothing added.
[ "$(xprop -id "$BOX" _NET_WM_NAME)" = "_NET_WM_NAME(UTF8_STRING) = \"L'Orvane Zelkis\"" ] ||
    fail "about box shown as $(xprop -id "$BOX" _NET_WM_NAME)"
[ "$(xwininfo -id "$ID" | awk '/Map State:/ {print $3}')" != "IsViewable" ] ||
    fail "the window still shows behind the about box"
kill -0 "$ORVANE_PID" || fail "the program ended before the box was answered"
xdotool windowactivate --sync "$BOX" key Return
ended() { ! kill -0 "$ORVANE_PID" 2>/dev/null; }
eventually ended || fail "the program still runs after the about box was answered"
wait "$ORVANE_PID" || fail "the program ended with status $?"
echo "hot spots OK"
