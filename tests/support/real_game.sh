# Sourced by the tests that play the real game: a scratch folder $work, a display of their own, and the game
# ended by its exit button. The sourcing script defines fail(); at its exit the game ($game_pid) and Xvfb are
# killed and $work removed.

source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"

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

# The display the game is started on, exported as DISPLAY.
start_xvfb() {
    start_own_xvfb "$work/display" || fail "$xvfb_problem"
    xvfb_pid=$xvfb_started
    export DISPLAY=$xvfb_display
}

# Waits for the window of the game $game_pid, presses tbExit (x 432 on the toolbar, 34 x 34 from y 2) and
# expects the game to end with status 0. OUTPUT is the file of the game's output, shown when it goes wrong.
exit_by_button() {
    local output=$1 window= status
    for _ in $(seq 100); do
        window=$(xdotool search --all --pid "$game_pid" --name '^Brumvelda v1\.0c$' 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window titled 'Brumvelda v1.0c': $(cat "$output")"
    sleep 0.3
    xdotool mousemove --window "$window" 449 19 click 1
    for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after tbExit"
    wait "$game_pid"
    status=$?
    game_pid=
    [ "$status" = 0 ] || fail "exit status $status: $(cat "$output")"
}
