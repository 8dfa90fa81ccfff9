# Sourced by the end-to-end tests: starts a private X server (Xvfb) with a window manager
# (openbox) and a blue root window, and cleans everything up when the test ends.
# Provides: start_orvane, wait_for_window, window_origin, pixel_at, screenshot, grab_area,
# differing, eventually, fail; with ACCESSIBILITY=1, an accessibility bus that the program joins, read
# through atspi_read.py.

set -euo pipefail

# A test that sets ACCESSIBILITY=1 before sourcing this runs again inside a D-Bus session of its
# own, with a runtime folder of its own for the accessibility bus's socket.
if [ "${ACCESSIBILITY:-0}" = 1 ] && [ -z "${ORVANE_OWN_SESSION:-}" ]; then
    session_runtime=$(mktemp -d "${TMPDIR:-/tmp}/orvane-a11y.XXXXXX")
    status=0
    ORVANE_OWN_SESSION=1 XDG_RUNTIME_DIR=$session_runtime dbus-run-session -- bash "$0" "$@" ||
        status=$?
    rm -rf "$session_runtime"
    exit $status
fi

ORVANE=${ORVANE:?ORVANE must name the program under test}
# The tools read and match window titles as UTF-8 whatever locale the caller has, or none.
export LC_ALL=C.UTF-8
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvane-e2e.XXXXXX")
export XDG_RUNTIME_DIR=$WORK/runtime
mkdir -m 0700 "$XDG_RUNTIME_DIR"
PIDS=()

cleanup() {
    local pid
    for pid in "${PIDS[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${ARTIFACTS:-}" ] && [ -n "${DISPLAY:-}" ]; then
        mkdir -p "$ARTIFACTS"
        import -window root "$ARTIFACTS/failure-$(basename "$0" .sh).png" 2>/dev/null || true
    fi
    exit 1
}

# shellcheck source=tests/e2e/x_display.sh
source "$(dirname "${BASH_SOURCE[0]}")/x_display.sh"

# Starts the program in the background with no locale, as on a freshly installed system: the
# case where its accented titles are the hardest to get right. Its pid is in ORVANE_PID.
start_orvane() {
    env -u LC_ALL -u LC_CTYPE -u LANG "$ORVANE" >>"$WORK/orvane.log" 2>&1 &
    ORVANE_PID=$!
    PIDS+=("$ORVANE_PID")
}

# Retries a check for up to two seconds.
eventually() {
    local tries=0
    until "$@"; do
        tries=$((tries + 1)); [ $tries -gt 20 ] && return 1
        sleep 0.1
    done
}

# Waits until a visible window with the given title exists and prints its id.
wait_for_window() {
    local title=$1 tries=0 id
    while :; do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        tries=$((tries + 1)); [ $tries -gt 200 ] && return 1
        sleep 0.05
    done
}

# Prints "X Y" of a window's top-left corner on the screen.
window_origin() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '/^X=/{x=$2} /^Y=/{y=$2} END{print x, y}'
}

screenshot() {
    import -window root "$1"
}

# Saves an area of a window as the screen shows it: WxH+X+Y in the window's pixels.
grab_area() {
    import -window "$1" -crop "$2" +repage "$3"
}

# How many pixels differ between two images of the same size.
differing() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

# Prints the colour of one pixel of a screenshot as "R,G,B".
pixel_at() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# The accessibility bus starts on request; the program, told to always join it, then
# publishes its window over AT-SPI.
start_accessibility_bus() {
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null || fail "the accessibility bus did not start"
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

start_x
if [ "${ACCESSIBILITY:-0}" = 1 ]; then
    start_accessibility_bus
fi
