#!/bin/bash
# Starts the real game under Xvfb from a folder of its own, presses the exit button, checks the files.
# usage: smoke_test.sh BRUMVELDA MAKE_TABLES
set -u
brumvelda=$1
make_tables=$2

fail() { echo "FAIL: $*"; exit 1; }

source "$(dirname "$0")/../support/real_game.sh"
start_xvfb

# The program's folder holds only what the program has or makes there; the test's own files stay outside.
folder=$work/folder
mkdir "$folder"
cp "$brumvelda" "$folder/brumvelda"
printf '[Main]\nMaxHiba=7\n[Last]\nLanguage=2\nLevel=3\nCategories=9\nUser=Nobody\n' > "$folder/Brumvelda.ini"
"$make_tables" write "$folder" 25 Anna || fail "could not prepare the tables"
touch "$work/prepared"

# Started from another directory: the program must find its files beside itself.
(cd / && unset QT_QPA_PLATFORM && exec "$folder/brumvelda") >"$work/out.txt" 2>&1 &
game_pid=$!

exit_by_button "$work/out.txt"

expected=$(printf '[Main]\nMaxHiba=7\n[Last]\nLanguage=2\nLevel=3\nCategories=9\nUser=')
ini=$(cat "$folder/Brumvelda.ini")
# The player "Nobody" is not registered, so no player is current and "User" is written empty.
[ "$ini" = "$expected" ] || fail "Brumvelda.ini reads: $ini"
counts=$("$make_tables" count "$folder") || fail "tables unreadable after the run"
[ "$counts" = "puzzles=25 players=1" ] || fail "tables after the run: $counts"
# Both tables were saved at the exit; no temporary of those saves, whatever its name, and no backup is
# left behind.
for table in Brumvelda.lis Brumvelda.jat; do
    [ "$folder/$table" -nt "$work/prepared" ] || fail "$table was not saved at the exit"
done
files=$(cd "$folder" && ls -A | LC_ALL=C sort | tr '\n' ' ')
[ "$files" = "Brumvelda.ini Brumvelda.jat Brumvelda.lis Brumvelda.lock brumvelda " ] ||
    fail "the folder holds after the run: $files"
echo "smoke test passed"
