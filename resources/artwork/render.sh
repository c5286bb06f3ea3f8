#!/bin/sh
# Renders the icons and the About picture into resources/ from renderartwork.cpp.
# Needs only what Corvane's build needs (CMake, a compiler, Qt); run it after
# changing the artwork or the identity, and commit what it writes.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
build=$(mktemp -d)
trap 'rm -rf "$build"' EXIT
cmake -S "$here/../.." -B "$build" -DCORVANE_BUILD_ARTWORK=ON -DCORVANE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target renderartwork >/dev/null
QT_QPA_PLATFORM=offscreen "$build/resources/artwork/renderartwork" "$here/.."
echo "rendered into $(cd "$here/.." && pwd)"
