#!/usr/bin/env bash
# Installs the build to a temporary prefix and checks what a desktop reads there, then
# builds the Debian package, checks it with lintian, unpacks it with dpkg -x and starts
# the unpacked program offscreen: --version, and a short real start ended by SIGTERM.
#   package.sh <build folder>
set -euo pipefail
build=${1:?usage: package.sh <build folder>}
for tool in desktop-file-validate appstreamcli cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
work=$(mktemp -d)
pid=
cleanup() {
    [[ -n $pid ]] && { kill -KILL "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/program.log" 2>/dev/null >&2 || true; exit 1; }

id=org.morvena.Webradio
cmake --install "$build" --prefix "$work/prefix" >/dev/null
for file in bin/morvena-webradio "share/applications/$id.desktop" \
    "share/icons/hicolor/scalable/apps/$id.svg" "share/metainfo/$id.metainfo.xml" \
    "share/morvena-webradio/Mine Kanaler.ini"; do
    [[ -f $work/prefix/$file ]] || fail "not installed: $file"
done
for size in 16 32 48 64 128 256; do
    png=$work/prefix/share/icons/hicolor/${size}x$size/apps/$id.png
    file "$png" | grep -q "$size x $size" || fail "no $size px icon"
done
desktop-file-validate "$work/prefix/share/applications/$id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$work/prefix/share/metainfo/$id.metainfo.xml" >"$work/as.log" ||
    { cat "$work/as.log" >&2; fail "AppStream metadata"; }

(cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log" >&2; fail "cpack"; }
deb=$(echo "$work"/deb/*.deb)
dpkg-deb -f "$deb" Depends | grep -q libmpv || fail "no shared library dependencies"
lintian --fail-on error "$deb" || fail "lintian reports errors"
dpkg -x "$deb" "$work/root"
program=$work/root/usr/bin/morvena-webradio
export QT_QPA_PLATFORM=offscreen
[[ $("$program" --version) == "Morvena Webradio 2.71" ]] || fail "--version"

mkdir -m 0700 "$work/runtime"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_RUNTIME_DIR=$work/runtime
export MORVENA_MPV_OPTIONS=ao=null
"$program" >"$work/program.log" 2>&1 &
pid=$!
# A first start puts the list in the data folder, not beside the installed program.
list="$work/data/Morvena Webradio/Mine Kanaler.ini"
for ((i = 0; i < 150; i++)); do
    [[ -s $list ]] && break
    kill -0 "$pid" 2>/dev/null || fail "the installed program ended at start"
    sleep 0.1
done
cmp -s "$list" "$work/root/usr/share/morvena-webradio/Mine Kanaler.ini" || fail "no starter list"
kill -TERM "$pid"
status=0
wait "$pid" || status=$?
pid=
((status == 0)) || fail "the installed program ended with $status after SIGTERM"
[[ -f "$work/config/Morvena Webradio/settings.ini" ]] || fail "no settings saved at the end"
echo "ok: $(basename "$deb") installs, validates, passes lintian and runs"
