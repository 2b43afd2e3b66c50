#!/bin/bash
# Checks the built Debian package: lintian finds nothing, the desktop entry and the AppStream metainfo pass
# their validators, the files are exactly where a Debian user expects them, the dependencies are computed,
# and the table tool's completion completes.
# usage: package_contents.sh BUILD_DIR
set -u
fail() { echo "FAIL: $*"; exit 1; }
debs=("$1"/brumvelda_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "not exactly one package in $1: ${debs[*]}"
deb=${debs[0]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x $deb"
cd "$work/root" || exit 1

# Every file, and nothing else: a stray file (a list beside the game, a launcher link) is a fault too.
expected=(
    usr/bin/brumvelda-tabla
    usr/games/brumvelda
    usr/share/applications/brumvelda.desktop
    usr/share/bash-completion/completions/brumvelda-tabla
    usr/share/doc/brumvelda/changelog.gz
    usr/share/doc/brumvelda/copyright
    usr/share/games/brumvelda/Brumvelda.lis
    usr/share/icons/hicolor/scalable/apps/brumvelda.svg
    usr/share/lintian/overrides/brumvelda
    usr/share/man/hu/man1/brumvelda-tabla.1.gz
    usr/share/man/hu/man6/brumvelda.6.gz
    usr/share/man/man1/brumvelda-tabla.1.gz
    usr/share/man/man6/brumvelda.6.gz
    usr/share/metainfo/hu.brumvelda.Brumvelda.metainfo.xml
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/brumvelda.png")
done
actual=$(find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
[ "$actual" = "$wanted" ] || fail "the package's files differ from the expected list:
$(diff <(echo "$wanted") <(echo "$actual"))"
[ -x usr/games/brumvelda ] && [ -x usr/bin/brumvelda-tabla ] || fail "the programs are not executable"
for size in 16 48 256; do
    geometry=$(identify -format '%wx%h' "usr/share/icons/hicolor/${size}x${size}/apps/brumvelda.png")
    [ "$geometry" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $geometry"
done
shipped=$(usr/bin/brumvelda-tabla check usr/share/games/brumvelda/Brumvelda.lis) || fail "the packaged list is unreadable"
[ "$shipped" -ge 640 ] || fail "the packaged list holds only $shipped puzzles"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libicu72 libstdc++6; do
    [[ $depends == *"$library "* ]] || fail "Depends lacks $library (shlibs): $depends"
done
# Libraries the game must not load at start: they cost time before its window shows.
for library in libqt6network6 libqt6svg6; do
    [[ $depends != *"$library"* ]] || fail "Depends has $library: $depends"
done

desktop-file-validate usr/share/applications/brumvelda.desktop || fail "desktop-file-validate"
grep -qx 'Exec=brumvelda' usr/share/applications/brumvelda.desktop || fail "the desktop entry does not run brumvelda"
appstreamcli validate --no-net usr/share/metainfo/hu.brumvelda.Brumvelda.metainfo.xml || fail "appstreamcli validate"
# The metainfo's launchable and icon are found in the installed tree.
appstreamcli validate-tree --no-net . || fail "appstreamcli validate-tree"

lintian --fail-on error,warning "$deb" || fail "lintian"

# Completion: the commands first, then only table files (and folders).
if [ -f /usr/share/bash-completion/bash_completion ]; then
    mkdir -p "$work/files/sub" && touch "$work/files/a.lis" "$work/files/b.jat" "$work/files/c.txt"
    complete() { # COMPREPLY for the words given, the cursor at the end of the last
        (cd "$work/files" && bash -c '
            source /usr/share/bash-completion/bash_completion
            source "$0"
            COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
            _brumvelda_tabla brumvelda-tabla "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
            printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | tr "\n" " "
        ' "$work/root/usr/share/bash-completion/completions/brumvelda-tabla" "$@")
    }
    [ "$(complete brumvelda-tabla '')" = "--help check dump import " ] || fail "completion of the command: $(complete brumvelda-tabla '')"
    [ "$(complete brumvelda-tabla im)" = "import " ] || fail "completion of 'im': $(complete brumvelda-tabla im)"
    [ "$(complete brumvelda-tabla dump '')" = "a.lis b.jat sub " ] || fail "completion of the file: $(complete brumvelda-tabla dump '')"
fi
echo "package contents: fine ($deb)"
