#!/bin/bash
# The real game read by a real AT-SPI client (pyatspi) under Xvfb, with its own session bus, accessibility bus
# and registry: a round lost and a round won by the keyboard alone, and at every step what a screen reader
# would read, with no hidden letter anywhere in the tree.
# usage: atspi_test.sh BRUMVELDA MAKE_TABLES READER
set -u
brumvelda=$1
make_tables=$2
reader=$3

work=$(mktemp -d)
pids=()
cleanup() {
    # The game first, then what it talked to, each by the process id it was started with.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; [ -f "$work/game.txt" ] && cat "$work/game.txt"; exit 1; }

source "$(dirname "$0")/../support/xvfb.sh"
start_own_xvfb "$work/display" || fail "$xvfb_problem"
pids+=("$xvfb_started")
export DISPLAY=$xvfb_display

source "$(dirname "$0")/../support/accessibility_bus.sh"
start_accessibility_bus

# A player who is current at start, a limit of three mistakes and keyboard play on.
cp "$brumvelda" "$work/brumvelda"
"$make_tables" write "$work" 1 Anna || fail "could not prepare the tables" # the one puzzle: ALMA ALMA ALMA
printf '[Main]\nMaxHiba=3\nKeyboardPlay=1\n[Last]\nUser=Anna\nLevel=1\nLanguage=1\nCategories=65535\n' >"$work/Brumvelda.ini"
(cd "$work" && unset QT_QPA_PLATFORM && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec ./brumvelda) >"$work/game.txt" 2>&1 &
game_pid=$!
pids+=($game_pid)

window=
for _ in $(seq 100); do
    window=$(xdotool search --all --pid "$game_pid" --name '^Brumvelda v1\.0c$' 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
done
[ -n "$window" ] || fail "the game's window did not come"
# With no window manager the main window is made active by a click, at start and after a modal window
# (a window manager gives it back by itself): on the empty band above the board.
activate() { xdotool mousemove --window "$window" 268 140 click 1; sleep 0.2; }
sleep 0.3
activate

read_tree() { # STEP ARGS...: what a screen reader would read at this step
    local step=$1
    shift
    /usr/bin/python3 "$reader" --secret ALMA "$@" >"$work/reading" 2>&1 \
        || { /usr/bin/python3 "$reader" --dump >>"$work/reading" 2>&1; cat "$work/reading"; fail "$step"; }
}
keys() { xdotool key --delay 60 "$@"; sleep 0.3; }

read_tree "start" --expect "push button=Kérek egy új feladatot" --expect "push button=Játékos váltása" \
    --expect "label=Anna" --expect "progress bar=Hibák: 0 / 3" --value "Hibák=0/3" --expect "push button=Á"
keys ctrl+n
read_tree "drawn" --expect "label=Rejtett betű, 1. sor 1. oszlop" --expect "label=Üres mező, 1. sor 5. oszlop" \
    --expect "label=Tárgy"
# A screen reader hears the found letter: the cells' new names and the main window's announcement.
/usr/bin/python3 "$reader" --listen 2.5 --secret ALMA --heard "L betű, 1. sor 2. oszlop" \
    --heard "Megvan: L, 3 helyen." >"$work/heard" 2>&1 &
listener=$!
for _ in $(seq 50); do grep -q listening "$work/heard" && break; sleep 0.1; done
sleep 0.5 # the game learns of the new listener from the registry
keys l
wait "$listener" || { cat "$work/heard"; fail "the found letter was not announced"; }
read_tree "L found" --expect "label=L betű, 1. sor 2. oszlop" --expect "label=Rejtett betű, 1. sor 1. oszlop" \
    --expect "label=Pontszám: 30"
keys x
read_tree "a mistake" --value "Hibák=1/3" --expect "progress bar=Hibák: 1 / 3"
keys q w
# While the loss window is up its answer is there to be read.
/usr/bin/python3 "$reader" --expect "dialog=Ez nem jött be!" --expect "label=A helyes megoldás:"$'\n'"ALMA ALMA ALM" \
    >"$work/reading" 2>&1 || { /usr/bin/python3 "$reader" --dump >>"$work/reading" 2>&1; cat "$work/reading"; fail "the loss window"; }
keys Return
activate
# Once the loss window is closed the board shows the answer (the lost board used to keep its letters hidden).
read_tree "after the loss" --expect "label=A betű, 1. sor 1. oszlop" --expect "label=L betű, 1. sor 2. oszlop"
keys ctrl+n a l m
read_tree "won" --expect "dialog=GRATULÁLOK!" --expect "label=A betű, 1. sor 1. oszlop"
keys space
activate
keys ctrl+q
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "Ctrl+Q did not end the game"
wait "$game_pid" || fail "the game ended with status $?"
echo "AT-SPI test passed"
