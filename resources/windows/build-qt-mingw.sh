#!/bin/sh
# Builds the static Qt for 64-bit Windows that Corvane.exe is linked with, from
# Debian 12's own qt6-base source package, with Debian's MinGW-w64 compilers:
# Core, Gui, Widgets and Test, bundled image and font libraries, no OpenGL,
# D-Bus, network, SQL or printing. It takes half an hour or more on two cores.
#   resources/windows/build-qt-mingw.sh OUT-DIR
# leaves OUT-DIR/qt6-mingw-6.4.2-x86_64-static.tar.xz (top folder qt6-mingw/).
# It asks apt for the source with a private list of deb-src lines, so the
# machine's own apt configuration is left as it is.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
mkdir -p "$1"
out=$(cd "$1" && pwd)
version=6.4.2+dfsg-10
jobs=$(nproc)

packages="dpkg-dev qt6-base-dev g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 cmake ninja-build xz-utils"
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing="$missing $package"
done
if [ -n "$missing" ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    # shellcheck disable=SC2086
    $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# deb-src lines for the suites the machine already uses.
mkdir -p "$work/apt/parts" "$work/apt/lists/partial" "$work/apt/cache/archives/partial"
for sources in /etc/apt/sources.list.d/*.sources; do
    [ -f "$sources" ] && sed 's/^Types:.*/Types: deb-src/' "$sources" >"$work/apt/parts/$(basename "$sources")"
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/apt/sources.list"
else
    : >"$work/apt/sources.list"
fi
apt="apt-get -q -o Dir::Etc::SourceList=$work/apt/sources.list -o Dir::Etc::SourceParts=$work/apt/parts \
-o Dir::State::Lists=$work/apt/lists -o Dir::Cache=$work/apt/cache"
$apt update
(cd "$work" && $apt source "qt6-base=$version")
src=$(find "$work" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)

prefix="$work/qt6-mingw"
cp "$here/mingw-w64-x86_64.cmake" "$work/"
mkdir "$work/build"
cd "$work/build"
"$src/configure" -prefix "$prefix" -release -static -static-runtime \
    -xplatform win32-g++ -qt-host-path /usr \
    -nomake examples -nomake tests \
    -no-opengl -no-dbus -no-zstd \
    -no-feature-concurrent -no-feature-network -no-feature-sql -no-feature-printsupport \
    -no-feature-xml -no-feature-tabletevent \
    -qt-zlib -qt-libpng -qt-libjpeg -qt-freetype -qt-harfbuzz -qt-pcre \
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$work/mingw-w64-x86_64.cmake" \
    -DQT_HOST_PATH_CMAKE_DIR="/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake"
cmake --build . --parallel "$jobs"
cmake --install .
cp "$here/mingw-w64-x86_64.cmake" "$prefix/"

tar -C "$work" -cJf "$out/qt6-mingw-6.4.2-x86_64-static.tar.xz" qt6-mingw
echo "$out/qt6-mingw-6.4.2-x86_64-static.tar.xz"
