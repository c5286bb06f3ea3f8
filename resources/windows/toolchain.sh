#!/bin/sh
# Finds the static Qt for MinGW that Corvane.exe is built with, checks it and
# unpacks it once into the user's cache, outside the work tree. Prints the
# folder to configure with (it holds bin/qt-cmake and mingw-w64-x86_64.cmake),
# or says why there is none and exits with status 3.
#   resources/windows/toolchain.sh [TARBALL]
# The tarball is the one given, else $CORVANE_QT_MINGW, else the shared one
# beside the work tree; resources/windows/build-qt-mingw.sh makes the same.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
name=qt6-mingw-6.4.2-x86_64-static.tar.xz
sha256=c19290c97d49d5a528bd7f8288e94ded49dc5f740a49c88c6b85df9f2ed13e29
tarball=${1:-${CORVANE_QT_MINGW:-$here/../../../shared/toolchains/$name}}
if [ ! -f "$tarball" ]; then
    echo "no static Qt for MinGW: $tarball is missing. Put $name there, or build it with" \
        "resources/windows/build-qt-mingw.sh OUT-DIR and set CORVANE_QT_MINGW=OUT-DIR/$name." >&2
    exit 3
fi
# The shared file is checked against its known sum; one built here is taken as it is.
actual=$(sha256sum "$tarball" | cut -d' ' -f1)
if [ -z "${1:-${CORVANE_QT_MINGW:-}}" ] && [ "$actual" != "$sha256" ]; then
    echo "$tarball has sha256 $actual, not $sha256: refusing it" >&2
    exit 3
fi
cache=${XDG_CACHE_HOME:-$HOME/.cache}/corvane/qt6-mingw-$(echo "$actual" | cut -c1-16)
if [ ! -f "$cache/unpacked" ]; then
    rm -rf "$cache"
    mkdir -p "$cache"
    tar -xJf "$tarball" -C "$cache"
    : >"$cache/unpacked"
fi
echo "$cache/qt6-mingw"
