#!/usr/bin/env bash
# The Windows installer tried as a player would, under wine in a fresh prefix and Xvfb: a silent install, the
# first start (the pack copied into the player's data folder), a round given up, the exit button, the register
# holding the round, a second start handing over to the first, and the uninstaller keeping the player's files.
# Usage: test-installer.sh WINDOWS_BUILD VERSION. Screenshots are left in WINDOWS_BUILD/screenshots/.
set -uo pipefail

out=$(cd "$1" && pwd)
version=$2
setup=$out/brumvelda-$version-setup.exe
export WINEPREFIX=$out/test-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine names the Windows user after USER: every path of the game's then holds "Ödön", as for such a player.
export USER=Ödön LOGNAME=Ödön
# None of this machine's fonts: wine then has only its own, as Windows has none of the game's font but what
# the game carries.
fonts_conf=$(mktemp)
printf '<?xml version="1.0"?>\n<fontconfig></fontconfig>\n' >"$fonts_conf"
export FONTCONFIG_FILE=$fonts_conf
wine=/usr/lib/wine/wine64
shots=$out/screenshots
xvfb_pid=
game_pid=

fail() {
    echo "test-installer: $*" >&2
    exit 1
}
cleanup() {
    [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null
    /usr/lib/wine/wineserver -k 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    rm -f "$fonts_conf"
}
trap cleanup EXIT

# A display of our own: the first free number from 80.
for n in $(seq 80 120); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb :$n -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=:$n
    for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
    xdpyinfo >/dev/null 2>&1 && break
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=
done
[ -n "$xvfb_pid" ] || fail "no display could be started"

rm -rf "$WINEPREFIX" "$shots"
mkdir -p "$shots"
"$wine" wineboot --init >/dev/null 2>&1 || fail "the wine prefix could not be made"
/usr/lib/wine/wineserver -w

windows_path() { "$wine" winepath -w "$1" 2>/dev/null | tr -d '\r'; }
profile=$WINEPREFIX/drive_c/users/$USER

# --- Install, silently, as a user without administrator rights would.
"$wine" "$setup" /S || fail "the installer failed"
/usr/lib/wine/wineserver -w
program=$profile/AppData/Local/Programs/Brumvelda
data=$profile/AppData/Roaming/Brumvelda
start_menu=$profile/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs
for file in brumvelda.exe brumvelda-tabla.exe Brumvelda.lis uninstall.exe Qt6Widgets.dll qt.conf \
    plugins/platforms/qwindows.dll translations/qtbase_hu.qm fonts/DejaVuSans.ttf; do
    [ -f "$program/$file" ] || fail "the install lacks $file (in $program)"
done
[ -f "$start_menu/Brumvelda.lnk" ] || fail "no Start menu entry"
# The game opens no console, and carries its icon (resource type 14) and version information (type 16).
headers=$(x86_64-w64-mingw32-objdump -p "$program/brumvelda.exe")
grep -q 'Subsystem.*(Windows GUI)' <<<"$headers" || fail "the game would open a console window"
for type in 00000e 000010; do
    grep -Eq "^[0-9a-f]+   Entry: ID: 0x$type," <<<"$headers" || fail "the game lacks its resource of type 0x$type"
done
"$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumvelda' /v UninstallString \
    2>/dev/null | grep -q uninstall.exe || fail "the uninstaller is not listed among the installed apps"
[ ! -e "$data" ] || fail "the install made the data folder before the first start"

# A player of the family, registered with the installed table tool; keyboard play for the round below.
mkdir -p "$data"
printf 'Nev\nÖdön\n' | "$wine" "$program/brumvelda-tabla.exe" import "$(windows_path "$data/Brumvelda.jat")" \
    >/dev/null || fail "the table tool could not make the register"
# The settings file holds names in the Windows Hungarian code page, as the register does: "Ödön" is D6 64 F6 6E.
printf '[Last]\r\nUser=\xd6d\xf6n\r\n[Main]\r\nKeyboardPlay=1\r\n' >"$data/Brumvelda.ini"

main_window() { xdotool search --onlyvisible --name '^Brumvelda v' 2>/dev/null | head -1; }
windows_of_game() { xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l; }
wait_for() { # SECONDS COMMAND...: until COMMAND prints something
    local seconds=$1 got
    shift
    for _ in $(seq $((seconds * 5))); do
        got=$("$@")
        [ -n "$got" ] && { echo "$got"; return 0; }
        sleep 0.2
    done
    return 1
}

# A round: a new puzzle (Ctrl+N), three letters, then "Szabad a gazda..." (Ctrl+G); the result window closes
# with Escape. Screenshots of the round and of its result when asked.
play_a_round() { # [ROUND_PNG RESULT_PNG]
    xdotool mousemove --window "$window" 300 300 click 1
    sleep 0.5
    xdotool key ctrl+n
    sleep 1
    for letter in e a t; do xdotool key "$letter"; sleep 0.3; done
    [ -n "${1:-}" ] && import -window root "$1"
    xdotool key ctrl+g
    sleep 1.5
    [ -n "${2:-}" ] && import -window root "$2"
    xdotool key Escape
    sleep 1
}
game_ends() { # HOW: within 20 seconds
    for _ in $(seq 100); do
        kill -0 "$game_pid" 2>/dev/null || { game_pid=; return 0; }
        sleep 0.2
    done
    fail "the game did not end $1"
}
expect_rounds() { # N WHEN
    /usr/lib/wine/wineserver -w
    local rounds
    rounds=$(rounds_of_player)
    [ "$rounds" = "$1" ] || fail "$2 the register holds $rounds rounds for the player, not $1"
}
rounds_of_player() {
    "$wine" "$program/brumvelda-tabla.exe" dump "$(windows_path "$data/Brumvelda.jat")" | tr -d '\r' |
        awk -F'\t' '$1 == "Ödön" { print $3 }'
}

# --- The first start: the window shows, and the pack was copied into the data folder.
(cd / && exec "$wine" "$program/brumvelda.exe") >"$out/game.log" 2>&1 &
game_pid=$!
window=$(wait_for 60 main_window) || fail "the game showed no window: $(cat "$out/game.log")"
sleep 2
import -window root "$shots/1-first-start.png"
cmp -s "$data/Brumvelda.lis" "$program/Brumvelda.lis" || fail "the pack was not copied into $data"

# --- A round: a new puzzle (Ctrl+N), a few letters, then "Szabad a gazda..." (Ctrl+G); the result window
# closes with Escape.
play_a_round "$shots/2-round.png" "$shots/3-given-up.png"

# --- A second start hands over to the first and ends at once, touching nothing.
# The first game's saves of the round end first (the register is written again as the result window closes).
before=$(ls -l --time-style=+%s.%N "$data")
for _ in $(seq 20); do
    sleep 1.5
    now=$(ls -l --time-style=+%s.%N "$data")
    [ "$now" = "$before" ] && break
    before=$now
done
"$wine" "$program/brumvelda.exe" >"$out/second.log" 2>&1 &
second=$!
for _ in $(seq 150); do kill -0 "$second" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$second" 2>/dev/null; then
    kill "$second"
    fail "a second copy kept running beside the first"
fi
wait "$second" || fail "the second copy ended with an error: $(cat "$out/second.log")"
after=$(ls -l --time-style=+%s.%N "$data")
[ "$after" = "$before" ] || fail "the second copy touched the data folder: $(diff <(echo "$before") <(echo "$after"))"
[ "$(xdotool search --onlyvisible --name '^Brumvelda v' 2>/dev/null | wc -l)" = 1 ] ||
    fail "more than one game window after the second start"

# --- The exit button (the toolbar's last but one), then the register holds the round.
xdotool mousemove --window "$window" 448 19 click 1
game_ends "by its exit button"
expect_rounds 1 "after the exit button"

# --- The session's end (the logout, the shutdown) ends the game with its exit save, as its exit button does.
# Wine then kills the process, as Windows does: disowned, so the shell does not report the kill.
(cd / && exec "$wine" "$program/brumvelda.exe") >"$out/game.log" 2>&1 &
game_pid=$!
disown "$game_pid"
window=$(wait_for 60 main_window) || fail "the game showed no window the second time: $(cat "$out/game.log")"
play_a_round
"$wine" wineboot --end-session >/dev/null 2>&1
game_ends "with the session"
expect_rounds 2 "after the session's end"

# --- The uninstaller: the program goes, the player's files stay.
"$wine" "$program/uninstall.exe" /S "_?=$(windows_path "$program")" || fail "the uninstaller failed"
/usr/lib/wine/wineserver -w
for file in brumvelda.exe Brumvelda.lis Qt6Core.dll plugins/platforms/qwindows.dll; do
    [ ! -e "$program/$file" ] || fail "the uninstaller left $file"
done
[ ! -e "$start_menu/Brumvelda.lnk" ] || fail "the uninstaller left the Start menu entry"
"$wine" reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Brumvelda' >/dev/null 2>&1 &&
    fail "the uninstaller left its entry among the installed apps"
for file in Brumvelda.jat Brumvelda.ini Brumvelda.lis Brumvelda.tor; do
    [ -f "$data/$file" ] || fail "the uninstaller took the player's $file"
done
# --- The portable zip: unpacked into a folder of the player's, the game keeps its files beside itself.
portable=$profile/Játékok
mkdir -p "$portable"
(cd "$portable" && cmake -E tar xf "$out/brumvelda-$version-portable.zip") || fail "the zip could not be unpacked"
(cd / && exec "$wine" "$portable/Brumvelda/brumvelda.exe") >"$out/portable.log" 2>&1 &
game_pid=$!
window=$(wait_for 60 main_window) || fail "the portable game showed no window: $(cat "$out/portable.log")"
sleep 1
import -window root "$shots/4-portable.png"
[ -f "$portable/Brumvelda/Brumvelda.lock" ] || fail "the portable game does not keep its files beside itself"
xdotool mousemove --window "$window" 300 300 click 1
sleep 0.3
xdotool mousemove --window "$window" 448 19 click 1
game_ends "by its exit button (portable)"
[ -f "$portable/Brumvelda/Brumvelda.ini" ] || fail "the portable game wrote no settings beside itself"
echo "test-installer: installed, played, handed over, uninstalled, portable; screenshots in $shots"
