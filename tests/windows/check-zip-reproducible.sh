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

sh "$source_dir/resources/copysources.sh" "$source_dir" "$work/elsewhere"
cmake -S "$work/elsewhere" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE="$build_type" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCORVANE_BUILD_TESTS=OFF >"$work/log" 2>&1 \
    || fail "could not configure the second build: $(cat "$work/log")"
cmake --build "$work/build" --target corvane_zip >"$work/log" 2>&1 \
    || fail "could not build the second zip: $(cat "$work/log")"
again="$work/build/$(basename "$zip")"
cmp "$zip" "$again" || fail "the zip built in another folder differs"
echo "$(basename "$zip"): the same, byte for byte, built in another folder"
