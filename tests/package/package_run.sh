#!/bin/bash
# Plays the Debian package as a user would after installing it: unpacked into a read-only root, started for
# real under Xvfb with a home folder of its own, closed with its exit button. The three files must appear in
# that home's ~/.local/share/brumvelda/ (with the shipped puzzles), nothing beside the program, and a second
# start must find the player again.
# usage: package_run.sh BUILD_DIR
set -u
fail() { echo "FAIL: $*"; exit 1; }
debs=("$1"/brumvelda_*.deb)
[ -f "${debs[0]}" ] || fail "no package in $1"

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

chmod 755 "$work"
root=$work/root
dpkg-deb -x "${debs[0]}" "$root" || fail "dpkg-deb -x"
chmod -R a-w "$root"
home=$work/home
data=$home/.local/share/brumvelda
mkdir "$home"
# Root may write anywhere: the player is the unprivileged user then, for whom the root is truly read-only.
as_player=()
if [ "$(id -u)" = 0 ]; then
    chown 65534:65534 "$home"
    as_player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
player() { "${as_player[@]}" env -u XDG_DATA_HOME -u QT_QPA_PLATFORM HOME="$home" "$@"; }

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -1 "$work/display")
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
touch "$work/before"

# Starts the packaged game, waits for its window and presses tbExit (x 432 on the toolbar, 34 x 34 from y 2).
play_and_exit() {
    (cd / && exec "${as_player[@]}" env -u XDG_DATA_HOME -u QT_QPA_PLATFORM HOME="$home" LANG=hu_HU.UTF-8 \
        "$root/usr/games/brumvelda") >"$work/out.txt" 2>&1 &
    game_pid=$!
    local window=
    for _ in $(seq 100); do
        window=$(xdotool search --all --pid "$game_pid" --name '^Brumvelda v1\.0c$' 2>/dev/null | head -1)
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no game window: $(cat "$work/out.txt")"
    sleep 0.3
    xdotool mousemove --window "$window" 449 19 click 1
    for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$game_pid" 2>/dev/null && fail "the game did not end after tbExit"
    wait "$game_pid"
    local status=$?
    game_pid=
    [ "$status" = 0 ] || fail "exit status $status: $(cat "$work/out.txt")"
}

# --- first start: the user's data folder is made, the shipped list copied in, the other two written at exit
play_and_exit
for name in Brumvelda.lis Brumvelda.jat Brumvelda.ini; do
    [ -f "$data/$name" ] || fail "$name is not in ~/.local/share/brumvelda: $(ls -la "$data" 2>&1)"
done
cmp -s "$data/Brumvelda.lis" "$root/usr/share/games/brumvelda/Brumvelda.lis" || fail "the list is not the shipped one"
[ "$(player "$root/usr/bin/brumvelda-tabla" check "$data/Brumvelda.jat")" = 0 ] || fail "the register is not empty"
grep -qx 'User=' "$data/Brumvelda.ini" || fail "Brumvelda.ini: $(cat "$data/Brumvelda.ini")"
changed=$(find "$root" -newer "$work/before")
[ -z "$changed" ] || fail "written beside the program: $changed"

# --- a player, added with the packaged table tool, is chosen; the second start must restore it: the exit
# save then writes the name back (with no current player it would write "User=" empty)
printf 'Nev\tOsszPont\tJatszott\nAnna\t120\t7\n' | player "$root/usr/bin/brumvelda-tabla" import "$data/Brumvelda.jat" \
    >/dev/null || fail "could not add the player"
player sed -i 's/^User=$/User=Anna/' "$data/Brumvelda.ini"
play_and_exit
grep -qx 'User=Anna' "$data/Brumvelda.ini" || fail "the player was not found again: $(cat "$data/Brumvelda.ini")"
[ "$(player "$root/usr/bin/brumvelda-tabla" dump "$data/Brumvelda.jat" | sed -n 2p)" = "$(printf 'Anna\t120\t7\t17')" ] ||
    fail "the register after the second start: $(player "$root/usr/bin/brumvelda-tabla" dump "$data/Brumvelda.jat")"
# --- root may write under /usr, yet the packaged game keeps root's files in root's own data folder too
if [ "$(id -u)" = 0 ]; then
    home=$work/root-home
    as_player=()
    mkdir "$home"
    play_and_exit
    [ -f "$home/.local/share/brumvelda/Brumvelda.ini" ] || fail "root's files are not in its data folder"
    changed=$(find "$root" -newer "$work/before")
    [ -z "$changed" ] || fail "written beside the program when run by root: $changed"
fi
echo "packaged game: files in ~/.local/share/brumvelda, player found again"
