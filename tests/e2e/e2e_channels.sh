#!/usr/bin/env bash
# "My Channels" with the longest list it takes and "Find stations…", on the shared headless
# desktop, driven with xdotool:
#   1. a 32,767-entry list: the submenu fits the screen, End reaches the last entry and
#      Return tunes to it;
#   2. "Find stations…" searches a local stand-in of the directory (MORVENA_DIRECTORY_URL),
#      shows the stations, plays the first one and reports the click.
# Screenshots go to the artifacts folder.
#
#   e2e_channels.sh <morvena-webradio> <artifacts folder>
# Exits 77 (skipped) when the desktop tools are missing. KEEP_WORK=1 keeps the work folder.
set -euo pipefail

program=${1:?usage: e2e_channels.sh <morvena-webradio> <artifacts>}
artifacts=${2:?}
here=$(cd "$(dirname "$0")" && pwd)

if [[ -z ${MORVENA_E2E_RADIO_INNER:-} ]]; then
    command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session missing"; exit 77; }
    export MORVENA_E2E_RADIO_INNER=1
    exec dbus-run-session -- bash "$0" "$@"
fi

# shellcheck source=../integration/desktop.sh
source "$here/../integration/desktop.sh"
# shellcheck source=radio.sh
source "$here/radio.sh"
missing=$(desktop_missing import python3)
[[ -z $missing ]] || { echo "SKIP: missing $missing (scripts/install-deps.sh)"; exit 77; }

mkdir -p "$artifacts"
work=$(mktemp -d)
desktop_start || fail "no headless desktop"
www_pid=
trap 'stop_pid "$www_pid"; radio_cleanup' EXIT
radio_prepare "$program"

# The longest list, as an old Windows list is written: Windows-1252, CRLF.
python3 - "$work/program/Mine Kanaler.ini" <<'PY'
import sys
names = ["[Navn]"] + [f"{i}=Kanal {i} \xd8st" for i in range(1, 32768)]
urls = ["[URL]"] + [f"{i}=http://127.0.0.1:9/{i}" for i in range(1, 32768)]
open(sys.argv[1], "wb").write("\r\n".join(names + [""] + urls + [""]).encode("cp1252"))
PY

# The directory: Python's file server answers the search path with a file, query ignored.
mkdir -p "$work/www/json/stations" "$work/www/json/url"
cat >"$work/www/json/stations/search" <<'JSON'
[{"stationuuid":"e2e-1","name":"Morvena Jazz","url":"http://127.0.0.1:9/jazz","url_resolved":"","country":"Norway","countrycode":"NO","codec":"MP3","bitrate":128,"lastcheckok":1,"clickcount":900,"tags":"jazz"},
 {"stationuuid":"e2e-2","name":"Fjord Blues","url":"http://127.0.0.1:9/blues","url_resolved":"","country":"Norway","countrycode":"NO","codec":"AAC","bitrate":64,"lastcheckok":1,"clickcount":300,"tags":"blues,jazz"},
 {"stationuuid":"e2e-3","name":"Broken Jazz","url":"http://127.0.0.1:9/broken","url_resolved":"","country":"Sweden","countrycode":"SE","codec":"MP3","bitrate":192,"lastcheckok":0,"clickcount":5000},
 {"stationuuid":"e2e-4","name":"Swing Paris","url":"http://127.0.0.1:9/swing","url_resolved":"","country":"France","countrycode":"FR","codec":"OGG","bitrate":96,"lastcheckok":1,"clickcount":450,"tags":"swing"}]
JSON
echo '{"ok":true,"message":"retrieved station url"}' >"$work/www/json/url/e2e-1"
port=$(free_port)
python3 -m http.server --bind 127.0.0.1 --directory "$work/www" "$port" >"$work/www.log" 2>&1 &
www_pid=$!
wait_for 10 curl -sf -o /dev/null "http://127.0.0.1:$port/json/url/e2e-1" || fail "no directory"
export MORVENA_DIRECTORY_URL=http://127.0.0.1:$port

# Our shown windows taller than `$1` pixels, as "<id> <y> <height>".
tall_windows() {
    local id
    for id in $(xdotool search --onlyvisible --classname morvena-webradio 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null)" || continue
        ((HEIGHT > $1)) && echo "$id $Y $HEIGHT"
    done
    return 0
}
has_tall() { [[ -n $(tall_windows "$1") ]]; }
image_of() { import -window "$1" png:- 2>/dev/null | md5sum; }

# 1. The list at its longest.
radio_start
main_menu
xdotool key Down Right
wait_for 10 has_tall 300 || fail "My Channels did not open"
read -r favs y height <<<"$(tall_windows 300 | head -n 1)"
screen_height=$(xdpyinfo | sed -n 's/.*dimensions: *[0-9]*x\([0-9]*\) .*/\1/p')
((y >= 0 && y + height <= screen_height)) || fail "My Channels spans $y+$height of $screen_height"
before=$(image_of "$favs")
xdotool key Down End
wait_for 5 eval '[[ $(image_of "$favs") != "$before" ]]' || fail "End did not scroll"
shot channels-end
xdotool key Return
wait_for 10 setting_is LydstraumURL "http://127.0.0.1:9/32767" ||
    fail "the last entry: saved '$(setting LydstraumURL)'"
pass "My Channels with 32,767 entries fits the screen ($height px); End and Return tune to the last"

# 2. Find stations…: below My Channels and Settings.
main_menu
xdotool key Down Down Down Return
wait_for 10 xdotool search --onlyvisible --name "^Find stations$" || fail "no Find stations dialog"
dialog=$(xdotool search --onlyvisible --name "^Find stations$" | head -n 1)
before=$(image_of "$dialog")
xdotool type --delay 20 "jazz"
xdotool key Return
wait_for 10 grep -q "GET /json/stations/search?name=jazz" "$work/www.log" || fail "no search sent"
wait_for 5 eval '[[ $(image_of "$dialog") != "$before" ]]' || fail "the dialog did not change"
shot directory-dialog
# Name, tag, country, Search, then the results with the most played one current.
xdotool key Tab Tab Tab Tab Return
wait_for 10 setting_is LydstraumURL "http://127.0.0.1:9/jazz" ||
    fail "playing a result: saved '$(setting LydstraumURL)'"
wait_for 10 grep -q "GET /json/url/e2e-1" "$work/www.log" || fail "no click reported"
pass "Find stations: searched, played the most played result, reported the click"
