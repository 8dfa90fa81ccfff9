# Sourced by the Windows end-to-end tests: a private X server (Xvfb) with a window manager
# (openbox) and a blue root window, and wine in the build's desktop prefix (made on first use,
# shared by these tests, which run one at a time). Everything the test started is ended, and
# the prefix's wine server with it, when the test ends.
# Provides: start_program, wait_for_title, gone, window_texts, control_text, control_shown,
# window_rect, count_titled, dismiss, click_at, pixel_at, screenshot, eventually, fail.

set -euo pipefail

ORVANE_BUILD=${ORVANE_BUILD:?ORVANE_BUILD must name the Windows build folder}
ORVANE_EXE=${ORVANE_EXE:-$ORVANE_BUILD/Orvane.exe}
PROBE=${ORVANE_PROBE:?ORVANE_PROBE must name the window probe}
# The tools read and match window titles as UTF-8, and wine reads its arguments so.
export LC_ALL=C.UTF-8
export WINEPREFIX=${ORVANE_WINE_DESKTOP_PREFIX:-$ORVANE_BUILD/wineprefix-desktop}
export WINEDEBUG=-all
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvane-wine-e2e.XXXXXX")
PIDS=()

# The control numbers the program gives its children.
TEXT1=1 LABEL4=4 LABEL5=5 LABEL6=6 LABEL8=8 PICTURE1=11 PICTURE2=12 PICTURE3=13 PICTURE4=14
PICTURE5=15

cleanup() {
    local pid
    wineserver -k 2>/dev/null || true
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
    [ -f "$WORK/program.log" ] && tail -n 20 "$WORK/program.log" >&2
    exit 1
}

# shellcheck source=tests/e2e/x_display.sh
source "$(dirname "${BASH_SOURCE[0]}")/../../e2e/x_display.sh"

# The desktop prefix is made once, under a lock, by whichever test comes first. Wine's server
# is then started away from the test's own output, so that the processes it keeps do not hold
# that output open.
prepare_wine() {
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            wineboot -i </dev/null >/dev/null 2>&1
            wineserver -w
        fi
    ) 9>>"$WINEPREFIX.lock"
    wineserver -p </dev/null >/dev/null 2>&1 || true
}

# Starts a Windows program in the background in its own folder; its pid is in PROGRAM_PID.
start_program() {
    local exe=${1:-$ORVANE_EXE}
    shift || true
    (cd "$(dirname "$exe")" && exec wine "$(basename "$exe")" "$@") \
        </dev/null >>"$WORK/program.log" 2>&1 &
    PROGRAM_PID=$!
    PIDS+=("$PROGRAM_PID")
}

# Runs the probe with its output in a file (never a pipe a wine service could inherit).
probe() {
    wine "$PROBE" "$@" </dev/null >"$WORK/probe.out" 2>/dev/null || return 1
    tr -d '\r' <"$WORK/probe.out"
}

count_titled() { probe count "$1"; }
window_texts() { probe texts "$1"; }
window_rect() { probe rect "$1"; }
dismiss() { probe dismiss "$1" >/dev/null; }

# The window text of the control with the given number in the window with the given title.
control_text() {
    window_texts "$1" | awk -F'\t' -v id="$2" '$1 == id { print $4; exit }'
}

# Whether that control is shown: 1 or 0.
control_shown() {
    window_texts "$1" | awk -F'\t' -v id="$2" '$1 == id { print $3; exit }'
}

# Retries a check for up to twenty seconds: a wine start is slow on a busy machine.
eventually() {
    local tries=0
    until "$@"; do
        tries=$((tries + 1)); [ $tries -gt 100 ] && return 1
        sleep 0.2
    done
}

shown_titled() { [ "$(count_titled "$1")" -ge 1 ]; }
wait_for_title() { eventually shown_titled "$1"; }
text_is() { [ "$(control_text "$1" "$2")" = "$3" ]; }
shown_is() { [ "$(control_shown "$1" "$2")" = "$3" ]; }
gone() { ! kill -0 "$1" 2>/dev/null; }

# Prints "X Y" of the window's top-left corner on the screen.
window_origin() {
    window_rect "$1" | awk '{ print $1, $2 }'
}

screenshot() {
    import -window root "$1"
}

# Prints the colour of one pixel of a screenshot as "R,G,B".
pixel_at() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:
}

# Presses a button (1 left, 3 right) at a point of the screen.
click_at() {
    xdotool mousemove "$1" "$2" sleep 0.2 click "${3:-1}"
}

start_x
prepare_wine
