#!/bin/sh
# Installs a build into a scratch prefix, checks that every file is in place
# and validates the desktop entry and the AppStream metainfo.
#   check-install.sh BUILD-DIR APP-ID
# Exits 77 (skipped) where the validators are missing.
set -eu
build=$1
id=$2
for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
. "$(dirname "$0")/../checklib.sh"
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/corvane "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" \
    "share/icons/hicolor/16x16/apps/$id.png" "share/icons/hicolor/32x32/apps/$id.png" \
    "share/icons/hicolor/48x48/apps/$id.png" "share/icons/hicolor/64x64/apps/$id.png"; do
    [ -f "$prefix/$file" ] || { echo "missing: $file"; exit 1; }
done
[ -x "$prefix/bin/corvane" ] || { echo "not executable: bin/corvane"; exit 1; }

desktop-file-validate "$prefix/share/applications/$id.desktop"
validate_metainfo "$prefix/share/metainfo/$id.metainfo.xml"
echo "installed and validated"
