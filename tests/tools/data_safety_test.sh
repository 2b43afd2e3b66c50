#!/bin/bash
# The situations in which the game or the table tool used to lose data, each played with the real programs:
# two game processes under Xvfb, a real FIFO, a sparse 60 GB file, real permissions of two unprivileged
# users, a real /dev/full, signals, a lost display, a full disk. One row of the table at the end per situation;
# every row runs, the failures are listed. DATA_SAFETY_ONLY (a bash regex) runs only the rows whose name
# matches it.
# usage: data_safety_test.sh BRUMVELDA BRUMVELDA_TABLA MAKE_TABLES
set -u
game_binary=$1
tabla=$2
make_tables=$3

# The usual umask: a file's mode then shows what the program chose, not what a strict umask hid.
umask 022
work=$(mktemp -d)
chmod 755 "$work" # the unprivileged users must reach the folders below
xvfb_pid=
started_pids=()
mounts=()
cleanup() {
    for pid in "${started_pids[@]}"; do kill "$pid" 2>/dev/null; done
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    for mount in "${mounts[@]}"; do umount "$mount" 2>/dev/null || umount -l "$mount"; done
    rm -rf "$work"
}
trap cleanup EXIT

nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
other_user=(setpriv --reuid=65533 --regid=65533 --clear-groups)
cp "$tabla" "$work/tabla"
chmod 755 "$work/tabla"
tabla=$work/tabla

# ------------------------------------------------------------------------------------------ helpers

source "$(dirname "$0")/../support/xvfb.sh"

# The display every game is started on, unless it asks for one of its own; made by the first row that needs it.
start_xvfb() {
    [ -n "$xvfb_pid" ] && return 0
    start_own_xvfb "$work/display" || { echo "$xvfb_problem"; return 1; }
    xvfb_pid=$xvfb_started
    export DISPLAY=$xvfb_display
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

# Starts the game of FOLDER (as the unprivileged user when asked; in GAME_HOME when set); sets game_pid.
start_game() { # FOLDER [nobody]
    local run=()
    [ "${2:-}" = nobody ] && run=("${nobody[@]}")
    (cd / && unset QT_QPA_PLATFORM && HOME=${GAME_HOME:-$work} XDG_RUNTIME_DIR= XDG_DATA_HOME=${XDG_DATA_HOME:-} \
        exec "${run[@]}" "$1/brumvelda") \
        >"$1.out" 2>&1 &
    game_pid=$!
    started_pids+=("$game_pid")
}

main_window_of() { xdotool search --all --pid "$1" --name '^Brumvelda v1' 2>/dev/null | head -1; }
box_of() { xdotool search --all --pid "$1" --name '^Brumvelda$' 2>/dev/null | head -1; }
shown_main_window_of() { xdotool search --all --onlyvisible --pid "$1" --name '^Brumvelda v1' 2>/dev/null | head -1; }
# A window of PID over the main one: a message box, a dialog, a result window (whatever its title), not a
# tooltip.
other_window_of() {
    local main shown
    main=$(main_window_of "$1")
    for shown in $(xdotool search --all --onlyvisible --pid "$1" 2>/dev/null); do
        [ "$shown" = "$main" ] && continue
        xprop -id "$shown" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP && continue
        echo "$shown"
        return
    done
}

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
    # The running game writes the name it listens on into its lock file, which only its user may read.
    name=$(head -1 "$1/Brumvelda.lock" 2>/dev/null)
    [ -n "$name" ] || { echo "no name in the lock file"; return; }
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

# Follows a game of PID that must refuse to start: each message box is closed with Enter, the main window
# must never show, the game must end. Sets boxes_at_start and status.
refused_start() { # PID
    local pid=$1 box
    boxes_at_start=0
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        if [ -n "$(shown_main_window_of "$pid")" ]; then
            echo "the game showed its main window (after $boxes_at_start messages)"
            run_to_exit "$pid" >/dev/null
            return 1
        fi
        box=$(other_window_of "$pid")
        if [ -n "$box" ]; then
            xdotool windowfocus "$box" key Return 2>/dev/null
            boxes_at_start=$((boxes_at_start + 1))
            sleep 0.3
            continue
        fi
        sleep 0.1
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid"
        wait "$pid" 2>/dev/null
        echo "the game did not end (messages: $boxes_at_start)"
        return 1
    fi
    wait "$pid"
    status=$?
}

# Waits up to SECONDS for PID to end and sets status; a process still running then is killed, and fails.
# A game ended by a signal is expected here: the shell's report of it is not shown.
ended_within() { # SECONDS PID
    for _ in $(seq $(($1 * 10))); do kill -0 "$2" || break; sleep 0.1; done
    if kill -0 "$2"; then
        kill -KILL "$2"
        wait "$2"
        return 1
    fi
    wait "$2"
    status=$?
} 2>/dev/null

# A copy started in FOLDER while another copy of the same data folder runs: it must hand over to that one
# and end with status 0 within 3 s.
ends_raising() { # FOLDER [nobody]
    start_game "$@"
    ended_within 3 "$game_pid" || { echo "a copy started as $1/brumvelda still ran after 3 s"; return 1; }
    [ "$status" = 0 ] || { echo "a copy started as $1/brumvelda ended with $status: $(cat "$1.out")"; return 1; }
}

# Another user opens FILE for reading and holds a flock on it (until the clean-up); sets holder to "held",
# "denied" (the file may not be opened) or the error.
lock_held_by_nobody() { # FILE
    "${nobody[@]}" /usr/bin/python3 -c '
import fcntl, sys, time
try:
    f = open(sys.argv[1], "rb")
except PermissionError:
    print("denied", flush=True)
    sys.exit()
fcntl.flock(f, fcntl.LOCK_EX | fcntl.LOCK_NB)
print("held", flush=True)
time.sleep(60)' "$1" >"$work/holder" 2>&1 &
    started_pids+=($!)
    for _ in $(seq 50); do [ -s "$work/holder" ] && break; sleep 0.1; done
    holder=$(head -c 300 "$work/holder")
}

# A second game display, for a game that loses its own; sets spare_display and spare_xvfb.
start_spare_xvfb() {
    start_own_xvfb "$work/spare-display" || { echo "the second display: $xvfb_problem"; return 1; }
    spare_xvfb=$xvfb_started
    started_pids+=("$spare_xvfb")
    spare_display=$xvfb_display
}

# Plays one round of the game of PID (its window in $window) to its end the quickest way: a new puzzle
# (tbUj), given up (tbSzabad), its result window closed with a click. Anna's rounds grow by one.
give_up_a_round() { # PID
    local pid=$1 result=
    for _ in $(seq 20); do
        # tbUj is off during a round and tbSzabad between rounds: a click that came too soon is repeated.
        xdotool mousemove --window "$window" 165 19 click 1
        sleep 0.2
        xdotool mousemove --window "$window" 267 19 click 1
        sleep 0.3
        result=$(other_window_of "$pid")
        [ -n "$result" ] && break
    done
    [ -n "$result" ] || { echo "no result window after giving up a round"; return 1; }
    for _ in $(seq 20); do
        xdotool mousemove --window "$result" 200 150 click 1 2>/dev/null
        sleep 0.3
        [ -z "$(other_window_of "$pid")" ] && return 0
    done
    echo "the result window did not close"
    return 1
}

# Anna's rounds in FOLDER's register (make_folder registers her with 4).
rounds_of() { "$tabla" dump "$1/Brumvelda.jat" 2>/dev/null | awk -F'\t' '$1 == "Anna" { print $3 }'; }

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
    [ -z "$answer" ] || { echo "another user's request got '$answer', not a closed connection"; return 1; }
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

# A table larger than 256 MB is refused before it is read, whatever it holds: the format ignores what follows
# the records, so such a file used to load (and to be written back whole at the exit). Neither the tool nor the
# game may read it, replace it or back it up. The files are sparse: nothing of them is on the disk.
refused_as_too_large() { # FOLDER FILE...
    local folder=$1 file out status
    shift
    for file in "$@"; do
        stat -c '%s %i' "$folder/$file" >"$work/$file.stat"
        head -c 1M "$folder/$file" >"$work/$file.head"
        out=$("$tabla" check "$folder/$file" 2>&1)
        status=$?
        [ "$status" = 1 ] && [[ "$out" == *"túl nagy"* ]] ||
            { echo "check of the $(stat -c %s "$folder/$file") byte $file: exit $status: $out"; return 1; }
    done
    start_game "$folder"
    run_to_exit "$game_pid" || return 1
    [ "$boxes_at_start" -ge 1 ] || { echo "no message at start"; return 1; }
    for file in "$@"; do
        [ "$(stat -c '%s %i' "$folder/$file")" = "$(cat "$work/$file.stat")" ] ||
            { echo "$file was replaced or resized: $(stat -c '%s %i' "$folder/$file"), was $(cat "$work/$file.stat")"; return 1; }
        head -c 1M "$folder/$file" | cmp -s - "$work/$file.head" || { echo "$file changed"; return 1; }
    done
    local backups
    backups=$(compgen -G "$folder/*.bak*")
    [ -z "$backups" ] || { echo "a backup was made: $backups"; return 1; }
}

# A list and a register padded (sparse) to 60 GB: far over 256 MB, so refused before they are read.
oversized_files() {
    start_xvfb || return 1
    local folder
    folder=$(make_folder oversized 25) || return 1
    truncate -s 60G "$folder/Brumvelda.lis" "$folder/Brumvelda.jat"
    refused_as_too_large "$folder" Brumvelda.lis Brumvelda.jat
}

# Just over the limit: 300 MB, still sparse.
list_over_limit() {
    start_xvfb || return 1
    local folder
    folder=$(make_folder overlimit 25) || return 1
    truncate -s 300M "$folder/Brumvelda.lis"
    refused_as_too_large "$folder" Brumvelda.lis
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

# The lock file is the player's alone (0600, also one an older version left 0644): another user who could
# open it could hold its flock and so keep the player out of their own game.
private_lock_file() {
    start_xvfb || return 1
    local left folder mode
    for left in none 644; do
        folder=$(make_folder "private-lock-$left" 25) || return 1
        if [ "$left" = 644 ]; then
            : >"$folder/Brumvelda.lock"
            chmod 644 "$folder/Brumvelda.lock"
        fi
        start_game "$folder"
        wait_for_main_window "$game_pid" || { echo "no window: $(cat "$folder.out")"; return 1; }
        mode=$(stat -c %a "$folder/Brumvelda.lock")
        run_to_exit "$game_pid" || return 1
        [ "$mode" = 600 ] || { echo "the lock file (one left: $left) has mode $mode while the game runs"; return 1; }
    done
    lock_held_by_nobody "$folder/Brumvelda.lock"
    [ "$holder" = denied ] || { echo "another user opened the lock file: $holder"; return 1; }
    start_game "$folder"
    wait_for_main_window "$game_pid" || { echo "the game did not start: $(cat "$folder.out")"; return 1; }
    run_to_exit "$game_pid"
}

# A lock file the game cannot take (another user's; a link, even one leading nowhere) keeps both the game and
# the tool out: without the lock nothing would keep another writer away. The game says so and ends.
untakeable_lock() {
    start_xvfb || return 1
    local failed=0 case
    for case in "root's lock in nobody's folder" "a link leading nowhere"; do
        untakeable_lock_case "$case" >"$work/untakeable" || { echo "$case: $(cat "$work/untakeable")"; failed=1; }
    done
    return $failed
}

untakeable_lock_case() { # CASE
    local folder run=() as='' err out
    if [ "$1" = "a link leading nowhere" ]; then
        folder=$(make_folder lock-link 25) || return 1
        ln -s "$work/lock-link-target" "$folder/Brumvelda.lock"
    else
        folder=$(make_folder lock-foreign 25) || return 1
        chown -R 65534:65534 "$folder"
        : >"$folder/Brumvelda.lock"
        chmod 600 "$folder/Brumvelda.lock"
        run=("${nobody[@]}")
        as=nobody
    fi
    cp "$folder/Brumvelda.lis" "$work/untakeable.before"
    start_game "$folder" $as
    refused_start "$game_pid" || return 1
    [ "$status" = 1 ] || { echo "the game ended with $status"; return 1; }
    [ "$boxes_at_start" -ge 1 ] || { echo "the game ended without a message"; return 1; }
    [ -e "$work/lock-link-target" ] && { echo "the game made the link's target"; return 1; }
    err=$(printf 'Szoveg\tNyelv\tFokozat\tKategoria\nuj feladvany\t1\t1\t1\n' |
        "${run[@]}" "$tabla" import "$folder/Brumvelda.lis" 2>&1 >/dev/null)
    out=$?
    [ "$out" = 1 ] || { echo "import exit $out"; return 1; }
    [[ "$err" == *"$folder/Brumvelda.lock"* ]] || { echo "import's message names no lock file: $err"; return 1; }
    cmp -s "$folder/Brumvelda.lis" "$work/untakeable.before" || { echo "the list changed"; return 1; }
}

# The hand-over socket's name is not one another user can work out and take first: the running game writes
# the name it chose into its lock file, and a later copy reads it there.
handover_name_taken() {
    start_xvfb || return 1
    local folder old first name
    folder=$(make_folder handover 25) || return 1
    old="brumvelda-$(id -u)-$(printf '%s/' "$(readlink -f "$folder")" | sha1sum | cut -c1-16)"
    "${nobody[@]}" /usr/bin/python3 -c '
import socket, sys, time
s = socket.socket(socket.AF_UNIX)
s.bind("\0" + sys.argv[1])
s.listen(4)
print("bound", flush=True)
time.sleep(60)' "$old" >"$work/squatter" 2>&1 &
    started_pids+=($!)
    for _ in $(seq 50); do [ -s "$work/squatter" ] && break; sleep 0.1; done
    [ "$(cat "$work/squatter")" = bound ] || { echo "the other user could not bind $old: $(cat "$work/squatter")"; return 1; }
    start_game "$folder"
    first=$game_pid
    wait_for_main_window "$first" || { echo "the first copy shows no window: $(cat "$folder.out")"; return 1; }
    ends_raising "$folder" || { run_to_exit "$first" >/dev/null; return 1; }
    name=$(head -1 "$folder/Brumvelda.lock")
    run_to_exit "$first" || return 1
    [[ "$name" == brumvelda-* ]] && [ "$name" != "$old" ] || { echo "the lock file names '$name'"; return 1; }
}

# Links another user planted in a world-writable folder that holds the game must not lead the player's
# game to the player's own files: such a folder is no data folder, the user's data folder is used instead.
planted_links() {
    start_xvfb || return 1
    local shared=$work/shared home=$work/player name
    mkdir -p "$shared" "$home"
    chmod 1777 "$shared"
    cp "$game_binary" "$shared/brumvelda"
    chmod 755 "$shared/brumvelda"
    "$make_tables" write "$shared" 25 >/dev/null || return 1
    printf 'the player'"'"'s notes\n' >"$home/notes.txt"
    printf 'the player'"'"'s diary\n' >"$home/diary.txt"
    cp "$home/notes.txt" "$home/diary.txt" "$work/"
    chown -R 65534:65534 "$home"
    chmod 600 "$home/notes.txt" "$home/diary.txt"
    "${other_user[@]}" ln -s "$home/notes.txt" "$shared/Brumvelda.ini" || return 1
    "${other_user[@]}" ln -s "$home/diary.txt" "$shared/Brumvelda.jat" || return 1
    GAME_HOME=$home XDG_DATA_HOME=$home/data start_game "$shared" nobody
    run_to_exit "$game_pid" || return 1
    for name in notes.txt diary.txt; do
        cmp -s "$home/$name" "$work/$name" || { echo "the player's $name was written through a planted link"; return 1; }
    done
    [ -f "$home/data/brumvelda/Brumvelda.ini" ] ||
        { echo "no settings in the user's data folder; it holds: $(ls -A "$home/data/brumvelda" 2>&1)"; return 1; }
}

# However the session ends, the round played is kept: the game ends within 5 s of a SIGTERM or SIGHUP (also
# with the player dialog open) or of losing its display, with the register saved; and a round is written to
# the register when it ends, so that even a SIGKILL loses nothing of it.
session_ends() {
    start_xvfb || return 1
    local failed=0 ending
    for ending in SIGTERM SIGHUP "lost display" "SIGTERM in the player dialog" "SIGKILL after the round"; do
        session_ending "$ending" || failed=1
    done
    return $failed
}

session_ending() { # ENDING
    local ending=$1 folder pid rounds
    local -x DISPLAY=$DISPLAY
    if [ "$ending" = "lost display" ]; then
        start_spare_xvfb || return 1
        DISPLAY=$spare_display
    fi
    folder=$(make_folder "ending-${ending// /-}" 25) || return 1
    start_game "$folder"
    pid=$game_pid
    wait_for_main_window "$pid" || { echo "$ending: no window: $(cat "$folder.out")"; return 1; }
    give_up_a_round "$pid" >"$work/round" || { echo "$ending: $(cat "$work/round")"; kill -KILL "$pid"; return 1; }
    case $ending in
    SIGTERM) kill -TERM "$pid" ;;
    SIGHUP) kill -HUP "$pid" ;;
    "lost display") kill "$spare_xvfb" ;;
    "SIGTERM in the player dialog")
        xdotool mousemove --window "$window" 17 19 click 1 # tbJatekos
        for _ in $(seq 30); do [ -n "$(other_window_of "$pid")" ] && break; sleep 0.1; done
        [ -n "$(other_window_of "$pid")" ] || { echo "$ending: the player dialog did not open"; kill -KILL "$pid"; return 1; }
        kill -TERM "$pid"
        ;;
    "SIGKILL after the round")
        for _ in $(seq 30); do [ "$(rounds_of "$folder")" = 5 ] && break; sleep 0.1; done
        kill -KILL "$pid"
        ;;
    esac
    ended_within 5 "$pid" || { echo "$ending: the game still ran 5 s later"; return 1; }
    rounds=$(rounds_of "$folder")
    [ "$rounds" = 5 ] || { echo "$ending: the register holds ${rounds:-no} rounds of Anna's, not 5"; return 1; }
}

# No list beside the program and none installed: the game says so, and leaves no empty list behind in the
# user's data folder, which would keep a list installed later from being copied there.
no_list_anywhere() {
    start_xvfb || return 1
    local program=$work/nolist/usr/games data=$work/nolist-data
    mkdir -p "$program" "$data"
    cp "$game_binary" "$program/brumvelda"
    chown 65534:65534 "$data"
    XDG_DATA_HOME=$data start_game "$program" nobody
    run_to_exit "$game_pid" || return 1
    [ "$boxes_at_start" -ge 1 ] || { echo "no message at start about the missing list"; return 1; }
    [ -e "$data/brumvelda/Brumvelda.lis" ] &&
        { echo "a list of $(count_of "$data/brumvelda/Brumvelda.lis") puzzles was left in the user's data folder"; return 1; }
    mkdir -p "$work/nolist/usr/share/games/brumvelda"
    "$make_tables" write "$work/nolist/usr/share/games/brumvelda" 25 >/dev/null || return 1
    XDG_DATA_HOME=$data start_game "$program" nobody
    run_to_exit "$game_pid" || return 1
    [ "$(count_of "$data/brumvelda/Brumvelda.lis")" = 25 ] ||
        { echo "the installed list was not copied: $(count_of "$data/brumvelda/Brumvelda.lis")"; return 1; }
}

# The game's list is a link into another folder: the tool refuses to write it by either name while the game
# runs, as the game would write its own copy over the change when it ends.
import_into_linked_list() {
    start_xvfb || return 1
    local folder target=$work/linked-target path err status
    folder=$(make_folder linked 25) || return 1
    mkdir -p "$target"
    mv "$folder/Brumvelda.lis" "$target/other.lis"
    ln -s "$target/other.lis" "$folder/Brumvelda.lis"
    start_game "$folder"
    wait_for_main_window "$game_pid" || { echo "no window: $(cat "$folder.out")"; return 1; }
    for path in "$target/other.lis" "$folder/Brumvelda.lis"; do
        err=$(printf 'Szoveg\tNyelv\tFokozat\tKategoria\nuj feladvany\t1\t1\t1\n' |
            "$tabla" import "$path" 2>&1 >/dev/null)
        status=$?
        [ "$status" = 1 ] && [[ "$err" == *"játék fut"* ]] ||
            { echo "import into $path while the game runs: exit $status $err"; run_to_exit "$game_pid" >/dev/null; return 1; }
    done
    run_to_exit "$game_pid" || return 1
    [ "$(count_of "$target/other.lis")" = 25 ] || { echo "the list holds $(count_of "$target/other.lis")"; return 1; }
}

# The tool takes the lock only once its input is read: while it waits for the input the game still starts.
tool_waits_for_input() {
    start_xvfb || return 1
    local folder tool feeder game
    folder=$(make_folder waiting 25) || return 1
    cp "$folder/Brumvelda.lis" "$work/waiting.before"
    # The input comes once the sleep is ended.
    (
        sleep 30 &
        echo $! >"$work/waiting.sleep"
        wait
        printf 'Szoveg\tNyelv\tFokozat\tKategoria\nuj feladvany\t1\t1\t1\n'
    ) | "$tabla" import "$folder/Brumvelda.lis" >/dev/null 2>"$work/waiting.err" &
    tool=$!
    started_pids+=("$tool")
    for _ in $(seq 50); do [ -s "$work/waiting.sleep" ] && break; sleep 0.1; done
    feeder=$(cat "$work/waiting.sleep")
    started_pids+=("$feeder")
    # Blocked in a read of its standard input (the first argument of the system call is descriptor 0).
    for _ in $(seq 50); do [ "$(cut -d' ' -f2 "/proc/$tool/syscall" 2>/dev/null)" = 0x0 ] && break; sleep 0.1; done
    [ "$(cut -d' ' -f2 "/proc/$tool/syscall" 2>/dev/null)" = 0x0 ] || { echo "the tool never waited for its input"; return 1; }
    start_game "$folder"
    game=$game_pid
    wait_for_main_window "$game" || { echo "the game did not start while the tool waited: $(cat "$folder.out")"; return 1; }
    kill "$feeder"
    ended_within 5 "$tool" || { echo "the tool did not end after its input"; return 1; }
    [ "$status" = 1 ] && grep -q "játék fut" "$work/waiting.err" ||
        { echo "the tool, once its input came while the game ran: exit $status $(cat "$work/waiting.err")"; run_to_exit "$game" >/dev/null; return 1; }
    run_to_exit "$game" || return 1
    cmp -s "$folder/Brumvelda.lis" "$work/waiting.before" || { echo "the list changed"; return 1; }
}

# A second start is answered while the first copy's start-up message is still open.
second_start_during_message() {
    start_xvfb || return 1
    local folder first
    folder=$(make_folder startmessage 25) || return 1
    printf 'not a register\n' >"$folder/Brumvelda.jat"
    start_game "$folder"
    first=$game_pid
    for _ in $(seq 100); do [ -n "$(other_window_of "$first")" ] && break; sleep 0.1; done
    [ -n "$(other_window_of "$first")" ] || { echo "no message at start: $(cat "$folder.out")"; run_to_exit "$first" >/dev/null; return 1; }
    ends_raising "$folder" || { run_to_exit "$first" >/dev/null; return 1; }
    run_to_exit "$first"
}

# The same folder reached by another path (a link, a doubled slash) is the same folder: a second copy hands
# over to the first. The program's folder is found through /proc, the user's data folder through
# XDG_DATA_HOME as it was written.
folder_spelled_otherwise() {
    start_xvfb || return 1
    local folder first spelling program=$work/spelled-program data=$work/spelled-data
    folder=$(make_folder spelled 25) || return 1
    ln -s "$folder" "$work/spelled-alias"
    start_game "$folder"
    first=$game_pid
    wait_for_main_window "$first" || { echo "the first copy shows no window: $(cat "$folder.out")"; return 1; }
    for spelling in "$work/spelled-alias" "$work//spelled"; do
        ends_raising "$spelling" || { run_to_exit "$first" >/dev/null; return 1; }
    done
    run_to_exit "$first" || return 1

    mkdir -p "$program" "$data/brumvelda"
    cp "$game_binary" "$program/brumvelda"
    "$make_tables" write "$data/brumvelda" 25 Anna >/dev/null || return 1
    chown -R 65534:65534 "$data"
    ln -s "$data" "$work/spelled-data-alias"
    XDG_DATA_HOME=$data start_game "$program" nobody
    first=$game_pid
    wait_for_main_window "$first" || { echo "the first copy (user's data folder) shows no window: $(cat "$program.out")"; return 1; }
    for spelling in "$work/spelled-data-alias" "$work//spelled-data"; do
        XDG_DATA_HOME=$spelling ends_raising "$program" nobody >"$work/spelled.message" ||
            { echo "XDG_DATA_HOME=$spelling: $(cat "$work/spelled.message")"; run_to_exit "$first" >/dev/null; return 1; }
    done
    run_to_exit "$first"
}

# Settings temporaries left by a copy that died while saving are cleared at the next start; other files
# that only look alike stay.
leftover_settings_temporaries() {
    start_xvfb || return 1
    local folder name
    folder=$(make_folder leftovers 25) || return 1
    for name in Brumvelda.ini.AbC123 Brumvelda.ini.x9Zq0b Brumvelda.ini.bak; do
        printf '[Last]\nUser=Bea\n' >"$folder/$name"
    done
    start_game "$folder"
    wait_for_main_window "$game_pid" || { echo "no window: $(cat "$folder.out")"; return 1; }
    for _ in $(seq 20); do [ -e "$folder/Brumvelda.ini.AbC123" ] || [ -e "$folder/Brumvelda.ini.x9Zq0b" ] || break; sleep 0.1; done
    local left
    left=$(cd "$folder" && ls Brumvelda.ini.AbC123 Brumvelda.ini.x9Zq0b 2>/dev/null | tr '\n' ' ')
    run_to_exit "$game_pid" || return 1
    [ -z "$left" ] || { echo "left while the game runs: $left"; return 1; }
    [ -e "$folder/Brumvelda.ini.bak" ] || { echo "Brumvelda.ini.bak was removed"; return 1; }
}

# A save that fails on a full disk keeps the old files whole and leaves no temporary; the player is told.
full_disk() {
    start_xvfb || return 1
    local folder=$work/fulldisk size name files
    mkdir -p "$folder"
    size=$(($(stat -c %s "$game_binary") / 1048576 + 3))
    mount -t tmpfs -o "size=${size}M,mode=755" tmpfs "$folder" 2>/dev/null || { echo "no tmpfs may be mounted here"; return 77; }
    mounts+=("$folder")
    folder=$(make_folder fulldisk 25) || return 1
    start_game "$folder"
    wait_for_main_window "$game_pid" || { echo "no window: $(cat "$folder.out")"; return 1; }
    give_up_a_round "$game_pid" || return 1
    # A new round: the register's count of rounds changes once more, and is not saved before the exit.
    xdotool mousemove --window "$window" 165 19 click 1
    sleep 0.5
    mkdir "$work/fulldisk.before"
    # The round given up is in the history already; the one abandoned at the exit finds no room.
    cp -p "$folder"/Brumvelda.{ini,jat,lis,tor} "$work/fulldisk.before/"
    dd if=/dev/zero of="$folder/filler" bs=64k >/dev/null 2>&1
    run_to_exit "$game_pid" || return 1
    for name in Brumvelda.ini Brumvelda.jat Brumvelda.lis Brumvelda.tor; do
        cmp -s "$folder/$name" "$work/fulldisk.before/$name" || { echo "$name changed on the full disk"; return 1; }
    done
    files=$(cd "$folder" && ls -A | LC_ALL=C sort | tr '\n' ' ')
    [ "$files" = "Brumvelda.ini Brumvelda.jat Brumvelda.lis Brumvelda.lock Brumvelda.tor brumvelda filler " ] ||
        { echo "the folder holds: $files"; return 1; }
    [ "$boxes_at_exit" -ge 1 ] || { echo "no message at exit"; return 1; }
}

# Imports, one a line on stdin: INPUT|FILE|EXIT|WHAT-STDERR-HOLDS (INPUT is a printf format).
import_rows() {
    local folder=$work/input
    mkdir -p "$folder"
    local failed=0 input file expected holds err status
    while IFS='|' read -r input file expected holds; do
        [ -z "$input" ] && continue
        rm -f "$folder/$file"
        err=$(printf "$input" | "$tabla" import "$folder/$file" 2>&1 >/dev/null)
        status=$?
        if [ "$status" != "$expected" ] || [[ "$err" != *"$holds"* ]]; then
            echo "input '$input': exit $status, message: $err"
            failed=1
        fi
    done
    return $failed
}

import_input() {
    import_rows <<'ROWS'
\xEF\xBB\xBFSzoveg\tNyelv\tFokozat\tKategoria\nalma\t1\t1\t1\n|a.lis|0|
Szoveg\tNyelv\tSugo1\tFokozat\tKategoria\nalma\t1\tab\x00cd\t1\t1\n|a.lis|1|<stdin>:2:10: Sugo1: a(z) U+0000
Nev\nKet\\nsor\n|a.jat|1|<stdin>:2:4: Nev: a(z) U+000A
Nev\nHar\x01mas\n|a.jat|1|<stdin>:2:4: Nev: a(z) U+0001
Nev\nBea\xFF\n|a.jat|1|<stdin>:2:4: Nev: a(z) 0xFF
Nev\xE2\x80\x8B\nBea\n|a.jat|1|„Nev<U+200B>”
ROWS
}

# A puzzle needs a letter to guess: blanks and punctuation alone would give a round with nothing to play.
letterless_puzzles() {
    import_rows <<'ROWS'
Szoveg\tNyelv\tFokozat\tKategoria\n...\t1\t1\t1\n|a.lis|1|<stdin>:2
Szoveg\tNyelv\tFokozat\tKategoria\n%39s\t1\t1\t1\n|a.lis|1|<stdin>:2
Szoveg\tNyelv\tFokozat\tKategoria\n!? -, .\t2\t1\t1\n|a.lis|1|<stdin>:2
Szoveg\tNyelv\tFokozat\tKategoria\nalma\t1\t1\t1\n- - -\t1\t1\t1\n|a.lis|1|<stdin>:3
Szoveg\tNyelv\tFokozat\tKategoria\nMi az, hogy...?\t1\t1\t1\n|a.lis|0|
ROWS
}

# ------------------------------------------------------------------------------------------ the table

situations=(
    "1 started twice:started_twice"
    "1 a read-only folder still plays:read_only_folder"
    "2 import while the game runs:import_while_running"
    "3 a 60 GB list and register are refused:oversized_files"
    "4 a list the user may not read:unreadable_file"
    "5 FIFOs and a settings link to /dev/zero:fifo_and_device"
    "6 symbolic links:symbolic_links"
    "7 a read-only list:read_only_file"
    "8 output errors of the tool:output_errors"
    "9 import input:import_input"
    "10 the lock file is the player's alone:private_lock_file"
    "11 a lock file that cannot be taken:untakeable_lock"
    "12 another user took the hand-over name:handover_name_taken"
    "13 links planted in a shared folder:planted_links"
    "14 the session ends otherwise:session_ends"
    "15 no puzzle list anywhere:no_list_anywhere"
    "16 import into a linked list:import_into_linked_list"
    "17 the tool waits for its input:tool_waits_for_input"
    "18 second start during a start-up message:second_start_during_message"
    "19 the same folder by another path:folder_spelled_otherwise"
    "20 leftover settings temporaries:leftover_settings_temporaries"
    "21 a full disk at the exit:full_disk"
    "22 puzzles without a letter:letterless_puzzles"
    "23 a list over 256 MB:list_over_limit"
)

failures=0
ran=0
for row in "${situations[@]}"; do
    name=${row%%:*}
    check=${row#*:}
    [ -n "${DATA_SAFETY_ONLY:-}" ] && ! [[ $name =~ $DATA_SAFETY_ONLY ]] && continue
    ran=$((ran + 1))
    started=$(date +%s%N)
    # Run in this shell, not a subshell, so the processes it starts are known to the clean-up.
    $check >"$work/message" 2>&1
    case $? in
    0) printf 'ok    %-45s %d ms\n' "$name" $((($(date +%s%N) - started) / 1000000)) ;;
    77) printf 'ok    %-45s (skipped: %s)\n' "$name" "$(cat "$work/message")" ;;
    *)
        printf 'FAIL  %-45s %s\n' "$name" "$(cat "$work/message")"
        failures=$((failures + 1))
        ;;
    esac
done
[ "$ran" -gt 0 ] || { echo "no situation's name matches DATA_SAFETY_ONLY='$DATA_SAFETY_ONLY'"; exit 1; }
[ "$failures" = 0 ] || { echo "$failures situations failed"; exit 1; }
echo "all situations passed"
