#!/bin/sh
# Builds the Debian package and checks it as a user would meet it: lintian
# passes with no error or warning, the manual page prints cleanly, the package
# unpacks with its program, desktop entry, icons, metainfo, copyright and
# manual page, the desktop files validate from there, and the unpacked program
# starts on a private X server with a clean home, shows its caption and quits
# with Alt+Q, having written nothing.
#   check-package.sh SOURCE-DIR WORK-DIR
# Exits 77 (skipped) where the packaging tools are missing.
set -eu
source_dir=$1
work=$2
for tool in dpkg-buildpackage dh lintian groff Xvfb xdotool desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done
rm -rf "$work"
mkdir -p "$work"
. "$(dirname "$0")/../checklib.sh"
xvfb=""
program=""
cleanup() {
    [ -z "$program" ] || kill "$program" 2>/dev/null || true
    [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

sh "$source_dir/resources/linux/build-deb.sh" "$source_dir" "$work/out" >"$work/build.out" 2>&1 \
    || fail "no package was built: $(cat "$work/build.out")"
deb=$(tail -n 1 "$work/build.out")
[ -f "$deb" ] || fail "no package was built: $(cat "$work/build.out")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
lintian --fail-on error,warning "$deb" 2>/dev/null || fail "lintian: $(lintian "$deb" 2>/dev/null)"

# Its dependencies come from the libraries the program links.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
echo "$depends" | grep -q "libqt6widgets6" || fail "the dependencies do not name Qt Widgets"

root="$work/root"
dpkg-deb -x "$deb" "$root"
id=org.corvane.Corvane
for file in usr/bin/corvane "usr/share/applications/$id.desktop" "usr/share/metainfo/$id.metainfo.xml" \
    usr/share/doc/corvane/copyright usr/share/man/man1/corvane.1.gz \
    "usr/share/icons/hicolor/16x16/apps/$id.png" "usr/share/icons/hicolor/32x32/apps/$id.png" \
    "usr/share/icons/hicolor/48x48/apps/$id.png" "usr/share/icons/hicolor/64x64/apps/$id.png"; do
    [ -f "$root/$file" ] || fail "missing: $file"
done
desktop-file-validate "$root/usr/share/applications/$id.desktop"
validate_metainfo "$root/usr/share/metainfo/$id.metainfo.xml" >"$work/metainfo.out" \
    || fail "metainfo: $(cat "$work/metainfo.out")"
warnings=$(gzip -dc "$root/usr/share/man/man1/corvane.1.gz" | LC_ALL=C.UTF-8 groff -wall -man -Tutf8 -z 2>&1)
[ -z "$warnings" ] || fail "the manual page: $warnings"

start_xvfb
(
    use_fresh_home "$work"
    exec env -u QT_QPA_PLATFORM -u DBUS_SESSION_BUS_ADDRESS "$root/usr/bin/corvane"
) &
program=$!
launcher=$(window_named "Corvane v1.0") || fail "no window captioned \"Corvane v1.0\""
xdotool windowfocus --sync "$launcher" key alt+q
wait_until "Alt+Q did not end the program" process_ended "$program"
wait "$program" || fail "the program ended with an error"
program=""
home_is_empty "$work"
echo "package: built, lintian clean, unpacked, validated, started and quit"
