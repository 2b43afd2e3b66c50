#!/usr/bin/env bash
# Lays out the Windows game from a build folder and Qt's, and makes the installer and the portable zip of it.
# Usage: package.sh GAME_BUILD QT_PREFIX OUT_FOLDER VERSION
set -euo pipefail

build=$(cd "$1" && pwd)
qt=$(cd "$2" && pwd)
out=$3
version=$4
here=$(cd "$(dirname "$0")" && pwd)
runtime_dirs=(/usr/lib/gcc/x86_64-w64-mingw32/12-posix /usr/x86_64-w64-mingw32/lib)

runtime_dll() {
    local dir
    for dir in "${runtime_dirs[@]}"; do
        [ -f "$dir/$1" ] && { echo "$dir/$1"; return; }
    done
    echo "package.sh: $1 not found" >&2
    return 1
}

# What both layouts hold besides the game itself: the table tool, the shipped list, Qt and the compiler's
# runtime, Qt's Hungarian texts, the game's font, and qt.conf telling Qt that its plugins and texts lie beside
# the program.
lay_out() { # FOLDER GAME_EXE
    local folder=$1
    rm -rf "$folder"
    mkdir -p "$folder/plugins/platforms" "$folder/plugins/styles" "$folder/translations"
    cp "$2" "$folder/brumvelda.exe"
    cp "$build/bin/brumvelda-tabla.exe" "$build/data/Brumvelda.lis" "$folder/"
    cp "$qt"/bin/Qt6{Core,Gui,Widgets}.dll "$folder/"
    cp "$qt/plugins/platforms/qwindows.dll" "$folder/plugins/platforms/"
    cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$folder/plugins/styles/"
    for dll in libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll; do
        cp "$(runtime_dll "$dll")" "$folder/"
    done
    cp /usr/share/qt6/translations/qtbase_hu.qm "$folder/translations/"
    # The game's font, which Windows lacks, with its licence.
    mkdir -p "$folder/fonts"
    cp /usr/share/fonts/truetype/dejavu/DejaVuSans{,-Bold}.ttf "$folder/fonts/"
    cp /usr/share/doc/fonts-dejavu-core/copyright "$folder/fonts/DejaVu-LICENSE.txt"
    printf '[Paths]\nPrefix = .\nPlugins = plugins\nTranslations = translations\n' >"$folder/qt.conf"
    x86_64-w64-mingw32-strip "$folder"/*.exe "$folder"/*.dll "$folder"/plugins/*/*.dll
}

mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$out/stage
lay_out "$stage/installer" "$build/installed/brumvelda.exe"
lay_out "$stage/Brumvelda" "$build/bin/brumvelda.exe"

# The uninstaller removes exactly what the installer laid down: the lists are made from the layout.
(
    cd "$stage/installer"
    find . -type f | sed 's|^\./||' | sort | while read -r file; do
        printf 'Delete "$INSTDIR\\%s"\n' "${file//\//\\}"
    done >"$stage/uninstall_files.nsh"
    find . -mindepth 1 -type d | sed 's|^\./||' | sort -r | while read -r dir; do
        printf 'RMDir "$INSTDIR\\%s"\n' "${dir//\//\\}"
    done >>"$stage/uninstall_files.nsh"
)
size_kb=$(du -sk "$stage/installer" | cut -f1)

setup=$out/brumvelda-$version-setup.exe
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage/installer" -DLISTS="$stage" \
    -DICON="$build/app/brumvelda.ico" -DSIZE_KB="$size_kb" -DOUTFILE="$setup" "$here/installer.nsi"

zip=$out/brumvelda-$version-portable.zip
rm -f "$zip"
(cd "$stage" && cmake -E tar cf "$zip" --format=zip Brumvelda)
echo "$setup"
echo "$zip"
