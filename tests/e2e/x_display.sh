# A virtual display with a window manager, for the end-to-end tests of both front ends. Sourced
# by a session script that defines WORK, PIDS and fail.

# Starts Xvfb on a free display (SCREEN_SIZE, 1024x768 by default), then openbox; DISPLAY is
# exported.
start_x() {
    local fifo=$WORK/display
    Xvfb -displayfd 3 -screen 0 ${SCREEN_SIZE:-1024x768}x24 -nolisten tcp 3>"$fifo" 2>"$WORK/xvfb.log" &
    PIDS+=($!)
    local tries=0
    until [ -s "$fifo" ]; do
        tries=$((tries + 1)); [ $tries -gt 100 ] && fail "Xvfb did not start"
        sleep 0.05
    done
    export DISPLAY=":$(head -n1 "$fifo")"
    openbox >"$WORK/openbox.log" 2>&1 &
    PIDS+=($!)
    sleep 0.5
    # After the window manager, which paints the root itself when it starts.
    xsetroot -solid '#0000ff'
}
