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

source "$(dirname "$0")/../support/real_game.sh"
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

start_xvfb
touch "$work/before"

# Starts the packaged game as the player, from another folder, and ends it with its exit button.
play_and_exit() {
    (cd / && exec "${as_player[@]}" env -u XDG_DATA_HOME -u QT_QPA_PLATFORM HOME="$home" LANG=hu_HU.UTF-8 \
        "$root/usr/games/brumvelda") >"$work/out.txt" 2>&1 &
    game_pid=$!
    exit_by_button "$work/out.txt"
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
