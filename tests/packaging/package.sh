#!/usr/bin/env bash
# Installs the build to a temporary prefix and checks what a desktop reads there, then
# builds the Debian package, checks it with lintian, unpacks it with dpkg -x and starts
# the unpacked program offscreen: --version, and a short real start ended by SIGTERM.
#   package.sh <build folder>
set -euo pipefail
build=${1:?usage: package.sh <build folder>}
source "$(dirname "$0")/../e2e/radio.sh"
need desktop-file-validate appstreamcli cpack dpkg-deb dpkg-shlibdeps lintian

id=org.morvena.Webradio
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/morvena-webradio "share/applications/$id.desktop" \
    "share/icons/hicolor/scalable/apps/$id.svg" "share/metainfo/$id.metainfo.xml" \
    "share/morvena-webradio/Mine Kanaler.ini" share/morvena-webradio/translations/morvena_nb.qm; do
    [[ -f $work/prefix/$file ]] || fail "not installed: $file"
done
for size in 16 32 48 64 128 256; do
    png=$work/prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    file "$png" | grep -q "$size x $size" || fail "no $size px icon"
done
desktop-file-validate "$work/prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$work/prefix/share/metainfo/$id.metainfo.xml" >"$work/as.log" ||
    fail "AppStream metadata"
(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) || fail "cpack"
deb=$(echo "$work"/deb/*.deb)
dpkg-deb -f "$deb" Depends | grep -q libmpv || fail "no shared library dependencies"
lintian --fail-on error "$deb" || fail "lintian reports errors"
dpkg -x "$deb" "$work/root"
program=$work/root/usr/bin/morvena-webradio
export QT_QPA_PLATFORM=offscreen
[[ $("$program" --version) == "Morvena Webradio 2.71" ]] || fail "--version"

radio_prepare "$program"
"$program" >>"$work/program.log" 2>&1 & # the unpacked one, not a portable copy
RADIO_PID=$!
# A first start puts the list in the data folder, not beside the installed program.
list="$work/data/Morvena Webradio/Mine Kanaler.ini"
wait_for 15 test -s "$list" || fail "no starter list"
cmp -s "$list" "$work/root/usr/share/morvena-webradio/Mine Kanaler.ini" || fail "no starter list"
radio_quit
[[ -f $RADIO_SETTINGS ]] || fail "no settings saved at the end"
pass "$(basename "$deb") installs, validates, passes lintian and runs"
