#!/bin/sh
# Builds Corvane's Debian package from a source tree, in a scratch copy so that
# nothing is written beside the tree, and leaves the .deb files in OUT-DIR.
#   build-deb.sh SOURCE-DIR OUT-DIR
# Needs dpkg-dev, debhelper and the build dependencies in debian/control.
set -eu
source_dir=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
version=$(dpkg-parsechangelog -l "$source_dir/debian/changelog" -S Version)
upstream=${version%-*}

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tree="$scratch/corvane-$upstream"
sh "$source_dir/resources/copysources.sh" "$source_dir" "$tree"

(cd "$tree" && dpkg-buildpackage -b -us -uc) >"$scratch/build.log" 2>&1 || {
    tail -n 40 "$scratch/build.log"
    exit 1
}
mv "$scratch"/*.deb "$out/"
echo "$out/corvane_${version}_$(dpkg --print-architecture).deb"
