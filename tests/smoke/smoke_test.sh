#!/bin/bash
# Starts the real game under Xvfb from a folder of its own, presses the exit button, checks the files.
# usage: smoke_test.sh BRUMVELDA MAKE_TABLES
set -u
brumvelda=$1
make_tables=$2

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A display nobody else uses: Xvfb takes the first free number itself and reports it, so two runs started
# at the same moment never share a display (and never press each other's exit button). -noreset: without
# it the server resets when its last client (the readiness check below) leaves, and refuses the game meanwhile.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$work/display")
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
xdotool getdisplaygeometry >/dev/null 2>&1 || fail "Xvfb did not answer on $DISPLAY"

cp "$brumvelda" "$work/brumvelda"
printf '[Main]\nMaxHiba=7\n[Last]\nLanguage=2\nLevel=3\nCategories=9\nUser=Nobody\n' > "$work/Brumvelda.ini"
"$make_tables" write "$work" 25 Anna || fail "could not prepare the tables"

# Started from another directory: the program must find its files beside itself.
(cd / && unset QT_QPA_PLATFORM && exec "$work/brumvelda") >"$work/out.txt" 2>&1 &
game_pid=$!

window=
for _ in $(seq 100); do
    window=$(xdotool search --all --pid "$game_pid" --name '^Brumvelda v1\.0c$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "no window titled 'Brumvelda v1.0c': $(cat "$work/out.txt")"

# tbExit sits at x 432 on the toolbar, 34 x 34 from y 2.
sleep 0.3
xdotool mousemove --window "$window" 449 19 click 1
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after tbExit"
wait "$game_pid"
status=$?
game_pid=
[ "$status" = 0 ] || fail "exit status $status: $(cat "$work/out.txt")"

expected=$(printf '[Main]\nMaxHiba=7\n[Last]\nLanguage=2\nLevel=3\nCategories=9\nUser=')
ini=$(cat "$work/Brumvelda.ini")
# The player "Nobody" is not registered, so no player is current and "User" is written empty.
[ "$ini" = "$expected" ] || fail "Brumvelda.ini reads: $ini"
counts=$("$make_tables" count "$work") || fail "tables unreadable after the run"
[ "$counts" = "puzzles=25 players=1" ] || fail "tables after the run: $counts"
[ -e "$work/Brumvelda.lis.\$\$\$" ] && fail "temporary file left behind"
echo "smoke test passed"
