#!/usr/bin/env bash
# A second copy warns and ends without showing its window while the first goes on, whether or
# not its environment names a runtime folder; after the first is killed a new copy starts
# normally.
source "$(dirname "$0")/x_session.sh"

start_orvane
first=$ORVANE_PID
wait_for_window "Orvane Zelkis" >/dev/null || fail "first copy shows no window"

env -u XDG_RUNTIME_DIR "$ORVANE" >>"$WORK/orvane.log" 2>&1 &
second=$!
PIDS+=("$second")
box=$(wait_for_window "Orvane déjà lancé") || fail "no warning box from the second copy"
windows=$(xdotool search --onlyvisible --name "^Orvane Zelkis\$" | wc -l)
[ "$windows" -eq 1 ] || fail "the second copy showed its main window ($windows windows)"
kill -0 "$second" 2>/dev/null || fail "the second copy ended before its box was answered"

# Answer the box with Enter until its program has gone (the first key may arrive before the
# box has the focus).
for _ in $(seq 20); do
    kill -0 "$second" 2>/dev/null || break
    xdotool windowfocus "$box" 2>/dev/null || true
    sleep 0.2
    xdotool key Return 2>/dev/null || true
    sleep 0.3
done
for _ in $(seq 100); do kill -0 "$second" 2>/dev/null || break; sleep 0.05; done
kill -0 "$second" 2>/dev/null && fail "the second copy still runs after its box was answered"
kill -0 "$first" 2>/dev/null || fail "the first copy ended"

kill -9 "$first"
wait "$first" 2>/dev/null || true
start_orvane
wait_for_window "Orvane Zelkis" >/dev/null || fail "a copy started after a killed one shows no window"
xdotool search --onlyvisible --name "^Orvane déjà lancé\$" >/dev/null && fail "stale lock: warning shown"
echo "single instance OK"
