#!/bin/bash
# The situations in which the game or the table tool used to lose data, each played with the real programs:
# two game processes under Xvfb, a real FIFO, a sparse 60 GB file, real permissions of an unprivileged user,
# a real /dev/full. One row of the table at the end per situation; every row runs, the failures are listed.
# usage: data_safety_test.sh BRUMVELDA BRUMVELDA_TABLA MAKE_TABLES
set -u
game_binary=$1
tabla=$2
make_tables=$3

work=$(mktemp -d)
chmod 755 "$work" # the unprivileged user must reach the folders below
xvfb_pid=
started_pids=()
cleanup() {
    for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
cp "$tabla" "$work/tabla"
chmod 755 "$work/tabla"
tabla=$work/tabla

# ------------------------------------------------------------------------------------------ helpers

start_xvfb() {
    [ -n "$xvfb_pid" ] && return 0
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -1 "$work/display")
    for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && return 0; sleep 0.1; done
    echo "Xvfb did not start"
    return 1
}

# A data folder: the game beside its files, as installed in a folder of its own.
make_folder() { # NAME PUZZLES
    local folder=$work/$1
    mkdir -p "$folder"
    cp "$game_binary" "$folder/brumvelda"
    chmod 755 "$folder" "$folder/brumvelda"
    "$make_tables" write "$folder" "$2" Anna >/dev/null || return 1
    printf '[Last]\nUser=Anna\n' >"$folder/Brumvelda.ini"
    echo "$folder"
}

# Starts the game of FOLDER (as the unprivileged user when asked); sets game_pid.
start_game() { # FOLDER [nobody]
    local run=()
    [ "${2:-}" = nobody ] && run=("${nobody[@]}")
    (cd / && unset QT_QPA_PLATFORM && HOME=$work XDG_RUNTIME_DIR= XDG_DATA_HOME=${XDG_DATA_HOME:-} \
        exec "${run[@]}" "$1/brumvelda") \
        >"$1.out" 2>&1 &
    game_pid=$!
    started_pids+=("$game_pid")
}

main_window_of() { xdotool search --all --pid "$1" --name '^Brumvelda v1' 2>/dev/null | head -1; }
box_of() { xdotool search --all --pid "$1" --name '^Brumvelda$' 2>/dev/null | head -1; }

wait_for_main_window() { # PID; sets window
    window=
    for _ in $(seq 100); do
        window=$(main_window_of "$1")
        [ -n "$window" ] && return 0
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# Plays the game of PID to its end as a user would: every message box is read and closed with Enter, then
# the exit button is pressed. Sets boxes_at_start and boxes_at_exit; fails when the game never gets that far.
run_to_exit() { # PID
    local pid=$1 box pressed=no
    boxes_at_start=0
    boxes_at_exit=0
    for _ in $(seq 150); do
        kill -0 "$pid" 2>/dev/null || break
        box=$(box_of "$pid")
        if [ -n "$box" ]; then
            xdotool windowfocus "$box" key Return 2>/dev/null
            if [ $pressed = no ]; then boxes_at_start=$((boxes_at_start + 1)); else boxes_at_exit=$((boxes_at_exit + 1)); fi
            sleep 0.3
            continue
        fi
        window=$(main_window_of "$pid")
        if [ $pressed = no ] && [ -n "$window" ]; then
            sleep 0.3
            [ -n "$(box_of "$pid")" ] && continue
            xdotool mousemove --window "$window" 449 19 click 1 # tbExit
            pressed=yes
        fi
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "the game did not end (exit pressed: $pressed, boxes: $boxes_at_start)"
        return 1
    fi
    wait "$pid" 2>/dev/null
    [ $pressed = yes ] || { echo "the game ended before its window could be used"; return 1; }
}

count_of() { "$tabla" check "$1" 2>&1; }

# What the game of FOLDER answers a request to show itself, sent by this user or (with "nobody") by another:
# "ok", "" when it closed the connection unanswered, or "no listener".
raise_answer() { # FOLDER [nobody]
    local run=() name
    [ "${2:-}" = nobody ] && run=("${nobody[@]}")
    name="brumvelda-$(id -u)-$(printf '%s/' "$(readlink -f "$1")" | sha1sum | cut -c1-16)"
    "${run[@]}" /usr/bin/python3 - "$name" <<'PY'
import socket, sys
s = socket.socket(socket.AF_UNIX)
s.settimeout(3)
try:
    s.connect('\0' + sys.argv[1])
except OSError:
    print('no listener')
    sys.exit()
try:
    s.sendall(b'raise\n')
    print(s.recv(16).decode().strip())
except OSError:
    print('')
PY
}

# ------------------------------------------------------------------------------------------ situations

started_twice() {
    start_xvfb || return 1
    local folder other first second
    folder=$(make_folder twice 25) || return 1
    other=$(make_folder elsewhere 5) || return 1
    start_game "$folder"
    first=$game_pid
    wait_for_main_window "$first" || { echo "the first copy shows no window"; return 1; }
    local first_window=$window
    # The hand-over socket has no file permissions: the game itself must turn away another user.
    local answer
    answer=$(raise_answer "$folder" nobody)
    [ -z "$answer" ] || { echo "another user's request was answered: '$answer'"; return 1; }
    answer=$(raise_answer "$folder")
    [ "$answer" = ok ] || { echo "the game's own user was answered '$answer'"; return 1; }
    # Another game's window lies over the first one's when the second copy of the first one is started.
    start_game "$other"
    local elsewhere=$game_pid
    wait_for_main_window "$elsewhere" || { echo "the game of another folder shows no window"; return 1; }
    local other_window=$window
    xdotool windowraise "$other_window"
    local before
    before=$(ls -l --time-style=+%s.%N "$folder")
    start_game "$folder"
    second=$game_pid
    for _ in $(seq 80); do kill -0 "$second" 2>/dev/null || break; sleep 0.1; done
    if kill -0 "$second" 2>/dev/null; then
        echo "a second copy runs on the same folder"
        run_to_exit "$second" >/dev/null
        run_to_exit "$first" >/dev/null
        run_to_exit "$elsewhere" >/dev/null
        return 1
    fi
    wait "$second"
    local status=$?
    [ "$status" = 0 ] || { echo "the second copy ended with $status: $(cat "$folder.out")"; return 1; }
    [ "$(ls -l --time-style=+%s.%N "$folder")" = "$before" ] || { echo "the second copy touched the folder"; return 1; }
    # The first copy's window came to the top: xwininfo lists the top-most window first.
    local stacking
    stacking=$(xwininfo -root -children | grep -oE '^ +0x[0-9a-f]+' | tr -d ' ')
    local first_place other_place
    first_place=$(grep -nx "$(printf '0x%x' "$first_window")" <<<"$stacking" | cut -d: -f1)
    other_place=$(grep -nx "$(printf '0x%x' "$other_window")" <<<"$stacking" | cut -d: -f1)
    [ -n "$first_place" ] && [ -n "$other_place" ] && [ "$first_place" -lt "$other_place" ] ||
        { echo "the first copy's window was not raised (stacking places $first_place, $other_place)"; return 1; }
    run_to_exit "$first" || return 1
    run_to_exit "$elsewhere" || return 1
    [ "$(count_of "$folder/Brumvelda.lis")" = 25 ] || { echo "list after the run: $(count_of "$folder/Brumvelda.lis")"; return 1; }
}

# No lock file can be made in a folder the user may not write: the game still plays (its saves fail and say so).
# The program's folder is not writable either, so the game keeps its files in the user's data folder.
read_only_folder() {
    start_xvfb || return 1
    local folder data
    folder=$(make_folder lockless 25) || return 1
    data=$work/lockless-data/brumvelda
    mkdir -p "$data"
    mv "$folder"/Brumvelda.* "$data/"
    chmod -R a+rX "$work/lockless-data"
    cp "$data/Brumvelda.lis" "$work/lockless.before"
    XDG_DATA_HOME=$work/lockless-data start_game "$folder" nobody
    run_to_exit "$game_pid" || return 1
    [ "$boxes_at_exit" -ge 1 ] || { echo "no message at exit about the files that could not be written"; return 1; }
    [ -e "$data/Brumvelda.lock" ] && { echo "a lock file appeared in a read-only folder"; return 1; }
    cmp -s "$data/Brumvelda.lis" "$work/lockless.before" || { echo "the list changed"; return 1; }
}

import_while_running() {
    start_xvfb || return 1
    local folder
    folder=$(make_folder running 25) || return 1
    cp "$folder/Brumvelda.lis" "$work/running.before"
    start_game "$folder"
    local pid=$game_pid
    wait_for_main_window "$pid" || { echo "no window"; return 1; }
    local input
    input=$(printf 'Szoveg\tNyelv\tFokozat\tKategoria\nuj feladvany\t1\t1\t1\n')
    local err status
    err=$("$tabla" import "$folder/Brumvelda.lis" <<<"$input" 2>&1 >/dev/null)
    status=$?
    [ "$status" = 1 ] || { echo "import while the game runs: exit $status"; run_to_exit "$pid" >/dev/null; return 1; }
    [[ "$err" == *"játék fut"* ]] || { echo "import's message: $err"; return 1; }
    "$tabla" shuffle "$folder/Brumvelda.lis" >/dev/null 2>&1 && { echo "shuffle wrote while the game runs"; return 1; }
    cmp -s "$folder/Brumvelda.lis" "$work/running.before" || { echo "the refused import changed the list"; return 1; }
    [ "$(count_of "$folder/Brumvelda.lis")" = 25 ] || { echo "check while the game runs failed"; return 1; }
    "$tabla" dump "$folder/Brumvelda.lis" >/dev/null || { echo "dump while the game runs failed"; return 1; }
    run_to_exit "$pid" || return 1
    "$tabla" import "$folder/Brumvelda.lis" <<<"$input" >/dev/null || { echo "import after the game ended failed"; return 1; }
    [ "$(count_of "$folder/Brumvelda.lis")" = 26 ] || { echo "list after the import: $(count_of "$folder/Brumvelda.lis")"; return 1; }
}

oversized_files() {
    start_xvfb || return 1
    local folder
    folder=$(make_folder oversized 25) || return 1
    # The format ignores what follows the list: a list padded to 60 GB (sparse) still holds its 25 puzzles.
    truncate -s 60G "$folder/Brumvelda.lis" "$folder/Brumvelda.jat"
    [ "$(count_of "$folder/Brumvelda.lis")" = 25 ] || { echo "check of the 60 GB list: $(count_of "$folder/Brumvelda.lis")"; return 1; }
    [ "$(count_of "$folder/Brumvelda.jat")" = 1 ] || { echo "check of the 60 GB register: $(count_of "$folder/Brumvelda.jat")"; return 1; }
    start_game "$folder"
    run_to_exit "$game_pid" || return 1
    [ "$boxes_at_start" = 0 ] || { echo "$boxes_at_start messages at start"; return 1; }
    [ "$(count_of "$folder/Brumvelda.lis")" = 25 ] || { echo "list after the run: $(count_of "$folder/Brumvelda.lis")"; return 1; }
    [ "$(count_of "$folder/Brumvelda.jat")" = 1 ] || { echo "register after the run: $(count_of "$folder/Brumvelda.jat")"; return 1; }
}

unreadable_file() {
    start_xvfb || return 1
    local folder
    folder=$(make_folder unreadable 25) || return 1
    chmod 000 "$folder/Brumvelda.lis"
    chown -R 65534:65534 "$folder"
    cp -p "$folder/Brumvelda.lis" "$work/unreadable.before"
    local err
    err=$("${nobody[@]}" "$tabla" check "$folder/Brumvelda.lis" 2>&1)
    [[ "$err" == *"nincs jogosultság"* ]] || { echo "check's message: $err"; return 1; }
    start_game "$folder" nobody
    run_to_exit "$game_pid" || return 1
    [ "$boxes_at_start" -ge 1 ] || { echo "no message at start"; return 1; }
    [ "$boxes_at_exit" -ge 1 ] || { echo "no message at exit that the list was not saved"; return 1; }
    cmp -s "$folder/Brumvelda.lis" "$work/unreadable.before" || { echo "the unreadable list was replaced"; return 1; }
    [ "$(stat -c %a "$folder/Brumvelda.lis")" = 0 ] || { echo "mode now $(stat -c %a "$folder/Brumvelda.lis")"; return 1; }
    ls "$folder" | grep -q 'bak' && { echo "a backup was made of a file that is not damaged"; return 1; }
    return 0
}

fifo_and_device() {
    start_xvfb || return 1
    local folder
    folder=$(make_folder fifo 0) || return 1
    rm -f "$folder/Brumvelda.lis" "$folder/Brumvelda.jat" "$folder/Brumvelda.ini"
    mkfifo "$folder/Brumvelda.lis" "$folder/Brumvelda.jat"
    ln -s /dev/zero "$folder/Brumvelda.ini"
    local status
    timeout 5 "$tabla" check "$folder/Brumvelda.lis" >/dev/null 2>&1
    status=$?
    [ "$status" = 1 ] || { echo "check of a FIFO: exit $status"; return 1; }
    start_game "$folder"
    # A game that waits for a FIFO's writer, or reads /dev/zero, never shows its window.
    if ! run_to_exit "$game_pid" >/dev/null; then
        echo "the game did not get through a FIFO list and register and a settings link to /dev/zero"
        return 1
    fi
    [ -p "$folder/Brumvelda.lis" ] && [ -p "$folder/Brumvelda.jat" ] || { echo "a FIFO was replaced"; return 1; }
    [ "$(readlink "$folder/Brumvelda.ini")" = /dev/zero ] || { echo "the settings link was replaced"; return 1; }
}

symbolic_links() {
    start_xvfb || return 1
    local folder
    folder=$(make_folder links 25) || return 1
    mkdir "$folder/real"
    local name
    for name in Brumvelda.lis Brumvelda.jat Brumvelda.ini; do
        mv "$folder/$name" "$folder/real/$name"
        ln -s "real/$name" "$folder/$name"
    done
    start_game "$folder"
    run_to_exit "$game_pid" || return 1
    for name in Brumvelda.lis Brumvelda.jat Brumvelda.ini; do
        [ -L "$folder/$name" ] || { echo "$name is no longer a link"; return 1; }
    done
    grep -q '^Categories=' "$folder/real/Brumvelda.ini" || { echo "the settings' target was not written"; return 1; }
    local input
    input=$(printf 'Szoveg\tNyelv\tFokozat\tKategoria\nuj feladvany\t1\t1\t1\n')
    "$tabla" import "$folder/Brumvelda.lis" <<<"$input" >/dev/null || { echo "import through the link failed"; return 1; }
    [ -L "$folder/Brumvelda.lis" ] || { echo "import replaced the link"; return 1; }
    [ "$(count_of "$folder/real/Brumvelda.lis")" = 26 ] || { echo "the link's target holds $(count_of "$folder/real/Brumvelda.lis")"; return 1; }
    ls -a "$folder" "$folder/real" | grep -q '\$\$\$' && { echo "a temporary file was left"; return 1; }
    return 0
}

read_only_file() {
    start_xvfb || return 1
    local folder
    folder=$(make_folder readonly 25) || return 1
    chmod 444 "$folder/Brumvelda.lis"
    chown -R 65534:65534 "$folder"
    chmod 444 "$folder/Brumvelda.lis"
    cp -p "$folder/Brumvelda.lis" "$work/readonly.before"
    local inode status err
    inode=$(stat -c %i "$folder/Brumvelda.lis")
    err=$(printf 'Szoveg\tNyelv\tFokozat\tKategoria\nuj feladvany\t1\t1\t1\n' |
        "${nobody[@]}" "$tabla" import "$folder/Brumvelda.lis" 2>&1)
    status=$?
    [ "$status" = 1 ] || { echo "import into a read-only list: exit $status"; return 1; }
    [[ "$err" == *"$folder/Brumvelda.lis"* ]] || { echo "import's message does not name the file: $err"; return 1; }
    start_game "$folder" nobody
    run_to_exit "$game_pid" || return 1
    [ "$boxes_at_exit" -ge 1 ] || { echo "no message at exit"; return 1; }
    [ "$(stat -c %i "$folder/Brumvelda.lis")" = "$inode" ] || { echo "the read-only list was replaced"; return 1; }
    cmp -s "$folder/Brumvelda.lis" "$work/readonly.before" || { echo "the read-only list changed"; return 1; }
}

output_errors() {
    local folder
    folder=$(make_folder output 3000) || return 1
    local list=$folder/Brumvelda.lis status
    "$tabla" dump "$list" >/dev/full 2>/dev/null
    status=$?
    [ "$status" = 1 ] || { echo "dump > /dev/full: exit $status"; return 1; }
    "$tabla" check "$list" >/dev/full 2>/dev/null
    status=$?
    [ "$status" = 1 ] || { echo "check > /dev/full: exit $status"; return 1; }
    "$tabla" check "$list" >&- 2>/dev/null
    status=$?
    [ "$status" = 1 ] || { echo "check with stdout closed: exit $status"; return 1; }
    "$tabla" --help >/dev/full 2>/dev/null
    status=$?
    [ "$status" = 1 ] || { echo "--help > /dev/full: exit $status"; return 1; }
    printf 'Nev\nBea\n' | "$tabla" import "$folder/Brumvelda.jat" >/dev/full 2>/dev/null
    status=$?
    [ "$status" = 1 ] || { echo "import > /dev/full: exit $status"; return 1; }
}

# Import input: INPUT FILE EXIT WHAT-STDERR-HOLDS (printf format for the input)
import_input() {
    local folder=$work/input
    mkdir -p "$folder"
    local failed=0 row input file expected holds err status
    while IFS='|' read -r input file expected holds; do
        [ -z "$input" ] && continue
        rm -f "$folder/$file"
        err=$(printf "$input" | "$tabla" import "$folder/$file" 2>&1 >/dev/null)
        status=$?
        if [ "$status" != "$expected" ] || [[ "$err" != *"$holds"* ]]; then
            echo "input '$input': exit $status, message: $err"
            failed=1
        fi
    done <<'ROWS'
\xEF\xBB\xBFSzoveg\tNyelv\tFokozat\tKategoria\nalma\t1\t1\t1\n|a.lis|0|
Szoveg\tNyelv\tSugo1\tFokozat\tKategoria\nalma\t1\tab\x00cd\t1\t1\n|a.lis|1|<stdin>:2:10: Sugo1: a(z) U+0000
Nev\nKet\\nsor\n|a.jat|1|<stdin>:2:4: Nev: a(z) U+000A
Nev\nHar\x01mas\n|a.jat|1|<stdin>:2:4: Nev: a(z) U+0001
Nev\nBea\xFF\n|a.jat|1|<stdin>:2:4: Nev: a(z) 0xFF
Nev\xE2\x80\x8B\nBea\n|a.jat|1|„Nev<U+200B>”
ROWS
    return $failed
}

# ------------------------------------------------------------------------------------------ the table

situations=(
    "1 started twice:started_twice"
    "1 a read-only folder still plays:read_only_folder"
    "2 import while the game runs:import_while_running"
    "3 a 60 GB list and register:oversized_files"
    "4 a list the user may not read:unreadable_file"
    "5 FIFOs and a settings link to /dev/zero:fifo_and_device"
    "6 symbolic links:symbolic_links"
    "7 a read-only list:read_only_file"
    "8 output errors of the tool:output_errors"
    "9 import input:import_input"
)

failures=0
for row in "${situations[@]}"; do
    name=${row%%:*}
    check=${row#*:}
    started=$(date +%s%N)
    # Run in this shell, not a subshell, so the processes it starts are known to the clean-up.
    if $check >"$work/message" 2>&1; then
        printf 'ok    %-45s %d ms\n' "$name" $((($(date +%s%N) - started) / 1000000))
    else
        printf 'FAIL  %-45s %s\n' "$name" "$(cat "$work/message")"
        failures=$((failures + 1))
    fi
done
[ "$failures" = 0 ] || { echo "$failures situations failed"; exit 1; }
echo "all situations passed"
