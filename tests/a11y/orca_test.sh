#!/bin/bash
# A blind player's first evening, heard through the real Orca: the first start with no player, then three
# rounds (won, given up, won with the vowels) by the keyboard alone. Orca's speech is captured as text through
# a speech-dispatcher module that only writes, and read from Orca's debug log. After each step the words that
# must be said are looked for among what was said since the step before; no hidden letter may ever be said.
# usage: orca_test.sh BRUMVELDA MAKE_TABLES
set -u
brumvelda=$1
make_tables=$2

for tool in /usr/bin/orca speech-dispatcher openbox setxkbmap; do
    command -v "$tool" >/dev/null || { echo "SKIPPED: $tool is not installed (make deps installs it)"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null; done
    pkill -f "sd_generic.*$work" 2>/dev/null # the speech module outlives its dispatcher by a moment
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*"
    echo "--- what Orca said:"
    said | sed 's/^/    /'
    exit 1
}

source "$(dirname "$0")/../support/xvfb.sh"
start_own_xvfb "$work/display" || fail "$xvfb_problem"
pids+=("$xvfb_started")
export DISPLAY=$xvfb_display

mkdir -m 700 "$work/home"
export HOME=$work/home
echo "default_driver=null" >"$HOME/.libao" # no sound server: the speech goes to the capture module only
source "$(dirname "$0")/../support/accessibility_bus.sh"
start_accessibility_bus
setxkbmap -layout hu 2>/dev/null
openbox >/dev/null 2>&1 & # Orca follows the focus through the window manager
pids+=($!)

# Hungarian role names where the locale can be made; the assertions below hold either way.
mkdir -p "$work/locale"
localedef -i hu_HU -f UTF-8 "$work/locale/hu_HU.UTF-8" >/dev/null 2>&1 && export LOCPATH=$work/locale

mkdir -p "$work/speech/modules" "$work/speech-log"
cat >"$work/speech/speechd.conf" <<EOF
CommunicationMethod "unix_socket"
SocketPath "default"
Timeout 0
DefaultLanguage "hu"
AudioOutputMethod "libao"
AddModule "capture" "sd_generic" "capture.conf"
DefaultModule capture
EOF
cat >"$work/speech/modules/capture.conf" <<EOF
GenericExecuteSynth "printf %s \'\$DATA\' >> $work/said-by-module; echo >> $work/said-by-module"
GenericMaxChunkLength 2000
GenericDelimiters "~"
GenericLanguage "hu" "hu" "utf-8"
AddVoice "hu" "MALE1" "hu"
EOF
speech-dispatcher -s -t 0 -C "$work/speech" -c unix_socket -S default -L "$work/speech-log" >/dev/null 2>&1 &
pids+=($!)

# A copy of Orca's launcher that does not stop (or refuse to start beside) another user's Orca, and writes
# its log line by line.
sed -e "s/setProcessName('orca')/setProcessName('orca-test')/" -e "s/    if otherOrcas():/    if False and otherOrcas():/" \
    -e "s/open(args.debug_file, 'w')/open(args.debug_file, 'w', buffering=1)/" /usr/bin/orca >"$work/orca-test"
LANG=hu_HU.UTF-8 LANGUAGE=hu GSETTINGS_BACKEND=memory /usr/bin/python3 "$work/orca-test" --debug-file="$work/orca.log" \
    >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do grep -q "SPEECH OUTPUT" "$work/orca.log" 2>/dev/null && break; sleep 0.1; done
grep -q "SPEECH OUTPUT" "$work/orca.log" 2>/dev/null || fail "Orca did not start speaking"

# Every utterance on one line, in order (a text of several lines continues on the lines after its own).
said() {
    awk '/ - SPEECH OUTPUT: /{ if (t != "") print t; sub(/.* - SPEECH OUTPUT: \047/, ""); t = $0; next }
         /^[0-9][0-9]:[0-9][0-9]:/ { if (t != "") print t; t = ""; next }
         t != "" { sub(/^ +/, ""); t = t " " $0 }
         END { if (t != "") print t }' "$work/orca.log" 2>/dev/null | sed "s/' *\[\?{.*}\]\?\$//; s/'\$//"
}

# The first start: a list of one puzzle (ALMA ALMA ALMA), no player, no settings.
mkdir "$work/game"
cp "$brumvelda" "$work/game/brumvelda"
"$make_tables" write "$work/game" 1 >/dev/null || fail "could not prepare the tables"
(cd "$work/game" && unset QT_QPA_PLATFORM QT_LINUX_ACCESSIBILITY_ALWAYS_ON && LANG=hu_HU.UTF-8 exec ./brumvelda) \
    >"$work/game.txt" 2>&1 &
game_pid=$!
pids+=($game_pid)
for _ in $(seq 100); do xdotool search --pid "$game_pid" --name '^Brumvelda v1' >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1.5

heard=0 # utterances already looked at
# step WHAT KEYS... -- TEXT...: presses the keys, waits for Orca, and expects each TEXT among the new utterances.
step() {
    local what=$1
    shift
    local keys=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do keys+=("$1"); shift; done
    [ $# -gt 0 ] && shift
    xdotool key --delay 120 "${keys[@]}"
    local new text
    for _ in $(seq 30); do
        sleep 0.2
        new=$(said | tail -n +$((heard + 1)))
        local missing=
        for text in "$@"; do grep -qF -- "$text" <<<"$new" || missing=$text; done
        [ -z "$missing" ] && break
    done
    for text in "$@"; do grep -qF -- "$text" <<<"$new" || fail "$what: Orca did not say \"$text\""; done
    sleep 0.4
    heard=$(said | wc -l)
    secret_check "$what"
}
# What the board still hides must not be said: checked in every utterance since the round's puzzle was drawn.
hidden=()
round_from=0
hide() { hidden=("$@"); round_from=$heard; }
secret_check() {
    local text
    for text in "${hidden[@]}"; do
        said | tail -n +$((round_from + 1)) | grep -qF -- "$text" && fail "$1: a hidden part of the puzzle was said: $text"
    done
}

step "the first start" ctrl+j -- "Játékos kiválasztása"
step "to the new name button" Tab -- "Új név"
step "the name dialog" Return -- "Játékos neve"
step "a name typed" B e a Return -- "Játékos kiválasztása"
step "the player chosen" Return -- "Játékos: Bea, 0 pont."

hide "ALMA" "L betű" "M betű"
step "the window reviewed before the first puzzle" KP_Up KP_Page_Up KP_Subtract -- "Név: Bea"
step "a new puzzle" ctrl+n -- "Új feladvány. Kategória: Tárgy. 12 rejtett betű, 2 sorban."
# The category appeared after the first review: review mode finds it all the same.
step "the category in review" KP_Up KP_Page_Up KP_Page_Up KP_Subtract -- "Tárgy"
step "a right letter" a -- "Megvan: A, 6 helyen. Még 6 rejtett betű."
step "the letter again" a -- "A, már tippelt."
step "a wrong letter" x -- "Nincs benne: X. Hibák: 1 / 10."
step "the board by keys" shift+Tab shift+Tab -- "A betű, 1. sor 1. oszlop"
step "the next cell" Right -- "Rejtett betű, 1. sor 2. oszlop"
step "another letter" l -- "Megvan: L, 3 helyen. Még 3 rejtett betű."
hidden=("M betű")
step "the round won" m -- "Megvan: M, 3 helyen. Megfejtve!" "GRATULÁLOK!"
hide
step "the result closed" Return -- "A kör pontszáma: 119. Bea összpontszáma: 119."

hide "ALMA" "L betű" "M betű"
step "the second puzzle" ctrl+n -- "Új feladvány."
step "a wrong letter" z -- "Nincs benne: Z. Hibák: 1 / 10."
hide # giving up shows the answer
step "giving up" ctrl+g -- "Feladva." "Ez nem jött be!" "ALMA"
step "the given-up round closed" Return -- "Bea összpontszáma:"

hide "ALMA" "L betű" "M betű"
step "the third puzzle" ctrl+n -- "Új feladvány."
step "the vowels" ctrl+m -- "Magánhangzók felfedve, 6 helyen. Még 6 rejtett betű."
step "a letter" l -- "Megvan: L, 3 helyen."
hide
step "the third round won" m -- "Megfejtve!" "GRATULÁLOK!"
step "the last result closed" Return -- "A kör pontszáma:"

kill -0 "$game_pid" 2>/dev/null || fail "the game ended"
echo "Orca said, in order:"
said | sed 's/^/    /'
echo "all steps heard"
