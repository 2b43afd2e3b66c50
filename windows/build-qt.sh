#!/usr/bin/env bash
# Qt for Windows, which Debian does not ship as a binary: Core, Gui and Widgets built from Debian's own qt6-base
# source with MinGW-w64 and the host Qt's tools, once per machine into a cache folder outside the checkout.
# Every later build finds it there. Usage: build-qt.sh PREFIX [JOBS]
set -euo pipefail

prefix=$1
jobs=${2:-2}
version=6.4.2
[ -f "$prefix/.complete" ] && exit 0

here=$(cd "$(dirname "$0")" && pwd)
work=$prefix.work
mkdir -p "$work"
# Two builds at once on one machine would take the same folders: the second waits for the first.
exec 9>"$work/lock"
flock 9
[ -f "$prefix/.complete" ] && exit 0

# The source comes from Debian's archive through apt, with a source list of our own: the machine's apt set-up
# is neither needed nor changed, and no root rights are asked for.
if [ ! -d "$work/src" ]; then
    apt_dir=$work/apt
    mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
    cat >"$apt_dir/sources.list" <<LIST
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian bookworm main
LIST
    apt_options=(-o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
                 -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::Cache=$apt_dir/cache"
                 -o "Debug::NoLocking=1" -o "APT::Sandbox::User=$(id -un)")
    apt-get "${apt_options[@]}" -qq update
    rm -rf "$work/download"
    mkdir -p "$work/download"
    # The very version of the host's Qt, whose tools the build uses.
    source_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
    (cd "$work/download" && apt-get "${apt_options[@]}" -qq source "qt6-base=$source_version")
    mv "$work/download/qt6-base-${source_version%-*}" "$work/src"
fi

# Cross-compilers with the POSIX thread model, as the game's own build uses; the runtime stays shared so that Qt's
# DLLs and the game share one C++ library.
cat >"$work/toolchain.cmake" <<TOOLCHAIN
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32 $prefix)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TOOLCHAIN

# Qt's build prints thousands of lines of its own warnings: they go to a log, shown when a step fails.
log=$work/build.log
echo "Building Qt $version for Windows into $prefix (about 25 minutes on two cores; log: $log)"
quietly() {
    "$@" >>"$log" 2>&1 || { tail -n 80 "$log"; echo "build-qt.sh: failed: $*" >&2; exit 1; }
}

# Only what the game uses. Without Direct2D, 6.4.2's Windows plugin still asks for the DirectWrite font database
# that Gui then leaves out: DirectWrite goes too (Qt's default there is GDI's font database anyway). The third-party libraries are Qt's own copies: nothing of the build machine's may
# leak into a Windows DLL (pkg-config is off for the same reason).
if [ ! -f "$work/build/build.ninja" ]; then
    quietly env PKG_CONFIG_LIBDIR=/nonexistent cmake -S "$work/src" -B "$work/build" -G Ninja -Wno-dev \
        -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_pkg_config=OFF -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_zstd=OFF \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_harfbuzz=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_doubleconversion=OFF \
        -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_testlib=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_opengl=OFF -DFEATURE_dynamicgl=OFF -DFEATURE_vulkan=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_jpeg=OFF -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF -DFEATURE_directwrite3=OFF
fi
quietly cmake --build "$work/build" -j "$jobs"
quietly cmake --install "$work/build"
touch "$prefix/.complete"
# The sources and objects are no longer needed: a Qt that is complete is never built again.
rm -rf "$work"
