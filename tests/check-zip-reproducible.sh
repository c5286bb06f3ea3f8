#!/bin/sh
# The Windows zip is reproducible: built again from the same sources, copied
# to another folder and built there, it is the same byte for byte.
#   check-zip-reproducible.sh SOURCE-DIR ZIP TOOLCHAIN-FILE BUILD-TYPE
set -eu
source_dir=$(cd "$1" && pwd)
zip=$2
toolchain=$3
build_type=$4
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
. "$source_dir/tests/checklib.sh"

# The project's files, without any build folders.
mkdir "$work/elsewhere"
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git -C "$source_dir" ls-files -co --exclude-standard -z \
        | tar -cf - -C "$source_dir" --null --no-recursion -T - | tar -xf - -C "$work/elsewhere"
else
    tar -cf - -C "$source_dir" --exclude='./build*' . | tar -xf - -C "$work/elsewhere"
fi
cmake -S "$work/elsewhere" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCORVANE_BUILD_TESTS=OFF >"$work/log" 2>&1 \
    || fail "could not configure the second build: $(cat "$work/log")"
cmake --build "$work/build" --target corvane_zip >"$work/log" 2>&1 \
    || fail "could not build the second zip: $(cat "$work/log")"
again="$work/build/$(basename "$zip")"
cmp "$zip" "$again" || fail "the zip built in another folder differs"
echo "$(basename "$zip"): the same, byte for byte, built in another folder"
